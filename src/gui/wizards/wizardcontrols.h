// Controls the wizard pages build the same way.
#pragma once

#include <QString>
#include <string_view>

class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace quorvane::gui::wizards {

// The fixed explanation inside a page's "Description:" frame.
QLabel* addDescription(QGroupBox* frame, const char* name, const QString& text);

// The hint "(Required values appear on a partinfo)" that heads the input
// frame of a page that reads partinfo values.
QLabel* makeHint(const char* name);

// A command button that a click runs; Enter in a field does not press it.
QPushButton* makeButton(const char* name, const QString& caption);

// A text field of the given object name.
QLineEdit* makeField(std::string_view name, int width);

// A field with its label beside it; the label is the field's buddy and
// accessible name.
QLineEdit* addLabelledField(QFormLayout* form, const char* labelName, const QString& label,
                            std::string_view fieldName, int width);

// A compact form inside `frame`: labels on the left, fields on the right.
QFormLayout* makeForm(QGroupBox* frame);

// A compact column of controls inside `frame`.
QVBoxLayout* makeColumn(QGroupBox* frame);

}  // namespace quorvane::gui::wizards
