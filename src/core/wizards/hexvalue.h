// HexToDec: a value typed exactly as the disk editor Patch shows it, in
// hexadecimal, turned into a number.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/outcome.h"

namespace quorvane::core {

// At most 12 hexadecimal digits (48 bits) are converted; every result is an
// exact whole number from 0 to 281474976710655.
inline constexpr std::size_t kHexDigitLimit = 12;

struct HexConversion {
    // False when the text holds a character other than 0 to 9, A to F (either
    // case) and blanks around it: nothing was converted.
    bool accepted = false;
    // True when the text was longer than 12 digits and only its first 12
    // were converted.
    bool cut = false;
    double value = 0;
    // The message shown: the 48-bit notice of a cut text, or the refusal of
    // a text that is not hexadecimal.
    std::optional<Message> message;
};

// Converts `text`, the caller's own copy of a field: blanks around it are
// dropped and it is upper-cased, and cut to its first 12 digits when longer
// (with the 48-bit notice). `hexvalue` receives the result; a refused text
// leaves both `text` and `hexvalue` as they were. `subject` names the value
// in the refusal ("Sectors per FAT"). An empty text converts to 0.
HexConversion hexToDec(std::string& text, double& hexvalue, std::string_view subject);

}  // namespace quorvane::core
