// Writing the batch file and dating it: the platform implements both, the
// batch builder writes through them, tests record them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane::core {

// Sequential output to one text file at a time. Each operation returns the
// system's reason when it fails and nothing when it succeeds.
class BatchFile {
public:
    using Failure = std::optional<std::string>;
    virtual ~BatchFile() = default;
    // Creates the file at `path` (emptying an existing one) and opens it for
    // writing; a file still open is closed first.
    virtual Failure create(const std::string& path) = 0;
    // Writes `line` and CR LF, through to the file at once.
    virtual Failure writeLine(std::string_view line) = 0;
    // Closes the file; it is closed afterwards even when this fails.
    virtual Failure close() = 0;
    virtual bool isOpen() const = 0;
};

// Today's date as short-date text in the user's format.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string shortDate() = 0;
};

}  // namespace quorvane::core
