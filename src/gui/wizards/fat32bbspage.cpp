#include "gui/wizards/fat32bbspage.h"

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

Fat32BbsPage::Fat32BbsPage(Performer perform, QWidget* parent)
    : WorkspacePage(std::move(perform), parent) {
    setObjectName("Fat32 bbs");
    const StandardFrames frames = addStandardFrames(this, "Input:", "Controls");
    frames.description->setObjectName("Frame15");
    frames.input->setObjectName("Frame16");
    frames.controls->setObjectName("Frame17");
    addDescription(frames.description, "Label22",
                   "The backup bootsector of a FAT32 partition is the 6th sector of that "
                   "partition To recover You will need a partinfo and have ready: patch.exe and "
                   "a diskette You can write a small file to. ");

    QFormLayout* input = makeForm(frames.input);
    addLabelledField(input, "Label25", "Start Sector", "startsct", 96);
    auto* hint = new QLabel("(Required values appear on a partinfo)");
    hint->setObjectName("Label24");
    hint->setWordWrap(true);
    input->addRow(hint);

    QVBoxLayout* controls = makeColumn(frames.controls);
    controls->addWidget(CalcFAT32BBS = makeButton("CalcFAT32BBS", "Calculate"));
    controls->addWidget(Command4 = makeButton("Command4", "Clear form"));
    controls->addWidget(cmdinfoBBSfat32 = makeButton("cmdinfoBBSfat32", "Display info"));
    controls->addStretch(1);

    runOnClick(CalcFAT32BBS, [](core::Workspace& w, const core::NumberFormat& f) {
        return core::calculateFat32Bbs(w.fat32bbs, w.report, f);
    });
    runOnClick(Command4, [](core::Workspace& w, const core::NumberFormat&) {
        core::clearFat32BbsPage(w.fat32bbs, w.report);
        return core::Outcome{};
    });
    runOnClick(cmdinfoBBSfat32, [](core::Workspace& w, const core::NumberFormat&) {
        w.report = core::fat32BbsInfoText();
        return core::Outcome{};
    });
}

void Fat32BbsPage::store(core::Workspace& workspace) const {
    storeTexts(core::fat32BbsTextFields(), workspace.fat32bbs);
}

void Fat32BbsPage::load(const core::Workspace& workspace) {
    loadTexts(core::fat32BbsTextFields(), workspace.fat32bbs);
}

}  // namespace quorvane::gui
