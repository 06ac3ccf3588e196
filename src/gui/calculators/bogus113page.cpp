#include "gui/calculators/bogus113page.h"

#include <QPushButton>

#include "core/calculators/bogus113.h"
#include "gui/calculators/calculatorlayout.h"

namespace quorvane::gui {

Bogus113Page::Bogus113Page(Performer perform, QWidget* parent)
    : WorkspacePage(std::move(perform), parent) {
    setObjectName("Bogus113");
    const QList<QPushButton*> buttons = buildCalculatorPage(
        this, {
                  {"Frame23", "Frame24", "Frame25"},
                  "Label37",
                  QString::fromUtf8(core::kBogus113Description.data(),
                                    static_cast<qsizetype>(core::kBogus113Description.size())),
                  "Label38",
                  {{{"sectclus", "Label39", "Sects /cluster"},
                    {"root", "Label40", "Root entries"},
                    {"sectsfat", "Label41", "Sects /FAT"}}},
                  {{{"bigtotal", "Label42", "Big total sectors"},
                    {"numbersect", "Label43", "Number sectors"}}},
                  {{"info113", "Display info"}, {"Calc", "Calculate"}, {"clear113", "Clear all"}},
              });
    info113 = buttons[0];
    Calc = buttons[1];
    clear113 = buttons[2];

    runOnClick(info113, [](core::Workspace& w, const core::NumberFormat&) {
        w.report = core::bogus113InfoText();
        return core::Outcome{};
    });
    runOnClick(Calc, [](core::Workspace& w, const core::NumberFormat& f) {
        return core::calculateBogus113(w.bogus113, w.report, f);
    });
    runOnClick(clear113, [](core::Workspace& w, const core::NumberFormat&) {
        core::clearBogus113Form(w.bogus113, w.report);
        return core::Outcome{};
    });
}

void Bogus113Page::store(core::Workspace& workspace) const {
    storeTexts(core::bogus113TextFields(), workspace.bogus113);
}

void Bogus113Page::load(const core::Workspace& workspace) {
    loadTexts(core::bogus113TextFields(), workspace.bogus113);
}

}  // namespace quorvane::gui
