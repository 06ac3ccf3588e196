// The "NTFS bbs" page: where an NTFS partition's backup boot sector lies
// and how Patch copies it over the damaged boot sector.
#pragma once

#include "gui/app/workspacepage.h"

class QPushButton;

namespace quorvane::gui {

class NtfsBbsPage : public WorkspacePage {
    Q_OBJECT
public:
    explicit NtfsBbsPage(Performer perform, QWidget* parent = nullptr);

    void store(core::Workspace& workspace) const override;
    void load(const core::Workspace& workspace) override;

    QPushButton* ntfswiz;                // "Calculate "
    QPushButton* Command2;               // "Clear form"
    QPushButton* cdmdisplayinfontfsbbs;  // "Display info"
};

}  // namespace quorvane::gui
