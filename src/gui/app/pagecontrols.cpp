#include "gui/app/pagecontrols.h"

#include "gui/app/pageframes.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvane::gui {

namespace {

class SmallerLabel : public QLabel {
public:
    SmallerLabel(const QString& text, double scale) : QLabel(text), scale_(scale) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Polish && scale_ != 1) {
            QFont smaller = font();
            smaller.setPointSizeF(smaller.pointSizeF() * scale_);
            scale_ = 1;
            setFont(smaller);
        }
        return QLabel::event(event);
    }

private:
    double scale_;
};

}  // namespace

QLabel* makeSmallerLabel(const QString& text, double scale) {
    return new SmallerLabel(text, scale);
}

QLabel* addDescription(QGroupBox* frame, const char* name, const QString& text) {
    // The explanation has to fit the frame's fixed height.
    QLabel* label = makeSmallerLabel(text, 0.85);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 0, 6, 2);
    layout->addWidget(label);
    return label;
}

QLabel* makeHint(const char* name) {
    // One line across the frame.
    QLabel* hint = makeSmallerLabel("(Required values appear on a partinfo)", 0.9);
    hint->setObjectName(name);
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
