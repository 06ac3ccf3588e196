// Systems without a registry: the one value the About box looks for first,
// "PATH" of the system information key, names the first system information
// program found on the search path. There is no other key or value.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/registry.h"

namespace quorvane::platform {

namespace {

constexpr std::string_view kInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::string_view kInfoValue = "PATH";
constexpr const char* kInfoPrograms[] = {"hardinfo", "kinfocenter",
                                         "gnome-system-monitor"};

// Registry names are compared without regard to case.
bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// The program `name` in the first folder of the search path that holds it
// as an executable file, or the empty text.
std::string findExecutable(std::string_view name) {
    const char* searchPath = std::getenv("PATH");
    std::string_view folders = searchPath ? searchPath : "";
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        folders = colon == std::string_view::npos ? std::string_view{} : folders.substr(colon + 1);
        // An empty entry is no folder here, though shells take it as the
        // current one.
        if (folder.empty()) continue;
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        std::error_code ignored;
        if (std::filesystem::is_regular_file(candidate, ignored) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    return {};
}

class SearchPathRegistry : public core::Registry {
public:
    std::optional<Handle> open(Handle root, std::string_view name, std::uint32_t) override {
        if (root != kLocalMachine || !sameName(name, kInfoKey)) return std::nullopt;
        return kInfoHandle;
    }

    std::optional<Data> query(Handle key, std::string_view name, std::size_t capacity) override {
        if (key != kInfoHandle || !sameName(name, kInfoValue)) return std::nullopt;
        for (const char* program : kInfoPrograms) {
            std::string path = findExecutable(program);
            if (path.empty()) continue;
            path += '\0';
            if (path.size() > capacity) return std::nullopt;
            return Data{kString, path};
        }
        return std::nullopt;
    }

    void close(Handle) override {}

private:
    static constexpr Handle kInfoHandle = 1;
};

}  // namespace

std::unique_ptr<core::Registry> systemRegistry() { return std::make_unique<SearchPathRegistry>(); }

}  // namespace quorvane::platform
