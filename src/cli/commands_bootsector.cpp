// The command that reads the boot sectors of a saved disk image's
// partitions (or of an image of one partition): each volume's file system,
// its parameter block, its backup, the verdict and the pages it fills.
#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/command.h"
#include "cli/entry_output.h"
#include "cli/json.h"
#include "core/app/listingchoices.h"
#include "core/base/texts.h"
#include "core/readers/bootsector.h"
#include "core/workbench/tablecheck.h"
#include "core/workbench/tabletexts.h"
#include "core/workbench/volumetexts.h"
#include "platform/diskimage_std.h"

namespace quorvane::cli {

namespace {

using core::CheckedEntry;
using core::VolumeReport;

// One volume to show: the entry it belongs to (none for an image of one
// partition or a --start no entry begins at) and what was read.
struct Volume {
    std::optional<CheckedEntry> entry;
    VolumeReport report;
};

// Whether the image is one volume rather than a disk: its first sector is a
// volume's boot sector, or its third starts an ext2/3/4 superblock.
bool holdsOneVolume(core::DiskImage& image) {
    core::SectorBytes sector{};
    if (image.readSector(0, sector)) return false;
    if (core::bootSectorKind(sector)) return true;
    return image.size() / 512 > 2 && !image.readSector(2, sector) && core::isExtSuperblock(sector);
}

bool isPartition(const CheckedEntry& c) { return !c.entry.extended(); }

// The partitions the table numbers, for a --partition it does not hold:
// "1, 2, 5", or "none".
std::string partitionNumbers(const std::vector<CheckedEntry>& entries) {
    std::string text;
    for (const CheckedEntry& c : entries) {
        if (!isPartition(c) || !c.entry.number) continue;
        if (!text.empty()) text += ", ";
        text += std::to_string(*c.entry.number);
    }
    return text.empty() ? std::string("none") : text;
}

// The pages a boot sector fills; the entry's own pages belong to table.
std::vector<core::PageChoice> bootSectorChoices(const Volume& v) {
    CheckedEntry entry;
    if (v.entry) {
        entry = *v.entry;
    } else {
        entry.entry.start = v.report.place.start;
        entry.entry.count = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(v.report.count, 0xFFFFFFFFu));
    }
    std::vector<core::PageChoice> choices;
    for (core::PageChoice& choice : core::pageChoices(entry, nullptr, &v.report)) {
        if (choice.page == core::ListingPage::Error110 ||
            choice.page == core::ListingPage::Error108 || !choice.available())
            continue;
        choices.push_back(std::move(choice));
    }
    return choices;
}

std::string placeLine(const Volume& v) {
    const VolumeReport& r = v.report;
    std::string text = v.entry ? core::entryHeader(*v.entry) + "\n" : std::string();
    text += "Volume at sector " + std::to_string(r.place.start) + ", " +
            std::to_string(r.count) + " sectors";
    if (!v.entry) text += " (to the end of the image)";
    return text + "\n";
}

std::string volumeText(const Volume& v) {
    const VolumeReport& r = v.report;
    std::string text = "\n" + placeLine(v);
    for (const std::string& line : core::volumeVerdict(r)) text += line + "\n";
    if (r.fileSystem != core::FileSystem::None) {
        const core::BootSectorCopy& copy = r.recognisedCopy();
        text += "Parameter block in sector " + std::to_string(copy.sector) + ":\n";
        for (const core::BootRecordField& f : copy.fields)
            text += "  " + f.name + ": " + f.value + "\n";
    }
    for (const core::PageChoice& choice : bootSectorChoices(v)) text += choiceLine(choice);
    return text;
}

// A field's name, with its count where it comes again ("Reserved (2)").
std::vector<std::string> fieldKeys(const std::vector<core::BootRecordField>& fields) {
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& name = fields[i].name;
        const auto before = std::count_if(fields.begin(), fields.begin() + i,
                                          [&](const auto& f) { return f.name == name; });
        keys.push_back(before == 0 ? name : name + " (" + std::to_string(before + 1) + ")");
    }
    return keys;
}

void writeVolume(JsonWriter& json, const Volume& v) {
    const VolumeReport& r = v.report;
    json.beginObject().key("partition");
    if (v.entry && v.entry->entry.number) json.number(*v.entry->entry.number);
    else json.null();
    json.key("start").number(r.place.start)
        .key("count").number(r.count)
        .key("filesystem").text(core::fileSystemName(r.fileSystem))
        .key("fields").beginObject();
    if (r.fileSystem != core::FileSystem::None) {
        const core::BootSectorCopy& copy = r.recognisedCopy();
        const std::vector<std::string> keys = fieldKeys(copy.fields);
        for (std::size_t i = 0; i < keys.size(); ++i) json.key(keys[i]).text(copy.fields[i].value);
    }
    json.endObject().key("backup");
    // NTFS may look in two places; the one that is sound and identical, else
    // the first, stands for the backup.
    const auto backup = std::find_if(r.backups.begin(), r.backups.end(),
                                     [](const auto& b) { return b.copy.sound() && b.identical; });
    const core::BackupCopy* shown =
        backup != r.backups.end() ? &*backup : r.backups.empty() ? nullptr : &r.backups.front();
    if (shown) {
        json.beginObject()
            .key("sector").number(shown->copy.sector)
            .key("readable").boolean(shown->copy.readable)
            .key("identical").boolean(shown->identical)
            .key("differences").beginArray();
        for (const std::string& d : shown->differences) json.text(d);
        json.endArray().endObject();
    } else {
        json.null();
    }
    json.key("verdict").beginArray();
    for (const std::string& line : core::volumeVerdict(r)) json.text(line);
    json.endArray().key("pages").beginObject();
    for (const core::PageChoice& choice : bootSectorChoices(v)) {
        json.key(choice.key).beginObject();
        for (const auto& [name, value] : choice.fields) json.key(name).text(value);
        json.endObject();
    }
    json.endObject().endObject();
}

// What the command line asks for: a partition by number, a start sector,
// or every partition.
struct Request {
    std::optional<std::uint64_t> partition;
    std::optional<std::uint64_t> start;
};

Request request(const Arguments& arguments) {
    Request r;
    const std::string* partition = arguments.value("partition");
    const std::string* start = arguments.value("start");
    if (partition && start) throw Usage{"--partition and --start cannot be given together"};
    if (partition) {
        r.partition = wholeNumber(*partition);
        if (!r.partition || *r.partition < 1)
            throw Usage{"--partition takes a partition's number (1 to 4 primary, 5 on logical)"};
    }
    if (start) {
        r.start = wholeNumber(*start);
        if (!r.start) throw Usage{"--start takes a sector number"};
    }
    return r;
}

int runBootsector(const Arguments& arguments, Context& context) {
    const Request wanted = request(arguments);
    const std::string& path = arguments.positional.front();
    const auto refuse = [&](const std::string& reason) {
        context.err << "quorvane-cli: " << core::unreadableText(path, reason) << '\n';
        return kRefused;
    };
    platform::OpenedImage opened = context.openImage(path);
    if (!opened.image) return refuse(opened.error);
    core::DiskImage& image = *opened.image;
    const std::uint64_t imageSectors = image.size() / 512;

    const core::TableReading table =
        core::readPartitionTable(image, core::TableRequest{}, context.format);
    const bool oneVolume = !table.error.empty() && holdsOneVolume(image);
    if (!table.error.empty() && !oneVolume && !wanted.start) return refuse(table.error);

    std::vector<Volume> volumes;
    if (wanted.start) {
        if (*wanted.start >= imageSectors) {
            context.err << "quorvane-cli: bootsector: sector " << *wanted.start
                        << " lies beyond the end of the image (" << imageSectors
                        << " sectors)\n";
            return kRefused;
        }
        Volume v;
        for (const CheckedEntry& c : table.entries)
            if (isPartition(c) && c.entry.start == *wanted.start) v.entry = c;
        v.report = core::readVolume(image, v.entry ? core::volumePlaceOf(v.entry->entry)
                                                   : core::VolumePlace{*wanted.start, 0, {}});
        volumes.push_back(std::move(v));
    } else if (oneVolume) {
        if (wanted.partition)
            throw Usage{"the image holds no partition table but one volume: leave out "
                        "--partition"};
        volumes.push_back({std::nullopt, core::readVolume(image, core::VolumePlace{})});
    } else {
        for (const CheckedEntry& c : table.entries) {
            if (!isPartition(c) || (wanted.partition && c.entry.number != wanted.partition))
                continue;
            volumes.push_back({c, core::readVolume(image, core::volumePlaceOf(c.entry))});
        }
        if (wanted.partition && volumes.empty())
            throw Usage{"the image holds no partition " + std::to_string(*wanted.partition) +
                        " (its partitions: " + partitionNumbers(table.entries) + ")"};
    }

    if (arguments.flag("json")) {
        JsonWriter json;
        json.beginObject().key("image").text(path).key("volumes").beginArray();
        for (const Volume& v : volumes) {
            writeVolume(json, v);
            context.out << json.take();
        }
        json.endArray().endObject();
        context.out << json.take() << '\n';
    } else {
        std::string text = "Image: " + path + ", " + std::to_string(imageSectors) + " sectors\n";
        if (oneVolume && !wanted.start) text += "The image holds one volume and no partition table.\n";
        if (volumes.empty()) text += "The partition table holds no partition.\n";
        for (const Volume& v : volumes) text += volumeText(v);
        if (context.crlf) text = core::withCrLf(text);
        context.out << text;
    }
    context.out.flush();
    const bool sound = std::none_of(volumes.begin(), volumes.end(), [](const Volume& v) {
        return v.report.damaged() || !v.report.readErrors.empty();
    });
    return sound ? kRan : kFound;
}

}  // namespace

void addBootsectorCommands(std::vector<Command>& commands) {
    Command bootsector;
    bootsector.name = "bootsector";
    bootsector.synopsis = "IMAGE [--partition N | --start SECTOR] [--json]";
    bootsector.summary =
        "the boot sectors of a saved disk image's volumes; exit status 3 when one is damaged";
    bootsector.options = {
        {"partition", "N", "only partition N, as table numbers them (1-4 primary, 5 on logical)"},
        {"start", "SECTOR", "only the volume that starts at SECTOR"},
        {"json", {}, "print one JSON object instead of the text"},
    };
    bootsector.notes =
        "IMAGE is a regular file: a saved image of a disk, or of one partition (a file that\n"
        "holds one file system and no partition table is read as one volume at sector 0).\n"
        "Only a few sectors of each volume are read: its boot sector, the backup, the\n"
        "FAT32 FSInfo sector and the FAT12/FAT16 root directory.\n"
        "\n"
        "Each partition (not the extended partition or its links) is shown with its file\n"
        "system, the verdict on its boot sector and backup, the parameter block as named\n"
        "fields, and a line of options for each page the volume fills (bogus113,\n"
        "fat32-bbs, ntfs-bbs, dynroot). --start reads the volume at SECTOR of the image,\n"
        "up to the end of the partition that starts there or of the image; it also reads\n"
        "a disk image whose partition table was wiped.\n"
        "\n"
        "Exit status: 0 every boot sector and backup sound; 3 one is damaged, cannot be\n"
        "read, or claims more sectors than its partition holds; 1 the file cannot be read\n"
        "as a disk or volume image, or SECTOR lies beyond it; 2 usage error (also a\n"
        "partition N the table does not hold).\n";
    bootsector.minArguments = 1;
    bootsector.maxArguments = 1;
    bootsector.run = runBootsector;
    commands.push_back(std::move(bootsector));
}

}  // namespace quorvane::cli
