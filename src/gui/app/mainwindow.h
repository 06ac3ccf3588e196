// The main window: seven tab pages, the report box, menus and toolbar.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <vector>

#include "core/accessories/sysinfo.h"
#include "core/app/listingchoices.h"
#include "core/app/shell.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"
#include "core/workbench/batch.h"
#include "gui/app/workspacepage.h"

class QAction;
class QDialog;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;
class QPlainTextEdit;
class QToolBar;

namespace quorvane::gui {

class AboutBox;
class PageTabs;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `dialogs` shows message boxes and `launcher` starts outside tools;
    // both must outlive the window.
    MainWindow(core::Dialogs& dialogs, core::Launcher& launcher,
               const core::NumberFormat& format, QWidget* parent = nullptr);

    // Indexes of the pages, in their order.
    enum Page { Error110, Error108, DynRoot, NtfsBbs, Fat32Bbs, Geometry, Bogus113 };

    PageTabs* pages() const { return pages_; }
    QPlainTextEdit* reportBox() const { return maindisplay_; }
    QToolBar* toolbar() const { return toolbar_; }
    const core::Workspace& workspace() const { return workspace_; }
    // Whether every page has been built. The shown page is built at once;
    // the others after the window is first painted, or when they are about
    // to be shown if that comes first.
    bool pagesBuilt() const;

    // Where the batch builder writes quorvane.bat: through `file`, dated by
    // `clock` (both must outlive the window), into `programDirectory`.
    // Until this is set the batch keys do nothing.
    void setBatchOutput(core::BatchFile& file, core::Clock& clock, std::string programDirectory);
    // The registry the About box reads; it must outlive the window. Until
    // one is given the window reads a registry without keys.
    void setRegistry(core::Registry& registry) { registry_ = &registry; }
    // What File > "Read partition table..." and "Read partinfo listing..."
    // ask for the file with; it must outlive the window. Until one is given
    // the entries do nothing.
    void setFileChooser(core::FileChooser& chooser) { fileChooser_ = &chooser; }

protected:
    bool event(QEvent* event) override;
    // A listing's file or text dropped onto the window is read as File >
    // "Read partinfo listing..." reads a file.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Makes every command once, as one action, and puts it into its menu,
    // on the toolbar, or both.
    void buildCommands();
    void buildPages();
    void buildPageKeys();
    // Builds page `index` if it is not built yet, from the workspace.
    void buildPage(int index);
    // Builds the first page not built yet, then the others one by one,
    // each when the window has nothing else to do.
    void buildNextPage();

    // Adds a page that shows part of the workspace.
    void addWorkspacePage(WorkspacePage* page, const QString& caption);
    // Runs one operation on the workspace: the pages' texts go in, the
    // changed fields and report come back, and its messages are shown.
    void perform(const Operation& operation);
    Performer performer();
    void showMessage(const core::Message& message);
    void launch(std::string_view program);
    // Runs a batch operation with the batch file's place, once it is set.
    void performOnBatch(core::Outcome (*operation)(core::Workspace&, core::BatchPlace&));
    void clearAll();
    // Runs quorvane.bat, once the batch file's place is set.
    void runBatch();
    void openDiviZedi();
    void openAbout();
    // Asks for a saved disk image and lists its partition table, or the one
    // volume of an image that holds no table but a file system from sector
    // 0 on; a file that cannot be read gives a message and changes nothing.
    void readPartitionTable();
    // Puts an entry of a list on the Geometry page and shows it.
    void useEntry(const core::GeometryFields& fields);
    // "Use for ...": fills the choice's page and shows it.
    void usePage(const core::PageChoice& choice);
    // Shows a list window over this one.
    void showList(QDialog* list);

    // Asks for a partinfo listing's file, or takes the clipboard's text,
    // and lists the listing; what holds no listing gives a message and
    // changes nothing.
    void readListing();
    void pasteListing();
    void readListingFile(const std::string& path);
    // `name` says where the text came from: "the clipboard".
    void readListingText(const QString& text, const std::string& name);
    void listListing(const std::string& name, bool file, std::string_view bytes);
    void refuseListing(const std::string& name, const std::string& reason);
    // The local file or the text a drop carries, as a listing; false when
    // it carries neither.
    bool readDropped(const QMimeData& data, bool justLook);

    core::Dialogs& dialogs_;
    core::Launcher& launcher_;
    core::BatchFile* batchFile_ = nullptr;
    core::Clock* clock_ = nullptr;
    std::string programDirectory_;
    core::NumberFormat format_;
    core::Workspace workspace_;
    std::string shownReport_;
    bool painted_ = false;

    PageTabs* pages_ = nullptr;
    std::vector<WorkspacePage*> workspacePages_;
    QPlainTextEdit* maindisplay_ = nullptr;
    QToolBar* toolbar_ = nullptr;

    core::EmptyRegistry noRegistry_;
    core::Registry* registry_ = &noRegistry_;
    core::FileChooser* fileChooser_ = nullptr;
    QPointer<AboutBox> about_;
};

}  // namespace quorvane::gui
