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

// A command line at the limit of what one of its values can be, and all the
// program says on stderr: one line that names the operation and why it
// stopped, or the message boxes the window shows. `input` is batch's.
struct Stop {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string err;
    std::string input = {};
};

void PrintTo(const Stop& stop, std::ostream* out) { *out << stop.name; }

class EveryStopSaysWhy : public ::testing::TestWithParam<Stop> {};

TEST_P(EveryStopSaysWhy, OnStderr) {
    const Stop& stop = GetParam();
    const CliRun run = cli(stop.args, "LC_ALL=C", stop.input);
    EXPECT_EQ(run.err, stop.err);
    EXPECT_EQ(run.status, stop.status);
}

const std::vector<std::string> kCheck = {"check",     "--geometry", "1024/255/63", "--begin",
                                         "0/1/1",     "--end",      "1022/254/63", "--lbastrt",
                                         "63",        "--lbaend",   "16434432"};
const std::string kEntryLine =
    "--geometry 1024/255/63 --begin 0/1/1 --end 1022/254/63 --lbastrt 63 --lbaend 16434432 "
    "--drive 1 --prtno 1 --filesys 06";
// Refused entries write nothing, so the file's directory need not exist.
const std::vector<std::string> kBatch = {"batch", "--output", "no such directory/quorvane.bat"};

std::vector<std::string> plus(std::vector<std::string> args, std::vector<std::string> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string stoppedBy(const std::string& command, const std::string& reason) {
    return "quorvane-cli: " + command + " stopped: " + reason +
           "; the window shows no message here\n";
}

const std::string kRequired = "ID10T detected: Fill out required fields !\n";

INSTANTIATE_TEST_SUITE_P(
    CliLimits, EveryStopSaysWhy,
    ::testing::Values(
        Stop{"BeginChsBeyondDoubles",
             {"bchs2blba", "--geometry", "1024/255/63", "--begin", "1E+306/1/1"}, 1,
             stoppedBy("bchs2blba", "overflow")},
        // Head 256 does not fit the byte the window stores it in.
        Stop{"StartToChsHeadBeyondAByte",
             {"blba2bchs", "--geometry", "1024/257/63", "--lbastrt", "16128"}, 1,
             stoppedBy("blba2bchs", "overflow")},
        Stop{"ChsToLbaCommaInPointFormat",
             {"chs2lba", "--geometry", "1024/255/63", "--begin", "2147483648,5/1/1", "--end",
              "1022/254/63"},
             1, "ID10T: Fill out required fields !\n"},
        // The table's sector lies inside a cylinder.
        Stop{"CheckPartSectNotFitForABatch", plus(kCheck, {"--prtsct", "99999999999"}), 1,
             "quorvane-cli: check refused: *batch: the value of PartSect cannot be written to "
             "a batch file\n"},
        // The check also finds errors (#116), but no entry of it can be batched.
        Stop{"CheckNegativeCylinder", plus(kCheck, {"--decimal-comma", "--cyls", "-1"}), 1,
             "quorvane-cli: check refused: *batch: the value of Cyl (CHS begin values) cannot "
             "be written to a batch file\n"},
        Stop{"CheckDriveBeyondDoubles", plus(kCheck, {"--dgcyls", "1E+308"}), 1,
             stoppedBy("check", "overflow")},
        Stop{"CheckPointInCommaFormat", plus(kCheck, {"--decimal-comma", "--lbaend", "1.5"}), 1,
             kRequired},
        Stop{"Error110NoHeads",
             {"error110", "--cyls110", "1", "--heads110", "0", "--sects110", "63", "--endbegin",
              "1"},
             1, stoppedBy("error110", "division by zero")},
        // An offset beyond the single-precision range is the overflow the
        // page asks the fields again for.
        Stop{"Error110OffsetBeyondSingles",
             {"error110", "--cyls110", "1", "--heads110", "255", "--sects110", "63",
              "--endbegin", "1E+300"},
             1, kRequired},
        Stop{"Error108DigitsBeyondDoubles",
             {"error108", "--hds108", "255", "--scts108", "63", "--nums108",
              std::string(400, '9')},
             1, kRequired},
        Stop{"Bogus113CommaInPointFormat",
             {"bogus113", "--sectclus", "64", "--root", "512", "--sectsfat", "256", "--bigtotal",
              "4194945", "--numbersect", "4194882,5"},
             1, kRequired},
        Stop{"HexNegative", {"hex", "-1"}, 1,
             "ID10T detected: Type the value exactly as Patch shows it: the digits 0 to 9 and "
             "the letters A to F only !\n"},
        Stop{"DynRootFatsBeyondAByte",
             {"dynroot", "--sectcluster", "40", "--direntries", "200", "--sectfat", "f5",
              "--numfats", "100"},
             1, "ID10T detected: Number of FATs must be a hexadecimal number from 1 to FF !\n"},
        Stop{"NtfsCountBeyond32Bits",
             {"ntfs-bbs", "--ntfsstartsector", "63", "--ntfsnumbersectors", "4294967296"}, 1,
             "ID10T detected: Number of Sects must be a whole number from 1 to 4294967295, "
             "without separators !\n"},
        Stop{"Fat32FractionInCommaFormat",
             {"fat32-bbs", "--decimal-comma", "--startsct", "1,5"}, 1,
             "ID10T detected: Start Sector must be a whole number from 0 to 4294967295, without "
             "separators !\n"},
        Stop{"DiviZediBeyondDoubles", {"divizedi", "1", "0", "^", "4", "0", "0", "="}, 1,
             "Whoops!: OVERFLOW, abort calculation!\n"},
        Stop{"BatchPartSectNotFitForABatch", kBatch, 1,
             "quorvane-cli: entry on line 1 refused: *batch: the value of PartSect cannot be "
             "written to a batch file\n",
             kEntryLine + " --prtsct 99999999999\n"},
        Stop{"BatchDriveBeyondDoubles", kBatch, 1,
             "quorvane-cli: entry on line 2 refused: the check stopped: overflow\n",
             kEntryLine + "\n" + kEntryLine + " --dgcyls 1E+308 --ipe\n"}),
    [](const ::testing::TestParamInfo<Stop>& info) { return std::string(info.param.name); });

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

TEST(Cli, UsageErrorsSayWhatIsWrongThenTheUsage) {
    const std::string usage = cli({"--help"}).out;
    const std::string commandUsage = cli({"bchs2blba", "--help"}).out;
    const struct {
        std::vector<std::string> args;
        std::string problem;
        const std::string& help;  // the program's usage or the command's
    } wrong[] = {
        {{}, "no command given", usage},
        {{"frobnicate"}, "unknown command 'frobnicate'", usage},
        {{"bchs2blba", "--nosuchfield", "1"}, "unknown option '--nosuchfield'", commandUsage},
        {{"bchs2blba", "--geometry", "1024/255"}, "--geometry takes C/H/S, three parts",
         commandUsage},
        {{"bchs2blba", "--cyls"}, "--cyls needs a value", commandUsage},
        {{"bchs2blba", "extra"}, "unexpected argument 'extra'", commandUsage},
        {{"bchs2blba", "--fields=yes"}, "--fields takes no value", commandUsage},
    };
    for (const auto& c : wrong) {
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(c.args);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "quorvane-cli: " + c.problem + "\n\n" + c.help);
    }
    const CliRun intro = cli({"intro", "--cyls", "1"});
    EXPECT_EQ(intro.status, 2);
    EXPECT_EQ(intro.err.substr(0, intro.err.find('\n')), "quorvane-cli: unknown option '--cyls'");
    const CliRun help = cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("bchs2blba"), std::string::npos);
}

}  // namespace
