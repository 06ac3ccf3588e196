#include "platform/dialogs_qt.h"

#include <QApplication>
#include <QMessageBox>

#include "core/base/texts.h"

namespace quorvane::platform {

core::Answer QtDialogs::show(const core::Message& message) {
    QWidget* const active = QApplication::activeWindow();
    QMessageBox box(active ? active : parent_.data());
    box.setWindowTitle(QString::fromStdString(message.title));
    box.setText(QString::fromStdString(core::withLineFeeds(message.prompt)));
    box.setTextFormat(Qt::PlainText);
    switch (message.icon) {
        case core::Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case core::Icon::Information: box.setIcon(QMessageBox::Information); break;
        case core::Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    }
    if (message.buttons == core::Buttons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? core::Answer::Ok : core::Answer::Cancel;
}

}  // namespace quorvane::platform
