// A saved disk image read as an MBR partition table: the master boot record
// in sector 0 and the chain of extended boot records that the extended
// partition holds, decoded into entries. Reading turns bytes into entries
// and only that; what the entries mean is the business of
// workbench/tablecheck.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/diskimage.h"

namespace quorvane::core {

// A CHS address as an entry stores it: the cylinder of ten bits, the head
// of eight and the sector of six.
struct Chs {
    unsigned cylinder = 0;
    unsigned head = 0;
    unsigned sector = 0;

    friend bool operator==(const Chs&, const Chs&) = default;
};

// The most heads and sectors per track that a CHS address can hold.
inline constexpr unsigned kMaxHeads = 256;
inline constexpr unsigned kMaxSectorsPerTrack = 63;

// What an entry is in the table that holds it.
enum class EntryRole {
    Primary,    // a partition in the master boot record
    Extended,   // the extended partition in the master boot record
    Logical,    // a partition in an extended boot record
    Link,       // an extended boot record's pointer to the next one
};

// One non-empty entry of a partition table, as stored and placed.
struct TableEntry {
    std::uint64_t tableSector = 0;  // the sector of its table ("PartSect")
    unsigned slot = 0;              // 1 to 4 within that table
    // 1 to 4 for the master boot record's slots, 5, 6, ... for the logical
    // partitions in the order of the chain; none for a link.
    std::optional<unsigned> number;
    EntryRole role = EntryRole::Primary;
    std::uint8_t boot = 0;  // the boot flag byte; 80 is active
    std::uint8_t type = 0;
    Chs begin, end;                  // as stored
    std::uint32_t storedStart = 0;   // the relative sector as stored
    std::uint32_t count = 0;         // the number of sectors
    // The absolute start: the stored one counted from the master boot
    // record, a logical partition's own extended boot record, or (for a
    // link) the start of the extended partition. This is "Sect before".
    std::uint64_t start = 0;

    bool active() const { return boot == 0x80; }
    bool extended() const { return role == EntryRole::Extended || role == EntryRole::Link; }
    // The sector after the entry's last one.
    std::uint64_t endPlusOne() const { return start + count; }

    friend bool operator==(const TableEntry&, const TableEntry&) = default;
};

// Why the chain of extended boot records ended before its natural end.
enum class ChainProblem {
    Loop,         // the link points at a record already read
    OutsideFile,  // the link points beyond the end of the image
    TooLong,      // more records than any system gives a disk
    NoSignature,  // the linked sector lacks the signature 55AA
    NotATable,    // the linked sector is no table: a boot flag other than 00 or 80
    ReadFailed,   // the system could not read the linked sector
};

// The end of a chain that broke off, and the link entry that led there
// (for NoSignature, NotATable and ReadFailed: the entry that pointed at the
// sector).
struct ChainBreak {
    ChainProblem problem = ChainProblem::Loop;
    std::uint64_t tableSector = 0;  // the link entry's table
    unsigned slot = 0;
    std::uint64_t target = 0;       // the sector it points at
    // The system's reason for ReadFailed; for NotATable what the sector
    // holds instead ("it holds the boot sector of a FAT32 file system").
    std::string reason;

    friend bool operator==(const ChainBreak&, const ChainBreak&) = default;
};

// The most extended boot records followed in one chain: as many partitions
// as a system gives one disk.
inline constexpr unsigned kMaxChainRecords = 256;

// What reading an image gives: either why it holds no partition table that
// can be read, or its entries in table order (the master boot record's
// slots, then each extended boot record's slots in the order of the chain)
// and how the chain ended.
struct RawTable {
    std::string error;  // empty when the table was read
    std::uint64_t imageSectors = 0;  // whole sectors in the image
    std::vector<TableEntry> entries;
    std::optional<ChainBreak> chainBreak;
};

// Reads the master boot record of `image` and follows the first extended
// partition's chain, reading only the table sectors. The error texts are
// reasons, to follow "cannot read ... as a partition table: ".
RawTable readRawTable(DiskImage& image);

// The name of a virtual-disk format whose header `first` starts with
// ("qcow2", "VHDX", "VMDK"), or nothing for a raw image.
std::optional<std::string> virtualDiskFormat(const SectorBytes& first);

// What a volume's boot sector is, recognised by its jump instruction and
// its name fields, with its article: "a FAT32 file system", "an NTFS file
// system", "a BitLocker-encrypted volume"; nothing for any other sector. A
// FAT file system is named FAT12, FAT16 or FAT32 by its count of clusters
// when its parameter block is sound, else by its label.
std::optional<std::string> bootSectorKind(const SectorBytes& sector);

// Whether the sector at byte 1024 of a volume (its third sector) starts an
// ext2, ext3 or ext4 superblock.
bool isExtSuperblock(const SectorBytes& third);

// A byte as two upper-case hexadecimal digits: "0C", "3C".
std::string hexByteText(std::uint8_t value);

// The text of a type code, as "FS" holds it: its two hexadecimal digits.
std::string typeCodeText(std::uint8_t type);

// Whether `type` marks an extended partition (05, 0F, 85).
bool isExtendedType(std::uint8_t type);

// What a path names when it is no regular file.
enum class NotAFile { Directory, Device, Pipe, Other };

// The reasons for refusing a path before reading it, in the words of the
// reader's errors: one that names no regular file, one the system cannot
// open (with the system's reason).
std::string notAFileReason(NotAFile kind);
std::string cannotOpenReason(std::string_view systemReason);

// The whole message for an image that cannot be read: "Cannot read 'PATH'
// as a partition table: REASON."
std::string unreadableText(std::string_view path, std::string_view reason);

}  // namespace quorvane::core
