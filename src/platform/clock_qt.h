// Today's date in the desktop's short date format.
#pragma once

#include "core/workbench/batch.h"

namespace quorvane::platform {

class QtClock : public core::Clock {
public:
    std::string shortDate() override;
};

}  // namespace quorvane::platform
