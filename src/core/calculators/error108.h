// The "Error 108" page: a partition does not end on a cylinder boundary.
// From the drive geometry and the partition's start and length it decides
// whether the /ipe repair with a resize by one cylinder applies.
#pragma once

#include <string>
#include <string_view>

#include "core/base/fields.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::core {

// The page's fields, as typed. Names follow the page's controls.
struct Error108Fields {
    std::string cyls108;  // shown and cleared, never read
    std::string hds108;   // heads per cylinder of the drive
    std::string scts108;  // sectors per track of the drive
    std::string ss108;    // the partition's first sector
    std::string nums108;  // the partition's number of sectors

    friend bool operator==(const Error108Fields&, const Error108Fields&) = default;
};

// The page's text fields, in the page's order.
TextFields<Error108Fields> error108TextFields();

// The fixed explanation of the page's description frame.
inline constexpr std::string_view kError108Description =
    "When error 108  appears as follows: \"Error #108: Partition didn't end on cylinder "
    "boundary. ucEndHead expected to be X, not 0\", or,\" Error #108: Partition didn't end on "
    "cylinder boundary. ucEndSector expected to be Y, not 1\", the error might be fixable.";

// "Calculate": empties the report first, reads the fields leniently (an
// empty field reads as 0) and writes the verdict as the whole report. An
// overflow (0 / 0 from an empty page, a value beyond double precision) asks
// for the required fields; any other failure, such as a partition end over
// a geometry of 0, is silent. A failure leaves the report empty.
Outcome calculateError108(const Error108Fields& fields, std::string& report,
                          const NumberFormat& format);

}  // namespace quorvane::core
