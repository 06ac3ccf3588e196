// What the wizard pages share: the refusal of input from which no right
// instruction can be written.
#pragma once

#include <string>
#include <string_view>

#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::core {

// Title of the wizards' message boxes.
inline constexpr std::string_view kWizardTitle = "ID10T detected";

// Failure code of a value that lies outside the range a real volume can
// have (the text itself is a number).
inline constexpr int kInvalidValue = 5;

// Thrown by a wizard operation that refuses its input: the click shows the
// message and writes nothing.
struct Refusal {
    Message message;
    int code;
};

// A refusal with the wizards' title and the exclamation icon.
inline Refusal refusal(std::string prompt, int code) {
    return Refusal{
        Message{std::move(prompt), std::string(kWizardTitle), Icon::Exclamation, Buttons::Ok},
        code};
}

inline Refusal requiredFieldsRefusal() {
    return refusal(std::string(kRequiredFieldsPrompt), kTypeMismatch);
}

// Runs a wizard operation; a refusal ends it with its message, a failure of
// the arithmetic ends it silently. The operation writes only after all its
// readings and computations succeeded, so either way nothing is written.
template <typename Body>
Outcome runWizard(Body&& body) {
    Outcome outcome;
    try {
        body();
    } catch (const Refusal& refused) {
        outcome.messages.push_back(refused.message);
        outcome.failure = refused.code;
    } catch (const BasicError& error) {
        outcome.failure = error.code;
    }
    return outcome;
}

}  // namespace quorvane::core
