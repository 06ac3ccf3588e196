// The fixture of the window tests: a real main window with recording
// message boxes and program starts, driven as a person would.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "gui/app/mainwindow.h"
#include "recorders.h"

namespace quorvane::test {

// Not a QObject of its own: each test class adds Q_OBJECT and its slots.
class WindowFixture : public QObject {
protected:
    RecordingDialogs dialogs_;
    RecordingLauncher launcher_;
    RecordingBatchFile batchFile_;
    FixedClock clock_;
    std::unique_ptr<gui::MainWindow> window_;

    void open(const core::NumberFormat& format = core::NumberFormat::point()) {
        dialogs_ = {};
        launcher_ = {};
        batchFile_ = {};
        window_ = std::make_unique<gui::MainWindow>(dialogs_, launcher_, format);
        window_->setBatchOutput(batchFile_, clock_, "/programs/quorvane");
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        // The tests drive every page as it is once built.
        QTRY_VERIFY(window_->pagesBuilt());
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
};

}  // namespace quorvane::test
