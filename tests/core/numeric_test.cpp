#include "core/base/numeric.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/base/launcher.h"

namespace quorvane::core {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const NumberFormat kPoint = NumberFormat::point();
const NumberFormat kComma = NumberFormat::comma();

// The code of the BasicError that `call` throws, or 0 when it returns.
int failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const BasicError& error) {
        return error.code;
    }
    return 0;
}

struct ReadCase {
    std::string text;
    NumberFormat format;
    double expected;  // when code is 0
    int code;
};

TEST(NumericTest, StrictReading) {
    const NumberFormat spaceGroup{",", "\u00a0"};
    const NumberFormat arabic{"\u066b", "\u066c"};
    const NumberFormat noGroup{".", ""};
    const std::vector<ReadCase> cases = {
        {"0", kPoint, 0, 0},
        {" \t42\t ", kPoint, 42, 0},
        {"+7", kPoint, 7, 0},
        {"-7.25", kPoint, -7.25, 0},
        {"1234567", kPoint, 1234567, 0},
        {"1,234,567", kPoint, 1234567, 0},
        {"1,500", kPoint, 1500, 0},
        {"-12,345.25", kPoint, -12345.25, 0},
        {".5", kPoint, 0.5, 0},
        {"5.", kPoint, 5, 0},
        {"1.5e3", kPoint, 1500, 0},
        {"2E-2", kPoint, 0.02, 0},
        {"1,000e+2", kPoint, 100000, 0},
        {"1e-400", kPoint, 0, 0},
        {"1,5", kPoint, 0, kTypeMismatch},
        {"1,2345", kPoint, 0, kTypeMismatch},
        {"1234,567", kPoint, 0, kTypeMismatch},
        {",123", kPoint, 0, kTypeMismatch},
        {"1,", kPoint, 0, kTypeMismatch},
        {"1.234,5", kPoint, 0, kTypeMismatch},
        {"1.5e1,000", kPoint, 0, kTypeMismatch},
        {"", kPoint, 0, kTypeMismatch},
        {" \t ", kPoint, 0, kTypeMismatch},
        {".", kPoint, 0, kTypeMismatch},
        {"-", kPoint, 0, kTypeMismatch},
        {"+-1", kPoint, 0, kTypeMismatch},
        {"1..2", kPoint, 0, kTypeMismatch},
        {"12abc", kPoint, 0, kTypeMismatch},
        {"1 2", kPoint, 0, kTypeMismatch},
        {"\n1", kPoint, 0, kTypeMismatch},
        {"1e", kPoint, 0, kTypeMismatch},
        {"1e+", kPoint, 0, kTypeMismatch},
        {"e5", kPoint, 0, kTypeMismatch},
        {"1D3", kPoint, 0, kTypeMismatch},
        {"&HFF", kPoint, 0, kTypeMismatch},
        {"inf", kPoint, 0, kTypeMismatch},
        {"nan", kPoint, 0, kTypeMismatch},
        {"1e400", kPoint, 0, kOverflow},
        {"-1e400", kPoint, 0, kOverflow},
        {"1e99999999999999999999", kPoint, 0, kOverflow},
        {"0.001e312", kPoint, 0, kOverflow},
        {"0.001e311", kPoint, 1e308, 0},
        {"1.234,5", kComma, 1234.5, 0},
        {"1.234.567", kComma, 1234567, 0},
        {"1,5", kComma, 1.5, 0},
        {",5", kComma, 0.5, 0},
        {"-1,5E2", kComma, -150, 0},
        {"1.234", kComma, 1234, 0},
        {"1.23", kComma, 0, kTypeMismatch},
        {"1.5", kComma, 0, kTypeMismatch},
        {"1,234.5", kComma, 0, kTypeMismatch},
        {",", kComma, 0, kTypeMismatch},
        {"1\u00a0234,5", spaceGroup, 1234.5, 0},
        {"1 234,5", spaceGroup, 0, kTypeMismatch},
        {"3\u066b25", arabic, 3.25, 0},
        {"1\u066c000\u066b5", arabic, 1000.5, 0},
        {"3.25", arabic, 0, kTypeMismatch},
        {"1234567.5", noGroup, 1234567.5, 0},
        {"1,234", noGroup, 0, kTypeMismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\", decimal \"" + c.format.decimal + "\"");
        double value = 0;
        EXPECT_EQ(failureOf([&] { value = readStrict(c.text, c.format); }), c.code);
        if (c.code == 0) {
            EXPECT_EQ(value, c.expected);
        }
    }
}

TEST(NumericTest, LenientReading) {
    const std::string manyF(256, 'F');
    const std::vector<ReadCase> cases = {
        {"63 sectors", kPoint, 63, 0},
        {" 1 2 3", kPoint, 123, 0},
        {"\t-4\n2", kPoint, -42, 0},
        {"1\r2", kPoint, 1, 0},
        {"+3", kPoint, 3, 0},
        {"-.5", kPoint, -0.5, 0},
        {"5.", kPoint, 5, 0},
        {"1.2.3", kPoint, 1.2, 0},
        {"1,5", kPoint, 1, 0},
        {"1D3", kPoint, 1000, 0},
        {"1d-2", kPoint, 0.01, 0},
        {"1 e 3", kPoint, 1000, 0},
        {"1E", kPoint, 1, 0},
        {"2e+", kPoint, 2, 0},
        {"2e-x", kPoint, 2, 0},
        {"", kPoint, 0, 0},
        {"abc", kPoint, 0, 0},
        {".", kPoint, 0, 0},
        {"-", kPoint, 0, 0},
        {"&HFF", kPoint, 255, 0},
        {"&hff", kPoint, 255, 0},
        {"&HFFFF", kPoint, 65535, 0},
        {"& H 1 0", kPoint, 16, 0},
        {"&HFFG", kPoint, 255, 0},
        {"&H", kPoint, 0, 0},
        {"&H1FFFFFFFFFFFFF1", kPoint, 0x1FFFFFFFFFFFFF1p0, 0},
        {"&H1" + std::string(255, '0'), kPoint, std::ldexp(1.0, 1020), 0},
        {"&O17", kPoint, 15, 0},
        {"&o777", kPoint, 511, 0},
        {"&O8", kPoint, 0, 0},
        {"&O1" + std::string(341, '0'), kPoint, std::ldexp(1.0, 1023), 0},
        {"&Q1", kPoint, 0, 0},
        {"-&H10", kPoint, 0, 0},
        {"1e-400", kPoint, 0, 0},
        {"1E400", kPoint, 0, kOverflow},
        {"-1D400", kPoint, 0, kOverflow},
        {"&H" + manyF, kPoint, 0, kOverflow},
        {"&O2" + std::string(341, '0'), kPoint, 0, kOverflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text \"" + c.text.substr(0, 40) + "\"");
        double value = -1;
        EXPECT_EQ(failureOf([&] { value = readLenient(c.text); }), c.code);
        if (c.code == 0) {
            EXPECT_EQ(value, c.expected);
        }
    }
}

struct StoreCase {
    double value;
    long long expected;  // when code is 0
    int code;
};

TEST(NumericTest, StoresIntoByte) {
    const std::vector<StoreCase> cases = {
        {0.5, 0, 0},    {1.5, 2, 0},        {2.5, 2, 0},         {-0.5, 0, 0},
        {-0.51, 0, 6},  {254.5, 254, 0},    {255.4, 255, 0},     {255.5, 0, 6},
        {-1, 0, 6},     {kNaN, 0, 6},       {kInf, 0, 6},        {-kInf, 0, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        int stored = -1;
        EXPECT_EQ(failureOf([&] { stored = toByte(c.value); }), c.code);
        if (c.code == 0) {
            EXPECT_EQ(stored, c.expected);
        }
    }
}

TEST(NumericTest, StoresIntoLong) {
    const std::vector<StoreCase> cases = {
        {2147483647.4, 2147483647, 0},   {2147483647.5, 0, 6},
        {2147483646.5, 2147483646, 0},   {-2147483648.5, -2147483648LL, 0},
        {-2147483648.6, 0, 6},           {-3.5, -4, 0},
        {kNaN, 0, 6},                    {-kInf, 0, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        long long stored = -1;
        EXPECT_EQ(failureOf([&] { stored = toLong(c.value); }), c.code);
        if (c.code == 0) {
            EXPECT_EQ(stored, c.expected);
        }
    }
}

struct ArithmeticCase {
    const char* name;
    double (*operation)(double, double);
    double a;
    double b;
    double expected;  // when code is 0
    int code;
};

TEST(NumericTest, CheckedArithmetic) {
    const std::vector<ArithmeticCase> cases = {
        {"add", add, 0.5, 0.25, 0.75, 0},
        {"add", add, DBL_MAX, DBL_MAX, 0, kOverflow},
        {"add", add, kInf, -kInf, 0, kOverflow},
        {"add", add, kNaN, 1, 0, kOverflow},
        {"subtract", subtract, -DBL_MAX, DBL_MAX, 0, kOverflow},
        {"subtract", subtract, 5, 7, -2, 0},
        {"multiply", multiply, 1e200, 1e200, 0, kOverflow},
        {"multiply", multiply, kInf, 0, 0, kOverflow},
        {"multiply", multiply, 1e-200, 1e-200, 0, 0},
        {"divide", divide, 7, 2, 3.5, 0},
        {"divide", divide, 1, 0, 0, kDivisionByZero},
        {"divide", divide, -1, -0.0, 0, kDivisionByZero},
        {"divide", divide, kInf, 0, 0, kDivisionByZero},
        {"divide", divide, 0, 0, 0, kOverflow},
        {"divide", divide, kNaN, 0, 0, kOverflow},
        {"divide", divide, 0, kNaN, 0, kOverflow},
        {"divide", divide, 1e300, 1e-300, 0, kOverflow},
        {"remainder", wholeRemainder, 7, 3, 1, 0},
        {"remainder", wholeRemainder, -7, 3, -1, 0},
        {"remainder", wholeRemainder, 7, -3, 1, 0},
        {"remainder", wholeRemainder, 5.5, 3, 0, 0},
        {"remainder", wholeRemainder, 2.5, 2, 0, 0},
        {"remainder", wholeRemainder, 7, 1.5, 1, 0},
        {"remainder", wholeRemainder, 9007199254740992.0, 10, 2, 0},
        {"remainder", wholeRemainder, 1099511627781.0, 4294967296.0, 5, 0},
        {"remainder", wholeRemainder, 7, 0.5, 0, kDivisionByZero},
        {"remainder", wholeRemainder, 0, -0.4, 0, kDivisionByZero},
        {"remainder", wholeRemainder, kInf, 3, 0, kOverflow},
        {"remainder", wholeRemainder, 3, kNaN, 0, kOverflow},
        {"remainder", wholeRemainder, kInf, 0, 0, kOverflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "(" + std::to_string(c.a) + ", " +
                     std::to_string(c.b) + ")");
        double result = kNaN;
        EXPECT_EQ(failureOf([&] { result = c.operation(c.a, c.b); }), c.code);
        if (c.code == 0) {
            EXPECT_EQ(result, c.expected);
        }
    }
}

TEST(NumericTest, RemainderOfWholeDividendIsPositiveZero) {
    EXPECT_FALSE(std::signbit(wholeRemainder(-6, 3)));
}

struct TextCase {
    double value;
    std::string point;  // empty when writing must fail
    std::string comma;
};

void expectTexts(const std::vector<TextCase>& cases,
                 std::string (*write)(double, const NumberFormat&)) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        std::string point;
        std::string comma;
        const int expectedCode = c.point.empty() ? kOverflow : 0;
        EXPECT_EQ(failureOf([&] { point = write(c.value, kPoint); }), expectedCode);
        EXPECT_EQ(failureOf([&] { comma = write(c.value, kComma); }), expectedCode);
        EXPECT_EQ(point, c.point);
        EXPECT_EQ(comma, c.comma);
    }
}

TEST(NumericTest, DecimalText) {
    expectTexts(
        {
            {63, "63", "63"},
            {16434494, "16434494", "16434494"},
            {1234.5, "1234.5", "1234,5"},
            {999999999999999, "999999999999999", "999999999999999"},
            {999999999999999.9, "1E+15", "1E+15"},
            {1e15, "1E+15", "1E+15"},
            {16065.0 / 2048, "7.84423828125", "7,84423828125"},
            {0.1 + 0.2, "0.3", "0,3"},
            {1.0 / 3, "0.333333333333333", "0,333333333333333"},
            {0.0001, "0.0001", "0,0001"},
            {0.00001, "1E-05", "1E-05"},
            {-1.5e-7, "-1.5E-07", "-1,5E-07"},
            {1.23456789012346e20, "1.23456789012346E+20", "1,23456789012346E+20"},
            {1e100, "1E+100", "1E+100"},
            {DBL_MAX, "1.79769313486232E+308", "1,79769313486232E+308"},
            {-2.5, "-2.5", "-2,5"},
            {0.0, "0", "0"},
            {-0.0, "0", "0"},
            {kNaN, "", ""},
            {kInf, "", ""},
            {-kInf, "", ""},
        },
        decimalText);
    EXPECT_EQ(decimalText(2.5, {"\u066b", "\u066c"}), "2\u066b5");
}

TEST(NumericTest, DecimalTextSingle) {
    expectTexts(
        {
            {1.0 / 3, "0.3333333", "0,3333333"},
            {6.5, "6.5", "6,5"},
            {0.1, "0.1", "0,1"},
            {100, "100", "100"},
            {-101, "-101", "-101"},
            {1234567, "1234567", "1234567"},
            {9999999.4, "9999999", "9999999"},
            {9999999.6, "1E+07", "1E+07"},
            {16777217, "1.677722E+07", "1,677722E+07"},
            {0.0001, "0.0001", "0,0001"},
            {0.00001, "1E-05", "1E-05"},
            {-0.0, "0", "0"},
            {1e-50, "0", "0"},
            {FLT_MAX, "3.402823E+38", "3,402823E+38"},
            {0x1.fffffefffffffp+127, "3.402823E+38", "3,402823E+38"},
            {0x1.ffffffp+127, "", ""},
            {-1e39, "", ""},
            {kNaN, "", ""},
            {kInf, "", ""},
        },
        decimalTextSingle);
}

// What a page writes, a field must read back unchanged.
TEST(NumericTest, WrittenTextReadsBack) {
    const double values[] = {7.84423828125, -2.5, 1e15, -1.5e-7, 1234.5, 0.3, 1e100, 63};
    for (const auto& format : {kPoint, kComma}) {
        for (const double value : values) {
            SCOPED_TRACE(value);
            EXPECT_EQ(readStrict(decimalText(value, format), format), value);
        }
    }
}

// The system's reasons where a person reads them: the "Dear User" message
// of a program that cannot be started, and DiviZedi's abort. (quorvane-cli's
// stop lines for overflow and division by zero are tested with the program.)
TEST(FailureTexts, AsAPersonReadsThem) {
    EXPECT_EQ(launchFailureText({kFileNotFound, failureDescription(kFileNotFound)}),
              "Unable to start requested program, error: '53 File not found'");
    EXPECT_EQ(failureDescription(5), "Invalid procedure call or argument");
    // A code the program never raises still reads as a failure.
    EXPECT_EQ(failureDescription(7), "Application-defined or object-defined error");
}

}  // namespace
}  // namespace quorvane::core
