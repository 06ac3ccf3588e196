// Faults the fuzz targets found in reading disk images and in what the
// readings offer, each test named after its fault.
#include <gtest/gtest.h>

#include <string>

#include "core/app/listingchoices.h"
#include "core/calculators/listingfill.h"
#include "core/wizards/listingfill.h"
#include "core/workbench/diskmap.h"
#include "core/workbench/tablecheck.h"
#include "tableimage.h"

namespace quorvane::core {
namespace {

class MemoryImage : public DiskImage {
public:
    explicit MemoryImage(const test::TableImage& image) : image_(image) {}
    std::uint64_t size() const override { return image_.size; }
    std::optional<std::string> readSector(std::uint64_t sector, SectorBytes& bytes) override {
        const auto found = image_.sectors.find(sector);
        bytes = found == image_.sectors.end() ? SectorBytes{} : found->second;
        return std::nullopt;
    }

private:
    const test::TableImage& image_;
};

// A sound FAT volume at sector 63 with the parameter block's fields, as the
// boot sector reader names them.
VolumeReport fatVolume(FileSystem fs, std::vector<BootRecordField> fields) {
    VolumeReport v;
    v.place = {63, 32067, std::nullopt};
    v.count = 32067;
    v.fileSystem = fs;
    v.primary.sector = 63;
    v.primary.readable = true;
    v.primary.fileSystem = fs;
    v.primary.fields = std::move(fields);
    v.dynRootSearched = true;
    return v;
}

CheckedEntry entryOf(const VolumeReport& v) {
    CheckedEntry c;
    c.entry.slot = 1, c.entry.number = 1, c.entry.type = 0x06;
    c.entry.start = v.place.start, c.entry.count = static_cast<std::uint32_t>(v.count);
    return c;
}

// Each choice the page turns away is unavailable, and says why; its sound
// neighbour still fills the page.
TEST(FuzzFaults, PagesWereOfferedValuesTheirOwnOperationRefuses) {
    const std::vector<BootRecordField> block = {
        {"Sectors per Cluster", "4"}, {"Reserved Sectors", "1"},   {"Number of FATs", "2"},
        {"Root Dir Entries", "512"},  {"Sectors per FAT", "32"},   {"Total Sectors", "32067"}};
    std::vector<BootRecordField> noClusters = block;
    noClusters[0].value = "0";
    VolumeReport dynRoot = fatVolume(FileSystem::Fat16, block);
    dynRoot.dynRoot = DynRootPage{4, 512, 32, 1, 2, 0x1A2};
    VolumeReport clusterZero = dynRoot;
    clusterZero.dynRoot->startCluster = 0;
    const struct {
        const char* fault;
        VolumeReport volume;
        ListingPage page;
        std::string missing;
    } cases[] = {
        {"Bogus 113 divided by 0 sectors per cluster", fatVolume(FileSystem::Fat16, noClusters),
         ListingPage::Bogus113,
         "the boot record of the volume at sector 63 gives 0 sectors per cluster"},
        {"Bogus 113 of a sound block", fatVolume(FileSystem::Fat16, block), ListingPage::Bogus113,
         ""},
        {"DYN_ROOT at cluster 0, where no directory starts", clusterZero, ListingPage::DynRoot,
         "the page refuses the volume's values: The start cluster of DYN_ROOT must be a "
         "hexadecimal number from 2 to FFF6 !"},
        {"DYN_ROOT at cluster 1A2", dynRoot, ListingPage::DynRoot, ""},
    };
    for (const auto& c : cases) {
        const CheckedEntry entry = entryOf(c.volume);
        const DriveGeometry g{1000, 255, 63, GeometrySource::Guessed, CylinderSource::Image};
        const PageChoice choice =
            pageChoices(entry, &g, &c.volume)[static_cast<std::size_t>(c.page)];
        EXPECT_EQ(choice.missing, c.missing) << c.fault;
        EXPECT_EQ(choice.fields.empty(), !c.missing.empty()) << c.fault;
    }
}

// A listing's geometry line of 0 heads (or 64 sectors per track) filled
// Error 110 and Error 108, whose pages then divided by 0 without a word.
TEST(FuzzFaults, ErrorPagesWereFilledFromAGeometryNoCHSAddressHolds) {
    ListingEntry entry;
    entry.begin = {0, 1, 1}, entry.end = {1304, 254, 63};
    entry.start = 63, entry.count = 20964762;
    ListingMessage error110;
    error110.code = 110u;
    error110.values = {{"ucSectors", "20964762", ""}, {"end - begin", "20964825", ""}};
    entry.messages = {error110};
    const struct {
        ListingGeometry geometry;
        std::string missing;
    } cases[] = {
        {{4865, 0, 63}, "the listing's geometry (0 heads, 63 sectors per track) is none a CHS "
                        "address can hold"},
        {{4865, 255, 64}, "the listing's geometry (255 heads, 64 sectors per track) is none a "
                          "CHS address can hold"},
        {{4865, 257, 63}, "the listing's geometry (257 heads, 63 sectors per track) is none a "
                          "CHS address can hold"},
        {{4865, 256, 63}, ""},
        {{4865, 1, 1}, ""},
    };
    for (const auto& c : cases) {
        const auto e110 = error110FromListing(entry, c.geometry);
        const auto e108 = error108FromListing(entry, c.geometry);
        EXPECT_EQ(e110.missing, c.missing);
        EXPECT_EQ(e108.missing, c.missing);
        EXPECT_EQ(e110.fields.has_value(), c.missing.empty());
        EXPECT_EQ(e108.fields.has_value(), c.missing.empty());
    }
}

// A listing prints a logical partition's absolute start, which may lie
// beyond the 32 bits the restore pages take: "Use for ..." filled it, and
// the page's "Calculate" then refused it.
TEST(FuzzFaults, RestorePagesWereFilledWithAStartBeyondThirtyTwoBits) {
    const struct {
        std::uint8_t type;
        std::uint64_t start;
        std::string fat32, ntfs;  // what is missing
    } cases[] = {
        {0x0B, 209668993713,
         "the page refuses the entry's values: Start Sector must be a whole number from 0 to "
         "4294967295, without separators !",
         "the entry's type 0B is not NTFS (type 07)"},
        {0x07, 4294967296,
         "the entry's type 07 is not FAT32 (type 0B or 0C)",
         "the page refuses the entry's values: Start Sector must be a whole number from 0 to "
         "4294967295, without separators !"},
        {0x07, 4294967295, "the entry's type 07 is not FAT32 (type 0B or 0C)", ""},
        {0x0C, 4294967295, "", "the entry's type 0C is not NTFS (type 07)"},
    };
    for (const auto& c : cases) {
        ListingEntry entry;
        entry.type = c.type, entry.start = c.start, entry.count = 1000;
        ListingDisk disk;
        disk.entries = {entry};
        EXPECT_EQ(fat32BbsFromListing(disk, entry).missing, c.fat32) << c.start;
        EXPECT_EQ(ntfsBbsFromListing(disk, entry).missing, c.ntfs) << c.start;
    }
}

// The map summed every interval of every segment, over and over while it
// searched for its scale: the square of the partitions, a second and more
// for a chain of 1,025 entries that all overlap. The sum now stops at the
// least width; the map is the one it was.
TEST(FuzzFaults, DiskMapOfManyOverlappingPartitionsTookTheSquareOfTheirNumber) {
    const test::TableImage chain = test::overlappingChain();
    MemoryImage image(chain);
    const TableReading reading = readPartitionTable(image, {}, NumberFormat::point());
    ASSERT_EQ(reading.entries.size(), 1025u);
    const MapLayout layout;
    const DiskMap map = layoutDiskMap(reading, NumberFormat::point(), layout);
    EXPECT_DOUBLE_EQ(map.width, layout.width);
    std::size_t partitions = 0;
    for (const MapSegment& s : map.segments) {
        if (s.kind != SegmentKind::Logical) continue;
        ++partitions;
        EXPECT_GE(s.width, layout.minSegmentWidth - 1) << s.label;
    }
    EXPECT_EQ(partitions, 768u);
}

}  // namespace
}  // namespace quorvane::core
