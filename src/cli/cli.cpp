#include "cli/cli.h"

#include <algorithm>
#include <iostream>
#include <ostream>

#include "cli/command.h"
#include "core/accessories/sysinfo.h"

namespace quorvane::cli {

namespace {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = [] {
        std::vector<Command> all;
        addWorkbenchCommands(all);
        addBatchCommands(all);
        addTableCommands(all);
        addBootsectorCommands(all);
        addPartinfoCommands(all);
        addCalculatorCommands(all);
        addWizardCommands(all);
        addAppCommands(all);
        addAccessoryCommands(all);
        return all;
    }();
    return table;
}

// Options every command takes.
const std::vector<Option>& commonOptions() {
    static const std::vector<Option> options = {
        {"fields", {}, "also print each field the operation wrote, as name=value"},
        {"crlf", {}, "print the report exactly as the report box holds it (CR LF)"},
        {"decimal-comma", {}, "use a decimal comma (and a point for grouping) whatever the "
                              "locale says"},
        {"help", {}, "this text, or with a command its options"},
    };
    return options;
}

void printOptions(std::ostream& out, std::span<const Option> options) {
    for (const Option& option : options) {
        std::string left = "  --" + std::string(option.name);
        if (!option.valueName.empty()) left += " " + std::string(option.valueName);
        out << left;
        if (!option.help.empty()) {
            out << std::string(left.size() < 30 ? 30 - left.size() : 1, ' ') << option.help;
        }
        out << '\n';
    }
}

void printUsage(std::ostream& out) {
    out << "Usage: quorvane-cli COMMAND [OPTION ...]\n"
           "       quorvane-cli COMMAND --help     the command's options\n"
           "       quorvane-cli --version          the program's name and version\n"
           "\nCommands:\n";
    for (const Command& command : commands()) {
        std::string left = "  " + std::string(command.name);
        if (!command.synopsis.empty() && command.synopsis != "[OPTION ...]")
            left += " " + std::string(command.synopsis);
        // A long name puts its summary on a line of its own.
        out << left << (left.size() < 16 ? std::string(16 - left.size(), ' ')
                                         : "\n" + std::string(16, ' '))
            << command.summary << '\n';
    }
    out << "\nOptions of every command:\n";
    printOptions(out, commonOptions());
    out << "\nA page's fields are options named after its controls (any case); each takes\n"
           "its value as the next argument or after '='. A field not given is empty.\n"
           "The report goes to stdout, each message box to stderr as TITLE: PROMPT.\n"
           "Exit status: 0 the operation ran, 1 it refused its input or stopped on a\n"
           "failure, 2 usage error.\n";
}

void printCommandUsage(std::ostream& out, const Command& command) {
    out << "Usage: quorvane-cli " << command.name;
    if (!command.synopsis.empty()) out << ' ' << command.synopsis;
    out << "\n\n" << command.summary << '\n';
    if (!command.options.empty()) {
        out << "\nOptions:\n";
        printOptions(out, command.options);
    }
    if (!command.notes.empty()) out << '\n' << command.notes;
    out << "\nOptions of every command:\n";
    printOptions(out, commonOptions());
}

}  // namespace

int run(const std::vector<std::string>& args, const core::NumberFormat& format,
        std::ostream& out, std::ostream& err) {
    return run(args, format, std::cin, out, err);
}

int run(const std::vector<std::string>& args, const core::NumberFormat& format, std::istream& in,
        std::ostream& out, std::ostream& err) {
    return run(args, format, in, out, err, platform::openDiskImage);
}

int run(const std::vector<std::string>& args, const core::NumberFormat& format, std::istream& in,
        std::ostream& out, std::ostream& err, const ImageOpener& open) {
    Context context{format, false, false, in, out, err, open};
    const Command* command = nullptr;
    try {
        if (args.empty()) throw Usage{"no command given"};
        if (args.front() == "--help" || args.front() == "-h") {
            printUsage(out);
            return kRan;
        }
        if (args.front() == "--version") {
            out << core::kProgramName << '\n' << core::versionText() << '\n';
            return kRan;
        }
        const auto& table = commands();
        const auto found = std::find_if(table.begin(), table.end(),
                                        [&](const Command& c) { return c.name == args.front(); });
        if (found == table.end()) throw Usage{"unknown command '" + args.front() + "'"};
        command = &*found;
        context.command = command->name;

        std::vector<Option> options = command->options;
        options.insert(options.end(), commonOptions().begin(), commonOptions().end());
        const Arguments arguments =
            parseArguments(std::span(args).subspan(1), std::span<const Option>(options));
        if (arguments.flag("help")) {
            printCommandUsage(out, *command);
            return kRan;
        }
        context.printFields = arguments.flag("fields");
        context.crlf = arguments.flag("crlf");
        if (arguments.flag("decimal-comma")) context.format = core::NumberFormat::comma();
        const std::size_t count = arguments.positional.size();
        if (count < command->minArguments || count > command->maxArguments) {
            throw Usage{count > command->maxArguments
                            ? "unexpected argument '" +
                                  arguments.positional[command->maxArguments] + "'"
                            : "'" + std::string(command->name) + "' needs " +
                                  std::string(command->synopsis)};
        }
        return command->run(arguments, context);
    } catch (const Usage& usage) {
        err << "quorvane-cli: " << usage.problem << "\n\n";
        if (command) {
            printCommandUsage(err, *command);
        } else {
            printUsage(err);
        }
        return kUsage;
    }
}

}  // namespace quorvane::cli
