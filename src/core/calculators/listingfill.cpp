#include "core/calculators/listingfill.h"

#include <string>

namespace quorvane::core {

namespace {

std::string number(std::uint64_t value) { return std::to_string(value); }

constexpr std::string_view kNoGeometry =
    "the listing gives no geometry for this disk (Cylinders, Heads, Sectors/Track)";

// Why the pages of Error 110 and Error 108 cannot take the disk's
// geometry, or nothing: none was printed, or it has heads or sectors per
// track that no CHS address holds (the pages would divide by 0).
std::optional<std::string> unusableGeometry(const std::optional<ListingGeometry>& geometry) {
    if (!geometry) return std::string(kNoGeometry);
    if (!geometry->addressable())
        return "the listing's geometry (" + number(geometry->heads) + " heads, " +
               number(geometry->sectors) + " sectors per track) is none a CHS address can hold";
    return std::nullopt;
}

// FAT12 and FAT16 boot records are headed "FAT", FAT32 ones "FAT32".
bool isFatRecord(const BootRecord& record) { return record.type.starts_with("FAT"); }

}  // namespace

PageFill<Error110Fields> error110FromListing(const ListingEntry& entry,
                                             const std::optional<ListingGeometry>& geometry) {
    const ListingMessage* message = nullptr;
    for (const ListingMessage& m : entry.messages)
        if (m.code == 110u) message = &m;
    const ListingValue* sectors = message ? message->value("ucSectors") : nullptr;
    const ListingValue* span = message ? message->value("end - begin") : nullptr;
    if (!sectors || !span)
        return {{}, "the listing gives no #110 message for this entry (ucSectors, end - begin)"};
    if (const auto why = unusableGeometry(geometry)) return {{}, *why};
    const Chs begin = entry.actualBegin.value_or(entry.begin);
    const Chs end = entry.actualEnd.value_or(entry.end);
    if (end.cylinder < begin.cylinder)
        return {{}, "the entry's end cylinder lies before its begin cylinder"};
    Error110Fields f;
    f.cyls110 = number(end.cylinder - begin.cylinder + 1);
    f.heads110 = number(geometry->heads);
    f.sects110 = number(geometry->sectors);
    f.ucsectors = sectors->value;
    f.endbegin = span->value;
    return {f, {}};
}

PageFill<Error108Fields> error108FromSpan(std::uint64_t start, std::uint64_t count,
                                          const std::optional<ListingGeometry>& geometry) {
    if (const auto why = unusableGeometry(geometry)) return {{}, *why};
    Error108Fields f;
    f.cyls108 = number(geometry->cylinders);
    f.hds108 = number(geometry->heads);
    f.scts108 = number(geometry->sectors);
    f.ss108 = number(start);
    f.nums108 = number(count);
    return {f, {}};
}

PageFill<Error108Fields> error108FromListing(const ListingEntry& entry,
                                             const std::optional<ListingGeometry>& geometry) {
    return error108FromSpan(entry.start, entry.count, geometry);
}

PageFill<Bogus113Fields> bogus113FromBootRecord(const BootRecord* record, std::uint64_t start,
                                                std::uint64_t count, std::string_view holder) {
    if (!record || !isFatRecord(*record))
        return {{}, std::string(holder) + " holds no FAT or FAT32 boot record of the volume at sector " +
                        number(start)};
    const bool fat32 = record->type == "FAT32";
    Bogus113Fields f;
    const auto take = [&](std::string& into, std::string_view name) {
        if (const auto value = record->number(name)) into = number(*value);
        return !into.empty();
    };
    std::string missing;
    const auto need = [&](bool found, std::string_view name) {
        if (!found && missing.empty())
            missing = "the boot record of the volume at sector " + number(start) + " lacks its " +
                      std::string(name);
    };
    need(take(f.sectclus, "Sectors per Cluster"), "Sectors per Cluster");
    // FAT32 keeps no root directory entries: the field reads "Reserved: 0x0000".
    if (fat32 && !record->field("Root Dir Entries")) f.root = "0";
    need(fat32 ? !f.root.empty() : take(f.root, "Root Dir Entries"), "Root Dir Entries");
    const std::string_view perFat = fat32 ? "Big Sectors per FAT" : "Sectors per FAT";
    need(take(f.sectsfat, perFat), perFat);
    // The 16-bit total where the big one is 0, as a small volume keeps it.
    const auto big = record->number("Big Total Sectors");
    const auto small = record->number("Total Sectors");
    if (big && *big != 0) f.bigtotal = number(*big);
    else if (small && *small != 0) f.bigtotal = number(*small);
    need(!f.bigtotal.empty(), "Big Total Sectors");
    if (!missing.empty()) return {{}, missing};
    // The overlap is counted in clusters: the page can do nothing with none.
    if (f.sectclus == "0")
        return {{}, "the boot record of the volume at sector " + number(start) +
                        " gives 0 sectors per cluster"};
    f.numbersect = number(count);
    return {f, {}};
}

PageFill<Bogus113Fields> bogus113FromListing(const ListingDisk& disk, const ListingEntry& entry) {
    return bogus113FromBootRecord(bootRecordAt(disk, entry.start), entry.start, entry.count,
                                  "the listing");
}

}  // namespace quorvane::core
