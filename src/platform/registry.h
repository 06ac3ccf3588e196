// The system's registry, as far as the About box reads it: the real one on
// Windows; elsewhere a small stand-in that names a system information tool
// found on the search path.
#pragma once

#include <memory>

#include "core/base/registry.h"

namespace quorvane::platform {

std::unique_ptr<core::Registry> systemRegistry();

}  // namespace quorvane::platform
