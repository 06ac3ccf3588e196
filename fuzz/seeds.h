// The seeds of the fuzz targets, written from the test suite's own images
// and listings by quorvane_fuzz_seeds.
#pragma once

#include <filesystem>
#include <string_view>

namespace quorvane::fuzz {

// Writes `bytes` as the seed `name` of the target `target` (its folder
// under `dir`).
void writeSeed(const std::filesystem::path& dir, std::string_view target, std::string_view name,
               std::string_view bytes);

// The table's and the boot sector's seeds: disk images and volumes.
void writeImageSeeds(const std::filesystem::path& dir);
// The partinfo listing's seeds: listings of both layouts, posted and not,
// in every encoding the reader accepts.
void writeListingSeeds(const std::filesystem::path& dir);

}  // namespace quorvane::fuzz
