#include "gui/accessories/divizedi.h"

#include <QFont>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "gui/app/icons.h"

namespace quorvane::gui {

namespace {

using Key = core::Calculator::Key;

constexpr int kTwipsPerPixel = 15;

// A button of the keypad, placed in twips inside the window.
struct KeypadButton {
    const char* name;
    Key key;
    const char* toolTip;
    int left;
    int top;
    double points;  // font size; 0 keeps the window's font
};

constexpr KeypadButton kKeypad[] = {
    {"cmdCijfer(1)", Key::Digit1, nullptr, 120, 600, 0},
    {"cmdCijfer(2)", Key::Digit2, nullptr, 600, 600, 0},
    {"cmdCijfer(3)", Key::Digit3, nullptr, 1080, 600, 0},
    {"cmdOperator(3)", Key::Divide, "Delen", 1680, 600, 13.5},
    {"cmdOperator(4)", Key::Power, "Machtsverheffen", 2160, 600, 13.5},
    {"cmdCijfer(4)", Key::Digit4, nullptr, 120, 960, 0},
    {"cmdCijfer(5)", Key::Digit5, nullptr, 600, 960, 0},
    {"cmdCijfer(6)", Key::Digit6, nullptr, 1080, 960, 0},
    {"cmdOperator(2)", Key::Multiply, "Vermenigvuldigen", 1680, 960, 13.5},
    {"cmdWis", Key::Clear, "Wis alles (Nieuwe berekening)", 2160, 960, 9.75},
    {"cmdCijfer(7)", Key::Digit7, nullptr, 120, 1320, 0},
    {"cmdCijfer(8)", Key::Digit8, nullptr, 600, 1320, 0},
    {"cmdCijfer(9)", Key::Digit9, nullptr, 1080, 1320, 0},
    {"cmdOperator(1)", Key::Subtract, "Aftrekken", 1680, 1320, 13.5},
    {"cmdWisDisplay", Key::ClearEntry, "Wis Display", 2160, 1320, 9.75},
    {"cmdCijfer(0)", Key::Digit0, nullptr, 120, 1680, 0},
    {"cmdPlusMin", Key::ChangeSign, "Teken verwisselen", 600, 1680, 12},
    {"cmdKomma", Key::Separator, "Decimale komma", 1080, 1680, 13.5},
    {"cmdOperator(0)", Key::Add, "Optellen", 1680, 1680, 13.5},
    {"cmdIsGelijk", Key::Equals, nullptr, 2160, 1680, 13.5},
};

constexpr int kButtonWidth = 435;
constexpr int kButtonHeight = 330;
constexpr int kMargin = 120;

QRect twips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

QPointer<DiviZediWindow> instance;

}  // namespace

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
    setObjectName("frmDiviZedi");
    setWindowTitle("DiviZedi version 1.0");
    setWindowIcon(toolbarIcon("Calc"));
    // Closing ends the calculation: the next opening starts afresh.
    setAttribute(Qt::WA_DeleteOnClose);

    lblDisplay_ = new QLabel(QString::fromStdString(calculator_.display()), this);
    lblDisplay_->setObjectName("lblDisplay");
    lblDisplay_->setAccessibleName("Display");
    lblDisplay_->setGeometry(twips(120, 120, 2475, 390));
    lblDisplay_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblDisplay_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblDisplay_->setAutoFillBackground(true);
    QPalette grey = lblDisplay_->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    grey.setColor(QPalette::WindowText, Qt::black);
    lblDisplay_->setPalette(grey);
    QFont displayFont = lblDisplay_->font();
    displayFont.setPointSizeF(9.75);
    displayFont.setBold(true);
    lblDisplay_->setFont(displayFont);

    for (const KeypadButton& entry : kKeypad) {
        const QString caption = QString::fromStdString(core::Calculator::caption(entry.key, format));
        auto* button = new QPushButton(caption, this);
        button->setObjectName(entry.name);
        button->setGeometry(twips(entry.left, entry.top, kButtonWidth, kButtonHeight));
        button->setAutoDefault(false);
        button->setAccessibleName(entry.toolTip ? QString(entry.toolTip) : caption);
        if (entry.toolTip) button->setToolTip(entry.toolTip);
        if (entry.points > 0) {
            QFont font = button->font();
            font.setPointSizeF(entry.points);
            button->setFont(font);
        }
        const Key key = entry.key;
        connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
    }
    setFixedSize(twips(0, 0, 2160 + kButtonWidth + kMargin, 1680 + kButtonHeight + kMargin).size());
}

void DiviZediWindow::press(Key key) {
    const core::Outcome outcome = calculator_.press(key);
    // A failure's message stands over the display it failed on; the
    // recovery shows once the message is closed.
    for (const core::Message& message : outcome.messages) dialogs_.show(message);
    lblDisplay_->setText(QString::fromStdString(calculator_.display()));
}

}  // namespace quorvane::gui
