// Commands for the main window's fixed texts.
#include "cli/command.h"
#include "core/app/texts.h"

namespace quorvane::cli {

namespace {

// A command that prints one fixed text as the report box shows it.
Command textCommand(std::string_view name, std::string_view summary, std::string (*text)()) {
    return operationCommand(name, summary, {}, {},
                            [text](core::Workspace& w, const core::NumberFormat&) {
                                w.report = text();
                                return core::Outcome{};
                            },
                            {});
}

}  // namespace

void addAppCommands(std::vector<Command>& commands) {
    commands.push_back(textCommand("intro", "the introduction text shown at start-up",
                                   core::introText));
    commands.push_back(textCommand("general-info", "the \"General info\" text",
                                   core::generalInfoText));
}

}  // namespace quorvane::cli
