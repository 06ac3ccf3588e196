// The character tests that the readings of typed text share: ASCII digits
// and blanks only, whatever the locale says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane::core {

constexpr bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool isHexDigit(char c) {
    return isDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// A blank that a field's text may carry around its value.
constexpr bool isBlank(char c) { return c == ' ' || c == '\t'; }

// An ASCII letter in lower case; any other character as it is.
constexpr char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether two texts are equal but for the case of their ASCII letters.
constexpr bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

constexpr bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// A number in upper-case hexadecimal digits without a prefix, at least
// `digits` of them: "F6", "0C" (two digits), "1A2".
inline std::string upperHexText(std::uint64_t value, unsigned digits = 1) {
    constexpr char names[] = "0123456789ABCDEF";
    std::string text;
    for (; value != 0 || text.size() < digits; value >>= 4) text.insert(text.begin(), names[value & 0x0F]);
    return text;
}

// The length (1 to 4) of the sound UTF-8 sequence at `at` of `text`, with
// its code point in `code`; 0 where the bytes there are none: a stray
// continuation byte, an overlong form, a surrogate, a code point beyond
// U+10FFFF, or a sequence the text's end cuts off.
constexpr std::size_t utf8Sequence(std::string_view text, std::size_t at, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, code = lead & 0x1F, least = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, code = lead & 0x0F, least = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, code = lead & 0x07, least = 0x10000;
    else return 0;
    if (text.size() - at < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = code << 6 | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// `text` without the blanks at its ends.
constexpr std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace quorvane::core
