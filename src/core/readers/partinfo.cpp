#include "core/readers/partinfo.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <unordered_map>
#include <utility>

#include "core/base/characters.h"

namespace quorvane::core {

std::string_view listingLayoutName(ListingLayout layout) {
    return layout == ListingLayout::Nt ? "nt" : "dos";
}

std::string_view messageLevelName(MessageLevel level) {
    switch (level) {
        case MessageLevel::Error: return "Error";
        case MessageLevel::Warning: return "Warning";
        case MessageLevel::Info: break;
    }
    return "Info";
}

namespace {

bool contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A name as field() compares it: lower case, blanks collapsed, without
// apostrophes ("Number of FAT's" and "Number of FATs" alike).
std::string fieldKey(std::string_view name) {
    std::string key;
    for (char c : trimmed(name)) {
        if (c == '\'') continue;
        if (c == ' ' && !key.empty() && key.back() == ' ') continue;
        key += lowerAscii(c);
    }
    return key;
}

// A count as printed: digits, with or without thousands separators
// ("20,964,825"); none for anything else or beyond 64 bits.
std::optional<std::uint64_t> countOf(std::string_view t) {
    if (t.empty() || !isDecimalDigit(t.front()) || !isDecimalDigit(t.back())) return std::nullopt;
    const bool grouped = t.find(',') != std::string_view::npos;
    std::uint64_t value = 0;
    std::size_t sinceComma = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == ',') {
            // The first group 1 to 3 digits, the others 3.
            if (sinceComma == 0 || sinceComma > 3 || (i > sinceComma && sinceComma != 3))
                return std::nullopt;
            sinceComma = 0;
            continue;
        }
        if (!isDecimalDigit(c)) return std::nullopt;
        ++sinceComma;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (grouped && sinceComma != 3) return std::nullopt;
    return value;
}

std::optional<unsigned> smallOf(std::string_view t) {
    const auto value = countOf(t);
    if (!value || *value > std::numeric_limits<unsigned>::max()) return std::nullopt;
    return static_cast<unsigned>(*value);
}

std::optional<std::uint8_t> hexByteOf(std::string_view t) {
    if (t.size() != 2) return std::nullopt;
    unsigned value = 0;
    for (char c : t) {
        const char l = lowerAscii(c);
        if (isDecimalDigit(l)) value = value * 16 + static_cast<unsigned>(l - '0');
        else if (l >= 'a' && l <= 'f') value = value * 16 + static_cast<unsigned>(l - 'a' + 10);
        else return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

// A size in MB as printed ("10,236.7"), without its separators.
std::optional<std::string> sizeOf(std::string_view t) {
    const std::size_t point = t.find('.');
    const std::string_view whole = t.substr(0, point);
    if (!countOf(whole)) return std::nullopt;
    std::string out;
    for (char c : whole)
        if (c != ',') out += c;
    if (point != std::string_view::npos) {
        const std::string_view fraction = t.substr(point + 1);
        if (fraction.empty() || !std::all_of(fraction.begin(), fraction.end(), isDecimalDigit))
            return std::nullopt;
        (out += '.') += fraction;
    }
    return out;
}

struct Token {
    std::string_view text;
    std::size_t at = 0;  // where it starts in its line
};

void tokenize(std::string_view line, std::vector<Token>& out) {
    out.clear();
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        out.push_back({line.substr(start, i - start), start});
    }
}

std::size_t tokenCount(std::string_view line) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] != ' ' && (i == 0 || line[i - 1] == ' ')) ++count;
    return count;
}

std::vector<Token> tokensOf(std::string_view line) {
    std::vector<Token> out;
    tokenize(line, out);
    return out;
}

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b) {
    return a > std::numeric_limits<std::uint64_t>::max() - b
               ? std::numeric_limits<std::uint64_t>::max()
               : a + b;
}

// ---- Rows -------------------------------------------------------------------

struct RowFields {
    std::string label;
    std::uint64_t tableSector = 0;
    unsigned slot = 1;
    std::uint8_t boot = 0, type = 0;
    Chs begin, end;
    std::uint64_t start = 0, count = 0;
};

std::optional<Chs> chsOf(std::string_view c, std::string_view h, std::string_view s) {
    const auto cylinder = smallOf(c), head = smallOf(h), sector = smallOf(s);
    if (!cylinder || !head || !sector) return std::nullopt;
    return Chs{*cylinder, *head, *sector};
}

// PartSect # Boot BCyl Head Sect FS ECyl Head Sect StartSect NumSects, read
// from the right, what stands before them being the label.
std::optional<RowFields> entryRowOf(std::string_view line, std::vector<Token>& t) {
    tokenize(line, t);
    const std::size_t n = t.size();
    if (n < 12) return std::nullopt;
    const Token* f = t.data() + (n - 12);
    RowFields row;
    const auto tableSector = countOf(f[0].text);
    const auto slot = smallOf(f[1].text);
    const auto boot = hexByteOf(f[2].text);
    const auto begin = chsOf(f[3].text, f[4].text, f[5].text);
    const auto type = hexByteOf(f[6].text);
    const auto end = chsOf(f[7].text, f[8].text, f[9].text);
    const auto start = countOf(f[10].text);
    const auto count = countOf(f[11].text);
    // NumSects is the entry's stored count of 32 bits: a larger one is no
    // value the table can hold, and the row is not read as it stands.
    if (!tableSector || !slot || *slot > 3 || f[1].text.size() != 1 || !boot || !begin ||
        !type || !end || !start || !count || *count > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    row.label = std::string(trimmed(line.substr(0, f[0].at)));
    row.tableSector = *tableSector;
    row.slot = *slot + 1;
    row.boot = *boot;
    row.type = *type;
    row.begin = *begin;
    row.end = *end;
    row.start = *start;
    row.count = *count;
    return row;
}

bool isStatus(std::string_view t) {
    const std::string_view first = t.substr(0, t.find(','));
    if (first != "Pri" && first != "Log") return false;
    return std::all_of(t.begin(), t.end(), [](char c) {
        return c == ',' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

bool isVolumeName(std::string_view t) {
    return t.size() >= 2 && t[1] == ':' &&
           (t[0] == '*' || (lowerAscii(t[0]) >= 'a' && lowerAscii(t[0]) <= 'z'));
}

// Volume PartType Status Size PartSect # StartSect TotalSects, read from
// the right.
std::optional<VolumeRow> volumeRowOf(std::string_view line, std::vector<Token>& t) {
    tokenize(line, t);
    const std::size_t n = t.size();
    if (n < 6) return std::nullopt;
    VolumeRow row;
    const auto total = countOf(t[n - 1].text);
    const auto start = countOf(t[n - 2].text);
    const std::string_view slot = t[n - 3].text;
    const std::string_view partSect = t[n - 4].text;
    const auto size = sizeOf(t[n - 5].text);
    if (!total || !start || !size) return std::nullopt;
    if (slot == "--" || slot == "-") {
    } else if (const auto s = smallOf(slot); s && *s <= 3 && slot.size() == 1) {
        row.slot = *s + 1;
    } else {
        return std::nullopt;
    }
    if (partSect != "None") {
        const auto sector = countOf(partSect);
        if (!sector) return std::nullopt;
        row.partSect = *sector;
    }
    std::size_t left = n - 5;  // the tokens before Size
    if (isStatus(t[left - 1].text)) row.status = std::string(t[--left].text);
    if (left == 0) return std::nullopt;
    // The type is the last token, or the last two for "Linux Ext3" and the
    // like; a volume name ("D:MEDIA") stands first, with what follows it
    // up to the type.
    std::size_t typeFrom = 0;
    if (isVolumeName(t[0].text) && left >= 2) {
        typeFrom = left - 1;
        if (typeFrom >= 2 && t[typeFrom - 1].text == "Linux") --typeFrom;
        row.volume = std::string(trimmed(line.substr(t[0].at, t[typeFrom].at - t[0].at)));
    }
    const std::size_t typeEnd = t[left - 1].at + t[left - 1].text.size();
    row.partType = std::string(line.substr(t[typeFrom].at, typeEnd - t[typeFrom].at));
    row.sizeMb = *size;
    row.start = *start;
    row.total = *total;
    return row;
}

// ---- Messages -----------------------------------------------------------------

// The value in "not 2." or "(5000)" or "1024065": its digits.
std::optional<std::string> valueNumber(std::string_view t) {
    while (!t.empty() && (t.back() == '.' || t.back() == ',')) t.remove_suffix(1);
    const auto value = countOf(t);
    if (!value) return std::nullopt;
    return std::to_string(*value);
}

std::string joinTokens(const std::vector<Token>& t, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) out += ' ';
        out += t[i].text;
    }
    return out;
}

// The values of a message's value line, which may hold several (when
// lines were joined): "ucBeginHead expected to be 0 or 1, not 2.",
// "ucEndCylinder (5000) must be less than 4865.", "ucSectors = 1024065",
// "end - begin = 1023057".
std::optional<std::vector<ListingValue>> valuesOf(std::string_view line) {
    const std::vector<Token> t = tokensOf(line);
    const std::size_t n = t.size();
    std::vector<ListingValue> values;
    std::size_t k = 0;
    while (k < n) {
        ListingValue value;
        if (k + 4 < n && t[k + 1].text == "expected" && t[k + 2].text == "to" &&
            t[k + 3].text == "be") {
            std::size_t e = k + 4;
            while (e < n && t[e].text.back() != ',') ++e;
            if (e + 2 >= n || t[e + 1].text != "not") return std::nullopt;
            std::string expected = joinTokens(t, k + 4, e + 1);
            expected.pop_back();
            const auto number = valueNumber(t[e + 2].text);
            if (!number) return std::nullopt;
            value = {std::string(t[k].text), *number, std::move(expected)};
            k = e + 3;
        } else if (k + 4 < n && t[k + 1].text.size() > 2 && t[k + 1].text.front() == '(' &&
                   t[k + 1].text.back() == ')' && t[k + 2].text == "must" &&
                   t[k + 3].text == "be") {
            const std::string_view inner = t[k + 1].text.substr(1, t[k + 1].text.size() - 2);
            const auto number = valueNumber(inner);
            if (!number) return std::nullopt;
            // The expectation runs up to its number: "less than 4865."
            std::size_t e = k + 4;
            while (e < n && !valueNumber(t[e].text)) ++e;
            if (e >= n) return std::nullopt;
            std::string expected = joinTokens(t, k + 4, e) + " " + *valueNumber(t[e].text);
            value = {std::string(t[k].text), *number, std::string(trimmed(expected))};
            k = e + 1;
        } else {
            std::size_t e = k;
            while (e < n && e < k + 5 && t[e].text != "=") ++e;
            if (e == k || e >= n || t[e].text != "=" || e + 1 >= n ||
                !std::isalpha(static_cast<unsigned char>(t[k].text.front())))
                return std::nullopt;
            const auto number = valueNumber(t[e + 1].text);
            if (!number) return std::nullopt;
            value = {joinTokens(t, k, e), *number, ""};
            k = e + 2;
        }
        values.push_back(std::move(value));
    }
    if (values.empty()) return std::nullopt;
    return values;
}

// The texts of the numbered messages, with N for a sector, as an
// unnumbered message may carry them.
struct KnownText {
    std::string_view text;
    unsigned code;
};
constexpr KnownText kKnownTexts[] = {
    {"partition didn't begin on head boundary", 105},
    {"partition didn't end on cylinder boundary", 108},
    {"partition ends after end of disk", 109},
    {"number of sectors in partition is inconsistent", 110},
    {"primary partition starting at N overlaps previous partition", 113},
    {"epbr partition starting at N overlaps previous epbr partition", 113},
    {"logical starting at N overlaps enclosing extended volume", 113},
    {"logical starting at N is not one head away from epbr", 114},
    {"logical drive chain extends toward start of drive", 120},
};

std::optional<unsigned> knownCode(std::string_view text) {
    std::string key;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isDecimalDigit(text[i])) {
            while (i + 1 < text.size() && (isDecimalDigit(text[i + 1]) || text[i + 1] == ',')) ++i;
            key += 'N';
        } else {
            key += lowerAscii(text[i]);
        }
    }
    while (!key.empty() && (key.back() == '.' || key.back() == ' ')) key.pop_back();
    for (const KnownText& known : kKnownTexts)
        if (key == known.text) return known.code;
    return std::nullopt;
}

bool isMessageStart(std::string_view t) {
    return t.starts_with("Error") || t.starts_with("Warning") || t.starts_with("Info");
}

// "Error #108: text", "Warning #113: text", "Warning: text", "Info: text".
std::optional<ListingMessage> messageOf(std::string_view line) {
    if (!isMessageStart(line)) return std::nullopt;
    ListingMessage message;
    std::string_view rest;
    if (line.starts_with("Error")) {
        message.level = MessageLevel::Error;
        rest = line.substr(5);
    } else if (line.starts_with("Warning")) {
        message.level = MessageLevel::Warning;
        rest = line.substr(7);
    } else if (line.starts_with("Info")) {
        message.level = MessageLevel::Info;
        rest = line.substr(4);
    } else {
        return std::nullopt;
    }
    rest = trimmed(rest);
    if (!rest.empty() && rest.front() == '#') {
        std::size_t d = 1;
        while (d < rest.size() && isDecimalDigit(rest[d])) ++d;
        const auto code = d > 1 && d < 8 ? smallOf(rest.substr(1, d - 1)) : std::nullopt;
        if (!code) return std::nullopt;
        message.code = *code;
        rest = trimmed(rest.substr(d));
    }
    if (rest.empty() || rest.front() != ':') return std::nullopt;
    std::string_view text = trimmed(rest.substr(1));
    // A value line joined on: after the text's period.
    for (std::size_t dot = text.find(". "); dot != std::string_view::npos;
         dot = text.find(". ", dot + 1)) {
        if (auto values = valuesOf(text.substr(dot + 2))) {
            message.values = std::move(*values);
            text = text.substr(0, dot + 1);
            break;
        }
    }
    message.text = std::string(text);
    if (!message.code) message.code = knownCode(text);
    return message;
}

// ---- Titles -------------------------------------------------------------------

// "Disk Geometry Information for Disk 1:    4865 Cylinders,  255 Heads,  63
// Sectors/Track" (NT) or "Disk 1: 4982 Cylinders, 16 Heads, 63
// Sectors/Track." (DOS), from the tokens after the disk's number.
std::optional<ListingGeometry> geometryOf(const std::vector<Token>& t, std::size_t from,
                                          bool& complete) {
    complete = false;
    if (t.size() < from + 5) return std::nullopt;
    const auto cylinders = countOf(t[from].text);
    const auto heads = smallOf(t[from + 2].text);
    const auto sectors = smallOf(t[from + 4].text);
    if (!cylinders || !heads || !sectors || !t[from + 1].text.starts_with("Cylinders") ||
        !t[from + 3].text.starts_with("Heads"))
        return std::nullopt;
    complete = t.size() > from + 5 && t[from + 5].text.starts_with("Sectors");
    return ListingGeometry{*cylinders, *heads, *sectors};
}

std::optional<unsigned> diskNumberOf(std::string_view t) {
    if (t.empty() || t.back() != ':') return std::nullopt;
    const auto number = smallOf(t.substr(0, t.size() - 1));
    if (!number || *number == 0) return std::nullopt;
    return number;
}

struct BootHeader {
    std::string drive;
    unsigned disk = 0;
    std::uint64_t start = 0;
    std::string type;
};

// "Boot Record for drive C:   (Drive: 1, Starting sector: 63, Type: NTFS)".
std::optional<BootHeader> bootHeaderOf(std::string_view line, bool& complete) {
    complete = false;
    const std::vector<Token> t = tokensOf(line);
    if (t.size() < 5) return std::nullopt;
    BootHeader header;
    header.drive = std::string(t[4].text);
    const auto after = [&](std::string_view key) -> std::string_view {
        const std::size_t at = line.find(key);
        if (at == std::string_view::npos) return {};
        return trimmed(line.substr(at + key.size()));
    };
    std::string_view disk = after("Drive:");
    disk = disk.substr(0, disk.find(','));
    std::string_view start = after("Starting sector:");
    start = start.substr(0, start.find(' '));
    while (!start.empty() && start.back() == ',') start.remove_suffix(1);
    std::string_view type = after("Type:");
    const std::size_t close = type.find(')');
    complete = close != std::string_view::npos;
    type = trimmed(type.substr(0, close));
    const auto diskNumber = smallOf(trimmed(disk));
    const auto startSector = countOf(start);
    if (!diskNumber || !startSector || type.empty()) return std::nullopt;
    header.disk = *diskNumber;
    header.start = *startSector;
    header.type = std::string(type);
    return header;
}

// "11. Sectors per Track:      63  (0x3F)".
std::optional<BootRecordField> bootFieldOf(std::string_view line) {
    std::size_t d = 0;
    while (d < line.size() && d < 4 && isDecimalDigit(line[d])) ++d;
    if (d == 0 || d >= line.size() || line[d] != '.') return std::nullopt;
    const std::string_view rest = line.substr(d + 1);
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view name = trimmed(rest.substr(0, colon));
    if (name.empty()) return std::nullopt;
    return BootRecordField{std::string(name), std::string(trimmed(rest.substr(colon + 1)))};
}

// Lines of the header and of the sections that hold nothing to read: the
// program's name and date, the contact and memory lines, the BIOS lines,
// legends, column headers and their underlines.
bool isSkippedLine(std::string_view t) {
    static constexpr std::string_view kParts[] = {
        "PowerQuest", "PartitionInfo", "PartitionMagic", "DriveCopy", "Drive Image",
        "can be reached at", "Date Generated", "Copyright", "Permission is granted",
        "as it is not modified", "All other rights are reserved", "General System Information",
        "Physical Memory", "Page File Size", "BiosExtensions", "INT 13h", "file system super block",
    };
    static constexpr std::string_view kStarts[] = {
        "Voice:", "Fax:", "Web site:", "E-mail:", "* = Large Drive", "** = Actual",
    };
    const bool words = std::any_of(t.begin(), t.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
    for (std::string_view part : kParts)
        if (words && contains(t, part)) return true;
    for (std::string_view start : kStarts)
        if (words && t.starts_with(start)) return true;
    return std::all_of(t.begin(), t.end(), [](char c) { return c == '-' || c == ' '; }) &&
           t.find("---") != std::string_view::npos;
}

enum class Section { None, Table, Volumes, Boot };

// Column header lines, and the section each belongs to.
std::optional<std::pair<Section, std::optional<ListingLayout>>> columnHeaderOf(
    std::string_view t) {
    if (t.starts_with("System") && contains(t, "PartSect"))
        return std::pair{Section::Table, std::optional{ListingLayout::Nt}};
    if (t.starts_with("Volume") && contains(t, "PartType"))
        return std::pair{Section::Volumes, std::optional{ListingLayout::Nt}};
    if (t.starts_with("Partition") && contains(t, "Begin"))
        return std::pair{Section::Table, std::optional{ListingLayout::Dos}};
    if (t.starts_with("Sector") && contains(t, "Boot"))
        return std::pair{Section::Table, std::optional{ListingLayout::Dos}};
    if ((t.starts_with("Volume") && contains(t, "Partition")) || t.starts_with("Letter:Label"))
        return std::pair{Section::Volumes, std::optional{ListingLayout::Dos}};
    return std::nullopt;
}

bool isNumberish(std::string_view t) {
    if (t == "None" || t == "--" || t == "-") return true;
    bool digit = false;
    for (char c : t) {
        if (isDecimalDigit(c)) digit = true;
        else if (c != ',' && c != '.' && c != '[' && c != ']' && c != '*') return false;
    }
    return digit || hexByteOf(t).has_value();
}

// A line too long to be any line of a listing is not read at all.
constexpr std::size_t kMaxLineLength = 1000;

// ---- The reader ---------------------------------------------------------------

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    Listing read() {
        for (line_ = 0; hasLine(line_); ++line_) readLine();
        closeMessage();
        finish();
        return std::move(listing_);
    }

private:
    enum class Target { None, Entry, Volume, Boot };

    // The lines are read in order and only a few around the current one
    // are held: the reader looks two lines ahead and reports lines a few
    // behind.
    struct HeldLine {
        std::size_t index = 0;
        std::string_view raw;
        std::string clean;
        bool cleaned = false;
    };
    static constexpr std::size_t kHeldLines = 8;

    bool hasLine(std::size_t i) {
        while (loaded_ <= i && offset_ < text_.size()) {
            std::size_t end = text_.find('\n', offset_);
            if (end == std::string_view::npos) end = text_.size();
            HeldLine& line = held_[loaded_ % kHeldLines];
            line.index = loaded_;
            line.raw = text_.substr(offset_, end - offset_);
            line.clean.clear();
            line.cleaned = false;
            ++loaded_;
            offset_ = end + 1;
        }
        return i < loaded_;
    }

    HeldLine& held(std::size_t i) {
        hasLine(i);
        return held_[i % kHeldLines];
    }

    std::string_view raw(std::size_t i) { return held(i).raw; }

    // The cleaned line `i`, cut to nothing when it is too long to read.
    std::string_view cleaned(std::size_t i) {
        HeldLine& line = held(i);
        if (!line.cleaned) {
            line.cleaned = true;
            // Most lines hold no tag and no entity.
            if (line.raw.size() > kMaxLineLength) {
            } else if (line.raw.find_first_of("[&") == std::string_view::npos &&
                       !line.raw.starts_with(">")) {
                std::string_view plain = line.raw;
                while (!plain.empty() && plain.back() == ' ') plain.remove_suffix(1);
                line.clean.assign(plain);
            } else {
                line.clean = cleanListingLine(line.raw);
            }
        }
        return line.clean;
    }

    void unread(std::size_t i) {
        if (listing_.unread.size() < kMaxUnreadLines)
            listing_.unread.push_back({i + 1, std::string(raw(i))});
        else
            ++listing_.unreadDropped;
    }

    void setLayout(ListingLayout layout) {
        if (layoutKnown_) return;
        layoutKnown_ = true;
        listing_.layout = layout;
    }

    ListingDisk& disk() {
        if (!disk_) {
            listing_.disks.emplace_back();
            disk_ = listing_.disks.size() - 1;
            byCount_.emplace_back();
            legend_.push_back(false);
        }
        return listing_.disks[*disk_];
    }

    void selectDisk(unsigned number) {
        if (disk_ && listing_.disks[*disk_].number == number) return;
        if (const auto found = byNumber_.find(number); found != byNumber_.end()) {
            disk_ = found->second;
        } else {
            disk_.reset();
            disk().number = number;
            byNumber_.emplace(number, *disk_);
        }
        target_ = Target::None;
    }

    // The line `line_`, or it joined with up to two short lines after it,
    // as `parse` reads it whole; the lines joined are consumed.
    template <typename Parse>
    auto joined(Parse parse) -> decltype(parse(std::string_view{})) {
        std::string_view first = cleaned(line_);
        if (auto whole = parse(first)) return whole;
        std::string text(first);
        for (std::size_t extra = 1; extra <= 2 && hasLine(line_ + extra); ++extra) {
            const std::string_view next = trimmed(cleaned(line_ + extra));
            if (next.empty() || next.front() == '=' || isMessageStart(next) ||
                tokenCount(next) > 4)
                break;
            (text += ' ') += next;
            if (auto whole = parse(text)) {
                line_ += extra;
                return whole;
            }
        }
        return {};
    }

    void readLine() {
        const std::size_t here = line_;
        const std::string_view t = trimmed(cleaned(here));
        if (t.empty()) {
            if (raw(here).size() > kMaxLineLength && section_ != Section::None) unread(here);
            return;
        }
        if (message_) {
            if (auto values = valuesOf(t)) {
                for (ListingValue& v : *values) message_->values.push_back(std::move(v));
                return;
            }
            closeMessage();
        }
        if (t.front() == '=') return readRule(t);
        if (auto message = messageOf(t)) {
            message->line = here + 1;
            return openMessage(wrappedMessage(t, std::move(*message)));
        }
        if (t.starts_with("Actual values are")) {
            expectActual_ = true;
            return;
        }
        if (readTitle(t)) return;
        if (t.starts_with("* = ") || t.starts_with("** = ")) {
            // DOS's legend; its errors follow it.
            if (disk_) legend_[*disk_] = true;
            target_ = Target::None;
            return;
        }
        if (isSkippedLine(t)) return;
        if (const auto header = columnHeaderOf(t)) {
            if (header->second) setLayout(*header->second);
            enterSection(header->first);
            return;
        }
        const bool actual = expectActual_;
        expectActual_ = false;
        if (section_ == Section::Boot && isDecimalDigit(t.front())) {
            if (auto field = bootFieldOf(t)) {
                listing_.disks[*disk_].bootRecords.back().fields.push_back(std::move(*field));
                return;
            }
            // "NN." starts a field that could not be read; anything else
            // may be a row.
            const std::size_t dot = t.find_first_not_of("0123456789");
            if (dot != std::string_view::npos && t[dot] == '.') return unread(here);
        }
        // A row, or the first part of a wrapped one, has at least five
        // fields.
        tokenize(t, scratch_);
        if (scratch_.size() >= 5 || t.starts_with("**")) {
            const bool entry = scratch_.size() >= 9 || t.starts_with("*");
            if (section_ != Section::Volumes && entry && readEntryRow(t, actual)) return;
            if (readVolumeRow()) return;
            if (section_ == Section::Volumes && entry && readEntryRow(t, actual)) return;
            tokenize(t, scratch_);
        }
        // What looks like a row but could not be read whole.
        const auto numbers = static_cast<std::size_t>(std::count_if(
            scratch_.begin(), scratch_.end(), [](const Token& k) { return isNumberish(k.text); }));
        if (numbers >= (section_ == Section::None ? 5u : 3u) || t.front() == '*') {
            unread(here);
            // What follows the row is not the row above's.
            target_ = Target::None;
        }
    }

    void readRule(std::string_view t) {
        // A titled rule: "=== Partition Tables ===", perhaps split after
        // its title.
        std::string_view title = t;
        while (!title.empty() && (title.front() == '=' || title.front() == ' '))
            title.remove_prefix(1);
        while (!title.empty() && (title.back() == '=' || title.back() == ' ')) title.remove_suffix(1);
        if (equalIgnoringCase(title, "Partition Tables")) {
            setLayout(ListingLayout::Dos);
            enterSection(Section::Table);
        } else if (equalIgnoringCase(title, "Partition Information")) {
            setLayout(ListingLayout::Dos);
            enterSection(Section::Volumes);
        }
    }

    void enterSection(Section section) {
        if (section_ != section) target_ = Target::None;
        section_ = section;
        if (section == Section::Table) disk().tableSection = true;
        if (section == Section::Volumes) disk().volumeSection = true;
    }

    bool readTitle(std::string_view t) {
        if (t.starts_with("Disk Geometry Information for Disk")) {
            std::optional<ListingGeometry> geometry;
            std::optional<unsigned> number;
            const std::size_t here = line_;
            const auto title = [&](std::string_view text) -> std::optional<bool> {
                const std::vector<Token> k = tokensOf(text);
                number = k.size() > 5 ? diskNumberOf(k[5].text) : std::nullopt;
                bool complete = false;
                geometry = geometryOf(k, 6, complete);
                if (!complete) return std::nullopt;
                return true;
            };
            // A title cut short is read as far as it goes.
            if (!joined(title)) title(t);
            if (!number) {
                unread(here);
                return true;
            }
            setLayout(ListingLayout::Nt);
            newDiskSection(*number, geometry, Section::Table);
            if (!geometry) unread(here);
            return true;
        }
        if (t.starts_with("Partition Information for Disk")) {
            const std::vector<Token> k = tokensOf(t);
            const auto number = k.size() > 4 ? diskNumberOf(k[4].text) : std::nullopt;
            if (!number) {
                unread(line_);
                return true;
            }
            setLayout(ListingLayout::Nt);
            newDiskSection(*number, std::nullopt, Section::Volumes);
            // The size's "Megabytes" wrapped onto a line of its own.
            if (hasLine(line_ + 1)) {
                const std::vector<Token> next = tokensOf(cleaned(line_ + 1));
                if (!next.empty() && next.size() <= 2 && next.back().text == "Megabytes") ++line_;
            }
            return true;
        }
        if (t.starts_with("Boot Record for drive")) {
            const std::size_t here = line_;
            std::optional<BootHeader> header;
            const auto title = [&](std::string_view text) -> std::optional<bool> {
                bool complete = false;
                header = bootHeaderOf(trimmed(text), complete);
                if (!complete || !header) return std::nullopt;
                return true;
            };
            if (!joined(title)) title(t);
            if (!header) {
                unread(here);
                section_ = Section::None;
                return true;
            }
            selectDisk(header->disk);
            BootRecord record;
            record.line = here + 1;
            record.drive = std::move(header->drive);
            record.disk = header->disk;
            record.startingSector = header->start;
            record.type = std::move(header->type);
            disk().bootRecords.push_back(std::move(record));
            section_ = Section::Boot;
            target_ = Target::Boot;
            return true;
        }
        // DOS: "Disk 1: 4982 Cylinders, ..." and "Disk 1: 2452.1 Megabytes".
        if (t.starts_with("Disk ")) {
            const std::vector<Token> k = tokensOf(t);
            const auto number = k.size() > 2 ? diskNumberOf(k[1].text) : std::nullopt;
            if (!number) return false;
            if (k.size() == 4 && k[3].text == "Megabytes" && sizeOf(k[2].text)) {
                setLayout(ListingLayout::Dos);
                newDiskSection(*number, std::nullopt, Section::Volumes);
                return true;
            }
            if (k.size() > 3 && k[3].text.starts_with("Cylinders")) {
                const std::size_t here = line_;
                std::optional<ListingGeometry> geometry;
                const auto title = [&](std::string_view text) -> std::optional<bool> {
                    bool complete = false;
                    geometry = geometryOf(tokensOf(text), 2, complete);
                    if (!complete) return std::nullopt;
                    return true;
                };
                if (!joined(title)) title(t);
                setLayout(ListingLayout::Dos);
                newDiskSection(*number, geometry, Section::Table);
                if (!geometry) unread(here);
                return true;
            }
        }
        return false;
    }

    void newDiskSection(unsigned number, const std::optional<ListingGeometry>& geometry,
                        Section section) {
        selectDisk(number);
        if (geometry) disk().geometry = geometry;
        section_ = Section::None;
        enterSection(section);
        target_ = Target::None;
        expectActual_ = false;
    }

    bool readEntryRow(std::string_view t, bool actual) {
        // DOS marks a placeholder row with "*" and brackets its CHS; the
        // "**" row below it holds the actual CHS alone.
        const bool stars = t.starts_with("**");
        // A row whose "*" was lost still has its brackets.
        const bool star = !stars && (t.starts_with("*") ||
                                     (listing_.layout == ListingLayout::Dos &&
                                      t.find('[') != std::string_view::npos));
        const auto debracketed = [](std::string_view text) {
            std::string out(text);
            for (char& c : out)
                if (c == '[' || c == ']' || c == '*') c = ' ';
            return out;
        };
        if (stars) {
            const std::string bare = debracketed(t);
            const std::vector<Token> k = tokensOf(bare);
            if (k.size() != 6 || !haveEntry()) return false;
            const auto begin = chsOf(k[0].text, k[1].text, k[2].text);
            const auto end = chsOf(k[3].text, k[4].text, k[5].text);
            if (!begin || !end) return false;
            ListingEntry& entry = listing_.disks[*disk_].entries.back();
            entry.actualBegin = begin;
            entry.actualEnd = end;
            return true;
        }
        const std::size_t here = line_;
        const std::optional<RowFields> row =
            joined([&](std::string_view text) -> std::optional<RowFields> {
                text = trimmed(text);
                if (star) return entryRowOf(debracketed(text), scratch_);
                return entryRowOf(text, scratch_);
            });
        if (!row) return false;
        // The actual values repeat the row above but for its CHS values.
        if (actual && haveEntry() && row->label.empty()) {
            ListingEntry& entry = listing_.disks[*disk_].entries.back();
            if (entry.tableSector == row->tableSector && entry.slot == row->slot &&
                entry.boot == row->boot && entry.type == row->type &&
                entry.printedStart == row->start && entry.count == row->count) {
                entry.actualBegin = row->begin;
                entry.actualEnd = row->end;
                return true;
            }
        }
        if (actual) {
            line_ = here;
            return false;
        }
        if (!row->label.empty() && (star || listing_.layout == ListingLayout::Dos)) {
            line_ = here;
            return false;
        }
        // No disk's table holds more entries than the master boot record's
        // four and four in each extended boot record a chain may have: more
        // rows are no one disk's (a section pasted over and over), and the
        // checks across entries, which compare each with every other, would
        // take the square of them. They are listed as not read.
        if (disk_ && listing_.disks[*disk_].entries.size() >= kMostListedEntries) {
            line_ = here;
            return false;
        }
        if (section_ != Section::Table) enterSection(Section::Table);
        ListingDisk& d = disk();
        ListingEntry entry;
        entry.line = here + 1;
        entry.label = row->label;
        entry.tableSector = row->tableSector;
        entry.slot = row->slot;
        entry.boot = row->boot;
        entry.type = row->type;
        entry.begin = row->begin;
        entry.end = row->end;
        entry.beginPlaceholder = entry.endPlaceholder = star;
        entry.printedStart = entry.start = row->start;
        entry.count = row->count;
        if (star) setLayout(ListingLayout::Dos);
        d.entries.push_back(std::move(entry));
        byCount_[*disk_].try_emplace(row->count, d.entries.size() - 1);
        target_ = Target::Entry;
        return true;
    }

    bool haveEntry() const {
        return disk_ && !listing_.disks[*disk_].entries.empty() && target_ == Target::Entry;
    }

    bool readVolumeRow() {
        const std::size_t here = line_;
        std::optional<VolumeRow> row = joined(
            [&](std::string_view text) { return volumeRowOf(trimmed(text), scratch_); });
        if (!row) return false;
        if (section_ != Section::Volumes) enterSection(Section::Volumes);
        row->line = here + 1;
        disk().volumes.push_back(std::move(*row));
        target_ = Target::Volume;
        return true;
    }

    // A message wrapped onto the next line or two: its text's tail
    // ("boundary."), or the rest of the value line joined onto it.
    ListingMessage wrappedMessage(std::string_view t, ListingMessage message) {
        if (!message.values.empty() || (!message.text.empty() && message.text.back() == '.'))
            return message;
        std::string text(t);
        for (std::size_t extra = 1; extra <= 2 && hasLine(line_ + extra); ++extra) {
            const std::string_view next = trimmed(cleaned(line_ + extra));
            const std::size_t tokens = tokenCount(next);
            if (next.empty() || next.front() == '=' || isMessageStart(next) || tokens > 10) break;
            (text += ' ') += next;
            auto whole = messageOf(text);
            if (whole && (!whole->values.empty() ||
                          (tokens <= 3 && !whole->text.empty() && whole->text.back() == '.'))) {
                line_ += extra;
                whole->line = message.line;
                return std::move(*whole);
            }
        }
        return message;
    }

    void openMessage(ListingMessage message) {
        // The placeholder lines mark the entry above; they are no finding.
        if (message.level == MessageLevel::Info && !message.code && haveEntry()) {
            const bool begin = startsWithIgnoringCase(message.text, "Begin C,H,S values were large");
            const bool end = startsWithIgnoringCase(message.text, "End C,H,S values were large");
            if (begin || end) {
                ListingEntry& entry = listing_.disks[*disk_].entries.back();
                (begin ? entry.beginPlaceholder : entry.endPlaceholder) = true;
                return;
            }
        }
        message_ = std::move(message);
        disk();
        messageDisk_ = *disk_;
        messageTarget_ = target_;
        // DOS prints its errors after the legend, naming no entry.
        if (listing_.layout == ListingLayout::Dos && section_ == Section::Table &&
            legend_[*disk_])
            messageTarget_ = Target::None;
    }

    void closeMessage() {
        if (!message_) return;
        ListingDisk& d = listing_.disks[messageDisk_];
        ListingMessage message = std::move(*message_);
        message_.reset();
        // A message that names the entry's count belongs to that entry.
        if (const ListingValue* sectors = message.value("ucSectors");
            sectors && listing_.layout == ListingLayout::Dos) {
            const auto count = countOf(sectors->value);
            const auto found = count ? byCount_[messageDisk_].find(*count)
                                     : byCount_[messageDisk_].end();
            if (found != byCount_[messageDisk_].end()) {
                d.entries[found->second].messages.push_back(std::move(message));
                return;
            }
            d.messages.push_back(std::move(message));
            return;
        }
        switch (messageTarget_) {
            case Target::Entry: d.entries.back().messages.push_back(std::move(message)); return;
            case Target::Volume: d.volumes.back().messages.push_back(std::move(message)); return;
            case Target::Boot: d.bootRecords.back().messages.push_back(std::move(message)); return;
            case Target::None: break;
        }
        d.messages.push_back(std::move(message));
    }

    // DOS prints each entry's own start: in an extended boot record a
    // logical partition counts from that record, a link from the extended
    // partition.
    void finish() {
        if (listing_.layout != ListingLayout::Dos) return;
        for (ListingDisk& d : listing_.disks) {
            std::optional<std::uint64_t> extended;
            for (const ListingEntry& e : d.entries)
                if (e.tableSector == 0 && isExtendedType(e.type)) {
                    extended = e.printedStart;
                    break;
                }
            for (ListingEntry& e : d.entries) {
                if (e.tableSector == 0) continue;
                if (!isExtendedType(e.type)) e.start = saturatingSum(e.tableSector, e.printedStart);
                else if (extended) e.start = saturatingSum(*extended, e.printedStart);
            }
        }
    }

    std::string_view text_;
    std::array<HeldLine, kHeldLines> held_;
    std::size_t loaded_ = 0;   // lines held so far
    std::size_t offset_ = 0;   // where the next line starts
    std::size_t line_ = 0;
    Listing listing_;
    bool layoutKnown_ = false;
    Section section_ = Section::None;
    std::optional<std::size_t> disk_;
    std::unordered_map<unsigned, std::size_t> byNumber_;
    // Per disk: the first entry of each count, and whether DOS's legend
    // was seen.
    std::vector<std::unordered_map<std::uint64_t, std::size_t>> byCount_;
    std::vector<bool> legend_;
    Target target_ = Target::None;
    bool expectActual_ = false;
    std::optional<ListingMessage> message_;
    std::vector<Token> scratch_;
    std::size_t messageDisk_ = 0;
    Target messageTarget_ = Target::None;
};

}  // namespace

const ListingValue* ListingMessage::value(std::string_view name) const {
    for (const ListingValue& v : values)
        if (equalIgnoringCase(v.name, name)) return &v;
    return nullptr;
}

const std::string* BootRecord::field(std::string_view name) const {
    const std::string key = fieldKey(name);
    for (const BootRecordField& f : fields)
        if (fieldKey(f.name) == key) return &f.value;
    return nullptr;
}

std::optional<std::uint64_t> BootRecord::number(std::string_view name) const {
    const std::string* value = field(name);
    if (!value) return std::nullopt;
    std::string_view v = *value;
    std::size_t end = 0;
    while (end < v.size() && (isDecimalDigit(v[end]) || v[end] == ',')) ++end;
    if (end < v.size() && v[end] != ' ' && v[end] != '(') return std::nullopt;
    return countOf(v.substr(0, end));
}

const BootRecord* bootRecordAt(const ListingDisk& disk, std::uint64_t start) {
    for (const BootRecord& record : disk.bootRecords)
        if (record.startingSector == start) return &record;
    return nullptr;
}

Listing readListing(std::string_view bytes) {
    Listing listing;
    DecodedText decoded = decodeListingText(bytes);
    if (!decoded.error.empty()) {
        listing.error = std::move(decoded.error);
        return listing;
    }
    listing = Reader(decoded.text).read();
    if (listing.disks.empty())
        listing.error =
            "it is text, but holds no partinfo listing: no disk geometry, partition table, "
            "partition information or boot record was found";
    return listing;
}

std::string unreadableListingText(std::string_view name, std::string_view reason) {
    return "Cannot read '" + std::string(name) + "' as a partinfo listing: " + std::string(reason) +
           ".";
}

}  // namespace quorvane::core
