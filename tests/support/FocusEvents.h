// The focus raises events whenever it moves (a window activated, a control
// focused); tests about other events leave them out of their logs.
#pragma once

#include "platform/ui/Equates.h"

inline bool aboutFocus(platform::Long event) {
    namespace EVENT = platform::EVENT;
    return event == EVENT::GainFocus || event == EVENT::LoseFocus || event == EVENT::Selected;
}
