#include "platform/program/DesktopSettings.h"

namespace platform {
namespace {
Long dragSetting = 0;
}

Long dragFullWindows() { return dragSetting; }

void setDragFullWindows(Long on, Long) { dragSetting = on ? 1 : 0; }

}  // namespace platform
