// What the three error calculators share: the title of their
// required-fields message, the higher-risk verdict on the /ipe repair, and
// their buttons as operations on the workspace.
#pragma once

#include <string>
#include <string_view>

#include "core/app/numeric.h"
#include "core/app/outcome.h"
#include "core/app/shell.h"
#include "core/calculators/bogus113.h"

namespace quorvane::core {

inline constexpr std::string_view kCalculatorTitle = "ID10T detected";

// The "Error 110" page writes it as it stands, the "Error 108" page adds a
// full stop.
inline constexpr std::string_view kHigherRiskVerdict =
    "The risk of dataloss is higher then normal when the /ipe switch would be used. Do not "
    "proceed before having backed up all important data from this partition! A backup, "
    "delete, restore is the safest option";

// A page's calculation as an operation on the workspace: the page's fields
// in, the report box out.
template <typename Fields>
auto pageCalculation(Fields Workspace::*page,
                     Outcome (*calculate)(const Fields&, std::string&, const NumberFormat&)) {
    return [page, calculate](Workspace& workspace, const NumberFormat& format) {
        return calculate(workspace.*page, workspace.report, format);
    };
}

// "Clear form" ("Clear all" on the "Bogus 113" page) as an operation on the
// workspace: empties the report box and every field of the page.
template <typename Fields>
auto pageClearing(Fields Workspace::*page) {
    return [page](Workspace& workspace, const NumberFormat&) {
        workspace.report.clear();
        workspace.*page = Fields{};
        return Outcome{};
    };
}

// "Display info" of the "Bogus 113" page: its explanation replaces the
// report box; no field is read.
inline Outcome displayBogus113Info(Workspace& workspace, const NumberFormat&) {
    workspace.report = bogus113InfoText();
    return {};
}

}  // namespace quorvane::core
