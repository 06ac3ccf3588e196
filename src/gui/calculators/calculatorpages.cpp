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
#include "gui/app/pageframes.h"

namespace quorvane::gui {

namespace {

using core::Workspace;

constexpr int kNarrowFieldWidth = 60;
constexpr int kWideFieldWidth = 120;

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A label: object name and caption.
struct FieldLabel {
    const char* name;
    const char* caption;
};

// A command button: object name, caption and what a click runs.
struct PageButton {
    const char* name;
    const char* caption;
    Operation operation;
};

// Everything a calculator page is made of.
template <typename Fields>
struct PageSpec {
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

// The page's texts are set a little smaller than the desktop's default so
// that they fit the frames' fixed sizes.
QLabel* makeSmallLabel(const QString& text, double scale = 0.9) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    return label;
}

// A field with its label; the label also names the field for screen
// readers.
std::pair<QLineEdit*, QLabel*> makeField(std::string_view name, const FieldLabel& caption,
                                         int width) {
    auto* field = new QLineEdit;
    field->setObjectName(fromView(name));
    field->setFixedWidth(width);
    QLabel* label = makeSmallLabel(caption.caption);
    label->setObjectName(caption.name);
    label->setBuddy(field);
    field->setAccessibleName(QString(caption.caption).trimmed());
    return {field, label};
}

template <typename Fields>
class CalculatorPage final : public WorkspacePage {
public:
    CalculatorPage(Performer perform, const PageSpec<Fields>& spec)
        : WorkspacePage(std::move(perform)), fields_(spec.fields), table_(spec.table) {
        setObjectName(spec.objectName);
        const StandardFrames frames = addStandardFrames(this, "Input", "Controls");
        frames.description->setObjectName(spec.frames[0]);
        frames.input->setObjectName(spec.frames[1]);
        frames.controls->setObjectName(spec.frames[2]);

        QLabel* description = makeSmallLabel(fromView(spec.description), 0.85);
        description->setObjectName(spec.descriptionLabel);
        description->setWordWrap(true);
        description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        auto* descriptionLayout = new QVBoxLayout(frames.description);
        descriptionLayout->setContentsMargins(6, 0, 6, 2);
        descriptionLayout->addWidget(description);

        auto* input = new QVBoxLayout(frames.input);
        input->setContentsMargins(4, 2, 4, 6);
        input->setSpacing(4);
        QLabel* hint = makeSmallLabel("(Required values appear on a partinfo)");
        hint->setObjectName(spec.hintLabel);
        input->addWidget(hint);

        // The first three fields under their labels, the other two with
        // their labels to the right.
        Q_ASSERT(table_.size() == spec.labels.size());
        auto* narrow = new QGridLayout;
        narrow->setHorizontalSpacing(8);
        narrow->setVerticalSpacing(1);
        for (int column = 0; column < 3; ++column) {
            const auto i = static_cast<std::size_t>(column);
            const auto [field, label] =
                makeField(table_[i].name, spec.labels[i], kNarrowFieldWidth);
            narrow->addWidget(label, 0, column);
            narrow->addWidget(field, 1, column);
        }
        auto* wide = new QGridLayout;
        wide->setHorizontalSpacing(8);
        for (int row = 0; row < 2; ++row) {
            const auto i = static_cast<std::size_t>(3 + row);
            const auto [field, label] = makeField(table_[i].name, spec.labels[i], kWideFieldWidth);
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
        for (const PageButton& entry : spec.buttons) {
            auto* button = new QPushButton(entry.caption);
            button->setObjectName(entry.name);
            button->setAutoDefault(false);
            controls->addWidget(button);
            runOnClick(button, entry.operation);
        }
        controls->addStretch(1);
    }

    void store(Workspace& workspace) const override {
        storeTexts(table_, workspace.*fields_);
    }
    void load(const Workspace& workspace) override { loadTexts(table_, workspace.*fields_); }

private:
    Fields Workspace::*fields_;
    core::TextFields<Fields> table_;
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
         {{"info113", "Display info", core::displayBogus113Info},
          {"Calc", "Calculate", core::pageCalculation(page, core::calculateBogus113)},
          {"clear113", "Clear all", core::pageClearing(page)}}});
}

}  // namespace quorvane::gui
