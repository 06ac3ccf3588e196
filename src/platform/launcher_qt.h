// Starts outside programs as separate processes, without waiting for them.
#pragma once

#include "core/base/launcher.h"

namespace quorvane::platform {

class QtLauncher : public core::Launcher {
public:
    Result start(std::string_view program) override;
    Result open(std::string_view path) override;
};

}  // namespace quorvane::platform
