// What the three error calculators share: the title of their
// required-fields message and the higher-risk verdict on the /ipe repair.
#pragma once

#include <string>
#include <string_view>

#include "core/base/numeric.h"
#include "core/base/outcome.h"
#include "core/calculators/bogus113.h"

namespace quorvane::core {

inline constexpr std::string_view kCalculatorTitle = "ID10T detected";

// The "Error 110" page writes it as it stands, the "Error 108" page adds a
// full stop.
inline constexpr std::string_view kHigherRiskVerdict =
    "The risk of dataloss is higher then normal when the /ipe switch would be used. Do not "
    "proceed before having backed up all important data from this partition! A backup, "
    "delete, restore is the safest option";

}  // namespace quorvane::core
