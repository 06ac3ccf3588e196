#include "gui/calculators/error108page.h"

#include <QPushButton>

#include "core/calculators/error108.h"
#include "gui/calculators/calculatorlayout.h"

namespace quorvane::gui {

Error108Page::Error108Page(Performer perform, QWidget* parent)
    : WorkspacePage(std::move(perform), parent) {
    setObjectName("Error108");
    const QList<QPushButton*> buttons = buildCalculatorPage(
        this, {
                  {"Frame4", "Frame5", "Frame6"},
                  "Label8",
                  QString::fromUtf8(core::kError108Description.data(),
                                    static_cast<qsizetype>(core::kError108Description.size())),
                  "Label9",
                  {{{"cyls108", "Label10", "Cylinders"},
                    {"hds108", "Label11", "Heads"},
                    {"scts108", "Label12", "Sectors"}}},
                  {{{"ss108", "Label13", "Start Sector"}, {"nums108", "Label14", "Num Sects"}}},
                  {{"Calc108", "Calculate"}, {"Clear108form", "Clear form"}},
              });
    Calc108 = buttons[0];
    Clear108form = buttons[1];

    runOnClick(Calc108, [](core::Workspace& w, const core::NumberFormat& f) {
        return core::calculateError108(w.error108, w.report, f);
    });
    runOnClick(Clear108form, [](core::Workspace& w, const core::NumberFormat&) {
        core::clearError108Form(w.error108, w.report);
        return core::Outcome{};
    });
}

void Error108Page::store(core::Workspace& workspace) const {
    storeTexts(core::error108TextFields(), workspace.error108);
}

void Error108Page::load(const core::Workspace& workspace) {
    loadTexts(core::error108TextFields(), workspace.error108);
}

}  // namespace quorvane::gui
