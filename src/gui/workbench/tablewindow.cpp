#include "gui/workbench/tablewindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/workbench/tabletexts.h"
#include "gui/app/pageframes.h"

namespace quorvane::gui {

namespace {

QString number(std::uint64_t value) { return QString::number(value); }

QString chsText(const core::Chs& chs, bool placeholder) {
    const QString text = QString::fromStdString(core::chsText(chs));
    return placeholder ? text + " (placeholder)" : text;
}

// The list's columns, their headers and each entry's texts in them.
const QStringList kColumns = {"No.",       "Table sector", "Slot",  "Type",    "Active",
                              "Begin CHS", "End CHS",      "Start", "Sectors", "Failed checks"};

// The columns of numbers, aligned right.
constexpr int kNumberColumns[] = {1, 2, 7, 8};

QStringList rowTexts(const core::CheckedEntry& c) {
    const core::TableEntry& e = c.entry;
    return {e.number ? number(*e.number) : QString("link"),
            number(e.tableSector),
            number(e.slot),
            QString::fromStdString(core::typeCodeText(e.type)),
            e.active() ? "yes" : "no",
            chsText(e.begin, c.beginPlaceholder),
            chsText(e.end, c.endPlaceholder),
            number(e.start),
            number(e.count),
            QString::fromStdString(core::failedChecksText(c))};
}

QString geometryLine(const core::DriveGeometry& g) {
    return QString::fromStdString("Geometry: " + core::geometryText(g) + " (" +
                                  core::geometrySourceText(g, core::Wording::Phrase) + ")");
}

QString findingsText(const std::vector<core::Finding>& findings) {
    if (findings.empty())
        return QString::fromUtf8(core::noFindingsText(core::Wording::Phrase));
    QStringList lines;
    for (const core::Finding& f : findings) lines << QString::fromStdString(f.text);
    return lines.join('\n');
}

}  // namespace

TableWindow::TableWindow(const std::string& path, core::TableReading reading, UseEntry use,
                         QWidget* parent)
    : QDialog(parent), reading_(std::move(reading)), use_(std::move(use)) {
    setObjectName("frmTable");
    const QString file = QString::fromStdString(path);
    setWindowTitle("Partition table of " + QFileInfo(file).fileName());

    auto* image = new QLabel("Image: " + file + ", " + number(reading_.imageSectors) + " sectors",
                             this);
    image->setObjectName("lblImage");
    image->setWordWrap(true);
    image->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* geometry = new QLabel(geometryLine(reading_.geometry), this);
    geometry->setObjectName("lblGeometry");
    QLabel* extent = nullptr;
    if (reading_.partialImage()) {
        extent = new QLabel(QString::fromStdString(reading_.extentNote()), this);
        extent->setObjectName("lblExtent");
        extent->setWordWrap(true);
    }

    entries_ = new QTreeWidget(this);
    entries_->setObjectName("lstEntries");
    entries_->setAccessibleName("Entries");
    entries_->setAccessibleDescription(
        "Every entry of the partition table; Use entry puts the selected one on the Geometry "
        "page");
    entries_->setColumnCount(static_cast<int>(kColumns.size()));
    entries_->setHeaderLabels(kColumns);
    entries_->setRootIsDecorated(false);
    entries_->setUniformRowHeights(true);
    entries_->setAllColumnsShowFocus(true);
    entries_->setSelectionMode(QAbstractItemView::SingleSelection);
    entries_->setSelectionBehavior(QAbstractItemView::SelectRows);
    entries_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (const core::CheckedEntry& c : reading_.entries) {
        auto* item = new QTreeWidgetItem(entries_, rowTexts(c));
        for (const int column : kNumberColumns)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    auto* entriesLabel = new QLabel("&Entries:", this);
    entriesLabel->setBuddy(entries_);

    findings_ = new QPlainTextEdit(findingsText(reading_.findings), this);
    findings_->setObjectName("txtFindings");
    findings_->setAccessibleName("Findings");
    findings_->setAccessibleDescription("What the entries show together, beyond each one's check");
    findings_->setReadOnly(true);
    findings_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    findings_->setTabChangesFocus(true);
    findings_->setFixedHeight(findings_->fontMetrics().lineSpacing() * 4 +
                              2 * (findings_->frameWidth() + 4));
    auto* findingsLabel = new QLabel("&Findings:", this);
    findingsLabel->setBuddy(findings_);

    useButton_ = new QPushButton("&Use entry", this);
    useButton_->setObjectName("cmdUse");
    useButton_->setToolTip("Put the selected entry on the Geometry page");
    useButton_->setDefault(true);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("cmdClose");
    close->setAutoDefault(false);
    for (QPushButton* button : {useButton_, close}) button->setMinimumWidth(twipsToPixels(1260));
    connect(useButton_, &QPushButton::clicked, this, &TableWindow::useCurrentEntry);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // Return on the list reaches the default button; a double click uses
    // the entry clicked.
    connect(entries_, &QTreeWidget::itemDoubleClicked, this, &TableWindow::useCurrentEntry);
    connect(entries_, &QTreeWidget::itemSelectionChanged, this,
            [this] { useButton_->setEnabled(!entries_->selectedItems().isEmpty()); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(useButton_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(image);
    if (extent) layout->addWidget(extent);
    layout->addWidget(geometry);
    layout->addSpacing(4);
    layout->addWidget(entriesLabel);
    layout->addWidget(entries_, 1);
    layout->addWidget(findingsLabel);
    layout->addWidget(findings_);
    layout->addLayout(buttons);

    setTabOrder(entries_, findings_);
    setTabOrder(findings_, useButton_);
    setTabOrder(useButton_, close);

    if (entries_->topLevelItemCount() > 0) entries_->setCurrentItem(entries_->topLevelItem(0));
    useButton_->setEnabled(!entries_->selectedItems().isEmpty());
    entries_->setFocus();
    fitList();
}

void TableWindow::fitList() {
    QHeaderView* header = entries_->header();
    header->setStretchLastSection(false);
    header->resizeSections(QHeaderView::ResizeToContents);
    const int rows = std::clamp(entries_->topLevelItemCount(), 4, 10);
    const int rowHeight = entries_->topLevelItemCount() > 0 ? entries_->sizeHintForRow(0)
                                                            : fontMetrics().height() + 4;
    const int frame = 2 * entries_->frameWidth();
    // Room for a vertical scroll bar, so that a long table does not hide
    // the last column.
    const int scrollBar = entries_->verticalScrollBar()->sizeHint().width();
    entries_->setMinimumSize(header->length() + frame + scrollBar,
                             header->sizeHint().height() + rows * rowHeight + frame);
    header->setStretchLastSection(true);
    resize(sizeHint().expandedTo(QSize(scaled(480), 0)));
}

void TableWindow::useCurrentEntry() {
    QTreeWidgetItem* item = entries_->currentItem();
    if (!item || !item->isSelected()) return;
    const int index = entries_->indexOfTopLevelItem(item);
    use_(reading_.entries.at(static_cast<std::size_t>(index)).fields);
    accept();
}

}  // namespace quorvane::gui
