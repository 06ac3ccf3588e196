// Controls the calculator and wizard pages build the same way, and the
// page that shows one struct of text fields of the workspace.
#pragma once

#include <QBoxLayout>
#include <QPushButton>
#include <QString>
#include <span>
#include <string_view>

#include "gui/app/workspacepage.h"

class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace quorvane::gui {

// A label in a font a little smaller than its surroundings', `scale` of
// their size. The font is set when the label is first shown, so that a
// page not shown yet loads no font for it.
QLabel* makeSmallerLabel(const QString& text, double scale);

// The fixed explanation inside a page's "Description:" frame.
QLabel* addDescription(QGroupBox* frame, const char* name, const QString& text);

// The hint "(Required values appear on a partinfo)" that heads the input
// frame of a page that reads partinfo values.
QLabel* makeHint(const char* name);

// A command button that a click runs; Enter in a field does not press it.
QPushButton* makeButton(const char* name, const QString& caption);

// A text field of the given object name, `width` pixels wide at the
// drawn font.
QLineEdit* makeField(std::string_view name, int width);

// A field with its label beside it; the label is the field's buddy and
// accessible name.
QLineEdit* addLabelledField(QFormLayout* form, const char* labelName, const QString& label,
                            std::string_view fieldName, int width);

// A compact form inside `frame`: labels on the left, fields on the right.
QFormLayout* makeForm(QGroupBox* frame);

// A compact column of controls inside `frame`.
QVBoxLayout* makeColumn(QGroupBox* frame);

// A label: object name and caption.
struct FieldLabel {
    const char* name;
    const char* caption;
};

// A command button: object name, caption and what a click runs.
struct PageButton {
    const char* name;
    const char* caption;
    Operation operation;
};

// A page whose fields are one struct of the workspace, copied by its table.
template <typename Fields>
class FieldsPage : public WorkspacePage {
public:
    FieldsPage(Performer perform, Fields core::Workspace::*fields, core::TextFields<Fields> table)
        : WorkspacePage(std::move(perform)), fields_(fields), table_(table) {}

    void store(core::Workspace& workspace) const override {
        storeTexts(table_, workspace.*fields_);
    }
    void load(const core::Workspace& workspace) override { loadTexts(table_, workspace.*fields_); }

protected:
    core::TextFields<Fields> table() const { return table_; }

    // Adds the buttons to `column`, top to bottom, each running its operation.
    void addButtons(QBoxLayout* column, std::span<const PageButton> buttons) {
        for (const PageButton& entry : buttons) {
            QPushButton* button = makeButton(entry.name, entry.caption);
            column->addWidget(button);
            this->runOnClick(button, entry.operation);
        }
    }

private:
    Fields core::Workspace::*fields_;
    core::TextFields<Fields> table_;
};

// A page made from a description of its contents, which names the page
// (`objectName`), its struct of the workspace (`fields`) and that struct's
// table (`table`); the page builds its controls from the rest.
template <typename Fields, typename Contents>
class ContentsPage : public FieldsPage<Fields> {
public:
    ContentsPage(Performer perform, Contents contents)
        : FieldsPage<Fields>(std::move(perform), contents.fields, contents.table),
          contents_(std::move(contents)) {
        this->setObjectName(contents_.objectName);
    }

protected:
    const Contents& contents() const { return contents_; }

private:
    Contents contents_;
};

}  // namespace quorvane::gui
