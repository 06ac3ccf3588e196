#include "core/calculators/error108.h"

#include <cmath>

#include "core/calculators/calculators.h"

namespace quorvane::core {

TextFields<Error108Fields> error108TextFields() {
    using F = Error108Fields;
    static constexpr TextField<F> kFields[] = {
        {"cyls108", &F::cyls108}, {"hds108", &F::hds108},   {"scts108", &F::scts108},
        {"ss108", &F::ss108},     {"nums108", &F::nums108},
    };
    return kFields;
}

Outcome calculateError108(const Error108Fields& fields, std::string& report,
                          const NumberFormat& format) {
    report.clear();
    return runRequiredFields(kOverflow, kCalculatorTitle, [&] {
        const double start = readLenient(fields.ss108);
        const double count = readLenient(fields.nums108);
        const double end = add(count, start);  // the first sector after the partition
        const double heads = readLenient(fields.hds108);
        const double sectors = readLenient(fields.scts108);

        const double endCylinder = std::fabs(divide(divide(end, heads), sectors));
        const bool onBoundary = endCylinder - std::nearbyint(endCylinder) == 0;
        const double cylinderMb = divide(multiply(heads, sectors), 2048);

        if (onBoundary) {
            report = "This problem can probably be fixed by using the /ipe switch and resize the "
                     "partition 1 cylinder smaller (" +
                     decimalText(cylinderMb, format) +
                     " Mb in this case) if no other partition table errors are present. The "
                     "risk of dataloss is not higher then normal.";
        } else {
            report = std::string(kHigherRiskVerdict) + ".";
        }
    });
}

}  // namespace quorvane::core
