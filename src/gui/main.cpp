#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>
#include <memory>

#include "gui/app/mainwindow.h"
#include "gui/app/numberformat.h"
#include "gui/app/pagetabs.h"
#include "platform/batchfile_std.h"
#include "platform/clock_qt.h"
#include "platform/dialogs_qt.h"
#include "platform/launcher_qt.h"
#include "platform/registry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvane");
    QApplication::setApplicationVersion("1.0.2");

    QCommandLineParser options;
    options.setApplicationDescription("Repairs partition table errors by calculation.");
    options.addHelpOption();
    const QCommandLineOption screenshot(
        "screenshot", "Save a picture of the window to <file> and quit (for documentation).",
        "file");
    const QCommandLineOption page("page", "With --screenshot: show page <number> (1 to 7).",
                                  "number");
    options.addOption(screenshot);
    options.addOption(page);
    options.process(app);

    quorvane::platform::QtDialogs dialogs;
    quorvane::platform::QtLauncher launcher;
    const std::unique_ptr<quorvane::core::Registry> registry = quorvane::platform::systemRegistry();
    auto* window =
        new quorvane::gui::MainWindow(dialogs, launcher, quorvane::gui::numberFormat());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setRegistry(*registry);
    dialogs.setParent(window);
    quorvane::platform::StdBatchFile batchFile;
    quorvane::platform::QtClock clock;
    window->setBatchOutput(batchFile, clock,
                           QDir::toNativeSeparators(QCoreApplication::applicationDirPath())
                               .toStdString());
    if (options.isSet(page)) window->pages()->setCurrentIndex(options.value(page).toInt() - 1);
    window->show();

    if (options.isSet(screenshot)) {
        int status = 0;
        QTimer::singleShot(0, window, [&] {
            if (!window->grab().save(options.value(screenshot))) status = 1;
            window->close();
        });
        app.exec();
        return status;
    }
    return app.exec();
}
