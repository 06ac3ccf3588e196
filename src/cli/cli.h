// quorvane-cli: one command per page operation, over the same core as the
// window. The report goes to stdout, message boxes to stderr.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/base/numeric.h"
#include "platform/diskimage_std.h"

namespace quorvane::cli {

enum ExitStatus : int { kRan = 0, kRefused = 1, kUsage = 2 };

// Runs one command line (without the program name) and returns the exit
// status. `format` is the user's number format; --decimal-comma overrides it.
int run(const std::vector<std::string>& args, const core::NumberFormat& format,
        std::ostream& out, std::ostream& err);
// The same, reading standard input from `in`.
int run(const std::vector<std::string>& args, const core::NumberFormat& format, std::istream& in,
        std::ostream& out, std::ostream& err);

// How a command opens the disk image its command line names: a regular
// file (platform::openDiskImage), or where the images are made in memory
// (the fuzz targets), whatever `open` gives for the path.
using ImageOpener = std::function<platform::OpenedImage(const std::string& path)>;
int run(const std::vector<std::string>& args, const core::NumberFormat& format, std::istream& in,
        std::ostream& out, std::ostream& err, const ImageOpener& open);

}  // namespace quorvane::cli
