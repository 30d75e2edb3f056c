#include "platform/program/DesktopSettings.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {
Long dragSetting = 0;
}

Long dragFullWindows() { return dragSetting; }

void setDragFullWindows(Long on, Long) { dragSetting = on ? 1 : 0; }

ScreenRect desktopRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect r = screen->geometry();
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

}  // namespace platform
