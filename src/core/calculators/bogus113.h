// The "Bogus 113" page: the big total number of sectors in a FAT boot
// record exceeds the partition's number of sectors. It computes the big
// total that the FAT's size implies and by how many clusters the boot
// record overreaches, and says which of the two repairs applies.
#pragma once

#include <string>
#include <string_view>

#include "core/base/fields.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::core {

// The page's fields, as typed. Names follow the page's controls.
struct Bogus113Fields {
    std::string sectclus;    // sectors per cluster
    std::string root;        // root directory entries
    std::string sectsfat;    // sectors per FAT
    std::string bigtotal;    // the boot record's big total number of sectors
    std::string numbersect;  // the partition table's number of sectors

    friend bool operator==(const Bogus113Fields&, const Bogus113Fields&) = default;
};

// The page's text fields, in the page's order.
TextFields<Bogus113Fields> bogus113TextFields();

// The fixed explanation of the page's description frame (with its
// trailing blank).
inline constexpr std::string_view kBogus113Description =
    "The bogus error 113 is caused when the big total number of sectors value in the boot "
    "record of a FAT or FAT32 partition is greater than the Number of sectors value in the "
    "partition table. ";

// "Calculate": empties the report first, reads the fields strictly in the
// user's number format and writes the resultant big total, the overlap in
// clusters and the remedy. An empty or non-numeric field asks for the
// required fields; any other failure (sectors per cluster of 0, values
// beyond double precision) is silent. A failure leaves the report empty.
Outcome calculateBogus113(const Bogus113Fields& fields, std::string& report,
                          const NumberFormat& format);

// "Display info": the fixed explanation of the error and its repair.
std::string bogus113InfoText();

}  // namespace quorvane::core
