#include "platform/clock_std.h"

#include <array>
#include <clocale>
#include <ctime>

namespace quorvane::platform {

std::string StdClock::shortDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // The program otherwise runs in the classic locale; only the date
    // follows the person's.
    const char* current = std::setlocale(LC_TIME, nullptr);
    const std::string previous = current ? current : "C";
    std::setlocale(LC_TIME, "");
    std::array<char, 128> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%x", &local);
    std::setlocale(LC_TIME, previous.c_str());
    return std::string(text.data(), length);
}

}  // namespace quorvane::platform
