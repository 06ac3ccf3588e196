// "Check" on the "Geometry" page: whole reports, verdicts and Editpart lines
// of consistent and faulty entries, with a decimal point and a comma.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "core/app/shell.h"
#include "printers.h"
#include "core/workbench/entrycheck.h"

namespace quorvane::core {
namespace {

// Drive 1024/255/63, CHS 0/1/1 to 1022/254/63: a consistent active first
// partition of type 06 on drive 1.
GeometryFields consistentEntry() {
    GeometryFields f;
    f.dgcyls = "1024", f.dgheads = "255", f.dgsects = "63";
    f.cyls = "0", f.heads = "1", f.sects = "1";
    f.ecyls = "1022", f.eheads = "254", f.esects = "63";
    f.lbastrt = "63", f.LBAend = "16434432";
    f.drive = "1", f.prtno = "1", f.filesys = "06";
    f.Optact = true;
    return f;
}

const std::string kConsistentReport =
    "*Startsector consistency check: \r\n"
    "calculated startsector: 63\r\n"
    "entered startsector: 63\r\n"
    "*check#116 checked o.k.\r\n"
    "\r\n"
    "*Number of sectors consistency check: \r\n"
    "calculated: 16434432\r\n"
    "entered: 16434432\r\n"
    "*check#110 checked o.k.\r\n"
    "\r\n"
    "*check#104 checked o.k.\r\n"
    "\r\n"
    "*check#107 checked o.k.\r\n"
    "\r\n"
    "*check#108 checked o.k.\r\n"
    "\r\n"
    "*check#109 checked o.k.\r\n"
    "\r\n"
    "Total sectors HDD: 16450560\r\n"
    "Total drive size in Mb: 8032\r\n"
    "\r\n"
    "Partition size: 8024 Mb\r\n"
    "One cylinder is 16065 sectors.\r\n"
    "One cylinder is 7.84423828125 Mb.";

const std::string kConsistentLine = "editpart 1 0 1 * 06 0 1 1 1022 254 63 0 1024 255 63 26";

// The consistent report with whole lines (or runs of lines) replaced.
std::string consistentReportWith(
    std::initializer_list<std::pair<std::string, std::string>> changes) {
    std::string text = kConsistentReport;
    for (const auto& [from, to] : changes) {
        const std::size_t at = text.find(from);
        if (at == std::string::npos) ADD_FAILURE() << "no line " << from;
        else text.replace(at, from.size(), to);
    }
    return text;
}

std::string batchRefusal(std::string_view field) {
    return kConsistentReport + "\r\n\r\n*batch: the value of " + std::string(field) +
           " cannot be written to a batch file";
}

struct Case {
    const char* name;
    NumberFormat format;
    std::function<void(GeometryFields&)> change;  // applied to the consistent entry
    std::string report;
    CheckVerdict verdict;
    std::string editline;
    std::string prtsct = "0";
    std::string relcyl = "0";
    int failure = 0;  // 13 also shows "Fill out required fields !"
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class EntryCheckTest : public ::testing::TestWithParam<Case> {};

TEST_P(EntryCheckTest, ReportVerdictAndEditpartLine) {
    const Case& c = GetParam();
    Workspace w;
    w.geometry = consistentEntry();
    c.change(w.geometry);
    w.report = "previous";
    w.check.editline = "stale line of an earlier check";
    const Outcome outcome = checkGeometryEntry(w, c.format);

    EXPECT_EQ(w.report, c.report);
    EXPECT_EQ(w.check.verdict, c.verdict);
    EXPECT_EQ(w.check.editline, c.editline);
    EXPECT_EQ(w.geometry.prtsct, c.prtsct);
    EXPECT_EQ(w.geometry.relcyl, c.relcyl);
    EXPECT_EQ(outcome.failure, c.failure);
    const std::vector<Message> messages =
        c.failure == kTypeMismatch
            ? std::vector<Message>{{"Fill out required fields !", "ID10T detected",
                                    Icon::Exclamation, Buttons::Ok}}
            : std::vector<Message>{};
    EXPECT_EQ(outcome.messages, messages);
}

const auto kNoChange = [](GeometryFields&) {};
constexpr CheckVerdict kErrors = CheckVerdict::Errors;
constexpr CheckVerdict kAccepted = CheckVerdict::Accepted;
constexpr CheckVerdict kReset = CheckVerdict::Reset;

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryCheckTest,
    ::testing::Values(
        Case{"Consistent", NumberFormat::point(), kNoChange, kConsistentReport, kAccepted,
             kConsistentLine},
        Case{"ConsistentDecimalComma", NumberFormat::comma(), kNoChange,
             consistentReportWith({{"7.84423828125", "7,84423828125"}}), kAccepted, kConsistentLine},
        Case{"SectorCountOneCylinderTooMany", NumberFormat::point(),
             [](GeometryFields& f) { f.LBAend = "16450497"; },
             consistentReportWith({{"entered: 16434432\r\n*check#110 checked o.k.",
                                    "entered: 16450497\r\n*check#110 is inconsistent! "
                                    "(error!);\r\noffset in cyl: -1"}}),
             kErrors, kConsistentLine},
        Case{"FractionalOffsetDecimalComma", NumberFormat::comma(),
             [](GeometryFields& f) { f.LBAend = "16434332"; },
             consistentReportWith({{"entered: 16434432\r\n*check#110 checked o.k.",
                                    "entered: 16434332\r\n*check#110 is inconsistent! "
                                    "(error!);\r\noffset in cyl: 0,00622471210706505"},
                                   {"7.84423828125", "7,84423828125"}}),
             kErrors, kConsistentLine},
        // All three sub-checks of #108 fail; the line names the last.
        Case{"EndOffEveryBoundary", NumberFormat::point(),
             [](GeometryFields& f) { f.eheads = "253", f.esects = "62"; },
             consistentReportWith(
                 {{"calculated: 16434432\r\nentered: 16434432\r\n*check#110 checked o.k.",
                   "calculated: 16434368\r\nentered: 16434432\r\n*check#110 is inconsistent! "
                   "(error!);\r\noffset in cyl: -0.00398381574852163"},
                  {"*check#108 checked o.k.",
                   "*check#108 error! (3) LBAend Mod (dgheads * dgsects) > 0"}}),
             kErrors, "editpart 1 0 1 * 06 0 1 1 1022 253 62 0 1024 255 63 26"},
        Case{"EndSectorWithLeadingZeroIsTheSameNumber", NumberFormat::point(),
             [](GeometryFields& f) { f.esects = "063"; }, kConsistentReport, kAccepted,
             "editpart 1 0 1 * 06 0 1 1 1022 254 063 0 1024 255 63 26"},
        Case{"EndBeforeBegin", NumberFormat::point(),
             [](GeometryFields& f) {
                 f.cyls = "1022", f.heads = "254", f.sects = "63";
                 f.ecyls = "0", f.eheads = "1", f.esects = "1";
             },
             consistentReportWith(
                 {{"calculated startsector: 63\r\nentered startsector: 63\r\n*check#116 checked "
                   "o.k.",
                   "calculated startsector: 16434494\r\nentered startsector: 63\r\n*check#116 "
                   "is inconsistent! (error)"},
                  {"calculated: 16434432\r\nentered: 16434432\r\n*check#110 checked o.k.",
                   "calculated: -16434430\r\nentered: 16434432\r\n*check#110 is inconsistent! "
                   "(error!);\r\noffset in cyl: -2045.9920323685"},
                  {"*check#104 checked o.k.",
                   "*check#104 partition ends before it starts! (error)"},
                  {"*check#108 checked o.k.",
                   "*check#108 error! (3) LBAend Mod (dgheads * dgsects) > 0"},
                  {"Partition size: 8024 Mb", "Partition size: -8025 Mb"}}),
             kErrors, "editpart 1 0 1 * 06 1022 254 63 0 1 1 0 1024 255 63 26"},
        Case{"ZeroSectors", NumberFormat::point(),
             [](GeometryFields& f) { f.ecyls = "0", f.eheads = "0"; },
             consistentReportWith(
                 {{"calculated: 16434432\r\nentered: 16434432\r\n*check#110 checked o.k.",
                   "calculated: 0\r\nentered: 16434432\r\n*check#110 is inconsistent! "
                   "(error!);\r\noffset in cyl: -1022.99607843137"},
                  {"*check#104 checked o.k.", "*check#104 partition has zero sectors! (error)"},
                  {"*check#108 checked o.k.",
                   "*check#108 error! (3) LBAend Mod (dgheads * dgsects) > 0"},
                  {"Partition size: 8024 Mb", "Partition size: 0 Mb"}}),
             kErrors, "editpart 1 0 1 * 06 0 1 1 0 0 63 0 1024 255 63 26"},
        Case{"EndBeyondTheDrive", NumberFormat::point(),
             [](GeometryFields& f) { f.ecyls = "1024", f.LBAend = "16466562"; },
             consistentReportWith(
                 {{"16434432\r\nentered: 16434432", "16466562\r\nentered: 16466562"},
                  {"*check#109 checked o.k.", "*check#109 error! ends after end of disk"},
                  {"Partition size: 8024 Mb", "Partition size: 8040 Mb"}}),
             kErrors, "editpart 1 0 1 * 06 0 1 1 1024 254 63 0 1024 255 63 26"},
        Case{"StartAtTheDrivesTotal", NumberFormat::point(),
             [](GeometryFields& f) { f.lbastrt = "16450560"; },
             consistentReportWith(
                 {{"entered startsector: 63\r\n*check#116 checked o.k.",
                   "entered startsector: 16450560\r\n*check#116 is inconsistent! (error)"},
                  {"*check#107 checked o.k.",
                   "*check#107 partition starts after end of disk! (error)"}}),
             kErrors, kConsistentLine},
        Case{"PartitionTableOneCylinderIn", NumberFormat::point(),
             [](GeometryFields& f) { f.prtsct = "16065", f.relcyl = " 2", f.Optact = false; },
             kConsistentReport, kAccepted, "editpart 1 1 1 - 06 0 1 1 1022 254 63 2 1024 255 63 26",
             "16065", " 2"},
        // A table inside a cylinder names no cylinder, whatever the decimal
        // separator: its quotient is never cut to a whole one.
        Case{"PartitionTableMidCylinderDecimalComma", NumberFormat::comma(),
             [](GeometryFields& f) { f.prtsct = "8032"; },
             consistentReportWith({{"7.84423828125", "7,84423828125"}}) +
                 "\r\n\r\n*batch: the value of PartSect cannot be written to a batch file",
             kReset, "", "8032"},
        Case{"PartitionTableMidCylinderDecimalPoint", NumberFormat::point(),
             [](GeometryFields& f) { f.prtsct = "8032"; }, batchRefusal("PartSect"), kReset, "",
             "8032"},
        Case{"EmptyChoicesStayEmptyItems", NumberFormat::point(),
             [](GeometryFields& f) { f.drive = f.prtno = f.filesys = ""; }, kConsistentReport, kAccepted,
             "editpart  0  *  0 1 1 1022 254 63 0 1024 255 63 26"},
        Case{"CommandInTypeCode", NumberFormat::point(),
             [](GeometryFields& f) { f.filesys = "06 & del c:\\*.*"; }, batchRefusal("FS"), kReset,
             ""},
        Case{"GroupedNumber", NumberFormat::point(),
             [](GeometryFields& f) { f.dgcyls = "1,024"; },
             batchRefusal("Cyl (Drive Geometry)"), kReset, ""},
        Case{"MissingHeads", NumberFormat::point(), [](GeometryFields& f) { f.dgheads = ""; },
             "", kReset, "", "", "", kTypeMismatch},
        Case{"ZeroHeadsStopsSilently", NumberFormat::point(),
             [](GeometryFields& f) { f.dgheads = "0"; }, "", kReset, "", "", "", kDivisionByZero},
        // Past 1 TiB: the cylinder boundary is checked beyond 32 bits.
        Case{"EndBeyond32Bits", NumberFormat::point(),
             [](GeometryFields& f) {
                 f.dgcyls = "300000", f.ecyls = "200000", f.LBAend = "3213016002";
             },
             consistentReportWith(
                 {{"16434432\r\nentered: 16434432", "3213016002\r\nentered: 3213016002"},
                  {"HDD: 16450560\r\nTotal drive size in Mb: 8032",
                   "HDD: 4819500000\r\nTotal drive size in Mb: 2353271"},
                  {"Partition size: 8024 Mb", "Partition size: 1568855 Mb"}}),
             kAccepted, "editpart 1 0 1 * 06 0 1 1 200000 254 63 0 300000 255 63 26"},
        // The report is complete when the partition table's sector fails.
        Case{"PartitionTableSectorNotANumber", NumberFormat::point(),
             [](GeometryFields& f) { f.prtsct = "x"; }, kConsistentReport, kReset, "", "x", "",
             kTypeMismatch}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane::core
