// The "Error 110" page: drive geometry and the two disagreeing sector
// counts in, the offset in cylinders and the repair advice out.
#pragma once

#include "gui/app/workspacepage.h"

class QPushButton;

namespace quorvane::gui {

class Error110Page : public WorkspacePage {
    Q_OBJECT
public:
    explicit Error110Page(Performer perform, QWidget* parent = nullptr);

    void store(core::Workspace& workspace) const override;
    void load(const core::Workspace& workspace) override;

    QPushButton* cmdCalc110;
    QPushButton* Clear110form;
};

}  // namespace quorvane::gui
