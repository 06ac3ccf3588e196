// The disk map control driven as a person would: clicks on its segments,
// the arrow keys, Home and End, Return; its accessible list of segments;
// a map of 200 logical partitions that scrolls sideways; the saved
// picture's colours and the SVG file; its colours against the text in a
// light and a dark palette.
#include <QAccessible>
#include <QApplication>
#include <QWheelEvent>
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "checkedentries.h"
#include "core/workbench/diskmap.h"
#include "core/workbench/diskmapsvg.h"
#include "gui/workbench/diskmapview.h"

using quorvane::gui::DiskMapView;
namespace core = quorvane::core;

namespace {

using quorvane::test::checkedEntry;

// A FAT32 primary partition, an extended one holding a Linux and a swap
// partition with space left inside it and at the disk's end: segments
// primary 1 (entry 0), the frame (entry 1), logical 5 (entry 2), logical 6
// (entry 4; entry 3 is the link), the frame's gap, the disk's gap.
core::DiskMap ordinaryMap(double width = 1000) {
    using core::EntryRole;
    const std::vector<core::CheckedEntry> entries = {
        checkedEntry(EntryRole::Primary, 1, 0, 1, 0x0C, 2048, 18432),
        checkedEntry(EntryRole::Extended, 2, 0, 2, 0x0F, 20480, 39520),
        checkedEntry(EntryRole::Logical, 5, 20480, 1, 0x83, 22528, 18432),
        checkedEntry(EntryRole::Link, std::nullopt, 20480, 2, 0x05, 40960, 16384),
        checkedEntry(EntryRole::Logical, 6, 40960, 1, 0x82, 43008, 14336),
    };
    core::MapLayout layout;
    layout.width = width;
    return core::layoutDiskMap(entries, {}, 64000, core::NumberFormat::point(), layout);
}

// Overlapping primary partitions, one failing a check, and a table that
// reaches beyond the disk: every mark the legend explains.
core::DiskMap brokenMap() {
    using core::EntryRole;
    const std::vector<core::CheckedEntry> entries = {
        checkedEntry(EntryRole::Primary, 1, 0, 1, 0x07, 2048, 18432, {108}),
        checkedEntry(EntryRole::Primary, 2, 0, 2, 0x83, 16384, 16384),
        checkedEntry(EntryRole::Extended, 3, 0, 3, 0x0F, 40960, 30000),
        checkedEntry(EntryRole::Logical, 5, 40960, 1, 0x0B, 43008, 8192),
        checkedEntry(EntryRole::Logical, 6, 40960, 1, 0xA5, 49152, 18000),
    };
    const std::vector<core::Finding> findings = {
        {core::FindingKind::Overlap, {{0, 1}, {0, 2}}, "..."}};
    return core::layoutDiskMap(entries, findings, 64000, core::NumberFormat::point());
}

// An extended partition of 200 small logical partitions.
core::DiskMap manyMap() {
    using core::EntryRole;
    std::vector<core::CheckedEntry> entries = {
        checkedEntry(EntryRole::Extended, 1, 0, 1, 0x0F, 2048, 200 * 4096)};
    for (unsigned n = 0; n < 200; ++n) {
        const std::uint64_t table = 2048 + std::uint64_t{n} * 4096;
        entries.push_back(checkedEntry(EntryRole::Logical, 5 + n, table, 1, n % 2 ? 0x83 : 0x07,
                               table + 63, 4096 - 63));
        if (n + 1 < 200) entries.push_back(checkedEntry(EntryRole::Link, std::nullopt, table, 2, 0x05, table + 4096, 4096));
    }
    return core::layoutDiskMap(entries, {}, 2048 + 200 * 4096, core::NumberFormat::point());
}

QPoint centre(const DiskMapView& view, std::size_t segment) {
    return view.segmentRect(segment).center().toPoint();
}

std::vector<std::size_t> emitted(const QSignalSpy& spy) {
    std::vector<std::size_t> entries;
    for (const QList<QVariant>& call : spy) entries.push_back(call.at(0).value<std::size_t>());
    return entries;
}

}  // namespace

class DiskMapViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DiskMapView> view_;

    void show(core::DiskMap map, int width) {
        view_ = std::make_unique<DiskMapView>();
        view_->setMap(std::move(map));
        view_->resize(width, view_->sizeHint().height());
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
        view_->setFocus();
    }
    QWidget* canvas() { return view_->findChild<QWidget*>("diskMapCanvas"); }

private slots:
    void cleanup() { view_.reset(); }

    // A click selects the partition under the pointer (a logical one over
    // its frame); a gap leaves the selection as it was.
    void clicksSelectPartitions() {
        show(ordinaryMap(), 1008);
        QSignalSpy selected(view_.get(), &DiskMapView::entrySelected);
        const struct {
            const char* what;
            QPoint at;
            std::optional<std::size_t> entry;
        } cases[] = {
            {"primary 1", centre(*view_, 0), 0},
            {"logical 5", centre(*view_, 2), 2},
            {"the frame above its logicals", view_->segmentRect(1).topLeft().toPoint() + QPoint(80, 2), 1},
            {"logical 6", centre(*view_, 3), 4},
            {"the frame's gap", centre(*view_, 4), 4},
            {"the disk's gap", centre(*view_, 5), 4},
            {"logical 6 again", centre(*view_, 3), 4},
        };
        for (const auto& c : cases) {
            QTest::mouseClick(canvas(), Qt::LeftButton, {}, c.at);
            QVERIFY2(view_->selectedEntry() == c.entry, c.what);
        }
        // A click on the selected partition is no new selection.
        QCOMPARE(emitted(selected), (std::vector<std::size_t>{0, 2, 1, 4}));

        QSignalSpy activated(view_.get(), &DiskMapView::segmentActivated);
        QTest::mouseDClick(canvas(), Qt::LeftButton, {}, centre(*view_, 0));
        QCOMPARE(emitted(activated), (std::vector<std::size_t>{0}));
        QVERIFY(view_->hasFocus());
    }

    void keysMoveBetweenPartitionsInDiskOrder() {
        show(ordinaryMap(), 1008);
        QSignalSpy selected(view_.get(), &DiskMapView::entrySelected);
        QSignalSpy activated(view_.get(), &DiskMapView::segmentActivated);
        const struct {
            Qt::Key key;
            std::optional<std::size_t> entry;
        } cases[] = {
            {Qt::Key_Right, 0}, {Qt::Key_Right, 1}, {Qt::Key_Right, 2}, {Qt::Key_Right, 4},
            {Qt::Key_Right, 4}, {Qt::Key_Left, 2},  {Qt::Key_Home, 0},  {Qt::Key_Left, 0},
            {Qt::Key_End, 4},   {Qt::Key_Return, 4}, {Qt::Key_Space, 4},
        };
        for (const auto& c : cases) {
            QTest::keyClick(view_.get(), c.key);
            QCOMPARE(view_->selectedEntry(), c.entry);
        }
        QCOMPARE(emitted(selected), (std::vector<std::size_t>{0, 1, 2, 4, 2, 0, 4}));
        QCOMPARE(emitted(activated), (std::vector<std::size_t>{4, 4}));
    }

    // The list selects on the map without an echo; an entry the map does
    // not draw (a link) selects nothing; a new map clears the selection.
    void selectEntryFollowsTheList() {
        show(ordinaryMap(), 1008);
        QSignalSpy selected(view_.get(), &DiskMapView::entrySelected);
        const struct {
            std::optional<std::size_t> entry;
            std::optional<std::size_t> segment;
        } cases[] = {{2, 2}, {4, 3}, {3, std::nullopt}, {1, 1}, {std::nullopt, std::nullopt}};
        for (const auto& c : cases) {
            view_->selectEntry(c.entry);
            QCOMPARE(view_->currentSegment(), c.segment);
        }
        QVERIFY(selected.isEmpty());
        view_->selectEntry(0);
        view_->setMap(ordinaryMap());
        QCOMPARE(view_->currentSegment(), std::nullopt);

        // A map not shown yet, narrower than its margins, follows too.
        DiskMapView hidden;
        hidden.resize(4, 4);
        hidden.setMap(manyMap());
        hidden.selectEntry(399);
        QCOMPARE(hidden.selectedEntry(), std::optional<std::size_t>(399));
    }

    void screenReadersReadTheSegmentsAsAList() {
        show(ordinaryMap(), 1008);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view_.get());
        QVERIFY(list);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Disk map"));
        QStringList names;
        for (int i = 0; i < list->childCount(); ++i) {
            QAccessibleInterface* item = list->child(i);
            QCOMPARE(item->role(), QAccessible::ListItem);
            QCOMPARE(item->parent(), list);
            QCOMPARE(list->indexOfChild(item), i);
            names << item->text(QAccessible::Name);
        }
        QCOMPARE(names, (QStringList{
                            "Partition 1, type 0C, 9 MB, sectors 2,048 to 20,479",
                            "Partition 2, extended, type 0F, 19 MB, sectors 20,480 to 59,999",
                            "Partition 5, type 83, 9 MB, sectors 22,528 to 40,959",
                            "Partition 6, type 82, 7 MB, sectors 43,008 to 57,343",
                            "unallocated, 1 MB, sectors 57,344 to 59,999",
                            "unallocated, 1 MB, sectors 60,000 to 63,999",
                        }));

        QTest::keyClick(view_.get(), Qt::Key_End);
        QCOMPARE(list->focusChild(), list->child(3));
        for (int i = 0; i < list->childCount(); ++i) {
            const QAccessible::State state = list->child(i)->state();
            QCOMPARE(bool(state.selected), i == 3);
            QCOMPARE(bool(state.selectable), i < 4);  // partitions, not gaps
        }
        // A screen reader selects with an item's action; a gap has none.
        QSignalSpy selected(view_.get(), &DiskMapView::entrySelected);
        list->child(0)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(list->child(4)->actionInterface()->actionNames(), QStringList());
        QCOMPARE(emitted(selected), (std::vector<std::size_t>{0}));
        QVERIFY(list->child(0)->state().selected);

        // The item under a point of the screen, as a screen reader's mouse
        // review asks.
        const QPoint onLogical5 = canvas()->mapToGlobal(centre(*view_, 2));
        QCOMPARE(list->childAt(onLogical5.x(), onLogical5.y()), list->child(2));
        QVERIFY(list->child(2)->rect().contains(onLogical5));

        // A smaller map: the items beyond it are gone.
        view_->setMap(core::layoutDiskMap({}, {}, 64000, core::NumberFormat::point()));
        QCOMPARE(list->childCount(), 1);
        QCOMPARE(list->child(0)->text(QAccessible::Name),
                 QStringLiteral("unallocated, 31 MB, sectors 0 to 63,999"));
    }

    // 200 logical partitions: each keeps its least width, so the map
    // scrolls sideways and the keys scroll it to the selection.
    void manyPartitionsScroll() {
        show(manyMap(), 600);
        auto* scroll = view_->findChild<QScrollArea*>("diskMapScroll");
        QVERIFY(scroll);
        QVERIFY(canvas()->width() > scroll->viewport()->width());
        QScrollBar* bar = scroll->horizontalScrollBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->value(), 0);
        QVERIFY(!view_->grab().isNull());
        QCOMPARE(QAccessible::queryAccessibleInterface(view_.get())->childCount(),
                 static_cast<int>(view_->map().segments.size()));

        QTest::keyClick(view_.get(), Qt::Key_End);
        QCOMPARE(view_->selectedEntry(), std::optional<std::size_t>(399));  // logical 204
        const auto shown = [&] {
            return QRect(bar->value(), 0, scroll->viewport()->width(), canvas()->height());
        };
        QVERIFY(shown().contains(view_->segmentRect(*view_->currentSegment()).center().toPoint()));
        // The frame, wider than the window: its start.
        QTest::keyClick(view_.get(), Qt::Key_Home);
        QCOMPARE(view_->selectedEntry(), std::optional<std::size_t>(0));
        QVERIFY(shown().contains(view_->segmentRect(0).topLeft().toPoint() + QPoint(1, 1)));

        // The wheel turned towards the user scrolls right.
        const int before = bar->value();
        const QPoint at = canvas()->mapFrom(view_.get(), QPoint(100, 10));
        QWheelEvent wheel(at, canvas()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas(), &wheel);
        QVERIFY(bar->value() > before);
    }

    // The saved picture is light whatever the desktop's palette; the SVG
    // file is the core's picture.
    void savedPictures() {
        show(brokenMap(), 800);
        QPalette dark = view_->palette();
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
        dark.setColor(QPalette::Text, Qt::white);
        view_->setPalette(dark);

        const QImage picture = view_->renderWithLegend(QStringLiteral("Disk 1"));
        const core::DiskMap& map = view_->map();
        QVERIFY(picture.width() >= map.width);
        QVERIFY(picture.height() > map.height + 2 * 20);  // a title and a legend of some lines
        QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::white));
        // Logical 6 (type A5, "other") where neither label nor mark lies:
        // its light fill.
        const auto found = std::find_if(map.segments.begin(), map.segments.end(),
                                        [](const core::MapSegment& s) { return s.entry == 4u; });
        QVERIFY(found != map.segments.end());
        const core::MapSegment& other = *found;
        QCOMPARE(other.colour, core::MapColour::Other);
        QImage twice = view_->renderWithLegend({}, 2);
        QCOMPARE(twice.width(), 2 * view_->renderWithLegend().width());
        const QImage plain = view_->renderWithLegend();
        const QPoint inside(static_cast<int>(8 + other.x + 3), static_cast<int>(8 + other.y + 3));
        QCOMPARE(plain.pixelColor(inside).name(), QStringLiteral("#bdbdbd"));

        QTemporaryDir dir;
        const QString path = dir.filePath("map.svg");
        QVERIFY(view_->writeSvg(path, QStringLiteral("Disk 1")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), core::diskMapSvg(map, "Disk 1"));
        QString error;
        QVERIFY(!view_->writeSvg(dir.filePath("missing/map.svg"), {}, &error));
        QVERIFY(!error.isEmpty());
    }

    // Every colour class keeps the palette's text readable: light fills
    // under dark text, dark fills under light text.
    void fillsReadInLightAndDarkPalettes() {
        QPalette light;
        light.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
        light.setColor(QPalette::Base, Qt::white);
        light.setColor(QPalette::Text, Qt::black);
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2a, 0x2a, 0x2a));
        dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
        dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
        using core::MapColour;
        for (const QPalette& palette : {light, dark})
            for (const MapColour colour :
                 {MapColour::Fat, MapColour::Ntfs, MapColour::Linux, MapColour::LinuxSwap,
                  MapColour::Extended, MapColour::Protective, MapColour::Other,
                  MapColour::Unallocated, MapColour::BeyondDisk}) {
                const double contrast = std::abs(DiskMapView::fill(colour, palette).lightnessF() -
                                                 palette.color(QPalette::Text).lightnessF());
                QVERIFY2(contrast >= 0.45, core::mapColourName(colour).data());
            }
    }
};

QTEST_MAIN(DiskMapViewTest)
#include "diskmapview_test.moc"
