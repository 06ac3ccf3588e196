// The Error 110, Error 108 and Bogus 113 pages driven as a person would:
// their buttons, what stays in the fields and the report box across
// clicks, and the toolbar's clear-all.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "gui/app/mainwindow.h"
#include "gui/app/pagetabs.h"
#include "windowfixture.h"

using quorvane::core::Icon;
using quorvane::core::Message;
using quorvane::gui::MainWindow;

namespace {

const Message kRequired{"Fill out required fields !", "ID10T detected", Icon::Exclamation};

}  // namespace

class CalculatorPagesTest : public quorvane::test::WindowFixture {
    Q_OBJECT

    void show(MainWindow::Page page) {
        QTest::mouseClick(window_->pages()->tab(page), Qt::LeftButton);
        QVERIFY(window_->pages()->page(page)->isVisible());
    }
    void fill(const QList<std::pair<const char*, QString>>& texts) {
        for (const auto& [field, value] : texts) type(field, value);
    }

private slots:
    void cleanup() { window_.reset(); }

    void fieldsFramesAndButtonsAsLaidOut() {
        open();
        struct PageLayout {
            MainWindow::Page page;
            QStringList frames;
            const char* description;  // the explanation's label and its last words
            QString descriptionEnd;
            QStringList fields;
            QStringList labels;
            QStringList buttons;
        };
        const PageLayout pages[] = {
            {MainWindow::Error110, {"Frame1", "Frame2", "Frame3"}, "Label1",
             "will help determine if the error is fixable.",
             {"cyls110", "heads110", "sects110", "ucsectors", "endbegin"},
             {"Cylinders", "Heads", "Sectors", "ucsectors", "end - begin "},
             {"Calculate", "Clear form"}},
            {MainWindow::Error108, {"Frame4", "Frame5", "Frame6"}, "Label8",
             "expected to be Y, not 1\", the error might be fixable.",
             {"cyls108", "hds108", "scts108", "ss108", "nums108"},
             {"Cylinders", "Heads", "Sectors", "Start Sector", "Num Sects"},
             {"Calculate", "Clear form"}},
            {MainWindow::Bogus113, {"Frame23", "Frame24", "Frame25"}, "Label37",
             "than the Number of sectors value in the partition table. ",
             {"sectclus", "root", "sectsfat", "bigtotal", "numbersect"},
             {"Sects /cluster", "Root entries", "Sects /FAT", "Big total sectors",
              "Number sectors"},
             {"Display info", "Calculate", "Clear all"}},
        };
        for (const PageLayout& p : pages) {
            show(p.page);
            QWidget* page = window_->pages()->page(p.page);
            QStringList captions;
            for (const QString& frame : p.frames)
                captions << page->findChild<QGroupBox*>(frame)->title();
            QCOMPARE(captions, (QStringList{"Description:", "Input", "Controls"}));
            auto* description = page->findChild<QGroupBox*>(p.frames[0])->findChild<QLabel*>();
            QCOMPARE(description->objectName(), QString(p.description));
            QVERIFY2(description->text().endsWith(p.descriptionEnd), qPrintable(p.description));
            auto* hint = page->findChild<QGroupBox*>(p.frames[1])->findChildren<QLabel*>().value(0);
            QCOMPARE(hint->text(), QString("(Required values appear on a partinfo)"));
            for (qsizetype i = 0; i < p.fields.size(); ++i) {
                auto* field = page->findChild<QLineEdit*>(p.fields[i]);
                QVERIFY2(field, qPrintable(p.fields[i]));
                QLabel* label = nullptr;
                for (QLabel* candidate : page->findChildren<QLabel*>())
                    if (candidate->buddy() == field) label = candidate;
                QVERIFY2(label, qPrintable(p.fields[i]));
                QCOMPARE(label->text(), p.labels[i]);
                QCOMPARE(field->accessibleName(), p.labels[i].trimmed());
            }
            // Buttons stand top to bottom in the controls frame.
            QStringList buttons;
            int lastTop = -1;
            for (QPushButton* button :
                 page->findChild<QGroupBox*>(p.frames[2])->findChildren<QPushButton*>()) {
                QVERIFY(button->y() > lastTop);
                lastTop = button->y();
                buttons << button->text();
            }
            QCOMPARE(buttons, p.buttons);
        }
    }

    void error110ReportsAndClears() {
        open();
        show(MainWindow::Error110);
        const QString intro = report();
        click("cmdCalc110");  // an empty page: 0 / 0
        QCOMPARE(dialogs_.shown, std::vector<Message>{kRequired});
        QCOMPARE(report(), intro);

        fill({{"cyls110", "100"}, {"heads110", "255"}, {"sects110", "63"},
              {"ucsectors", "1000"}, {"endbegin", "17065x"}});
        click("cmdCalc110");
        QVERIFY(report().startsWith(" The size in Mb's is : 784.423828125\n"
                                    " The offset in cylinders is : 1\n\nThis problem can "));
        QVERIFY(report().endsWith("PartitionMagic should now run fine."));
        QCOMPARE(text("endbegin"), QString("17065x"));

        const QString before = report();
        type("heads110", "");
        click("cmdCalc110");  // counts differ over no geometry: silent
        QCOMPARE(report(), before);
        QCOMPARE(dialogs_.shown.size(), size_t(1));

        click("Clear110form");
        QCOMPARE(report(), QString());
        for (const char* field : {"cyls110", "heads110", "sects110", "ucsectors", "endbegin"})
            QVERIFY2(text(field).isEmpty(), field);
    }

    void error108EmptiesReportFirst() {
        open(quorvane::core::NumberFormat::comma());
        show(MainWindow::Error108);
        fill({{"cyls108", "anything"}, {"ss108", "63"}, {"nums108", "16002"},
              {"scts108", "63"}});
        click("Calc108");  // no heads: silent, and the report is gone
        QCOMPARE(report(), QString());
        QVERIFY(dialogs_.shown.empty());

        type("hds108", "255");
        click("Calc108");
        QVERIFY(report().contains("1 cylinder smaller (7,84423828125 Mb in this case)"));

        click("Clear108form");
        QCOMPARE(report(), QString());
        for (const char* field : {"cyls108", "hds108", "scts108", "ss108", "nums108"})
            QVERIFY2(text(field).isEmpty(), field);
        click("Calc108");
        QCOMPARE(dialogs_.shown, std::vector<Message>{kRequired});
    }

    void bogus113InfoCalculateAndClear() {
        open();
        show(MainWindow::Bogus113);
        click("Calc");
        QCOMPARE(dialogs_.shown, std::vector<Message>{kRequired});
        QCOMPARE(report(), QString());

        click("info113");
        QVERIFY(report().startsWith("The bogus error 113 is caused when"));
        QVERIFY(report().contains("boot record.\n\nDue to the nature"));

        fill({{"sectclus", "64"}, {"root", "512"}, {"sectsfat", "256"},
              {"bigtotal", "4194945"}, {"numbersect", "4194881"}});
        click("Calc");
        QCOMPARE(report(), QString("Resultant Big total number of sectors: 4194721\n"
                                   "Overlap in clusters: 1\n\nYou will need to adjust the "
                                   "Number of Sectors in the partition table to match the Big "
                                   "Total Number of Sectors."));

        click("clear113");
        QCOMPARE(report(), QString());
        for (const char* field : {"sectclus", "root", "sectsfat", "bigtotal", "numbersect"})
            QVERIFY2(text(field).isEmpty(), field);
        QCOMPARE(dialogs_.shown.size(), size_t(1));
    }

    void clearCommandsAndOtherPages() {
        open();
        const char* fields[] = {"cyls110", "heads110", "sects110", "ucsectors", "endbegin",
                                "cyls108", "hds108",   "scts108",  "ss108",     "nums108",
                                "sectclus", "root",    "sectsfat", "bigtotal",  "numbersect"};
        for (const char* field : fields) type(field, "7");
        type("dgcyls", "1024");

        // Each page's own clear leaves the other pages alone.
        click("Clear108form");
        QCOMPARE(text("cyls110"), QString("7"));
        QCOMPARE(text("sectclus"), QString("7"));
        QCOMPARE(text("dgcyls"), QString("1024"));
        click("clear");  // "Clear all" of the "Geometry" page
        QCOMPARE(text("endbegin"), QString("7"));
        QCOMPARE(text("numbersect"), QString("7"));

        clickToolbar("Clear all");
        for (const char* field : fields) QVERIFY2(text(field).isEmpty(), field);
        QCOMPARE(dialogs_.shown.size(), size_t(1));
        QCOMPARE(dialogs_.shown[0], (Message{"All fields have been reset...", "VELK"}));
    }
};

QTEST_MAIN(CalculatorPagesTest)
#include "calculators_test.moc"
