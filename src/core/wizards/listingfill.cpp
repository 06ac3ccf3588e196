#include "core/wizards/listingfill.h"

#include <string>
#include <type_traits>

#include "core/base/characters.h"

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

// The values as the page takes them, or why it turns them away: the
// page's own refusal, so that "Use for ..." never fills values that the
// page's button then refuses. DYN_ROOT is asked "Calculate root" and, with
// a start cluster, "Calculate"; the restore pages "Calculate".
template <typename Fields>
PageFill<Fields> acceptedByPage(const Fields& f, std::string_view source) {
    std::string report;
    Outcome outcome;
    if constexpr (std::is_same_v<Fields, DynRootFields>) {
        DynRootState state;
        outcome = calculateRoot(f, state, report, NumberFormat{});
        if (outcome.completed() && !f.dynrootstart.empty())
            outcome = calculateCopy(f, state, report, NumberFormat{});
    } else if constexpr (std::is_same_v<Fields, NtfsBbsFields>) {
        outcome = calculateNtfsBbs(f, report, NumberFormat{});
    } else {
        outcome = calculateFat32Bbs(f, report, NumberFormat{});
    }
    if (!outcome.messages.empty())
        return {{}, "the page refuses " + std::string(source) + ": " +
                        outcome.messages.front().prompt};
    if (!outcome.completed())
        return {{}, "the page cannot calculate with " + std::string(source)};
    return {f, {}};
}

}  // namespace

PageFill<Fat32BbsFields> fat32BbsFromListing(const ListingDisk& disk, const ListingEntry& entry) {
    const BootRecord* record = bootRecordAt(disk, entry.start);
    const bool fat32 = record ? record->type == "FAT32" : entry.type == 0x0B || entry.type == 0x0C;
    if (!fat32) return {{}, notA(entry, record, "FAT32 (type 0B or 0C)")};
    return acceptedByPage(Fat32BbsFields{number(entry.start)}, "the entry's values");
}

PageFill<NtfsBbsFields> ntfsBbsFromListing(const ListingDisk& disk, const ListingEntry& entry) {
    const BootRecord* record = bootRecordAt(disk, entry.start);
    const bool ntfs = record ? record->type == "NTFS" : entry.type == 0x07;
    if (!ntfs) return {{}, notA(entry, record, "NTFS (type 07)")};
    return acceptedByPage(NtfsBbsFields{number(entry.start), number(entry.count)},
                          "the entry's values");
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
        f.*member = upperHexText(*value);
    }
    return acceptedByPage(f, "the boot record's values");
}

namespace {

// Why a volume is not the kind a page is for.
std::string volumeNotA(const VolumeReport& v, std::string_view kind) {
    return "the volume at sector " + number(v.place.start) + " holds " +
           (v.fileSystem == FileSystem::None ? std::string("no file system this program knows")
                                             : std::string(fileSystemName(v.fileSystem))) +
           ", not " + std::string(kind);
}

// Why a restore page does not apply to a volume of its kind.
std::string nothingToRestore(const VolumeReport& v) {
    if (v.primary.sound())
        return "the boot sector at sector " + number(v.primary.sector) +
               " is sound: there is nothing to restore";
    return "no backup of the boot sector is sound: copying one would not repair it";
}

}  // namespace

PageFill<Fat32BbsFields> fat32BbsFromVolume(const VolumeReport& v) {
    if (v.fileSystem != FileSystem::Fat32) return {{}, volumeNotA(v, "FAT32")};
    if (!v.restore) return {{}, nothingToRestore(v)};
    return acceptedByPage(Fat32BbsFields{number(v.restore->start)}, "the volume's values");
}

PageFill<NtfsBbsFields> ntfsBbsFromVolume(const VolumeReport& v) {
    if (v.fileSystem != FileSystem::Ntfs) return {{}, volumeNotA(v, "NTFS")};
    if (!v.restore) return {{}, nothingToRestore(v)};
    return acceptedByPage(NtfsBbsFields{number(v.restore->start), number(v.restore->count)},
                          "the volume's values");
}

PageFill<DynRootFields> dynRootFromVolume(const VolumeReport& v) {
    if (v.fileSystem != FileSystem::Fat12 && v.fileSystem != FileSystem::Fat16)
        return {{}, volumeNotA(v, "FAT12 or FAT16")};
    if (!v.dynRootSearched)
        return {{}, "the root directory lies outside the volume or the image and was not searched"};
    if (!v.dynRoot)
        return {{}, "the root directory holds no DYN_ROOT directory: the wizard does not apply"};
    const DynRootPage& d = *v.dynRoot;
    DynRootFields f;
    f.sectcluster = upperHexText(d.sectorsPerCluster);
    f.rsvdsects = upperHexText(d.reservedSectors);
    f.numfats = upperHexText(d.fats);
    f.direntries = upperHexText(d.rootEntries);
    f.sectfat = upperHexText(d.sectorsPerFat);
    f.dynrootstart = upperHexText(d.startCluster);
    return acceptedByPage(f, "the volume's values");
}

}  // namespace quorvane::core
