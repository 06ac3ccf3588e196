// The Windows registry. Names and string values are converted between
// UTF-8 and the registry's UTF-16.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/unicode_win.h"

namespace quorvane::platform {

namespace {

HKEY toKey(core::Registry::Handle handle) {
    if (handle == core::Registry::kLocalMachine) return HKEY_LOCAL_MACHINE;
    return reinterpret_cast<HKEY>(handle);
}

class WindowsRegistry : public core::Registry {
public:
    std::optional<Handle> open(Handle root, std::string_view name,
                               std::uint32_t access) override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(toKey(root), wideFromUtf8(name).c_str(), 0, access, &key) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return reinterpret_cast<Handle>(key);
    }

    std::optional<Data> query(Handle key, std::string_view name, std::size_t capacity) override {
        // The buffer holds `capacity` UTF-16 characters; a value that is no
        // text gets as many bytes.
        std::vector<wchar_t> buffer(capacity);
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegQueryValueExW(toKey(key), wideFromUtf8(name).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
            return std::nullopt;
        if (type != REG_SZ) {
            if (size > capacity) return std::nullopt;
            return Data{type, std::string(reinterpret_cast<const char*>(buffer.data()), size)};
        }
        // UTF-16 to UTF-8, the final NUL (if stored) included; an odd last
        // byte is no character.
        return Data{type, utf8FromWide(std::wstring_view(buffer.data(), size / sizeof(wchar_t)))};
    }

    void close(Handle key) override { RegCloseKey(toKey(key)); }
};

}  // namespace

std::unique_ptr<core::Registry> systemRegistry() { return std::make_unique<WindowsRegistry>(); }

}  // namespace quorvane::platform
