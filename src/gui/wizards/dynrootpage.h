// The "DYN_ROOT" page: five numbered frames that walk the user through
// copying a relocated root directory back with the disk editor Patch.
#pragma once

#include "gui/app/workspacepage.h"

class QPushButton;

namespace quorvane::gui {

class DynRootPage : public WorkspacePage {
    Q_OBJECT
public:
    explicit DynRootPage(Performer perform, QWidget* parent = nullptr);

    void store(core::Workspace& workspace) const override;
    void load(const core::Workspace& workspace) override;

    // Made when the page is built.
    QPushButton* startdynroot = nullptr;     // "Start wizard", frame (1)
    QPushButton* cmdCleardynroot = nullptr;  // "Clear all", frame (1)
    QPushButton* Calcroot = nullptr;         // "Calculate root", frame (3)
    QPushButton* ConvHEXDEC = nullptr;       // "Calculate", frame (5)

protected:
    void buildControls() override;
};

}  // namespace quorvane::gui
