#include "cli/command.h"

#include <algorithm>
#include <cctype>
#include <ostream>

#include "core/base/texts.h"

namespace quorvane::cli {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

}  // namespace

const std::string* Arguments::value(std::string_view name) const {
    const std::string* found = nullptr;
    for (const auto& [option, text] : given)
        if (option == name) found = &text;
    return found;
}

Arguments parseArguments(std::span<const std::string> words, std::span<const Option> options) {
    Arguments arguments;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.rfind("--", 0) != 0) {
            arguments.positional.push_back(word);
            continue;
        }
        std::string_view name = std::string_view(word).substr(2);
        std::optional<std::string> value;
        if (const std::size_t eq = name.find('='); eq != std::string_view::npos) {
            value = std::string(name.substr(eq + 1));
            name = name.substr(0, eq);
        }
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const Option& o) { return sameName(o.name, name); });
        if (option == options.end()) throw Usage{"unknown option '" + word + "'"};
        if (option->valueName.empty()) {
            if (value) throw Usage{"--" + std::string(option->name) + " takes no value"};
            value = std::string();
        } else if (!value) {
            // The next word is the value whatever it looks like, so that
            // "--cyls -1" gives -1.
            if (i + 1 >= words.size())
                throw Usage{"--" + std::string(option->name) + " needs a value"};
            value = words[++i];
        }
        arguments.given.emplace_back(option->name, std::move(*value));
    }
    return arguments;
}

std::string stopReason(int failure) {
    std::string reason = core::failureDescription(failure);
    std::transform(reason.begin(), reason.end(), reason.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return reason;
}

std::string stopLine(const Context& context, int failure) {
    return "quorvane-cli: " + std::string(context.command) + " stopped: " + stopReason(failure) +
           "; the window shows no message here\n";
}

std::string oneLine(std::string_view text) {
    std::string line = core::withLineFeeds(text);
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

int finish(const Context& context, const core::Workspace& workspace,
           const core::Outcome& outcome, std::span<const Printed> printed) {
    if (context.crlf) {
        context.out << workspace.report;
    } else if (!workspace.report.empty()) {
        std::string text = core::withLineFeeds(workspace.report);
        if (text.back() != '\n') text += '\n';
        context.out << text;
    }
    if (context.printFields && outcome.completed()) {
        // The exact report has no final line break of its own.
        if (context.crlf && !printed.empty() && !workspace.report.empty() &&
            !workspace.report.ends_with("\r\n"))
            context.out << "\r\n";
        for (const Printed& field : printed)
            context.out << field.name << '=' << field.value(workspace) << '\n';
    }
    for (const core::Message& message : outcome.messages)
        context.err << message.title << ": " << oneLine(message.prompt) << '\n';
    if (!outcome.completed() && outcome.messages.empty())
        context.err << stopLine(context, outcome.failure);
    context.out.flush();
    return outcome.completed() && outcome.messages.empty() ? 0 : 1;
}

Command operationCommand(
    std::string_view name, std::string_view summary, std::vector<Option> options,
    std::function<void(const Arguments&, core::Workspace&)> fill,
    std::function<core::Outcome(core::Workspace&, const core::NumberFormat&)> operation,
    std::vector<Printed> printed) {
    Command command;
    command.name = name;
    command.synopsis = options.empty() ? "" : "[OPTION ...]";
    command.summary = summary;
    command.options = std::move(options);
    command.run = [fill = std::move(fill), operation = std::move(operation),
                   printed = std::move(printed)](const Arguments& arguments, Context& context) {
        core::Workspace workspace;
        if (fill) fill(arguments, workspace);
        const core::Outcome outcome = operation(workspace, context.format);
        return finish(context, workspace, outcome, printed);
    };
    return command;
}

Command textCommand(std::string_view name, std::string_view summary, std::string (*text)()) {
    return operationCommand(name, summary, {}, {}, core::reportText(text), {});
}

}  // namespace quorvane::cli
