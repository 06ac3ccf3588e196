// An image's sectors read with pread on a descriptor of its own: each read
// asks for one sector's bytes at its place in the file, and the descriptor
// is never handed on to a program that Quorvane starts.
#include "platform/diskimage_std.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quorvane::platform {

namespace {

class DescriptorImage : public core::DiskImage {
public:
    DescriptorImage(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}
    ~DescriptorImage() override { ::close(descriptor_); }
    DescriptorImage(const DescriptorImage&) = delete;
    DescriptorImage& operator=(const DescriptorImage&) = delete;

    std::uint64_t size() const override { return size_; }

    std::optional<std::string> readSector(std::uint64_t sector,
                                          core::SectorBytes& bytes) override {
        bytes.fill(0);
        // Beyond the end there is nothing to ask the system for.
        if (sector >= (size_ + core::kSectorBytes - 1) / core::kSectorBytes) return std::nullopt;
        const std::uint64_t offset = sector * core::kSectorBytes;
        // The last sector may be partial: only the bytes the file holds.
        const std::size_t wanted =
            static_cast<std::size_t>(std::min(core::kSectorBytes, size_ - offset));
        std::size_t got = 0;
        while (got < wanted) {
            const ssize_t n = ::pread(descriptor_, bytes.data() + got, wanted - got,
                                      static_cast<off_t>(offset + got));
            if (n > 0) {
                got += static_cast<std::size_t>(n);
            } else if (n == 0) {
                // The file has become shorter since it was opened; what it
                // no longer holds reads as zeros, as beyond its end.
                break;
            } else if (errno != EINTR) {
                const int error = errno;
                bytes.fill(0);
                return std::string(std::strerror(error));
            }
        }
        return std::nullopt;
    }

private:
    int descriptor_;
    std::uint64_t size_;
};

}  // namespace

OpenedImage openRegularFile(const std::filesystem::path& file) {
    int descriptor;
    do {
        descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return {nullptr, core::cannotOpenReason(std::strerror(errno))};
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        const int error = errno;
        ::close(descriptor);
        return {nullptr, core::cannotOpenReason(std::strerror(error))};
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    return {std::make_unique<DescriptorImage>(descriptor, size), {}};
}

}  // namespace quorvane::platform
