// A listing's entries checked as "Check" checks them, where the listing and
// the check disagree, and every page filled from a listing's entry or from
// a volume read from an image, with the verdict on the volume.
#include <gtest/gtest.h>

#include "core/app/listingchoices.h"
#include "core/workbench/listingcheck.h"
#include "core/workbench/volumetexts.h"

namespace quorvane::core {
namespace {

const NumberFormat kFormats[] = {NumberFormat::point(), NumberFormat::comma()};

ListingMessage message(unsigned code, std::string text, std::vector<ListingValue> values = {},
                       MessageLevel level = MessageLevel::Error) {
    return {0, level, code, std::move(text), std::move(values)};
}

ListingEntry entry(std::uint64_t table, unsigned slot, std::uint8_t type, Chs begin, Chs end,
                   std::uint64_t start, std::uint64_t count) {
    ListingEntry e;
    e.tableSector = table, e.slot = slot, e.type = type, e.begin = begin, e.end = end;
    e.printedStart = e.start = start, e.count = count;
    return e;
}

BootRecord record(std::uint64_t start, std::string type,
                  std::vector<BootRecordField> fields) {
    BootRecord r;
    r.drive = "D:", r.disk = 1, r.startingSector = start, r.type = std::move(type);
    r.fields = std::move(fields);
    return r;
}

// A disk of 4865 cylinders at 255 heads: an active NTFS primary whose end
// is a placeholder, the extended partition, a FAT32 and a FAT16 logical
// partition and the link between them.
ListingDisk sampleDisk() {
    ListingDisk d;
    d.number = 1;
    d.geometry = ListingGeometry{4865, 255, 63};
    d.tableSection = true;
    ListingEntry c = entry(0, 1, 0x07, {0, 1, 1}, {1023, 254, 63}, 63, 20964762);
    c.boot = 0x80, c.endPlaceholder = true, c.actualEnd = Chs{1304, 254, 63};
    d.entries.push_back(c);
    ListingEntry x = entry(0, 2, 0x0F, {1023, 0, 1}, {1023, 254, 63}, 20964825, 56147175);
    x.beginPlaceholder = x.endPlaceholder = true;
    x.actualBegin = Chs{1305, 0, 1}, x.actualEnd = Chs{4799, 254, 63};
    d.entries.push_back(x);
    ListingEntry fat32 = entry(20964825, 1, 0x0B, {1023, 1, 1}, {1023, 254, 63}, 20964888, 20884437);
    fat32.beginPlaceholder = fat32.endPlaceholder = true;
    fat32.actualBegin = Chs{1305, 1, 1}, fat32.actualEnd = Chs{2604, 254, 63};
    d.entries.push_back(fat32);
    ListingEntry link = entry(20964825, 2, 0x05, {1023, 0, 1}, {1023, 254, 63}, 41849325, 4016250);
    link.actualBegin = Chs{2605, 0, 1}, link.actualEnd = Chs{2854, 254, 63};
    d.entries.push_back(link);
    ListingEntry fat16 = entry(41849325, 1, 0x06, {1023, 1, 1}, {1023, 254, 63}, 41849388, 4016187);
    fat16.actualBegin = Chs{2605, 1, 1}, fat16.actualEnd = Chs{2854, 254, 63};
    d.entries.push_back(fat16);
    d.bootRecords.push_back(record(20964888, "FAT32",
                                   {{"Sectors per Cluster", "16"},
                                    {"Reserved Sectors", "32"},
                                    {"Number of FAT's", "2"},
                                    {"Reserved", "0x0000"},
                                    {"Sectors per FAT", "0"},
                                    {"Big Total Sectors", "20884437  (0x13EABD5)"},
                                    {"Big Sectors per FAT", "10193"}}));
    d.bootRecords.push_back(record(41849388, "FAT",
                                   {{"Sectors per Cluster", "64"},
                                    {"Reserved Sectors", "1"},
                                    {"Number of FAT's", "2"},
                                    {"Root Dir Entries", "512"},
                                    {"Total Sectors", "0"},
                                    {"Sectors per FAT", "246"},
                                    {"Big Total Sectors", "4016187  (0x3D483B)"}}));
    return d;
}

Listing listingOf(std::vector<ListingDisk> disks, ListingLayout layout = ListingLayout::Nt) {
    Listing l;
    l.layout = layout;
    l.disks = std::move(disks);
    return l;
}

TEST(ListingCheck, EntriesGetTheDisksGeometryTheActualValuesAndTheirPlaceInTheTable) {
    for (const NumberFormat& format : kFormats) {
        const ListingReading reading = checkListing(listingOf({sampleDisk()}), {}, format);
        ASSERT_EQ(reading.disks.size(), 1u);
        const CheckedDisk& disk = reading.disks[0];
        EXPECT_EQ(disk.geometry, (DriveGeometry{4865, 255, 63, GeometrySource::Listing,
                                                 CylinderSource::Listing}));
        EXPECT_EQ(disk.missing, "");
        EXPECT_TRUE(disk.findings.empty());
        EXPECT_TRUE(reading.clean());

        GeometryFields first;
        first.dgcyls = "4865", first.dgheads = "255", first.dgsects = "63";
        first.cyls = "0", first.heads = "1", first.sects = "1";
        first.ecyls = "1304", first.eheads = "254", first.esects = "63";
        first.lbastrt = "63", first.LBAend = "20964762", first.prtsct = "0";
        first.drive = "1", first.prtno = "1", first.filesys = "07", first.Optact = true;
        EXPECT_EQ(disk.entries[0].checked.fields, first);

        // Roles and numbers as an image gives them; the boot records found
        // by their volume's start.
        const struct {
            EntryRole role;
            std::optional<unsigned> number;
            std::optional<std::size_t> bootRecord;
            bool beginPlaceholder, endPlaceholder;
        } expected[] = {
            {EntryRole::Primary, 1, {}, false, true},
            {EntryRole::Extended, 2, {}, true, true},
            {EntryRole::Logical, 5, 0, true, true},
            {EntryRole::Link, {}, {}, true, true},
            {EntryRole::Logical, 6, 1, true, true},
        };
        ASSERT_EQ(disk.entries.size(), std::size(expected));
        for (std::size_t i = 0; i < disk.entries.size(); ++i) {
            const ListedEntry& e = disk.entries[i];
            SCOPED_TRACE(i);
            EXPECT_EQ(e.checked.entry.role, expected[i].role);
            EXPECT_EQ(e.checked.entry.number, expected[i].number);
            EXPECT_EQ(e.bootRecord, expected[i].bootRecord);
            EXPECT_EQ(e.checked.beginPlaceholder, expected[i].beginPlaceholder);
            EXPECT_EQ(e.checked.endPlaceholder, expected[i].endPlaceholder);
            EXPECT_TRUE(e.checked.passed()) << e.checked.report;
            EXPECT_EQ(e.disagreements, std::vector<std::string>{});
        }
    }
}

TEST(ListingCheck, DrvCountsTheDisksListedUnlessGivenAndOneDiskCanBeChosen) {
    ListingDisk second = sampleDisk();
    second.number = 2;
    const Listing listing = listingOf({sampleDisk(), second});
    const struct {
        ListingRequest request;
        std::vector<std::string> drives;
    } cases[] = {
        {{}, {"1", "2"}},
        {{std::nullopt, "3"}, {"3", "3"}},
        {{2u, std::nullopt}, {"2"}},
        {{5u, std::nullopt}, {}},
    };
    for (const auto& c : cases) {
        const ListingReading reading = checkListing(listing, c.request, NumberFormat::point());
        std::vector<std::string> drives;
        for (const CheckedDisk& d : reading.disks) drives.push_back(d.entries[0].checked.fields.drive);
        EXPECT_EQ(drives, c.drives);
    }
}

TEST(ListingCheck, DisagreementsBetweenTheListingAndTheCheckAreNamed) {
    const ListingMessage reported108 = message(108, "Partition didn't end on cylinder boundary.");
    const ListingMessage reported110 = message(110, "Number of sectors in partition is inconsistent.");
    // Ends on a cylinder boundary; ends a head short of one.
    const ListingEntry whole = entry(0, 1, 0x06, {0, 1, 1}, {99, 254, 63}, 63, 1606437);
    const ListingEntry short108 = entry(0, 1, 0x06, {0, 1, 1}, {99, 253, 63}, 63, 1606374);
    // Its count a head short of its CHS values.
    const ListingEntry short110 = entry(0, 1, 0x06, {0, 1, 1}, {99, 254, 63}, 63, 1606374);
    const struct {
        ListingEntry entry;
        std::vector<ListingMessage> messages;
        ListingLayout layout;
        std::vector<std::string> lines;
        bool clean;  // an error of the check or of the listing is not
    } cases[] = {
        {whole, {}, ListingLayout::Nt, {}, true},
        {whole, {reported108}, ListingLayout::Nt,
         {"The listing reports #108 (Partition didn't end on cylinder boundary.), but Check "
          "finds #108 o.k."}, false},
        {short108, {reported108}, ListingLayout::Nt, {}, false},
        {short108, {}, ListingLayout::Nt,
         {"Check finds #108, but the listing reports no #108."}, false},
        // The same level of message as printed; Info counts as a report.
        {whole, {message(108, "Partition didn't end on cylinder boundary.", {}, MessageLevel::Info)},
         ListingLayout::Nt,
         {"The listing reports #108 (Partition didn't end on cylinder boundary.), but Check "
          "finds #108 o.k."}, true},
        {whole, {reported110}, ListingLayout::Dos,
         {"The listing reports #110 (Number of sectors in partition is inconsistent.), but "
          "Check finds #110 o.k."}, false},
        // The NT program prints no #110: its silence says nothing.
        {short110, {}, ListingLayout::Nt, {}, false},
        {short110, {}, ListingLayout::Dos, {"Check finds #110, but the listing reports no #110."},
         false},
    };
    for (const auto& c : cases) {
        ListingDisk d;
        d.number = 1, d.geometry = ListingGeometry{200, 255, 63};
        d.entries.push_back(c.entry);
        d.entries.back().messages = c.messages;
        const ListingReading reading =
            checkListing(listingOf({d}, c.layout), {}, NumberFormat::point());
        EXPECT_EQ(reading.disks[0].entries[0].disagreements, c.lines);
        EXPECT_EQ(reading.clean(), c.clean);
    }
}

TEST(ListingCheck, WhatAListingWithoutEntriesHoldsIsSaid) {
    ListingDisk volumes;
    volumes.number = 2, volumes.volumeSection = true;
    volumes.volumes.push_back(VolumeRow{});
    ListingDisk messages;
    messages.messages.push_back(message(114, "Logical starting at 45865701 is not one head away from EPBR."));
    const struct {
        ListingDisk disk;
        std::string missing, text;
    } cases[] = {
        {volumes,
         "The listing holds no partition table entries for disk 2, only its Partition "
         "Information: the Geometry page needs the rows of its partition table (PartSect to "
         "NumSects).",
         "only the Partition Information section, no partition table"},
        {messages,
         "The listing holds no partition table entries for the disk, only messages: the "
         "Geometry page needs the rows of its partition table (PartSect to NumSects).",
         "only messages, no partition table"},
    };
    for (const auto& c : cases) {
        const ListingReading reading = checkListing(listingOf({c.disk}), {}, NumberFormat::point());
        EXPECT_FALSE(reading.hasEntries());
        EXPECT_EQ(reading.disks[0].missing, c.missing);
        EXPECT_EQ(reading.missingText(), c.text);
    }
}

TEST(ListingCheck, WithoutItsGeometryLineTheDiskIsGuessedFromTheEntries) {
    ListingDisk d = sampleDisk();
    d.geometry.reset();
    const ListingReading reading = checkListing(listingOf({d}), {}, NumberFormat::point());
    const DriveGeometry& g = reading.disks[0].geometry;
    EXPECT_EQ(g.heads, 255u);
    EXPECT_EQ(g.sectors, 63u);
    EXPECT_EQ(g.source, GeometrySource::Guessed);
    EXPECT_EQ(g.cylinders, 4800u);  // the extent of the extended partition
    EXPECT_EQ(g.cylinderSource, CylinderSource::TableExtent);
}

using Fields = std::vector<std::pair<std::string_view, std::string>>;

TEST(ListingChoices, EachPageGetsTheListingsValuesOrNamesTheOneMissing) {
    ListingDisk d = sampleDisk();
    // A #110 on the FAT16 volume as the DOS program prints it.
    d.entries[4].messages.push_back(message(
        110, "Number of sectors in partition is inconsistent.",
        {{"ucSectors", "4016187", ""}, {"end - begin", "4000122", ""}}));
    const ListingReading reading = checkListing(listingOf({d}), {}, NumberFormat::point());
    const CheckedDisk& disk = reading.disks[0];
    const auto choicesOf = [&](std::size_t i) { return pageChoices(disk, disk.entries[i]); };

    const struct {
        std::size_t entry;
        ListingPage page;
        Fields fields;
        std::string missing;
    } cases[] = {
        {4, ListingPage::Error110,
         {{"cyls110", "250"}, {"heads110", "255"}, {"sects110", "63"},
          {"ucsectors", "4016187"}, {"endbegin", "4000122"}}, ""},
        {0, ListingPage::Error110, {},
         "the listing gives no #110 message for this entry (ucSectors, end - begin)"},
        {2, ListingPage::Error108,
         {{"cyls108", "4865"}, {"hds108", "255"}, {"scts108", "63"}, {"ss108", "20964888"},
          {"nums108", "20884437"}}, ""},
        {2, ListingPage::Bogus113,
         {{"sectclus", "16"}, {"root", "0"}, {"sectsfat", "10193"}, {"bigtotal", "20884437"},
          {"numbersect", "20884437"}}, ""},
        {4, ListingPage::Bogus113,
         {{"sectclus", "64"}, {"root", "512"}, {"sectsfat", "246"}, {"bigtotal", "4016187"},
          {"numbersect", "4016187"}}, ""},
        {0, ListingPage::Bogus113, {},
         "the listing holds no FAT or FAT32 boot record of the volume at sector 63"},
        {2, ListingPage::Fat32Bbs, {{"startsct", "20964888"}}, ""},
        {4, ListingPage::Fat32Bbs, {},
         "the volume at sector 41849388 holds FAT, not FAT32 (type 0B or 0C)"},
        {0, ListingPage::NtfsBbs,
         {{"ntfsstartsector", "63"}, {"ntfsnumbersectors", "20964762"}}, ""},
        {2, ListingPage::NtfsBbs, {}, "the volume at sector 20964888 holds FAT32, not NTFS (type 07)"},
        {1, ListingPage::NtfsBbs, {}, "the entry's type 0F is not NTFS (type 07)"},
        // Hexadecimal, as Patch shows the boot sector.
        {4, ListingPage::DynRoot,
         {{"sectcluster", "40"}, {"rsvdsects", "1"}, {"numfats", "2"}, {"direntries", "200"},
          {"sectfat", "F6"}}, ""},
        {2, ListingPage::DynRoot, {}, "the volume at sector 20964888 holds FAT32, not FAT12 or FAT16"},
        {0, ListingPage::DynRoot, {}, "the listing holds no boot record of the volume at sector 63"},
    };
    for (const auto& c : cases) {
        const auto choices = choicesOf(c.entry);
        ASSERT_EQ(choices.size(), 6u);
        const PageChoice& choice = choices[static_cast<std::size_t>(c.page)];
        EXPECT_EQ(choice.page, c.page);
        EXPECT_EQ(choice.fields, c.fields) << choice.label;
        EXPECT_EQ(choice.missing, c.missing) << choice.label;
    }
    // Without the disk's geometry, no page that needs it.
    d.geometry.reset();
    const ListingReading lost = checkListing(listingOf({d}), {}, NumberFormat::point());
    EXPECT_EQ(pageChoices(lost.disks[0], lost.disks[0].entries[2])[1].missing,
              "the listing gives no geometry for this disk (Cylinders, Heads, Sectors/Track)");
}

TEST(ListingChoices, UseFillsItsPageOnlyAndKeepsWhatTheListingCannotGive) {
    const ListingReading reading = checkListing(listingOf({sampleDisk()}), {}, NumberFormat::point());
    const CheckedDisk& disk = reading.disks[0];
    Workspace w;
    w.dynroot.dynrootstart = "1A2";
    w.error108.ss108 = "typed";
    w.report = "kept";
    const Workspace before = w;
    usePageChoice(w, pageChoices(disk, disk.entries[4])[static_cast<int>(ListingPage::DynRoot)]);
    DynRootFields dynroot{"40", "1", "2", "200", "F6", "1A2"};
    EXPECT_EQ(w.dynroot, dynroot);
    Workspace expected = before;
    expected.dynroot = dynroot;
    EXPECT_EQ(w.error108, expected.error108);
    EXPECT_EQ(w.report, "kept");
    EXPECT_EQ(w.geometry, expected.geometry);
}

// A FAT32 volume at sector 2048 of 1048576 sectors as read from an image:
// its boot sector sound or zeroed, its backup 6 sectors on.
VolumeReport fat32Volume(bool primarySound) {
    VolumeReport v;
    v.place = {2048, 1048576, std::nullopt};
    v.count = 1048576;
    v.fileSystem = FileSystem::Fat32;
    BootSectorCopy sound;
    sound.readable = true;
    sound.fileSystem = FileSystem::Fat32;
    sound.fields = {{"Sectors per Cluster", "8"},      {"Reserved Sectors", "32"},
                    {"Number of FAT's", "2"},          {"Reserved", "0x0000"},
                    {"Big Total Sectors", "1048576  (0x100000)"},
                    {"Big Sectors per FAT", "1022"}};
    v.primary = sound;
    v.primary.sector = 2048;
    BackupCopy backup{sound, true, {}};
    backup.copy.sector = 2054;
    if (!primarySound) {
        v.primary = BootSectorCopy{};
        v.primary.sector = 2048;
        v.primary.readable = true;
        v.primary.found = "an empty sector (all zero)";
        backup.identical = false;
        v.restore = RestorePage{FileSystem::Fat32, 2048, 1048576};
    }
    v.backups = {backup};
    v.fsInfoSector = 2049;
    v.fsInfoValid = true;
    return v;
}

TEST(VolumeVerdict, SaysWhatTheBootSectorHoldsAndWhichPageApplies) {
    VolumeReport bogus = fat32Volume(true);
    bogus.bogus113 = Bogus113Page{8, 0, 1022, 1048576, 1040000};
    VolumeReport dynroot;
    dynroot.place = {63, 32067, std::nullopt};
    dynroot.fileSystem = FileSystem::Fat16;
    dynroot.primary.sector = 63;
    dynroot.primary.readable = true;
    dynroot.primary.fileSystem = FileSystem::Fat16;
    dynroot.noBackupReason = "FAT12 and FAT16 keep no backup of the boot sector";
    dynroot.dynRootSearched = true;
    VolumeReport relocated = dynroot;
    relocated.dynRoot = DynRootPage{4, 512, 32, 1, 2, 0x1A2};
    VolumeReport empty;
    empty.primary.sector = 63;
    empty.primary.readable = true;
    empty.primary.found = "an empty sector (all zero)";
    const struct {
        VolumeReport volume;
        std::string summary;
        std::vector<std::string> verdict;
    } cases[] = {
        {fat32Volume(true), "Boot sector: FAT32, sound.",
         {"File system: FAT32.", "The boot sector in sector 2048 is sound.",
          "Its backup in sector 2054 is identical."}},
        {fat32Volume(false), "Boot sector: FAT32, damaged; restore it from its backup.",
         {"File system: FAT32.", "The boot sector in sector 2048 holds an empty sector (all zero).",
          "Its backup in sector 2054 is sound.",
          "The boot sector is damaged and a backup is sound: the page Fat32 bbs restores it "
          "(start sector 2048)."}},
        {bogus, "Boot sector: FAT32, damaged; it claims more sectors than its partition holds.",
         {"File system: FAT32.", "The boot sector in sector 2048 is sound.",
          "Its backup in sector 2054 is identical.",
          "The boot record claims 1048576 sectors, but its partition holds 1040000: it reaches "
          "beyond its partition (bogus #113); the page Bogus 113 applies."}},
        {dynroot, "Boot sector: FAT16, sound.",
         {"File system: FAT16.", "The boot sector in sector 63 is sound.",
          "No backup: FAT12 and FAT16 keep no backup of the boot sector.",
          "The root directory holds no DYN_ROOT directory: the DYN_ROOT wizard does not apply."}},
        {relocated, "Boot sector: FAT16, sound; the root directory is relocated (DYN_ROOT).",
         {"File system: FAT16.", "The boot sector in sector 63 is sound.",
          "No backup: FAT12 and FAT16 keep no backup of the boot sector.",
          "The root directory holds DYN_ROOT (start cluster 1A2): the root directory is "
          "relocated; the page DYN_ROOT applies."}},
        {empty,
         "Boot sector: no file system this program knows (sector 63 holds an empty sector (all "
         "zero)).",
         {"Sector 63 holds an empty sector (all zero): no FAT, NTFS or exFAT file system, so the "
          "boot sector pages do not apply."}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(volumeSummary(c.volume), c.summary);
        EXPECT_EQ(volumeVerdict(c.volume), c.verdict);
    }
}

TEST(VolumeChoices, AnImageFillsThePagesItsVolumeAnswers) {
    TableEntry e;
    e.slot = 1, e.number = 1, e.type = 0x0C, e.start = 2048, e.count = 1048576;
    CheckedEntry entry;
    entry.entry = e;
    const DriveGeometry g{1000, 255, 63, GeometrySource::Guessed, CylinderSource::Image};
    const VolumeReport damaged = fat32Volume(false), sound = fat32Volume(true);
    const std::string error110 =
        "a disk image holds no #110 message (ucSectors, end - begin): Check sizes the difference";
    const Fields error108 = {{"cyls108", "1000"}, {"hds108", "255"}, {"scts108", "63"},
                             {"ss108", "2048"}, {"nums108", "1048576"}};
    const Fields bogus113 = {{"sectclus", "8"}, {"root", "0"}, {"sectsfat", "1022"},
                             {"bigtotal", "1048576"}, {"numbersect", "1048576"}};
    const std::string notRead = "the volume's boot sector was not read";
    const struct {
        const VolumeReport* volume;
        std::vector<std::pair<Fields, std::string>> choices;  // in the pages' order
    } cases[] = {
        // The backup's values where the boot sector is damaged.
        {&damaged,
         {{{}, error110}, {error108, ""}, {bogus113, ""}, {{{"startsct", "2048"}}, ""},
          {{}, "the volume at sector 2048 holds FAT32, not NTFS"},
          {{}, "the volume at sector 2048 holds FAT32, not FAT12 or FAT16"}}},
        {&sound,
         {{{}, error110}, {error108, ""}, {bogus113, ""},
          {{}, "the boot sector at sector 2048 is sound: there is nothing to restore"},
          {{}, "the volume at sector 2048 holds FAT32, not NTFS"},
          {{}, "the volume at sector 2048 holds FAT32, not FAT12 or FAT16"}}},
        {nullptr,
         {{{}, error110}, {error108, ""}, {{}, notRead}, {{}, notRead}, {{}, notRead},
          {{}, notRead}}},
    };
    for (const auto& c : cases) {
        const std::vector<PageChoice> choices = pageChoices(entry, &g, c.volume);
        ASSERT_EQ(choices.size(), c.choices.size());
        for (std::size_t i = 0; i < choices.size(); ++i) {
            EXPECT_EQ(choices[i].fields, c.choices[i].first) << choices[i].label;
            EXPECT_EQ(choices[i].missing, c.choices[i].second) << choices[i].label;
        }
    }
}

// ---- Faults found by fuzzing -----------------------------------------------------

TEST(ListingFaults, EachDiskWithoutEntriesPaidForAWholeGeometryGuess) {
    // A listing of many disks that hold only boot records (one line each)
    // cost a full guess of the geometry per disk, in every check of it:
    // seconds for a pasted text of a few kilobytes. With no entry there is
    // nothing to guess from; such a disk gets the geometry the guess gives
    // for no entries.
    DriveGeometry none = guessGeometry({});
    none.cylinderSource = CylinderSource::TableExtent;
    std::vector<ListingDisk> disks;
    for (unsigned n = 1; n <= 20000; ++n) {
        ListingDisk d;
        d.number = n;
        d.bootRecords.push_back(record(63, "FAT", {{"Sectors per Cluster", "16"}}));
        disks.push_back(d);
    }
    ListingDisk broken;
    broken.number = 1;
    broken.geometry = ListingGeometry{1000, 0, 0};  // a line of no heads and no sectors
    disks[0] = broken;
    const ListingReading reading = checkListing(listingOf(disks), {}, NumberFormat::point());
    ASSERT_EQ(reading.disks.size(), disks.size());
    for (const CheckedDisk& d : reading.disks) {
        ASSERT_EQ(d.geometry, none) << *d.listing.number;
        ASSERT_FALSE(d.missing.empty());
    }
}

}  // namespace
}  // namespace quorvane::core
