// The command that reads a partition table from a saved disk image and
// checks every entry.
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "cli/cli.h"
#include "cli/command.h"
#include "cli/entry_output.h"
#include "cli/geometry_options.h"
#include "cli/json.h"
#include "core/base/texts.h"
#include "core/workbench/entrycheck.h"
#include "core/workbench/tablecheck.h"
#include "core/workbench/tabletexts.h"
#include "core/workbench/volumetexts.h"
#include "platform/diskimage_std.h"

namespace quorvane::cli {

namespace {

using core::CheckedEntry;
using core::TableReading;

// A whole number from 1 to `max`, or a usage error that names `what`.
std::uint64_t inRange(std::string_view text, std::uint64_t max, const std::string& what) {
    const auto value = wholeNumber(text);
    if (!value || *value < 1 || *value > max)
        throw Usage{what + " must be a whole number from 1 to " + std::to_string(max)};
    return *value;
}

core::TableRequest tableRequest(const Arguments& arguments) {
    core::TableRequest request;
    const std::string* geometry = arguments.value("geometry");
    const std::string* heads = arguments.value("heads");
    const std::string* sectors = arguments.value("sectors");
    if (geometry && (heads || sectors))
        throw Usage{"give the geometry as --geometry C/H/S or as --heads and --sectors, not both"};
    if (!heads != !sectors) throw Usage{"--heads and --sectors go together"};
    if (arguments.flag("json") && arguments.flag("batch-lines"))
        throw Usage{"--json and --batch-lines cannot be given together"};
    const auto limits = [&](std::string_view h, std::string_view s) {
        request.heads = static_cast<unsigned>(inRange(h, core::kMaxHeads, "the heads"));
        request.sectors = static_cast<unsigned>(
            inRange(s, core::kMaxSectorsPerTrack, "the sectors per track"));
    };
    if (geometry) {
        const auto [c, h, s] = splitChs("geometry", *geometry);
        request.cylinders = inRange(c, 0xFFFFFFFFu, "the cylinders");
        limits(h, s);
    } else if (heads) {
        limits(*heads, *sectors);
    }
    if (const std::string* drive = arguments.value("drive")) {
        if (!wholeNumber(*drive)) throw Usage{"--drive takes a drive number"};
        request.drive = *drive;
    }
    return request;
}

// The entry as stored: its CHS values (saying which are placeholders), its
// relative sector and its count.
std::string storedLine(const CheckedEntry& c) {
    const core::TableEntry& e = c.entry;
    std::string text = "Stored: CHS " + core::chsText(e.begin) + " to " + core::chsText(e.end) +
                       ", relative sector " + std::to_string(e.storedStart) + ", " +
                       std::to_string(e.count) + " sectors";
    if (c.beginPlaceholder && c.endPlaceholder) {
        text += "; both CHS values are placeholders";
    } else if (c.beginPlaceholder || c.endPlaceholder) {
        text += c.beginPlaceholder ? "; the begin CHS is a placeholder"
                                   : "; the end CHS is a placeholder";
    }
    return text;
}

// The volume of a partition (not of the extended partition or a link),
// read through the image the table came from.
std::optional<core::VolumeReport> volumeOf(core::DiskImage& image, const CheckedEntry& c) {
    if (c.entry.extended()) return std::nullopt;
    return core::readVolume(image, core::volumePlaceOf(c.entry));
}

std::string textReport(const std::string& image, core::DiskImage& disk,
                       const TableReading& reading) {
    const core::DriveGeometry& g = reading.geometry;
    std::string text = "Image: " + image + ", " + std::to_string(reading.imageSectors) + " sectors\n";
    if (reading.partialImage()) text += reading.extentNote() + "\n";
    text += "Geometry: " + core::geometryText(g) + " (" +
            core::geometrySourceText(g, core::Wording::Word) + ")\n";
    for (const CheckedEntry& c : reading.entries) {
        text += "\n" + core::entryHeader(c) + "\n" + storedLine(c) + "\ncheck " +
                checkOptions(c.fields) + "\n" + core::withLineFeeds(c.report) + "\n";
        if (const auto volume = volumeOf(disk, c)) text += core::volumeSummary(*volume) + "\n";
    }
    return text + "\n" + findingsText(reading.findings);
}

// Writes the JSON document to `out`, an entry at a time, so that a large
// table never stands whole in memory.
void writeJsonReport(std::ostream& out, const std::string& image, core::DiskImage& disk,
                     const TableReading& reading) {
    JsonWriter json;
    const core::DriveGeometry& g = reading.geometry;
    json.beginObject()
        .key("image").text(image)
        .key("sectors").number(reading.imageSectors)
        .key("entries_reach");
    if (reading.partialImage()) json.number(reading.reach - 1);
    else json.null();
    json.key("geometry").beginObject()
        .key("cylinders").number(g.cylinders)
        .key("heads").number(g.heads)
        .key("sectors").number(g.sectors)
        .key("source").text(core::geometrySourceName(g.source))
        .key("cylinders_source").text(core::cylinderSourceName(g.cylinderSource))
        .endObject();
    json.key("entries").beginArray();
    for (const CheckedEntry& c : reading.entries) {
        const core::TableEntry& e = c.entry;
        json.beginObject().key("number");
        if (e.number) json.number(*e.number);
        else json.null();
        json.key("table_sector").number(e.tableSector)
            .key("slot").number(e.slot)
            .key("type").text(core::typeCodeText(e.type))
            .key("active").boolean(e.active())
            .key("extended").boolean(e.extended());
        writeChs(json.key("begin"), e.begin);
        writeChs(json.key("end"), e.end);
        json.key("placeholder").beginObject()
            .key("begin").boolean(c.beginPlaceholder)
            .key("end").boolean(c.endPlaceholder)
            .endObject();
        json.key("stored_start").number(e.storedStart)
            .key("start").number(e.start)
            .key("count").number(e.count);
        writeCheck(json, c);
        json.key("boot_sector");
        if (const auto volume = volumeOf(disk, c)) {
            json.beginObject()
                .key("filesystem").text(core::fileSystemName(volume->fileSystem))
                .key("summary").text(core::volumeSummary(*volume))
                .endObject();
        } else {
            json.null();
        }
        json.endObject();
        out << json.take();
    }
    json.endArray();
    writeFindings(json, reading.findings);
    json.endObject();
    out << json.take() << '\n';
}

int runTable(const Arguments& arguments, Context& context) {
    const core::TableRequest request = tableRequest(arguments);
    const std::string& image = arguments.positional.front();
    const auto refuse = [&](const std::string& reason) {
        context.err << "quorvane-cli: " << core::unreadableText(image, reason) << '\n';
        return kRefused;
    };
    const platform::OpenedImage opened = context.openImage(image);
    if (!opened.image) return refuse(opened.error);
    const TableReading reading =
        core::readPartitionTable(*opened.image, request, context.format);
    if (!reading.error.empty()) return refuse(reading.error);
    if (const std::string* svg = arguments.value("svg");
        svg && !writeMapSvg(*svg, core::layoutDiskMap(reading, context.format),
                            "Partition table of " + image, context))
        return kRefused;
    if (arguments.flag("batch-lines")) {
        for (const CheckedEntry& c : reading.entries)
            if (!c.entry.extended()) context.out << checkOptions(c.fields) << '\n';
        for (const core::Finding& f : reading.findings)
            context.err << "quorvane-cli: table: " << f.text << '\n';
    } else if (arguments.flag("json")) {
        writeJsonReport(context.out, image, *opened.image, reading);
    } else {
        std::string text = textReport(image, *opened.image, reading);
        if (context.crlf) text = core::withCrLf(text);
        context.out << text;
    }
    context.out.flush();
    return reading.clean() ? kRan : kFound;
}

}  // namespace

void addTableCommands(std::vector<Command>& commands) {
    Command table;
    table.name = "table";
    table.synopsis =
        "IMAGE [--geometry C/H/S | --heads H --sectors S] [--drive N] [--json] [--batch-lines] "
        "[--svg FILE]";
    table.summary =
        "a saved disk image's partition table, every entry checked; exit status 3 on errors";
    table.options = {
        {"geometry", "C/H/S", "the drive's cylinders, heads and sectors per track"},
        {"heads", "H", "heads per cylinder (with --sectors; cylinders from the image's size)"},
        {"sectors", "S", "sectors per track (with --heads)"},
        {"drive", "N", "the drive number of the entries' Editpart lines (1 when not given)"},
        {"json", {}, "print one JSON object instead of the text"},
        {"batch-lines", {}, "print a line of options for batch per partition (findings on stderr)"},
        {"svg", "FILE", "also write a map of the disk as SVG to FILE"},
    };
    table.notes =
        "IMAGE is a regular file, a saved image of a disk or of its first sectors; only the\n"
        "sectors that hold partition tables and the few that bootsector reads of each\n"
        "partition's volume are read. A device, directory or pipe is\n"
        "refused: save an image first (dd if=/dev/sdX of=disk.img conv=sparse). Without a\n"
        "geometry, heads and sectors are guessed from the table (255/63 when nothing fits)\n"
        "and cylinders are the image's sectors divided by the sectors of a cylinder; when\n"
        "the image ends before the entries do (an image of the disk's first sectors), the\n"
        "table's extent rounded up to a whole cylinder. An image of one file system (FAT,\n"
        "exFAT, NTFS, HPFS, ext2/3/4, a BitLocker volume) holds no partition table and is\n"
        "refused with what it is.\n"
        "\n"
        "Each entry is shown with its fields as options of check and the check's report,\n"
        "a partition also with a line on its boot sector (bootsector tells more), then the\n"
        "findings across entries. --batch-lines gives each partition (not the\n"
        "extended partition or its links) as a line that batch reads:\n"
        "  quorvane-cli table disk.img --batch-lines | quorvane-cli batch --output quorvane.bat\n"
        "batch refuses an entry whose check found errors unless its line carries --ipe.\n"
        "Tables aligned to 1 MiB, as partitioning tools make them today, fail #108 on every\n"
        "entry, as the codes of this program define it, and an entry whose table sector does\n"
        "not start a cylinder cannot go into a batch at all.\n"
        "\n"
        "Exit status: 0 every check o.k. and no finding, 3 a check failed or a finding was\n"
        "made, 1 the file cannot be read as a partition table, 2 usage error.\n";
    table.minArguments = 1;
    table.maxArguments = 1;
    table.run = runTable;
    commands.push_back(std::move(table));
}

}  // namespace quorvane::cli
