// An image's sectors read with ReadFile at an offset given in an OVERLAPPED:
// each read asks for one sector's bytes at its place in the file. The file
// is opened for reading only and shared with every other program, which
// may go on writing, renaming or deleting it.
#include "platform/diskimage_std.h"

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

class HandleImage : public PositionedImage {
public:
    HandleImage(HANDLE handle, std::uint64_t size) : PositionedImage(size), handle_(handle) {}
    ~HandleImage() override { CloseHandle(handle_); }
    HandleImage(const HandleImage&) = delete;
    HandleImage& operator=(const HandleImage&) = delete;

private:
    Read readAt(std::uint64_t offset, std::uint8_t* into, std::size_t length) override {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD n = 0;
        if (!ReadFile(handle_, into, static_cast<DWORD>(length), &n, &at)) {
            const DWORD error = GetLastError();
            // The file has become shorter since it was opened.
            if (error == ERROR_HANDLE_EOF) return {0, std::nullopt};
            return {0, systemMessage(error)};
        }
        return {n, std::nullopt};
    }

    HANDLE handle_;
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
