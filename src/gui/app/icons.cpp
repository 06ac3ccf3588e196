#include "gui/app/icons.h"

#include <QHash>

namespace quorvane::gui {

namespace {

struct IconSource {
    const char* theme;    // freedesktop icon name
    const char* bundled;  // file in the program's resources
};

const QHash<QString, IconSource>& sources() {
    static const QHash<QString, IconSource> table = {
        {"Delete", {"edit-clear", ":/icons/delete.xpm"}},
        {"Partinfo", {"document-edit", ":/icons/partinfo.xpm"}},
        {"View Details", {"document-properties", ":/icons/viewdetails.xpm"}},
        {"Calc", {"accessories-calculator", ":/icons/calc.xpm"}},
        {"Attached", {"list-add", ":/icons/attached.xpm"}},
        {"disk14", {"document-save", ":/icons/disk14.xpm"}},
        {"Diskedit", {"system-run", ":/icons/diskedit.xpm"}},
        {"Help", {"help-contents", ":/icons/help.xpm"}},
    };
    return table;
}

}  // namespace

QIcon toolbarIcon(const QString& imageKey) {
    const auto found = sources().constFind(imageKey);
    if (found == sources().constEnd()) return {};
    return QIcon::fromTheme(QString::fromLatin1(found->theme),
                            QIcon(QString::fromLatin1(found->bundled)));
}

QIcon windowIcon() { return QIcon(QStringLiteral(":/icons/quorvane.xpm")); }

}  // namespace quorvane::gui
