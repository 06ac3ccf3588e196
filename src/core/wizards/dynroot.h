// The "DYN_ROOT" page: instructions for the disk editor Patch that copy a
// FAT12/FAT16 root directory, left relocated into the first cluster of a
// directory named DYN_ROOT, back into the root directory area.
//
// Patch works on the logical drive, so every byte position counts from the
// first byte of the volume's boot sector. The volume has 512-byte sectors:
// its reserved sectors (the boot sector first), its FATs, the root directory
// area, then the data area whose first cluster is number 2.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/fields.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::core {

// The page's fields, as typed: hexadecimal, as Patch shows them.
struct DynRootFields {
    // Boot sector values, frame (2).
    std::string sectcluster;  // sectors per cluster
    // Reserved sectors before the first FAT and the number of FATs, preset
    // to what DOS writes (1 and 2); other formatters reserve more sectors,
    // so the person types the values the boot sector holds.
    std::string rsvdsects = "1";
    std::string numfats = "2";
    std::string direntries;   // root directory entries
    std::string sectfat;      // sectors per FAT
    // Start cluster of the DYN_ROOT directory, frame (4).
    std::string dynrootstart;

    friend bool operator==(const DynRootFields&, const DynRootFields&) = default;
};

TextFields<DynRootFields> dynRootTextFields();

// What the wizard keeps between clicks. Nothing resets it.
struct DynRootState {
    double hexvalue = 0;         // result of the last hexadecimal conversion
    double rootstart = 0;        // byte position of the root directory's first byte
    double rootend = 0;          // byte position of its last entry's last byte
    double rootspan = 0;         // rootend - rootstart: 32 x entries - 1
    double clustsects = 0;       // sectors per cluster
    std::uint8_t step1done = 0;  // 1 once "Calculate root" has run
    // The boot sector values (frame (2)) as the last "Calculate root" read
    // them: "Calculate" works only while the page still shows these texts.
    DynRootFields step1fields;

    friend bool operator==(const DynRootState&, const DynRootState&) = default;
};

inline constexpr std::string_view kFirstCompleteStep1 = "First complete step 1 !";

// "Start wizard": the introduction and the first Patch steps.
std::string dynRootStartText();

// "Calculate root": reads the boot sector values, stores the root
// directory's position and size and writes where to find DYN_ROOT. An
// empty field, a text that is not hexadecimal, a value longer than 12
// digits or one no FAT12/FAT16 boot sector can hold is refused: nothing is
// written and no state changes.
Outcome calculateRoot(const DynRootFields& fields, DynRootState& state, std::string& report,
                      const NumberFormat& format);

// "Calculate" of frame (5): the copy of the relocated root. Answers "First
// complete step 1 !" unless "Calculate root" has run on the boot sector
// values the page shows now; refuses the start cluster as "Calculate root"
// refuses its values, and one below 2.
Outcome calculateCopy(const DynRootFields& fields, DynRootState& state, std::string& report,
                      const NumberFormat& format);


}  // namespace quorvane::core
