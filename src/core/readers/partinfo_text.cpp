// A listing's bytes turned into UTF-8 lines, and each line cleaned of what
// mail and forums glued on.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/characters.h"
#include "core/readers/partinfo.h"

namespace quorvane::core {

namespace {

// Code page 437's upper half.
constexpr std::array<char16_t, 128> kCodePage437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8,
    0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2,
    0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1,
    0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD,
    0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562,
    0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534,
    0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560,
    0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393,
    0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6,
    0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0,
    0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// Appends a code point as UTF-8, with the text's own rules: a no-break
// space is a blank, line ends become LF (a CR LF pair one LF), and the other
// control characters blanks.
class TextBuilder {
public:
    std::string text;
    std::size_t controls = 0;  // control characters other than blanks and line ends
    bool nul = false;

    // Printable text that needs nothing of the above, as it stands.
    void addPlain(std::string_view run) {
        if (run.empty()) return;
        text += run;
        afterCr = false;
    }

    void add(char32_t c) {
        if (c == '\n') {
            if (!afterCr) text += '\n';
            afterCr = false;
            return;
        }
        afterCr = c == '\r';
        if (afterCr) {
            text += '\n';
            return;
        }
        if (c == 0) nul = true;
        if (c == '\t' || c == 0xA0) c = ' ';
        if (c < 0x20 || c == 0x7F) {
            // DOS ends a text file with Ctrl-Z.
            if (c != 0x1A && c != '\f') ++controls;
            c = ' ';
        }
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | (c >> 18));
            text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

private:
    bool afterCr = false;
};

constexpr char32_t kReplacement = 0xFFFD;

void decodeUtf16(std::string_view bytes, bool bigEndian, TextBuilder& out) {
    const auto unit = [&](std::size_t at) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[at]);
        const auto b = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        char32_t c = unit(at);
        if (c >= 0xD800 && c < 0xDC00 && at + 3 < bytes.size()) {
            const char32_t low = unit(at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        out.add(c >= 0xD800 && c < 0xE000 ? kReplacement : c);
    }
}

bool isUtf8(std::string_view bytes) {
    char32_t c = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t n = utf8Sequence(bytes, at, c);
        if (n == 0) return false;
        at += n;
    }
    return true;
}

bool looksLikeDiskImage(std::string_view bytes) {
    SectorBytes first{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), first.size()), first.begin());
    return virtualDiskFormat(first) || (bytes.size() >= kSectorBytes && hasBootSignature(first));
}

// The tags of forum and mail software that a pasted listing picks up.
constexpr std::string_view kForumTags[] = {
    "font", "size", "color", "colour", "code", "quote", "email", "url", "b", "i", "u", "s",
    "pre", "tt", "center", "left", "right", "indent", "noparse", "plain", "mono", "courier",
    "highlight", "spoiler", "img", "sub", "sup", "strike", "php", "html", "list", "*",
};

// The length of the forum tag at `at` ('['), or 0.
std::size_t forumTagLength(std::string_view line, std::size_t at) {
    std::size_t k = at + 1;
    if (k < line.size() && line[k] == '/') ++k;
    const std::size_t nameStart = k;
    while (k < line.size() && k - nameStart < 12 &&
           (std::isalpha(static_cast<unsigned char>(line[k])) || line[k] == '*'))
        ++k;
    const std::string_view name = line.substr(nameStart, k - nameStart);
    if (name.empty() || k >= line.size()) return 0;
    if (std::none_of(std::begin(kForumTags), std::end(kForumTags),
                     [&](std::string_view tag) { return equalIgnoringCase(tag, name); }))
        return 0;
    if (line[k] == ']') return k + 1 - at;
    if (line[k] != '=' || line[nameStart - 1] == '/') return 0;
    const std::size_t end = line.substr(0, k + 300).find_first_of("[]", k);
    if (end == std::string_view::npos || line[end] != ']') return 0;
    return end + 1 - at;
}

// A link written "[text](address)" at `at` ('['): its length and text.
std::size_t linkLength(std::string_view line, std::size_t at, std::string_view& text) {
    // Within a bounded stretch of the line, so that a line of brackets
    // costs no more than its length.
    const std::string_view near = line.substr(0, at + 2000);
    const std::size_t close = near.find_first_of("[]", at + 1);
    if (close == std::string_view::npos || near[close] != ']' || close + 1 >= near.size() ||
        near[close + 1] != '(' || close == at + 1)
        return 0;
    const std::size_t end = near.find_first_of(" ()", close + 2);
    if (end == std::string_view::npos || near[end] != ')') return 0;
    text = line.substr(at + 1, close - at - 1);
    return end + 1 - at;
}

void appendUtf8(std::string& out, char32_t c) {
    TextBuilder builder;
    builder.add(c);
    out += builder.text;
}

// The length of the HTML entity at `at` ('&') and what it stands for, or 0.
std::size_t entityLength(std::string_view line, std::size_t at, std::string& decoded) {
    const std::size_t end = line.substr(0, at + 12).find(';', at + 1);
    if (end == std::string_view::npos) return 0;
    const std::string_view name = line.substr(at + 1, end - at - 1);
    static constexpr std::pair<std::string_view, char32_t> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '},
    };
    for (const auto& [entity, c] : kNamed)
        if (name == entity) {
            decoded = std::string(1, static_cast<char>(c));
            return end + 1 - at;
        }
    if (name.size() < 2 || name[0] != '#') return 0;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return 0;
    char32_t c = 0;
    for (char d : digits) {
        int v = -1;
        if (d >= '0' && d <= '9') v = d - '0';
        else if (hex && lowerAscii(d) >= 'a' && lowerAscii(d) <= 'f') v = lowerAscii(d) - 'a' + 10;
        if (v < 0) return 0;
        c = c * (hex ? 16 : 10) + static_cast<char32_t>(v);
    }
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return 0;
    decoded.clear();
    appendUtf8(decoded, c == 0xA0 ? U' ' : c);
    return end + 1 - at;
}

}  // namespace

DecodedText decodeListingText(std::string_view bytes) {
    DecodedText out;
    if (bytes.empty()) {
        out.error = "it is empty";
        return out;
    }
    if (bytes.size() > kMaxListingBytes) {
        out.error = listingTooLargeReason();
        return out;
    }
    TextBuilder text;
    text.text.reserve(bytes.size());
    const bool utf16le = bytes.starts_with("\xFF\xFE");
    const bool utf16be = bytes.starts_with("\xFE\xFF");
    if (utf16le || utf16be) {
        decodeUtf16(bytes.substr(2), utf16be, text);
    } else {
        if (looksLikeDiskImage(bytes)) {
            out.error = "it is a disk image, not a text listing: read it as a partition table "
                        "instead";
            return out;
        }
        if (bytes.find('\0') != std::string_view::npos) {
            out.error = "it holds binary data, not text";
            return out;
        }
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
        // Runs of printable characters are copied whole.
        std::size_t run = 0;
        if (isUtf8(bytes)) {
            for (std::size_t at = 0; at < bytes.size(); ++at) {
                const auto b = static_cast<unsigned char>(bytes[at]);
                const bool noBreakSpace =
                    b == 0xC2 && at + 1 < bytes.size() && bytes[at + 1] == '\xA0';
                if ((b >= 0x20 && b != 0x7F && !noBreakSpace)) continue;
                text.addPlain(bytes.substr(run, at - run));
                text.add(noBreakSpace ? U' ' : char32_t{b});
                at += noBreakSpace ? 1 : 0;
                run = at + 1;
            }
        } else {
            for (std::size_t at = 0; at < bytes.size(); ++at) {
                const auto b = static_cast<unsigned char>(bytes[at]);
                if (b >= 0x20 && b < 0x7F) continue;
                text.addPlain(bytes.substr(run, at - run));
                text.add(b < 0x80 ? char32_t{b} : char32_t{kCodePage437[b - 0x80]});
                run = at + 1;
            }
        }
        text.addPlain(bytes.substr(std::min(run, bytes.size())));
    }
    // A few stray control characters happen in text; many do not.
    if (text.nul || text.controls * 32 > std::max<std::size_t>(text.text.size(), 1)) {
        out.error = "it holds binary data, not text";
        return out;
    }
    out.text = std::move(text.text);
    return out;
}

std::string cleanListingLine(std::string_view line) {
    // A mail reply quotes each line with "> ".
    while (!line.empty() && line.front() == '>') {
        line.remove_prefix(1);
        if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    }
    std::string untagged;
    untagged.reserve(line.size());
    for (std::size_t at = 0; at < line.size();) {
        if (line[at] == '[') {
            if (const std::size_t n = forumTagLength(line, at)) {
                at += n;
                continue;
            }
            std::string_view text;
            if (const std::size_t n = linkLength(line, at, text)) {
                untagged += text;
                at += n;
                continue;
            }
        }
        untagged += line[at++];
    }
    std::string out;
    out.reserve(untagged.size());
    std::string decoded;
    for (std::size_t at = 0; at < untagged.size();) {
        if (untagged[at] == '&') {
            if (const std::size_t n = entityLength(untagged, at, decoded)) {
                out += decoded;
                at += n;
                continue;
            }
        }
        out += untagged[at++];
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
    return out;
}

std::string listingTooLargeReason() {
    return "it is larger than 16 MiB, and a listing is a few hundred kilobytes at most: choose "
           "the text file that partinfo wrote";
}

}  // namespace quorvane::core
