// "Check" on the "Geometry" page: the entry's checks named after the
// partition tools' error codes, the drive and partition statistics, the
// verdict and the Editpart command line of the entry.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "core/app/shell.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::core {

// Title of the required-fields message of the check.
inline constexpr std::string_view kCheckTitle = "ID10T detected";

// Runs the check on `workspace.geometry`: empties the report, checks #110,
// #116, #104, #107, #108 and #109 in this order, writes the report, sets
// `checkstate` (2, then 1 when a check found an error) and builds `editline`,
// writing "0" into an empty `prtsct` and `relcyl`.
//
// A check that stops on a failure leaves what it already wrote (the empty
// report, or the whole report when the Editpart line failed), `checkstate`
// 3 and `editline` empty. So does an entry with an item that cannot stand in
// a batch line; its report then ends with a line naming the field.
Outcome checkEntry(Workspace& workspace, const NumberFormat& format);

// The same check, also giving in `failed` the codes of the checks that found
// an error, in ascending order (those found before it stopped, if it stopped).
Outcome checkEntryCodes(Workspace& workspace, const NumberFormat& format,
                        std::vector<int>& failed);

// The codes the check gives a verdict on, in ascending order.
inline constexpr std::array<int, 6> kCheckCodes = {104, 107, 108, 109, 110, 116};

}  // namespace quorvane::core
