// The wizard pages filled from an entry of a partinfo listing and its
// volume's boot record, or from a volume read from a disk image: only values
// the source holds, nothing invented.
#pragma once

#include "core/base/fields.h"
#include "core/readers/bootsector.h"
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

// From a volume read from an image, the restore pages only where they
// repair something: the boot sector damaged and a backup sound. "Fat32
// bbs" gets the start sector, "NTFS bbs" the start sector and the count.
PageFill<Fat32BbsFields> fat32BbsFromVolume(const VolumeReport& volume);
PageFill<NtfsBbsFields> ntfsBbsFromVolume(const VolumeReport& volume);

// "DYN_ROOT" from a FAT12/FAT16 volume whose root directory holds DYN_ROOT:
// the boot sector's values and the directory's start cluster, in
// hexadecimal.
PageFill<DynRootFields> dynRootFromVolume(const VolumeReport& volume);

}  // namespace quorvane::core
