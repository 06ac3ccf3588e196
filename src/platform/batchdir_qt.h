// Where the window program writes its batch file.
#pragma once

#include <QString>

namespace quorvane::platform {

// The program's directory when files can be created in it (a program run
// from its build or unpacked folder); otherwise, as for an installed program,
// `documentsDirectory`, created when missing. Both in native separators.
QString batchDirectory(const QString& programDirectory, const QString& documentsDirectory);

}  // namespace quorvane::platform
