// Message boxes shown with the toolkit's standard box.
#pragma once

#include "core/app/outcome.h"

class QWidget;

namespace quorvane::platform {

class QtDialogs : public core::Dialogs {
public:
    // Boxes are modal over `parent` (may be null until the window exists).
    void setParent(QWidget* parent) { parent_ = parent; }
    core::Answer show(const core::Message& message) override;

private:
    QWidget* parent_ = nullptr;
};

}  // namespace quorvane::platform
