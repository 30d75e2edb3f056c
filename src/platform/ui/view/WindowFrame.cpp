// The window's own frame and caption: the layer draws them, so a window
// region is exactly a mask and the offscreen platform shows the whole window.
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlView.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace platform {

QRect WindowView::captionRect() const {
    const int f = SystemMetrics::frameWidth;
    return {f, f, width() - 2 * f, SystemMetrics::captionHeight};
}

QRect WindowView::clientRect() const {
    const int f = SystemMetrics::frameWidth;
    const int top = f + SystemMetrics::captionHeight + SystemMetrics::edge;
    return {f, top, width() - 2 * f, height() - top - f};
}

QRect WindowView::closeBoxRect() const {
    const QRect caption = captionRect();
    const int side = caption.height() - 4;
    return {caption.right() - side - 2, caption.top() + 2, side, side};
}

void WindowView::buildSystemMenu() {
    systemMenu_ = new QMenu(this);
    QAction* close = systemMenu_->addAction(tr("&Close"));
    connect(close, &QAction::triggered, this, [this] {
        if (model_) model_->userClosed();
    });
}

void WindowView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), colorFromNumber(static_cast<Long>(0x8000000A)));
    p.setPen(colorFromNumber(static_cast<Long>(0x80000010)));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect caption = captionRect();
    QLinearGradient gradient(caption.topLeft(), caption.topRight());
    gradient.setColorAt(0, colorFromNumber(static_cast<Long>(0x80000002)));
    gradient.setColorAt(1, colorFromNumber(static_cast<Long>(0x8000001B)));
    p.fillRect(caption, gradient);
    int textLeft = caption.left() + 4;
    const QIcon icon = windowIcon();
    if (!icon.isNull()) {
        icon.paint(&p, QRect(caption.left() + 2, caption.top() + 2, 16, 16));
        textLeft += 18;
    }
    QFont titleFont = font();
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(colorFromNumber(static_cast<Long>(0x80000009)));
    const QRect box = closeBoxRect();
    p.drawText(QRect(textLeft, caption.top(), box.left() - textLeft - 2, caption.height()),
               Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
    p.fillRect(box, colorFromNumber(static_cast<Long>(0x8000000F)));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(box.topLeft() + QPoint(4, 4), box.bottomRight() - QPoint(4, 4));
    p.drawLine(box.topRight() + QPoint(-4, 4), box.bottomLeft() + QPoint(4, -4));
}

void WindowView::bringForward() {
    if (sub_) {
        if (QMdiArea* area = sub_->mdiArea()) area->setActiveSubWindow(sub_);
        return;
    }
    // Offscreen windows have no stacking to change.
    if (QGuiApplication::platformName() != "offscreen") raise();
    activateWindow();
}

void WindowView::mousePressEvent(QMouseEvent* event) {
    bringForward();
    const QPoint at = event->position().toPoint();
    if (!captionRect().contains(at) || event->button() != Qt::LeftButton) return;
    if (closeBoxRect().contains(at)) {
        if (model_) model_->userClosed();
        return;
    }
    if (at.x() < captionRect().left() + 20) {
        systemMenu_->popup(mapToGlobal(at));
        return;
    }
    dragging_ = true;
    dragFrom_ = event->globalPosition().toPoint() - outer()->pos();
}

void WindowView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) outer()->move(event->globalPosition().toPoint() - dragFrom_);
}

void WindowView::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void WindowView::closeEvent(QCloseEvent* event) {
    // The window manager asked: the program decides.
    event->ignore();
    if (model_) model_->userClosed();
}

void WindowView::applyGeometry() {
    const DialogUnits du(font());
    const int f = SystemMetrics::frameWidth;
    const int w = du.toPixelsX(model_->numberProperty(0, PROP::Width)) + 2 * f;
    const int h = du.toPixelsY(model_->numberProperty(0, PROP::Height)) + 2 * f + SystemMetrics::captionHeight +
                  SystemMetrics::edge;
    designedSize_ = QSize(std::max(w, 120), std::max(h, 60));
    resize(designedSize_);
    client_->setGeometry(clientRect());
    if (!model_->isApplication())
        for (const auto& [n, view] : controls_) view->apply(PROP::Xpos);
}

}  // namespace platform
