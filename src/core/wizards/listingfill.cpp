#include "core/wizards/listingfill.h"

#include <cstdio>
#include <string>

namespace quorvane::core {

namespace {

std::string number(std::uint64_t value) { return std::to_string(value); }

// Why the entry is not the kind of volume a page is for: its boot record
// names another file system, or (without a boot record) its type does.
std::string notA(const ListingEntry& entry, const BootRecord* record, std::string_view kind) {
    if (record)
        return "the volume at sector " + number(entry.start) + " holds " + record->type +
               ", not " + std::string(kind);
    return "the entry's type " + typeCodeText(entry.type) + " is not " + std::string(kind);
}

// A number as Patch shows it: upper-case hexadecimal digits, no prefix.
std::string hexText(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

PageFill<Fat32BbsFields> fat32BbsFromListing(const ListingDisk& disk, const ListingEntry& entry) {
    const BootRecord* record = bootRecordAt(disk, entry.start);
    const bool fat32 = record ? record->type == "FAT32" : entry.type == 0x0B || entry.type == 0x0C;
    if (!fat32) return {{}, notA(entry, record, "FAT32 (type 0B or 0C)")};
    return {Fat32BbsFields{number(entry.start)}, {}};
}

PageFill<NtfsBbsFields> ntfsBbsFromListing(const ListingDisk& disk, const ListingEntry& entry) {
    const BootRecord* record = bootRecordAt(disk, entry.start);
    const bool ntfs = record ? record->type == "NTFS" : entry.type == 0x07;
    if (!ntfs) return {{}, notA(entry, record, "NTFS (type 07)")};
    return {NtfsBbsFields{number(entry.start), number(entry.count)}, {}};
}

PageFill<DynRootFields> dynRootFromListing(const ListingDisk& disk, const ListingEntry& entry) {
    const BootRecord* record = bootRecordAt(disk, entry.start);
    if (!record)
        return {{}, "the listing holds no boot record of the volume at sector " +
                        number(entry.start)};
    if (!record->type.starts_with("FAT") || record->type == "FAT32")
        return {{}, notA(entry, record, "FAT12 or FAT16")};
    DynRootFields f;
    const struct {
        std::string DynRootFields::*member;
        std::string_view name;
    } values[] = {
        {&DynRootFields::sectcluster, "Sectors per Cluster"},
        {&DynRootFields::rsvdsects, "Reserved Sectors"},
        {&DynRootFields::numfats, "Number of FATs"},
        {&DynRootFields::direntries, "Root Dir Entries"},
        {&DynRootFields::sectfat, "Sectors per FAT"},
    };
    for (const auto& [member, name] : values) {
        const auto value = record->number(name);
        if (!value)
            return {{}, "the boot record of the volume at sector " + number(entry.start) +
                            " lacks its " + std::string(name)};
        f.*member = hexText(*value);
    }
    return {f, {}};
}

}  // namespace quorvane::core
