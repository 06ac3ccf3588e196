// A tabbed page control whose headers stand in rows of at most four, the
// first pages in the top row, as the main window lays out its seven pages.
#pragma once

#include <QAbstractButton>
#include <QWidget>

class QButtonGroup;
class QStackedWidget;
class QVBoxLayout;

namespace quorvane::gui {

// One tab header, drawn by the style as a tab.
class PageTab : public QAbstractButton {
    Q_OBJECT
public:
    explicit PageTab(const QString& caption, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class PageTabs : public QWidget {
    Q_OBJECT
public:
    explicit PageTabs(int tabsPerRow, QWidget* parent = nullptr);

    int addPage(QWidget* page, const QString& caption);
    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    QWidget* page(int index) const;
    PageTab* tab(int index) const;

signals:
    void currentChanged(int index);

private:
    int tabsPerRow_;
    QVBoxLayout* rows_;
    QButtonGroup* tabs_;
    QStackedWidget* pages_;
};

}  // namespace quorvane::gui
