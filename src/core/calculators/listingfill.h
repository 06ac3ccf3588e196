// The calculator pages filled from an entry of a partinfo listing and its
// volume's boot record: only values the listing prints, nothing invented.
#pragma once

#include <optional>

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

// "Error 108" for any entry: the disk's geometry, StartSect and NumSects.
PageFill<Error108Fields> error108FromListing(const ListingEntry& entry,
                                             const std::optional<ListingGeometry>& geometry);

// "Bogus 113" from the FAT or FAT32 boot record of the volume that starts
// at the entry's start, with the entry's NumSects.
PageFill<Bogus113Fields> bogus113FromListing(const ListingDisk& disk, const ListingEntry& entry);

}  // namespace quorvane::core
