// The system's calls on a window's menu bar.
//
// Rules:
// - GetMenu gives the menu bar's handle (Window::menuHandle), 0 for a window
//   without one or a handle that is no open window's.
// - HiliteMenuItem lights or unlights the bar's entry given by its place (1
//   the first, as PROP:ChildIndex counts a menu on the bar), its menu staying
//   closed; MF_HILITE lights it, without it the entry's light goes. One entry
//   at most is lit. False, and nothing done, for a menu handle that is not the
//   window's or a place with no entry.
#pragma once

#include "platform/text/Text.h"

namespace platform {

constexpr Long MF_UNHILITE = 0x00;
constexpr Long MF_HILITE = 0x80;

Long GetMenu(Long windowHandle);
bool HiliteMenuItem(Long windowHandle, Long menuHandle, Long item, Long flags);

}  // namespace platform
