#include "platform/clock_std.h"

#include <windows.h>

#include <array>

#include "platform/unicode_win.h"

namespace quorvane::platform {

std::string StdClock::shortDate() {
    // The user's short date format, as Control Panel sets it.
    std::array<wchar_t, 128> text{};
    const int length = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr,
                                       nullptr, text.data(), static_cast<int>(text.size()),
                                       nullptr);
    if (length <= 1) return {};
    return utf8FromWide(std::wstring_view(text.data(), static_cast<std::size_t>(length - 1)));
}

}  // namespace quorvane::platform
