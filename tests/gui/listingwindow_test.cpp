// Partinfo listings in the window, driven as a person would: read through
// File > "Read partinfo listing...", pasted through File > "Paste partinfo
// listing" or dropped onto the window; the list of a listing's disks and
// entries with what the listing says; "Use for ..." followed by the page's
// own Calculate, in either number format; and what holds no listing
// refused with a message and nothing changed.
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <map>

#include "core/base/texts.h"
#include "core/readers/partinfo.h"
#include "gui/app/pagetabs.h"
#include "listingwriter.h"
#include "windowfixture.h"

using quorvane::core::Icon;
using quorvane::core::Message;
using quorvane::core::NumberFormat;
using quorvane::gui::MainWindow;
using quorvane::test::rows;
using quorvane::test::ListedBootRecord;
using quorvane::test::ListedDisk;

namespace {

// Disk 1 of 1000 cylinders at 255/63: an active NTFS C: on the first half,
// which the listing says ends off a cylinder boundary (it does not), a FAT32
// D: on the second, each with its boot record. Disk 2 of 500
// cylinders holds one Linux partition whose end is a head short of its
// cylinder, which the listing reports as #108.
std::vector<ListedDisk> ntDisks() {
    ListedDisk one{.number = 1, .cylinders = 1000, .heads = 255, .sectors = 63};
    one.entries.push_back({.boot = 0x80, .type = 0x07, .begin = {0, 1, 1},
                           .end = {499, 254, 63}, .start = 63, .count = 8032437,
                           .after = quorvane::test::error108(254, 253)});
    one.entries.push_back({.slot = 1, .type = 0x0B, .begin = {500, 0, 1}, .end = {999, 254, 63},
                           .start = 8032500, .count = 8032500, .label = "DATA"});
    one.volumes.push_back({.volume = "C:", .partType = "NTFS", .status = "Pri,Boot",
                           .sizeMb = "3922.1", .partSect = 0, .slot = 0, .start = 63,
                           .total = 8032437});
    one.volumes.push_back({.volume = "D:DATA", .partType = "FAT32", .status = "Pri",
                           .sizeMb = "3922.1", .partSect = 0, .slot = 1, .start = 8032500,
                           .total = 8032500});
    one.bootRecords.push_back(ListedBootRecord{
        .drive = "C:", .start = 63, .type = "NTFS",
        .fields = {{"Bytes per Sector", "512"}, {"Sectors per Cluster", "8"},
                   {"Total NTFS Sectors", "8032436"}, {"Boot Signature", "0xAA55"}}});
    one.bootRecords.push_back(ListedBootRecord{
        .drive = "D:", .start = 8032500, .type = "FAT32",
        .fields = {{"Bytes per Sector", "512"}, {"Sectors per Cluster", "16"},
                   {"Reserved Sectors", "32"}, {"Number of FAT's", "2"},
                   {"Sectors per FAT", "0"}, {"Big Total Sectors", "8032500  (0x7A90F4)"},
                   {"Big Sectors per FAT", "3918"}, {"Boot Signature", "0xAA55"}}});
    ListedDisk two{.number = 2, .cylinders = 500, .heads = 255, .sectors = 63};
    two.entries.push_back({.type = 0x83, .begin = {0, 1, 1}, .end = {99, 253, 63}, .start = 63,
                           .count = 1606500 - 63 - 63,
                           .after = quorvane::test::error108(254, 253)});
    return {one, two};
}

// Disk 1 of 4982 cylinders at 16/63: a FAT16 C: whose stored end is one
// cylinder short of its count, which the listing reports as #110.
ListedDisk dosDisk() {
    ListedDisk disk{.number = 1, .cylinders = 4982, .heads = 16, .sectors = 63};
    disk.entries.push_back({.boot = 0x80, .type = 0x06, .begin = {0, 1, 1}, .end = {1014, 15, 63},
                            .start = 63, .count = 1024065});
    disk.messages = quorvane::test::dosError110(1024065, 1023057);
    return disk;
}

const std::string kNt = quorvane::test::ntListing(ntDisks());
const std::string kDos = quorvane::test::dosListing({dosDisk()});

// Error 110's report for C: of the DOS listing, whose end - begin is one
// cylinder short of its count.
QString error110Report(QChar separator) {
    return " The size in Mb's is : 499" + QString(separator) +
           "5703125\n The offset in cylinders is : -1\n\nThis problem can probably be fixed by "
           "using the /ipe switch if no other partition table errors are present. The risk of "
           "dataloss is not higher then normal.\n\n\n\n\n" +
           QString(57, u'-') +
           "General procedure for using the /ipe switch (this can pasted into an email):\n\nBoot "
           "into DOS (from a diskette) and insert the 2nd PartitionMagic Rescue diskette. - From "
           "the a:\\prompt type pqmagic/ipe [enter]. - 'Right click' the partition that shows "
           "the error in the partinfo and select the option 'resize/move'. - In the resize/move "
           "dialog, make the partition 20 Mb smaller, then click 'OK'. - Now apply the changes. "
           "When done, reboot the computer, PartitionMagic should now run fine.";
}


}  // namespace

class ListingWindowTest : public quorvane::test::WindowFixture {
    Q_OBJECT

    enum Way { File, Paste, DropText, DropFile };

    // Every field of every page as page:name=text, and the active flag.
    std::map<QString, QString> everyPage() {
        std::map<QString, QString> fields;
        for (int i = 0; i < window_->pages()->count(); ++i) {
            QWidget* page = window_->pages()->page(i);
            const QString prefix = QString::number(i) + ":";
            for (QLineEdit* edit : page->findChildren<QLineEdit*>())
                if (!edit->objectName().isEmpty() && !qobject_cast<QComboBox*>(edit->parent()))
                    fields[prefix + edit->objectName()] = edit->text();
            for (QComboBox* combo : page->findChildren<QComboBox*>())
                fields[prefix + combo->objectName()] = combo->currentText();
            for (QRadioButton* radio : page->findChildren<QRadioButton*>())
                fields[prefix + radio->objectName()] = radio->isChecked() ? "on" : "off";
        }
        return fields;
    }
    // Writes `bytes` as a file of the test's own and returns its path.
    QString writeFile(const char* name, const std::string& bytes) {
        const QString path = files_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", name);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    void drop(QMimeData* data) {
        const QPoint at = window_->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window_.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window_.get(), &dropped);
        QVERIFY(dropped.isAccepted());
        delete data;
    }
    // Brings `text` in the way given and returns the list it opened, if
    // any, once any message has been shown.
    QDialog* bring(Way way, const std::string& text) {
        // A list closed before is gone first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const std::size_t shown = dialogs_.shown.size();
        switch (way) {
            case File:
                chooser_.path = writeFile("partinfo.txt", text).toStdString();
                menuEntry("mnulisting")->trigger();
                break;
            case Paste:
                QGuiApplication::clipboard()->setText(QString::fromStdString(text));
                menuEntry("mnupaste")->trigger();
                break;
            case DropText: {
                auto* data = new QMimeData;
                data->setText(QString::fromStdString(text));
                drop(data);
                break;
            }
            case DropFile: {
                auto* data = new QMimeData;
                data->setUrls({QUrl::fromLocalFile(writeFile("dropped.txt", text))});
                drop(data);
                break;
            }
        }
        // A drop is read once it is over.
        const auto arrived = [&] {
            return window_->findChild<QDialog*>("frmListing") || dialogs_.shown.size() > shown;
        };
        if (!QTest::qWaitFor(arrived, 5000)) return nullptr;
        return window_->findChild<QDialog*>("frmListing");
    }
    QDialog* bringOrFail(Way way, const std::string& text) {
        QDialog* list = bring(way, text);
        if (!list) qFatal("no list of the listing");
        return list;
    }
    template <typename T>
    static T* in(QDialog* list, const char* name) {
        T* found = list->findChild<T*>(name);
        if (!found) qFatal("no control named %s in the list", name);
        return found;
    }

private slots:
    void cleanup() {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void listShowsEachDiskWithWhatTheListingSays() {
        open();
        QDialog* list = bringOrFail(File, kNt);
        QVERIFY(list->isVisible());
        QCOMPARE(chooser_.titles, std::vector<std::string>{"Read partinfo listing"});
        QCOMPARE(list->windowModality(), Qt::WindowModal);
        QCOMPARE(list->windowTitle(), QString("Partinfo listing of partinfo.txt"));
        QCOMPARE(in<QLabel>(list, "lblListing")->text(),
                 "Listing: " + QString::fromStdString(*chooser_.path) + " (nt layout)");
        auto* disks = in<QComboBox>(list, "cboDisk");
        QCOMPARE(disks->count(), 2);
        QCOMPARE(disks->itemText(1), QString("Disk 2"));
        auto* entries = in<QTreeWidget>(list, "lstEntries");
        const QString header =
            "No. | Table sector | Slot | Type | Active | Begin CHS | End CHS | Start | Sectors | "
            "Failed checks | Listing's codes";
        const struct {
            int disk;
            QString geometry;
            QStringList rows;
            QString findings;
            QString messages;
        } shown[] = {
            {0, "Geometry: 1000/255/63 (from the listing)",
             {"1 | 0 | 1 | 07 | yes | 0/1/1 | 499/254/63 | 63 | 8032437 | none | #108",
              "2 | 0 | 2 | 0B | no | 500/0/1 | 999/254/63 | 8032500 | 8032500 | none | none"},
             "None: the entries agree with each other.\nPartition 1: The listing reports #108 "
             "(Partition didn't end on cylinder boundary.), but Check finds #108 o.k.",
             "Line 26: Error #108: Partition didn't end on cylinder boundary. "
             "[ucEndHead = 253, expected 254]"},
            {1, "Geometry: 500/255/63 (from the listing)",
             {"1 | 0 | 1 | 83 | no | 0/1/1 | 99/253/63 | 63 | 1606374 | #108 | #108"},
             "None: the entries agree with each other.",
             "Line 67: Error #108: Partition didn't end on cylinder boundary. "
             "[ucEndHead = 253, expected 254]"},
        };
        for (const auto& s : shown) {
            disks->setCurrentIndex(s.disk);
            QStringList header_;
            for (int column = 0; column < entries->columnCount(); ++column)
                header_ << entries->headerItem()->text(column);
            QCOMPARE(QStringList(header_.join(" | ")) + rows(entries), QStringList(header) + s.rows);
            QCOMPARE(in<QLabel>(list, "lblGeometry")->text(), s.geometry);
            QCOMPARE(in<QPlainTextEdit>(list, "txtFindings")->toPlainText(), s.findings);
            auto* messages = in<QPlainTextEdit>(list, "txtMessages");
            QCOMPARE(messages->toPlainText(), s.messages);
            QCOMPARE(messages->isVisible(), !s.messages.isEmpty());
            // The first entry is chosen on each disk.
            QCOMPARE(entries->currentItem(), entries->topLevelItem(0));
            QVERIFY(in<QPushButton>(list, "cmdUse")->isEnabled());
        }
        QVERIFY(!list->findChild<QWidget*>("txtUnread"));
        list->close();
    }

    // What each "Use for ..." button offers for an entry: enabled with the
    // page it fills, or disabled saying what the listing lacks.
    void pageButtonsFollowTheSelectedEntry() {
        open();
        QDialog* list = bringOrFail(Paste, kNt);
        QCOMPARE(list->windowTitle(), QString("Partinfo listing from the clipboard"));
        auto* entries = in<QTreeWidget>(list, "lstEntries");
        const char* buttons[] = {"cmdUse110", "cmdUse108",  "cmdUse113",
                                 "cmdUseFat32", "cmdUseNtfs", "cmdUseDynRoot"};
        const struct {
            int row;
            QStringList states;  // per button: its caption, enabled, its tool tip
        } cases[] = {
            {0,
             {"Use for Error 11&0 | off | Not from this entry: the listing gives no #110 message "
              "for this entry (ucSectors, end - begin)",
              "Use for Error 10&8 | on | Put the selected entry's values on the Error 108 page",
              "Use for &Bogus 113 | off | Not from this entry: the listing holds no FAT or FAT32 "
              "boot record of the volume at sector 63",
              "Use for F&at32 bbs | off | Not from this entry: the volume at sector 63 holds "
              "NTFS, not FAT32 (type 0B or 0C)",
              "Use for &NTFS bbs | on | Put the selected entry's values on the NTFS bbs page",
              "Use for D&YN_ROOT | off | Not from this entry: the volume at sector 63 holds NTFS, "
              "not FAT12 or FAT16"}},
            {1,
             {"Use for Error 11&0 | off | Not from this entry: the listing gives no #110 message "
              "for this entry (ucSectors, end - begin)",
              "Use for Error 10&8 | on | Put the selected entry's values on the Error 108 page",
              "Use for &Bogus 113 | on | Put the selected entry's values on the Bogus 113 page",
              "Use for F&at32 bbs | on | Put the selected entry's values on the Fat32 bbs page",
              "Use for &NTFS bbs | off | Not from this entry: the volume at sector 8032500 holds "
              "FAT32, not NTFS (type 07)",
              "Use for D&YN_ROOT | off | Not from this entry: the volume at sector 8032500 holds "
              "FAT32, not FAT12 or FAT16"}},
        };
        for (const auto& c : cases) {
            entries->setCurrentItem(entries->topLevelItem(c.row));
            QStringList states;
            for (const char* name : buttons) {
                auto* button = in<QPushButton>(list, name);
                QCOMPARE(button->accessibleDescription(), button->toolTip());
                states << button->text() + " | " + (button->isEnabled() ? "on" : "off") + " | " +
                              button->toolTip();
            }
            QCOMPARE(states, c.states);
        }
        // Without a chosen entry nothing can be used.
        entries->clearSelection();
        for (const char* name : {"cmdUse", "cmdUse108", "cmdUseNtfs"})
            QVERIFY(!in<QPushButton>(list, name)->isEnabled());
        list->close();
    }

    // "Use for ..." fills its page and nothing else, shows it and closes
    // the list; the page's own Calculate then works on it as on values
    // typed in.
    void useForPageThenCalculate() {
        const struct {
            Way way;
            NumberFormat format;
            const std::string* listing;
            int disk, row;
            const char* button;
            MainWindow::Page page;
            std::map<QString, QString> filled;
            const char* calculate;
            QString report;
        } cases[] = {
            {File, NumberFormat::comma(), &kNt, 0, 1, "cmdUse108", MainWindow::Error108,
             {{"1:cyls108", "1000"}, {"1:hds108", "255"}, {"1:scts108", "63"},
              {"1:ss108", "8032500"}, {"1:nums108", "8032500"}},
             "Calc108",
             "This problem can probably be fixed by using the /ipe switch and resize the "
             "partition 1 cylinder smaller (7,84423828125 Mb in this case) if no other "
             "partition table errors are present. The risk of dataloss is not higher then "
             "normal."},
            {DropText, NumberFormat::point(), &kDos, 0, 0, "cmdUse110", MainWindow::Error110,
             {{"0:cyls110", "1015"}, {"0:heads110", "16"}, {"0:sects110", "63"},
              {"0:ucsectors", "1024065"}, {"0:endbegin", "1023057"}},
             "cmdCalc110", error110Report('.')},
            {Paste, NumberFormat::comma(), &kNt, 0, 1, "cmdUse113", MainWindow::Bogus113,
             {{"6:sectclus", "16"}, {"6:root", "0"}, {"6:sectsfat", "3918"},
              {"6:bigtotal", "8032500"}, {"6:numbersect", "8032500"}},
             "Calc",
             "Resultant Big total number of sectors: 16055933\nOverlap in clusters: 0\n\nThis can "
             "probably be fixed by adjusting the 'Big Total Number of Sectors' in the bootsector to "
             "match 'sectors' from the partition table."},
        };
        for (const auto& c : cases) {
            open(c.format);
            std::map<QString, QString> expected = everyPage();
            for (const auto& [field, text] : c.filled) expected[field] = text;
            QDialog* list = bringOrFail(c.way, *c.listing);
            QVERIFY(QTest::qWaitForWindowExposed(list));
            if (auto* disks = list->findChild<QComboBox*>("cboDisk"))
                disks->setCurrentIndex(c.disk);
            auto* entries = in<QTreeWidget>(list, "lstEntries");
            entries->setCurrentItem(entries->topLevelItem(c.row));
            QTest::mouseClick(in<QPushButton>(list, c.button), Qt::LeftButton);
            QVERIFY(!list->isVisible());
            QCOMPARE(window_->pages()->currentIndex(), int(c.page));
            QCOMPARE(everyPage(), expected);
            click(c.calculate);
            QCOMPARE(report(), c.report);
            QVERIFY(dialogs_.shown.empty());
        }
    }

    // "Use entry" puts a listing's entry on the Geometry page with its
    // disk as the drive.
    void useEntryOfTheSecondDisk() {
        open();
        QDialog* list = bringOrFail(DropFile, kNt);
        in<QComboBox>(list, "cboDisk")->setCurrentIndex(1);
        QTest::keyClick(in<QTreeWidget>(list, "lstEntries"), Qt::Key_Return);
        QVERIFY(!list->isVisible());
        QCOMPARE(window_->pages()->currentIndex(), int(MainWindow::Geometry));
        QStringList page;
        for (const char* field : {"dgcyls", "dgheads", "dgsects", "cyls", "heads", "sects",
                                  "ecyls", "eheads", "esects", "lbastrt", "LBAend", "prtsct"})
            page << text(field);
        page << child<QComboBox>("drive")->currentText() << child<QComboBox>("prtno")->currentText()
             << child<QComboBox>("filesys")->currentText();
        QCOMPARE(page.join(' '), QString("500 255 63 0 1 1 99 253 63 63 1606374 0 2 1 83"));
    }

    // A listing without entries opens the list with what it holds and what
    // the Geometry page lacks; nothing can be used.
    void listingWithoutEntriesSaysWhatIsMissing() {
        const struct {
            std::string listing;
            QString geometry;  // and what the Geometry page lacks
            QString messages;
        } cases[] = {
            {"Error #114: Logical starting at 45865701 is not one head away from EPBR.\r\n\r\n"
             "Error #105: Partition didn't begin on head boundary.\r\n",
             "Geometry: not in the listing\nThe listing holds no partition table entries for the "
             "disk, only messages: the "
             "Geometry page needs the rows of its partition table (PartSect to NumSects).",
             "Line 1: Error #114: Logical starting at 45865701 is not one head away from EPBR.\n"
             "Line 3: Error #105: Partition didn't begin on head boundary."},
            {[] {
                 std::vector<ListedDisk> disks = ntDisks();
                 disks[0].entries.clear();
                 disks[0].bootRecords.clear();
                 return quorvane::test::ntListing({disks[0]});
             }(),
             "Geometry: 1000/255/63 (from the listing)\nThe listing holds no partition table "
             "entries for disk 1, only its Partition "
             "Information: the Geometry page needs the rows of its partition table (PartSect to "
             "NumSects).",
             "Line 32: C: NTFS Pri,Boot 3922.1 0 0 63 8032437\n"
             "Line 33: D:DATA FAT32 Pri 3922.1 0 1 8032500 8032500"},
        };
        open();
        for (const auto& c : cases) {
            QDialog* list = bringOrFail(Paste, c.listing);
            QCOMPARE(in<QLabel>(list, "lblGeometry")->text(), c.geometry);
            QCOMPARE(in<QPlainTextEdit>(list, "txtMessages")->toPlainText(), c.messages);
            QCOMPARE(in<QTreeWidget>(list, "lstEntries")->topLevelItemCount(), 0);
            for (QPushButton* button : list->findChildren<QPushButton*>())
                QCOMPARE(button->isEnabled(), button->objectName() == "cmdClose");
            QVERIFY(dialogs_.shown.empty());
            list->close();
        }
    }

    void linesNotReadAreListed() {
        open();
        std::string damaged = kDos;
        // A row cut short after its type.
        damaged.insert(damaged.find("1024065\r\n") + 9, "         0 1   00  1016    0    1  0C\r\n");
        QDialog* list = bringOrFail(File, damaged);
        QCOMPARE(in<QPlainTextEdit>(list, "txtUnread")->toPlainText(),
                 QString("Line 10:          0 1   00  1016    0    1  0C"));
        list->close();
    }

    // Nothing that holds no listing changes a page or the report.
    void badInputIsRefusedAndChangesNothing() {
        const std::string image = [this] {
            quorvane::test::TableImage table(2048 * 512);
            table.entry(0, 1, quorvane::test::entryAt(0x07, 0, 63, 1985));
            QFile file(QString::fromStdString(writeImage(table)));
            return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
        }();
        const struct {
            Way way;
            std::string bytes;
            std::string name;  // where it came from, the file's path left out
            std::string reason;
        } cases[] = {
            {File, "", "", "it is empty"},
            {File, std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 10), "", "it holds binary data, not text"},
            {DropFile, image, "",
             "it is a disk image, not a text listing: read it as a partition table instead"},
            {Paste, "", "the clipboard", "it is empty"},
            {Paste, std::string(quorvane::core::kMaxListingBytes + 1, 'x'), "the clipboard",
             "it is larger than 16 MiB, and a listing is a few hundred kilobytes at most: choose "
             "the text file that partinfo wrote"},
            {DropText, "Hello, this is no listing.\r\n", "the dropped text",
             "it is text, but holds no partinfo listing: no disk geometry, partition table, "
             "partition information or boot record was found"},
        };
        open();
        typeChsEntry();
        type("ucsectors", "1024065");
        const std::map<QString, QString> pages = everyPage();
        const QString shown = report();
        for (const auto& c : cases) {
            dialogs_.shown.clear();
            QVERIFY(!bring(c.way, c.bytes));
            const std::string name =
                !c.name.empty() ? c.name
                : c.way == File ? *chooser_.path
                                : files_.filePath("dropped.txt").toStdString();
            QCOMPARE(dialogs_.shown,
                     (std::vector<Message>{{"Cannot read '" + name + "' as a partinfo listing: " +
                                                c.reason + ".",
                                            "Quorvane", Icon::Exclamation}}));
            QCOMPARE(everyPage(), pages);
            QCOMPARE(report(), shown);
        }
        // A file larger than any listing is refused before it is read.
        QFile large(files_.filePath("large.txt"));
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(16 * 1024 * 1024 + 1));
        large.close();
        chooser_.path = large.fileName().toStdString();
        dialogs_.shown.clear();
        menuEntry("mnulisting")->trigger();
        QCOMPARE(dialogs_.shown.size(), std::size_t(1));
        QCOMPARE(dialogs_.shown[0].prompt, "Cannot read '" + *chooser_.path +
                                               "' as a partinfo listing: it is larger than 16 MiB, and a listing is a few "
                                               "hundred kilobytes at most: choose the text file "
                                               "that partinfo wrote.");
        QCOMPARE(everyPage(), pages);
    }
};

QTEST_MAIN(ListingWindowTest)
#include "listingwindow_test.moc"
