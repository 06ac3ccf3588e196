// Moving widgets within their window's focus chain, the order the Tab key
// follows.
#pragma once

class QWidget;

namespace quorvane::gui {

// Puts `widget` right after `after` in the focus chain of their window,
// whether or not the widgets take focus; `widget`'s own children stay where
// they are.
void placeAfterInFocusChain(QWidget* after, QWidget* widget);

}  // namespace quorvane::gui
