// quorvane-cli's calculator and --version: the display on stdout, each
// message box on stderr, in either number format.
#include "clirun.h"

#include <string>
#include <vector>

namespace {

using quorvane::test::cli;
using quorvane::test::CliRun;

struct Case {
    const char* name;
    std::string env;
    std::vector<std::string> args;
    std::string out;
    std::string err;
    int status;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class AccessoriesCliTest : public ::testing::TestWithParam<Case> {};

TEST_P(AccessoriesCliTest, PrintsDisplayAndMessages) {
    const Case& c = GetParam();
    const CliRun run = cli(c.args, c.env);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.status, c.status);
}

const std::string kPoint = "LC_ALL=C";

INSTANTIATE_TEST_SUITE_P(
    Commands, AccessoriesCliTest,
    ::testing::Values(
        Case{"Version", kPoint, {"--version"}, "Quorvane\nVersion 1.0.2\n", "", 0},
        Case{"NoPrecedence", kPoint, {"divizedi", "2", "+", "3", "*", "4", "="}, "20\n", "", 0},
        Case{"NoKeys", kPoint, {"divizedi"}, "0\n", "", 0},
        Case{"SeparatorKeyInPointFormat", kPoint, {"divizedi", "1", ",", "5", "+", "1", "="},
             "2.5\n", "", 0},
        Case{"PointKeyInPointFormat", kPoint, {"divizedi", "1", ".", "5", "+/-"}, "-1.5\n", "", 0},
        Case{"SeparatorKeyInCommaFormat", kPoint,
             {"divizedi", "--decimal-comma", "1", ",", "5", "+", "1", "="}, "2,5\n", "", 0},
        Case{"DivisionByZeroRecovers", kPoint, {"divizedi", "5", "/", "0", "=", "="}, "5\n",
             "Whoops!: DiviZedi can't devide by zero!\n", 1},
        Case{"EveryMessageInOrder", kPoint,
             {"divizedi", "0", "/", "0", "=", "2", "+/-", "^", ",", "5", "="}, "0\n",
             "Whoops!: OVERFLOW, abort calculation!\n"
             "Whoops!: 5: Invalid procedure call or argument Calculation aborted!\n",
             1}));

TEST(AccessoriesCli, UnknownKeyIsAUsageError) {
    const CliRun run = cli({"divizedi", "1", "%"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "quorvane-cli: unknown key '%'");
}

}  // namespace
