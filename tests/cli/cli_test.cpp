// quorvane-cli run as a person or a script would: stdout, stderr and the
// exit status of the built program.
#include "clirun.h"

#include <string>
#include <vector>

namespace {

using quorvane::test::cli;
using quorvane::test::CliRun;

using Case = quorvane::test::CliCase;

class CliTest : public ::testing::TestWithParam<Case> {};

TEST_P(CliTest, PrintsReportFieldsAndMessages) { quorvane::test::expectRun(GetParam()); }

const std::string kId10t = "ID10T: Fill out required fields !\n";

INSTANTIATE_TEST_SUITE_P(
    Commands, CliTest,
    ::testing::Values(
        Case{"BeginChsWithFields",
             {"bchs2blba", "--geometry", "1024/255/63", "--begin", "0/1/1", "--fields"},
             "63 is the LBA startsector.\nlbastrt=63\n", "", 0},
        Case{"SeparateOptionsAndEqualsForm",
             {"bchs2blba", "--dgheads=255", "--dgsects", "63", "--cyls", "0", "--heads", "1",
              "--sects", "1"},
             "63 is the LBA startsector.\n", "", 0},
        Case{"StartToChsCrLfExactlyAsTheBox",
             {"blba2bchs", "--geometry", "/255/63", "--lbastrt", "100", "--crlf"},
             "Begin cylinder: 0\r\nBegin head: 1\r\nBegin sector: 38", "", 0},
        Case{"EndChsFields",
             {"echs2elba", "--geometry", "1024/255/63", "--end", "1022/254/63", "--fields"},
             "16434494 is the absolute LBA endsector.\n\nNote: this value is the same as the "
             "startsector for the next partition (not EPBR).\nLBAend=16434494\n",
             "", 0},
        Case{"ChsToLbaHasNoReport",
             {"chs2lba", "--geometry", "1024/255/63", "--begin", "0/1/1", "--end", "1022/254/63",
              "--fields", "--lbaend", "ignored"},
             "lbastrt=63\nLBAend=16434432\n", "", 0},
        Case{"DecimalCommaForced",
             {"bchs2blba", "--decimal-comma", "--geometry", "1024/255/63", "--begin",
              "1.000/0/1,5"},
             "16065000,5 is the LBA startsector.\n", "", 0},
        Case{"MissingFieldRefused",
             {"bchs2blba", "--geometry", "1024//63", "--begin", "0/1/1", "--fields"}, "", kId10t,
             1},
        // Where the window stops without a message, the program says why.
        Case{"DivisionByZeroSaysWhy",
             {"blba2bchs", "--geometry", "1024/255/0", "--lbastrt", "63", "--fields"}, "",
             "quorvane-cli: blba2bchs stopped: division by zero; the window shows no message "
             "here\n",
             1},
        Case{"OverflowSaysWhy", {"echs2elba", "--geometry", "1024/255/63", "--end", "1e308/0/1"},
             "", "quorvane-cli: echs2elba stopped: overflow; the window shows no message here\n",
             1},
        Case{"CheckWithoutHeadsSaysWhy",
             {"check", "--geometry", "1024/0/63", "--begin", "0/1/1", "--end", "1/1/1",
              "--lbastrt", "63", "--lbaend", "5"},
             "", "quorvane-cli: check stopped: division by zero; the window shows no message here\n",
             1},
        Case{"NegativeValueAsNextArgument",
             {"bchs2blba", "--geometry", "1024/255/63", "--begin", "0/0/1", "--cyls", "-1"},
             "-16065 is the LBA startsector.\n", "", 0}),
    quorvane::test::caseName);

TEST(Cli, FixedTexts) {
    const CliRun intro = cli({"intro", "--crlf"});
    EXPECT_EQ(intro.status, 0);
    EXPECT_EQ(intro.out.rfind("Quorvane 1.02" + std::string(39, ' ') + "\r\n", 0), 0u);
    EXPECT_EQ(intro.out.substr(intro.out.size() - 17), std::string(15, ' ') + "\r\n");

    const CliRun info = cli({"general-info"});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out.find('\r'), std::string::npos);
    EXPECT_EQ(info.out.rfind("* The 'bCHS2bLBA' key", 0), 0u);
    EXPECT_EQ(info.out.back(), '\n');
}

TEST(Cli, UsageErrorsExitTwoWithUsageText) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate"},
        {"bchs2blba", "--nosuchfield", "1"},
        {"bchs2blba", "--geometry", "1024/255"},
        {"bchs2blba", "--cyls"},
        {"intro", "--cyls", "1"},
        {"bchs2blba", "extra"},
        {"bchs2blba", "--fields=yes"},
    };
    for (const auto& args : wrong) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Usage: quorvane-cli "), std::string::npos);
    }
    const CliRun help = cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("bchs2blba"), std::string::npos);
}

}  // namespace
