// Commands of the "Geometry" page.
#include "cli/command.h"
#include "cli/geometry_options.h"
#include "core/workbench/geometry.h"

namespace quorvane::cli {

namespace {

using core::Workspace;

// The page's text field of the control `name`, or null.
const core::GeometryTextField* findField(std::string_view name) {
    for (const core::GeometryTextField& field : core::geometryTextFields())
        if (field.name == name) return &field;
    return nullptr;
}

std::string* geometryField(Workspace& workspace, std::string_view name) {
    const core::GeometryTextField* field = findField(name);
    return field ? &(workspace.geometry.*field->member) : nullptr;
}

}  // namespace

std::vector<Option> geometryOptions() {
    std::vector<Option> options = fieldOptions(core::geometryTextFields());
    options.push_back({"active", {}, "turn the active flag (\"80\") on"});
    options.push_back({"geometry", "C/H/S", "dgcyls, dgheads and dgsects at once"});
    options.push_back({"begin", "C/H/S", "cyls, heads and sects at once"});
    options.push_back({"end", "C/H/S", "ecyls, eheads and esects at once"});
    return options;
}

std::array<std::string_view, 3> splitChs(std::string_view option, std::string_view value) {
    const std::size_t a = value.find('/');
    const std::size_t b = a == std::string_view::npos ? a : value.find('/', a + 1);
    if (b == std::string_view::npos || value.find('/', b + 1) != std::string_view::npos)
        throw Usage{"--" + std::string(option) + " takes C/H/S, three parts"};
    return {value.substr(0, a), value.substr(a + 1, b - a - 1), value.substr(b + 1)};
}

namespace {

// Fills three fields from a C/H/S value.
void fillTriple(Workspace& workspace, std::string_view option, const std::string& value,
                std::string_view first, std::string_view second, std::string_view third) {
    const auto [c, h, s] = splitChs(option, value);
    *geometryField(workspace, first) = c;
    *geometryField(workspace, second) = h;
    *geometryField(workspace, third) = s;
}

}  // namespace

void fillGeometry(const Arguments& arguments, Workspace& workspace) {
    for (const auto& [name, value] : arguments.given) {
        if (name == "active") {
            workspace.geometry.Optact = true;
        } else if (name == "geometry") {
            fillTriple(workspace, name, value, "dgcyls", "dgheads", "dgsects");
        } else if (name == "begin") {
            fillTriple(workspace, name, value, "cyls", "heads", "sects");
        } else if (name == "end") {
            fillTriple(workspace, name, value, "ecyls", "eheads", "esects");
        } else if (std::string* field = geometryField(workspace, name)) {
            *field = value;
        }
    }
}

Printed geometryValue(std::string_view name) {
    const core::GeometryTextField* field = findField(name);
    return {name, [field](const Workspace& w) {
                return field ? w.geometry.*field->member : std::string();
            }};
}

namespace {

Command geometryCommand(std::string_view name, std::string_view summary,
                        std::function<core::Outcome(Workspace&, const core::NumberFormat&)> run,
                        std::initializer_list<std::string_view> written) {
    std::vector<Printed> printed;
    for (std::string_view field : written) printed.push_back(geometryValue(field));
    return operationCommand(name, summary, geometryOptions(), fillGeometry, std::move(run),
                            std::move(printed));
}

}  // namespace

void addWorkbenchCommands(std::vector<Command>& commands) {
    commands.push_back(geometryCommand(
        "bchs2blba", "begin CHS to start sector (\"bCHS2bLBA\")",
        [](Workspace& w, const core::NumberFormat& f) {
            return core::beginChsToLba(w.geometry, w.report, f);
        },
        {"lbastrt"}));
    commands.push_back(geometryCommand(
        "blba2bchs", "start sector to begin CHS (\"bLBA2bCHS\")",
        [](Workspace& w, const core::NumberFormat& f) {
            return core::beginLbaToChs(w.geometry, w.report, f);
        },
        {"cyls", "heads", "sects"}));
    commands.push_back(geometryCommand(
        "echs2elba", "end CHS to absolute end sector (\"eCHS2eLBA\")",
        [](Workspace& w, const core::NumberFormat& f) {
            return core::endChsToLba(w.geometry, w.report, f);
        },
        {"LBAend"}));
    commands.push_back(geometryCommand(
        "chs2lba", "begin and end CHS to start sector and sector count (\"CHS2LBA\"; no report)",
        [](Workspace& w, const core::NumberFormat& f) { return core::chsToLba(w.geometry, f); },
        {"lbastrt", "LBAend"}));
}

}  // namespace quorvane::cli
