// Start-up cost of the main window against a bare QMainWindow: the time
// from entering main() to the window's first paint, and the process's peak
// memory. One measurement per run; scripts/bench-startup repeats and takes
// medians.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && elapsedNs < 0) {
            elapsedNs = clock_.nsecsElapsed();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const bool bare = argc > 1 && std::strcmp(argv[1], "--bare") == 0;

    QApplication app(argc, argv);
    FirstPaint firstPaint(clock);
    quorvane::platform::QtDialogs dialogs;
    quorvane::platform::QtLauncher launcher;
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = std::make_unique<QMainWindow>();
    } else {
        window = std::make_unique<quorvane::gui::MainWindow>(dialogs, launcher,
                                                             quorvane::gui::numberFormat());
    }
    window->installEventFilter(&firstPaint);
    window->show();
    app.exec();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%s startup_ms=%.2f peak_rss_kb=%ld\n", bare ? "bare" : "main",
                static_cast<double>(firstPaint.elapsedNs) / 1e6, usage.ru_maxrss);
    return firstPaint.elapsedNs < 0 ? 1 : 0;
}
