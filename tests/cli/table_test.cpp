// quorvane-cli table: the whole text and JSON of tables read from images the
// tests write, refused files, usage errors, the lines for batch, a large
// image and the output's bound.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "clirun.h"
#include "jsonparse.h"
#include "scratch.h"
#include "tableimage.h"

namespace {

using quorvane::test::cli;
using quorvane::test::CliRun;
using quorvane::test::entryAt;
using quorvane::test::flatJson;
using quorvane::test::Json;
using quorvane::test::RawEntry;
using quorvane::test::TableImage;

constexpr std::uint64_t kCylinder = 255 * 63;

std::string scratch(const std::string& name) {
    return quorvane::test::scratchPath("quorvane_cli_table_", name).string();
}

std::string lineFeeds(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::string wholeMb(std::uint64_t sectors) { return std::to_string(sectors * 512 / 1048576); }

// The check's report (CR LF) of an entry whose checks are all o.k., on a
// drive of `total` sectors at 255/63.
std::string okReport(std::uint64_t start, std::uint64_t count, std::uint64_t total,
                     const std::string& cylinderMb = "7.84423828125") {
    const std::string s = std::to_string(start), c = std::to_string(count);
    return "*Startsector consistency check: \r\ncalculated startsector: " + s +
           "\r\nentered startsector: " + s +
           "\r\n*check#116 checked o.k.\r\n\r\n*Number of sectors consistency check: "
           "\r\ncalculated: " + c + "\r\nentered: " + c +
           "\r\n*check#110 checked o.k.\r\n\r\n*check#104 checked o.k.\r\n\r\n*check#107 checked "
           "o.k.\r\n\r\n*check#108 checked o.k.\r\n\r\n*check#109 checked o.k.\r\n\r\nTotal "
           "sectors HDD: " + std::to_string(total) + "\r\nTotal drive size in Mb: " +
           wholeMb(total) + "\r\n\r\nPartition size: " + wholeMb(count) +
           " Mb\r\nOne cylinder is 16065 sectors.\r\nOne cylinder is " + cylinderMb + " Mb.";
}

// --- One consistent entry, as text --------------------------------------------

const std::string kDrive = scratch("drive.img");  // 1024 cylinders at 255/63

void writeDrive(std::uint64_t sectors = 1024 * kCylinder) {
    TableImage image(sectors * 512);
    RawEntry entry = entryAt(0x06, 0, 63, 16434432);
    entry.boot = 0x80;
    image.entry(0, 1, entry).writeTo(kDrive);
}

struct TextCase {
    const char* name;
    std::vector<std::string> options;
    std::string geometry;   // "C/H/S (source)"
    std::uint64_t total;    // the drive's sectors
    std::string drive = "1";
    std::string cylinderMb = "7.84423828125";
    bool crlf = false;
    std::uint64_t imageSectors = 1024 * kCylinder;
    std::string note = "";  // the line after the image's
};
void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class TableTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TableTextTest, WholeText) {
    const TextCase& c = GetParam();
    writeDrive(c.imageSectors);
    std::vector<std::string> args = {"table", kDrive};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const std::string text =
        "Image: " + kDrive + ", " + std::to_string(c.imageSectors) + " sectors\n" + c.note +
        "Geometry: " + c.geometry +
        "\n\nPartition 1: table sector 0, slot 1, type 06, active\n"
        "Stored: CHS 0/1/1 to 1022/254/63, relative sector 63, 16434432 sectors\n"
        "check --geometry " + c.geometry.substr(0, c.geometry.find(' ')) +
        " --begin 0/1/1 --end 1022/254/63 --lbastrt 63 --LBAend 16434432 --drive " + c.drive +
        " --prtno 1 --filesys 06 --active --prtsct 0\n" +
        lineFeeds(okReport(63, 16434432, c.total, c.cylinderMb)) +
        "\nBoot sector: no file system this program knows (sector 63 holds an empty sector (all "
        "zero)).\n\nFindings: none\n";
    const CliRun run = cli(args);
    EXPECT_EQ(run.out, c.crlf ? withCrLf(text) : text);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Options, TableTextTest,
    ::testing::Values(
        TextCase{"Guessed", {}, "1024/255/63 (guessed)", 16450560},
        TextCase{"DecimalComma", {"--decimal-comma"}, "1024/255/63 (guessed)", 16450560, "1",
                 "7,84423828125"},
        TextCase{"Crlf", {"--crlf"}, "1024/255/63 (guessed)", 16450560, "1", "7.84423828125",
                 true},
        TextCase{"HeadsSectorsAndDrive", {"--heads", "255", "--sectors", "63", "--drive", "2"},
                 "1024/255/63 (given)", 16450560, "2"},
        TextCase{"WholeGeometry", {"--geometry", "1100/255/63"}, "1100/255/63 (given)",
                 1100 * kCylinder},
        // A dump of the disk's first megabyte, as the README suggests.
        TextCase{"FirstSectors", {}, "1023/255/63 (guessed; cylinders from the table's extent)",
                 1023 * kCylinder, "1", "7.84423828125", false, 2048,
                 "The image holds the first 2048 sectors; the entries reach sector "
                 "16434494.\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- A looping chain, as JSON ---------------------------------------------------

TEST(TableJson, WholeObjectOfALoopingChain) {
    const std::string path = scratch("loop.img");
    TableImage image(1024 * kCylinder * 512);
    image.entry(0, 1, entryAt(0x05, 0, kCylinder, 10 * kCylinder));
    // The record's only link points at the record itself.
    image.entry(kCylinder, 2, entryAt(0x05, kCylinder, 0, kCylinder));
    image.writeTo(path);
    const CliRun run = cli({"table", path, "--json"});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 3);
    ASSERT_TRUE(run.out.ends_with("}\n"));
    const Json json = quorvane::test::parseJson(run.out);

    const auto fields = [](const std::string& begin, const std::string& end,
                           const std::string& start, const std::string& count,
                           const std::string& table, const std::string& slot) {
        return "fields={dgcyls=\"1024\";dgheads=\"255\";dgsects=\"63\";" + begin + end +
               "filesys=\"05\";lbastrt=\"" + start + "\";relcyl=\"\";LBAend=\"" + count +
               "\";drive=\"1\";prtno=\"" + slot + "\";prtsct=\"" + table + "\";Optact=false;};";
    };
    const std::string checks =
        "checks={104=true;107=true;108=true;109=true;110=true;116=true;};";
    const std::string expected =
        "{image=\"" + path + "\";sectors=16450560;entries_reach=null;"
        "geometry={cylinders=1024;heads=255;sectors=63;source=\"guessed\";"
        "cylinders_source=\"image\";};"
        "entries=[{number=1;table_sector=0;slot=1;type=\"05\";active=false;extended=true;"
        "begin={cylinder=1;head=0;sector=1;};end={cylinder=10;head=254;sector=63;};"
        "placeholder={begin=false;end=false;};stored_start=16065;start=16065;count=160650;" +
        fields("cyls=\"1\";heads=\"0\";sects=\"1\";", "ecyls=\"10\";eheads=\"254\";esects=\"63\";",
               "16065", "160650", "0", "1") +
        checks + "report=\"" + okReport(16065, 160650, 16450560) + "\";boot_sector=null;},"
        "{number=null;table_sector=16065;slot=2;type=\"05\";active=false;extended=true;"
        "begin={cylinder=1;head=0;sector=1;};end={cylinder=1;head=254;sector=63;};"
        "placeholder={begin=false;end=false;};stored_start=0;start=16065;count=16065;" +
        fields("cyls=\"1\";heads=\"0\";sects=\"1\";", "ecyls=\"1\";eheads=\"254\";esects=\"63\";",
               "16065", "16065", "16065", "2") +
        checks + "report=\"" + okReport(16065, 16065, 16450560) + "\";boot_sector=null;},];"
        "findings=[{kind=\"chain_loop\";entries=[[16065,2,],];text=\"The chain of extended "
        "boot records loops: the link entry in table sector 16065, slot 2 points back at sector "
        "16065, which was already read.\";},];}";
    EXPECT_EQ(flatJson(json), expected);
    std::filesystem::remove(path);
}

// --- Files that hold no partition table -----------------------------------------

struct BadCase {
    const char* name;
    std::function<std::string()> make;  // makes the file, returns its path
    std::string reason;
};
void PrintTo(const BadCase& c, std::ostream* out) { *out << c.name; }

class TableRefusedTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(TableRefusedTest, ReasonOnStderr) {
    const std::string path = GetParam().make();
    const CliRun run = cli({"table", path});
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "quorvane-cli: Cannot read '" + path + "' as a partition table: " +
                           GetParam().reason + ".\n");
    EXPECT_EQ(run.status, 1);
}

std::function<std::string()> file(const char* name, TableImage image) {
    return [name, image] {
        const std::string path = scratch(name);
        image.writeTo(path);
        return path;
    };
}

const std::string kSaveFirst =
    "save an image first, for example with dd if=/dev/sdX of=disk.img conv=sparse, and read the "
    "image";

std::vector<BadCase> badFiles() {
    std::vector<BadCase> cases = {
        BadCase{"Empty", file("empty.img", TableImage(0)), "the file is empty"},
        BadCase{"Fat32Volume",
                file("fat32.img", TableImage(1024 * 1024)
                                      .bytes(0, "\xEB\x58\x90MSWIN4.1")
                                      .bytes(0, "FAT32   ", 82)
                                      .bytes(0, "Remove disks or other media.", 440)
                                      .signature(0)),
                "it is a FAT32 file system, not a whole disk: it holds no partition table. It "
                "looks like an image of one partition; save the whole disk instead (dd "
                "if=/dev/sdX of=disk.img)"},
        BadCase{"Missing", [] { return scratch("missing.img"); },
                "it cannot be opened: No such file or directory"},
    };
#ifndef _WIN32
    cases.push_back(BadCase{"Device", [] { return std::string("/dev/null"); },
                            "it is a device, and Quorvane never reads a disk itself: " +
                                kSaveFirst});
#endif
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Files, TableRefusedTest, ::testing::ValuesIn(badFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Usage errors -----------------------------------------------------------------

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string problem;
};
void PrintTo(const UsageCase& c, std::ostream* out) { *out << c.name; }

class TableUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(TableUsageTest, ProblemAndTheCommandsHelp) {
    const std::string help = cli({"table", "--help"}).out;
    std::vector<std::string> args = {"table"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const CliRun run = cli(args);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "quorvane-cli: " + GetParam().problem + "\n\n" + help);
    EXPECT_EQ(run.status, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Options, TableUsageTest,
    ::testing::Values(
        UsageCase{"NoImage", {},
                  "'table' needs IMAGE [--geometry C/H/S | --heads H --sectors S] [--drive N] "
                  "[--json] [--batch-lines] [--svg FILE]"},
        UsageCase{"HeadsAlone", {"a.img", "--heads", "255"}, "--heads and --sectors go together"},
        UsageCase{"SectorsAlone", {"a.img", "--sectors", "63"},
                  "--heads and --sectors go together"},
        UsageCase{"BothGeometries", {"a.img", "--geometry", "1/255/63", "--heads", "255"},
                  "give the geometry as --geometry C/H/S or as --heads and --sectors, not both"},
        UsageCase{"TooManyHeads", {"a.img", "--heads", "257", "--sectors", "63"},
                  "the heads must be a whole number from 1 to 256"},
        UsageCase{"DriveNotANumber", {"a.img", "--drive", "C:"}, "--drive takes a drive number"},
        UsageCase{"JsonAndBatchLines", {"a.img", "--json", "--batch-lines"},
                  "--json and --batch-lines cannot be given together"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Lines for batch from tables sfdisk wrote ---------------------------------------

#ifndef _WIN32
std::string sfdiskImage(const std::string& name, std::uint64_t bytes, const std::string& script) {
    const std::string path = scratch(name);
    std::filesystem::remove(path);
    std::ofstream(path).close();
    std::filesystem::resize_file(path, bytes);
    const std::string input = path + ".sfdisk";
    std::ofstream(input) << script;
    const int status =
        std::system(("sfdisk -q '" + path + "' <'" + input + "' >/dev/null 2>&1").c_str());
    std::filesystem::remove(input);
    EXPECT_EQ(status, 0) << "sfdisk (Debian package fdisk) is needed";
    return path;
}
#endif

TEST(TableBatchLines, CylinderAlignedTableMakesABatch) {
#ifdef _WIN32
    GTEST_SKIP() << "sfdisk is a Linux tool";
#else
    // Every extended boot record starts a cylinder, so every entry can go
    // into a batch.
    const std::string path = sfdiskImage(
        "cylinders.img", 200 * kCylinder * 512,
        "label: dos\nstart=63, size=1028097, type=83, bootable\n"
        "start=1028160, size=2184840, type=5\nstart=1028223, size=514017, type=7\n"
        "start=1542241, size=514079, type=c\n");
    const CliRun lines = cli({"table", path, "--batch-lines", "--drive", "2"});
    EXPECT_EQ(lines.out,
              "--geometry 200/255/63 --begin 0/1/1 --end 63/254/63 --lbastrt 63 --LBAend 1028097 "
              "--drive 2 --prtno 1 --filesys 83 --active --prtsct 0\n"
              "--geometry 200/255/63 --begin 64/1/1 --end 95/254/63 --lbastrt 1028223 --LBAend "
              "514017 --drive 2 --prtno 1 --filesys 07 --prtsct 1028160\n"
              "--geometry 200/255/63 --begin 96/0/2 --end 127/254/63 --lbastrt 1542241 --LBAend "
              "514079 --drive 2 --prtno 1 --filesys 0C --prtsct 1542240\n");
    EXPECT_EQ(lines.err, "");
    EXPECT_EQ(lines.status, 0);

    const std::string batch = scratch("cylinders.bat");
    const CliRun run = cli({"batch", "--output", batch}, "LC_ALL=C", lines.out);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
    const std::string written = quorvane::test::slurp(batch);
    EXPECT_EQ(written.substr(0, written.find("@echo off")),
              "editpart 2 0 1 * 83 0 1 1 63 254 63 0 200 255 63 26\r\n"
              "editpart 2 64 1 - 07 64 1 1 95 254 63 0 200 255 63 26\r\n"
              "editpart 2 96 1 - 0C 96 0 2 127 254 63 0 200 255 63 26\r\n");
    std::filesystem::remove(batch);
    std::filesystem::remove(path);
#endif
}

// --- Output in proportion to the entries ---------------------------------------------

// A chain whose 768 logical partitions all overlap one another once gave
// 40 MB of text and 58 MB of JSON.
TEST(TableOutput, GrowsWithTheEntriesNotWithTheirPairs) {
    const std::string path = scratch("overlapping.img");
    quorvane::test::overlappingChain().writeTo(path);
    const std::size_t entries = 1025;
    for (const char* format : {"--crlf", "--json"}) {
        SCOPED_TRACE(format);
        const CliRun run = cli({"table", path, format});
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.status, 3);
        EXPECT_LE(run.out.size(), 2000 * entries);
        if (std::string(format) == "--json") {
            const Json json = quorvane::test::parseJson(run.out);
            EXPECT_EQ(json["entries"].array.size(), entries);
            EXPECT_LE(json["findings"].array.size(), 3 * entries);
        }
    }
    std::filesystem::remove(path);
}

// --- A sparse 2 TB image with a hundred logical partitions ------------------------------

// Its time is measured by scripts/bench-table, on a quiet machine; a test
// that times a whole process fails on a busy one.
TEST(TableLarge, HundredLogicalPartitionsOnTwoTerabytes) {
    const std::string path = scratch("large.img");
    TableImage image(2'000'000'000'000);
    const std::uint32_t logicalCylinders = 2400;
    const std::uint32_t extended = kCylinder;
    image.entry(0, 1, entryAt(0x0F, 0, extended, 100 * logicalCylinders * kCylinder));
    for (std::uint32_t n = 0; n < 100; ++n) {
        const std::uint64_t record = extended + std::uint64_t{n} * logicalCylinders * kCylinder;
        image.entry(record, 1,
                    entryAt(0x07, record, 63, logicalCylinders * kCylinder - 63));
        if (n < 99) {
            image.entry(record, 2, entryAt(0x05, extended, (n + 1) * logicalCylinders * kCylinder,
                                           logicalCylinders * kCylinder));
        }
    }
    image.writeTo(path);

    const CliRun run = cli({"table", path});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(run.out.rfind("\n\n")), "\n\nFindings: none\n");
    const auto count = [&](const std::string& text) {
        std::size_t found = 0;
        for (std::size_t at = 0; (at = run.out.find(text, at)) != std::string::npos; ++at) ++found;
        return found;
    };
    EXPECT_EQ(count(": table sector "), 200u);
    EXPECT_EQ(count("\nLink entry: "), 99u);
    std::filesystem::remove(path);
}

}  // namespace
