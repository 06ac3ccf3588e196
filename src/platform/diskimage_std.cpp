#include "platform/diskimage_std.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quorvane::platform {

namespace {

OpenedImage refused(std::string reason) { return {nullptr, std::move(reason)}; }

}  // namespace

std::optional<std::string> notARegularFile(const std::filesystem::path& file,
                                           std::string (*reason)(core::NotAFile)) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    // A missing file is named in the same words on every system.
    if (status.type() == fs::file_type::not_found) {
        return core::cannotOpenReason(
            std::make_error_code(std::errc::no_such_file_or_directory).message());
    }
    if (error) return core::cannotOpenReason(error.message());
    switch (status.type()) {
        case fs::file_type::regular: return std::nullopt;
        case fs::file_type::directory: return reason(core::NotAFile::Directory);
        case fs::file_type::block:
        case fs::file_type::character: return reason(core::NotAFile::Device);
        case fs::file_type::fifo: return reason(core::NotAFile::Pipe);
        default: return reason(core::NotAFile::Other);
    }
}

OpenedImage openDiskImage(const std::string& path) {
    const std::filesystem::path file = pathFromUtf8(path);
    if (auto reason = notARegularFile(file, core::notAFileReason)) return refused(std::move(*reason));
    return openRegularFile(file);
}

std::optional<std::string> PositionedImage::readSector(std::uint64_t sector,
                                                       core::SectorBytes& bytes) {
    bytes.fill(0);
    // Beyond the end there is nothing to ask the system for.
    if (sector >= (size_ + core::kSectorBytes - 1) / core::kSectorBytes) return std::nullopt;
    const std::uint64_t offset = sector * core::kSectorBytes;
    // The last sector may be partial: only the bytes the file holds.
    const auto wanted = static_cast<std::size_t>(std::min(core::kSectorBytes, size_ - offset));
    for (std::size_t got = 0; got < wanted;) {
        const Read read = readAt(offset + got, bytes.data() + got, wanted - got);
        if (read.failure) {
            bytes.fill(0);
            return read.failure;
        }
        if (read.count == 0) break;
        got += read.count;
    }
    return std::nullopt;
}

core::TableReading readTableFile(const std::string& path, const core::TableRequest& request,
                                 const core::NumberFormat& format) {
    OpenedImage opened = openDiskImage(path);
    if (!opened.image) {
        core::TableReading reading;
        reading.error = std::move(opened.error);
        return reading;
    }
    return core::readPartitionTable(*opened.image, request, format);
}

}  // namespace quorvane::platform
