#include "gui/app/pageframes.h"

#include <QApplication>
#include <QGroupBox>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace quorvane::gui {

namespace {

constexpr int kTwipsPerPixel = 15;
// A 9 point font at 96 dots per inch.
constexpr double kDrawnFontPoints = 9.0;
constexpr double kDrawnFontPixels = 12.0;

// A frame that, once shown, is at least as wide as its caption.
class PageFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void showEvent(QShowEvent* event) override {
        // Measured when first shown, so that the pages not shown yet cost
        // nothing at start-up.
        const int needed = fontMetrics().horizontalAdvance(title()) + 2;
        if (width() < needed) resize(needed, height());
        QGroupBox::showEvent(event);
    }
};

}  // namespace

double fontScale() {
    // The font's size in pixels without loading it: its pixel size, or its
    // point size at the screen's logical resolution.
    const QFont font = QApplication::font();
    double pixels = font.pixelSize();
    if (pixels <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        pixels = font.pointSizeF() * (screen ? screen->logicalDotsPerInchY() : 96.0) / 72.0;
    }
    return std::max(1.0, pixels / kDrawnFontPixels);
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
    auto* frame = new PageFrame(caption, page);
    frame->setAccessibleName(caption);
    frame->setGeometry(geometry);
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

void nameFrames(const StandardFrames& frames, const std::array<const char*, 3>& names) {
    frames.description->setObjectName(names[0]);
    frames.input->setObjectName(names[1]);
    frames.controls->setObjectName(names[2]);
}

}  // namespace quorvane::gui
