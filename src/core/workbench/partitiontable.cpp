#include "core/workbench/partitiontable.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace quorvane::core {

namespace {

constexpr std::size_t kTableOffset = 446;  // the first of the four entries
constexpr std::size_t kEntryBytes = 16;
constexpr unsigned kSlots = 4;

bool hasSignature(const SectorBytes& sector) {
    return sector[510] == 0x55 && sector[511] == 0xAA;
}

std::span<const std::uint8_t> entryBytes(const SectorBytes& sector, unsigned slot) {
    return std::span(sector).subspan(kTableOffset + (slot - 1) * kEntryBytes, kEntryBytes);
}

bool allZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

// The head byte, then the sector in the low six bits of the next byte with
// the cylinder's two high bits above it, then the cylinder's low eight bits.
Chs packedChs(std::span<const std::uint8_t> b) {
    return {static_cast<unsigned>(((b[1] & 0xC0u) << 2) | b[2]), b[0],
            static_cast<unsigned>(b[1] & 0x3Fu)};
}

std::uint32_t littleEndian32(std::span<const std::uint8_t> b) {
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
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
    entry.storedStart = littleEndian32(b.subspan(8, 4));
    entry.count = littleEndian32(b.subspan(12, 4));
    return entry;
}

bool startsWith(const SectorBytes& sector, std::string_view magic) {
    return std::memcmp(sector.data(), magic.data(), magic.size()) == 0;
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
        if (!hasSignature(sector)) return brokenOff(ChainProblem::NoSignature);
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
    if (!hasSignature(first)) {
        table.error = "its first sector does not end with the signature 55AA of a partition table";
        return table;
    }
    if (allZero(std::span(first).subspan(kTableOffset, kSlots * kEntryBytes))) {
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
