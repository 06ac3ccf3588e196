// quorvane-cli's calculator and --version: the display on stdout, each
// message box on stderr, in either number format.
#include "clirun.h"

#include <string>
#include <vector>

namespace {

using quorvane::test::cli;
using quorvane::test::CliRun;

using Case = quorvane::test::CliCase;

class AccessoriesCliTest : public ::testing::TestWithParam<Case> {};

TEST_P(AccessoriesCliTest, PrintsDisplayAndMessages) { quorvane::test::expectRun(GetParam()); }


INSTANTIATE_TEST_SUITE_P(
    Commands, AccessoriesCliTest,
    ::testing::Values(
        Case{"Version", {"--version"}, "Quorvane\nVersion 1.0.2\n", "", 0},
        Case{"NoPrecedence", {"divizedi", "2", "+", "3", "*", "4", "="}, "20\n", "", 0},
        Case{"NoKeys", {"divizedi"}, "0\n", "", 0},
        Case{"SeparatorKeyInPointFormat", {"divizedi", "1", ",", "5", "+", "1", "="},
             "2.5\n", "", 0},
        Case{"PointKeyInPointFormat", {"divizedi", "1", ".", "5", "+/-"}, "-1.5\n", "", 0},
        Case{"SeparatorKeyInCommaFormat",
             {"divizedi", "--decimal-comma", "1", ",", "5", "+", "1", "="}, "2,5\n", "", 0},
        Case{"DivisionByZeroRecovers", {"divizedi", "5", "/", "0", "=", "="}, "5\n",
             "Whoops!: DiviZedi can't devide by zero!\n", 1},
        Case{"EveryMessageInOrder",
             {"divizedi", "0", "/", "0", "=", "2", "+/-", "^", ",", "5", "="}, "0\n",
             "Whoops!: OVERFLOW, abort calculation!\n"
             "Whoops!: 5: Invalid procedure call or argument Calculation aborted!\n",
             1}),
    quorvane::test::caseName);

TEST(AccessoriesCli, UnknownKeyIsAUsageError) {
    const CliRun run = cli({"divizedi", "1", "%"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "quorvane-cli: unknown key '%'");
}

#ifdef _WIN32
// The program file's version resource, which Explorer shows: 1.0.0.2.
TEST(AccessoriesCli, FileVersionInItsResource) {
    const std::wstring program = quorvane::test::wideText(QUORVANE_CLI);
    std::vector<char> info(GetFileVersionInfoSizeW(program.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()),
                                    info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(std::vector<DWORD>({HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                                  HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)}),
              std::vector<DWORD>({1, 0, 0, 2}));
}
#endif

}  // namespace
