#include "gui/wizards/ntfsbbspage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/wizards/bbs.h"
#include "gui/app/pageframes.h"
#include "gui/wizards/wizardcontrols.h"

namespace quorvane::gui {

using namespace wizards;

NtfsBbsPage::NtfsBbsPage(Performer perform, QWidget* parent)
    : WorkspacePage(std::move(perform), parent) {
    setObjectName("NTFS bbs");
    const StandardFrames frames = addStandardFrames(this, "Input:", "Controls:", 2535);
    frames.description->setObjectName("Frame12");
    frames.input->setObjectName("Frame13");
    frames.controls->setObjectName("Frame14");
    addDescription(frames.description, "Label19",
                   "The backup bootsector of a NTFS partition is the last sector of that "
                   "partition (for NT4.0) To recover You will need a partinfo and have ready: "
                   "patch.exe and a diskette You can write a small file to. ");

    QFormLayout* input = makeForm(frames.input);
    addLabelledField(input, "Label20", "Start Sector", "ntfsstartsector", 96);
    addLabelledField(input, "Label21", "Number of Sects", "ntfsnumbersectors", 96);
    auto* hint = new QLabel("(Required values appear on a partinfo)");
    hint->setObjectName("Label23");
    hint->setWordWrap(true);
    input->addRow(hint);

    QVBoxLayout* controls = makeColumn(frames.controls);
    controls->addWidget(ntfswiz = makeButton("ntfswiz", "Calculate "));
    controls->addWidget(Command2 = makeButton("Command2", "Clear form"));
    controls->addWidget(cdmdisplayinfontfsbbs =
                            makeButton("cdmdisplayinfontfsbbs", "Display info"));
    controls->addStretch(1);

    runOnClick(ntfswiz, [](core::Workspace& w, const core::NumberFormat& f) {
        return core::calculateNtfsBbs(w.ntfsbbs, w.report, f);
    });
    runOnClick(Command2, [](core::Workspace& w, const core::NumberFormat&) {
        core::clearNtfsBbsPage(w.ntfsbbs, w.report);
        return core::Outcome{};
    });
    runOnClick(cdmdisplayinfontfsbbs, [](core::Workspace& w, const core::NumberFormat&) {
        w.report = core::ntfsBbsInfoText();
        return core::Outcome{};
    });
}

void NtfsBbsPage::store(core::Workspace& workspace) const {
    storeTexts(core::ntfsBbsTextFields(), workspace.ntfsbbs);
}

void NtfsBbsPage::load(const core::Workspace& workspace) {
    loadTexts(core::ntfsBbsTextFields(), workspace.ntfsbbs);
}

}  // namespace quorvane::gui
