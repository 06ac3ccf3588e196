// What an entry of a partinfo listing or of a disk image's table can fill
// besides the "Geometry" page:
// one choice per page, in a fixed order, each with the page's values or the
// value the listing lacks. The list window shows them as "Use for ..."
// buttons, quorvane-cli as lines of the page commands' options and in its
// JSON.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/app/shell.h"
#include "core/readers/bootsector.h"
#include "core/workbench/listingcheck.h"

namespace quorvane::core {

enum class ListingPage { Error110, Error108, Bogus113, Fat32Bbs, NtfsBbs, DynRoot };

struct PageChoice {
    ListingPage page = ListingPage::Error110;
    std::string_view label;    // the button: "Use for Error 110"
    std::string_view key;      // the JSON's name: "error110", "fat32bbs"
    std::string_view command;  // quorvane-cli's command: "error110", "fat32-bbs"
    // The page's fields that the listing fills, by control name, as the
    // page would hold them, in the page's order; empty when unavailable.
    std::vector<std::pair<std::string_view, std::string>> fields;
    // The value the listing lacks ("the listing gives no #110 message for
    // this entry"), or empty.
    std::string missing;

    bool available() const { return missing.empty(); }
};

// The six choices of an entry of `disk`, every one, available or not.
std::vector<PageChoice> pageChoices(const CheckedDisk& disk, const ListedEntry& entry);

// The six choices of an entry read from a disk image under `geometry` (none
// for an image of one volume, which holds no table): "Error 108" from the
// entry, the boot sector's pages from its volume (`volume` none where it was
// not read, as for an extended partition).
std::vector<PageChoice> pageChoices(const CheckedEntry& entry, const DriveGeometry* geometry,
                                    const VolumeReport* volume);

// "Use for ...": puts the choice's values on its page and nothing else;
// fields the listing does not fill keep what they hold.
void usePageChoice(Workspace& workspace, const PageChoice& choice);

}  // namespace quorvane::core
