// "Check" and the batch toolbar keys driven as a person would: the verdict
// and command line carried from the page to the toolbar across clicks.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "windowfixture.h"

using quorvane::core::Icon;
using quorvane::core::Message;

class BatchBuilderTest : public quorvane::test::WindowFixture {
    Q_OBJECT

    const QString kAdd = "Write current Geometry to batchfile";
    const QString kSave = "When finished writing Batch, click to save.";
    const QString kRun = "Execute batch file on current harddrive";
    const std::string kPath = "/programs/quorvane/quorvane.bat";

    void choose(const char* combo, const QString& text) {
        QLineEdit* edit = child<QComboBox>(combo)->lineEdit();
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void fillEntry(const QString& endCylinder = "1022") {
        typeChsEntry(endCylinder);
        type("lbastrt", "63");
        type("LBAend", QString::number((endCylinder.toInt() + 1) * 16065 - 63));
        choose("drive", "1");
        choose("prtno", "2");
        choose("filesys", "07");
    }
    // The titles of the message boxes shown since the last call.
    QStringList shownTitles() {
        QStringList titles;
        for (const Message& message : dialogs_.shown)
            titles << QString::fromStdString(message.title);
        dialogs_.shown.clear();
        return titles;
    }
    std::string entryLine(const char* endCylinder) {
        return std::string("editpart 1 0 2 - 07 0 1 1 ") + endCylinder +
               " 254 63 0 1024 255 63 26\r\n";
    }

private slots:
    void cleanup() { window_.reset(); }

    void checkFillsOptionalFieldsAndReports() {
        open(quorvane::core::NumberFormat::comma());
        auto* check = child<QPushButton>("Verify");
        QCOMPARE(check->text(), QString("Check"));
        QCOMPARE(check->toolTip(), QString("Check a partition table entry for inconsistencies. "
                                           "All fields are required to be filled out."));
        QCOMPARE(check->parentWidget()->accessibleName(), QString("Controls"));
        fillEntry();
        click("Verify");
        QCOMPARE(text("prtsct"), QString("0"));
        QCOMPARE(text("relcyl"), QString("0"));
        QVERIFY(report().startsWith("*Startsector consistency check: \ncalculated startsector: "
                                    "63\nentered startsector: 63\n*check#116 checked o.k.\n\n"));
        QVERIFY(report().endsWith("One cylinder is 7,84423828125 Mb."));
        QVERIFY(dialogs_.shown.empty());

        type("dgheads", "");
        click("Verify");
        QCOMPARE(report(), QString());
        QCOMPARE(dialogs_.shown, (std::vector<Message>{{"Fill out required fields !",
                                                        "ID10T detected", Icon::Exclamation}}));
        QVERIFY(window_->workspace().check.verdict == quorvane::core::CheckVerdict::Reset);
    }

    void batchAcrossClicks() {
        open();
        fillEntry("100");
        click("Verify");
        batchFile_.failNext = "Permission denied";
        clickToolbar(kAdd);  // refused by the system: the verdict stays for another try
        QCOMPARE(dialogs_.shown, (std::vector<Message>{{"The batch file '" + kPath +
                                                            "' could not be written: "
                                                            "Permission denied",
                                                        "Quorvane", Icon::Exclamation}}));
        shownTitles();
        clickToolbar(kAdd);
        QCOMPARE(shownTitles(), QStringList{"Quorvane"});
        clickToolbar(kAdd);  // the verdict was used up
        QCOMPARE(shownTitles(), QStringList{"Aabortion sequence complete"});

        fillEntry("200");
        type("LBAend", "1");
        click("Verify");
        QVERIFY(report().contains("*check#110 is inconsistent! (error!);\noffset in cyl: "));
        clickToolbar(kAdd);
        QCOMPARE(shownTitles(), QStringList{"Routine abortion sequence complete"});
        click("Command1");
        clickToolbar(kAdd);
        QCOMPARE(dialogs_.shown.back().prompt,
                 std::string("Next entry added to batch file. When done, save the batch."));
        shownTitles();

        clickToolbar(kSave);
        QCOMPARE(dialogs_.shown, (std::vector<Message>{{"Batch 'quorvane.BAT' saved in the "
                                                        "'/programs/quorvane' directory.",
                                                        "Quorvane"}}));
        shownTitles();
        const std::string saved = batchFile_.files[kPath];
        QVERIFY(saved.starts_with(entryLine("100") + entryLine("200") + "@echo off\r\n"));
        QVERIFY(saved.ends_with("echo. \r\n@echo off\r\n"));
        QVERIFY(saved.find("at: 07/12/2026\r\n") != std::string::npos);

        // "Clear all" on the page allows a new batch, which replaces the saved one.
        click("clear");
        fillEntry("300");
        click("Verify");
        clickToolbar(kAdd);
        QCOMPARE(dialogs_.shown.back().prompt,
                 std::string("1st Entry added to batch file. When done, save the batch."));
        QCOMPARE(batchFile_.files[kPath], entryLine("300"));
    }

    // A combo box left empty at "Check" and filled in afterwards: the line
    // that was checked lacks an item, so it never reaches the file.
    void itemTypedAfterTheCheckIsRefused() {
        open();
        for (const char* combo : {"filesys", "drive", "prtno"}) {
            fillEntry();
            choose(combo, "");
            click("Verify");
            choose(combo, "06");
            clickToolbar(kAdd);
            QCOMPARE(shownTitles(), QStringList{"Aabortion sequence complete"});
            QVERIFY(window_->workspace().check.verdict == quorvane::core::CheckVerdict::Reset);
            QVERIFY(batchFile_.files.empty());
        }
    }

    void runAsksBeforeOpeningTheBatch() {
        open();
        dialogs_.answer = quorvane::core::Answer::Cancel;
        clickToolbar(kRun);
        QVERIFY(launcher_.opened.empty());
        QCOMPARE(shownTitles(), QStringList{"Warning!"});

        dialogs_.answer = quorvane::core::Answer::Ok;
        launcher_.openResult = {53, "File not found"};
        clickToolbar(kRun);
        QCOMPARE(launcher_.opened, std::vector<std::string>{kPath});
        QCOMPARE(shownTitles(), (QStringList{"Warning!", "Dear User"}));
    }
};

QTEST_MAIN(BatchBuilderTest)
#include "batchbuilder_test.moc"
