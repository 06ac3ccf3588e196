// The DiviZedi calculator window: a display and a keypad over the
// calculator engine. One window serves the whole program; it has no owner,
// so it stays open when the main window closes.
#pragma once

#include <QWidget>

#include "core/accessories/calculator.h"
#include "core/app/outcome.h"

class QLabel;
class QPushButton;

namespace quorvane::gui {

class DiviZediWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the program's calculator window, creating it with a fresh
    // calculation if none is open, and brings it to the front. `dialogs`
    // shows its messages and must outlive the window.
    static DiviZediWindow* open(core::Dialogs& dialogs, const core::NumberFormat& format);
    // The open calculator window, or null.
    static DiviZediWindow* current();

private:
    DiviZediWindow(core::Dialogs& dialogs, const core::NumberFormat& format);
    void press(core::Calculator::Key key);

    core::Dialogs& dialogs_;
    core::Calculator calculator_;
    QLabel* lblDisplay_ = nullptr;
};

}  // namespace quorvane::gui
