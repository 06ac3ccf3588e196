#include "core/workbench/listingcheck.h"

#include <algorithm>

#include "core/base/texts.h"
#include "core/workbench/entrycheck.h"

namespace quorvane::core {

namespace {

std::string number(std::uint64_t value) { return std::to_string(value); }

bool hasError(const std::vector<ListingMessage>& messages) {
    return std::any_of(messages.begin(), messages.end(), [](const ListingMessage& m) {
        return m.level == MessageLevel::Error;
    });
}

bool reportsError(const ListingDisk& disk) {
    const auto any = [](const auto& items) {
        return std::any_of(items.begin(), items.end(),
                           [](const auto& item) { return hasError(item.messages); });
    };
    return hasError(disk.messages) || any(disk.entries) || any(disk.volumes) ||
           any(disk.bootRecords);
}

// "disk 2", or "the disk" for a paste that never names it.
std::string diskName(const ListingDisk& disk) {
    return disk.number ? "disk " + number(*disk.number) : "the disk";
}

// The geometry the listing prints, where a CHS address can use it; else the
// one the entries suggest, with the cylinders of their extent.
DriveGeometry geometryOf(const ListingDisk& disk, const std::vector<TableEntry>& entries) {
    if (const auto& g = disk.geometry; g && g->addressable()) {
        return {g->cylinders, g->heads, g->sectors, GeometrySource::Listing,
                CylinderSource::Listing};
    }
    // Without entries there is nothing to guess from: the default, as the
    // guess gives it, without its cost for each of a listing's many disks
    // that hold only boot records or messages.
    DriveGeometry guessed = entries.empty() ? DriveGeometry{} : guessGeometry(entries);
    std::uint64_t reach = 0;
    for (const TableEntry& e : entries)
        if (e.role != EntryRole::Link) reach = std::max(reach, e.endPlusOne());
    const std::uint64_t cylinder = std::uint64_t{guessed.heads} * guessed.sectors;
    guessed.cylinders = (reach + cylinder - 1) / cylinder;
    guessed.cylinderSource = CylinderSource::TableExtent;
    return guessed;
}

// The listing's entries as a table reader gives them: roles by table and
// type, numbers 1 to 4 by slot in the master boot record and 5, 6, ... for
// the logical partitions in listing order.
std::vector<TableEntry> tableEntries(const ListingDisk& disk) {
    std::vector<TableEntry> entries;
    unsigned logical = 4;
    for (const ListingEntry& l : disk.entries) {
        TableEntry e;
        e.tableSector = l.tableSector;
        e.slot = l.slot;
        e.boot = l.boot;
        e.type = l.type;
        e.begin = l.begin;
        e.end = l.end;
        e.start = l.start;
        e.count = static_cast<std::uint32_t>(std::min<std::uint64_t>(l.count, UINT32_MAX));
        e.storedStart = static_cast<std::uint32_t>(std::min<std::uint64_t>(l.printedStart, UINT32_MAX));
        const bool extended = isExtendedType(l.type);
        if (l.tableSector == 0) {
            e.role = extended ? EntryRole::Extended : EntryRole::Primary;
            e.number = l.slot;
        } else if (extended) {
            e.role = EntryRole::Link;
        } else {
            e.role = EntryRole::Logical;
            e.number = ++logical;
        }
        entries.push_back(e);
    }
    return entries;
}

// The codes whose condition the listing's partition table section reports
// on every entry, so that its silence is a verdict too: the DOS program
// alone prints #110.
bool listingJudges(int code, ListingLayout layout) {
    return code == 108 || code == 109 || (code == 110 && layout == ListingLayout::Dos);
}

std::vector<std::string> disagreements(const ListingEntry& listing, const CheckedEntry& checked,
                                       ListingLayout layout) {
    std::vector<std::string> lines;
    if (!checked.checkCompleted) return lines;
    for (const int code : kCheckCodes) {
        const auto message =
            std::find_if(listing.messages.begin(), listing.messages.end(),
                         [code](const ListingMessage& m) { return m.code == unsigned(code); });
        const bool failed = std::find(checked.failedChecks.begin(), checked.failedChecks.end(),
                                      code) != checked.failedChecks.end();
        const std::string name = "#" + number(unsigned(code));
        if (message != listing.messages.end() && !failed) {
            lines.push_back("The listing reports " + name + " (" + message->text +
                            "), but Check finds " + name + " o.k.");
        } else if (message == listing.messages.end() && failed && listingJudges(code, layout)) {
            lines.push_back("Check finds " + name + ", but the listing reports no " + name + ".");
        }
    }
    return lines;
}

// Why the "Geometry" page cannot be filled from the disk, or empty.
std::string missingFor(const ListingDisk& disk) {
    if (!disk.entries.empty()) return {};
    std::vector<std::string> held;
    if (disk.volumeSection || !disk.volumes.empty()) held.push_back("its Partition Information");
    if (!disk.bootRecords.empty()) held.push_back("boot records");
    const bool messages = !disk.messages.empty() ||
                          std::any_of(disk.volumes.begin(), disk.volumes.end(),
                                      [](const VolumeRow& v) { return !v.messages.empty(); });
    if (messages) held.push_back("messages");
    std::string text = "The listing holds no partition table entries for " + diskName(disk);
    if (!held.empty()) text += ", only " + listedText(held);
    return text + ": the Geometry page needs the rows of its partition table (PartSect to "
                  "NumSects).";
}

}  // namespace

std::vector<unsigned> ListedEntry::listingErrors() const {
    std::vector<unsigned> codes;
    for (const ListingMessage& m : listing.messages)
        if (m.level == MessageLevel::Error && m.code) codes.push_back(*m.code);
    return codes;
}

bool CheckedDisk::clean() const {
    return findings.empty() && !reportsError(listing) &&
           std::all_of(entries.begin(), entries.end(),
                       [](const ListedEntry& e) { return e.checked.passed(); });
}

bool ListingReading::hasEntries() const {
    return std::any_of(disks.begin(), disks.end(),
                       [](const CheckedDisk& d) { return !d.entries.empty(); });
}

std::string ListingReading::missingText() const {
    if (hasEntries()) return {};
    bool volumes = false, records = false;
    for (const CheckedDisk& d : disks) {
        volumes = volumes || d.listing.volumeSection || !d.listing.volumes.empty();
        records = records || !d.listing.bootRecords.empty();
    }
    std::string held = volumes && records ? "only the Partition Information section and boot records"
                       : volumes          ? "only the Partition Information section"
                       : records          ? "only boot records"
                                          : "only messages";
    return held + ", no partition table";
}

bool ListingReading::clean() const {
    return std::all_of(disks.begin(), disks.end(), [](const CheckedDisk& d) { return d.clean(); });
}

ListingReading checkListing(const Listing& listing, const ListingRequest& request,
                            const NumberFormat& format) {
    ListingReading reading;
    reading.error = listing.error;
    reading.layout = listing.layout;
    reading.unread = listing.unread;
    if (!reading.error.empty()) return reading;

    for (std::size_t place = 0; place < listing.disks.size(); ++place) {
        const ListingDisk& disk = listing.disks[place];
        if (request.disk && disk.number != request.disk) continue;
        CheckedDisk checked;
        checked.listing = disk;
        // The first disk listed is drive 1, as the "Drv" box counts.
        checked.drive = request.drive ? *request.drive : number(place + 1);
        const std::vector<TableEntry> entries = tableEntries(disk);
        checked.geometry = geometryOf(disk, entries);
        std::vector<CheckedEntry> checkedEntries;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const ListingEntry& l = disk.entries[i];
            const ActualChs actual{l.actualBegin, l.actualEnd, l.beginPlaceholder,
                                   l.endPlaceholder};
            ListedEntry entry;
            entry.listing = l;
            entry.checked =
                checkTableEntry(entries[i], checked.geometry, checked.drive, format, &actual);
            entry.disagreements = disagreements(l, entry.checked, listing.layout);
            for (std::size_t r = 0; r < disk.bootRecords.size(); ++r)
                if (disk.bootRecords[r].startingSector == l.start && !entry.checked.entry.extended())
                    entry.bootRecord = r;
            checkedEntries.push_back(entry.checked);
            checked.entries.push_back(std::move(entry));
        }
        checked.findings = findingsAcross(checkedEntries, checked.geometry);
        checked.missing = missingFor(disk);
        reading.disks.push_back(std::move(checked));
    }
    return reading;
}

}  // namespace quorvane::core
