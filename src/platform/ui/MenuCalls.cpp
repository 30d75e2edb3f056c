#include "platform/ui/MenuCalls.h"

#include "platform/ui/Window.h"

namespace platform {

Long GetMenu(Long windowHandle) {
    const Window* w = Window::byHandle(windowHandle);
    return w ? w->menuHandle() : 0;
}

bool HiliteMenuItem(Long windowHandle, Long menuHandle, Long item, Long flags) {
    Window* w = Window::byHandle(windowHandle);
    if (!w || menuHandle == 0 || w->menuHandle() != menuHandle || w->menuBarEntry(item) == 0) return false;
    if (flags & MF_HILITE)
        w->lightMenu(item);
    else if (w->litMenu() == item)
        w->lightMenu(0);
    return true;
}

}  // namespace platform
