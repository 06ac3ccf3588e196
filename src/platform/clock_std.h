// Today's date in the user's short format: on Windows the one the user's
// regional settings name, elsewhere that of the environment's locale
// (LC_TIME).
#pragma once

#include "core/base/batchfile.h"

namespace quorvane::platform {

class StdClock : public core::Clock {
public:
    std::string shortDate() override;
};

}  // namespace quorvane::platform
