// The four conversions of the "Geometry" page, compared as whole texts and
// fields, with a decimal point and a decimal comma.
#include <gtest/gtest.h>

#include <functional>

#include "core/workbench/geometry.h"

namespace quorvane::core {
namespace {

using Convert = std::function<Outcome(GeometryFields&, std::string&, const NumberFormat&)>;

const Convert kBeginChsToLba = beginChsToLba;
const Convert kBeginLbaToChs = beginLbaToChs;
const Convert kEndChsToLba = endChsToLba;
const Convert kChsToLba = [](GeometryFields& f, std::string&, const NumberFormat& n) {
    return chsToLba(f, n);
};

GeometryFields geometry(std::string c, std::string h, std::string s) {
    GeometryFields f;
    f.dgcyls = std::move(c);
    f.dgheads = std::move(h);
    f.dgsects = std::move(s);
    return f;
}

GeometryFields withBegin(GeometryFields f, std::string c, std::string h, std::string s) {
    f.cyls = std::move(c);
    f.heads = std::move(h);
    f.sects = std::move(s);
    return f;
}

GeometryFields withEnd(GeometryFields f, std::string c, std::string h, std::string s) {
    f.ecyls = std::move(c);
    f.eheads = std::move(h);
    f.esects = std::move(s);
    return f;
}

GeometryFields withStart(GeometryFields f, std::string lba) {
    f.lbastrt = std::move(lba);
    return f;
}

const GeometryFields kDrive = geometry("1024", "255", "63");
const std::string kNote = "Note: this value is the same as the startsector for the next "
                          "partition (not EPBR).";
const Message kId10t{"Fill out required fields !", "ID10T", Icon::Exclamation, Buttons::Ok};

struct Case {
    const char* name;
    Convert convert;
    NumberFormat format;
    GeometryFields before;
    // What the fields and the report hold afterwards ("previous" stands for
    // a report the conversion must leave alone).
    GeometryFields after;
    std::string report;
    int failure;
    bool message;
};

// Failure output and test names show the case's name, not its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class ConversionTest : public ::testing::TestWithParam<Case> {};

TEST_P(ConversionTest, WritesExactlyItsFieldsAndReport) {
    const Case& c = GetParam();
    GeometryFields fields = c.before;
    std::string report = "previous";
    const Outcome outcome = c.convert(fields, report, c.format);
    EXPECT_EQ(outcome.failure, c.failure);
    if (c.message) {
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(outcome.messages[0], kId10t);
    } else {
        EXPECT_TRUE(outcome.messages.empty());
    }
    EXPECT_EQ(report, c.report);
    EXPECT_EQ(fields, c.after);
}

const NumberFormat kPoint = NumberFormat::point();
const NumberFormat kComma = NumberFormat::comma();

INSTANTIATE_TEST_SUITE_P(
    Geometry, ConversionTest,
    ::testing::Values(
        Case{"BeginChsFirstTrack", kBeginChsToLba, kPoint, withBegin(kDrive, "0", "1", "1"),
             withStart(withBegin(kDrive, "0", "1", "1"), "63"), "63 is the LBA startsector.", 0,
             false},
        Case{"BeginChsRoundTripOf100", kBeginChsToLba, kComma, withBegin(kDrive, "0", "1", "38"),
             withStart(withBegin(kDrive, "0", "1", "38"), "100"), "100 is the LBA startsector.",
             0, false},
        Case{"BeginChsFractionPoint", kBeginChsToLba, kPoint, withBegin(kDrive, "0", "0", "1.5"),
             withStart(withBegin(kDrive, "0", "0", "1.5"), "0.5"), "0.5 is the LBA startsector.",
             0, false},
        Case{"BeginChsFractionAndGroupingComma", kBeginChsToLba, kComma,
             withBegin(kDrive, "1.000", "0", "1,5"),
             withStart(withBegin(kDrive, "1.000", "0", "1,5"), "16065000,5"),
             "16065000,5 is the LBA startsector.", 0, false},
        Case{"BeginChsExponentForm", kBeginChsToLba, kPoint,
             withBegin(kDrive, "10000000000000", "0", "1"),
             withStart(withBegin(kDrive, "10000000000000", "0", "1"), "1.6065E+17"),
             "1.6065E+17 is the LBA startsector.", 0, false},
        Case{"BeginChsMissingHeadRefused", kBeginChsToLba, kPoint, withBegin(kDrive, "0", "", "1"),
             withBegin(kDrive, "0", "", "1"), "previous", 13, true},
        Case{"BeginChsOtherFormatRefused", kBeginChsToLba, kPoint,
             withBegin(kDrive, "0", "1", "1,5"), withBegin(kDrive, "0", "1", "1,5"), "previous",
             13, true},
        Case{"StartFirstTrack", kBeginLbaToChs, kPoint, withStart(kDrive, "63"),
             withBegin(withStart(kDrive, "63"), "0", "1", "1"),
             "Begin cylinder: 0\r\nBegin head: 1\r\nBegin sector: 1", 0, false},
        Case{"Start100", kBeginLbaToChs, kComma, withStart(kDrive, "100"),
             withBegin(withStart(kDrive, "100"), "0", "1", "38"),
             "Begin cylinder: 0\r\nBegin head: 1\r\nBegin sector: 38", 0, false},
        Case{"StartLastSectorOfCylinder0", kBeginLbaToChs, kPoint, withStart(kDrive, "16064"),
             withBegin(withStart(kDrive, "16064"), "0", "254", "63"),
             "Begin cylinder: 0\r\nBegin head: 254\r\nBegin sector: 63", 0, false},
        Case{"StartBeyond32Bits", kBeginLbaToChs, kPoint, withStart(kDrive, "4294967295"),
             withBegin(withStart(kDrive, "4294967295"), "267349", "89", "4"),
             "Begin cylinder: 267349\r\nBegin head: 89\r\nBegin sector: 4", 0, false},
        Case{"StartWithoutCylinderCount", kBeginLbaToChs, kPoint,
             withStart(geometry("", "255", "63"), "63"),
             withBegin(withStart(geometry("", "255", "63"), "63"), "0", "1", "1"),
             "Begin cylinder: 0\r\nBegin head: 1\r\nBegin sector: 1", 0, false},
        Case{"StartMissingSectorsPerTrackRefused", kBeginLbaToChs, kPoint,
             withStart(geometry("1024", "255", ""), "63"),
             withStart(geometry("1024", "255", ""), "63"), "previous", 13, true},
        Case{"StartZeroSectorsPerTrackSilent", kBeginLbaToChs, kPoint,
             withStart(geometry("1024", "255", "0"), "63"),
             withStart(geometry("1024", "255", "0"), "63"), "previous", 11, false},
        Case{"StartHeadBeyondByteSilent", kBeginLbaToChs, kPoint,
             withStart(geometry("1024", "300", "63"), "18837"),
             withStart(geometry("1024", "300", "63"), "18837"), "previous", 6, false},
        Case{"NegativeStartSilent", kBeginLbaToChs, kPoint, withStart(kDrive, "-1"),
             withStart(kDrive, "-1"), "previous", 6, false},
        Case{"EndChsOfLastCylinder", kEndChsToLba, kPoint, withEnd(kDrive, "1022", "254", "63"),
             [] {
                 GeometryFields f = withEnd(kDrive, "1022", "254", "63");
                 f.LBAend = "16434494";
                 return f;
             }(),
             "16434494 is the absolute LBA endsector.\r\n\r\n" + kNote, 0, false},
        Case{"EndChsMissingSectorRefused", kEndChsToLba, kComma, withEnd(kDrive, "1022", "254", ""),
             withEnd(kDrive, "1022", "254", ""), "previous", 13, true},
        Case{"ChsToLbaWholeEntryKeepsReport", kChsToLba, kPoint,
             withEnd(withBegin(kDrive, "0", "1", "1"), "1022", "254", "63"),
             [] {
                 GeometryFields f = withEnd(withBegin(kDrive, "0", "1", "1"), "1022", "254", "63");
                 f.lbastrt = "63";
                 f.LBAend = "16434432";
                 return f;
             }(),
             "previous", 0, false},
        Case{"ChsToLbaMissingEndSectorWritesNothing", kChsToLba, kPoint,
             withEnd(withBegin(kDrive, "0", "1", "1"), "1022", "254", ""),
             withEnd(withBegin(kDrive, "0", "1", "1"), "1022", "254", ""), "previous", 13, true},
        Case{"ChsToLbaOverflowSilent", kChsToLba, kPoint,
             withEnd(withBegin(kDrive, "1E308", "1", "1"), "0", "0", "1"),
             withEnd(withBegin(kDrive, "1E308", "1", "1"), "0", "0", "1"), "previous", 6,
             false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane::core
