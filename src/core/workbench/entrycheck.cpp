#include "core/workbench/entrycheck.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "core/base/characters.h"
#include "core/base/texts.h"
#include "core/workbench/geometry.h"

namespace quorvane::core {

namespace {

// Sectors to whole Mb (512 bytes a sector), rounded down.
double wholeMb(double sectors) {
    return std::floor(divide(divide(multiply(sectors, 512), 1024), 1024));
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isDecimalDigit);
}

// What an item of the Editpart line may hold. The batch file is run by the
// command interpreter, so a field's text goes into it only in a plain form.
enum class Plain {
    Digits,         // a whole number, digits alone
    DigitsOrEmpty,  // the same, or an empty combo box
    TypeCode,       // two hexadecimal digits, or an empty combo box
};

bool isPlain(std::string_view item, Plain kind) {
    switch (kind) {
        case Plain::Digits: return !item.empty() && allDigits(item);
        case Plain::DigitsOrEmpty: return allDigits(item);
        case Plain::TypeCode:
            return item.empty() ||
                   (item.size() == 2 && isHexDigit(item[0]) && isHexDigit(item[1]));
    }
    return false;
}

// The Editpart command line of the entry, or, when a field's value cannot
// stand in it, the label of the first such field and no line.
struct EditpartLine {
    std::string line;
    std::string_view unfitField;
};

// `tableCylinder` is the text of the cylinder that holds the entry's
// partition table.
EditpartLine editpartLine(const GeometryFields& f, std::string_view tableCylinder) {
    EditpartLine result{"editpart", {}};
    const auto own = [&](std::string_view text) { (result.line += ' ') += text; };
    const auto item = [&](std::string_view text, Plain kind, std::string_view label) {
        text = trimmedBlanks(text);
        if (result.unfitField.empty() && !isPlain(text, kind)) result.unfitField = label;
        own(text);
    };
    item(f.drive, Plain::DigitsOrEmpty, "Drv");
    item(tableCylinder, Plain::Digits, "PartSect");
    item(f.prtno, Plain::DigitsOrEmpty, "#");
    own(f.Optact ? "*" : "-");
    item(f.filesys, Plain::TypeCode, "FS");
    item(f.cyls, Plain::Digits, "Cyl (CHS begin values)");
    item(f.heads, Plain::Digits, "Head (CHS begin values)");
    item(f.sects, Plain::Digits, "Sect (CHS begin values)");
    item(f.ecyls, Plain::Digits, "Cyl (CHS end values)");
    item(f.eheads, Plain::Digits, "Head (CHS end values)");
    item(f.esects, Plain::Digits, "Sect (CHS end values)");
    item(f.relcyl, Plain::Digits, "Relcyl");
    item(f.dgcyls, Plain::Digits, "Cyl (Drive Geometry)");
    item(f.dgheads, Plain::Digits, "Head (Drive Geometry)");
    item(f.dgsects, Plain::Digits, "Sect (Drive Geometry)");
    own("26");
    if (!result.unfitField.empty()) result.line.clear();
    return result;
}

}  // namespace

int checkstateNumber(CheckVerdict verdict) {
    switch (verdict) {
        case CheckVerdict::None: return 0;
        case CheckVerdict::Errors: return 1;
        case CheckVerdict::Accepted: return 2;
        case CheckVerdict::Reset: break;
    }
    return 3;
}

Outcome checkEntry(GeometryFields& f, std::string& report, EntryCheck& check,
                   const NumberFormat& format) {
    check.verdict = CheckVerdict::Accepted;
    std::vector<int> codes;
    const auto recordError = [&check, &codes](int code, std::string& line, std::string error) {
        line = std::move(error);
        check.verdict = CheckVerdict::Errors;
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
    };
    Outcome outcome = runRequiredFields(kTypeMismatch, kCheckTitle, [&] {
        const auto number = [&](const std::string& text) { return readStrict(text, format); };
        const auto text = [&](double value) { return decimalText(value, format); };
        report.clear();

        const ChsSpan span = readChsSpan(f, format);
        const double h = span.heads, s = span.sectors, eh = span.endHead, es = span.endSector;
        const double start = span.start, end1 = span.endPlusOne, count = span.count;

        const double total = multiply(s, multiply(h, number(f.dgcyls)));
        const double driveMb = wholeMb(total);
        const double partMb = wholeMb(count);
        const double cylSects = std::floor(multiply(h, s));
        const double cylMb = divide(cylSects, 2048);

        const double sectors = number(f.LBAend);
        const double offset = divide(subtract(count, sectors), cylSects);

        std::string line110 = "*check#110 checked o.k.";
        if (sectors != count) {
            recordError(110, line110, "*check#110 is inconsistent! (error!);" + std::string(kCrLf) +
                               "offset in cyl: " + text(offset));
        }

        const double startSector = number(f.lbastrt);
        std::string line116 = "*check#116 checked o.k.";
        if (startSector != start) recordError(116, line116, "*check#116 is inconsistent! (error)");

        std::string line104 = "*check#104 checked o.k.";
        if (count == 0) {
            recordError(104, line104, "*check#104 partition has zero sectors! (error)");
        } else if (count < 0) {
            recordError(104, line104, "*check#104 partition ends before it starts! (error)");
        }

        std::string line107 = "*check#107 checked o.k.";
        if (startSector >= total) {
            recordError(107, line107, "*check#107 partition starts after end of disk! (error)");
        }

        // Each failing sub-check replaces the line: it names the last one.
        std::string line108 = "*check#108 checked o.k.";
        if (subtract(h, 1) != eh) {
            recordError(108, line108, "*check#108 error! (1), head boundery");
        }
        if (es != s) {
            recordError(108, line108, "*check#108 error! (2) sector boundery");
        }
        // The remainder of whole numbers, as bLBA2bCHS takes it: an entry
        // that ends beyond the 32-bit range (past 1 TiB) gets its verdict
        // too. A cylinder that rounds to no sectors stops the check.
        if (wholeRemainder(end1, multiply(h, s)) > 0) {
            recordError(108, line108, "*check#108 error! (3) LBAend Mod (dgheads * dgsects) > 0");
        }

        std::string line109 = "*check#109 checked o.k.";
        if (end1 > total) recordError(109, line109, "*check#109 error! ends after end of disk");

        const std::string crlf(kCrLf);
        const std::string gap = crlf + crlf;
        report =
            "*Startsector consistency check: " + crlf + "calculated startsector: " + text(start) +
            crlf + "entered startsector: " + f.lbastrt + crlf + line116 + gap +
            "*Number of sectors consistency check: " + crlf + "calculated: " + text(count) +
            crlf + "entered: " + f.LBAend + crlf + line110 + gap + line104 + gap + line107 + gap +
            line108 + gap + line109 + gap + "Total sectors HDD: " + text(total) + crlf +
            "Total drive size in Mb: " + text(driveMb) + gap + "Partition size: " +
            text(partMb) + " Mb" + crlf + "One cylinder is " + text(cylSects) + " sectors." +
            crlf + "One cylinder is " + text(cylMb) + " Mb.";

        // The line places the partition table by the cylinder of its sector.
        // A sector inside a cylinder gives a fractional quotient, which is no
        // plain item whatever the decimal separator.
        if (f.prtsct.empty()) f.prtsct = "0";
        const std::string tableCylinder = text(divide(number(f.prtsct), cylSects));
        if (f.relcyl.empty()) f.relcyl = "0";

        EditpartLine editpart = editpartLine(f, tableCylinder);
        if (!editpart.unfitField.empty()) {
            report += gap + "*batch: the value of " + std::string(editpart.unfitField) +
                      " cannot be written to a batch file";
            check.verdict = CheckVerdict::Reset;
        }
        check.editline = std::move(editpart.line);
    });
    if (!outcome.completed()) {
        check.verdict = CheckVerdict::Reset;
        check.editline.clear();
    }
    std::sort(codes.begin(), codes.end());
    check.failed = std::move(codes);
    return outcome;
}

}  // namespace quorvane::core
