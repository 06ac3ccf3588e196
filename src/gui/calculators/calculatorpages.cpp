#include "gui/calculators/calculatorpages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string_view>
#include <vector>

#include "core/calculators/bogus113.h"
#include "core/calculators/calculators.h"
#include "core/calculators/error108.h"
#include "core/calculators/error110.h"
#include "gui/app/pagecontrols.h"
#include "gui/app/pageframes.h"

namespace quorvane::gui {

namespace {

using core::Workspace;

constexpr int kNarrowFieldWidth = 60;
constexpr int kWideFieldWidth = 120;

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Everything a calculator page is made of.
template <typename Fields>
struct PageContents {
    const char* objectName;
    Fields Workspace::*fields;
    core::TextFields<Fields> table;  // three narrow fields, then two wide ones
    std::array<const char*, 3> frames;  // description, input, controls
    const char* descriptionLabel;
    std::string_view description;
    const char* hintLabel;
    std::array<FieldLabel, 5> labels;  // one per field of `table`, in its order
    std::vector<PageButton> buttons;   // top to bottom
};

// A field with its label, set a little smaller than the desktop's default
// so that it fits the frame's fixed size; the label also names the field
// for screen readers.
std::pair<QLineEdit*, QLabel*> makeLabelledField(std::string_view name, const FieldLabel& caption,
                                                 int width) {
    QLineEdit* field = makeField(name, width);
    QLabel* label = makeSmallerLabel(caption.caption, 0.9);
    label->setObjectName(caption.name);
    label->setBuddy(field);
    field->setAccessibleName(QString(caption.caption).trimmed());
    return {field, label};
}

template <typename Fields>
class CalculatorPage final : public ContentsPage<Fields, PageContents<Fields>> {
public:
    using ContentsPage<Fields, PageContents<Fields>>::ContentsPage;

protected:
    void buildControls() override {
        const PageContents<Fields>& contents = this->contents();
        const core::TextFields<Fields> table = this->table();
        const StandardFrames frames = addStandardFrames(this, "Input", "Controls");
        nameFrames(frames, contents.frames);

        addDescription(frames.description, contents.descriptionLabel, fromView(contents.description));

        auto* input = new QVBoxLayout(frames.input);
        input->setContentsMargins(4, 2, 4, 6);
        input->setSpacing(4);
        input->addWidget(makeHint(contents.hintLabel));

        // The first three fields under their labels, the other two with
        // their labels to the right.
        Q_ASSERT(table.size() == contents.labels.size());
        auto* narrow = new QGridLayout;
        narrow->setHorizontalSpacing(8);
        narrow->setVerticalSpacing(1);
        for (int column = 0; column < 3; ++column) {
            const auto i = static_cast<std::size_t>(column);
            const auto [field, label] =
                makeLabelledField(table[i].name, contents.labels[i], kNarrowFieldWidth);
            narrow->addWidget(label, 0, column);
            narrow->addWidget(field, 1, column);
        }
        auto* wide = new QGridLayout;
        wide->setHorizontalSpacing(8);
        for (int row = 0; row < 2; ++row) {
            const auto i = static_cast<std::size_t>(3 + row);
            const auto [field, label] = makeLabelledField(table[i].name, contents.labels[i], kWideFieldWidth);
            wide->addWidget(field, row, 0);
            wide->addWidget(label, row, 1);
        }
        narrow->setColumnStretch(3, 1);
        wide->setColumnStretch(1, 1);
        input->addLayout(narrow);
        input->addLayout(wide);
        input->addStretch(1);

        auto* controls = new QVBoxLayout(frames.controls);
        controls->setContentsMargins(16, 6, 16, 6);
        controls->setSpacing(6);
        this->addButtons(controls, contents.buttons);
        controls->addStretch(1);
    }
};

}  // namespace

WorkspacePage* newError110Page(Performer perform) {
    constexpr auto page = &Workspace::error110;
    return new CalculatorPage<core::Error110Fields>(
        std::move(perform),
        {"Error110",
         page,
         core::error110TextFields(),
         {"Frame1", "Frame2", "Frame3"},
         "Label1",
         core::kError110Description,
         "Label2",
         {{{"Label3", "Cylinders"},
           {"Label4", "Heads"},
           {"Label5", "Sectors"},
           {"Label6", "ucsectors"},
           {"Label7", "end - begin "}}},
         {{"cmdCalc110", "Calculate", core::pageCalculation(page, core::calculateError110)},
          {"Clear110form", "Clear form", core::pageClearing(page)}}});
}

WorkspacePage* newError108Page(Performer perform) {
    constexpr auto page = &Workspace::error108;
    return new CalculatorPage<core::Error108Fields>(
        std::move(perform),
        {"Error108",
         page,
         core::error108TextFields(),
         {"Frame4", "Frame5", "Frame6"},
         "Label8",
         core::kError108Description,
         "Label9",
         {{{"Label10", "Cylinders"},
           {"Label11", "Heads"},
           {"Label12", "Sectors"},
           {"Label13", "Start Sector"},
           {"Label14", "Num Sects"}}},
         {{"Calc108", "Calculate", core::pageCalculation(page, core::calculateError108)},
          {"Clear108form", "Clear form", core::pageClearing(page)}}});
}

WorkspacePage* newBogus113Page(Performer perform) {
    constexpr auto page = &Workspace::bogus113;
    return new CalculatorPage<core::Bogus113Fields>(
        std::move(perform),
        {"Bogus113",
         page,
         core::bogus113TextFields(),
         {"Frame23", "Frame24", "Frame25"},
         "Label37",
         core::kBogus113Description,
         "Label38",
         {{{"Label39", "Sects /cluster"},
           {"Label40", "Root entries"},
           {"Label41", "Sects /FAT"},
           {"Label42", "Big total sectors"},
           {"Label43", "Number sectors"}}},
         {{"info113", "Display info", core::reportText(core::bogus113InfoText)},
          {"Calc", "Calculate", core::pageCalculation(page, core::calculateBogus113)},
          {"clear113", "Clear all", core::pageClearing(page)}}});
}

}  // namespace quorvane::gui
