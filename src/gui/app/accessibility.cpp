#include "gui/app/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QLabel>
#include <QRect>

#include "gui/app/pagetabs.h"

namespace quorvane::gui {

namespace {

// A page tab: selected when its page is shown; its one action shows the
// page, as a click does.
class PageTabInterface : public QAccessibleWidget {
public:
    explicit PageTabInterface(QWidget* tab) : QAccessibleWidget(tab, QAccessible::PageTab) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = tab()->isChecked();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            tab()->click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    PageTab* tab() const { return static_cast<PageTab*>(widget()); }
};

// A label whose text is read as text, not only as its name.
class ReadableLabel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadableLabel(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return content();
        return QAccessibleWidget::text(kind);
    }

    // Read-only text without a selection or a cursor of its own.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return content().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(content().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    QString content() const { return static_cast<QLabel*>(widget())->text(); }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("quorvane::gui::PageTab")) return new PageTabInterface(widget);
    if (className == QLatin1String("quorvane::gui::PageTabBar"))
        return new QAccessibleWidget(widget, QAccessible::PageTabList);
    if (className == QLatin1String("quorvane::gui::CalculatorDisplay"))
        return new ReadableLabel(widget);
    if (className == QLatin1String("quorvane::gui::DiviZediWindow"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    // A line that only parts a window is a separator, not an unnamed frame.
    if (className == QLatin1String("QFrame")) {
        const auto shape = static_cast<QFrame*>(widget)->frameShape();
        if (shape == QFrame::HLine || shape == QFrame::VLine)
            return new QAccessibleWidget(widget, QAccessible::Separator);
    }
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = (QAccessible::installFactory(factory), true);
    (void)installed;
}

}  // namespace quorvane::gui
