// The DiviZedi engine driven by key sequences, compared as whole states:
// display, accumulator, pending operator, new-number flag and messages.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/accessories/calculator.h"

namespace quorvane::core {
namespace {

using Key = Calculator::Key;

const NumberFormat kPoint = NumberFormat::point();
const NumberFormat kComma = NumberFormat::comma();

const std::string kOverflow = "OVERFLOW, abort calculation!";
const std::string kByZero = "DiviZedi can't devide by zero!";

// Presses the keys named by their captions, separated by blanks, and
// describes what follows: "display acc=N op=O new|typing", then each message
// as "[prompt]".
std::string run(const std::string& keys, const NumberFormat& format) {
    Calculator calculator(format);
    std::string messages;
    std::istringstream captions(keys);
    for (std::string caption; captions >> caption;) {
        const std::optional<Key> key = Calculator::keyFor(caption, format);
        if (!key) return "no key " + caption;
        const Outcome outcome = calculator.press(*key);
        for (const Message& message : outcome.messages) {
            if (message.title != "Whoops!" || message.icon != Icon::None ||
                message.buttons != Buttons::Ok)
                return "wrong box for " + message.prompt;
            messages += " [" + message.prompt + "]";
        }
    }
    return calculator.display() + " acc=" + decimalText(calculator.accumulator(), kPoint) +
           " op=" + Calculator::caption(calculator.pending(), format) +
           (calculator.startsNewNumber() ? " new" : " typing") + messages;
}

// `count` presses of the digit key `digit`.
std::string repeated(char digit, std::size_t count) {
    std::string keys;
    for (std::size_t i = 0; i < count; ++i) keys += std::string{digit, ' '};
    return keys;
}

struct Case {
    const char* name;
    NumberFormat format;
    std::string keys;
    std::string after;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class DiviZediTest : public ::testing::TestWithParam<Case> {};

TEST_P(DiviZediTest, KeySequence) {
    const Case& c = GetParam();
    EXPECT_EQ(run(c.keys, c.format), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DiviZediTest,
    ::testing::Values(
        Case{"Fresh", kPoint, "", "0 acc=0 op=+ new"},
        Case{"DigitAfterZeroIsAppended", kPoint, "0 5", "05 acc=0 op=+ typing"},
        Case{"EqualsShowsResultAndResets", kPoint, "7 =", "7 acc=0 op=+ new"},
        Case{"LeftToRightWithoutPrecedence", kPoint, "2 + 3 * 4 =", "20 acc=0 op=+ new"},
        Case{"OperatorHidesIntermediateResult", kPoint, "2 + 3 *", "0 acc=5 op=* new"},
        Case{"SubtractAndDivideTakeTheEntryAsRightOperand", kPoint, "1 - 9 / 4 =",
             "-2 acc=0 op=+ new"},
        Case{"Power", kPoint, "2 ^ 1 0 =", "1024 acc=0 op=+ new"},
        Case{"SecondOperatorUsesTheDisplayedZero", kPoint, "5 * *", "0 acc=0 op=* new"},
        Case{"ClearEntryKeepsTheCalculation", kPoint, "5 + 3 CE 4 =", "9 acc=0 op=+ new"},
        Case{"ClearStartsANewCalculation", kPoint, "5 + 3 C 4 =", "4 acc=0 op=+ new"},
        Case{"DigitAfterEqualsStartsAnew", kPoint, "3 = 4", "4 acc=0 op=+ typing"},
        Case{"OperatorAfterEqualsContinues", kPoint, "3 = + 4 =", "7 acc=0 op=+ new"},
        Case{"SignChangeOfResultKeepsNewNumber", kPoint, "3 = +/-", "-3 acc=0 op=+ new"},
        Case{"SignChangeDropsTrailingSeparator", kPoint, "1 . +/- 5", "-15 acc=0 op=+ typing"},
        Case{"SignChangeOfZero", kPoint, "+/-", "0 acc=0 op=+ new"},
        Case{"SeparatorStartsWithZeroPoint", kPoint, ". .", "0. acc=0 op=+ typing"},
        Case{"SeparatorStartsWithZeroComma", kComma, ", ,", "0, acc=0 op=+ typing"},
        Case{"SecondSeparatorIgnored", kComma, "1 , 5 , 2", "1,52 acc=0 op=+ typing"},
        // The separator key types the user's separator: 1.5 + 1, not 15 + 1.
        Case{"CommaKeyInPointFormat", kPoint, "1 , 5 + 1 =", "2.5 acc=0 op=+ new"},
        Case{"CommaKeyInCommaFormat", kComma, "1 , 5 + 1 =", "2,5 acc=0 op=+ new"},
        Case{"FifteenDigits", kComma, "0 , 1 + 0 , 2 =", "0,3 acc=0 op=+ new"},
        Case{"ExponentFormReadBack", kPoint, "1 0 ^ 2 0 = * 2 =", "2E+20 acc=0 op=+ new"},
        Case{"DivisionByZeroKeepsAccumulator", kPoint, "5 / 0 =",
             "0 acc=5 op=+ new [" + kByZero + "]"},
        Case{"DivisionByZeroRecovers", kPoint, "5 / 0 = =", "5 acc=0 op=+ new [" + kByZero + "]"},
        Case{"FailedOperatorIsNotStored", kPoint, "6 / 0 * 2 =",
             "8 acc=0 op=+ new [" + kByZero + "]"},
        Case{"ZeroByZeroIsOverflow", kPoint, "0 / 0 =", "0 acc=0 op=+ new [" + kOverflow + "]"},
        Case{"OverflowClearsAll", kPoint, "9 9 9 ^ 9 9 9 + 4",
             "4 acc=0 op=+ typing [" + kOverflow + "]"},
        Case{"ZeroToNegativePowerIsOverflow", kPoint, "0 ^ 1 +/- =",
             "0 acc=0 op=+ new [" + kOverflow + "]"},
        Case{"DisplayTooLongForADouble", kPoint, repeated('9', 400) + "=",
             "0 acc=0 op=+ new [" + kOverflow + "]"},
        // 21 digits show in exponent form; a separator after it makes a
        // text that is no number.
        Case{"SignChangeLeavesUnreadableDisplay", kPoint, "1 " + repeated('0', 20) + "+/- , +/-",
             "-1E+20. acc=0 op=+ typing"},
        Case{"NegativeBaseFractionalPower", kComma, "8 +/- ^ 0 , 5 =",
             "0 acc=0 op=+ new [5: Invalid procedure call or argument\r\nCalculation aborted!]"},
        Case{"NegativeBaseWholePower", kComma, "2 +/- ^ 3 =", "-8 acc=0 op=+ new"},
        Case{"DisplayNotANumber", kPoint, "1 " + repeated('0', 20) + "+/- , =",
             "0 acc=0 op=+ new [13: Type mismatch\r\nCalculation aborted!]"}));

TEST(DiviZediKeys, CaptionsFollowTheNumberFormat) {
    EXPECT_EQ(Calculator::caption(Key::Separator, kPoint), ".");
    EXPECT_EQ(Calculator::caption(Key::Separator, kComma), ",");
    EXPECT_EQ(Calculator::keyFor(",", kPoint), Key::Separator);
    EXPECT_EQ(Calculator::keyFor(".", kComma), std::nullopt);
    EXPECT_EQ(Calculator::keyFor("CE", kPoint), Key::ClearEntry);
    EXPECT_EQ(Calculator::keyFor("x", kPoint), std::nullopt);
}

}  // namespace
}  // namespace quorvane::core
