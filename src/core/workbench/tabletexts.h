// The texts about a table read from an image that both front ends show:
// the list window and quorvane-cli table write them in their own layout,
// never in their own words.
#pragma once

#include <string>
#include <string_view>

#include "core/readers/partinfo.h"
#include "core/workbench/tablecheck.h"

namespace quorvane::core {

// A CHS address as "cylinder/head/sector": "1022/254/63".
std::string chsText(const Chs& chs);

// The geometry as "cylinders/heads/sectors": "1024/255/63".
std::string geometryText(const DriveGeometry& geometry);

// Where the geometry came from, in a word for quorvane-cli ("guessed") or
// in a phrase for the window ("guessed from the table"); either way followed
// by "; cylinders from the table's extent" where they come from there.
enum class Wording { Word, Phrase };
std::string geometrySourceText(const DriveGeometry& geometry, Wording wording);

// What stands for no finding: "none" for quorvane-cli, a sentence for the
// window.
std::string_view noFindingsText(Wording wording);

// The codes of the checks that failed ("#108, #110"), "none", or "check
// stopped" when the check ended on a failure.
std::string failedChecksText(const CheckedEntry& entry);

// The entry's header: "Partition 5: table sector 2048, slot 1, type 83, not
// active", "Link entry: ...", with ", extended" for the extended partition.
std::string entryHeader(const CheckedEntry& entry);

// One of a partinfo listing's messages as the listing prints it, its values
// after it: "Error #105: Partition didn't begin on head boundary.
// [ucBeginHead = 2, expected 0 or 1]".
std::string listingMessageText(const ListingMessage& message);

}  // namespace quorvane::core
