// A saved disk image read from a regular file with the standard library.
#pragma once

#include <memory>
#include <string>

#include "core/base/numeric.h"
#include "core/workbench/partitiontable.h"
#include "core/workbench/tablecheck.h"
#include "platform/path.h"

namespace quorvane::platform {

// An opened image, or the reason why the path cannot be read as one.
struct OpenedImage {
    std::unique_ptr<core::DiskImage> image;  // null when refused
    std::string error;                       // the reason, as core::unreadableText takes it
};

// Opens the regular file at `path` (UTF-8) for reading sectors. A
// directory, device, pipe or other special file is refused without being
// opened, so that nothing but a saved image is ever read.
OpenedImage openDiskImage(const std::string& path);

// Opens `path` and reads its partition table (core::readPartitionTable); a
// path that cannot be opened gives a reading that holds only its error.
core::TableReading readTableFile(const std::string& path, const core::TableRequest& request,
                                 const core::NumberFormat& format);

}  // namespace quorvane::platform
