#include "platform/launcher_qt.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <QDir>
#include <QProcessEnvironment>
#include <windows.h>
#endif

#include "core/base/numeric.h"

namespace quorvane::platform {

namespace {

// Found but not startable (no rights, not a program for this system).
constexpr int kPermissionDenied = 70;

}  // namespace

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
        return {kPermissionDenied, process.errorString().toStdString()};
    }
    return {};
}

core::Launcher::Result QtLauncher::open(std::string_view path) {
    const QString file = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    if (!QFileInfo(file).isFile())
        return {core::kFileNotFound, core::failureDescription(core::kFileNotFound)};
#ifdef Q_OS_WIN
    // The command interpreter runs the batch in a console of its own,
    // maximized and in front.
    QProcess process;
    process.setProgram(QProcessEnvironment::systemEnvironment().value("ComSpec", "cmd.exe"));
    process.setNativeArguments("/c \"\"" + QDir::toNativeSeparators(file) + "\"\"");
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
        arguments->flags |= CREATE_NEW_CONSOLE;
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_SHOWMAXIMIZED;
    });
    if (!process.startDetached()) return {kPermissionDenied, process.errorString().toStdString()};
#else
    // Elsewhere the desktop's default opener decides what a batch file is.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        return {kPermissionDenied, "no program opens this file"};
#endif
    return {};
}

}  // namespace quorvane::platform
