// A saved disk image as the readers see it: its size and its sectors, read
// one at a time. The window and quorvane-cli give a regular file
// (platform/diskimage_std.h); tests give bytes.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvane::core {

inline constexpr std::uint64_t kSectorBytes = 512;
using SectorBytes = std::array<std::uint8_t, kSectorBytes>;

// The number stored little-endian in `bytes` bytes (at most 8) of `sector`
// from `at` on, as partition tables and boot sectors store theirs.
inline std::uint64_t littleEndian(const SectorBytes& sector, std::size_t at, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) value = value << 8 | sector[at + i];
    return value;
}

// Whether the bytes of `sector` from `at` on spell `text`.
inline bool bytesAre(const SectorBytes& sector, std::size_t at, std::string_view text) {
    return std::memcmp(sector.data() + at, text.data(), text.size()) == 0;
}

// Whether a sector ends with the signature 55 AA of a boot sector or table.
inline bool hasBootSignature(const SectorBytes& sector) {
    return sector[510] == 0x55 && sector[511] == 0xAA;
}

inline bool allZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

constexpr bool powerOfTwo(std::uint64_t value) { return value != 0 && (value & (value - 1)) == 0; }

class DiskImage {
public:
    virtual ~DiskImage() = default;
    // The image's size in bytes.
    virtual std::uint64_t size() const = 0;
    // Reads the sector of number `sector` into `bytes`; what lies beyond the
    // end of the image reads as zeros. Returns the system's reason when the
    // read fails, nothing when it succeeds.
    virtual std::optional<std::string> readSector(std::uint64_t sector, SectorBytes& bytes) = 0;
};

}  // namespace quorvane::core
