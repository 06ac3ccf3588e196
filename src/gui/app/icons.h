// Icons of the toolbar and the window: the desktop's icon theme where it has
// a fitting icon, the images bundled with the program otherwise.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quorvane::gui {

// The icon for an image key of the toolbar's image list ("Delete",
// "Partinfo", "View Details", "Calc", "Attached", "disk14", "Diskedit",
// "Help").
QIcon toolbarIcon(const QString& imageKey);

QIcon windowIcon();

// An image compiled in as XPM. Those with one character per pixel and
// colours given as #RRGGBB or None, as the program's own are, are read
// directly; others by Qt's XPM reader, which gives the same pixels.
QPixmap bundledPixmap(const char* const* xpm);

}  // namespace quorvane::gui
