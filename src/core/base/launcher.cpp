#include "core/base/launcher.h"

#include "core/base/numeric.h"

namespace quorvane::core {

std::string launchFailureText(const Launcher::Result& result) {
    return "Unable to start requested program, error: '" + std::to_string(result.code) + " " +
           result.description + "'";
}

Outcome launchOutcome(const Launcher::Result& result) {
    Outcome outcome;
    outcome.failure = result.code;
    if (result.code == kFileNotFound) {
        outcome.messages.push_back(
            Message{launchFailureText(result), "Dear User", Icon::Exclamation, Buttons::Ok});
    }
    return outcome;
}

Outcome launchOutsideTool(Launcher& launcher, std::string_view program) {
    return launchOutcome(launcher.start(program));
}

}  // namespace quorvane::core
