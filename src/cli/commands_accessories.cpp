// The DiviZedi calculator on the command line: one argument per key.
#include <limits>

#include "cli/command.h"
#include "core/accessories/calculator.h"

namespace quorvane::cli {

namespace {

int runCalculator(const Arguments& arguments, Context& context) {
    using core::Calculator;
    std::vector<Calculator::Key> keys;
    for (const std::string& caption : arguments.positional) {
        const std::optional<Calculator::Key> key = Calculator::keyFor(caption, context.format);
        if (!key) throw Usage{"unknown key '" + caption + "'"};
        keys.push_back(*key);
    }
    Calculator calculator(context.format);
    core::Outcome all;
    for (const Calculator::Key key : keys) {
        core::Outcome outcome = calculator.press(key);
        if (!outcome.completed()) all.failure = outcome.failure;
        for (core::Message& message : outcome.messages) all.messages.push_back(std::move(message));
    }
    core::Workspace workspace;
    workspace.report = calculator.display();
    return finish(context, workspace, all, {});
}

}  // namespace

void addAccessoryCommands(std::vector<Command>& commands) {
    Command divizedi;
    divizedi.name = "divizedi";
    divizedi.synopsis = "KEY ...";
    divizedi.summary =
        "DiviZedi: presses each KEY (0-9 , +/- + - * / ^ = C CE), prints the display";
    divizedi.minArguments = 0;
    divizedi.maxArguments = std::numeric_limits<std::size_t>::max();
    divizedi.run = runCalculator;
    commands.push_back(std::move(divizedi));
}

}  // namespace quorvane::cli
