#include <clocale>
#include <exception>
#include <iostream>

#include "cli/cli.h"
#include "platform/console.h"

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
    // Whatever goes wrong unforeseen ends the program with a message and
    // the status of a refusal, never with an exception left to the runtime.
    try {
        quorvane::platform::writeStandardStreamsAsBytes();
        const quorvane::core::NumberFormat format = environmentFormat();
        return quorvane::cli::run(quorvane::platform::commandArguments(argc, argv), format,
                                  std::cout, std::cerr);
    } catch (const std::exception& failure) {
        std::cerr << "quorvane-cli: " << failure.what() << '\n';
    } catch (...) {
        std::cerr << "quorvane-cli: unexpected failure\n";
    }
    return quorvane::cli::kRefused;
}
