// Commands of the "Error 110", "Error 108" and "Bogus 113" pages.
#include "cli/command.h"
#include "core/calculators/bogus113.h"
#include "core/calculators/calculators.h"
#include "core/calculators/error108.h"
#include "core/calculators/error110.h"

namespace quorvane::cli {

using core::Workspace;

void addCalculatorCommands(std::vector<Command>& commands) {
    commands.push_back(pageCommand(
        "error110", "offset in cylinders and risk of the /ipe repair (\"Error 110\")",
        fieldOptions(core::error110TextFields()), core::error110TextFields(), &Workspace::error110,
        core::pageCalculation(&Workspace::error110, core::calculateError110)));
    commands.push_back(pageCommand(
        "error108", "whether a partition ends on a cylinder boundary (\"Error 108\")",
        fieldOptions(core::error108TextFields()), core::error108TextFields(), &Workspace::error108,
        core::pageCalculation(&Workspace::error108, core::calculateError108)));
    commands.push_back(pageCommand(
        "bogus113", "resultant big total, overlap in clusters and remedy (\"Bogus 113\")",
        fieldOptions(core::bogus113TextFields()), core::bogus113TextFields(), &Workspace::bogus113,
        core::pageCalculation(&Workspace::bogus113, core::calculateBogus113)));
    commands.push_back(textCommand("bogus113-info",
                                   "the \"Display info\" text of the \"Bogus 113\" page",
                                   core::bogus113InfoText));
}

}  // namespace quorvane::cli
