// "Check" on the "Geometry" page: the entry's checks named after the
// partition tools' error codes, the drive and partition statistics, the
// verdict and the Editpart command line of the entry.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/numeric.h"
#include "core/base/outcome.h"
#include "core/workbench/geometry.h"

namespace quorvane::core {

// Title of the required-fields message of the check.
inline constexpr std::string_view kCheckTitle = "ID10T detected";

// The verdict of the last check, as "Attached" reads it.
enum class CheckVerdict {
    None,      // no check yet
    Errors,    // the last check found an error
    Accepted,  // it found none, or "IPE" accepts its errors
    Reset,     // a clear command, a new entry, an add or a check that stopped
};

// The verdict's number where the program shows it (quorvane-cli's
// checkstate=N): 0 to 3 in the order above.
int checkstateNumber(CheckVerdict verdict);

// What the last check leaves for the batch.
struct EntryCheck {
    CheckVerdict verdict = CheckVerdict::None;
    // The Editpart command line of the last completed check; empty when
    // there is none to add.
    std::string editline;
    // The codes of the checks that found an error, in ascending order
    // (those found before it stopped, if it stopped).
    std::vector<int> failed;

    friend bool operator==(const EntryCheck&, const EntryCheck&) = default;
};

// Runs the check on `fields`: empties `report`, checks #110, #116, #104,
// #107, #108 and #109 in this order, writes the report, sets the verdict
// (Accepted, then Errors when a check found an error), the failed codes and
// the Editpart line, writing "0" into an empty `prtsct` and `relcyl`.
//
// A check that stops on a failure leaves what it already wrote (the empty
// report, or the whole report when the Editpart line failed), the verdict
// Reset and the line empty. So does an entry with an item that cannot stand
// in a batch line; its report then ends with a line naming the field.
Outcome checkEntry(GeometryFields& fields, std::string& report, EntryCheck& check,
                   const NumberFormat& format);

// The codes the check gives a verdict on, in ascending order.
inline constexpr std::array<int, 6> kCheckCodes = {104, 107, 108, 109, 110, 116};

}  // namespace quorvane::core
