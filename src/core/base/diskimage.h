// A saved disk image as the readers see it: its size and its sectors, read
// one at a time. The window and quorvane-cli give a regular file
// (platform/diskimage_std.h); tests give bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quorvane::core {

inline constexpr std::uint64_t kSectorBytes = 512;
using SectorBytes = std::array<std::uint8_t, kSectorBytes>;

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
