// The runtime's statements on windows (TARGET, SETTARGET, POST,
// postAfterModal, SETFONT, MOUSEX and the other reads of the current event,
// CHANGE, SYSTEM) are declared in Window.h beside the class they act on and
// defined in WindowStatements.cpp. This is what a window tells them as it
// closes.
#pragma once

namespace platform {

class Window;

// A closed window is no one's target.
void forgetTarget(const Window* window);
// The events held for the thread's modal window go to their windows once the
// thread has none up.
void releaseHeldEvents(int thread);

}  // namespace platform
