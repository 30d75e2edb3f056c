// The assistant's replay of a recorded row in the window that recorded it,
// and the two glides it uses: the window's and the pointer's.
#include "assistant/AssistantClass.h"

#include "platform/fiber/Scheduler.h"
#include "platform/ui/MenuCalls.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Window.h"

#include <cmath>

using namespace platform;

namespace {

constexpr Long kNoPosition = -32768;
// The height of the menu bar below the window's corner, in pixels.
constexpr Long kMenuBarY = 32;
constexpr Long kMillisecondsPerSecond = 1000;

bool isWindowType(Long type) { return type == CREATE::application || type == CREATE::window; }

// The place on the menu bar of the menu an item lies in, however deep.
Long barPlaceOf(const Window& window, Long item) {
    Long menu = window.numberProperty(item, PROP::Parent);
    while (menu != 0 && window.numberProperty(menu, PROP::Parent) != 0) menu = window.numberProperty(menu, PROP::Parent);
    return menu == 0 ? 0 : window.numberProperty(menu, PROP::ChildIndex);
}

// One glide from where something stands to a target, as both glides plan it:
// along x by `dx` a pass (y following the line), or straight up or down a
// unit a pass when x does not change.
struct Glide {
    double cx = 0, m = 0, b = 0, dx = 0;
    Long cy = 0;

    Glide(Long x, Long y) : cx(x), cy(y) {}
    bool standsAt(Long px, Long py) const { return static_cast<Long>(std::trunc(cx)) == px && cy == py; }
    bool near(Long x, Long y, double within) const {
        return (cx - x) * (cx - x) + static_cast<double>(cy - y) * (cy - y) < within;
    }
    // `slowDown` divides the step of a slanted line only.
    void plan(Long px, Long py, Long x, Long y, double slowDown) {
        if (px == x) {
            dx = 0;
        } else if (py == y) {
            m = 0;
            b = py;
            dx = px < x ? 1 : -1;
        } else {
            m = static_cast<double>(y - py) / (x - px);
            b = py - m * px;
            dx = ((x - px) / std::sqrt(static_cast<double>(x - px) * (x - px) + static_cast<double>(y - py) * (y - py))) /
                 slowDown;
        }
        cx = px;
    }
    void step(Long py, Long y) {
        if (dx != 0) {
            cx += dx;
            cy = static_cast<Long>(std::trunc(m * cx + b));
        } else {
            cy = py < y ? py + 1 : py - 1;
        }
    }
    bool leaves(const AssistantFields::Rectangle& desktop) const {
        return cx < 0 || cy < 0 || (desktop.RIGHT > 0 && cx > desktop.RIGHT) || (desktop.BOTTOM > 0 && cy > desktop.BOTTOM);
    }
};

// A loop that takes a pass per event, kept turning by the Resume it posts to
// itself. Each pass is an event wait, so the others, Qt's painting among
// them, have their turn. The window's current event is its own again
// afterwards.
template <class Pass>
void passes(Window& window, Pass pass) {
    const Event outer = window.current();
    POST(EVENT::Resume);
    while (window.accept()) {
        if (!pass()) break;
        YIELD();
    }
    window.current() = outer;
}

}  // namespace

void AssistantClass::ReplayEvent(const std::string&, Long windowHandle) {
    Window* window = TARGET();
    if (!window) return;
    const Long ticket = window->field();
    if (SKIPACTIVATEMENU == 0) replayedRow = EVENTQUEUE->rec;
    const EVENTQUEUERecord row = replayedRow;
    const Long type = window->numberProperty(row.CONTROL, PROP::Type);
    const bool menuItem = row.EVENT == EVENT::Accepted && type == CREATE::item &&
                          window->numberProperty(row.CONTROL, PROP::Parent) != 0;
    if (SKIPACTIVATEMENU != 0) {
        --SKIPACTIVATEMENU;
    } else if (row.EVENT == EVENT::Moved && isWindowType(type)) {
        if (window->numberProperty(0, PROP::Xpos) != row.XPOS || window->numberProperty(0, PROP::Ypos) != row.YPOS)
            MoveWindowTo(static_cast<Short>(row.XPOS), static_cast<Short>(row.YPOS));
        return finishReplay(ticket);
    } else if (menuItem) {
        if (row.XPOS != kNoPosition) MoveMouseTo(row.XPOS, kMenuBarY);
        HiliteMenuItem(windowHandle, GetMenu(windowHandle), barPlaceOf(*window, row.CONTROL), MF_HILITE);
        SKIPACTIVATEMENU = 1;
        POST(EVENT_ReplayRecorded, ticket);
        return;
    }
    if (row.XPOS != kNoPosition) {
        MoveMouseTo(row.XPOS, row.YPOS);
        SetCursorPos(WINDOWPOSX + row.XPOS, WINDOWPOSY + row.YPOS);
        if (row.EVENT != EVENT::Accepted) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
            YIELD();
            SLEEP(0);
        }
    }
    if (row.EVENT == EVENT::Accepted) restoreContents(*window, row);
    POST(row.EVENT, row.CONTROL);
    if (menuItem) HiliteMenuItem(windowHandle, GetMenu(windowHandle), barPlaceOf(*window, row.CONTROL), MF_UNHILITE);
    finishReplay(ticket);
}

// A late finish, of a replay the player gave up on, counts for no other row.
void AssistantClass::finishReplay(Long ticket) {
    if (ticket == awaitedReplay) EVENTFINISHED = 1;
    YIELD();
}

void AssistantClass::restoreContents(Window& window, const EVENTQUEUERecord& row) {
    switch (window.numberProperty(row.CONTROL, PROP::Type)) {
        case CREATE::entry:
        case CREATE::text: return typeInto(window, row.CONTROL, clip(row.VALUE.view()));
        case CREATE::check:
        case CREATE::option: return window.change(row.CONTROL, row.VALUE.view());
        case CREATE::list:
            return window.setProperty(row.CONTROL, PROP::Selected, static_cast<Long>(leadingNumber(row.VALUE.view())));
        default: return;
    }
}

// A letter at a time, at TYPESNELHEID letters a second (0: no pause).
void AssistantClass::typeInto(Window& window, Long control, const std::string& text) {
    const Long pause = TYPESNELHEID == 0 ? 0 : kMillisecondsPerSecond / TYPESNELHEID;
    window.change(control, "");
    window.display(control);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string shown = window.property(control, PROP::ScreenText);
        window.change(control, shown.substr(0, std::min(i, shown.size())) + text[i]);
        window.display(control);
        SLEEP(pause);
    }
}

void AssistantClass::MoveWindowTo(Short x, Short y) {
    Window* window = TARGET();
    if (!window) return;
    Glide glide(x, y);
    passes(*window, [&] {
        const Long px = window->numberProperty(0, PROP::Xpos), py = window->numberProperty(0, PROP::Ypos);
        if (!glide.standsAt(px, py)) {
            glide.plan(px, py, x, y, 1);
        } else if (glide.near(x, y, 2.0)) {
            window->setProperty(0, PROP::Xpos, x);
            window->setProperty(0, PROP::Ypos, y);
            return false;
        }
        glide.step(py, y);
        if (glide.leaves(DESKTOPPLACEMENT)) return false;
        window->setProperty(0, PROP::Xpos, static_cast<Long>(std::trunc(glide.cx)));
        window->setProperty(0, PROP::Ypos, glide.cy);
        POST(EVENT::Resume);
        return true;
    });
}

// A slow-down of 0 (the settings window takes it) is no slow-down.
void AssistantClass::MoveMouseTo(Long x, Long y) {
    const Long tx = static_cast<Short>(WINDOWPOSX + x), ty = static_cast<Short>(WINDOWPOSY + y);
    const double slowDown = SLOWDOWNMOUSEVENTS == 0 ? 1 : SLOWDOWNMOUSEVENTS;
    Window mover({.label = "P8$MOUSEMOVEWINDOW", .system = false, .hidden = true});
    mover.open();
    Glide glide(tx, ty);
    passes(mover, [&] {
        POINT pointer;
        if (!GetCursorPos(pointer)) return false;
        if (!glide.standsAt(pointer.x, pointer.y)) {
            glide.plan(pointer.x, pointer.y, tx, ty, slowDown);
        } else if (glide.near(tx, ty, 5.0)) {
            SetCursorPos(tx, ty);
            return false;
        }
        glide.step(pointer.y, ty);
        if (glide.leaves(DESKTOPPLACEMENT)) {
            SetCursorPos(tx, ty);
            return false;
        }
        SetCursorPos(static_cast<Long>(std::trunc(glide.cx)), glide.cy);
        POST(EVENT::Resume);
        return true;
    });
    mover.close();
}
