#include "gui/wizards/bbspage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <cstddef>
#include <vector>

#include "core/wizards/bbs.h"
#include "gui/app/pageframes.h"
#include "gui/app/pagecontrols.h"

namespace quorvane::gui {

namespace {

using core::NumberFormat;
using core::Outcome;
using core::Workspace;

constexpr int kFieldWidth = 96;

// What tells the two pages apart.
template <typename Fields>
struct PageContents {
    const char* objectName;
    Fields Workspace::*fields;
    core::TextFields<Fields> table;
    std::array<const char*, 3> frames;  // description, input, controls
    const char* controlsCaption;
    int inputHeightTwips;
    const char* descriptionLabel;
    const char* description;
    const char* hintLabel;
    std::vector<FieldLabel> labels;     // one per field of `table`, in its order
    std::array<PageButton, 3> buttons;  // calculate, clear, display info
};

template <typename Fields>
class BbsPage final : public ContentsPage<Fields, PageContents<Fields>> {
public:
    using ContentsPage<Fields, PageContents<Fields>>::ContentsPage;

protected:
    void buildControls() override {
        const PageContents<Fields>& contents = this->contents();
        const core::TextFields<Fields> table = this->table();
        const StandardFrames frames =
            addStandardFrames(this, "Input:", contents.controlsCaption, contents.inputHeightTwips);
        nameFrames(frames, contents.frames);
        addDescription(frames.description, contents.descriptionLabel,
                                contents.description);

        // The hint heads the input frame, as on the calculator pages.
        QFormLayout* input = makeForm(frames.input);
        input->addRow(makeHint(contents.hintLabel));
        Q_ASSERT(table.size() == contents.labels.size());
        for (std::size_t i = 0; i < table.size(); ++i) {
            addLabelledField(input, contents.labels[i].name, contents.labels[i].caption,
                                      table[i].name, kFieldWidth);
        }

        QVBoxLayout* controls = makeColumn(frames.controls);
        this->addButtons(controls, contents.buttons);
        controls->addStretch(1);
    }
};

}  // namespace

WorkspacePage* newNtfsBbsPage(Performer perform) {
    return new BbsPage<core::NtfsBbsFields>(
        std::move(perform),
        {"NTFS bbs",
         &Workspace::ntfsbbs,
         core::ntfsBbsTextFields(),
         {"Frame12", "Frame13", "Frame14"},
         "Controls:",
         2535,
         "Label19",
         "The backup bootsector of a NTFS partition is the last sector of that partition (for "
         "NT4.0) To recover You will need a partinfo and have ready: patch.exe and a diskette "
         "You can write a small file to. ",
         "Label23",
         {{"Label20", "Start Sector"}, {"Label21", "Number of Sects"}},
         {{{"ntfswiz", "Calculate ",
            core::pageCalculation(&Workspace::ntfsbbs, core::calculateNtfsBbs)},
           {"Command2", "Clear form", core::pageClearing(&Workspace::ntfsbbs)},
           {"cdmdisplayinfontfsbbs", "Display info",
            core::reportText(core::ntfsBbsInfoText)}}}});
}

WorkspacePage* newFat32BbsPage(Performer perform) {
    return new BbsPage<core::Fat32BbsFields>(
        std::move(perform),
        {"Fat32 bbs",
         &Workspace::fat32bbs,
         core::fat32BbsTextFields(),
         {"Frame15", "Frame16", "Frame17"},
         "Controls",
         2415,
         "Label22",
         "The backup bootsector of a FAT32 partition is the 6th sector of that partition To "
         "recover You will need a partinfo and have ready: patch.exe and a diskette You can "
         "write a small file to. ",
         "Label24",
         {{"Label25", "Start Sector"}},
         {{{"CalcFAT32BBS", "Calculate",
            core::pageCalculation(&Workspace::fat32bbs, core::calculateFat32Bbs)},
           {"Command4", "Clear form", core::pageClearing(&Workspace::fat32bbs)},
           {"cmdinfoBBSfat32", "Display info",
            core::reportText(core::fat32BbsInfoText)}}}});
}

}  // namespace quorvane::gui
