// The "Error 110" page: the CHS and LBA views of a partition disagree. From
// the drive geometry and the two sector counts it sizes the disagreement in
// cylinders and judges the risk of the /ipe repair.
#pragma once

#include <string>
#include <string_view>

#include "core/base/fields.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::core {

// The page's fields, as typed. Names follow the page's controls.
struct Error110Fields {
    std::string cyls110;    // cylinders of the partition
    std::string heads110;   // heads per cylinder of the drive
    std::string sects110;   // sectors per track of the drive
    std::string ucsectors;  // the partinfo's ucsectors value
    std::string endbegin;   // the partinfo's end minus begin, in sectors

    friend bool operator==(const Error110Fields&, const Error110Fields&) = default;
};

// The page's text fields, in the page's order.
TextFields<Error110Fields> error110TextFields();

// The fixed explanation of the page's description frame.
inline constexpr std::string_view kError110Description =
    "Each partition table entry contains redundant information, once in CHS format and then "
    "again in LBA format. When the two don't agree, PQ products report Error #110. This error "
    "can be critical, depending on how it occurred. This wizard will help determine if the "
    "error is fixable.";

// "Calculate": reads the fields leniently (an empty field reads as 0) and
// replaces the report, or leaves it as it was when the calculation fails.
// An overflow (0 / 0 from an empty page, an offset beyond single precision,
// a value beyond double precision) asks for the required fields; any other
// failure, such as differing counts over a geometry of 0, is silent.
Outcome calculateError110(const Error110Fields& fields, std::string& report,
                          const NumberFormat& format);

}  // namespace quorvane::core
