// Systems without a registry: the one value the About box looks for first,
// "PATH" of the system information key, names the first system information
// program found on the search path. There is no other key or value.
#include <QStandardPaths>
#include <algorithm>
#include <cctype>
#include <cstring>

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

class SearchPathRegistry : public core::Registry {
public:
    std::optional<Handle> open(Handle root, std::string_view name, std::uint32_t) override {
        if (root != kLocalMachine || !sameName(name, kInfoKey)) return std::nullopt;
        return kInfoHandle;
    }

    std::optional<Data> query(Handle key, std::string_view name,
                              std::span<char> buffer) override {
        if (key != kInfoHandle || !sameName(name, kInfoValue)) return std::nullopt;
        for (const char* program : kInfoPrograms) {
            const QByteArray path = QStandardPaths::findExecutable(program).toUtf8();
            if (path.isEmpty()) continue;
            const std::size_t size = static_cast<std::size_t>(path.size()) + 1;  // with its NUL
            if (size > buffer.size()) return std::nullopt;
            std::memcpy(buffer.data(), path.constData(), size);
            return Data{kString, size};
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
