// Commands of the entry check and the Editpart batch file.
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <utility>

#include "cli/cli.h"
#include "cli/command.h"
#include "cli/geometry_options.h"
#include "core/workbench/batch.h"
#include "core/workbench/entrycheck.h"
#include "platform/batchfile_std.h"
#include "platform/clock_std.h"
#include "platform/path.h"

namespace quorvane::cli {

namespace {

using core::Workspace;

// Exit status of a check that found errors in the entry.
constexpr int kEntryErrors = 3;

std::vector<Printed> checkValues() {
    return {geometryValue("prtsct"), geometryValue("relcyl"),
            {"checkstate",
             [](const Workspace& w) {
                 return std::to_string(core::checkstateNumber(w.check.verdict));
             }},
            {"editline", [](const Workspace& w) { return w.check.editline; }}};
}

// A check that completes leaves the verdict Reset only for a field whose
// value cannot be written to a batch file; the report's last line names it.
std::string unfitItem(const Workspace& workspace) {
    return workspace.report.substr(workspace.report.rfind('\n') + 1);
}

int runCheck(const Arguments& arguments, Context& context) {
    Workspace workspace;
    fillGeometry(arguments, workspace);
    const core::Outcome outcome = core::checkGeometryEntry(workspace, context.format);
    if (finish(context, workspace, outcome, checkValues()) != kRan) return kRefused;
    // The entry cannot go into a batch, whatever else the check found: the
    // report says why at its end, and so does stderr for a script that only
    // sees the status.
    if (workspace.check.verdict == core::CheckVerdict::Reset) {
        context.err << "quorvane-cli: check refused: " << unfitItem(workspace) << '\n';
        return kRefused;
    }
    if (workspace.check.verdict == core::CheckVerdict::Errors) return kEntryErrors;
    return kRan;
}

// The words of one line of entries: blanks separate them, and single or
// double quotes hold blanks (or nothing) within one word.
std::vector<std::string> splitWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (const char c : line) {
        if (quote != 0) {
            if (c == quote) quote = 0;
            else word += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord) words.push_back(std::exchange(word, {}));
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quote != 0) throw Usage{"a quote is not closed"};
    if (inWord) words.push_back(word);
    return words;
}

std::vector<Option> entryOptions() {
    std::vector<Option> options = geometryOptions();
    options.push_back({"ipe", {}, "accept the entry although its check found errors (\"IPE\")"});
    return options;
}

// A message box as the reason for a refusal: TITLE: PROMPT.
std::string reasonOf(const core::Message& message) {
    return message.title + ": " + oneLine(message.prompt);
}

// Checks the entry as "Check" does, then gives "IPE" when `ignoreErrors`;
// returns why "Attached" would refuse the entry, or the empty text.
std::string refusalReason(Workspace& workspace, bool ignoreErrors,
                          const core::NumberFormat& format) {
    const core::Outcome outcome = core::checkGeometryEntry(workspace, format);
    if (!outcome.messages.empty()) return reasonOf(outcome.messages.front());
    if (!outcome.completed())
        return "the check stopped: " + stopReason(outcome.failure);
    if (workspace.check.verdict == core::CheckVerdict::Reset) return unfitItem(workspace);
    if (ignoreErrors) core::ignorePartitionTableError(workspace);
    const core::EntryVerdict verdict = core::entryVerdict(workspace.geometry, workspace.check);
    if (verdict != core::EntryVerdict::Accepted) return reasonOf(core::refusal(verdict));
    return {};
}

// Checks one entry of standard input as "Check", then "IPE" when asked, then
// "Attached" would; gives its Editpart line, or says on stderr why the entry
// is refused (after its report, when the check wrote one).
std::optional<std::string> acceptedLine(const std::string& text, int number, Context& context) {
    const std::string entry = "entry on line " + std::to_string(number);
    Workspace workspace;
    std::string refused;
    try {
        const std::vector<std::string> words = splitWords(text);
        const std::vector<Option> options = entryOptions();
        const Arguments arguments = parseArguments(words, options);
        if (!arguments.positional.empty())
            throw Usage{"unexpected argument '" + arguments.positional.front() + "'"};
        fillGeometry(arguments, workspace);
        refused = refusalReason(workspace, arguments.flag("ipe"), context.format);
    } catch (const Usage& usage) {
        context.err << "quorvane-cli: " << entry << ": " << usage.problem << '\n';
        return std::nullopt;
    }
    if (!refused.empty()) {
        finish(context, workspace, core::Outcome{}, {});
        context.err << "quorvane-cli: " << entry << " refused: " << refused << '\n';
        return std::nullopt;
    }
    return workspace.check.editline;
}

int runBatch(const Arguments& arguments, Context& context) {
    const std::string* output = arguments.value("output");
    if (!output) throw Usage{"'batch' needs --output PATH"};

    std::vector<std::string> lines;
    std::string text;
    for (int number = 1; std::getline(context.in, text); ++number) {
        if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
        const std::optional<std::string> line = acceptedLine(text, number, context);
        if (!line) return kRefused;
        lines.push_back(*line);
    }
    if (lines.empty()) {
        context.err << "quorvane-cli: no entries on standard input, no batch written\n";
        return kRefused;
    }

    platform::StdBatchFile file;
    platform::StdClock clock;
    core::BatchFile::Failure failure = file.create(*output);
    if (!failure) {
        const std::vector<std::string> trailer = core::batchTrailer(clock.shortDate());
        lines.insert(lines.end(), trailer.begin(), trailer.end());
        for (const std::string& line : lines)
            if (!failure) failure = file.writeLine(line);
        if (!failure) failure = file.close();
        // A batch that lacks some of its lines must not be run: none is left
        // (a device or pipe given as the output is left alone).
        if (failure) {
            file.close();
            std::error_code ignored;
            const std::filesystem::path written = platform::pathFromUtf8(*output);
            if (std::filesystem::is_regular_file(written, ignored))
                std::filesystem::remove(written, ignored);
        }
    }
    if (failure) {
        context.err << "quorvane-cli: cannot write '" << *output << "': " << *failure << '\n';
        return kRefused;
    }
    return kRan;
}

}  // namespace

void addBatchCommands(std::vector<Command>& commands) {
    Command check;
    check.name = "check";
    check.synopsis = "[OPTION ...]";
    check.summary = "check a partition table entry (\"Check\"); exit status 3 on errors";
    check.options = geometryOptions();
    check.run = runCheck;
    commands.push_back(std::move(check));

    Command batch;
    batch.name = "batch";
    batch.synopsis = "--output PATH";
    batch.summary = "stdin's entries, one a line as for check (--ipe too), as an Editpart batch";
    batch.options = {{"output", "PATH",
                      "the batch file, written only when every entry is accepted"}};
    batch.run = runBatch;
    commands.push_back(std::move(batch));
}

}  // namespace quorvane::cli
