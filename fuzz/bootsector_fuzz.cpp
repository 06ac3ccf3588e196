// The boot sector reader on any image: each partition's volume, or the
// whole image read as one volume, is read from a bounded number of sectors;
// the primary copy is the sector at the volume's start; the verdict is a
// few bounded lines; every page it fills is accepted by that page; and
// quorvane-cli's bootsector writes valid JSON and bounded text.
//
// Input: a byte of options (bit 0 the decimal comma, bit 1 read the volume
// at the sector the next three bytes give, little-endian, as --start does,
// bit 2 the text rather than the JSON),
// those three bytes, then the image as SparseImage reads it.
#include <string>

#include "core/app/listingchoices.h"
#include "core/readers/bootsector.h"
#include "core/workbench/tablecheck.h"
#include "core/workbench/volumetexts.h"
#include "fuzz/fuzz.h"

namespace quorvane::fuzz {

namespace {

// The boot sector, two backups, the FSInfo sector and at most the 4096
// sectors of the largest FAT12/FAT16 root directory (65535 entries).
constexpr std::uint64_t kMostReads = 4 + 4096;

void checkVolume(SparseImage& image, const core::VolumePlace& place,
                 const core::CheckedEntry& entry, const core::DriveGeometry* geometry,
                 const core::NumberFormat& format) {
    image.resetReads();
    const core::VolumeReport volume = core::readVolume(image, place);
    const std::string where = "volume at " + std::to_string(place.start);
    QUORVANE_PROMISE(image.reads() <= kMostReads, where + ": " + std::to_string(image.reads()));
    QUORVANE_PROMISE(volume.place.start == place.start && volume.primary.sector == place.start,
                     where);
    if (volume.primary.readable)
        QUORVANE_PROMISE(volume.primary.bytes == image.sectorAt(place.start), where);
    QUORVANE_PROMISE(volume.backups.size() <= 2, where);
    QUORVANE_PROMISE(volume.readErrors.size() <= 8, where);
    const std::vector<std::string> verdict = core::volumeVerdict(volume);
    QUORVANE_PROMISE(!verdict.empty() && verdict.size() <= 32, where);
    for (const std::string& line : verdict) QUORVANE_PROMISE(line.size() <= 2048, line);
    QUORVANE_PROMISE(core::volumeSummary(volume).size() <= 2048, where);
    // What the report offers, it offers from a recognised file system.
    if (volume.restore || volume.dynRoot || volume.bogus113)
        QUORVANE_PROMISE(volume.fileSystem != core::FileSystem::None, where);
    checkPageChoices(core::pageChoices(entry, geometry, &volume), format);
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
    if (input.size() < 4) return;
    const std::uint8_t options = input[0];
    const core::NumberFormat format = pickFormat(options);
    const std::uint64_t start = littleEndianAt(input, 1, 3);
    SparseImage image(input.subspan(4));

    const core::TableReading table = core::readPartitionTable(image, {}, format);
    if (table.error.empty()) {
        for (const core::CheckedEntry& c : table.entries)
            if (!c.entry.extended())
                checkVolume(image, core::volumePlaceOf(c.entry), c, &table.geometry, format);
    } else {
        // An image of one volume: from sector 0 to the image's end.
        core::CheckedEntry whole;
        whole.entry.count = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(image.size() / core::kSectorBytes, 0xFFFFFFFF));
        checkVolume(image, core::VolumePlace{}, whole, nullptr, format);
    }

    std::vector<std::string> args = {"bootsector", "fuzz.img"};
    if (options & 2) args.insert(args.end(), {"--start", std::to_string(start)});
    const bool json = (options & 4) == 0;
    if (json) args.push_back("--json");
    std::string out, err;
    const int status = runCli(args, format, {}, &image, out, err);
    QUORVANE_PROMISE(status == 0 || status == 1 || status == 3, err);
    if (status == 1) {
        QUORVANE_PROMISE(out.empty() && !err.empty(), err);
        return;
    }
    QUORVANE_PROMISE(out.size() <= 16384 + 16384 * table.entries.size(),
                     std::to_string(out.size()));
    if (json) checkJsonDocument(out);
}

}  // namespace quorvane::fuzz
