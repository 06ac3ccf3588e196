// The Editpart batch builder behind the toolbar keys "Attached", "disk14" and
// "Diskedit": checked entries collected as Editpart command lines into
// quorvane.bat in the program's directory, closed with a fixed trailer, and
// started on request.
//
// The batch is in one of three stages: no batch, collecting (the file is
// open and holds every confirmed entry) and saved. Only "Clear all" on the
// "Geometry" page leaves the saved stage.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/batchfile.h"
#include "core/base/launcher.h"
#include "core/base/outcome.h"
#include "core/workbench/entrycheck.h"
#include "core/workbench/geometry.h"

namespace quorvane::core {

enum class BatchStage { None, Collecting, Saved };

// The batch between clicks.
struct Batch {
    BatchStage stage = BatchStage::None;
    // The entry lines confirmed while collecting, so that a file that failed
    // can be written afresh.
    std::vector<std::string> lines;

    friend bool operator==(const Batch&, const Batch&) = default;
};

// "Clear all" of the "Geometry" page: a saved batch allows a new one; a
// batch being collected goes on collecting.
void allowNewBatch(Batch& batch);

// Where and through what the batch builder writes.
struct BatchPlace {
    BatchFile& file;
    Clock& clock;
    std::string directory;  // the program's directory, as the person knows it
};

inline constexpr std::string_view kBatchFileName = "quorvane.bat";
inline constexpr std::string_view kBatchTitle = kProgramName;

// The batch file's path in `directory`, with one separator between them.
std::string batchPath(std::string_view directory);

// The fifteen lines that close a batch, generated on `date`.
std::vector<std::string> batchTrailer(std::string_view date);

// Whether the entry of the last check may go into a batch: its verdict, with
// an empty drive, partition number or type code, a check that did not
// complete and a missing check all counting as incomplete.
enum class EntryVerdict { Accepted, Errors, Incomplete };
EntryVerdict entryVerdict(const GeometryFields& fields, const EntryCheck& check);

// The message that refuses an entry of the given verdict.
Message refusal(EntryVerdict verdict);

// "Attached": adds the check's Editpart line to the batch, creating the
// file for the first entry, or refuses with its messages; either way the
// verdict is used up (Reset). A file that cannot be created or written gives
// a message with its path and the reason and leaves every state as it was,
// so that the next click tries again (rewriting the confirmed entries when
// the file had to be given up).
Outcome addToBatch(const GeometryFields& fields, EntryCheck& check, Batch& batch,
                   BatchPlace& place);

// "disk14": writes the trailer, closes the file and marks the batch saved;
// with nothing collected it says so. A failure is reported like one of
// addToBatch and leaves the batch collecting.
Outcome saveBatch(Batch& batch, BatchPlace& place);

// "Diskedit": asks through `dialogs` whether to run the batch and, when the
// answer is OK, opens the file at `path`; a missing file gives the "Dear
// User" message.
Outcome runBatch(Dialogs& dialogs, Launcher& launcher, const std::string& path);

}  // namespace quorvane::core
