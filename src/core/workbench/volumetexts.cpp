#include "core/workbench/volumetexts.h"

#include <cstdint>

#include "core/base/characters.h"

namespace quorvane::core {

namespace {

std::string number(std::uint64_t value) { return std::to_string(value); }

// "a; b; c".
std::string joined(const std::vector<std::string>& items, std::string_view between) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : std::string(between)) + item;
    return text;
}

std::string copyText(const BootSectorCopy& copy) {
    if (!copy.readable) return "cannot be read";
    if (copy.fileSystem == FileSystem::None)
        return "holds " + (copy.found.empty() ? std::string("no boot sector") : copy.found);
    if (copy.problems.empty()) return "is sound";
    return "is damaged: " + joined(copy.problems, "; ");
}

// The backup and how it compares with a primary that holds a file system;
// against one that holds none, a list of differences says nothing.
std::string backupText(const BackupCopy& b, const BootSectorCopy& primary) {
    std::string text = "Its backup in sector " + number(b.copy.sector) + " ";
    if (!b.copy.readable) return text + "cannot be read" + ".";
    if (b.identical) return text + "is identical.";
    text += copyText(b.copy);
    if (!b.differences.empty() && primary.fileSystem != FileSystem::None)
        text += "; it differs in " + joined(b.differences, ", ");
    return text + ".";
}

}  // namespace

std::string volumeSummary(const VolumeReport& v) {
    std::string text = "Boot sector: ";
    if (v.fileSystem == FileSystem::None)
        return text + "no file system this program knows (sector " + number(v.primary.sector) +
               " " + copyText(v.primary) + ").";
    text += std::string(fileSystemName(v.fileSystem)) + ", " + (v.damaged() ? "damaged" : "sound");
    if (v.restore) text += "; restore it from its backup";
    if (v.bogus113) text += "; it claims more sectors than its partition holds";
    if (v.dynRoot) text += "; the root directory is relocated (DYN_ROOT)";
    return text + ".";
}

std::vector<std::string> volumeVerdict(const VolumeReport& v) {
    std::vector<std::string> lines;
    for (const std::string& error : v.readErrors) lines.push_back(error + ".");
    if (v.fileSystem == FileSystem::None) {
        lines.push_back("Sector " + number(v.primary.sector) + " " + copyText(v.primary) +
                        ": no FAT, NTFS or exFAT file system, so the boot sector pages do not "
                        "apply.");
        return lines;
    }
    lines.push_back("File system: " + std::string(fileSystemName(v.fileSystem)) + ".");
    lines.push_back("The boot sector in sector " + number(v.primary.sector) + " " +
                    copyText(v.primary) + ".");
    for (const BackupCopy& b : v.backups) lines.push_back(backupText(b, v.primary));
    if (v.backups.empty() && !v.noBackupReason.empty())
        lines.push_back("No backup: " + v.noBackupReason + ".");
    if (v.fsInfoSector && !v.fsInfoValid)
        lines.push_back("The FSInfo sector " + number(*v.fsInfoSector) +
                        " lacks its signatures.");
    if (v.hiddenSectors && v.hiddenSectorsMatch && !*v.hiddenSectorsMatch)
        lines.push_back("Hidden Sectors is " + number(*v.hiddenSectors) +
                        ", but the partition starts at sector " + number(v.place.start) + ".");
    if (v.bogus113) {
        lines.push_back("The boot record claims " + number(v.bogus113->totalSectors) +
                        " sectors, but its partition holds " + number(v.bogus113->entrySectors) +
                        ": it reaches beyond its partition (bogus #113); the page Bogus 113 "
                        "applies.");
    }
    if (v.restore) {
        std::string text = "The boot sector is damaged and a backup is sound: the page " +
                           std::string(v.restore->fileSystem == FileSystem::Ntfs
                                           ? "NTFS bbs restores it (start sector "
                                           : "Fat32 bbs restores it (start sector ") +
                           number(v.restore->start);
        if (v.restore->fileSystem == FileSystem::Ntfs)
            text += ", " + number(v.restore->count) + " sectors";
        lines.push_back(text + ").");
    }
    if (v.dynRoot) {
        lines.push_back("The root directory holds DYN_ROOT (start cluster " +
                        upperHexText(v.dynRoot->startCluster) +
                        "): the root directory is relocated; the page DYN_ROOT applies.");
    } else if (v.dynRootSearched) {
        lines.push_back("The root directory holds no DYN_ROOT directory: the DYN_ROOT wizard "
                        "does not apply.");
    }
    return lines;
}

}  // namespace quorvane::core
