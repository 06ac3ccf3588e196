// An image's sectors read with ReadFile at an offset given in an OVERLAPPED:
// each read asks for one sector's bytes at its place in the file. The file
// is opened for reading only and shared with every other program, which
// may go on writing, renaming or deleting it.
#include "platform/diskimage_std.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/unicode_win.h"

namespace quorvane::platform {

namespace {

// The system's message for `code`, without the line break and full stop
// that end it: it stands inside the reader's own sentences.
std::string systemMessage(DWORD code) {
    wchar_t text[512];
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text, static_cast<DWORD>(std::size(text)), nullptr);
    std::wstring message(text, length);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    if (message.empty()) return "the system gives error " + std::to_string(code);
    return utf8FromWide(message);
}

class HandleImage : public core::DiskImage {
public:
    HandleImage(HANDLE handle, std::uint64_t size) : handle_(handle), size_(size) {}
    ~HandleImage() override { CloseHandle(handle_); }
    HandleImage(const HandleImage&) = delete;
    HandleImage& operator=(const HandleImage&) = delete;

    std::uint64_t size() const override { return size_; }

    std::optional<std::string> readSector(std::uint64_t sector,
                                          core::SectorBytes& bytes) override {
        bytes.fill(0);
        // Beyond the end there is nothing to ask the system for.
        if (sector >= (size_ + core::kSectorBytes - 1) / core::kSectorBytes) return std::nullopt;
        const std::uint64_t offset = sector * core::kSectorBytes;
        // The last sector may be partial: only the bytes the file holds.
        const DWORD wanted = static_cast<DWORD>(std::min(core::kSectorBytes, size_ - offset));
        DWORD got = 0;
        while (got < wanted) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset + got);
            at.OffsetHigh = static_cast<DWORD>((offset + got) >> 32);
            DWORD n = 0;
            if (!ReadFile(handle_, bytes.data() + got, wanted - got, &n, &at)) {
                const DWORD error = GetLastError();
                // The file has become shorter since it was opened; what it
                // no longer holds reads as zeros, as beyond its end.
                if (error == ERROR_HANDLE_EOF) break;
                bytes.fill(0);
                return systemMessage(error);
            }
            if (n == 0) break;
            got += n;
        }
        return std::nullopt;
    }

private:
    HANDLE handle_;
    std::uint64_t size_;
};

}  // namespace

OpenedImage openRegularFile(const std::filesystem::path& file) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {nullptr, core::cannotOpenReason(systemMessage(GetLastError()))};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size)) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        return {nullptr, core::cannotOpenReason(systemMessage(error))};
    }
    return {std::make_unique<HandleImage>(handle, static_cast<std::uint64_t>(size.QuadPart)), {}};
}

}  // namespace quorvane::platform
