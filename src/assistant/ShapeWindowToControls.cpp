// A window that keeps only its frame (unless "controls only"), its title bar
// and its visible controls; the rest lets the eye and the mouse through.
#include "assistant/AssistantClass.h"

#include "platform/ui/Region.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"

#include <utility>

using namespace platform;

namespace {

constexpr int kCorner = 20;         // the window's and its title bar's corners
constexpr int kControlCorner = 12;  // a control's, with "controls only"

int px(Long value) { return static_cast<int>(value); }

// A band about two pixels wide along the line from its start to its end.
// Its ends are sorted first; a line that rises (one extent negative) runs
// from the bottom left to the top right, and its band with it.
Region lineBand(RECT r) {
    const bool rises = (r.right < r.left) != (r.bottom < r.top);
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    const int l = px(r.left), t = px(r.top), right = px(r.right), b = px(r.bottom);
    if (rises) return Region::polygon({{l - 1, b}, {right - 1, t}, {right + 1, t - 1}, {l + 2, b - 1}});
    return Region::polygon({{l - 1, t}, {right - 1, b}, {right + 1, b + 1}, {l + 2, t + 1}});
}

// A visible control's part of the shape, in the window's own pixels.
Region controlShape(Window& w, Long control, const RECT& window, bool controlsOnly) {
    RECT r;
    if (!GetWindowRect(w.controlHandle(control), r)) return {};
    r = {r.left - window.left, r.top - window.top, r.right - window.left, r.bottom - window.top};
    if (w.control(control)->type == CREATE::line) return lineBand(r);
    if (controlsOnly)
        return Region::roundRectangle(px(r.left), px(r.top), px(r.right), px(r.bottom), kControlCorner, kControlCorner);
    return Region::rectangle(px(r.left), px(r.top), px(r.right), px(r.bottom));
}

}  // namespace

void AssistantClass::ShapeWindowToControls(Long windowHandle, Long first, Long last, Byte controlsOnly) {
    Window* w = Window::byHandle(windowHandle);
    RECT window, client;
    if (!w || !GetWindowRect(windowHandle, window) || !GetClientRect(windowHandle, client)) return;
    const int width = px(window.right - window.left), height = px(window.bottom - window.top);
    const int border = (width - px(client.right)) / 2;
    const int top = height - px(client.bottom) - border;  // the title bar and the top frame

    // With controls only nothing of the window stays; otherwise its frame ring.
    Region region;
    if (!controlsOnly) {
        const Region inside =
            Region::roundRectangle(border - 1, border - 1, width - border + 1, height - border + 1, kCorner, kCorner);
        region = Region::roundRectangle(0, 0, width, height, kCorner, kCorner) ^ inside;
    }
    for (Long n = first; n <= last; ++n) {
        const Control* c = w->control(n);
        if (c && w->numberProperty(n, PROP::Hide) == 0)
            region = region | controlShape(*w, n, window, controlsOnly != 0);
    }
    region = region | Region::roundRectangle(border, border, width, top, kCorner, kCorner);
    SetWindowRgn(windowHandle, region, true);
}
