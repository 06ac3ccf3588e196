// quorvane-cli's wizard commands: stdout, stderr and exit status.
#include <string>
#include <vector>

#include "clirun.h"

namespace {

using quorvane::test::cli;
using quorvane::test::CliRun;

struct Case {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> out;  // pieces stdout holds, in this order
    std::string err;
    int status;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class WizardCliTest : public ::testing::TestWithParam<Case> {};

TEST_P(WizardCliTest, PrintsReportAndMessages) {
    const Case& c = GetParam();
    const CliRun run = cli(c.args);
    std::size_t at = 0;
    for (const std::string& piece : c.out) {
        at = run.out.find(piece, at);
        ASSERT_NE(at, std::string::npos) << piece << "\nin:\n" << run.out;
    }
    if (c.out.empty()) {
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.status, c.status);
}

const std::string kRequired = "ID10T detected: Fill out required fields !\n";
const std::vector<std::string> kBootValues = {"--sectcluster", "40", "--rsvdsects",  "1",
                                              "--numfats",     "2",  "--direntries", "200",
                                              "--sectfat",     "f5"};

std::vector<std::string> dynroot(std::vector<std::string> more) {
    std::vector<std::string> args = {"dynroot"};
    args.insert(args.end(), kBootValues.begin(), kBootValues.end());
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WizardCliTest,
    ::testing::Values(
        Case{"Hex", {"hex", "0200"}, {"512\n"}, "", 0},
        Case{"HexCut",
             {"hex", "1000000000000"},
             {"17592186044416\n"},
             "VELK: The HEX conversion routine can handle only up to 48 bits 1000000000000 "
             "100000000000\n",
             1},
        Case{"HexRefused",
             {"hex", "1O"},
             {},
             "ID10T detected: Type the value exactly as Patch shows it: the digits 0 to 9 and the "
             "letters A to F only !\n",
             1},
        Case{"DynRootStart",
             {"dynroot-start"},
             {"For this procedure, you will need Patch.exe",
              "\n\n" + std::string(114, '-') + "\n\n", "click 'calculate root' (3).\n"},
             "",
             0},
        Case{"DynRootFields",
             dynroot({"--fields"}),
             {"dialog box and enter: 251392\n\n",
              "'Calculate' (5). \nrootstart=251392\n"
              "rootend=267775\nrootspan=16383\nclustsects=64\n"},
             "",
             0},
        Case{
            "DynRootCopy",
            dynroot({"--dynrootstart", "1a2b", "--crlf"}),
            {"Press 'F2' and enter: 219715072 for 'Byte position'.\r\n\r\n", "enter: 219715072\r\n",
             "enter: 219731456\r\n", "enter: 251392 for the 'Byte position'."},
            "",
            0},
        Case{"DynRootStartCluster1",
             dynroot({"--dynrootstart", "1", "--fields"}),
             {"enter: 251392\n"},
             "ID10T detected: The start cluster of DYN_ROOT must be a hexadecimal number from 2 to "
             "FFF6 !\n",
             1},
        Case{"DynRootEmpty", {"dynroot"}, {}, kRequired, 1},
        Case{"Ntfs",
             {"ntfs-bbs", "--ntfsstartsector", "63", "--ntfsnumbersectors", "4096512"},
             {"enter the number: 2097445888\n\n", "enter the number: 2097446400\n\n",
              "enter: 32256 for the byte address"},
             "",
             0},
        Case{"NtfsEmptyCount", {"ntfs-bbs", "--ntfsstartsector", "63"}, {}, kRequired, 1},
        Case{"NtfsInfo",
             {"ntfs-bbs-info"},
             {"Based upon information", "'calculate' button.\n"},
             "",
             0},
        Case{"Fat32",
             {"fat32-bbs", "--decimal-comma", "--startsct", "63 sectors"},
             {"enter the number: 35328\n\n", "enter the number: 35840\n\n", "enter: 32256\n\n"},
             "",
             0},
        Case{"Fat32Negative",
             {"fat32-bbs", "--startsct", "-63"},
             {},
             "ID10T detected: Start Sector must be a whole number from 0 to 4294967295, without "
             "separators !\n",
             1},
        Case{"Fat32Info",
             {"fat32-bbs-info"},
             {"This wizard will help you", "click 'calculate'.\n"},
             "",
             0}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
