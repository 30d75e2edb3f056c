// The Windows messages the system posts to a window's handle, carried out by
// the layer: WM_SYSCOMMAND with SC_DRAGMOVE lets the user drag the window by
// the pointer while the mouse button stays down (as a press on its caption
// does), SC_KEYMENU opens its system menu.
//
// Rules:
// - Posted: carried out on Qt's next turn, after the caller's event handling.
// - A drag asked for when no mouse button is down does nothing.
#pragma once

#include "platform/text/Text.h"

namespace platform {

constexpr Long WM_SYSCOMMAND = 0x0112;
constexpr Long SC_DRAGMOVE = 0xF012;
constexpr Long SC_KEYMENU = 0xF100;

// False for a handle that is no open window's, or a message the layer does not carry out.
bool PostMessage(Long handle, Long message, Long wParam, Long lParam = 0);

}  // namespace platform
