// The calculator pages filled from an entry of a partinfo listing or a disk
// image and its volume's boot record: only values the source holds, nothing
// invented.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/base/fields.h"
#include "core/calculators/bogus113.h"
#include "core/calculators/error108.h"
#include "core/calculators/error110.h"
#include "core/readers/partinfo.h"

namespace quorvane::core {

// "Error 110" for an entry with the listing's #110 message: ucSectors and
// end - begin from its value lines, the heads and sectors per track of the
// disk, the partition's cylinders from its actual begin and end cylinders.
PageFill<Error110Fields> error110FromListing(const ListingEntry& entry,
                                             const std::optional<ListingGeometry>& geometry);

// "Error 108" for a partition of `count` sectors from `start`: the disk's
// geometry, the start and the count.
PageFill<Error108Fields> error108FromSpan(std::uint64_t start, std::uint64_t count,
                                          const std::optional<ListingGeometry>& geometry);

// "Error 108" for any entry: the disk's geometry, StartSect and NumSects.
PageFill<Error108Fields> error108FromListing(const ListingEntry& entry,
                                             const std::optional<ListingGeometry>& geometry);

// "Bogus 113" from the FAT or FAT32 boot record `record` (none when not
// found) of the volume at `start` whose entry counts `count` sectors;
// `holder` names where the record was looked for ("the listing", "the
// image").
PageFill<Bogus113Fields> bogus113FromBootRecord(const BootRecord* record, std::uint64_t start,
                                                std::uint64_t count, std::string_view holder);

// "Bogus 113" from the FAT or FAT32 boot record of the volume that starts
// at the entry's start, with the entry's NumSects.
PageFill<Bogus113Fields> bogus113FromListing(const ListingDisk& disk, const ListingEntry& entry);

}  // namespace quorvane::core
