// The "Fat32 bbs" page: where a FAT32 partition's backup boot sector lies
// and how Patch copies it over the damaged boot sector.
#pragma once

#include "gui/app/workspacepage.h"

class QPushButton;

namespace quorvane::gui {

class Fat32BbsPage : public WorkspacePage {
    Q_OBJECT
public:
    explicit Fat32BbsPage(Performer perform, QWidget* parent = nullptr);

    void store(core::Workspace& workspace) const override;
    void load(const core::Workspace& workspace) override;

    QPushButton* CalcFAT32BBS;     // "Calculate"
    QPushButton* Command4;         // "Clear form"
    QPushButton* cmdinfoBBSfat32;  // "Display info"
};

}  // namespace quorvane::gui
