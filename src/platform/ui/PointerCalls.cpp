#include "platform/ui/PointerCalls.h"

#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/PointerInput.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

namespace platform {
namespace {

Long& captured() {
    static Long handle = 0;
    return handle;
}

void grab(Long handle, bool on) {
    const Window* w = Window::byHandle(handle);
    if (w && w->view()) w->view()->capturePointer(on);
}

// The program's window a click at that point reaches: an open popup, else
// the topmost top-level window (the later opened above) showing there.
QWindow* windowUnder(QPoint global) {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup->windowHandle();
    const auto& windows = Window::openWindows();
    for (bool topmost : {true, false})
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            const Window* w = *it;
            const WindowView* view = w->view();
            if (w->topmost() != topmost || !view || !view->isWindow() || !view->isVisible()) continue;
            const QPoint at = view->mapFromGlobal(global);
            if (view->rect().contains(at) && (!w->region() || w->region()->contains(at.x(), at.y())))
                return view->windowHandle();
        }
    return nullptr;
}

void leftButton(QEvent::Type type) {
    static ulong stamp = 0;
    const QPoint global = lastPointer();
    QWindow* target = windowUnder(global);
    if (!target) return;
    const QPointF local = target->mapFromGlobal(QPointF(global));
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, local, local, QPointF(global), Qt::LeftButton, held, Qt::NoModifier);
    event.setTimestamp(++stamp);
    QCoreApplication::sendEvent(target, &event);
}

}  // namespace

void mouse_event(ULong flags, Long, Long, Long, ULong) {
    if (flags & MOUSEEVENTF_LEFTDOWN) leftButton(QEvent::MouseButtonPress);
    if (flags & MOUSEEVENTF_LEFTUP) leftButton(QEvent::MouseButtonRelease);
}

bool GetCursorPos(POINT& at) {
    const QPoint p = lastPointer();
    at = {p.x(), p.y()};
    return true;
}

bool SetCursorPos(Long x, Long y) {
    movePointer(QPoint(static_cast<int>(x), static_cast<int>(y)));
    return true;
}

Long SetCapture(Long handle) {
    const Long before = captured();
    const Window* w = Window::byHandle(handle);
    if (!w || !w->view()) return before;
    if (before != handle) grab(before, false);
    captured() = handle;
    grab(handle, true);
    return before;
}

bool ReleaseCapture() {
    grab(std::exchange(captured(), 0), false);
    return true;
}

Long GetCapture() { return captured(); }

}  // namespace platform
