// Where a window goes so that it shows whole: in the desktop, in a frame's
// client area.
#pragma once

#include <QRect>
#include <algorithm>

namespace platform {

// Moved as little as it takes to lie inside `room`; where it cannot, its top
// left corner is inside.
inline QRect keptInside(QRect r, const QRect& room) {
    r.moveRight(std::min(r.right(), room.right()));
    r.moveBottom(std::min(r.bottom(), room.bottom()));
    r.moveLeft(std::max(r.left(), room.left()));
    r.moveTop(std::max(r.top(), room.top()));
    return r;
}

}  // namespace platform
