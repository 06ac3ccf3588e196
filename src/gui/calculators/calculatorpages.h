// The "Error 110", "Error 108" and "Bogus 113" pages. They share one
// layout inside the standard frames: the explanation in the description
// frame; in the input frame the partinfo hint, three narrow fields under
// their labels and two wide fields with their labels to the right; the
// buttons stacked in the controls frame.
#pragma once

#include "gui/app/workspacepage.h"

namespace quorvane::gui {

WorkspacePage* newError110Page(Performer perform);
WorkspacePage* newError108Page(Performer perform);
WorkspacePage* newBogus113Page(Performer perform);

}  // namespace quorvane::gui
