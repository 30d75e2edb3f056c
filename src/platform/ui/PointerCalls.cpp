#include "platform/ui/PointerCalls.h"

#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/PointerInput.h"

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

}  // namespace

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
