// How failures show the core's values: a message box as its title and
// prompt, an entry or a finding by its place, a verdict by its name, and
// two texts of bytes (a batch file, a sector) by where they first differ.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#include "core/base/outcome.h"
#include "core/readers/partitiontable.h"
#include "core/workbench/batch.h"
#include "core/workbench/entrycheck.h"
#include "core/workbench/tablecheck.h"

namespace quorvane::core {

inline void PrintTo(const Message& message, std::ostream* out) {
    *out << message.title << ": " << message.prompt;
}

inline void PrintTo(const TableEntry& e, std::ostream* out) {
    const auto chs = [&](const Chs& c) { *out << c.cylinder << "/" << c.head << "/" << c.sector; };
    *out << e.tableSector << "/" << e.slot << " #" << (e.number ? int(*e.number) : 0) << " role "
         << int(e.role) << " boot " << int(e.boot) << " type " << int(e.type) << " ";
    chs(e.begin);
    *out << " ";
    chs(e.end);
    *out << " stored " << e.storedStart << " count " << e.count << " start " << e.start;
}

inline void PrintTo(const Finding& f, std::ostream* out) {
    *out << findingKindName(f.kind) << " [";
    for (const EntryPlace& p : f.entries) *out << " " << p.tableSector << "/" << p.slot;
    *out << " ] " << f.text;
}

inline void PrintTo(CheckVerdict verdict, std::ostream* out) {
    constexpr const char* names[] = {"None", "Errors", "Accepted", "Reset"};
    *out << names[checkstateNumber(verdict)];
}

inline void PrintTo(BatchStage stage, std::ostream* out) {
    constexpr const char* names[] = {"None", "Collecting", "Saved"};
    *out << names[static_cast<int>(stage)];
}

}  // namespace quorvane::core

namespace quorvane::test {

// Whether two texts hold the same bytes; where they do not, the failure
// names the first offset that differs and shows sixteen bytes of each from
// the start of that row, in hexadecimal, so that a CR, a trailing blank or a
// missing NUL shows.
inline ::testing::AssertionResult sameBytes(std::string_view expected, std::string_view actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    const auto mismatch = std::mismatch(expected.begin(), expected.end(), actual.begin(),
                                        actual.end());
    const std::size_t at = static_cast<std::size_t>(mismatch.first - expected.begin());
    const std::size_t row = at - at % 16;
    const auto dump = [row](std::string_view bytes) {
        std::string text;
        char hex[4];
        for (std::size_t i = row; i < std::min(bytes.size(), row + 16); ++i) {
            std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(bytes[i]));
            text += hex;
        }
        return text.empty() ? std::string("(ends)") : text;
    };
    return ::testing::AssertionFailure()
           << "the bytes differ first at offset " << at << " (expected " << expected.size()
           << " bytes, got " << actual.size() << ")\n  expected from " << row << ": "
           << dump(expected) << "\n  actual from   " << row << ": " << dump(actual);
}

}  // namespace quorvane::test
