#include "platform/ui/WindowMessages.h"

#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QMetaObject>

namespace platform {

bool PostMessage(Long handle, Long message, Long wParam, Long) {
    Window* window = Window::byHandle(handle);
    WindowView* view = window ? window->view() : nullptr;
    if (!view || message != WM_SYSCOMMAND || (wParam != SC_DRAGMOVE && wParam != SC_KEYMENU)) return false;
    QMetaObject::invokeMethod(view, [view, wParam] { view->systemCommand(wParam); }, Qt::QueuedConnection);
    return true;
}

}  // namespace platform
