// The mouse as the program sees it: presses of alerted buttons, the mouse
// events of controls that report it (PROP:Imm), the pointer position events
// carry, a combo's list dropping down, and the focus and window activation
// as events.
#pragma once

#include "platform/text/Text.h"

#include <QPoint>

namespace platform {

void installPointerInput();
// The layer's pointer, in screen pixels: where the last mouse event was, or
// where movePointer put it since (the platform's pointer follows).
QPoint lastPointer();
void movePointer(QPoint global);

}  // namespace platform
