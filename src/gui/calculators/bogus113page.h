// The "Bogus 113" page: the FAT layout, the boot record's big total and the
// partition table's sector count in, the overlap and its remedy out.
#pragma once

#include "gui/app/workspacepage.h"

class QPushButton;

namespace quorvane::gui {

class Bogus113Page : public WorkspacePage {
    Q_OBJECT
public:
    explicit Bogus113Page(Performer perform, QWidget* parent = nullptr);

    void store(core::Workspace& workspace) const override;
    void load(const core::Workspace& workspace) override;

    QPushButton* info113;
    QPushButton* Calc;
    QPushButton* clear113;
};

}  // namespace quorvane::gui
