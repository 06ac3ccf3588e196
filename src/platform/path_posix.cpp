#include "platform/path.h"

#include <string>

namespace quorvane::platform {

std::filesystem::path pathFromUtf8(std::string_view name) {
    return std::filesystem::path(std::string(name));
}

}  // namespace quorvane::platform
