// quorvane-cli's error calculator commands: stdout, stderr and exit status.
#include <string>
#include <vector>

#include "clirun.h"

namespace {

using quorvane::test::cli;
using quorvane::test::CliRun;

using Case = quorvane::test::CliCase;

class CalculatorCliTest : public ::testing::TestWithParam<Case> {};

TEST_P(CalculatorCliTest, PrintsReportAndMessages) { quorvane::test::expectRun(GetParam()); }

const std::string kRequired = "ID10T detected: Fill out required fields !\n";

std::string stopped(const std::string& command) {
    return "quorvane-cli: " + command +
           " stopped: division by zero; the window shows no message here\n";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CalculatorCliTest,
    ::testing::Values(
        Case{"Error110EmptyRefused", {"error110"}, "", kRequired, 1},
        Case{"Error108BoundaryComma",
             {"error108", "--decimal-comma", "--HDS108", "255", "--scts108", "63", "--ss108",
              "63", "--nums108", "16002", "--cyls108", "x"},
             "This problem can probably be fixed by using the /ipe switch and resize the "
             "partition 1 cylinder smaller (7,84423828125 Mb in this case) if no other partition "
             "table errors are present. The risk of dataloss is not higher then normal.\n",
             "", 0},
        Case{"Bogus113CrLf",
             {"bogus113", "--crlf", "--sectclus", "64", "--root", "512", "--sectsfat", "256",
              "--bigtotal", "4194945", "--numbersect", "4194882"},
             "Resultant Big total number of sectors: 4194721\r\nOverlap in clusters: "
             "0.984375\r\n\r\nThis can probably be fixed by adjusting the 'Big Total Number of "
             "Sectors' in the bootsector to match 'sectors' from the partition table.",
             "", 0},
        Case{"Bogus113NoClusterSizeSaysWhy",
             {"bogus113", "--sectclus", "0", "--root", "512", "--sectsfat", "256", "--bigtotal",
              "2", "--numbersect", "1"},
             "", stopped("bogus113"), 1},
        // Heads read as 0: no word in the window.
        Case{"Error108HeadsInHexSaysWhy",
             {"error108", "--cyls108", "1", "--hds108", "0xFF", "--scts108", "63", "--ss108", "1",
              "--nums108", "1"},
             "", stopped("error108"), 1}),
    quorvane::test::caseName);

TEST(CalculatorCli, Error110InfoTextAndUsage) {
    const CliRun error110 = cli({"error110", "--cyls110", "10", "--heads110", "16", "--sects110",
                                 "2", "--ucsectors", "0", "--endbegin=208"});
    EXPECT_EQ(error110.status, 0);
    EXPECT_EQ(error110.out.rfind(" The size in Mb's is : 0.15625\n The offset in cylinders is : "
                                 "6.5\n\nThe risk of dataloss is higher",
                                 0),
              0u);

    const CliRun info = cli({"bogus113-info"});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out.rfind("The bogus error 113 is caused when", 0), 0u);
    EXPECT_NE(info.out.find("boot record.\n\nDue to the nature"), std::string::npos);
    EXPECT_EQ(info.out.substr(info.out.size() - 17), "some free space.\n");

    // A page's command takes its own page's fields only.
    for (const auto& [args, option] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"bogus113-info", "--root", "1"}, "--root"},
             {{"error108", "--cyls110", "1"}, "--cyls110"}}) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "quorvane-cli: unknown option '" + option + "'\n\n" +
                               cli({args.front(), "--help"}).out);
    }
}

}  // namespace
