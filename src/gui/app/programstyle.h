// The desktop's style with one change: the icons of the buttons that show
// what a narrow menu bar or toolbar has no room for are made when first
// drawn, not when the bar is made. Reading them is what loads the image
// format plugins, and those buttons are rarely shown.
#pragma once

namespace quorvane::gui {

// Puts the program's style in place of the application's; safe to call
// again. Call it before the first menu bar or toolbar is made.
void useProgramStyle();

}  // namespace quorvane::gui
