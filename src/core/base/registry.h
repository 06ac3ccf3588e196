// The system's registry as the About box reads it, and whether a file
// exists: the platform implements both, tests give their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::core {

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

// Whether a file exists at a path.
using FileExists = std::function<bool(const std::string& path)>;

}  // namespace quorvane::core
