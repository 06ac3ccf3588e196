#include "platform/console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/unicode_win.h"

namespace quorvane::platform {

std::vector<std::string> commandArguments(int, char**) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (!words) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(utf8FromWide(words[i]));
    LocalFree(words);
    return arguments;
}

void writeStandardStreamsAsBytes() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

void readStandardInputAsBytes() { _setmode(_fileno(stdin), _O_BINARY); }

}  // namespace quorvane::platform
