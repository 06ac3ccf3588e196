#include "core/wizards/dynroot.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "core/wizards/hexvalue.h"
#include "core/wizards/wizard.h"

namespace quorvane::core {

namespace {

constexpr double kSectorBytes = 512;
constexpr double kEntryBytes = 32;

// A value as the boot sector or directory entry can hold it.
struct HexRange {
    std::string_view subject;  // names the value in messages
    std::uint32_t minimum;
    std::uint32_t maximum;
    bool powerOfTwo = false;
};

constexpr HexRange kSectorsPerFat{"Sectors per FAT", 1, 0xFFFF};
constexpr HexRange kDirectoryEntries{"Directory entries", 1, 0xFFFF};
constexpr HexRange kSectorsPerCluster{"Sectors per cluster", 1, 0x80, true};
constexpr HexRange kReservedSectors{"Reserved sectors", 1, 0xFFFF};
constexpr HexRange kNumberOfFats{"Number of FATs", 1, 0xFF};
// Clusters are numbered from 2; FFF7 and up mark bad clusters and chain ends.
constexpr HexRange kStartCluster{"The start cluster of DYN_ROOT", 2, 0xFFF6};

std::string hexDigits(std::uint32_t value) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(value));
    return digits;
}

// What a value must be, in the hexadecimal the person types it in:
// "a hexadecimal number from 1 to FFFF", or "1, 2, 4, ... 40 or 80".
std::string requirement(const HexRange& range) {
    if (!range.powerOfTwo) {
        return "a hexadecimal number from " + hexDigits(range.minimum) + " to " +
               hexDigits(range.maximum);
    }
    std::string text;
    for (std::uint32_t value = range.minimum; value <= range.maximum; value *= 2) {
        if (!text.empty()) text += value == range.maximum ? " or " : ", ";
        text += hexDigits(value);
    }
    return text;
}

bool isPowerOfTwo(double value) {
    int exponent = 0;
    return std::frexp(value, &exponent) == 0.5;
}

// Reads one field through HexToDec into `hexvalue`, or refuses it.
double readHex(const std::string& field, const HexRange& range, double& hexvalue) {
    std::string text = field;  // HexToDec changes its caller's copy only
    if (text.find_first_not_of(" \t") == std::string::npos) throw requiredFieldsRefusal();
    const HexConversion conversion = hexToDec(text, hexvalue, range.subject);
    if (!conversion.accepted) throw Refusal{*conversion.message, kTypeMismatch};
    // A cut value lost its last digits, so no position computed from it
    // can be right: the 48-bit notice ends the click.
    if (conversion.cut) throw Refusal{*conversion.message, kOverflow};
    const double value = conversion.value;
    if (value < range.minimum || value > range.maximum ||
        (range.powerOfTwo && !isPowerOfTwo(value))) {
        throw refusal(std::string(range.subject) + " must be " + requirement(range) + " !",
                      kInvalidValue);
    }
    return value;
}

// The boot sector values of frame (2), without the start cluster of frame (4).
DynRootFields bootValues(DynRootFields fields) {
    fields.dynrootstart.clear();
    return fields;
}

constexpr std::string_view kStartIntro =
    "For this procedure, you will need Patch.exe and a diskette you can write a small file to. "
    "Be patient and if you loose track, simply end Patch by pressing 'F12' and start again."
    "\r\n\r\n"
    "NOTE1: With CTRL+K W, I mean, press the CTRL key and K at the same time and then press W."
    "\r\n\r\n"
    "NOTE2: Enter the numerical values as they are shown in patch. Do not convert hexadecimal "
    "to decimal or decimal to hexadecimal. This program does the conversion for you."
    "\r\n\r\n"
    "Before you start this procedure it will probably be necessary to type LOCK at the command "
    "prompt. This will lock the drive and allow direct disk access so say Yes when it asks."
    "\r\n\r\n";

constexpr std::string_view kStartSteps =
    "\r\n\r\n"
    "1. Start PATCH"
    "\r\n\r\n"
    "2. Press 'L' for 'Logical Drive'"
    "\r\n\r\n"
    "3. Enter the drive letter followed by a colon for the 'Name' (i.e. C: for drive C)."
    "\r\n\r\n"
    "4. Press enter for the remaining three options ('Screen layout', 'File sharing' and "
    "'Read-only access') That will select the default values."
    "\r\n\r\n"
    "5. The top of the screen will say 'Drive X:' where X is the drive letter for the drive "
    "selected."
    "\r\n\r\n"
    "6. The screen will list different values from the boot sector of that partition, enter "
    "them (2) and click 'calculate root' (3).";

constexpr std::string_view kRootGoto =
    "Now press F2 to bring up the goto byte address dialog box and enter: ";

constexpr std::string_view kRootCheck =
    "\r\n\r\n"
    "The cursor should now be at the beginning of the word 'DYN_ROOT' which is the root "
    "directory entry for the DYN_ROOT directory.  Make sure that this is the beginning of the "
    "root directory.  The information above it should be in a different format than the rows "
    "below it. Enter the value in the row for DYN_ROOT under 'Start:' (4) and press "
    "'Calculate' (5). ";

constexpr std::string_view kCopyGoto = "Press 'F2' and enter: ";

constexpr std::string_view kCopyLook =
    " for 'Byte position'."
    "\r\n\r\n"
    "You should now see the files and directories that you expect in the root directory in the "
    "right column. Press 'page down' a couple of screens to make sure it looks right. Then "
    "Press 'F2' again and enter: ";

constexpr std::string_view kCopyMarkBegin =
    "\r\n\r\n"
    "Type Ctrl+K B. That will highlight the byte where the cursor is in blue."
    "\r\n"
    "Make sure that only that byte and nothing above it is highlighted! Otherwise, press F12 to "
    "quit Patch and start again."
    "\r\n\r\n"
    "Press 'F2' and enter: ";

constexpr std::string_view kCopyWrite =
    "\r\n\r\n"
    "Type Ctrl+K K.  That should highlight everything above the byte that the cursor is on, "
    "but not the current byte or any below it."
    "\r\n"
    "Type Ctrl-K W. That brings up a 'Write block...' window."
    "\r\n"
    "Make sure there is a floppy disk in drive a: that isn't write-protected and type "
    "A:\\ROOT.DAT in the field and press Enter."
    "\r\n\r\n"
    "Now press 'F2' and enter: ";

constexpr std::string_view kCopyRead =
    " for the 'Byte position'.  Press Enter. That should bring you back to where is says "
    "DYN_ROOT"
    "\r\n\r\n"
    "Type Ctrl-K R.  That should open a 'Read block...' window. The default file name should "
    "be A:\\ROOT.DAT, if it isn't type it in. Press Enter and F12 to exit Patch. Check if the "
    "root directory can be accessed again. If not, probably Lost & Found is your only option.";

}  // namespace

TextFields<DynRootFields> dynRootTextFields() {
    using F = DynRootFields;
    static constexpr TextField<F> kFields[] = {
        {"sectcluster", &F::sectcluster}, {"rsvdsects", &F::rsvdsects},
        {"numfats", &F::numfats},         {"direntries", &F::direntries},
        {"sectfat", &F::sectfat},         {"dynrootstart", &F::dynrootstart},
    };
    return kFields;
}

std::string dynRootStartText() {
    return std::string(kStartIntro) + std::string(114, '-') + std::string(kStartSteps);
}

Outcome calculateRoot(const DynRootFields& fields, DynRootState& state, std::string& report,
                      const NumberFormat& format) {
    return runWizard([&] {
        // The preset values first, then the three every volume needs typed,
        // so that the last conversion, kept in hexvalue, is the cluster size.
        double hexvalue = state.hexvalue;
        const double reserved = readHex(fields.rsvdsects, kReservedSectors, hexvalue);
        const double fats = readHex(fields.numfats, kNumberOfFats, hexvalue);
        const double sectorsPerFat = readHex(fields.sectfat, kSectorsPerFat, hexvalue);
        const double entries = readHex(fields.direntries, kDirectoryEntries, hexvalue);
        const double sectorsPerCluster = readHex(fields.sectcluster, kSectorsPerCluster, hexvalue);

        // The reserved sectors and the FATs come before the root directory.
        const double rootstart = (reserved + fats * sectorsPerFat) * kSectorBytes;
        const double rootend = entries * kEntryBytes - 1 + rootstart;
        const std::string text =
            std::string(kRootGoto) + decimalText(rootstart, format) + std::string(kRootCheck);

        state.hexvalue = hexvalue;
        state.rootstart = rootstart;
        state.rootend = rootend;
        state.rootspan = rootend - rootstart;
        state.clustsects = sectorsPerCluster;
        state.step1done = 1;
        state.step1fields = bootValues(fields);
        report = text;
    });
}

Outcome calculateCopy(const DynRootFields& fields, DynRootState& state, std::string& report,
                      const NumberFormat& format) {
    return runWizard([&] {
        if (state.step1done != 1 || bootValues(fields) != state.step1fields) {
            throw refusal(std::string(kFirstCompleteStep1), kInvalidValue);
        }
        double hexvalue = state.hexvalue;
        const double cluster = readHex(fields.dynrootstart, kStartCluster, hexvalue);

        // The data area begins after the whole sectors of the root
        // directory; cluster 2 is its first cluster.
        const double rootBytes = state.rootspan + 1;
        const double dataStart =
            state.rootstart + std::ceil(rootBytes / kSectorBytes) * kSectorBytes;
        const double copyStart = (cluster - 2) * kSectorBytes * state.clustsects + dataStart;
        const double copyEnd = copyStart + rootBytes;

        const std::string start = decimalText(copyStart, format);
        const std::string text = std::string(kCopyGoto) + start + std::string(kCopyLook) + start +
                                 std::string(kCopyMarkBegin) + decimalText(copyEnd, format) +
                                 std::string(kCopyWrite) + decimalText(state.rootstart, format) +
                                 std::string(kCopyRead);
        state.hexvalue = hexvalue;
        report = text;
    });
}

}  // namespace quorvane::core
