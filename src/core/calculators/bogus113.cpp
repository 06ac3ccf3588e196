#include "core/calculators/bogus113.h"

#include "core/base/texts.h"
#include "core/calculators/calculators.h"

namespace quorvane::core {

TextFields<Bogus113Fields> bogus113TextFields() {
    using F = Bogus113Fields;
    static constexpr TextField<F> kFields[] = {
        {"sectclus", &F::sectclus}, {"root", &F::root},         {"sectsfat", &F::sectsfat},
        {"bigtotal", &F::bigtotal}, {"numbersect", &F::numbersect},
    };
    return kFields;
}

Outcome calculateBogus113(const Bogus113Fields& fields, std::string& report,
                          const NumberFormat& format) {
    report.clear();
    return runRequiredFields(kTypeMismatch, kCalculatorTitle, [&] {
        const double perCluster = readStrict(fields.sectclus, format);
        const double rootEntries = readStrict(fields.root, format);
        const double bigTotal = readStrict(fields.bigtotal, format);
        const double tableSectors = readStrict(fields.numbersect, format);

        // 32-byte directory entries in 512-byte sectors.
        const double rootSectors = divide(multiply(rootEntries, 32), 512);
        // The sectors per FAT are read where they are first needed. The
        // total is one boot sector, two FATs, the root directory and as
        // many clusters as a FAT of 2-byte entries addresses (256 a sector,
        // less the 2 reserved ones).
        const double fatSectors = readStrict(fields.sectsfat, format);
        const double clusters = subtract(multiply(256, fatSectors), 2);
        const double resultant =
            add(add(add(1, multiply(2, fatSectors)), rootSectors), multiply(clusters, perCluster));
        const double overlap = divide(subtract(bigTotal, tableSectors), perCluster);

        report = "Resultant Big total number of sectors: " + decimalText(resultant, format) +
                 std::string(kCrLf) + "Overlap in clusters: " + decimalText(overlap, format) +
                 "\r\n\r\n";
        if (overlap < 1) {
            report +=
                "This can probably be fixed by adjusting the 'Big Total Number of Sectors' in "
                "the bootsector to match 'sectors' from the partition table.";
        } else {
            report +=
                "You will need to adjust the Number of Sectors in the partition table to match "
                "the Big Total Number of Sectors.";
        }
    });
}

std::string bogus113InfoText() {
    return std::string(kBogus113Description) +
           "To fix this you may be able to change the big total number of sectors value, but "
           "that may very likely cause other problems that could lead to data loss or worse.  "
           "The only way to be completely make sure that it is fixed is usually to change the "
           "end cylinder and number of sectors value in the partition table to match the big "
           "total number of sectors value in the boot record.\r\n"
           "\r\n"
           "Due to the nature of the solution, their is a possibility that the partition that "
           "is reporting the error 113, will change in size. If there are additional partitions "
           "on the drive be very careful. You may have to resize some of the other partitions so "
           "that you have some free space.";
}

}  // namespace quorvane::core
