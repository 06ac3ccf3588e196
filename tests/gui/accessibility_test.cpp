// The main window, the calculator, the About box and the partition table's
// list as a screen reader, a
// keyboard user and a user of large text meet them: the accessibility tree
// of the real windows, the page tabs' action, the page keys, the Tab order
// of every page, and every window at the default and at a 12 point font.
#include <QAccessible>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QToolButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

#include "gui/accessories/divizedi.h"
#include "gui/app/pagetabs.h"
#include "windowfixture.h"

using quorvane::gui::DiviZediWindow;
using quorvane::gui::MainWindow;

namespace {

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(object);
    if (!found) qFatal("no accessible interface");
    return found;
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
    // Opens the list of the fixture's sample table.
    QDialog* tableWindow() {
        QDialog* table = readTable(writeImage(sampleTable()));
        if (!table) qFatal("no partition table list");
        return table;
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
        QStringList unnamed;
        for (QObject* window : {static_cast<QObject*>(window_.get()),
                                static_cast<QObject*>(DiviZediWindow::current()),
                                static_cast<QObject*>(about), static_cast<QObject*>(table)})
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
            {table->findChild<QWidget*>("txtFindings"), QAccessible::EditableText, "Findings"},
            {table->findChild<QPushButton*>("cmdUse"), QAccessible::PushButton, "Use entry"},
        };
        for (const auto& expected : roles) {
            QCOMPARE(accessible(expected.object)->role(), expected.role);
            QCOMPARE(accessible(expected.object)->text(QAccessible::Name), expected.name);
        }
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
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(stops, QString("lstEntries txtFindings cmdUse cmdClose lstEntries").split(' '));
        table->close();
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
