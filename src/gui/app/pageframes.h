// Framed groups placed on a page at positions given in twips, the unit the
// pages' layout is drawn in (15 twips to a pixel at 96 dots per inch), and
// the sizes of the windows, which grow with the application's font.
#pragma once

#include <array>

#include <QRect>
#include <QString>

class QGroupBox;
class QWidget;

namespace quorvane::gui {

// How much larger the application's font is than the 9 point font the
// layouts are drawn for, and never less than 1: at the default font the
// windows keep their drawn sizes, with larger text everything grows alike.
double fontScale();
// A size in pixels at the drawn font, grown with the application's font.
int scaled(int pixels);
// A length in twips as pixels, grown with the application's font.
int twipsToPixels(int twips);
// A font size of the drawn layout, grown as the application's font is
// larger than 9 points.
double scaledPoints(double points);

// Twips from the tab control's top edge to the top of a page's area, taken
// up by the rows of tab headers.
inline constexpr int kPageTopTwips = 720;

// A rectangle in twips relative to the tab control, as pixels on the page
// (grown with the font).
QRect twipsToPage(int left, int top, int width, int height);

// A group box with its caption (also its accessible name) on `page`; once
// shown it is at least as wide as its caption.
QGroupBox* addFrame(QWidget* page, const QString& caption, const QRect& geometry);

// The three frames that every calculator and wizard page but "Geometry"
// and "DYN_ROOT" has: description across the top, input below on the left,
// controls on the right.
struct StandardFrames {
    QGroupBox* description;
    QGroupBox* input;
    QGroupBox* controls;
};
StandardFrames addStandardFrames(QWidget* page, const QString& inputCaption,
                                 const QString& controlsCaption, int inputHeightTwips = 2415);
// Gives the three frames their object names: description, input, controls.
void nameFrames(const StandardFrames& frames, const std::array<const char*, 3>& names);

}  // namespace quorvane::gui
