// File names as the program holds them, UTF-8 text, turned into names the
// system's file functions take.
#pragma once

#include <filesystem>
#include <string_view>

namespace quorvane::platform {

// The file named by the UTF-8 text `name`. On Windows the name reaches the
// system in UTF-16 (a byte that is not UTF-8 becomes U+FFFD); elsewhere it
// is taken byte for byte. Never throws for the name's content.
std::filesystem::path pathFromUtf8(std::string_view name);

}  // namespace quorvane::platform
