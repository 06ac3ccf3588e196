#include "core/accessories/calculator.h"

#include <cmath>
#include <utility>

namespace quorvane::core {

namespace {

using Key = Calculator::Key;

struct KeyCaption {
    Key key;
    std::string_view caption;
};

constexpr KeyCaption kCaptions[] = {
    {Key::Digit0, "0"},      {Key::Digit1, "1"},   {Key::Digit2, "2"},  {Key::Digit3, "3"},
    {Key::Digit4, "4"},      {Key::Digit5, "5"},   {Key::Digit6, "6"},  {Key::Digit7, "7"},
    {Key::Digit8, "8"},      {Key::Digit9, "9"},   {Key::Separator, ","},
    {Key::ChangeSign, "+/-"}, {Key::Add, "+"},      {Key::Subtract, "-"},
    {Key::Multiply, "*"},    {Key::Divide, "/"},   {Key::Power, "^"},  {Key::Equals, "="},
    {Key::Clear, "C"},       {Key::ClearEntry, "CE"},
};

constexpr std::string_view kOverflowPrompt = "OVERFLOW, abort calculation!";
constexpr std::string_view kDivisionByZeroPrompt = "DiviZedi can't devide by zero!";
constexpr std::string_view kAbortedLine = "Calculation aborted!";

Message whoops(std::string prompt) {
    return Message{std::move(prompt), std::string(kDiviZediTitle)};
}

bool isDigit(Key key) { return key <= Key::Digit9; }

}  // namespace

double power(double base, double exponent) {
    if (base < 0.0 && std::isfinite(exponent) && exponent != std::trunc(exponent)) {
        throw BasicError{kInvalidArgument};
    }
    const double result = std::pow(base, exponent);
    if (!std::isfinite(result)) {
        throw BasicError{kOverflow};
    }
    return result;
}

std::string Calculator::caption(Key key, const NumberFormat& format) {
    if (key == Key::Separator) {
        return format.decimal.empty() ? std::string(".") : format.decimal;
    }
    for (const KeyCaption& entry : kCaptions) {
        if (entry.key == key) return std::string(entry.caption);
    }
    return {};
}

std::optional<Calculator::Key> Calculator::keyFor(std::string_view caption,
                                                  const NumberFormat& format) {
    if (caption == Calculator::caption(Key::Separator, format)) return Key::Separator;
    for (const KeyCaption& entry : kCaptions) {
        if (entry.caption == caption) return entry.key;
    }
    return std::nullopt;
}

Calculator::Calculator(NumberFormat format) : format_(std::move(format)) {}

Outcome Calculator::press(Key key) {
    if (isDigit(key)) {
        typeDigit(static_cast<int>(key));
        return {};
    }
    switch (key) {
        case Key::Separator: typeSeparator(); return {};
        case Key::ChangeSign: changeSign(); return {};
        case Key::Clear: clear(); return {};
        case Key::ClearEntry: clearEntry(); return {};
        case Key::Equals: return equals();
        default: return operate(key);
    }
}

void Calculator::clear() {
    accumulator_ = 0.0;
    pending_ = Key::Add;
    clearEntry();
}

void Calculator::clearEntry() {
    display_ = "0";
    newNumber_ = true;
}

void Calculator::typeDigit(int digit) {
    const char text = static_cast<char>('0' + digit);
    if (newNumber_) {
        display_.assign(1, text);
        newNumber_ = false;
    } else {
        display_ += text;
    }
}

void Calculator::typeSeparator() {
    const std::string separator = caption(Key::Separator, format_);
    if (newNumber_) {
        display_ = "0" + separator;
        newNumber_ = false;
    } else if (display_.find(separator) == std::string::npos) {
        display_ += separator;
    }
}

void Calculator::changeSign() {
    // A display that does not read as a number (one too long for a double,
    // or a separator after a number in exponent form) is left as it stands;
    // the next operator reports it.
    try {
        display_ = decimalText(-readStrict(display_, format_), format_);
    } catch (const BasicError&) {
    }
}

std::optional<Outcome> Calculator::evaluate() {
    const double before = accumulator_;
    try {
        const double x = readStrict(display_, format_);
        switch (pending_) {
            case Key::Add: accumulator_ = add(x, accumulator_); break;
            case Key::Subtract: accumulator_ = subtract(accumulator_, x); break;
            case Key::Multiply: accumulator_ = multiply(x, accumulator_); break;
            case Key::Divide: accumulator_ = divide(accumulator_, x); break;
            default: accumulator_ = power(accumulator_, x); break;
        }
        return std::nullopt;
    } catch (const BasicError& error) {
        Outcome failed;
        failed.failure = error.code;
        if (error.code == kOverflow) {
            failed.messages.push_back(whoops(std::string(kOverflowPrompt)));
            clear();
        } else if (error.code == kDivisionByZero) {
            failed.messages.push_back(whoops(std::string(kDivisionByZeroPrompt)));
            accumulator_ = before;
            pending_ = Key::Add;
            clearEntry();
        } else {
            failed.messages.push_back(whoops(std::to_string(error.code) + ": " +
                                             failureDescription(error.code) + "\r\n" +
                                             std::string(kAbortedLine)));
            clear();
        }
        return failed;
    }
}

Outcome Calculator::operate(Key op) {
    if (std::optional<Outcome> failed = evaluate()) return std::move(*failed);
    pending_ = op;
    display_ = "0";
    newNumber_ = true;
    return {};
}

Outcome Calculator::equals() {
    if (std::optional<Outcome> failed = evaluate()) return std::move(*failed);
    display_ = decimalText(accumulator_, format_);
    newNumber_ = true;
    accumulator_ = 0.0;
    pending_ = Key::Add;
    return {};
}

}  // namespace quorvane::core
