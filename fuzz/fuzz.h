// What every fuzz target shares: the promise check that stops the run, the
// sparse disk image an input describes, and the checks of what the readers
// promise to the front ends (valid JSON, pages their own operations accept).
//
// Each target defines fuzzOne(); fuzz.cpp hands it libFuzzer's inputs and
// keeps the slowest one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/listingchoices.h"
#include "core/base/diskimage.h"
#include "core/base/numeric.h"

namespace quorvane::fuzz {

// The target's work on one input.
void fuzzOne(std::span<const std::uint8_t> input);

// A broken promise: names it, with the value that broke it, and aborts so
// that libFuzzer keeps the input as a crash.
[[noreturn]] void broken(std::string_view promise, std::string_view detail = {});

#define QUORVANE_PROMISE(condition, detail)                         \
    do {                                                            \
        if (!(condition)) ::quorvane::fuzz::broken(#condition, detail); \
    } while (false)

// The input's bytes as text.
inline std::string_view asText(std::span<const std::uint8_t> input) {
    return {reinterpret_cast<const char*>(input.data()), input.size()};
}

// The number formats of the two kinds of desktop: decimal point, decimal
// comma. Targets take the one the input's first byte picks.
core::NumberFormat pickFormat(std::uint8_t choice);

// A disk image that costs only the sectors it holds. The input is its size
// in bytes (8 bytes, little-endian), then records of a sector's number (8
// bytes, little-endian) and its 512 bytes; a last record cut short is
// filled up with zeros, a later record of the same sector replaces an
// earlier one. Every other sector reads as zeros. A sector number with its
// top bit set names a sector (the number without that bit) whose read
// fails, so that the readers' handling of read errors is reached too.
class SparseImage : public core::DiskImage {
public:
    static constexpr std::size_t kRecordBytes = 8 + core::kSectorBytes;
    static constexpr std::uint64_t kFailBit = std::uint64_t{1} << 63;

    explicit SparseImage(std::span<const std::uint8_t> input);

    std::uint64_t size() const override { return size_; }
    std::optional<std::string> readSector(std::uint64_t sector, core::SectorBytes& bytes) override;

    // The sector as the image holds it, without counting a read.
    core::SectorBytes sectorAt(std::uint64_t sector) const;
    // How many sectors were read since the last reset.
    std::uint64_t reads() const { return reads_; }
    void resetReads() { reads_ = 0; }

private:
    std::uint64_t size_ = 0;
    struct Held {
        core::SectorBytes bytes;
        bool failing = false;  // its read fails
    };
    std::map<std::uint64_t, Held> sectors_;
    std::uint64_t reads_ = 0;
};

// The little-endian number in `bytes` bytes of `input` from `at` on; what
// lies beyond its end reads as zeros.
std::uint64_t littleEndianAt(std::span<const std::uint8_t> input, std::size_t at,
                             std::size_t bytes);

// A JSON document as quorvane-cli writes one: a single object on one line
// with its line feed, valid UTF-8, every object's keys distinct. Returns
// nothing; a document that breaks the grammar breaks the promise.
void checkJsonDocument(std::string_view document);

// Every available choice puts values on its page that the page's own
// operation accepts: it runs to its end without a message and writes a
// report. An unavailable one says what is missing and fills nothing.
void checkPageChoices(const std::vector<core::PageChoice>& choices,
                      const core::NumberFormat& format);

// Runs quorvane-cli with `args` in memory (standard input `in`, images
// opened as `image` wherever a command names one) and returns its exit
// status; `out` and `err` get what it wrote.
int runCli(const std::vector<std::string>& args, const core::NumberFormat& format,
           std::string_view in, core::DiskImage* image, std::string& out, std::string& err);

}  // namespace quorvane::fuzz
