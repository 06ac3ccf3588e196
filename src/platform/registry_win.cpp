// The Windows registry. Names and string values are converted between
// UTF-8 and the registry's UTF-16.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace quorvane::platform {

namespace {

std::wstring wide(std::string_view text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size);
    return result;
}

HKEY toKey(core::Registry::Handle handle) {
    if (handle == core::Registry::kLocalMachine) return HKEY_LOCAL_MACHINE;
    return reinterpret_cast<HKEY>(handle);
}

class WindowsRegistry : public core::Registry {
public:
    std::optional<Handle> open(Handle root, std::string_view name,
                               std::uint32_t access) override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(toKey(root), wide(name).c_str(), 0, access, &key) != ERROR_SUCCESS)
            return std::nullopt;
        return reinterpret_cast<Handle>(key);
    }

    std::optional<Data> query(Handle key, std::string_view name,
                              std::span<char> buffer) override {
        // The value in the registry's own form, in a buffer of the same size.
        std::vector<BYTE> raw(buffer.size());
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(raw.size());
        if (RegQueryValueExW(toKey(key), wide(name).c_str(), nullptr, &type, raw.data(), &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        if (type != REG_SZ) {
            std::memcpy(buffer.data(), raw.data(), size);
            return Data{type, size};
        }
        // UTF-16 to UTF-8, the terminating NUL (if stored) included.
        const int units = static_cast<int>(size / sizeof(wchar_t));
        if (units == 0) return Data{type, 0};
        const auto* text = reinterpret_cast<const wchar_t*>(raw.data());
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0 || static_cast<std::size_t>(bytes) > buffer.size()) return std::nullopt;
        WideCharToMultiByte(CP_UTF8, 0, text, units, buffer.data(), bytes, nullptr, nullptr);
        return Data{type, static_cast<std::size_t>(bytes)};
    }

    void close(Handle key) override { RegCloseKey(toKey(key)); }
};

}  // namespace

std::unique_ptr<core::Registry> systemRegistry() { return std::make_unique<WindowsRegistry>(); }

}  // namespace quorvane::platform
