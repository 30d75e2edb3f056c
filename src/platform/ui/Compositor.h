// Whether the window system composes the windows, so that a window's opacity
// shows: always on Wayland; on X11 while a compositing manager runs (it owns
// the selection _NET_WM_CM_S<screen>); never offscreen.
#pragma once

namespace platform {

bool compositorRuns();

}  // namespace platform
