#include "platform/ui/WidgetMask.h"

#include <QGuiApplication>
#include <QRegion>
#include <QWidget>

namespace platform {

bool masksApply() { return QGuiApplication::platformName() != QStringLiteral("offscreen"); }

void setWidgetMask(QWidget& widget, const QRegion& region) {
    if (!masksApply()) return;
    if (region.isEmpty())
        widget.clearMask();
    else
        widget.setMask(region);
}

}  // namespace platform
