#include "gui/app/pagecontrols.h"

#include "gui/app/pageframes.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvane::gui {

QLabel* addDescription(QGroupBox* frame, const char* name, const QString& text) {
    auto* label = new QLabel(text, frame);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The explanation has to fit the frame's fixed height.
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 0, 6, 2);
    layout->addWidget(label);
    return label;
}

QLabel* makeHint(const char* name) {
    auto* hint = new QLabel("(Required values appear on a partinfo)");
    hint->setObjectName(name);
    // One line across the frame.
    QFont font = hint->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    hint->setFont(font);
    return hint;
}

QPushButton* makeButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeField(std::string_view name, int width) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    field->setFixedWidth(scaled(width));
    return field;
}

QLineEdit* addLabelledField(QFormLayout* form, const char* labelName, const QString& label,
                            std::string_view fieldName, int width) {
    QLineEdit* field = makeField(fieldName, width);
    auto* caption = new QLabel(label);
    caption->setObjectName(labelName);
    caption->setBuddy(field);
    field->setAccessibleName(label);
    form->addRow(caption, field);
    return field;
}

QFormLayout* makeForm(QGroupBox* frame) {
    auto* form = new QFormLayout(frame);
    form->setContentsMargins(6, 0, 6, 2);
    form->setHorizontalSpacing(4);
    form->setVerticalSpacing(1);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return form;
}

QVBoxLayout* makeColumn(QGroupBox* frame) {
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(6, 0, 6, 2);
    column->setSpacing(2);
    return column;
}

}  // namespace quorvane::gui
