// The window's own frame and caption: the layer draws them, so a window
// region is exactly a mask and the offscreen platform shows the whole window.
// The caption moves the window, the borders of a resizable window size it,
// the boxes close and maximize it, the icon opens the system menu.
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WidgetMask.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/WindowMessages.h"
#include "platform/ui/view/ControlView.h"
#include "platform/ui/view/PointerInput.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace platform {

void WindowView::applyRegion() {
    const std::optional<Region>& region = model_->region();
    QWidget& shown = *outer();
    if (!region)
        setWidgetMask(shown, QRegion());
    else if (region->empty())
        setWidgetMask(shown, QRegion(-2, -2, 1, 1));  // a mask beside the window: nothing shows
    else
        setWidgetMask(shown, region->qRegion());
}

// Told to the window system without making the window again, so it stays
// shown; the window manager lifts it above the others.
void WindowView::applyTopmost() {
    if (sub_) return;  // an MDI child stays inside its frame
    const bool on = model_->topmost();
    overrideWindowFlags(on ? windowFlags() | Qt::WindowStaysOnTopHint : windowFlags() & ~Qt::WindowStaysOnTopHint);
    if (QWindow* shown = windowHandle()) shown->setFlags(windowFlags());
}
// The window keeps its place and its client area's size: the frame shrinks
// or grows by the caption.
void WindowView::applyCaption() {
    applyGeometry();
    update();
}

// Where the window system composes windows; an MDI child is drawn inside its
// frame and keeps its opacity.
void WindowView::applyOpacity() {
    if (!sub_) setWindowOpacity(model_->alpha() / 255.0);
}

namespace {

// How far along a border its corner's handle reaches.
constexpr int kCornerHandle = 16;

QPointer<WindowView>& draggedView() {
    static QPointer<WindowView> view;
    return view;
}

Qt::CursorShape cursorFor(Qt::Edges edges) {
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling = (edges & Qt::LeftEdge) ? bool(edges & Qt::TopEdge) : bool(edges & Qt::BottomEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal) return Qt::SizeHorCursor;
    return vertical ? Qt::SizeVerCursor : Qt::ArrowCursor;
}

}  // namespace

QRect WindowView::captionRect() const {
    if (!model_ || !model_->captionShown()) return {};
    const int f = SystemMetrics::frameWidth;
    return {f, f, width() - 2 * f, SystemMetrics::captionHeight};
}

QRect WindowView::clientRect() const {
    const int f = SystemMetrics::frameWidth;
    const int top = f + (model_ && model_->captionShown() ? SystemMetrics::captionHeight + SystemMetrics::edge : 0);
    return {f, top, width() - 2 * f, height() - top - f};
}

// Without a system menu there is no close box either.
QRect WindowView::closeBoxRect() const {
    if (!frameFlag(PROP::System) || captionRect().isNull()) return {};
    const QRect caption = captionRect();
    const int side = caption.height() - 4;
    return {caption.right() - side - 2, caption.top() + 2, side, side};
}

QRect WindowView::maximizeBoxRect() const {
    if (!frameFlag(PROP::Max) || captionRect().isNull()) return {};
    const QRect caption = captionRect();
    const int side = caption.height() - 4;
    const QRect close = closeBoxRect();
    const int right = close.isNull() ? caption.right() - 2 : close.left() - 2;
    return {right - side, caption.top() + 2, side, side};
}

QRect WindowView::iconRect() const {
    const QRect caption = captionRect();
    return {caption.left(), caption.top(), 20, caption.height()};
}

Qt::Edges WindowView::edgesAt(QPoint at) const {
    if (!frameFlag(PROP::Resize) || maximized()) return {};
    const int f = SystemMetrics::frameWidth;
    const bool left = at.x() < f, right = at.x() >= width() - f;
    const bool top = at.y() < f, bottom = at.y() >= height() - f;
    Qt::Edges edges;
    if (left || ((top || bottom) && at.x() < kCornerHandle)) edges |= Qt::LeftEdge;
    if (right || ((top || bottom) && at.x() >= width() - kCornerHandle)) edges |= Qt::RightEdge;
    if (top || ((left || right) && at.y() < kCornerHandle)) edges |= Qt::TopEdge;
    if (bottom || ((left || right) && at.y() >= height() - kCornerHandle)) edges |= Qt::BottomEdge;
    return edges;
}

void WindowView::buildSystemMenu() {
    systemMenu_ = new QMenu(this);
    // Restore and Maximize are there while the window has a maximize box.
    QAction* restore = systemMenu_->addAction(tr("&Restore"));
    QAction* maximize = systemMenu_->addAction(tr("Ma&ximize"));
    QAction* separator = systemMenu_->addSeparator();
    connect(restore, &QAction::triggered, this, &WindowView::toggleMaximized);
    connect(maximize, &QAction::triggered, this, &WindowView::toggleMaximized);
    connect(systemMenu_, &QMenu::aboutToShow, this, [this, restore, maximize, separator] {
        for (QAction* a : {restore, maximize, separator}) a->setVisible(frameFlag(PROP::Max));
        restore->setEnabled(maximized());
        maximize->setEnabled(!maximized());
    });
    QAction* close = systemMenu_->addAction(tr("&Close"));
    connect(close, &QAction::triggered, this, [this] {
        if (model_) model_->userClosed();
    });
}

void WindowView::showSystemMenu() {
    if (frameFlag(PROP::System)) systemMenu_->popup(mapToGlobal(iconRect().bottomLeft()));
}

void WindowView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), colorFromNumber(static_cast<Long>(0x8000000A)));
    p.setPen(colorFromNumber(static_cast<Long>(0x80000010)));
    if (!frameFlag(PROP::NoFrame)) p.drawRect(rect().adjusted(0, 0, -1, -1));
    // A double or sizing border has a second line inside.
    if (frameFlag(PROP::Double) || frameFlag(PROP::Resize)) p.drawRect(rect().adjusted(2, 2, -3, -3));
    const QRect caption = captionRect();
    if (caption.isNull()) return;
    QLinearGradient gradient(caption.topLeft(), caption.topRight());
    gradient.setColorAt(0, colorFromNumber(static_cast<Long>(0x80000002)));
    gradient.setColorAt(1, colorFromNumber(static_cast<Long>(0x8000001B)));
    p.fillRect(caption, gradient);
    int textLeft = caption.left() + 4;
    const QIcon icon = windowIcon();
    if (frameFlag(PROP::System) && !icon.isNull()) {
        icon.paint(&p, QRect(caption.left() + 2, caption.top() + 2, 16, 16));
        textLeft += 18;
    }
    QFont titleFont = font();
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(colorFromNumber(static_cast<Long>(0x80000009)));
    const QRect close = closeBoxRect();
    const QRect maximize = maximizeBoxRect();
    const int textRight = !maximize.isNull() ? maximize.left() : !close.isNull() ? close.left() : caption.right();
    p.drawText(QRect(textLeft, caption.top(), textRight - textLeft - 2, caption.height()),
               Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
    const QColor face = colorFromNumber(static_cast<Long>(0x8000000F));
    if (!close.isNull()) {
        p.fillRect(close, face);
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(close.topLeft() + QPoint(4, 4), close.bottomRight() - QPoint(4, 4));
        p.drawLine(close.topRight() + QPoint(-4, 4), close.bottomLeft() + QPoint(4, -4));
    }
    if (!maximize.isNull()) {
        p.fillRect(maximize, face);
        p.setPen(QPen(Qt::black, 1));
        const QRect glyph = maximize.adjusted(4, 4, -4, -4);
        if (maximized()) {
            p.drawRect(glyph.adjusted(3, 0, 0, -3));
            p.fillRect(glyph.adjusted(0, 3, -3, 0), face);
            p.drawRect(glyph.adjusted(0, 3, -3, 0));
        } else {
            p.drawRect(glyph);
            p.drawLine(glyph.topLeft() + QPoint(0, 1), glyph.topRight() + QPoint(0, 1));
        }
    }
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
    if (event->button() != Qt::LeftButton || !model_) return;
    const QPoint at = event->position().toPoint();
    bringForward();
    if (const Qt::Edges edges = edgesAt(at)) return startDrag(edges, event->globalPosition().toPoint());
    if (!captionRect().contains(at)) return;
    if (closeBoxRect().contains(at)) return model_->userClosed();
    if (maximizeBoxRect().contains(at)) return toggleMaximized();
    if (iconRect().contains(at)) return showSystemMenu();
    if (!maximized()) startDrag({}, event->globalPosition().toPoint());
}

void WindowView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool onBox = closeBoxRect().contains(at) || maximizeBoxRect().contains(at) || iconRect().contains(at);
    if (event->button() == Qt::LeftButton && captionRect().contains(at) && !onBox) toggleMaximized();
}

void WindowView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) setCursor(cursorFor(edgesAt(event->position().toPoint())));
}

void WindowView::closeEvent(QCloseEvent* event) {
    // The window manager asked: the program decides.
    event->ignore();
    if (model_) model_->userClosed();
}

void WindowView::startDrag(Qt::Edges edges, QPoint globalFrom) {
    if (QGuiApplication::mouseButtons() == Qt::NoButton) return;  // released already
    if (docked()) return;  // its frame places it
    dragEdges_ = edges;
    dragFrom_ = globalFrom;
    dragStart_ = outer()->geometry();
    draggedView() = this;
}

WindowView* WindowView::dragging() { return draggedView(); }

void WindowView::dragTo(QPoint global) {
    const QPoint d = global - dragFrom_;
    QRect r = dragStart_;
    if (!dragEdges_) {
        r.translate(d);
    } else {
        const QSize least = minimumSizeHint();
        if (dragEdges_ & Qt::LeftEdge) r.setLeft(std::min(r.left() + d.x(), r.right() + 1 - least.width()));
        if (dragEdges_ & Qt::RightEdge) r.setRight(std::max(r.right() + d.x(), r.left() - 1 + least.width()));
        if (dragEdges_ & Qt::TopEdge) r.setTop(std::min(r.top() + d.y(), r.bottom() + 1 - least.height()));
        if (dragEdges_ & Qt::BottomEdge) r.setBottom(std::max(r.bottom() + d.y(), r.top() - 1 + least.height()));
    }
    outer()->setGeometry(r);
}

void WindowView::endDrag() {
    if (draggedView() == this) draggedView() = nullptr;
}

void WindowView::toggleMaximized() {
    if (!frameFlag(PROP::Max) || docked()) return;
    setMaximized(!maximized());
    model_->userMaximized(maximized() ? std::optional<Rect>(shownPlacement()) : std::nullopt);
}

bool WindowView::systemCommand(Long command) {
    switch (command) {
        case SC_DRAGMOVE:
            if (!maximized()) startDrag({}, lastPointer());
            return true;
        case SC_KEYMENU: showSystemMenu(); return true;
        default: return false;
    }
}

}  // namespace platform
