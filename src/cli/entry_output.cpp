#include "cli/entry_output.h"

#include <algorithm>
#include <fstream>

#include "core/workbench/entrycheck.h"
#include "core/workbench/diskmapsvg.h"
#include "core/workbench/tabletexts.h"
#include "platform/path.h"

namespace quorvane::cli {

namespace {

std::string triple(const std::string& a, const std::string& b, const std::string& c) {
    return a + "/" + b + "/" + c;
}

// A value as one word of a shell's command line: quoted where it is empty
// or holds anything but letters, digits and . , + - / : _
std::string shellWord(const std::string& value) {
    const bool plain = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               std::string_view(".,+-/:_").find(c) != std::string_view::npos;
    });
    if (plain) return value;
    std::string quoted = "'";
    for (const char c : value) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

std::string choiceLine(const core::PageChoice& choice) {
    std::string line(choice.command);
    for (const auto& [name, value] : choice.fields)
        line += " --" + std::string(name) + " " + shellWord(value);
    return line + "\n";
}

std::optional<std::uint64_t> wholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoull(std::string(text));
}

std::string checkOptions(const core::GeometryFields& f) {
    return "--geometry " + triple(f.dgcyls, f.dgheads, f.dgsects) + " --begin " +
           triple(f.cyls, f.heads, f.sects) + " --end " + triple(f.ecyls, f.eheads, f.esects) +
           " --lbastrt " + f.lbastrt + " --LBAend " + f.LBAend + " --drive " + f.drive +
           " --prtno " + f.prtno + " --filesys " + f.filesys + (f.Optact ? " --active" : "") +
           " --prtsct " + f.prtsct;
}

std::string findingsText(const std::vector<core::Finding>& findings) {
    if (findings.empty())
        return "Findings: " + std::string(core::noFindingsText(core::Wording::Word)) + "\n";
    std::string text = "Findings:\n";
    for (const core::Finding& f : findings) text += f.text + "\n";
    return text;
}

void writeChs(JsonWriter& json, const core::Chs& chs) {
    json.beginObject()
        .key("cylinder").number(chs.cylinder)
        .key("head").number(chs.head)
        .key("sector").number(chs.sector)
        .endObject();
}

void writeCheck(JsonWriter& json, const core::CheckedEntry& c) {
    json.key("fields").beginObject();
    for (const core::GeometryTextField& field : core::geometryTextFields())
        json.key(field.name).text(c.fields.*field.member);
    json.key("Optact").boolean(c.fields.Optact).endObject();
    json.key("checks").beginObject();
    for (const int code : core::kCheckCodes) {
        const bool failed =
            std::find(c.failedChecks.begin(), c.failedChecks.end(), code) != c.failedChecks.end();
        json.key(std::to_string(code)).boolean(c.checkCompleted && !failed);
    }
    json.endObject().key("report").text(c.report);
}

void writeFindings(JsonWriter& json, const std::vector<core::Finding>& findings) {
    json.key("findings").beginArray();
    for (const core::Finding& f : findings) {
        json.beginObject().key("kind").text(core::findingKindName(f.kind));
        json.key("entries").beginArray();
        for (const core::EntryPlace& p : f.entries)
            json.beginArray().number(p.tableSector).number(p.slot).endArray();
        json.endArray().key("text").text(f.text).endObject();
    }
    json.endArray();
}

bool writeMapSvg(const std::string& path, const core::DiskMap& map, std::string_view title,
                 Context& context) {
    std::ofstream file(platform::pathFromUtf8(path), std::ios::binary | std::ios::trunc);
    file << core::diskMapSvg(map, title);
    file.close();
    if (file) return true;
    context.err << "quorvane-cli: cannot write the map to '" << path << "'\n";
    return false;
}

}  // namespace quorvane::cli
