// quorvane-cli's entry check and batch file: stdout, stderr, exit status
// and the bytes of the file written.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "clirun.h"

namespace {

using quorvane::test::cli;
using quorvane::test::CliCase;
using quorvane::test::CliRun;
using quorvane::test::slurp;

const std::vector<std::string> kEntry = {"--geometry", "1024/255/63", "--begin", "0/1/1",
                                         "--end",      "1022/254/63", "--lbastrt", "63",
                                         "--lbaend",   "16434432",    "--drive",   "1",
                                         "--prtno",    "1",           "--filesys", "06"};
const std::string kEntryLine =
    "--geometry 1024/255/63 --begin 0/1/1 --end 1022/254/63 --lbastrt 63 --lbaend 16434432 "
    "--drive 1 --prtno 1 --filesys 06";

std::vector<std::string> with(std::vector<std::string> args, std::vector<std::string> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

const std::string kStatistics =
    "*check#104 checked o.k.\n\n*check#107 checked o.k.\n\n*check#108 checked o.k.\n\n"
    "*check#109 checked o.k.\n\nTotal sectors HDD: 16450560\nTotal drive size in Mb: 8032\n\n"
    "Partition size: 8024 Mb\nOne cylinder is 16065 sectors.\n";

const std::string kConsistent =
    "*Startsector consistency check: \ncalculated startsector: 63\nentered startsector: "
    "63\n*check#116 checked o.k.\n\n*Number of sectors consistency check: \ncalculated: "
    "16434432\nentered: 16434432\n*check#110 checked o.k.\n\n" +
    kStatistics;

class CliCheckTest : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliCheckTest, ReportFieldsAndExitStatus) { quorvane::test::expectRun(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Entries, CliCheckTest,
    ::testing::Values(
        CliCase{"Consistent",
                with(with({"check"}, kEntry), {"--active", "--fields"}),
                kConsistent +
                    "One cylinder is 7.84423828125 Mb.\nprtsct=0\nrelcyl=0\ncheckstate=2\n"
                    "editline=editpart 1 0 1 * 06 0 1 1 1022 254 63 0 1024 255 63 26\n",
                "", 0},
        CliCase{"ErrorsFound",
                with(with({"check", "--decimal-comma"}, kEntry), {"--lbaend", "16434332"}),
                "*Startsector consistency check: \ncalculated startsector: 63\nentered "
                "startsector: 63\n*check#116 checked o.k.\n\n*Number of sectors consistency "
                "check: \ncalculated: 16434432\nentered: 16434332\n*check#110 is inconsistent! "
                "(error!);\noffset in cyl: 0,00622471210706505\n\n" +
                    kStatistics + "One cylinder is 7,84423828125 Mb.\n",
                "", 3},
        CliCase{"MissingInput", with(with({"check"}, kEntry), {"--dgheads", "", "--fields"}), "",
                "ID10T detected: Fill out required fields !\n", 1},
        CliCase{"ItemNotFitForABatch",
                with(with({"check"}, kEntry), {"--filesys", "06 & del c:\\*.*", "--fields"}),
                kConsistent +
                    "One cylinder is 7.84423828125 Mb.\n\n*batch: the value of FS cannot be "
                    "written to a batch file\nprtsct=0\nrelcyl=0\ncheckstate=3\neditline=\n",
                "quorvane-cli: check refused: *batch: the value of FS cannot be written to a "
                "batch file\n",
                1}),
    quorvane::test::caseName);

// A file name of this test process alone: other checkouts may run the
// same tests at the same time.
std::string uniquePath(const std::string& name) {
    return ::testing::TempDir() + std::to_string(getpid()) + "_" + name;
}

// Today's date in `format`: a strftime format, or a Windows date picture
// of d, dd, M, MM and yyyy with literal separators.
std::string today(const std::string& format) {
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    if (format.starts_with('%')) {
        char text[64];
        return std::string(text, std::strftime(text, sizeof text, format.c_str(), &local));
    }
    std::string text;
    for (std::size_t i = 0; i < format.size();) {
        const std::size_t run = std::min(format.find_first_not_of(format[i], i), format.size()) - i;
        const auto number = [&](int value, std::size_t width) {
            const std::string digits = std::to_string(value);
            text += std::string(digits.size() < width ? width - digits.size() : 0, '0') + digits;
        };
        if (format[i] == 'd') number(local.tm_mday, run);
        else if (format[i] == 'M') number(local.tm_mon + 1, run);
        else if (format[i] == 'y') number(local.tm_year + 1900, run);
        else text.append(run, format[i]);
        i += run;
    }
    return text;
}

std::string trailer(const std::string& date) {
    const std::string stars = "echo " + std::string(58, '*') + " \r\n";
    return "@echo off\r\necho. \r\necho.\r\necho Batchfile generated by Quorvane 1.02 at: " +
           date + "\r\necho. \r\n" + stars +
           "echo.\r\necho Command lines worked out by Quorvane 1.02, the partition table "
           "calculator.\r\necho Partition table entries written by Editpart 2.6.\r\necho.\r\n" +
           stars + "echo. \r\necho      End of procedure, now reboot your computer.         "
                   "\r\necho. \r\n@echo off\r\n";
}

// The batch's bytes, in files of any name, with the date in the user's
// short format: on Windows the one the user's regional settings give,
// elsewhere the C locale's.
TEST(CliBatch, WritesEveryAcceptedEntryAndTheTrailer) {
    struct Case {
        std::string env;
        std::string dateFormat;
        std::string file;
    };
#ifdef _WIN32
    if (!quorvane::test::underWine())
        GTEST_SKIP() << "changes the user's regional settings, which only wine's prefix allows";
    // Wine takes the user's locale from LANG when it starts, not from a
    // child's environment: scripts/test-windows runs this test in English
    // and again in German, and names the locale it chose.
    std::array<wchar_t, LOCALE_NAME_MAX_LENGTH> name{};
    GetUserDefaultLocaleName(name.data(), static_cast<int>(name.size()));
    const std::string locale = quorvane::test::utf8Text(name.data());
    if (const char* chosen = std::getenv("QUORVANE_TEST_LOCALE")) {
        ASSERT_EQ(locale, chosen);
    }
    // A short date format of the user's own, after the locale's custom.
    const std::string format = locale == "de-DE" ? "dd.MM.yyyy" : "M/d/yyyy";
    const Case cases[] = {
        {"", format, "quorvane_cli_batch.bat"},
        {"", format, "\xc3\x9c""bung \xc3\xa4.bat"},
    };
#else
    const Case cases[] = {
        {"LC_ALL=C", "%x", "quorvane_cli_batch.bat"},
        {"LC_ALL=C", "%x", "\xc3\x9c""bung \xc3\xa4.bat"},
    };
#endif
    const std::string lines = "editpart 1 0 1 - 06 0 1 1 1022 254 63 0 1024 255 63 26\r\n"
                              "editpart 1 0 2 * 06 0 1 1 1022 254 63 5 1024 255 63 26\r\n";
    for (const Case& c : cases) {
#ifdef _WIN32
        const CliRun set = quorvane::test::runProgram(
            "reg",
            {"add", "HKCU\\Control Panel\\International", "/v", "sShortDate", "/d",
             c.dateFormat, "/f"},
            c.env);
        ASSERT_EQ(set.status, 0) << set.err;
#endif
        const std::string path = uniquePath(c.file);
        const std::string before = today(c.dateFormat);
        const CliRun run = cli({"batch", "--output", path}, c.env,
                               kEntryLine + "\n\n" + kEntryLine +
                                   " --prtno 2 --relcyl '5' --lbaend 1 --ipe --active\r\n");
        const std::string after = today(c.dateFormat);
        EXPECT_EQ(run.out, "") << c.file;
        EXPECT_EQ(run.err, "") << c.file;
        EXPECT_EQ(run.status, 0) << c.file;
        const std::filesystem::path file(std::u8string(path.begin(), path.end()));
        const std::string written = slurp(file);
        EXPECT_TRUE(written == lines + trailer(before) || written == lines + trailer(after))
            << c.env << " " << c.dateFormat << "\n" << written;
        std::filesystem::remove(file);
    }
}

TEST(CliBatch, RefusedEntryOrUnwritableFileWritesNothing) {
    struct Case {
        const char* name;
        std::string input;
        std::string output;
        std::string err;
        int status;
        std::string env = "LC_ALL=C";
    };
    const std::string path = uniquePath("quorvane_cli_refused.bat");
    const std::string missing = ::testing::TempDir() + "no such directory/quorvane.bat";
    const Case cases[] = {
        {"errors without IPE", kEntryLine + "\n" + kEntryLine + " --lbaend 1\n", path,
         "quorvane-cli: entry on line 2 refused: Routine abortion sequence complete: Cannot "
         "continue because current values will result in partition table error(s) !\n",
         1},
        {"drive empty", kEntryLine + " --drive ''\n", path,
         "quorvane-cli: entry on line 1 refused: Aabortion sequence complete: Parameters "
         "incomplete or not verified, make sure all fields have a value and a check was "
         "performed! \n",
         1},
        {"item not fit for a batch", kEntryLine + " --relcyl 1.5\n", path,
         "quorvane-cli: entry on line 1 refused: *batch: the value of Relcyl cannot be written "
         "to a batch file\n",
         1},
        {"check stopped", kEntryLine + " --dgheads 0 --ipe\n", path,
         "quorvane-cli: entry on line 1 refused: the check stopped: division by zero\n", 1},
        {"missing input", kEntryLine + " --dgsects \"\"\n", path,
         "quorvane-cli: entry on line 1 refused: ID10T detected: Fill out required fields !\n",
         1},
        {"unknown option", "--bogus 1\n", path,
         "quorvane-cli: entry on line 1: unknown option '--bogus'\n", 1},
        {"no entries", "\n", path,
         "quorvane-cli: no entries on standard input, no batch written\n", 1},
        {"unwritable directory", kEntryLine + "\n", missing,
         "quorvane-cli: cannot write '" + missing + "': No such file or directory\n", 1},
    };
    for (const Case& c : cases) {
        const CliRun run = cli({"batch", "--output", c.output}, c.env, c.input);
        EXPECT_EQ(run.err, c.err) << c.name;
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_FALSE(std::ifstream(c.output).good()) << c.name;
    }
    EXPECT_EQ(cli({"batch"}, "LC_ALL=C", kEntryLine).status, 2);
}

// A file that fails part-way is removed, not left without its last lines.
TEST(CliBatch, FileThatCannotGrowIsRemoved) {
#ifdef _WIN32
    GTEST_SKIP() << "limits the size of files through a POSIX shell's ulimit";
#else
    const std::string path = uniquePath("quorvane_cli_full.bat");
    // A shell whose files cannot grow beyond one kilobyte: thirty entries
    // fail part-way, while the few bytes of stderr still get through.
    const std::string oneKilobyteFiles =
        "LC_ALL=C sh -c 'trap \"\" XFSZ; ulimit -f 1; exec \"$0\" \"$@\"'";
    std::string thirtyEntries;
    for (int i = 0; i < 30; ++i) thirtyEntries += kEntryLine + "\n";
    const CliRun run = cli({"batch", "--output", path}, oneKilobyteFiles, thirtyEntries);
    EXPECT_EQ(run.err, "quorvane-cli: cannot write '" + path + "': File too large\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::ifstream(path).good());
#endif
}

}  // namespace
