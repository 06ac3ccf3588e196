#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <memory>

#include "core/base/version.h"
#include "gui/app/mainwindow.h"
#include "gui/app/numberformat.h"
#include "gui/app/pagetabs.h"
#include "platform/batchdir_qt.h"
#include "platform/batchfile_std.h"
#include "platform/clock_qt.h"
#include "platform/dialogs_qt.h"
#include "platform/filechooser_qt.h"
#include "platform/launcher_qt.h"
#include "platform/registry.h"

namespace {

// The window program's options. --help and --version need no display, so
// they run in a console application; everything else opens the window.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption screenshot{
        "screenshot", "Save a picture of the window to <file> and quit (for documentation).",
        "file"};
    QCommandLineOption page{"page", "With --screenshot: show page <number> (1 to 7).", "number"};
    QCommandLineOption accessory{
        "window",
        "With --screenshot: picture the window opened by menu entry <name> "
        "(tnyclc for DiviZedi, mnuabout for the About box) instead.",
        "name"};

    Options() {
        parser.setApplicationDescription("Repairs partition table errors by calculation.");
        parser.addOptions({screenshot, page, accessory});
    }
    // Whether `arguments` ask for help or the version alone. Anything the
    // parser does not know may be an option of Qt's own ("-platform",
    // "-style"), which only QApplication takes out; --help-all lists those
    // too, so it needs them.
    bool answerInConsole(const QStringList& arguments) {
        return parser.parse(arguments) && (parser.isSet(help) || parser.isSet(version));
    }
};

// What the program says when something unforeseen stops it: in a message
// box while it has a window, otherwise on stderr.
void reportFailure(const QString& reason) {
    const QString text = "Quorvane stopped after an unexpected failure: " + reason;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QMessageBox::critical(nullptr, "Quorvane", text);
    else
        std::fprintf(stderr, "quorvane: %s\n", text.toLocal8Bit().constData());
}

QString reasonOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& exception) {
        return QString::fromLocal8Bit(exception.what());
    } catch (...) {
        return "unknown failure";
    }
}

// An exception that an event handler lets through ends the event loop with
// status 1 after its message, rather than leave through Qt.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            reportFailure(reasonOf(std::current_exception()));
            QCoreApplication::exit(1);
        }
        return false;
    }
};

int run(int argc, char** argv);

}  // namespace

// No exception leaves main: anything unforeseen is a message and status 1.
int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (...) {
        reportFailure(reasonOf(std::current_exception()));
    }
    return 1;
}

namespace {

int run(int argc, char** argv) {
    QCoreApplication::setApplicationName("Quorvane");
    QCoreApplication::setApplicationVersion(QUORVANE_VERSION);
    Options options;
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (options.answerInConsole(arguments)) {
        QCoreApplication console(argc, argv);
        options.parser.process(console);  // prints and exits
        return 0;
    }

    GuardedApplication app(argc, argv);
    // The desktop finds the program's icon and name through its entry.
    QGuiApplication::setDesktopFileName(QUORVANE_APP_ID);
    QCommandLineParser& parser = options.parser;
    parser.process(app);
    const QCommandLineOption& screenshot = options.screenshot;
    const QCommandLineOption& page = options.page;
    const QCommandLineOption& accessory = options.accessory;

    quorvane::platform::QtDialogs dialogs;
    quorvane::platform::QtLauncher launcher;
    const std::unique_ptr<quorvane::core::Registry> registry = quorvane::platform::systemRegistry();
    auto* window =
        new quorvane::gui::MainWindow(dialogs, launcher, quorvane::gui::numberFormat());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setRegistry(*registry);
    dialogs.setParent(window);
    quorvane::platform::QtFileChooser fileChooser;
    fileChooser.setParent(window);
    window->setFileChooser(fileChooser);
    quorvane::platform::StdBatchFile batchFile;
    quorvane::platform::QtClock clock;
    // An installed program's directory is not the user's to write in: the
    // batch file then goes to the documents folder.
    window->setBatchOutput(
        batchFile, clock,
        quorvane::platform::batchDirectory(
            QCoreApplication::applicationDirPath(),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .toStdString());
    if (parser.isSet(page)) window->pages()->setCurrentIndex(parser.value(page).toInt() - 1);
    window->show();

    if (parser.isSet(screenshot)) {
        int status = 0;
        QTimer::singleShot(0, window, [&] {
            QWidget* shown = window;
            if (parser.isSet(accessory)) {
                auto* entry = window->findChild<QAction*>(parser.value(accessory));
                if (entry) entry->trigger();
                shown = entry ? QApplication::activeModalWidget() : nullptr;
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    if (!shown && top != window && top->isVisible()) shown = top;
                }
            }
            if (!shown || !shown->grab().save(parser.value(screenshot))) status = 1;
            QApplication::closeAllWindows();
        });
        app.exec();
        return status;
    }
    return app.exec();
}

}  // namespace
