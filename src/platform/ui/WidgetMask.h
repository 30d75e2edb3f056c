// A widget's mask, where the platform applies one: the offscreen platform
// cannot shape windows (and warns at each attempt), so there the window
// keeps its rectangle and the shape lives in the model only.
#pragma once

class QRegion;
class QWidget;

namespace platform {

bool masksApply();
void setWidgetMask(QWidget& widget, const QRegion& region);

}  // namespace platform
