#include "platform/diskimage_std.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quorvane::platform {

namespace {

class FileImage : public core::DiskImage {
public:
    FileImage(std::ifstream in, std::uint64_t size) : in_(std::move(in)), size_(size) {}

    std::uint64_t size() const override { return size_; }

    std::optional<std::string> readSector(std::uint64_t sector,
                                          core::SectorBytes& bytes) override {
        bytes.fill(0);
        // Beyond the end there is nothing to read.
        if (sector >= (size_ + core::kSectorBytes - 1) / core::kSectorBytes) return std::nullopt;
        errno = 0;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(sector * core::kSectorBytes));
        in_.read(reinterpret_cast<char*>(bytes.data()), core::kSectorBytes);
        if (in_.bad() || (in_.fail() && !in_.eof())) {
            bytes.fill(0);
            return errno != 0 ? std::strerror(errno) : std::string("read error");
        }
        return std::nullopt;
    }

private:
    std::ifstream in_;
    std::uint64_t size_;
};

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
    const std::uintmax_t size = fs::file_size(file, error);
    if (error) return refused(core::cannotOpenReason(error.message()));
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return refused(core::cannotOpenReason(errno != 0 ? std::strerror(errno)
                                                         : "the system gives no reason"));
    }
    return {std::make_unique<FileImage>(std::move(in), size), {}};
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
