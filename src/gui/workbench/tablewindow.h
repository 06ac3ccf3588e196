// The list of a partition table, read from a saved disk image or from a
// partinfo listing: every entry with its table sector, slot, type, CHS
// values, start, count and the checks that failed, the geometry used, and
// the findings across entries. "Use entry" hands the chosen entry's fields
// to the window that opened it.
//
// Above the list, a map of the disk: its partitions in proportion, the
// extended partition as a frame around its logical ones, overlaps stacked;
// the map and the list share one selection, and "Save map..." writes it as
// a picture to attach to a question.
//
// An image adds, below the entries, the verdict on the selected volume's
// boot sector and its backup, read from the image when the entry is first
// selected, and the "Use for ..." buttons of the pages that volume fills. An
// image of one volume (no partition table) shows that volume alone.
//
// A listing adds what the listing itself says: a disk picker where it holds
// several disks, the listing's own codes beside each entry, where they and
// the check disagree, the listing's messages, the lines that could not be
// read, and one "Use for ..." button per page that the chosen entry (or the
// boot record of its volume) can fill.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/app/listingchoices.h"
#include "core/base/numeric.h"
#include "core/readers/bootsector.h"
#include "core/workbench/listingcheck.h"
#include "core/workbench/tablecheck.h"

class QComboBox;
class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace quorvane::gui {

class DiskMapView;

class TableWindow : public QDialog {
    Q_OBJECT
public:
    // What "Use entry" does with the chosen entry's fields.
    using UseEntry = std::function<void(const core::GeometryFields&)>;
    // What a "Use for ..." button does with its page's values.
    using UsePage = std::function<void(const core::PageChoice&)>;

    // Reads the volume at a place of the image; the window holds it as long
    // as it is open, so that the image stays open too.
    using ReadVolume = std::function<core::VolumeReport(const core::VolumePlace&)>;

    // What the image at `path` holds: a partition table, or one volume
    // (a file system from sector 0 on, `what` naming it: "a FAT32 file
    // system"), and how to read its volumes.
    struct ImageSource {
        std::string path;
        ReadVolume readVolume;
        bool oneVolume = false;
        std::string what;  // for one volume
    };
    // `reading` is the table of the image, read without an error; for one
    // volume, only its imageSectors count.
    // `format` writes the sizes on the disk's map.
    TableWindow(const ImageSource& source, core::TableReading reading, UseEntry use,
                UsePage usePage, QWidget* parent,
                const core::NumberFormat& format = core::NumberFormat::point());

    // Where a listing came from: a file's path, or what the text came
    // through ("the clipboard").
    struct ListingOrigin {
        std::string name;
        bool file = false;
    };
    // `reading` is the checked listing from `origin`, read without an error.
    TableWindow(const ListingOrigin& origin, core::ListingReading reading, UseEntry use,
                UsePage usePage, QWidget* parent,
                const core::NumberFormat& format = core::NumberFormat::point());

    QTreeWidget* entryList() const { return entries_; }
    DiskMapView* diskMap() const { return map_; }

    // "Save map...": the map with its legend as SVG where `path` ends in
    // .svg, else as PNG. False, with the reason, when it cannot be written.
    bool saveMap(const QString& path, QString* error);

private:
    // The controls every source has, laid out below `top` (the source's
    // lines), in the Tab order entries, boot sector (an image's), findings,
    // buttons.
    void build(const std::vector<QWidget*>& top);
    // Fills the list and the texts below it with disk `index` of the listing.
    void showDisk(int index);
    // Enables the buttons for the selected entry.
    void selectionChanged();
    // Enables the page buttons by choices_ and says what each one lacks.
    void showChoices();
    void useCurrentEntry();
    void useChoice(std::size_t index);
    // The selected entry's place in the list shown, or none.
    std::optional<std::size_t> selectedRow() const;
    // Sizes the list to show every column whole and a few rows.
    void fitList();
    // The image's entry at `row`: the table's, or the one volume's.
    const core::CheckedEntry& imageEntry(std::size_t row) const;
    // The volume of the image's entry at `row`, read once; none for an
    // extended partition or a link.
    const core::VolumeReport* volumeAt(std::size_t row);
    // The image's choices for the selected entry and its boot sector's text.
    void showVolume(std::optional<std::size_t> row);
    // Asks where to save the map and saves it.
    void chooseMapFile();
    // The title of the saved map: the image's or the listing's disk.
    QString mapTitle() const;

    std::optional<core::TableReading> table_;
    std::optional<core::ListingReading> listing_;
    UseEntry use_;
    UsePage usePage_;
    core::NumberFormat format_;
    QString sourceName_;  // the image's path, or where the listing came from
    int disk_ = 0;  // of the listing, shown
    ReadVolume readVolume_;
    // The image is one volume: its only entry, from sector 0 to its end.
    std::optional<core::CheckedEntry> oneVolume_;
    std::map<std::size_t, core::VolumeReport> volumes_;  // by row, as read

    QComboBox* disks_ = nullptr;
    QLabel* geometry_ = nullptr;
    DiskMapView* map_ = nullptr;  // none for an image of one volume
    QPushButton* saveMapButton_ = nullptr;
    QTreeWidget* entries_ = nullptr;
    QPlainTextEdit* bootSector_ = nullptr;  // an image's only
    QPlainTextEdit* findings_ = nullptr;
    QLabel* findingsLabel_ = nullptr;
    QPlainTextEdit* messages_ = nullptr;
    QLabel* messagesLabel_ = nullptr;
    QPlainTextEdit* unread_ = nullptr;
    QPushButton* useButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    // One per page an entry can fill, in the choices' order.
    std::vector<QPushButton*> pageButtons_;
    // The selected entry's choices, one per page button.
    std::vector<core::PageChoice> choices_;
};

}  // namespace quorvane::gui
