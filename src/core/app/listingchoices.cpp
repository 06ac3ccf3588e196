#include "core/app/listingchoices.h"

#include <algorithm>

#include "core/calculators/listingfill.h"
#include "core/wizards/listingfill.h"

namespace quorvane::core {

namespace {

// A page's fill as a choice: the fields it fills (every one that holds a
// text, in the page's order) or what is missing.
template <typename Fields>
PageChoice choice(ListingPage page, std::string_view label, std::string_view key,
                  std::string_view command, TextFields<Fields> list, const PageFill<Fields>& fill) {
    PageChoice c{page, label, key, command, {}, fill.missing};
    if (fill.fields) {
        for (const TextField<Fields>& field : list)
            if (const std::string& text = (*fill.fields).*field.member; !text.empty())
                c.fields.emplace_back(field.name, text);
    } else if (c.missing.empty()) {
        c.missing = "the listing gives none of its values";
    }
    return c;
}

template <typename Fields>
void fillPage(Fields& page, TextFields<Fields> list, const PageChoice& c) {
    for (const auto& given : c.fields) {
        const auto field = std::find_if(list.begin(), list.end(), [&](const TextField<Fields>& f) {
            return f.name == given.first;
        });
        if (field != list.end()) page.*field->member = given.second;
    }
}

// The six choices from each page's fill, in their fixed order.
std::vector<PageChoice> choices(const PageFill<Error110Fields>& error110,
                                const PageFill<Error108Fields>& error108,
                                const PageFill<Bogus113Fields>& bogus113,
                                const PageFill<Fat32BbsFields>& fat32bbs,
                                const PageFill<NtfsBbsFields>& ntfsbbs,
                                const PageFill<DynRootFields>& dynroot) {
    return {
        choice(ListingPage::Error110, "Use for Error 110", "error110", "error110",
               error110TextFields(), error110),
        choice(ListingPage::Error108, "Use for Error 108", "error108", "error108",
               error108TextFields(), error108),
        choice(ListingPage::Bogus113, "Use for Bogus 113", "bogus113", "bogus113",
               bogus113TextFields(), bogus113),
        choice(ListingPage::Fat32Bbs, "Use for Fat32 bbs", "fat32bbs", "fat32-bbs",
               fat32BbsTextFields(), fat32bbs),
        choice(ListingPage::NtfsBbs, "Use for NTFS bbs", "ntfsbbs", "ntfs-bbs",
               ntfsBbsTextFields(), ntfsbbs),
        choice(ListingPage::DynRoot, "Use for DYN_ROOT", "dynroot", "dynroot",
               dynRootTextFields(), dynroot),
    };
}

// A volume's boot sector as a listing's boot record shows it, so that a
// page fills from both alike: headed "FAT" for FAT12 and FAT16, the fields
// of the copy whose file system was recognised.
BootRecord bootRecordOf(const VolumeReport& v) {
    BootRecord record;
    record.startingSector = v.place.start;
    record.type = v.fileSystem == FileSystem::Fat12 || v.fileSystem == FileSystem::Fat16
                      ? "FAT"
                      : std::string(fileSystemName(v.fileSystem));
    record.fields = v.recognisedCopy().fields;
    return record;
}

}  // namespace

std::vector<PageChoice> pageChoices(const CheckedDisk& disk, const ListedEntry& entry) {
    const ListingDisk& d = disk.listing;
    const ListingEntry& e = entry.listing;
    return choices(error110FromListing(e, d.geometry), error108FromListing(e, d.geometry),
                   bogus113FromListing(d, e), fat32BbsFromListing(d, e), ntfsBbsFromListing(d, e),
                   dynRootFromListing(d, e));
}

std::vector<PageChoice> pageChoices(const CheckedEntry& entry, const DriveGeometry* g,
                                    const VolumeReport* volume) {
    const TableEntry& e = entry.entry;
    const PageFill<Error110Fields> error110{
        {}, "a disk image holds no #110 message (ucSectors, end - begin): Check sizes the "
            "difference"};
    const PageFill<Error108Fields> error108 =
        g ? error108FromSpan(e.start, e.count, ListingGeometry{g->cylinders, g->heads, g->sectors})
          : PageFill<Error108Fields>{{}, "an image of one volume holds no partition table to take "
                                         "the disk's geometry from"};
    if (!volume) {
        const std::string notRead = "the volume's boot sector was not read";
        return choices(error110, error108, {{}, notRead}, {{}, notRead}, {{}, notRead},
                       {{}, notRead});
    }
    const BootRecord record = bootRecordOf(*volume);
    return choices(error110, error108,
                   bogus113FromBootRecord(&record, e.start, e.count, "the image"),
                   fat32BbsFromVolume(*volume), ntfsBbsFromVolume(*volume),
                   dynRootFromVolume(*volume));
}

void usePageChoice(Workspace& w, const PageChoice& c) {
    switch (c.page) {
        case ListingPage::Error110: return fillPage(w.error110, error110TextFields(), c);
        case ListingPage::Error108: return fillPage(w.error108, error108TextFields(), c);
        case ListingPage::Bogus113: return fillPage(w.bogus113, bogus113TextFields(), c);
        case ListingPage::Fat32Bbs: return fillPage(w.fat32bbs, fat32BbsTextFields(), c);
        case ListingPage::NtfsBbs: return fillPage(w.ntfsbbs, ntfsBbsTextFields(), c);
        case ListingPage::DynRoot: return fillPage(w.dynroot, dynRootTextFields(), c);
    }
}

}  // namespace quorvane::core
