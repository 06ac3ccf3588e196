// The partition table reader on any image: the entries it gives agree with
// the bytes of their tables, the checks and the findings across entries
// stay proportional to the entries, and quorvane-cli's table writes valid
// JSON and bounded text about them.
//
// Input: a byte of options (bit 0 the decimal comma, bit 1 a given
// geometry, bit 2 the text rather than the JSON), the heads and the sectors per track of that geometry, a byte
// left for later, then the image as SparseImage reads it.
#include <algorithm>
#include <cstdint>
#include <string>

#include "core/app/listingchoices.h"
#include "core/readers/partitiontable.h"
#include "core/workbench/diskmap.h"
#include "core/workbench/diskmapsvg.h"
#include "core/workbench/tablecheck.h"
#include "fuzz/fuzz.h"

namespace quorvane::fuzz {

namespace {

using core::EntryRole;
using core::TableEntry;

constexpr std::size_t kMostEntries = 4 * (1 + core::kMaxChainRecords);

core::Chs chsAt(const core::SectorBytes& s, std::size_t at) {
    return {static_cast<unsigned>((s[at + 1] & 0xC0) << 2 | s[at + 2]), s[at],
            static_cast<unsigned>(s[at + 1] & 0x3F)};
}

// Each entry is what the 16 bytes of its slot hold, placed where its table
// says, numbered in the order of the chain.
void checkEntriesAgainstBytes(const core::RawTable& raw, const SparseImage& image) {
    QUORVANE_PROMISE(raw.entries.size() <= kMostEntries, std::to_string(raw.entries.size()));
    std::optional<std::uint64_t> extendedStart;
    unsigned nextLogical = 5;
    for (const TableEntry& e : raw.entries) {
        const std::string place =
            "table sector " + std::to_string(e.tableSector) + ", slot " + std::to_string(e.slot);
        QUORVANE_PROMISE(e.slot >= 1 && e.slot <= 4, place);
        const core::SectorBytes table = image.sectorAt(e.tableSector);
        const std::size_t at = 446 + 16 * (e.slot - 1);
        QUORVANE_PROMISE(e.boot == table[at], place);
        QUORVANE_PROMISE(e.begin == chsAt(table, at + 1), place);
        QUORVANE_PROMISE(e.type == table[at + 4], place);
        QUORVANE_PROMISE(e.end == chsAt(table, at + 5), place);
        QUORVANE_PROMISE(e.storedStart == core::littleEndian(table, at + 8, 4), place);
        QUORVANE_PROMISE(e.count == core::littleEndian(table, at + 12, 4), place);
        switch (e.role) {
            case EntryRole::Primary:
            case EntryRole::Extended:
                QUORVANE_PROMISE(e.tableSector == 0 && e.number == e.slot, place);
                QUORVANE_PROMISE(e.start == e.storedStart, place);
                QUORVANE_PROMISE((e.role == EntryRole::Extended) == core::isExtendedType(e.type) ||
                                     extendedStart.has_value(),
                                 place);
                if (e.role == EntryRole::Extended && !extendedStart) extendedStart = e.start;
                break;
            case EntryRole::Logical:
                QUORVANE_PROMISE(e.tableSector != 0 && e.number == nextLogical++, place);
                QUORVANE_PROMISE(e.start == e.tableSector + e.storedStart, place);
                break;
            case EntryRole::Link:
                QUORVANE_PROMISE(e.tableSector != 0 && !e.number && extendedStart, place);
                QUORVANE_PROMISE(e.start == *extendedStart + e.storedStart, place);
                break;
        }
    }
}

// The checked entries are the raw ones, with the page's fields taken from
// them; the findings name entries of the table and stay few.
void checkReading(const core::TableReading& reading, const core::RawTable& raw) {
    QUORVANE_PROMISE(reading.entries.size() == raw.entries.size(), {});
    for (std::size_t i = 0; i < raw.entries.size(); ++i) {
        const core::CheckedEntry& c = reading.entries[i];
        const TableEntry& e = raw.entries[i];
        QUORVANE_PROMISE(c.entry == e, std::to_string(i));
        QUORVANE_PROMISE(c.fields.lbastrt == std::to_string(e.start) &&
                             c.fields.LBAend == std::to_string(e.count) &&
                             c.fields.prtsct == std::to_string(e.tableSector) &&
                             c.fields.prtno == std::to_string(e.slot) &&
                             c.fields.filesys == core::typeCodeText(e.type) &&
                             c.fields.Optact == e.active(),
                         std::to_string(i));
        QUORVANE_PROMISE(c.report.size() <= 4096, c.report);
    }
    // Every kind of finding names an entry at most once per entry, or the
    // table or chain as a whole.
    QUORVANE_PROMISE(reading.findings.size() <= 16 * (reading.entries.size() + 1),
                     std::to_string(reading.findings.size()));
    for (const core::Finding& f : reading.findings) {
        QUORVANE_PROMISE(!f.text.empty() && f.text.size() <= 1024, f.text);
        QUORVANE_PROMISE(f.entries.size() <= core::kMostOverlapsNamed + 2, f.text);
        for (const core::EntryPlace& p : f.entries)
            QUORVANE_PROMISE(std::any_of(raw.entries.begin(), raw.entries.end(),
                                         [&](const TableEntry& e) {
                                             return e.tableSector == p.tableSector &&
                                                    e.slot == p.slot;
                                         }),
                             f.text);
    }
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
    if (input.size() < 4) return;
    const std::uint8_t options = input[0];
    const core::NumberFormat format = pickFormat(options);
    core::TableRequest request;
    std::vector<std::string> args = {"table", "fuzz.img"};
    if (options & 2) {
        request.heads = 1 + input[1] % core::kMaxHeads;
        request.sectors = 1 + input[2] % core::kMaxSectorsPerTrack;
        args.insert(args.end(), {"--heads", std::to_string(*request.heads), "--sectors",
                                 std::to_string(*request.sectors)});
    }
    SparseImage image(input.subspan(4));

    const core::RawTable raw = core::readRawTable(image);
    // The master boot record and one sector per extended boot record.
    QUORVANE_PROMISE(image.reads() <= 2 + core::kMaxChainRecords, std::to_string(image.reads()));
    if (raw.error.empty()) checkEntriesAgainstBytes(raw, image);

    const core::TableReading reading = core::readPartitionTable(image, request, format);
    QUORVANE_PROMISE(reading.error == raw.error, reading.error);
    if (reading.error.empty()) {
        checkReading(reading, raw);
        for (const core::CheckedEntry& c : reading.entries)
            if (!c.entry.extended())
                checkPageChoices(core::pageChoices(c, &reading.geometry, nullptr), format);
        const std::string svg = core::diskMapSvg(core::layoutDiskMap(reading, format), "fuzz");
        QUORVANE_PROMISE(svg.size() <= 4096 * (reading.entries.size() + reading.findings.size() + 4),
                         std::to_string(svg.size()));
    }

    // quorvane-cli's JSON, or (option bit 2) its text: output in proportion
    // to the entries and findings, each volume's summary included.
    const std::size_t bound =
        16384 + 8192 * reading.entries.size() + 2048 * reading.findings.size();
    const bool json = (options & 4) == 0;
    if (json) args.push_back("--json");
    std::string out, err;
    const int status = runCli(args, format, {}, &image, out, err);
    if (!reading.error.empty()) {
        QUORVANE_PROMISE(status == 1 && out.empty() && !err.empty(), err);
        return;
    }
    QUORVANE_PROMISE(status == (reading.clean() ? 0 : 3) && err.empty(), err);
    QUORVANE_PROMISE(out.size() <= bound, std::to_string(out.size()));
    if (json) checkJsonDocument(out);
}

}  // namespace quorvane::fuzz
