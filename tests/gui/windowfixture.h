// The fixture of the window tests: a real main window with recording
// message boxes and program starts, driven as a person would.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <memory>

#include "gui/app/mainwindow.h"
#include "recorders.h"
#include "tableimage.h"

namespace quorvane::test {

// Not a QObject of its own: each test class adds Q_OBJECT and its slots.
class WindowFixture : public QObject {
protected:
    RecordingDialogs dialogs_;
    RecordingLauncher launcher_;
    RecordingBatchFile batchFile_;
    RecordingFileChooser chooser_;
    QTemporaryDir files_;
    FixedClock clock_;
    std::unique_ptr<gui::MainWindow> window_;

    void open(const core::NumberFormat& format = core::NumberFormat::point()) {
        dialogs_ = {};
        launcher_ = {};
        batchFile_ = {};
        chooser_ = {};
        window_ = std::make_unique<gui::MainWindow>(dialogs_, launcher_, format);
        window_->setBatchOutput(batchFile_, clock_, "/programs/quorvane");
        window_->setFileChooser(chooser_);
        window_->show();
        // A machine busy with other tests may take its time; a page that is
        // never built still fails.
        QVERIFY(QTest::qWaitForWindowExposed(window_.get(), 30000));
        // The tests drive every page as it is once built.
        QTRY_VERIFY_WITH_TIMEOUT(window_->pagesBuilt(), 30000);
    }
    template <typename T>
    T* child(const char* name) {
        T* found = window_->findChild<T*>(name);
        if (!found) qFatal("no control named %s", name);
        return found;
    }
    void type(const char* field, const QString& text) {
        QLineEdit* edit = child<QLineEdit>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    QString text(const char* field) { return child<QLineEdit>(field)->text(); }
    // Types drive geometry 1024/255/63 and the CHS values 0/1/1 to
    // `endCylinder`/254/63 into the "Geometry" page.
    void typeChsEntry(const QString& endCylinder = "1022") {
        type("dgcyls", "1024");
        type("dgheads", "255");
        type("dgsects", "63");
        type("cyls", "0");
        type("heads", "1");
        type("sects", "1");
        type("ecyls", endCylinder);
        type("eheads", "254");
        type("esects", "63");
    }
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    QString report() { return window_->reportBox()->toPlainText(); }
    QAction* toolbarAction(const QString& toolTip) {
        for (QAction* action : window_->toolbar()->actions())
            if (action->toolTip() == toolTip) return action;
        qFatal("no toolbar button %s", qPrintable(toolTip));
    }
    void clickToolbar(const QString& toolTip) {
        QWidget* button = window_->toolbar()->widgetForAction(toolbarAction(toolTip));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QAction* menuEntry(const char* name) { return child<QAction>(name); }

    // Writes `image` as a file of the test's own and returns its path.
    std::string writeImage(const TableImage& image, const char* name = "disk.img") {
        const std::string path = files_.filePath(name).toStdString();
        image.writeTo(path);
        return path;
    }
    // A table of 100 cylinders at 255/63: two primary partitions (both
    // active), then an extended partition holding two logical ones, the
    // second a cylinder shorter in its count than in its CHS values.
    static TableImage sampleTable() {
        constexpr std::uint32_t cylinder = 16065;
        constexpr std::uint32_t extended = 20 * cylinder, link = 10 * cylinder;
        RawEntry first = entryAt(0x0C, 0, 63, 10 * cylinder - 63);
        RawEntry second = entryAt(0x07, 0, 10 * cylinder, 10 * cylinder);
        first.boot = second.boot = 0x80;
        RawEntry shortLogical = entryAt(0x83, extended + link, 63, 10 * cylinder - 63);
        shortLogical.count -= cylinder;
        TableImage image(std::uint64_t{100} * cylinder * 512);
        image.entry(0, 1, first)
            .entry(0, 2, second)
            .entry(0, 3, entryAt(0x0F, 0, extended, 40 * cylinder))
            .entry(extended, 1, entryAt(0x82, extended, 63, 10 * cylinder - 63))
            .entry(extended, 2, entryAt(0x05, extended, link, 10 * cylinder))
            .entry(extended + link, 1, shortLogical);
        return image;
    }
    // Reads `path` through File > "Read partition table..." and returns the
    // list it opened, if any.
    QDialog* readTable(const std::string& path) {
        chooser_.path = path;
        // A list closed before is gone first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        menuEntry("mnutable")->trigger();
        return window_->findChild<QDialog*>("frmTable");
    }
};

// A list's rows, each its cells joined by " | ".
inline QStringList rows(QTreeWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column)
            cells << list->topLevelItem(row)->text(column);
        texts << cells.join(" | ");
    }
    return texts;
}

}  // namespace quorvane::test
