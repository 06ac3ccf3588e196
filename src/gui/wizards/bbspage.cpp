#include "gui/wizards/bbspage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <vector>

#include "core/wizards/bbs.h"
#include "gui/app/pageframes.h"
#include "gui/wizards/wizardcontrols.h"

namespace quorvane::gui {

using namespace wizards;

namespace {
constexpr int kFieldWidth = 96;
}

// What tells the two pages apart.
struct BbsPage::Layout {
    struct Field {
        const char* label;
        const char* caption;
        const char* name;
    };
    struct Button {
        const char* name;
        const char* caption;
        core::Outcome (*operation)(core::Workspace&, const core::NumberFormat&);
    };

    const char* page;                   // the tab page's object name
    std::array<const char*, 3> frames;  // description, input, controls
    const char* controlsCaption;
    int inputHeightTwips;
    const char* descriptionLabel;
    const char* description;
    const char* hintLabel;
    std::vector<Field> fields;      // top to bottom, under the hint
    std::array<Button, 3> buttons;  // calculate, clear, display info
};

BbsPage* BbsPage::ntfs(Performer perform, QWidget* parent) {
    static const Layout kLayout{
        "NTFS bbs",
        {"Frame12", "Frame13", "Frame14"},
        "Controls:",
        2535,
        "Label19",
        "The backup bootsector of a NTFS partition is the last sector of that partition (for "
        "NT4.0) To recover You will need a partinfo and have ready: patch.exe and a diskette You "
        "can write a small file to. ",
        "Label23",
        {{"Label20", "Start Sector", "ntfsstartsector"},
         {"Label21", "Number of Sects", "ntfsnumbersectors"}},
        {{{"ntfswiz", "Calculate ",
           [](core::Workspace& w, const core::NumberFormat& f) {
               return core::calculateNtfsBbs(w.ntfsbbs, w.report, f);
           }},
          {"Command2", "Clear form",
           [](core::Workspace& w, const core::NumberFormat&) {
               core::clearNtfsBbsPage(w.ntfsbbs, w.report);
               return core::Outcome{};
           }},
          {"cdmdisplayinfontfsbbs", "Display info",
           [](core::Workspace& w, const core::NumberFormat&) {
               w.report = core::ntfsBbsInfoText();
               return core::Outcome{};
           }}}},
    };
    auto* page = new BbsPage(std::move(perform), kLayout, parent);
    page->copyFields(core::ntfsBbsTextFields(), &core::Workspace::ntfsbbs);
    return page;
}

BbsPage* BbsPage::fat32(Performer perform, QWidget* parent) {
    static const Layout kLayout{
        "Fat32 bbs",
        {"Frame15", "Frame16", "Frame17"},
        "Controls",
        2415,
        "Label22",
        "The backup bootsector of a FAT32 partition is the 6th sector of that partition To "
        "recover You will need a partinfo and have ready: patch.exe and a diskette You can write "
        "a small file to. ",
        "Label24",
        {{"Label25", "Start Sector", "startsct"}},
        {{{"CalcFAT32BBS", "Calculate",
           [](core::Workspace& w, const core::NumberFormat& f) {
               return core::calculateFat32Bbs(w.fat32bbs, w.report, f);
           }},
          {"Command4", "Clear form",
           [](core::Workspace& w, const core::NumberFormat&) {
               core::clearFat32BbsPage(w.fat32bbs, w.report);
               return core::Outcome{};
           }},
          {"cmdinfoBBSfat32", "Display info",
           [](core::Workspace& w, const core::NumberFormat&) {
               w.report = core::fat32BbsInfoText();
               return core::Outcome{};
           }}}},
    };
    auto* page = new BbsPage(std::move(perform), kLayout, parent);
    page->copyFields(core::fat32BbsTextFields(), &core::Workspace::fat32bbs);
    return page;
}

BbsPage::BbsPage(Performer perform, const Layout& layout, QWidget* parent)
    : WorkspacePage(std::move(perform), parent) {
    setObjectName(layout.page);
    const StandardFrames frames =
        addStandardFrames(this, "Input:", layout.controlsCaption, layout.inputHeightTwips);
    frames.description->setObjectName(layout.frames[0]);
    frames.input->setObjectName(layout.frames[1]);
    frames.controls->setObjectName(layout.frames[2]);
    addDescription(frames.description, layout.descriptionLabel, layout.description);

    // The hint heads the input frame, as on the calculator pages.
    QFormLayout* input = makeForm(frames.input);
    input->addRow(makeHint(layout.hintLabel));
    for (const Layout::Field& field : layout.fields)
        addLabelledField(input, field.label, field.caption, field.name, kFieldWidth);

    QVBoxLayout* controls = makeColumn(frames.controls);
    std::array<QPushButton*, 3> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Layout::Button& entry = layout.buttons[i];
        controls->addWidget(buttons[i] = makeButton(entry.name, entry.caption));
        runOnClick(buttons[i], entry.operation);
    }
    controls->addStretch(1);
    calculate = buttons[0];
    clear = buttons[1];
    info = buttons[2];
}

void BbsPage::store(core::Workspace& workspace) const { store_(workspace); }

void BbsPage::load(const core::Workspace& workspace) { load_(workspace); }

}  // namespace quorvane::gui
