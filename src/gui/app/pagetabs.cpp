#include "gui/app/pagetabs.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/app/accessibility.h"
#include "gui/app/focuschain.h"
#include "gui/app/pageframes.h"

namespace quorvane::gui {

namespace {

QStyleOptionTab tabOption(const PageTab& tab) {
    QStyleOptionTab option;
    option.initFrom(&tab);
    option.text = tab.text();
    option.shape = QTabBar::RoundedNorth;
    option.position = QStyleOptionTab::Middle;
    if (tab.isChecked()) option.state |= QStyle::State_Selected;
    if (tab.hasFocus()) option.state |= QStyle::State_HasFocus;
    return option;
}

// Tells assistive technology that `tab` was selected or deselected.
void reportSelection(PageTab* tab) {
    if (!QAccessible::isActive()) return;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(tab, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

PageTab::PageTab(const QString& caption, PageTabs* tabs, QWidget* parent)
    : QAbstractButton(parent), tabs_(tabs) {
    setText(caption);
    setCheckable(true);
    setAccessibleName(caption);
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize PageTab::sizeHint() const {
    const QStyleOptionTab option = tabOption(*this);
    const QSize label = fontMetrics().size(Qt::TextShowMnemonic, text());
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option,
                                     label + QSize(scaled(16), scaled(8)), this);
}

void PageTab::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.drawControl(QStyle::CE_TabBarTab, tabOption(*this));
}

void PageTab::keyPressEvent(QKeyEvent* event) {
    const int current = tabs_->currentIndex();
    int target = -1;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up: target = current - 1; break;
        case Qt::Key_Right:
        case Qt::Key_Down: target = current + 1; break;
        case Qt::Key_Home: target = 0; break;
        case Qt::Key_End: target = tabs_->count() - 1; break;
        default: QAbstractButton::keyPressEvent(event); return;
    }
    // As in a tab bar, the arrows stop at the first and the last tab.
    tabs_->setCurrentIndex(std::clamp(target, 0, tabs_->count() - 1));
    event->accept();
}

PageTabs::PageTabs(int tabsPerRow, QWidget* parent)
    : QWidget(parent),
      tabsPerRow_(tabsPerRow),
      bar_(new PageTabBar(this)),
      rows_(new QVBoxLayout(bar_)),
      tabs_(new QButtonGroup(this)),
      pages_(new QStackedWidget(this)) {
    installAccessibility();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    bar_->setAccessibleName("Pages");
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    layout->addWidget(bar_);
    pages_->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(pages_, 1);
    tabs_->setExclusive(true);
    connect(tabs_, &QButtonGroup::idClicked, this, &PageTabs::setCurrentIndex);
}

int PageTabs::addPage(QWidget* page, const QString& caption) {
    const int index = count();
    if (index % tabsPerRow_ == 0) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        rows_->addLayout(row);
    }
    // The tabs come before the pages in the Tab order.
    auto* tab = new PageTab(caption, this, bar_);
    if (index > 0) placeAfterInFocusChain(this->tab(index - 1), tab);
    tabs_->addButton(tab, index);
    pages_->addWidget(page);
    static_cast<QHBoxLayout*>(rows_->itemAt(rows_->count() - 1)->layout())->addWidget(tab);
    if (index == 0) {
        tab->setChecked(true);
        tab->setFocusPolicy(Qt::StrongFocus);
    }
    return index;
}

int PageTabs::count() const { return pages_->count(); }

int PageTabs::currentIndex() const { return pages_->currentIndex(); }

void PageTabs::setCurrentIndex(int index) {
    if (index < 0 || index >= count()) return;
    PageTab* shown = tab(index);
    shown->setChecked(true);
    const int previous = pages_->currentIndex();
    if (previous == index) return;
    emit aboutToShow(index);
    PageTab* hidden = tab(previous);
    // Only the current tab is a stop of the Tab key; focus on the tabs
    // follows the selection.
    shown->setFocusPolicy(Qt::StrongFocus);
    const bool hadFocus = hidden->hasFocus();
    hidden->setFocusPolicy(Qt::ClickFocus);
    pages_->setCurrentIndex(index);
    if (hadFocus) shown->setFocus(Qt::TabFocusReason);
    reportSelection(hidden);
    reportSelection(shown);
    emit currentChanged(index);
}

void PageTabs::step(int offset) {
    if (count() == 0) return;
    setCurrentIndex(((currentIndex() + offset) % count() + count()) % count());
}

QWidget* PageTabs::page(int index) const { return pages_->widget(index); }

PageTab* PageTabs::tab(int index) const { return static_cast<PageTab*>(tabs_->button(index)); }

}  // namespace quorvane::gui
