// The table's and the boot sector's seeds: the tests' kinds of disk image
// (primary, extended and logical partitions, placeholders beyond cylinder
// 1023, a looping chain, a GPT's protective entry, a disk of 2 TiB) and of
// volume (FAT12/16 with DYN_ROOT, FAT32 with FSInfo and backup, NTFS with
// both backups, damaged primaries, totals beyond the entry, one volume
// without a table), each as SparseImage reads it.
#include <string>

#include "fuzz/fuzz.h"
#include "fuzz/seeds.h"
#include "tests/support/bootsectors.h"
#include "tests/support/tableimage.h"

namespace quorvane::fuzz {

namespace {

using test::entryAt;
using test::TableImage;
namespace boot = test::boot;

void putLittleEndian(std::string& out, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>(value >> (8 * i));
}

// The four bytes of options the targets start with, then the image.
std::string sparseInput(const TableImage& image, std::string options = std::string(4, '\0')) {
    std::string out = options;
    putLittleEndian(out, image.size);
    for (const auto& [number, bytes] : image.sectors) {
        putLittleEndian(out, number);
        out.append(bytes.begin(), bytes.end());
    }
    return out;
}

TableImage& put(TableImage& image, std::uint64_t sector, const boot::Bytes& bytes) {
    image.sectors[sector] = bytes;
    return image;
}

// A disk of 8 GB: a FAT32 and an NTFS primary, an extended partition with
// a FAT16 logical partition (DYN_ROOT in its root directory) and a FAT12 one.
TableImage mixedDisk() {
    TableImage image(8ull * 1000 * 1000 * 1000);
    const std::uint32_t fat32 = 2048, fat32Count = 1024000;
    const std::uint32_t ntfs = fat32 + fat32Count, ntfsCount = 2048000;
    const std::uint32_t extended = ntfs + ntfsCount, extendedCount = 1000000;
    image.entry(0, 1, entryAt(0x0C, 0, fat32, fat32Count));
    image.entry(0, 2, entryAt(0x07, 0, ntfs, ntfsCount));
    image.entry(0, 3, entryAt(0x0F, 0, extended, extendedCount));
    image.sectors[0][446] = 0x80;

    boot::Fat f32{.sectorsPerCluster = 8, .reserved = 32, .hidden = fat32, .total32 = fat32Count,
                  .fat32 = true, .sectorsPerFat32 = 1000, .type = "FAT32   "};
    put(image, fat32, boot::fatBoot(f32));
    put(image, fat32 + 1, boot::fsInfo());
    put(image, fat32 + 6, boot::fatBoot(f32));

    const boot::Ntfs n{.hidden = ntfs, .total = ntfsCount - 1, .mirror = 12799};
    put(image, ntfs, boot::ntfsBoot(n));
    put(image, ntfs + ntfsCount - 1, boot::ntfsBoot(n));

    // First logical: FAT16 with a root directory holding DYN_ROOT.
    const std::uint32_t first = extended, firstCount = 400000;
    image.entry(first, 1, entryAt(0x06, first, 63, firstCount - 63));
    image.entry(first, 2, entryAt(0x05, extended, firstCount, 200000));
    const boot::Fat f16{.sectorsPerCluster = 8, .reserved = 1, .rootEntries = 512,
                        .sectorsPerFat16 = 200, .hidden = 63, .total32 = firstCount - 63};
    put(image, first + 63, boot::fatBoot(f16));
    boot::Bytes root{};
    boot::dirEntry(root, 0, "DYN_ROOT   ", 0x10, 5);
    put(image, first + 63 + 1 + 2 * 200, root);

    // Second logical: a small FAT12.
    const std::uint32_t second = extended + firstCount;
    image.entry(second, 1, entryAt(0x01, second, 63, 16000));
    put(image, second + 63, boot::fatBoot({.sectorsPerCluster = 4, .rootEntries = 224,
                                           .total16 = 16000, .sectorsPerFat16 = 12,
                                           .hidden = 63, .type = "FAT12   "}));
    return image;
}

// A disk of 2 TiB whose last partition lies beyond cylinder 1023: its CHS
// values are the placeholder 1023/254/63.
TableImage largeDisk() {
    TableImage image(2ull << 40);
    image.entry(0, 1, entryAt(0x07, 0, 63, 20964762));
    image.entry(0, 2, entryAt(0x07, 0, 20964825, 0xF0000000u));
    image.sectors[0][446] = 0x80;
    return image;
}

// A chain of three extended boot records whose last link points back at
// the first.
TableImage loopingChain() {
    TableImage image(64ull * 1024 * 1024);
    const std::uint32_t extended = 2048;
    image.entry(0, 1, entryAt(0x05, 0, extended, 120000));
    for (std::uint32_t n = 0; n < 3; ++n) {
        const std::uint32_t record = extended + n * 40000;
        image.entry(record, 1, entryAt(0x83, record, 2048, 30000));
        image.entry(record, 2, entryAt(0x05, extended, n < 2 ? (n + 1) * 40000 : 0, 40000));
    }
    return image;
}

// Overlapping primaries, two active, a GPT's protective entry, and an
// entry whose CHS values do not match its LBA values.
TableImage faultyTable() {
    TableImage image(100ull * 1024 * 1024);
    image.entry(0, 1, entryAt(0x06, 0, 63, 100000));
    image.entry(0, 2, entryAt(0x0B, 0, 50000, 100000));
    image.entry(0, 3, entryAt(0xEE, 0, 1, 200000));
    test::RawEntry skewed = entryAt(0x83, 0, 160000, 20000, 16, 63);
    image.entry(0, 4, skewed);
    image.sectors[0][446] = 0x80;
    image.sectors[0][446 + 16] = 0x80;
    return image;
}

// FAT32 whose primary boot sector was wiped; its backup at sector 6 is sound.
TableImage wipedFat32() {
    TableImage image(600ull * 1024 * 1024);
    const std::uint32_t start = 2048, count = 1024000;
    image.entry(0, 1, entryAt(0x0C, 0, start, count));
    boot::Fat f{.sectorsPerCluster = 8, .reserved = 32, .hidden = start, .total32 = count,
                .fat32 = true, .sectorsPerFat32 = 1000, .type = "FAT32   "};
    put(image, start + 1, boot::fsInfo());
    put(image, start + 6, boot::fatBoot(f));
    return image;
}

// A FAT16 volume whose boot record claims more sectors than its entry
// holds, and an NTFS volume whose primary was damaged.
TableImage overlongVolumes() {
    TableImage image(400ull * 1024 * 1024);
    image.entry(0, 1, entryAt(0x06, 0, 63, 200000));
    put(image, 63, boot::fatBoot({.sectorsPerCluster = 4, .rootEntries = 512,
                                  .sectorsPerFat16 = 256, .hidden = 63, .total32 = 260000}));
    const std::uint32_t ntfs = 204800, ntfsCount = 400000;
    image.entry(0, 2, entryAt(0x07, 0, ntfs, ntfsCount));
    boot::Bytes damaged = boot::ntfsBoot({.hidden = ntfs, .total = ntfsCount - 1});
    damaged[13] = 3;  // no power of two
    put(image, ntfs, damaged);
    put(image, ntfs + ntfsCount - 1, boot::ntfsBoot({.hidden = ntfs, .total = ntfsCount - 1}));
    return image;
}

// An image of one FAT32 volume: no partition table.
TableImage oneVolume() {
    TableImage image(300ull * 1024 * 1024);
    const boot::Fat f{.sectorsPerCluster = 1, .reserved = 32, .total32 = 614400, .fat32 = true,
                      .sectorsPerFat32 = 4800, .type = "FAT32   "};
    put(image, 0, boot::fatBoot(f));
    put(image, 1, boot::fsInfo());
    put(image, 6, boot::fatBoot(f));
    return image;
}

}  // namespace

void writeImageSeeds(const std::filesystem::path& dir) {
    const std::string comma = std::string("\x01\0\0\0", 4);
    const std::string given = std::string("\x02\xFE\x3E\0", 4);  // 255 heads, 63 sectors
    writeSeed(dir, "table", "mixed", sparseInput(mixedDisk()));
    writeSeed(dir, "table", "mixed-comma-given", sparseInput(mixedDisk(), given));
    writeSeed(dir, "table", "large", sparseInput(largeDisk(), comma));
    writeSeed(dir, "table", "loop", sparseInput(loopingChain()));
    writeSeed(dir, "table", "faulty", sparseInput(faultyTable()));

    writeSeed(dir, "bootsector", "mixed", sparseInput(mixedDisk()));
    writeSeed(dir, "bootsector", "wiped-fat32", sparseInput(wipedFat32(), comma));
    writeSeed(dir, "bootsector", "overlong", sparseInput(overlongVolumes()));
    writeSeed(dir, "bootsector", "one-volume", sparseInput(oneVolume()));
    // --start 2048 on the wiped FAT32: the sector the table's entry names.
    writeSeed(dir, "bootsector", "start",
              sparseInput(wipedFat32(), std::string("\x02\x00\x08\x00", 4)));
}

}  // namespace quorvane::fuzz
