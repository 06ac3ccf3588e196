// Partition tables written byte by byte for the tests: an image is its
// size and the few sectors that are not zero, held in memory or written to
// a sparse file.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace quorvane::test {

using Sector = std::array<std::uint8_t, 512>;

struct RawChs {
    unsigned cylinder = 0, head = 0, sector = 0;
};

// An entry's sixteen bytes, field by field.
struct RawEntry {
    std::uint8_t boot = 0;
    std::uint8_t type = 0;
    RawChs begin, end;
    std::uint32_t start = 0;
    std::uint32_t count = 0;
};

// The CHS address of `lba` under heads/sectors, or the placeholder
// 1023/heads-1/sectors beyond cylinder 1023, as partitioning tools write it.
inline RawChs chsOf(std::uint64_t lba, unsigned heads = 255, unsigned sectors = 63) {
    const std::uint64_t cylinder = lba / (std::uint64_t{heads} * sectors);
    if (cylinder > 1023) return {1023, heads - 1, sectors};
    return {static_cast<unsigned>(cylinder), static_cast<unsigned>(lba / sectors % heads),
            static_cast<unsigned>(lba % sectors + 1)};
}

// An entry whose CHS values agree with `start` (relative to `base`, where
// its table counts from) and `count` under heads/sectors.
inline RawEntry entryAt(std::uint8_t type, std::uint64_t base, std::uint32_t start,
                        std::uint32_t count, unsigned heads = 255, unsigned sectors = 63) {
    return {0, type, chsOf(base + start, heads, sectors),
            chsOf(base + start + count - 1, heads, sectors), start, count};
}

class TableImage {
public:
    explicit TableImage(std::uint64_t bytes) : size(bytes) {}

    // Puts `entry` into `slot` (1 to 4) of the table in `sector`, which gets
    // the signature 55AA.
    TableImage& entry(std::uint64_t sector, unsigned slot, const RawEntry& e) {
        Sector& s = sectors[sector];
        std::uint8_t* b = s.data() + 446 + (slot - 1) * 16;
        const auto chs = [](std::uint8_t* at, const RawChs& c) {
            at[0] = static_cast<std::uint8_t>(c.head);
            at[1] = static_cast<std::uint8_t>((c.sector & 0x3F) | ((c.cylinder >> 2) & 0xC0));
            at[2] = static_cast<std::uint8_t>(c.cylinder & 0xFF);
        };
        const auto le32 = [](std::uint8_t* at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
        };
        b[0] = e.boot;
        chs(b + 1, e.begin);
        b[4] = e.type;
        chs(b + 5, e.end);
        le32(b + 8, e.start);
        le32(b + 12, e.count);
        return signature(sector);
    }

    TableImage& signature(std::uint64_t sector) {
        sectors[sector][510] = 0x55;
        sectors[sector][511] = 0xAA;
        return *this;
    }

    // Writes `text` into `sector` from byte `offset` on.
    TableImage& bytes(std::uint64_t sector, const std::string& text, std::size_t offset = 0) {
        std::copy(text.begin(), text.end(), sectors[sector].begin() + offset);
        return *this;
    }

    // A sparse file of `size` bytes holding the sectors.
    void writeTo(const std::filesystem::path& path) const {
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            for (const auto& [number, data] : sectors) {
                if (number * 512 >= size) continue;
                out.seekp(static_cast<std::streamoff>(number * 512));
                out.write(reinterpret_cast<const char*>(data.data()),
                          static_cast<std::streamsize>(std::min<std::uint64_t>(512, size - number * 512)));
            }
        }
        std::filesystem::resize_file(path, size);
    }

    std::uint64_t size;
    std::map<std::uint64_t, Sector> sectors;
};

// A chain of 256 extended boot records in a 300 MiB image, each holding a
// link and three logical partitions that all overlap one another and the
// partitions of every other record; the last link points back at the
// first record. 1,025 entries, 294,528 pairs that overlap.
inline TableImage overlappingChain() {
    TableImage image(300ull * 1024 * 1024);
    const std::uint32_t extended = 2048, records = 256, spacing = 2048, count = 550000;
    image.entry(0, 1, entryAt(0x05, 0, extended, 600000));
    for (std::uint32_t n = 0; n < records; ++n) {
        const std::uint64_t record = extended + std::uint64_t{n} * spacing;
        for (unsigned slot = 1; slot <= 3; ++slot)
            image.entry(record, slot, entryAt(0x83, record, slot, count));
        const std::uint32_t next = n + 1 < records ? (n + 1) * spacing : 0;
        image.entry(record, 4, entryAt(0x05, extended, next, spacing));
    }
    return image;
}

}  // namespace quorvane::test
