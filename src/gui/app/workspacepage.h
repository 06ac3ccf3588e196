// A tab page that shows part of the workspace: it copies its controls into
// the workspace before an operation runs and back afterwards, and runs
// operations when its buttons are clicked.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <string>
#include <unordered_map>

#include "core/app/shell.h"
#include "core/base/fields.h"
#include "core/base/numeric.h"
#include "core/base/outcome.h"

class QAbstractButton;

namespace quorvane::gui {

// One operation on the workspace, with the user's number format.
using Operation = std::function<core::Outcome(core::Workspace&, const core::NumberFormat&)>;
// Runs an operation the way the main window does: every page's texts go
// into the workspace, the operation runs, the results come back, the report
// box is updated and the operation's messages are shown.
using Performer = std::function<void(const Operation&)>;

class WorkspacePage : public QWidget {
    Q_OBJECT
public:
    explicit WorkspacePage(Performer perform, QWidget* parent = nullptr);

    // Makes the page's controls, once. A page need not be built until it is
    // first shown: its controls take the same place in the window's Tab
    // order and under its parent whether they are made before or after the
    // page joins the window.
    void build();
    bool isBuilt() const { return built_; }

    // Copies the page's controls into the workspace, and back; only a
    // built page has controls to copy.
    virtual void store(core::Workspace& workspace) const = 0;
    virtual void load(const core::Workspace& workspace) = 0;

protected:
    // Makes the controls; build() calls it once.
    virtual void buildControls() = 0;

    // A click on `button` runs `operation`.
    void runOnClick(QAbstractButton* button, Operation operation);
    void perform(const Operation& operation) const { perform_(operation); }

    // Copies the text fields of `table` between the page's line edits and
    // editable combo boxes (found by object name) and `fields`.
    template <typename Fields>
    void storeTexts(core::TextFields<Fields> table, Fields& fields) const {
        for (const auto& field : table) {
            QWidget* control = findControl(field.name);
            if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                fields.*field.member = edit->text().toStdString();
            } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
                fields.*field.member = combo->currentText().toStdString();
            }
        }
    }
    template <typename Fields>
    void loadTexts(core::TextFields<Fields> table, const Fields& fields) {
        for (const auto& field : table) setControlText(field.name, fields.*field.member);
    }

private:
    QWidget* findControl(std::string_view name) const;
    // Sets only a changed text, so that an unchanged field keeps its cursor.
    void setControlText(std::string_view name, const std::string& text);

    // Puts the controls made inside a window, which join the end of its
    // focus chain, right behind the page, where they stand when the page
    // is built before it joins the window.
    void moveControlsBehindPage();

    Performer perform_;
    bool built_ = false;
    // The page's named controls, found once.
    mutable std::unordered_map<std::string, QWidget*> controls_;
};

}  // namespace quorvane::gui
