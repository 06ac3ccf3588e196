// The About box's texts and its "System Info..." button: finding the
// system information tool through the registry and starting it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/launcher.h"
#include "core/base/outcome.h"
#include "core/base/version.h"

namespace quorvane::core {

inline constexpr std::string_view kFormerName = "(formerly known as VELK)";

// "Version " and the three version numbers: "Version 1.0.2".
std::string versionText();
// "About Quorvane".
std::string aboutCaption();
// What the program is for, whom to write to and its notice: three lines
// joined by CR LF.
std::string aboutDescription();

// The values of a system registry that the About box reads. Names and
// texts are UTF-8; a registry of another encoding converts them.
class Registry {
public:
    using Handle = std::uintptr_t;

    // The predefined root key HKEY_LOCAL_MACHINE.
    static constexpr Handle kLocalMachine = 0x80000002;

    // Read rights (KEY_READ): all that reading a value needs, and all that
    // an ordinary user gets under HKEY_LOCAL_MACHINE.
    static constexpr std::uint32_t kRead = 0x20019;

    // Value types.
    static constexpr std::uint32_t kString = 1;          // REG_SZ
    static constexpr std::uint32_t kDoubleWord = 4;      // REG_DWORD, little-endian

    struct Data {
        std::uint32_t type;
        // The value's bytes, its final NUL included if it has one; a text
        // is in UTF-8.
        std::string bytes;
    };

    virtual ~Registry() = default;
    // Opens the key `name` under `root` with the given rights.
    virtual std::optional<Handle> open(Handle root, std::string_view name,
                                       std::uint32_t access) = 0;
    // Reads the value `name` of an open key into a buffer of `capacity`
    // characters of the registry's own (bytes for a value that is no text).
    // A missing value or one larger than the buffer fails.
    virtual std::optional<Data> query(Handle key, std::string_view name,
                                      std::size_t capacity) = 0;
    virtual void close(Handle key) = 0;
};

// A registry without keys.
class EmptyRegistry : public Registry {
public:
    std::optional<Handle> open(Handle, std::string_view, std::uint32_t) override { return {}; }
    std::optional<Data> query(Handle, std::string_view, std::size_t) override { return {}; }
    void close(Handle) override {}
};

// Reads the value `valueName` of the key `keyName` under `root` into `value`
// and tells whether the key and the value were there. A string is the value's
// bytes without a final NUL; a double word is written "&h" and its
// hexadecimal digits ("&h2A"); a value of another type leaves `value` as it
// was. A missing key or value empties `value`.
bool getKeyValue(Registry& registry, Registry::Handle root, std::string_view keyName,
                 std::string_view valueName, std::string& value);

// Whether a file exists at a path.
using FileExists = std::function<bool(const std::string& path)>;

inline constexpr std::string_view kSysInfoUnavailable =
    "System Information Is Unavailable At This Time";

// "System Info...": starts the program that the registry names as the
// system information tool, or shows that there is none. A start that fails
// shows the same message.
Outcome startSysInfo(Registry& registry, const FileExists& fileExists, Launcher& launcher);

}  // namespace quorvane::core
