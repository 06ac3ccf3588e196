#include "platform/console.h"

namespace quorvane::platform {

std::vector<std::string> commandArguments(int argc, char** argv) {
    if (argc < 1) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

void writeStandardStreamsAsBytes() {}

void readStandardInputAsBytes() {}

}  // namespace quorvane::platform
