// Stub: the target is being written.
#include "fuzz/fuzz.h"

namespace quorvane::fuzz {

void fuzzOne(std::span<const std::uint8_t>) {}

}  // namespace quorvane::fuzz
