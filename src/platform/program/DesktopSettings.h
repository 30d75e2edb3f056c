// Desktop settings the program reads and changes for its run. Linux has no
// system-wide "drag windows with full contents" switch the program could
// change, so the layer keeps one of its own: 0 unless a test sets it.
// The desktop's rectangle is the primary screen's, in screen pixels (all 0
// before the application exists).
#pragma once

#include "platform/text/Text.h"

namespace platform {

Long dragFullWindows();
// `flags` as the system call takes them (3 = store and broadcast); kept for
// callers, nothing is stored outside the process.
void setDragFullWindows(Long on, Long flags);

struct ScreenRect {
    Long left = 0, top = 0, right = 0, bottom = 0;  // right and bottom just outside
};
ScreenRect desktopRect();

}  // namespace platform
