#include "core/calculators/error110.h"

#include <cmath>
#include <string_view>

#include "core/base/texts.h"
#include "core/calculators/calculators.h"

namespace quorvane::core {

namespace {

// Beyond the largest float: a double from here up rounds to infinity.
constexpr double kSingleLimit = 0x1.ffffffp+127;

constexpr std::string_view kNormalRiskVerdict =
    "This problem can probably be fixed by using the /ipe switch if no other partition table "
    "errors are present. The risk of dataloss is not higher then normal.";

constexpr std::string_view kLargeOffsetNote =
    "!NOTE!: Seen the large offset the following can be the cause of the error: Error #110 "
    "can also be reported if a drive is larger than 1,024 cylinders and the necessary Large "
    "Drive Placeholders are not being reported.  This can be corrected in one of two ways:\r\n"
    "1) Change the file system type in the partition table to FAT32X, FAT16X or ExtendedX "
    "accordingly. This will force actual values to be created from the large drive "
    "placholders.\r\n"
    "2) change the begin or end cylinder value to 1023 this will force actual values to be "
    "created from large drive placeholders. You will see this most commonly with NTFS.\r\n"
    "\r\n"
    "For more information see KB document #err-0110";

constexpr std::string_view kRepairProcedure =
    "---------------------------------------------------------General procedure for using the "
    "/ipe switch (this can pasted into an email):\r\n"
    "\r\n"
    "Boot into DOS (from a diskette) and insert the 2nd PartitionMagic Rescue diskette. - From "
    "the a:\\prompt type pqmagic/ipe [enter]. - 'Right click' the partition that shows the "
    "error in the partinfo and select the option 'resize/move'. - In the resize/move dialog, "
    "make the partition 20 Mb smaller, then click 'OK'. - Now apply the changes. When done, "
    "reboot the computer, PartitionMagic should now run fine.";

// What the calculation finds, before it is written as the report.
struct Error110Result {
    double sizeMb = 0;
    float offset = 0;  // in cylinders; every test works on the single value
    bool higherRisk = false;
    bool largeOffset = false;
};

Error110Result compute(const Error110Fields& fields) {
    const double endBegin = readLenient(fields.endbegin);
    const double ucsectors = readLenient(fields.ucsectors);
    const double heads = readLenient(fields.heads110);
    const double sectors = readLenient(fields.sects110);
    const double cylinders = readLenient(fields.cyls110);

    const double perCylinder = multiply(sectors, heads);
    const double offset = divide(subtract(endBegin, ucsectors), perCylinder);
    if (std::fabs(offset) >= kSingleLimit) {
        throw BasicError{kOverflow};
    }

    Error110Result result;
    result.offset = static_cast<float>(offset);
    result.sizeMb = divide(multiply(cylinders, perCylinder), 2048);
    const bool whole = result.offset - std::nearbyint(result.offset) == 0;
    result.higherRisk = !whole || result.offset < -6 || result.offset > 6;
    result.largeOffset = result.offset < -100 || result.offset > 100;
    return result;
}

std::string reportText(const Error110Result& result, const NumberFormat& format) {
    std::string text = " The size in Mb's is : " + decimalText(result.sizeMb, format);
    text += kCrLf;
    text += " The offset in cylinders is : " + decimalTextSingle(result.offset, format);
    text += "\r\n\r\n";
    text += result.higherRisk ? kHigherRiskVerdict : kNormalRiskVerdict;
    text += "\r\n\r\n";
    if (result.largeOffset) {
        text += kLargeOffsetNote;
    }
    text += "\r\n\r\n\r\n";
    text += kRepairProcedure;
    return text;
}

}  // namespace

TextFields<Error110Fields> error110TextFields() {
    using F = Error110Fields;
    static constexpr TextField<F> kFields[] = {
        {"cyls110", &F::cyls110},     {"heads110", &F::heads110}, {"sects110", &F::sects110},
        {"ucsectors", &F::ucsectors}, {"endbegin", &F::endbegin},
    };
    return kFields;
}

Outcome calculateError110(const Error110Fields& fields, std::string& report,
                          const NumberFormat& format) {
    return runRequiredFields(kOverflow, kCalculatorTitle, [&] {
        report = reportText(compute(fields), format);
    });
}

}  // namespace quorvane::core
