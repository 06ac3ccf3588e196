// quorvane-cli bootsector: the whole text and JSON of volumes whose boot
// sectors the tests write into disk images (and an image of one partition),
// damaged copies, and the command line's mistakes.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "clirun.h"
#include "jsonparse.h"
#include "scratch.h"
#include "bootsectors.h"
#include "tableimage.h"

namespace {

using quorvane::test::cli;
using quorvane::test::CliRun;
using quorvane::test::entryAt;
using quorvane::test::Sector;
using quorvane::test::TableImage;
namespace boot = quorvane::test::boot;

std::string scratch(const std::string& name) {
    return quorvane::test::scratchPath("quorvane_cli_bootsector_", name).string();
}

constexpr std::uint64_t kStart = 2048;

// A FAT32 volume at kStart of `total` sectors, its backup at +6.
Sector fat32Boot(std::uint32_t total) {
    boot::Fat f;
    f.fat32 = true, f.sectorsPerCluster = 8, f.reserved = 32, f.total32 = total;
    f.sectorsPerFat32 = 1024, f.hidden = kStart, f.type = "FAT32   ";
    return boot::fatBoot(f);
}

// A FAT16 volume of 65,536 sectors whose boot record says it starts at
// kStart: its root directory in its sector 132.
Sector fat16Boot() {
    boot::Fat f;
    f.sectorsPerCluster = 4, f.reserved = 4, f.rootEntries = 512, f.total32 = 65536;
    f.sectorsPerFat16 = 64, f.hidden = kStart;
    return boot::fatBoot(f);
}

constexpr std::uint32_t kFat32Sectors = 1048576;

// A disk with one FAT32 partition at kStart whose boot record gives
// `total` sectors; `primary` false leaves the boot sector zeroed.
TableImage fat32Disk(std::uint32_t total = kFat32Sectors, bool primary = true) {
    TableImage image((kStart + kFat32Sectors) * 512);
    image.entry(0, 1, entryAt(0x0C, 0, kStart, kFat32Sectors));
    if (primary) image.sectors[kStart] = fat32Boot(total);
    image.sectors[kStart + 1] = boot::fsInfo();
    image.sectors[kStart + 6] = fat32Boot(total);
    image.sectors[kStart + 7] = boot::fsInfo();
    return image;
}

TableImage ntfsDisk() {
    TableImage image((kStart + 204800) * 512);
    image.entry(0, 1, entryAt(0x07, 0, kStart, 204800));
    image.sectors[kStart] = boot::ntfsBoot({});
    image.sectors[kStart + 204799] = boot::ntfsBoot({});
    return image;
}

// A FAT16 partition whose root directory holds the directory DYN_ROOT.
TableImage dynRootDisk() {
    TableImage image((kStart + 65536) * 512);
    image.entry(0, 1, entryAt(0x06, 0, kStart, 65536));
    image.sectors[kStart] = fat16Boot();
    Sector root{};
    boot::dirEntry(root, 0, "DYN_ROOT   ", 0x10, 0x1234);
    image.sectors[kStart + 4 + 2 * 64] = root;
    return image;
}

// An image of the FAT16 partition alone: its boot sector in sector 0.
TableImage partitionImage() {
    TableImage image(65536 * 512);
    image.sectors[0] = fat16Boot();
    return image;
}

// The parameter block of fat32Boot(total) read from `sector`.
std::string fat32Fields(std::uint32_t total, std::uint64_t sector = kStart) {
    const char* hex = total == kFat32Sectors ? "100000" : "1E8480";
    return "Parameter block in sector " + std::to_string(sector) +
           ":\n"
           "  Jump: EB 58 90\n  OEM Name: MSWIN4.1\n  Bytes per Sector: 512\n"
           "  Sectors per Cluster: 8\n  Reserved Sectors: 32\n  Number of FAT's: 2\n"
           "  Reserved: 0x0000\n  Reserved: 0x0000\n  Media Descriptor: 0xF8\n"
           "  Sectors per FAT: 0\n  Sectors per Track: 63  (0x3F)\n"
           "  Number of Heads: 255  (0xFF)\n  Hidden Sectors: 2048  (0x800)\n"
           "  Big Total Sectors: " + std::to_string(total) + "  (0x" + hex + ")\n"
           "  Big Sectors per FAT: 1024\n  Extended Flags: 0x0000\n  FS Version: 0\n"
           "  First Cluster of Root: 2  (0x2)\n  FS Info Sector: 1\n"
           "  Backup Boot Sector: 6\n  Reserved: 000000000000000000000000\n"
           "  Drive ID: 0x80\n  Reserved for NT: 0x00\n  Extended Boot Sig: 0x29\n"
           "  Serial Number: 0x12345678\n  Volume Name: NO NAME\n"
           "  File System Type: FAT32\n  Boot Signature: 0xAA55\n"
           "bogus113 --sectclus 8 --root 0 --sectsfat 1024 --bigtotal " + std::to_string(total) +
           " --numbersect 1048576\n";
}

// The parameter block of fat16Boot() read from `sector`.
std::string fat16Fields(std::uint64_t sector) {
    return "Parameter block in sector " + std::to_string(sector) +
           ":\n"
           "  Jump: EB 3C 90\n  OEM Name: MSWIN4.1\n  Bytes per Sector: 512\n"
           "  Sectors per Cluster: 4\n  Reserved Sectors: 4\n  Number of FAT's: 2\n"
           "  Root Dir Entries: 512\n  Total Sectors: 0\n  Media Descriptor: 0xF8\n"
           "  Sectors per FAT: 64\n  Sectors per Track: 63  (0x3F)\n"
           "  Number of Heads: 255  (0xFF)\n  Hidden Sectors: 2048  (0x800)\n"
           "  Big Total Sectors: 65536  (0x10000)\n  Drive ID: 0x80\n"
           "  Reserved for NT: 0x00\n  Extended Boot Sig: 0x29\n"
           "  Serial Number: 0x12345678\n  Volume Name: NO NAME\n"
           "  File System Type: FAT16\n  Boot Signature: 0xAA55\n"
           "bogus113 --sectclus 4 --root 512 --sectsfat 64 --bigtotal 65536 --numbersect 65536\n";
}

const std::string kNtfsFields =
    "Parameter block in sector 2048:\n"
    "  Jump: EB 52 90\n  OEM Name: NTFS\n  Bytes per Sector: 512\n"
    "  Sectors per Cluster: 8\n  Reserved Sectors: 0\n  Number of FATs: 0\n"
    "  Root Dir Entries: 0\n  Total Sectors: 0\n  Media Descriptor: 0xF8\n"
    "  Sectors per FAT: 0\n  Sectors per Track: 63  (0x3F)\n  Number of Heads: 255  (0xFF)\n"
    "  Hidden Sectors: 2048  (0x800)\n  Total Sectors (>32MB): 0  (0x0)\n"
    "  Unused: 0x80008000\n  Total NTFS Sectors: 204799\n  MFT Start Cluster: 4\n"
    "  MFT Mirror Start Clust: 12799\n  Clusters per FRS: 246\n  Clusters per Index Blk: 1\n"
    "  Serial Number: 0x4A1E2F7C8B3D9A06\n  Checksum: 0  (0x0)\n  Boot Signature: 0xAA55\n";

struct Case {
    const char* name;
    std::function<TableImage()> make;
    std::vector<std::string> options;
    // stdout, with IMAGE for the image's path.
    std::string out;
    int status;
};
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::string withPath(std::string text, const std::string& path) {
    for (std::size_t at; (at = text.find("IMAGE")) != std::string::npos;)
        text.replace(at, 5, path);
    return text;
}

class BootsectorTextTest : public ::testing::TestWithParam<Case> {};

TEST_P(BootsectorTextTest, WholeText) {
    const Case& c = GetParam();
    const std::string path = scratch(std::string(c.name) + ".img");
    c.make().writeTo(path);
    std::vector<std::string> args = {"bootsector", path};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = cli(args);
    EXPECT_EQ(run.out, withPath(c.out, path));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, c.status);
    std::filesystem::remove(path);
}

const std::string kFat32Header =
    "Image: IMAGE, 1050624 sectors\n\n"
    "Partition 1: table sector 0, slot 1, type 0C, not active\n"
    "Volume at sector 2048, 1048576 sectors\n"
    "File system: FAT32.\n";

const std::string kFat16Verdict =
    "File system: FAT16.\n"
    "The boot sector in sector SECTOR is sound.\n"
    "No backup: FAT12 and FAT16 keep no backup of the boot sector.\n";

// `text` with its first `what`, if any, replaced `by`.
std::string replaced(std::string text, const std::string& what, const std::string& by) {
    const std::size_t at = text.find(what);
    return at == std::string::npos ? text : text.replace(at, what.size(), by);
}

INSTANTIATE_TEST_SUITE_P(
    Volumes, BootsectorTextTest,
    ::testing::Values(
        Case{"SoundFat32", [] { return fat32Disk(); }, {},
             kFat32Header +
                 "The boot sector in sector 2048 is sound.\n"
                 "Its backup in sector 2054 is identical.\n" +
                 fat32Fields(kFat32Sectors),
             0},
        Case{"ZeroedPrimary", [] { return fat32Disk(kFat32Sectors, false); }, {},
             kFat32Header +
                 "The boot sector in sector 2048 holds an empty sector (all zero).\n"
                 "Its backup in sector 2054 is sound.\n"
                 "The boot sector is damaged and a backup is sound: the page Fat32 bbs restores "
                 "it (start sector 2048).\n" +
                 fat32Fields(kFat32Sectors, kStart + 6) + "fat32-bbs --startsct 2048\n",
             3},
        Case{"Bogus113", [] { return fat32Disk(2000000); }, {"--partition", "1"},
             kFat32Header +
                 "The boot sector in sector 2048 is damaged: its 2000000 sectors reach beyond "
                 "the partition's 1048576; Sectors per FAT is 1024, too few for a FAT of 249740 "
                 "clusters.\n"
                 "Its backup in sector 2054 is identical.\n"
                 "The boot record claims 2000000 sectors, but its partition holds 1048576: it "
                 "reaches beyond its partition (bogus #113); the page Bogus 113 applies.\n" +
                 fat32Fields(2000000),
             3},
        Case{"Ntfs", ntfsDisk, {},
             "Image: IMAGE, 206848 sectors\n\n"
             "Partition 1: table sector 0, slot 1, type 07, not active\n"
             "Volume at sector 2048, 204800 sectors\n"
             "File system: NTFS.\n"
             "The boot sector in sector 2048 is sound.\n"
             "Its backup in sector 206847 is identical.\n" +
                 kNtfsFields,
             0},
        Case{"DynRoot", dynRootDisk, {},
             "Image: IMAGE, 67584 sectors\n\n"
             "Partition 1: table sector 0, slot 1, type 06, not active\n"
             "Volume at sector 2048, 65536 sectors\n" +
                 replaced(kFat16Verdict, "SECTOR", "2048") +
                 "The root directory holds DYN_ROOT (start cluster 1234): the root directory is "
                 "relocated; the page DYN_ROOT applies.\n" +
                 fat16Fields(kStart) +
                 "dynroot --sectcluster 4 --rsvdsects 4 --numfats 2 --direntries 200 --sectfat 40 "
                 "--dynrootstart 1234\n",
             0},
        // Its hidden sectors name where it lay on the disk: no entry here
        // to hold them against.
        Case{"PartitionImage", partitionImage, {},
             "Image: IMAGE, 65536 sectors\n"
             "The image holds one volume and no partition table.\n\n"
             "Volume at sector 0, 65536 sectors (to the end of the image)\n" +
                 replaced(kFat16Verdict, "SECTOR", "0") +
                 "The root directory holds no DYN_ROOT directory: the DYN_ROOT wizard does not "
                 "apply.\n" +
                 fat16Fields(0),
             0},
        // A disk whose master boot record was wiped: the volume is read
        // where the person says it starts.
        Case{"StartOnAWipedTable",
             [] {
                 TableImage image = fat32Disk();
                 image.sectors.erase(0);
                 return image;
             },
             {"--start", "2048"},
             "Image: IMAGE, 1050624 sectors\n\n"
             "Volume at sector 2048, 1048576 sectors (to the end of the image)\n"
             "File system: FAT32.\n"
             "The boot sector in sector 2048 is sound.\n"
             "Its backup in sector 2054 is identical.\n" +
                 fat32Fields(kFat32Sectors),
             0}),
    [](const auto& info) { return std::string(info.param.name); });


// --- JSON ----------------------------------------------------------------------

TEST(BootsectorJson, WholeObjectOfADamagedFat32) {
    const std::string path = scratch("json.img");
    fat32Disk(kFat32Sectors, false).writeTo(path);
    const CliRun run = cli({"bootsector", path, "--json"});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 3);
    ASSERT_TRUE(run.out.ends_with("}\n"));
    EXPECT_EQ(
        quorvane::test::flatJson(quorvane::test::parseJson(run.out)),
        "{image=\"" + path + "\";volumes=[{partition=1;start=2048;count=1048576;"
        "filesystem=\"FAT32\";fields={Jump=\"EB 58 90\";OEM Name=\"MSWIN4.1\";"
        "Bytes per Sector=\"512\";Sectors per Cluster=\"8\";Reserved Sectors=\"32\";"
        "Number of FAT's=\"2\";Reserved=\"0x0000\";Reserved (2)=\"0x0000\";"
        "Media Descriptor=\"0xF8\";Sectors per FAT=\"0\";Sectors per Track=\"63  (0x3F)\";"
        "Number of Heads=\"255  (0xFF)\";Hidden Sectors=\"2048  (0x800)\";"
        "Big Total Sectors=\"1048576  (0x100000)\";Big Sectors per FAT=\"1024\";"
        "Extended Flags=\"0x0000\";FS Version=\"0\";First Cluster of Root=\"2  (0x2)\";"
        "FS Info Sector=\"1\";Backup Boot Sector=\"6\";"
        "Reserved (3)=\"000000000000000000000000\";Drive ID=\"0x80\";Reserved for NT=\"0x00\";"
        "Extended Boot Sig=\"0x29\";Serial Number=\"0x12345678\";Volume Name=\"NO NAME\";"
        "File System Type=\"FAT32\";Boot Signature=\"0xAA55\";};"
        "backup={sector=2054;readable=true;identical=false;differences=[\"File System\",];};"
        "verdict=[\"File system: FAT32.\",\"The boot sector in sector 2048 holds an empty sector "
        "(all zero).\",\"Its backup in sector 2054 is sound.\","
        "\"The boot sector is damaged and a backup is sound: the page Fat32 bbs restores it "
        "(start sector 2048).\",];"
        "pages={bogus113={sectclus=\"8\";root=\"0\";sectsfat=\"1024\";bigtotal=\"1048576\";"
        "numbersect=\"1048576\";};fat32bbs={startsct=\"2048\";};};},];}");
    std::filesystem::remove(path);
}

// --- The line table prints per partition ------------------------------------------

TEST(BootsectorInTable, OneLineAfterEachPartition) {
    const std::string path = scratch("table.img");
    for (const bool primary : {true, false}) {
        fat32Disk(kFat32Sectors, primary).writeTo(path);
        const CliRun run = cli({"table", path});
        const std::size_t at = run.out.find("\nBoot sector: ");
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(run.out.substr(at + 1, run.out.find('\n', at + 1) - at),
                  primary ? "Boot sector: FAT32, sound.\n"
                          : "Boot sector: FAT32, damaged; restore it from its backup.\n");
        const CliRun json = cli({"table", path, "--json"});
        EXPECT_EQ(quorvane::test::flatJson(quorvane::test::parseJson(json.out)["entries"]
                                               .array.front()["boot_sector"]),
                  primary ? "{filesystem=\"FAT32\";summary=\"Boot sector: FAT32, sound.\";}"
                          : "{filesystem=\"FAT32\";summary=\"Boot sector: FAT32, damaged; "
                            "restore it from its backup.\";}");
    }
    std::filesystem::remove(path);
}

// --- Files that cannot be read, and the command line's mistakes ---------------------

struct RefusedCase {
    const char* name;
    std::vector<std::string> options;
    std::string err;  // with IMAGE for the image's path and HELP for the command's help
    int status;
};
void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }

class BootsectorRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(BootsectorRefusedTest, ReasonOnStderr) {
    const RefusedCase& c = GetParam();
    const std::string path = scratch(std::string(c.name) + ".img");
    fat32Disk().writeTo(path);
    std::vector<std::string> args = {"bootsector", path};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = cli(args);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, replaced(withPath(c.err, path), "HELP", cli({"bootsector", "--help"}).out));
    EXPECT_EQ(run.status, c.status);
    std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(
    Options, BootsectorRefusedTest,
    ::testing::Values(
        RefusedCase{"PartitionAndStart", {"--partition", "1", "--start", "2048"},
                    "quorvane-cli: --partition and --start cannot be given together\n\nHELP", 2},
        RefusedCase{"NoSuchPartition", {"--partition", "5"},
                    "quorvane-cli: the image holds no partition 5 (its partitions: 1)\n\nHELP", 2},
        RefusedCase{"PartitionZero", {"--partition", "0"},
                    "quorvane-cli: --partition takes a partition's number (1 to 4 primary, 5 on "
                    "logical)\n\nHELP",
                    2},
        RefusedCase{"StartNotANumber", {"--start", "-1"},
                    "quorvane-cli: --start takes a sector number\n\nHELP", 2},
        RefusedCase{"StartBeyondTheImage", {"--start", "1050624"},
                    "quorvane-cli: bootsector: sector 1050624 lies beyond the end of the image "
                    "(1050624 sectors)\n",
                    1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BootsectorRefused, FileThatIsNoImage) {
    const std::string path = scratch("empty.img");
    TableImage(0).writeTo(path);
    const CliRun run = cli({"bootsector", path});
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "quorvane-cli: Cannot read '" + path +
                           "' as a partition table: the file is empty.\n");
    EXPECT_EQ(run.status, 1);
    std::filesystem::remove(path);
}

}  // namespace
