// A partinfo listing with every entry checked at once, as a partition table
// read from an image is: each entry's fields as the "Geometry" page holds
// them (with the actual values where the listing gives them) and its check
// exactly as "Check" runs it, the findings across entries, and where the
// listing's own messages and the check disagree about an entry.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/numeric.h"
#include "core/readers/partinfo.h"
#include "core/workbench/tablecheck.h"

namespace quorvane::core {

// How to read the listing: one disk only (as the listing numbers it), and
// the drive number ("Drv") every entry's fields get instead of the disk's
// place in the listing.
struct ListingRequest {
    std::optional<unsigned> disk;
    std::optional<std::string> drive;
};

// One entry of the listing with its check.
struct ListedEntry {
    ListingEntry listing;  // as the listing gives it
    // As the image reader would give it: the absolute start, the role, the
    // number (1 to 4, then 5, 6, ... in listing order); the fields, the
    // check's report and verdict.
    CheckedEntry checked;
    // The boot record of the volume that starts at this entry's start, or
    // none (an index into the disk's boot records).
    std::optional<std::size_t> bootRecord;
    // Where the listing's messages and the check disagree, one sentence
    // each: "The listing reports #108 (Partition didn't end on cylinder
    // boundary.), but Check finds #108 o.k."
    std::vector<std::string> disagreements;

    // The codes of the listing's messages of level Error, in order.
    std::vector<unsigned> listingErrors() const;
};

struct CheckedDisk {
    ListingDisk listing;
    std::string drive;  // the "Drv" text its entries' fields got
    // The geometry the entries were checked under: the listing's own, or
    // guessed from the entries where the listing lost its geometry line.
    DriveGeometry geometry;
    std::vector<ListedEntry> entries;
    std::vector<Finding> findings;
    // Why the "Geometry" page cannot be filled from this disk, or empty:
    // "the listing holds no partition table section for disk 2, only its
    // Partition Information".
    std::string missing;

    // Every entry passed, no finding, and no message of level Error.
    bool clean() const;
};

struct ListingReading {
    // Why the text holds no listing (the reader's reason), or empty.
    std::string error;
    ListingLayout layout = ListingLayout::Nt;
    std::vector<CheckedDisk> disks;
    std::vector<UnreadLine> unread;

    // Some disk holds at least one entry.
    bool hasEntries() const;
    // What the listing holds when it holds no entry: "only messages, no
    // partition table", "only the Partition Information section, no
    // partition table"; empty when it holds entries.
    std::string missingText() const;
    // Every disk clean.
    bool clean() const;
};

// Checks every entry of `listing` in the user's number format.
ListingReading checkListing(const Listing& listing, const ListingRequest& request,
                            const NumberFormat& format);

}  // namespace quorvane::core
