#include "gui/calculators/calculatorlayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/pageframes.h"

namespace quorvane::gui {

namespace {

constexpr int kNarrowFieldWidth = 60;
constexpr int kWideFieldWidth = 120;

// The page's texts are set a little smaller than the desktop's default so
// that they fit the frames' fixed sizes.
QLabel* makeSmallLabel(const QString& text, double scale = 0.9) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    return label;
}

QLabel* makeLabel(const LabelledField& entry, QLineEdit* field) {
    QLabel* label = makeSmallLabel(entry.caption);
    label->setObjectName(entry.label);
    label->setBuddy(field);
    field->setAccessibleName(entry.caption.trimmed());
    return label;
}

QLineEdit* makeField(const LabelledField& entry, int width) {
    auto* field = new QLineEdit;
    field->setObjectName(entry.field);
    field->setFixedWidth(width);
    return field;
}

}  // namespace

QList<QPushButton*> buildCalculatorPage(QWidget* page, const CalculatorLayout& layout) {
    const StandardFrames frames = addStandardFrames(page, "Input", "Controls");
    frames.description->setObjectName(layout.frames[0]);
    frames.input->setObjectName(layout.frames[1]);
    frames.controls->setObjectName(layout.frames[2]);

    QLabel* description = makeSmallLabel(layout.description, 0.85);
    description->setObjectName(layout.descriptionLabel);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* descriptionLayout = new QVBoxLayout(frames.description);
    descriptionLayout->setContentsMargins(6, 0, 6, 2);
    descriptionLayout->addWidget(description);

    auto* input = new QVBoxLayout(frames.input);
    input->setContentsMargins(4, 2, 4, 6);
    input->setSpacing(4);
    QLabel* hint = makeSmallLabel("(Required values appear on a partinfo)");
    hint->setObjectName(layout.hintLabel);
    input->addWidget(hint);

    auto* narrow = new QGridLayout;
    narrow->setHorizontalSpacing(8);
    narrow->setVerticalSpacing(1);
    for (int column = 0; column < 3; ++column) {
        const LabelledField& entry = layout.narrowFields[static_cast<std::size_t>(column)];
        QLineEdit* field = makeField(entry, kNarrowFieldWidth);
        narrow->addWidget(makeLabel(entry, field), 0, column);
        narrow->addWidget(field, 1, column);
    }
    narrow->setColumnStretch(3, 1);
    input->addLayout(narrow);

    auto* wide = new QGridLayout;
    wide->setHorizontalSpacing(8);
    for (int row = 0; row < 2; ++row) {
        const LabelledField& entry = layout.wideFields[static_cast<std::size_t>(row)];
        QLineEdit* field = makeField(entry, kWideFieldWidth);
        wide->addWidget(field, row, 0);
        wide->addWidget(makeLabel(entry, field), row, 1);
    }
    wide->setColumnStretch(1, 1);
    input->addLayout(wide);
    input->addStretch(1);

    auto* controls = new QVBoxLayout(frames.controls);
    controls->setContentsMargins(16, 6, 16, 6);
    controls->setSpacing(6);
    QList<QPushButton*> buttons;
    for (const CalculatorButton& entry : layout.buttons) {
        auto* button = new QPushButton(entry.caption);
        button->setObjectName(entry.name);
        button->setAutoDefault(false);
        controls->addWidget(button);
        buttons.append(button);
    }
    controls->addStretch(1);
    return buttons;
}

}  // namespace quorvane::gui
