#include "gui/app/icons.h"

#include <QHash>
#include <QPixmap>

// The bundled images, compiled in: read straight from memory, with no
// image format plugins to look for at start-up.
#include "gui/app/icons/attached.xpm"
#include "gui/app/icons/calc.xpm"
#include "gui/app/icons/delete.xpm"
#include "gui/app/icons/disk14.xpm"
#include "gui/app/icons/diskedit.xpm"
#include "gui/app/icons/help.xpm"
#include "gui/app/icons/partinfo.xpm"
#include "gui/app/icons/quorvane.xpm"
#include "gui/app/icons/viewdetails.xpm"

namespace quorvane::gui {

namespace {

struct IconSource {
    const char* theme;                // freedesktop icon name
    const char* const* bundled;       // the program's own image
};

const QHash<QString, IconSource>& sources() {
    static const QHash<QString, IconSource> table = {
        {"Delete", {"edit-clear", delete_xpm}},
        {"Partinfo", {"document-edit", partinfo_xpm}},
        {"View Details", {"document-properties", viewdetails_xpm}},
        {"Calc", {"accessories-calculator", calc_xpm}},
        {"Attached", {"list-add", attached_xpm}},
        {"disk14", {"document-save", disk14_xpm}},
        {"Diskedit", {"system-run", diskedit_xpm}},
        {"Help", {"help-contents", help_xpm}},
    };
    return table;
}

}  // namespace

QIcon toolbarIcon(const QString& imageKey) {
    const auto found = sources().constFind(imageKey);
    if (found == sources().constEnd()) return {};
    return QIcon::fromTheme(QString::fromLatin1(found->theme), QIcon(QPixmap(found->bundled)));
}

QIcon windowIcon() { return QIcon(QPixmap(quorvane_xpm)); }

}  // namespace quorvane::gui
