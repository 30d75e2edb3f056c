#include "platform/ui/DesktopRect.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

ScreenRect desktopRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect r = screen->geometry();
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

}  // namespace platform
