// Reading a partition table from an image: the decoded entries and chain,
// the refused inputs, the geometry guess against tables that sfdisk and
// fdisk wrote, placeholders, each entry's verdicts and the findings across
// entries.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/workbench/tablecheck.h"
#include "platform/diskimage_std.h"
#include "printers.h"
#include "scratch.h"
#include "tableimage.h"

namespace quorvane::core {

namespace {

using test::entryAt;
using test::RawEntry;
using test::TableImage;

constexpr std::uint64_t kCylinder = 255 * 63;
constexpr std::uint64_t kMiB = 1024 * 1024;

// Bytes from memory, counting the sectors read.
class MemoryImage : public DiskImage {
public:
    explicit MemoryImage(const TableImage& image) : image_(image) {}
    std::uint64_t size() const override { return image_.size; }
    std::optional<std::string> readSector(std::uint64_t sector, SectorBytes& bytes) override {
        read.push_back(sector);
        const auto found = image_.sectors.find(sector);
        bytes = found == image_.sectors.end() ? SectorBytes{} : found->second;
        return std::nullopt;
    }
    std::vector<std::uint64_t> read;

private:
    const TableImage& image_;
};

TableReading readImage(const TableImage& image, const TableRequest& request = {}) {
    MemoryImage memory(image);
    return readPartitionTable(memory, request, NumberFormat::point());
}

// Given geometry 1024/255/63.
TableRequest drive1024() {
    TableRequest r;
    r.heads = 255, r.sectors = 63, r.cylinders = 1024;
    return r;
}

// --- Inputs that hold no partition table ----------------------------------

struct Refused {
    const char* name;
    TableImage image;
    std::string error;
};
void PrintTo(const Refused& c, std::ostream* out) { *out << c.name; }

class RefusedImageTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedImageTest, SaysWhy) {
    const TableReading reading = readImage(GetParam().image);
    EXPECT_EQ(reading.error, GetParam().error);
    EXPECT_TRUE(reading.entries.empty());
}

// A BIOS parameter block from byte 11 on: bytes per sector, sectors per
// cluster, reserved sectors, FATs, root entries, 16-bit total, media, 16-bit
// sectors per FAT; at byte 32 the 32-bit total and sectors per FAT.
std::string fatBlock(unsigned bytesPerSector, unsigned perCluster, unsigned reserved,
                     unsigned fats, unsigned rootEntries, unsigned total16, unsigned media,
                     unsigned fat16, std::uint32_t total32 = 0, std::uint32_t fat32 = 0) {
    const auto le = [](std::uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i) text += static_cast<char>(value >> (8 * i) & 0xFF);
        return text;
    };
    return le(bytesPerSector, 2) + le(perCluster, 1) + le(reserved, 2) + le(fats, 1) +
           le(rootEntries, 2) + le(total16, 2) + le(media, 1) + le(fat16, 2) +
           std::string(8, '\0') + le(total32, 4) + le(fat32, 4);
}

// A volume's boot sector: the jump, the maker's name, the parameter block,
// labels at their offsets, and boot code or messages where a table's
// entries would be; then 55AA.
TableImage volume(const std::string& name, const std::string& block,
                  const std::vector<std::pair<std::size_t, std::string>>& labels,
                  const std::string& code = "\r\nNon-system disk or disk error\r\nReplace and "
                                            "press any key when ready\r\n") {
    TableImage image(kMiB);
    image.bytes(0, "\xEB\x3C\x90" + name + block);
    for (const auto& [at, label] : labels) image.bytes(0, label, at);
    return image.bytes(0, code, 440).signature(0);
}

// Why an image of one volume is refused.
std::string oneVolume(const std::string& kind) {
    return "it is " + kind +
           ", not a whole disk: it holds no partition table. It looks like an image of one "
           "partition; save the whole disk instead (dd if=/dev/sdX of=disk.img)";
}

TableImage withEntry(std::uint64_t size) {
    TableImage image(size);
    image.entry(0, 1, entryAt(0x83, 0, 2048, 2048));
    return image;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RefusedImageTest,
    ::testing::Values(
        Refused{"Empty", TableImage(0), "the file is empty"},
        Refused{"OneByte", TableImage(1), "the file holds 1 byte, less than one sector (512 bytes)"},
        Refused{"Short", withEntry(511),
                "the file holds 511 bytes, less than one sector (512 bytes)"},
        Refused{"Qcow2", TableImage(kMiB).bytes(0, "QFI\xfb"),
                "it is a qcow2 virtual disk, not a raw disk image; qemu-img convert -O raw "
                "makes a raw image of it"},
        Refused{"Vhdx", TableImage(kMiB).bytes(0, "vhdxfile"),
                "it is a VHDX virtual disk, not a raw disk image; qemu-img convert -O raw "
                "makes a raw image of it"},
        Refused{"Vmdk", TableImage(kMiB).bytes(0, "KDMV"),
                "it is a VMDK virtual disk, not a raw disk image; qemu-img convert -O raw "
                "makes a raw image of it"},
        Refused{"NoSignature", TableImage(kMiB).bytes(0, std::string(512, 'x')),
                "its first sector does not end with the signature 55AA of a partition table"},
        Refused{"AllZeroTable", TableImage(kMiB).signature(0),
                "the partition table in its first sector is empty (all four entries are zero)"},
        Refused{"BootFlagOfNoTable",
                TableImage(kMiB).entry(0, 2, RawEntry{0x3C, 0x83, {}, {}, 2048, 2048}),
                "its first sector holds no partition table: the entry in slot 2 has the boot "
                "flag 3C, where a partition table has 00 or 80"},
        Refused{"Fat12ByClustersAndLabel",
                volume("MSDOS5.0", fatBlock(512, 1, 1, 2, 224, 2880, 0xF0, 9), {{54, "FAT12   "}}),
                oneVolume("a FAT12 file system")},
        Refused{"Fat16ByClustersUnderTheLabelFat",
                volume("MSWIN4.1", fatBlock(512, 8, 4, 2, 512, 0, 0xF8, 256, 400000),
                       {{54, "FAT     "}}),
                oneVolume("a FAT16 file system")},
        Refused{"Fat32ByClustersUnderTheLabelFat16",
                volume("mkfs.fat", fatBlock(512, 8, 32, 2, 0, 0, 0xF8, 0, 4194304, 4088),
                       {{54, "FAT16   "}}),
                oneVolume("a FAT32 file system")},
        Refused{"Fat32ByItsLabelAlone", volume("MSWIN4.1", {}, {{82, "FAT32   "}}),
                oneVolume("a FAT32 file system")},
        // mkfs.fat leaves the bytes of a table's entries zero.
        Refused{"Fat32WithEmptyEntries",
                volume("mkfs.fat", fatBlock(512, 8, 32, 2, 0, 0, 0xF8, 0, 4194304, 4088),
                       {{82, "FAT32   "}}, ""),
                oneVolume("a FAT32 file system")},
        Refused{"Ntfs", volume("NTFS    ", {}, {}), oneVolume("an NTFS file system")},
        Refused{"ExFat", volume("EXFAT   ", {}, {}, std::string(64, '\xF4')),
                oneVolume("an exFAT file system")},
        Refused{"Hpfs", volume("IBM 10.2", {}, {{54, "HPFS    "}}), oneVolume("an HPFS file system")},
        Refused{"BitLocker", volume("-FVE-FS-", {}, {}), oneVolume("a BitLocker-encrypted volume")},
        Refused{"Ext4", TableImage(kMiB).bytes(2, "\x53\xEF", 56),
                oneVolume("an ext2, ext3 or ext4 file system")}),
    [](const auto& info) { return std::string(info.param.name); });

// Operating systems take a sector whose entries carry boot flags of 00 and
// 80 for a table, whatever else it holds.
TEST(ReadPartitionTable, ABootSectorThatHoldsAValidTableIsReadAsATable) {
    TableImage image = volume("NTFS    ", {}, {}, "");
    image.entry(0, 1, entryAt(0x07, 0, 2048, 4096));
    const TableReading reading = readImage(image);
    EXPECT_EQ(reading.error, "");
    EXPECT_EQ(reading.entries.size(), 1u);
}

TEST(UnreadableText, NamesThePathAndTheReason) {
    EXPECT_EQ(unreadableText("disk.img", "the file is empty"),
              "Cannot read 'disk.img' as a partition table: the file is empty.");
}

// --- Decoding and the chain -----------------------------------------------

// An active partition reaching cylinder 1000 (the cylinder's high bits in
// the sector byte), an extended partition of type 0F with two logical
// partitions, an empty slot and one more partition.
TableImage chainImage() {
    const std::uint32_t ext = 1001 * kCylinder;
    TableImage image(1100 * kCylinder * 512);
    RawEntry first = entryAt(0x07, 0, 63, 1001 * kCylinder - 63);
    first.boot = 0x80;
    image.entry(0, 1, first)
        .entry(0, 2, entryAt(0x0F, 0, ext, 40 * kCylinder))
        .entry(0, 4, entryAt(0x0C, 0, 1041 * kCylinder, 10 * kCylinder));
    image.entry(ext, 1, entryAt(0x83, ext, 63, 10 * kCylinder - 63))
        .entry(ext, 2, entryAt(0x05, ext, 10 * kCylinder, 10 * kCylinder));
    const std::uint32_t second = ext + 10 * kCylinder;
    image.entry(second, 1, entryAt(0x82, second, 63, 10 * kCylinder - 63));
    return image;
}

TEST(ReadRawTable, DecodesEveryEntryAndFollowsTheChainReadingOnlyItsSectors) {
    const TableImage image = chainImage();
    MemoryImage memory(image);
    const RawTable table = readRawTable(memory);
    const std::uint64_t ext = 1001 * kCylinder;
    const std::uint64_t second = ext + 10 * kCylinder;
    using R = EntryRole;
    const std::vector<TableEntry> expected = {
        {0, 1, 1, R::Primary, 0x80, 0x07, {0, 1, 1}, {1000, 254, 63}, 63,
         static_cast<std::uint32_t>(ext - 63), 63},
        {0, 2, 2, R::Extended, 0, 0x0F, {1001, 0, 1}, {1023, 254, 63},
         static_cast<std::uint32_t>(ext), 40 * kCylinder, ext},
        {0, 4, 4, R::Primary, 0, 0x0C, {1023, 254, 63}, {1023, 254, 63}, 1041 * kCylinder,
         10 * kCylinder, 1041 * kCylinder},
        {ext, 1, 5, R::Logical, 0, 0x83, {1001, 1, 1}, {1010, 254, 63}, 63,
         10 * kCylinder - 63, ext + 63},
        {ext, 2, std::nullopt, R::Link, 0, 0x05, {1011, 0, 1}, {1020, 254, 63},
         10 * kCylinder, 10 * kCylinder, second},
        {second, 1, 6, R::Logical, 0, 0x82, {1011, 1, 1}, {1020, 254, 63}, 63,
         10 * kCylinder - 63, second + 63},
    };
    EXPECT_EQ(table.error, "");
    EXPECT_EQ(table.entries, expected);
    EXPECT_EQ(table.chainBreak, std::nullopt);
    EXPECT_EQ(memory.read, (std::vector<std::uint64_t>{0, ext, second}));
}

// --- Findings ---------------------------------------------------------------

struct FindingCase {
    const char* name;
    std::function<TableImage()> image;
    std::vector<Finding> findings;
    TableRequest request = {};
};
void PrintTo(const FindingCase& c, std::ostream* out) { *out << c.name; }

class FindingsTest : public ::testing::TestWithParam<FindingCase> {};

TEST_P(FindingsTest, WholeFindings) {
    const FindingCase& c = GetParam();
    const TableReading reading = readImage(c.image(), c.request);
    EXPECT_EQ(reading.error, "");
    EXPECT_EQ(reading.findings, c.findings);
}

// An extended partition at 2048 with logical partitions one after another,
// each record's link pointing at `link(n)` (relative to the extended start).
TableImage chainOf(unsigned records, std::function<std::uint32_t(unsigned)> link,
                   std::uint64_t size = 1000 * kMiB) {
    TableImage image(size);
    image.entry(0, 1, entryAt(0x05, 0, 2048, 1000000));
    for (unsigned n = 0; n < records; ++n) {
        const std::uint64_t at = 2048 + std::uint64_t{n} * 4096;
        image.entry(at, 1, entryAt(0x83, at, 2048, 2048));
        image.entry(at, 2, entryAt(0x05, 2048, link(n), 4096));
    }
    return image;
}

const std::vector<Finding> kNone;

INSTANTIATE_TEST_SUITE_P(
    Tables, FindingsTest,
    ::testing::Values(
        FindingCase{"NoneInAConsistentTable", chainImage, kNone},
        FindingCase{"ChainLoops",
                    [] { return chainOf(3, [](unsigned n) { return n < 2 ? (n + 1) * 4096 : 4096; }); },
                    {{FindingKind::ChainLoop,
                      {{10240, 2}},
                      "The chain of extended boot records loops: the link entry in table "
                      "sector 10240, slot 2 points back at sector 6144, which was already "
                      "read."}}},
        FindingCase{"ChainPointsBeyondTheFile",
                    [] { return chainOf(2, [](unsigned n) { return n == 0 ? 4096 : 5000000; }); },
                    {{FindingKind::LinkOutside,
                      {{6144, 2}, {0, 1}},
                      "The link entry in table sector 6144, slot 2 points at sector 5002048 for "
                      "the next extended boot record, outside partition 1 (table sector 0, slot "
                      "1), the extended partition (sectors 2048 to 1002047)."},
                     {FindingKind::ChainOutside,
                      {{6144, 2}},
                      "The link entry in table sector 6144, slot 2 points at sector 5002048 for "
                      "an extended boot record, beyond the end of the image (its last sector is "
                      "2047999): the chain ends there."}}},
        FindingCase{"ExtendedPartitionBeyondTheFile",
                    [] {
                        TableImage image(kMiB);
                        image.entry(0, 1, entryAt(0x0F, 0, 4096, 2048));
                        return image;
                    },
                    // The image may hold the disk's first sectors only: the
                    // partition's end beyond it is no finding.
                    {{FindingKind::ChainOutside,
                      {{0, 1}},
                      "Partition 1 (table sector 0, slot 1) points at sector 4096 for an "
                      "extended boot record, beyond the end of the image (its last sector is "
                      "2047): the chain ends there."}}},
        FindingCase{"RecordWithoutSignature",
                    [] {
                        TableImage image = chainOf(1, [](unsigned) { return 4096; });
                        return image;
                    },
                    {{FindingKind::NoSignature,
                      {{2048, 2}},
                      "Sector 6144, where the link entry in table sector 2048, slot 2 points "
                      "for an extended boot record, does not end with the signature 55AA: the "
                      "chain ends there."}}},
        FindingCase{"RecordIsAFileSystemsBootSector",
                    [] {
                        TableImage image = chainOf(1, [](unsigned) { return 4096; });
                        const TableImage fat = volume("MSWIN4.1", {}, {{82, "FAT32   "}});
                        image.sectors[6144] = fat.sectors.at(0);
                        return image;
                    },
                    {{FindingKind::NotATable,
                      {{2048, 2}},
                      "Sector 6144, where the link entry in table sector 2048, slot 2 points "
                      "for an extended boot record, is no extended boot record (it holds the "
                      "boot sector of a FAT32 file system): the chain ends there."}}},
        FindingCase{"RecordWithABootFlagOfNoTable",
                    [] {
                        TableImage image = chainOf(1, [](unsigned) { return 4096; });
                        image.entry(6144, 1, RawEntry{0x3C, 0x83, {}, {}, 63, 100});
                        return image;
                    },
                    {{FindingKind::NotATable,
                      {{2048, 2}},
                      "Sector 6144, where the link entry in table sector 2048, slot 2 points "
                      "for an extended boot record, is no extended boot record (the entry in "
                      "slot 1 has the boot flag 3C, where a partition table has 00 or 80): the "
                      "chain ends there."}}},
        FindingCase{"PartitionsCoverTheirOwnTables",
                    [] {
                        TableImage image(10 * kMiB);
                        image.entry(0, 1, entryAt(0x83, 0, 0, 2048))
                            .entry(0, 2, entryAt(0x05, 0, 4096, 8192));
                        image.entry(4096, 1, entryAt(0x83, 4096, 0, 2048));
                        return image;
                    },
                    {{FindingKind::CoversTable,
                      {{0, 1}},
                      "Partition 1 (table sector 0, slot 1) starts at sector 0 and so covers its "
                      "own partition table in sector 0."},
                     {FindingKind::CoversTable,
                      {{4096, 1}},
                      "Partition 5 (table sector 4096, slot 1) starts at sector 4096 and so "
                      "covers its own extended boot record in sector 4096."}}},
        FindingCase{"LogicalPartitionsAndALinkOutsideTheExtendedPartition",
                    [] {
                        TableImage image(100 * kMiB);
                        image.entry(0, 1, entryAt(0x05, 0, 2048, 10000));
                        image.entry(2048, 1, entryAt(0x83, 2048, 2048, 20000))
                            .entry(2048, 2, entryAt(0x05, 2048, 50000, 100));
                        image.entry(52048, 1, entryAt(0x83, 52048, 63, 100));
                        return image;
                    },
                    {{FindingKind::OutsideExtended,
                      {{2048, 1}, {0, 1}},
                      "Partition 5 (table sector 2048, slot 1) lies at sectors 4096 to 24095, "
                      "not wholly inside partition 1 (table sector 0, slot 1), the extended "
                      "partition (sectors 2048 to 12047)."},
                     {FindingKind::LinkOutside,
                      {{2048, 2}, {0, 1}},
                      "The link entry in table sector 2048, slot 2 points at sector 52048 for "
                      "the next extended boot record, outside partition 1 (table sector 0, slot "
                      "1), the extended partition (sectors 2048 to 12047)."},
                     {FindingKind::OutsideExtended,
                      {{52048, 1}, {0, 1}},
                      "Partition 6 (table sector 52048, slot 1) lies at sectors 52111 to 52210, "
                      "not wholly inside partition 1 (table sector 0, slot 1), the extended "
                      "partition (sectors 2048 to 12047)."}}},
        FindingCase{"RecordWithTwoPartitions",
                    [] {
                        TableImage image(100 * kMiB);
                        image.entry(0, 1, entryAt(0x05, 0, 2048, 100000));
                        image.entry(2048, 1, entryAt(0x83, 2048, 63, 1000))
                            .entry(2048, 3, entryAt(0x07, 2048, 2000, 1000));
                        return image;
                    },
                    {{FindingKind::ExtraLogical,
                      {{2048, 1}, {2048, 3}},
                      "The extended boot record in sector 2048 holds 2 partitions, partition 5 "
                      "(table sector 2048, slot 1) and partition 6 (table sector 2048, slot 3): "
                      "most systems use only the first and ignore the others."}}},
        FindingCase{"OnePartitionOverlapsTwo",
                    [] {
                        TableImage image(kMiB);
                        image.entry(0, 1, entryAt(0x83, 0, 100, 1000))
                            .entry(0, 2, entryAt(0x83, 0, 200, 100))
                            .entry(0, 3, entryAt(0x83, 0, 500, 100));
                        return image;
                    },
                    {{FindingKind::Overlap,
                      {{0, 1}, {0, 2}, {0, 3}},
                      "Partition 1 (table sector 0, slot 1) overlaps 2 partitions after it: "
                      "partition 2 (table sector 0, slot 2) at sectors 200 to 299 and partition "
                      "3 (table sector 0, slot 3) at sectors 500 to 599."}}},
        FindingCase{"ChainTooLong",
                    [] {
                        TableImage image = chainOf(
                            300, [](unsigned n) { return (n + 1) * 4096; }, 4000 * kMiB);
                        return image.entry(0, 1, entryAt(0x05, 0, 2048, 1300000));
                    },
                    {{FindingKind::ChainTooLong,
                      {{2048 + 255 * 4096, 2}},
                      "The chain of extended boot records holds more than 256 records: it was "
                      "followed no further than the link entry in table sector 1046528, slot "
                      "2."}}},
        FindingCase{"OverlapOrderAndTwoActive",
                    [] {
                        TableImage image(100 * kMiB);
                        RawEntry a = entryAt(0x83, 0, 100000, 20000);
                        RawEntry b = entryAt(0x83, 0, 2048, 10000);
                        RawEntry c = entryAt(0x07, 0, 110000, 20000);
                        a.boot = c.boot = 0x80;
                        image.entry(0, 1, a).entry(0, 2, b).entry(0, 3, c);
                        return image;
                    },
                    {{FindingKind::Overlap,
                      {{0, 1}, {0, 3}},
                      "Partition 1 (table sector 0, slot 1) and partition 3 (table sector 0, "
                      "slot 3) overlap: sectors 110000 to 119999 belong to both."},
                     {FindingKind::Order,
                      {{0, 2}, {0, 1}},
                      "Partition 2 (table sector 0, slot 2) starts at sector 2048, before "
                      "partition 1 (table sector 0, slot 1) at sector 100000: the entries are "
                      "not in disk order."},
                     {FindingKind::Active,
                      {{0, 1}, {0, 3}},
                      "More than one primary partition is active: partition 1 (table sector 0, "
                      "slot 1), partition 3 (table sector 0, slot 3)."}}},
        // Logical partitions lie in the extended one; two of them may not
        // share sectors, nor one with a primary partition.
        FindingCase{"LogicalOverlaps",
                    [] {
                        TableImage image(100 * kMiB);
                        image.entry(0, 1, entryAt(0x05, 0, 2048, 100000))
                            .entry(0, 2, entryAt(0x83, 0, 90000, 20000));
                        image.entry(2048, 1, entryAt(0x83, 2048, 2048, 10000))
                            .entry(2048, 2, entryAt(0x05, 2048, 8000, 92000));
                        image.entry(10048, 1, entryAt(0x83, 10048, 2, 89000));
                        return image;
                    },
                    {{FindingKind::Overlap,
                      {{0, 1}, {0, 2}},
                      "Partition 1 (table sector 0, slot 1) and partition 2 (table sector 0, "
                      "slot 2) overlap: sectors 90000 to 102047 belong to both."},
                     {FindingKind::Overlap,
                      {{0, 2}, {10048, 1}},
                      "Partition 2 (table sector 0, slot 2) and partition 6 (table sector "
                      "10048, slot 1) overlap: sectors 90000 to 99049 belong to both."},
                     {FindingKind::Overlap,
                      {{2048, 1}, {10048, 1}},
                      "Partition 5 (table sector 2048, slot 1) and partition 6 (table sector "
                      "10048, slot 1) overlap: sectors 10050 to 14095 belong to both."}}},
        FindingCase{"ChsOutsideTheGeometry",
                    [] {
                        TableImage image(1024 * kCylinder * 512);
                        RawEntry a = entryAt(0x06, 0, 63, kCylinder - 63);
                        a.begin = {0, 255, 1};
                        RawEntry b = entryAt(0x06, 0, kCylinder, kCylinder);
                        b.begin.sector = 0;
                        image.entry(0, 1, a).entry(0, 2, b);
                        return image;
                    },
                    {{FindingKind::ChsRange,
                      {{0, 1}},
                      "Partition 1 (table sector 0, slot 1): its begin CHS 0/255/1 has head "
                      "255, but the geometry has 255 heads (0 to 254)."},
                     {FindingKind::ChsRange,
                      {{0, 1}},
                      "Partition 1 (table sector 0, slot 1): its end CHS 0/254/63 has sector "
                      "63, but the geometry has 62 sectors per track."},
                     {FindingKind::ChsRange,
                      {{0, 2}},
                      "Partition 2 (table sector 0, slot 2): its begin CHS 1/0/0 has sector 0, "
                      "but sectors count from 1."},
                     {FindingKind::ChsRange,
                      {{0, 2}},
                      "Partition 2 (table sector 0, slot 2): its end CHS 1/254/63 has sector "
                      "63, but the geometry has 62 sectors per track."}},
                    {255, 62, std::nullopt, "1"}},
        FindingCase{"GptProtective",
                    [] {
                        TableImage image(10000 * kMiB);
                        image.entry(0, 1, {0, 0xEE, {0, 0, 2}, {1023, 255, 63}, 1, 20479999});
                        return image;
                    },
                    {{FindingKind::GptProtective,
                      {{0, 1}},
                      "Partition 1 (table sector 0, slot 1) is a GPT protective entry (type "
                      "EE): the disk holds a GUID partition table, and the error codes of this "
                      "program apply to MBR tables only."}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadPartitionTable, ReadsAHundredLogicalPartitionsFromTheirRecordsAlone) {
    TableImage cut = chainOf(100, [](unsigned n) { return (n + 1) * 4096; });
    // The last record links nowhere.
    for (int i = 0; i < 16; ++i) cut.sectors[2048 + 99 * 4096][446 + 16 + i] = 0;
    MemoryImage memory(cut);
    const TableReading reading = readPartitionTable(memory, {}, NumberFormat::point());
    EXPECT_EQ(reading.entries.size(), 1u + 100 + 99);
    EXPECT_EQ(reading.entries.back().entry.number, 104u);
    EXPECT_EQ(memory.read.size(), 101u);
    EXPECT_EQ(reading.findings, kNone);
}

// An image of a disk's first sectors: the entries reach beyond it, which
// is said once, and the cylinders come from the table's extent unless given.
struct FirstSectorsCase {
    const char* name;
    TableRequest request;
    DriveGeometry geometry;
};
void PrintTo(const FirstSectorsCase& c, std::ostream* out) { *out << c.name; }

class FirstSectorsTest : public ::testing::TestWithParam<FirstSectorsCase> {};

TEST_P(FirstSectorsTest, CylindersFromTheTablesExtentAndOneNote) {
    TableImage image(2048 * 512);
    image.entry(0, 1, entryAt(0x07, 0, 63, 1000 * kCylinder - 63))
        .entry(0, 2, entryAt(0x83, 0, 1000 * kCylinder, 23 * kCylinder + 100));
    const TableReading reading = readImage(image, GetParam().request);
    EXPECT_EQ(reading.geometry, GetParam().geometry);
    EXPECT_EQ(reading.extentNote(),
              "The image holds the first 2048 sectors; the entries reach sector 16434594.");
    EXPECT_EQ(reading.findings, kNone);
}

TableRequest headsAndSectors() {
    TableRequest r;
    r.heads = 255, r.sectors = 63;
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Requests, FirstSectorsTest,
    ::testing::Values(
        FirstSectorsCase{"Guessed", {},
                         {1024, 255, 63, GeometrySource::Guessed, CylinderSource::TableExtent}},
        FirstSectorsCase{"HeadsAndSectorsGiven", headsAndSectors(),
                         {1024, 255, 63, GeometrySource::Given, CylinderSource::TableExtent}},
        FirstSectorsCase{"WholeGeometryGiven", drive1024(),
                         {1024, 255, 63, GeometrySource::Given, CylinderSource::Given}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadPartitionTable, AWholeImageHasNoNote) {
    const TableReading reading = readImage(chainImage());
    EXPECT_FALSE(reading.partialImage());
    EXPECT_EQ(reading.extentNote(), "");
    EXPECT_EQ(reading.geometry.cylinderSource, CylinderSource::Image);
}

// Findings once grew with the square of the entries: 280,803 of them, 40 MB
// of text, for a chain whose partitions all overlap one another.
TEST(ReadPartitionTable, FindingsGrowWithTheEntriesNotWithTheirPairs) {
    const TableReading reading = readImage(test::overlappingChain());
    ASSERT_EQ(reading.entries.size(), 1025u);
    std::size_t overlaps = 0, bytes = 0;
    for (const Finding& f : reading.findings) {
        overlaps += f.kind == FindingKind::Overlap;
        bytes += f.text.size();
        EXPECT_LE(f.entries.size(), 1 + kMostOverlapsNamed);
    }
    // One finding per logical partition but the last, which overlaps none
    // after it.
    EXPECT_EQ(overlaps, 767u);
    EXPECT_LE(reading.findings.size(), 3 * reading.entries.size());
    EXPECT_LE(bytes, 500 * reading.entries.size());
    EXPECT_EQ(reading.findings.front().text,
              "Partition 5 (table sector 2048, slot 1) overlaps 767 partitions after it: "
              "partition 6 (table sector 2048, slot 2) at sectors 2050 to 552048, partition 7 "
              "(table sector 2048, slot 3) at sectors 2051 to 552048, partition 8 (table sector "
              "4096, slot 1) at sectors 4097 to 552048 and 764 more.");
}

// --- Placeholders and each entry's check ------------------------------------

TEST(ReadPartitionTable, PlaceholdersGiveTheFieldsTheAddressOfTheLbaValues) {
    TableImage image(2000 * kCylinder * 512);
    RawEntry fake = entryAt(0x06, 0, 500 * kCylinder, kCylinder);
    fake.begin = {1023, 254, 63};  // below cylinder 1023: taken as written
    image.entry(0, 1, entryAt(0x06, 0, 63, 1023 * kCylinder - 63))
        .entry(0, 2, entryAt(0x0C, 0, 1023 * kCylinder, kCylinder))  // cylinder 1023 itself
        .entry(0, 3, entryAt(0x07, 0, 1500 * kCylinder + 63, 100 * kCylinder - 63))
        .entry(0, 4, fake);
    const TableReading reading = readImage(image);
    ASSERT_EQ(reading.error, "");
    EXPECT_EQ(reading.geometry, (DriveGeometry{2000, 255, 63, GeometrySource::Guessed}));

    struct Expected {
        bool begin, end;
        std::vector<int> failed;
    };
    const std::vector<Expected> expected = {
        {false, false, {}}, {false, false, {}}, {true, true, {}}, {false, false, {104, 110, 116}}};
    ASSERT_EQ(reading.entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(reading.entries[i].beginPlaceholder, expected[i].begin);
        EXPECT_EQ(reading.entries[i].endPlaceholder, expected[i].end);
        EXPECT_EQ(reading.entries[i].failedChecks, expected[i].failed);
    }
    GeometryFields third;
    third.dgcyls = "2000", third.dgheads = "255", third.dgsects = "63";
    third.cyls = "1500", third.heads = "1", third.sects = "1";
    third.ecyls = "1599", third.eheads = "254", third.esects = "63";
    third.lbastrt = "24097563", third.LBAend = "1606437";
    third.prtsct = "0", third.drive = "1", third.prtno = "3", third.filesys = "07";
    EXPECT_EQ(reading.entries[2].fields, third);
}

struct VerdictCase {
    const char* name;
    RawEntry entry;
    std::vector<int> failed;
};
void PrintTo(const VerdictCase& c, std::ostream* out) { *out << c.name; }

class EntryVerdictTest : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(EntryVerdictTest, FailedCodesOfTheCheck) {
    TableImage image(1024 * kCylinder * 512);
    image.entry(0, 1, GetParam().entry);
    const TableReading reading = readImage(image, drive1024());
    ASSERT_EQ(reading.entries.size(), 1u);
    EXPECT_EQ(reading.entries[0].failedChecks, GetParam().failed);
    EXPECT_EQ(reading.entries[0].passed(), GetParam().failed.empty());
}

RawEntry changed(RawEntry e, std::function<void(RawEntry&)> change) {
    change(e);
    return e;
}

const RawEntry kConsistent = entryAt(0x06, 0, 63, 1023 * kCylinder - 63);

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryVerdictTest,
    ::testing::Values(
        VerdictCase{"Consistent", kConsistent, {}},
        VerdictCase{"SectorCountOneCylinderShort",
                    changed(kConsistent, [](RawEntry& e) { e.count -= kCylinder; }), {110}},
        VerdictCase{"StartOffTheBeginChs", changed(kConsistent, [](RawEntry& e) { e.start = 64; }),
                    {116}},
        VerdictCase{"EndOffTheCylinderBoundary",
                    changed(kConsistent, [](RawEntry& e) { e.end.head = 253, e.count -= 63; }),
                    {108}},
        VerdictCase{"ZeroSectors", {0, 0x06, {0, 1, 1}, {0, 0, 63}, 63, 0}, {104, 108}},
        VerdictCase{"StartsBeyondTheDrive", entryAt(0x06, 0, 1030 * kCylinder, kCylinder),
                    {107, 109}},
        VerdictCase{"EndsBeyondTheDrive", entryAt(0x06, 0, 1000 * kCylinder, 30 * kCylinder),
                    {109}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Geometry from tables written by sfdisk and fdisk -------------------------

std::filesystem::path scratch(const std::string& name) {
    return quorvane::test::scratchPath("quorvane_table_", name);
}

#ifndef _WIN32
// Runs a shell command; true when it succeeded.
bool shell(const std::string& command) { return std::system(command.c_str()) == 0; }

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[4096];
        for (std::size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) text.append(chunk, n);
        pclose(pipe);
    }
    return text;
}

struct Written {
    const char* name;
    std::uint64_t megabytes;
    std::string tool;  // "sfdisk" with a script, or fdisk's options and keystrokes
    std::string input;
    unsigned heads, sectors;
};
void PrintTo(const Written& c, std::ostream* out) { *out << c.name; }

class WrittenTableTest : public ::testing::TestWithParam<Written> {};

// The partitions as sfdisk dumps them: "start size type", one a line.
std::string sfdiskPartitions(const std::filesystem::path& image) {
    std::istringstream dump(output("sfdisk -d '" + image.string() + "'"));
    std::string line, listed;
    while (std::getline(dump, line)) {
        unsigned long long start = 0, size = 0;
        char type[8] = {};
        const std::size_t at = line.find("start=");
        if (at == std::string::npos) continue;
        if (std::sscanf(line.c_str() + at, "start= %llu, size= %llu, type=%7[0-9a-f]", &start,
                        &size, type) == 3)
            listed += std::to_string(start) + " " + std::to_string(size) + " " + type + "\n";
    }
    return listed;
}

TEST_P(WrittenTableTest, GuessesTheGeometryAndReadsWhatTheToolDumps) {
    const Written& c = GetParam();
    ASSERT_TRUE(shell("sfdisk --version >/dev/null 2>&1 && fdisk --version >/dev/null 2>&1"))
        << "sfdisk and fdisk (Debian package fdisk) are needed";
    const std::filesystem::path path = scratch(c.name);
    std::filesystem::remove(path);
    std::ofstream(path).close();
    std::filesystem::resize_file(path, c.megabytes * kMiB);
    const std::string input = scratch(std::string(c.name) + ".in").string();
    std::ofstream(input) << c.input;
    ASSERT_TRUE(shell((c.tool == "sfdisk" ? "sfdisk -q '" : "fdisk " + c.tool + " '") +
                      path.string() + "' <'" + input + "' >/dev/null 2>&1"));

    const TableReading reading =
        platform::readTableFile(path.string(), {}, NumberFormat::point());
    ASSERT_EQ(reading.error, "");
    EXPECT_EQ(reading.geometry.heads, c.heads);
    EXPECT_EQ(reading.geometry.sectors, c.sectors);
    EXPECT_EQ(reading.geometry.source, GeometrySource::Guessed);
    std::string listed;
    for (const CheckedEntry& e : reading.entries) {
        if (e.entry.role == EntryRole::Link) continue;
        char type[4];
        std::snprintf(type, sizeof type, "%x", e.entry.type);
        listed += std::to_string(e.entry.start) + " " + std::to_string(e.entry.count) + " " +
                  type + "\n";
    }
    EXPECT_EQ(listed, sfdiskPartitions(path));
    EXPECT_EQ(reading.findings, kNone);
    std::filesystem::remove(path);
    std::filesystem::remove(input);
}

// fdisk's keystrokes: a new table, a primary partition, an extended one
// over the rest and two logical ones.
const std::string kFdiskKeys = "o\nn\np\n1\n\n+100M\nn\ne\n2\n\n\nn\n\n+50M\nn\n\n+50M\nw\n";

INSTANTIATE_TEST_SUITE_P(
    Tools, WrittenTableTest,
    ::testing::Values(
        Written{"Sfdisk255CylinderAligned", 1600, "sfdisk",
                "label: dos\nstart=63, size=1028097, type=83, bootable\n"
                "start=1028160, size=2184840, type=5\nstart=1028223, size=514017, type=7\n"
                "start=1542303, size=514017, type=c\n",
                255, 63},
        Written{"Sfdisk255MiBAligned", 2048, "sfdisk",
                "label: dos\nsize=100MiB, type=83\ntype=5\nsize=50MiB, type=83\nsize=50MiB\n",
                255, 63},
        Written{"Sfdisk255OnePartition", 300, "sfdisk", "label: dos\ntype=c\n", 255, 63},
        Written{"Sfdisk255BeyondCylinder1023", 12000, "sfdisk",
                "label: dos\nsize=8500MiB, type=7\ntype=5\nsize=500MiB\n", 255, 63},
        Written{"Fdisk16CylinderAligned", 600, "-c=dos -H 16 -S 63", kFdiskKeys, 16, 63},
        Written{"Fdisk240CylinderAligned", 2000, "-c=dos -H 240 -S 63", kFdiskKeys, 240, 63},
        Written{"Fdisk16MiBAligned", 600, "-H 16 -S 63", kFdiskKeys, 16, 63},
        Written{"Fdisk240MiBAligned", 2000, "-H 240 -S 63", kFdiskKeys, 240, 63}),
    [](const auto& info) { return std::string(info.param.name); });
#else
TEST(WrittenTableTest, GuessesTheGeometryAndReadsWhatTheToolDumps) {
    GTEST_SKIP() << "sfdisk and fdisk, which write these tables, are Linux tools";
}
#endif

TEST(GuessGeometry, PlaceholdersAloneGiveTheDefault) {
    TableImage image(20000 * kCylinder * 512);
    image.entry(0, 1, entryAt(0x07, 0, 2000 * kCylinder, 1000 * kCylinder));
    EXPECT_EQ(readImage(image).geometry, (DriveGeometry{20000, 255, 63, GeometrySource::Default}));
}

// --- Files that are no saved image --------------------------------------------

TEST(OpenDiskImage, RefusesWhatIsNoRegularFile) {
    const std::filesystem::path directory = scratch("directory");
    std::filesystem::create_directory(directory);
    const std::string saveFirst =
        "save an image first, for example with dd if=/dev/sdX of=disk.img conv=sparse, and read "
        "the image";
    struct Case {
        std::string path, error;
    };
    std::vector<Case> cases = {
        {directory.string(), "it is a directory, not a saved disk image: " + saveFirst},
        {(directory / "missing.img").string(), "it cannot be opened: No such file or directory"},
    };
#ifndef _WIN32
    const std::filesystem::path fifo = directory / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    cases.push_back({fifo.string(), "it is a pipe, not a saved disk image: " + saveFirst});
    cases.push_back({"/dev/null",
                     "it is a device, and Quorvane never reads a disk itself: " + saveFirst});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const platform::OpenedImage opened = platform::openDiskImage(c.path);
        EXPECT_EQ(opened.image, nullptr);
        EXPECT_EQ(opened.error, c.error);
    }
    std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace quorvane::core
