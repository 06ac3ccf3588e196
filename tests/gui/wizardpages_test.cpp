// The "DYN_ROOT", "NTFS bbs" and "Fat32 bbs" pages driven as a person
// would: their buttons, their fields and the wizard's state across clicks.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "core/base/texts.h"
#include "core/wizards/bbs.h"
#include "core/wizards/dynroot.h"
#include "gui/app/mainwindow.h"
#include "gui/app/pagetabs.h"
#include "windowfixture.h"
#include "wizardtexts.h"

using quorvane::core::Icon;
using quorvane::core::Message;
using quorvane::gui::MainWindow;

namespace {

Message refused(const std::string& prompt) {
    return Message{prompt, "ID10T detected", Icon::Exclamation};
}

QString shown(const std::string& coreText) {
    return QString::fromStdString(quorvane::core::withLineFeeds(coreText));
}

}  // namespace

class WizardPagesTest : public quorvane::test::WindowFixture {
    Q_OBJECT

    void showPage(MainWindow::Page page) {
        QTest::mouseClick(window_->pages()->tab(page), Qt::LeftButton);
        QVERIFY(window_->pages()->page(page)->isVisible());
    }
    void typeBootValues() {
        type("sectcluster", "40");
        type("rsvdsects", "1");
        type("numfats", "2");
        type("direntries", "200");
        type("sectfat", "f5");
    }

private slots:
    void cleanup() { window_.reset(); }

    void dynRootStateAcrossClicks() {
        open();
        showPage(MainWindow::DynRoot);
        const QString intro = report();
        QCOMPARE(text("rsvdsects"), QString("1"));  // presets
        QCOMPARE(text("numfats"), QString("2"));

        type("dynrootstart", "1A2B");
        click("ConvHEXDEC");
        QCOMPARE(dialogs_.shown, std::vector<Message>{refused("First complete step 1 !")});
        QCOMPARE(report(), intro);

        click("startdynroot");
        QCOMPARE(report(), shown(quorvane::test::kStartText));

        typeBootValues();
        click("Calcroot");
        QCOMPARE(report(), shown(quorvane::test::kRootText));
        QCOMPARE(text("sectfat"), QString("f5"));  // converted from a copy
        QCOMPARE(window_->workspace().dynrootState.step1done, 1);

        click("ConvHEXDEC");
        QCOMPARE(report(), shown(quorvane::test::kCopyText));
        QCOMPARE(dialogs_.shown.size(), size_t(1));

        // Other boot sector values than step 1 used: step 1 again.
        const QString copy = report();
        type("direntries", "100");
        click("ConvHEXDEC");
        QCOMPARE(dialogs_.shown.size(), size_t(2));
        QCOMPARE(dialogs_.shown[1], refused("First complete step 1 !"));
        QCOMPARE(report(), copy);

        // Both clear commands keep the wizard's state.
        click("cmdCleardynroot");
        QCOMPARE(report(), QString());
        for (const char* field : {"sectcluster", "direntries", "sectfat", "dynrootstart"})
            QVERIFY2(text(field).isEmpty(), field);
        QCOMPARE(text("rsvdsects"), QString("1"));
        QCOMPARE(text("numfats"), QString("2"));
        typeBootValues();
        type("dynrootstart", "2");
        clickToolbar("Clear all");
        QVERIFY(text("sectfat").isEmpty() && text("dynrootstart").isEmpty());
        QCOMPARE(window_->workspace().dynrootState.rootstart, 251392.0);
        typeBootValues();
        type("dynrootstart", "2");
        click("ConvHEXDEC");
        QCOMPARE(report(), shown(quorvane::test::copyText("267776", "284160", "251392")));
    }

    void dynRootRefusalsWriteNothing() {
        open();
        showPage(MainWindow::DynRoot);
        typeBootValues();
        type("rsvdsects", "");
        click("Calcroot");
        type("rsvdsects", "1");
        type("sectcluster", "0x40");
        click("Calcroot");
        QCOMPARE(dialogs_.shown.size(), size_t(2));
        QCOMPARE(dialogs_.shown[0], refused("Fill out required fields !"));
        QCOMPARE(dialogs_.shown[1].title, std::string("ID10T detected"));
        QVERIFY(report().startsWith("Quorvane 1.02"));
        QCOMPARE(window_->workspace().dynrootState.step1done, 0);
    }

    void backupBootSectorPages() {
        open();
        showPage(MainWindow::NtfsBbs);
        type("ntfsstartsector", "63");
        type("ntfsnumbersectors", "4096512");
        click("cdmdisplayinfontfsbbs");
        QCOMPARE(report(), shown(quorvane::core::ntfsBbsInfoText()));
        click("ntfswiz");
        QCOMPARE(report(), shown(quorvane::test::kNtfsText));
        type("ntfsnumbersectors", "");
        click("ntfswiz");
        QCOMPARE(dialogs_.shown, std::vector<Message>{refused("Fill out required fields !")});
        QCOMPARE(report(), shown(quorvane::test::kNtfsText));
        click("Command2");
        QVERIFY(text("ntfsstartsector").isEmpty() && report().isEmpty());

        showPage(MainWindow::Fat32Bbs);
        type("startsct", "63 sectors");
        click("CalcFAT32BBS");
        QCOMPARE(report(), shown(quorvane::test::kFat32Text));
        click("cmdinfoBBSfat32");
        QCOMPARE(report(), shown(quorvane::core::fat32BbsInfoText()));
        QCOMPARE(text("startsct"), QString("63 sectors"));
        click("Command4");
        QVERIFY(text("startsct").isEmpty() && report().isEmpty());

        type("startsct", "63");
        type("ntfsstartsector", "63");
        clickToolbar("Clear all");
        QVERIFY(text("startsct").isEmpty() && text("ntfsstartsector").isEmpty());
    }

    void controlsAreNamedAndLabelled() {
        open();
        for (const MainWindow::Page page :
             {MainWindow::DynRoot, MainWindow::NtfsBbs, MainWindow::Fat32Bbs}) {
            QWidget* area = window_->pages()->page(page);
            for (QLineEdit* field : area->findChildren<QLineEdit*>()) {
                QVERIFY2(!field->accessibleName().isEmpty(), qPrintable(field->objectName()));
                if (field->objectName() == "dynrootstart") continue;  // its frame names it
                bool labelled = false;
                for (QLabel* label : area->findChildren<QLabel*>())
                    labelled |= label->buddy() == field && label->text() == field->accessibleName();
                QVERIFY2(labelled, qPrintable(field->objectName()));
            }
        }
        QCOMPARE(child<QPushButton>("ntfswiz")->text(), QString("Calculate "));
        QCOMPARE(child<QGroupBox>("Frame14")->title(), QString("Controls:"));
        QCOMPARE(child<QGroupBox>("Frame17")->title(), QString("Controls"));
        QCOMPARE(child<QGroupBox>("calcdynroot")->title(), QString("Input relocated root (4)"));
        QVERIFY(child<QLabel>("Label19")->text().endsWith("small file to. "));
        // The partinfo hint heads the input frame.
        showPage(MainWindow::NtfsBbs);
        QVERIFY(child<QLabel>("Label23")->y() < child<QLabel>("Label20")->y());
        showPage(MainWindow::Fat32Bbs);
        QVERIFY(child<QLabel>("Label24")->y() < child<QLabel>("Label25")->y());
    }
};

QTEST_MAIN(WizardPagesTest)
#include "wizardpages_test.moc"
