#include "gui/accessories/about.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/base/texts.h"
#include "gui/app/icons.h"
#include "gui/app/pageframes.h"

namespace quorvane::gui {

namespace {

QString fromCore(const std::string& text) {
    return QString::fromStdString(core::withLineFeeds(text));
}

QLabel* makeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumWidth(twipsToPixels(1260));
    return button;
}

}  // namespace

AboutBox::AboutBox(core::Registry& registry, core::Launcher& launcher, core::Dialogs& dialogs,
                   QWidget* parent)
    : QDialog(parent), registry_(registry), launcher_(launcher), dialogs_(dialogs) {
    setObjectName("frmAbout");
    setWindowTitle(fromCore(core::aboutCaption()));

    auto* picture = new QLabel(this);
    picture->setPixmap(gui::windowIcon().pixmap(32, 32));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picture->setAccessibleName("Quorvane icon");

    const QString programName = fromCore(std::string(core::kProgramName));
    QLabel* lblTitle = makeLabel("lblTitle", programName, this);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    QLabel* lblversion = makeLabel("lblversion", fromCore(core::versionText()), this);
    QLabel* Label1 = makeLabel("Label1", fromCore(std::string(core::kFormerName)), this);
    QLabel* lblDescription =
        makeLabel("lblDescription", fromCore(core::aboutDescription()), this);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* Line1 = new QFrame(this);
    Line1->setObjectName("Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    QPushButton* cmdOK = makeButton("cmdOK", "OK", this);
    cmdOK->setDefault(true);
    QPushButton* cmdSysInfo = makeButton("cmdSysInfo", "&System Info...", this);
    cmdSysInfo->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::startSysInfo);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(lblTitle);
    texts->addWidget(lblversion);
    texts->addWidget(Label1);
    texts->addSpacing(6);
    texts->addWidget(lblDescription, 1);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(Line1);
    layout->addLayout(bottom);

    setFixedSize(twipsToPixels(5730), twipsToPixels(3795));
}

void AboutBox::startSysInfo() {
    const core::FileExists fileExists = [](const std::string& path) {
        return QFileInfo::exists(QString::fromStdString(path));
    };
    const core::Outcome outcome = core::startSysInfo(registry_, fileExists, launcher_);
    for (const core::Message& message : outcome.messages) dialogs_.show(message);
}

}  // namespace quorvane::gui
