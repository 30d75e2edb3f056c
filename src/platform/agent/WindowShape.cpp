#include "platform/agent/WindowShape.h"

#include "platform/ui/WidgetMask.h"

#include <QGuiApplication>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <vector>

namespace platform::agent {
namespace {

bool offscreen() { return !masksApply(); }

}  // namespace

// One rectangle per run of covered pixels in a row: rows are bands sorted by
// x, so the region takes them in one go.
QRegion alphaRegion(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<QRect> runs;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width();) {
            if (qAlpha(row[x]) < 128) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < argb.width() && qAlpha(row[x]) >= 128) ++x;
            runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

void shapeWindow(QWidget& window, const QRegion& region) { setWidgetMask(window, region); }

Qt::WindowFlags overlayWindowFlags() {
    const Qt::WindowFlags flags = Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                                  Qt::WindowDoesNotAcceptFocus;
    return offscreen() ? flags : flags | Qt::Tool;
}

}  // namespace platform::agent
