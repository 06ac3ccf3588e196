// Stub: the listing seeds are being written.
#include "fuzz/seeds.h"

namespace quorvane::fuzz {

void writeListingSeeds(const std::filesystem::path&) {}

}  // namespace quorvane::fuzz
