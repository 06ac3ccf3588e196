// The "Error 108" page: drive geometry and the partition's start and length
// in, the verdict on a repair by one cylinder out.
#pragma once

#include "gui/app/workspacepage.h"

class QPushButton;

namespace quorvane::gui {

class Error108Page : public WorkspacePage {
    Q_OBJECT
public:
    explicit Error108Page(Performer perform, QWidget* parent = nullptr);

    void store(core::Workspace& workspace) const override;
    void load(const core::Workspace& workspace) override;

    QPushButton* Calc108;
    QPushButton* Clear108form;
};

}  // namespace quorvane::gui
