// Reading a saved image from its file: each table sector is asked of the
// system once, its 512 bytes and no more; nothing is read beyond the end,
// a partial last sector is filled up with zeros, and a failed read or open
// gives the system's reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "core/readers/partitiontable.h"
#include "platform/diskimage_std.h"
#include "scratch.h"
#include "tableimage.h"

namespace quorvane::platform {
namespace {

using test::entryAt;
using test::TableImage;

std::filesystem::path scratch(const std::string& name) {
    return test::scratchPath("quorvane_diskimage_", name);
}

// What this process's read calls had returned ("rchar" of /proc/self/io)
// when that file was read, and what reading it returned itself; nothing
// where the system keeps no such count.
struct ReadCount {
    std::uint64_t before, own;
};
std::optional<ReadCount> readCount() {
#ifdef __linux__
    std::ifstream in("/proc/self/io");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t at = text.find("rchar: ");
    if (at == std::string::npos) return std::nullopt;
    return ReadCount{std::stoull(text.substr(at + 7)), text.size()};
#else
    return std::nullopt;
#endif
}

// The bytes read between two counts, neither count's own reading included.
std::optional<std::uint64_t> bytesBetween(const std::optional<ReadCount>& first,
                                          const std::optional<ReadCount>& second) {
    if (!first || !second) return std::nullopt;
    return second->before - first->before - first->own;
}

// An extended partition at sector 2048 whose chain holds `records` records
// 4096 sectors apart, each with a logical partition and a link to the
// next; the last one's link points at `lastLink` (counted from the
// extended partition's start), or nowhere when it is 0.
TableImage chainOf(unsigned records, std::uint32_t lastLink = 0) {
    TableImage image(1000 * 1024 * 1024);
    image.entry(0, 1, entryAt(0x05, 0, 2048, 1000000));
    for (unsigned n = 0; n < records; ++n) {
        const std::uint64_t at = 2048 + std::uint64_t{n} * 4096;
        image.entry(at, 1, entryAt(0x83, at, 2048, 2048));
        const std::uint32_t link = n + 1 < records ? (n + 1) * 4096 : lastLink;
        if (link != 0) image.entry(at, 2, entryAt(0x05, 2048, link, 4096));
    }
    return image;
}

TableImage cutAt(TableImage image, std::uint64_t size) {
    image.size = size;
    return image;
}

struct FileCase {
    const char* name;
    TableImage image;
    std::uint64_t bytes;   // asked of the file
    std::size_t entries;   // read from it
};
void PrintTo(const FileCase& c, std::ostream* out) { *out << c.name; }

class DiskImageFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(DiskImageFileTest, ReadsTheTableSectorsAndNothingElse) {
    const FileCase& c = GetParam();
    const std::filesystem::path path = scratch(std::string(c.name) + ".img");
    c.image.writeTo(path);
    const std::optional<ReadCount> before = readCount();
    OpenedImage opened = openDiskImage(path.string());
    ASSERT_NE(opened.image, nullptr) << opened.error;
    const core::RawTable table = core::readRawTable(*opened.image);
    const std::optional<std::uint64_t> bytes = bytesBetween(before, readCount());
    opened.image.reset();
    std::filesystem::remove(path);

    EXPECT_EQ(table.entries.size(), c.entries) << table.error;
    if (!bytes) GTEST_SKIP() << "the system counts no bytes read (/proc/self/io)";
    EXPECT_EQ(*bytes, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Images, DiskImageFileTest,
    ::testing::Values(
        FileCase{"MasterBootRecordAlone",
                 [] {
                     TableImage image(1024 * 1024);
                     image.entry(0, 1, entryAt(0x83, 0, 2048, 2048));
                     return image;
                 }(),
                 512, 1},
        FileCase{"ThreeExtendedBootRecords", chainOf(3), 4 * 512, 1 + 3 + 2},
        FileCase{"HundredLogicalPartitions", chainOf(100), 101 * 512, 1 + 100 + 99},
        // The last link points at sector 10240, of which the image holds
        // the first 100 bytes: no whole sector, so it is not read.
        FileCase{"PartialLastSector", cutAt(chainOf(2, 2 * 4096), 10240 * 512 + 100), 3 * 512,
                 1 + 2 + 2},
        // Less than a sector: what there is, and the reader's refusal.
        FileCase{"PartialFirstSector", TableImage(300), 300, 0},
        FileCase{"LinkPastTheEnd", chainOf(2, 5000000), 3 * 512, 1 + 2 + 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DiskImageFile, FillsAPartialLastSectorWithZerosAndReadsNothingBeyond) {
    const std::filesystem::path path = scratch("partial.img");
    TableImage image(512 + 100);
    image.bytes(1, std::string(100, 'x'));
    image.writeTo(path);
    OpenedImage opened = openDiskImage(path.string());
    ASSERT_NE(opened.image, nullptr) << opened.error;
    EXPECT_EQ(opened.image->size(), 612u);

    core::SectorBytes partial;
    partial.fill(0xEE);
    const std::optional<ReadCount> before = readCount();
    EXPECT_EQ(opened.image->readSector(1, partial), std::nullopt);
    const std::optional<ReadCount> between = readCount();
    core::SectorBytes beyond;
    beyond.fill(0xEE);
    EXPECT_EQ(opened.image->readSector(2, beyond), std::nullopt);
    const std::optional<ReadCount> after = readCount();
    opened.image.reset();
    std::filesystem::remove(path);

    core::SectorBytes expected{};
    std::fill_n(expected.begin(), 100, std::uint8_t{'x'});
    EXPECT_EQ(partial, expected);
    EXPECT_EQ(beyond, core::SectorBytes{});
    if (!before) GTEST_SKIP() << "the system counts no bytes read (/proc/self/io)";
    EXPECT_EQ(bytesBetween(before, between), 100u);
    EXPECT_EQ(bytesBetween(between, after), 0u);
}

// A directory that the system opens (POSIX) or refuses to open (Windows)
// as a file: the reason is the system's, within the reader's sentence.
TEST(DiskImageFile, GivesTheSystemsReasonForAFailedReadOrOpen) {
    const std::filesystem::path directory = scratch("directory");
    std::filesystem::create_directory(directory);
    // A name in it, so that no file system gives the directory size 0.
    std::ofstream(directory / "entry").put('x');
    OpenedImage opened = openRegularFile(directory);
#ifdef _WIN32
    EXPECT_EQ(opened.image, nullptr);
    const std::string prefix = core::cannotOpenReason("");
    ASSERT_GT(opened.error.size(), prefix.size()) << opened.error;
    EXPECT_EQ(opened.error.substr(0, prefix.size()), prefix);
    // The message stands inside a sentence: no line break, no full stop.
    EXPECT_EQ(opened.error.find_first_of("\r\n"), std::string::npos) << opened.error;
    EXPECT_NE(opened.error.back(), '.') << opened.error;
#else
    ASSERT_NE(opened.image, nullptr) << opened.error;
    ASSERT_GT(opened.image->size(), 0u);
    core::SectorBytes bytes;
    bytes.fill(0xEE);
    EXPECT_EQ(opened.image->readSector(0, bytes), std::string("Is a directory"));
    EXPECT_EQ(bytes, core::SectorBytes{});
    opened.image.reset();
#endif
    std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace quorvane::platform
