// The calculator window and the About box, opened from the main window's
// menus and toolbar and driven as a person would.
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "gui/accessories/divizedi.h"
#include "platform/registry.h"
#include "windowfixture.h"

using quorvane::core::Message;
using quorvane::gui::DiviZediWindow;

namespace {

// A registry that names one system information tool.
class ToolRegistry : public quorvane::core::Registry {
public:
    std::optional<Handle> open(Handle, std::string_view name, std::uint32_t) override {
        if (name != "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO") return std::nullopt;
        return 1;
    }
    std::optional<Data> query(Handle, std::string_view name, std::size_t) override {
        if (name != "PATH") return std::nullopt;
        return Data{kString, std::string("/usr/bin/hardinfo", 18)};
    }
    void close(Handle) override {}
};

}  // namespace

class AccessoriesTest : public quorvane::test::WindowFixture {
    Q_OBJECT

    DiviZediWindow* calculator() {
        DiviZediWindow* window = DiviZediWindow::current();
        if (!window) qFatal("no calculator window");
        return window;
    }
    // Presses calculator keys by the names of their buttons.
    void press(std::initializer_list<const char*> buttons) {
        for (const char* name : buttons) {
            auto* button = calculator()->findChild<QPushButton*>(name);
            if (!button) qFatal("no key %s", name);
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
    QString display() { return calculator()->findChild<QLabel*>("lblDisplay")->text(); }
    QDialog* aboutBox() { return window_->findChild<QDialog*>("frmAbout"); }
    // Lets closed windows be deleted.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    // With QUORVANE_SCREENSHOTS set to a folder, saves a picture of `widget`.
    static void picture(QWidget* widget, const char* name) {
        const QString folder = qEnvironmentVariable("QUORVANE_SCREENSHOTS");
        if (!folder.isEmpty()) widget->grab().save(folder + "/" + name + ".png");
    }

private slots:
    void cleanup() {
        if (DiviZediWindow* open = DiviZediWindow::current()) open->close();
        window_.reset();
        settle();
    }

    void calculatorIsOneWindowStartedAfresh() {
        open();
        menuEntry("tnyclc")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(calculator()));
        QCOMPARE(calculator()->windowTitle(), QString("DiviZedi version 1.0"));
        QCOMPARE(calculator()->objectName(), QString("frmDiviZedi"));
        QVERIFY(!calculator()->parent());
        QCOMPARE(display(), QString("0"));
        picture(calculator(), "divizedi");

        // Five columns by four rows, the operators set apart by a wider gap.
        QStringList grid;
        for (const char* name : {"cmdCijfer(1)", "cmdCijfer(3)", "cmdOperator(3)",
                                 "cmdOperator(4)", "cmdWisDisplay", "cmdIsGelijk"}) {
            const QRect r = calculator()->findChild<QPushButton*>(name)->geometry();
            grid << QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        }
        QCOMPARE(grid.join(" | "), QString("8,40 29x22 | 72,40 29x22 | 112,40 29x22 | "
                                           "144,40 29x22 | 144,88 29x22 | 144,112 29x22"));
        QStringList tips;
        for (QPushButton* button : calculator()->findChildren<QPushButton*>())
            if (!button->toolTip().isEmpty()) tips << button->text() + "=" + button->toolTip();
        QCOMPARE(tips.join("|"), QString("/=Delen|^=Machtsverheffen|*=Vermenigvuldigen|"
                                         "C=Wis alles (Nieuwe berekening)|-=Aftrekken|"
                                         "CE=Wis Display|+/-=Teken verwisselen|"
                                         ".=Decimale komma|+=Optellen"));

        press({"cmdCijfer(2)", "cmdOperator(0)", "cmdCijfer(3)", "cmdOperator(2)"});
        QCOMPARE(display(), QString("0"));
        press({"cmdCijfer(4)", "cmdIsGelijk"});
        QCOMPARE(display(), QString("20"));

        // Opening again brings up the same window with its calculation.
        DiviZediWindow* first = calculator();
        press({"cmdCijfer(5)"});
        clickToolbar("DiviZedi");
        QCOMPARE(calculator(), first);
        QCOMPARE(display(), QString("5"));

        // Closing ends the calculation.
        QPointer<DiviZediWindow> closed = first;
        first->close();
        settle();
        QVERIFY(closed.isNull());
        menuEntry("tnyclc")->trigger();
        QCOMPARE(display(), QString("0"));
        press({"cmdIsGelijk"});
        QCOMPARE(display(), QString("0"));
        QVERIFY(dialogs_.shown.empty());
    }

    void separatorKeyFollowsTheNumberFormat() {
        for (const auto& [format, expected] :
             {std::pair{quorvane::core::NumberFormat::point(), QString(".")},
              std::pair{quorvane::core::NumberFormat::comma(), QString(",")}}) {
            open(format);
            menuEntry("tnyclc")->trigger();
            QCOMPARE(calculator()->findChild<QPushButton*>("cmdKomma")->text(), expected);
            press({"cmdCijfer(1)", "cmdKomma", "cmdCijfer(5)", "cmdOperator(0)", "cmdCijfer(1)",
                   "cmdIsGelijk"});
            QCOMPARE(display(), "2" + expected + "5");
            cleanup();
        }
    }

    void failedEvaluationShowsWhoopsAndRecovers() {
        open();
        clickToolbar("DiviZedi");
        press({"cmdCijfer(5)", "cmdOperator(3)", "cmdCijfer(0)", "cmdIsGelijk"});
        QCOMPARE(dialogs_.shown.size(), size_t(1));
        QCOMPARE(dialogs_.shown[0], (Message{"DiviZedi can't devide by zero!", "Whoops!"}));
        QCOMPARE(display(), QString("0"));
        press({"cmdIsGelijk"});
        QCOMPARE(display(), QString("5"));
        press({"cmdWis", "cmdCijfer(0)", "cmdOperator(3)", "cmdCijfer(0)", "cmdIsGelijk",
               "cmdCijfer(7)", "cmdWisDisplay"});
        QCOMPARE(dialogs_.shown.size(), size_t(2));
        QCOMPARE(dialogs_.shown[1].prompt, std::string("OVERFLOW, abort calculation!"));
        QCOMPARE(display(), QString("0"));
    }

    void aboutBoxIsModalAndLoadedEachTime() {
        open();
        for (int opening = 0; opening < 2; ++opening) {
            menuEntry("mnuabout")->trigger();
            QDialog* about = aboutBox();
            QVERIFY(about);
            QVERIFY(QTest::qWaitForWindowExposed(about));
            QCOMPARE(about->windowModality(), Qt::ApplicationModal);
            QCOMPARE(about->parentWidget(), window_.get());
            QCOMPARE(about->windowTitle(), QString("About Quorvane"));
            QStringList labels;
            for (const char* name : {"lblTitle", "lblversion", "Label1"})
                labels << about->findChild<QLabel*>(name)->text();
            QCOMPARE(labels.join("|"), QString("Quorvane|Version 1.0.2|(formerly known as VELK)"));
            QVERIFY(about->findChild<QLabel*>("lblDescription")->text().startsWith(
                "The Quorvane for diagnosing PowerQuest partition table errors.\n"));
            if (opening == 0) picture(about, "about");

            QPointer<QDialog> shown = about;
            QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            settle();
            QVERIFY(shown.isNull());
        }
        QVERIFY(dialogs_.shown.empty());
    }

    void systemInfoStartsTheToolOrSaysItIsUnavailable() {
        open();
        menuEntry("mnuabout")->trigger();
        auto* sysInfo = aboutBox()->findChild<QPushButton*>("cmdSysInfo");
        QCOMPARE(sysInfo->text(), QString("&System Info..."));
        QTest::mouseClick(sysInfo, Qt::LeftButton);
        QCOMPARE(dialogs_.shown.size(), size_t(1));
        QCOMPARE(dialogs_.shown[0],
                 (Message{"System Information Is Unavailable At This Time", "VELK"}));
        QVERIFY(aboutBox()->isVisible());
        QVERIFY(launcher_.started.empty());

        aboutBox()->close();
        settle();
        ToolRegistry registry;
        window_->setRegistry(registry);
        menuEntry("mnuabout")->trigger();
        QTest::mouseClick(aboutBox()->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(launcher_.started, std::vector<std::string>{"/usr/bin/hardinfo"});
        QCOMPARE(dialogs_.shown.size(), size_t(1));
        aboutBox()->close();
    }

    // Elsewhere than on Windows the registry names the first system
    // information tool on the search path, under the first key looked at.
    void searchPathRegistryNamesAnInfoTool() {
#ifndef Q_OS_WIN
        using quorvane::core::Registry;
        QTemporaryDir folder;
        const QByteArray searchPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(folder.path()));
        const auto restore = qScopeGuard([&] { qputenv("PATH", searchPath); });
        const std::unique_ptr<Registry> registry = quorvane::platform::systemRegistry();
        const auto lookUp = [&](std::string_view key, std::string_view name) {
            std::string value = "before";
            const bool found =
                quorvane::core::getKeyValue(*registry, Registry::kLocalMachine, key, name, value);
            return QString::fromStdString((found ? "found " : "none ") + value);
        };
        const char* kInfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        QCOMPARE(lookUp(kInfo, "PATH"), QString("none "));

        for (const char* name : {"kinfocenter", "hardinfo"}) {
            QFile tool(folder.filePath(name));
            QVERIFY(tool.open(QIODevice::WriteOnly));
            tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QCOMPARE(lookUp("software\\microsoft\\shared tools\\msinfo", "Path"),
                 "found " + folder.filePath("hardinfo"));
        QCOMPARE(lookUp(kInfo, "MSINFO"), QString("none "));
        QCOMPARE(lookUp("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"),
                 QString("none "));
#endif
    }

    // Run last: it runs the application's event loop to its end.
    void exitLeavesCalculatorRunningTheProgram() {
        open();
        window_->setAttribute(Qt::WA_DeleteOnClose);
        menuEntry("tnyclc")->trigger();
        QPointer<quorvane::gui::MainWindow> main = window_.release();
        QVERIFY(QTest::qWaitForWindowExposed(calculator()));

        bool ranOn = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(2); });
        guard.start(5000);
        QTimer::singleShot(0, qApp, [&] {
            main->findChild<QAction*>("exit")->trigger();
            QTimer::singleShot(100, qApp, [&] {
                // The main window is gone; the calculator still works.
                ranOn = main.isNull() && calculator()->isVisible();
                press({"cmdCijfer(1)", "cmdOperator(3)", "cmdCijfer(0)", "cmdIsGelijk"});
                calculator()->close();
            });
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(ranOn);
        QCOMPARE(dialogs_.shown.size(), size_t(1));
    }
};

QTEST_MAIN(AccessoriesTest)
#include "accessories_test.moc"
