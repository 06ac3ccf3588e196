#include "core/readers/bootsector.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/base/characters.h"
#include "core/readers/partitiontable.h"

namespace quorvane::core {

namespace {

std::string hexText(std::uint64_t value, unsigned digits) { return "0x" + upperHexText(value, digits); }

// A number with its hexadecimal beside it, as a boot record prints some.
std::string withHex(std::uint64_t value) {
    return std::to_string(value) + "  (0x" + upperHexText(value) + ")";
}

// A name field as text: blanks around it dropped, bytes that are not
// printable shown as dots.
std::string nameText(const SectorBytes& s, std::size_t at, std::size_t bytes) {
    std::string text;
    for (std::size_t i = at; i < at + bytes; ++i)
        text += s[i] >= 0x20 && s[i] < 0x7F ? static_cast<char>(s[i]) : '.';
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string spacedBytes(const SectorBytes& s, std::size_t at, std::size_t bytes) {
    std::string text;
    for (std::size_t i = at; i < at + bytes; ++i) text += (i > at ? " " : "") + hexByteText(s[i]);
    return text;
}

constexpr std::string_view kNoSignature = "the signature 55 AA is missing";

// The 512-byte sectors in one sector of the volume, or 0 when its bytes
// per sector cannot be used.
std::uint64_t sectorRatio(std::uint64_t bytesPerSector) {
    if (bytesPerSector < 512 || bytesPerSector > 4096 || !powerOfTwo(bytesPerSector)) return 0;
    return bytesPerSector / 512;
}

// The values of a FAT parameter block that reading the volume needs.
struct FatBlock {
    std::uint64_t bytesPerSector, sectorsPerCluster, reserved, fats, rootEntries, total,
        sectorsPerFat, media, hidden;
};

FatBlock fatBlock(const SectorBytes& s) {
    const std::uint64_t total16 = littleEndian(s, 19, 2), fat16 = littleEndian(s, 22, 2);
    return {littleEndian(s, 11, 2), s[13], littleEndian(s, 14, 2), s[16], littleEndian(s, 17, 2),
            total16 != 0 ? total16 : littleEndian(s, 32, 4), fat16 != 0 ? fat16 : littleEndian(s, 36, 4), s[21],
            littleEndian(s, 28, 4)};
}

std::uint64_t rootSectors(const FatBlock& b) {
    return (b.rootEntries * 32 + b.bytesPerSector - 1) / b.bytesPerSector;
}

void add(std::vector<BootRecordField>& fields, std::string name, std::string value) {
    fields.push_back({std::move(name), std::move(value)});
}

void commonFields(const SectorBytes& s, std::vector<BootRecordField>& f, std::string_view fatsName) {
    add(f, "Jump", spacedBytes(s, 0, 3));
    add(f, "OEM Name", nameText(s, 3, 8));
    add(f, "Bytes per Sector", std::to_string(littleEndian(s, 11, 2)));
    add(f, "Sectors per Cluster", std::to_string(s[13]));
    add(f, "Reserved Sectors", std::to_string(littleEndian(s, 14, 2)));
    add(f, std::string(fatsName), std::to_string(s[16]));
}

void geometryFields(const SectorBytes& s, std::vector<BootRecordField>& f) {
    add(f, "Sectors per Track", withHex(littleEndian(s, 24, 2)));
    add(f, "Number of Heads", withHex(littleEndian(s, 26, 2)));
    add(f, "Hidden Sectors", withHex(littleEndian(s, 28, 4)));
}

// The extended block of FAT12/FAT16 (at 36) or FAT32 (at 64).
void extendedFields(const SectorBytes& s, std::vector<BootRecordField>& f, std::size_t at) {
    add(f, "Drive ID", hexText(s[at], 2));
    add(f, "Reserved for NT", hexText(s[at + 1], 2));
    add(f, "Extended Boot Sig", hexText(s[at + 2], 2));
    add(f, "Serial Number", hexText(littleEndian(s, at + 3, 4), 8));
    add(f, "Volume Name", nameText(s, at + 7, 11));
    add(f, "File System Type", nameText(s, at + 18, 8));
    add(f, "Boot Signature", hexText(littleEndian(s, 510, 2), 4));
}

std::vector<BootRecordField> fatFields(const SectorBytes& s, bool fat32) {
    std::vector<BootRecordField> f;
    commonFields(s, f, "Number of FAT's");
    if (fat32) {
        add(f, "Reserved", hexText(littleEndian(s, 17, 2), 4));
        add(f, "Reserved", hexText(littleEndian(s, 19, 2), 4));
    } else {
        add(f, "Root Dir Entries", std::to_string(littleEndian(s, 17, 2)));
        add(f, "Total Sectors", std::to_string(littleEndian(s, 19, 2)));
    }
    add(f, "Media Descriptor", hexText(s[21], 2));
    add(f, "Sectors per FAT", std::to_string(littleEndian(s, 22, 2)));
    geometryFields(s, f);
    add(f, "Big Total Sectors", withHex(littleEndian(s, 32, 4)));
    if (fat32) {
        add(f, "Big Sectors per FAT", std::to_string(littleEndian(s, 36, 4)));
        add(f, "Extended Flags", hexText(littleEndian(s, 40, 2), 4));
        add(f, "FS Version", std::to_string(littleEndian(s, 42, 2)));
        add(f, "First Cluster of Root", withHex(littleEndian(s, 44, 4)));
        add(f, "FS Info Sector", std::to_string(littleEndian(s, 48, 2)));
        add(f, "Backup Boot Sector", std::to_string(littleEndian(s, 50, 2)));
        std::string reserved;
        for (std::size_t i = 52; i < 64; ++i) reserved += hexByteText(s[i]);
        add(f, "Reserved", reserved);
    }
    extendedFields(s, f, fat32 ? 64 : 36);
    return f;
}

std::vector<BootRecordField> ntfsFields(const SectorBytes& s) {
    std::vector<BootRecordField> f;
    commonFields(s, f, "Number of FATs");
    add(f, "Root Dir Entries", std::to_string(littleEndian(s, 17, 2)));
    add(f, "Total Sectors", std::to_string(littleEndian(s, 19, 2)));
    add(f, "Media Descriptor", hexText(s[21], 2));
    add(f, "Sectors per FAT", std::to_string(littleEndian(s, 22, 2)));
    geometryFields(s, f);
    add(f, "Total Sectors (>32MB)", withHex(littleEndian(s, 32, 4)));
    add(f, "Unused", hexText(littleEndian(s, 36, 4), 8));
    add(f, "Total NTFS Sectors", std::to_string(littleEndian(s, 40, 8)));
    add(f, "MFT Start Cluster", std::to_string(littleEndian(s, 48, 8)));
    add(f, "MFT Mirror Start Clust", std::to_string(littleEndian(s, 56, 8)));
    add(f, "Clusters per FRS", std::to_string(s[64]));
    add(f, "Clusters per Index Blk", std::to_string(s[68]));
    add(f, "Serial Number", hexText(littleEndian(s, 72, 8), 16));
    add(f, "Checksum", withHex(littleEndian(s, 80, 4)));
    add(f, "Boot Signature", hexText(littleEndian(s, 510, 2), 4));
    return f;
}

std::vector<BootRecordField> exfatFields(const SectorBytes& s) {
    std::vector<BootRecordField> f;
    add(f, "Jump", spacedBytes(s, 0, 3));
    add(f, "OEM Name", nameText(s, 3, 8));
    add(f, "Partition Offset", withHex(littleEndian(s, 64, 8)));
    add(f, "Volume Length", std::to_string(littleEndian(s, 72, 8)));
    add(f, "FAT Offset", std::to_string(littleEndian(s, 80, 4)));
    add(f, "FAT Length", std::to_string(littleEndian(s, 84, 4)));
    add(f, "Cluster Heap Offset", std::to_string(littleEndian(s, 88, 4)));
    add(f, "Cluster Count", std::to_string(littleEndian(s, 92, 4)));
    add(f, "First Cluster of Root", withHex(littleEndian(s, 96, 4)));
    add(f, "Serial Number", hexText(littleEndian(s, 100, 4), 8));
    add(f, "FS Revision", std::to_string(s[105]) + "." + upperHexText(s[104], 2));
    add(f, "Volume Flags", hexText(littleEndian(s, 106, 2), 4));
    add(f, "Bytes per Sector Shift", std::to_string(s[108]));
    add(f, "Sectors per Cluster Shift", std::to_string(s[109]));
    add(f, "Number of FATs", std::to_string(s[110]));
    add(f, "Drive ID", hexText(s[111], 2));
    add(f, "Percent in Use", std::to_string(s[112]));
    add(f, "Boot Signature", hexText(littleEndian(s, 510, 2), 4));
    return f;
}

std::string beyondPartition(std::uint64_t claimed, std::uint64_t partition) {
    return "its " + std::to_string(claimed) + " sectors reach beyond the partition's " +
           std::to_string(partition);
}

// The common tests of a parameter block that FAT and NTFS share.
void sizeProblems(std::uint64_t bytesPerSector, std::uint64_t sectorsPerCluster,
                  std::vector<std::string>& problems) {
    if (sectorRatio(bytesPerSector) == 0)
        problems.push_back("Bytes per Sector is " + std::to_string(bytesPerSector) +
                           ", not a power of two from 512 to 4096");
    if (!powerOfTwo(sectorsPerCluster))
        problems.push_back("Sectors per Cluster is " + std::to_string(sectorsPerCluster) +
                           ", not a power of two");
}

// Decides FAT12, FAT16 or FAT32 and lists what does not add up. `labelled`
// is the type the sector's label names, used when the count of clusters
// cannot be made.
FileSystem decodeFat(const SectorBytes& s, FileSystem labelled, std::uint64_t partition,
                     std::vector<std::string>& problems) {
    const FatBlock b = fatBlock(s);
    sizeProblems(b.bytesPerSector, b.sectorsPerCluster, problems);
    if (b.reserved == 0) problems.push_back("Reserved Sectors is 0");
    if (b.fats == 0) problems.push_back("Number of FATs is 0");
    if (b.media != 0xF0 && b.media < 0xF8)
        problems.push_back("Media Descriptor is " + hexText(b.media, 2) + ", not F0 or F8 to FF");
    if (b.total == 0) problems.push_back("the total of sectors is 0");
    if (b.sectorsPerFat == 0) problems.push_back("Sectors per FAT is 0");

    const std::uint64_t ratio = sectorRatio(b.bytesPerSector);
    if (ratio == 0) return labelled;
    if (partition != 0 && b.total * ratio > partition)
        problems.push_back(beyondPartition(b.total * ratio, partition));
    const std::uint64_t fatArea = b.reserved + b.fats * b.sectorsPerFat;
    const std::uint64_t overhead = fatArea + rootSectors(b);
    if (b.total != 0 && b.sectorsPerFat != 0 && fatArea >= b.total) {
        problems.push_back("its " + std::to_string(b.fats) + " FATs of " +
                           std::to_string(b.sectorsPerFat) +
                           " sectors reach beyond the volume's " + std::to_string(b.total));
        return labelled;
    }
    if (b.total != 0 && overhead >= b.total) {
        problems.push_back("its root directory of " + std::to_string(b.rootEntries) +
                           " entries reaches beyond the volume's " + std::to_string(b.total) +
                           " sectors");
        return labelled;
    }
    if (b.total == 0 || !powerOfTwo(b.sectorsPerCluster)) return labelled;

    // As the FAT on-disk format decides it: by the count of clusters alone;
    // but a block laid out for FAT32 (no 16-bit sectors per FAT, no root
    // directory entries) is read as FAT32 whatever its count, since its
    // fields stand where FAT32 keeps them. Such a small FAT32 volume is
    // what some formatters make; systems that go by the count take it for
    // FAT16, which is a fault.
    const std::uint64_t clusters = (b.total - overhead) / b.sectorsPerCluster;
    const bool fat32Layout = littleEndian(s, 22, 2) == 0 && b.rootEntries == 0;
    const FileSystem type = fat32Layout        ? FileSystem::Fat32
                            : clusters < 4085  ? FileSystem::Fat12
                            : clusters < 65525 ? FileSystem::Fat16
                                               : FileSystem::Fat32;
    if (fat32Layout && clusters < 65525)
        problems.push_back("its " + std::to_string(clusters) +
                           " clusters are fewer than the 65525 of a FAT32 volume, so systems "
                           "that go by the count take it for FAT16");
    if (type == FileSystem::Fat32) {
        if (littleEndian(s, 22, 2) != 0)
            problems.push_back("Sectors per FAT is " + std::to_string(littleEndian(s, 22, 2)) +
                               " where FAT32 keeps 0 and uses Big Sectors per FAT");
        if (b.rootEntries != 0)
            problems.push_back("Root Dir Entries is " + std::to_string(b.rootEntries) +
                               " where FAT32 keeps 0");
        const std::uint64_t backup = littleEndian(s, 50, 2);
        if (b.reserved != 0 && backup != 0 && backup != 0xFFFF && backup >= b.reserved)
            problems.push_back("Backup Boot Sector " + std::to_string(backup) +
                               " lies outside the " + std::to_string(b.reserved) +
                               " reserved sectors");
        if (clusters > 0x0FFFFFF4)
            problems.push_back("its count of " + std::to_string(clusters) +
                               " clusters is more than FAT32 can address");
    }
    // Each cluster and the two reserved entries need room in one FAT.
    const std::uint64_t bits = type == FileSystem::Fat12 ? 12 : type == FileSystem::Fat16 ? 16 : 32;
    const std::uint64_t fatBytes = ((clusters + 2) * bits + 7) / 8;
    if (b.sectorsPerFat * b.bytesPerSector < fatBytes)
        problems.push_back("Sectors per FAT is " + std::to_string(b.sectorsPerFat) +
                           ", too few for a FAT of " + std::to_string(clusters) + " clusters");
    return type;
}

// NTFS gives clusters beyond 128 sectors as a negative power of two:
// F4 is 2^12 sectors.
std::uint64_t ntfsSectorsPerCluster(std::uint8_t stored) {
    if (stored <= 0x80) return stored;
    return 256 - stored <= 31 ? std::uint64_t{1} << (256 - stored) : 0;
}

void decodeNtfs(const SectorBytes& s, std::uint64_t partition, std::vector<std::string>& problems) {
    const std::uint64_t sectorsPerCluster = ntfsSectorsPerCluster(s[13]);
    sizeProblems(littleEndian(s, 11, 2), sectorsPerCluster, problems);
    const std::uint64_t total = littleEndian(s, 40, 8);
    if (total == 0) problems.push_back("Total NTFS Sectors is 0");
    const std::uint64_t ratio = sectorRatio(littleEndian(s, 11, 2));
    if (ratio == 0 || total == 0) return;
    // The sector after the volume holds the backup: the partition must
    // hold one sector more than the volume. Beyond 2^48 sectors no disk
    // exists; such a total is described, not multiplied.
    if (total >= (std::uint64_t{1} << 48)) {
        problems.push_back("Total NTFS Sectors " + std::to_string(total) + " is beyond any disk");
        return;
    }
    const std::uint64_t claimed = (total + 1) * ratio;
    if (partition != 0 && claimed > partition) problems.push_back(beyondPartition(claimed, partition));
    if (powerOfTwo(sectorsPerCluster) && littleEndian(s, 48, 8) >= total / sectorsPerCluster)
        problems.push_back("MFT Start Cluster " + std::to_string(littleEndian(s, 48, 8)) +
                           " lies beyond the volume");
}

void decodeExfat(const SectorBytes& s, std::uint64_t partition, std::vector<std::string>& problems) {
    const unsigned shift = s[108];
    if (shift < 9 || shift > 12)
        problems.push_back("Bytes per Sector Shift is " + std::to_string(shift) +
                           ", not from 9 to 12");
    if (s[109] > 25 - std::min(shift, 25u))
        problems.push_back("Sectors per Cluster Shift is " + std::to_string(s[109]) +
                           ", clusters beyond 32 MiB");
    if (s[110] != 1 && s[110] != 2)
        problems.push_back("Number of FATs is " + std::to_string(s[110]) + ", not 1 or 2");
    const std::uint64_t length = littleEndian(s, 72, 8);
    if (shift >= 9 && shift <= 12 && length < (std::uint64_t{1} << 48)) {
        const std::uint64_t claimed = length << (shift - 9);
        if (partition != 0 && claimed > partition) problems.push_back(beyondPartition(claimed, partition));
    }
    if (littleEndian(s, 80, 4) + littleEndian(s, 84, 4) > length || littleEndian(s, 88, 4) > length)
        problems.push_back("its FAT or cluster heap lies beyond the volume's " +
                           std::to_string(length) + " sectors");
}

FileSystem labelledFat(std::string_view kind) {
    if (kind.find("FAT12") != std::string_view::npos) return FileSystem::Fat12;
    if (kind.find("FAT32") != std::string_view::npos) return FileSystem::Fat32;
    return FileSystem::Fat16;
}

class Reader {
public:
    Reader(DiskImage& image, VolumeReport& report)
        : image_(image), report_(report), imageSectors_(image.size() / kSectorBytes) {}

    std::uint64_t imageSectors() const { return imageSectors_; }

    // Reads `sector` when the image holds it; a failure is recorded and
    // names the sector.
    bool read(std::uint64_t sector, SectorBytes& bytes) {
        if (sector >= imageSectors_) return false;
        if (auto failure = image_.readSector(sector, bytes)) {
            report_.readErrors.push_back("sector " + std::to_string(sector) +
                                         " cannot be read: " + *failure);
            return false;
        }
        return true;
    }

    BootSectorCopy copyAt(std::uint64_t sector) {
        BootSectorCopy copy;
        SectorBytes bytes{};
        if (sector >= imageSectors_) {
            copy.sector = sector;
            copy.problems.push_back("sector " + std::to_string(sector) +
                                    " lies beyond the end of the image (" +
                                    std::to_string(imageSectors_) + " sectors)");
            return copy;
        }
        if (!read(sector, bytes)) {
            copy.sector = sector;
            copy.problems.push_back(report_.readErrors.back());
            return copy;
        }
        copy = decodeBootSector(bytes, report_.count);
        copy.sector = sector;
        return copy;
    }

private:
    DiskImage& image_;
    VolumeReport& report_;
    std::uint64_t imageSectors_;
};

BackupCopy compared(const BootSectorCopy& primary, BootSectorCopy backup) {
    BackupCopy result;
    result.copy = std::move(backup);
    const BootSectorCopy& b = result.copy;
    if (!primary.readable || !b.readable) return result;
    result.identical = primary.bytes == b.bytes;
    if (result.identical) return result;
    if (primary.fileSystem != b.fileSystem) {
        result.differences.push_back("File System");
        return result;
    }
    const auto& p = primary.fields;
    const auto& q = b.fields;
    for (std::size_t i = 0; i < std::max(p.size(), q.size()); ++i) {
        if (i < p.size() && i < q.size() && p[i] == q[i]) continue;
        result.differences.push_back(i < p.size() ? p[i].name : q[i].name);
    }
    if (result.differences.empty()) result.differences.push_back("Boot Code");
    return result;
}

// The FAT32 backup's sector within the volume, as the boot sector names
// it; none when it names no backup. An unsound boot sector is not trusted:
// the usual sector 6 is looked at instead.
std::optional<std::uint64_t> fat32BackupSector(const BootSectorCopy& primary) {
    if (primary.fileSystem != FileSystem::Fat32 || !primary.sound()) return 6;
    const std::uint64_t named = littleEndian(primary.bytes, 50, 2);
    if (named == 0 || named == 0xFFFF) return std::nullopt;
    return named;
}

void searchDynRoot(Reader& reader, VolumeReport& report) {
    const SectorBytes& s = report.primary.bytes;
    const FatBlock b = fatBlock(s);
    const std::uint64_t ratio = sectorRatio(b.bytesPerSector);
    if (ratio == 0) return;
    const std::uint64_t first = (b.reserved + b.fats * b.sectorsPerFat) * ratio;
    if (first >= report.count || report.place.start + first >= reader.imageSectors()) return;
    // Only the root's sectors that lie inside the volume and the image.
    const std::uint64_t end =
        std::min({report.place.start + first + rootSectors(b) * ratio,
                  report.place.start + report.count, reader.imageSectors()});
    report.dynRootSearched = true;
    for (std::uint64_t sector = report.place.start + first; sector < end; ++sector) {
        SectorBytes bytes{};
        if (!reader.read(sector, bytes)) return;
        for (std::size_t at = 0; at < kSectorBytes; at += 32) {
            if (bytes[at] == 0) return;  // the end of the directory
            const std::uint8_t attributes = bytes[at + 11];
            if (attributes == 0x0F || (attributes & 0x10) == 0) continue;
            if (!bytesAre(bytes, at, "DYN_ROOT   ")) continue;
            report.dynRoot = DynRootPage{b.sectorsPerCluster, b.rootEntries, littleEndian(s, 22, 2),
                                         b.reserved, b.fats, littleEndian(bytes, at + 26, 2)};
            return;
        }
    }
}

void readFsInfo(Reader& reader, VolumeReport& report) {
    const SectorBytes& s = report.primary.bytes;
    const std::uint64_t named = littleEndian(s, 48, 2);
    const std::uint64_t ratio = sectorRatio(littleEndian(s, 11, 2));
    if (named == 0 || named == 0xFFFF || named >= littleEndian(s, 14, 2) || ratio == 0) return;
    report.fsInfoSector = report.place.start + named * ratio;
    SectorBytes bytes{};
    if (!reader.read(*report.fsInfoSector, bytes)) return;
    report.fsInfoValid = bytesAre(bytes, 0, "RRaA") && bytesAre(bytes, 484, "rrAa") && hasBootSignature(bytes);
}

void readBackups(Reader& reader, VolumeReport& report) {
    const BootSectorCopy& primary = report.primary;
    const std::uint64_t start = report.place.start;
    const std::uint64_t last = start + report.count - 1;
    std::vector<std::uint64_t> candidates;
    switch (primary.fileSystem) {
        case FileSystem::Fat12:
        case FileSystem::Fat16:
            report.noBackupReason = "FAT12 and FAT16 keep no backup of the boot sector";
            return;
        case FileSystem::ExFat:
            report.noBackupReason = "the exFAT backup boot region is not compared";
            return;
        case FileSystem::Fat32: {
            const auto named = fat32BackupSector(primary);
            if (!named) {
                report.noBackupReason = "the boot sector names no backup";
                return;
            }
            const std::uint64_t ratio = sectorRatio(littleEndian(primary.bytes, 11, 2));
            const std::uint64_t sector = start + *named * (ratio == 0 ? 1 : ratio);
            if (sector > last) {
                BootSectorCopy outside;
                outside.sector = sector;
                outside.problems.push_back("sector " + std::to_string(sector) +
                                           " lies beyond the partition");
                report.backups.push_back(compared(primary, std::move(outside)));
                return;
            }
            candidates.push_back(sector);
            break;
        }
        case FileSystem::Ntfs: {
            candidates.push_back(last);
            const std::uint64_t total = littleEndian(primary.bytes, 40, 8);
            const std::uint64_t ratio = sectorRatio(littleEndian(primary.bytes, 11, 2));
            if (ratio != 0 && total != 0 && total < (std::uint64_t{1} << 48) &&
                start + total * ratio != last && start + total * ratio < reader.imageSectors())
                candidates.push_back(start + total * ratio);
            break;
        }
        case FileSystem::None: {
            // Unrecognised: where either backup would stand, keeping what
            // is one.
            std::vector<std::pair<std::uint64_t, FileSystem>> places = {{start + 6, FileSystem::Fat32},
                                                                        {last, FileSystem::Ntfs}};
            for (const auto& [sector, fs] : places) {
                if (sector > last || sector >= reader.imageSectors()) continue;
                BootSectorCopy copy = reader.copyAt(sector);
                if (copy.fileSystem == fs) report.backups.push_back(compared(primary, std::move(copy)));
            }
            if (report.backups.empty())
                report.noBackupReason = "no FAT32 or NTFS backup was found";
            return;
        }
    }
    for (const std::uint64_t sector : candidates)
        report.backups.push_back(compared(primary, reader.copyAt(sector)));
}

// The copy whose values count: the primary when recognised, else the first
// sound backup.
const BootSectorCopy* valuesCopy(const VolumeReport& report) {
    if (report.primary.fileSystem != FileSystem::None) return &report.primary;
    for (const auto& backup : report.backups)
        if (backup.copy.sound()) return &backup.copy;
    return nullptr;
}

void judge(VolumeReport& report) {
    const BootSectorCopy* copy = valuesCopy(report);
    if (!copy) return;
    report.fileSystem = copy->fileSystem;
    const SectorBytes& s = copy->bytes;

    if (!report.primary.sound()) {
        for (const auto& backup : report.backups) {
            const FileSystem fs = backup.copy.fileSystem;
            if (backup.copy.sound() && (fs == FileSystem::Fat32 || fs == FileSystem::Ntfs)) {
                report.restore = RestorePage{fs, report.place.start, report.count};
                break;
            }
        }
    }

    const bool fat = copy->fileSystem != FileSystem::Ntfs && copy->fileSystem != FileSystem::ExFat;
    if (copy->fileSystem == FileSystem::ExFat) {
        report.hiddenSectors = littleEndian(s, 64, 8);
        const unsigned shift = s[108];
        if (shift >= 9 && shift <= 12 && littleEndian(s, 72, 8) < (std::uint64_t{1} << 48))
            report.claimedSectors = littleEndian(s, 72, 8) << (shift - 9);
    } else {
        report.hiddenSectors = littleEndian(s, 28, 4);
        const std::uint64_t ratio = sectorRatio(littleEndian(s, 11, 2));
        const std::uint64_t total = fat ? fatBlock(s).total : littleEndian(s, 40, 8);
        if (ratio != 0 && total != 0 && total < (std::uint64_t{1} << 48))
            report.claimedSectors = (fat ? total : total + 1) * ratio;
    }
    if (report.place.count == 0) return;  // no entry to hold it against

    const std::uint64_t start = report.place.start;
    const auto table = report.place.tableSector;
    report.hiddenSectorsMatch = *report.hiddenSectors == start ||
                                (table && *table <= start && *report.hiddenSectors == start - *table);
    if (report.claimedSectors && *report.claimedSectors > report.place.count) {
        Bogus113Page page;
        page.sectorsPerCluster = s[13];
        page.entrySectors = report.place.count;
        if (copy->fileSystem == FileSystem::Ntfs) {
            page.sectorsPerCluster = ntfsSectorsPerCluster(s[13]);
            page.totalSectors = littleEndian(s, 40, 8);
        } else if (copy->fileSystem == FileSystem::ExFat) {
            page.sectorsPerCluster = std::uint64_t{1} << std::min<unsigned>(s[109], 63);
            page.sectorsPerFat = littleEndian(s, 84, 4);
            page.totalSectors = littleEndian(s, 72, 8);
        } else {
            const FatBlock b = fatBlock(s);
            page.rootEntries = copy->fileSystem == FileSystem::Fat32 ? 0 : b.rootEntries;
            page.sectorsPerFat = b.sectorsPerFat;
            page.totalSectors = b.total;
        }
        report.bogus113 = page;
    }
}

}  // namespace

std::string_view fileSystemName(FileSystem fs) {
    switch (fs) {
        case FileSystem::Fat12: return "FAT12";
        case FileSystem::Fat16: return "FAT16";
        case FileSystem::Fat32: return "FAT32";
        case FileSystem::Ntfs: return "NTFS";
        case FileSystem::ExFat: return "exFAT";
        case FileSystem::None: break;
    }
    return "none";
}

BootSectorCopy decodeBootSector(const SectorBytes& bytes, std::uint64_t partitionSectors) {
    BootSectorCopy copy;
    copy.readable = true;
    copy.bytes = bytes;
    if (allZero(bytes)) {
        copy.found = "an empty sector (all zero)";
        return copy;
    }
    const auto kind = bootSectorKind(bytes);
    if (!kind) {
        copy.found = hasBootSignature(bytes) ? "no boot sector: no jump instruction or file system name"
                                         : "no boot sector: no signature 55 AA";
        return copy;
    }
    if (!hasBootSignature(bytes)) copy.problems.emplace_back(kNoSignature);
    if (*kind == "an NTFS file system") {
        copy.fileSystem = FileSystem::Ntfs;
        copy.fields = ntfsFields(bytes);
        decodeNtfs(bytes, partitionSectors, copy.problems);
    } else if (*kind == "an exFAT file system") {
        copy.fileSystem = FileSystem::ExFat;
        copy.fields = exfatFields(bytes);
        decodeExfat(bytes, partitionSectors, copy.problems);
    } else if (kind->find("FAT") != std::string::npos) {
        copy.fileSystem = decodeFat(bytes, labelledFat(*kind), partitionSectors, copy.problems);
        copy.fields = fatFields(bytes, copy.fileSystem == FileSystem::Fat32);
    } else {
        copy.found = "the boot sector of " + *kind;
        copy.problems.clear();
    }
    return copy;
}

VolumePlace volumePlaceOf(const TableEntry& e) {
    VolumePlace place{e.start, e.count, std::nullopt};
    if (e.role == EntryRole::Logical) place.tableSector = e.tableSector;
    return place;
}

const BootSectorCopy& VolumeReport::recognisedCopy() const {
    if (primary.fileSystem != fileSystem)
        for (const BackupCopy& b : backups)
            if (b.copy.fileSystem == fileSystem) return b.copy;
    return primary;
}

bool VolumeReport::damaged() const {
    if (fileSystem == FileSystem::None) return false;
    if (!primary.sound() || (hiddenSectorsMatch && !*hiddenSectorsMatch) || bogus113) return true;
    // NTFS may have two places for its backup; one sound copy is enough.
    return !backups.empty() && std::none_of(backups.begin(), backups.end(), [](const BackupCopy& b) {
        return b.copy.sound() && b.identical;
    });
}

VolumeReport readVolume(DiskImage& image, const VolumePlace& place) {
    VolumeReport report;
    report.place = place;
    Reader reader(image, report);
    if (place.start >= reader.imageSectors()) {
        report.readErrors.push_back("sector " + std::to_string(place.start) +
                                    " lies beyond the end of the image (" +
                                    std::to_string(reader.imageSectors()) + " sectors)");
        report.primary.sector = place.start;
        return report;
    }
    report.count = place.count != 0 ? place.count : reader.imageSectors() - place.start;
    report.primary = reader.copyAt(place.start);

    // A volume of another kind (BitLocker, HPFS) has no backup here.
    const bool otherVolume = report.primary.found.starts_with("the boot sector of");
    if (report.primary.readable && report.primary.fileSystem == FileSystem::None && !otherVolume) {
        // An ext2/3/4 volume keeps its superblock at byte 1024.
        SectorBytes third{};
        if (report.count > 2 && reader.read(place.start + 2, third) && isExtSuperblock(third)) {
            report.primary.found = "an ext2, ext3 or ext4 superblock";
            return report;
        }
    }
    if (!otherVolume) readBackups(reader, report);

    if (report.primary.fileSystem == FileSystem::Fat32) readFsInfo(reader, report);
    if (report.primary.fileSystem == FileSystem::Fat12 || report.primary.fileSystem == FileSystem::Fat16)
        searchDynRoot(reader, report);
    judge(report);
    return report;
}

}  // namespace quorvane::core
