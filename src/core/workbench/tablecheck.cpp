#include "core/workbench/tablecheck.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/base/texts.h"
#include "core/workbench/entrycheck.h"
#include "core/workbench/tabletexts.h"

namespace quorvane::core {

namespace {

// The cylinder above which a CHS address cannot reach: 1023 is then written
// as a placeholder.
constexpr unsigned kLastChsCylinder = 1023;

std::string number(std::uint64_t value) { return std::to_string(value); }

// How a finding names an entry: "partition 5 (table sector 2048, slot 1)",
// or for a link "the link entry in table sector 2048, slot 2".
std::string entryName(const TableEntry& entry) {
    const std::string place =
        "table sector " + number(entry.tableSector) + ", slot " + number(entry.slot);
    if (entry.number) return "partition " + number(*entry.number) + " (" + place + ")";
    return "the link entry in " + place;
}

// "sectors 2048 to 4095".
std::string sectorsText(std::uint64_t first, std::uint64_t last) {
    return "sectors " + number(first) + " to " + number(last);
}

std::string capitalized(std::string text) {
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

EntryPlace placeOf(const TableEntry& entry) { return {entry.tableSector, entry.slot}; }

// A sector's CHS address under the geometry; the cylinder is not limited.
struct Address {
    std::uint64_t cylinder, head, sector;
};

Address addressOf(std::uint64_t lba, const DriveGeometry& g) {
    return {lba / (std::uint64_t{g.heads} * g.sectors), (lba / g.sectors) % g.heads,
            lba % g.sectors + 1};
}

std::uint64_t lastSector(const TableEntry& entry) { return entry.endPlusOne() - 1; }

// A stored CHS value and the sector its entry's LBA values name for it.
struct ChsPair {
    Chs chs;
    std::uint64_t lba;
};

// The CHS values that may say something about the geometry: not a
// placeholder, not an address with sector 0.
std::vector<ChsPair> usablePairs(const std::vector<TableEntry>& entries) {
    std::vector<ChsPair> pairs;
    const auto usable = [](const Chs& chs) {
        return chs.cylinder != kLastChsCylinder && chs.sector != 0;
    };
    for (const TableEntry& entry : entries) {
        if (usable(entry.begin)) pairs.push_back({entry.begin, entry.start});
        if (entry.count > 0 && usable(entry.end)) pairs.push_back({entry.end, lastSector(entry)});
    }
    return pairs;
}

// The heads and sectors that every entry ends on, when all usable ends
// agree: a cylinder-aligned table ends each entry on the last head and
// sector of a cylinder.
std::optional<std::pair<unsigned, unsigned>> commonEnd(const std::vector<TableEntry>& entries) {
    std::optional<std::pair<unsigned, unsigned>> found;
    for (const TableEntry& entry : entries) {
        if (entry.count == 0 || entry.end.cylinder == kLastChsCylinder || entry.end.sector == 0)
            continue;
        const std::pair<unsigned, unsigned> end{entry.end.head + 1, entry.end.sector};
        if (found && *found != end) return std::nullopt;
        found = end;
    }
    if (found && found->first > kMaxHeads - 1) return std::nullopt;
    return found;
}

}  // namespace

std::string_view geometrySourceName(GeometrySource source) {
    switch (source) {
        case GeometrySource::Given: return "given";
        case GeometrySource::Guessed: return "guessed";
        case GeometrySource::Default: return "default";
        case GeometrySource::Listing: break;
    }
    return "listing";
}

DriveGeometry guessGeometry(const std::vector<TableEntry>& entries) {
    // Guesses stay within what tools write: up to 255 heads.
    constexpr unsigned maxHeads = kMaxHeads - 1;
    const std::vector<ChsPair> pairs = usablePairs(entries);
    const auto ending = commonEnd(entries);

    // For each number of sectors per track, a pair fits one number of heads
    // (or, in cylinder 0, every number above its head): count the fitting
    // pairs of every geometry at once.
    struct Best {
        unsigned score = 0, heads = 0, sectors = 0;
    };
    Best best;
    std::optional<unsigned> endingScore, defaultScore;
    for (unsigned s = kMaxSectorsPerTrack; s >= 1; --s) {
        std::vector<int> step(maxHeads + 2, 0);  // differences over the heads
        for (const ChsPair& p : pairs) {
            const Chs& c = p.chs;
            if (c.sector > s || p.lba + 1 < c.sector) continue;
            const std::uint64_t track = p.lba + 1 - c.sector;
            if (track % s != 0) continue;
            const std::uint64_t tracks = track / s;  // = cylinder x heads + head
            if (c.cylinder == 0) {
                if (tracks != c.head || c.head >= maxHeads) continue;
                ++step[c.head + 1];
                --step[maxHeads + 1];
            } else if (tracks >= c.head && (tracks - c.head) % c.cylinder == 0) {
                const std::uint64_t heads = (tracks - c.head) / c.cylinder;
                if (heads <= c.head || heads > maxHeads) continue;
                ++step[heads];
                --step[heads + 1];
            }
        }
        int running = 0;
        std::vector<unsigned> scores(maxHeads + 1, 0);
        for (unsigned h = 1; h <= maxHeads; ++h) scores[h] = static_cast<unsigned>(running += step[h]);
        if (ending && ending->second == s) endingScore = scores[ending->first];
        if (s == 63) defaultScore = scores[255];
        // The first best found has the most sectors, then the most heads.
        for (unsigned h = maxHeads; h >= 1; --h)
            if (scores[h] > best.score) best = {scores[h], h, s};
    }

    DriveGeometry geometry;
    geometry.source = GeometrySource::Guessed;
    if (best.score == 0) {
        if (!ending) {
            geometry.source = GeometrySource::Default;
            return geometry;
        }
        geometry.heads = ending->first;
        geometry.sectors = ending->second;
    } else if (ending && endingScore == best.score) {
        geometry.heads = ending->first;
        geometry.sectors = ending->second;
    } else if (defaultScore != best.score) {
        geometry.heads = best.heads;
        geometry.sectors = best.sectors;
    }
    return geometry;
}

std::string_view findingKindName(FindingKind kind) {
    switch (kind) {
        case FindingKind::Overlap: return "overlap";
        case FindingKind::Order: return "order";
        case FindingKind::ChsRange: return "chs_range";
        case FindingKind::Active: return "active";
        case FindingKind::GptProtective: return "gpt_protective";
        case FindingKind::CoversTable: return "covers_table";
        case FindingKind::OutsideExtended: return "outside_extended";
        case FindingKind::LinkOutside: return "link_outside_extended";
        case FindingKind::ExtraLogical: return "extra_logical";
        case FindingKind::NoSignature: return "no_signature";
        case FindingKind::NotATable: return "not_a_table";
        case FindingKind::ChainLoop: return "chain_loop";
        case FindingKind::ChainOutside: return "chain_outside";
        case FindingKind::ChainTooLong: return "chain_too_long";
        case FindingKind::ReadFailed: break;
    }
    return "read_failed";
}

std::string_view cylinderSourceName(CylinderSource source) {
    switch (source) {
        case CylinderSource::Given: return "given";
        case CylinderSource::Image: return "image";
        case CylinderSource::TableExtent: return "table_extent";
        case CylinderSource::Listing: break;
    }
    return "listing";
}

bool TableReading::clean() const {
    return findings.empty() && std::all_of(entries.begin(), entries.end(),
                                           [](const CheckedEntry& e) { return e.passed(); });
}

std::string TableReading::extentNote() const {
    if (!partialImage()) return {};
    return "The image holds the first " + number(imageSectors) + " sectors; the entries reach "
           "sector " + number(reach - 1) + ".";
}

namespace {

}  // namespace

CheckedEntry checkTableEntry(const TableEntry& entry, const DriveGeometry& g,
                             const std::string& drive, const NumberFormat& format,
                             const ActualChs* actual) {
    CheckedEntry checked;
    checked.entry = entry;
    const std::uint64_t cylinder = std::uint64_t{g.heads} * g.sectors;
    checked.beginPlaceholder =
        entry.begin.cylinder == kLastChsCylinder && entry.start / cylinder > kLastChsCylinder;
    checked.endPlaceholder = entry.count > 0 && entry.end.cylinder == kLastChsCylinder &&
                             lastSector(entry) / cylinder > kLastChsCylinder;
    std::optional<Chs> actualBegin, actualEnd;
    if (actual) {
        const auto replaces = [](const std::optional<Chs>& value, const Chs& stored, bool marked) {
            return value && (marked || *value != stored);
        };
        if (replaces(actual->begin, entry.begin, actual->beginPlaceholder)) {
            checked.beginPlaceholder = true;
            actualBegin = actual->begin;
        }
        if (replaces(actual->end, entry.end, actual->endPlaceholder)) {
            checked.endPlaceholder = true;
            actualEnd = actual->end;
        }
    }

    GeometryFields& f = checked.fields;
    f.dgcyls = number(g.cylinders);
    f.dgheads = number(g.heads);
    f.dgsects = number(g.sectors);
    const auto fill = [&](std::string& c, std::string& h, std::string& s, const Chs& stored,
                          bool placeholder, const std::optional<Chs>& given, std::uint64_t lba) {
        if (given) {
            c = number(given->cylinder), h = number(given->head), s = number(given->sector);
        } else if (placeholder) {
            const Address computed = addressOf(lba, g);
            c = number(computed.cylinder), h = number(computed.head), s = number(computed.sector);
        } else {
            c = number(stored.cylinder), h = number(stored.head), s = number(stored.sector);
        }
    };
    fill(f.cyls, f.heads, f.sects, entry.begin, checked.beginPlaceholder, actualBegin,
         entry.start);
    fill(f.ecyls, f.eheads, f.esects, entry.end, checked.endPlaceholder, actualEnd,
         entry.count > 0 ? lastSector(entry) : entry.start);
    f.lbastrt = number(entry.start);
    f.LBAend = number(entry.count);
    f.prtsct = number(entry.tableSector);
    f.drive = drive;
    f.prtno = number(entry.slot);
    f.filesys = typeCodeText(entry.type);
    f.Optact = entry.active();

    // The check on a copy: the fields stay as "Use entry" puts them.
    GeometryFields checkedFields = f;
    EntryCheck check;
    const Outcome outcome = checkEntry(checkedFields, checked.report, check, format);
    checked.failedChecks = std::move(check.failed);
    checked.checkCompleted = outcome.completed();
    checked.verdict = check.verdict;
    return checked;
}

namespace {

// Collects the findings across the entries.
class Findings {
public:
    Findings(const std::vector<CheckedEntry>& entries, const DriveGeometry& geometry,
             const std::optional<ChainBreak>& chainBreak, std::uint64_t imageSectors)
        : entries_(entries), geometry_(geometry), chainBreak_(chainBreak),
          imageSectors_(imageSectors) {}

    std::vector<Finding> all() {
        overlaps();
        order();
        chsRange();
        active();
        gptProtective();
        coversTable();
        extendedPartition();
        extraLogical();
        chain();
        return std::move(found_);
    }

private:
    void add(FindingKind kind, std::vector<const TableEntry*> entries, std::string text) {
        Finding finding{kind, {}, std::move(text)};
        for (const TableEntry* e : entries) finding.entries.push_back(placeOf(*e));
        found_.push_back(std::move(finding));
    }

    // Partitions in table order: links only lead to the next record.
    std::vector<const TableEntry*> partitions() const {
        std::vector<const TableEntry*> list;
        for (const CheckedEntry& c : entries_)
            if (c.entry.role != EntryRole::Link && c.entry.count > 0) list.push_back(&c.entry);
        return list;
    }

    // Each partition with the later ones (in table order) it shares sectors
    // with: one finding per partition, naming a few and counting the rest.
    void overlaps() {
        const auto list = partitions();
        // Logical partitions lie inside the extended partition.
        const auto holds = [](const TableEntry& x, const TableEntry& y) {
            return x.role == EntryRole::Extended && y.role == EntryRole::Logical;
        };
        const auto shared = [](const TableEntry& a, const TableEntry& b) {
            return sectorsText(std::max(a.start, b.start),
                               std::min(a.endPlusOne(), b.endPlusOne()) - 1);
        };
        for (std::size_t i = 0; i < list.size(); ++i) {
            const TableEntry& a = *list[i];
            std::vector<const TableEntry*> others;
            std::size_t count = 0;
            for (std::size_t j = i + 1; j < list.size(); ++j) {
                const TableEntry& b = *list[j];
                if (holds(a, b) || holds(b, a)) continue;
                if (std::max(a.start, b.start) >= std::min(a.endPlusOne(), b.endPlusOne()))
                    continue;
                if (others.size() < kMostOverlapsNamed) others.push_back(&b);
                ++count;
            }
            if (count == 0) continue;
            if (count == 1) {
                add(FindingKind::Overlap, {&a, others[0]},
                    capitalized(entryName(a)) + " and " + entryName(*others[0]) + " overlap: " +
                        shared(a, *others[0]) + " belong to both.");
                continue;
            }
            std::vector<std::string> named;
            for (const TableEntry* b : others)
                named.push_back(entryName(*b) + " at " + shared(a, *b));
            if (count > others.size()) named.push_back(number(count - others.size()) + " more");
            others.insert(others.begin(), &a);
            add(FindingKind::Overlap, std::move(others),
                capitalized(entryName(a)) + " overlaps " + number(count) +
                    " partitions after it: " + listedText(named) + ".");
        }
    }

    // The master boot record's partitions by slot, and the logical ones in
    // the order of the chain, each start after the one before.
    void order() {
        const auto list = partitions();
        const auto inSequence = [&](bool logical) {
            const TableEntry* before = nullptr;
            for (const TableEntry* e : list) {
                if ((e->role == EntryRole::Logical) != logical) continue;
                if (before && e->start < before->start) {
                    add(FindingKind::Order, {e, before},
                        capitalized(entryName(*e)) + " starts at sector " + number(e->start) +
                            ", before " + entryName(*before) + " at sector " +
                            number(before->start) + ": the entries are not in disk order.");
                }
                before = e;
            }
        };
        inSequence(false);
        inSequence(true);
    }

    void chsRange() {
        const DriveGeometry& g = geometry_;
        for (const CheckedEntry& c : entries_) {
            const auto check = [&](const Chs& chs, bool placeholder, std::string_view which) {
                if (placeholder) return;
                const std::string start = capitalized(entryName(c.entry)) + ": its " +
                                          std::string(which) + " CHS " + chsText(chs) + " has ";
                if (chs.head >= g.heads) {
                    add(FindingKind::ChsRange, {&c.entry},
                        start + "head " + number(chs.head) + ", but the geometry has " +
                            number(g.heads) + " heads (0 to " + number(g.heads - 1) + ").");
                }
                if (chs.sector == 0) {
                    add(FindingKind::ChsRange, {&c.entry},
                        start + "sector 0, but sectors count from 1.");
                } else if (chs.sector > g.sectors) {
                    add(FindingKind::ChsRange, {&c.entry},
                        start + "sector " + number(chs.sector) + ", but the geometry has " +
                            number(g.sectors) + " sectors per track.");
                }
            };
            check(c.entry.begin, c.beginPlaceholder, "begin");
            check(c.entry.end, c.endPlaceholder, "end");
        }
    }

    void active() {
        std::vector<const TableEntry*> list;
        for (const CheckedEntry& c : entries_)
            if (c.entry.tableSector == 0 && c.entry.active()) list.push_back(&c.entry);
        if (list.size() < 2) return;
        std::string names;
        for (const TableEntry* e : list) names += (names.empty() ? "" : ", ") + entryName(*e);
        add(FindingKind::Active, list,
            "More than one primary partition is active: " + names + ".");
    }

    void gptProtective() {
        for (const CheckedEntry& c : entries_) {
            if (c.entry.type != 0xEE) continue;
            add(FindingKind::GptProtective, {&c.entry},
                capitalized(entryName(c.entry)) +
                    " is a GPT protective entry (type EE): the disk holds a GUID partition "
                    "table, and the error codes of this program apply to MBR tables only.");
        }
    }

    // A partition that starts at or before its own table's sector and so
    // holds it: writing to the partition overwrites the table.
    void coversTable() {
        for (const TableEntry* e : partitions()) {
            if (e->start > e->tableSector || e->endPlusOne() <= e->tableSector) continue;
            add(FindingKind::CoversTable, {e},
                capitalized(entryName(*e)) + " starts at sector " + number(e->start) +
                    " and so covers its own " +
                    (e->tableSector == 0 ? std::string("partition table") + " in sector 0"
                                         : "extended boot record in sector " +
                                               number(e->tableSector)) +
                    ".");
        }
    }

    // The extended partition whose chain was followed: the first one in
    // the master boot record.
    const TableEntry* extended() const {
        for (const CheckedEntry& c : entries_)
            if (c.entry.role == EntryRole::Extended) return &c.entry;
        return nullptr;
    }

    // Logical partitions and links that leave the extended partition.
    void extendedPartition() {
        const TableEntry* x = extended();
        if (!x) return;
        const std::string extendedText = entryName(*x) + ", the extended partition (" +
                                         sectorsText(x->start, lastSector(*x)) + ").";
        for (const CheckedEntry& c : entries_) {
            const TableEntry& e = c.entry;
            if (e.role == EntryRole::Logical && e.count > 0 &&
                (e.start < x->start || e.endPlusOne() > x->endPlusOne())) {
                add(FindingKind::OutsideExtended, {&e, x},
                    capitalized(entryName(e)) + " lies at " + sectorsText(e.start, lastSector(e)) +
                        ", not wholly inside " + extendedText);
            } else if (e.role == EntryRole::Link &&
                       (e.start < x->start || e.start >= x->endPlusOne())) {
                add(FindingKind::LinkOutside, {&e, x},
                    capitalized(entryName(e)) + " points at sector " + number(e.start) +
                        " for the next extended boot record, outside " + extendedText);
            }
        }
    }

    // Extended boot records that hold more than one logical partition.
    void extraLogical() {
        const auto& all = entries_;
        for (std::size_t i = 0; i < all.size();) {
            std::size_t j = i;
            std::vector<const TableEntry*> logical;
            for (; j < all.size() && all[j].entry.tableSector == all[i].entry.tableSector; ++j)
                if (all[j].entry.role == EntryRole::Logical) logical.push_back(&all[j].entry);
            if (logical.size() > 1) {
                std::vector<std::string> names;
                for (const TableEntry* e : logical) names.push_back(entryName(*e));
                add(FindingKind::ExtraLogical, logical,
                    "The extended boot record in sector " + number(all[i].entry.tableSector) +
                        " holds " + number(logical.size()) + " partitions, " + listedText(names) +
                        ": most systems use only the first and ignore the others.");
            }
            i = j;
        }
    }

    void chain() {
        if (!chainBreak_) return;
        const ChainBreak& b = *chainBreak_;
        const TableEntry* link = nullptr;
        for (const CheckedEntry& c : entries_)
            if (c.entry.tableSector == b.tableSector && c.entry.slot == b.slot) link = &c.entry;
        if (!link) return;
        const std::string name = entryName(*link);
        const std::string target = "sector " + number(b.target);
        const std::string pointedAt = capitalized(target) + ", where " + name +
                                      " points for an extended boot record, ";
        switch (b.problem) {
            case ChainProblem::Loop:
                return add(FindingKind::ChainLoop, {link},
                           "The chain of extended boot records loops: " + name +
                               " points back at " + target + ", which was already read.");
            case ChainProblem::OutsideFile:
                return add(FindingKind::ChainOutside, {link},
                           capitalized(name) + " points at " + target +
                               " for an extended boot record, beyond the end of the image (its "
                               "last sector is " +
                               number(imageSectors_ - 1) + "): the chain ends there.");
            case ChainProblem::TooLong:
                return add(FindingKind::ChainTooLong, {link},
                           "The chain of extended boot records holds more than " +
                               number(kMaxChainRecords) + " records: it was followed no further "
                               "than " + name + ".");
            case ChainProblem::NoSignature:
                return add(FindingKind::NoSignature, {link},
                           pointedAt + "does not end with the signature 55AA: the chain ends "
                                       "there.");
            case ChainProblem::NotATable:
                return add(FindingKind::NotATable, {link},
                           pointedAt + "is no extended boot record (" + b.reason +
                               "): the chain ends there.");
            case ChainProblem::ReadFailed:
                return add(FindingKind::ReadFailed, {link},
                           pointedAt + "cannot be read (" + b.reason + "): the chain ends there.");
        }
    }

    const std::vector<CheckedEntry>& entries_;
    const DriveGeometry& geometry_;
    const std::optional<ChainBreak>& chainBreak_;
    std::uint64_t imageSectors_;
    std::vector<Finding> found_;
};

}  // namespace

std::vector<Finding> findingsAcross(const std::vector<CheckedEntry>& entries,
                                    const DriveGeometry& geometry,
                                    const std::optional<ChainBreak>& chainBreak,
                                    std::uint64_t imageSectors) {
    return Findings(entries, geometry, chainBreak, imageSectors).all();
}

TableReading readPartitionTable(DiskImage& image, const TableRequest& request,
                                const NumberFormat& format) {
    TableReading reading;
    RawTable raw = readRawTable(image);
    reading.imageSectors = raw.imageSectors;
    if (!raw.error.empty()) {
        reading.error = std::move(raw.error);
        return reading;
    }

    DriveGeometry& g = reading.geometry;
    if (request.heads && request.sectors && *request.heads >= 1 && *request.heads <= kMaxHeads &&
        *request.sectors >= 1 && *request.sectors <= kMaxSectorsPerTrack) {
        g.heads = *request.heads;
        g.sectors = *request.sectors;
        g.source = GeometrySource::Given;
    } else {
        g = guessGeometry(raw.entries);
    }
    for (const TableEntry& entry : raw.entries)
        if (entry.role != EntryRole::Link)
            reading.reach = std::max(reading.reach, entry.endPlusOne());
    const std::uint64_t cylinder = std::uint64_t{g.heads} * g.sectors;
    if (request.cylinders) {
        g.cylinders = *request.cylinders;
        g.cylinderSource = CylinderSource::Given;
    } else if (reading.partialImage()) {
        g.cylinders = (reading.reach + cylinder - 1) / cylinder;
        g.cylinderSource = CylinderSource::TableExtent;
    } else {
        g.cylinders = raw.imageSectors / cylinder;
    }

    for (const TableEntry& entry : raw.entries)
        reading.entries.push_back(checkTableEntry(entry, g, request.drive, format));
    reading.findings = findingsAcross(reading.entries, g, raw.chainBreak, raw.imageSectors);
    return reading;
}

}  // namespace quorvane::core
