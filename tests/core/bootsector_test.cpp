// Reading a volume's boot sector from an image: boot sectors written byte by
// byte for FAT12, FAT16, FAT32, NTFS and exFAT, damaged copies and their
// backups, the values the repair pages take, absurd parameter blocks, and
// the sectors each reading touches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bootsectors.h"
#include "core/readers/bootsector.h"
#include "scratch.h"

namespace quorvane::core {

namespace {

// Sectors from memory; those not held read as `fill`. Counts the reads.
class MemoryImage : public DiskImage {
public:
    std::uint64_t size() const override { return bytes; }
    std::optional<std::string> readSector(std::uint64_t sector, SectorBytes& out) override {
        read.push_back(sector);
        if (failing.count(sector)) return "Input/output error";
        const auto found = sectors.find(sector);
        if (found != sectors.end()) {
            out = found->second;
        } else {
            out.fill(fill);
        }
        return std::nullopt;
    }

    std::uint64_t bytes = 0;
    std::map<std::uint64_t, SectorBytes> sectors;
    std::set<std::uint64_t> failing;
    std::uint8_t fill = 0;
    std::vector<std::uint64_t> read;
};

using test::boot::dirEntry;
using test::boot::Fat;
using test::boot::fatBoot;
using test::boot::fsInfo;
using test::boot::Ntfs;
using test::boot::ntfsBoot;
using test::boot::put;
using test::boot::text;

SectorBytes exfatBoot() {
    SectorBytes s{};
    s[0] = 0xEB, s[1] = 0x76, s[2] = 0x90;
    text(s, 3, "EXFAT   ");
    put(s, 64, 2048, 8);
    put(s, 72, 65536, 8);
    put(s, 80, 128, 4);
    put(s, 84, 64, 4);
    put(s, 88, 256, 4);
    put(s, 92, 8160, 4);
    put(s, 96, 4, 4);
    put(s, 100, 0xCAFE0001, 4);
    put(s, 104, 0x0100, 2);
    s[108] = 9, s[109] = 3, s[110] = 1, s[111] = 0x80;
    s[510] = 0x55, s[511] = 0xAA;
    return s;
}

constexpr std::uint64_t kStart = 2048;

// A FAT16 volume of 65,536 sectors at kStart: root directory at 2180.
Fat fat16() {
    Fat f;
    f.sectorsPerCluster = 4, f.reserved = 4, f.rootEntries = 512, f.total32 = 65536;
    f.sectorsPerFat16 = 64, f.hidden = kStart;
    return f;
}

// A FAT32 volume of 1,048,576 sectors at kStart.
Fat fat32() {
    Fat f;
    f.fat32 = true, f.sectorsPerCluster = 8, f.reserved = 32, f.total32 = 1048576;
    f.sectorsPerFat32 = 1024, f.hidden = kStart, f.type = "FAT32   ";
    return f;
}

std::string joined(const std::vector<std::string>& items, const char* between = "; ") {
    std::string out;
    for (const auto& item : items) out += (out.empty() ? "" : between) + item;
    return out;
}

std::string copyText(const BootSectorCopy& c) {
    std::string out = std::to_string(c.sector) + (c.readable ? " " : " unreadable ") +
                      std::string(fileSystemName(c.fileSystem));
    if (!c.found.empty()) out += " (" + c.found + ")";
    if (!c.problems.empty()) out += " [" + joined(c.problems) + "]";
    return out;
}

// Everything a report says, one finding a line, with the sectors read.
std::string summary(const VolumeReport& r, const MemoryImage& image) {
    std::string out = "fs " + std::string(fileSystemName(r.fileSystem)) + "\nprimary " +
                      copyText(r.primary) + "\n";
    for (const auto& b : r.backups) {
        out += "backup " + copyText(b.copy);
        if (b.identical) out += " identical";
        if (!b.differences.empty()) out += " differs: " + joined(b.differences, ", ");
        out += "\n";
    }
    if (!r.noBackupReason.empty()) out += "no backup: " + r.noBackupReason + "\n";
    if (r.fsInfoSector)
        out += "fsinfo " + std::to_string(*r.fsInfoSector) + (r.fsInfoValid ? " valid\n" : " invalid\n");
    if (r.hiddenSectorsMatch)
        out += "hidden " + std::to_string(*r.hiddenSectors) + (*r.hiddenSectorsMatch ? " match\n" : " differ\n");
    if (r.restore)
        out += "restore " + std::string(fileSystemName(r.restore->fileSystem)) + " " +
               std::to_string(r.restore->start) + " " + std::to_string(r.restore->count) + "\n";
    if (r.bogus113)
        out += "bogus113 " + std::to_string(r.bogus113->sectorsPerCluster) + " " +
               std::to_string(r.bogus113->rootEntries) + " " +
               std::to_string(r.bogus113->sectorsPerFat) + " " +
               std::to_string(r.bogus113->totalSectors) + " " +
               std::to_string(r.bogus113->entrySectors) + "\n";
    if (r.dynRoot)
        out += "dynroot " + std::to_string(r.dynRoot->sectorsPerCluster) + " " +
               std::to_string(r.dynRoot->rootEntries) + " " +
               std::to_string(r.dynRoot->sectorsPerFat) + " " +
               std::to_string(r.dynRoot->reservedSectors) + " " + std::to_string(r.dynRoot->fats) +
               " " + std::to_string(r.dynRoot->startCluster) + "\n";
    else if (r.dynRootSearched)
        out += "no dynroot\n";
    for (const auto& e : r.readErrors) out += "error " + e + "\n";
    out += r.damaged() ? "damaged\n" : "sound\n";
    std::string reads;
    for (const auto s : image.read) reads += (reads.empty() ? "" : " ") + std::to_string(s);
    return out + "read " + reads;
}

struct VolumeCase {
    const char* name;
    std::function<void(MemoryImage&)> make;
    VolumePlace place;
    const char* expected;
};

// A disk of 2 GiB with `sectors` placed in it.
std::function<void(MemoryImage&)> disk(std::map<std::uint64_t, SectorBytes> sectors,
                                       std::uint64_t size = 2ull << 30) {
    return [=](MemoryImage& image) {
        image.bytes = size;
        image.sectors = sectors;
    };
}

template <class F>
SectorBytes changed(SectorBytes s, F change) {
    change(s);
    return s;
}

Fat with(Fat f, const std::function<void(Fat&)>& change) {
    change(f);
    return f;
}

const std::vector<VolumeCase> kVolumes = {
    {"Fat12FloppyImage",
     [](MemoryImage& image) {
         image.bytes = 2880 * 512;
         Fat f;
         f.sectorsPerCluster = 1, f.rootEntries = 224, f.total16 = 2880, f.media = 0xF0;
         f.sectorsPerFat16 = 9, f.perTrack = 18, f.heads = 2, f.type = "FAT12   ";
         image.sectors[0] = fatBoot(f);
     },
     {0, 0, {}},
     "fs FAT12\nprimary 0 FAT12\nno backup: FAT12 and FAT16 keep no backup of the boot sector\n"
     "no dynroot\nsound\nread 0 19"},
    {"Fat16InDisk", disk({{kStart, fatBoot(fat16())}}), {kStart, 65536, 0},
     "fs FAT16\nprimary 2048 FAT16\nno backup: FAT12 and FAT16 keep no backup of the boot "
     "sector\nhidden 2048 match\nno dynroot\nsound\nread 2048 2180"},
    {"Fat16RootHoldsDynRoot",
     [](MemoryImage& image) {
         disk({{kStart, fatBoot(fat16())}})(image);
         SectorBytes first{}, second{};
         dirEntry(first, 0, "DATA       ", 0x08, 0);
         dirEntry(first, 1, "Ad\0y\0n\0_\0r\0", 0x0F, 0);  // a long name's part
         dirEntry(first, 2, "DYN_ROOT   ", 0x20, 0x0777);  // a file, not a directory
         for (unsigned slot = 3; slot < 16; ++slot) dirEntry(first, slot, "FILE    TXT", 0x20, 9);
         dirEntry(second, 0, "\xE5YN_ROOT   ", 0x10, 0x0555);  // deleted
         dirEntry(second, 1, "DYN_ROOT   ", 0x10, 0x1234);
         image.sectors[2180] = first;
         image.sectors[2181] = second;
     },
     {kStart, 65536, 0},
     "fs FAT16\nprimary 2048 FAT16\nno backup: FAT12 and FAT16 keep no backup of the boot "
     "sector\nhidden 2048 match\ndynroot 4 512 64 4 2 4660\nsound\nread 2048 2180 2181"},
    {"Fat32With32Reserved",
     disk({{kStart, fatBoot(fat32())}, {kStart + 1, fsInfo()}, {kStart + 6, fatBoot(fat32())}}),
     {kStart, 1048576, 0},
     "fs FAT32\nprimary 2048 FAT32\nbackup 2054 FAT32 identical\nfsinfo 2049 valid\n"
     "hidden 2048 match\nsound\nread 2048 2054 2049"},
    {"Fat32With1ReservedNamesNoBackup",
     disk({{kStart, fatBoot(with(fat32(), [](Fat& f) {
               f.reserved = 1, f.fsInfo = 0xFFFF, f.backup = 0xFFFF;
           }))}}),
     {kStart, 1048576, 0},
     "fs FAT32\nprimary 2048 FAT32\nno backup: the boot sector names no backup\n"
     "hidden 2048 match\nsound\nread 2048"},
    {"Ntfs", disk({{kStart, ntfsBoot({})}, {kStart + 204799, ntfsBoot({})}}), {kStart, 204800, 0},
     "fs NTFS\nprimary 2048 NTFS\nbackup 206847 NTFS identical\nhidden 2048 match\nsound\n"
     "read 2048 206847"},
    {"NtfsShorterThanItsPartitionBacksUpAfterItsEnd",
     disk({{kStart, ntfsBoot({})}, {kStart + 204799, ntfsBoot({})}}), {kStart, 204900, 0},
     "fs NTFS\nprimary 2048 NTFS\nbackup 206947 none (an empty sector (all zero)) differs: "
     "File System\nbackup 206847 NTFS identical\nhidden 2048 match\nsound\n"
     "read 2048 206947 206847"},
    {"ExFat", disk({{kStart, exfatBoot()}}), {kStart, 65536, 0},
     "fs exFAT\nprimary 2048 exFAT\nno backup: the exFAT backup boot region is not compared\n"
     "hidden 2048 match\nsound\nread 2048"},
    {"EmptySectorLooksForBothBackups", disk({}), {kStart, 65536, 0},
     "fs none\nprimary 2048 none (an empty sector (all zero))\nno backup: no FAT32 or NTFS "
     "backup was found\nsound\nread 2048 2050 2054 67583"},
    {"ExtSuperblock",
     disk({{kStart + 2, changed(SectorBytes{}, [](SectorBytes& s) { s[56] = 0x53, s[57] = 0xEF; })}}),
     {kStart, 65536, 0},
     "fs none\nprimary 2048 none (an ext2, ext3 or ext4 superblock)\nsound\nread 2048 2050"},
    {"Fat32PrimaryZeroedBackupSound", disk({{kStart + 6, fatBoot(fat32())}}), {kStart, 1048576, 0},
     "fs FAT32\nprimary 2048 none (an empty sector (all zero))\nbackup 2054 FAT32 differs: "
     "File System\nhidden 2048 match\nrestore FAT32 2048 1048576\ndamaged\nread 2048 2050 2054 "
     "1050623"},
    {"Fat32SignatureRemoved",
     disk({{kStart, changed(fatBoot(fat32()), [](SectorBytes& s) { s[510] = s[511] = 0; })},
           {kStart + 1, fsInfo()},
           {kStart + 6, fatBoot(fat32())}}),
     {kStart, 1048576, 0},
     "fs FAT32\nprimary 2048 FAT32 [the signature 55 AA is missing]\nbackup 2054 FAT32 differs: "
     "Boot Signature\nfsinfo 2049 valid\nhidden 2048 match\nrestore FAT32 2048 1048576\n"
     "damaged\nread 2048 2054 2049"},
    {"Fat32OneFieldChanged",
     disk({{kStart, fatBoot(with(fat32(), [](Fat& f) { f.perTrack = 32; }))},
           {kStart + 1, fsInfo()},
           {kStart + 6, fatBoot(fat32())}}),
     {kStart, 1048576, 0},
     "fs FAT32\nprimary 2048 FAT32\nbackup 2054 FAT32 differs: Sectors per Track\n"
     "fsinfo 2049 valid\nhidden 2048 match\ndamaged\nread 2048 2054 2049"},
    {"Fat32ImplausiblePrimaryBacksUpAtSix",
     disk({{kStart, fatBoot(with(fat32(), [](Fat& f) { f.reserved = 0, f.backup = 9; }))},
           {kStart + 6, fatBoot(fat32())}}),
     {kStart, 1048576, 0},
     "fs FAT32\nprimary 2048 FAT32 [Reserved Sectors is 0]\nbackup 2054 FAT32 differs: Reserved "
     "Sectors, Backup Boot Sector\nhidden 2048 match\nrestore FAT32 2048 1048576\ndamaged\n"
     "read 2048 2054"},
    {"Fat32BackupOutsideReservedNotFollowed",
     disk({{kStart, fatBoot(with(fat32(), [](Fat& f) { f.backup = 40000; }))},
           {kStart + 1, fsInfo()},
           {kStart + 6, fatBoot(fat32())}}),
     {kStart, 1048576, 0},
     "fs FAT32\nprimary 2048 FAT32 [Backup Boot Sector 40000 lies outside the 32 reserved "
     "sectors]\nbackup 2054 FAT32 differs: Backup Boot Sector\nfsinfo 2049 valid\n"
     "hidden 2048 match\nrestore FAT32 2048 1048576\ndamaged\nread 2048 2054 2049"},
    {"Fat32BackupBeyondATinyPartitionNotRead",
     disk({{kStart, fatBoot(fat32())}, {kStart + 1, fsInfo()}, {kStart + 6, fatBoot(fat32())}}),
     {kStart, 4, 0},
     "fs FAT32\nprimary 2048 FAT32 [its 1048576 sectors reach beyond the partition's 4]\n"
     "backup 2054 unreadable none [sector 2054 lies beyond the partition]\nfsinfo 2049 valid\n"
     "hidden 2048 match\nbogus113 8 0 1024 1048576 4\ndamaged\nread 2048 2049"},
    {"NtfsBackupMissingImageOneSectorShort", disk({{kStart, ntfsBoot({})}}, (kStart + 204799) * 512),
     {kStart, 204800, 0},
     "fs NTFS\nprimary 2048 NTFS\nbackup 206847 unreadable none [sector 206847 lies beyond the "
     "end of the image (206847 sectors)]\nhidden 2048 match\ndamaged\nread 2048"},
    {"NtfsPrimaryZeroed", disk({{kStart + 204799, ntfsBoot({})}}), {kStart, 204800, 0},
     "fs NTFS\nprimary 2048 none (an empty sector (all zero))\nbackup 206847 NTFS differs: File "
     "System\nhidden 2048 match\nrestore NTFS 2048 204800\ndamaged\nread 2048 2050 2054 206847"},
    {"HiddenSectorsWrong", disk({{kStart, fatBoot(with(fat16(), [](Fat& f) { f.hidden = 63; }))}}),
     {kStart, 65536, 0},
     "fs FAT16\nprimary 2048 FAT16\nno backup: FAT12 and FAT16 keep no backup of the boot "
     "sector\nhidden 63 differ\nno dynroot\ndamaged\nread 2048 2180"},
    {"LogicalHiddenSectorsCountFromItsTable",
     disk({{kStart, fatBoot(with(fat16(), [](Fat& f) { f.hidden = 63; }))}}),
     {kStart, 65536, kStart - 63},
     "fs FAT16\nprimary 2048 FAT16\nno backup: FAT12 and FAT16 keep no backup of the boot "
     "sector\nhidden 63 match\nno dynroot\nsound\nread 2048 2180"},
    {"Fat32TotalBeyondPartition",
     disk({{kStart, fatBoot(fat32())}, {kStart + 1, fsInfo()}, {kStart + 6, fatBoot(fat32())}}),
     {kStart, 1000000, 0},
     "fs FAT32\nprimary 2048 FAT32 [its 1048576 sectors reach beyond the partition's 1000000]\n"
     "backup 2054 FAT32 [its 1048576 sectors reach beyond the partition's 1000000] identical\n"
     "fsinfo 2049 valid\nhidden 2048 match\nbogus113 8 0 1024 1048576 1000000\ndamaged\n"
     "read 2048 2054 2049"},
    {"NtfsTotalFillsWholePartition",
     disk({{kStart, ntfsBoot({.total = 204800})}, {kStart + 204799, ntfsBoot({.total = 204800})}}),
     {kStart, 204800, 0},
     "fs NTFS\nprimary 2048 NTFS [its 204801 sectors reach beyond the partition's 204800]\n"
     "backup 206847 NTFS [its 204801 sectors reach beyond the partition's 204800] identical\n"
     "backup 206848 none (an empty sector (all zero)) differs: File System\nhidden 2048 match\n"
     "bogus113 8 0 0 204800 204800\ndamaged\nread 2048 206847 206848"},
    {"HugeSectorsPerFatDescribedNotFollowed",
     disk({{kStart, fatBoot(with(fat16(), [](Fat& f) { f.sectorsPerFat16 = 65535; }))}}),
     {kStart, 65536, 0},
     "fs FAT16\nprimary 2048 FAT16 [its 2 FATs of 65535 sectors reach beyond the volume's "
     "65536]\nno backup: FAT12 and FAT16 keep no backup of the boot sector\nhidden 2048 match\n"
     "damaged\nread 2048"},
    {"RootBeyondVolumeReadOnlyInsideImage",
     [](MemoryImage& image) {
         image.bytes = 40 * 512;
         image.fill = 'A';  // every other sector is full of directory entries
         Fat f;
         f.rootEntries = 65535, f.total16 = 2000, f.sectorsPerFat16 = 6, f.type = "FAT12   ";
         image.sectors[0] = fatBoot(f);
     },
     {0, 0, {}},
     "fs FAT12\nprimary 0 FAT12 [its 2000 sectors reach beyond the partition's 40; its root "
     "directory of 65535 entries reaches beyond the volume's 2000 sectors]\nno backup: FAT12 and "
     "FAT16 keep no backup of the boot sector\nno dynroot\ndamaged\nread 0 13 14 15 16 17 18 19 "
     "20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39"},
    {"PrimaryUnreadable",
     [](MemoryImage& image) {
         disk({{kStart + 6, fatBoot(fat32())}})(image);
         image.failing = {kStart};
     },
     {kStart, 1048576, 0},
     "fs FAT32\nprimary 2048 unreadable none [sector 2048 cannot be read: Input/output error]\n"
     "backup 2054 FAT32\nhidden 2048 match\nrestore FAT32 2048 1048576\nerror sector 2048 "
     "cannot be read: Input/output error\ndamaged\nread 2048 2054 1050623"},
    {"StartBeyondImage", disk({}, 1000 * 512), {kStart, 0, {}},
     "fs none\nprimary 2048 unreadable none\nerror sector 2048 lies beyond the end of the image "
     "(1000 sectors)\nsound\nread "},
};

class Volumes : public testing::TestWithParam<VolumeCase> {};

TEST_P(Volumes, ReadsOnlyWhatItNeeds) {
    MemoryImage image;
    GetParam().make(image);
    EXPECT_EQ(summary(readVolume(image, GetParam().place), image), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(BootSector, Volumes, testing::ValuesIn(kVolumes),
                         [](const auto& info) { return std::string(info.param.name); });

// The parameter block named as a partinfo boot record names and prints it:
// the listing's own FAT32, FAT16 and NTFS records.
struct FieldsCase {
    const char* name;
    SectorBytes sector;
    std::uint64_t partition;
    FileSystem fileSystem;
    std::vector<BootRecordField> fields;
};

std::vector<FieldsCase> fieldsCases() {
    Fat d = fat32();
    d.oem = "IBM  7.1", d.sectorsPerCluster = 16, d.hidden = 63, d.total32 = 20884437;
    d.sectorsPerFat32 = 10193, d.serial = 0x3E7A1C52, d.label = "MEDIA      ";
    Fat e = fat16();
    e.oem = "MSWIN4.0", e.sectorsPerCluster = 64, e.reserved = 1, e.sectorsPerFat16 = 246;
    e.hidden = 63, e.total32 = 4016187, e.serial = 0x5D21A8F3, e.label = "BACKUP     ";
    const Ntfs c{.sectorsPerCluster = 8, .hidden = 63, .total = 20964761, .mft = 262144,
                 .mirror = 1310297};
    return {
        {"Fat32", fatBoot(d), 20884437, FileSystem::Fat32,
         {{"Jump", "EB 58 90"}, {"OEM Name", "IBM  7.1"}, {"Bytes per Sector", "512"},
          {"Sectors per Cluster", "16"}, {"Reserved Sectors", "32"}, {"Number of FAT's", "2"},
          {"Reserved", "0x0000"}, {"Reserved", "0x0000"}, {"Media Descriptor", "0xF8"},
          {"Sectors per FAT", "0"}, {"Sectors per Track", "63  (0x3F)"},
          {"Number of Heads", "255  (0xFF)"}, {"Hidden Sectors", "63  (0x3F)"},
          {"Big Total Sectors", "20884437  (0x13EABD5)"}, {"Big Sectors per FAT", "10193"},
          {"Extended Flags", "0x0000"}, {"FS Version", "0"}, {"First Cluster of Root", "2  (0x2)"},
          {"FS Info Sector", "1"}, {"Backup Boot Sector", "6"},
          {"Reserved", "000000000000000000000000"}, {"Drive ID", "0x80"},
          {"Reserved for NT", "0x00"}, {"Extended Boot Sig", "0x29"},
          {"Serial Number", "0x3E7A1C52"}, {"Volume Name", "MEDIA"},
          {"File System Type", "FAT32"}, {"Boot Signature", "0xAA55"}}},
        {"Fat16", fatBoot(e), 4016187, FileSystem::Fat16,
         {{"Jump", "EB 3C 90"}, {"OEM Name", "MSWIN4.0"}, {"Bytes per Sector", "512"},
          {"Sectors per Cluster", "64"}, {"Reserved Sectors", "1"}, {"Number of FAT's", "2"},
          {"Root Dir Entries", "512"}, {"Total Sectors", "0"}, {"Media Descriptor", "0xF8"},
          {"Sectors per FAT", "246"}, {"Sectors per Track", "63  (0x3F)"},
          {"Number of Heads", "255  (0xFF)"}, {"Hidden Sectors", "63  (0x3F)"},
          {"Big Total Sectors", "4016187  (0x3D483B)"}, {"Drive ID", "0x80"},
          {"Reserved for NT", "0x00"}, {"Extended Boot Sig", "0x29"},
          {"Serial Number", "0x5D21A8F3"}, {"Volume Name", "BACKUP"},
          {"File System Type", "FAT16"}, {"Boot Signature", "0xAA55"}}},
        {"Ntfs", ntfsBoot(c), 20964762, FileSystem::Ntfs,
         {{"Jump", "EB 52 90"}, {"OEM Name", "NTFS"}, {"Bytes per Sector", "512"},
          {"Sectors per Cluster", "8"}, {"Reserved Sectors", "0"}, {"Number of FATs", "0"},
          {"Root Dir Entries", "0"}, {"Total Sectors", "0"}, {"Media Descriptor", "0xF8"},
          {"Sectors per FAT", "0"}, {"Sectors per Track", "63  (0x3F)"},
          {"Number of Heads", "255  (0xFF)"}, {"Hidden Sectors", "63  (0x3F)"},
          {"Total Sectors (>32MB)", "0  (0x0)"}, {"Unused", "0x80008000"},
          {"Total NTFS Sectors", "20964761"}, {"MFT Start Cluster", "262144"},
          {"MFT Mirror Start Clust", "1310297"}, {"Clusters per FRS", "246"},
          {"Clusters per Index Blk", "1"}, {"Serial Number", "0x4A1E2F7C8B3D9A06"},
          {"Checksum", "0  (0x0)"}, {"Boot Signature", "0xAA55"}}},
    };
}

TEST(BootSectorFields, NamedAndPrintedAsAListingsBootRecord) {
    for (const auto& c : fieldsCases()) {
        SCOPED_TRACE(c.name);
        const BootSectorCopy copy = decodeBootSector(c.sector, c.partition);
        EXPECT_EQ(copy.fileSystem, c.fileSystem);
        EXPECT_EQ(copy.problems, std::vector<std::string>{});
        EXPECT_EQ(copy.fields, c.fields);
    }
}

// The count of clusters decides the type, whatever the label says; a
// block that cannot give a count falls back on the label.
TEST(BootSectorFields, TypeByCountOfClusters) {
    struct Case {
        const char* name;
        Fat fat;
        FileSystem expected;
    };
    const std::vector<Case> cases = {
        {"4084 clusters", with(Fat{}, [](Fat& f) {
             f.rootEntries = 16, f.sectorsPerFat16 = 12, f.total16 = 1 + 24 + 1 + 4084;
             f.type = "FAT16   ";
         }), FileSystem::Fat12},
        {"4085 clusters", with(Fat{}, [](Fat& f) {
             f.rootEntries = 16, f.sectorsPerFat16 = 12, f.total16 = 1 + 24 + 1 + 4085;
             f.type = "FAT12   ";
         }), FileSystem::Fat16},
        {"65524 clusters", with(Fat{}, [](Fat& f) {
             f.rootEntries = 16, f.sectorsPerFat16 = 256, f.total32 = 1 + 512 + 1 + 65524;
         }), FileSystem::Fat16},
        {"65525 clusters", with(fat32(), [](Fat& f) {
             f.sectorsPerCluster = 1, f.sectorsPerFat32 = 512, f.total32 = 32 + 1024 + 65525;
         }), FileSystem::Fat32},
        {"no count: the label", with(fat32(), [](Fat& f) { f.sectorsPerCluster = 0; }),
         FileSystem::Fat32},
        // Laid out for FAT32 with too few clusters, as a formatter makes a
        // small FAT32 volume: its fields are where FAT32 keeps them.
        {"65524 clusters laid out for FAT32", with(fat32(), [](Fat& f) {
             f.sectorsPerCluster = 1, f.sectorsPerFat32 = 512, f.total32 = 32 + 1024 + 65524;
         }), FileSystem::Fat32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeBootSector(fatBoot(c.fat), 0).fileSystem, c.expected);
    }
    const Fat small = with(fat32(), [](Fat& f) {
        f.sectorsPerCluster = 1, f.sectorsPerFat32 = 512, f.total32 = 32 + 1024 + 65524;
    });
    EXPECT_EQ(decodeBootSector(fatBoot(small), 0).problems,
              std::vector<std::string>{"its 65524 clusters are fewer than the 65525 of a FAT32 "
                                       "volume, so systems that go by the count take it for FAT16"});
}

// Absurd parameter blocks: every problem described, in the sector's order.
TEST(BootSectorFields, ProblemsOfAbsurdBlocks) {
    struct Case {
        const char* name;
        SectorBytes sector;
        std::uint64_t partition;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"sizes that are no powers of two",
         fatBoot(with(fat16(), [](Fat& f) { f.bytesPerSector = 1000, f.sectorsPerCluster = 3; })),
         65536,
         {"Bytes per Sector is 1000, not a power of two from 512 to 4096",
          "Sectors per Cluster is 3, not a power of two"}},
        {"nothing reserved, no FATs, no media",
         fatBoot(with(fat16(), [](Fat& f) { f.reserved = 0, f.fats = 0, f.media = 0; })), 65536,
         {"Reserved Sectors is 0", "Number of FATs is 0",
          "Media Descriptor is 0x00, not F0 or F8 to FF"}},
        {"a count of clusters beyond FAT32",
         fatBoot(with(fat32(), [](Fat& f) {
             f.sectorsPerCluster = 1, f.total32 = 0xFFFFFFFF, f.sectorsPerFat32 = 0x200000;
         })),
         0,
         {"its count of 4290772959 clusters is more than FAT32 can address",
          "Sectors per FAT is 2097152, too few for a FAT of 4290772959 clusters"}},
        {"NTFS clusters of 4096 sectors, MFT beyond the volume",
         changed(ntfsBoot({.mft = 50}), [](SectorBytes& s) { s[13] = 0xF4; }), 204800,
         {"MFT Start Cluster 50 lies beyond the volume"}},
        {"NTFS total beyond any disk", ntfsBoot({.total = ~std::uint64_t{0}}), 204800,
         {"Total NTFS Sectors 18446744073709551615 is beyond any disk"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeBootSector(c.sector, c.partition).problems, c.problems);
    }
}

// Volumes that mkfs.fat and mkntfs make, read as bare partition images:
// every copy sound, backups identical.
TEST(BootSectorMadeByTools, SoundVolumes) {
    struct Case {
        const char* name;
        const char* tool;
        std::string command;  // with IMAGE for the file
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"FAT12", "mkfs.fat", "mkfs.fat -C -F 12 IMAGE 1440",
         "fs FAT12\nprimary 0 FAT12\nno backup: FAT12 and FAT16 keep no backup of the boot "
         "sector\nno dynroot\nsound"},
        {"FAT16 with 1 reserved sector", "mkfs.fat", "mkfs.fat -C -F 16 -R 1 IMAGE 40000",
         "fs FAT16\nprimary 0 FAT16\nno backup: FAT12 and FAT16 keep no backup of the boot "
         "sector\nno dynroot\nsound"},
        {"FAT32 with 32 reserved sectors", "mkfs.fat", "mkfs.fat -C -F 32 -R 32 IMAGE 40000",
         "fs FAT32\nprimary 0 FAT32\nbackup 6 FAT32 identical\nfsinfo 1 valid\nsound"},
        {"NTFS", "mkntfs", "truncate -s 16M IMAGE && mkntfs -f -F -q -p 0 IMAGE",
         "fs NTFS\nprimary 0 NTFS\nbackup 32767 NTFS identical\nsound"},
    };
    bool ran = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::system((std::string("command -v ") + c.tool + " >/dev/null 2>&1").c_str()) != 0)
            continue;
        const auto path = test::scratchPath("bootsector", "volume.img");
        std::filesystem::remove(path);
        std::string command = c.command;
        for (std::size_t at; (at = command.find("IMAGE")) != std::string::npos;)
            command.replace(at, 5, "'" + path.string() + "'");
        ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
        MemoryImage image;
        image.bytes = std::filesystem::file_size(path);
        std::ifstream in(path, std::ios::binary);
        SectorBytes sector{};
        for (std::uint64_t n = 0;
             in.read(reinterpret_cast<char*>(sector.data()), sector.size()); ++n)
            if (std::any_of(sector.begin(), sector.end(), [](auto b) { return b != 0; }))
                image.sectors[n] = sector;
        std::filesystem::remove(path);
        std::string text = summary(readVolume(image, {0, 0, {}}), image);
        EXPECT_EQ(text.substr(0, text.rfind("\nread")), c.expected);
        ran = true;
    }
    if (!ran) GTEST_SKIP() << "neither mkfs.fat nor mkntfs is installed";
}

}  // namespace

}  // namespace quorvane::core
