// BEEP: the window system's default beep. Each one is counted, so a test
// can tell that the program beeped where no one hears it (offscreen).
#pragma once

#include <cstddef>

namespace platform {

void BEEP();
std::size_t beepsSounded();

}  // namespace platform
