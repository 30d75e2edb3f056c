// Event queues per thread, and the window timers that feed them.
//
// Rules:
// - Every thread (fiber) has one queue, whether or not it has a window open.
//   An event is addressed to a window (its handle) or, when the thread had
//   no window when it was posted, to none: then the thread's next event wait
//   takes it, whichever window waits.
// - A window's event wait takes, in order, the events addressed to it or to
//   none; the events of other windows of the thread stay queued.
// - Events addressed to a window that closed are dropped; the thread's other
//   events are not. A thread's queue goes with the thread.
// - A window with PROP:Timer n (hundredths of a second, 0 off) gets
//   EVENT:Timer every n hundredths on the layer's clock; a tick never queues
//   behind another of the same window, and a late timer does not catch up.
#pragma once

#include "platform/text/Text.h"

#include <optional>

namespace platform {

struct Event {
    Long event = 0;
    Long field = 0;
    Long keyCode = 0;
    Long keyChar = 0;          // KEYCHAR(): the character typed, 0 for none
    Long keyState = 0;         // KEYSTATE(): KEY::Shift, KEY::Ctrl, KEY::Alt bits
    Long mouseX = 0, mouseY = 0;    // MOUSEX(), MOUSEY(): window units, or pixels under PROP:Pixels
    Long screenX = 0, screenY = 0;  // the pointer in screen pixels
    Long time = 0;             // CLOCK() when it happened
};

namespace threadEvents {

void post(int thread, Long window, const Event& e);
// The next event for `window` on its thread; nothing when none is queued.
std::optional<Event> take(int thread, Long window);
bool waiting(int thread, Long window);
bool queued(int thread, Long window, Long event);
void dropFor(int thread, Long window);

// PROP:Timer of a window, in hundredths of a second; 0 stops it.
void setTimer(int thread, Long window, Long hundredths);

}  // namespace threadEvents
}  // namespace platform
