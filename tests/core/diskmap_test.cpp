// The disk map computed from tables made here: an ordinary table as a whole
// map, overlaps on stacked rows with their hatched ranges, a table that
// reaches beyond the disk, a logical partition outside its extended one,
// minimum widths, 200 logical partitions; the SVG parsed back and one
// small SVG as a whole text.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "checkedentries.h"
#include "core/workbench/diskmap.h"
#include "core/workbench/diskmapsvg.h"

namespace quorvane::core {

inline void PrintTo(const MapSegment& s, std::ostream* out) {
    *out << "{kind " << int(s.kind) << " entry " << (s.entry ? int(*s.entry) : -1) << " "
         << s.first << ".." << s.endPlusOne << " level " << s.level << " row " << s.row << " x "
         << s.x << " y " << s.y << " w " << s.width << " h " << s.height << " "
         << mapColourName(s.colour) << (s.warning ? " warning" : "") << " '" << s.label << "' '"
         << s.spoken << "'}";
}

inline void PrintTo(const MapOverlap& o, std::ostream* out) {
    *out << "{" << o.first << ".." << o.endPlusOne << " x " << o.x << " w " << o.width << " [";
    for (const std::size_t s : o.segments) *out << " " << s;
    *out << " ]}";
}

namespace {

constexpr std::uint64_t kDisk = 64000;  // at width 1000: 64 sectors a unit

using quorvane::test::checkedEntry;

CheckedEntry primary(unsigned n, std::uint8_t type, std::uint64_t start, std::uint32_t count,
                     std::vector<int> failed = {}) {
    return checkedEntry(EntryRole::Primary, n, 0, n, type, start, count, std::move(failed));
}
CheckedEntry extended(unsigned n, std::uint64_t start, std::uint32_t count) {
    return checkedEntry(EntryRole::Extended, n, 0, n, 0x0F, start, count);
}
CheckedEntry logical(unsigned n, std::uint64_t table, std::uint8_t type, std::uint64_t start,
                     std::uint32_t count) {
    return checkedEntry(EntryRole::Logical, n, table, 1, type, start, count);
}
CheckedEntry link(std::uint64_t table, std::uint64_t next, std::uint32_t count) {
    return checkedEntry(EntryRole::Link, std::nullopt, table, 2, 0x05, next, count);
}

MapLayout wide1000() {
    MapLayout layout;
    layout.width = 1000;
    return layout;
}

DiskMap mapOf(const std::vector<CheckedEntry>& entries, const std::vector<Finding>& findings = {},
              std::uint64_t disk = kDisk, const MapLayout& layout = wide1000()) {
    return layoutDiskMap(entries, findings, disk, NumberFormat::point(), layout);
}

MapSegment seg(SegmentKind kind, std::optional<std::size_t> entry, std::uint64_t first,
               std::uint64_t end, unsigned level, unsigned row, double x, double y, double w,
               double h, MapColour colour, bool warning, std::string label, std::string spoken) {
    return {kind, entry, first, end, level, row, x, y, w, h, colour, warning, std::move(label),
            std::move(spoken)};
}

// The sectors, level and row of each segment: the shape of a map.
struct Shape {
    SegmentKind kind;
    std::uint64_t first, endPlusOne;
    unsigned level, row;
    bool warning;
    friend bool operator==(const Shape&, const Shape&) = default;
};

void PrintTo(const Shape& s, std::ostream* out) {
    *out << "{kind " << int(s.kind) << " " << s.first << ".." << s.endPlusOne << " level "
         << s.level << " row " << s.row << (s.warning ? " warning}" : "}");
}

std::vector<Shape> shapeOf(const DiskMap& map) {
    std::vector<Shape> shape;
    for (const MapSegment& s : map.segments)
        shape.push_back({s.kind, s.first, s.endPlusOne, s.level, s.row, s.warning});
    return shape;
}

// A primary FAT32 partition, an extended one with a Linux and a swap
// partition inside, space left in the extended partition and at the disk's
// end.
std::vector<CheckedEntry> ordinaryTable() {
    return {primary(1, 0x0C, 2048, 18432), extended(2, 20480, 39520),
            logical(5, 20480, 0x83, 22528, 18432), link(20480, 40960, 16384),
            logical(6, 40960, 0x82, 43008, 14336)};
}

TEST(DiskMap, OrdinaryTableAsAWholeMap) {
    const DiskMap map = mapOf(ordinaryTable());
    DiskMap expected;
    expected.diskSectors = kDisk;
    expected.mapSectors = kDisk;
    expected.diskEndX = 1000;
    expected.width = 1000;
    expected.height = 52;  // one logical row of 40 with a frame inset of 6 above and below
    expected.segments = {
        seg(SegmentKind::Primary, 0, 2048, 20480, 0, 0, 32, 0, 288, 52, MapColour::Fat, false,
            "1 \u00B7 0C \u00B7 9 MB", "Partition 1, type 0C, 9 MB, sectors 2,048 to 20,479"),
        seg(SegmentKind::Extended, 1, 20480, 60000, 0, 0, 320, 0, 617.5, 52,
            MapColour::Extended, false, "2 \u00B7 0F \u00B7 19 MB",
            "Partition 2, extended, type 0F, 19 MB, sectors 20,480 to 59,999"),
        seg(SegmentKind::Logical, 2, 22528, 40960, 1, 0, 352, 6, 288, 40, MapColour::Linux,
            false, "5 \u00B7 83 \u00B7 9 MB",
            "Partition 5, type 83, 9 MB, sectors 22,528 to 40,959"),
        seg(SegmentKind::Logical, 4, 43008, 57344, 1, 0, 672, 6, 224, 40,
            MapColour::LinuxSwap, false, "6 \u00B7 82 \u00B7 7 MB",
            "Partition 6, type 82, 7 MB, sectors 43,008 to 57,343"),
        seg(SegmentKind::Unallocated, std::nullopt, 57344, 60000, 1, 0, 896, 6, 41.5, 40,
            MapColour::Unallocated, false, "1 MB", "unallocated, 1 MB, sectors 57,344 to 59,999"),
        seg(SegmentKind::Unallocated, std::nullopt, 60000, 64000, 0, 0, 937.5, 0, 62.5, 52,
            MapColour::Unallocated, false, "1 MB", "unallocated, 1 MB, sectors 60,000 to 63,999"),
    };
    expected.marks = {{0, true, 0, 0, 52, "master boot record, sector 0"},
                      {20480, false, 320, 6, 40, "extended boot record, sector 20,480"},
                      {40960, false, 640, 6, 40, "extended boot record, sector 40,960"}};
    expected.legend = {
        {LegendSymbol::Colour, MapColour::Fat, "FAT"},
        {LegendSymbol::Colour, MapColour::Linux, "Linux"},
        {LegendSymbol::Colour, MapColour::LinuxSwap, "Linux swap"},
        {LegendSymbol::Colour, MapColour::Extended,
         "extended partition: a frame around its logical partitions"},
        {LegendSymbol::Colour, MapColour::Unallocated, "unallocated"},
        {LegendSymbol::TableSector, MapColour::Other,
         "table sector: the master boot record or an extended boot record"},
    };
    EXPECT_EQ(map.segments, expected.segments);
    EXPECT_EQ(map.marks, expected.marks);
    EXPECT_EQ(map.legend, expected.legend);
    EXPECT_EQ(map, expected);
}

TEST(DiskMap, SourcesGiveTheDiskSize) {
    TableReading whole;
    whole.imageSectors = 64000;
    whole.geometry = {3, 255, 63, GeometrySource::Guessed, CylinderSource::Image};
    TableReading partial = whole;
    partial.imageSectors = 100;
    partial.geometry.cylinderSource = CylinderSource::TableExtent;
    CheckedDisk listed;
    listed.geometry = {4, 16, 63, GeometrySource::Listing, CylinderSource::Listing};
    EXPECT_EQ(diskSectorsOf(whole), 64000u);
    EXPECT_EQ(diskSectorsOf(partial), 3u * 255 * 63);
    EXPECT_EQ(diskSectorsOf(listed), 4u * 16 * 63);
}

TEST(DiskMap, Sizes) {
    const struct {
        std::uint64_t sectors;
        const char* text;
    } cases[] = {
        {0, "0 MB"},           {63, "under 1 MB"},     {2048, "1 MB"},
        {16450560, "8,032 MB"}, {20971519, "10,239 MB"}, {20971520, "10.0 GB"},
        {40894464, "19.5 GB"},  {4294967295u * 2ull, "4,095.9 GB"},
    };
    for (const auto& c : cases) EXPECT_EQ(mapSizeText(c.sectors, NumberFormat::point()), c.text);
    EXPECT_EQ(mapSizeText(40894464, NumberFormat::comma()), "19,5 GB");
}

TEST(DiskMap, OverlapsStackAndAreHatched) {
    const std::vector<CheckedEntry> entries = {
        primary(1, 0x07, 2048, 18432, {108}),  // 2048..20480
        primary(2, 0x83, 16384, 16384),        // 16384..32768: overlaps 1 and 3
        primary(3, 0x0C, 30000, 10960),        // 30000..40960
        extended(4, 40960, 20480),             // 40960..61440
        logical(5, 40960, 0x83, 43008, 8192),  // 43008..51200, inside: no overlap
        logical(6, 40960, 0x07, 49152, 8192),  // 49152..57344: overlaps 5
    };
    const std::vector<Finding> findings = {
        {FindingKind::Overlap, {{0, 1}, {0, 2}}, "..."},
    };
    const DiskMap map = mapOf(entries, findings);
    const std::vector<Shape> shape = {
        {SegmentKind::Primary, 2048, 20480, 0, 0, true},
        {SegmentKind::Primary, 16384, 32768, 0, 1, true},
        {SegmentKind::Primary, 30000, 40960, 0, 0, false},
        {SegmentKind::Extended, 40960, 61440, 0, 0, false},
        {SegmentKind::Logical, 43008, 51200, 1, 0, false},
        {SegmentKind::Logical, 49152, 57344, 1, 1, false},
        {SegmentKind::Unallocated, 57344, 61440, 1, 0, false},
        {SegmentKind::Unallocated, 61440, 64000, 0, 0, false},
    };
    EXPECT_EQ(shapeOf(map), shape);
    const std::vector<MapOverlap> overlaps = {
        {16384, 20480, 256, 64, {0, 1}},
        {30000, 32768, 468.75, 43.25, {1, 2}},
        {49152, 51200, 768, 32, {4, 5}},
    };
    EXPECT_EQ(map.overlaps, overlaps);
    EXPECT_EQ(map.segments[0].spoken,
              "Partition 1, type 07, 9 MB, sectors 2,048 to 20,479, fails #108, overlaps "
              "partition 2");
    EXPECT_EQ(map.segments[1].spoken,
              "Partition 2, type 83, 8 MB, sectors 16,384 to 32,767, overlaps partitions 1 and 3");
    EXPECT_EQ(map.segments[5].spoken,
              "Partition 6, type 07, 4 MB, sectors 49,152 to 57,343, overlaps partition 5");
    // Two bar rows, each as tall as the frame with two logical rows inside.
    EXPECT_EQ(map.height, 2 * (6 + 40 + 4 + 40 + 6) + 4);
    EXPECT_EQ(map.segments[5].y, 6 + 44);
    EXPECT_EQ(map.legend.back().symbol, LegendSymbol::Overlap);
}

TEST(DiskMap, ManyOverlapsNameThreeAndCountTheRest) {
    std::vector<CheckedEntry> entries;
    for (unsigned n = 1; n <= 4; ++n) entries.push_back(primary(n, 0x83, 2048, 4096));
    entries.push_back(primary(4, 0x83, 4096, 4096));
    entries[4].entry.slot = 5;  // a fifth entry, as a damaged listing may give
    const DiskMap map = mapOf(entries);
    EXPECT_EQ(map.segments[0].spoken,
              "Partition 1, type 83, 2 MB, sectors 2,048 to 6,143, overlaps partitions 2, 3, 4 "
              "and 1 more");
    ASSERT_EQ(map.overlaps.size(), 1u);
    EXPECT_EQ(map.overlaps[0].segments, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    std::vector<unsigned> rows;
    for (const MapSegment& s : map.segments) rows.push_back(s.row);
    EXPECT_EQ(rows, (std::vector<unsigned>{0, 1, 2, 3, 4, 0}));
}

TEST(DiskMap, TableBeyondTheDisk) {
    const DiskMap map = mapOf({primary(1, 0x83, 2048, 77952)}, {}, kDisk);  // ends at 80000
    EXPECT_EQ(map.mapSectors, 80000u);
    EXPECT_EQ(map.diskEndX, 800);
    EXPECT_EQ(map.width, 1000);
    const std::vector<Shape> shape = {
        {SegmentKind::Primary, 2048, 80000, 0, 0, true},
        {SegmentKind::BeyondDisk, 64000, 80000, 0, 0, false},
    };
    EXPECT_EQ(shapeOf(map), shape);
    EXPECT_EQ(map.segments[0].spoken,
              "Partition 1, type 83, 38 MB, sectors 2,048 to 79,999, reaches beyond the end of "
              "the disk");
    const MapSegment& beyond = map.segments[1];
    EXPECT_EQ(beyond.spoken, "beyond the end of the disk, 7 MB, sectors 64,000 to 79,999");
    EXPECT_EQ(beyond.x, 800);
    EXPECT_EQ(beyond.width, 200);
    EXPECT_EQ(beyond.height, map.height);

    // An unknown size: the bar ends where the table does, nothing beyond.
    const DiskMap unknown = mapOf({primary(1, 0x83, 2048, 77952)}, {}, 0);
    EXPECT_EQ(shapeOf(unknown), (std::vector<Shape>{{SegmentKind::Primary, 2048, 80000, 0, 0, false}}));
}

TEST(DiskMap, SectorsAtTheEndOfTheNumbers) {
    // A listing may print any start: the map ends at the last sector there is.
    constexpr std::uint64_t kLast = std::numeric_limits<std::uint64_t>::max();
    const DiskMap map = mapOf({primary(1, 0x83, 2048, 4096), primary(2, 0x83, kLast - 10, 100)});
    const std::vector<Shape> shape = {
        {SegmentKind::Primary, 2048, 6144, 0, 0, false},
        {SegmentKind::Unallocated, 6144, kDisk, 0, 0, false},
        {SegmentKind::BeyondDisk, kDisk, kLast, 0, 0, false},
        {SegmentKind::Primary, kLast - 10, kLast, 0, 0, true},
    };
    EXPECT_EQ(shapeOf(map), shape);
    EXPECT_EQ(map.mapSectors, kLast);
    EXPECT_EQ(map.width, 1000);
    EXPECT_EQ(map.segments[3].x, 976);
    EXPECT_EQ(map.segments[3].width, 24);
}

TEST(DiskMap, LogicalPartitionOutsideItsExtendedPartition) {
    const std::vector<CheckedEntry> entries = {
        extended(1, 20480, 20480),  // 20480..40960
        logical(5, 20480, 0x83, 22528, 7472), link(20480, 30000, 10960),
        logical(6, 30000, 0x83, 32000, 20000),  // 32000..52000
    };
    const std::vector<Finding> findings = {{FindingKind::OutsideExtended, {{30000, 1}}, "..."}};
    const DiskMap map = mapOf(entries, findings);
    const std::vector<Shape> shape = {
        {SegmentKind::Unallocated, 0, 20480, 0, 0, false},  // more than the table's area
        {SegmentKind::Extended, 20480, 40960, 0, 0, false},
        {SegmentKind::Logical, 22528, 30000, 1, 0, false},
        {SegmentKind::Logical, 32000, 52000, 1, 0, true},
        {SegmentKind::Unallocated, 40960, 64000, 0, 0, false},
    };
    EXPECT_EQ(shapeOf(map), shape);
    EXPECT_TRUE(map.overlaps.empty());
    const MapSegment& frame = map.segments[1];
    const MapSegment& outside = map.segments[3];
    EXPECT_GT(outside.x + outside.width, frame.x + frame.width);
    EXPECT_EQ(outside.spoken,
              "Partition 6, type 83, 9 MB, sectors 32,000 to 51,999, outside the extended "
              "partition");
}

TEST(DiskMap, MinimumWidths) {
    MapLayout layout = wide1000();
    layout.minSegmentWidth = 24;
    const struct {
        const char* name;
        std::vector<CheckedEntry> entries;
        double width;                              // of the map
        std::vector<std::pair<double, double>> xw;  // each segment's x and width
    } cases[] = {
        {"large partitions keep their proportion",
         {primary(1, 0x83, 2048, 30720), primary(2, 0x83, 32768, 31232)},
         1000,
         {{32, 480}, {512, 488}}},
        // 64 sectors would be one unit: it gets 24, the other 61,888 share 976 less
        // the table area's share.
        {"a tiny partition gets the minimum",
         {primary(1, 0x07, 2048, 64), primary(2, 0x83, 2112, 61888)},
         1000,
         {{31.265625, 24}, {55.265625, 944.734375}}},
        // It takes one sector's place, on a row of its own below the other.
        {"an empty entry gets the minimum",
         {primary(1, 0x07, 2048, 0), primary(2, 0x83, 2048, 61952)},
         1000,
         {{31.234375, 968.765625}, {31.234375, 24}}},
    };
    for (const auto& c : cases) {
        const DiskMap map = mapOf(c.entries, {}, kDisk, layout);
        std::vector<std::pair<double, double>> xw;
        for (const MapSegment& s : map.segments) xw.emplace_back(s.x, s.width);
        EXPECT_EQ(xw, c.xw) << c.name;
        EXPECT_EQ(map.width, c.width) << c.name;
    }

    // Minimums that need more than the width asked for: the map grows.
    std::vector<CheckedEntry> many;
    for (unsigned n = 1; n <= 4; ++n) many.push_back(primary(n, 0x83, 2048 + (n - 1) * 64, 64));
    layout.width = 50;
    const DiskMap grown = mapOf(many, {}, 2048 + 4 * 64, layout);
    EXPECT_GT(grown.width, 50);
    for (const MapSegment& s : grown.segments) EXPECT_GE(s.width, 24) << s.spoken;
}

TEST(DiskMap, TwoHundredLogicalPartitions) {
    constexpr unsigned kLogicals = 200;
    constexpr std::uint64_t kStep = 16065;  // a cylinder at 255/63
    std::vector<CheckedEntry> entries = {primary(1, 0x07, 63, 16002),
                                         extended(2, kStep, kLogicals * kStep)};
    for (unsigned i = 0; i < kLogicals; ++i) {
        const std::uint64_t table = kStep * (i + 1);
        entries.push_back(logical(5 + i, table, 0x83, table + 63, kStep - 63));
        if (i + 1 < kLogicals) entries.push_back(link(table, table + kStep, kStep));
    }
    const std::uint64_t disk = kStep * (kLogicals + 1) + 10 * 2048;  // 10 MB left at the end
    MapLayout layout;
    layout.width = 800;
    const auto started = std::chrono::steady_clock::now();
    const DiskMap map = layoutDiskMap(entries, {}, disk, NumberFormat::point(), layout);
    const auto took = std::chrono::steady_clock::now() - started;
    RecordProperty("layout_microseconds",
                   static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(took).count()));

    ASSERT_EQ(map.segments.size(), 2 + kLogicals + 1u);
    EXPECT_EQ(map.marks.size(), 1 + kLogicals);
    EXPECT_TRUE(map.overlaps.empty());
    // Every segment at the minimum; the table sectors' areas keep their
    // share of the width asked for.
    EXPECT_NEAR(map.width, (kLogicals + 2) * 24 + 800.0 * 63 * (kLogicals + 1) / disk, 1.0 / 64);
    double right = 0;
    for (std::size_t i = 2; i < 2 + kLogicals; ++i) {
        const MapSegment& s = map.segments[i];
        EXPECT_EQ(s.kind, SegmentKind::Logical);
        EXPECT_EQ(s.row, 0u);
        EXPECT_GE(s.x, right);
        EXPECT_GE(s.width, 24);
        right = s.x + s.width;
    }
    EXPECT_EQ(map.segments[2 + kLogicals - 1].spoken,
              "Partition 204, type 83, 7 MB, sectors 3,213,063 to 3,229,064");
    EXPECT_EQ(map.segments.back().spoken, "unallocated, 10 MB, sectors 3,229,065 to 3,249,544");
}

// Element names in order of opening, or the reason the text is not
// well-formed: every tag closed in order, attributes quoted, entities known.
struct XmlCheck {
    std::vector<std::string> opened;
    std::string error;
};

XmlCheck checkXml(const std::string& text) {
    XmlCheck check;
    std::vector<std::string> stack;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            const std::size_t end = text.find(';', i);
            const std::string entity = end == std::string::npos ? "" : text.substr(i, end - i + 1);
            if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;" &&
                entity != "&apos;")
                return {check.opened, "unknown entity at " + std::to_string(i)};
            continue;
        }
        if (text[i] == '>') return {check.opened, "stray > at " + std::to_string(i)};
        if (text[i] != '<') continue;
        std::size_t end = i + 1;
        bool quoted = false;
        while (end < text.size() && (quoted || text[end] != '>')) {
            if (text[end] == '"') quoted = !quoted;
            if (quoted && text[end] == '<') return {check.opened, "< in a value"};
            ++end;
        }
        if (end == text.size()) return {check.opened, "unclosed tag"};
        const std::string tag = text.substr(i + 1, end - i - 1);
        i = end;
        if (tag.starts_with("/")) {
            if (stack.empty() || stack.back() != tag.substr(1))
                return {check.opened, "mismatched </" + tag.substr(1) + ">"};
            stack.pop_back();
            continue;
        }
        const std::string name = tag.substr(0, tag.find_first_of(" /"));
        check.opened.push_back(name);
        if (!tag.ends_with("/")) stack.push_back(name);
    }
    if (!stack.empty()) check.error = "unclosed <" + stack.back() + ">";
    return check;
}

TEST(DiskMapSvg, WellFormedWithOneGroupPerSegment) {
    std::vector<CheckedEntry> entries = ordinaryTable();
    entries[0].failedChecks = {108};
    entries[0].verdict = CheckVerdict::Errors;
    entries.push_back(primary(3, 0x07, 16384, 8192));  // overlaps 1 and the extended one
    const DiskMap map = mapOf(entries);
    const std::string svg = diskMapSvg(map, "Disk <1> & \"two\"");
    const XmlCheck check = checkXml(svg);
    EXPECT_EQ(check.error, "");
    std::size_t groups = 0;
    for (std::size_t at = svg.find("<g class=\"segment "); at != std::string::npos;
         at = svg.find("<g class=\"segment ", at + 1))
        ++groups;
    EXPECT_EQ(groups, map.segments.size());
    EXPECT_EQ(std::count(check.opened.begin(), check.opened.end(), "g"),
              static_cast<long>(map.segments.size()) + 1);  // and the legend
    EXPECT_EQ(std::count(check.opened.begin(), check.opened.end(), "title"),
              static_cast<long>(map.segments.size() + map.marks.size()) + 1);
    EXPECT_NE(svg.find("<title>Disk &lt;1&gt; &amp; &quot;two&quot;</title>"), std::string::npos);
    EXPECT_NE(svg.find("<title>Partition 1, type 0C, 9 MB, sectors 2,048 to 20,479, fails #108, "
                       "overlaps partition 3</title>"),
              std::string::npos);
}

TEST(DiskMapSvg, SmallMapAsAWholeText) {
    MapLayout layout;
    layout.width = 240;
    layout.rowHeight = 20;
    const DiskMap map = layoutDiskMap({primary(1, 0x83, 2048, 4096, {108})}, {}, 8192,
                                      NumberFormat::point(), layout);
    const std::string expected = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="456" height="130" viewBox="0 0 456 130" font-family="sans-serif" font-size="11">
<defs><pattern id="hatch" width="6" height="6" patternUnits="userSpaceOnUse" patternTransform="rotate(45)"><line x1="0" y1="0" x2="0" y2="6" stroke="#000000" stroke-width="1.5"/></pattern></defs>
<rect x="0" y="0" width="456" height="130" fill="#ffffff"/>
<g class="segment linux"><title>Partition 1, type 83, 2 MB, sectors 2,048 to 6,143, fails #108</title><rect x="68" y="8" width="120" height="20" fill="#ffb74d" stroke="#212121"/><text x="128" y="22" text-anchor="middle">1 · 83 · 2 MB</text><polygon class="warning" points="182,8 188,20 176,20" fill="#ffd600" stroke="#000000"/><text x="182" y="18" font-size="9" text-anchor="middle">!</text></g>
<g class="segment unallocated"><title>unallocated, 1 MB, sectors 6,144 to 8,191</title><rect x="188" y="8" width="60" height="20" fill="#ffffff" stroke="#757575" stroke-dasharray="2 2"/><text x="218" y="22" text-anchor="middle">1 MB</text></g>
<line class="table-sector" x1="8" y1="8" x2="8" y2="28" stroke="#000000" stroke-width="2"><title>master boot record, sector 0</title></line>
<g class="legend"><rect x="8" y="42" width="14" height="14" fill="#ffb74d" stroke="#212121"/><text x="28" y="53">Linux</text><rect x="8" y="62" width="14" height="14" fill="#ffffff" stroke="#212121"/><text x="28" y="73">unallocated</text><line x1="15" y1="82" x2="15" y2="96" stroke="#000000" stroke-width="2"/><text x="28" y="93">table sector: the master boot record or an extended boot record</text><polygon class="warning" points="15,103 21,115 9,115" fill="#ffd600" stroke="#000000"/><text x="15" y="113" font-size="9" text-anchor="middle">!</text><text x="28" y="113">warning: the entry&apos;s check failed, or a finding names it</text></g>
</svg>
)svg";
    EXPECT_EQ(diskMapSvg(map), expected);
}

}  // namespace

}  // namespace quorvane::core
