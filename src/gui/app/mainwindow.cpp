#include "gui/app/mainwindow.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

#include "core/base/texts.h"
#include "core/readers/bootsector.h"
#include "core/readers/partitiontable.h"
#include "core/workbench/geometry.h"
#include "gui/accessories/about.h"
#include "gui/accessories/divizedi.h"
#include "gui/app/icons.h"
#include "gui/app/pageframes.h"
#include "gui/app/pagetabs.h"
#include "gui/app/programstyle.h"
#include "gui/calculators/calculatorpages.h"
#include "gui/wizards/bbspage.h"
#include "gui/wizards/dynrootpage.h"
#include "gui/workbench/geometrypage.h"
#include "gui/workbench/tablewindow.h"
#include "platform/diskimage_std.h"
#include "platform/listingfile_std.h"

namespace quorvane::gui {

MainWindow::MainWindow(core::Dialogs& dialogs, core::Launcher& launcher,
                       const core::NumberFormat& format, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), launcher_(launcher), format_(format) {
    setObjectName("Quorvane");
    setWindowTitle(QString::fromUtf8(core::kMainCaption.data(), core::kMainCaption.size()));
    setWindowIcon(gui::windowIcon());  // not QWidget::windowIcon()
    useProgramStyle();

    buildCommands();
    setAcceptDrops(true);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    pages_ = new PageTabs(4, central);
    pages_->setObjectName("SSTab1");
    pages_->setFixedSize(twipsToPixels(6855), twipsToPixels(4815));
    connect(pages_, &PageTabs::aboutToShow, this, &MainWindow::buildPage);
    buildPages();
    layout->addWidget(pages_, 0, Qt::AlignTop);
    buildPageKeys();

    maindisplay_ = new QPlainTextEdit(central);
    maindisplay_->setObjectName("maindisplay");
    maindisplay_->setAccessibleName("Report");
    maindisplay_->setReadOnly(true);
    maindisplay_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                          Qt::TextSelectableByKeyboard);
    maindisplay_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont reportFont;
    reportFont.setFamilies({"Arial", "Liberation Sans"});
    reportFont.setPointSizeF(scaledPoints(9));
    maindisplay_->setFont(reportFont);
    QPalette colours = maindisplay_->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, QColor(0, 0, 128));
        colours.setColor(group, QPalette::Text, QColor(255, 255, 128));
    }
    maindisplay_->setPalette(colours);
    maindisplay_->setMinimumSize(twipsToPixels(3735), twipsToPixels(4815));
    layout->addWidget(maindisplay_, 1);
    setCentralWidget(central);
    // Tab goes from the toolbar to the current tab, through the shown page
    // and on to the report box.
    QWidget* lastOnPages = pages_;
    for (QWidget* w = pages_->nextInFocusChain(); w != pages_; w = w->nextInFocusChain())
        if (pages_->isAncestorOf(w)) lastOnPages = w;
    QWidget::setTabOrder(lastOnPages, maindisplay_);

    // The pages start from the workspace's own values (some fields come
    // preset), then the report box shows the introduction. A page built
    // later loads them when it is built.
    for (WorkspacePage* page : workspacePages_)
        if (page->isBuilt()) page->load(workspace_);
    workspace_.report = core::introText();
    perform([](core::Workspace&, const core::NumberFormat&) { return core::Outcome{}; });
}

void MainWindow::buildCommands() {
    // A menu of the menu bar, named for screen readers by its caption.
    const auto addMenu = [this](const char* name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->setAccessibleName(QString(caption).remove(u'&'));
        return menu;
    };
    QMenu* mnufile = addMenu("mnufile", "&File");
    QMenu* mnutools = addMenu("mnutools", "&Tools");
    QMenu* mnuhelp = addMenu("mnuhelp", "&Help");

    toolbar_ = addToolBar("Toolbar");
    toolbar_->setObjectName("Toolbar2");
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar_->setIconSize(QSize(24, 24));

    // Every command once: its menu, if any, and its place on the toolbar,
    // if any. A menu shows the text; a toolbar button shows the image and
    // the tool tip, which is also the name screen readers give the button.
    // A command only on the toolbar (no text of its own) has its tool tip as
    // its text too.
    constexpr int kNoButton = -1;
    struct Command {
        const char* name;
        QMenu* menu;
        const char* text;
        int button;
        const char* toolTip;
        const char* imageKey;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"exit", mnufile, "Exit ", kNoButton, nullptr, nullptr, [this] { close(); }},
        {"mnuopen", mnufile, "&Open", kNoButton, nullptr, nullptr,
         [this] { showMessage(core::openNotAvailable()); }},
        {"mnutable", mnufile, "&Read partition table...", kNoButton, nullptr, nullptr,
         [this] { readPartitionTable(); }},
        {"mnulisting", mnufile, "Read partinfo &listing...", kNoButton, nullptr, nullptr,
         [this] { readListing(); }},
        {"mnupaste", mnufile, "&Paste partinfo listing", kNoButton, nullptr, nullptr,
         [this] { pasteListing(); }},
        {"tbrclear", nullptr, nullptr, 0, "Clear all", "Delete", [this] { clearAll(); }},
        {"mnuptedit", mnutools, "&Ptedit", 1, "Start Ptedit32", "Partinfo",
         [this] { launch(core::kPteditProgram); }},
        {"prtinf", mnutools, "P&artinfo9X", 2, "Run Partinfo", "View Details",
         [this] { launch(core::kPartinfoProgram); }},
        {"tnyclc", mnutools, "&DiviZedi", 3, "DiviZedi", "Calc", [this] { openDiviZedi(); }},
        {"tbraddbatch", nullptr, nullptr, 4, "Write current Geometry to batchfile", "Attached",
         [this] { performOnBatch(core::addToBatch); }},
        {"tbrsavebatch", nullptr, nullptr, 5, "When finished writing Batch, click to save.",
         "disk14",
         [this] { performOnBatch(core::saveBatch); }},
        {"tbrrunbatch", nullptr, nullptr, 6, "Execute batch file on current harddrive",
         "Diskedit", [this] { runBatch(); }},
        {"help", mnuhelp, "Help", 7, "Help", "Help",
         [this] { showMessage(core::helpNotAvailable()); }},
        {"mnuabout", mnuhelp, "&About", kNoButton, nullptr, nullptr, [this] { openAbout(); }},
    };

    struct Button {
        QAction* action = nullptr;
        QIcon menuFreeIcon;
    };
    std::array<Button, 8> buttons;
    for (const Command& command : commands) {
        auto* action =
            new QAction(QString::fromUtf8(command.text ? command.text : command.toolTip), this);
        action->setObjectName(command.name);
        connect(action, &QAction::triggered, this, command.run);
        if (command.menu) command.menu->addAction(action);
        if (command.button == kNoButton) continue;
        action->setToolTip(QString::fromUtf8(command.toolTip));
        action->setIconText(action->toolTip());
        // An image on an action of a menu widens the menu's image column
        // even where the image is not shown there: such a command's image
        // goes on its button alone.
        Button& button = buttons.at(static_cast<std::size_t>(command.button));
        button.action = action;
        const QIcon icon = toolbarIcon(QString::fromLatin1(command.imageKey));
        if (command.menu)
            button.menuFreeIcon = icon;
        else
            action->setIcon(icon);
    }
    for (const Button& button : buttons) {
        toolbar_->addAction(button.action);
        auto* widget = qobject_cast<QToolButton*>(toolbar_->widgetForAction(button.action));
        // Some operations have no menu entry: every button is a stop of
        // the Tab key.
        widget->setFocusPolicy(Qt::TabFocus);
        if (!button.menuFreeIcon.isNull()) {
            widget->setIcon(button.menuFreeIcon);
            // The button takes the action's (empty) image again whenever
            // the action changes, before the action says it has changed.
            connect(button.action, &QAction::changed, widget,
                    [widget, icon = button.menuFreeIcon] { widget->setIcon(icon); });
        }
    }
    // The button that shows the buttons a narrow window has no room for.
    if (auto* more = toolbar_->findChild<QToolButton*>("qt_toolbar_ext_button"))
        more->setAccessibleName("More toolbar buttons");
}

void MainWindow::buildPageKeys() {
    // The keys of every tabbed window, from anywhere in this one. Shift+Tab
    // arrives as Backtab.
    const struct {
        QKeyCombination key;
        int offset;
    } keys[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const auto& [key, offset] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, pages_, [this, offset] { pages_->step(offset); });
    }
}

void MainWindow::buildPages() {
    // The page shown first is built at once, the others later. With
    // assistive technology already listening, every page is built at once,
    // so that it finds every page's controls from the start.
    const bool allAtOnce = QAccessible::isActive();
    const auto add = [this, allAtOnce](WorkspacePage* page, const QString& caption, bool shown) {
        if (shown || allAtOnce) page->build();
        addWorkspacePage(page, caption);
    };
    add(newError110Page(performer()), "Error 110", false);
    add(newError108Page(performer()), "Error 108", false);

    add(new DynRootPage(performer()), "DYN_ROOT", false);
    add(newNtfsBbsPage(performer()), "NTFS bbs", false);
    add(newFat32BbsPage(performer()), "Fat32 bbs", false);

    add(new GeometryPage(performer()), "Geometry", true);
    add(newBogus113Page(performer()), "Bogus 113", false);
    pages_->setCurrentIndex(Geometry);
}

void MainWindow::buildPage(int index) {
    WorkspacePage* page = workspacePages_.at(static_cast<std::size_t>(index));
    if (page->isBuilt()) return;
    page->build();
    page->load(workspace_);
}

void MainWindow::buildNextPage() {
    const auto unbuilt = std::find_if(workspacePages_.begin(), workspacePages_.end(),
                                      [](const WorkspacePage* page) { return !page->isBuilt(); });
    if (unbuilt == workspacePages_.end()) return;
    buildPage(static_cast<int>(unbuilt - workspacePages_.begin()));
    if (!pagesBuilt()) QTimer::singleShot(0, this, &MainWindow::buildNextPage);
}

bool MainWindow::pagesBuilt() const {
    return std::all_of(workspacePages_.begin(), workspacePages_.end(),
                       [](const WorkspacePage* page) { return page->isBuilt(); });
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // Once the first frame is painted.
        QTimer::singleShot(0, this, &MainWindow::buildNextPage);
    }
    return QMainWindow::event(event);
}

void MainWindow::addWorkspacePage(WorkspacePage* page, const QString& caption) {
    workspacePages_.push_back(page);
    pages_->addPage(page, caption);
}

Performer MainWindow::performer() {
    return [this](const Operation& operation) { perform(operation); };
}

void MainWindow::clearAll() {
    perform([](core::Workspace& w, const core::NumberFormat&) {
        return core::Outcome{{core::clearEverything(w)}};
    });
}

void MainWindow::runBatch() {
    if (!batchFile_) return;
    perform([this](core::Workspace&, const core::NumberFormat&) {
        return core::runBatch(dialogs_, launcher_, core::batchPath(programDirectory_));
    });
}

void MainWindow::setBatchOutput(core::BatchFile& file, core::Clock& clock,
                                std::string programDirectory) {
    batchFile_ = &file;
    clock_ = &clock;
    programDirectory_ = std::move(programDirectory);
}

void MainWindow::performOnBatch(core::Outcome (*operation)(core::Workspace&, core::BatchPlace&)) {
    if (!batchFile_) return;
    perform([this, operation](core::Workspace& w, const core::NumberFormat&) {
        core::BatchPlace place{*batchFile_, *clock_, programDirectory_};
        return operation(w, place);
    });
}

void MainWindow::perform(const Operation& operation) {
    // A page not built yet has nothing of its own: the workspace holds its
    // values until it is built.
    for (const WorkspacePage* page : workspacePages_)
        if (page->isBuilt()) page->store(workspace_);
    const core::Outcome outcome = operation(workspace_, format_);
    for (WorkspacePage* page : workspacePages_)
        if (page->isBuilt()) page->load(workspace_);
    if (workspace_.report != shownReport_) {
        // The core's text has CR LF line breaks; the text control keeps
        // paragraphs apart by line feeds alone.
        maindisplay_->setPlainText(
            QString::fromStdString(core::withLineFeeds(workspace_.report)));
        shownReport_ = workspace_.report;
    }
    for (const core::Message& message : outcome.messages) showMessage(message);
}

void MainWindow::showMessage(const core::Message& message) { dialogs_.show(message); }

void MainWindow::launch(std::string_view program) {
    perform([this, program](core::Workspace&, const core::NumberFormat&) {
        return core::launchOutsideTool(launcher_, program);
    });
}

void MainWindow::openDiviZedi() { DiviZediWindow::open(dialogs_, format_); }

void MainWindow::openAbout() {
    if (!about_) {
        about_ = new AboutBox(*registry_, launcher_, dialogs_, this);
        about_->setAttribute(Qt::WA_DeleteOnClose);
        // Modal without a nested event loop, so the click that opened it
        // returns at once.
        about_->setWindowModality(Qt::ApplicationModal);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MainWindow::readPartitionTable() {
    if (!fileChooser_) return;
    const std::optional<std::string> path = fileChooser_->chooseFile("Read partition table");
    if (!path) return;
    platform::OpenedImage opened = platform::openDiskImage(*path);
    if (!opened.image) {
        showMessage(core::unreadableTableMessage(*path, opened.error));
        return;
    }
    // The window reads each volume when its entry is chosen: the image
    // stays open as long as the window does.
    const std::shared_ptr<core::DiskImage> image = std::move(opened.image);
    TableWindow::ImageSource source;
    source.path = *path;
    source.readVolume = [image](const core::VolumePlace& place) {
        return core::readVolume(*image, place);
    };
    core::TableReading reading = core::readPartitionTable(*image, core::TableRequest{}, format_);
    if (!reading.error.empty()) {
        // A file that is one volume holds no table: its boot sector is read
        // from sector 0 on.
        core::SectorBytes first{};
        const std::optional<std::string> kind =
            image->size() >= core::kSectorBytes && !image->readSector(0, first)
                ? core::bootSectorKind(first)
                : std::nullopt;
        if (!kind) {
            showMessage(core::unreadableTableMessage(*path, reading.error));
            return;
        }
        source.oneVolume = true;
        source.what = *kind;
        reading = core::TableReading{};
        reading.imageSectors = image->size() / core::kSectorBytes;
    }
    const auto use = [this](const core::GeometryFields& fields) { useEntry(fields); };
    const auto page = [this](const core::PageChoice& choice) { usePage(choice); };
    showList(new TableWindow(source, std::move(reading), use, page, this, format_));
}

void MainWindow::usePage(const core::PageChoice& choice) {
    perform([&choice](core::Workspace& w, const core::NumberFormat&) {
        core::usePageChoice(w, choice);
        return core::Outcome{};
    });
    switch (choice.page) {
        case core::ListingPage::Error110: pages_->setCurrentIndex(Error110); break;
        case core::ListingPage::Error108: pages_->setCurrentIndex(Error108); break;
        case core::ListingPage::Bogus113: pages_->setCurrentIndex(Bogus113); break;
        case core::ListingPage::Fat32Bbs: pages_->setCurrentIndex(Fat32Bbs); break;
        case core::ListingPage::NtfsBbs: pages_->setCurrentIndex(NtfsBbs); break;
        case core::ListingPage::DynRoot: pages_->setCurrentIndex(DynRoot); break;
    }
}

void MainWindow::useEntry(const core::GeometryFields& fields) {
    perform([&fields](core::Workspace& w, const core::NumberFormat&) {
        core::useTableEntry(w, fields);
        return core::Outcome{};
    });
    pages_->setCurrentIndex(Geometry);
}

void MainWindow::showList(QDialog* list) {
    list->setAttribute(Qt::WA_DeleteOnClose);
    // Modal to this window without a nested event loop, as the About box.
    list->setWindowModality(Qt::WindowModal);
    list->show();
    list->raise();
    list->activateWindow();
}

void MainWindow::readListing() {
    if (!fileChooser_) return;
    const std::optional<std::string> path = fileChooser_->chooseFile("Read partinfo listing");
    if (path) readListingFile(*path);
}

void MainWindow::pasteListing() {
    readListingText(QGuiApplication::clipboard()->text(), "the clipboard");
}

void MainWindow::readListingFile(const std::string& path) {
    const platform::ListingFile file = platform::readListingFile(path);
    if (!file.error.empty()) {
        refuseListing(path, file.error);
        return;
    }
    listListing(path, true, file.bytes);
}

void MainWindow::readListingText(const QString& text, const std::string& name) {
    // Its UTF-8 form is at least as long as its count of UTF-16 units: a
    // text too large is refused before it is converted.
    const auto tooLarge = [](qsizetype size) {
        return static_cast<std::size_t>(size) > core::kMaxListingBytes;
    };
    if (tooLarge(text.size())) {
        refuseListing(name, core::listingTooLargeReason());
        return;
    }
    const QByteArray bytes = text.toUtf8();
    if (tooLarge(bytes.size())) {
        refuseListing(name, core::listingTooLargeReason());
        return;
    }
    listListing(name, false,
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void MainWindow::listListing(const std::string& name, bool file, std::string_view bytes) {
    const core::Listing listing = core::readListing(bytes);
    if (!listing.error.empty()) {
        refuseListing(name, listing.error);
        return;
    }
    core::ListingReading reading = core::checkListing(listing, core::ListingRequest{}, format_);
    const auto use = [this](const core::GeometryFields& fields) { useEntry(fields); };
    const auto page = [this](const core::PageChoice& choice) { usePage(choice); };
    showList(new TableWindow(TableWindow::ListingOrigin{name, file}, std::move(reading), use,
                             page, this, format_));
}

void MainWindow::refuseListing(const std::string& name, const std::string& reason) {
    showMessage(core::Message{core::unreadableListingText(name, reason),
                              std::string(core::kProgramName), core::Icon::Exclamation});
}

bool MainWindow::readDropped(const QMimeData& data, bool justLook) {
    // One file of this machine, or text; several files, or a link to
    // elsewhere, are not a listing.
    const QList<QUrl> urls = data.urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        if (justLook) return true;
        const std::string path = urls.front().toLocalFile().toStdString();
        // Read once the drop is over, so that a message box does not stand
        // in the middle of it.
        QTimer::singleShot(0, this, [this, path] { readListingFile(path); });
        return true;
    }
    if (!urls.isEmpty() || !data.hasText()) return false;
    if (justLook) return true;
    QTimer::singleShot(0, this,
                       [this, text = data.text()] { readListingText(text, "the dropped text"); });
    return true;
}

// A drag that starts in this program (text of the report box) is no
// listing brought in.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->source() && readDropped(*event->mimeData(), true)) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (!event->source() && readDropped(*event->mimeData(), false)) event->acceptProposedAction();
}

}  // namespace quorvane::gui
