// The "NTFS bbs" and "Fat32 bbs" pages: instructions for the disk editor
// Patch that copy a volume's backup boot sector over its damaged boot
// sector. Both read partition values from a partinfo listing in decimal and
// give byte addresses on the physical disk (512-byte sectors).
//
//   NTFS:  the backup is the partition's last sector, S + N - 1.
//   FAT32: the backup is the volume's sector 6, S + 6.
#pragma once

#include <string>

#include "core/base/fields.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::core {

struct NtfsBbsFields {
    std::string ntfsstartsector;    // S, the partition's first sector on the disk
    std::string ntfsnumbersectors;  // N, its number of sectors

    friend bool operator==(const NtfsBbsFields&, const NtfsBbsFields&) = default;
};

struct Fat32BbsFields {
    std::string startsct;  // S, the partition's first sector on the disk

    friend bool operator==(const Fat32BbsFields&, const Fat32BbsFields&) = default;
};

TextFields<NtfsBbsFields> ntfsBbsTextFields();
TextFields<Fat32BbsFields> fat32BbsTextFields();

// "Display info" of each page.
std::string ntfsBbsInfoText();
std::string fat32BbsInfoText();

// "Calculate" of each page. Fields are read the lenient way ("63 sectors"
// reads 63); a field without a leading number is refused with "Fill out
// required fields !", and one that is not a whole number of sectors from 0
// (the NTFS count: from 1) to 4294967295 as a partition table holds it, or
// whose digits run on into a letter or a separator and more digits ("0x3F",
// "3F", "63.5"), with a message naming the field. A refused click writes
// nothing.
Outcome calculateNtfsBbs(const NtfsBbsFields& fields, std::string& report,
                         const NumberFormat& format);
Outcome calculateFat32Bbs(const Fat32BbsFields& fields, std::string& report,
                          const NumberFormat& format);


}  // namespace quorvane::core
