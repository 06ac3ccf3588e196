// The "NTFS bbs" and "Fat32 bbs" pages: where a partition's backup boot
// sector lies and how Patch copies it over the damaged boot sector. One
// page class serves both, with the same layout inside the standard frames:
// the explanation; in the input frame the partinfo hint above the fields
// and their labels; the buttons stacked in the controls frame.
#pragma once

#include "gui/app/workspacepage.h"

namespace quorvane::gui {

WorkspacePage* newNtfsBbsPage(Performer perform);
WorkspacePage* newFat32BbsPage(Performer perform);

}  // namespace quorvane::gui
