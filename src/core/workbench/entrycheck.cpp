#include "core/workbench/entrycheck.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/app/texts.h"

namespace quorvane::core {

namespace {

// ((C x H + Hd) x S + Sc): the sector after the addressed one, counted from 0.
double chsSectorEnd(double cylinder, double heads, double head, double sectors, double sector) {
    return add(multiply(add(multiply(cylinder, heads), head), sectors), sector);
}

// Sectors to whole Mb (512 bytes a sector), rounded down.
double wholeMb(double sectors) {
    return std::floor(divide(divide(multiply(sectors, 512), 1024), 1024));
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool allOf(std::string_view text, int (*accepted)(int)) {
    return std::all_of(text.begin(), text.end(),
                       [accepted](unsigned char c) { return accepted(c) != 0; });
}

int isDecimalDigit(int c) { return c >= '0' && c <= '9'; }
int isHexDigit(int c) {
    return isDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// What an item of the Editpart line may hold: the batch file is run by the
// command interpreter, so only these plain forms may go into it.
enum class Plain {
    Number,          // a whole number, digits alone
    NumberOrEmpty,   // the same, or an empty combo box
    TypeCode,        // two hexadecimal digits, or an empty combo box
};

bool isPlain(std::string_view item, Plain kind) {
    switch (kind) {
        case Plain::Number: return !item.empty() && allOf(item, isDecimalDigit);
        case Plain::NumberOrEmpty: return allOf(item, isDecimalDigit);
        case Plain::TypeCode: return item.empty() || (item.size() == 2 && allOf(item, isHexDigit));
    }
    return false;
}

struct Item {
    std::string text;
    Plain kind;
    std::string_view field;  // as the page labels it
};

}  // namespace

Outcome checkEntry(Workspace& workspace, const NumberFormat& format) {
    GeometryFields& f = workspace.geometry;
    workspace.checkstate = 2;
    Outcome outcome = runRequiredFields(kTypeMismatch, kCheckTitle, [&] {
        const auto number = [&](const std::string& text) { return readStrict(text, format); };
        const auto text = [&](double value) { return decimalText(value, format); };
        workspace.report.clear();

        // Cylinder and head of the begin CHS are taken as numbers: their
        // texts are read when they enter the arithmetic.
        const double h = number(f.dgheads);
        const double s = number(f.dgsects);
        const double sc = number(f.sects);
        const double c = number(f.cyls);
        const double hd = number(f.heads);
        const double start = subtract(chsSectorEnd(c, h, hd, s, sc), 1);

        const double ec = number(f.ecyls);
        const double eh = number(f.eheads);
        const double end1 = chsSectorEnd(ec, h, eh, s, number(f.esects));
        const double count = subtract(end1, start);

        const double totalHeads = number(f.dgheads);
        const double totalSectors = number(f.dgsects);
        const double total = multiply(totalSectors, multiply(totalHeads, number(f.dgcyls)));
        const double driveMb = wholeMb(total);
        const double partMb = wholeMb(count);
        const double cylSects = std::floor(multiply(number(f.dgheads), number(f.dgsects)));
        const double cylMb = divide(cylSects, 2048);

        const double sectors = number(f.LBAend);
        const double offset = divide(subtract(count, sectors), cylSects);

        std::string line110 = "*check#110 checked o.k.";
        if (number(f.LBAend) != count) {
            line110 = "*check#110 is inconsistent! (error!);" + std::string(kCrLf) +
                      "offset in cyl: " + text(offset);
            workspace.checkstate = 1;
        }

        std::string line116 = "*check#116 checked o.k.";
        if (number(f.lbastrt) != start) {
            line116 = "*check#116 is inconsistent! (error)";
            workspace.checkstate = 1;
        }

        std::string line104 = "*check#104 checked o.k.";
        if (count == 0) {
            line104 = "*check#104 partition has zero sectors! (error)";
            workspace.checkstate = 1;
        } else if (count < 0) {
            line104 = "*check#104 partition ends before it starts! (error)";
            workspace.checkstate = 1;
        }

        std::string line107 = "*check#107 checked o.k.";
        if (!(number(f.lbastrt) < total)) {
            line107 = "*check#107 partition starts after end of disk! (error)";
            workspace.checkstate = 1;
        }

        // Each failing sub-check replaces the line: it names the last one.
        std::string line108 = "*check#108 checked o.k.";
        if (subtract(number(f.dgheads), 1) != number(f.eheads)) {
            line108 = "*check#108 error! (1), head boundery";
            workspace.checkstate = 1;
        }
        if (number(f.esects) != number(f.dgsects)) {
            line108 = "*check#108 error! (2) sector boundery";
            workspace.checkstate = 1;
        }
        const std::int32_t endLong = toLong(end1);
        const std::int32_t cylinderLong = toLong(multiply(number(f.dgheads), number(f.dgsects)));
        if (wholeRemainder(endLong, cylinderLong) > 0) {
            line108 = "*check#108 error! (3) LBAend Mod (dgheads * dgsects) > 0";
            workspace.checkstate = 1;
        }

        std::string line109 = "*check#109 checked o.k.";
        if (end1 > total) {
            line109 = "*check#109 error! ends after end of disk";
            workspace.checkstate = 1;
        }

        const std::string crlf(kCrLf);
        const std::string gap = crlf + crlf;
        workspace.report =
            "*Startsector consistency check: " + crlf + "calculated startsector: " + text(start) +
            crlf + "entered startsector: " + f.lbastrt + crlf + line116 + gap +
            "*Number of sectors consistency check: " + crlf + "calculated: " + text(count) +
            crlf + "entered: " + f.LBAend + crlf + line110 + gap + line104 + gap + line107 + gap +
            line108 + gap + line109 + gap + "Total sectors HDD: " + text(total) + crlf +
            "Total drive size in Mb: " + text(driveMb) + gap + "Partition size: " +
            text(partMb) + " Mb" + crlf + "One cylinder is " + text(cylSects) + " sectors." +
            crlf + "One cylinder is " + text(cylMb) + " Mb.";

        // The Editpart line. The cylinder of the partition table's sector
        // goes through its text and back, as the line has always taken it.
        if (f.prtsct.empty()) f.prtsct = "0";
        const double ptCyl = readLenient(text(divide(number(f.prtsct), cylSects)));
        if (f.relcyl.empty()) f.relcyl = "0";

        const auto field = [](const std::string& value, Plain kind, std::string_view name) {
            return Item{std::string(trimmed(value)), kind, name};
        };
        const Item items[] = {
            field(f.drive, Plain::NumberOrEmpty, "Drv"),
            field(text(ptCyl), Plain::Number, "PartSect"),
            field(f.prtno, Plain::NumberOrEmpty, "#"),
            {f.Optact ? "*" : "-", Plain::Number, {}},
            field(f.filesys, Plain::TypeCode, "FS"),
            field(f.cyls, Plain::Number, "Cyl (CHS begin values)"),
            field(f.heads, Plain::Number, "Head (CHS begin values)"),
            field(f.sects, Plain::Number, "Sect (CHS begin values)"),
            field(f.ecyls, Plain::Number, "Cyl (CHS end values)"),
            field(f.eheads, Plain::Number, "Head (CHS end values)"),
            field(f.esects, Plain::Number, "Sect (CHS end values)"),
            field(f.relcyl, Plain::Number, "Relcyl"),
            field(f.dgcyls, Plain::Number, "Cyl (Drive Geometry)"),
            field(f.dgheads, Plain::Number, "Head (Drive Geometry)"),
            field(f.dgsects, Plain::Number, "Sect (Drive Geometry)"),
            {"26", Plain::Number, {}},
        };
        std::string editline = "editpart";
        for (const Item& item : items) {
            // Items of no field are the program's own and always plain.
            if (!item.field.empty() && !isPlain(item.text, item.kind)) {
                workspace.report += gap + "*batch: the value of " + std::string(item.field) +
                                    " cannot be written to a batch file";
                workspace.checkstate = 3;
                workspace.editline.clear();
                return;
            }
            editline += " " + item.text;
        }
        workspace.editline = editline;
    });
    if (!outcome.completed()) {
        workspace.checkstate = 3;
        workspace.editline.clear();
    }
    return outcome;
}

}  // namespace quorvane::core
