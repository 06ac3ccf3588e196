#include "gui/workbench/diskmapview.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/workbench/diskmapsvg.h"

namespace quorvane::gui {

using core::DiskMap;
using core::LegendItem;
using core::LegendSymbol;
using core::MapColour;
using core::MapSegment;
using core::SegmentKind;

namespace {

constexpr double kMargin = 4;          // around the bar: room for the selection's outline
constexpr double kLeastSegment = 24;   // the least width in pixels a segment is shrunk to
constexpr double kWarningSize = 12;    // the warning mark's side
constexpr double kSwatch = 14;         // a legend symbol's side
constexpr double kLegendSpacing = 18;  // between two legend items on a line
constexpr double kPictureMargin = 8;   // around a saved picture
constexpr double kLeastPictureWidth = 480;

bool isPartition(SegmentKind kind) {
    return kind == SegmentKind::Primary || kind == SegmentKind::Extended ||
           kind == SegmentKind::Logical;
}

QString qt(const std::string& text) { return QString::fromStdString(text); }

bool isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

// The colours of one painting: from the desktop's palette for the
// control, light ones for a saved picture.
struct Colours {
    QPalette palette;
    QColor text, background, mark, diskEnd, frameLine, unallocatedLine, highlight;

    explicit Colours(const QPalette& p) : palette(p) {
        const bool dark = isDark(p);
        text = p.color(QPalette::Text);
        background = p.color(QPalette::Base);
        mark = p.color(QPalette::Text);
        diskEnd = dark ? QColor(0xef, 0x53, 0x50) : QColor(0xc6, 0x28, 0x28);
        frameLine = dark ? QColor(0x4d, 0xb6, 0xac) : QColor(0x00, 0x69, 0x5c);
        // Half way between the text and its ground: plain against both.
        const QColor base = p.color(QPalette::Base);
        unallocatedLine = QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                                 (text.blue() + base.blue()) / 2);
        highlight = p.color(QPalette::Highlight);
    }
};

QPalette lightPalette() {
    QPalette p;
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    return p;
}

// Where things go: the map's units scaled to pixels from an origin.
struct Placement {
    QPointF origin;
    double sx = 1, sy = 1;

    QRectF rect(const MapSegment& s) const {
        return {origin.x() + s.x * sx, origin.y() + s.y * sy, s.width * sx, s.height * sy};
    }
    double x(double units) const { return origin.x() + units * sx; }
    double y(double units) const { return origin.y() + units * sy; }
};


// The warning mark: a yellow triangle with "!" whose top-left is at `at`;
// the same in every palette, dark on yellow.
void paintWarning(QPainter& painter, QPointF at, double size) {
    QPainterPath triangle;
    triangle.moveTo(at.x() + size / 2, at.y());
    triangle.lineTo(at.x() + size, at.y() + size);
    triangle.lineTo(at.x(), at.y() + size);
    triangle.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0xff, 0xd6, 0x00));
    painter.drawPath(triangle);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(6, static_cast<int>(size * 0.75)));
    painter.setFont(font);
    painter.drawText(QRectF(at.x(), at.y() + size * 0.2, size, size * 0.85),
                     Qt::AlignCenter, QStringLiteral("!"));
    painter.restore();
}

void paintHatch(QPainter& painter, const QRectF& area, const Colours& colours) {
    painter.fillRect(area, QBrush(colours.text, Qt::BDiagPattern));
}

// The bar: segments, hatching, labels, warning marks, the disk's end, the
// table sectors' marks, and the selection on top.
void paintMap(QPainter& painter, const DiskMap& map, const Placement& at, const Colours& colours,
              const QRectF& exposed, std::optional<std::size_t> selected, bool focused) {
    // The hatched ranges of each segment.
    std::vector<std::vector<std::pair<double, double>>> hatched(map.segments.size());
    for (const core::MapOverlap& o : map.overlaps)
        for (const std::size_t n : o.segments)
            if (n < hatched.size()) hatched[n].emplace_back(o.x, o.x + o.width);

    const QFontMetricsF metrics(painter.font());
    for (const std::size_t i : core::paintOrder(map)) {
        const MapSegment& s = map.segments[i];
        const QRectF box = at.rect(s);
        if (!box.intersects(exposed)) continue;
        QPen line(colours.text, 1);
        switch (s.kind) {
            case SegmentKind::Extended: line = QPen(colours.frameLine, 2); break;
            case SegmentKind::BeyondDisk: line = QPen(colours.diskEnd, 1, Qt::DashLine); break;
            case SegmentKind::Unallocated:
                line = QPen(colours.unallocatedLine, 1, Qt::DashLine);
                break;
            default: break;
        }
        painter.setPen(line);
        painter.setBrush(DiskMapView::fill(s.colour, colours.palette));
        painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
        for (const auto& [from, to] : hatched[i]) {
            const double left = std::max(box.left(), at.x(from));
            const double right = std::min(box.right(), at.x(to));
            if (right > left) paintHatch(painter, QRectF(left, box.top(), right - left, box.height()), colours);
        }
        // A frame's logical partitions fill it: only the others are labelled,
        // in the middle, clear of the warning mark in the top right corner.
        const QString label = qt(s.label);
        const double room = box.width() - 6 - (s.warning ? 2 * kWarningSize : 0);
        if (s.kind != SegmentKind::Extended && !label.isEmpty() &&
            metrics.horizontalAdvance(label) <= room && metrics.height() + 2 <= box.height()) {
            // Over hatching the words keep a ground of their own.
            if (!hatched[i].empty()) {
                const QSizeF size(metrics.horizontalAdvance(label) + 4, metrics.height());
                const QRectF ground(box.center() - QPointF(size.width() / 2, size.height() / 2), size);
                painter.fillRect(ground, DiskMapView::fill(s.colour, colours.palette));
            }
            painter.setPen(colours.text);
            painter.drawText(box, Qt::AlignCenter, label);
        }
        if (s.warning && box.width() >= kWarningSize + 2)
            paintWarning(painter, QPointF(box.right() - kWarningSize - 1, box.top() + 2), kWarningSize);
    }

    painter.setBrush(Qt::NoBrush);
    if (map.diskEndX < map.width) {
        painter.setPen(QPen(colours.diskEnd, 2));
        painter.drawLine(QPointF(at.x(map.diskEndX), at.y(0) - 3),
                         QPointF(at.x(map.diskEndX), at.y(map.height) + 3));
    }
    painter.setPen(QPen(colours.mark, 2));
    for (const core::MapMark& m : map.marks)
        painter.drawLine(QPointF(at.x(m.x), at.y(m.y)), QPointF(at.x(m.x), at.y(m.y + m.height)));

    if (selected && *selected < map.segments.size()) {
        const QRectF box = at.rect(map.segments[*selected]);
        painter.setPen(QPen(colours.highlight, 3));
        painter.drawRect(box.adjusted(-1, -1, 1, 1));
        if (focused) {
            painter.setPen(QPen(colours.text, 1, Qt::DotLine));
            painter.drawRect(box.adjusted(2.5, 2.5, -2.5, -2.5));
        }
    }
}

// Where each legend item goes in lines of `width` pixels: items flow left
// to right and wrap.
struct LegendPlace {
    QPointF at;
    const LegendItem* item;
};

double legendLine(const QFontMetricsF& metrics) { return std::max(kSwatch, metrics.height()) + 6; }

std::vector<LegendPlace> legendPlaces(const std::vector<LegendItem>& legend,
                                      const QFontMetricsF& metrics, double width) {
    std::vector<LegendPlace> places;
    double x = 0, y = 0;
    const double line = legendLine(metrics);
    for (const LegendItem& item : legend) {
        const double w = kSwatch + 6 + metrics.horizontalAdvance(qt(item.text));
        if (x > 0 && x + w > width) {
            x = 0;
            y += line;
        }
        places.push_back({QPointF(x, y), &item});
        x += w + kLegendSpacing;
    }
    return places;
}

double legendHeight(const std::vector<LegendItem>& legend, const QFontMetricsF& metrics,
                    double width) {
    if (legend.empty()) return 0;
    return legendPlaces(legend, metrics, width).back().at.y() + legendLine(metrics);
}

void paintLegend(QPainter& painter, const std::vector<LegendItem>& legend, QPointF origin,
                 double width, const Colours& colours) {
    const QFontMetricsF metrics(painter.font());
    const double line = legendLine(metrics);
    for (const LegendPlace& place : legendPlaces(legend, metrics, width)) {
        const QPointF at = origin + place.at;
        const QRectF swatch(at.x(), at.y() + (line - kSwatch) / 2, kSwatch, kSwatch);
        painter.setBrush(Qt::NoBrush);
        switch (place.item->symbol) {
            case LegendSymbol::Colour:
                painter.setPen(QPen(place.item->colour == MapColour::Extended ? colours.frameLine
                                                                              : colours.text,
                                    1));
                painter.setBrush(DiskMapView::fill(place.item->colour, colours.palette));
                painter.drawRect(swatch.adjusted(0.5, 0.5, -0.5, -0.5));
                break;
            case LegendSymbol::TableSector:
                painter.setPen(QPen(colours.mark, 2));
                painter.drawLine(QPointF(swatch.center().x(), swatch.top()),
                                 QPointF(swatch.center().x(), swatch.bottom()));
                break;
            case LegendSymbol::Warning: paintWarning(painter, swatch.topLeft(), kSwatch); break;
            case LegendSymbol::Overlap:
                painter.setPen(QPen(colours.text, 1));
                painter.drawRect(swatch.adjusted(0.5, 0.5, -0.5, -0.5));
                paintHatch(painter, swatch, colours);
                break;
        }
        painter.setPen(colours.palette.color(QPalette::WindowText));
        painter.drawText(QRectF(swatch.right() + 6, at.y(), width, line),
                         Qt::AlignLeft | Qt::AlignVCenter, qt(place.item->text));
    }
}

// The scale that fits `units` into `pixels` without shrinking any
// segment below `least`.
double horizontalScale(const DiskMap& map, double pixels, double least) {
    if (map.width <= 0) return 1;
    return std::max(pixels / map.width, least);
}

}  // namespace

// The painted bar inside the scroll area.
class DiskMapCanvas : public QWidget {
public:
    explicit DiskMapCanvas(DiskMapView* view) : QWidget(view), view_(view) {
        setObjectName(QStringLiteral("diskMapCanvas"));
        setFocusPolicy(Qt::NoFocus);
    }

    Placement placement() const {
        const DiskMap& map = view_->map_;
        Placement at;
        at.origin = QPointF(kMargin, kMargin);
        at.sx = horizontalScale(map, width() - 2 * kMargin, view_->minimumScale());
        at.sy = view_->verticalScale();
        return at;
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const Colours colours(palette());
        painter.fillRect(event->rect(), colours.background);
        paintMap(painter, view_->map_, placement(), colours, QRectF(event->rect()), view_->current_,
                 view_->hasFocus());
        // With nothing selected the focus is on the map as a whole.
        if (view_->hasFocus() && !view_->current_) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(colours.highlight, 1, Qt::DotLine));
            painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
        }
    }
    // The wheel scrolls the map sideways: it has no height to scroll.
    void wheelEvent(QWheelEvent* event) override {
        QScrollBar* bar = view_->scroll_->horizontalScrollBar();
        if (bar->maximum() > 0) {
            QCoreApplication::sendEvent(bar, event);
            return;
        }
        QWidget::wheelEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
        view_->clicked(event->position(), false);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
        view_->clicked(event->position(), true);
    }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            const auto found = view_->segmentAt(help->pos());
            if (found) {
                const QRect box = view_->segmentRect(*found).toAlignedRect();
                QToolTip::showText(help->globalPos(), qt(view_->map_.segments[*found].spoken), this,
                                   box);
            } else {
                QToolTip::hideText();
            }
            return true;
        }
        return QWidget::event(event);
    }

private:
    DiskMapView* view_;
};

// The legend below the scroll area, its items flowing over lines.
class DiskMapLegend : public QWidget {
public:
    explicit DiskMapLegend(DiskMapView* view) : QWidget(view), view_(view) {
        setObjectName(QStringLiteral("diskMapLegend"));
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        return static_cast<int>(std::ceil(
            legendHeight(view_->map().legend, QFontMetricsF(font()), width - 2 * kMargin)));
    }
    QSize sizeHint() const override { return {400, heightForWidth(400)}; }
    QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintLegend(painter, view_->map().legend, QPointF(kMargin, 0), width() - 2 * kMargin,
                    Colours(palette()));
    }

private:
    DiskMapView* view_;
};

namespace {

// A segment as a screen reader meets it: an item of the map's list, named
// with the core's words for it; a partition is selectable.
class SegmentInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    SegmentInterface(DiskMapView* view, std::size_t index) : view_(view), index_(index) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }
    // A partition is selected by either action, as a click selects it.
    QStringList actionNames() const override {
        if (!isValid() || !isPartition(segment().kind)) return {};
        return {setFocusAction(), toggleAction()};
    }
    void doAction(const QString& action) override {
        if (!actionNames().contains(action)) return;
        view_->setFocus(Qt::OtherFocusReason);
        view_->chooseSegment(index_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    bool isValid() const override { return view_ && index_ < view_->map().segments.size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return view_ ? view_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override {
        if (!isValid() || kind != QAccessible::Name) return {};
        return qt(segment().spoken);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect box = view_->segmentRect(index_).toAlignedRect();
        return QRect(view_->canvas()->mapToGlobal(box.topLeft()), box.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const bool partition = isPartition(segment().kind);
        state.selectable = partition;
        state.focusable = partition;
        const bool current = view_->currentSegment() == index_;
        state.selected = current;
        state.focused = current && view_->hasFocus();
        // Scrolled out of the window: still in the list, not on the screen.
        const QRect shown = view_->canvas()->visibleRegion().boundingRect();
        state.offscreen = !shown.intersects(view_->segmentRect(index_).toAlignedRect());
        return state;
    }

private:
    const MapSegment& segment() const { return view_->map().segments[index_]; }

    QPointer<DiskMapView> view_;
    std::size_t index_;
};

// The map as a list of its segments.
class DiskMapInterface : public QAccessibleWidget {
public:
    explicit DiskMapInterface(QWidget* view) : QAccessibleWidget(view, QAccessible::List) {}
    ~DiskMapInterface() override {
        for (const QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(mapView()->map().segments.size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        const auto i = static_cast<std::size_t>(index);
        // One interface a segment's place, kept while the view lives: its
        // words follow the map shown.
        while (ids_.size() <= i)
            ids_.push_back(QAccessible::registerAccessibleInterface(
                new SegmentInterface(mapView(), ids_.size())));
        return QAccessible::accessibleInterface(ids_[i]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < ids_.size(); ++i)
            if (QAccessible::accessibleInterface(ids_[i]) == child)
                return i < static_cast<std::size_t>(childCount()) ? static_cast<int>(i) : -1;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = mapView()->canvas()->mapFromGlobal(QPoint(x, y));
        const auto found = mapView()->segmentAt(local);
        return found ? child(static_cast<int>(*found)) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const auto current = mapView()->currentSegment();
        return current && mapView()->hasFocus() ? child(static_cast<int>(*current)) : nullptr;
    }

private:
    DiskMapView* mapView() const { return static_cast<DiskMapView*>(widget()); }

    mutable std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("quorvane::gui::DiskMapView") && object &&
        object->isWidgetType())
        return new DiskMapInterface(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

DiskMapView::DiskMapView(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(accessibleFactory), true);
    (void)installed;

    setObjectName(QStringLiteral("diskMap"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Disk map"));

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("diskMapScroll"));
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll_->setWidgetResizable(true);
    scroll_->horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    canvas_ = new DiskMapCanvas(this);
    scroll_->setWidget(canvas_);
    legend_ = new DiskMapLegend(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(scroll_);
    layout->addWidget(legend_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    mapChanged();
}

QWidget* DiskMapView::canvas() const { return canvas_; }

void DiskMapView::setMap(core::DiskMap map) {
    map_ = std::move(map);
    current_.reset();
    mapChanged();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

void DiskMapView::mapChanged() {
    canvas_->setMinimumWidth(static_cast<int>(std::ceil(map_.width * minimumScale() + 2 * kMargin)));
    canvas_->setFixedHeight(static_cast<int>(std::ceil(map_.height * verticalScale() + 2 * kMargin)));
    legend_->updateGeometry();
    fitHeight();
    canvas_->update();
    legend_->update();
}

// The scroll area as high as the canvas, and its scroll bar when the
// canvas is wider than the window.
void DiskMapView::fitHeight() {
    const bool scrolls = canvas_->minimumWidth() > scroll_->viewport()->width() &&
                         canvas_->minimumWidth() > width();
    const int bar = scrolls ? scroll_->horizontalScrollBar()->sizeHint().height() : 0;
    scroll_->setFixedHeight(canvas_->height() + bar);
}

double DiskMapView::verticalScale() const {
    // A row stays at least two lines of text high when the font is large.
    double lowest = 0;
    for (const MapSegment& s : map_.segments)
        if (s.kind != SegmentKind::BeyondDisk && s.height > 0 && (lowest == 0 || s.height < lowest))
            lowest = s.height;
    if (lowest == 0) return 1;
    return std::max(1.0, (QFontMetricsF(font()).height() + 8) / lowest);
}

double DiskMapView::minimumScale() const {
    // Shrunk to the window as far as the narrowest segment stays usable.
    double narrowest = 0;
    for (const MapSegment& s : map_.segments)
        if (s.kind != SegmentKind::BeyondDisk && s.width > 0 &&
            (narrowest == 0 || s.width < narrowest))
            narrowest = s.width;
    if (narrowest == 0) return 1;
    return std::clamp(kLeastSegment / narrowest, 0.1, 1.0);
}

QRectF DiskMapView::segmentRect(std::size_t segment) const {
    if (segment >= map_.segments.size()) return {};
    return canvas_->placement().rect(map_.segments[segment]);
}

std::optional<std::size_t> DiskMapView::segmentAt(const QPointF& point) const {
    const Placement at = canvas_->placement();
    const std::vector<std::size_t> order = core::paintOrder(map_);
    for (auto i = order.rbegin(); i != order.rend(); ++i)
        if (at.rect(map_.segments[*i]).contains(point)) return *i;
    return std::nullopt;
}

void DiskMapView::selectEntry(std::optional<std::size_t> entryIndex) {
    std::optional<std::size_t> found;
    if (entryIndex)
        for (std::size_t i = 0; i < map_.segments.size(); ++i)
            if (map_.segments[i].entry == entryIndex) {
                found = i;
                break;
            }
    if (found == current_) return;
    current_ = found;
    if (current_) {
        // Its start at least, where it is wider than the window.
        const QRectF box = segmentRect(*current_);
        const double room = std::max(1.0, scroll_->viewport()->width() - 2 * kMargin);
        const double shown = std::clamp(box.width(), 1.0, room);
        scroll_->ensureVisible(static_cast<int>(box.left() + shown / 2),
                               static_cast<int>(box.center().y()),
                               static_cast<int>(shown / 2 + kMargin), 0);
    }
    canvas_->update();
    notifyCurrent();
}

std::optional<std::size_t> DiskMapView::selectedEntry() const {
    if (!current_) return std::nullopt;
    return map_.segments[*current_].entry;
}

void DiskMapView::chooseSegment(std::size_t segment) {
    if (segment < map_.segments.size() && isPartition(map_.segments[segment].kind)) moveTo(segment);
}

void DiskMapView::moveTo(std::size_t segment) {
    const bool changed = current_ != segment;
    selectEntry(map_.segments[segment].entry);
    if (changed && map_.segments[segment].entry) emit entrySelected(*map_.segments[segment].entry);
}

void DiskMapView::clicked(const QPointF& point, bool twice) {
    setFocus(Qt::MouseFocusReason);
    const auto found = segmentAt(point);
    // A gap or the part beyond the disk is no entry: the selection stays.
    if (!found || !isPartition(map_.segments[*found].kind)) return;
    moveTo(*found);
    if (twice) emit segmentActivated(*map_.segments[*found].entry);
}

void DiskMapView::keyPressEvent(QKeyEvent* event) {
    std::vector<std::size_t> partitions;
    for (std::size_t i = 0; i < map_.segments.size(); ++i)
        if (isPartition(map_.segments[i].kind)) partitions.push_back(i);
    if (event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) return QWidget::keyPressEvent(event);
    const auto at = current_ ? std::find(partitions.begin(), partitions.end(), *current_)
                             : partitions.end();
    switch (event->key()) {
        case Qt::Key_Left:
            if (partitions.empty()) break;
            if (at == partitions.end()) moveTo(partitions.back());
            else if (at != partitions.begin()) moveTo(*(at - 1));
            break;
        case Qt::Key_Right:
            if (partitions.empty()) break;
            if (at == partitions.end()) moveTo(partitions.front());
            else if (at + 1 != partitions.end()) moveTo(*(at + 1));
            break;
        case Qt::Key_Home:
            if (!partitions.empty()) moveTo(partitions.front());
            break;
        case Qt::Key_End:
            if (!partitions.empty()) moveTo(partitions.back());
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (const auto entry = selectedEntry()) emit segmentActivated(*entry);
            break;
        default: return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void DiskMapView::notifyCurrent() {
    if (!current_ || !QAccessible::isActive()) return;
    const int child = static_cast<int>(*current_);
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(child);
    QAccessible::updateAccessibility(&selection);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(child);
        QAccessible::updateAccessibility(&focus);
    }
}

void DiskMapView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    canvas_->update();
    notifyCurrent();
}

void DiskMapView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    canvas_->update();
}

void DiskMapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitHeight();
}

void DiskMapView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::StyleChange)
        mapChanged();
}

QColor DiskMapView::fill(MapColour colour, const QPalette& palette) {
    const bool dark = isDark(palette);
    if (colour == MapColour::Unallocated) return palette.color(QPalette::Base);
    const QColor light(QString::fromLatin1(core::svgFill(colour)));
    if (!dark) return light;
    // The same hue, dark enough for the palette's light text.
    float hue = 0, saturation = 0, lightness = 0;
    light.getHslF(&hue, &saturation, &lightness);
    if (hue < 0) hue = 0;
    const float darkLightness = colour == MapColour::Extended ? 0.20f : 0.30f;
    return QColor::fromHslF(hue, std::min(saturation, 0.55f), darkLightness);
}

QImage DiskMapView::renderWithLegend(const QString& title, qreal scale) const {
    const Colours colours(lightPalette());
    const QFont font = this->font();
    const QFontMetricsF metrics(font);
    QFont titleFont = font;
    titleFont.setBold(true);
    const double titleHeight = title.isEmpty() ? 0 : QFontMetricsF(titleFont).height() + 6;

    Placement at;
    at.sx = 1;
    at.sy = verticalScale();
    const double mapWidth = std::max(map_.width, 1.0);
    const double width = std::max(mapWidth, kLeastPictureWidth) + 2 * kPictureMargin;
    at.origin = QPointF(kPictureMargin, kPictureMargin + titleHeight);
    const double legendTop = at.y(map_.height) + 12;
    const double height =
        legendTop + legendHeight(map_.legend, metrics, width - 2 * kPictureMargin) + kPictureMargin;

    const qreal s = scale > 0 ? scale : 1;
    QImage image(QSize(static_cast<int>(std::ceil(width * s)), static_cast<int>(std::ceil(height * s))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(s);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    if (!title.isEmpty()) {
        painter.save();
        painter.setFont(titleFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(kPictureMargin, kPictureMargin, width, titleHeight),
                         Qt::AlignLeft | Qt::AlignTop, title);
        painter.restore();
    }
    paintMap(painter, map_, at, colours, QRectF(0, 0, width, height), std::nullopt, false);
    paintLegend(painter, map_.legend, QPointF(kPictureMargin, legendTop), width - 2 * kPictureMargin,
                colours);
    painter.end();
    return image;
}

bool DiskMapView::writeSvg(const QString& path, const QString& title, QString* error) const {
    const std::string svg = core::diskMapSvg(map_, title.toStdString());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(svg.data(), static_cast<qint64>(svg.size())) == static_cast<qint64>(svg.size()) &&
        file.commit())
        return true;
    if (error) *error = file.errorString();
    return false;
}

}  // namespace quorvane::gui
