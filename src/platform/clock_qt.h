// Today's date in the desktop's short date format.
#pragma once

#include "core/base/batchfile.h"

namespace quorvane::platform {

class QtClock : public core::Clock {
public:
    std::string shortDate() override;
};

}  // namespace quorvane::platform
