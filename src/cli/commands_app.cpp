// Commands for the main window's fixed texts.
#include "cli/command.h"
#include "core/base/texts.h"

namespace quorvane::cli {

void addAppCommands(std::vector<Command>& commands) {
    commands.push_back(textCommand("intro", "the introduction text shown at start-up",
                                   core::introText));
    commands.push_back(textCommand("general-info", "the \"General info\" text",
                                   core::generalInfoText));
}

}  // namespace quorvane::cli
