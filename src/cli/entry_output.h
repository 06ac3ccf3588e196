// How quorvane-cli shows entries that were checked at once (a partition
// table read from an image, a partinfo listing): each entry's fields as
// options of check, and in JSON its fields, checks and report; the findings
// across entries as text and as JSON.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json.h"
#include "cli/command.h"
#include "core/app/listingchoices.h"
#include "core/workbench/diskmap.h"
#include "core/workbench/tablecheck.h"

namespace quorvane::cli {

// Exit status when a check failed or a finding was made.
inline constexpr int kFound = 3;

// The digits of `text` as a number, or none for anything else (a sign,
// blanks, more than 18 digits).
std::optional<std::uint64_t> wholeNumber(std::string_view text);

// The entry's fields as options of check, and as batch reads them.
std::string checkOptions(const core::GeometryFields& fields);

// The page command with the choice's fields as its options, quoted for a
// shell where needed: "fat32-bbs --startsct 2048".
std::string choiceLine(const core::PageChoice& choice);

// "Findings: none", or "Findings:" and one line each.
std::string findingsText(const std::vector<core::Finding>& findings);

// {"cylinder", "head", "sector"}.
void writeChs(JsonWriter& json, const core::Chs& chs);

// The members "fields" (by the page's control names), "checks" (by code,
// true when o.k.) and "report" of an entry's object.
void writeCheck(JsonWriter& json, const core::CheckedEntry& entry);

// The member "findings": each with its kind, the entries it names as
// [table_sector, slot] pairs, and its text.
void writeFindings(JsonWriter& json, const std::vector<core::Finding>& findings);

// --svg FILE: writes the map of the disk as SVG to FILE, titled `title`.
// False, with the reason on stderr, when the file cannot be written.
bool writeMapSvg(const std::string& path, const core::DiskMap& map, std::string_view title,
                 Context& context);

}  // namespace quorvane::cli
