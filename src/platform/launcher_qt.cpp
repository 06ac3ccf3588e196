#include "platform/launcher_qt.h"

#include <QProcess>
#include <QStandardPaths>

#include "core/app/numeric.h"

namespace quorvane::platform {

core::Launcher::Result QtLauncher::start(std::string_view program) {
    const QString name = QString::fromUtf8(program.data(), static_cast<qsizetype>(program.size()));
    // A bare name is looked up on the search path as the platform does.
    const QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        return {core::kFileNotFound, core::failureDescription(core::kFileNotFound)};
    // A detached process opens its own windows the normal, visible way.
    QProcess process;
    process.setProgram(path);
    if (!process.startDetached()) {
        // Found but not startable (no rights, not a program for this system).
        constexpr int kPermissionDenied = 70;
        return {kPermissionDenied, process.errorString().toStdString()};
    }
    return {};
}

}  // namespace quorvane::platform
