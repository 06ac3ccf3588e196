// How the program's own controls present themselves to assistive
// technology: the page tabs as a page tab list of page tabs, the
// calculator's display as readable text, the calculator as a window, a
// parting line as a separator.
#pragma once

namespace quorvane::gui {

// Registers the program's accessible interfaces; safe to call again.
void installAccessibility();

}  // namespace quorvane::gui
