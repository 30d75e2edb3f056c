// The assistant's windows have curved corners: an ellipse of 15 by 15.
#include "assistant/AssistantClass.h"

#include "platform/ui/Region.h"
#include "platform/ui/WindowCalls.h"

using namespace platform;

void AssistantClass::ShapeWindowCorners(Long windowHandle) {
    RECT window;
    if (!GetWindowRect(windowHandle, window)) return;
    const Long width = window.right - window.left, height = window.bottom - window.top;
    SetWindowRgn(windowHandle, Region::roundRectangle(0, 0, width, height, 15, 15), true);
}
