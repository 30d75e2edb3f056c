// The system calls the program makes on window handles and on the system's
// metrics, carried out on the layer's windows.
//
// Rules:
// - GetSystemMetrics answers from the layer's own frame (SystemMetrics.h):
//   the frame's width and height, and the caption's height with the line
//   under it, so a window's client area starts at (SM_CXFRAME, SM_CYFRAME +
//   SM_CYCAPTION) in the window's own pixels. Any other metric is 0.
// - SetWindowPos carries out the z-order (HWND_TOPMOST: the window stays
//   above the others; HWND_NOTOPMOST: no longer) and SWP_SHOWWINDOW; it
//   neither moves nor sizes (false unless SWP_NOMOVE and SWP_NOSIZE are given).
// - SetWindowRgn gives the window its region (Window::setRegion); with
//   `redraw` the window is painted at once, before the call returns.
// - GetWindowRect gives the whole window, frame included, in screen pixels,
//   and for a control's handle the control's rectangle on the screen (a
//   line's runs from its start to its end, so a negative width or height
//   keeps its sign: right before left); GetClientRect the client area in its
//   own pixels, (0, 0) to its width and height;
//   GetWindowPlacement its show state (SW_SHOWMAXIMIZED or SW_SHOWNORMAL)
//   and its restored rectangle (an MDI child's in its frame's MDI area).
//   Right and bottom lie just outside.
// - A handle that is no open window's gives false and does nothing.
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/Region.h"

#include <optional>

namespace platform {

constexpr Long SM_CYCAPTION = 4;
constexpr Long SM_CXFRAME = 32;
constexpr Long SM_CYFRAME = 33;

Long GetSystemMetrics(Long index);

constexpr Long HWND_TOPMOST = -1;
constexpr Long HWND_NOTOPMOST = -2;
constexpr Long SWP_NOSIZE = 0x0001;
constexpr Long SWP_NOMOVE = 0x0002;
constexpr Long SWP_SHOWWINDOW = 0x0040;

bool SetWindowPos(Long handle, Long insertAfter, Long x, Long y, Long width, Long height, Long flags);

// nullopt: the whole window shows again.
bool SetWindowRgn(Long handle, std::optional<Region> region, bool redraw);

struct POINT {
    Long x = 0, y = 0;
};
struct RECT {
    Long left = 0, top = 0, right = 0, bottom = 0;
};
struct WINDOWPLACEMENT {
    ULong length = 44;
    ULong flags = 0;
    ULong showCmd = 0;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};
constexpr ULong SW_SHOWNORMAL = 1;
constexpr ULong SW_SHOWMAXIMIZED = 3;

bool GetWindowRect(Long handle, RECT& rect);
bool GetClientRect(Long handle, RECT& rect);
bool GetWindowPlacement(Long handle, WINDOWPLACEMENT& placement);

}  // namespace platform
