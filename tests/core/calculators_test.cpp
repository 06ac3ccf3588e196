// The three error calculators: whole report texts over the boundaries of
// their verdicts, their failures, and both decimal separators.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/app/shell.h"
#include "printers.h"
#include "core/calculators/bogus113.h"
#include "core/calculators/error108.h"
#include "core/calculators/error110.h"

namespace quorvane::core {
namespace {

const NumberFormat kPoint = NumberFormat::point();
const NumberFormat kComma = NumberFormat::comma();
const Message kRequired{"Fill out required fields !", "ID10T detected", Icon::Exclamation,
                        Buttons::Ok};

// One calculation: its page's fields bound in, the report and format open.
using Calculate = std::function<Outcome(std::string&, const NumberFormat&)>;

struct Case {
    const char* name;
    Calculate calculate;
    NumberFormat format;
    std::string report;  // afterwards; "previous" stands for an untouched report
    int failure;
    bool message;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class CalculatorTest : public ::testing::TestWithParam<Case> {};

TEST_P(CalculatorTest, WritesTheWholeReport) {
    const Case& c = GetParam();
    std::string report = "previous";
    const Outcome outcome = c.calculate(report, c.format);
    EXPECT_EQ(outcome.failure, c.failure);
    EXPECT_EQ(outcome.messages, c.message ? std::vector<Message>{kRequired}
                                          : std::vector<Message>{});
    EXPECT_EQ(report, c.report);
}

// The page's calculation bound to its fields.
template <typename Fields>
Calculate page(Outcome (*calculate)(const Fields&, std::string&, const NumberFormat&),
               Fields fields) {
    return [calculate, fields](std::string& report, const NumberFormat& format) {
        return calculate(fields, report, format);
    };
}

// --- Error 110 ---------------------------------------------------------

Calculate error110(std::string cyls, std::string heads, std::string sects, std::string uc,
                   std::string endBegin) {
    return page(calculateError110, Error110Fields{cyls, heads, sects, uc, endBegin});
}

const std::string kHigher =
    "The risk of dataloss is higher then normal when the /ipe switch would be used. Do not "
    "proceed before having backed up all important data from this partition! A backup, "
    "delete, restore is the safest option";
const std::string kNormal =
    "This problem can probably be fixed by using the /ipe switch if no other partition table "
    "errors are present. The risk of dataloss is not higher then normal.";
const std::string kNote =
    "!NOTE!: Seen the large offset the following can be the cause of the error: Error #110 can "
    "also be reported if a drive is larger than 1,024 cylinders and the necessary Large Drive "
    "Placeholders are not being reported.  This can be corrected in one of two ways:\r\n1) "
    "Change the file system type in the partition table to FAT32X, FAT16X or ExtendedX "
    "accordingly. This will force actual values to be created from the large drive "
    "placholders.\r\n2) change the begin or end cylinder value to 1023 this will force actual "
    "values to be created from large drive placeholders. You will see this most commonly with "
    "NTFS.\r\n\r\nFor more information see KB document #err-0110";
const std::string kProcedure =
    "---------------------------------------------------------General procedure for using the "
    "/ipe switch (this can pasted into an email):\r\n\r\nBoot into DOS (from a diskette) and "
    "insert the 2nd PartitionMagic Rescue diskette. - From the a:\\prompt type pqmagic/ipe "
    "[enter]. - 'Right click' the partition that shows the error in the partinfo and select "
    "the option 'resize/move'. - In the resize/move dialog, make the partition 20 Mb smaller, "
    "then click 'OK'. - Now apply the changes. When done, reboot the computer, PartitionMagic "
    "should now run fine.";

std::string report110(const std::string& size, const std::string& offset,
                      const std::string& verdict, const std::string& note = "") {
    return " The size in Mb's is : " + size + "\r\n The offset in cylinders is : " + offset +
           "\r\n\r\n" + verdict + "\r\n\r\n" + note + "\r\n\r\n\r\n" + kProcedure;
}

INSTANTIATE_TEST_SUITE_P(
    Error110, CalculatorTest,
    ::testing::Values(
        Case{"EqualCountsNormalRisk", error110("100", "255", "63", "1000", "1000"), kPoint,
             report110("784.423828125", "0", kNormal), 0, false},
        Case{"EqualCountsComma", error110("100", "255", "63", "1000", "1000"), kComma,
             report110("784,423828125", "0", kNormal), 0, false},
        Case{"OffsetSixNormalRisk", error110("10", "16", "2", "0", "192"), kPoint,
             report110("0.15625", "6", kNormal), 0, false},
        Case{"OffsetMinusSixNormalRisk", error110("10", "16", "2", "192", "0"), kPoint,
             report110("0.15625", "-6", kNormal), 0, false},
        Case{"OffsetSevenHigherRisk", error110("10", "16", "2", "0", "224"), kPoint,
             report110("0.15625", "7", kHigher), 0, false},
        Case{"OffsetSixAndAHalfHigherRisk", error110("10", "16", "2", "0", "208"), kPoint,
             report110("0.15625", "6.5", kHigher), 0, false},
        Case{"OffsetHalfHigherRisk", error110("10", "16", "2", "0", "16"), kComma,
             report110("0,15625", "0,5", kHigher), 0, false},
        Case{"OffsetThirdSevenDigits", error110("1", "1", "3", "0", "1"), kPoint,
             report110("0.00146484375", "0.3333333", kHigher), 0, false},
        // 6.00000001 is 6 in single precision, so it counts as whole.
        Case{"OffsetWholeInSinglePrecision", error110("", "10000", "10000", "0", "600000001"),
             kPoint, report110("0", "6", kNormal), 0, false},
        Case{"OffsetHundredNoNote", error110("", "1", "1", "0", "100"), kPoint,
             report110("0", "100", kHigher), 0, false},
        Case{"OffsetHundredAndOneNote", error110("", "1", "1", "0", "101"), kPoint,
             report110("0", "101", kHigher, kNote), 0, false},
        Case{"OffsetMinusHundredAndOneNote", error110("", "1", "1", "101", "0"), kPoint,
             report110("0", "-101", kHigher, kNote), 0, false},
        // Only the leading number counts, always with a point; letters read as 0.
        Case{"LeadingNumbersOnly", error110("2abc", "16x", "2,5", "abc", "96.5e1z"), kComma,
             report110("0,03125", "30,15625", kHigher), 0, false},
        Case{"EmptyPageAsksForFields", error110("", "", "", "", ""), kPoint, "previous", 6,
             true},
        Case{"OffsetBeyondSingleAsksForFields", error110("1", "1", "1", "0", "1e300"), kPoint,
             "previous", 6, true},
        Case{"CountsDifferOverNoGeometrySilent", error110("100", "", "63", "0", "1"), kPoint,
             "previous", 11, false}));

// --- Error 108 ---------------------------------------------------------

Calculate error108(std::string cyls, std::string heads, std::string sects, std::string start,
                   std::string count) {
    return page(calculateError108, Error108Fields{cyls, heads, sects, start, count});
}

std::string boundary108(const std::string& size) {
    return "This problem can probably be fixed by using the /ipe switch and resize the "
           "partition 1 cylinder smaller (" +
           size +
           " Mb in this case) if no other partition table errors are present. The risk of "
           "dataloss is not higher then normal.";
}
const std::string kRisk108 = kHigher + ".";

INSTANTIATE_TEST_SUITE_P(
    Error108, CalculatorTest,
    ::testing::Values(
        Case{"OneCylinderBoundary", error108("", "255", "63", "63", "16002"), kPoint,
             boundary108("7.84423828125"), 0, false},
        Case{"OneCylinderBoundaryComma", error108("", "255", "63", "63", "16002"), kComma,
             boundary108("7,84423828125"), 0, false},
        Case{"NegativeEndOnBoundary", error108("", "255", "63", "-32130", "0"), kPoint,
             boundary108("7.84423828125"), 0, false},
        Case{"TwoSectorsShortOfBoundary", error108("", "255", "63", "63", "16000"), kPoint,
             kRisk108, 0, false},
        Case{"EmptyPageAsksForFields", error108("", "", "", "", ""), kPoint, "", 6, true},
        Case{"NoEndNoSectorsAsksForFields", error108("", "255", "", "", ""), kPoint, "", 6,
             true},
        Case{"NoHeadsSilent", error108("", "", "63", "63", "16002"), kPoint, "", 11, false}));

// --- Bogus 113 ---------------------------------------------------------

Calculate bogus113(std::string perCluster, std::string root, std::string perFat,
                   std::string bigTotal, std::string sectors) {
    return page(calculateBogus113, Bogus113Fields{perCluster, root, perFat, bigTotal, sectors});
}

const std::string kAdjustBootRecord =
    "This can probably be fixed by adjusting the 'Big Total Number of Sectors' in the "
    "bootsector to match 'sectors' from the partition table.";
const std::string kAdjustTable =
    "You will need to adjust the Number of Sectors in the partition table to match the Big "
    "Total Number of Sectors.";

std::string report113(const std::string& total, const std::string& overlap,
                      const std::string& remedy) {
    return "Resultant Big total number of sectors: " + total + "\r\nOverlap in clusters: " +
           overlap + "\r\n\r\n" + remedy;
}

INSTANTIATE_TEST_SUITE_P(
    Bogus113, CalculatorTest,
    ::testing::Values(
        Case{"NoOverlap", bogus113("64", "512", "256", "4194945", "4194945"), kPoint,
             report113("4194721", "0", kAdjustBootRecord), 0, false},
        Case{"OverlapExactlyOne", bogus113("64", "512", "256", "4194945", "4194881"), kPoint,
             report113("4194721", "1", kAdjustTable), 0, false},
        Case{"OverlapJustBelowOne", bogus113("64", "512", "256", "4194945", "4194882"), kPoint,
             report113("4194721", "0.984375", kAdjustBootRecord), 0, false},
        Case{"OverlapJustBelowOneComma", bogus113("64", "512", "256", "4194945", "4194882"),
             kComma, report113("4194721", "0,984375", kAdjustBootRecord), 0, false},
        Case{"NegativeOverlap", bogus113("64", "512", "256", "4194881", "4194945"), kPoint,
             report113("4194721", "-1", kAdjustBootRecord), 0, false},
        Case{"GroupingAndBlanksInUserFormat",
             bogus113(" 4 ", "1.024", "250", "1.024.000", "1.023.000"), kComma,
             report113("256557", "250", kAdjustTable), 0, false},
        Case{"EmptyPageAsksForFields", bogus113("", "", "", "", ""), kPoint, "", 13, true},
        Case{"OnlyFatSizeEmptyAsksForFields", bogus113("64", "512", "", "4194945", "4194945"),
             kPoint, "", 13, true},
        Case{"LettersAskForFields", bogus113("64", "512", "256", "4194945", "4194945x"),
             kPoint, "", 13, true},
        Case{"OtherFormatAsksForFields", bogus113("64", "512", "256", "4194945,5", "4194945"),
             kPoint, "", 13, true},
        Case{"NoSectorsPerClusterSilent", bogus113("0", "512", "256", "4194945", "4194881"),
             kPoint, "", 11, false},
        Case{"NoSectorsPerClusterNoOverlapSilent",
             bogus113("0", "512", "256", "4194945", "4194945"), kPoint, "", 6, false}));

TEST(Bogus113Info, TwoParagraphs) {
    EXPECT_EQ(
        bogus113InfoText(),
        "The bogus error 113 is caused when the big total number of sectors value in the boot "
        "record of a FAT or FAT32 partition is greater than the Number of sectors value in the "
        "partition table. To fix this you may be able to change the big total number of "
        "sectors value, but that may very likely cause other problems that could lead to data "
        "loss or worse.  The only way to be completely make sure that it is fixed is usually "
        "to change the end cylinder and number of sectors value in the partition table to "
        "match the big total number of sectors value in the boot record.\r\n\r\nDue to the "
        "nature of the solution, their is a possibility that the partition that is reporting "
        "the error 113, will change in size. If there are additional partitions on the drive "
        "be very careful. You may have to resize some of the other partitions so that you have "
        "some free space.");
}

TEST(CalculatorPages, OnlyTheToolbarClearEmptiesThem) {
    Workspace w;
    w.error110 = {"1", "2", "3", "4", "5"};
    w.error108 = {"1", "2", "3", "4", "5"};
    w.bogus113 = {"1", "2", "3", "4", "5"};
    Workspace page = w;
    clearGeometryPage(page);
    EXPECT_EQ(page.error110, w.error110);
    EXPECT_EQ(page.error108, w.error108);
    EXPECT_EQ(page.bogus113, w.bogus113);

    clearEverything(w);
    EXPECT_EQ(w.error110, Error110Fields{});
    EXPECT_EQ(w.error108, Error108Fields{});
    EXPECT_EQ(w.bogus113, Bogus113Fields{});
}

}  // namespace
}  // namespace quorvane::core
