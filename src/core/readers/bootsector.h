// A volume's boot sector read from a saved disk image: the file system it
// names, its parameter block as named fields, its plausibility, its backup
// and how the two compare, and the values that the repair pages take from
// it. Only the sectors that answer these questions are read: the boot
// sector, its backup (two candidates on NTFS), the FAT32 FSInfo sector and,
// on FAT12/FAT16, the root directory. Values in the parameter block are
// described, never followed beyond the volume or the image.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/diskimage.h"
#include "core/readers/partinfo.h"
#include "core/readers/partitiontable.h"

namespace quorvane::core {

enum class FileSystem { None, Fat12, Fat16, Fat32, Ntfs, ExFat };

// "FAT12", "FAT16", "FAT32", "NTFS", "exFAT"; "none" for None.
std::string_view fileSystemName(FileSystem fs);

// Where a volume lies: its first sector, its number of sectors (0 when no
// partition entry gives one: the volume then runs to the end of the image)
// and, for a logical partition, the sector of the extended boot record
// that holds its entry (its hidden sectors usually count from there).
struct VolumePlace {
    std::uint64_t start = 0;
    std::uint64_t count = 0;
    std::optional<std::uint64_t> tableSector;
};

// Where the volume of a table's partition lies: its start and count, and
// for a logical partition the extended boot record that holds its entry.
VolumePlace volumePlaceOf(const TableEntry& entry);

// One copy of a boot sector: the primary or a backup.
struct BootSectorCopy {
    std::uint64_t sector = 0;  // absolute, in 512-byte sectors of the image
    bool readable = false;     // inside the image and read without error
    FileSystem fileSystem = FileSystem::None;
    // For None, what the sector holds instead: "an empty sector (all
    // zero)", "an ext2, ext3 or ext4 superblock", "the boot sector of a
    // BitLocker-encrypted volume", "no boot sector". Empty otherwise.
    std::string found;
    // The parameter block in the order of the sector, named as a partinfo
    // boot record names them ("Bytes per Sector", "Big Total Sectors", ...).
    std::vector<BootRecordField> fields;
    // What does not add up, each a short sentence without a final stop.
    std::vector<std::string> problems;
    SectorBytes bytes{};  // the sector as read; zeros when it was not read

    // Readable, a recognised file system, and no problem found.
    bool sound() const {
        return readable && fileSystem != FileSystem::None && problems.empty();
    }
};

// A backup and how it compares with the primary.
struct BackupCopy {
    BootSectorCopy copy;
    bool identical = false;  // byte for byte
    // The names of the fields whose values differ, in field order; "Boot
    // Code" when only bytes outside the parameter block differ.
    std::vector<std::string> differences;
};

// The values the page that restores a boot sector from its backup needs:
// FAT32 takes the start sector, NTFS the start sector and the count.
struct RestorePage {
    FileSystem fileSystem = FileSystem::Fat32;
    std::uint64_t start = 0;
    std::uint64_t count = 0;
};

// A boot record that reaches beyond its partition: the values, as stored,
// the page for that condition takes.
struct Bogus113Page {
    std::uint64_t sectorsPerCluster = 0;
    std::uint64_t rootEntries = 0;    // 0 on FAT32 and NTFS
    std::uint64_t sectorsPerFat = 0;  // Big Sectors per FAT on FAT32
    std::uint64_t totalSectors = 0;   // Big Total Sectors, or Total Sectors
    std::uint64_t entrySectors = 0;   // the partition entry's count
};

// A FAT12/FAT16 root directory that holds a directory DYN_ROOT: the
// parameter block's values and the directory's start cluster (the page
// shows them in hexadecimal).
struct DynRootPage {
    std::uint64_t sectorsPerCluster = 0;
    std::uint64_t rootEntries = 0;
    std::uint64_t sectorsPerFat = 0;
    std::uint64_t reservedSectors = 0;
    std::uint64_t fats = 0;
    std::uint64_t startCluster = 0;
};

// Everything read about one volume.
struct VolumeReport {
    VolumePlace place;
    // The sectors that belong to the volume: the given count, or the rest
    // of the image when none was given.
    std::uint64_t count = 0;
    // Reading that failed or could not start: "sector 2048 cannot be read:
    // REASON", "sector 4000 lies beyond the end of the image (3000 sectors)".
    std::vector<std::string> readErrors;

    BootSectorCopy primary;
    std::vector<BackupCopy> backups;  // none, one, or two on NTFS
    // Why no backup was looked for, when none was: "FAT12 and FAT16 keep
    // no backup of the boot sector", "the boot sector names no backup".
    std::string noBackupReason;
    // The file system of the primary, or of a sound backup when the primary
    // is not recognised.
    FileSystem fileSystem = FileSystem::None;

    // FAT32: the FSInfo sector's absolute number and whether its three
    // signatures are in place.
    std::optional<std::uint64_t> fsInfoSector;
    bool fsInfoValid = false;

    // The boot record's hidden sectors and whether they equal the entry's
    // start (or its start counted from its extended boot record); no
    // verdict without a partition entry.
    std::optional<std::uint64_t> hiddenSectors;
    std::optional<bool> hiddenSectorsMatch;
    // The sectors the boot record claims (NTFS: Total NTFS Sectors + 1, the
    // backup included), in 512-byte sectors.
    std::optional<std::uint64_t> claimedSectors;

    // Whether the root directory was searched for DYN_ROOT (FAT12/FAT16 with
    // a root directory inside the volume).
    bool dynRootSearched = false;

    // The pages that apply.
    std::optional<RestorePage> restore;   // primary damaged, backup sound
    std::optional<Bogus113Page> bogus113; // claims more than the entry holds
    std::optional<DynRootPage> dynRoot;   // DYN_ROOT found

    // Something is damaged on a recognised volume: the primary is unsound,
    // no backup looked for is sound and identical, the hidden sectors do
    // not match, or the boot record claims more than its entry holds.
    bool damaged() const;
    // The copy whose parameter block stands for the volume: the primary, or
    // the backup that holds the file system where the primary does not.
    const BootSectorCopy& recognisedCopy() const;
};

// Reads the volume at `place` of `image`. A place that lies beyond the
// image gives a report with the reason in readErrors and nothing read.
VolumeReport readVolume(DiskImage& image, const VolumePlace& place);

// Decodes one sector as a boot sector: its file system, fields and the
// problems found in it alone, with `partitionSectors` (when not 0) the
// partition that its totals must fit in. `readable` is set; `sector` is
// left to the caller.
BootSectorCopy decodeBootSector(const SectorBytes& bytes, std::uint64_t partitionSectors);

}  // namespace quorvane::core
