// The events between a picked window and its configure-directly picker.
#pragma once

#include "platform/text/Text.h"

namespace restyle::picker {

constexpr platform::Long kSized = 0x501;    // moved, sized or changed tab: the hit test goes on
constexpr platform::Long kPointed = 0x502;  // a new position in XPOS/YPOS
constexpr platform::Long kClicked = 0x503;  // a mouse button: the popup
constexpr platform::Long kEnd = 0x510;

}  // namespace restyle::picker
