#include "platform/ui/view/DockHost.h"

#include "platform/ui/Equates.h"
#include "platform/ui/WindowView.h"

#include <QEvent>
#include <QMdiArea>
#include <algorithm>

namespace platform {

DockHost::DockHost(QMdiArea* area, QWidget* parent) : QWidget(parent), area_(area) { area->setParent(this); }

void DockHost::dock(WindowView& view, Long edge) {
    const auto at = std::find_if(docked_.begin(), docked_.end(), [&](const Docked& d) { return d.view == &view; });
    if (at != docked_.end() && at->edge == edge) return layOut();
    if (at != docked_.end()) docked_.erase(at);
    if (view.parentWidget() != this) {
        view.setParent(this);  // keeps its window hints (stays on top) for when it floats again
        view.installEventFilter(this);
    }
    docked_.push_back({&view, edge});
    layOut();
}

void DockHost::release(WindowView& view) {
    std::erase_if(docked_, [&](const Docked& d) { return d.view == &view; });
    view.removeEventFilter(this);
    view.setParent(nullptr, view.windowFlags() | Qt::Window);
    layOut();
}

void DockHost::releaseAll() {
    forgetGone();
    while (!docked_.empty()) {
        WindowView& view = *docked_.front().view;
        release(view);
        view.showFloating();
    }
}

void DockHost::forgetGone() {
    std::erase_if(docked_, [](const Docked& d) { return d.view.isNull(); });
}

void DockHost::layOut() {
    forgetGone();
    int top = 0, bottom = height(), left = 0, right = width();
    for (Long edge : {DOCK::Top, DOCK::Bottom, DOCK::Left, DOCK::Right}) {
        for (const Docked& d : docked_) {
            QWidget& w = *d.view;
            if (d.edge != edge || w.isHidden()) continue;
            const QSize size = w.size();
            switch (edge) {
                case DOCK::Top: w.move(0, top), top += size.height(); break;
                case DOCK::Bottom: bottom -= size.height(), w.move(0, bottom); break;
                case DOCK::Left: w.move(left, top), left += size.width(); break;
                default: right -= size.width(), w.move(right, top); break;
            }
            w.raise();
        }
    }
    area_->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void DockHost::resizeEvent(QResizeEvent*) { layOut(); }

bool DockHost::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != area_ && (type == QEvent::Resize || type == QEvent::Show || type == QEvent::Hide)) layOut();
    return QWidget::eventFilter(watched, event);
}

}  // namespace platform
