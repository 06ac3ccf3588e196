// The "Geometry" page: one partition table entry, its drive geometry, the
// conversion buttons and the general buttons.
#pragma once

#include "gui/app/workspacepage.h"

class QRadioButton;

namespace quorvane::gui {

class GeometryPage : public WorkspacePage {
    Q_OBJECT
public:
    explicit GeometryPage(Performer perform, QWidget* parent = nullptr);

    void store(core::Workspace& workspace) const override;
    void load(const core::Workspace& workspace) override;

protected:
    void buildControls() override;

private:
    // The text fields are found by their control names (see
    // core::geometryTextFields()); only the option button is kept here.
    QRadioButton* Optact = nullptr;
};

}  // namespace quorvane::gui
