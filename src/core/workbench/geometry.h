// The "Geometry" page: one partition table entry with its drive geometry,
// and the four conversions between its CHS and LBA forms.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/base/fields.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"

namespace quorvane::core {

// The page's fields, as typed. Names follow the page's controls.
struct GeometryFields {
    // Drive geometry: cylinders, heads per cylinder, sectors per track.
    std::string dgcyls, dgheads, dgsects;
    // CHS address of the first sector.
    std::string cyls, heads, sects;
    // CHS address of the last sector.
    std::string ecyls, eheads, esects;
    // Start sector ("sectors before") and number of sectors. After
    // "eCHS2eLBA" LBAend holds the absolute end sector instead of a count.
    std::string lbastrt, LBAend;
    // Items of the Editpart command line.
    std::string relcyl, prtsct;
    std::string drive, prtno, filesys;  // editable combo boxes
    bool Optact = false;                // active flag; the person can only turn it on

    friend bool operator==(const GeometryFields&, const GeometryFields&) = default;
};

using GeometryTextField = TextField<GeometryFields>;

// The page's text fields (all but the active flag), in the page's order.
TextFields<GeometryFields> geometryTextFields();

// ((C x H + Hd) x S + Sc): the sector after the one that the CHS address
// C/Hd/Sc names under H heads and S sectors per track, counted from 0; in
// the checked arithmetic, so a value beyond a double's range fails.
double chsSectorEnd(double cylinder, double heads, double head, double sectors, double sector);

// An entry's span from its begin and end CHS values under the drive's heads
// and sectors per track, as "CHS2LBA" and "Check" read it.
struct ChsSpan {
    double heads, sectors;      // of the drive geometry
    double endHead, endSector;  // of the end CHS
    double start;               // the first sector
    double endPlusOne;          // the sector after the last
    double count;               // endPlusOne - start
};

// Reads the fields in the order that decides which empty one is reported:
// heads and sectors of the geometry, the begin sector, cylinder and head
// (these two as they enter the arithmetic), then the end cylinder, head and
// sector. Strict readings: an empty or unreadable field fails with code 13.
ChsSpan readChsSpan(const GeometryFields& fields, const NumberFormat& format);

// Title of the required-fields message of the four conversions.
inline constexpr std::string_view kConversionTitle = "ID10T";

// Each conversion reads what it needs, computes, and writes its fields (and
// the report, where it has one) only when everything succeeded: a refused
// or failed click leaves fields and report exactly as they were.

// "bCHS2bLBA": begin CHS to start sector; writes the report and lbastrt.
Outcome beginChsToLba(GeometryFields& fields, std::string& report, const NumberFormat& format);

// "bLBA2bCHS": start sector to begin CHS; writes the report, cyls, heads, sects.
Outcome beginLbaToChs(GeometryFields& fields, std::string& report, const NumberFormat& format);

// "eCHS2eLBA": end CHS to absolute end sector; writes the report and LBAend.
Outcome endChsToLba(GeometryFields& fields, std::string& report, const NumberFormat& format);

// "CHS2LBA": begin and end CHS to start sector and sector count; writes
// lbastrt and LBAend and leaves the report as it was.
Outcome chsToLba(GeometryFields& fields, const NumberFormat& format);

}  // namespace quorvane::core
