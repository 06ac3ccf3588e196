// The desktop's file dialog, for choosing a file to read.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/base/outcome.h"

namespace quorvane::platform {

class QtFileChooser : public core::FileChooser {
public:
    // The dialog stands over `parent` (may be null until the window exists).
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> chooseFile(std::string_view title) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace quorvane::platform
