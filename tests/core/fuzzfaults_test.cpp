// Faults the fuzz targets found in reading disk images and in what the
// readings offer, each test named after its fault.
#include <gtest/gtest.h>

#include <string>

#include "core/app/listingchoices.h"
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
