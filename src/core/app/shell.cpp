#include "core/app/shell.h"

#include "core/base/numeric.h"
#include "core/base/texts.h"
#include "core/readers/partitiontable.h"

namespace quorvane::core {

namespace {

// What both clear commands do: an empty report, an empty "Geometry" page
// (active flag off) and the verdict reset.
void resetReportAndGeometry(Workspace& workspace) {
    workspace.report.clear();
    workspace.geometry = GeometryFields{};
    workspace.check.verdict = CheckVerdict::Reset;
    // The entry is gone from the page: its command line must not reach a
    // batch through "IPE".
    workspace.check.editline.clear();
}

}  // namespace

Outcome checkGeometryEntry(Workspace& workspace, const NumberFormat& format) {
    return checkEntry(workspace.geometry, workspace.report, workspace.check, format);
}

Outcome addToBatch(Workspace& workspace, BatchPlace& place) {
    return addToBatch(workspace.geometry, workspace.check, workspace.batch, place);
}

Outcome saveBatch(Workspace& workspace, BatchPlace& place) {
    return saveBatch(workspace.batch, place);
}

void clearGeometryPage(Workspace& workspace) {
    resetReportAndGeometry(workspace);
    allowNewBatch(workspace.batch);
}

Message clearEverything(Workspace& workspace) {
    resetReportAndGeometry(workspace);
    workspace.error110 = Error110Fields{};
    workspace.error108 = Error108Fields{};
    workspace.bogus113 = Bogus113Fields{};
    workspace.dynroot = DynRootFields{};
    workspace.ntfsbbs = NtfsBbsFields{};
    workspace.fat32bbs = Fat32BbsFields{};
    return Message{std::string(kAllFieldsReset), std::string(kApplicationTitle)};
}

void ignorePartitionTableError(Workspace& workspace) {
    workspace.check.verdict = CheckVerdict::Accepted;
}

void useTableEntry(Workspace& workspace, const GeometryFields& fields) {
    workspace.geometry = fields;
    workspace.check.verdict = CheckVerdict::Reset;
    workspace.check.editline.clear();
}

Message unreadableTableMessage(std::string_view path, std::string_view reason) {
    return Message{unreadableText(path, reason), std::string(kProgramName), Icon::Exclamation};
}

Message openNotAvailable() {
    return Message{std::string(kOpenNotAvailable), std::string(kApplicationTitle)};
}

Message helpNotAvailable() { return Message{std::string(kHelpNotAvailable), std::string(kProgramName)}; }

}  // namespace quorvane::core
