// Today's date from the C library, in the short format of the
// environment's locale (LC_TIME).
#pragma once

#include "core/workbench/batch.h"

namespace quorvane::platform {

class StdClock : public core::Clock {
public:
    std::string shortDate() override;
};

}  // namespace quorvane::platform
