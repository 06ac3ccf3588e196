#include "core/base/numeric.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <system_error>

#include "core/base/characters.h"

namespace quorvane::core {

namespace {

// A number taken apart by one of the readers: ASCII digits only, every
// separator and blank already gone.
struct NumberParts {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    bool exponentNegative = false;
    std::string exponentDigits;
};

constexpr bool isDigit(char c) { return isDecimalDigit(c); }

[[noreturn]] void failTypeMismatch() { throw BasicError{kTypeMismatch}; }

[[noreturn]] void failOverflow() { throw BasicError{kOverflow}; }

// Appends the run of digits at `pos` to `out`, moves past it and returns its
// length.
std::size_t takeDigits(std::string_view text, std::size_t& pos, std::string& out) {
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    out.append(text.substr(start, pos - start));
    return pos - start;
}

// Whether a non-empty `token` stands at `pos`.
bool startsAt(std::string_view text, std::size_t pos, std::string_view token) {
    return !token.empty() && text.substr(pos).starts_with(token);
}

// An empty decimal separator would make "1.5" and "15" the same text; such a
// format reads and writes with the point instead.
std::string_view decimalSeparator(const NumberFormat& format) {
    return format.decimal.empty() ? std::string_view(".") : std::string_view(format.decimal);
}

// Whether a number that does not fit a double lies above its range (rather
// than below the smallest denormal): its leading nonzero digit, scaled by the
// exponent, stands at 10^0 or higher.
bool isAboveRange(const NumberParts& parts) {
    long long position = 0;
    bool found = false;
    for (std::size_t i = 0; i < parts.integerDigits.size() && !found; ++i) {
        if (parts.integerDigits[i] != '0') {
            position = static_cast<long long>(parts.integerDigits.size() - 1 - i);
            found = true;
        }
    }
    for (std::size_t i = 0; i < parts.fractionDigits.size() && !found; ++i) {
        if (parts.fractionDigits[i] != '0') {
            position = -static_cast<long long>(i + 1);
            found = true;
        }
    }
    if (!found) {
        return false;
    }
    // Saturate the exponent: anything past a few thousand is out of range
    // either way, and digit counts stay far below the cap in practice.
    constexpr long long kCap = 1'000'000'000;
    long long exponent = 0;
    for (const char c : parts.exponentDigits) {
        exponent = std::min(kCap, exponent * 10 + (c - '0'));
    }
    if (parts.exponentNegative) {
        exponent = -exponent;
    }
    return position + exponent >= 0;
}

// The double nearest to the number; a number beyond the double range throws,
// one below it reads as zero.
double toDouble(const NumberParts& parts) {
    std::string text;
    text.reserve(parts.integerDigits.size() + parts.fractionDigits.size() +
                 parts.exponentDigits.size() + 4);
    if (parts.negative) {
        text += '-';
    }
    text += parts.integerDigits.empty() ? std::string("0") : parts.integerDigits;
    if (!parts.fractionDigits.empty()) {
        text += '.';
        text += parts.fractionDigits;
    }
    if (!parts.exponentDigits.empty()) {
        text += parts.exponentNegative ? "e-" : "e";
        text += parts.exponentDigits;
    }

    double value = 0.0;
    const char* const end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (isAboveRange(parts)) {
            failOverflow();
        }
        return parts.negative ? -0.0 : 0.0;
    }
    if (result.ec != std::errc{} || result.ptr != end) {
        failTypeMismatch();  // the readers only build valid texts
    }
    return value;
}

// The unsigned value of hexadecimal digits, correctly rounded to a double.
double hexValue(std::string_view digits) {
    if (digits.empty()) {
        return 0.0;
    }
    double value = 0.0;
    const char* const end = digits.data() + digits.size();
    const auto result = std::from_chars(digits.data(), end, value, std::chars_format::hex);
    if (result.ec == std::errc::result_out_of_range) {
        failOverflow();
    }
    return value;
}

// The unsigned value of octal digits: regrouped from 3-bit into 4-bit digits
// so that the hexadecimal reading rounds it.
double octalValue(std::string_view digits) {
    std::string bits;
    bits.reserve(digits.size() * 3 + 3);
    for (const char c : digits) {
        const int d = c - '0';
        bits += (d & 4) != 0 ? '1' : '0';
        bits += (d & 2) != 0 ? '1' : '0';
        bits += (d & 1) != 0 ? '1' : '0';
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    constexpr std::string_view kHexDigits = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bits.size() / 4);
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        int nibble = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            nibble = nibble * 2 + (bits[i + j] - '0');
        }
        hex += kHexDigits[static_cast<std::size_t>(nibble)];
    }
    return hexValue(hex);
}

// The leading "&H…" or "&O…" number of a text whose blanks are gone, the
// text starting with '&'.
double readPrefixedInteger(std::string_view text) {
    if (text.size() < 2) {
        return 0.0;
    }
    const char kind = text[1];
    std::size_t end = 2;
    if (kind == 'H' || kind == 'h') {
        while (end < text.size() && isHexDigit(text[end])) {
            ++end;
        }
        return hexValue(text.substr(2, end - 2));
    }
    if (kind == 'O' || kind == 'o') {
        while (end < text.size() && text[end] >= '0' && text[end] <= '7') {
            ++end;
        }
        return octalValue(text.substr(2, end - 2));
    }
    return 0.0;
}

template <typename Real>
std::string generalText(Real value, int precision, const NumberFormat& format) {
    if (value == 0) {
        return "0";  // negative zero included
    }
    // "%.15G" needs at most 22 characters ("-1.23456789012345E-308").
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, precision);
    const std::string_view decimal = decimalSeparator(format);
    std::string text;
    for (const char* p = buffer.data(); p != result.ptr; ++p) {
        if (*p == '.') {
            text += decimal;
        } else if (*p == 'e') {
            text += 'E';
        } else {
            text += *p;
        }
    }
    return text;
}

}  // namespace

std::string failureDescription(int code) {
    switch (code) {
        case 5:
            return "Invalid procedure call or argument";
        case kOverflow:
            return "Overflow";
        case kDivisionByZero:
            return "Division by zero";
        case kTypeMismatch:
            return "Type mismatch";
        case kFileNotFound:
            return "File not found";
        case 75:
            return "Path/File access error";
        case 76:
            return "Path not found";
        default:
            return "Application-defined or object-defined error";
    }
}

double readStrict(std::string_view text, const NumberFormat& format) {
    const std::string_view s = trimmedBlanks(text);
    const std::string_view decimal = decimalSeparator(format);
    const std::string_view group = format.group;

    NumberParts parts;
    std::size_t pos = 0;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        parts.negative = s[pos] == '-';
        ++pos;
    }

    // Integer part: either plain digits, or a lead group of 1 to 3 digits
    // followed by separator-and-three-digit groups. The decimal separator
    // wins where both would match, so a format whose separators coincide
    // simply has no grouping.
    const std::size_t lead = takeDigits(s, pos, parts.integerDigits);
    if (lead >= 1 && lead <= 3) {
        while (!startsAt(s, pos, decimal) && startsAt(s, pos, group)) {
            pos += group.size();
            if (takeDigits(s, pos, parts.integerDigits) != 3) {
                failTypeMismatch();
            }
        }
    }

    if (startsAt(s, pos, decimal)) {
        pos += decimal.size();
        takeDigits(s, pos, parts.fractionDigits);
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) {
        failTypeMismatch();
    }

    if (pos < s.size() && (s[pos] == 'E' || s[pos] == 'e')) {
        ++pos;
        if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
            parts.exponentNegative = s[pos] == '-';
            ++pos;
        }
        if (takeDigits(s, pos, parts.exponentDigits) == 0) {
            failTypeMismatch();
        }
    }
    if (pos != s.size()) {
        failTypeMismatch();
    }
    return toDouble(parts);
}

double readLenient(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            s += c;
        }
    }
    if (!s.empty() && s[0] == '&') {
        return readPrefixedInteger(s);
    }

    NumberParts parts;
    std::size_t pos = 0;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        parts.negative = s[pos] == '-';
        ++pos;
    }
    takeDigits(s, pos, parts.integerDigits);
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        takeDigits(s, pos, parts.fractionDigits);
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) {
        return 0.0;
    }
    // An exponent marker without digits is not part of the number.
    if (pos < s.size() && (s[pos] == 'E' || s[pos] == 'e' || s[pos] == 'D' || s[pos] == 'd')) {
        std::size_t exponentPos = pos + 1;
        bool negative = false;
        if (exponentPos < s.size() && (s[exponentPos] == '+' || s[exponentPos] == '-')) {
            negative = s[exponentPos] == '-';
            ++exponentPos;
        }
        if (takeDigits(s, exponentPos, parts.exponentDigits) > 0) {
            parts.exponentNegative = negative;
        }
    }
    return toDouble(parts);
}

double roundHalfEven(double value) { return std::nearbyint(value); }

std::uint8_t toByte(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= 0.0 && rounded <= 255.0)) {  // NaN fails both
        failOverflow();
    }
    return static_cast<std::uint8_t>(rounded);
}

std::int32_t toLong(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        failOverflow();
    }
    return static_cast<std::int32_t>(rounded);
}

namespace {

double checked(double result) {
    if (!std::isfinite(result)) {
        failOverflow();
    }
    return result;
}

}  // namespace

double add(double a, double b) { return checked(a + b); }

double subtract(double a, double b) { return checked(a - b); }

double multiply(double a, double b) { return checked(a * b); }

double divide(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a)) {
            failOverflow();
        }
        throw BasicError{kDivisionByZero};
    }
    return checked(a / b);
}

double wholeRemainder(double dividend, double divisor) {
    if (!std::isfinite(dividend) || !std::isfinite(divisor)) {
        failOverflow();
    }
    const double a = roundHalfEven(dividend);
    const double b = roundHalfEven(divisor);
    if (b == 0.0) {
        throw BasicError{kDivisionByZero};
    }
    // fmod is exact and keeps the dividend's sign; adding 0.0 turns a
    // remainder of -0 into 0.
    return std::fmod(a, b) + 0.0;
}

std::string decimalText(double value, const NumberFormat& format) {
    if (!std::isfinite(value)) {
        failOverflow();
    }
    return generalText(value, 15, format);
}

std::string decimalTextSingle(double value, const NumberFormat& format) {
    // From (2 - 2^-24) * 2^127 up, a double rounds past FLT_MAX to infinity.
    constexpr double kFloatLimit = 0x1.ffffffp+127;
    if (!std::isfinite(value) || std::fabs(value) >= kFloatLimit) {
        failOverflow();
    }
    return generalText(static_cast<float>(value), 7, format);
}

}  // namespace quorvane::core
