// The engine of the DiviZedi calculator: one accumulator, one pending
// operator, evaluated strictly from left to right (no precedence). The entry
// being typed lives only in the display text and is read as a number when an
// operator or "=" needs it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::core {

class Calculator {
public:
    // The keys of the keypad. The digit keys have the value of their digit.
    enum class Key {
        Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
        Separator,    // "," : types the user's decimal separator
        ChangeSign,   // "+/-"
        Add,          // "+"
        Subtract,     // "-"
        Multiply,     // "*"
        Divide,       // "/"
        Power,        // "^"
        Equals,       // "="
        Clear,        // "C": a new calculation
        ClearEntry,   // "CE": drops only the entry on the display
    };

    // The caption of a key's button; the separator key shows the user's
    // decimal separator.
    static std::string caption(Key key, const NumberFormat& format);
    // The key a caption names: the captions above, and "," for the
    // separator key whatever the format. Any other text names no key.
    static std::optional<Key> keyFor(std::string_view caption, const NumberFormat& format);

    explicit Calculator(NumberFormat format);

    // Presses one key. Only an operator or "=" can fail: the failure is
    // reported by one "Whoops!" message, the recovery is done, and the
    // outcome carries the failure code.
    Outcome press(Key key);

    const std::string& display() const { return display_; }
    double accumulator() const { return accumulator_; }
    // The operator the next evaluation applies (Add, Subtract, Multiply,
    // Divide or Power).
    Key pending() const { return pending_; }
    // Whether the next digit or separator starts a new entry.
    bool startsNewNumber() const { return newNumber_; }

private:
    void clear();
    void clearEntry();
    void typeDigit(int digit);
    void typeSeparator();
    void changeSign();
    Outcome operate(Key op);
    Outcome equals();
    // Applies the pending operator to the accumulator and the display;
    // on failure returns the outcome of the failure and its recovery.
    std::optional<Outcome> evaluate();

    NumberFormat format_;
    double accumulator_ = 0.0;
    Key pending_ = Key::Add;
    bool newNumber_ = true;
    std::string display_ = "0";
};

inline constexpr std::string_view kDiviZediTitle = "Whoops!";

// The failure code of an operation given an argument it cannot take, such
// as a negative number raised to a power that is not whole.
inline constexpr int kInvalidArgument = 5;

// `base` raised to `exponent`: a negative base with an exponent that is not
// whole throws BasicError{kInvalidArgument}; an infinite or NaN result
// throws BasicError{kOverflow}.
double power(double base, double exponent);

}  // namespace quorvane::core
