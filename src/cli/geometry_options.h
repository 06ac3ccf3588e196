// The "Geometry" page's options, shared by the commands of the workbench.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "cli/command.h"

namespace quorvane::cli {

// One option per text field, --active for the active flag, and
// --geometry, --begin and --end for three fields at once as C/H/S.
std::vector<Option> geometryOptions();

// Fills the page from its options in the order given: a later option
// overrides an earlier one. Throws Usage for a malformed C/H/S.
void fillGeometry(const Arguments& arguments, core::Workspace& workspace);

// The three parts of the C/H/S value of `option`; an empty part stays
// empty. Throws Usage unless there are exactly three.
std::array<std::string_view, 3> splitChs(std::string_view option, std::string_view value);

// A field of the page as --fields prints it.
Printed geometryValue(std::string_view name);

}  // namespace quorvane::cli
