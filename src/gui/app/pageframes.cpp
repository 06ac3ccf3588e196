#include "gui/app/pageframes.h"

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <algorithm>
#include <cmath>

namespace quorvane::gui {

namespace {
constexpr int kTwipsPerPixel = 15;
// A 9 point font at 96 dots per inch.
constexpr double kDrawnFontPoints = 9.0;
constexpr double kDrawnFontPixels = 12.0;
}

double fontScale() {
    static QFont measured;
    static double scale = 0;
    const QFont font = QApplication::font();
    if (scale == 0 || font != measured) {
        measured = font;
        scale = std::max(1.0, QFontInfo(font).pixelSize() / kDrawnFontPixels);
    }
    return scale;
}

int scaled(int pixels) { return static_cast<int>(std::lround(pixels * fontScale())); }

int twipsToPixels(int twips) { return scaled(twips / kTwipsPerPixel); }

double scaledPoints(double points) {
    return points * std::max(1.0, QApplication::font().pointSizeF() / kDrawnFontPoints);
}

QRect twipsToPage(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top - kPageTopTwips) + scaled(8),
                 twipsToPixels(width), twipsToPixels(height));
}

QGroupBox* addFrame(QWidget* page, const QString& caption, const QRect& geometry) {
    auto* frame = new QGroupBox(caption, page);
    frame->setAccessibleName(caption);
    // Wide enough for its caption, whatever the font.
    QRect placed = geometry;
    placed.setWidth(std::max(geometry.width(), frame->fontMetrics().horizontalAdvance(caption) + 2));
    frame->setGeometry(placed);
    return frame;
}

StandardFrames addStandardFrames(QWidget* page, const QString& inputCaption,
                                 const QString& controlsCaption, int inputHeightTwips) {
    return StandardFrames{
        addFrame(page, "Description:", twipsToPage(240, 720, 6015, 1215)),
        addFrame(page, inputCaption, twipsToPage(240, 2040, 3615, inputHeightTwips)),
        addFrame(page, controlsCaption, twipsToPage(4080, 2040, 2175, 2415)),
    };
}

}  // namespace quorvane::gui
