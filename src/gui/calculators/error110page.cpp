#include "gui/calculators/error110page.h"

#include <QPushButton>

#include "core/calculators/error110.h"
#include "gui/calculators/calculatorlayout.h"

namespace quorvane::gui {

Error110Page::Error110Page(Performer perform, QWidget* parent)
    : WorkspacePage(std::move(perform), parent) {
    setObjectName("Error110");
    const QList<QPushButton*> buttons = buildCalculatorPage(
        this, {
                  {"Frame1", "Frame2", "Frame3"},
                  "Label1",
                  "Each partition table entry contains redundant information, once in CHS "
                  "format and then again in LBA format. When the two don't agree, PQ products "
                  "report Error #110. This error can be critical, depending on how it "
                  "occurred. This wizard will help determine if the error is fixable.",
                  "Label2",
                  {{{"cyls110", "Label3", "Cylinders"},
                    {"heads110", "Label4", "Heads"},
                    {"sects110", "Label5", "Sectors"}}},
                  {{{"ucsectors", "Label6", "ucsectors"},
                    {"endbegin", "Label7", "end - begin "}}},
                  {{"cmdCalc110", "Calculate"}, {"Clear110form", "Clear form"}},
              });
    cmdCalc110 = buttons[0];
    Clear110form = buttons[1];

    runOnClick(cmdCalc110, [](core::Workspace& w, const core::NumberFormat& f) {
        return core::calculateError110(w.error110, w.report, f);
    });
    runOnClick(Clear110form, [](core::Workspace& w, const core::NumberFormat&) {
        core::clearError110Form(w.error110, w.report);
        return core::Outcome{};
    });
}

void Error110Page::store(core::Workspace& workspace) const {
    storeTexts(core::error110TextFields(), workspace.error110);
}

void Error110Page::load(const core::Workspace& workspace) {
    loadTexts(core::error110TextFields(), workspace.error110);
}

}  // namespace quorvane::gui
