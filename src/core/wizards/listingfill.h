// The wizard pages filled from an entry of a partinfo listing and its
// volume's boot record: only values the listing prints, nothing invented.
#pragma once

#include "core/base/fields.h"
#include "core/readers/partinfo.h"
#include "core/wizards/bbs.h"
#include "core/wizards/dynroot.h"

namespace quorvane::core {

// "Fat32 bbs" for a FAT32 volume (type 0B or 0C, or a FAT32 boot record):
// its starting sector.
PageFill<Fat32BbsFields> fat32BbsFromListing(const ListingDisk& disk, const ListingEntry& entry);

// "NTFS bbs" for an NTFS volume (type 07 with an NTFS boot record, or type
// 07 where the listing holds no boot record): its starting sector and NumSects.
PageFill<NtfsBbsFields> ntfsBbsFromListing(const ListingDisk& disk, const ListingEntry& entry);

// "DYN_ROOT" from a FAT12/FAT16 boot record: sectors per cluster, root
// directory entries, sectors per FAT, reserved sectors and number of FATs
// in hexadecimal, as Patch shows them. The relocated root's start cluster
// is in no listing: the page keeps what the person typed there.
PageFill<DynRootFields> dynRootFromListing(const ListingDisk& disk, const ListingEntry& entry);

}  // namespace quorvane::core
