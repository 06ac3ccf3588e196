#include "platform/batchfile_std.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/path.h"

namespace quorvane::platform {

namespace {

// The system's reason for the last failure.
std::string lastReason() {
    const int error = errno;
    return error != 0 ? std::strerror(error) : "unknown error";
}

}  // namespace

StdBatchFile::~StdBatchFile() {
    if (file_) std::fclose(file_);
}

core::BatchFile::Failure StdBatchFile::create(const std::string& path) {
    if (file_) close();
    errno = 0;
    const std::filesystem::path native = pathFromUtf8(path);
#ifdef _WIN32
    file_ = _wfopen(native.c_str(), L"wb");
#else
    file_ = std::fopen(native.c_str(), "wb");
#endif
    if (!file_) return lastReason();
    return std::nullopt;
}

core::BatchFile::Failure StdBatchFile::writeLine(std::string_view line) {
    if (!file_) return std::string("the file is not open");
    errno = 0;
    // Each line reaches the system at once: a confirmed entry survives the
    // end of the program, however it ends.
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
        std::fputs("\r\n", file_) == EOF || std::fflush(file_) != 0) {
        return lastReason();
    }
    return std::nullopt;
}

core::BatchFile::Failure StdBatchFile::close() {
    if (!file_) return std::nullopt;
    errno = 0;
    const int result = std::fclose(file_);
    file_ = nullptr;
    if (result != 0) return lastReason();
    return std::nullopt;
}

}  // namespace quorvane::platform
