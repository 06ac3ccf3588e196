// The wizard pages: HexToDec, "DYN_ROOT", "NTFS bbs" and "Fat32 bbs", their
// texts compared whole and the input they refuse.
#include <gtest/gtest.h>

#include <optional>

#include "core/app/shell.h"
#include "printers.h"
#include "core/wizards/bbs.h"
#include "core/wizards/dynroot.h"
#include "core/wizards/hexvalue.h"
#include "wizardtexts.h"

namespace quorvane::core {
namespace {

using namespace quorvane::test;

const NumberFormat kPoint = NumberFormat::point();
const NumberFormat kComma = NumberFormat::comma();

Message refused(std::string prompt) {
    return Message{std::move(prompt), "ID10T detected", Icon::Exclamation, Buttons::Ok};
}
const Message kRequired = refused("Fill out required fields !");
const Message kFirstStep1 = refused("First complete step 1 !");

// ---- HexToDec -------------------------------------------------------------

struct HexCase {
    const char* name;
    std::string text;
    bool accepted;
    double value;           // also hexvalue afterwards; 7 (its old value) when refused
    std::string textAfter;  // the caller's copy afterwards
    std::optional<Message> message;
};
void PrintTo(const HexCase& c, std::ostream* out) { *out << c.name; }

class HexToDecTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexToDecTest, ConvertsOrRefuses) {
    const HexCase& c = GetParam();
    std::string text = c.text;
    double hexvalue = 7;
    const HexConversion result = hexToDec(text, hexvalue, "Sectors per FAT");
    EXPECT_EQ(result.accepted, c.accepted);
    EXPECT_EQ(hexvalue, c.value);
    if (c.accepted) {
        EXPECT_EQ(result.value, c.value);
    }
    EXPECT_EQ(text, c.textAfter);
    EXPECT_EQ(result.message, c.message);
}

const Message kNotHex = refused(
    "Type Sectors per FAT exactly as Patch shows it: the digits 0 to 9 and the letters A to F "
    "only !");

INSTANTIATE_TEST_SUITE_P(
    Wizards, HexToDecTest,
    ::testing::Values(
        HexCase{"Empty", "", true, 0, "", std::nullopt},
        HexCase{"SectorSize", "0200", true, 512, "0200", std::nullopt},
        HexCase{"LowerCase", "1f", true, 31, "1F", std::nullopt},
        HexCase{"UpperCase", "1F", true, 31, "1F", std::nullopt},
        HexCase{"BlanksAround", " \t1f  ", true, 31, "1F", std::nullopt},
        HexCase{"TwelveDigits", "ffffffffffff", true, 281474976710655.0, "FFFFFFFFFFFF",
                std::nullopt},
        HexCase{"ThirteenDigitsCut", "1000000000000", true, 17592186044416.0, "100000000000",
                Message{"The HEX conversion routine can handle only up to 48 bits\r"
                        "1000000000000\r100000000000",
                        "VELK", Icon::None, Buttons::Ok}},
        HexCase{"CPrefix", "0x1F", false, 7, "0x1F", kNotHex},
        HexCase{"SuffixAfterBlank", "1F h", false, 7, "1F h", kNotHex},
        HexCase{"LetterO", "1O", false, 7, "1O", kNotHex},
        HexCase{"ThirteenCharactersNotHex", "100000000000G", false, 7, "100000000000G", kNotHex}));

// ---- DYN_ROOT -------------------------------------------------------------

// Boot sector values and start cluster, in the page's order.
DynRootFields volume(std::string k, std::string reserved, std::string fats, std::string d,
                     std::string f, std::string r = "") {
    return DynRootFields{std::move(k), std::move(reserved), std::move(fats),
                         std::move(d), std::move(f),        std::move(r)};
}

// Hexadecimal as typed: F5 sectors per FAT, 200 entries, 40 sectors (32 KiB) per cluster.
const DynRootFields kExample = volume("40", "1", "2", "200", "F5", "1A2B");
// mkfs.fat's FAT16 on 100 MiB: four reserved sectors to align the data area.
const DynRootFields kMkfs100M = volume("4", "4", "2", "200", "C8", "3");

struct DynRootCase {
    const char* name;
    DynRootFields fields;
    NumberFormat format;
    // What "Calculate root" writes ("previous": nothing) and its message.
    std::string rootReport;
    std::optional<Message> rootMessage;
    // What "Calculate" writes afterwards and its message.
    std::string copyReport;
    std::optional<Message> copyMessage;
};
void PrintTo(const DynRootCase& c, std::ostream* out) { *out << c.name; }

class DynRootTest : public ::testing::TestWithParam<DynRootCase> {};

TEST_P(DynRootTest, RootThenCopy) {
    const DynRootCase& c = GetParam();
    DynRootState state;
    std::string report = "previous";
    Outcome outcome = calculateRoot(c.fields, state, report, c.format);
    EXPECT_EQ(report, c.rootReport);
    EXPECT_EQ(outcome.messages,
              std::vector<Message>(c.rootMessage ? 1 : 0, c.rootMessage.value_or(Message{})));
    EXPECT_EQ(outcome.completed(), !c.rootMessage);
    if (c.rootMessage) {
        EXPECT_EQ(state, DynRootState{}) << "a refused click changes no state";
    }

    report = "previous";
    outcome = calculateCopy(c.fields, state, report, c.format);
    EXPECT_EQ(report, c.copyReport);
    EXPECT_EQ(outcome.messages,
              std::vector<Message>(c.copyMessage ? 1 : 0, c.copyMessage.value_or(Message{})));
}

DynRootFields with(DynRootFields f, std::string DynRootFields::*member, std::string text) {
    f.*member = std::move(text);
    return f;
}
const std::string kPrevious = "previous";
Message mustBe(const std::string& what) { return refused(what + " !"); }

INSTANTIATE_TEST_SUITE_P(
    Wizards, DynRootTest,
    ::testing::Values(
        DynRootCase{"Example", kExample, kPoint, kRootText, {}, kCopyText, {}},
        DynRootCase{"ExampleLowerCaseDecimalComma",
                    volume("40", "01", "02", "200", "f5", "1a2b"),
                    kComma,
                    kRootText,
                    {},
                    kCopyText,
                    {}},
        DynRootCase{"Mkfs16ReservedSectors",
                    kMkfs100M,
                    kPoint,
                    rootText("206848"),
                    {},
                    copyText("225280", "241664", "206848"),
                    {}},
        DynRootCase{"StartCluster2IsFirstAfterRoot",
                    with(kExample, &DynRootFields::dynrootstart, "2"),
                    kPoint,
                    kRootText,
                    {},
                    copyText("267776", "284160", "251392"),
                    {}},
        DynRootCase{
            "StartCluster1Refused",
            with(kExample, &DynRootFields::dynrootstart, "1"),
            kPoint,
            kRootText,
            {},
            kPrevious,
            mustBe("The start cluster of DYN_ROOT must be a hexadecimal number from 2 to FFF6")},
        DynRootCase{"StartClusterLastValid",
                    with(kMkfs100M, &DynRootFields::dynrootstart, "fff6"),
                    kPoint,
                    rootText("206848"),
                    {},
                    copyText("134416384", "134432768", "206848"),
                    {}},
        DynRootCase{
            "StartClusterChainEndRefused",
            with(kMkfs100M, &DynRootFields::dynrootstart, "FFF7"),
            kPoint,
            rootText("206848"),
            {},
            kPrevious,
            mustBe("The start cluster of DYN_ROOT must be a hexadecimal number from 2 to FFF6")},
        DynRootCase{"StartClusterEmptyRefused",
                    with(kExample, &DynRootFields::dynrootstart, " "),
                    kPoint,
                    kRootText,
                    {},
                    kPrevious,
                    kRequired},
        // 19 entries fill 2 sectors of 512 bytes; the data area follows them.
        DynRootCase{"RootEndsInsideASector",
                    volume("1", "1", "2", "19", "9", "2"),
                    kPoint,
                    rootText("9728"),
                    {},
                    copyText("10752", "11552", "9728"),
                    {}},
        DynRootCase{"EmptyFieldRefused", with(kExample, &DynRootFields::sectfat, ""), kPoint,
                    kPrevious, kRequired, kPrevious, kFirstStep1},
        DynRootCase{"NoReservedSectorsRefused", with(kExample, &DynRootFields::rsvdsects, ""),
                    kPoint, kPrevious, kRequired, kPrevious, kFirstStep1},
        DynRootCase{"ZeroSectorsPerFatRefused", with(kExample, &DynRootFields::sectfat, "0"),
                    kPoint, kPrevious,
                    mustBe("Sectors per FAT must be a hexadecimal number from 1 to FFFF"),
                    kPrevious, kFirstStep1},
        DynRootCase{"ZeroEntriesRefused", with(kExample, &DynRootFields::direntries, "0000"),
                    kPoint, kPrevious,
                    mustBe("Directory entries must be a hexadecimal number from 1 to FFFF"),
                    kPrevious, kFirstStep1},
        DynRootCase{"ClusterSizeNotAPowerOfTwoRefused",
                    with(kExample, &DynRootFields::sectcluster, "3"), kPoint, kPrevious,
                    mustBe("Sectors per cluster must be 1, 2, 4, 8, 10, 20, 40 or 80"), kPrevious,
                    kFirstStep1},
        DynRootCase{"ClusterSizeTooLargeRefused",
                    with(kExample, &DynRootFields::sectcluster, "100"), kPoint, kPrevious,
                    mustBe("Sectors per cluster must be 1, 2, 4, 8, 10, 20, 40 or 80"), kPrevious,
                    kFirstStep1},
        DynRootCase{"NoFatsRefused", with(kExample, &DynRootFields::numfats, "0"), kPoint,
                    kPrevious, mustBe("Number of FATs must be a hexadecimal number from 1 to FF"),
                    kPrevious, kFirstStep1},
        DynRootCase{"SectorsPerFatBeyond16BitsRefused",
                    with(kExample, &DynRootFields::sectfat, "10000"), kPoint, kPrevious,
                    mustBe("Sectors per FAT must be a hexadecimal number from 1 to FFFF"),
                    kPrevious, kFirstStep1},
        DynRootCase{"TwelveDigitsAccepted",
                    with(kExample, &DynRootFields::sectfat, "0000000000F5"),
                    kPoint,
                    kRootText,
                    {},
                    kCopyText,
                    {}},
        DynRootCase{"ThirteenDigitsNoticeEndsTheClick",
                    with(kExample, &DynRootFields::sectfat, "00000000000F5"), kPoint, kPrevious,
                    Message{"The HEX conversion routine can handle only up to 48 bits\r"
                            "00000000000F5\r00000000000F",
                            "VELK", Icon::None, Buttons::Ok},
                    kPrevious, kFirstStep1},
        DynRootCase{"NotHexRefused", with(kExample, &DynRootFields::direntries, "0x200"), kPoint,
                    kPrevious,
                    refused("Type Directory entries exactly as Patch shows it: the digits 0 to 9 "
                            "and the letters A to F only !"),
                    kPrevious, kFirstStep1}));

TEST(DynRoot, StartTextAndClearAll) {
    EXPECT_EQ(dynRootStartText(), kStartText);
    Workspace w;
    w.dynroot = kExample;
    w.report = "previous";
    pageClearing(&Workspace::dynroot)(w, kPoint);
    EXPECT_EQ(w.dynroot, DynRootFields{});
    EXPECT_EQ(w.dynroot.rsvdsects, "1");  // back to its preset
    EXPECT_EQ(w.report, "");
}

// "Calculate" works only on the boot sector values the last "Calculate
// root" used; neither clear command resets the stored values.
TEST(DynRoot, CopyNeedsTheValuesOfStep1) {
    Workspace w;
    w.dynroot = kExample;
    w.report = "previous";
    Outcome outcome = calculateCopy(w.dynroot, w.dynrootState, w.report, kPoint);
    EXPECT_EQ(outcome.messages, std::vector<Message>{kFirstStep1});
    EXPECT_EQ(w.report, "previous");

    ASSERT_TRUE(calculateRoot(w.dynroot, w.dynrootState, w.report, kPoint).completed());
    const DynRootState afterRoot = w.dynrootState;
    EXPECT_EQ(afterRoot.rootstart, 251392);
    EXPECT_EQ(afterRoot.rootend, 267775);
    EXPECT_EQ(afterRoot.rootspan, 16383);
    EXPECT_EQ(afterRoot.clustsects, 64);
    EXPECT_EQ(afterRoot.hexvalue, 64);  // the last conversion
    EXPECT_EQ(afterRoot.step1done, 1);

    w.dynroot.dynrootstart = "2";  // frame (4) may change freely
    EXPECT_TRUE(calculateCopy(w.dynroot, w.dynrootState, w.report, kPoint).completed());
    EXPECT_EQ(w.dynrootState.hexvalue, 2);

    w.dynroot.sectfat = "F6";
    w.report = "previous";
    outcome = calculateCopy(w.dynroot, w.dynrootState, w.report, kPoint);
    EXPECT_EQ(outcome.messages, std::vector<Message>{kFirstStep1});
    EXPECT_EQ(w.report, "previous");

    w.dynroot.sectfat = "F5";
    w.dynroot.dynrootstart = "1A2B";
    EXPECT_TRUE(calculateCopy(w.dynroot, w.dynrootState, w.report, kPoint).completed());
    EXPECT_EQ(w.report, kCopyText);

    clearEverything(w);
    EXPECT_EQ(w.dynroot, DynRootFields{});
    EXPECT_EQ(w.dynrootState.rootstart, afterRoot.rootstart);
    EXPECT_EQ(w.dynrootState.step1done, 1);
    w.dynroot.dynrootstart = "1A2B";
    outcome = calculateCopy(w.dynroot, w.dynrootState, w.report, kPoint);
    EXPECT_EQ(outcome.messages, std::vector<Message>{kFirstStep1});
}

// ---- NTFS bbs and Fat32 bbs ----------------------------------------------

struct BbsCase {
    const char* name;
    bool ntfs;
    std::string start;
    std::string count;  // NTFS only
    NumberFormat format;
    std::string report;  // "previous": nothing written
    std::optional<Message> message;
};
void PrintTo(const BbsCase& c, std::ostream* out) { *out << c.name; }

class BbsTest : public ::testing::TestWithParam<BbsCase> {};

TEST_P(BbsTest, WritesInstructionsOrRefuses) {
    const BbsCase& c = GetParam();
    std::string report = "previous";
    const Outcome outcome =
        c.ntfs ? calculateNtfsBbs(NtfsBbsFields{c.start, c.count}, report, c.format)
               : calculateFat32Bbs(Fat32BbsFields{c.start}, report, c.format);
    EXPECT_EQ(report, c.report);
    EXPECT_EQ(outcome.messages,
              std::vector<Message>(c.message ? 1 : 0, c.message.value_or(Message{})));
    EXPECT_EQ(outcome.completed(), !c.message);
}

const Message kStartSector =
    refused("Start Sector must be a whole number from 0 to 4294967295, without separators !");
const Message kNumberOfSects =
    refused("Number of Sects must be a whole number from 1 to 4294967295, without separators !");

INSTANTIATE_TEST_SUITE_P(
    Wizards, BbsTest,
    ::testing::Values(
        BbsCase{"Ntfs63", true, "63", "4096512", kPoint, kNtfsText, {}},
        BbsCase{"Ntfs63DecimalComma", true, "63", "4096512", kComma, kNtfsText, {}},
        // mkntfs on a whole 64 MiB image keeps the copy in its last sector.
        BbsCase{"NtfsWholeImage",
                true,
                "0",
                "131072",
                kPoint,
                ntfsText("67108352", "67108864", "0"),
                {}},
        BbsCase{"NtfsOneSector", true, "0", "1", kPoint, ntfsText("0", "512", "0"), {}},
        BbsCase{"NtfsEmptyStartRefused", true, "", "4096512", kPoint, "previous", kRequired},
        BbsCase{"NtfsWordForCountRefused", true, "63", "all", kPoint, "previous", kRequired},
        BbsCase{"NtfsZeroCountRefused", true, "63", "0", kPoint, "previous", kNumberOfSects},
        BbsCase{"NtfsNegativeStartRefused", true, "-63", "4096512", kPoint, "previous",
                kStartSector},
        BbsCase{"Fat32_63", false, "63", "", kPoint, kFat32Text, {}},
        BbsCase{"Fat32TrailingWord", false, "63 sectors", "", kComma, kFat32Text, {}},
        BbsCase{"Fat32HexPrefix", false, "&H3F", "", kPoint, kFat32Text, {}},
        BbsCase{"Fat32StartZero", false, "0", "", kPoint, fat32Text("3072", "3584", "0"), {}},
        BbsCase{"Fat32Largest",
                false,
                "4294967295",
                "",
                kPoint,
                fat32Text("2199023258112", "2199023258624", "2199023255040"),
                {}},
        BbsCase{"Fat32Beyond32BitsRefused", false, "4294967296", "", kPoint, "previous",
                kStartSector},
        BbsCase{"Fat32EmptyRefused", false, "", "", kPoint, "previous", kRequired},
        BbsCase{"Fat32FractionRefused", false, "63.5", "", kPoint, "previous", kStartSector},
        BbsCase{"Fat32DecimalCommaRefused", false, "63,5", "", kComma, "previous", kStartSector},
        BbsCase{"Fat32GroupedPointRefused", false, "1.000", "", kComma, "previous", kStartSector},
        BbsCase{"Fat32GroupedCommaRefused", false, "1,000", "", kPoint, "previous", kStartSector},
        // Read leniently, these give 0 and 3: the boot sector at the disk's byte 0.
        BbsCase{"Fat32CPrefixRefused", false, "0x3F", "", kPoint, "previous", kStartSector},
        BbsCase{"Fat32HexDigitsRefused", false, "3F", "", kPoint, "previous", kStartSector},
        // Read leniently, both give the digits alone.
        BbsCase{"Fat32DigitsIntoNonAsciiRefused", false, "63\xff", "", kPoint, "previous",
                kStartSector},
        BbsCase{"NtfsDigitsIntoNonAsciiRefused", true, "63", "4096512\xc3\xa9", kComma,
                "previous", kNumberOfSects},
        // Read leniently, 4096512000 sectors.
        BbsCase{"NtfsExponentAfterBlankRefused", true, "63", "4096512 e3", kPoint, "previous",
                kNumberOfSects}));

TEST(Bbs, InfoTextsAndClearForm) {
    EXPECT_EQ(ntfsBbsInfoText(), kNtfsInfo);
    EXPECT_EQ(fat32BbsInfoText(), kFat32Info);

    Workspace w;
    w.ntfsbbs = {"63", "4096512"};
    w.fat32bbs = {"63"};
    w.report = "previous";
    pageClearing(&Workspace::ntfsbbs)(w, kPoint);
    EXPECT_EQ(w.ntfsbbs, NtfsBbsFields{});
    EXPECT_EQ(w.fat32bbs.startsct, "63");  // the other page keeps its field
    EXPECT_EQ(w.report, "");
}

}  // namespace
}  // namespace quorvane::core
