#include "core/wizards/hexvalue.h"

#include <algorithm>

#include "core/base/characters.h"
#include "core/wizards/wizard.h"

namespace quorvane::core {

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

HexConversion hexToDec(std::string& text, double& hexvalue, std::string_view subject) {
    HexConversion result;
    std::string upperText(trimmedBlanks(text));
    std::transform(upperText.begin(), upperText.end(), upperText.begin(), upper);

    if (!std::all_of(upperText.begin(), upperText.end(),
                     [](char c) { return digitValue(c) >= 0; })) {
        // "0x1F", "1F h" or a letter O for a zero would give a wrong
        // position without a word; ask for the value as the editor shows it.
        result.message = refusal("Type " + std::string(subject) +
                                     " exactly as Patch shows it: the digits 0 to 9 and the "
                                     "letters A to F only !",
                                 kTypeMismatch)
                             .message;
        return result;
    }

    result.accepted = true;
    std::string digits = upperText;
    if (digits.size() > kHexDigitLimit) {
        digits.resize(kHexDigitLimit);
        result.cut = true;
        result.message = Message{"The HEX conversion routine can handle only up to 48 bits\r" +
                                     upperText + "\r" + digits,
                                 std::string(kApplicationTitle), Icon::None, Buttons::Ok};
    }
    text = digits;

    // Every partial sum stays a whole number below 2^48, exact in a double.
    double value = 0;
    double place = 1;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        value += place * digitValue(*it);
        place *= 16;
    }
    hexvalue = value;
    result.value = value;
    return result;
}

}  // namespace quorvane::core
