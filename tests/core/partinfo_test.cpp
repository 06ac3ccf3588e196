// Partinfo listings written in both layouts, read whole and compared whole;
// the same listings as mail and forums leave them; what cannot be read; and
// inputs made to cost time.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <sstream>

#include "core/readers/partinfo.h"
#include "listingwriter.h"

namespace quorvane::core {

// How a failure shows a listing: one line per row, message and field.
std::string listingDump(const Listing& l) {
    std::ostringstream o;
    const auto chs = [&](const Chs& c) { o << c.cylinder << "/" << c.head << "/" << c.sector; };
    const auto messages = [&](const std::vector<ListingMessage>& all, const char* indent) {
        for (const ListingMessage& m : all) {
            o << indent << "@" << m.line << " " << messageLevelName(m.level) << " #"
              << (m.code ? std::to_string(*m.code) : "-") << " \"" << m.text << "\"";
            for (const ListingValue& v : m.values)
                o << " {" << v.name << " = " << v.value << " / '" << v.expected << "'}";
            o << "\n";
        }
    };
    o << "error '" << l.error << "' layout " << listingLayoutName(l.layout) << "\n";
    for (const ListingDisk& d : l.disks) {
        o << "disk " << (d.number ? std::to_string(*d.number) : "-");
        if (d.geometry)
            o << " " << d.geometry->cylinders << "/" << d.geometry->heads << "/" << d.geometry->sectors;
        o << " sections " << d.tableSection << d.volumeSection << "\n";
        for (const ListingEntry& e : d.entries) {
            o << "  entry @" << e.line << " '" << e.label << "' " << e.tableSector << "/" << e.slot
              << " " << int(e.boot) << " " << int(e.type) << " ";
            chs(e.begin), o << " ", chs(e.end);
            if (e.actualBegin) o << " actual ", chs(*e.actualBegin);
            if (e.actualEnd) o << " ", chs(*e.actualEnd);
            o << " marks " << e.beginPlaceholder << e.endPlaceholder << " printed " << e.printedStart
              << " start " << e.start << " count " << e.count << "\n";
            messages(e.messages, "    ");
        }
        for (const VolumeRow& v : d.volumes) {
            o << "  volume @" << v.line << " '" << v.volume << "' '" << v.partType << "' '"
              << v.status << "' " << v.sizeMb << " " << (v.partSect ? std::to_string(*v.partSect) : "None")
              << " " << (v.slot ? std::to_string(*v.slot) : "-") << " " << v.start << " " << v.total
              << "\n";
            messages(v.messages, "    ");
        }
        for (const BootRecord& b : d.bootRecords) {
            o << "  boot @" << b.line << " " << b.drive << " " << b.disk << " " << b.startingSector
              << " " << b.type << "\n";
            for (const BootRecordField& f : b.fields) o << "    '" << f.name << "' '" << f.value << "'\n";
            messages(b.messages, "    ");
        }
        messages(d.messages, "  ");
    }
    for (const UnreadLine& u : l.unread) o << "unread @" << u.line << " '" << u.text << "'\n";
    o << "dropped " << l.unreadDropped << "\n";
    return o.str();
}

void PrintTo(const Listing& listing, std::ostream* out) { *out << "\n" << listingDump(listing); }

namespace {

using namespace quorvane::test;

// ---- Listings and what they hold ------------------------------------------

// The number of the first line of `text` that holds `part`.
std::size_t lineOf(std::string_view text, std::string_view part) {
    const std::size_t at = text.find(part);
    EXPECT_NE(at, std::string_view::npos) << part;
    return static_cast<std::size_t>(std::count(text.begin(), text.begin() + at, '\n')) + 1;
}

ListingEntry entry(std::size_t line, std::string label, std::uint64_t table, unsigned slot,
                   std::uint8_t boot, std::uint8_t type, Chs begin, Chs end, std::uint64_t printed,
                   std::uint64_t start, std::uint64_t count) {
    ListingEntry e;
    e.line = line, e.label = std::move(label), e.tableSector = table, e.slot = slot;
    e.boot = boot, e.type = type, e.begin = begin, e.end = end;
    e.printedStart = printed, e.start = start, e.count = count;
    return e;
}

ListingEntry& placeholders(ListingEntry& e, bool begin, bool end, Chs actualBegin, Chs actualEnd) {
    e.beginPlaceholder = begin, e.endPlaceholder = end;
    e.actualBegin = actualBegin, e.actualEnd = actualEnd;
    return e;
}

VolumeRow volume(std::size_t line, std::string name, std::string type, std::string status,
                 std::string size, std::optional<std::uint64_t> partSect,
                 std::optional<unsigned> slot, std::uint64_t start, std::uint64_t total) {
    return {line, std::move(name), std::move(type), std::move(status), std::move(size),
            partSect, slot, start, total, {}};
}

ListingMessage message(std::size_t line, MessageLevel level, std::optional<unsigned> code,
                       std::string text, std::vector<ListingValue> values = {}) {
    return {line, level, code, std::move(text), std::move(values)};
}

// The NT program's listing of two disks: the first as the format's own
// example (an EPBR chain, placeholders, #105 and #114); the second with a
// Linux volume without a letter, an unnumbered #108 and a size past
// 100,000 MB.
std::vector<ListedDisk> ntDisks() {
    ListedDisk one{.number = 1, .cylinders = 4865};
    const auto add = [&](ListedDisk& d, std::uint64_t table, unsigned slot, std::uint8_t type,
                         ListedChs begin, ListedChs actualBegin, ListedChs actualEnd,
                         std::uint64_t start, std::uint64_t count, std::string label = {}) {
        ListedEntry e{.partSect = table, .slot = slot, .type = type, .begin = begin,
                      .end = {1023, 254, 63}, .beginPlaceholder = begin.cylinder == 1023,
                      .endPlaceholder = true, .actualBegin = actualBegin, .actualEnd = actualEnd,
                      .start = start, .count = count, .label = std::move(label)};
        d.entries.push_back(e);
        return &d.entries.back();
    };
    add(one, 0, 0, 0x07, {0, 1, 1}, {0, 1, 1}, {1304, 254, 63}, 63, 20964762)->boot = 0x80;
    add(one, 0, 1, 0x0F, {1023, 0, 1}, {1305, 0, 1}, {4799, 254, 63}, 20964825, 56147175);
    add(one, 20964825, 0, 0x0B, {1023, 1, 1}, {1305, 1, 1}, {2604, 254, 63}, 20964888, 20884437,
        "MEDIA");
    add(one, 20964825, 1, 0x05, {1023, 0, 1}, {2605, 0, 1}, {2854, 254, 63}, 41849325, 4016250);
    add(one, 41849325, 0, 0x06, {1023, 1, 1}, {2605, 1, 1}, {2854, 254, 63}, 41849388, 4016187,
        "CAFÉ");
    add(one, 41849325, 1, 0x05, {1023, 0, 1}, {2855, 0, 1}, {4799, 254, 63}, 45865575, 31246425);
    add(one, 45865575, 0, 0x07, {1023, 2, 1}, {2855, 2, 1}, {4799, 254, 63}, 45865701, 31246299)
        ->after = error105(2);
    one.volumes = {
        {"C:", "NTFS", "Pri,Boot", "10236.7", 0, 0, 63, 20964762},
        {"", "ExtendedX", "Pri", "27415.6", 0, 1, 20964825, 56147175},
        {"", "EPBR", "Log", "10197.5", std::nullopt, std::nullopt, 20964825, 20884500},
        {"D:MEDIA", "FAT32", "Log", "10197.5", 20964825, 0, 20964888, 20884437},
        {"", "EPBR", "Log", "1961.1", 20964825, 1, 41849325, 4016250},
        {"E:CAFÉ", "FAT", "Log", "1961.0", 41849325, 0, 41849388, 4016187},
        {"", "EPBR", "Log", "15257.0", 41849325, 1, 45865575, 31246425},
        {"F:", "NTFS", "Log", "15257.0", 45865575, 0, 45865701, 31246299,
         {"Error #114: Logical starting at 45865701 is not one head away from EPBR."}},
        {"", "Unallocated", "Pri", "509.9", std::nullopt, std::nullopt, 77112000, 1044225},
    };
    one.bootRecords = {
        {.drive = "C:", .start = 63, .type = "NTFS",
         .fields = {{"Jump", "EB 52 90"}, {"OEM Name", "NTFS    "}, {"Number of FATs", "0"},
                    {"Total Sectors (>32MB)", "0  (0x0)"}, {"Total NTFS Sectors", "20964761"}}},
        {.drive = "D:", .start = 20964888, .type = "FAT32",
         .fields = {{"Sectors per Cluster", "16"}, {"Number of FAT's", "2"},
                    {"Big Total Sectors", "20884437  (0x13EABD5)"}, {"Volume Name", "MEDIA      "},
                    {"Reserved", "000000000000000000000000 "}}},
    };
    ListedDisk two{.number = 2, .cylinders = 30000};
    two.entries.push_back({.type = 0x83, .begin = {0, 1, 1}, .end = {999, 127, 63}, .start = 63,
                           .count = 16064937,
                           .after = {"Info: Partition didn't end on cylinder boundary.",
                                     "  ucEndHead expected to be 254, not 127."}});
    add(two, 0, 1, 0x07, {1023, 254, 63}, {1306, 0, 1}, {15305, 254, 63}, 20980890, 224910000)
        ->beginPlaceholder = true;
    two.volumes = {
        {"*:ROOT", "Linux Ext3", "Pri", "7844.2", 0, 0, 63, 16064937},
        {"G:", "NTFS", "Pri", "109819.3", 0, 1, 20980890, 224910000},
    };
    two.bootRecords = {{.drive = "*:", .disk = 2, .start = 63, .type = "Ext3",
                        .lead = {"Ext3 file system super block:"},
                        .fields = {{"Inodes count", "2008064"}, {"Reserved block def. UID", "0x0000"}}}};
    return {one, two};
}

// What ntDisks() says, at the lines of `text`.
Listing ntExpected(std::string_view text) {
    const auto at = [&](std::string_view part) { return lineOf(text, part); };
    Listing l;
    l.layout = ListingLayout::Nt;
    ListingDisk one;
    one.number = 1, one.geometry = ListingGeometry{4865, 255, 63};
    one.tableSection = one.volumeSection = true;
    const auto row = [&](std::string_view part, std::string label, std::uint64_t table, unsigned slot,
                         std::uint8_t type, Chs begin, Chs actualBegin, Chs actualEnd,
                         std::uint64_t start, std::uint64_t count) {
        ListingEntry e = entry(at(part), std::move(label), table, slot, 0, type, begin,
                               {1023, 254, 63}, start, start, count);
        return placeholders(e, begin.cylinder == 1023, true, actualBegin, actualEnd);
    };
    one.entries = {
        row("  0  0  80     0", "", 0, 1, 0x07, {0, 1, 1}, {0, 1, 1}, {1304, 254, 63}, 63, 20964762),
        row("   20,964,825   56,147,175", "", 0, 2, 0x0F, {1023, 0, 1}, {1305, 0, 1},
            {4799, 254, 63}, 20964825, 56147175),
        row("MEDIA", "MEDIA", 20964825, 1, 0x0B, {1023, 1, 1}, {1305, 1, 1}, {2604, 254, 63},
            20964888, 20884437),
        row("   41,849,325    4,016,250", "", 20964825, 2, 0x05, {1023, 0, 1}, {2605, 0, 1},
            {2854, 254, 63}, 41849325, 4016250),
        row("CAFÉ", "CAFÉ", 41849325, 1, 0x06, {1023, 1, 1}, {2605, 1, 1}, {2854, 254, 63},
            41849388, 4016187),
        row("   45,865,575   31,246,425", "", 41849325, 2, 0x05, {1023, 0, 1}, {2855, 0, 1},
            {4799, 254, 63}, 45865575, 31246425),
        row("   45,865,701   31,246,299", "", 45865575, 1, 0x07, {1023, 2, 1}, {2855, 2, 1},
            {4799, 254, 63}, 45865701, 31246299),
    };
    one.entries[0].boot = 0x80;
    one.entries[6].messages = {message(at("Error #105"), MessageLevel::Error, 105,
                                       "Partition didn't begin on head boundary.",
                                       {{"ucBeginHead", "2", "0 or 1"}})};
    one.volumes = {
        volume(at("C:             NTFS"), "C:", "NTFS", "Pri,Boot", "10236.7", 0, 1, 63, 20964762),
        volume(at("ExtendedX"), "", "ExtendedX", "Pri", "27415.6", 0, 2, 20964825, 56147175),
        volume(at("None --  20,964,825"), "", "EPBR", "Log", "10197.5", std::nullopt, std::nullopt,
               20964825, 20884500),
        volume(at("D:MEDIA"), "D:MEDIA", "FAT32", "Log", "10197.5", 20964825, 1, 20964888, 20884437),
        volume(at("1,961.1"), "", "EPBR", "Log", "1961.1", 20964825, 2, 41849325, 4016250),
        volume(at("E:CAFÉ"), "E:CAFÉ", "FAT", "Log", "1961.0", 41849325, 1, 41849388, 4016187),
        volume(at("15,257.0  41,849,325"), "", "EPBR", "Log", "15257.0", 41849325, 2, 45865575,
               31246425),
        volume(at("F:"), "F:", "NTFS", "Log", "15257.0", 45865575, 1, 45865701, 31246299),
        volume(at("Unallocated"), "", "Unallocated", "Pri", "509.9", std::nullopt, std::nullopt,
               77112000, 1044225),
    };
    one.volumes[7].messages = {
        message(at("Error #114"), MessageLevel::Error, 114,
                "Logical starting at 45865701 is not one head away from EPBR.")};
    one.bootRecords = {
        {at("drive C:"), "C:", 1, 63, "NTFS",
         {{"Jump", "EB 52 90"}, {"OEM Name", "NTFS"}, {"Number of FATs", "0"},
          {"Total Sectors (>32MB)", "0  (0x0)"}, {"Total NTFS Sectors", "20964761"}}, {}},
        {at("drive D:"), "D:", 1, 20964888, "FAT32",
         {{"Sectors per Cluster", "16"}, {"Number of FAT's", "2"},
          {"Big Total Sectors", "20884437  (0x13EABD5)"}, {"Volume Name", "MEDIA"},
          {"Reserved", "000000000000000000000000"}}, {}},
    };
    ListingDisk two;
    two.number = 2, two.geometry = ListingGeometry{30000, 255, 63};
    two.tableSection = two.volumeSection = true;
    two.entries = {entry(at("  0  0  00     0"), "", 0, 1, 0, 0x83, {0, 1, 1}, {999, 127, 63}, 63,
                         63, 16064937),
                   entry(at("20,980,890  224,910,000"), "", 0, 2, 0, 0x07, {1023, 254, 63},
                         {1023, 254, 63}, 20980890, 20980890, 224910000)};
    two.entries[0].messages = {message(at("Info: Partition didn't end"), MessageLevel::Info, 108,
                                       "Partition didn't end on cylinder boundary.",
                                       {{"ucEndHead", "127", "254"}})};
    placeholders(two.entries[1], true, true, {1306, 0, 1}, {15305, 254, 63});
    two.volumes = {volume(at("*:ROOT"), "*:ROOT", "Linux Ext3", "Pri", "7844.2", 0, 1, 63, 16064937),
                   volume(at("G:"), "G:", "NTFS", "Pri", "109819.3", 0, 2, 20980890, 224910000)};
    two.bootRecords = {{at("drive *:"), "*:", 2, 63, "Ext3",
                        {{"Inodes count", "2008064"}, {"Reserved block def. UID", "0x0000"}}, {}}};
    l.disks = {one, two};
    return l;
}

// The DOS program's listing: the format's example with an extended
// partition whose chain holds two logical partitions; its #110 and one that
// matches no entry; and a second disk.
std::vector<ListedDisk> dosDisks() {
    ListedDisk one = dosExampleDisk();
    one.bootRecords = {{.drive = "C:", .start = 63, .type = "FAT",
                        .fields = {{"Sectors per Cluster", "16"}, {"Number of FAT's", "2"}}}};
    ListedDisk two{.number = 2, .cylinders = 1000, .heads = 16};
    two.entries = {{.type = 0x83, .begin = {0, 1, 1}, .end = {999, 15, 63}, .start = 63,
                    .count = 1007937}};
    return {one, two};
}

Listing dosExpected(std::string_view text) {
    const auto at = [&](std::string_view part) { return lineOf(text, part); };
    Listing l;
    l.layout = ListingLayout::Dos;
    ListingDisk one;
    one.number = 1, one.geometry = ListingGeometry{4982, 16, 63};
    one.tableSection = one.volumeSection = true;
    one.entries = {
        entry(at("         0 0   80"), "", 0, 1, 0x80, 0x06, {0, 1, 1}, {1014, 15, 63}, 63, 63, 1024065),
        entry(at("*        0 1"), "", 0, 2, 0, 0x05, {1016, 0, 1}, {1023, 15, 63}, 1024128, 1024128,
              3915072),
        entry(at("   1024128 0"), "", 1024128, 1, 0, 0x0B, {1016, 1, 1}, {2008, 15, 63}, 63, 1024191,
              1000881),
        entry(at("*  1024128 1"), "", 1024128, 2, 0, 0x05, {1023, 0, 1}, {1023, 15, 63}, 1000944,
              2025072, 2914128),
        entry(at("*  2025072 0"), "", 2025072, 1, 0, 0x06, {1023, 1, 1}, {1023, 15, 63}, 63, 2025135,
              2914065),
    };
    placeholders(one.entries[1], true, true, {1016, 0, 1}, {4899, 15, 63});
    placeholders(one.entries[3], true, true, {2009, 0, 1}, {4899, 15, 63});
    placeholders(one.entries[4], true, true, {2009, 1, 1}, {4899, 15, 63});
    const std::string text110 = "Number of sectors in partition is inconsistent.";
    one.entries[0].messages = {message(at("Error #110"), MessageLevel::Error, 110, text110,
                                       {{"ucSectors", "1024065", ""}, {"end - begin", "1023057", ""}})};
    one.messages = {message(at("ucSectors = 77") - 1, MessageLevel::Error, 110, text110,
                            {{"ucSectors", "77", ""}, {"end - begin", "78", ""}})};
    one.volumes = {
        volume(at("C:BOOTDISK"), "C:BOOTDISK", "FAT", "Pri,Boot", "500.0", 0, 1, 63, 1024065),
        volume(at("Extended"), "", "Extended", "Pri", "1911.7", 0, 2, 1024128, 3915072),
        volume(at("D:DATA"), "D:DATA", "FAT32", "Log", "488.7", 1024128, 1, 1024191, 1000881),
        volume(at("E:CAFÉ"), "E:CAFÉ", "FAT", "Log", "1422.9", 2025072, 1, 2025135, 2914065),
        volume(at("Unallocated"), "", "Unallocated", "", "40.4", std::nullopt, std::nullopt, 4939200,
               82656),
    };
    one.bootRecords = {{at("drive C:"), "C:", 1, 63, "FAT",
                        {{"Sectors per Cluster", "16"}, {"Number of FAT's", "2"}}, {}}};
    ListingDisk two;
    two.number = 2, two.geometry = ListingGeometry{1000, 16, 63};
    two.tableSection = true;
    two.entries = {entry(at("Disk 2:") + 7, "", 0, 1, 0, 0x83, {0, 1, 1}, {999, 15, 63}, 63, 63,
                         1007937)};
    l.disks = {one, two};
    return l;
}

// ---- Damage -----------------------------------------------------------------

Listing withoutLines(Listing l) {
    const auto clear = [](std::vector<ListingMessage>& all) {
        for (ListingMessage& m : all) m.line = 0;
    };
    for (ListingDisk& d : l.disks) {
        for (ListingEntry& e : d.entries) e.line = 0, clear(e.messages);
        for (VolumeRow& v : d.volumes) v.line = 0, clear(v.messages);
        for (BootRecord& b : d.bootRecords) b.line = 0, clear(b.messages);
        clear(d.messages);
    }
    return l;
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Collapsing blanks changes the boot record values that hold a run of them.
Listing withCollapsedValues(Listing l) {
    for (ListingDisk& d : l.disks)
        for (BootRecord& b : d.bootRecords)
            for (BootRecordField& f : b.fields) f.value = collapseBlanks(f.value);
    return l;
}

struct Damage {
    const char* name;
    std::function<std::string(const std::string&)> apply;
    bool keepsLines = true;
    bool collapses = false;
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

const Damage kDamages[] = {
    {"none", [](const std::string& t) { return t; }},
    {"collapsedBlanks", collapseBlanks, true, true},
    {"wrappedAt72", [](const std::string& t) { return wrapLines(t, 72); }, false},
    {"collapsedAndWrappedAt72", [](const std::string& t) { return wrapLines(collapseBlanks(t), 72); },
     false, true},
    {"forumTags", forumTags},
    {"htmlEntities", htmlEntities},
    {"utf16LittleEndian", [](const std::string& t) { return utf16(t); }},
    {"utf16BigEndian", [](const std::string& t) { return utf16(t, true); }},
    {"crOnly", crOnly},
    {"lfOnly", [](const std::string& t) { return replaced(t, "\r\n", "\n"); }},
    {"codePage437", [](const std::string& t) { return replaced(t, "É", "\x90"); }},
    {"utf8WithBomAndNoBreakSpaces",
     [](const std::string& t) { return "\xEF\xBB\xBF" + replaced(t, "  ", "\xC2\xA0 "); }},
    {"lostIndentation", loseIndentation},
    {"quotedInAReply",
     [](const std::string& t) {
         std::vector<std::string> lines = listing_detail::lines(t);
         for (std::string& line : lines) line.insert(0, "> ");
         return listing_detail::joined(lines);
     }},
    {"messageAndValueJoined", joinMessageValues, false},
    {"everything",
     [](const std::string& t) {
         const std::string joined = loseIndentation(joinMessageValues(t));
         return utf16(htmlEntities(forumTags(wrapLines(collapseBlanks(joined), 72))));
     },
     false, true},
};

class DamagedListing : public testing::TestWithParam<Damage> {};

TEST_P(DamagedListing, ReadsAsTheWholeListing) {
    const Damage& damage = GetParam();
    const std::string nt = ntListing(ntDisks());
    const std::string dos = dosListing(dosDisks());
    const auto expect = [&](Listing l) {
        if (damage.collapses) l = withCollapsedValues(l);
        return damage.keepsLines ? l : withoutLines(l);
    };
    const auto read = [&](const std::string& text) {
        const Listing l = readListing(damage.apply(text));
        return damage.keepsLines ? l : withoutLines(l);
    };
    EXPECT_EQ(read(nt), expect(ntExpected(nt)));
    EXPECT_EQ(read(dos), expect(dosExpected(dos)));
}

INSTANTIATE_TEST_SUITE_P(Partinfo, DamagedListing, testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Fragments, messages and values -------------------------------------------

struct Fragment {
    const char* name;
    std::string text;
    std::string dump;  // listingDump of what is read
};

const Fragment kFragments[] = {
    {"messagesOnly",
     "Error #114: Logical starting at 45865701 is not one head away from EPBR.\n\n"
     "Error #105: Partition didn&#39;t begin on head boundary.\n",
     "error '' layout nt\ndisk - sections 00\n"
     "  @1 Error #114 \"Logical starting at 45865701 is not one head away from EPBR.\"\n"
     "  @3 Error #105 \"Partition didn't begin on head boundary.\"\ndropped 0\n"},
    {"unnumberedKnownTextsAndValueForms",
     "Info: Partition didn't begin on head boundary.\n"
     "ucBeginHead expected to be 0 or 1, not 2.\n  ucBeginSector expected to be 1, not 5.\n"
     "Info: Logical starting at 2,000 is not one head away from EPBR\n"
     "Error #109: Partition ends after end of disk. ucEndCylinder (5000) must be less than 4865 \n"
     "Warning: EPBR partition starting at 63 is without logical partition.\n"
     "Warning #113: EPBR partition starting at 9 overlaps previous EPBR partition.\n",
     "error '' layout nt\ndisk - sections 00\n"
     "  @1 Info #105 \"Partition didn't begin on head boundary.\" {ucBeginHead = 2 / '0 or 1'} "
     "{ucBeginSector = 5 / '1'}\n"
     "  @4 Info #114 \"Logical starting at 2,000 is not one head away from EPBR\"\n"
     "  @5 Error #109 \"Partition ends after end of disk.\" {ucEndCylinder = 5000 / 'less than 4865'}\n"
     "  @6 Warning #- \"EPBR partition starting at 63 is without logical partition.\"\n"
     "  @7 Warning #113 \"EPBR partition starting at 9 overlaps previous EPBR partition.\"\n"
     "dropped 0\n"},
    {"partitionInformationWithoutTitle",
     "Volume PartType Status Size MB PartSect # StartSect TotalSects\n"
     "D:MY DISK FAT32 Log 10,197.5 20,964,825 0 20,964,888 20,884,437\n"
     "  Linux Swap Pri 509.9 None -- 77,112,000 1,044,225\n",
     "error '' layout nt\ndisk - sections 01\n"
     "  volume @2 'D:MY DISK' 'FAT32' 'Log' 10197.5 20964825 1 20964888 20884437\n"
     "  volume @3 '' 'Linux Swap' 'Pri' 509.9 None - 77112000 1044225\ndropped 0\n"},
    {"rowsThatCannotBeReadWhole",
     "Disk Geometry Information for Disk 1: 4865 Cylinders, 255 Heads, 63 Sectors/Track\n"
     "0 0 80 0 1 1 07 1023 254 63 63 20,964,762\n"
     "MEDIA 20,964,825 0 00 1023 1 1 0B 1023 254 63 20,96x,888 20,884,437\n"
     "Info: End C,H,S values were large drive placeholders.\n"
     "  Actual values are:\n"
     " 20964825  0  00   1305    1    1  0B   2604  254   63  20964888  20884437\n"
     "20,964,825 1 00 1023 0 1 0F 1023 254 63 41,849,325\n"
     "Partition Information for Disk 1: 38,162.2 Megabytes\n"
     "C: NTFS Pri,Boot 10,236.7 0 7 63 20,964,762\n",
     "error '' layout nt\ndisk 1 4865/255/63 sections 11\n"
     "  entry @2 '' 0/1 128 7 0/1/1 1023/254/63 marks 00 printed 63 start 63 count 20964762\n"
     "  @4 Info #- \"End C,H,S values were large drive placeholders.\"\n"
     "unread @3 'MEDIA 20,964,825 0 00 1023 1 1 0B 1023 254 63 20,96x,888 20,884,437'\n"
     "unread @6 ' 20964825  0  00   1305    1    1  0B   2604  254   63  20964888  20884437'\n"
     "unread @7 '20,964,825 1 00 1023 0 1 0F 1023 254 63 41,849,325'\n"
     "unread @9 'C: NTFS Pri,Boot 10,236.7 0 7 63 20,964,762'\ndropped 0\n"},
};

class ListingFragment : public testing::TestWithParam<Fragment> {};

TEST_P(ListingFragment, ReadsWhatItHolds) {
    EXPECT_EQ(listingDump(readListing(GetParam().text)), GetParam().dump);
}

INSTANTIATE_TEST_SUITE_P(Partinfo, ListingFragment, testing::ValuesIn(kFragments),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Partinfo, CleansWhatPostingGluedOn) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"[FONT=\"Courier New\"]=====", "====="},
        {"45,865,701  31,246,299[/FONT]  ", "45,865,701  31,246,299"},
        {"*        0 1   00 [1016    0    1] 0C [1023   15   63]    1024128",
         "*        0 1   00 [1016    0    1] 0C [1023   15   63]    1024128"},
        {"    Web site:  [http://x.example/](http://x.example/)", "    Web site:  http://x.example/"},
        {"E-mail:  [email]a@b.example[/email]", "E-mail:  a@b.example"},
        {"[QUOTE=name;123][b]Error #108[/b]:[/QUOTE] [code]x[/CODE]", "Error #108: x"},
        {"didn&#39;t &gt; &#x41; &amp;lt; &nbsp;x&bogus; &#0; &", "didn't > A &lt;  x&bogus; &#0; &"},
        {"> > quoted  line", "quoted  line"},
        {"[1] [unknown] [size]", "[1] [unknown]"},
    };
    for (const auto& [line, clean] : cases) EXPECT_EQ(cleanListingLine(line), clean) << line;
}

TEST(Partinfo, BootRecordFieldsByName) {
    const Listing l = readListing(ntListing(ntDisks()));
    const BootRecord* d = bootRecordAt(l.disks.at(0), 20964888);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(*d->field("number of fats"), "2");
    EXPECT_EQ(*l.disks[0].bootRecords[0].field("Number of FAT's"), "0");
    EXPECT_EQ(d->number("Big Total Sectors"), 20884437u);
    EXPECT_EQ(d->number("Volume Name"), std::nullopt);
    EXPECT_EQ(d->number("Missing"), std::nullopt);
    EXPECT_EQ(d->field("Missing"), nullptr);
    EXPECT_EQ(l.disks[1].bootRecords[0].number("Reserved block def. UID"), std::nullopt);
    const ListingMessage& m = l.disks[1].entries[0].messages.at(0);
    EXPECT_EQ(m.value("UCENDHEAD")->expected, "254");
    EXPECT_EQ(m.value("ucBeginHead"), nullptr);
}

// ---- What is no listing -------------------------------------------------------

TEST(Partinfo, SaysWhatTheBytesAreInstead) {
    std::string image(1024, '\0');
    image[510] = '\x55', image[511] = '\xAA';
    const std::string notText = "Partition Tables\n" + std::string(64, '\x01');
    const std::pair<std::string, std::string> cases[] = {
        {"", "it is empty"},
        {std::string(kMaxListingBytes + 1, ' '),
         "it is larger than 16 MiB, and a listing is a few hundred kilobytes at most: choose "
         "the text file that partinfo wrote"},
        {std::string("Disk 1:\0\0\0", 10), "it holds binary data, not text"},
        {notText, "it holds binary data, not text"},
        {image, "it is a disk image, not a text listing: read it as a partition table instead"},
        {"# Disk DescriptorFile\nversion=1\n",
         "it is a disk image, not a text listing: read it as a partition table instead"},
        {"Hello,\nmy disk is broken, what do I do?\n",
         "it is text, but holds no partinfo listing: no disk geometry, partition table, "
         "partition information or boot record was found"},
    };
    for (const auto& [bytes, reason] : cases) {
        EXPECT_EQ(readListing(bytes).error, reason) << bytes.substr(0, 40);
        EXPECT_EQ(decodeListingText(bytes).error,
                  reason.starts_with("it is text") ? "" : reason);
    }
    EXPECT_EQ(unreadableListingText("a.txt", "it is empty"),
              "Cannot read 'a.txt' as a partinfo listing: it is empty.");
}

// ---- Inputs made to cost time ---------------------------------------------------

TEST(Partinfo, BoundedWhateverTheInputHolds) {
    // A sixteenth of the largest listing (the longest line: all of it):
    // reading is linear in the length, so anything worse would take
    // minutes here and end the test run; the time itself is the
    // benchmark's business.
    constexpr std::size_t size = kMaxListingBytes / 16;
    std::string repeated;
    const std::string nt = ntListing(ntDisks());
    while (repeated.size() + nt.size() < size) repeated += nt;
    std::string numbers, brackets;
    while (numbers.size() < size) numbers += "1 2 3 4 5\n";
    while (brackets.size() < size) brackets += "[&";
    const std::pair<const char*, std::string> cases[] = {
        {"one long line", std::string(kMaxListingBytes, 'x')},
        {"digits", std::string(size, '7')},
        {"rows of numbers", numbers},
        {"brackets and ampersands", brackets},
        {"line ends", std::string(size, '\n')},
        {"repeated sections", repeated},
    };
    for (const auto& [name, bytes] : cases) {
        const Listing l = readListing(bytes);
        EXPECT_LE(l.unread.size(), kMaxUnreadLines) << name;
        if (std::string_view(name) == "rows of numbers") {
            EXPECT_EQ(l.unread.size() + l.unreadDropped,
                      static_cast<std::size_t>(std::count(numbers.begin(), numbers.end(), '\n')));
        }
    }
}

TEST(Partinfo, ReadsEightDisksOfAHundredEntries) {
    std::vector<ListedDisk> disks;
    for (unsigned n = 1; n <= 8; ++n) {
        ListedDisk d{.number = n, .cylinders = 60000};
        for (unsigned i = 0; i < 100; ++i)
            d.entries.push_back({.partSect = i * 16065ull, .slot = i % 2, .type = 0x07,
                                 .begin = {1023, 1, 1}, .end = {1023, 254, 63},
                                 .beginPlaceholder = true, .endPlaceholder = true,
                                 .actualBegin = ListedChs{i, 1, 1}, .actualEnd = ListedChs{i, 254, 63},
                                 .start = i * 16065ull + 63, .count = 16002, .label = "VOLUME"});
        disks.push_back(d);
    }
    const Listing l = readListing(ntListing(disks));
    ASSERT_EQ(l.disks.size(), 8u);
    EXPECT_EQ(l.disks[7].entries.size(), 100u);
    EXPECT_TRUE(l.unread.empty());
}

// ---- Faults found by fuzzing -----------------------------------------------------

TEST(ListingFaults, NumSectsBeyondThirtyTwoBitsWasReadAsACountNoTableHolds) {
    // An entry's count is stored in 32 bits: a larger NumSects is not a
    // value the row can have held, and the row is listed as not read.
    const struct {
        const char* numSects;
        std::optional<std::uint64_t> count;
    } cases[] = {
        {"4,294,967,295", 4294967295u},
        {"4294967295", 4294967295u},
        {"4,294,967,296", std::nullopt},
        {"99,999,999,999", std::nullopt},
        {"18446744073709551615", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::string row =
            std::string("0 0 80 0 1 1 07 1023 254 63 63 ") + c.numSects;
        const Listing l = readListing(
            "Disk Geometry Information for Disk 1: 4865 Cylinders, 255 Heads, 63 Sectors/Track\n" +
            row + "\n");
        ASSERT_EQ(l.disks.size(), 1u) << c.numSects;
        if (c.count) {
            ASSERT_EQ(l.disks[0].entries.size(), 1u) << c.numSects;
            EXPECT_EQ(l.disks[0].entries[0].count, *c.count);
            EXPECT_TRUE(l.unread.empty());
        } else {
            EXPECT_TRUE(l.disks[0].entries.empty()) << c.numSects;
            EXPECT_EQ(l.unread, (std::vector<UnreadLine>{{2, row}})) << c.numSects;
        }
    }
}

TEST(ListingFaults, RowsBeyondAnyDisksTableTookTheSquareOfTheirNumberToCheck) {
    // A section pasted over and over gave one disk a row for every line,
    // and the checks across entries compared each with every other: hours
    // for a listing of a few megabytes. No disk's table holds more than the
    // master boot record's four entries and four for each record of the
    // longest chain; the rows beyond are listed as not read.
    const std::string row = "0 0 80 0 1 1 07 1023 254 63 63 20964762";
    std::string text =
        "Disk Geometry Information for Disk 1: 4865 Cylinders, 255 Heads, 63 Sectors/Track\n";
    for (std::size_t i = 0; i < kMostListedEntries + 2; ++i) text += row + "\n";
    text += "Disk Geometry Information for Disk 2: 4865 Cylinders, 255 Heads, 63 Sectors/Track\n" +
            row + "\n";
    const Listing l = readListing(text);
    ASSERT_EQ(l.disks.size(), 2u);
    EXPECT_EQ(l.disks[0].entries.size(), kMostListedEntries);
    EXPECT_EQ(l.disks[1].entries.size(), 1u);
    const std::size_t first = kMostListedEntries + 2;  // the first row not read
    EXPECT_EQ(l.unread, (std::vector<UnreadLine>{{first, row}, {first + 1, row}}));
}

}  // namespace
}  // namespace quorvane::core
