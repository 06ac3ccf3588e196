// The command that reads a partinfo listing (a file or standard input),
// checks every entry and names what each entry can fill on the other pages.
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/command.h"
#include "cli/entry_output.h"
#include "cli/json.h"
#include "core/app/listingchoices.h"
#include "core/base/texts.h"
#include "core/readers/partinfo.h"
#include "core/workbench/listingcheck.h"
#include "core/workbench/tabletexts.h"
#include "platform/console.h"
#include "platform/listingfile_std.h"

namespace quorvane::cli {

namespace {

using core::CheckedDisk;
using core::ListedEntry;
using core::ListingMessage;
using core::ListingReading;

// The BIOS numbers at most 128 hard disks (80h to FFh).
constexpr std::uint64_t kMostDisks = 128;

core::ListingRequest listingRequest(const Arguments& arguments) {
    if (arguments.flag("json") && arguments.flag("batch-lines"))
        throw Usage{"--json and --batch-lines cannot be given together"};
    core::ListingRequest request;
    if (const std::string* disk = arguments.value("disk")) {
        const auto number = wholeNumber(*disk);
        if (!number || *number < 1 || *number > kMostDisks)
            throw Usage{"--disk must be a whole number from 1 to " + std::to_string(kMostDisks)};
        request.disk = static_cast<unsigned>(*number);
    }
    if (const std::string* drive = arguments.value("drive")) {
        if (!wholeNumber(*drive)) throw Usage{"--drive takes a drive number"};
        request.drive = *drive;
    }
    return request;
}

// What the person named: the file, or standard input for "-" or nothing.
struct Source {
    std::string argument;  // as given: the file's name or "-"
    std::string name;      // in what quorvane-cli says
};

Source source(const Arguments& arguments) {
    if (arguments.positional.empty() || arguments.positional.front() == "-")
        return {"-", "standard input"};
    return {arguments.positional.front(), arguments.positional.front()};
}

std::string diskName(const CheckedDisk& disk) {
    return disk.listing.number ? "Disk " + std::to_string(*disk.listing.number)
                               : std::string("Unnumbered disk");
}

std::string messageLine(const ListingMessage& m) {
    return "Listing: " + core::listingMessageText(m) + "\n";
}

std::string messageLines(const std::vector<ListingMessage>& messages) {
    std::string text;
    for (const ListingMessage& m : messages) text += messageLine(m);
    return text;
}

// The entry as the listing prints it: its CHS values (saying which ones it
// marks as placeholders), StartSect and NumSects; then the actual values
// where it gives them.
std::string listedLines(const core::ListingEntry& e) {
    std::string text = "Listed on line " + std::to_string(e.line) + ": CHS " +
                       core::chsText(e.begin) + " to " + core::chsText(e.end) + ", StartSect " +
                       std::to_string(e.printedStart) + ", NumSects " + std::to_string(e.count);
    if (e.beginPlaceholder && e.endPlaceholder) {
        text += "; both CHS values are placeholders";
    } else if (e.beginPlaceholder || e.endPlaceholder) {
        text += e.beginPlaceholder ? "; the begin CHS is a placeholder"
                                   : "; the end CHS is a placeholder";
    }
    text += "\n";
    if (e.actualBegin || e.actualEnd) {
        text += "Actual: CHS " + core::chsText(e.actualBegin.value_or(e.begin)) + " to " +
                core::chsText(e.actualEnd.value_or(e.end)) + "\n";
    }
    return text;
}

std::string volumeLine(const core::VolumeRow& v) {
    std::string text = v.volume.empty() ? std::string() : "Volume " + v.volume + ", ";
    text += "type " + v.partType;
    if (!v.status.empty()) text += ", status " + v.status;
    text += ", " + v.sizeMb + " MB, PartSect " +
            (v.partSect ? std::to_string(*v.partSect) : std::string("None")) + ", slot " +
            (v.slot ? std::to_string(*v.slot) : std::string("--")) + ", StartSect " +
            std::to_string(v.start) + ", TotalSects " + std::to_string(v.total) + "\n";
    return text + messageLines(v.messages);
}

// A disk of which the listing gives neither the geometry nor an entry (a
// paste of its messages or its Partition Information) has no geometry to
// show: one guessed from nothing would be invented.
bool hasGeometry(const CheckedDisk& disk) {
    return disk.listing.geometry || !disk.entries.empty();
}

std::string diskText(const CheckedDisk& disk) {
    const core::DriveGeometry& g = disk.geometry;
    std::string text = "\n" + diskName(disk) + ", drive " + disk.drive + "\n";
    if (hasGeometry(disk)) {
        text += "Geometry: " + core::geometryText(g) + " (" +
                core::geometrySourceText(g, core::Wording::Word) + ")\n";
    }
    if (!disk.missing.empty()) text += disk.missing + "\n";
    text += messageLines(disk.listing.messages);
    for (const ListedEntry& e : disk.entries) {
        text += "\n" + diskName(disk) + ", " + core::entryHeader(e.checked) + "\n" +
                listedLines(e.listing) + "check " + checkOptions(e.checked.fields) + "\n" +
                core::withLineFeeds(e.checked.report) + "\n" + messageLines(e.listing.messages);
        for (const std::string& disagreement : e.disagreements) text += disagreement + "\n";
        for (const core::PageChoice& choice : core::pageChoices(disk, e))
            if (choice.available()) text += choiceLine(choice);
    }
    if (!disk.listing.volumes.empty()) {
        text += "\nPartition Information:\n";
        for (const core::VolumeRow& v : disk.listing.volumes) text += volumeLine(v);
    }
    if (!disk.listing.bootRecords.empty()) {
        text += "\nBoot records:\n";
        for (const core::BootRecord& r : disk.listing.bootRecords) {
            text += "Drive " + r.drive + ", starting sector " + std::to_string(r.startingSector) +
                    ", type " + r.type + ", " + std::to_string(r.fields.size()) + " fields\n" +
                    messageLines(r.messages);
        }
    }
    return text + "\n" + findingsText(disk.findings);
}

std::string unreadText(const std::vector<core::UnreadLine>& unread) {
    if (unread.empty()) return {};
    std::string text = "\nLines not read:\n";
    for (const core::UnreadLine& u : unread)
        text += "line " + std::to_string(u.line) + ": " + u.text + "\n";
    return text;
}

std::string textReport(const Source& from, const ListingReading& reading) {
    std::string text = "Listing: " + from.name + " (" +
                       std::string(core::listingLayoutName(reading.layout)) + " layout)\n";
    for (const CheckedDisk& disk : reading.disks) text += diskText(disk);
    return text + unreadText(reading.unread);
}

void writeMessages(JsonWriter& json, const std::vector<ListingMessage>& messages) {
    json.key("listing").beginArray();
    for (const ListingMessage& m : messages) {
        json.beginObject().key("level").text(core::messageLevelName(m.level)).key("code");
        if (m.code) json.number(*m.code);
        else json.null();
        json.key("text").text(m.text).key("values").beginArray();
        for (const core::ListingValue& v : m.values) {
            json.beginObject()
                .key("name").text(v.name)
                .key("value").text(v.value)
                .key("expected").text(v.expected)
                .endObject();
        }
        json.endArray().endObject();
    }
    json.endArray();
}

void writeEntry(JsonWriter& json, const ListedEntry& entry) {
    const core::ListingEntry& e = entry.listing;
    json.beginObject()
        .key("table_sector").number(e.tableSector)
        .key("slot").number(e.slot)
        .key("type").text(core::typeCodeText(e.type))
        .key("active").boolean(e.boot == 0x80)
        .key("extended").boolean(core::isExtendedType(e.type));
    writeChs(json.key("begin"), e.begin);
    writeChs(json.key("end"), e.end);
    json.key("actual");
    if (e.actualBegin || e.actualEnd) {
        json.beginObject();
        writeChs(json.key("begin"), e.actualBegin.value_or(e.begin));
        writeChs(json.key("end"), e.actualEnd.value_or(e.end));
        json.endObject();
    } else {
        json.null();
    }
    json.key("start").number(e.start).key("count").number(e.count);
    writeCheck(json, entry.checked);
    writeMessages(json, e.messages);
    json.key("disagreements").beginArray();
    for (const std::string& disagreement : entry.disagreements) json.text(disagreement);
    json.endArray().endObject();
}

void writeVolume(JsonWriter& json, const core::VolumeRow& v) {
    json.beginObject()
        .key("volume").text(v.volume)
        .key("part_type").text(v.partType)
        .key("status").text(v.status)
        .key("size_mb").text(v.sizeMb)
        .key("table_sector");
    if (v.partSect) json.number(*v.partSect);
    else json.null();
    json.key("slot");
    if (v.slot) json.number(*v.slot);
    else json.null();
    json.key("start").number(v.start).key("count").number(v.total);
    writeMessages(json, v.messages);
    json.endObject();
}

// A boot record's fields by name; a name that comes again ("Reserved" on
// FAT32) gets its count: "Reserved (2)".
void writeBootRecord(JsonWriter& json, const core::BootRecord& r) {
    json.beginObject()
        .key("starting_sector").number(r.startingSector)
        .key("type").text(r.type)
        .key("drive").text(r.drive)
        .key("fields").beginObject();
    for (std::size_t i = 0; i < r.fields.size(); ++i) {
        const std::string& name = r.fields[i].name;
        const auto before = std::count_if(r.fields.begin(), r.fields.begin() + i,
                                          [&](const auto& f) { return f.name == name; });
        json.key(before == 0 ? name : name + " (" + std::to_string(before + 1) + ")")
            .text(r.fields[i].value);
    }
    json.endObject();
    writeMessages(json, r.messages);
    json.endObject();
}

// Each page's available choices, in the order of the entries.
void writePages(JsonWriter& json, const CheckedDisk& disk) {
    std::vector<std::vector<core::PageChoice>> choices;
    for (const ListedEntry& e : disk.entries) choices.push_back(core::pageChoices(disk, e));
    std::vector<std::string_view> keys;
    for (const auto& entryChoices : choices)
        for (const core::PageChoice& choice : entryChoices)
            if (std::find(keys.begin(), keys.end(), choice.key) == keys.end())
                keys.push_back(choice.key);
    json.key("pages").beginObject();
    for (const std::string_view key : keys) {
        json.key(key).beginArray();
        for (const auto& entryChoices : choices) {
            for (const core::PageChoice& choice : entryChoices) {
                if (choice.key != key || !choice.available()) continue;
                json.beginObject();
                for (const auto& [name, value] : choice.fields) json.key(name).text(value);
                json.endObject();
            }
        }
        json.endArray();
    }
    json.endObject();
}

// Writes the JSON document to `out` a disk and an entry at a time, so that
// a large listing never stands whole in memory twice.
void writeJsonReport(std::ostream& out, const Source& from, const ListingReading& reading) {
    JsonWriter json;
    json.beginObject()
        .key("source").text(from.argument)
        .key("layout").text(core::listingLayoutName(reading.layout))
        .key("disks").beginArray();
    for (const CheckedDisk& disk : reading.disks) {
        const core::DriveGeometry& g = disk.geometry;
        json.beginObject().key("disk");
        if (disk.listing.number) json.number(*disk.listing.number);
        else json.null();
        json.key("drive").text(disk.drive).key("geometry");
        if (hasGeometry(disk)) {
            json.beginObject()
                .key("cylinders").number(g.cylinders)
                .key("heads").number(g.heads)
                .key("sectors").number(g.sectors)
                .endObject();
        } else {
            json.null();
        }
        json.key("missing");
        if (disk.missing.empty()) json.null();
        else json.text(disk.missing);
        writeMessages(json, disk.listing.messages);
        json.key("entries").beginArray();
        for (const ListedEntry& e : disk.entries) {
            writeEntry(json, e);
            out << json.take();
        }
        json.endArray().key("volumes").beginArray();
        for (const core::VolumeRow& v : disk.listing.volumes) writeVolume(json, v);
        json.endArray().key("boot_records").beginArray();
        for (const core::BootRecord& r : disk.listing.bootRecords) writeBootRecord(json, r);
        json.endArray();
        writePages(json, disk);
        writeFindings(json, disk.findings);
        json.endObject();
        out << json.take();
    }
    json.endArray().key("unread").beginArray();
    for (const core::UnreadLine& u : reading.unread)
        json.beginObject().key("line").number(u.line).key("text").text(u.text).endObject();
    json.endArray().endObject();
    out << json.take() << '\n';
}

// The disks the listing holds, for a --disk it does not hold: "1, 2".
std::string diskNumbers(const core::Listing& listing) {
    std::string text;
    for (const core::ListingDisk& disk : listing.disks) {
        if (!text.empty()) text += ", ";
        text += disk.number ? std::to_string(*disk.number) : std::string("one it does not number");
    }
    return text;
}

int runPartinfo(const Arguments& arguments, Context& context) {
    const core::ListingRequest request = listingRequest(arguments);
    const Source from = source(arguments);
    if (from.argument == "-") platform::readStandardInputAsBytes();
    const platform::ListingFile file = from.argument == "-"
                                           ? platform::readListingStream(context.in)
                                           : platform::readListingFile(from.argument);
    const auto refuse = [&](const std::string& reason) {
        context.err << "quorvane-cli: " << core::unreadableListingText(from.name, reason) << '\n';
        return kRefused;
    };
    if (!file.error.empty()) return refuse(file.error);
    const core::Listing listing = core::readListing(file.bytes);
    if (!listing.error.empty()) return refuse(listing.error);
    // Every disk's entries would get the one drive number, and their lines
    // for batch would edit that drive's table with another disk's values.
    if (request.drive && !request.disk && listing.disks.size() > 1)
        throw Usage{"--drive needs --disk when the listing holds several disks"};
    const ListingReading reading = core::checkListing(listing, request, context.format);
    if (!reading.error.empty()) return refuse(reading.error);
    if (request.disk && reading.disks.empty()) {
        context.err << "quorvane-cli: partinfo: the listing holds no disk "
                    << std::to_string(*request.disk) << " (its disks: " << diskNumbers(listing)
                    << ")\n";
        return kRefused;
    }
    if (const std::string* svg = arguments.value("svg")) {
        // One map: one disk.
        if (reading.disks.size() != 1)
            throw Usage{"--svg needs --disk when the listing holds several disks"};
        const CheckedDisk& disk = reading.disks.front();
        const std::string title =
            "Disk " + (disk.listing.number ? std::to_string(*disk.listing.number) : std::string("?")) +
            " of " + from.name;
        if (!writeMapSvg(*svg, core::layoutDiskMap(disk, context.format), title, context))
            return kRefused;
    }

    if (arguments.flag("batch-lines")) {
        for (const CheckedDisk& disk : reading.disks) {
            for (const ListedEntry& e : disk.entries)
                if (!e.checked.entry.extended())
                    context.out << checkOptions(e.checked.fields) << '\n';
            for (const core::Finding& f : disk.findings)
                context.err << "quorvane-cli: partinfo: " << f.text << '\n';
        }
        for (const core::UnreadLine& u : reading.unread)
            context.err << "quorvane-cli: partinfo: line " << u.line << " not read: " << u.text
                        << '\n';
    } else if (arguments.flag("json")) {
        writeJsonReport(context.out, from, reading);
    } else {
        std::string text = textReport(from, reading);
        if (context.crlf) text = core::withCrLf(text);
        context.out << text;
    }
    context.out.flush();
    if (!reading.hasEntries()) return refuse(reading.missingText());
    // A line not read may have held an entry that nothing checked.
    return reading.clean() && reading.unread.empty() ? kRan : kFound;
}

}  // namespace

void addPartinfoCommands(std::vector<Command>& commands) {
    Command partinfo;
    partinfo.name = "partinfo";
    partinfo.synopsis = "[FILE | -] [--disk N] [--drive N] [--json] [--batch-lines] [--svg FILE]";
    partinfo.summary =
        "a partinfo listing, every entry checked and each page it fills; exit status 3 on errors";
    partinfo.options = {
        {"disk", "N", "only the disk the listing numbers N"},
        {"drive", "N", "the drive number of the entries' Editpart lines (else the disk's place)"},
        {"json", {}, "print one JSON object instead of the text"},
        {"batch-lines", {}, "print a line of options for batch per partition (findings on stderr)"},
        {"svg", "FILE", "also write a map of the disk as SVG to FILE (one disk: see --disk)"},
    };
    partinfo.notes =
        "FILE is the text file that partinfo or partinnt wrote (partinfo > partinfo.txt),\n"
        "as saved, mailed or posted: UTF-8, UTF-16 or code page 437, any line ends; - or\n"
        "no FILE reads standard input. A file larger than 16 MiB is refused before it is\n"
        "read.\n"
        "\n"
        "Each disk is shown with its geometry; each entry as the listing gives it, its\n"
        "fields as options of check (with the actual CHS values where the listing gives\n"
        "them, and the first disk listed as drive 1), the check's report, the listing's\n"
        "own messages, where the two disagree, and a line of options for each page the\n"
        "entry or its volume's boot record fills (error110, error108, bogus113,\n"
        "fat32-bbs, ntfs-bbs, dynroot). Then the Partition Information rows, the boot\n"
        "records and the findings across entries, and at the end the lines that could\n"
        "not be read. --drive needs --disk when the listing holds several disks.\n"
        "--batch-lines gives each partition as a line that batch reads:\n"
        "  quorvane-cli partinfo partinfo.txt --disk 1 --batch-lines |\n"
        "      quorvane-cli batch --output quorvane.bat\n"
        "\n"
        "Exit status: 0 every check o.k., no finding, no error in the listing and every\n"
        "line read; 3 otherwise; 1 the input holds no listing that can be read (or only\n"
        "messages or the Partition Information, which are shown first), or no disk N;\n"
        "2 usage error.\n";
    partinfo.minArguments = 0;
    partinfo.maxArguments = 1;
    partinfo.run = runPartinfo;
    commands.push_back(std::move(partinfo));
}

}  // namespace quorvane::cli
