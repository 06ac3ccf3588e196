// Fixed texts of the main window: the introduction shown at start-up, the
// "General info" paragraphs and the answers of the unfinished features.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/base/version.h"

namespace quorvane::core {

inline constexpr std::string_view kCrLf = "\r\n";

// The text with each line break (CR LF, or a CR alone) as one line feed,
// the form text controls and terminals expect.
std::string withLineFeeds(std::string_view text);
// The reverse: each line feed as CR LF, the form the report box holds.
std::string withCrLf(std::string_view text);

// Items as a sentence lists them: "a", "a and b", "a, b and c".
std::string listedText(const std::vector<std::string>& items);

// The program's name and short version: "Quorvane 1.02".
inline constexpr std::string_view kMainCaption = "Quorvane " QUORVANE_SHORT_VERSION;

// The report box's text at start-up; lines end in CR LF and keep the
// trailing blanks that pad them for the box's word wrapping.
std::string introText();

// The five paragraphs of "General info", separated by empty lines.
std::string generalInfoText();

inline constexpr std::string_view kOpenNotAvailable =
    "Future feature. Not available in this version.";
inline constexpr std::string_view kHelpNotAvailable =
    "Help is not available in this version !";
inline constexpr std::string_view kAllFieldsReset = "All fields have been reset...";

}  // namespace quorvane::core
