// File > "Read partition table..." driven as a person would: the file
// dialog, the refusals of files that hold no partition table, the list of
// entries, and "Use entry" followed by "Check" and "Attached" on the
// "Geometry" page.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "bootsectors.h"
#include "core/base/texts.h"
#include "gui/app/pagetabs.h"
#include "gui/workbench/diskmapview.h"
#include "gui/workbench/tablewindow.h"
#include "platform/diskimage_std.h"
#include "windowfixture.h"

using quorvane::core::Icon;
using quorvane::core::Message;
using quorvane::core::NumberFormat;
using quorvane::gui::MainWindow;
using quorvane::test::rows;
using quorvane::test::TableImage;
namespace boot = quorvane::test::boot;

namespace {

constexpr std::uint32_t kFat32Start = 2048, kFat32Count = 1048576;
constexpr std::uint32_t kExtended = kFat32Start + kFat32Count, kLogical = kExtended + 63;

// A FAT32 volume of kFat32Count sectors whose hidden sectors are `hidden`.
boot::Fat fat32Volume(std::uint32_t hidden) {
    boot::Fat f;
    f.fat32 = true, f.sectorsPerCluster = 8, f.reserved = 32, f.total32 = kFat32Count;
    f.sectorsPerFat32 = 1024, f.hidden = hidden, f.type = "FAT32   ";
    return f;
}

// Puts a FAT32 volume at `start` whose boot sector is zeroed and whose
// backup, six sectors on, is sound.
void zeroedFat32(TableImage& image, std::uint64_t start, std::uint32_t hidden) {
    image.sectors[start + 1] = boot::fsInfo();
    image.sectors[start + 6] = boot::fatBoot(fat32Volume(hidden));
    image.sectors[start + 7] = boot::fsInfo();
}

// A disk with a FAT32 primary partition whose boot sector is zeroed and an
// extended partition holding a FAT16 volume whose root directory holds a
// directory DYN_ROOT starting at cluster 1234 (hexadecimal).
TableImage volumesTable() {
    TableImage image((std::uint64_t{kLogical} + 65536) * 512);
    image.entry(0, 1, quorvane::test::entryAt(0x0C, 0, kFat32Start, kFat32Count))
        .entry(0, 2, quorvane::test::entryAt(0x05, 0, kExtended, 63 + 65536))
        .entry(kExtended, 1, quorvane::test::entryAt(0x06, kExtended, 63, 65536));
    zeroedFat32(image, kFat32Start, kFat32Start);
    boot::Fat fat16;
    fat16.sectorsPerCluster = 4, fat16.reserved = 4, fat16.rootEntries = 512;
    fat16.total32 = 65536, fat16.sectorsPerFat16 = 64, fat16.hidden = 63;
    image.sectors[kLogical] = boot::fatBoot(fat16);
    boot::Bytes root{};
    boot::dirEntry(root, 0, "DATA       ", 0x10, 0x0003);
    boot::dirEntry(root, 1, "DYN_ROOT   ", 0x10, 0x1234);
    image.sectors[kLogical + 4 + 2 * 64] = root;
    return image;
}

}  // namespace

class TableWindowTest : public quorvane::test::WindowFixture {
    Q_OBJECT

    // The "Geometry" page's fields as name=text, the active flag last.
    QStringList geometryPage() {
        QStringList fields;
        for (const auto& field : quorvane::core::geometryTextFields()) {
            const QString name = QString::fromUtf8(field.name.data(), field.name.size());
            QWidget* control = child<QWidget>(qPrintable(name));
            const auto* combo = qobject_cast<QComboBox*>(control);
            fields << name + "=" +
                          (combo ? combo->currentText()
                                 : qobject_cast<QLineEdit*>(control)->text());
        }
        const bool active = child<QRadioButton>("Optact")->isChecked();
        return fields << QString("Optact=") + (active ? "on" : "off");
    }
    QTreeWidget* entryList(QDialog* table) {
        return table->findChild<QTreeWidget*>("lstEntries");
    }
    // The page buttons of a list as "caption | on/off | tool tip".
    static QStringList pageButtons(QDialog* list) {
        QStringList states;
        for (const char* name : {"cmdUse110", "cmdUse108", "cmdUse113", "cmdUseFat32",
                                 "cmdUseNtfs", "cmdUseDynRoot"}) {
            auto* button = list->findChild<QPushButton*>(name);
            if (!button) return {QString("no button ") + name};
            if (button->accessibleDescription() != button->toolTip())
                return {QString("tool tip and description differ: ") + name};
            states << button->text().remove('&') + " | " + (button->isEnabled() ? "on" : "off") +
                          " | " + button->toolTip();
        }
        return states;
    }

private slots:
    void cleanup() {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void accessKeyAsksForAFileAndCancelChangesNothing() {
        open();
        typeChsEntry();
        const QStringList page = geometryPage();
        const QString shown = report();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QTest::keyClick(window_.get(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), child<QMenu>("mnufile"));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_R);
        QTRY_COMPARE(chooser_.titles, std::vector<std::string>{"Read partition table"});
        QVERIFY(!window_->findChild<QDialog*>("frmTable"));
        QVERIFY(dialogs_.shown.empty());
        QCOMPARE(geometryPage(), page);
        QCOMPARE(report(), shown);
    }

    void fileWithoutATableIsRefusedAndChangesNothing() {
        enum Kind { File, Folder, Absent, System };
        const QByteArray sector(512, '\0');
        QByteArray fat32 = sector;
        fat32.replace(0, 11, "\xEB\x58\x90MSWIN4.1").replace(82, 8, "FAT32   ");
        fat32.replace(440, 28, "Remove disks or other media.").replace(510, 2, "\x55\xAA");
        const struct {
            Kind kind;
            const char* name;  // in the test's folder, or the system's path
            QByteArray bytes;  // a file's contents
            std::string reason;
        } cases[] = {
            {File, "empty.img", {}, "the file is empty"},
            {File, "short.img", QByteArray(100, 'x'),
             "the file holds 100 bytes, less than one sector (512 bytes)"},
            {File, "nosignature.img", sector,
             "its first sector does not end with the signature 55AA of a partition table"},
            {File, "emptytable.img", sector.left(510) + "\x55\xAA",
             "the partition table in its first sector is empty (all four entries are zero)"},
            {File, "disk.qcow2", QByteArray("QFI\xfb") + sector,
             "it is a qcow2 virtual disk, not a raw disk image; qemu-img convert -O raw makes a "
             "raw image of it"},
            {File, "disk.vhdx", QByteArray("vhdxfile") + sector,
             "it is a VHDX virtual disk, not a raw disk image; qemu-img convert -O raw makes a "
             "raw image of it"},
            {Absent, "missing.img", {}, "it cannot be opened: No such file or directory"},
            {Folder, "folder.img", {},
             "it is a directory, not a saved disk image: save an image first, for example with "
             "dd if=/dev/sdX of=disk.img conv=sparse, and read the image"},
#ifdef Q_OS_UNIX
            {System, "/dev/null", {},
             "it is a device, and Quorvane never reads a disk itself: save an image first, for "
             "example with dd if=/dev/sdX of=disk.img conv=sparse, and read the image"},
#endif
        };
        open();
        typeChsEntry();
        const QStringList page = geometryPage();
        const QString shown = report();
        for (const auto& c : cases) {
            const QString path = c.kind == System ? QString(c.name) : files_.filePath(c.name);
            if (c.kind == Folder) QVERIFY(QDir().mkdir(path));
            if (c.kind == File) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(c.bytes);
            }
            dialogs_.shown.clear();
            QVERIFY(!readTable(path.toStdString()));
            QCOMPARE(dialogs_.shown, (std::vector<Message>{{"Cannot read '" + path.toStdString() +
                                                                "' as a partition table: " +
                                                                c.reason + ".",
                                                            "Quorvane", Icon::Exclamation}}));
            QCOMPARE(geometryPage(), page);
            QCOMPARE(report(), shown);
        }
    }

    void listShowsEveryEntryTheGeometryAndTheFindings() {
        open();
        const std::string path = writeImage(sampleTable());
        QDialog* table = readTable(path);
        QVERIFY(table && table->isVisible());
        QCOMPARE(table->windowModality(), Qt::WindowModal);
        QCOMPARE(table->windowTitle(), QString("Partition table of disk.img"));
        QCOMPARE(table->findChild<QLabel*>("lblImage")->text(),
                 QString::fromStdString("Image: " + path + ", 1606500 sectors"));
        QCOMPARE(table->findChild<QLabel*>("lblGeometry")->text(),
                 QString("Geometry: 100/255/63 (guessed from the table)"));
        QTreeWidget* list = entryList(table);
        QStringList header;
        for (int column = 0; column < list->columnCount(); ++column)
            header << list->headerItem()->text(column);
        QCOMPARE(QStringList(header.join(" | ")) + rows(list), (QStringList{
            "No. | Table sector | Slot | Type | Active | Begin CHS | End CHS | Start | Sectors | "
            "Failed checks",
            "1 | 0 | 1 | 0C | yes | 0/1/1 | 9/254/63 | 63 | 160587 | none",
            "2 | 0 | 2 | 07 | yes | 10/0/1 | 19/254/63 | 160650 | 160650 | none",
            "3 | 0 | 3 | 0F | no | 20/0/1 | 59/254/63 | 321300 | 642600 | none",
            "5 | 321300 | 1 | 82 | no | 20/1/1 | 29/254/63 | 321363 | 160587 | none",
            "link | 321300 | 2 | 05 | no | 30/0/1 | 39/254/63 | 481950 | 160650 | none",
            "6 | 481950 | 1 | 83 | no | 30/1/1 | 39/254/63 | 482013 | 144522 | #110",
        }));
        QCOMPARE(table->findChild<QPlainTextEdit*>("txtFindings")->toPlainText(),
                 QString("More than one primary partition is active: partition 1 (table sector "
                         "0, slot 1), partition 2 (table sector 0, slot 2)."));
        // The first entry is chosen on opening; without a choice "Use entry" waits.
        auto* use = table->findChild<QPushButton*>("cmdUse");
        QCOMPARE(list->currentItem(), list->topLevelItem(0));
        QVERIFY(use->isEnabled() && use->isDefault());
        list->clearSelection();
        QVERIFY(!use->isEnabled());
        table->close();

        // Beyond cylinder 1023 the stored CHS values are placeholders.
        TableImage large(std::uint64_t{1300} * 16065 * 512);
        large.entry(0, 1, quorvane::test::entryAt(0x07, 0, 1100 * 16065, 100 * 16065));
        QDialog* whole = readTable(writeImage(large, "large.img"));
        QVERIFY(!whole->findChild<QLabel*>("lblExtent"));
        QCOMPARE(rows(entryList(whole)),
                 QStringList{"1 | 0 | 1 | 07 | no | 1023/254/63 (placeholder) | "
                             "1023/254/63 (placeholder) | 17671500 | 1606500 | none"});
        whole->close();

        // An image of the disk's first sectors: said once, above the geometry.
        TableImage first(2048 * 512);
        first.entry(0, 1, quorvane::test::entryAt(0x07, 0, 63, 100 * 16065 - 63));
        QDialog* partial = readTable(writeImage(first, "first.img"));
        QCOMPARE(partial->findChild<QLabel*>("lblExtent")->text(),
                 QString("The image holds the first 2048 sectors; the entries reach sector "
                         "1606499."));
        QCOMPARE(partial->findChild<QLabel*>("lblGeometry")->text(),
                 QString("Geometry: 100/255/63 (guessed from the table; cylinders from the "
                         "table's extent)"));
        QCOMPARE(partial->findChild<QPlainTextEdit*>("txtFindings")->toPlainText(),
                 QString("None: the entries agree with each other."));
    }

    // Each entry's boot sector is read when it is chosen: a verdict below
    // the list, and the pages its volume fills.
    // The map above the list and the list share one selection, and the map
    // saves as the picture its file name asks for.
    void mapAndListShareTheSelectionAndTheMapSaves() {
        open();
        auto* table = qobject_cast<quorvane::gui::TableWindow*>(
            readTable(writeImage(volumesTable())));
        QVERIFY(table);
        QTreeWidget* list = entryList(table);
        quorvane::gui::DiskMapView* map = table->diskMap();
        QVERIFY(map);
        QVERIFY(map->focusPolicy() & Qt::TabFocus);
        for (const int row : {1, 0}) {
            list->setCurrentItem(list->topLevelItem(row));
            QCOMPARE(map->selectedEntry(), std::optional<std::size_t>(row));
        }
        // Choosing on the map selects the entry's row.
        const auto& segments = map->map().segments;
        for (std::size_t i = segments.size(); i-- > 0;) {
            if (!segments[i].entry) continue;
            map->chooseSegment(i);
            QCOMPARE(list->indexOfTopLevelItem(list->currentItem()),
                     static_cast<int>(*segments[i].entry));
            break;
        }
        for (const QString name : {"map.png", "map.svg"}) {
            const QString path = QDir(files_.path()).filePath(name);
            QString error;
            QVERIFY2(table->saveMap(path, &error), qPrintable(error));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray start = file.read(8);
            QVERIFY(name.endsWith(".png") ? start.startsWith("\x89PNG")
                                          : start.startsWith("<?xml") || start.startsWith("<svg"));
        }
    }

    void bootSectorVerdictFollowsTheSelectedEntry() {
        open();
        QDialog* table = readTable(writeImage(volumesTable()));
        QVERIFY(table);
        QTreeWidget* list = entryList(table);
        auto* verdict = table->findChild<QPlainTextEdit*>("txtBootSector");
        QVERIFY(verdict && verdict->isReadOnly());
        QCOMPARE(verdict->accessibleName(), QString("Boot sector"));
        const struct {
            int row;
            QString verdict;
            QStringList buttons;
        } cases[] = {
            {0,
             "File system: FAT32.\n"
             "The boot sector in sector 2048 holds an empty sector (all zero).\n"
             "Its backup in sector 2054 is sound.\n"
             "The boot sector is damaged and a backup is sound: the page Fat32 bbs restores it "
             "(start sector 2048).",
             {"Use for Error 110 | off | Not from this entry: a disk image holds no #110 message "
              "(ucSectors, end - begin): Check sizes the difference",
              "Use for Error 108 | on | Put the selected entry's values on the Error 108 page",
              "Use for Bogus 113 | on | Put the selected entry's values on the Bogus 113 page",
              "Use for Fat32 bbs | on | Put the selected entry's values on the Fat32 bbs page",
              "Use for NTFS bbs | off | Not from this entry: the volume at sector 2048 holds "
              "FAT32, not NTFS",
              "Use for DYN_ROOT | off | Not from this entry: the volume at sector 2048 holds "
              "FAT32, not FAT12 or FAT16"}},
            // The extended partition's sectors are no volume: nothing is read.
            {1, "The extended partition holds no volume of its own: its logical partitions do.",
             {"Use for Error 110 | off | Not from this entry: a disk image holds no #110 message "
              "(ucSectors, end - begin): Check sizes the difference",
              "Use for Error 108 | on | Put the selected entry's values on the Error 108 page",
              "Use for Bogus 113 | off | Not from this entry: the volume's boot sector was not "
              "read",
              "Use for Fat32 bbs | off | Not from this entry: the volume's boot sector was not "
              "read",
              "Use for NTFS bbs | off | Not from this entry: the volume's boot sector was not read",
              "Use for DYN_ROOT | off | Not from this entry: the volume's boot sector was not "
              "read"}},
            {2,
             "File system: FAT16.\n"
             "The boot sector in sector 1050687 is sound.\n"
             "No backup: FAT12 and FAT16 keep no backup of the boot sector.\n"
             "The root directory holds DYN_ROOT (start cluster 1234): the root directory is "
             "relocated; the page DYN_ROOT applies.",
             {"Use for Error 110 | off | Not from this entry: a disk image holds no #110 message "
              "(ucSectors, end - begin): Check sizes the difference",
              "Use for Error 108 | on | Put the selected entry's values on the Error 108 page",
              "Use for Bogus 113 | on | Put the selected entry's values on the Bogus 113 page",
              "Use for Fat32 bbs | off | Not from this entry: the volume at sector 1050687 holds "
              "FAT16, not FAT32",
              "Use for NTFS bbs | off | Not from this entry: the volume at sector 1050687 holds "
              "FAT16, not NTFS",
              "Use for DYN_ROOT | on | Put the selected entry's values on the DYN_ROOT page"}},
        };
        for (const auto& c : cases) {
            list->setCurrentItem(list->topLevelItem(c.row));
            QCOMPARE(verdict->toPlainText(), c.verdict);
            QCOMPARE(pageButtons(table), c.buttons);
        }
        list->clearSelection();
        QCOMPARE(verdict->toPlainText(),
                 QString("Choose an entry to see its volume's boot sector."));
        for (const char* name : {"cmdUse", "cmdUse108", "cmdUseFat32"})
            QVERIFY(!table->findChild<QPushButton*>(name)->isEnabled());
    }

    // "Use for ..." from an image fills the page as values typed by hand
    // would, and the page's own buttons give the same instructions.
    void useForPageFromAnImageGivesTheInstructionsOfValuesTypedIn() {
        const struct {
            NumberFormat format;
            int row;
            const char* button;
            MainWindow::Page page;
            std::vector<std::pair<const char*, const char*>> typed;  // by hand, in order
            std::vector<const char*> calculate;                      // clicked in order
        } cases[] = {
            {NumberFormat::comma(), 0, "cmdUseFat32", MainWindow::Fat32Bbs,
             {{"startsct", "2048"}}, {"CalcFAT32BBS"}},
            {NumberFormat::point(), 2, "cmdUseDynRoot", MainWindow::DynRoot,
             {{"sectcluster", "4"}, {"direntries", "200"}, {"sectfat", "40"},
              {"rsvdsects", "4"}, {"numfats", "2"}, {"dynrootstart", "1234"}},
             {"Calcroot", "ConvHEXDEC"}},
            {NumberFormat::comma(), 2, "cmdUseDynRoot", MainWindow::DynRoot,
             {{"sectcluster", "4"}, {"direntries", "200"}, {"sectfat", "40"},
              {"rsvdsects", "4"}, {"numfats", "2"}, {"dynrootstart", "1234"}},
             {"Calcroot", "ConvHEXDEC"}},
        };
        for (const auto& c : cases) {
            // By hand first.
            open(c.format);
            window_->pages()->setCurrentIndex(c.page);
            for (const auto& [field, text] : c.typed) type(field, text);
            for (const char* button : c.calculate) click(button);
            const QString typed = report();
            QVERIFY(!typed.isEmpty());

            open(c.format);
            QDialog* table = readTable(writeImage(volumesTable()));
            QVERIFY(QTest::qWaitForWindowExposed(table));
            entryList(table)->setCurrentItem(entryList(table)->topLevelItem(c.row));
            QTest::mouseClick(table->findChild<QPushButton*>(c.button), Qt::LeftButton);
            QVERIFY(!table->isVisible());
            QCOMPARE(window_->pages()->currentIndex(), int(c.page));
            for (const auto& [field, text] : c.typed) QCOMPARE(this->text(field), QString(text));
            for (const char* button : c.calculate) click(button);
            QCOMPARE(report(), typed);
            QVERIFY(dialogs_.shown.empty());
        }
    }

    // A file that is one volume and no partition table: that volume alone,
    // read from sector 0 on.
    void imageOfOneVolumeShowsItsBootSector() {
        open();
        // Its boot sector has 3 sectors per cluster; its backup is sound.
        TableImage volume(std::uint64_t{kFat32Count} * 512);
        zeroedFat32(volume, 0, kFat32Start);
        boot::Fat odd = fat32Volume(kFat32Start);
        odd.sectorsPerCluster = 3;
        volume.sectors[0] = boot::fatBoot(odd);
        QDialog* table = readTable(writeImage(volume, "fat32.img"));
        QVERIFY(table);
        QVERIFY(dialogs_.shown.empty());
        QCOMPARE(table->windowTitle(), QString("Volume of fat32.img"));
        QCOMPARE(table->findChild<QLabel*>("lblVolume")->text(), QString("The image holds no partition table: it is one volume (a FAT32 file "
                         "system) from sector 0 on."));
        QVERIFY(!table->findChild<QLabel*>("lblGeometry"));
        QCOMPARE(rows(entryList(table)),
                 QStringList{"Volume |  |  |  |  |  |  | 0 | 1048576 | "});
        QCOMPARE(table->findChild<QPlainTextEdit*>("txtBootSector")->toPlainText(),
                 QString("File system: FAT32.\n"
                         "The boot sector in sector 0 is damaged: Sectors per Cluster is 3, not a "
                         "power of two.\n"
                         "Its backup in sector 6 is sound; it differs in Sectors per Cluster.\n"
                         "The boot sector is damaged and a backup is sound: the page Fat32 bbs "
                         "restores it (start sector 0)."));
        QVERIFY(!table->findChild<QPushButton*>("cmdUse")->isEnabled());
        // Without a table there is no geometry for the Error 108 page.
        QCOMPARE(pageButtons(table),
                 (QStringList{
                     "Use for Error 110 | off | Not from this entry: a disk image holds no #110 "
                     "message (ucSectors, end - begin): Check sizes the difference",
                     "Use for Error 108 | off | Not from this entry: an image of one volume holds "
                     "no partition table to take the disk's geometry from",
                     "Use for Bogus 113 | on | Put the selected entry's values on the Bogus 113 "
                     "page",
                     "Use for Fat32 bbs | on | Put the selected entry's values on the Fat32 bbs "
                     "page",
                     "Use for NTFS bbs | off | Not from this entry: the volume at sector 0 holds "
                     "FAT32, not NTFS",
                     "Use for DYN_ROOT | off | Not from this entry: the volume at sector 0 holds "
                     "FAT32, not FAT12 or FAT16"}));
        QTest::mouseClick(table->findChild<QPushButton*>("cmdUseFat32"), Qt::LeftButton);
        QCOMPARE(window_->pages()->currentIndex(), int(MainWindow::Fat32Bbs));
        QCOMPARE(text("startsct"), QString("0"));
        table->close();

        // A sector that only names FAT32 is no longer refused: its verdict
        // says what is wrong with it.
        TableImage named(512);
        named.bytes(0, "\xEB\x58\x90MSWIN4.1").bytes(0, "FAT32   ", 82).signature(0);
        QDialog* bare = readTable(writeImage(named, "named.img"));
        QVERIFY(bare);
        QVERIFY(dialogs_.shown.empty());
        QCOMPARE(bare->findChild<QPlainTextEdit*>("txtBootSector")->toPlainText(),
                 QString("File system: FAT32.\n"
                         "The boot sector in sector 0 is damaged: Bytes per Sector is 0, not a "
                         "power of two from 512 to 4096; Sectors per Cluster is 0, not a power of "
                         "two; Reserved Sectors is 0; Number of FATs is 0; Media Descriptor is "
                         "0x00, not F0 or F8 to FF; the total of sectors is 0; Sectors per FAT is "
                         "0.\n"
                         "Its backup in sector 6 cannot be read."));
        QVERIFY(!bare->findChild<QPushButton*>("cmdUseFat32")->isEnabled());
    }

    // "Use entry" by its button, by Return on the list and by a double
    // click, with either decimal separator: the page gets every field, and
    // "Check" and "Attached" then work on it as on an entry typed in.
    void useEntryFillsTheGeometryPageForCheckAndBatch() {
        enum Way { Button, Return, DoubleClick };
        const struct {
            NumberFormat format;
            Way way;
            int row;
            QStringList page;
            std::vector<Message> added;  // by "Attached" after "Check"
            std::string batch;
        } cases[] = {
            {NumberFormat::point(), Button, 0,
             {"dgcyls=100", "dgheads=255", "dgsects=63", "cyls=0", "heads=1", "sects=1",
              "ecyls=9", "eheads=254", "esects=63", "filesys=0C", "lbastrt=63",
              "relcyl=", "LBAend=160587", "drive=1", "prtno=1", "prtsct=0", "Optact=on"},
             {{"1st Entry added to batch file. When done, save the batch.", "Quorvane",
               Icon::Information}},
             "editpart 1 0 1 * 0C 0 1 1 9 254 63 0 100 255 63 26\r\n"},
            {NumberFormat::comma(), Return, 3,
             {"dgcyls=100", "dgheads=255", "dgsects=63", "cyls=20", "heads=1", "sects=1",
              "ecyls=29", "eheads=254", "esects=63", "filesys=82", "lbastrt=321363",
              "relcyl=", "LBAend=160587", "drive=1", "prtno=1", "prtsct=321300", "Optact=off"},
             {{"1st Entry added to batch file. When done, save the batch.", "Quorvane",
               Icon::Information}},
             "editpart 1 20 1 - 82 20 1 1 29 254 63 0 100 255 63 26\r\n"},
            {NumberFormat::point(), DoubleClick, 5,
             {"dgcyls=100", "dgheads=255", "dgsects=63", "cyls=30", "heads=1", "sects=1",
              "ecyls=39", "eheads=254", "esects=63", "filesys=83", "lbastrt=482013",
              "relcyl=", "LBAend=144522", "drive=1", "prtno=1", "prtsct=481950", "Optact=off"},
             {{"Cannot continue because current values will result in partition table "
               "error(s) !",
               "Routine abortion sequence complete", Icon::Exclamation}},
             ""},
        };
        for (const auto& c : cases) {
            open(c.format);
            const std::string path = writeImage(sampleTable());
            const auto reading = quorvane::platform::readTableFile(path, {}, c.format);
            window_->pages()->setCurrentIndex(MainWindow::Error110);
            QDialog* table = readTable(path);
            QVERIFY(QTest::qWaitForWindowExposed(table));
            QTreeWidget* list = entryList(table);
            QTreeWidgetItem* item = list->topLevelItem(c.row);
            list->setCurrentItem(item);
            switch (c.way) {
                case Button:
                    QTest::mouseClick(table->findChild<QPushButton*>("cmdUse"), Qt::LeftButton);
                    break;
                case Return: QTest::keyClick(list, Qt::Key_Return); break;
                case DoubleClick: {
                    const QPoint at = list->visualItemRect(item).center();
                    // A person's double click: a click, then the press
                    // that makes it double.
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
                    break;
                }
            }
            QVERIFY(!table->isVisible());
            QCOMPARE(window_->pages()->currentIndex(), int(MainWindow::Geometry));
            QCOMPARE(geometryPage(), c.page);

            click("Verify");
            const auto& entry = reading.entries.at(static_cast<std::size_t>(c.row));
            QCOMPARE(report(), QString::fromStdString(quorvane::core::withLineFeeds(entry.report)));
            clickToolbar("Write current Geometry to batchfile");
            QCOMPARE(dialogs_.shown, c.added);
            QCOMPARE(batchFile_.files["/programs/quorvane/quorvane.bat"], c.batch);
        }
    }

    // An entry put on the page after a passing check is not that check's
    // entry: it needs a check of its own before it reaches the batch.
    void usedEntryNeedsItsOwnCheck() {
        open();
        const std::string path = writeImage(sampleTable());
        readTable(path)->findChild<QPushButton*>("cmdUse")->click();
        click("Verify");
        click("Command1");  // "IPE" alone would not do either
        QDialog* table = readTable(path);
        entryList(table)->setCurrentItem(entryList(table)->topLevelItem(1));
        table->findChild<QPushButton*>("cmdUse")->click();
        clickToolbar("Write current Geometry to batchfile");
        QCOMPARE(dialogs_.shown.back().title, std::string("Aabortion sequence complete"));
        click("Command1");
        clickToolbar("Write current Geometry to batchfile");
        QCOMPARE(dialogs_.shown.back().title, std::string("Aabortion sequence complete"));
        QVERIFY(batchFile_.files.empty());
    }
};

QTEST_MAIN(TableWindowTest)
#include "tablewindow_test.moc"
