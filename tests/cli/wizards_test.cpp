// quorvane-cli's wizard commands: stdout, stderr and exit status.
#include <string>
#include <vector>

#include "clirun.h"
#include "wizardtexts.h"

namespace {

using namespace quorvane::test;
using Case = CliCase;

class WizardCliTest : public ::testing::TestWithParam<Case> {};

TEST_P(WizardCliTest, PrintsReportAndMessages) { expectRun(GetParam()); }

// A report as printed without --crlf: line feeds, and one at the end.
std::string printed(const std::string& report) { return replaced(report, "\r\n", "\n") + "\n"; }

const std::string kRequired = "ID10T detected: Fill out required fields !\n";
const std::string kExampleFields =
    "rootstart=251392\nrootend=267775\nrootspan=16383\nclustsects=64\n";

// F5/200/40; reserved sectors and number of FATs left at their presets, 1 and 2.
std::vector<std::string> dynroot(std::vector<std::string> more) {
    std::vector<std::string> args = {"dynroot", "--sectcluster", "40", "--direntries", "200",
                                     "--sectfat", "f5"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WizardCliTest,
    ::testing::Values(
        Case{"Hex", {"hex", "0200"}, "512\n", "", 0},
        Case{"HexCut",
             {"hex", "1000000000000"},
             "17592186044416\n",
             "VELK: The HEX conversion routine can handle only up to 48 bits 1000000000000 "
             "100000000000\n",
             1},
        Case{"HexRefused",
             {"hex", "1O"},
             "",
             "ID10T detected: Type the value exactly as Patch shows it: the digits 0 to 9 and the "
             "letters A to F only !\n",
             1},
        Case{"DynRootStart", {"dynroot-start", "--crlf"}, kStartText, "", 0},
        Case{"DynRootFields", dynroot({"--fields"}), printed(kRootText) + kExampleFields, "", 0},
        // The values follow the exact report on a line of their own.
        Case{"DynRootCopyCrLfFields",
             dynroot({"--dynrootstart", "1a2b", "--crlf", "--fields"}),
             kCopyText + "\r\n" + kExampleFields,
             "",
             0},
        // mkfs.fat's FAT16 on 100 MiB reserves 4 sectors.
        Case{"DynRootReservedSectors",
             {"dynroot", "--sectcluster", "4", "--rsvdsects", "4", "--numfats", "2",
              "--direntries", "200", "--sectfat", "C8", "--dynrootstart", "3", "--crlf"},
             copyText("225280", "241664", "206848"),
             "",
             0},
        Case{"DynRootStartCluster1",
             dynroot({"--dynrootstart", "1", "--fields"}),
             printed(kRootText),
             "ID10T detected: The start cluster of DYN_ROOT must be a hexadecimal number from 2 to "
             "FFF6 !\n",
             1},
        Case{"DynRootEmpty", {"dynroot"}, "", kRequired, 1},
        Case{"Ntfs",
             {"ntfs-bbs", "--ntfsstartsector", "63", "--ntfsnumbersectors", "4096512", "--crlf"},
             kNtfsText,
             "",
             0},
        Case{"NtfsEmptyCount", {"ntfs-bbs", "--ntfsstartsector", "63"}, "", kRequired, 1},
        Case{"NtfsInfo", {"ntfs-bbs-info"}, printed(kNtfsInfo), "", 0},
        Case{"Fat32",
             {"fat32-bbs", "--decimal-comma", "--startsct", "63 sectors", "--crlf"},
             kFat32Text,
             "",
             0},
        Case{"Fat32Negative",
             {"fat32-bbs", "--startsct", "-63"},
             "",
             "ID10T detected: Start Sector must be a whole number from 0 to 4294967295, without "
             "separators !\n",
             1},
        Case{"Fat32Info", {"fat32-bbs-info"}, printed(kFat32Info), "", 0}),
    caseName);

}  // namespace
