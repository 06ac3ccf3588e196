// The main window's own operations: the clear commands, "IPE", the
// unfinished features and the start of outside tools.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/launcher.h"
#include "core/base/outcome.h"
#include "core/calculators/bogus113.h"
#include "core/calculators/error108.h"
#include "core/calculators/error110.h"
#include "core/wizards/bbs.h"
#include "core/wizards/dynroot.h"
#include "core/workbench/batch.h"
#include "core/workbench/entrycheck.h"
#include "core/workbench/geometry.h"

namespace quorvane::core {

// Everything the main window holds between clicks: the report box, the
// fields of every page and the state that outlives one click.
struct Workspace {
    std::string report;  // the report box, CR LF line breaks
    GeometryFields geometry;
    Error110Fields error110;
    Error108Fields error108;
    Bogus113Fields bogus113;
    DynRootFields dynroot;
    NtfsBbsFields ntfsbbs;
    Fat32BbsFields fat32bbs;

    // The last entry check's verdict and Editpart line, and the batch.
    EntryCheck check;
    Batch batch;
    // The "DYN_ROOT" wizard's values between clicks; no clear command
    // resets them.
    DynRootState dynrootState;
};

// A page's calculation as an operation on the workspace: the page's fields
// in, the report box out.
template <typename Fields>
auto pageCalculation(Fields Workspace::*page,
                     Outcome (*calculate)(const Fields&, std::string&, const NumberFormat&)) {
    return [page, calculate](Workspace& workspace, const NumberFormat& format) {
        return calculate(workspace.*page, workspace.report, format);
    };
}

// A page's "Clear form" or "Clear all" as an operation on the workspace:
// empties the report box and returns every field of the page to its start
// value (empty, or its preset).
template <typename Fields>
auto pageClearing(Fields Workspace::*page) {
    return [page](Workspace& workspace, const NumberFormat&) {
        workspace.report.clear();
        workspace.*page = Fields{};
        return Outcome{};
    };
}

// A button that shows a fixed text ("Display info", "General info") as an
// operation on the workspace: the text replaces the report box; no field is
// read.
inline auto reportText(std::string (*text)()) {
    return [text](Workspace& workspace, const NumberFormat&) {
        workspace.report = text();
        return Outcome{};
    };
}

// "Check" of the "Geometry" page on its fields.
Outcome checkGeometryEntry(Workspace& workspace, const NumberFormat& format);

// "Attached" and "disk14" on the workspace's entry and batch.
Outcome addToBatch(Workspace& workspace, BatchPlace& place);
Outcome saveBatch(Workspace& workspace, BatchPlace& place);

// "Clear all" of the "Geometry" page: empties the report and that page,
// resets the verdict and allows a new batch file. Other pages keep their
// fields; no message.
void clearGeometryPage(Workspace& workspace);

// The toolbar's clear-all: empties the report and every page, resets the
// verdict (but does not allow a new batch) and returns the message it shows.
Message clearEverything(Workspace& workspace);

// "IPE": accept the entry for the batch although its check found errors.
void ignorePartitionTableError(Workspace& workspace);

// "Use entry" of the partition table's list: puts an entry read from a disk
// image on the "Geometry" page. The entry is not checked yet, so the verdict
// and command line of an earlier check are reset as the clear commands
// reset them; the report box keeps its text.
void useTableEntry(Workspace& workspace, const GeometryFields& fields);

// The message for a file that cannot be read as a partition table, with the
// reader's reason.
Message unreadableTableMessage(std::string_view path, std::string_view reason);

Message openNotAvailable();
Message helpNotAvailable();

// Outside tools started by bare name.
inline constexpr std::string_view kPteditProgram = "PTEDIT32.EXE";
inline constexpr std::string_view kPartinfoProgram = "PARTIN9X.EXE";

}  // namespace quorvane::core
