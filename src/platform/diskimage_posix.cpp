// An image's sectors read with pread on a descriptor of its own: each read
// asks for one sector's bytes at its place in the file, and the descriptor
// is never handed on to a program that Quorvane starts.
#include "platform/diskimage_std.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quorvane::platform {

namespace {

class DescriptorImage : public PositionedImage {
public:
    DescriptorImage(int descriptor, std::uint64_t size)
        : PositionedImage(size), descriptor_(descriptor) {}
    ~DescriptorImage() override { ::close(descriptor_); }
    DescriptorImage(const DescriptorImage&) = delete;
    DescriptorImage& operator=(const DescriptorImage&) = delete;

private:
    Read readAt(std::uint64_t offset, std::uint8_t* into, std::size_t length) override {
        for (;;) {
            const ssize_t n = ::pread(descriptor_, into, length, static_cast<off_t>(offset));
            if (n >= 0) return {static_cast<std::size_t>(n), std::nullopt};
            if (errno != EINTR) return {0, std::string(std::strerror(errno))};
        }
    }

    int descriptor_;
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
