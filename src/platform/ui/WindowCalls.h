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
//   for GetDesktopWindow()'s handle the desktop (DesktopRect.h), and for a
//   control's handle the control's rectangle on the screen (a
//   line's runs from its start to its end, so a negative width or height
//   keeps its sign: right before left); GetClientRect the client area in its
//   own pixels, (0, 0) to its width and height;
//   GetWindowPlacement its show state (SW_SHOWMAXIMIZED or SW_SHOWNORMAL)
//   and its restored rectangle (an MDI child's in its frame's MDI area).
//   Right and bottom lie just outside.
// - GetWindowLong and SetWindowLong read and write the window's style words
//   (GWL_STYLE, GWL_EXSTYLE; Window::style): taking WS_CAPTION away takes the
//   caption away, and WS_EX_LAYERED lets SetLayeredWindowAttributes set the
//   window's opacity (LWA_ALPHA; false for a window that is not layered).
//   Whether opacity shows at all depends on the window system (a compositor):
//   layeredWindowsShown() tells; tests decide it with showLayeredWindows.
// - MoveWindow places a window by its whole rectangle, frame included, in
//   screen pixels (an MDI child's in its frame's MDI area), as the program's
//   writes of its position and size do: no event comes of it. With `repaint`
//   it is painted before the call returns.
// - UpdateWindow paints the window before it returns (Window::redraw);
//   InvalidateRect has it painted on Qt's next turn.
// - ClientToScreen and ScreenToClient take a point between the window's
//   client area (its own pixels, (0, 0) its top left corner) and the screen.
// - ShowWindow with SW_RESTORE shows the window, restores it when it is
//   maximized and brings it to the front, active; another command does
//   nothing (false).
// - A handle that is no open window's gives false and does nothing.
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/Region.h"

#include <optional>

namespace platform {

constexpr Long SM_CYCAPTION = 4;
constexpr Long SM_CXFRAME = 32;
constexpr Long SM_CYFRAME = 33;
constexpr Long SM_CXEDGE = 45;
constexpr Long SM_CYEDGE = 46;

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
constexpr ULong SW_RESTORE = 9;

bool ShowWindow(Long handle, ULong command);

constexpr Long GWL_STYLE = -16;
constexpr Long GWL_EXSTYLE = -20;
constexpr Long WS_CAPTION = 0xC00000;
constexpr Long WS_EX_LAYERED = 0x80000;
constexpr Long LWA_ALPHA = 2;

// 0 for no open window's handle.
Long GetWindowLong(Long handle, Long index);
// The previous value; 0 for no open window's handle.
Long SetWindowLong(Long handle, Long index, Long value);
bool SetLayeredWindowAttributes(Long handle, Long colorKey, Byte alpha, Long flags);
bool layeredWindowsShown();
// nullopt: as the window system is.
void showLayeredWindows(std::optional<bool> shown);
bool UpdateWindow(Long handle);
bool InvalidateRect(Long handle);

// A point of the window's client area, in its pixels, on the screen; and back.
bool ClientToScreen(Long handle, POINT& point);
bool ScreenToClient(Long handle, POINT& point);
bool GetWindowRect(Long handle, RECT& rect);
bool GetClientRect(Long handle, RECT& rect);
bool GetWindowPlacement(Long handle, WINDOWPLACEMENT& placement);
// The desktop's handle: no window's.
Long GetDesktopWindow();
bool MoveWindow(Long handle, Long x, Long y, Long width, Long height, bool repaint);

}  // namespace platform
