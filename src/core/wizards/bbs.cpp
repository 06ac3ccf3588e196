#include "core/wizards/bbs.h"

#include <cmath>
#include <string_view>

#include "core/wizards/wizard.h"

namespace quorvane::core {

namespace {

constexpr double kSectorBytes = 512;
// A partition table entry holds 32-bit sector numbers.
constexpr double kLargestSector = 4294967295.0;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// What the lenient reading skips wherever it stands.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Whether the lenient reading finds a number at the start of `s`, a text
// whose blanks are gone, rather than reading 0 for want of one.
bool hasLeadingNumber(std::string_view s) {
    if (s.starts_with('&')) {
        if (s.size() < 3) return false;
        const char kind = s[1];
        const char digit = s[2];
        if (kind == 'H' || kind == 'h') {
            return isDigit(digit) || (digit >= 'A' && digit <= 'F') ||
                   (digit >= 'a' && digit <= 'f');
        }
        return (kind == 'O' || kind == 'o') && digit >= '0' && digit <= '7';
    }
    std::size_t pos = 0;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    if (pos < s.size() && isDigit(s[pos])) return true;
    return pos + 1 < s.size() && s[pos] == '.' && isDigit(s[pos + 1]);
}

// Whether the digits a field starts with are the whole number the person
// typed, as a sector number or count is written. Digits that run straight
// into a letter ("0x3F", "3F", "3Fh": hexadecimal, or "1E3") or any other
// character but a blank or a separator ("63%", a byte beyond ASCII), or go on with
// an exponent even after a blank ("63 e3"), or with a decimal or group
// separator and more digits ("63.5", "1.000" or "1,000", whichever the
// user's format) mean another number than the lenient reading gives. A
// word after a blank ("63 sectors") is no part of the number.
bool digitsStandAlone(std::string_view text) {
    std::size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
    };
    skipBlanks();
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    bool afterDigit = false;  // the character at `pos` follows a digit directly
    for (; pos < text.size() && (isDigit(text[pos]) || isBlank(text[pos])); ++pos) {
        afterDigit = isDigit(text[pos]);
    }
    if (pos == text.size()) return true;
    const char next = text[pos];
    if (afterDigit && next != '.' && next != ',') return false;
    const bool exponent = next == 'E' || next == 'e' || next == 'D' || next == 'd';
    if (!exponent && next != '.' && next != ',') return true;
    ++pos;
    skipBlanks();
    if (exponent && pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    skipBlanks();
    return pos == text.size() || !isDigit(text[pos]);
}

// A sector number or count read the lenient way, or the click refused.
double readSectors(const std::string& text, std::string_view label, double minimum) {
    std::string s;
    for (const char c : text) {
        if (!isBlank(c)) s += c;
    }
    if (!hasLeadingNumber(s)) throw requiredFieldsRefusal();

    bool whole = digitsStandAlone(text);
    double value = 0;
    try {
        value = readLenient(text);
    } catch (const BasicError&) {
        whole = false;  // beyond the double range
    }
    if (!whole || value != std::floor(value) || value < minimum || value > kLargestSector) {
        throw refusal(std::string(label) + " must be a whole number from " +
                          std::to_string(static_cast<long long>(minimum)) +
                          " to 4294967295, without separators !",
                      kInvalidValue);
    }
    return value;
}

// The pieces of a page's instructions around the three addresses: where
// the backup lies, the first byte after it, and the boot sector.
struct Instructions {
    std::string_view beforeBackup;
    std::string_view beforeEnd;
    std::string_view beforeBoot;
    std::string_view afterBoot;
};

std::string instructions(const Instructions& pieces, double bootSector, double backupSector,
                         const NumberFormat& format) {
    const double boot = bootSector * kSectorBytes;
    const double backup = backupSector * kSectorBytes;
    const double end = backup + kSectorBytes;
    return std::string(pieces.beforeBackup) + decimalText(backup, format) +
           std::string(pieces.beforeEnd) + decimalText(end, format) +
           std::string(pieces.beforeBoot) + decimalText(boot, format) +
           std::string(pieces.afterBoot);
}

constexpr Instructions kNtfsInstructions{
    "Start patch > press 'U' for physical unit > Select the physical disk. The first physical "
    "disk will be 128. This is the same disk that is listed as Disk 0 in the partinfo. The "
    "second physical drive will be 129 or Disk 1 in the partinfo. Additional drives will have "
    "the next consecutive numbers."
    "\r\n\r\n"
    "Press F12 > You should be in the HEX display now, press F2 and enter the number: ",

    "\r\n\r\n"
    "Now press CTRL+K B to mark the beginning of the block we're going write to a file > press "
    "F2 and enter the number: ",

    "\r\n\r\n"
    "Now press CTRL+K K to mark the end of the block (the selected area should be blue now "
    "from the beginning of the backup bootsector upto 55AA) > press CTRL+K W to write the "
    "marked area to a file a:\\bbs.dat (make sure a write enabled diskette is in the floppy "
    "drive)."
    "\r\n\r\n"
    "Press F2 to bring up the goto dialog box and enter: ",

    " for the byte address > press CTRL+K R > select the file a:\\bbs.dat > exit patch by "
    "pressing F12.",
};

constexpr Instructions kFat32Instructions{
    "Start patch > press 'U' for physical unit > Select the physical disk. The first physical "
    "disk will be 128. This is the same disk that is listed as Disk 0 in the partinfo."
    "\r\n\r\n"
    "The second physical drive will be 129 or Disk 1 in the partinfo. Additional drives will "
    "have the next consecutive numbers."
    "\r\n\r\n"
    "Now press F12 > You should be in the HEX display now, press F2 and enter the number: ",

    "\r\n\r\n"
    "press CTRL+K B to mark the beginning of the block we're going write to a file > press F2 "
    "and enter the number: ",

    "\r\n\r\n"
    "press CTRL+K K to mark the end of the block (the selected area should be blue now from "
    "the beginning of the backup bootsector upto 55AA) > press CTRL+K W to write the marked "
    "area to a file a:\\bbs.dat (make sure a write enabled diskette is in the floppy drive). "
    "You should be able to read MSWIN4.X in the right column displaying ASCII text."
    "\r\n\r\n"
    "Press F2 to bring up the goto dialog box and enter: ",

    "\r\n\r\n"
    "Now press CTRL+K R > select the file a:\\bbs.dat > exit patch by pressing F12.",
};

constexpr std::string_view kNtfsInfo =
    "Based upon information in MS Knowledge base documents Q153973 & Q121517 it is possible to "
    "replace a corrupted bootsector with a backup of the bootsector."
    "\r\n\r\n"
    "Step 1 is to determine the position of the backup bootsector. The values can be found on "
    "the partinfo. Run partinfo by typing partinfo>test.txt . Print the file test.txt so You "
    "can use it to determine the values for the text boxes."
    "\r\n\r\n"
    "The values that should be entered are the start sector and number of sectors for the "
    "corrupted partition (which is often identified as HPFS or *QNX/UNIX on the partinfo "
    "output)."
    "\r\n\r\n"
    "You can now go ahead and enter the values and click the 'calculate' button.";

constexpr std::string_view kFat32Info =
    "This wizard will help you finding the backup bootsector of a FAT32 partition. This can be "
    "helpfull when the original bootsector has become corrupt."
    "\r\n\r\n"
    "The things you will need before using this wizard are, the program patch.exe, a diskette "
    "you can write a small file to and a partinfo. You will need to enter the startsector of "
    "the inaccesable partition which can be read from the partinfo (which is often identified "
    "as X? where X is the drive letter)."
    "\r\n\r\n"
    "You can now go ahead and enter the value for the startsector and after that click "
    "'calculate'.";

// The FAT32 boot sector's copy lies six sectors after it.
constexpr double kFat32BackupSector = 6;

}  // namespace

TextFields<NtfsBbsFields> ntfsBbsTextFields() {
    using F = NtfsBbsFields;
    static constexpr TextField<F> kFields[] = {
        {"ntfsstartsector", &F::ntfsstartsector},
        {"ntfsnumbersectors", &F::ntfsnumbersectors},
    };
    return kFields;
}

TextFields<Fat32BbsFields> fat32BbsTextFields() {
    using F = Fat32BbsFields;
    static constexpr TextField<F> kFields[] = {{"startsct", &F::startsct}};
    return kFields;
}

std::string ntfsBbsInfoText() { return std::string(kNtfsInfo); }

std::string fat32BbsInfoText() { return std::string(kFat32Info); }

Outcome calculateNtfsBbs(const NtfsBbsFields& fields, std::string& report,
                         const NumberFormat& format) {
    return runWizard([&] {
        const double start = readSectors(fields.ntfsstartsector, "Start Sector", 0);
        const double count = readSectors(fields.ntfsnumbersectors, "Number of Sects", 1);
        report = instructions(kNtfsInstructions, start, start + count - 1, format);
    });
}

Outcome calculateFat32Bbs(const Fat32BbsFields& fields, std::string& report,
                          const NumberFormat& format) {
    return runWizard([&] {
        const double start = readSectors(fields.startsct, "Start Sector", 0);
        report = instructions(kFat32Instructions, start, start + kFat32BackupSector, format);
    });
}

}  // namespace quorvane::core
