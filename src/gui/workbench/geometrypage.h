// The "Geometry" page: one partition table entry, its drive geometry, the
// conversion buttons and the general buttons.
#pragma once

#include "gui/app/workspacepage.h"

class QPushButton;
class QRadioButton;

namespace quorvane::gui {

class GeometryPage : public WorkspacePage {
    Q_OBJECT
public:
    explicit GeometryPage(Performer perform, QWidget* parent = nullptr);

    void store(core::Workspace& workspace) const override;
    void load(const core::Workspace& workspace) override;

    // Buttons of the "Controls" group.
    QPushButton* begin;
    QPushButton* beLBATOCHS;
    QPushButton* eCHS2eLBA;
    QPushButton* ptCHS2LBA;
    QPushButton* Verify;
    // Buttons of the "General " group.
    QPushButton* info;
    QPushButton* clear;
    QPushButton* Command1;

private:
    // The text fields are found by their control names (see
    // core::geometryTextFields()); only the option button is kept here.
    QRadioButton* Optact;
};

}  // namespace quorvane::gui
