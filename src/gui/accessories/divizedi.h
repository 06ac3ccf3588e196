// The DiviZedi calculator window: a display and a keypad over the
// calculator engine. One window serves the whole program; it has no owner,
// so it stays open when the main window closes.
#pragma once

#include <QLabel>
#include <QWidget>

#include "core/accessories/calculator.h"
#include "core/base/outcome.h"

class QPushButton;

namespace quorvane::gui {

// The calculator's display: a label whose text assistive technology reads
// as text, and hears about when it changes.
class CalculatorDisplay : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void showText(const QString& text);
};

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
    CalculatorDisplay* lblDisplay_ = nullptr;
};

}  // namespace quorvane::gui
