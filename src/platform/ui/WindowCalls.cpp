#include "platform/ui/WindowCalls.h"

#include "platform/ui/Compositor.h"
#include "platform/ui/DesktopRect.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

namespace platform {

Long GetSystemMetrics(Long index) {
    switch (index) {
        case SM_CXFRAME:
        case SM_CYFRAME: return SystemMetrics::frameWidth;
        case SM_CYCAPTION: return SystemMetrics::captionHeight + SystemMetrics::edge;
        case SM_CXEDGE:
        case SM_CYEDGE: return SystemMetrics::edge;
        default: return 0;
    }
}

bool SetWindowPos(Long handle, Long insertAfter, Long x, Long y, Long width, Long height, Long flags) {
    Window* w = Window::byHandle(handle);
    const Long keepsPlace = SWP_NOMOVE | SWP_NOSIZE;
    if (!w || (flags & keepsPlace) != keepsPlace) return false;
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) w->setTopmost(insertAfter == HWND_TOPMOST);
    if (flags & SWP_SHOWWINDOW) w->setProperty(0, PROP::Hide, 0);
    return true;
}

bool ShowWindow(Long handle, ULong command) {
    Window* w = Window::byHandle(handle);
    if (!w || command != SW_RESTORE) return false;
    w->setProperty(0, PROP::Hide, 0);
    if (w->numberProperty(0, PROP::Maximize) != 0) w->setProperty(0, PROP::Maximize, 0);
    w->setProperty(0, PROP::Active, 1);
    return true;
}

bool SetWindowRgn(Long handle, std::optional<Region> region, bool redraw) {
    Window* w = Window::byHandle(handle);
    if (!w) return false;
    w->setRegion(std::move(region));
    if (redraw) w->redraw();
    return true;
}

Long GetWindowLong(Long handle, Long index) {
    const Window* w = Window::byHandle(handle);
    return w && (index == GWL_STYLE || index == GWL_EXSTYLE) ? w->style(index == GWL_EXSTYLE) : 0;
}

Long SetWindowLong(Long handle, Long index, Long value) {
    Window* w = Window::byHandle(handle);
    if (!w || (index != GWL_STYLE && index != GWL_EXSTYLE)) return 0;
    const Long previous = w->style(index == GWL_EXSTYLE);
    w->setStyle(index == GWL_EXSTYLE, value);
    return previous;
}

bool SetLayeredWindowAttributes(Long handle, Long, Byte alpha, Long flags) {
    Window* w = Window::byHandle(handle);
    if (!w || (w->style(true) & WS_EX_LAYERED) == 0) return false;
    if (flags & LWA_ALPHA) w->setAlpha(alpha);
    return true;
}

namespace {

std::optional<bool>& layeredShownByTest() {
    static std::optional<bool> shown;
    return shown;
}

}  // namespace

bool layeredWindowsShown() { return layeredShownByTest().value_or(compositorRuns()); }

void showLayeredWindows(std::optional<bool> shown) { layeredShownByTest() = shown; }

bool UpdateWindow(Long handle) {
    Window* w = Window::byHandle(handle);
    if (w) w->redraw();
    return w != nullptr;
}

bool InvalidateRect(Long handle) {
    const Window* w = Window::byHandle(handle);
    if (w && w->view()) w->view()->outer()->update();
    return w && w->view();
}

namespace {

RECT rectOf(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

const WindowView* shownView(Long handle) {
    const Window* w = Window::byHandle(handle);
    return w ? w->view() : nullptr;
}

// A line's ends as the program placed it, on the screen: its extents keep their signs.
RECT lineRect(const Window& w, Long control, const QWidget& holder) {
    const QPoint origin = holder.mapToGlobal(QPoint(0, 0));
    const Rect at = w.placement(control);
    return {origin.x() + at.x, origin.y() + at.y, origin.x() + at.x + at.width, origin.y() + at.y + at.height};
}

bool controlRect(Window& w, Long control, RECT& rect) {
    const QWidget* widget = w.view() ? w.view()->widget(control) : nullptr;
    if (!widget || !widget->parentWidget()) return false;
    if (w.control(control)->type == CREATE::line) {
        rect = lineRect(w, control, *widget->parentWidget());
    } else {
        rect = rectOf(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
    }
    return true;
}

}  // namespace

namespace {

// Windows lie 10000h apart from 10000h on, their controls above them.
constexpr Long kDesktopHandle = 1;

}  // namespace

Long GetDesktopWindow() { return kDesktopHandle; }

bool GetWindowRect(Long handle, RECT& rect) {
    if (handle == kDesktopHandle) {
        const ScreenRect desktop = desktopRect();
        rect = {desktop.left, desktop.top, desktop.right, desktop.bottom};
        return true;
    }
    Long control = 0;
    Window* w = Window::byAnyHandle(handle, control);
    if (w && control != 0) return controlRect(*w, control, rect);
    const WindowView* view = shownView(handle);
    if (!view) return false;
    rect = rectOf(view->screenRect());
    return true;
}

bool MoveWindow(Long handle, Long x, Long y, Long width, Long height, bool repaint) {
    Window* w = Window::byHandle(handle);
    if (!w || !w->view()) return false;
    const QSize client = w->view()->clientSizeOf(QSize(static_cast<int>(width), static_cast<int>(height)));
    w->placeInPixels({static_cast<int>(x), static_cast<int>(y), client.width(), client.height()});
    if (repaint) w->redraw();
    return true;
}

namespace {

// The point moved by the client area's screen corner, that many times.
bool shiftedByClientOrigin(Long handle, POINT& point, int times) {
    const WindowView* view = shownView(handle);
    if (!view) return false;
    const QPoint origin = view->clientOrigin();
    point = {point.x + times * origin.x(), point.y + times * origin.y()};
    return true;
}

}  // namespace

bool ClientToScreen(Long handle, POINT& point) { return shiftedByClientOrigin(handle, point, 1); }

bool ScreenToClient(Long handle, POINT& point) { return shiftedByClientOrigin(handle, point, -1); }

bool GetClientRect(Long handle, RECT& rect) {
    const WindowView* view = shownView(handle);
    if (!view) return false;
    const QRect client = view->clientRect();
    rect = {0, 0, client.width(), client.height()};
    return true;
}

bool GetWindowPlacement(Long handle, WINDOWPLACEMENT& placement) {
    const WindowView* view = shownView(handle);
    if (!view) return false;
    placement.flags = 0;
    placement.showCmd = view->maximized() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    placement.ptMinPosition = {-1, -1};
    placement.ptMaxPosition = {-1, -1};
    placement.rcNormalPosition = rectOf(view->restoredRect());
    return true;
}

}  // namespace platform
