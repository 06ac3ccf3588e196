// The disk map: a partition table drawn as a bar from sector 0 to the end of
// the disk, computed here once and drawn by both front ends (the list
// window with its painter, quorvane-cli as SVG). The map holds whole
// geometry in abstract units (segments, their rows, the table sectors'
// marks, the overlapping ranges) and every word that goes with it; a front
// end only scales the units, maps the colour classes to its palette and
// paints.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/numeric.h"
#include "core/workbench/listingcheck.h"
#include "core/workbench/tablecheck.h"

namespace quorvane::core {

// What a segment of the map stands for.
enum class SegmentKind {
    Primary,      // a partition in the master boot record
    Extended,     // the extended partition: a frame around the logical ones
    Logical,      // a partition in an extended boot record
    Unallocated,  // space on the disk (or in the extended partition) no entry holds
    BeyondDisk,   // the sectors past the disk's end that the table still reaches
};

// A colour class: the front end maps each to a colour of its palette
// (light or dark). Meaning is never carried by colour alone: the labels,
// the spoken words and the warning mark carry it too.
enum class MapColour {
    Fat,          // FAT12, FAT16, FAT32, hidden or not
    Ntfs,         // 07 and its hidden 17: NTFS, exFAT, HPFS
    Linux,        // 83, LVM 8E, RAID FD
    LinuxSwap,    // 82
    Extended,     // 05, 0F, 85, or any entry the table uses as extended
    Protective,   // EE, a GPT's protective entry
    Other,        // every other type
    Unallocated,
    BeyondDisk,
};

// "fat", "ntfs", "linux", "linux_swap", "extended", "protective", "other",
// "unallocated", "beyond_disk": a name for style sheets and SVG classes.
std::string_view mapColourName(MapColour colour);

// The colour class of a partition type.
MapColour typeColour(std::uint8_t type);

// How big the map is drawn, in abstract units (a front end may take them
// as pixels at scale 1).
struct MapLayout {
    double width = 800;            // the bar's width, as asked
    double minSegmentWidth = 24;   // the least width of a segment: visible and clickable
    double rowHeight = 40;         // a row of logical partitions (a row of its own otherwise)
    double rowGap = 4;             // between stacked rows
    double frameInset = 6;         // between the extended frame and the logical rows inside
};

// One segment: a partition, a gap or the part beyond the disk.
struct MapSegment {
    SegmentKind kind = SegmentKind::Unallocated;
    // The index of the entry in the entries the map was made from; none
    // for a gap and for the part beyond the disk.
    std::optional<std::size_t> entry;
    std::uint64_t first = 0;       // its first sector
    std::uint64_t endPlusOne = 0;  // the sector after its last (first for an empty entry)
    // 0 on the bar (primary partitions, the extended frame, the disk's
    // gaps), 1 inside the extended frame (logical partitions and the
    // frame's gaps).
    unsigned level = 0;
    // The stacked row within its level: 0 unless it shares sectors with a
    // segment of the same level that came before it in disk order.
    unsigned row = 0;
    // Its rectangle. The part beyond the disk spans the map's whole height
    // and is drawn behind every other segment.
    double x = 0, y = 0, width = 0, height = 0;
    MapColour colour = MapColour::Other;
    // The entry's check failed, or a finding names the entry.
    bool warning = false;
    // What is written inside when it fits: "5 · 07 · 8,032 MB" for a
    // partition, the size for a gap.
    std::string label;
    // What a screen reader hears, and the SVG's title: "Partition 5, type
    // 07, 8,032 MB, sectors 16,065 to 16,466,624, fails #108, overlaps
    // partition 6"; "unallocated, 2 MB, sectors 63 to 4,158".
    std::string spoken;

    friend bool operator==(const MapSegment&, const MapSegment&) = default;
};

// A thin mark at a table sector: the master boot record at sector 0 or an
// extended boot record.
struct MapMark {
    std::uint64_t sector = 0;
    bool master = false;  // sector 0's master boot record
    double x = 0, y = 0, height = 0;
    std::string spoken;   // "master boot record, sector 0"

    friend bool operator==(const MapMark&, const MapMark&) = default;
};

// Sectors that more than one entry holds (not a logical partition inside
// its extended partition): each segment it names is hatched over its own
// rectangle between x and x + width.
struct MapOverlap {
    std::uint64_t first = 0, endPlusOne = 0;
    double x = 0, width = 0;
    std::vector<std::size_t> segments;  // indices into DiskMap::segments, ascending

    friend bool operator==(const MapOverlap&, const MapOverlap&) = default;
};

// What the legend explains.
enum class LegendSymbol {
    Colour,       // a swatch of `colour`
    TableSector,  // the thin mark
    Warning,      // the warning mark
    Overlap,      // the hatching
};

struct LegendItem {
    LegendSymbol symbol = LegendSymbol::Colour;
    MapColour colour = MapColour::Other;  // for LegendSymbol::Colour
    std::string text;                     // "Linux", "overlap: sectors more than one entry holds"

    friend bool operator==(const LegendItem&, const LegendItem&) = default;
};

struct DiskMap {
    std::uint64_t diskSectors = 0;  // the disk's size as given (0: unknown)
    // The sectors the bar spans: the disk's, or more where the table
    // reaches beyond its end (at least 1).
    std::uint64_t mapSectors = 0;
    // Where the disk ends on the bar (mapSectors' end when it does not
    // end before the table does).
    double diskEndX = 0;
    // The map's size: at least the width asked for, wider where the
    // segments' minimum widths need more (the front end then scrolls).
    double width = 0, height = 0;
    // In disk order: by first sector, a frame before its logical partitions,
    // then by row. Left and Right move along this order.
    std::vector<MapSegment> segments;
    std::vector<MapMark> marks;        // in sector order
    std::vector<MapOverlap> overlaps;  // in sector order, disjoint
    std::vector<LegendItem> legend;    // only what the map shows

    friend bool operator==(const DiskMap&, const DiskMap&) = default;
};

// The disk's size as the list window shows it for a table read from an
// image: the image's sectors when the cylinders come from the image, else
// the geometry's cylinders * heads * sectors.
std::uint64_t diskSectorsOf(const TableReading& reading);
// For a listing: the geometry's cylinders * heads * sectors.
std::uint64_t diskSectorsOf(const CheckedDisk& disk);

// The most sectors from a table sector to the next segment that count as
// the table's own area rather than unallocated space: a megabyte.
inline constexpr std::uint64_t kTableArea = 2048;

// The map of a table: its entries (links give only their extended boot
// records' marks), the findings across them, the disk's size in sectors
// (0: unknown, the bar then ends where the table does), in the user's
// number format. A gap of at most kTableArea sectors that starts at a table
// sector is that table's own area (where the partitioning tool left the
// rest of the track or megabyte) and is no unallocated segment.
DiskMap layoutDiskMap(const std::vector<CheckedEntry>& entries,
                      const std::vector<Finding>& findings, std::uint64_t diskSectors,
                      const NumberFormat& format, const MapLayout& layout = {});

// The same for a table read from an image and for a disk of a listing.
DiskMap layoutDiskMap(const TableReading& reading, const NumberFormat& format,
                      const MapLayout& layout = {});
DiskMap layoutDiskMap(const CheckedDisk& disk, const NumberFormat& format,
                      const MapLayout& layout = {});

// A size in sectors of 512 bytes as the map writes it: "2 MB", "8,032 MB"
// below 10 GB (whole MB, rounded down), "19.5 GB" from there (one decimal,
// rounded down), "under 1 MB" for less than a megabyte but not nothing,
// "0 MB" for nothing.
std::string mapSizeText(std::uint64_t sectors, const NumberFormat& format);

// The order the segments are drawn in: the part beyond the disk behind
// everything, then the bar, then the logical partitions inside the frame.
std::vector<std::size_t> paintOrder(const DiskMap& map);

}  // namespace quorvane::core
