// The pointer and the mouse capture, as the system's calls give them.
//
// Rules:
// - The pointer is the layer's own, in screen pixels: every mouse event Qt
//   hands the layer puts it where the event happened, and SetCursorPos puts
//   it anywhere; the platform's pointer follows (the real one under xcb).
//   GetCursorPos reads it.
// - SetCapture: while a window holds the capture, every press, release and
//   double click anywhere goes to its client area, whatever lies under the
//   pointer (under xcb other programs' windows too): the window's alerted
//   mouse keys (KEY::MouseLeft 1, MouseRight 2, MouseLeft2 5 ...) give
//   AlertKey with control 0, and no other window hears the click. One window
//   holds it at a time; SetCapture answers the handle of the one that held
//   it before (0 none). ReleaseCapture lets it go; so does the window's
//   closing. A handle that is no open window's captures nothing.
// - mouse_event with MOUSEEVENTF_LEFTDOWN and MOUSEEVENTF_LEFTUP presses and
//   releases the left button where the pointer is, as the mouse does: the
//   press goes to the popup menu that is up, else to the topmost window of
//   the program that shows at that point (its region honoured), and there to
//   the widget under it; what it raises carries KEY::MouseLeft. Both flags:
//   a press, then a release. The other flags and arguments are ignored.
#pragma once

#include "platform/ui/WindowCalls.h"

namespace platform {

bool GetCursorPos(POINT& at);
bool SetCursorPos(Long x, Long y);

Long SetCapture(Long handle);
bool ReleaseCapture();
Long GetCapture();

constexpr ULong MOUSEEVENTF_LEFTDOWN = 0x0002;
constexpr ULong MOUSEEVENTF_LEFTUP = 0x0004;
void mouse_event(ULong flags, Long dx, Long dy, Long data, ULong extraInfo);

}  // namespace platform
