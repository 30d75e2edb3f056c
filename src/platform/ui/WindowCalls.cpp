#include "platform/ui/WindowCalls.h"

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"

namespace platform {

Long GetSystemMetrics(Long index) {
    switch (index) {
        case SM_CXFRAME:
        case SM_CYFRAME: return SystemMetrics::frameWidth;
        case SM_CYCAPTION: return SystemMetrics::captionHeight + SystemMetrics::edge;
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

bool SetWindowRgn(Long handle, std::optional<Region> region, bool redraw) {
    Window* w = Window::byHandle(handle);
    if (!w) return false;
    w->setRegion(std::move(region));
    if (redraw) w->redraw();
    return true;
}

}  // namespace platform
