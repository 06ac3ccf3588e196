// A partition table read from a saved disk image, every entry checked at
// once: the drive geometry (given or guessed), each entry's fields as the
// "Geometry" page holds them, its check exactly as "Check" runs it, and the
// findings across entries that no check of one entry can give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/numeric.h"
#include "core/workbench/entrycheck.h"
#include "core/workbench/geometry.h"
#include "core/readers/partitiontable.h"

namespace quorvane::core {

// Where the geometry came from: given by the person, guessed from the
// table's CHS values, the last resort 255/63, or printed by a partinfo
// listing.
enum class GeometrySource { Given, Guessed, Default, Listing };

// "given", "guessed", "default" or "listing".
std::string_view geometrySourceName(GeometrySource source);

// Where the cylinders came from: given by the person, the image's size, or
// (when the image ends before the entries do, as an image of a disk's first
// sectors does) the table's extent rounded up to a whole cylinder, or
// printed by a partinfo listing.
enum class CylinderSource { Given, Image, TableExtent, Listing };

// "given", "image", "table_extent" or "listing".
std::string_view cylinderSourceName(CylinderSource source);

// What the geometry's line adds to its source when the cylinders come from
// the table's extent.
inline constexpr std::string_view kCylindersFromExtent = "cylinders from the table's extent";

struct DriveGeometry {
    std::uint64_t cylinders = 0;
    unsigned heads = 255;
    unsigned sectors = 63;  // per track
    GeometrySource source = GeometrySource::Default;  // of the heads and sectors
    CylinderSource cylinderSource = CylinderSource::Image;

    friend bool operator==(const DriveGeometry&, const DriveGeometry&) = default;
};

// How to read the table: the geometry's heads and sectors per track (both
// or neither, within the limits above; else they are guessed), its
// cylinders (else the image's sectors divided by a cylinder's sectors,
// rounded down, or the table's extent where the image ends before it), and
// the drive number ("Drv") the entries' fields get.
struct TableRequest {
    std::optional<unsigned> heads, sectors;
    std::optional<std::uint64_t> cylinders;
    std::string drive = "1";
};

// Heads and sectors per track as partitioning tools guess them from a table:
// the geometry under which most stored CHS values address the sectors their
// entries' LBA values name (placeholders of cylinder 1023 and addresses
// with sector 0 left out), preferring the one whose heads and sectors all
// entries end on, then 255/63; when no CHS value fits any geometry, the one
// that all entries end on, else 255/63 as the default. Cylinders are left 0.
DriveGeometry guessGeometry(const std::vector<TableEntry>& entries);

// One entry of the table with what the "Geometry" page and the list show.
struct CheckedEntry {
    TableEntry entry;  // as stored and placed
    // A CHS of cylinder 1023 whose LBA lies above cylinder 1023: the page's
    // fields then hold the address computed from the LBA values.
    bool beginPlaceholder = false;
    bool endPlaceholder = false;
    // What "Use entry" puts on the page: the geometry, the CHS values (the
    // actual ones for placeholders), "Sect before" the absolute start,
    // "Sectors" the count, "PartSect" the table sector, "Drv", "#" the slot,
    // "FS" the type ("0C"), "80" the active flag. `relcyl` stays empty.
    GeometryFields fields;
    // The check run on those fields, as "Check" runs it.
    std::string report;           // CR LF line breaks
    std::vector<int> failedChecks;  // codes of kCheckCodes that found an error
    bool checkCompleted = true;   // false: the check stopped on a failure
    CheckVerdict verdict = CheckVerdict::Accepted;  // as the check left it

    // Every check o.k. and the entry fit for a batch line.
    bool passed() const { return checkCompleted && verdict == CheckVerdict::Accepted; }
};

// The kinds of finding across entries.
enum class FindingKind {
    Overlap,          // partitions share sectors
    Order,            // an entry starts before the one before it in its table or chain
    ChsRange,         // a CHS head or sector outside the geometry
    Active,           // more than one active primary partition
    GptProtective,    // an entry of type EE
    CoversTable,      // a partition holds the sector of its own table
    OutsideExtended,  // a logical partition not wholly inside the extended one
    LinkOutside,      // a link to an extended boot record outside the extended partition
    ExtraLogical,     // an extended boot record with more than one partition
    NoSignature,      // an extended boot record without 55AA
    NotATable,        // a linked sector that is no table (a boot flag other than 00, 80)
    ChainLoop,        // the chain of extended boot records loops
    ChainOutside,     // a link points beyond the end of the image
    ChainTooLong,     // more extended boot records than a system allows
    ReadFailed,       // a table sector could not be read
};

// The most entries an overlap names besides the entry it is about; the
// rest are counted, so that a table of a thousand entries that all overlap
// gives a thousand findings of one line each.
inline constexpr std::size_t kMostOverlapsNamed = 3;

// The kind's name in quorvane-cli's JSON: "overlap", "chain_loop", ...
std::string_view findingKindName(FindingKind kind);

// An entry by its table sector and slot.
struct EntryPlace {
    std::uint64_t tableSector = 0;
    unsigned slot = 0;

    friend bool operator==(const EntryPlace&, const EntryPlace&) = default;
};

struct Finding {
    FindingKind kind;
    std::vector<EntryPlace> entries;  // the entries it names
    std::string text;                 // one sentence

    friend bool operator==(const Finding&, const Finding&) = default;
};

// An entry's actual CHS values where a source prints them beside the
// stored placeholders (a partinfo listing does).
struct ActualChs {
    std::optional<Chs> begin, end;
    // The source marks the stored value as a placeholder.
    bool beginPlaceholder = false;
    bool endPlaceholder = false;
};

// One entry under the geometry with what "Use entry" puts on the page and
// the check "Check" runs on it. A CHS value of cylinder 1023 whose LBA lies
// above cylinder 1023 is a placeholder; the page then gets the address
// computed from the LBA values, or the one `actual` gives. `actual` given,
// its values replace the stored ones wherever they differ or it marks a
// placeholder.
CheckedEntry checkTableEntry(const TableEntry& entry, const DriveGeometry& geometry,
                             const std::string& drive, const NumberFormat& format,
                             const ActualChs* actual = nullptr);

// The findings across the entries of one table; a chain that broke off
// (with the image's sectors, which its text names) where it was read from
// an image.
std::vector<Finding> findingsAcross(const std::vector<CheckedEntry>& entries,
                                    const DriveGeometry& geometry,
                                    const std::optional<ChainBreak>& chainBreak = std::nullopt,
                                    std::uint64_t imageSectors = 0);

// The whole reading of an image.
struct TableReading {
    // Why the image holds no partition table that can be read, or empty.
    // A reason: show it with unreadableText().
    std::string error;
    std::uint64_t imageSectors = 0;  // whole sectors in the image
    // The sector after the last one that a partition reaches.
    std::uint64_t reach = 0;
    DriveGeometry geometry;
    std::vector<CheckedEntry> entries;  // in table order, links included
    std::vector<Finding> findings;

    // No check found anything and no finding was made. An image that ends
    // before the entries do is no finding: it may hold the disk's first
    // sectors only.
    bool clean() const;
    // The image ends before the last sector that a partition reaches.
    bool partialImage() const { return reach > imageSectors; }
    // "The image holds the first N sectors; the entries reach sector M.",
    // or the empty text when the image holds every partition.
    std::string extentNote() const;
};

// Reads the partition table of `image` (only its table sectors), settles the
// geometry, checks every entry in the user's number format and looks for
// findings across the entries.
TableReading readPartitionTable(DiskImage& image, const TableRequest& request,
                                const NumberFormat& format);

}  // namespace quorvane::core
