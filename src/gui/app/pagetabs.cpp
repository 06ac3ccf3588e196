#include "gui/app/pagetabs.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QVBoxLayout>

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

}  // namespace

PageTab::PageTab(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
    setText(caption);
    setCheckable(true);
    setAccessibleName(caption);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize PageTab::sizeHint() const {
    const QStyleOptionTab option = tabOption(*this);
    const QSize label = fontMetrics().size(Qt::TextShowMnemonic, text());
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option,
                                     label + QSize(16, 8), this);
}

void PageTab::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.drawControl(QStyle::CE_TabBarTab, tabOption(*this));
}

PageTabs::PageTabs(int tabsPerRow, QWidget* parent)
    : QWidget(parent),
      tabsPerRow_(tabsPerRow),
      rows_(new QVBoxLayout),
      tabs_(new QButtonGroup(this)),
      pages_(new QStackedWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    rows_->setSpacing(0);
    layout->addLayout(rows_);
    pages_->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(pages_, 1);
    tabs_->setExclusive(true);
    connect(tabs_, &QButtonGroup::idClicked, this, &PageTabs::setCurrentIndex);
}

int PageTabs::addPage(QWidget* page, const QString& caption) {
    const int index = pages_->addWidget(page);
    if (index % tabsPerRow_ == 0) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        rows_->addLayout(row);
    }
    auto* tab = new PageTab(caption, this);
    tabs_->addButton(tab, index);
    static_cast<QHBoxLayout*>(rows_->itemAt(rows_->count() - 1)->layout())->addWidget(tab);
    if (index == 0) tab->setChecked(true);
    return index;
}

int PageTabs::count() const { return pages_->count(); }

int PageTabs::currentIndex() const { return pages_->currentIndex(); }

void PageTabs::setCurrentIndex(int index) {
    if (index < 0 || index >= count()) return;
    tab(index)->setChecked(true);
    if (pages_->currentIndex() == index) return;
    pages_->setCurrentIndex(index);
    emit currentChanged(index);
}

QWidget* PageTabs::page(int index) const { return pages_->widget(index); }

PageTab* PageTabs::tab(int index) const { return static_cast<PageTab*>(tabs_->button(index)); }

}  // namespace quorvane::gui
