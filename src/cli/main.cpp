#include <clocale>
#include <iostream>

#include "cli/cli.h"

namespace {

// The number format of the environment's locale, as the window takes it
// from the desktop's.
quorvane::core::NumberFormat environmentFormat() {
    std::setlocale(LC_ALL, "");
    const std::lconv* conventions = std::localeconv();
    quorvane::core::NumberFormat format;
    if (conventions->decimal_point && *conventions->decimal_point)
        format.decimal = conventions->decimal_point;
    format.group = conventions->thousands_sep ? conventions->thousands_sep : "";
    // Nothing else may depend on the locale: go back to the classic one.
    std::setlocale(LC_ALL, "C");
    return format;
}

}  // namespace

int main(int argc, char** argv) {
    const quorvane::core::NumberFormat format = environmentFormat();
    return quorvane::cli::run(std::vector<std::string>(argv + 1, argv + argc), format, std::cout,
                              std::cerr);
}
