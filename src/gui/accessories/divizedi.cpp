#include "gui/accessories/divizedi.h"

#include <QAccessible>
#include <QFont>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "gui/app/accessibility.h"
#include "gui/app/icons.h"
#include "gui/app/pageframes.h"

namespace quorvane::gui {

namespace {

using Key = core::Calculator::Key;

// The keypad as it stands below the display: five columns by four rows.
constexpr Key kKeypad[4][5] = {
    {Key::Digit1, Key::Digit2, Key::Digit3, Key::Divide, Key::Power},
    {Key::Digit4, Key::Digit5, Key::Digit6, Key::Multiply, Key::Clear},
    {Key::Digit7, Key::Digit8, Key::Digit9, Key::Subtract, Key::ClearEntry},
    {Key::Digit0, Key::ChangeSign, Key::Separator, Key::Add, Key::Equals},
};

// Positions in twips inside the window. The digit columns stand 480 apart,
// the operator columns are set off by a wider gap of 600.
constexpr int kColumnLeft[5] = {120, 600, 1080, 1680, 2160};
constexpr int kFirstRowTop = 600;
constexpr int kRowPitch = 360;
constexpr int kButtonWidth = 435;
constexpr int kButtonHeight = 330;
constexpr int kMargin = 120;

// A key's button: its control name, its tool tip (none for digits and
// "=") and its font size in points (0 keeps the window's font).
struct KeyButton {
    QString name;
    const char* toolTip;
    double points;
};

KeyButton keyButton(Key key) {
    // The operators in the order of their control array.
    constexpr const char* kOperatorTips[] = {"Optellen", "Aftrekken", "Vermenigvuldigen",
                                             "Delen", "Machtsverheffen"};
    const int index = static_cast<int>(key);
    switch (key) {
        case Key::Add:
        case Key::Subtract:
        case Key::Multiply:
        case Key::Divide:
        case Key::Power: {
            const int op = index - static_cast<int>(Key::Add);
            return {QString("cmdOperator(%1)").arg(op),
                    kOperatorTips[static_cast<std::size_t>(op)], 13.5};
        }
        case Key::Separator: return {"cmdKomma", "Decimale komma", 13.5};
        case Key::ChangeSign: return {"cmdPlusMin", "Teken verwisselen", 12};
        case Key::Equals: return {"cmdIsGelijk", nullptr, 13.5};
        case Key::Clear: return {"cmdWis", "Wis alles (Nieuwe berekening)", 9.75};
        case Key::ClearEntry: return {"cmdWisDisplay", "Wis Display", 9.75};
        default: return {QString("cmdCijfer(%1)").arg(index), nullptr, 0};
    }
}

QRect twips(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

QPointer<DiviZediWindow> instance;

}  // namespace

void CalculatorDisplay::showText(const QString& text) {
    const QString before = this->text();
    if (text == before) return;
    setText(text);
    if (!QAccessible::isActive()) return;
    // Its name is its text: readers hear of both.
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleTextUpdateEvent updated(this, 0, before, text);
    QAccessible::updateAccessibility(&updated);
}

DiviZediWindow* DiviZediWindow::open(core::Dialogs& dialogs, const core::NumberFormat& format) {
    if (!instance) instance = new DiviZediWindow(dialogs, format);
    instance->setWindowState(instance->windowState() & ~Qt::WindowMinimized);
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

DiviZediWindow* DiviZediWindow::current() { return instance; }

DiviZediWindow::DiviZediWindow(core::Dialogs& dialogs, const core::NumberFormat& format)
    : QWidget(nullptr), dialogs_(dialogs), calculator_(format) {
    installAccessibility();
    setObjectName("frmDiviZedi");
    setWindowTitle("DiviZedi version 1.0");
    setWindowIcon(toolbarIcon("Calc"));
    // Closing ends the calculation: the next opening starts afresh.
    setAttribute(Qt::WA_DeleteOnClose);

    lblDisplay_ = new CalculatorDisplay(QString::fromStdString(calculator_.display()), this);
    lblDisplay_->setObjectName("lblDisplay");
    // Named by its text, which is what a reader wants to hear.
    lblDisplay_->setAccessibleDescription("Display");
    lblDisplay_->setGeometry(twips(120, 120, 2475, 390));
    lblDisplay_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblDisplay_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblDisplay_->setAutoFillBackground(true);
    QPalette grey = lblDisplay_->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    grey.setColor(QPalette::WindowText, Qt::black);
    lblDisplay_->setPalette(grey);
    QFont displayFont = lblDisplay_->font();
    displayFont.setPointSizeF(scaledPoints(9.75));
    displayFont.setBold(true);
    lblDisplay_->setFont(displayFont);

    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
            const Key key = kKeypad[row][column];
            const KeyButton entry = keyButton(key);
            const QString caption = QString::fromStdString(core::Calculator::caption(key, format));
            auto* button = new QPushButton(caption, this);
            button->setObjectName(entry.name);
            button->setGeometry(twips(kColumnLeft[column], kFirstRowTop + row * kRowPitch,
                                      kButtonWidth, kButtonHeight));
            button->setAutoDefault(false);
            // Named by its caption; the tool tip is its description.
            button->setAccessibleName(caption);
            if (entry.toolTip) button->setToolTip(entry.toolTip);
            if (entry.points > 0) {
                QFont font = button->font();
                font.setPointSizeF(scaledPoints(entry.points));
                button->setFont(font);
            }
            connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
        }
    }
    setFixedSize(twips(0, 0, kColumnLeft[4] + kButtonWidth + kMargin,
                        kFirstRowTop + 3 * kRowPitch + kButtonHeight + kMargin)
                     .size());
}

void DiviZediWindow::press(Key key) {
    const core::Outcome outcome = calculator_.press(key);
    // A failure's message stands over the display it failed on; the
    // recovery shows once the message is closed.
    for (const core::Message& message : outcome.messages) dialogs_.show(message);
    lblDisplay_->showText(QString::fromStdString(calculator_.display()));
}

}  // namespace quorvane::gui
