// The texts about a volume's boot sector read from an image that both front
// ends show: quorvane-cli bootsector and table, and the list window.
#pragma once

#include <string>
#include <vector>

#include "core/readers/bootsector.h"

namespace quorvane::core {

// One line for an entry of the table: "Boot sector: FAT32, sound; backup
// in sector 2054 identical.", "Boot sector: FAT16, damaged: ...".
std::string volumeSummary(const VolumeReport& volume);

// The verdict, a sentence a line: the file system, the boot sector, each
// backup and how it compares, the hidden and total sectors against the
// entry, DYN_ROOT, and the page that applies.
std::vector<std::string> volumeVerdict(const VolumeReport& volume);

}  // namespace quorvane::core
