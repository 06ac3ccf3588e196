// Icons of the toolbar and the window: the desktop's icon theme where it has
// a fitting icon, the images bundled with the program otherwise.
#pragma once

#include <QIcon>
#include <QString>

namespace quorvane::gui {

// The icon for an image key of the toolbar's image list ("Delete",
// "Partinfo", "View Details", "Calc", "Attached", "disk14", "Diskedit",
// "Help").
QIcon toolbarIcon(const QString& imageKey);

QIcon windowIcon();

}  // namespace quorvane::gui
