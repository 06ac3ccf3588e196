// The layout the three error calculator pages share inside the standard
// frames: the explanation in the description frame; in the input frame the
// partinfo hint, three narrow fields under their labels and two wide fields
// with their labels to the right; the buttons stacked in the controls frame.
#pragma once

#include <QList>
#include <QString>
#include <array>
#include <vector>

class QPushButton;
class QWidget;

namespace quorvane::gui {

// A command button: object name and caption.
struct CalculatorButton {
    const char* name;
    QString caption;
};

// A field and its label, both by object name.
struct LabelledField {
    const char* field;
    const char* label;
    QString caption;
};

struct CalculatorLayout {
    std::array<const char*, 3> frames;  // description, input, controls
    const char* descriptionLabel;
    QString description;
    const char* hintLabel;
    std::array<LabelledField, 3> narrowFields;  // labels above
    std::array<LabelledField, 2> wideFields;    // labels to the right
    std::vector<CalculatorButton> buttons;       // top to bottom
};

// Lays out `layout` on `page` and returns its buttons, in their order.
QList<QPushButton*> buildCalculatorPage(QWidget* page, const CalculatorLayout& layout);

}  // namespace quorvane::gui
