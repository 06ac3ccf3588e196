#include "core/workbench/tablecheck.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/app/shell.h"
#include "core/workbench/entrycheck.h"

namespace quorvane::core {

namespace {

// The cylinder above which a CHS address cannot reach: 1023 is then written
// as a placeholder.
constexpr unsigned kLastChsCylinder = 1023;

std::string number(std::uint64_t value) { return std::to_string(value); }

std::string chsText(const Chs& chs) {
    return number(chs.cylinder) + "/" + number(chs.head) + "/" + number(chs.sector);
}

// How a finding names an entry: "partition 5 (table sector 2048, slot 1)",
// or for a link "the link entry in table sector 2048, slot 2".
std::string entryName(const TableEntry& entry) {
    const std::string place =
        "table sector " + number(entry.tableSector) + ", slot " + number(entry.slot);
    if (entry.number) return "partition " + number(*entry.number) + " (" + place + ")";
    return "the link entry in " + place;
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
        case GeometrySource::Default: break;
    }
    return "default";
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

std::string typeCodeText(std::uint8_t type) {
    constexpr char digits[] = "0123456789ABCDEF";
    return {digits[type >> 4], digits[type & 0x0F]};
}

std::string_view findingKindName(FindingKind kind) {
    switch (kind) {
        case FindingKind::Overlap: return "overlap";
        case FindingKind::Order: return "order";
        case FindingKind::BeyondImage: return "beyond_image";
        case FindingKind::ChsRange: return "chs_range";
        case FindingKind::Active: return "active";
        case FindingKind::GptProtective: return "gpt_protective";
        case FindingKind::NoSignature: return "no_signature";
        case FindingKind::ChainLoop: return "chain_loop";
        case FindingKind::ChainOutside: return "chain_outside";
        case FindingKind::ChainTooLong: return "chain_too_long";
        case FindingKind::ReadFailed: break;
    }
    return "read_failed";
}

bool TableReading::clean() const {
    return findings.empty() && std::all_of(entries.begin(), entries.end(),
                                           [](const CheckedEntry& e) { return e.passed(); });
}

namespace {

// The entry with what the page gets and its check.
CheckedEntry checkedEntry(const TableEntry& entry, const DriveGeometry& g,
                          const std::string& drive, const NumberFormat& format) {
    CheckedEntry checked;
    checked.entry = entry;
    const std::uint64_t cylinder = std::uint64_t{g.heads} * g.sectors;
    checked.beginPlaceholder =
        entry.begin.cylinder == kLastChsCylinder && entry.start / cylinder > kLastChsCylinder;
    checked.endPlaceholder = entry.count > 0 && entry.end.cylinder == kLastChsCylinder &&
                             lastSector(entry) / cylinder > kLastChsCylinder;

    GeometryFields& f = checked.fields;
    f.dgcyls = number(g.cylinders);
    f.dgheads = number(g.heads);
    f.dgsects = number(g.sectors);
    const auto fill = [&](std::string& c, std::string& h, std::string& s, const Chs& stored,
                          bool placeholder, std::uint64_t lba) {
        if (placeholder) {
            const Address actual = addressOf(lba, g);
            c = number(actual.cylinder), h = number(actual.head), s = number(actual.sector);
        } else {
            c = number(stored.cylinder), h = number(stored.head), s = number(stored.sector);
        }
    };
    fill(f.cyls, f.heads, f.sects, entry.begin, checked.beginPlaceholder, entry.start);
    fill(f.ecyls, f.eheads, f.esects, entry.end, checked.endPlaceholder,
         entry.count > 0 ? lastSector(entry) : entry.start);
    f.lbastrt = number(entry.start);
    f.LBAend = number(entry.count);
    f.prtsct = number(entry.tableSector);
    f.drive = drive;
    f.prtno = number(entry.slot);
    f.filesys = typeCodeText(entry.type);
    f.Optact = entry.active();

    Workspace workspace;
    workspace.geometry = f;
    const Outcome outcome = checkEntryCodes(workspace, format, checked.failedChecks);
    checked.report = std::move(workspace.report);
    checked.checkCompleted = outcome.completed();
    checked.checkstate = workspace.checkstate;
    return checked;
}

// Collects the findings across the entries.
class Findings {
public:
    Findings(const TableReading& reading, const RawTable& raw) : reading_(reading), raw_(raw) {}

    std::vector<Finding> all() {
        overlaps();
        order();
        beyondImage();
        chsRange();
        active();
        gptProtective();
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
        for (const CheckedEntry& c : reading_.entries)
            if (c.entry.role != EntryRole::Link && c.entry.count > 0) list.push_back(&c.entry);
        return list;
    }

    void overlaps() {
        const auto list = partitions();
        for (std::size_t i = 0; i < list.size(); ++i) {
            for (std::size_t j = i + 1; j < list.size(); ++j) {
                const TableEntry& a = *list[i];
                const TableEntry& b = *list[j];
                // Logical partitions lie inside the extended partition.
                const auto holds = [](const TableEntry& x, const TableEntry& y) {
                    return x.role == EntryRole::Extended && y.role == EntryRole::Logical;
                };
                if (holds(a, b) || holds(b, a)) continue;
                const std::uint64_t from = std::max(a.start, b.start);
                const std::uint64_t to = std::min(a.endPlusOne(), b.endPlusOne());
                if (from >= to) continue;
                add(FindingKind::Overlap, {&a, &b},
                    capitalized(entryName(a)) + " and " + entryName(b) + " overlap: sectors " +
                        number(from) + " to " + number(to - 1) + " belong to both.");
            }
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

    void beyondImage() {
        for (const TableEntry* e : partitions()) {
            if (e->endPlusOne() <= reading_.imageSectors) continue;
            add(FindingKind::BeyondImage, {e},
                capitalized(entryName(*e)) + " ends at sector " + number(lastSector(*e)) +
                    ", beyond the end of the image (its last sector is " +
                    number(reading_.imageSectors - 1) + ").");
        }
    }

    void chsRange() {
        const DriveGeometry& g = reading_.geometry;
        for (const CheckedEntry& c : reading_.entries) {
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
        for (const CheckedEntry& c : reading_.entries)
            if (c.entry.tableSector == 0 && c.entry.active()) list.push_back(&c.entry);
        if (list.size() < 2) return;
        std::string names;
        for (const TableEntry* e : list) names += (names.empty() ? "" : ", ") + entryName(*e);
        add(FindingKind::Active, list,
            "More than one primary partition is active: " + names + ".");
    }

    void gptProtective() {
        for (const CheckedEntry& c : reading_.entries) {
            if (c.entry.type != 0xEE) continue;
            add(FindingKind::GptProtective, {&c.entry},
                capitalized(entryName(c.entry)) +
                    " is a GPT protective entry (type EE): the disk holds a GUID partition "
                    "table, and the error codes of this program apply to MBR tables only.");
        }
    }

    void chain() {
        if (!raw_.chainBreak) return;
        const ChainBreak& b = *raw_.chainBreak;
        const TableEntry* link = nullptr;
        for (const TableEntry& e : raw_.entries)
            if (e.tableSector == b.tableSector && e.slot == b.slot) link = &e;
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
                               number(reading_.imageSectors - 1) + "): the chain ends there.");
            case ChainProblem::TooLong:
                return add(FindingKind::ChainTooLong, {link},
                           "The chain of extended boot records holds more than " +
                               number(kMaxChainRecords) + " records: it was followed no further "
                               "than " + name + ".");
            case ChainProblem::NoSignature:
                return add(FindingKind::NoSignature, {link},
                           pointedAt + "does not end with the signature 55AA: the chain ends "
                                       "there.");
            case ChainProblem::ReadFailed:
                return add(FindingKind::ReadFailed, {link},
                           pointedAt + "cannot be read (" + b.reason + "): the chain ends there.");
        }
    }

    const TableReading& reading_;
    const RawTable& raw_;
    std::vector<Finding> found_;
};

}  // namespace

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
    g.cylinders = request.cylinders ? *request.cylinders
                                    : raw.imageSectors / (std::uint64_t{g.heads} * g.sectors);

    for (const TableEntry& entry : raw.entries)
        reading.entries.push_back(checkedEntry(entry, g, request.drive, format));
    reading.findings = Findings(reading, raw).all();
    return reading;
}

}  // namespace quorvane::core
