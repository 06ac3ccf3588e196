// Checked entries made by hand for the tests of what is drawn or said about
// a whole table: an entry's place, type and extent, and the checks it failed.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/workbench/tablecheck.h"

namespace quorvane::test {

inline core::CheckedEntry checkedEntry(core::EntryRole role, std::optional<unsigned> number,
                                       std::uint64_t table, unsigned slot, std::uint8_t type,
                                       std::uint64_t start, std::uint32_t count,
                                       std::vector<int> failed = {}) {
    core::CheckedEntry c;
    c.entry.role = role;
    c.entry.number = number;
    c.entry.tableSector = table;
    c.entry.slot = slot;
    c.entry.type = type;
    c.entry.start = start;
    c.entry.count = count;
    c.failedChecks = std::move(failed);
    c.verdict = c.failedChecks.empty() ? core::CheckVerdict::Accepted : core::CheckVerdict::Errors;
    return c;
}

}  // namespace quorvane::test
