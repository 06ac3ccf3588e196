#include "core/wizards/listingfill.h"

namespace quorvane::core {

PageFill<Fat32BbsFields> fat32BbsFromListing(const ListingDisk&, const ListingEntry&) {
    return {std::nullopt, "not yet"};
}
PageFill<NtfsBbsFields> ntfsBbsFromListing(const ListingDisk&, const ListingEntry&) {
    return {std::nullopt, "not yet"};
}
PageFill<DynRootFields> dynRootFromListing(const ListingDisk&, const ListingEntry&) {
    return {std::nullopt, "not yet"};
}

}  // namespace quorvane::core
