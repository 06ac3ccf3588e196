#include "gui/wizards/dynrootpage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/wizards/dynroot.h"
#include "gui/app/pageframes.h"
#include "gui/app/pagecontrols.h"

namespace quorvane::gui {

DynRootPage::DynRootPage(Performer perform, QWidget* parent)
    : WorkspacePage(std::move(perform), parent) {
    setObjectName("DYN_ROOT");
}

void DynRootPage::buildControls() {
    QGroupBox* Frame7 = addFrame(this, "Description:", twipsToPage(240, 720, 6015, 1215));
    Frame7->setObjectName("Frame7");
    addDescription(Frame7, "Label15",
                   "The root directory is relocated during an operation and a new root "
                   "directory is created with one Dyn_Root directory. When PM was interupted "
                   "the root directory is still relocated. This wizard will help copying the "
                   "root to the correct location again using Patch.");

    QGroupBox* Frame8 = addFrame(this, "General (1)", twipsToPage(240, 2040, 2895, 660));
    Frame8->setObjectName("Frame8");
    auto* general = new QHBoxLayout(Frame8);
    general->setContentsMargins(6, 0, 6, 2);
    general->addWidget(startdynroot = makeButton("startdynroot", "Start wizard"));
    general->addWidget(cmdCleardynroot = makeButton("cmdCleardynroot", "Clear all"));

    // The boot sector values in the order of the boot sector.
    QGroupBox* Frame9 =
        addFrame(this, "Input bootsector information (2)", twipsToPage(240, 2775, 2895, 1920));
    Frame9->setObjectName("Frame9");
    QFormLayout* values = makeForm(Frame9);
    addLabelledField(values, "Label16", "Sectors per cluster", "sectcluster", 52);
    addLabelledField(values, "Label26", "Reserved sectors", "rsvdsects", 52);
    addLabelledField(values, "Label27", "Number of FATs", "numfats", 52);
    addLabelledField(values, "Label17", "Directory entries", "direntries", 52);
    addLabelledField(values, "Label18", "Sectors per FAT", "sectfat", 52);

    QGroupBox* Frame10 =
        addFrame(this, "Calculate size and beginning (3)", twipsToPage(3360, 2040, 2895, 735));
    Frame10->setObjectName("Frame10");
    makeColumn(Frame10)->addWidget(Calcroot = makeButton("Calcroot", "Calculate root"));

    QGroupBox* calcdynroot =
        addFrame(this, "Input relocated root (4)", twipsToPage(3360, 2880, 2895, 855));
    calcdynroot->setObjectName("calcdynroot");
    QLineEdit* dynrootstart = makeField("dynrootstart", 80);
    dynrootstart->setAccessibleName("Start cluster of DYN_ROOT");
    makeColumn(calcdynroot)->addWidget(dynrootstart);

    QGroupBox* Frame11 = addFrame(this, "Relocated root (5)", twipsToPage(3360, 3840, 2895, 855));
    Frame11->setObjectName("Frame11");
    makeColumn(Frame11)->addWidget(ConvHEXDEC = makeButton("ConvHEXDEC", "Calculate"));

    runOnClick(startdynroot, [](core::Workspace& w, const core::NumberFormat&) {
        w.report = core::dynRootStartText();
        return core::Outcome{};
    });
    runOnClick(cmdCleardynroot, core::pageClearing(&core::Workspace::dynroot));
    runOnClick(Calcroot, [](core::Workspace& w, const core::NumberFormat& f) {
        return core::calculateRoot(w.dynroot, w.dynrootState, w.report, f);
    });
    runOnClick(ConvHEXDEC, [](core::Workspace& w, const core::NumberFormat& f) {
        return core::calculateCopy(w.dynroot, w.dynrootState, w.report, f);
    });
}

void DynRootPage::store(core::Workspace& workspace) const {
    storeTexts(core::dynRootTextFields(), workspace.dynroot);
}

void DynRootPage::load(const core::Workspace& workspace) {
    loadTexts(core::dynRootTextFields(), workspace.dynroot);
}

}  // namespace quorvane::gui
