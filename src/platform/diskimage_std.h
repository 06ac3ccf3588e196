// A saved disk image read from a regular file. The standard library tells
// what a path names; the system's positioned reads then fetch each sector's
// 512 bytes and nothing more, so that from a slow stick or a network share
// only the table's sectors travel.
#pragma once

#include <filesystem>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/base/numeric.h"
#include "core/readers/partitiontable.h"
#include "core/workbench/tablecheck.h"
#include "platform/path.h"

namespace quorvane::platform {

// An opened image, or the reason why the path cannot be read as one.
struct OpenedImage {
    std::unique_ptr<core::DiskImage> image;  // null when refused
    std::string error;                       // the reason, as core::unreadableText takes it
};

// Why `file` is no regular file that can be read: missing, not to be
// looked at, or (in the words `reason` gives for the kind) a directory,
// device, pipe or other special file; none for a regular file.
std::optional<std::string> notARegularFile(const std::filesystem::path& file,
                                           std::string (*reason)(core::NotAFile));

// Opens the regular file at `path` (UTF-8) for reading sectors. A
// directory, device, pipe or other special file is refused without being
// opened, so that nothing but a saved image is ever read.
OpenedImage openDiskImage(const std::string& path);

// A regular file's sectors read with the system's positioned reads; what
// every system shares: nothing is asked beyond the end, a partial last
// sector is filled up with zeros, and so is what a file that became shorter
// since it was opened no longer holds.
class PositionedImage : public core::DiskImage {
public:
    explicit PositionedImage(std::uint64_t size) : size_(size) {}
    std::uint64_t size() const override { return size_; }
    std::optional<std::string> readSector(std::uint64_t sector,
                                          core::SectorBytes& bytes) final;

protected:
    // What one positioned read gave: the bytes read (0 at the end of the
    // file), or the system's reason.
    struct Read {
        std::size_t count = 0;
        std::optional<std::string> failure;
    };
    virtual Read readAt(std::uint64_t offset, std::uint8_t* into, std::size_t length) = 0;

private:
    std::uint64_t size_;
};

// The system's part of openDiskImage (diskimage_posix.cpp,
// diskimage_win.cpp): opens `file`, already found to be a regular file, for
// reading and takes its size from the opened file. A sector beyond the end
// reads as zeros without asking the system, a partial last sector is filled
// up with zeros, and a failed read gives the system's reason. The error is
// a reason as core::cannotOpenReason gives it.
OpenedImage openRegularFile(const std::filesystem::path& file);

// Opens `path` and reads its partition table (core::readPartitionTable); a
// path that cannot be opened gives a reading that holds only its error.
core::TableReading readTableFile(const std::string& path, const core::TableRequest& request,
                                 const core::NumberFormat& format);

}  // namespace quorvane::platform
