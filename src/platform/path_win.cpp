#include "platform/path.h"

#include "platform/unicode_win.h"

namespace quorvane::platform {

std::filesystem::path pathFromUtf8(std::string_view name) {
    return std::filesystem::path(wideFromUtf8(name));
}

}  // namespace quorvane::platform
