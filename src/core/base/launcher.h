// Starting outside programs, and what a start shows when it fails. The
// platform implements the launcher; the pages and the shell use it.
#pragma once

#include <string>
#include <string_view>

#include "core/base/outcome.h"

namespace quorvane::core {

// Starts outside programs without waiting for them.
class Launcher {
public:
    struct Result {
        int code = 0;             // 0 started; otherwise a failure code (53: not found)
        std::string description;  // the platform's text for the failure
    };
    virtual ~Launcher() = default;
    // Starts `program`, a bare file name looked up the platform's usual way,
    // in a normal visible window.
    virtual Result start(std::string_view program) = 0;
    // Opens the document at `path` the way the desktop opens it (a batch
    // file: runs it in a maximized window).
    virtual Result open(std::string_view path) = 0;
};

// The text of a failed start, as the "Dear User" message shows it.
std::string launchFailureText(const Launcher::Result& result);

// What a start shows: the "Dear User" message for a program or file that is
// not found, nothing for any other result. The outcome's failure is the code.
Outcome launchOutcome(const Launcher::Result& result);

// Starts an outside tool; a program that is not found gives the "Dear User"
// message, any other failure is silent. The outcome's failure is the code.
Outcome launchOutsideTool(Launcher& launcher, std::string_view program);

}  // namespace quorvane::core
