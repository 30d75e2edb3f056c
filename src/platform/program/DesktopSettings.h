// Desktop settings the program reads and changes for its run. Linux has no
// system-wide "drag windows with full contents" switch the program could
// change, so the layer keeps one of its own: 0 unless a test sets it.
#pragma once

#include "platform/text/Text.h"

namespace platform {

Long dragFullWindows();
// `flags` as the system call takes them (3 = store and broadcast); kept for
// callers, nothing is stored outside the process.
void setDragFullWindows(Long on, Long flags);

}  // namespace platform
