// Windows only: text between the program's UTF-8 and the system's UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace quorvane::platform {

// A byte that is not UTF-8 becomes U+FFFD.
std::wstring wideFromUtf8(std::string_view text);
// A lone surrogate becomes U+FFFD.
std::string utf8FromWide(std::wstring_view text);

}  // namespace quorvane::platform
