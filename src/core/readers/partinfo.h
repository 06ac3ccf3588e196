// A PartitionInfo listing read from its text: the listing that partinfo (the
// DOS program) or partinnt (the Windows NT program) writes when the person
// redirects it to a file, as saved, mailed or posted. Reading turns the text
// into plain values (disks, entries, volumes, boot records, messages) and
// only that; what the entries mean is the business of
// workbench/listingcheck.h.
//
// The reader is liberal in what it accepts (UTF-8, UTF-16 with a byte order
// mark, code page 437; any line ends; thousands separators; runs of blanks
// collapsed; lines wrapped; forum tags and HTML entities) and exact in what
// it reports: a row that cannot be read whole is listed with its line number
// and text, never guessed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/readers/partitiontable.h"

namespace quorvane::core {

// The largest listing read: a listing of many disks is a few hundred
// kilobytes. Front ends refuse a larger file before reading it.
inline constexpr std::size_t kMaxListingBytes = 16 * 1024 * 1024;

// Which program wrote the listing.
enum class ListingLayout {
    Nt,   // partinnt: "Disk Geometry Information for Disk N:", absolute StartSect
    Dos,  // partinfo: "Disk N: C Cylinders, ...", "Partition Tables", * and ** rows
};

// "nt" or "dos".
std::string_view listingLayoutName(ListingLayout layout);

enum class MessageLevel { Error, Warning, Info };

// "Error", "Warning" or "Info", as the listing prints it.
std::string_view messageLevelName(MessageLevel level);

// One value of a message's value line: "ucBeginHead expected to be 0 or 1,
// not 2." gives {"ucBeginHead", "2", "0 or 1"}; "ucSectors = 1024065" gives
// {"ucSectors", "1024065", ""}; "ucEndCylinder (5000) must be less than
// 4865." gives {"ucEndCylinder", "5000", "less than 4865"}.
struct ListingValue {
    std::string name;
    std::string value;     // digits, without separators
    std::string expected;  // what the listing expected, or empty

    friend bool operator==(const ListingValue&, const ListingValue&) = default;
};

// One of the listing's own messages with its value lines.
struct ListingMessage {
    std::size_t line = 0;  // of the message, counted from 1
    MessageLevel level = MessageLevel::Error;
    // The number after '#'; for an unnumbered message whose text is that of
    // a numbered one ("Info: Partition didn't end on cylinder boundary."),
    // that number.
    std::optional<unsigned> code;
    // The text after "Error #108: ", "Warning: " or "Info: ", entities
    // decoded, with its closing period: "Partition didn't end on cylinder
    // boundary."
    std::string text;
    std::vector<ListingValue> values;

    // The value named `name` (compared without case), or none.
    const ListingValue* value(std::string_view name) const;

    friend bool operator==(const ListingMessage&, const ListingMessage&) = default;
};

// One row of a disk's partition table section with what follows it.
struct ListingEntry {
    std::size_t line = 0;  // of the row (of its first part when it was wrapped)
    std::string label;     // NT's System column: the volume label, or empty
    std::uint64_t tableSector = 0;  // "PartSect"
    unsigned slot = 1;              // 1 to 4: the listing's '#' plus one
    std::uint8_t boot = 0;          // the boot flag byte: 80 is active
    std::uint8_t type = 0;          // "FS"
    Chs begin, end;                 // as printed, placeholders included
    // The actual values: NT's "Actual values are:" row, DOS's "**" row.
    std::optional<Chs> actualBegin, actualEnd;
    // The listing marks the begin or the end as a large drive placeholder
    // (NT's Info lines, DOS's "*" row, which marks both). NT's placeholder
    // Info lines set these and are not kept among the messages.
    bool beginPlaceholder = false;
    bool endPlaceholder = false;
    std::uint64_t printedStart = 0;  // StartSect as printed
    // The absolute first sector: NT prints it; DOS prints the stored value,
    // which for an extended boot record's entries counts from that record
    // (a logical partition) or from the extended partition (a link). A DOS
    // link whose listing lacks the master boot record's extended entry
    // keeps the printed value.
    std::uint64_t start = 0;
    std::uint64_t count = 0;  // NumSects
    // The messages that follow the row, before the next row; on DOS the
    // messages after the legend that name this entry's NumSects as
    // "ucSectors".
    std::vector<ListingMessage> messages;

    friend bool operator==(const ListingEntry&, const ListingEntry&) = default;
};

// One row of a disk's Partition Information section.
struct VolumeRow {
    std::size_t line = 0;
    std::string volume;    // "C:", "D:MEDIA", "*:LABEL", or empty
    std::string partType;  // "NTFS", "FAT32", "ExtendedX", "EPBR", "Linux Ext3", "Unallocated", ...
    std::string status;    // "Pri", "Pri,Boot", "Log", "Log,Boot", or empty
    std::string sizeMb;    // as printed, without separators: "10236.7"
    std::optional<std::uint64_t> partSect;  // none for "None"
    std::optional<unsigned> slot;           // 1 to 4; none for "--" or "-"
    std::uint64_t start = 0;
    std::uint64_t total = 0;
    std::vector<ListingMessage> messages;

    friend bool operator==(const VolumeRow&, const VolumeRow&) = default;
};

// One field of a boot record: "Sectors per Cluster" and "16".
struct BootRecordField {
    std::string name;   // without its number and colon; entities decoded
    std::string value;  // as printed, blanks around it dropped: "20884437  (0x13EABD5)"

    friend bool operator==(const BootRecordField&, const BootRecordField&) = default;
};

// One Boot Record section.
struct BootRecord {
    std::size_t line = 0;    // of its "Boot Record for drive" line
    std::string drive;       // "C:", or "*:" for a volume without a letter
    unsigned disk = 0;       // "Drive: n", from 1
    std::uint64_t startingSector = 0;
    std::string type;        // "NTFS", "FAT32", "FAT", "Ext2", "Ext3", ...
    std::vector<BootRecordField> fields;  // in the listing's order
    std::vector<ListingMessage> messages;

    // The value of the field named `name` (compared without case, "Number
    // of FATs" and "Number of FAT's" alike), or none.
    const std::string* field(std::string_view name) const;
    // The field's leading decimal number ("20884437  (0x13EABD5)" gives
    // 20884437), or none when the field is missing or starts otherwise.
    std::optional<std::uint64_t> number(std::string_view name) const;

    friend bool operator==(const BootRecord&, const BootRecord&) = default;
};

struct ListingGeometry {
    std::uint64_t cylinders = 0;
    unsigned heads = 0;
    unsigned sectors = 0;  // per track

    // Heads and sectors per track that a CHS address can hold: the only
    // geometry the checks and pages can calculate with.
    bool addressable() const {
        return heads >= 1 && heads <= kMaxHeads && sectors >= 1 && sectors <= kMaxSectorsPerTrack;
    }

    friend bool operator==(const ListingGeometry&, const ListingGeometry&) = default;
};

// Everything the listing says about one disk.
struct ListingDisk {
    // As printed, from 1; none for a paste that never names its disk.
    std::optional<unsigned> number;
    std::optional<ListingGeometry> geometry;
    bool tableSection = false;    // a partition table section was seen
    bool volumeSection = false;   // a Partition Information section was seen
    std::vector<ListingEntry> entries;  // in listing order
    std::vector<VolumeRow> volumes;
    std::vector<BootRecord> bootRecords;
    // Messages that follow no row: a paste of the error lines only.
    std::vector<ListingMessage> messages;

    friend bool operator==(const ListingDisk&, const ListingDisk&) = default;
};

// The boot record of the volume that starts at `start`, or none.
const BootRecord* bootRecordAt(const ListingDisk& disk, std::uint64_t start);

// A line that looked like part of the listing but could not be read whole.
struct UnreadLine {
    std::size_t line = 0;
    std::string text;  // as it stood, after decoding

    friend bool operator==(const UnreadLine&, const UnreadLine&) = default;
};

// The most entries a disk of a listing holds: the master boot record's four
// and four in each extended boot record of the longest chain. Rows beyond
// them are not read.
inline constexpr std::size_t kMostListedEntries = 4 * (1 + kMaxChainRecords);

// The most unread lines a listing keeps; the rest are counted.
inline constexpr std::size_t kMaxUnreadLines = 1000;

struct Listing {
    // Why the text holds no listing that can be read, or empty. A reason:
    // show it with unreadableListingText().
    std::string error;
    ListingLayout layout = ListingLayout::Nt;
    std::vector<ListingDisk> disks;  // in listing order
    std::vector<UnreadLine> unread;  // the first kMaxUnreadLines of them
    std::size_t unreadDropped = 0;   // how many more there were

    friend bool operator==(const Listing&, const Listing&) = default;
};

// The file's bytes as UTF-8 text with LF line ends: UTF-16 LE or BE after
// its byte order mark, UTF-8 with or without one, else code page 437. An
// error names what the bytes are instead ("it is empty", "it holds binary
// data, not text", "it is a disk image, not a text listing: ...").
struct DecodedText {
    std::string text;
    std::string error;
};
DecodedText decodeListingText(std::string_view bytes);

// One decoded line cleaned of what posting glued on: a mail reply's "> "
// quote marks, forum tags ("[FONT=...]", "[/FONT]", "[email]", "[url=...]",
// "[CODE]", ...; never a DOS row's bracketed CHS), links written
// "[text](url)" (the text stays), HTML entities ("&#39;", "&gt;", "&nbsp;",
// ...) and trailing blanks.
std::string cleanListingLine(std::string_view line);

// Reads a listing from the file's bytes (at most kMaxListingBytes: more is
// refused). Bounded in time and memory by the text's length.
Listing readListing(std::string_view bytes);

// Why a text larger than kMaxListingBytes is refused.
std::string listingTooLargeReason();

// The whole message for a listing that cannot be read: "Cannot read 'NAME'
// as a partinfo listing: REASON."
std::string unreadableListingText(std::string_view name, std::string_view reason);

}  // namespace quorvane::core
