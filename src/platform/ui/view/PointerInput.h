// The mouse as the program sees it: presses of alerted buttons, the mouse
// events of controls that report it (PROP:Imm), the pointer position events
// carry, a combo's list dropping down, and the focus and window activation
// as events.
#pragma once

#include "platform/text/Text.h"

#include <QPoint>

namespace platform {

void installPointerInput();
// Where the pointer was at the last mouse event, in screen pixels.
QPoint lastPointer();

}  // namespace platform
