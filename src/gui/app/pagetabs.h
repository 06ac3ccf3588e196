// A tabbed page control whose headers stand in rows of at most four, the
// first pages in the top row, as the main window lays out its seven pages.
// It presents itself to assistive technology and to the keyboard as a
// tab widget does: one page tab list, one page tab per page, the current
// one selected; the arrow keys, Home and End move between the tabs, and
// only the current tab is a stop of the Tab key.
#pragma once

#include <QAbstractButton>
#include <QWidget>

class QButtonGroup;
class QStackedWidget;
class QVBoxLayout;

namespace quorvane::gui {

class PageTabs;

// One tab header, drawn by the style as a tab.
class PageTab : public QAbstractButton {
    Q_OBJECT
public:
    PageTab(const QString& caption, PageTabs* tabs, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PageTabs* tabs_;
};

// The rows of tab headers: the page tab list.
class PageTabBar : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

class PageTabs : public QWidget {
    Q_OBJECT
public:
    explicit PageTabs(int tabsPerRow, QWidget* parent = nullptr);

    int addPage(QWidget* page, const QString& caption);
    int count() const;
    int currentIndex() const;
    // Shows page `index` and selects its tab; an index out of range does
    // nothing.
    void setCurrentIndex(int index);
    // Shows the page `offset` places after the current one, going round.
    void step(int offset);
    QWidget* page(int index) const;
    PageTab* tab(int index) const;
    PageTabBar* tabBar() const { return bar_; }

signals:
    // Page `index` is about to be shown in place of the current one.
    void aboutToShow(int index);
    void currentChanged(int index);

private:
    int tabsPerRow_;
    PageTabBar* bar_;
    QVBoxLayout* rows_;
    QButtonGroup* tabs_;
    QStackedWidget* pages_;
};

}  // namespace quorvane::gui
