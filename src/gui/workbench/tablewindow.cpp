#include "gui/workbench/tablewindow.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "core/workbench/diskmap.h"
#include "core/workbench/tabletexts.h"
#include "core/workbench/volumetexts.h"
#include "gui/app/pageframes.h"
#include "gui/workbench/diskmapview.h"

namespace quorvane::gui {

namespace {

QString number(std::uint64_t value) { return QString::number(value); }

QString text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString chsText(const core::Chs& chs, bool placeholder) {
    const QString text = QString::fromStdString(core::chsText(chs));
    return placeholder ? text + " (placeholder)" : text;
}

// The list's columns, their headers and each entry's texts in them; a
// listing adds the codes of its own messages.
const QStringList kColumns = {"No.",       "Table sector", "Slot",  "Type",    "Active",
                              "Begin CHS", "End CHS",      "Start", "Sectors", "Failed checks"};
const QString kListingColumn = "Listing's codes";

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

QString messageText(const core::ListingMessage& m) {
    return QString::fromStdString(core::listingMessageText(m));
}

// Whether a message says more than that a CHS value is a placeholder, which
// the list shows already.
bool telling(const core::ListingMessage& m) {
    return m.code.has_value() || m.level != core::MessageLevel::Info;
}

// The codes of the entry's own messages: "#105, #114", a message that is
// not an error with its level: "#108 (Info)"; "none" without any.
QString listingCodes(const core::ListingEntry& entry) {
    QStringList codes;
    for (const core::ListingMessage& m : entry.messages) {
        if (!m.code) continue;
        QString code = "#" + number(*m.code);
        if (m.level != core::MessageLevel::Error)
            code += " (" + text(core::messageLevelName(m.level)) + ")";
        codes << code;
    }
    return codes.isEmpty() ? QString("none") : codes.join(", ");
}

// The entry as the list's first column and the entry header name it:
// "Partition 5", "Link entry (table sector 2048, slot 2)".
QString entryName(const core::CheckedEntry& c) {
    if (c.entry.number) return "Partition " + number(*c.entry.number);
    return "Link entry (table sector " + number(c.entry.tableSector) + ", slot " +
           number(c.entry.slot) + ")";
}

// A Partition Information row as the listing prints it.
QString volumeText(const core::VolumeRow& v) {
    QStringList fields;
    for (const std::string* field : {&v.volume, &v.partType, &v.status, &v.sizeMb})
        if (!field->empty()) fields << QString::fromStdString(*field);
    fields << (v.partSect ? number(*v.partSect) : QString("None"))
           << (v.slot ? number(*v.slot - 1) : QString("--")) << number(v.start)
           << number(v.total);
    return fields.join(' ');
}

// What the listing says about the disk beyond its entries' rows, by line:
// every message that says more than a placeholder, and where the disk has no
// entries, its Partition Information rows.
QString messagesText(const core::CheckedDisk& disk) {
    std::multimap<std::size_t, QString> lines;
    const auto add = [&lines](const std::vector<core::ListingMessage>& messages) {
        for (const core::ListingMessage& m : messages)
            if (telling(m)) lines.emplace(m.line, messageText(m));
    };
    add(disk.listing.messages);
    for (const core::ListingEntry& e : disk.listing.entries) add(e.messages);
    for (const core::VolumeRow& v : disk.listing.volumes) {
        add(v.messages);
        if (disk.listing.entries.empty()) lines.emplace(v.line, volumeText(v));
    }
    for (const core::BootRecord& r : disk.listing.bootRecords) add(r.messages);
    QStringList texts;
    for (const auto& [line, message] : lines) texts << "Line " + number(line) + ": " + message;
    return texts.join('\n');
}

// A read-only box of a few lines of text, named for screen readers.
QPlainTextEdit* textBox(const char* name, const QString& accessibleName,
                        const QString& description, QWidget* parent, int lines = 4) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setAccessibleDescription(description);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setTabChangesFocus(true);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + 2 * (box->frameWidth() + 4));
    return box;
}

QLabel* buddyLabel(const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

// The "Use for ..." buttons: their names and access keys, by page.
struct PageButton {
    core::ListingPage page;
    const char* name;
    QChar key;  // the first one after "Use for "
};
constexpr std::string_view kUseFor = "Use for ";
const PageButton kPageButtons[] = {
    {core::ListingPage::Error110, "cmdUse110", u'0'},
    {core::ListingPage::Error108, "cmdUse108", u'8'},
    {core::ListingPage::Bogus113, "cmdUse113", u'B'},
    {core::ListingPage::Fat32Bbs, "cmdUseFat32", u'a'},
    {core::ListingPage::NtfsBbs, "cmdUseNtfs", u'N'},
    {core::ListingPage::DynRoot, "cmdUseDynRoot", u'Y'},
};

const PageButton* pageButton(core::ListingPage page) {
    for (const PageButton& button : kPageButtons)
        if (button.page == page) return &button;
    return nullptr;
}

// The button's caption: the choice's label with its access key marked.
QString pageCaption(const core::PageChoice& choice) {
    QString caption = text(choice.label);
    const PageButton* button = pageButton(choice.page);
    const qsizetype at =
        button ? caption.indexOf(button->key, static_cast<qsizetype>(kUseFor.size())) : -1;
    if (at >= 0) caption.insert(at, u'&');
    return caption;
}

}  // namespace

TableWindow::TableWindow(const ImageSource& source, core::TableReading reading, UseEntry use,
                         UsePage usePage, QWidget* parent, const core::NumberFormat& format)
    : QDialog(parent),
      table_(std::move(reading)),
      use_(std::move(use)),
      usePage_(std::move(usePage)),
      format_(format),
      sourceName_(QString::fromStdString(source.path)),
      readVolume_(source.readVolume) {
    setObjectName("frmTable");
    const QString file = QString::fromStdString(source.path);
    setWindowTitle((source.oneVolume ? "Volume of " : "Partition table of ") +
                   QFileInfo(file).fileName());

    auto* image = new QLabel("Image: " + file + ", " + number(table_->imageSectors) + " sectors",
                             this);
    image->setObjectName("lblImage");
    image->setWordWrap(true);
    image->setTextInteractionFlags(Qt::TextSelectableByMouse);
    std::vector<QWidget*> top{image};
    if (source.oneVolume) {
        // The volume runs from sector 0 to the end of the image.
        core::CheckedEntry volume;
        volume.entry.count = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(table_->imageSectors, UINT32_MAX));
        oneVolume_ = volume;
        auto* kind = new QLabel("The image holds no partition table: it is one volume (" +
                                    QString::fromStdString(source.what) + ") from sector 0 on.",
                                this);
        kind->setObjectName("lblVolume");
        kind->setWordWrap(true);
        top.push_back(kind);
    } else {
        if (table_->partialImage()) {
            auto* extent = new QLabel(QString::fromStdString(table_->extentNote()), this);
            extent->setObjectName("lblExtent");
            extent->setWordWrap(true);
            top.push_back(extent);
        }
        geometry_ = new QLabel(geometryLine(table_->geometry), this);
        geometry_->setObjectName("lblGeometry");
        top.push_back(geometry_);
    }
    build(top);

    if (oneVolume_) {
        QStringList texts(kColumns.size(), QString());
        texts[0] = "Volume";
        texts[7] = "0";
        texts[8] = number(table_->imageSectors);
        auto* item = new QTreeWidgetItem(entries_, texts);
        for (const int column : kNumberColumns)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        // No table, so no findings across entries either.
        findings_->hide();
        findingsLabel_->hide();
    } else {
        for (const core::CheckedEntry& c : table_->entries) {
            auto* item = new QTreeWidgetItem(entries_, rowTexts(c));
            for (const int column : kNumberColumns)
                item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
        findings_->setPlainText(findingsText(table_->findings));
        map_->setMap(core::layoutDiskMap(*table_, format_));
    }

    if (entries_->topLevelItemCount() > 0) entries_->setCurrentItem(entries_->topLevelItem(0));
    selectionChanged();
    entries_->setFocus();
    fitList();
}

TableWindow::TableWindow(const ListingOrigin& origin, core::ListingReading reading,
                         UseEntry use, UsePage usePage, QWidget* parent,
                         const core::NumberFormat& format)
    : QDialog(parent),
      listing_(std::move(reading)),
      use_(std::move(use)),
      usePage_(std::move(usePage)),
      format_(format),
      sourceName_(QString::fromStdString(origin.name)) {
    setObjectName("frmListing");
    const QString name = QString::fromStdString(origin.name);
    setWindowTitle(origin.file ? "Partinfo listing of " + QFileInfo(name).fileName()
                               : "Partinfo listing from " + name);

    auto* source = new QLabel(
        "Listing: " + name + " (" + text(core::listingLayoutName(listing_->layout)) + " layout)",
        this);
    source->setObjectName("lblListing");
    source->setWordWrap(true);
    source->setTextInteractionFlags(Qt::TextSelectableByMouse);
    std::vector<QWidget*> top{source};

    if (listing_->disks.size() > 1) {
        auto* row = new QWidget(this);
        disks_ = new QComboBox(row);
        disks_->setObjectName("cboDisk");
        disks_->setAccessibleName("Disk");
        disks_->setAccessibleDescription("The disk of the listing whose entries are shown");
        disks_->view()->setAccessibleName("Disks");
        for (std::size_t i = 0; i < listing_->disks.size(); ++i) {
            const core::CheckedDisk& disk = listing_->disks[i];
            const std::uint64_t n = disk.listing.number.value_or(static_cast<unsigned>(i + 1));
            disks_->addItem("Disk " + number(n));
        }
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(buddyLabel("&Disk:", disks_, row));
        layout->addWidget(disks_);
        layout->addStretch(1);
        top.push_back(row);
    }
    // The geometry, and below it what the Geometry page lacks, if anything.
    geometry_ = new QLabel(this);
    geometry_->setObjectName("lblGeometry");
    geometry_->setWordWrap(true);
    top.push_back(geometry_);
    build(top);

    if (disks_) {
        // Where the first disk holds no entries, the first that does.
        const auto withEntries =
            std::find_if(listing_->disks.begin(), listing_->disks.end(),
                         [](const core::CheckedDisk& d) { return !d.entries.empty(); });
        if (withEntries != listing_->disks.end())
            disks_->setCurrentIndex(static_cast<int>(withEntries - listing_->disks.begin()));
        connect(disks_, &QComboBox::currentIndexChanged, this, &TableWindow::showDisk);
    }
    showDisk(disks_ ? disks_->currentIndex() : 0);
    if (entries_->topLevelItemCount() > 0)
        entries_->setFocus();
    else
        closeButton_->setFocus();
    fitList();
}

void TableWindow::build(const std::vector<QWidget*>& top) {
    entries_ = new QTreeWidget(this);
    entries_->setObjectName("lstEntries");
    entries_->setAccessibleName("Entries");
    entries_->setAccessibleDescription(
        listing_ ? "Every entry of the disk's partition tables in the listing; Use entry puts "
                   "the selected one on the Geometry page"
                 : "Every entry of the partition table; Use entry puts the selected one on the "
                   "Geometry page");
    QStringList columns = kColumns;
    if (listing_) columns << kListingColumn;
    entries_->setColumnCount(static_cast<int>(columns.size()));
    entries_->setHeaderLabels(columns);
    entries_->setRootIsDecorated(false);
    entries_->setUniformRowHeights(true);
    entries_->setAllColumnsShowFocus(true);
    entries_->setSelectionMode(QAbstractItemView::SingleSelection);
    entries_->setSelectionBehavior(QAbstractItemView::SelectRows);
    entries_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* entriesLabel = buddyLabel("&Entries:", entries_, this);
    // An image of one volume has no table to draw.
    if (!oneVolume_) {
        map_ = new DiskMapView(this);
        connect(map_, &DiskMapView::entrySelected, this, [this](std::size_t index) {
            if (index < static_cast<std::size_t>(entries_->topLevelItemCount()))
                entries_->setCurrentItem(entries_->topLevelItem(static_cast<int>(index)));
        });
        connect(map_, &DiskMapView::segmentActivated, this, [this] { useCurrentEntry(); });
    }

    findings_ = textBox("txtFindings", "Findings",
                        listing_ ? "What the entries show together, beyond each one's check, "
                                   "and where the listing and the check disagree"
                                 : "What the entries show together, beyond each one's check",
                        this);
    findingsLabel_ = buddyLabel("&Findings:", findings_, this);
    QLabel* bootSectorLabel = nullptr;
    if (table_) {
        bootSector_ = textBox("txtBootSector", "Boot sector",
                              "The verdict on the selected volume's boot sector and its backup, "
                              "read from the image",
                              this, 6);
        bootSectorLabel = buddyLabel("Boot &sector:", bootSector_, this);
    }
    QLabel* unreadLabel = nullptr;
    if (listing_) {
        messages_ = textBox("txtMessages", "Listing's messages",
                            "The listing's own messages about this disk, by line", this);
        messagesLabel_ = buddyLabel("Listing's &messages:", messages_, this);
        if (!listing_->unread.empty()) {
            unread_ = textBox("txtUnread", "Lines not read",
                              "Lines that looked like part of the listing but could not be read "
                              "whole, by line",
                              this);
            QStringList lines;
            for (const core::UnreadLine& u : listing_->unread)
                lines << "Line " + number(u.line) + ": " + QString::fromStdString(u.text);
            unread_->setPlainText(lines.join('\n'));
            unreadLabel = buddyLabel("&Lines not read:", unread_, this);
        }
    }

    useButton_ = new QPushButton("&Use entry", this);
    useButton_->setObjectName("cmdUse");
    useButton_->setToolTip("Put the selected entry on the Geometry page");
    useButton_->setDefault(true);
    {
        // The captions are the same for every entry.
        for (const core::PageChoice& choice : core::pageChoices({}, {})) {
            const PageButton* kind = pageButton(choice.page);
            auto* button = new QPushButton(pageCaption(choice), this);
            button->setObjectName(kind ? kind->name : "cmdUsePage");
            button->setAutoDefault(false);
            const std::size_t index = pageButtons_.size();
            connect(button, &QPushButton::clicked, this, [this, index] { useChoice(index); });
            pageButtons_.push_back(button);
        }
    }
    if (map_) {
        saveMapButton_ = new QPushButton("Sa&ve map...", this);
        saveMapButton_->setObjectName("cmdSaveMap");
        saveMapButton_->setToolTip("Save the disk's map with its legend as a PNG or SVG picture");
        saveMapButton_->setAutoDefault(false);
        connect(saveMapButton_, &QPushButton::clicked, this, &TableWindow::chooseMapFile);
    }
    closeButton_ = new QPushButton("&Close", this);
    closeButton_->setObjectName("cmdClose");
    closeButton_->setAutoDefault(false);
    for (QPushButton* button : {useButton_, closeButton_})
        button->setMinimumWidth(twipsToPixels(1260));
    for (QPushButton* button : pageButtons_) button->setMinimumWidth(twipsToPixels(1260));
    connect(useButton_, &QPushButton::clicked, this, &TableWindow::useCurrentEntry);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    // Return on the list reaches the default button; a double click uses
    // the entry clicked.
    connect(entries_, &QTreeWidget::itemDoubleClicked, this, &TableWindow::useCurrentEntry);
    connect(entries_, &QTreeWidget::itemSelectionChanged, this, &TableWindow::selectionChanged);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* widget : top) layout->addWidget(widget);
    layout->addSpacing(4);
    if (map_) layout->addWidget(map_);
    layout->addWidget(entriesLabel);
    layout->addWidget(entries_, 1);
    if (bootSector_) {
        layout->addWidget(bootSectorLabel);
        layout->addWidget(bootSector_);
    }
    layout->addWidget(findingsLabel_);
    layout->addWidget(findings_);
    if (messages_) {
        layout->addWidget(messagesLabel_);
        layout->addWidget(messages_);
    }
    if (unread_) {
        layout->addWidget(unreadLabel);
        layout->addWidget(unread_);
    }
    // "Use entry" and the pages' buttons in two rows, "Close" last.
    std::vector<QPushButton*> all{useButton_};
    all.insert(all.end(), pageButtons_.begin(), pageButtons_.end());
    if (saveMapButton_) all.push_back(saveMapButton_);
    all.push_back(closeButton_);
    const int perRow = static_cast<int>(all.size() + 1) / 2;
    auto* buttons = new QGridLayout;
    buttons->setColumnStretch(0, 1);
    for (int i = 0; i < static_cast<int>(all.size()); ++i)
        buttons->addWidget(all[static_cast<std::size_t>(i)], i / perRow, 1 + i % perRow);
    layout->addLayout(buttons);

    // Tab goes down the window: the source's controls, the list, the
    // boxes of text, then the buttons in their order.
    std::vector<QWidget*> chain;
    if (disks_) chain.push_back(disks_);
    if (map_) chain.push_back(map_);
    chain.push_back(entries_);
    if (bootSector_) chain.push_back(bootSector_);
    chain.push_back(findings_);
    if (messages_) chain.push_back(messages_);
    if (unread_) chain.push_back(unread_);
    chain.push_back(useButton_);
    chain.insert(chain.end(), pageButtons_.begin(), pageButtons_.end());
    if (saveMapButton_) chain.push_back(saveMapButton_);
    chain.push_back(closeButton_);
    for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TableWindow::showDisk(int index) {
    if (!listing_) return;
    disk_ = index;
    const bool known = index >= 0 && static_cast<std::size_t>(index) < listing_->disks.size();
    const core::CheckedDisk* disk =
        known ? &listing_->disks[static_cast<std::size_t>(index)] : nullptr;

    // The list is filled anew: its signals would ask for choices of
    // entries not shown yet.
    entries_->blockSignals(true);
    entries_->clear();
    if (disk) {
        for (const core::ListedEntry& e : disk->entries) {
            QStringList texts = rowTexts(e.checked);
            texts << listingCodes(e.listing);
            auto* item = new QTreeWidgetItem(entries_, texts);
            for (const int column : kNumberColumns)
                item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
            QStringList said;
            for (const core::ListingMessage& m : e.listing.messages)
                if (telling(m)) said << messageText(m);
            if (!said.isEmpty())
                item->setToolTip(static_cast<int>(kColumns.size()), said.join('\n'));
        }
        if (entries_->topLevelItemCount() > 0)
            entries_->setCurrentItem(entries_->topLevelItem(0));
    }
    entries_->blockSignals(false);
    if (map_) {
        map_->setMap(disk ? core::layoutDiskMap(*disk, format_) : core::DiskMap{});
        saveMapButton_->setEnabled(disk && !disk->entries.empty());
    }

    const bool geometryKnown = disk && (disk->listing.geometry || !disk->entries.empty());
    QString geometry =
        geometryKnown ? geometryLine(disk->geometry) : QString("Geometry: not in the listing");
    if (disk && !disk->missing.empty())
        geometry += '\n' + QString::fromStdString(disk->missing);
    else if (!listing_->hasEntries())
        geometry += "\nThe Geometry page cannot be filled: " +
                    QString::fromStdString(listing_->missingText()) + ".";
    geometry_->setText(geometry);

    QStringList findings;
    if (disk) {
        findings << findingsText(disk->findings);
        for (const core::ListedEntry& e : disk->entries)
            for (const std::string& d : e.disagreements)
                findings << entryName(e.checked) + ": " + QString::fromStdString(d);
    }
    findings_->setPlainText(findings.join('\n'));
    const QString messages = disk ? messagesText(*disk) : QString();
    messages_->setPlainText(messages);
    messages_->setVisible(!messages.isEmpty());
    messagesLabel_->setVisible(!messages.isEmpty());
    selectionChanged();
}

std::optional<std::size_t> TableWindow::selectedRow() const {
    QTreeWidgetItem* item = entries_->currentItem();
    if (!item || !item->isSelected()) return std::nullopt;
    return static_cast<std::size_t>(entries_->indexOfTopLevelItem(item));
}

void TableWindow::selectionChanged() {
    const std::optional<std::size_t> row = selectedRow();
    if (map_) map_->selectEntry(row);
    choices_.clear();
    if (table_) {
        useButton_->setEnabled(row.has_value() && !oneVolume_);
        showVolume(row);
        return;
    }
    const core::CheckedDisk* disk = static_cast<std::size_t>(disk_) < listing_->disks.size()
                                        ? &listing_->disks[static_cast<std::size_t>(disk_)]
                                        : nullptr;
    useButton_->setEnabled(row && disk && disk->missing.empty());
    if (row && disk) choices_ = core::pageChoices(*disk, disk->entries.at(*row));
    showChoices();
}

void TableWindow::showChoices() {
    for (std::size_t i = 0; i < pageButtons_.size(); ++i) {
        QPushButton* button = pageButtons_[i];
        const core::PageChoice* choice = i < choices_.size() ? &choices_[i] : nullptr;
        const QString page = button->text().remove(u'&').mid(static_cast<qsizetype>(kUseFor.size()));
        QString tip;
        if (!choice)
            tip = "Choose an entry whose values go on the " + page + " page";
        else if (choice->available())
            tip = "Put the selected entry's values on the " + page + " page";
        else
            tip = "Not from this entry: " + QString::fromStdString(choice->missing);
        button->setEnabled(choice && choice->available());
        button->setToolTip(tip);
        button->setAccessibleDescription(tip);
    }
}

const core::CheckedEntry& TableWindow::imageEntry(std::size_t row) const {
    return oneVolume_ ? *oneVolume_ : table_->entries.at(row);
}

const core::VolumeReport* TableWindow::volumeAt(std::size_t row) {
    const auto cached = volumes_.find(row);
    if (cached != volumes_.end()) return &cached->second;
    core::VolumePlace place;  // one volume: from sector 0 to the image's end
    if (!oneVolume_) {
        const core::TableEntry& e = imageEntry(row).entry;
        if (!e.number || e.extended()) return nullptr;
        place = core::volumePlaceOf(e);
    }
    if (!readVolume_) return nullptr;
    return &volumes_.emplace(row, readVolume_(place)).first->second;
}

void TableWindow::showVolume(std::optional<std::size_t> row) {
    if (!row) {
        bootSector_->setPlainText("Choose an entry to see its volume's boot sector.");
        showChoices();
        return;
    }
    const core::CheckedEntry& entry = imageEntry(*row);
    const core::VolumeReport* volume = volumeAt(*row);
    choices_ = core::pageChoices(entry, oneVolume_ ? nullptr : &table_->geometry, volume);
    QStringList lines;
    if (volume) {
        for (const std::string& line : core::volumeVerdict(*volume))
            lines << QString::fromStdString(line);
    } else if (entry.entry.role == core::EntryRole::Link) {
        lines << "A link entry holds no volume: it points to the next extended boot record.";
    } else {
        lines << "The extended partition holds no volume of its own: its logical partitions "
                 "do.";
    }
    bootSector_->setPlainText(lines.join('\n'));
    showChoices();
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
    const std::optional<std::size_t> row = selectedRow();
    if (!row || !useButton_->isEnabled()) return;
    if (table_) {
        use_(imageEntry(*row).fields);
    } else {
        use_(listing_->disks.at(static_cast<std::size_t>(disk_)).entries.at(*row).checked.fields);
    }
    accept();
}

void TableWindow::useChoice(std::size_t index) {
    if (index >= choices_.size() || !choices_[index].available()) return;
    // The choice outlives this window's closing, which may delete it.
    const core::PageChoice choice = choices_[index];
    usePage_(choice);
    accept();
}

QString TableWindow::mapTitle() const {
    if (table_) return "Partition table of " + QFileInfo(sourceName_).fileName();
    const auto& disks = listing_->disks;
    const std::size_t index = static_cast<std::size_t>(disk_);
    const std::uint64_t n = index < disks.size()
                                ? disks[index].listing.number.value_or(static_cast<unsigned>(index + 1))
                                : index + 1;
    return "Disk " + number(n) + " of " + QFileInfo(sourceName_).fileName();
}

bool TableWindow::saveMap(const QString& path, QString* error) {
    if (!map_) return false;
    if (path.endsWith(".svg", Qt::CaseInsensitive)) return map_->writeSvg(path, mapTitle(), error);
    if (map_->renderWithLegend(mapTitle()).save(path, "PNG")) return true;
    if (error) *error = "The map cannot be written to " + path + ".";
    return false;
}

void TableWindow::chooseMapFile() {
    const QString path = QFileDialog::getSaveFileName(
        this, "Save map", mapTitle() + ".png", "PNG pictures (*.png);;SVG pictures (*.svg)");
    if (path.isEmpty()) return;
    QString error;
    if (!saveMap(path, &error)) QMessageBox::warning(this, "Save map", error);
}

}  // namespace quorvane::gui
