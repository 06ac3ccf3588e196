// Boot sectors written byte by byte for the tests: a FAT12/FAT16/FAT32
// parameter block, an NTFS boot sector, the FAT32 FSInfo sector and a
// directory entry, each as the 512 bytes of one sector.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvane::test::boot {

using Bytes = std::array<std::uint8_t, 512>;

// Stores `value` little-endian in `bytes` bytes from `at` on.
inline void put(Bytes& s, std::size_t at, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) s[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void text(Bytes& s, std::size_t at, const std::string& t) {
    std::copy(t.begin(), t.end(), s.begin() + static_cast<std::ptrdiff_t>(at));
}

// A FAT parameter block; the FAT32 layout when `fat32`.
struct Fat {
    std::string oem = "MSWIN4.1";
    unsigned bytesPerSector = 512, sectorsPerCluster = 1, reserved = 1, fats = 2, rootEntries = 0;
    unsigned total16 = 0, media = 0xF8, sectorsPerFat16 = 0, perTrack = 63, heads = 255;
    std::uint32_t hidden = 0, total32 = 0;
    bool fat32 = false;
    std::uint32_t sectorsPerFat32 = 0, rootCluster = 2;
    unsigned fsInfo = 1, backup = 6;
    std::uint32_t serial = 0x12345678;
    std::string label = "NO NAME    ", type = "FAT16   ";
};

inline Bytes fatBoot(const Fat& f) {
    Bytes s{};
    s[0] = 0xEB, s[1] = f.fat32 ? 0x58 : 0x3C, s[2] = 0x90;
    text(s, 3, f.oem);
    put(s, 11, f.bytesPerSector, 2);
    s[13] = static_cast<std::uint8_t>(f.sectorsPerCluster);
    put(s, 14, f.reserved, 2);
    s[16] = static_cast<std::uint8_t>(f.fats);
    put(s, 17, f.rootEntries, 2);
    put(s, 19, f.total16, 2);
    s[21] = static_cast<std::uint8_t>(f.media);
    put(s, 22, f.sectorsPerFat16, 2);
    put(s, 24, f.perTrack, 2);
    put(s, 26, f.heads, 2);
    put(s, 28, f.hidden, 4);
    put(s, 32, f.total32, 4);
    std::size_t ext = 36;
    if (f.fat32) {
        put(s, 36, f.sectorsPerFat32, 4);
        put(s, 44, f.rootCluster, 4);
        put(s, 48, f.fsInfo, 2);
        put(s, 50, f.backup, 2);
        ext = 64;
    }
    s[ext] = 0x80;
    s[ext + 2] = 0x29;
    put(s, ext + 3, f.serial, 4);
    text(s, ext + 7, f.label);
    text(s, ext + 18, f.type);
    s[510] = 0x55, s[511] = 0xAA;
    return s;
}

struct Ntfs {
    unsigned sectorsPerCluster = 8;
    std::uint32_t hidden = 2048;
    std::uint64_t total = 204799, mft = 4, mirror = 12799, serial = 0x4A1E2F7C8B3D9A06;
};

inline Bytes ntfsBoot(const Ntfs& n) {
    Bytes s{};
    s[0] = 0xEB, s[1] = 0x52, s[2] = 0x90;
    text(s, 3, "NTFS    ");
    put(s, 11, 512, 2);
    s[13] = static_cast<std::uint8_t>(n.sectorsPerCluster);
    s[21] = 0xF8;
    put(s, 24, 63, 2);
    put(s, 26, 255, 2);
    put(s, 28, n.hidden, 4);
    put(s, 36, 0x80008000, 4);
    put(s, 40, n.total, 8);
    put(s, 48, n.mft, 8);
    put(s, 56, n.mirror, 8);
    s[64] = 0xF6;
    s[68] = 1;
    put(s, 72, n.serial, 8);
    s[510] = 0x55, s[511] = 0xAA;
    return s;
}

// The FAT32 FSInfo sector with its three signatures.
inline Bytes fsInfo() {
    Bytes s{};
    text(s, 0, "RRaA");
    text(s, 484, "rrAa");
    s[510] = 0x55, s[511] = 0xAA;
    return s;
}

// A directory entry in `slot` (0 to 15) of a directory sector: an 8.3 name
// of eleven characters, its attributes (0x10 a directory) and start cluster.
inline void dirEntry(Bytes& s, unsigned slot, const std::string& name, std::uint8_t attributes,
                     unsigned cluster) {
    text(s, slot * 32, name);
    s[slot * 32 + 11] = attributes;
    put(s, slot * 32 + 26, cluster, 2);
}

}  // namespace quorvane::test::boot
