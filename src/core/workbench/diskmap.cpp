#include "core/workbench/diskmap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "core/base/texts.h"
#include "core/workbench/tabletexts.h"

namespace quorvane::core {

namespace {

constexpr std::uint64_t kSectorsPerMb = 2048;
constexpr std::uint64_t kSectorsPerGb = 2048 * 1024;
constexpr std::uint64_t kMbBelowGb = 10240;  // sizes below 10 GB are written in MB

// A whole number with the user's digit grouping: "16,466,624".
std::string grouped(std::uint64_t value, const NumberFormat& format) {
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += format.group;
        text += digits[i];
    }
    return text;
}

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a)
        return std::numeric_limits<std::uint64_t>::max();
    return a * b;
}

// Geometry is kept on a grid of 1/64 unit: exact in binary, finer than
// any screen draws, and the same on every machine.
double snapped(double value) { return std::round(value * 64) / 64; }

// A segment's sectors for the layout: an empty entry still takes one
// sector's place, so that it gets a width.
std::uint64_t layoutEnd(const MapSegment& s) {
    if (s.first == std::numeric_limits<std::uint64_t>::max()) return s.first;
    return std::max(s.endPlusOne, s.first + 1);
}

// The sector after an entry's last, at most the last sector there is: a
// listing may print any start.
std::uint64_t endOf(const TableEntry& e) {
    if (e.start > std::numeric_limits<std::uint64_t>::max() - e.count)
        return std::numeric_limits<std::uint64_t>::max();
    return e.endPlusOne();
}

bool isPartition(SegmentKind kind) {
    return kind == SegmentKind::Primary || kind == SegmentKind::Extended ||
           kind == SegmentKind::Logical;
}

// Whether two partitions sharing sectors is an overlap: a logical
// partition belongs inside an extended one.
bool clash(SegmentKind a, SegmentKind b) {
    const bool frameAndLogical = (a == SegmentKind::Extended && b == SegmentKind::Logical) ||
                                 (a == SegmentKind::Logical && b == SegmentKind::Extended);
    return !frameAndLogical;
}

// The words an entry's finding adds to what a screen reader hears; empty
// where the map says it in its own words (overlaps) or the kind names no
// partition in particular.
std::string_view findingPhrase(FindingKind kind) {
    switch (kind) {
        case FindingKind::Overlap: return {};
        case FindingKind::Order: return "out of order";
        case FindingKind::ChsRange: return "CHS values outside the geometry";
        case FindingKind::Active: return "one of several active partitions";
        case FindingKind::GptProtective: return "GPT protective entry";
        case FindingKind::CoversTable: return "holds its own table sector";
        case FindingKind::OutsideExtended: return "outside the extended partition";
        default: return "named in a finding";
    }
}

std::string partitionName(const TableEntry& e, const NumberFormat& format) {
    if (e.number) return "partition " + std::to_string(*e.number);
    return "the entry in table sector " + grouped(e.tableSector, format) + ", slot " +
           std::to_string(e.slot);
}

std::string capitalized(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string sectorsText(const MapSegment& s, const NumberFormat& format) {
    if (s.endPlusOne <= s.first) return "no sectors, at sector " + grouped(s.first, format);
    return "sectors " + grouped(s.first, format) + " to " + grouped(s.endPlusOne - 1, format);
}

// "partition 6", "partitions 6 and 7", "partitions 6, 7, 8 and 2 more".
std::string overlapText(const std::vector<std::string>& names, std::size_t total) {
    std::string text = total == 1 ? "overlaps " : "overlaps partitions ";
    if (total == 1) return text + names.front();
    std::vector<std::string> items;
    for (const std::string& name : names)
        items.push_back(name.starts_with("partition ") ? name.substr(10) : name);
    if (total > names.size()) items.push_back(std::to_string(total - names.size()) + " more");
    return text + listedText(items);
}

std::string_view legendText(MapColour colour) {
    switch (colour) {
        case MapColour::Fat: return "FAT";
        case MapColour::Ntfs: return "NTFS, exFAT or HPFS";
        case MapColour::Linux: return "Linux";
        case MapColour::LinuxSwap: return "Linux swap";
        case MapColour::Extended: return "extended partition: a frame around its logical partitions";
        case MapColour::Protective: return "GPT protective";
        case MapColour::Other: return "other type";
        case MapColour::Unallocated: return "unallocated";
        case MapColour::BeyondDisk: return "beyond the end of the disk";
    }
    return {};
}

// The horizontal scale: the sectors' breakpoints and the width between
// each pair of them.
struct Scale {
    std::vector<std::uint64_t> points;  // ascending, from 0 to the map's end
    std::vector<double> widths;         // of each interval [points[i], points[i+1])
    std::vector<double> lefts;          // x of each point

    std::size_t indexOf(std::uint64_t sector) const {
        return static_cast<std::size_t>(std::lower_bound(points.begin(), points.end(), sector) -
                                        points.begin());
    }
    double x(std::uint64_t sector) const {
        const auto found = std::upper_bound(points.begin(), points.end(), sector);
        if (found == points.begin()) return 0;
        const auto i = static_cast<std::size_t>(found - points.begin()) - 1;
        if (i + 1 >= points.size()) return lefts.back();
        const double part = static_cast<double>(sector - points[i]) /
                            static_cast<double>(points[i + 1] - points[i]);
        return snapped(lefts[i] + widths[i] * part);
    }
};

// Widths for the intervals with the proportional part scaled by `k`
// (units per sector), each segment then widened to the minimum where it
// falls short, its shortfall spread over its intervals by their sectors.
// Segments are taken deepest level first, so that a frame counts the
// widths its logical partitions already need.
double fillWidths(double k, const std::vector<std::uint64_t>& lengths,
                  const std::vector<std::pair<std::size_t, std::size_t>>& spans, double minWidth,
                  std::vector<double>& widths) {
    widths.resize(lengths.size());
    for (std::size_t i = 0; i < lengths.size(); ++i) widths[i] = k * static_cast<double>(lengths[i]);
    for (const auto& [lo, hi] : spans) {
        // No width is negative, so the sum stops once it reaches the
        // minimum: segments that overlap one another share their
        // intervals, and summing each whole would take the square of
        // their number.
        double have = 0;
        for (std::size_t i = lo; i < hi && have < minWidth; ++i) have += widths[i];
        const double shortfall = minWidth - have;
        if (shortfall <= 0) continue;
        double sectors = 0;
        for (std::size_t i = lo; i < hi; ++i) sectors += static_cast<double>(lengths[i]);
        if (sectors <= 0) continue;
        for (std::size_t i = lo; i < hi; ++i)
            widths[i] += shortfall * static_cast<double>(lengths[i]) / sectors;
    }
    double total = 0;
    for (const double w : widths) total += w;
    return total;
}

}  // namespace

std::string_view mapColourName(MapColour colour) {
    switch (colour) {
        case MapColour::Fat: return "fat";
        case MapColour::Ntfs: return "ntfs";
        case MapColour::Linux: return "linux";
        case MapColour::LinuxSwap: return "linux_swap";
        case MapColour::Extended: return "extended";
        case MapColour::Protective: return "protective";
        case MapColour::Other: return "other";
        case MapColour::Unallocated: return "unallocated";
        case MapColour::BeyondDisk: return "beyond_disk";
    }
    return "other";
}

MapColour typeColour(std::uint8_t type) {
    switch (type) {
        case 0x01: case 0x04: case 0x06: case 0x0B: case 0x0C: case 0x0E:
        case 0x11: case 0x14: case 0x16: case 0x1B: case 0x1C: case 0x1E:
            return MapColour::Fat;
        case 0x07: case 0x17: return MapColour::Ntfs;
        case 0x83: case 0x8E: case 0xFD: return MapColour::Linux;
        case 0x82: return MapColour::LinuxSwap;
        case 0xEE: return MapColour::Protective;
        default: return isExtendedType(type) ? MapColour::Extended : MapColour::Other;
    }
}

std::string mapSizeText(std::uint64_t sectors, const NumberFormat& format) {
    if (sectors == 0) return "0 MB";
    if (sectors < kSectorsPerMb) return "under 1 MB";
    const std::uint64_t mb = sectors / kSectorsPerMb;
    if (mb < kMbBelowGb) return grouped(mb, format) + " MB";
    const std::uint64_t tenths = (sectors % kSectorsPerGb) * 10 / kSectorsPerGb;
    return grouped(sectors / kSectorsPerGb, format) + format.decimal + std::to_string(tenths) + " GB";
}

std::uint64_t diskSectorsOf(const TableReading& reading) {
    const DriveGeometry& g = reading.geometry;
    if (g.cylinderSource == CylinderSource::Image) return reading.imageSectors;
    return saturatingProduct(g.cylinders, std::uint64_t{g.heads} * g.sectors);
}

std::uint64_t diskSectorsOf(const CheckedDisk& disk) {
    const DriveGeometry& g = disk.geometry;
    return saturatingProduct(g.cylinders, std::uint64_t{g.heads} * g.sectors);
}

DiskMap layoutDiskMap(const TableReading& reading, const NumberFormat& format,
                      const MapLayout& layout) {
    return layoutDiskMap(reading.entries, reading.findings, diskSectorsOf(reading), format, layout);
}

DiskMap layoutDiskMap(const CheckedDisk& disk, const NumberFormat& format,
                      const MapLayout& layout) {
    std::vector<CheckedEntry> entries;
    entries.reserve(disk.entries.size());
    for (const ListedEntry& e : disk.entries) entries.push_back(e.checked);
    return layoutDiskMap(entries, disk.findings, diskSectorsOf(disk), format, layout);
}

DiskMap layoutDiskMap(const std::vector<CheckedEntry>& entries,
                      const std::vector<Finding>& findings, std::uint64_t diskSectors,
                      const NumberFormat& format, const MapLayout& layout) {
    DiskMap map;
    map.diskSectors = diskSectors;

    // The table sectors and how far the table reaches.
    std::set<std::uint64_t> tables{0};
    std::uint64_t reach = 0;
    std::optional<std::size_t> frameEntry;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TableEntry& e = entries[i].entry;
        tables.insert(e.tableSector);
        if (e.role == EntryRole::Link) continue;
        reach = std::max(reach, endOf(e));
        if (e.role == EntryRole::Extended && !frameEntry) frameEntry = i;
    }
    const std::uint64_t lastTable = *tables.rbegin();
    map.mapSectors = std::max({diskSectors, reach, lastTable + (lastTable < UINT64_MAX ? 1 : 0),
                               std::uint64_t{1}});
    const std::uint64_t diskEnd = diskSectors != 0 ? diskSectors : map.mapSectors;

    // The partitions.
    std::vector<MapSegment> segments;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TableEntry& e = entries[i].entry;
        if (e.role == EntryRole::Link) continue;
        MapSegment s;
        s.kind = e.role == EntryRole::Extended ? SegmentKind::Extended
                 : e.role == EntryRole::Logical ? SegmentKind::Logical
                                                 : SegmentKind::Primary;
        s.entry = i;
        s.first = e.start;
        s.endPlusOne = endOf(e);
        s.level = s.kind == SegmentKind::Logical ? 1 : 0;
        s.colour = s.kind == SegmentKind::Extended ? MapColour::Extended : typeColour(e.type);
        segments.push_back(std::move(s));
    }

    // The gaps of one level between `from` and `to`, where no segment of
    // that level lies.
    const auto addGaps = [&](unsigned level, std::uint64_t from, std::uint64_t to) {
        std::vector<std::pair<std::uint64_t, std::uint64_t>> held;
        for (const MapSegment& s : segments)
            if (s.level == level && s.endPlusOne > s.first) held.emplace_back(s.first, s.endPlusOne);
        std::sort(held.begin(), held.end());
        std::uint64_t at = from;
        const auto gap = [&](std::uint64_t first, std::uint64_t end) {
            if (end <= first) return;
            if (tables.contains(first) && end - first <= kTableArea) return;
            MapSegment s;
            s.kind = SegmentKind::Unallocated;
            s.first = first;
            s.endPlusOne = end;
            s.level = level;
            s.colour = MapColour::Unallocated;
            segments.push_back(std::move(s));
        };
        for (const auto& [first, end] : held) {
            if (first >= to) break;
            if (first > at) gap(at, first);
            at = std::max(at, end);
        }
        if (at < to) gap(at, to);
    };
    addGaps(0, 0, diskEnd);
    if (frameEntry) {
        const TableEntry& frame = entries[*frameEntry].entry;
        addGaps(1, std::min(frame.start, diskEnd), std::min(frame.endPlusOne(), diskEnd));
    }

    // Disk order, and the stacked rows within each level.
    std::sort(segments.begin(), segments.end(), [](const MapSegment& a, const MapSegment& b) {
        if (a.first != b.first) return a.first < b.first;
        if (a.level != b.level) return a.level < b.level;
        if (a.endPlusOne != b.endPlusOne) return a.endPlusOne > b.endPlusOne;
        return a.entry < b.entry;
    });
    unsigned rows[2] = {1, 0};
    {
        std::vector<std::uint64_t> rowEnds[2];
        for (MapSegment& s : segments) {
            auto& ends = rowEnds[s.level];
            std::size_t row = 0;
            while (row < ends.size() && ends[row] > s.first) ++row;
            if (row == ends.size()) ends.push_back(0);
            ends[row] = layoutEnd(s);
            s.row = static_cast<unsigned>(row);
        }
        rows[0] = std::max<unsigned>(1, static_cast<unsigned>(rowEnds[0].size()));
        rows[1] = static_cast<unsigned>(rowEnds[1].size());
        if (frameEntry && rows[1] == 0) rows[1] = 1;
    }
    if (diskSectors != 0 && map.mapSectors > diskSectors) {
        MapSegment s;
        s.kind = SegmentKind::BeyondDisk;
        s.first = diskSectors;
        s.endPlusOne = map.mapSectors;
        s.colour = MapColour::BeyondDisk;
        segments.push_back(std::move(s));
        std::stable_sort(segments.begin(), segments.end(),
                         [](const MapSegment& a, const MapSegment& b) {
                             if (a.first != b.first) return a.first < b.first;
                             if (a.level != b.level) return a.level < b.level;
                             return a.row < b.row;
                         });
    }

    // The horizontal scale: proportional to sectors at the largest factor
    // that, with every segment at least its minimum width, fits the width
    // asked for; where the minimums alone need more, proportional at the
    // width asked for plus what the minimums add.
    Scale scale;
    {
        std::set<std::uint64_t> points{0, map.mapSectors, diskEnd};
        for (const MapSegment& s : segments) {
            points.insert(s.first);
            points.insert(layoutEnd(s));
        }
        for (const std::uint64_t t : tables) points.insert(t);
        scale.points.assign(points.begin(), points.end());
    }
    std::vector<std::uint64_t> lengths(scale.points.size() - 1);
    for (std::size_t i = 0; i + 1 < scale.points.size(); ++i)
        lengths[i] = scale.points[i + 1] - scale.points[i];
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (unsigned level : {1u, 0u})
        for (const MapSegment& s : segments)
            if (s.level == level)
                spans.emplace_back(scale.indexOf(s.first), scale.indexOf(layoutEnd(s)));
    const double asked = std::max(layout.width, 0.0);
    const double minWidth = std::max(layout.minSegmentWidth, 0.0);
    const double full = asked / static_cast<double>(map.mapSectors);
    double k = full;
    if (fillWidths(k, lengths, spans, minWidth, scale.widths) > asked) {
        if (fillWidths(0, lengths, spans, minWidth, scale.widths) > asked) {
            k = full;
        } else {
            double lo = 0, hi = full;
            for (int step = 0; step < 40; ++step) {
                const double mid = (lo + hi) / 2;
                (fillWidths(mid, lengths, spans, minWidth, scale.widths) > asked ? hi : lo) = mid;
            }
            k = lo;
        }
    }
    double total = fillWidths(k, lengths, spans, minWidth, scale.widths);
    if (total < asked && total > 0) {
        for (double& w : scale.widths) w *= asked / total;
        total = asked;
    }
    scale.lefts.resize(scale.points.size());
    double left = 0;
    for (std::size_t i = 0; i < scale.points.size(); ++i) {
        scale.lefts[i] = snapped(left);
        if (i < scale.widths.size()) left += scale.widths[i];
    }
    map.width = scale.lefts.back();
    map.diskEndX = scale.x(diskEnd);

    // The vertical places: a row on the bar is as tall as the extended
    // frame with its logical rows inside.
    const double logicalBand = rows[1] == 0 ? 0
                                            : rows[1] * layout.rowHeight +
                                                  (rows[1] - 1) * layout.rowGap;
    const double barRow = rows[1] == 0 ? layout.rowHeight : logicalBand + 2 * layout.frameInset;
    map.height = rows[0] * (barRow + layout.rowGap) - layout.rowGap;
    double frameY = 0;
    for (const MapSegment& s : segments)
        if (s.entry && frameEntry && *s.entry == *frameEntry) frameY = s.row * (barRow + layout.rowGap);

    // Which findings name which entries.
    std::vector<std::vector<std::string_view>> phrases(entries.size());
    std::vector<bool> named(entries.size(), false);
    for (const Finding& f : findings)
        for (const EntryPlace& place : f.entries)
            for (std::size_t i = 0; i < entries.size(); ++i) {
                const TableEntry& e = entries[i].entry;
                if (e.tableSector != place.tableSector || e.slot != place.slot) continue;
                named[i] = true;
                const std::string_view phrase = findingPhrase(f.kind);
                if (!phrase.empty() &&
                    std::find(phrases[i].begin(), phrases[i].end(), phrase) == phrases[i].end())
                    phrases[i].push_back(phrase);
            }

    // The overlapping ranges: per interval, how many partitions of each
    // kind hold it.
    const std::size_t intervals = lengths.size();
    std::vector<int> primaries(intervals + 1, 0), frames(intervals + 1, 0), logicals(intervals + 1, 0);
    for (const MapSegment& s : segments) {
        if (!isPartition(s.kind) || s.endPlusOne <= s.first) continue;
        auto& count = s.kind == SegmentKind::Primary ? primaries
                      : s.kind == SegmentKind::Extended ? frames
                                                        : logicals;
        ++count[scale.indexOf(s.first)];
        --count[scale.indexOf(s.endPlusOne)];
    }
    std::vector<bool> byLogicals(intervals), byFrames(intervals);
    {
        int p = 0, e = 0, l = 0;
        for (std::size_t i = 0; i < intervals; ++i) {
            p += primaries[i];
            e += frames[i];
            l += logicals[i];
            byLogicals[i] = p + l >= 2;
            byFrames[i] = p + e >= 2;
        }
    }
    for (std::size_t i = 0; i < intervals;) {
        if (!byLogicals[i] && !byFrames[i]) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < intervals && (byLogicals[j] || byFrames[j])) ++j;
        MapOverlap overlap;
        overlap.first = scale.points[i];
        overlap.endPlusOne = scale.points[j];
        overlap.x = scale.lefts[i];
        overlap.width = scale.lefts[j] - scale.lefts[i];
        for (std::size_t n = 0; n < segments.size(); ++n) {
            const MapSegment& s = segments[n];
            if (!isPartition(s.kind) || s.endPlusOne <= s.first) continue;
            const std::size_t lo = std::max(i, scale.indexOf(s.first));
            const std::size_t hi = std::min(j, scale.indexOf(s.endPlusOne));
            for (std::size_t m = lo; m < hi; ++m) {
                const bool involved = s.kind == SegmentKind::Logical    ? byLogicals[m]
                                      : s.kind == SegmentKind::Extended ? byFrames[m]
                                                                        : true;
                if (involved) {
                    overlap.segments.push_back(n);
                    break;
                }
            }
        }
        map.overlaps.push_back(std::move(overlap));
        i = j;
    }

    // Places, warnings and words.
    for (MapSegment& s : segments) {
        const std::size_t lo = scale.indexOf(s.first), hi = scale.indexOf(layoutEnd(s));
        s.x = scale.lefts[lo];
        s.width = scale.lefts[hi] - scale.lefts[lo];
        if (s.kind == SegmentKind::BeyondDisk) {
            s.y = 0;
            s.height = map.height;
        } else if (s.level == 1) {
            s.y = frameY + layout.frameInset + s.row * (layout.rowHeight + layout.rowGap);
            s.height = layout.rowHeight;
        } else {
            s.y = s.row * (barRow + layout.rowGap);
            s.height = barRow;
        }
        const std::string size = mapSizeText(s.endPlusOne - s.first, format);
        if (s.kind == SegmentKind::Unallocated) {
            s.label = size;
            s.spoken = "unallocated, " + size + ", " + sectorsText(s, format);
            continue;
        }
        if (s.kind == SegmentKind::BeyondDisk) {
            s.label = "beyond the disk";
            s.spoken = "beyond the end of the disk, " + size + ", " + sectorsText(s, format);
            continue;
        }
        const CheckedEntry& c = entries[*s.entry];
        const TableEntry& e = c.entry;
        const std::string type = typeCodeText(e.type);
        s.label = (e.number ? std::to_string(*e.number) + " \u00B7 " : std::string()) + type +
                  " \u00B7 " + size;
        std::string words = capitalized(partitionName(e, format));
        if (s.kind == SegmentKind::Extended) words += ", extended";
        words += ", type " + type;
        if (e.active()) words += ", active";
        words += ", " + size + ", " + sectorsText(s, format);
        if (!c.checkCompleted)
            words += ", " + failedChecksText(c);
        else if (!c.failedChecks.empty())
            words += ", fails " + failedChecksText(c);
        else if (!c.passed())
            words += ", check not passed";
        for (const std::string_view phrase : phrases[*s.entry]) words += ", " + std::string(phrase);
        std::vector<std::string> others;
        std::size_t overlapping = 0;
        for (const MapSegment& o : segments) {
            if (&o == &s || !isPartition(o.kind) || !clash(s.kind, o.kind)) continue;
            if (std::max(o.first, s.first) >= std::min(o.endPlusOne, s.endPlusOne)) continue;
            if (others.size() < kMostOverlapsNamed) others.push_back(partitionName(entries[*o.entry].entry, format));
            ++overlapping;
        }
        if (overlapping != 0) words += ", " + overlapText(others, overlapping);
        const bool beyond = diskSectors != 0 && s.endPlusOne > diskSectors;
        if (beyond) words += ", reaches beyond the end of the disk";
        s.spoken = std::move(words);
        s.warning = !c.passed() || named[*s.entry] || beyond;
    }

    // The table sectors' marks.
    for (const std::uint64_t t : tables) {
        MapMark mark;
        mark.sector = t;
        mark.master = t == 0;
        mark.x = scale.x(t);
        if (mark.master || rows[1] == 0) {
            mark.y = 0;
            mark.height = map.height;
        } else {
            mark.y = frameY + layout.frameInset;
            mark.height = logicalBand;
        }
        mark.spoken = (mark.master ? "master boot record, sector " : "extended boot record, sector ") +
                      grouped(t, format);
        map.marks.push_back(std::move(mark));
    }

    // The legend: what the map shows.
    std::set<MapColour> colours;
    bool warning = false;
    for (const MapSegment& s : segments) {
        colours.insert(s.colour);
        warning = warning || s.warning;
    }
    for (const MapColour colour : colours)
        map.legend.push_back({LegendSymbol::Colour, colour, std::string(legendText(colour))});
    map.legend.push_back({LegendSymbol::TableSector, MapColour::Other,
                          "table sector: the master boot record or an extended boot record"});
    if (warning)
        map.legend.push_back({LegendSymbol::Warning, MapColour::Other,
                              "warning: the entry's check failed, or a finding names it"});
    if (!map.overlaps.empty())
        map.legend.push_back({LegendSymbol::Overlap, MapColour::Other,
                              "hatched: sectors that more than one entry holds"});

    map.segments = std::move(segments);
    return map;
}

std::vector<std::size_t> paintOrder(const DiskMap& map) {
    std::vector<std::size_t> order(map.segments.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    const auto layer = [&](std::size_t i) {
        const MapSegment& s = map.segments[i];
        return s.kind == SegmentKind::BeyondDisk ? 0u : 1u + s.level;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return layer(a) < layer(b); });
    return order;
}

}  // namespace quorvane::core
