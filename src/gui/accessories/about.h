// The About box: the program's name, version and purpose, and a button that
// starts the system information tool. A new box is made for each showing.
#pragma once

#include <QDialog>

#include "core/accessories/sysinfo.h"
#include "core/base/launcher.h"
#include "core/base/outcome.h"

namespace quorvane::gui {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    // `registry`, `launcher` and `dialogs` serve "System Info..." and must
    // outlive the box.
    AboutBox(core::Registry& registry, core::Launcher& launcher, core::Dialogs& dialogs,
             QWidget* parent);

private:
    void startSysInfo();

    core::Registry& registry_;
    core::Launcher& launcher_;
    core::Dialogs& dialogs_;
};

}  // namespace quorvane::gui
