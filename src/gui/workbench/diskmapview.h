// The disk map as a control: the table's bar (computed in the core) painted
// to the width of the window, scrolled sideways where its segments'
// minimum widths need more room, with its legend below. One Tab stop:
// Left and Right move between partitions in disk order, Home and End to
// the first and the last, Return and Space activate; a click selects.
// Screen readers meet it as a list whose items are the segments, gaps
// included, each named with the words the core gives it.
#pragma once

#include <QImage>
#include <QPalette>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <optional>

#include "core/workbench/diskmap.h"

class QScrollArea;

namespace quorvane::gui {

class DiskMapCanvas;
class DiskMapLegend;

class DiskMapView : public QWidget {
    Q_OBJECT
public:
    explicit DiskMapView(QWidget* parent = nullptr);

    // Shows `map`; the selection is cleared.
    void setMap(core::DiskMap map);
    const core::DiskMap& map() const { return map_; }

    // Selects the segment of the entry at `entryIndex` (of the entries the
    // map was made from), or nothing; emits nothing, so that a list can
    // follow the map and the map the list without echoes. An entry the
    // map does not show (an extended boot record's link) selects nothing.
    void selectEntry(std::optional<std::size_t> entryIndex);
    // Selects a partition's segment as the user does, with entrySelected;
    // a gap selects nothing. Screen readers select by it.
    void chooseSegment(std::size_t segment);
    // The entry of the selected segment.
    std::optional<std::size_t> selectedEntry() const;
    // The selected segment's index in map().segments.
    std::optional<std::size_t> currentSegment() const { return current_; }

    // A segment's rectangle in the canvas's coordinates (the widget named
    // "diskMapCanvas", inside the scroll area "diskMapScroll").
    QRectF segmentRect(std::size_t segment) const;
    // The segment drawn at `point` of the canvas: the topmost one there.
    std::optional<std::size_t> segmentAt(const QPointF& point) const;
    QWidget* canvas() const;

    // The map with its legend below, at one pixel a unit times `scale`, in
    // light colours on white whatever the desktop's palette, for a picture
    // a user saves; `title`, when not empty, is written above the map.
    QImage renderWithLegend(const QString& title = {}, qreal scale = 1) const;
    // Writes the map as an SVG document (the core's picture) to `path`;
    // false with `error` set where the file cannot be written.
    bool writeSvg(const QString& path, const QString& title = {}, QString* error = nullptr) const;

    // The fill of a colour class in `palette`: the map's fixed hues, light
    // on a light window and dark on a dark one, so that the palette's text
    // colour reads on each.
    static QColor fill(core::MapColour colour, const QPalette& palette);

signals:
    // The user selected the segment of this entry (click or keys).
    void entrySelected(std::size_t entryIndex);
    // The user pressed Return or Space on a partition, or double-clicked it.
    void segmentActivated(std::size_t entryIndex);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class DiskMapCanvas;

    void mapChanged();
    void fitHeight();
    void moveTo(std::size_t segment);
    void clicked(const QPointF& point, bool twice);
    void notifyCurrent();
    double verticalScale() const;
    double minimumScale() const;

    core::DiskMap map_;
    std::optional<std::size_t> current_;
    QScrollArea* scroll_ = nullptr;
    DiskMapCanvas* canvas_ = nullptr;
    DiskMapLegend* legend_ = nullptr;
};

}  // namespace quorvane::gui
