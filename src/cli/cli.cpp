#include "cli/cli.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

#include "core/app/outcome.h"
#include "core/app/shell.h"
#include "core/app/texts.h"
#include "core/workbench/geometry.h"

namespace quorvane::cli {

namespace {

using core::Workspace;

std::string lower(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

// The field of the workspace named `name` (any case), or null.
std::string* geometryField(Workspace& workspace, std::string_view name) {
    for (const core::GeometryTextField& field : core::geometryTextFields())
        if (lower(field.name) == lower(name)) return &(workspace.geometry.*field.member);
    return nullptr;
}

enum class Page { None, Geometry };

struct Command {
    std::string_view name;
    Page page;
    std::string_view summary;
    std::function<core::Outcome(Workspace&, const core::NumberFormat&)> run;
    std::vector<std::string_view> writes;  // fields printed by --fields
};

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"bchs2blba", Page::Geometry, "begin CHS to start sector (\"bCHS2bLBA\")",
         [](Workspace& w, const core::NumberFormat& f) {
             return core::beginChsToLba(w.geometry, w.report, f);
         },
         {"lbastrt"}},
        {"blba2bchs", Page::Geometry, "start sector to begin CHS (\"bLBA2bCHS\")",
         [](Workspace& w, const core::NumberFormat& f) {
             return core::beginLbaToChs(w.geometry, w.report, f);
         },
         {"cyls", "heads", "sects"}},
        {"echs2elba", Page::Geometry, "end CHS to absolute end sector (\"eCHS2eLBA\")",
         [](Workspace& w, const core::NumberFormat& f) {
             return core::endChsToLba(w.geometry, w.report, f);
         },
         {"LBAend"}},
        {"chs2lba", Page::Geometry,
         "begin and end CHS to start sector and sector count (\"CHS2LBA\"; no report)",
         [](Workspace& w, const core::NumberFormat& f) { return core::chsToLba(w.geometry, f); },
         {"lbastrt", "LBAend"}},
        {"intro", Page::None, "the introduction text shown at start-up",
         [](Workspace& w, const core::NumberFormat&) {
             w.report = core::introText();
             return core::Outcome{};
         },
         {}},
        {"general-info", Page::None, "the \"General info\" text",
         [](Workspace& w, const core::NumberFormat&) {
             w.report = core::generalInfoText();
             return core::Outcome{};
         },
         {}},
    };
    return table;
}

void printUsage(std::ostream& out) {
    out << "Usage: quorvane-cli COMMAND [OPTION ...]\n\nCommands:\n";
    for (const Command& command : commands()) {
        out << "  " << command.name << std::string(14 - command.name.size(), ' ')
            << command.summary << '\n';
    }
    out << "\nField options of the \"Geometry\" page commands (a field not given is empty):\n"
           "  --dgcyls --dgheads --dgsects      drive geometry\n"
           "  --cyls --heads --sects            begin CHS\n"
           "  --ecyls --eheads --esects         end CHS\n"
           "  --lbastrt --LBAend                start sector, number of sectors\n"
           "  --relcyl --prtsct --drive --prtno --filesys\n"
           "  --active                          turn the active flag (\"80\") on\n"
           "  --geometry C/H/S  --begin C/H/S  --end C/H/S\n"
           "                                    three fields at once; an empty part stays empty\n"
           "  Each takes its value as the next argument or after '='.\n"
           "\nOutput options:\n"
           "  --fields          also print each field the operation wrote, as name=value\n"
           "  --crlf            print the report exactly as the report box holds it (CR LF)\n"
           "  --decimal-comma   use a decimal comma (and a point for grouping) whatever\n"
           "                    the locale says\n"
           "  --help            this text\n"
           "\nThe report goes to stdout, each message box to stderr as TITLE: PROMPT.\n"
           "Exit status: 0 the operation ran, 1 it refused its input or stopped on a\n"
           "failure, 2 usage error.\n";
}

// One line of stderr per message box: its line breaks become blanks.
std::string oneLine(std::string_view text) {
    std::string line = core::withLineFeeds(text);
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

struct Usage {
    std::string problem;
};

// Splits "C/H/S" into three fields.
void fillTriple(Workspace& workspace, std::string_view option, const std::string& value,
                std::string_view first, std::string_view second, std::string_view third) {
    const std::size_t a = value.find('/');
    const std::size_t b = a == std::string::npos ? a : value.find('/', a + 1);
    if (b == std::string::npos || value.find('/', b + 1) != std::string::npos)
        throw Usage{"--" + std::string(option) + " takes C/H/S, three parts"};
    *geometryField(workspace, first) = value.substr(0, a);
    *geometryField(workspace, second) = value.substr(a + 1, b - a - 1);
    *geometryField(workspace, third) = value.substr(b + 1);
}

}  // namespace

int run(const std::vector<std::string>& args, const core::NumberFormat& format,
        std::ostream& out, std::ostream& err) {
    core::NumberFormat numberFormat = format;
    bool printFields = false;
    bool crlf = false;
    const Command* command = nullptr;
    bool pageOptionGiven = false;
    Workspace workspace;

    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& arg = args[i];
            if (arg == "--help" || arg == "-h") {
                printUsage(out);
                return kRan;
            }
            if (arg.rfind("--", 0) != 0) {
                if (command) throw Usage{"unexpected argument '" + arg + "'"};
                const auto& table = commands();
                const auto found = std::find_if(table.begin(), table.end(),
                                                [&](const Command& c) { return c.name == arg; });
                if (found == table.end()) throw Usage{"unknown command '" + arg + "'"};
                command = &*found;
                continue;
            }
            std::string name = arg.substr(2);
            std::optional<std::string> value;
            if (const std::size_t eq = name.find('='); eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
            }
            const auto takeValue = [&]() -> std::string {
                if (value) return *value;
                if (i + 1 >= args.size()) throw Usage{"--" + name + " needs a value"};
                return args[++i];
            };
            const auto flag = [&] {
                if (value) throw Usage{"--" + name + " takes no value"};
            };

            if (name == "fields") {
                flag();
                printFields = true;
                continue;
            }
            if (name == "crlf") {
                flag();
                crlf = true;
                continue;
            }
            if (name == "decimal-comma") {
                flag();
                numberFormat = core::NumberFormat::comma();
                continue;
            }

            // The rest fill the page's fields.
            pageOptionGiven = true;
            if (name == "active") {
                flag();
                workspace.geometry.Optact = true;
            } else if (name == "geometry") {
                fillTriple(workspace, name, takeValue(), "dgcyls", "dgheads", "dgsects");
            } else if (name == "begin") {
                fillTriple(workspace, name, takeValue(), "cyls", "heads", "sects");
            } else if (name == "end") {
                fillTriple(workspace, name, takeValue(), "ecyls", "eheads", "esects");
            } else if (std::string* field = geometryField(workspace, name)) {
                *field = takeValue();
            } else {
                throw Usage{"unknown option '" + arg + "'"};
            }
        }
        if (!command) throw Usage{"no command given"};
        if (command->page != Page::Geometry && pageOptionGiven)
            throw Usage{"'" + std::string(command->name) + "' takes no field options"};
    } catch (const Usage& usage) {
        err << "quorvane-cli: " << usage.problem << "\n\n";
        printUsage(err);
        return kUsage;
    }

    const core::Outcome outcome = command->run(workspace, numberFormat);

    if (crlf) {
        out << workspace.report;
    } else if (!workspace.report.empty()) {
        std::string text = core::withLineFeeds(workspace.report);
        if (text.back() != '\n') text += '\n';
        out << text;
    }
    if (printFields && outcome.completed()) {
        for (std::string_view name : command->writes)
            out << name << '=' << *geometryField(workspace, name) << '\n';
    }
    for (const core::Message& message : outcome.messages)
        err << message.title << ": " << oneLine(message.prompt) << '\n';
    out.flush();
    return outcome.completed() && outcome.messages.empty() ? kRan : kRefused;
}

}  // namespace quorvane::cli
