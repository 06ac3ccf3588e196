#include "platform/diskimage_std.h"

#include <filesystem>
#include <system_error>

namespace quorvane::platform {

namespace {

OpenedImage refused(std::string reason) { return {nullptr, std::move(reason)}; }

}  // namespace

OpenedImage openDiskImage(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path file = pathFromUtf8(path);
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    // A missing file is named in the same words on every system.
    if (status.type() == fs::file_type::not_found) {
        return refused(core::cannotOpenReason(
            std::make_error_code(std::errc::no_such_file_or_directory).message()));
    }
    if (error) return refused(core::cannotOpenReason(error.message()));
    switch (status.type()) {
        case fs::file_type::regular: break;
        case fs::file_type::directory: return refused(core::notAFileReason(core::NotAFile::Directory));
        case fs::file_type::block:
        case fs::file_type::character: return refused(core::notAFileReason(core::NotAFile::Device));
        case fs::file_type::fifo: return refused(core::notAFileReason(core::NotAFile::Pipe));
        default: return refused(core::notAFileReason(core::NotAFile::Other));
    }
    return openRegularFile(file);
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
