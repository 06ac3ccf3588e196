#include "gui/workbench/geometrypage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/app/shell.h"
#include "core/base/texts.h"
#include "core/workbench/entrycheck.h"
#include "core/workbench/geometry.h"
#include "gui/app/pageframes.h"

namespace quorvane::gui {

namespace {

// A column of label-above-field pairs laid out side by side in `grid`.
void addLabelled(QGridLayout* grid, int column, const QString& label, QWidget* field) {
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    field->setAccessibleName(label);
    // The text part of a combo box is what a reader meets first.
    if (auto* combo = qobject_cast<QComboBox*>(field)) {
        combo->lineEdit()->setAccessibleName(label);
        combo->view()->setAccessibleName(label);
    }
    grid->addWidget(caption, 0, column);
    grid->addWidget(field, 1, column);
}

QLineEdit* makeField(const char* name, int width = 52) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setFixedWidth(scaled(width));
    return field;
}

QComboBox* makeCombo(const char* name, const QStringList& items) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    // Sized first, so that the box need not measure itself on the way; a
    // box once resized is not resized again to its size hint when it is
    // made editable, and the page's layout gives it its place anyway.
    combo->setFixedWidth(scaled(48));
    combo->resize(combo->width(), combo->height());
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

// A command button of the page and the operation its click runs.
struct PageButton {
    const char* name;
    const char* caption;
    const char* toolTip;
    Operation operation;
};

QGroupBox* makeGroup(const QString& caption, QGridLayout*& grid) {
    auto* group = new QGroupBox(caption);
    group->setAccessibleName(caption);
    grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    return group;
}

// An option button that a click turns on and never off, like the one
// button of an option group; only the program turns it off.
class OnlyOnOption : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override { setChecked(true); }
};

}  // namespace

GeometryPage::GeometryPage(Performer perform, QWidget* parent)
    : WorkspacePage(std::move(perform), parent) {
    setObjectName("Geometry");
}

void GeometryPage::buildControls() {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(6, 4, 6, 4);
    rows->setSpacing(2);
    QGridLayout* grid = nullptr;
    // A row of command buttons in `layout`, each running its operation.
    const auto addButtons = [this](QGridLayout* layout,
                                   std::initializer_list<PageButton> buttons) {
        int column = 0;
        for (const PageButton& entry : buttons) {
            auto* button = new QPushButton(entry.caption);
            button->setObjectName(entry.name);
            button->setToolTip(entry.toolTip);
            button->setAutoDefault(false);
            layout->addWidget(button, 0, column++);
            runOnClick(button, entry.operation);
        }
    };

    // Row 1: drive geometry and the general buttons.
    auto* row1 = new QHBoxLayout;
    auto* driveGeometry = makeGroup("Drive Geometry", grid);
    addLabelled(grid, 0, "Cyl*", makeField("dgcyls"));
    addLabelled(grid, 1, "Head*", makeField("dgheads"));
    addLabelled(grid, 2, "Sect*", makeField("dgsects"));
    row1->addWidget(driveGeometry);
    auto* general = makeGroup("General ", grid);
    addButtons(grid, {
        {"info", "General info", "",
         core::reportText(core::generalInfoText)},
        {"clear", "Clear all", "Clear all fields",
         [](core::Workspace& w, const core::NumberFormat&) {
             core::clearGeometryPage(w);
             return core::Outcome{};
         }},
        {"Command1", "IPE", "Ignore partition table error when writing the batch",
         [](core::Workspace& w, const core::NumberFormat&) {
             core::ignorePartitionTableError(w);
             return core::Outcome{};
         }},
    });
    row1->addWidget(general);
    rows->addLayout(row1);

    // Row 2: begin and end CHS, file system type.
    auto* row2 = new QHBoxLayout;
    auto* beginValues = makeGroup("CHS begin values", grid);
    addLabelled(grid, 0, "Cyl*", makeField("cyls", 44));
    addLabelled(grid, 1, "Head*", makeField("heads", 44));
    addLabelled(grid, 2, "Sect*", makeField("sects", 44));
    row2->addWidget(beginValues);
    auto* endValues = makeGroup("CHS end values", grid);
    addLabelled(grid, 0, "Cyl", makeField("ecyls", 44));
    addLabelled(grid, 1, "Head*", makeField("eheads", 44));
    addLabelled(grid, 2, "Sect*", makeField("esects", 44));
    row2->addWidget(endValues);
    auto* typeGroup = makeGroup(QString(), grid);
    typeGroup->setAccessibleName("FS");
    addLabelled(grid, 0, "FS",
                makeCombo("filesys", {"06", "16", "0E", "1E", "0B", "1B", "0C", "00",
                                                "1C", "05", "0F", "07", "17"}));
    row2->addWidget(typeGroup);
    rows->addLayout(row2);

    // Row 3: start sector, relative cylinder, sectors and the batch items.
    auto* entry = makeGroup(QString(), grid);
    entry->setAccessibleName("Partition entry");
    addLabelled(grid, 0, "Sect before*", makeField("lbastrt", 74));
    addLabelled(grid, 1, "Relcyl", makeField("relcyl", 40));
    addLabelled(grid, 2, "Sectors*", makeField("LBAend", 74));
    Optact = new OnlyOnOption("80");
    Optact->setObjectName("Optact");
    Optact->setToolTip("When pressed, partition will be active");
    grid->addWidget(Optact, 1, 3);
    addLabelled(grid, 4, "Drv", makeCombo("drive", {"1", "2", "3", "4"}));
    addLabelled(grid, 5, "#", makeCombo("prtno", {"1", "2", "3", "4"}));
    addLabelled(grid, 6, "PartSect", makeField("prtsct", 56));
    rows->addWidget(entry);

    // Row 4: the conversions.
    auto* controls = makeGroup("Controls", grid);
    addButtons(grid, {
        {"begin", "bCHS2bLBA",
         "Calculate begin CHS to LBA value. Drive Geometry and the begin CHS fields require "
         "input",
         [](core::Workspace& w, const core::NumberFormat& f) {
             return core::beginChsToLba(w.geometry, w.report, f);
         }},
        {"beLBATOCHS", "bLBA2bCHS",
         "Calculate the begin CHS from the begin LBA, fill out drive geometry and sectors "
         "before.",
         [](core::Workspace& w, const core::NumberFormat& f) {
             return core::beginLbaToChs(w.geometry, w.report, f);
         }},
        {"eCHS2eLBA", "eCHS2eLBA",
         "Calculate the end LBA from the end CHS, fill out drive geometry and and end CHS.",
         [](core::Workspace& w, const core::NumberFormat& f) {
             return core::endChsToLba(w.geometry, w.report, f);
         }},
        {"ptCHS2LBA", "CHS2LBA",
         "Enter DriveGometry and start and end CHS to calculate begin and end LBA values",
         [](core::Workspace& w, const core::NumberFormat& f) {
             return core::chsToLba(w.geometry, f);
         }},
        {"Verify", "Check",
         "Check a partition table entry for inconsistencies. All fields are required to be "
         "filled out.",
         core::checkGeometryEntry},
    });
    rows->addWidget(controls);
    rows->addStretch(1);
}

void GeometryPage::store(core::Workspace& workspace) const {
    storeTexts(core::geometryTextFields(), workspace.geometry);
    workspace.geometry.Optact = Optact->isChecked();
}

void GeometryPage::load(const core::Workspace& workspace) {
    loadTexts(core::geometryTextFields(), workspace.geometry);
    Optact->setChecked(workspace.geometry.Optact);
}

}  // namespace quorvane::gui
