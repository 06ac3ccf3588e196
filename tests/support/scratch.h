// Names of scratch files in the system's temporary folder, one set per test
// process: CTest runs the cases of one program in parallel processes, which
// must not write each other's images.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace quorvane::test {

inline std::filesystem::path scratchPath(std::string_view prefix, std::string_view name) {
#ifdef _WIN32
    const int process = _getpid();
#else
    const int process = static_cast<int>(getpid());
#endif
    return std::filesystem::temp_directory_path() /
           (std::string(prefix) + std::to_string(process) + "_" + std::string(name));
}

}  // namespace quorvane::test
