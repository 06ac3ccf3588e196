#include "platform/batchdir_qt.h"

#include <QDir>
#include <QTemporaryFile>

namespace quorvane::platform {

namespace {

// Whether a file can be created in `directory`. Creating one is the only
// sure test: permission bits say nothing about root, read-only mounts or
// access control lists.
bool canCreateFilesIn(const QString& directory) {
    if (directory.isEmpty() || !QDir(directory).exists()) return false;
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral(".quorvane-XXXXXX")));
    return probe.open();
}

}  // namespace

QString batchDirectory(const QString& programDirectory, const QString& documentsDirectory) {
    if (canCreateFilesIn(programDirectory)) return QDir::toNativeSeparators(programDirectory);
    QDir().mkpath(documentsDirectory);
    return QDir::toNativeSeparators(documentsDirectory);
}

}  // namespace quorvane::platform
