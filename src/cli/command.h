// The parts every quorvane-cli command is made of: its options, the parsed
// command line, and the common way of printing an operation's result. Each
// area of the program declares its commands in a file of its own
// (commands_<area>.cpp) and adds them to the table in cli.cpp.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "core/app/shell.h"
#include "core/base/fields.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::cli {

// A mistake on the command line: printed with the usage text, exit status 2.
struct Usage {
    std::string problem;
};

// An option a command takes, written "--name VALUE", "--name=VALUE" or,
// without a value name, "--name" alone. Names match in any case.
struct Option {
    std::string_view name;
    std::string_view valueName;  // empty: a flag
    std::string_view help;
};

// A command line checked against a command's options.
struct Arguments {
    // Options in the order given, under their declared names.
    std::vector<std::pair<std::string_view, std::string>> given;
    std::vector<std::string> positional;

    // The value of the last `name` given, or null.
    const std::string* value(std::string_view name) const;
    bool flag(std::string_view name) const { return value(name) != nullptr; }
};

// Parses `words` against `options`; words that do not start with "--" are
// positional. Throws Usage for an unknown option or a missing value.
Arguments parseArguments(std::span<const std::string> words, std::span<const Option> options);

// What a command runs with.
struct Context {
    core::NumberFormat format;
    bool printFields = false;  // --fields
    bool crlf = false;         // --crlf
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    const ImageOpener& openImage;   // opens the disk image a command names
    std::string_view command = {};  // the command's name, for what it says on stderr
};

// A value that --fields prints as name=value after a completed operation.
struct Printed {
    std::string_view name;
    std::function<std::string(const core::Workspace&)> value;
};

// Prints the report box (LF line breaks and a final line feed, or exactly
// as the box holds it with --crlf), the printed values (with --fields, when
// the operation completed) and each message box on stderr as TITLE: PROMPT.
// An operation that stopped without a message, as the window lets it, says
// on stderr why it stopped. Returns 0 when the operation completed without a
// message, 1 otherwise.
int finish(const Context& context, const core::Workspace& workspace,
           const core::Outcome& outcome, std::span<const Printed> printed);

// Why an operation stopped on `failure`, in words ("division by zero"), and
// the line on stderr of one that stopped so without a message.
std::string stopReason(int failure);
std::string stopLine(const Context& context, int failure);

// One message box as a line of stderr: its line breaks become blanks.
std::string oneLine(std::string_view text);

struct Command {
    std::string_view name;
    std::string_view synopsis;  // what follows the name in the usage text
    std::string_view summary;
    std::vector<Option> options;
    std::string_view notes = {};   // more of --help after the options, when needed
    std::size_t minArguments = 0;  // positional arguments
    std::size_t maxArguments = 0;
    std::function<int(const Arguments&, Context&)> run;
};

// The options that fill a page's text fields, one per control.
template <typename Fields>
std::vector<Option> fieldOptions(core::TextFields<Fields> table) {
    std::vector<Option> options;
    for (const auto& field : table) options.push_back({field.name, "TEXT", {}});
    return options;
}

// Copies the field options given into the page's struct.
template <typename Fields>
void fillFields(const Arguments& arguments, core::TextFields<Fields> table, Fields& fields) {
    for (const auto& field : table)
        if (const std::string* value = arguments.value(field.name)) fields.*field.member = *value;
}

// A command that fills the workspace from its options with `fill`, runs one
// operation and prints its result with `finish`.
Command operationCommand(
    std::string_view name, std::string_view summary, std::vector<Option> options,
    std::function<void(const Arguments&, core::Workspace&)> fill,
    std::function<core::Outcome(core::Workspace&, const core::NumberFormat&)> operation,
    std::vector<Printed> printed);

// A command over one page: its options fill the page's fields (`table`,
// into the workspace's `page`), then it runs `run`.
template <typename Fields>
Command pageCommand(std::string_view name, std::string_view summary, std::vector<Option> options,
                    core::TextFields<Fields> table, Fields core::Workspace::*page,
                    std::function<core::Outcome(core::Workspace&, const core::NumberFormat&)> run) {
    return operationCommand(
        name, summary, std::move(options),
        [table, page](const Arguments& arguments, core::Workspace& w) {
            fillFields(arguments, table, w.*page);
        },
        std::move(run), {});
}

// A command that prints one fixed text as the report box shows it.
Command textCommand(std::string_view name, std::string_view summary, std::string (*text)());

// The commands of each area.
void addAppCommands(std::vector<Command>& commands);
void addWorkbenchCommands(std::vector<Command>& commands);
void addBatchCommands(std::vector<Command>& commands);
void addTableCommands(std::vector<Command>& commands);
void addBootsectorCommands(std::vector<Command>& commands);
void addPartinfoCommands(std::vector<Command>& commands);
void addCalculatorCommands(std::vector<Command>& commands);
void addWizardCommands(std::vector<Command>& commands);
void addAccessoryCommands(std::vector<Command>& commands);

}  // namespace quorvane::cli
