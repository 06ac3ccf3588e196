#include "core/calculators/listingfill.h"

namespace quorvane::core {

PageFill<Error110Fields> error110FromListing(const ListingEntry&,
                                             const std::optional<ListingGeometry>&) {
    return {std::nullopt, "not yet"};
}
PageFill<Error108Fields> error108FromListing(const ListingEntry&,
                                             const std::optional<ListingGeometry>&) {
    return {std::nullopt, "not yet"};
}
PageFill<Bogus113Fields> bogus113FromListing(const ListingDisk&, const ListingEntry&) {
    return {std::nullopt, "not yet"};
}

}  // namespace quorvane::core
