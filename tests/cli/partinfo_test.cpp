// quorvane-cli partinfo: the whole text and JSON of listings the tests
// write in both layouts, the exit status of each kind of listing, inputs
// that hold no listing, and usage errors.
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "clirun.h"
#include "jsonparse.h"
#include "listingwriter.h"
#include "scratch.h"
#include "tableimage.h"

namespace {

using quorvane::test::cli;
using quorvane::test::CliRun;
using quorvane::test::flatJson;
using quorvane::test::Json;
using quorvane::test::ListedBootRecord;
using quorvane::test::ListedDisk;
using quorvane::test::ListedEntry;
using quorvane::test::ListedVolume;

std::string scratch(const std::string& name) {
    return quorvane::test::scratchPath("quorvane_cli_partinfo_", name).string();
}

std::string written(const std::string& name, const std::string& bytes) {
    const std::string path = scratch(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::string lineFeeds(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
}

// --- The listings ----------------------------------------------------------------

// Disk 1 of 1000 cylinders at 255/63: an active NTFS primary C: on the first
// half and a FAT32 primary D: on the second, each with its boot record.
ListedDisk ntDisk() {
    ListedDisk disk{.number = 1, .cylinders = 1000, .heads = 255, .sectors = 63};
    disk.entries.push_back({.boot = 0x80, .type = 0x07, .begin = {0, 1, 1},
                            .end = {499, 254, 63}, .start = 63, .count = 8032437});
    disk.entries.push_back({.slot = 1, .type = 0x0B, .begin = {500, 0, 1}, .end = {999, 254, 63},
                            .start = 8032500, .count = 8032500, .label = "DATA"});
    disk.volumes.push_back({.volume = "C:", .partType = "NTFS", .status = "Pri,Boot",
                            .sizeMb = "3922.1", .partSect = 0, .slot = 0, .start = 63,
                            .total = 8032437});
    disk.volumes.push_back({.volume = "D:DATA", .partType = "FAT32", .status = "Pri",
                            .sizeMb = "3922.1", .partSect = 0, .slot = 1, .start = 8032500,
                            .total = 8032500});
    disk.bootRecords.push_back(ListedBootRecord{
        .drive = "C:", .start = 63, .type = "NTFS",
        .fields = {{"Bytes per Sector", "512"}, {"Sectors per Cluster", "8"},
                   {"Total NTFS Sectors", "8032436"}, {"Boot Signature", "0xAA55"}}});
    disk.bootRecords.push_back(ListedBootRecord{
        .drive = "D:", .start = 8032500, .type = "FAT32",
        .fields = {{"Bytes per Sector", "512"}, {"Sectors per Cluster", "16"},
                   {"Reserved Sectors", "32"}, {"Number of FAT's", "2"},
                   {"Reserved", "0x0000"}, {"Reserved", "0x0000"}, {"Sectors per FAT", "0"},
                   {"Big Total Sectors", "8032500  (0x7A90F4)"}, {"Big Sectors per FAT", "3918"},
                   {"Boot Signature", "0xAA55"}}});
    return disk;
}

// Disk 1 of 4982 cylinders at 16/63: a FAT16 C: whose stored end is one
// cylinder short of its count (#110, which the listing reports too) and a
// FAT32 D: past cylinder 1023 with placeholders.
ListedDisk dosDisk() {
    ListedDisk disk{.number = 1, .cylinders = 4982, .heads = 16, .sectors = 63};
    disk.entries.push_back({.boot = 0x80, .type = 0x06, .begin = {0, 1, 1}, .end = {1014, 15, 63},
                            .start = 63, .count = 1024065});
    disk.entries.push_back({.slot = 1, .type = 0x0C, .begin = {1016, 0, 1},
                            .end = {1023, 15, 63}, .beginPlaceholder = true,
                            .endPlaceholder = true, .actualEnd = {{4899, 15, 63}},
                            .start = 1024128, .count = 3915072});
    disk.messages = quorvane::test::dosError110(1024065, 1023057);
    disk.volumes.push_back({.volume = "C:BOOTDISK", .partType = "FAT", .status = "Pri,Boot",
                            .sizeMb = "500.0", .partSect = 0, .slot = 0, .start = 63,
                            .total = 1024065});
    disk.volumes.push_back({.volume = "D:ARCHIVE", .partType = "FAT32X", .status = "Pri",
                            .sizeMb = "1911.7", .partSect = 0, .slot = 1, .start = 1024128,
                            .total = 3915072});
    disk.volumes.push_back({.partType = "Unallocated", .sizeMb = "40.4", .start = 4939200,
                            .total = 82656});
    return disk;
}

const std::string kNt = quorvane::test::ntListing({ntDisk()});
const std::string kDos = quorvane::test::dosListing({dosDisk()});

// The check's report (CR LF) of an entry whose checks are all o.k.
std::string okReport(std::uint64_t start, std::uint64_t count, std::uint64_t total,
                     std::uint64_t cylinder, const std::string& cylinderMb) {
    const auto mb = [](std::uint64_t sectors) { return std::to_string(sectors * 512 / 1048576); };
    const std::string s = std::to_string(start), c = std::to_string(count);
    return "*Startsector consistency check: \r\ncalculated startsector: " + s +
           "\r\nentered startsector: " + s +
           "\r\n*check#116 checked o.k.\r\n\r\n*Number of sectors consistency check: "
           "\r\ncalculated: " + c + "\r\nentered: " + c +
           "\r\n*check#110 checked o.k.\r\n\r\n*check#104 checked o.k.\r\n\r\n*check#107 checked "
           "o.k.\r\n\r\n*check#108 checked o.k.\r\n\r\n*check#109 checked o.k.\r\n\r\nTotal "
           "sectors HDD: " + std::to_string(total) + "\r\nTotal drive size in Mb: " + mb(total) +
           "\r\n\r\nPartition size: " + mb(count) + " Mb\r\nOne cylinder is " +
           std::to_string(cylinder) + " sectors.\r\nOne cylinder is " + cylinderMb + " Mb.";
}

// The report of the DOS listing's C:, whose end is a cylinder short.
std::string shortReport(const std::string& cylinderMb) {
    return "*Startsector consistency check: \r\ncalculated startsector: 63\r\nentered "
           "startsector: 63\r\n*check#116 checked o.k.\r\n\r\n*Number of sectors consistency "
           "check: \r\ncalculated: 1023057\r\nentered: 1024065\r\n*check#110 is inconsistent! "
           "(error!);\r\noffset in cyl: -1\r\n\r\n*check#104 checked o.k.\r\n\r\n*check#107 "
           "checked o.k.\r\n\r\n*check#108 checked o.k.\r\n\r\n*check#109 checked o.k.\r\n\r\n"
           "Total sectors HDD: 5021856\r\nTotal drive size in Mb: 2452\r\n\r\nPartition size: "
           "499 Mb\r\nOne cylinder is 1008 sectors.\r\nOne cylinder is " + cylinderMb + " Mb.";
}

// --- Whole texts --------------------------------------------------------------

std::string ntText(const std::string& source, const std::string& cylinderMb) {
    return "Listing: " + source + " (nt layout)\n"
           "\n"
           "Disk 1, drive 1\n"
           "Geometry: 1000/255/63 (listing)\n"
           "\n"
           "Disk 1, Partition 1: table sector 0, slot 1, type 07, active\n"
           "Listed on line 25: CHS 0/1/1 to 499/254/63, StartSect 63, NumSects 8032437\n"
           "check --geometry 1000/255/63 --begin 0/1/1 --end 499/254/63 --lbastrt 63 --LBAend "
           "8032437 --drive 1 --prtno 1 --filesys 07 --active --prtsct 0\n" +
           lineFeeds(okReport(63, 8032437, 16065000, 16065, cylinderMb)) + "\n"
           "error108 --cyls108 1000 --hds108 255 --scts108 63 --ss108 63 --nums108 8032437\n"
           "ntfs-bbs --ntfsstartsector 63 --ntfsnumbersectors 8032437\n"
           "\n"
           "Disk 1, Partition 2: table sector 0, slot 2, type 0B, not active\n"
           "Listed on line 26: CHS 500/0/1 to 999/254/63, StartSect 8032500, NumSects 8032500\n"
           "check --geometry 1000/255/63 --begin 500/0/1 --end 999/254/63 --lbastrt 8032500 "
           "--LBAend 8032500 --drive 1 --prtno 2 --filesys 0B --prtsct 0\n" +
           lineFeeds(okReport(8032500, 8032500, 16065000, 16065, cylinderMb)) + "\n"
           "error108 --cyls108 1000 --hds108 255 --scts108 63 --ss108 8032500 --nums108 8032500\n"
           "bogus113 --sectclus 16 --root 0 --sectsfat 3918 --bigtotal 8032500 --numbersect "
           "8032500\n"
           "fat32-bbs --startsct 8032500\n"
           "\n"
           "Partition Information:\n"
           "Volume C:, type NTFS, status Pri,Boot, 3922.1 MB, PartSect 0, slot 1, StartSect 63, "
           "TotalSects 8032437\n"
           "Volume D:DATA, type FAT32, status Pri, 3922.1 MB, PartSect 0, slot 2, StartSect "
           "8032500, TotalSects 8032500\n"
           "\n"
           "Boot records:\n"
           "Drive C:, starting sector 63, type NTFS, 4 fields\n"
           "Drive D:, starting sector 8032500, type FAT32, 10 fields\n"
           "\n"
           "Findings: none\n";
}

// The report of C:, whose end is a cylinder short of its count; D:'s with
// its actual values.
std::string dosText(const std::string& cylinderMb) {
    return "Listing: standard input (dos layout)\n"
           "\n"
           "Disk 1, drive 1\n"
           "Geometry: 4982/16/63 (listing)\n"
           "\n"
           "Disk 1, Partition 1: table sector 0, slot 1, type 06, active\n"
           "Listed on line 9: CHS 0/1/1 to 1014/15/63, StartSect 63, NumSects 1024065\n"
           "check --geometry 4982/16/63 --begin 0/1/1 --end 1014/15/63 --lbastrt 63 --LBAend "
           "1024065 --drive 1 --prtno 1 --filesys 06 --active --prtsct 0\n" +
           lineFeeds(shortReport(cylinderMb)) + "\n"
           "Listing: Error #110: Number of sectors in partition is inconsistent. [ucSectors = "
           "1024065; end - begin = 1023057]\n"
           "error110 --cyls110 1015 --heads110 16 --sects110 63 --ucsectors 1024065 --endbegin "
           "1023057\n"
           "error108 --cyls108 4982 --hds108 16 --scts108 63 --ss108 63 --nums108 1024065\n"
           "\n"
           "Disk 1, Partition 2: table sector 0, slot 2, type 0C, not active\n"
           "Listed on line 10: CHS 1016/0/1 to 1023/15/63, StartSect 1024128, NumSects 3915072; "
           "both CHS values are placeholders\n"
           "Actual: CHS 1016/0/1 to 4899/15/63\n"
           "check --geometry 4982/16/63 --begin 1016/0/1 --end 4899/15/63 --lbastrt 1024128 "
           "--LBAend 3915072 --drive 1 --prtno 2 --filesys 0C --prtsct 0\n" +
           lineFeeds(okReport(1024128, 3915072, 5021856, 1008, cylinderMb)) + "\n"
           "error108 --cyls108 4982 --hds108 16 --scts108 63 --ss108 1024128 --nums108 3915072\n"
           "fat32-bbs --startsct 1024128\n"
           "\n"
           "Partition Information:\n"
           "Volume C:BOOTDISK, type FAT, status Pri,Boot, 500.0 MB, PartSect 0, slot 1, StartSect "
           "63, TotalSects 1024065\n"
           "Volume D:ARCHIVE, type FAT32X, status Pri, 1911.7 MB, PartSect 0, slot 2, StartSect "
           "1024128, TotalSects 3915072\n"
           "type Unallocated, 40.4 MB, PartSect None, slot --, StartSect 4939200, TotalSects "
           "82656\n"
           "\n"
           "Findings: none\n";
}

struct TextCase {
    const char* name;
    std::vector<std::string> args;  // after "partinfo"
    std::string input;              // standard input
    std::string text;
    int status;
    bool crlf = false;
};
void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class PartinfoTextTest : public ::testing::TestWithParam<TextCase> {};

// The NT listing as a file; each test that reads it writes it.
const std::string kNtFile = scratch("nt.txt");

TEST_P(PartinfoTextTest, WholeText) {
    const TextCase& c = GetParam();
    std::vector<std::string> args = {"partinfo"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    written("nt.txt", kNt);
    const CliRun run = cli(args, "LC_ALL=C", c.input);
    std::filesystem::remove(kNtFile);
    EXPECT_EQ(run.out, c.crlf ? withCrLf(c.text) : c.text);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Listings, PartinfoTextTest,
    ::testing::Values(
        TextCase{"NtFile", {kNtFile}, "", ntText(kNtFile, "7.84423828125"), 0},
        TextCase{"NtDecimalCommaCrLf", {kNtFile, "--decimal-comma", "--crlf"}, "",
                 ntText(kNtFile, "7,84423828125"), 0, true},
        TextCase{"NtOnStandardInputWithoutFile", {}, kNt,
                 ntText("standard input", "7.84423828125"), 0},
        TextCase{"DosOnStandardInput", {"-"}, kDos, dosText("0.4921875"), 3},
        TextCase{"DosUtf16DecimalComma", {"-", "--decimal-comma"},
                 quorvane::test::utf16(kDos), dosText("0,4921875"), 3}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Whole JSON -------------------------------------------------------------------

// An entry's "fields" member, flat, from the page's values in its order
// without relcyl, which a listing never fills.
std::string fields(const std::string& values, bool active) {
    std::istringstream in(values);
    std::string text = "fields={";
    for (const char* name : {"dgcyls", "dgheads", "dgsects", "cyls", "heads", "sects", "ecyls",
                             "eheads", "esects", "filesys", "lbastrt", "LBAend", "drive", "prtno",
                             "prtsct"}) {
        std::string value;
        in >> value;
        text += std::string(name) + "=\"" + value + "\";";
        if (std::string(name) == "lbastrt") text += "relcyl=\"\";";
    }
    return text + "Optact=" + (active ? "true" : "false") + ";};";
}

const std::string kAllOk = "checks={104=true;107=true;108=true;109=true;110=true;116=true;};";

TEST(PartinfoJson, WholeObjectOfAnNtListing) {
    written("nt.txt", kNt);
    const CliRun run = cli({"partinfo", kNtFile, "--json", "--drive", "2"});
    std::filesystem::remove(kNtFile);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
    ASSERT_TRUE(run.out.ends_with("}\n"));
    const std::string expected =
        "{source=\"" + kNtFile + "\";layout=\"nt\";disks=[{disk=1;drive=\"2\";"
        "geometry={cylinders=1000;heads=255;sectors=63;};missing=null;listing=[];"
        "entries=[{table_sector=0;slot=1;type=\"07\";active=true;extended=false;"
        "begin={cylinder=0;head=1;sector=1;};end={cylinder=499;head=254;sector=63;};actual=null;"
        "start=63;count=8032437;" +
        fields("1000 255 63 0 1 1 499 254 63 07 63 8032437 2 1 0", true) + kAllOk +
        "report=\"" + okReport(63, 8032437, 16065000, 16065, "7.84423828125") +
        "\";listing=[];disagreements=[];},"
        "{table_sector=0;slot=2;type=\"0B\";active=false;extended=false;"
        "begin={cylinder=500;head=0;sector=1;};end={cylinder=999;head=254;sector=63;};"
        "actual=null;start=8032500;count=8032500;" +
        fields("1000 255 63 500 0 1 999 254 63 0B 8032500 8032500 2 2 0", false) + kAllOk +
        "report=\"" + okReport(8032500, 8032500, 16065000, 16065, "7.84423828125") +
        "\";listing=[];disagreements=[];},];"
        "volumes=[{volume=\"C:\";part_type=\"NTFS\";status=\"Pri,Boot\";size_mb=\"3922.1\";"
        "table_sector=0;slot=1;start=63;count=8032437;listing=[];},"
        "{volume=\"D:DATA\";part_type=\"FAT32\";status=\"Pri\";size_mb=\"3922.1\";"
        "table_sector=0;slot=2;start=8032500;count=8032500;listing=[];},];"
        "boot_records=[{starting_sector=63;type=\"NTFS\";drive=\"C:\";fields={"
        "Bytes per Sector=\"512\";Sectors per Cluster=\"8\";Total NTFS Sectors=\"8032436\";"
        "Boot Signature=\"0xAA55\";};listing=[];},"
        "{starting_sector=8032500;type=\"FAT32\";drive=\"D:\";fields={"
        "Bytes per Sector=\"512\";Sectors per Cluster=\"16\";Reserved Sectors=\"32\";"
        "Number of FAT's=\"2\";Reserved=\"0x0000\";Reserved (2)=\"0x0000\";"
        "Sectors per FAT=\"0\";Big Total Sectors=\"8032500  (0x7A90F4)\";"
        "Big Sectors per FAT=\"3918\";Boot Signature=\"0xAA55\";};listing=[];},];"
        "pages={error110=[];"
        "error108=[{cyls108=\"1000\";hds108=\"255\";scts108=\"63\";ss108=\"63\";"
        "nums108=\"8032437\";},{cyls108=\"1000\";hds108=\"255\";scts108=\"63\";"
        "ss108=\"8032500\";nums108=\"8032500\";},];"
        "bogus113=[{sectclus=\"16\";root=\"0\";sectsfat=\"3918\";bigtotal=\"8032500\";"
        "numbersect=\"8032500\";},];"
        "fat32bbs=[{startsct=\"8032500\";},];"
        "ntfsbbs=[{ntfsstartsector=\"63\";ntfsnumbersectors=\"8032437\";},];"
        "dynroot=[];};findings=[];},];unread=[];}";
    EXPECT_EQ(flatJson(quorvane::test::parseJson(run.out)), expected);
}

// Actual values, a message with its values, a page of #110, a volume
// without table sector or slot.
TEST(PartinfoJson, WholeObjectOfADosListing) {
    const CliRun run = cli({"partinfo", "-", "--json", "--disk", "1"}, "LC_ALL=C", kDos);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 3);
    const std::string expected =
        "{source=\"-\";layout=\"dos\";disks=[{disk=1;drive=\"1\";"
        "geometry={cylinders=4982;heads=16;sectors=63;};missing=null;listing=[];"
        "entries=[{table_sector=0;slot=1;type=\"06\";active=true;extended=false;"
        "begin={cylinder=0;head=1;sector=1;};end={cylinder=1014;head=15;sector=63;};actual=null;"
        "start=63;count=1024065;" +
        fields("4982 16 63 0 1 1 1014 15 63 06 63 1024065 1 1 0", true) +
        "checks={104=true;107=true;108=true;109=true;110=false;116=true;};report=\"" +
        shortReport("0.4921875") +
        "\";listing=[{level=\"Error\";code=110;text=\"Number of sectors in partition is "
        "inconsistent.\";values=[{name=\"ucSectors\";value=\"1024065\";expected=\"\";},"
        "{name=\"end - begin\";value=\"1023057\";expected=\"\";},];},];disagreements=[];},"
        "{table_sector=0;slot=2;type=\"0C\";active=false;extended=false;"
        "begin={cylinder=1016;head=0;sector=1;};end={cylinder=1023;head=15;sector=63;};"
        "actual={begin={cylinder=1016;head=0;sector=1;};end={cylinder=4899;head=15;sector=63;};};"
        "start=1024128;count=3915072;" +
        fields("4982 16 63 1016 0 1 4899 15 63 0C 1024128 3915072 1 2 0", false) + kAllOk +
        "report=\"" + okReport(1024128, 3915072, 5021856, 1008, "0.4921875") +
        "\";listing=[];disagreements=[];},];"
        "volumes=[{volume=\"C:BOOTDISK\";part_type=\"FAT\";status=\"Pri,Boot\";"
        "size_mb=\"500.0\";table_sector=0;slot=1;start=63;count=1024065;listing=[];},"
        "{volume=\"D:ARCHIVE\";part_type=\"FAT32X\";status=\"Pri\";size_mb=\"1911.7\";"
        "table_sector=0;slot=2;start=1024128;count=3915072;listing=[];},"
        "{volume=\"\";part_type=\"Unallocated\";status=\"\";size_mb=\"40.4\";"
        "table_sector=null;slot=null;start=4939200;count=82656;listing=[];},];"
        "boot_records=[];pages={error110=[{cyls110=\"1015\";heads110=\"16\";sects110=\"63\";"
        "ucsectors=\"1024065\";endbegin=\"1023057\";},];"
        "error108=[{cyls108=\"4982\";hds108=\"16\";scts108=\"63\";ss108=\"63\";"
        "nums108=\"1024065\";},{cyls108=\"4982\";hds108=\"16\";scts108=\"63\";"
        "ss108=\"1024128\";nums108=\"3915072\";},];"
        "bogus113=[];fat32bbs=[{startsct=\"1024128\";},];ntfsbbs=[];dynroot=[];};"
        "findings=[];},];unread=[];}";
    EXPECT_EQ(flatJson(quorvane::test::parseJson(run.out)), expected);
}

// --- Exit statuses ------------------------------------------------------------------

struct StatusCase {
    const char* name;
    std::function<std::string()> listing;
    std::vector<std::string> args;  // after "partinfo -"
    int status;
    std::string err;
    bool shown = true;     // the listing is shown on stdout
    std::string out = "";  // the whole of it, where given
};
void PrintTo(const StatusCase& c, std::ostream* out) { *out << c.name; }

class PartinfoStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(PartinfoStatusTest, StatusAndStderr) {
    const StatusCase& c = GetParam();
    std::vector<std::string> args = {"partinfo", "-"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = cli(args, "LC_ALL=C", c.listing());
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.status, c.status);
    // What there is is shown even where the status says something is missing.
    if (!c.out.empty()) {
        EXPECT_EQ(run.out, c.out);
    } else if (c.shown) {
        EXPECT_TRUE(run.out.starts_with("Listing: standard input")) << run.out;
    } else {
        EXPECT_EQ(run.out, "");
    }
}

std::vector<StatusCase> statusCases() {
    using quorvane::test::ntListing;
    return {
        StatusCase{"Clean", [] { return kNt; }, {}, 0, ""},
        StatusCase{"ListingReportsAnErrorCheckDoesNot",
                   [] {
                       ListedDisk disk = ntDisk();
                       disk.volumes[1].after = {
                           "Error #113: Primary partition starting at 8032500 overlaps previous "
                           "partition."};
                       return ntListing({disk});
                   },
                   {}, 3, ""},
        StatusCase{"CheckFails",
                   [] {
                       ListedDisk disk = ntDisk();
                       disk.entries[1].count = 8032499;
                       return ntListing({disk});
                   },
                   {}, 3, ""},
        StatusCase{"Finding",
                   [] {
                       ListedDisk disk = ntDisk();
                       disk.entries[1].boot = 0x80;
                       return ntListing({disk});
                   },
                   {}, 3, ""},
        StatusCase{"OnlyMessages",
                   [] {
                       return std::string(
                           "Error #114: Logical starting at 45865701 is not one head away from "
                           "EPBR.\r\n\r\nError #105: Partition didn't begin on head boundary.\r\n");
                   },
                   {}, 1,
                   "quorvane-cli: Cannot read 'standard input' as a partinfo listing: only "
                   "messages, no partition table.\n",
                   true,
                   "Listing: standard input (nt layout)\n\nUnnumbered disk, drive 1\nThe listing "
                   "holds no partition table entries for the disk, only messages: the Geometry "
                   "page needs the rows of its partition table (PartSect to NumSects).\nListing: "
                   "Error #114: Logical starting at 45865701 is not one head away from EPBR.\n"
                   "Listing: Error #105: Partition didn't begin on head boundary.\n\nFindings: "
                   "none\n"},
        StatusCase{"OnlyPartitionInformation",
                   [] {
                       ListedDisk disk = ntDisk();
                       disk.entries.clear();
                       disk.bootRecords.clear();
                       return ntListing({disk});
                   },
                   {}, 1,
                   "quorvane-cli: Cannot read 'standard input' as a partinfo listing: only the "
                   "Partition Information section, no partition table.\n"},
        StatusCase{"DiskNotInTheListing", [] { return kNt; }, {"--disk", "2"}, 1,
                   "quorvane-cli: partinfo: the listing holds no disk 2 (its disks: 1)\n", false},
    };
}

INSTANTIATE_TEST_SUITE_P(Listings, PartinfoStatusTest, ::testing::ValuesIn(statusCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Inputs that hold no listing ------------------------------------------------------

struct RefusedCase {
    const char* name;
    std::function<std::string()> make;  // makes the file, returns its path
    std::string reason;                 // how the reason starts
};
void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }

class PartinfoRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(PartinfoRefusedTest, ReasonOnStderr) {
    const std::string path = GetParam().make();
    const CliRun run = cli({"partinfo", path});
    EXPECT_EQ(run.out, "");
    const std::string start =
        "quorvane-cli: Cannot read '" + path + "' as a partinfo listing: " + GetParam().reason;
    EXPECT_EQ(run.err.substr(0, start.size()), start);
    EXPECT_TRUE(run.err.ends_with(".\n")) << run.err;
    EXPECT_EQ(run.status, 1);
    std::filesystem::remove(path);
}

std::vector<RefusedCase> refusedCases() {
    return {
        RefusedCase{"Empty", [] { return written("empty.txt", ""); }, "it is empty."},
        RefusedCase{"Binary",
                    [] {
                        return written("binary.txt",
                                       std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 10));
                    },
                    "it holds binary data, not text."},
        RefusedCase{"DiskImage",
                    [] {
                        const std::string path = scratch("disk.img");
                        quorvane::test::TableImage image(2048 * 512);
                        image.entry(0, 1, quorvane::test::entryAt(0x07, 0, 63, 1985)).writeTo(path);
                        return path;
                    },
                    "it is a disk image, not a text listing"},
        // Sparse: refused before a byte of it is read.
        RefusedCase{"LargerThan16MiB",
                    [] {
                        const std::string path = written("large.txt", "");
                        std::filesystem::resize_file(path, 16 * 1024 * 1024 + 1);
                        return path;
                    },
                    "it is larger than 16 MiB"},
        RefusedCase{"Missing", [] { return scratch("missing.txt"); },
                    "it cannot be opened: No such file or directory."},
    };
}

INSTANTIATE_TEST_SUITE_P(Files, PartinfoRefusedTest, ::testing::ValuesIn(refusedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Usage errors ---------------------------------------------------------------------

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string problem;
};
void PrintTo(const UsageCase& c, std::ostream* out) { *out << c.name; }

class PartinfoUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(PartinfoUsageTest, ProblemAndTheCommandsHelp) {
    const std::string help = cli({"partinfo", "--help"}).out;
    std::vector<std::string> args = {"partinfo"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    ListedDisk second = ntDisk();
    second.number = 2;
    const CliRun run = cli(args, "LC_ALL=C", quorvane::test::ntListing({ntDisk(), second}));
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "quorvane-cli: " + GetParam().problem + "\n\n" + help);
    EXPECT_EQ(run.status, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Options, PartinfoUsageTest,
    ::testing::Values(
        UsageCase{"DiskZero", {"--disk", "0"}, "--disk must be a whole number from 1 to 128"},
        UsageCase{"DriveNotANumber", {"--drive", "C:"}, "--drive takes a drive number"},
        UsageCase{"JsonAndBatchLines", {"--json", "--batch-lines"},
                  "--json and --batch-lines cannot be given together"},
        // Standard input holds two disks: one drive number would send both
        // disks' entries to one drive.
        UsageCase{"DriveWithoutDiskOfTwo", {"-", "--drive", "2"},
                  "--drive needs --disk when the listing holds several disks"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Lines for batch ------------------------------------------------------------------

TEST(PartinfoBatchLines, OneDiskOfTwoAsItsDrive) {
    ListedDisk second = dosDisk();
    second.number = 2;
    const CliRun run = cli({"partinfo", "--disk", "2", "--drive", "3", "--batch-lines"},
                           "LC_ALL=C", quorvane::test::dosListing({dosDisk(), second}));
    EXPECT_EQ(run.out,
              "--geometry 4982/16/63 --begin 0/1/1 --end 1014/15/63 --lbastrt 63 --LBAend 1024065 "
              "--drive 3 --prtno 1 --filesys 06 --active --prtsct 0\n"
              "--geometry 4982/16/63 --begin 1016/0/1 --end 4899/15/63 --lbastrt 1024128 "
              "--LBAend 3915072 --drive 3 --prtno 2 --filesys 0C --prtsct 0\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 3);
}

}  // namespace

// --- The map as SVG ----------------------------------------------------------------

namespace {

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size())
        ++count;
    return count;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

// Both commands write the same map: one group with its spoken title per
// segment (the two partitions, which fill the disk), beside the text they
// print anyway; a map that cannot be written stops the command.
TEST(MapSvg, WrittenBesideTheReportOrRefused) {
    const std::string listing = written("map.txt", kNt);
    quorvane::test::TableImage image(1000ull * 16065 * 512);
    image.entry(0, 1, quorvane::test::entryAt(0x07, 0, 63, 8032437));
    image.entry(0, 2, quorvane::test::entryAt(0x0B, 0, 8032500, 8032500));
    const std::string disk = scratch("map.img");
    image.writeTo(disk);
    ListedDisk second = ntDisk();
    second.number = 2;
    const std::string twoDisks = written("two.txt", quorvane::test::ntListing({ntDisk(), second}));
    const std::string svg = scratch("map.svg");
    const std::string unwritable = scratch("no such folder") + "/map.svg";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
        std::size_t segments;
    } cases[] = {
        {{"partinfo", listing, "--svg", svg}, 0, "", 2},
        {{"table", disk, "--svg", svg}, 0, "", 2},
        {{"partinfo", twoDisks, "--disk", "2", "--svg", svg}, 0, "", 2},
        {{"table", disk, "--svg", unwritable}, 1,
         "quorvane-cli: cannot write the map to '" + unwritable + "'\n", 0},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(svg);
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[0];
        EXPECT_EQ(run.err, c.err) << c.args[0];
        if (c.segments == 0) continue;
        const std::string text = fileText(svg);
        EXPECT_TRUE(text.starts_with("<?xml") || text.starts_with("<svg")) << text.substr(0, 40);
        EXPECT_TRUE(text.ends_with("</svg>\n")) << c.args[0];
        EXPECT_EQ(occurrences(text, "<g class=\"segment "), c.segments) << c.args[0];
        EXPECT_EQ(occurrences(text, "<title>Partition 2, type 0B, "), 1u) << c.args[0];
    }
    const CliRun both = cli({"partinfo", twoDisks, "--svg", svg});
    EXPECT_EQ(both.status, 2);
    EXPECT_TRUE(both.err.starts_with(
        "quorvane-cli: --svg needs --disk when the listing holds several disks\n"));
}
