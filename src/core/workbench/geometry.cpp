#include "core/workbench/geometry.h"

#include <cmath>

#include "core/base/texts.h"

namespace quorvane::core {

double chsSectorEnd(double cylinder, double heads, double head, double sectors, double sector) {
    return add(multiply(add(multiply(cylinder, heads), head), sectors), sector);
}

ChsSpan readChsSpan(const GeometryFields& fields, const NumberFormat& format) {
    ChsSpan span{};
    // Cylinder and head are taken as numbers: their texts are read when they
    // enter the arithmetic, after the geometry and the sector.
    span.heads = readStrict(fields.dgheads, format);
    span.sectors = readStrict(fields.dgsects, format);
    const double sector = readStrict(fields.sects, format);
    const double cylinder = readStrict(fields.cyls, format);
    const double head = readStrict(fields.heads, format);
    span.start = subtract(chsSectorEnd(cylinder, span.heads, head, span.sectors, sector), 1);

    const double endCylinder = readStrict(fields.ecyls, format);
    span.endHead = readStrict(fields.eheads, format);
    span.endSector = readStrict(fields.esects, format);
    span.endPlusOne =
        chsSectorEnd(endCylinder, span.heads, span.endHead, span.sectors, span.endSector);
    span.count = subtract(span.endPlusOne, span.start);
    return span;
}

TextFields<GeometryFields> geometryTextFields() {
    using F = GeometryFields;
    static constexpr GeometryTextField kFields[] = {
        {"dgcyls", &F::dgcyls}, {"dgheads", &F::dgheads}, {"dgsects", &F::dgsects},
        {"cyls", &F::cyls},     {"heads", &F::heads},     {"sects", &F::sects},
        {"ecyls", &F::ecyls},   {"eheads", &F::eheads},   {"esects", &F::esects},
        {"filesys", &F::filesys}, {"lbastrt", &F::lbastrt}, {"relcyl", &F::relcyl},
        {"LBAend", &F::LBAend}, {"drive", &F::drive},     {"prtno", &F::prtno},
        {"prtsct", &F::prtsct},
    };
    return kFields;
}

Outcome beginChsToLba(GeometryFields& fields, std::string& report, const NumberFormat& format) {
    return runRequiredFields(kTypeMismatch, kConversionTitle, [&] {
        const double c = readStrict(fields.cyls, format);
        const double h = readStrict(fields.dgheads, format);
        const double hd = readStrict(fields.heads, format);
        const double s = readStrict(fields.dgsects, format);
        const double sc = readStrict(fields.sects, format);
        const double start = subtract(chsSectorEnd(c, h, hd, s, sc), 1);
        const std::string startText = decimalText(start, format);

        report = startText + " is the LBA startsector.";
        fields.lbastrt = startText;
    });
}

Outcome beginLbaToChs(GeometryFields& fields, std::string& report, const NumberFormat& format) {
    return runRequiredFields(kTypeMismatch, kConversionTitle, [&] {
        // Heads and sectors per track are taken as numbers: their texts are
        // read when they enter the arithmetic, after the start sector.
        const double lba = readStrict(fields.lbastrt, format);
        const double s = readStrict(fields.dgsects, format);
        const double h = readStrict(fields.dgheads, format);

        const double cylinder = std::floor(divide(divide(lba, s), h));
        const std::uint8_t head = toByte(wholeRemainder(std::floor(divide(lba, s)), h));
        const std::uint8_t sector = toByte(add(wholeRemainder(lba, s), 1));

        const std::string cylinderText = decimalText(cylinder, format);
        const std::string headText = std::to_string(head);
        const std::string sectorText = std::to_string(sector);
        report = "Begin cylinder: " + cylinderText + std::string(kCrLf) + "Begin head: " +
                 headText + std::string(kCrLf) + "Begin sector: " + sectorText;
        fields.cyls = cylinderText;
        fields.heads = headText;
        fields.sects = sectorText;
    });
}

Outcome endChsToLba(GeometryFields& fields, std::string& report, const NumberFormat& format) {
    return runRequiredFields(kTypeMismatch, kConversionTitle, [&] {
        const double ec = readStrict(fields.ecyls, format);
        const double h = readStrict(fields.dgheads, format);
        const double eh = readStrict(fields.eheads, format);
        const double s = readStrict(fields.dgsects, format);
        const double es = readStrict(fields.esects, format);
        const double end = subtract(chsSectorEnd(ec, h, eh, s, es), 1);
        const std::string endText = decimalText(end, format);

        report = endText + " is the absolute LBA endsector." + std::string(kCrLf) +
                 std::string(kCrLf) +
                 "Note: this value is the same as the startsector for the next partition "
                 "(not EPBR).";
        fields.LBAend = endText;
    });
}

Outcome chsToLba(GeometryFields& fields, const NumberFormat& format) {
    return runRequiredFields(kTypeMismatch, kConversionTitle, [&] {
        const ChsSpan span = readChsSpan(fields, format);
        const std::string startText = decimalText(span.start, format);
        const std::string countText = decimalText(span.count, format);
        fields.lbastrt = startText;
        fields.LBAend = countText;
    });
}

}  // namespace quorvane::core
