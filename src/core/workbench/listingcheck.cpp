#include "core/workbench/listingcheck.h"

namespace quorvane::core {

std::vector<unsigned> ListedEntry::listingErrors() const { return {}; }
bool CheckedDisk::clean() const { return false; }
bool ListingReading::hasEntries() const { return false; }
std::string ListingReading::missingText() const { return {}; }
bool ListingReading::clean() const { return false; }

ListingReading checkListing(const Listing& listing, const ListingRequest&, const NumberFormat&) {
    ListingReading reading;
    reading.error = listing.error;
    return reading;
}

}  // namespace quorvane::core
