#include <QAction>
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
    const QCommandLineOption accessory(
        "window", "With --screenshot: picture the window opened by menu entry <name> "
                  "(tnyclc for DiviZedi, mnuabout for the About box) instead.",
        "name");
    options.addOption(screenshot);
    options.addOption(page);
    options.addOption(accessory);
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
            QWidget* shown = window;
            if (options.isSet(accessory)) {
                auto* entry = window->findChild<QAction*>(options.value(accessory));
                if (entry) entry->trigger();
                shown = entry ? QApplication::activeModalWidget() : nullptr;
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    if (!shown && top != window && top->isVisible()) shown = top;
                }
            }
            if (!shown || !shown->grab().save(options.value(screenshot))) status = 1;
            QApplication::closeAllWindows();
        });
        app.exec();
        return status;
    }
    return app.exec();
}
