// The partinfo listing's seeds: the tests' kinds of listing (the NT
// program's of two disks with an extended partition's chain, placeholders,
// boot records of NTFS, FAT32 and FAT16 and the common messages; the DOS
// program's with its * and ** rows and #110), one as mail and forums leave
// it, and one text in every encoding the reader accepts. Each starts with
// the target's byte of options.
#include <string>
#include <vector>

#include "fuzz/seeds.h"
#include "tests/support/listingwriter.h"

namespace quorvane::fuzz {

namespace {

using namespace quorvane::test;

// The options byte: bit 0 the decimal comma, bits 1 and 2 the encoding the
// target gives the rest (0 as it is, 1 UTF-16 LE, 2 UTF-16 BE, 3 UTF-8
// with a byte order mark), bits 3 and 4 quorvane-cli's form (kJson,
// kBatch; the text without either), bit 5 the check of one disk as well.
constexpr unsigned kBatch = 8, kJson = 16, kOneDisk = 32;
std::string seed(unsigned options, const std::string& text) {
    return static_cast<char>(options) + text;
}

// A disk of 4865 cylinders: an active NTFS primary, the extended partition
// with a FAT32 and a FAT16 logical partition and the link between them.
ListedDisk ntDisk() {
    ListedDisk d{.number = 1, .cylinders = 4865};
    const auto add = [&](std::uint64_t table, unsigned slot, std::uint8_t type, ListedChs begin,
                         ListedChs actualBegin, ListedChs actualEnd, std::uint64_t start,
                         std::uint64_t count, std::string label = {}) -> ListedEntry& {
        d.entries.push_back({.partSect = table, .slot = slot, .type = type, .begin = begin,
                             .end = {1023, 254, 63}, .beginPlaceholder = begin.cylinder == 1023,
                             .endPlaceholder = true, .actualBegin = actualBegin,
                             .actualEnd = actualEnd, .start = start, .count = count,
                             .label = std::move(label)});
        return d.entries.back();
    };
    add(0, 0, 0x07, {0, 1, 1}, {0, 1, 1}, {1304, 254, 63}, 63, 20964762).boot = 0x80;
    add(0, 1, 0x0F, {1023, 0, 1}, {1305, 0, 1}, {4799, 254, 63}, 20964825, 56147175);
    add(20964825, 0, 0x0B, {1023, 1, 1}, {1305, 1, 1}, {2604, 254, 63}, 20964888, 20884437,
        "MEDIA");
    add(20964825, 1, 0x05, {1023, 0, 1}, {2605, 0, 1}, {2854, 254, 63}, 41849325, 4016250)
        .after = {"Warning #113: EPBR partition starting at 41849325 overlaps previous EPBR "
                  "partition."};
    ListedEntry& fat16 = add(41849325, 0, 0x06, {1023, 2, 1}, {2605, 2, 1}, {2854, 254, 63},
                             41849390, 4016185, "CAFÉ");
    fat16.after = error105(2);
    for (const std::string& line : dosError110(4016185, 4016187)) fat16.after.push_back(line);
    d.volumes = {
        {"C:", "NTFS", "Pri,Boot", "10236.7", 0, 0, 63, 20964762},
        {"", "ExtendedX", "Pri", "27415.6", 0, 1, 20964825, 56147175},
        {"D:MEDIA", "FAT32", "Log", "10197.5", 20964825, 0, 20964888, 20884437},
        {"E:CAFÉ", "FAT", "Log", "1961.0", 41849325, 0, 41849390, 4016185,
         {"Error #114: Logical starting at 41849390 is not one head away from EPBR."}},
    };
    d.bootRecords = {
        {.drive = "C:", .start = 63, .type = "NTFS",
         .fields = {{"Jump", "EB 52 90"}, {"OEM Name", "NTFS    "}, {"Bytes per Sector", "512"},
                    {"Sectors per Cluster", "8"}, {"Total NTFS Sectors", "20964761"},
                    {"MFT Start Cluster", "786432"}, {"MFT Mirror Start Clust", "1310272"}}},
        {.drive = "D:", .start = 20964888, .type = "FAT32",
         .fields = {{"Sectors per Cluster", "16"}, {"Reserved Sectors", "32"},
                    {"Number of FAT's", "2"}, {"Root Dir Entries", "0"}, {"Sectors per FAT", "0"},
                    {"Big Total Sectors", "20884437  (0x13EABD5)"},
                    {"Big Sectors per FAT", "10193"}, {"Volume Name", "MEDIA      "}}},
        {.drive = "E:", .start = 41849390, .type = "FAT",
         .fields = {{"Sectors per Cluster", "64"}, {"Reserved Sectors", "1"},
                    {"Number of FAT's", "2"}, {"Root Dir Entries", "512"}, {"Total Sectors", "0"},
                    {"Sectors per FAT", "246"}, {"Big Total Sectors", "4016185  (0x3D4839)"}}},
    };
    return d;
}

// A second disk: a Linux primary that ends off its cylinder (#108, as Info
// and as Error) and an NTFS one whose begin is a placeholder.
ListedDisk ntSecondDisk() {
    ListedDisk d{.number = 2, .cylinders = 30000};
    d.entries.push_back({.type = 0x83, .begin = {0, 1, 1}, .end = {999, 127, 63}, .start = 63,
                         .count = 16064937,
                         .after = {"Info: Partition didn't end on cylinder boundary.",
                                   "  ucEndHead expected to be 254, not 127."}});
    d.entries.push_back({.slot = 1, .type = 0x07, .begin = {1023, 254, 63}, .end = {1023, 254, 63},
                         .beginPlaceholder = true, .endPlaceholder = true,
                         .actualBegin = ListedChs{1306, 0, 1},
                         .actualEnd = ListedChs{15305, 200, 63}, .start = 20980890,
                         .count = 224906850, .after = error108(254, 200)});
    d.volumes = {{"*:ROOT", "Linux Ext3", "Pri", "7844.2", 0, 0, 63, 16064937},
                 {"G:", "NTFS", "Pri", "109817.8", 0, 1, 20980890, 224906850}};
    return d;
}

// The second disk as the first of two, so that a listing of both stays
// within the target's longest input.
ListedDisk firstOfTwo() {
    ListedDisk d = ntSecondDisk();
    d.number = 1;
    return d;
}

// The DOS program's disk of the tests' example, with its first volume's
// boot record.
ListedDisk dosDisk() {
    ListedDisk d = dosExampleDisk();
    d.bootRecords = {{.drive = "C:", .start = 63, .type = "FAT",
                      .fields = {{"Sectors per Cluster", "16"}, {"Reserved Sectors", "1"},
                                 {"Number of FAT's", "2"}, {"Root Dir Entries", "512"},
                                 {"Sectors per FAT", "250"}}}};
    return d;
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Every line as a mail reply quotes it.
std::string quoted(const std::string& text) {
    std::vector<std::string> lines = listing_detail::lines(text);
    for (std::string& line : lines) line.insert(0, "> ");
    return listing_detail::joined(lines);
}

}  // namespace

void writeListingSeeds(const std::filesystem::path& dir) {
    const auto write = [&](std::string_view name, const std::string& bytes) {
        writeSeed(dir, "partinfo", name, bytes);
    };
    write("nt-two-disks",
          seed(kJson | kOneDisk, ntListing({firstOfTwo(), ntSecondDisk()}, false)));
    write("dos-comma", seed(1 | kJson, dosListing({dosDisk()})));
    write("nt-posted",
          seed(kJson, forumTags(htmlEntities(
                          wrapLines(collapseBlanks(ntListing({ntDisk()}, false)), 72)))));
    write("dos-quoted-in-a-reply",
          seed(0, quoted(crOnly(joinMessageValues(dosListing({dosDisk()}))))));
    write("messages-only",
          seed(kBatch, "Error #114: Logical starting at 45865701 is not one head away from EPBR.\n\n"
                  "Error #105: Partition didn&#39;t begin on head boundary.\n"
                  "  ucBeginHead expected to be 0 or 1, not 2.\n"
                  "Error #109: Partition ends after end of disk. ucEndCylinder (5000) must be "
                  "less than 4865\n"));

    // One disk without the program's header, in every encoding: as bytes
    // of its own, and as the target's options make them.
    const std::string one = ntListing({ntSecondDisk()}, false);
    write("nt-utf8-bom", seed(0, "\xEF\xBB\xBF" + one));
    write("nt-utf16le", seed(kJson, utf16(one)));
    write("nt-utf16be", seed(1, utf16(one, true)));
    write("nt-cp437", seed(0, replaced(collapseBlanks(ntListing({ntDisk()}, false)), "É", "\x90")));
    write("dos-as-utf16le", seed(2, dosListing({dosDisk()})));
    write("dos-as-utf16be", seed(4 | 1 | kBatch, collapseBlanks(dosListing({dosDisk()}))));
    write("nt-as-utf8-bom", seed(6, one));
}

}  // namespace quorvane::fuzz
