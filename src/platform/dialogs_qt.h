// Message boxes shown with the toolkit's standard box.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/base/outcome.h"

namespace quorvane::platform {

class QtDialogs : public core::Dialogs {
public:
    // Boxes stand over the active window, or over `parent` when none is
    // active (may be null until the window exists). The calculator window
    // can outlive `parent`, so the box forgets it once it is gone.
    void setParent(QWidget* parent) { parent_ = parent; }
    core::Answer show(const core::Message& message) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace quorvane::platform
