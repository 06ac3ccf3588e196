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

#include "core/base/texts.h"
#include "gui/app/pagetabs.h"
#include "platform/diskimage_std.h"
#include "windowfixture.h"

using quorvane::core::Icon;
using quorvane::core::Message;
using quorvane::core::NumberFormat;
using quorvane::gui::MainWindow;
using quorvane::test::rows;
using quorvane::test::TableImage;

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
            {File, "fat32.img", fat32,
             "it is a FAT32 file system, not a whole disk: it holds no partition table. It looks "
             "like an image of one partition; save the whole disk instead (dd if=/dev/sdX "
             "of=disk.img)"},
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
