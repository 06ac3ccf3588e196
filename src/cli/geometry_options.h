// The "Geometry" page's options, shared by the commands of the workbench.
#pragma once

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

// A field of the page as --fields prints it.
Printed geometryValue(std::string_view name);

}  // namespace quorvane::cli
