#include "platform/ui/view/MdiArrangement.h"

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/KeptInside.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <cmath>
#include <vector>

namespace platform {
namespace {

struct Child {
    QMdiSubWindow* sub;
    WindowView* view;
};

std::vector<Child> arrangedChildren(QMdiArea& area, QMdiArea::WindowOrder order) {
    std::vector<Child> children;
    for (QMdiSubWindow* sub : area.subWindowList(order))
        if (auto* view = qobject_cast<WindowView*>(sub->widget()); view && sub->isVisible() && !sub->isMinimized())
            children.push_back({sub, view});
    return children;
}

}  // namespace

void tileChildren(QMdiArea& area) {
    const std::vector<Child> children = arrangedChildren(area, QMdiArea::CreationOrder);
    if (children.empty()) return;
    const QRect room = area.viewport()->rect();
    const int count = static_cast<int>(children.size());
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    const QSize cell(room.width() / columns, room.height() / rows);
    for (int i = 0; i < count; ++i) {
        const Child& c = children[static_cast<std::size_t>(i)];
        const QPoint corner(i % columns * cell.width(), i / columns * cell.height());
        const QSize size = c.view->resizable() ? cell.expandedTo(c.view->minimumSizeHint()) : c.view->ownSize();
        c.view->arrangeTo(keptInside(QRect(corner, size), room));
    }
}

void cascadeChildren(QMdiArea& area) {
    const QRect room = area.viewport()->rect();
    const int step = SystemMetrics::captionHeight + SystemMetrics::frameWidth;
    int offset = 0;
    for (const Child& c : arrangedChildren(area, QMdiArea::StackingOrder)) {
        const QSize size = c.view->resizable() ? c.view->ownSize().boundedTo(room.size()) : c.view->ownSize();
        c.view->arrangeTo(keptInside(QRect(QPoint(offset, offset), size), room));
        offset += step;
    }
}

}  // namespace platform
