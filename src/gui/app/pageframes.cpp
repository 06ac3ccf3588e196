#include "gui/app/pageframes.h"

#include <QGroupBox>

namespace quorvane::gui {

namespace {
constexpr int kTwipsPerPixel = 15;
}

QRect twipsToPage(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, (top - kPageTopTwips) / kTwipsPerPixel + 8,
                 width / kTwipsPerPixel, height / kTwipsPerPixel);
}

QGroupBox* addFrame(QWidget* page, const QString& caption, const QRect& geometry) {
    auto* frame = new QGroupBox(caption, page);
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

}  // namespace quorvane::gui
