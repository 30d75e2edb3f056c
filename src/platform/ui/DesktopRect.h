// The desktop: the primary screen's rectangle, in screen pixels (all 0
// before the application exists). GetWindowRect of GetDesktopWindow()
// (WindowCalls.h) gives the same.
#pragma once

#include "platform/text/Text.h"

namespace platform {

struct ScreenRect {
    Long left = 0, top = 0, right = 0, bottom = 0;  // right and bottom just outside
};
ScreenRect desktopRect();

}  // namespace platform
