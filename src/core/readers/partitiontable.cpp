#include "core/readers/partitiontable.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <utility>

#include "core/base/characters.h"

namespace quorvane::core {

namespace {

constexpr std::size_t kTableOffset = 446;  // the first of the four entries
constexpr std::size_t kEntryBytes = 16;
constexpr unsigned kSlots = 4;

std::span<const std::uint8_t> entryBytes(const SectorBytes& sector, unsigned slot) {
    return std::span(sector).subspan(kTableOffset + (slot - 1) * kEntryBytes, kEntryBytes);
}

// The head byte, then the sector in the low six bits of the next byte with
// the cylinder's two high bits above it, then the cylinder's low eight bits.
Chs packedChs(std::span<const std::uint8_t> b) {
    return {static_cast<unsigned>(((b[1] & 0xC0u) << 2) | b[2]), b[0],
            static_cast<unsigned>(b[1] & 0x3Fu)};
}

// The entry in `slot` of the table in `tableSector`, placed but not yet
// given its role, number or absolute start.
TableEntry decodedEntry(const SectorBytes& sector, std::uint64_t tableSector, unsigned slot) {
    const auto b = entryBytes(sector, slot);
    TableEntry entry;
    entry.tableSector = tableSector;
    entry.slot = slot;
    entry.boot = b[0];
    entry.begin = packedChs(b.subspan(1, 3));
    entry.type = b[4];
    entry.end = packedChs(b.subspan(5, 3));
    const std::size_t at = kTableOffset + (slot - 1) * kEntryBytes;
    entry.storedStart = static_cast<std::uint32_t>(littleEndian(sector, at + 8, 4));
    entry.count = static_cast<std::uint32_t>(littleEndian(sector, at + 12, 4));
    return entry;
}

bool startsWith(const SectorBytes& sector, std::string_view magic) {
    return bytesAre(sector, 0, magic);
}

// FAT12, FAT16 or FAT32 by the count of clusters that the BIOS parameter
// block gives, or nothing when the block cannot describe a FAT volume.
std::optional<std::string> fatTypeByClusters(const SectorBytes& s) {
    const std::uint32_t bytesPerSector = littleEndian(s, 11, 2);
    const std::uint32_t sectorsPerCluster = s[13];
    const std::uint32_t reserved = littleEndian(s, 14, 2);
    const std::uint32_t fats = s[16];
    const std::uint32_t rootEntries = littleEndian(s, 17, 2);
    const std::uint8_t media = s[21];
    const std::uint64_t total = littleEndian(s, 19, 2) != 0 ? littleEndian(s, 19, 2)
                                                           : littleEndian(s, 32, 4);
    const std::uint64_t fatSectors = littleEndian(s, 22, 2) != 0
                                         ? littleEndian(s, 22, 2)
                                         : littleEndian(s, 36, 4);
    if (bytesPerSector < 512 || bytesPerSector > 4096 || !powerOfTwo(bytesPerSector) ||
        !powerOfTwo(sectorsPerCluster) || reserved == 0 || fats == 0 || fatSectors == 0 ||
        (media != 0xF0 && media < 0xF8))
        return std::nullopt;
    const std::uint64_t rootSectors =
        (std::uint64_t{rootEntries} * 32 + bytesPerSector - 1) / bytesPerSector;
    const std::uint64_t overhead = reserved + fats * fatSectors + rootSectors;
    if (total <= overhead) return std::nullopt;
    const std::uint64_t clusters = (total - overhead) / sectorsPerCluster;
    if (clusters < 4085) return "FAT12";
    if (clusters < 65525) return "FAT16";
    return "FAT32";
}

// The first slot whose boot flag is neither 00 nor 80, or 0 when there is
// none: operating systems take such a sector for no partition table.
unsigned badBootFlagSlot(const SectorBytes& sector) {
    for (unsigned slot = 1; slot <= kSlots; ++slot) {
        const std::uint8_t flag = entryBytes(sector, slot)[0];
        if (flag != 0x00 && flag != 0x80) return slot;
    }
    return 0;
}

std::string badBootFlagText(const SectorBytes& sector, unsigned slot) {
    return "the entry in slot " + std::to_string(slot) + " has the boot flag " +
           hexByteText(entryBytes(sector, slot)[0]) + ", where a partition table has 00 or 80";
}

// Why an image of one volume is refused: it is `kind`, not a disk.
std::string volumeImageReason(std::string_view kind) {
    return "it is " + std::string(kind) +
           ", not a whole disk: it holds no partition table. It looks like an image of one "
           "partition; save the whole disk instead (dd if=/dev/sdX of=disk.img)";
}

std::string bytesText(std::uint64_t bytes) {
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

// Follows the chain of extended boot records of the extended partition that
// starts at `extendedStart` and was named by the master boot record's entry
// in `slot`; appends their entries to `table`.
void followChain(DiskImage& image, std::uint64_t extendedStart, unsigned slot, RawTable& table) {
    // The master boot record counts as read: a link back to it is a loop.
    std::vector<std::uint64_t> read = {0};
    std::uint64_t record = extendedStart;
    std::uint64_t linkSector = 0;  // where the link to `record` stands
    unsigned linkSlot = slot;
    unsigned logical = 5;
    const auto brokenOff = [&](ChainProblem problem, std::string reason = {}) {
        table.chainBreak = ChainBreak{problem, linkSector, linkSlot, record, std::move(reason)};
    };
    for (;;) {
        if (std::find(read.begin(), read.end(), record) != read.end())
            return brokenOff(ChainProblem::Loop);
        if (record >= table.imageSectors) return brokenOff(ChainProblem::OutsideFile);
        if (read.size() > kMaxChainRecords) return brokenOff(ChainProblem::TooLong);
        SectorBytes sector{};
        if (auto failure = image.readSector(record, sector))
            return brokenOff(ChainProblem::ReadFailed, std::move(*failure));
        if (!hasBootSignature(sector)) return brokenOff(ChainProblem::NoSignature);
        if (const unsigned bad = badBootFlagSlot(sector)) {
            const auto kind = bootSectorKind(sector);
            return brokenOff(ChainProblem::NotATable,
                             kind ? "it holds the boot sector of " + *kind
                                  : badBootFlagText(sector, bad));
        }
        read.push_back(record);

        std::optional<std::uint64_t> next;
        unsigned nextSlot = 0;
        for (unsigned s = 1; s <= kSlots; ++s) {
            if (allZero(entryBytes(sector, s))) continue;
            TableEntry entry = decodedEntry(sector, record, s);
            if (isExtendedType(entry.type)) {
                // A link counts from the start of the extended partition;
                // the first one is the chain's next record.
                entry.role = EntryRole::Link;
                entry.start = extendedStart + entry.storedStart;
                if (!next) next = entry.start, nextSlot = s;
            } else {
                // A logical partition counts from its own record.
                entry.role = EntryRole::Logical;
                entry.number = logical++;
                entry.start = record + entry.storedStart;
            }
            table.entries.push_back(entry);
        }
        if (!next) return;
        linkSector = record;
        linkSlot = nextSlot;
        record = *next;
    }
}

}  // namespace

std::optional<std::string> bootSectorKind(const SectorBytes& sector) {
    const bool jump = (sector[0] == 0xEB && sector[2] == 0x90) || sector[0] == 0xE9;
    if (!jump) return std::nullopt;
    if (bytesAre(sector, 3, "NTFS    ")) return "an NTFS file system";
    if (bytesAre(sector, 3, "EXFAT   ")) return "an exFAT file system";
    if (bytesAre(sector, 3, "-FVE-FS-")) return "a BitLocker-encrypted volume";
    if (bytesAre(sector, 54, "HPFS    ")) return "an HPFS file system";
    if (const auto type = fatTypeByClusters(sector)) return "a " + *type + " file system";
    // A parameter block that does not add up, under a FAT label.
    for (const auto& [at, label] : {std::pair<std::size_t, std::string_view>{82, "FAT32   "},
                                    {54, "FAT12   "},
                                    {54, "FAT16   "},
                                    {54, "FAT     "}}) {
        if (bytesAre(sector, at, label)) {
            std::string name(label);
            name.erase(name.find(' '));
            return "a " + name + " file system";
        }
    }
    return std::nullopt;
}

bool isExtSuperblock(const SectorBytes& third) { return third[56] == 0x53 && third[57] == 0xEF; }

std::string hexByteText(std::uint8_t value) { return upperHexText(value, 2); }

std::string typeCodeText(std::uint8_t type) { return hexByteText(type); }

bool isExtendedType(std::uint8_t type) { return type == 0x05 || type == 0x0F || type == 0x85; }

std::optional<std::string> virtualDiskFormat(const SectorBytes& first) {
    if (startsWith(first, "QFI\xfb")) return "qcow2";
    if (startsWith(first, "vhdxfile")) return "VHDX";
    // A sparse extent, an older sparse extent, or the text descriptor.
    if (startsWith(first, "KDMV") || startsWith(first, "COWD") ||
        startsWith(first, "# Disk DescriptorFile"))
        return "VMDK";
    return std::nullopt;
}

RawTable readRawTable(DiskImage& image) {
    RawTable table;
    const std::uint64_t size = image.size();
    table.imageSectors = size / kSectorBytes;
    if (size == 0) {
        table.error = "the file is empty";
        return table;
    }
    SectorBytes first{};
    if (auto failure = image.readSector(0, first)) {
        table.error = "the system cannot read its first sector: " + *failure;
        return table;
    }
    if (const auto format = virtualDiskFormat(first)) {
        table.error = "it is a " + *format +
                      " virtual disk, not a raw disk image; qemu-img convert -O raw makes a raw "
                      "image of it";
        return table;
    }
    if (size < kSectorBytes) {
        table.error = "the file holds " + bytesText(size) + ", less than one sector (512 bytes)";
        return table;
    }
    // A volume's boot sector ends with 55AA too; where its bytes cannot be
    // a table, say what it is.
    const unsigned badSlot = badBootFlagSlot(first);
    const bool empty = allZero(std::span(first).subspan(kTableOffset, kSlots * kEntryBytes));
    if (const auto kind = bootSectorKind(first);
        kind && (!hasBootSignature(first) || badSlot != 0 || empty)) {
        table.error = volumeImageReason(*kind);
        return table;
    }
    if (!hasBootSignature(first)) {
        // An ext2/3/4 volume leaves its first sectors empty.
        SectorBytes third{};
        if (table.imageSectors > 2 && !image.readSector(2, third) && isExtSuperblock(third)) {
            table.error = volumeImageReason("an ext2, ext3 or ext4 file system");
            return table;
        }
        table.error = "its first sector does not end with the signature 55AA of a partition table";
        return table;
    }
    if (badSlot != 0) {
        table.error = "its first sector holds no partition table: " + badBootFlagText(first, badSlot);
        return table;
    }
    if (empty) {
        table.error = "the partition table in its first sector is empty (all four entries are zero)";
        return table;
    }

    std::optional<TableEntry> firstExtended;
    for (unsigned slot = 1; slot <= kSlots; ++slot) {
        if (allZero(entryBytes(first, slot))) continue;
        TableEntry entry = decodedEntry(first, 0, slot);
        entry.role = isExtendedType(entry.type) ? EntryRole::Extended : EntryRole::Primary;
        entry.number = slot;
        entry.start = entry.storedStart;
        if (entry.role == EntryRole::Extended && !firstExtended) firstExtended = entry;
        table.entries.push_back(entry);
    }
    if (firstExtended) followChain(image, firstExtended->start, firstExtended->slot, table);
    return table;
}

std::string notAFileReason(NotAFile kind) {
    const std::string saveFirst =
        "save an image first, for example with dd if=/dev/sdX of=disk.img conv=sparse, and read "
        "the image";
    switch (kind) {
        case NotAFile::Directory: return "it is a directory, not a saved disk image: " + saveFirst;
        case NotAFile::Device:
            return "it is a device, and Quorvane never reads a disk itself: " + saveFirst;
        case NotAFile::Pipe: return "it is a pipe, not a saved disk image: " + saveFirst;
        case NotAFile::Other: break;
    }
    return "it is not a regular file: " + saveFirst;
}

std::string cannotOpenReason(std::string_view systemReason) {
    return "it cannot be opened: " + std::string(systemReason);
}

std::string unreadableText(std::string_view path, std::string_view reason) {
    return "Cannot read '" + std::string(path) + "' as a partition table: " + std::string(reason) +
           ".";
}

}  // namespace quorvane::core
