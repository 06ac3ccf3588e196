// The character tests that the readings of typed text share: ASCII digits
// and blanks only, whatever the locale says.
#pragma once

#include <string_view>

namespace quorvane::core {

constexpr bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool isHexDigit(char c) {
    return isDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// A blank that a field's text may carry around its value.
constexpr bool isBlank(char c) { return c == ' ' || c == '\t'; }

// `text` without the blanks at its ends.
constexpr std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace quorvane::core
