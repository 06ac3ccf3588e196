#include "core/base/outcome.h"

#include "core/base/numeric.h"

namespace quorvane::core {

Outcome runRequiredFields(int watchedCode, std::string_view title,
                          const std::function<void()>& body) {
    Outcome outcome;
    try {
        body();
    } catch (const BasicError& error) {
        outcome.failure = error.code;
    }
    if (outcome.failure != 0 && outcome.failure == watchedCode) {
        outcome.messages.push_back(Message{std::string(kRequiredFieldsPrompt),
                                           std::string(title), Icon::Exclamation,
                                           Buttons::Ok});
    }
    return outcome;
}

}  // namespace quorvane::core
