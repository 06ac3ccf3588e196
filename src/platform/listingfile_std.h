// A partinfo listing read from a regular file, whole, after its size has
// been checked: a file larger than any listing is refused before a byte of
// it is read.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace quorvane::platform {

// The file's bytes, or the reason why the path cannot be read as a listing
// (as core::unreadableListingText takes it).
struct ListingFile {
    std::string bytes;
    std::string error;
};

// Reads the regular file at `path` (UTF-8). A directory, device, pipe or
// other special file is refused without being opened.
ListingFile readListingFile(const std::string& path);

// Reads a listing from a stream (standard input), at most one byte more
// than a listing may hold; more is refused.
ListingFile readListingStream(std::istream& in);

}  // namespace quorvane::platform
