#include "platform/filechooser_qt.h"

#include <QFileDialog>

namespace quorvane::platform {

std::optional<std::string> QtFileChooser::chooseFile(std::string_view title) {
    // Saved images often have no name ending of their own, so every file
    // is offered first; then images and the text files that partinfo
    // listings are saved as.
    const QString path = QFileDialog::getOpenFileName(
        parent_.data(), QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
        QString(),
        "All files (*);;Disk images (*.img *.raw *.dd *.bin);;Text files (*.txt *.log)");
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace quorvane::platform
