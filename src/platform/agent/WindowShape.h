// Shaped windows for the character and its balloon: the region a picture
// covers (its pixels at least half opaque), given to the window as its mask,
// which needs no compositor.
#pragma once

#include <Qt>

class QImage;
class QRegion;
class QWidget;

namespace platform::agent {

QRegion alphaRegion(const QImage& image);
// The offscreen platform cannot shape windows (and says so each time): there
// the window keeps its rectangle.
void shapeWindow(QWidget& window, const QRegion& region);
// Frameless, above the other windows, never focused, transparent to input,
// and kept off the task bar where a window manager is (the offscreen platform
// has none).
Qt::WindowFlags overlayWindowFlags();

}  // namespace platform::agent
