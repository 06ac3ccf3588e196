// The main window driven as a person would: typing into the real fields,
// clicking the real buttons, menus and toolbar, reading the report box.
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <memory>

#include "core/app/shell.h"
#include "core/base/texts.h"
#include "gui/accessories/divizedi.h"
#include "gui/app/icons.h"
#include "gui/app/icons/attached.xpm"
#include "gui/app/icons/calc.xpm"
#include "gui/app/icons/delete.xpm"
#include "gui/app/icons/disk14.xpm"
#include "gui/app/icons/diskedit.xpm"
#include "gui/app/icons/help.xpm"
#include "gui/app/icons/partinfo.xpm"
#include "gui/app/icons/quorvane.xpm"
#include "gui/app/icons/viewdetails.xpm"
#include "gui/app/mainwindow.h"
#include "gui/app/numberformat.h"
#include "gui/app/pagetabs.h"
#include "windowfixture.h"

using quorvane::core::Message;
using quorvane::gui::MainWindow;

class MainWindowTest : public quorvane::test::WindowFixture {
    Q_OBJECT

private slots:
    void cleanup() { window_.reset(); }

    void startsOnGeometryWithIntroduction() {
        open();
        QCOMPARE(window_->windowTitle(), QString("Quorvane 1.02"));
        auto* tabs = window_->pages();
        const QStringList captions = {"Error 110", "Error 108", "DYN_ROOT", "NTFS bbs",
                                      "Fat32 bbs", "Geometry", "Bogus 113"};
        QCOMPARE(tabs->count(), captions.size());
        for (int i = 0; i < tabs->count(); ++i) {
            QCOMPARE(tabs->tab(i)->text(), captions[i]);
            // Four headers in the top row, three in the row below it.
            const int row = tabs->tab(i)->geometry().top();
            QCOMPARE(row == tabs->tab(0)->geometry().top(), i < 4);
        }
        QCOMPARE(tabs->currentIndex(), int(MainWindow::Geometry));
        QVERIFY(tabs->page(MainWindow::Geometry)->isVisible());

        QPlainTextEdit* box = window_->reportBox();
        QString intro = QString::fromStdString(quorvane::core::introText());
        intro.replace("\r\n", "\n");
        QCOMPARE(box->toPlainText(), intro);
        QVERIFY(box->isReadOnly());
        QVERIFY(box->textInteractionFlags() & Qt::TextSelectableByMouse);
        QCOMPARE(box->accessibleName(), QString("Report"));
        QCOMPARE(box->palette().color(QPalette::Base), QColor(0, 0, 128));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 255, 128));
        QCOMPARE(box->font().pointSize(), 9);
        QCOMPARE(box->font().families().value(0), QString("Arial"));
        QVERIFY(dialogs_.shown.empty());
    }

    void hiddenPagesAreBuiltWhenFirstShownOrAfterFirstPaint() {
        // Not shown yet: only the current page is built, and operations
        // leave the others to the workspace.
        window_ = std::make_unique<MainWindow>(dialogs_, launcher_,
                                               quorvane::core::NumberFormat::point());
        QVERIFY(!window_->findChild<QLineEdit*>("rsvdsects"));
        child<QAction>("tbrclear")->trigger();
        // A page about to be shown is built at once, from the workspace.
        window_->pages()->setCurrentIndex(MainWindow::DynRoot);
        QCOMPARE(text("rsvdsects"), QString("1"));
        QCOMPARE(text("numfats"), QString("2"));
        QVERIFY(!window_->pagesBuilt());
        window_->show();
        QTRY_VERIFY(window_->pagesBuilt());
    }

    void tabsSwitchPages() {
        open();
        QTest::mouseClick(window_->pages()->tab(MainWindow::Error110), Qt::LeftButton);
        QCOMPARE(window_->pages()->currentIndex(), int(MainWindow::Error110));
        QVERIFY(window_->pages()->page(MainWindow::Error110)->isVisible());
        QVERIFY(!window_->pages()->page(MainWindow::Geometry)->isVisible());
        QVERIFY(window_->pages()->tab(MainWindow::Error110)->isChecked());
        QVERIFY(!window_->pages()->tab(MainWindow::Geometry)->isChecked());
    }

    void bundledImagesReadAsQtReadsThem() {
        static const char* const twoPerPixel[] = {"2 1 2 2", "aa c #FF0000", "bb c None", "aabb"};
        static const char* const namedColour[] = {"2 1 2 1", "a c red", "b c #00FF00", "ab"};
        // The program's own images, and two that Qt's reader reads.
        const std::initializer_list<const char* const*> images = {
            attached_xpm, calc_xpm,     delete_xpm,   disk14_xpm,      diskedit_xpm, help_xpm,
            partinfo_xpm, quorvane_xpm, viewdetails_xpm, twoPerPixel, namedColour};
        for (const char* const* xpm : images) {
            const QImage read = quorvane::gui::bundledPixmap(xpm).toImage();
            const QImage expected = QPixmap(xpm).toImage();
            QVERIFY2(!read.isNull(), xpm[0]);
            QCOMPARE(read.hasAlphaChannel(), expected.hasAlphaChannel());
            QCOMPARE(read.convertToFormat(QImage::Format_ARGB32),
                     expected.convertToFormat(QImage::Format_ARGB32));
        }
    }

    void menusAndToolbar() {
        open();
        QStringList menus;
        for (QAction* menu : window_->menuBar()->actions()) menus << menu->text();
        QCOMPARE(menus, QStringList({"&File", "&Tools", "&Help"}));
        const auto captions = [](QMenu* menu) {
            QStringList texts;
            for (QAction* entry : menu->actions()) texts << entry->text();
            return texts;
        };
        QCOMPARE(captions(child<QMenu>("mnufile")),
                 QStringList({"Exit ", "&Open", "&Read partition table...",
                              "Read partinfo &listing...", "&Paste partinfo listing"}));
        QCOMPARE(captions(child<QMenu>("mnutools")),
                 QStringList({"&Ptedit", "P&artinfo9X", "&DiviZedi"}));
        QCOMPARE(captions(child<QMenu>("mnuhelp")), QStringList({"Help", "&About"}));

        const QStringList names = {"tbrclear",    "mnuptedit",    "prtinf",      "tnyclc",
                                   "tbraddbatch", "tbrsavebatch", "tbrrunbatch", "help"};
        const QList<QAction*> actions = window_->toolbar()->actions();
        QCOMPARE(actions.size(), names.size());
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions[i]->objectName(), names[i]);
            auto* button = qobject_cast<QToolButton*>(window_->toolbar()->widgetForAction(actions[i]));
            QVERIFY(button);
            QVERIFY2(!button->icon().pixmap(24).isNull(), qPrintable(names[i]));
            // The button's text, which screen readers read, is its tool tip.
            QCOMPARE(button->text(), actions[i]->toolTip());
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        }
    }

    // Each command is one action: in its menu under its text and/or on the
    // toolbar under its tool tip, and run from there it does its work.
    void everyCommandIsOneActionInItsPlaces() {
        using Started = std::vector<std::string>;
        const auto shown = [this](std::vector<Message> messages) { return dialogs_.shown == messages; };
        const auto titles = [this](std::vector<std::string> expected) {
            std::vector<std::string> seen;
            for (const Message& message : dialogs_.shown) seen.push_back(message.title);
            return seen == expected;
        };
        const struct {
            const char* name;
            const char* menu;  // empty: in no menu
            QString text;
            QString toolTip;   // empty: not on the toolbar
            std::function<bool()> done;
        } cases[] = {
            {"exit", "mnufile", "Exit ", "", [this] { return !window_->isVisible(); }},
            {"mnuopen", "mnufile", "&Open", "",
             [&] { return shown({quorvane::core::openNotAvailable()}); }},
            {"mnutable", "mnufile", "&Read partition table...", "",
             [this] { return chooser_.titles == Started{"Read partition table"} && dialogs_.shown.empty(); }},
            {"tbrclear", "", "Clear all", "Clear all",
             [&] { return shown({{"All fields have been reset...", "VELK"}}); }},
            {"mnuptedit", "mnutools", "&Ptedit", "Start Ptedit32",
             [this] { return launcher_.started == Started{"PTEDIT32.EXE"}; }},
            {"prtinf", "mnutools", "P&artinfo9X", "Run Partinfo",
             [this] { return launcher_.started == Started{"PARTIN9X.EXE"}; }},
            {"tnyclc", "mnutools", "&DiviZedi", "DiviZedi",
             [] { return quorvane::gui::DiviZediWindow::current() != nullptr; }},
            {"tbraddbatch", "", "Write current Geometry to batchfile",
             "Write current Geometry to batchfile",
             [&] { return titles({"Aabortion sequence complete"}) && batchFile_.files.empty(); }},
            {"tbrsavebatch", "", "When finished writing Batch, click to save.",
             "When finished writing Batch, click to save.",
             [&] { return shown({{"No batch created yet, could not save ! ", "Quorvane",
                                  quorvane::core::Icon::Information}}); }},
            {"tbrrunbatch", "", "Execute batch file on current harddrive",
             "Execute batch file on current harddrive",
             [&] {
                 return titles({"Warning!"}) &&
                        launcher_.opened == Started{"/programs/quorvane/quorvane.bat"};
             }},
            {"help", "mnuhelp", "Help", "Help",
             [&] { return shown({quorvane::core::helpNotAvailable()}); }},
            {"mnuabout", "mnuhelp", "&About", "",
             [this] { return window_->findChild<QDialog*>("frmAbout")->isVisible(); }},
        };
        for (const auto& c : cases) {
            open();
            QAction* action = child<QAction>(c.name);
            QString menu;
            for (QAction* entry : window_->menuBar()->actions())
                if (entry->menu()->actions().contains(action)) menu = entry->menu()->objectName();
            QCOMPARE(menu, QString(c.menu));
            QCOMPARE(action->text(), c.text);
            auto* button = qobject_cast<QToolButton*>(window_->toolbar()->widgetForAction(action));
            QCOMPARE(button != nullptr, !c.toolTip.isEmpty());
            if (button) {
                QCOMPARE(button->toolTip(), c.toolTip);
                QCOMPARE(button->text(), c.toolTip);
                QTest::mouseClick(button, Qt::LeftButton);
            } else {
                action->trigger();
            }
            QVERIFY2(c.done(), c.name);
            if (auto* calculator = quorvane::gui::DiviZediWindow::current()) calculator->close();
            window_.reset();
        }
    }

    void fieldsAreNamedByTheirLabels() {
        open();
        for (const char* name : {"drive", "prtno", "filesys"}) {
            auto* combo = child<QComboBox>(name);
            QVERIFY(combo->isEditable());
            QVERIFY(!combo->accessibleName().isEmpty());
        }
        for (const auto& field : quorvane::core::geometryTextFields())
            QVERIFY(window_->findChild<QWidget*>(QString::fromLatin1(field.name)));
        QCOMPARE(child<QComboBox>("filesys")->count(), 13);
        QCOMPARE(child<QComboBox>("filesys")->itemText(12), QString("17"));
        QCOMPARE(child<QComboBox>("drive")->currentText(), QString());
        for (QLineEdit* field : window_->pages()->page(MainWindow::Geometry)->findChildren<QLineEdit*>()) {
            if (qobject_cast<QComboBox*>(field->parent())) continue;
            bool labelled = false;
            for (QLabel* label : window_->findChildren<QLabel*>())
                labelled |= label->buddy() == field && label->text() == field->accessibleName();
            QVERIFY2(labelled, qPrintable(field->objectName()));
        }
        for (QGroupBox* frame : window_->findChildren<QGroupBox*>())
            QVERIFY(!frame->accessibleName().isEmpty());
    }

    void conversionsWriteFieldsAndReport() {
        open();
        typeChsEntry();
        click("begin");
        QCOMPARE(text("lbastrt"), QString("63"));
        QCOMPARE(report(), QString("63 is the LBA startsector."));

        type("lbastrt", "16064");
        click("beLBATOCHS");
        QCOMPARE(text("cyls") + "/" + text("heads") + "/" + text("sects"), QString("0/254/63"));
        QCOMPARE(report(), QString("Begin cylinder: 0\nBegin head: 254\nBegin sector: 63"));

        click("eCHS2eLBA");
        QCOMPARE(text("LBAend"), QString("16434494"));
        QVERIFY(report().startsWith("16434494 is the absolute LBA endsector.\n\nNote: "));

        type("cyls", "0");
        type("heads", "1");
        type("sects", "1");
        const QString before = report();
        click("ptCHS2LBA");
        QCOMPARE(text("lbastrt"), QString("63"));
        QCOMPARE(text("LBAend"), QString("16434432"));
        QCOMPARE(report(), before);
        QVERIFY(dialogs_.shown.empty());
    }

    void missingInputShowsMessageAndWritesNothing() {
        open();
        typeChsEntry();
        type("dgsects", "");
        type("lbastrt", "63");
        click("beLBATOCHS");
        QCOMPARE(dialogs_.shown.size(), size_t(1));
        QCOMPARE(dialogs_.shown[0], (Message{"Fill out required fields !", "ID10T",
                                            quorvane::core::Icon::Exclamation}));
        QCOMPARE(text("cyls"), QString("0"));
        QVERIFY(report().startsWith("Quorvane 1.02"));

        type("dgsects", "0");
        click("beLBATOCHS");
        QCOMPARE(dialogs_.shown.size(), size_t(1));  // division by zero: silent
    }

    void decimalCommaFormat() {
        open(quorvane::core::NumberFormat::comma());
        typeChsEntry();
        type("sects", "1,5");
        click("begin");
        QCOMPARE(text("lbastrt"), QString("63,5"));
        type("sects", "1.5");
        click("begin");
        QCOMPARE(dialogs_.shown.size(), size_t(1));
        QCOMPARE(text("lbastrt"), QString("63,5"));
    }

    void activeFlagCanOnlyBeClearedByClearCommands() {
        open();
        auto* active = child<QRadioButton>("Optact");
        const QPoint indicator(6, active->height() / 2);
        QTest::mouseClick(active, Qt::LeftButton, {}, indicator);
        QVERIFY(active->isChecked());
        QTest::mouseClick(active, Qt::LeftButton, {}, indicator);
        QVERIFY(active->isChecked());
        click("clear");
        QVERIFY(!active->isChecked());
        QTest::mouseClick(active, Qt::LeftButton, {}, indicator);
        QVERIFY(active->isChecked());
        clickToolbar("Clear all");
        QVERIFY(!active->isChecked());
    }

    void clearCommands() {
        open();
        typeChsEntry();
        child<QComboBox>("filesys")->setCurrentIndex(4);
        type("relcyl", "3");
        click("info");
        QVERIFY(report().startsWith("* The 'bCHS2bLBA' key"));
        click("clear");
        QCOMPARE(report(), QString());
        for (QLineEdit* field : window_->pages()->page(MainWindow::Geometry)->findChildren<QLineEdit*>())
            QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
        QVERIFY(window_->workspace().check.verdict == quorvane::core::CheckVerdict::Reset);
        QVERIFY(window_->workspace().batch.stage == quorvane::core::BatchStage::None);
        QVERIFY(dialogs_.shown.empty());

        typeChsEntry();
        click("Command1");
        QVERIFY(window_->workspace().check.verdict == quorvane::core::CheckVerdict::Accepted);
        QCOMPARE(text("dgcyls"), QString("1024"));
        clickToolbar("Clear all");
        QCOMPARE(text("dgcyls"), QString());
        QVERIFY(window_->workspace().check.verdict == quorvane::core::CheckVerdict::Reset);
        QCOMPARE(dialogs_.shown.size(), size_t(1));
        QCOMPARE(dialogs_.shown[0], (Message{"All fields have been reset...", "VELK"}));
    }

    void outsideToolsAndFixedMessages() {
        open();
        launcher_.result = {53, "File not found"};
        menuEntry("mnuptedit")->trigger();
        clickToolbar("Run Partinfo");
        launcher_.result = {};
        clickToolbar("Start Ptedit32");
        menuEntry("prtinf")->trigger();
        QCOMPARE(launcher_.started, (std::vector<std::string>{"PTEDIT32.EXE", "PARTIN9X.EXE",
                                                              "PTEDIT32.EXE", "PARTIN9X.EXE"}));
        QCOMPARE(dialogs_.shown.size(), size_t(2));
        for (const Message& message : dialogs_.shown) {
            QCOMPARE(message.title, std::string("Dear User"));
            QCOMPARE(message.prompt,
                     std::string("Unable to start requested program, error: '53 File not found'"));
        }

        dialogs_.shown.clear();
        menuEntry("mnuopen")->trigger();
        menuEntry("help")->trigger();
        clickToolbar("Help");
        QCOMPARE(dialogs_.shown.size(), size_t(3));
        QCOMPARE(dialogs_.shown[0],
                 (Message{"Future feature. Not available in this version.", "VELK"}));
        QCOMPARE(dialogs_.shown[1], (Message{"Help is not available in this version !", "Quorvane"}));
        QCOMPARE(dialogs_.shown[2], dialogs_.shown[1]);

        QVERIFY(!window_->findChild<QAction*>("TbrClear"));  // names match exactly
        QVERIFY(report().startsWith("Quorvane 1.02"));
    }

    void exitClosesTheWindow() {
        open();
        menuEntry("exit")->trigger();
        QVERIFY(!window_->isVisible());
    }

    void numberFormatFollowsTheLocale() {
        struct Case {
            QLocale locale;
            std::string decimal;
            std::string group;
        };
        const Case cases[] = {
            {QLocale(QLocale::English, QLocale::UnitedStates), ".", ","},
            {QLocale(QLocale::German, QLocale::Germany), ",", "."},
            {QLocale(QLocale::Dutch, QLocale::Netherlands), ",", "."},
            {QLocale::c(), ".", ""},  // the C locale writes no grouping
        };
        for (const Case& c : cases) {
            const quorvane::core::NumberFormat format = quorvane::gui::numberFormat(c.locale);
            QCOMPARE(format.decimal, c.decimal);
            QCOMPARE(format.group, c.group);
        }
        QLocale plain(QLocale::English, QLocale::UnitedStates);
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        QCOMPARE(quorvane::gui::numberFormat(plain).group, std::string());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
