// The main window, the calculator, the About box and the list of a
// partition table or of a partinfo listing as a screen reader, a keyboard
// user and a user of large text meet them: the accessibility tree of the
// real windows, the page tabs' action, the page keys, the Tab order of every
// page, and every window at the default and at a 12 point font.
#include <QAccessible>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QToolButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

#include "bootsectors.h"
#include "gui/accessories/divizedi.h"
#include "gui/app/pagetabs.h"
#include "listingwriter.h"
#include "windowfixture.h"

using quorvane::gui::DiviZediWindow;
using quorvane::gui::MainWindow;

namespace {

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(object);
    if (!found) qFatal("no accessible interface");
    return found;
}

// A listing of two disks as the NT program writes it, with a row after the
// last that posting cut short. Disk 1 of 4865 cylinders at 255/63: an active NTFS C:,
// then an extended partition whose chain holds a FAT32 D:, a FAT E: and an
// NTFS F: two heads after its table, which the listing reports as #105.
// Disk 2 holds one Linux partition.
std::string sampleListing() {
    using quorvane::test::ListedChs;
    using quorvane::test::ListedDisk;
    using quorvane::test::ListedEntry;
    const auto beyond1023 = [](std::uint64_t partSect, unsigned slot, std::uint8_t type,
                               ListedChs begin, ListedChs end, std::uint64_t start,
                               std::uint64_t count) {
        return ListedEntry{.partSect = partSect, .slot = slot, .type = type,
                           .begin = {1023, begin.head, 1}, .end = {1023, 254, 63},
                           .beginPlaceholder = true, .endPlaceholder = true,
                           .actualBegin = begin, .actualEnd = end, .start = start,
                           .count = count};
    };
    ListedDisk one{.number = 1, .cylinders = 4865, .heads = 255, .sectors = 63};
    one.entries = {
        {.boot = 0x80, .type = 0x07, .begin = {0, 1, 1}, .end = {1023, 254, 63},
         .endPlaceholder = true, .actualEnd = ListedChs{1304, 254, 63}, .start = 63,
         .count = 20964762},
        beyond1023(0, 1, 0x0F, {1305, 0, 1}, {4799, 254, 63}, 20964825, 56147175),
        beyond1023(20964825, 0, 0x0B, {1305, 1, 1}, {2604, 254, 63}, 20964888, 20884437),
        beyond1023(20964825, 1, 0x05, {2605, 0, 1}, {2854, 254, 63}, 41849325, 4016250),
        beyond1023(41849325, 0, 0x06, {2605, 1, 1}, {2854, 254, 63}, 41849388, 4016187),
        beyond1023(41849325, 1, 0x05, {2855, 0, 1}, {4799, 254, 63}, 45865575, 31246425),
        beyond1023(45865575, 0, 0x07, {2855, 2, 1}, {4799, 254, 63}, 45865701, 31246299),
    };
    one.entries[2].label = "MEDIA";
    one.entries[4].label = "BACKUP";
    one.entries[6].after = quorvane::test::error105(2);
    one.bootRecords = {
        {.drive = "C:", .start = 63, .type = "NTFS",
         .fields = {{"Bytes per Sector", "512"}, {"Sectors per Cluster", "8"},
                    {"Total NTFS Sectors", "20964761"}}},
        {.drive = "D:", .start = 20964888, .type = "FAT32",
         .fields = {{"Bytes per Sector", "512"}, {"Sectors per Cluster", "32"},
                    {"Reserved Sectors", "32"}, {"Number of FAT's", "2"},
                    {"Sectors per FAT", "0"}, {"Big Total Sectors", "20884437"},
                    {"Big Sectors per FAT", "5098"}}},
    };
    ListedDisk two{.number = 2, .cylinders = 1000, .heads = 255, .sectors = 63};
    two.entries = {{.type = 0x83, .begin = {0, 1, 1}, .end = {999, 254, 63}, .start = 63,
                    .count = 16064937}};
    std::string text = quorvane::test::ntListing({one, two});
    const std::string last = "16,064,937\r\n";
    text.insert(text.find(last) + last.size(), "                           0  1  00  1000\r\n");
    return text;
}

// Roles of the controls a reader must be able to name.
bool needsName(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::StaticText:
        case QAccessible::Grouping:
        case QAccessible::PageTab:
        case QAccessible::PageTabList:
        case QAccessible::List:
        case QAccessible::Tree:
        case QAccessible::TreeItem:
        case QAccessible::ColumnHeader:
        case QAccessible::ToolBar:
        case QAccessible::MenuItem:
        case QAccessible::PopupMenu:
        case QAccessible::Graphic:
        case QAccessible::Window:
        case QAccessible::Dialog:
        case QAccessible::Border: return true;
        default: return false;
    }
}

// Every unnamed control below `node`, by its path of roles and names.
void collectUnnamed(QAccessibleInterface* node, const QString& path, QStringList& unnamed) {
    const QString name = node->text(QAccessible::Name);
    const QString here = path + "/" + QString::number(node->role()) + ":" + name;
    if (needsName(node->role()) && name.trimmed().isEmpty()) unnamed << here;
    for (int i = 0; i < node->childCount(); ++i) collectUnnamed(node->child(i), here, unnamed);
}

// Controls of `window` whose text does not fit them, that stick out of
// their parent or that overlap a sibling.
QStringList misfits(QWidget* window) {
    QStringList found;
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window) continue;
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QGroupBox*>(w))
            controls << w;
    }
    for (QWidget* w : controls) {
        const QString name = w->metaObject()->className() + (":" + w->objectName()) + ":" +
                             w->accessibleName();
        // The room the control's text needs, frames aside.
        const QFontMetrics metrics = w->fontMetrics();
        QSize needed(0, metrics.height());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            needed = label->wordWrap() ? QSize(1, label->heightForWidth(w->width()))
                                       : label->minimumSizeHint();
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            needed.setWidth(metrics.horizontalAdvance(frame->title()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            auto* tool = qobject_cast<QToolButton*>(w);
            if (!tool || tool->toolButtonStyle() != Qt::ToolButtonIconOnly)
                needed = metrics.size(Qt::TextShowMnemonic, button->text());
        }
        if (w->width() < needed.width() || w->height() < needed.height())
            found << name + " clipped";
        if (!w->parentWidget()->rect().contains(w->geometry())) found << name + " sticks out";
        for (QWidget* other : controls)
            if (other != w && other->parentWidget() == w->parentWidget() &&
                other->geometry().intersects(w->geometry()))
                found << name + " overlaps " + other->objectName() + other->accessibleName();
    }
    return found;
}

}  // namespace

class AccessibilityTest : public quorvane::test::WindowFixture {
    Q_OBJECT

    quorvane::gui::PageTabs* tabs() { return window_->pages(); }
    // With QUORVANE_SCREENSHOTS set to a folder, saves a picture of `widget`.
    static void picture(QWidget* widget, const QString& name) {
        const QString folder = qEnvironmentVariable("QUORVANE_SCREENSHOTS");
        if (!folder.isEmpty()) widget->grab().save(folder + "/" + name + ".png");
    }
    // Opens the list of the fixture's sample table, its first partition a
    // FAT32 volume whose boot sector is zeroed and whose backup is sound.
    QDialog* tableWindow() {
        namespace boot = quorvane::test::boot;
        quorvane::test::TableImage image = sampleTable();
        boot::Fat fat32;
        fat32.fat32 = true, fat32.reserved = 32, fat32.total32 = 160587;
        fat32.sectorsPerFat32 = 1240, fat32.hidden = 63, fat32.type = "FAT32   ";
        image.sectors[64] = image.sectors[70] = boot::fsInfo();
        image.sectors[69] = boot::fatBoot(fat32);
        QDialog* table = readTable(writeImage(image));
        if (!table) qFatal("no partition table list");
        return table;
    }
    // Opens the list of the sample listing, read from a file.
    QDialog* listingWindow() {
        const QString path = files_.filePath("partinfo.txt");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write the listing");
        file.write(QByteArray::fromStdString(sampleListing()));
        file.close();
        chooser_.path = path.toStdString();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        menuEntry("mnulisting")->trigger();
        auto* listing = window_->findChild<QDialog*>("frmListing");
        if (!listing) qFatal("no list of the listing");
        return listing;
    }
    void activate() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    // The Tab stops from the current page's tab round to it again, by
    // object name (toolbar buttons by their tool tip).
    QStringList tabStops() {
        QWidget* start = tabs()->tab(tabs()->currentIndex());
        start->setFocus(Qt::TabFocusReason);
        QStringList stops;
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            if (focused == start) return stops;
            if (auto* button = qobject_cast<QToolButton*>(focused))
                stops << "toolbar:" + button->toolTip();
            else
                stops << focused->objectName();
        }
        return stops << "(no way back to the tab)";
    }

private slots:
    void cleanup() {
        if (DiviZediWindow* open = DiviZediWindow::current()) open->close();
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void everyControlIsNamedAndInItsRole() {
        open();
        menuEntry("tnyclc")->trigger();
        menuEntry("mnuabout")->trigger();
        auto* about = window_->findChild<QDialog*>("frmAbout");
        QVERIFY(about);
        about->hide();
        QDialog* table = tableWindow();
        table->hide();
        QDialog* listing = listingWindow();
        QStringList unnamed;
        for (QObject* window : {static_cast<QObject*>(window_.get()),
                                static_cast<QObject*>(DiviZediWindow::current()),
                                static_cast<QObject*>(about), static_cast<QObject*>(table),
                                static_cast<QObject*>(listing)})
            collectUnnamed(accessible(window), QString(), unnamed);
        QCOMPARE(unnamed, QStringList());

        const struct {
            QObject* object;
            QAccessible::Role role;
            QString name;
        } roles[] = {
            {tabs()->tabBar(), QAccessible::PageTabList, "Pages"},
            {DiviZediWindow::current(), QAccessible::Window, "DiviZedi version 1.0"},
            {about, QAccessible::Dialog, "About Quorvane"},
            {about->findChild<QFrame*>("Line1"), QAccessible::Separator, ""},
            {child<QComboBox>("filesys")->lineEdit(), QAccessible::EditableText, "FS"},
            {child<QComboBox>("drive")->lineEdit(), QAccessible::EditableText, "Drv"},
            {child<QComboBox>("prtno")->lineEdit(), QAccessible::EditableText, "#"},
            {table, QAccessible::Dialog, "Partition table of disk.img"},
            {table->findChild<QTreeWidget*>("lstEntries"), QAccessible::Tree, "Entries"},
            {table->findChild<QWidget*>("txtBootSector"), QAccessible::EditableText,
             "Boot sector"},
            {table->findChild<QWidget*>("txtFindings"), QAccessible::EditableText, "Findings"},
            {table->findChild<QPushButton*>("cmdUse"), QAccessible::PushButton, "Use entry"},
            {table->findChild<QPushButton*>("cmdUseFat32"), QAccessible::PushButton,
             "Use for Fat32 bbs"},
            {listing, QAccessible::Dialog, "Partinfo listing of partinfo.txt"},
            {listing->findChild<QTreeWidget*>("lstEntries"), QAccessible::Tree, "Entries"},
            {listing->findChild<QWidget*>("txtMessages"), QAccessible::EditableText,
             "Listing's messages"},
            {listing->findChild<QWidget*>("txtUnread"), QAccessible::EditableText,
             "Lines not read"},
            {listing->findChild<QPushButton*>("cmdUse110"), QAccessible::PushButton,
             "Use for Error 110"},
            {listing->findChild<QPushButton*>("cmdUseDynRoot"), QAccessible::PushButton,
             "Use for DYN_ROOT"},
        };
        for (const auto& expected : roles) {
            QCOMPARE(accessible(expected.object)->role(), expected.role);
            QCOMPARE(accessible(expected.object)->text(QAccessible::Name), expected.name);
        }
        // The disk picker is named by its label; on some systems its name
        // is the disk shown instead.
        QAccessibleInterface* disks = accessible(listing->findChild<QComboBox*>("cboDisk"));
        QCOMPARE(disks->role(), QAccessible::ComboBox);
        QVERIFY(disks->text(QAccessible::Name) == "Disk" ||
                disks->text(QAccessible::Name) == "Disk 1");
        const auto labels = disks->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.front().first->text(QAccessible::Name), QString("Disk:"));
        const auto verdictLabels =
            accessible(table->findChild<QWidget*>("txtBootSector"))->relations(QAccessible::Label);
        QCOMPARE(verdictLabels.size(), 1);
        QCOMPARE(verdictLabels.front().first->text(QAccessible::Name), QString("Boot sector:"));
        // A button that cannot be used says why; the one that can, does
        // through its action: its page filled and shown, the list closed.
        QAccessibleInterface* unavailable =
            accessible(listing->findChild<QPushButton*>("cmdUse110"));
        QVERIFY(unavailable->state().disabled);
        QCOMPARE(unavailable->text(QAccessible::Description),
                 QString("Not from this entry: the listing gives no #110 message for this entry "
                         "(ucSectors, end - begin)"));
        QAccessibleInterface* use = accessible(listing->findChild<QPushButton*>("cmdUse108"));
        QVERIFY(!use->state().disabled);
        use->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // The button shows its press before it acts; the list, once
        // closed, is deleted.
        const QPointer<QDialog> closing = listing;
        QTRY_VERIFY(!closing || !closing->isVisible());
        QCOMPARE(tabs()->currentIndex(), int(MainWindow::Error108));
        QCOMPARE(child<QLineEdit>("nums108")->text(), QString("20964762"));
        about->close();
        table->close();
    }

    void largeTextFitsEveryWindow() {
        const QFont standard = QApplication::font();
        const auto restore = qScopeGuard([&] { QApplication::setFont(standard); });
        for (const double points : {standard.pointSizeF(), 12.0}) {
            QFont font = standard;
            font.setPointSizeF(points);
            QApplication::setFont(font);
            open();
            menuEntry("tnyclc")->trigger();
            menuEntry("mnuabout")->trigger();
            auto* about = window_->findChild<QDialog*>("frmAbout");
            const QString size = QString::number(points) + "pt";
            for (int page = 0; page < tabs()->count(); ++page) {
                tabs()->setCurrentIndex(page);
                QCOMPARE(misfits(window_.get()), QStringList());
                picture(window_.get(), size + "-page" + QString::number(page + 1));
            }
            QCOMPARE(misfits(DiviZediWindow::current()), QStringList());
            QCOMPARE(misfits(about), QStringList());
            picture(DiviZediWindow::current(), size + "-divizedi");
            picture(about, size + "-about");
            about->close();
            QDialog* table = tableWindow();
            QVERIFY(QTest::qWaitForWindowExposed(table));
            QCOMPARE(misfits(table), QStringList());
            // Every column of the list whole, without scrolling sideways.
            auto* list = table->findChild<QTreeWidget*>("lstEntries");
            QVERIFY(!list->horizontalScrollBar()->isVisible());
            for (int column = 0; column < list->columnCount(); ++column)
                QVERIFY(list->header()->sectionSize(column) >=
                        list->header()->sectionSizeHint(column));
            picture(table, size + "-tablewindow");
            table->close();
            QDialog* listing = listingWindow();
            QVERIFY(QTest::qWaitForWindowExposed(listing));
            QCOMPARE(misfits(listing), QStringList());
            auto* entries = listing->findChild<QTreeWidget*>("lstEntries");
            QVERIFY(!entries->horizontalScrollBar()->isVisible());
            for (int column = 0; column < entries->columnCount(); ++column)
                QVERIFY(entries->header()->sectionSize(column) >=
                        entries->header()->sectionSizeHint(column));
            picture(listing, size + "-listingwindow");
            listing->close();
            cleanup();
        }
    }

    void pageTabActionShowsItsPage() {
        open();
        QAccessibleInterface* list = accessible(tabs()->tabBar());
        QCOMPARE(list->childCount(), tabs()->count());
        for (int shown : {0, 3, 6, 5}) {
            QAccessibleInterface* tab = list->child(shown);
            QCOMPARE(tab->role(), QAccessible::PageTab);
            QVERIFY(tab->actionInterface());
            tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(tabs()->currentIndex(), shown);
            for (int i = 0; i < tabs()->count(); ++i) {
                QCOMPARE(tabs()->page(i)->isVisible(), i == shown);
                QCOMPARE(bool(list->child(i)->state().selected), i == shown);
                QCOMPARE(list->child(i)->text(QAccessible::Name), tabs()->tab(i)->text());
            }
        }
    }

    void calculatorKeysAndDisplay() {
        open();
        menuEntry("tnyclc")->trigger();
        DiviZediWindow* calculator = DiviZediWindow::current();
        for (QPushButton* key : calculator->findChildren<QPushButton*>()) {
            QAccessibleInterface* button = accessible(key);
            QCOMPARE(button->text(QAccessible::Name), key->text());
            QCOMPARE(button->text(QAccessible::Description), key->toolTip());
        }
        auto* label = calculator->findChild<QLabel*>("lblDisplay");
        QAccessibleInterface* display = accessible(label);
        QCOMPARE(display->role(), QAccessible::StaticText);
        QVERIFY(display->textInterface());

        QTest::mouseClick(calculator->findChild<QPushButton*>("cmdCijfer(7)"), Qt::LeftButton);
        QTest::mouseClick(calculator->findChild<QPushButton*>("cmdCijfer(2)"), Qt::LeftButton);
        QCOMPARE(display->text(QAccessible::Name), QString("72"));
        QCOMPARE(display->textInterface()->text(0, display->textInterface()->characterCount()),
                 QString("72"));
    }

    void pageKeysSwitchPagesFromAnywhere() {
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int presses;
            int page;  // from "Geometry"
        } cases[] = {
            {Qt::Key_Tab, Qt::ControlModifier, 1, MainWindow::Bogus113},
            {Qt::Key_Tab, Qt::ControlModifier, 2, MainWindow::Error110},  // round the end
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1, MainWindow::Fat32Bbs},
            {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 1, MainWindow::Fat32Bbs},
            {Qt::Key_PageDown, Qt::ControlModifier, 1, MainWindow::Bogus113},
            {Qt::Key_PageUp, Qt::ControlModifier, 6, MainWindow::Bogus113},
        };
        open();
        activate();
        for (const char* focus : {"dgcyls", "maindisplay", "Verify"}) {
            for (const auto& c : cases) {
                tabs()->setCurrentIndex(MainWindow::Geometry);
                QWidget* from = child<QWidget>(focus);
                from->setFocus();
                for (int i = 0; i < c.presses; ++i) QTest::keyClick(from, c.key, c.modifiers);
                QCOMPARE(tabs()->currentIndex(), c.page);
                QVERIFY(tabs()->page(c.page)->isVisible());
            }
        }
    }

    void accessKeysOpenMenusAndPressButtons() {
        open();
        activate();
        for (const auto& [key, menu] : {std::pair{Qt::Key_F, "mnufile"}, {Qt::Key_T, "mnutools"},
                                        {Qt::Key_H, "mnuhelp"}}) {
            QTest::keyClick(window_.get(), key, Qt::AltModifier);
            QTRY_COMPARE(QApplication::activePopupWidget(), child<QMenu>(menu));
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
        menuEntry("mnuabout")->trigger();
        auto* about = window_->findChild<QDialog*>("frmAbout");
        about->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), about);
        QTest::keyClick(about, Qt::Key_S, Qt::AltModifier);
        // The button shows its press before it acts.
        QTRY_COMPARE(dialogs_.shown.size(), size_t(1));  // no system information tool here
        QCOMPARE(dialogs_.shown[0].prompt, std::string("System Information Is Unavailable At This Time"));
        about->close();
    }

    void arrowKeysMoveBetweenTabs() {
        const struct {
            Qt::Key key;
            int page;
        } presses[] = {
            {Qt::Key_Right, MainWindow::Bogus113}, {Qt::Key_Right, MainWindow::Bogus113},
            {Qt::Key_Home, MainWindow::Error110},  {Qt::Key_Left, MainWindow::Error110},
            {Qt::Key_Down, MainWindow::Error108},  {Qt::Key_End, MainWindow::Bogus113},
            {Qt::Key_Up, MainWindow::Geometry},
        };
        open();
        activate();
        tabs()->tab(MainWindow::Geometry)->setFocus();
        for (const auto& press : presses) {
            QTest::keyClick(QApplication::focusWidget(), press.key);
            QCOMPARE(tabs()->currentIndex(), press.page);
            QCOMPARE(QApplication::focusWidget(), tabs()->tab(press.page));
        }
    }

    void tabReachesEveryControlInOrder() {
        const QStringList around = {"maindisplay",
                                    "toolbar:Clear all",
                                    "toolbar:Start Ptedit32",
                                    "toolbar:Run Partinfo",
                                    "toolbar:DiviZedi",
                                    "toolbar:Write current Geometry to batchfile",
                                    "toolbar:When finished writing Batch, click to save.",
                                    "toolbar:Execute batch file on current harddrive",
                                    "toolbar:Help"};
        const QString pages[] = {
            "cyls110 heads110 sects110 ucsectors endbegin cmdCalc110 Clear110form",
            "cyls108 hds108 scts108 ss108 nums108 Calc108 Clear108form",
            "startdynroot cmdCleardynroot sectcluster rsvdsects numfats direntries sectfat "
            "Calcroot dynrootstart ConvHEXDEC",
            "ntfsstartsector ntfsnumbersectors ntfswiz Command2 cdmdisplayinfontfsbbs",
            "startsct CalcFAT32BBS Command4 cmdinfoBBSfat32",
            "dgcyls dgheads dgsects info clear Command1 cyls heads sects ecyls eheads esects "
            "filesys lbastrt relcyl LBAend Optact drive prtno prtsct begin beLBATOCHS eCHS2eLBA "
            "ptCHS2LBA Verify",
            "sectclus root sectsfat bigtotal numbersect info113 Calc clear113",
        };
        open();
        activate();
        for (int page = 0; page < tabs()->count(); ++page) {
            tabs()->setCurrentIndex(page);
            QCOMPARE(tabStops(), pages[page].split(' ') + around);
        }

        // The partition table's list starts on its entries and goes round.
        QDialog* table = tableWindow();
        table->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), table);
        QStringList stops{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(stops, QString("lstEntries txtBootSector txtFindings cmdUse cmdUse108 "
                                "cmdUse113 cmdUseFat32 cmdSaveMap cmdClose diskMap lstEntries")
                            .split(' '));
        // The verdict's access key, then the page its volume fills.
        QTest::keyClick(table, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtBootSector"));
        QTest::keyClick(table, Qt::Key_A, Qt::AltModifier);
        const QPointer<QDialog> used = table;
        QTRY_VERIFY(!used || !used->isVisible());
        QCOMPARE(tabs()->currentIndex(), int(MainWindow::Fat32Bbs));
        QCOMPARE(child<QLineEdit>("startsct")->text(), QString("63"));

        // A listing's list goes from its entries through what the listing
        // says to the buttons that can be used, and round by the disk.
        QDialog* listing = listingWindow();
        listing->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), listing);
        stops = QStringList{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 11; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(stops, QString("lstEntries txtFindings txtMessages txtUnread cmdUse cmdUse108 "
                                "cmdUseNtfs cmdSaveMap cmdClose cboDisk diskMap lstEntries")
                            .split(' '));
        // The access keys of the buttons.
        QTest::keyClick(listing, Qt::Key_N, Qt::AltModifier);
        const QPointer<QDialog> closing = listing;
        QTRY_VERIFY(!closing || !closing->isVisible());
        QCOMPARE(tabs()->currentIndex(), int(MainWindow::NtfsBbs));
        QCOMPARE(child<QLineEdit>("ntfsstartsector")->text(), QString("63"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
