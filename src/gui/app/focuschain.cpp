#include "gui/app/focuschain.h"

#include <QWidget>
#include <vector>

namespace quorvane::gui {

void placeAfterInFocusChain(QWidget* after, QWidget* widget) {
    if (after == widget) return;
    // QWidget::setTabOrder() moves only widgets that take focus, and leaves
    // the chain as it is when only widgets that take none stand between
    // the two; those take it for the move. A widget with a focus proxy
    // passes its policy on to the proxy, so those are left alone.
    std::vector<QWidget*> lent;
    for (QWidget* w = after;; w = w->nextInFocusChain()) {
        if (w->focusPolicy() == Qt::NoFocus && !w->focusProxy()) {
            w->setFocusPolicy(Qt::TabFocus);
            lent.push_back(w);
        }
        if (w == widget) break;
    }
    QWidget::setTabOrder(after, widget);
    for (QWidget* w : lent) w->setFocusPolicy(Qt::NoFocus);
}

}  // namespace quorvane::gui
