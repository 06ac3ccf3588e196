// PartitionInfo listings written for the tests, in the layout of the NT
// program (partinnt) or the DOS program (partinfo), with CR LF line ends as
// a redirect on DOS or Windows writes them; and the damage that mailing or
// posting a listing does to it.
//
//   using namespace quorvane::test;
//   ListedDisk disk{.number = 1, .cylinders = 4865, .heads = 255, .sectors = 63};
//   disk.entries.push_back({.boot = 0x80, .type = 0x07, .begin = {0, 1, 1},
//                           .end = {1023, 254, 63}, .endPlaceholder = true,
//                           .actualEnd = ListedChs{1304, 254, 63},
//                           .start = 63, .count = 20964762});
//   disk.volumes.push_back({.volume = "C:", .partType = "NTFS", .status = "Pri,Boot",
//                           .sizeMb = "10236.7", .partSect = 0, .slot = 0,
//                           .start = 63, .total = 20964762});
//   std::string text = ntListing({disk});
//   std::string posted = forumTags(wrapLines(collapseBlanks(text), 72));
//
// Messages are plain lines (`after`), written after the row they follow
// (on NT after the "Actual values are:" row); helpers give the exact lines
// of the common ones. On DOS the disk's `messages` follow the legend.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/characters.h"

namespace quorvane::test {

struct ListedChs {
    unsigned cylinder = 0, head = 0, sector = 0;
};

// One partition table row. `start` is StartSect as printed: absolute on NT,
// the stored value on DOS.
struct ListedEntry {
    std::uint64_t partSect = 0;
    unsigned slot = 0;  // the listing's # (0 to 3)
    std::uint8_t boot = 0;
    std::uint8_t type = 0;
    ListedChs begin{}, end{};  // as stored
    bool beginPlaceholder = false, endPlaceholder = false;
    // The actual values; where one is missing the stored one is printed.
    std::optional<ListedChs> actualBegin{}, actualEnd{};
    std::uint64_t start = 0, count = 0;
    std::string label{};  // NT's System column
    std::vector<std::string> after{};

    bool marked() const {
        return beginPlaceholder || endPlaceholder || actualBegin || actualEnd;
    }
};

// One Partition Information row; `sizeMb` without separators ("10236.7"),
// which NT adds.
struct ListedVolume {
    std::string volume{}, partType{}, status{}, sizeMb{};
    std::optional<std::uint64_t> partSect{};  // none prints "None"
    std::optional<unsigned> slot{};  // the listing's #; none prints "--" (DOS "-")
    std::uint64_t start = 0, total = 0;
    std::vector<std::string> after{};
};

struct ListedBootRecord {
    std::string drive = "C:";
    unsigned disk = 1;
    std::uint64_t start = 0;
    std::string type{};
    std::vector<std::string> lead{};  // lines before the fields: "Ext3 file system super block:"
    std::vector<std::pair<std::string, std::string>> fields{};  // numbered from 1
    std::vector<std::string> after{};
};

struct ListedDisk {
    unsigned number = 1;
    std::uint64_t cylinders = 0;
    unsigned heads = 255, sectors = 63;
    std::vector<ListedEntry> entries{};
    std::vector<std::string> messages{};  // DOS: after the legend
    std::vector<ListedVolume> volumes{};  // no section when empty
    std::vector<ListedBootRecord> bootRecords{};
};

namespace listing_detail {

inline std::string number(std::uint64_t n) { return std::to_string(n); }

// "20,964,825"; a decimal text keeps its fraction: "10,236.7".
inline std::string grouped(std::string_view digits) {
    const std::size_t point = std::min(digits.find('.'), digits.size());
    std::string out;
    for (std::size_t i = 0; i < point; ++i) {
        if (i > 0 && (point - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    out += digits.substr(point);
    return out;
}
inline std::string grouped(std::uint64_t n) { return grouped(std::to_string(n)); }

inline std::string hex2(unsigned v) {
    constexpr char digits[] = "0123456789ABCDEF";
    return {digits[(v >> 4) & 15], digits[v & 15]};
}

// A line built by placing right-aligned fields at their right edges.
struct Row {
    std::string text;
    // Puts `value` so that it ends before column `edge`, at least one
    // blank after what stands already (none after a blank or a '[').
    Row& right(std::size_t edge, std::string_view value) {
        std::size_t at = edge >= value.size() ? edge - value.size() : 0;
        const bool apart = !text.empty() && text.back() != ' ' && text.back() != '[';
        at = std::max(at, text.size() + (apart ? 1 : 0));
        text.resize(at, ' ');
        text += value;
        return *this;
    }
    // Puts `value` right after what stands, padded to `width`.
    Row& left(std::string_view value, std::size_t width) {
        text += value;
        if (value.size() < width) text.append(width - value.size(), ' ');
        return *this;
    }
    Row& at(std::size_t column, std::string_view value) {
        if (text.size() < column) text.resize(column, ' ');
        text += value;
        return *this;
    }
};

inline void add(std::string& out, std::string_view line) {
    out += line;
    out += "\r\n";
}
inline void addAll(std::string& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) add(out, line);
}

// C x H x S x 512 / 1,048,576, one decimal, rounded.
inline std::string diskMb(const ListedDisk& d) {
    const std::uint64_t tenths =
        (d.cylinders * d.heads * d.sectors * 512 * 10 + 524288) / 1048576;
    return number(tenths / 10) + "." + number(tenths % 10);
}

inline void bootRecord(std::string& out, const ListedBootRecord& r, std::string_view rule) {
    add(out, rule);
    add(out, "Boot Record for drive " + r.drive + "   (Drive: " + number(r.disk) +
                 ", Starting sector: " + grouped(r.start) + ", Type: " + r.type + ")");
    add(out, rule);
    addAll(out, r.lead);
    for (std::size_t i = 0; i < r.fields.size(); ++i) {
        Row row;
        row.right(2, number(i + 1)).text += ". ";
        row.left(r.fields[i].first + ":", 24).text += r.fields[i].second;
        add(out, row.text);
    }
    addAll(out, r.after);
}

}  // namespace listing_detail

inline const std::string kNtRule(107, '=');

// The NT program's header, down to the blank lines before the first rule.
inline std::string ntHeader() {
    return "PowerQuest PartitionInfo 8.0 -- Windows NT/2000 Version\r\n"
           "Date Generated:  07/14/05  21:37:08\r\n"
           "Copyright (c)1994-2002, PowerQuest Corporation\r\n"
           "Permission is granted for this utility to be freely copied so long\r\n"
           "as it is not modified in any way.  All other rights are reserved.\r\n"
           "\r\n"
           "PowerQuest, makers of PartitionMagic(r), Drive Image(tm), and DriveCopy(tm), can be "
           "reached at:\r\n"
           "    Voice:  <telephone>\r\n"
           "    Fax:  <telephone>\r\n"
           "    Web site:  <web address>\r\n"
           "    E-mail:  <e-mail address>\r\n"
           "\r\n"
           "General System Information:\r\n"
           "    Total Physical Memory (bytes):  535,801,856\r\n"
           "    Used Physical Memory: (bytes):  198,443,008\r\n"
           "    Maximum Page File Size: (bytes):  1,311,416,320\r\n"
           "    Current Page File Size: (bytes):  156,618,752\r\n";
}

// The listing of the NT program: the header (unless `header` is false),
// then per disk its Disk Geometry, Partition Information and Boot Record
// sections.
inline std::string ntListing(const std::vector<ListedDisk>& disks, bool header = true) {
    using namespace listing_detail;
    std::string out = header ? ntHeader() : std::string();
    for (const ListedDisk& d : disks) {
        out += "\r\n\r\n\r\n";
        add(out, kNtRule);
        add(out, "Disk Geometry Information for Disk " + number(d.number) + ":    " +
                     number(d.cylinders) + " Cylinders,  " + number(d.heads) + " Heads,  " +
                     number(d.sectors) + " Sectors/Track");
        add(out, "System              PartSect  # Boot BCyl Head Sect  FS    ECyl Head Sect    "
                 "StartSect     NumSects");
        add(out, kNtRule);
        for (const ListedEntry& e : d.entries) {
            Row row;
            row.text = e.label;
            row.right(28, grouped(e.partSect)).right(31, number(e.slot)).right(35, hex2(e.boot));
            row.right(41, number(e.begin.cylinder)).right(46, number(e.begin.head));
            row.right(51, number(e.begin.sector)).right(55, hex2(e.type));
            row.right(63, number(e.end.cylinder)).right(68, number(e.end.head));
            row.right(73, number(e.end.sector));
            row.right(86, grouped(e.start)).right(99, grouped(e.count));
            add(out, row.text);
            if (e.beginPlaceholder) add(out, "Info: Begin C,H,S values were large drive placeholders.");
            if (e.endPlaceholder) add(out, "Info: End C,H,S values were large drive placeholders.");
            if (e.marked()) {
                add(out, "  Actual values are:");
                const ListedChs b = e.actualBegin.value_or(e.begin);
                const ListedChs x = e.actualEnd.value_or(e.end);
                Row actual;
                actual.right(9, number(e.partSect)).right(12, number(e.slot));
                actual.right(16, hex2(e.boot)).right(23, number(b.cylinder));
                actual.right(28, number(b.head)).right(33, number(b.sector));
                actual.right(37, hex2(e.type)).right(44, number(x.cylinder));
                actual.right(49, number(x.head)).right(54, number(x.sector));
                actual.right(64, number(e.start)).right(74, number(e.count));
                add(out, actual.text);
            }
            addAll(out, e.after);
        }
        if (!d.volumes.empty()) {
            out += "\r\n\r\n\r\n";
            add(out, kNtRule);
            add(out, "Partition Information for Disk " + number(d.number) + ":    " +
                         grouped(diskMb(d)) + " Megabytes");
            add(out, "Volume         PartType    Status    Size MB    PartSect  #   StartSect  "
                     "TotalSects");
            add(out, kNtRule);
            for (const ListedVolume& v : d.volumes) {
                Row row;
                row.left(v.volume, 15).left(v.partType, 12).left(v.status, 9);
                // From 100,000.0 MB on the size takes 9 columns and moves
                // the rest of the row one to the right.
                const std::string size = grouped(v.sizeMb);
                const std::size_t shift = size.size() > 8 ? size.size() - 8 : 0;
                row.right(44 + shift, size);
                row.right(56 + shift, v.partSect ? grouped(*v.partSect) : "None");
                row.right(59 + shift, v.slot ? number(*v.slot) : "--");
                row.right(71 + shift, grouped(v.start)).right(83 + shift, grouped(v.total));
                add(out, row.text);
                addAll(out, v.after);
            }
        }
        for (std::size_t i = 0; i < d.bootRecords.size(); ++i) {
            out += i == 0 ? "\r\n\r\n" : "\r\n";
            bootRecord(out, d.bootRecords[i], kNtRule);
        }
    }
    return out;
}

// The DOS program's listing of the disks (its header is unknown: none is
// written). Boot records, of which no DOS sample is known, are written as
// the NT program writes them, between 76-column rules.
inline std::string dosListing(const std::vector<ListedDisk>& disks) {
    using namespace listing_detail;
    std::string out;
    for (const ListedDisk& d : disks) {
        add(out, std::string(76, '='));
        add(out, "Disk " + number(d.number) + ": " + number(d.cylinders) + " Cylinders, " +
                     number(d.heads) + " Heads, " + number(d.sectors) + " Sectors/Track.");
        add(out, "BiosExtensions: 0x3000 Subsets (0x00000001): Access");
        add(out, "The BIOS supports INT 13h extensions for this drive.");
        add(out, std::string(28, '=') + " Partition Tables " + std::string(30, '='));
        add(out, "Partition          -----Begin----      ------End-----  Start      Num");
        add(out, "Sector     # Boot  Cyl  Head Sect  FS  Cyl  Head Sect  Sect       Sects");
        add(out, "---------- - ----  ---- ---- ----  --  ---- ---- ----  ---------- ----------");
        bool marks = false;
        for (const ListedEntry& e : d.entries) {
            const bool marked = e.marked();
            marks = marks || marked;
            Row row;
            row.text = marked ? "*" : "";
            row.right(10, number(e.partSect)).right(12, number(e.slot)).right(17, hex2(e.boot));
            if (marked) row.at(18, "[");
            row.right(23, number(e.begin.cylinder)).right(28, number(e.begin.head));
            row.right(33, number(e.begin.sector));
            if (marked) row.text += "]";
            row.right(37, hex2(e.type));
            if (marked) row.at(38, "[");
            row.right(43, number(e.end.cylinder)).right(48, number(e.end.head));
            row.right(53, number(e.end.sector));
            if (marked) row.text += "]";
            row.right(65, number(e.start)).right(76, number(e.count));
            add(out, row.text);
            if (marked) {
                const ListedChs b = e.actualBegin.value_or(e.begin);
                const ListedChs x = e.actualEnd.value_or(e.end);
                Row actual;
                actual.text = "**";
                actual.right(23, number(b.cylinder)).right(28, number(b.head));
                actual.right(33, number(b.sector)).right(43, number(x.cylinder));
                actual.right(48, number(x.head)).right(53, number(x.sector));
                add(out, actual.text);
            }
            addAll(out, e.after);
        }
        if (marks) out += "\r\n* = Large Drive Placeholders\r\n** = Actual Values\r\n";
        if (!d.messages.empty()) {
            out += "\r\n";
            addAll(out, d.messages);
        }
        if (!d.volumes.empty()) {
            out += "\r\n";
            add(out, std::string(80, '='));
            add(out, "Disk " + number(d.number) + ": " + diskMb(d) + " Megabytes");
            add(out, std::string(29, '=') + " Partition Information " + std::string(28, '='));
            add(out, "Volume        Partition                         Partition    Start      Total");
            add(out, "Letter:Label  Type            Status    Size MB Sector     # Sector     Sectors");
            add(out, "------------- --------------- -------- -------- ---------- - ---------- --------");
            for (const ListedVolume& v : d.volumes) {
                Row row;
                row.left(v.volume, 14).left(v.partType, 16).left(v.status, 8);
                row.right(47, v.sizeMb).right(58, v.partSect ? number(*v.partSect) : "None");
                row.right(60, v.slot ? number(*v.slot) : "-");
                row.right(71, number(v.start)).right(80, number(v.total));
                add(out, row.text);
                addAll(out, v.after);
            }
        }
        for (const ListedBootRecord& r : d.bootRecords) {
            out += "\r\n";
            bootRecord(out, r, std::string(76, '='));
        }
    }
    return out;
}

// The lines of the common messages.
inline std::vector<std::string> dosError110(std::uint64_t ucSectors, std::uint64_t endBegin) {
    return {"Error #110: Number of sectors in partition is inconsistent.",
            "ucSectors = " + std::to_string(ucSectors), "end - begin = " + std::to_string(endBegin)};
}
inline std::vector<std::string> error105(unsigned head) {
    return {"Error #105: Partition didn't begin on head boundary.",
            "  ucBeginHead expected to be 0 or 1, not " + std::to_string(head) + "."};
}
inline std::vector<std::string> error108(unsigned expected, unsigned head) {
    return {"Error #108: Partition didn't end on cylinder boundary.",
            "  ucEndHead expected to be " + std::to_string(expected) + ", not " +
                std::to_string(head) + "."};
}

// ---- Damage -------------------------------------------------------------

namespace listing_detail {

inline std::vector<std::string> lines(std::string_view text, std::string_view end = "\r\n") {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t at = text.find(end, from);
        if (at == std::string_view::npos) at = text.size();
        out.emplace_back(text.substr(from, at - from));
        from = at + end.size();
    }
    return out;
}
inline std::string joined(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
    std::string out;
    for (const std::string& line : lines) (out += line) += end;
    return out;
}
inline bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

}  // namespace listing_detail

// Every run of blanks as one blank.
inline std::string collapseBlanks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != ' ' || i == 0 || text[i - 1] != ' ') out += text[i];
    return out;
}

// Every line longer than `width` broken at its last blank within the width,
// as mail does: the last column moves to a line of its own.
inline std::string wrapLines(std::string_view text, std::size_t width) {
    std::vector<std::string> out;
    for (std::string line : listing_detail::lines(text)) {
        while (line.size() > width) {
            std::size_t at = line.rfind(' ', width);
            while (at != std::string::npos && at > 0 && line[at - 1] == ' ') --at;
            if (at == std::string::npos || at == 0) break;
            out.push_back(line.substr(0, at));
            line.erase(0, line.find_first_not_of(' ', at));
        }
        out.push_back(line);
    }
    return listing_detail::joined(out);
}

// What a forum's editor makes of a post: the listing in a Courier font (the
// tag glued to the first rule and after the last line), the e-mail address
// in [email] tags and the web address as a link.
inline std::string forumTags(std::string_view text) {
    using listing_detail::startsWith;
    std::vector<std::string> all = listing_detail::lines(text);
    bool font = false;
    for (std::string& line : all) {
        if (!font && startsWith(line, "=")) {
            line.insert(0, "[FONT=\"Courier New\"]");
            font = true;
        } else if (startsWith(line, "    E-mail:  ")) {
            line = "    E-mail:  [email]" + line.substr(13) + "[/email]";
        } else if (startsWith(line, "    Web site:  ")) {
            const std::string address = line.substr(15);
            line = "    Web site:  [" + address + "](" + address + ")";
        }
    }
    for (std::size_t i = all.size(); i-- > 0;)
        if (!all[i].empty()) {
            all[i] += "[/FONT]";
            break;
        }
    return listing_detail::joined(all);
}

// ' as &#39;, > as &gt; and < as &lt;.
inline std::string htmlEntities(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\'') out += "&#39;";
        else if (c == '>') out += "&gt;";
        else if (c == '<') out += "&lt;";
        else out += c;
    }
    return out;
}

// The DOS program's disk of the format's example: an extended partition
// whose chain holds two logical partitions, the #110 of the first entry
// and one that matches no entry; no boot record.
inline ListedDisk dosExampleDisk() {
    ListedDisk d{.number = 1, .cylinders = 4982, .heads = 16};
    d.entries = {
        {.boot = 0x80, .type = 0x06, .begin = {0, 1, 1}, .end = {1014, 15, 63}, .start = 63,
         .count = 1024065},
        {.slot = 1, .type = 0x05, .begin = {1016, 0, 1}, .end = {1023, 15, 63},
         .beginPlaceholder = true, .endPlaceholder = true, .actualEnd = ListedChs{4899, 15, 63},
         .start = 1024128, .count = 3915072},
        {.partSect = 1024128, .type = 0x0B, .begin = {1016, 1, 1}, .end = {2008, 15, 63},
         .start = 63, .count = 1000881},
        {.partSect = 1024128, .slot = 1, .type = 0x05, .begin = {1023, 0, 1},
         .end = {1023, 15, 63}, .beginPlaceholder = true, .actualBegin = ListedChs{2009, 0, 1},
         .actualEnd = ListedChs{4899, 15, 63}, .start = 1000944, .count = 2914128},
        {.partSect = 2025072, .type = 0x06, .begin = {1023, 1, 1}, .end = {1023, 15, 63},
         .endPlaceholder = true, .actualBegin = ListedChs{2009, 1, 1},
         .actualEnd = ListedChs{4899, 15, 63}, .start = 63, .count = 2914065},
    };
    d.messages = dosError110(1024065, 1023057);
    for (const std::string& line : dosError110(77, 78)) d.messages.push_back(line);
    d.volumes = {
        {"C:BOOTDISK", "FAT", "Pri,Boot", "500.0", 0, 0, 63, 1024065},
        {"", "Extended", "Pri", "1911.7", 0, 1, 1024128, 3915072},
        {"D:DATA", "FAT32", "Log", "488.7", 1024128, 0, 1024191, 1000881},
        {"E:CAFÉ", "FAT", "Log", "1422.9", 2025072, 0, 2025135, 2914065},
        {"", "Unallocated", "", "40.4", std::nullopt, std::nullopt, 4939200, 82656},
    };
    return d;
}

// The UTF-8 text as UTF-16 with its byte order mark; a byte that starts
// no sound UTF-8 sequence as U+FFFD, so that any bytes give text.
inline std::string utf16(std::string_view text, bool bigEndian = false) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto unit = [&](char32_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        const std::size_t length = core::utf8Sequence(text, at, code);
        at += length == 0 ? 1 : length;
        if (length == 0) {
            unit(0xFFFD);
        } else if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
    return out;
}

// CR LF line ends as CR alone (as an old Mac or a broken paste gives).
inline std::string crOnly(std::string_view text) {
    return listing_detail::joined(listing_detail::lines(text), "\r");
}

// Every line without its leading blanks.
inline std::string loseIndentation(std::string_view text) {
    std::vector<std::string> all = listing_detail::lines(text);
    for (std::string& line : all) line.erase(0, line.find_first_not_of(' '));
    return listing_detail::joined(all);
}

// Each message's value lines (indented, or DOS's "name = value") joined
// onto the message's line, as prose: the value's period lost, a trailing
// blank kept.
inline std::string joinMessageValues(std::string_view text) {
    using listing_detail::startsWith;
    std::vector<std::string> out;
    bool message = false;
    for (std::string line : listing_detail::lines(text)) {
        const bool indented = line.size() > 2 && startsWith(line, "  ") &&
                              std::isalpha(static_cast<unsigned char>(line[2])) &&
                              !startsWith(line, "  Actual values are:");
        const bool value = message && (indented || (line.find(" = ") != std::string::npos &&
                                                    !startsWith(line, "*")));
        if (value) {
            line.erase(0, line.find_first_not_of(' '));
            if (!line.empty() && line.back() == '.') line.pop_back();
            out.back() += (out.back().back() == ' ' ? "" : " ") + line + " ";
            continue;
        }
        message = startsWith(line, "Error #") || startsWith(line, "Warning") ||
                  startsWith(line, "Info:");
        out.push_back(line);
    }
    return listing_detail::joined(out);
}

}  // namespace quorvane::test
