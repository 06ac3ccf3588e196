#include "gui/app/workspacepage.h"

#include <QAbstractButton>
#include <vector>

#include "gui/app/focuschain.h"

namespace quorvane::gui {

WorkspacePage::WorkspacePage(Performer perform, QWidget* parent)
    : QWidget(parent), perform_(std::move(perform)) {}

void WorkspacePage::build() {
    if (built_) return;
    built_ = true;
    buildControls();
    if (!isWindow()) moveControlsBehindPage();
}

void WorkspacePage::moveControlsBehindPage() {
    std::vector<QWidget*> controls;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (isAncestorOf(w)) controls.push_back(w);
    QWidget* previous = this;
    for (QWidget* w : controls) {
        placeAfterInFocusChain(previous, w);
        previous = w;
    }
}

void WorkspacePage::runOnClick(QAbstractButton* button, Operation operation) {
    connect(button, &QAbstractButton::clicked, this,
            [this, operation = std::move(operation)] { perform_(operation); });
}

QWidget* WorkspacePage::findControl(std::string_view name) const {
    if (controls_.empty()) {
        for (QWidget* control : findChildren<QWidget*>())
            if (!control->objectName().isEmpty())
                controls_.try_emplace(control->objectName().toStdString(), control);
    }
    const auto found = controls_.find(std::string(name));
    if (found == controls_.end())
        qFatal("page has no control named %.*s", static_cast<int>(name.size()), name.data());
    return found->second;
}

void WorkspacePage::setControlText(std::string_view name, const std::string& value) {
    QWidget* control = findControl(name);
    const QString text = QString::fromStdString(value);
    if (auto* edit = qobject_cast<QLineEdit*>(control); edit && edit->text() != text) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(control);
               combo && combo->currentText() != text) {
        combo->setEditText(text);
    }
}

}  // namespace quorvane::gui
