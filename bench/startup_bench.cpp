// Start-up cost of the main window against two smaller windows: the time
// to the window's first paint, and the process's peak memory. One
// measurement per run; scripts/bench-startup repeats and takes medians.
//
//   startup_bench               the main window
//   startup_bench --text-floor  a window that shows text and nothing else:
//                               one tab page holding a label and a line
//                               edit, beside a read-only text box
//   startup_bench --bare        an empty QMainWindow
//
// It prints the time from entering main() to the first paint, the wall
// clock at the first paint (so that the caller can time the whole process
// from its own start), the peak resident memory and the time from entering
// main() until the whole first frame has been painted.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gui/app/mainwindow.h"
#include "gui/app/numberformat.h"
#include "platform/dialogs_qt.h"
#include "platform/launcher_qt.h"

namespace {

// Quits the application at the first paint of the watched window.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
    qint64 elapsedNs = -1;
    qint64 frameNs = -1;
    long long wallClockUs = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && elapsedNs < 0) {
            elapsedNs = clock_.nsecsElapsed();
            wallClockUs = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
            // Runs once the whole first frame has been painted.
            QTimer::singleShot(0, qApp, [this] {
                frameNs = clock_.nsecsElapsed();
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
};

std::unique_ptr<QMainWindow> textFloorWindow() {
    auto window = std::make_unique<QMainWindow>();
    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    auto* tabs = new QTabWidget;
    auto* page = new QWidget;
    auto* fields = new QVBoxLayout(page);
    fields->addWidget(new QLabel("Label"));
    fields->addWidget(new QLineEdit);
    tabs->addTab(page, "Page");
    layout->addWidget(tabs);
    auto* text = new QPlainTextEdit("Text");
    text->setReadOnly(true);
    layout->addWidget(text);
    window->setCentralWidget(central);
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const char* kind = argc > 1 && std::strcmp(argv[1], "--bare") == 0         ? "bare"
                       : argc > 1 && std::strcmp(argv[1], "--text-floor") == 0 ? "floor"
                                                                              : "main";

    QApplication app(argc, argv);
    FirstPaint firstPaint(clock);
    quorvane::platform::QtDialogs dialogs;
    quorvane::platform::QtLauncher launcher;
    std::unique_ptr<QMainWindow> window;
    if (std::strcmp(kind, "bare") == 0) {
        window = std::make_unique<QMainWindow>();
    } else if (std::strcmp(kind, "floor") == 0) {
        window = textFloorWindow();
    } else {
        window = std::make_unique<quorvane::gui::MainWindow>(dialogs, launcher,
                                                             quorvane::gui::numberFormat());
    }
    window->installEventFilter(&firstPaint);
    window->show();
    app.exec();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%s startup_ms=%.2f first_paint_us=%lld peak_rss_kb=%ld frame_ms=%.2f\n", kind,
                static_cast<double>(firstPaint.elapsedNs) / 1e6, firstPaint.wallClockUs,
                usage.ru_maxrss, static_cast<double>(firstPaint.frameNs) / 1e6);
    return firstPaint.elapsedNs < 0 ? 1 : 0;
}
