#include "gui/app/icons.h"

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <array>
#include <cstdio>
#include <cstring>

// The bundled images, compiled in: read straight from memory, with no
// image format plugins to look for at start-up, and by bundledPixmap()
// rather than Qt's general XPM reader.
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

// The colour of a colour line's "c" key ("c #RRGGBB" or "c None") into
// `colour`; whether it is one of those two.
bool readColour(const char* line, QRgb& colour) {
    char value[8] = {};
    char rest = 0;
    if (std::sscanf(line, " c %7s %c", value, &rest) != 1) return false;
    if (std::strcmp(value, "None") == 0) {
        colour = 0;  // transparent
        return true;
    }
    unsigned rgb = 0;
    int digits = 0;
    if (value[0] != '#' || std::sscanf(value + 1, "%6x%n", &rgb, &digits) != 1 || digits != 6)
        return false;
    colour = 0xff000000u | rgb;
    return true;
}

}  // namespace

QPixmap bundledPixmap(const char* const* xpm) {
    int width = 0, height = 0, colours = 0, perPixel = 0;
    char rest = 0;
    if (std::sscanf(xpm[0], "%d %d %d %d %c", &width, &height, &colours, &perPixel, &rest) != 4 ||
        width <= 0 || height <= 0 || colours <= 0 || colours > 256 || perPixel != 1)
        return QPixmap(xpm);
    std::array<QRgb, 256> table{};
    std::array<bool, 256> known{};
    bool transparent = false;
    for (int i = 1; i <= colours; ++i) {
        const auto key = static_cast<unsigned char>(xpm[i][0]);
        if (key == 0 || !readColour(xpm[i] + 1, table[key])) return QPixmap(xpm);
        known[key] = true;
        transparent = transparent || qAlpha(table[key]) == 0;
    }
    QImage image(width, height, transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const char* row = xpm[1 + colours + y];
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const auto key = static_cast<unsigned char>(row[x]);
            if (key == 0 || !known[key]) return QPixmap(xpm);
            pixels[x] = table[key];
        }
    }
    return QPixmap::fromImage(std::move(image));
}

QIcon toolbarIcon(const QString& imageKey) {
    const auto found = sources().constFind(imageKey);
    if (found == sources().constEnd()) return {};
    return QIcon::fromTheme(QString::fromLatin1(found->theme), QIcon(bundledPixmap(found->bundled)));
}

QIcon windowIcon() { return QIcon(bundledPixmap(quorvane_xpm)); }

}  // namespace quorvane::gui
