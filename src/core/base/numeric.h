// The numeric rules every page follows: how a field's text becomes a number,
// how arithmetic fails, and how a number is written back as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane::core {

// The user's number format. Both separators are UTF-8 texts; `group` may be
// empty when the user's format has no digit grouping.
struct NumberFormat {
    std::string decimal = ".";
    std::string group = ",";

    static NumberFormat point() { return {".", ","}; }
    static NumberFormat comma() { return {",", "."}; }
};

// Failure codes of the run-time rules.
enum FailureCode : int {
    kOverflow = 6,       // out of range, or an invalid floating-point result
    kDivisionByZero = 11,
    kTypeMismatch = 13,  // text that is not a number where a number is needed
    kFileNotFound = 53,
};

// A run-time failure. Operations throw it and their frame decides what the
// person sees (see outcome.h).
struct BasicError {
    int code;
};

// A short description of a failure code, for messages that quote it.
std::string failureDescription(int code);

// Strict reading: the whole text, blanks around it allowed, must be a number
// in the user's format: an optional leading sign, digits with the user's
// decimal separator and digit grouping (groups of three after the first),
// and an optional exponent ("E" or "e", optional sign, digits). Anything
// else, the empty text included, throws BasicError{kTypeMismatch}; a number
// beyond the double range throws BasicError{kOverflow}.
double readStrict(std::string_view text, const NumberFormat& format);

// Lenient reading: the longest leading part of the text that forms a number,
// with "." as the only decimal point. Blanks, tabs and line feeds are skipped
// wherever they stand; "E" or "D" start an exponent; "&H" and "&O" start a
// hexadecimal or octal number, read as its unsigned value. A text with no
// leading number reads as 0. A number beyond the double range throws
// BasicError{kOverflow}, since no page may go on with an infinite value.
double readLenient(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

// Stores a value into a byte (0 to 255) or a signed 32-bit integer after
// rounding halves to even; outside the range throws BasicError{kOverflow}.
std::uint8_t toByte(double value);
std::int32_t toLong(double value);

// Checked arithmetic: each operation throws BasicError{kOverflow} for an
// infinite or NaN result (0 / 0 included) and BasicError{kDivisionByZero}
// for any other division by zero.
double add(double a, double b);
double subtract(double a, double b);
double multiply(double a, double b);
double divide(double a, double b);

// Remainder of whole numbers: both operands are rounded halves to even, the
// result takes the sign of the dividend; a divisor that rounds to 0 throws
// BasicError{kDivisionByZero}.
double wholeRemainder(double dividend, double divisor);

// The general decimal text of a double: up to 15 significant digits, no
// leading blank, no grouping, the user's decimal separator, a minus sign when
// negative (never for zero), and the exponent form ("1E+15", "1.5E-07") for
// magnitudes from 10^15 up and below 10^-4.
std::string decimalText(double value, const NumberFormat& format);

// The same for a single-precision value: the value is first stored as a
// float (overflow throws BasicError{kOverflow}) and written with up to 7
// significant digits.
std::string decimalTextSingle(double value, const NumberFormat& format);

}  // namespace quorvane::core
