#include "splash/ZelConfigureShapeClass.h"

#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "splash/ConfigureShape.h"

#include <vector>

using namespace platform;

namespace {

void addPoints(Queue<POINTQUEUERecord>& points, std::span<const Point> outline, Point moved = {}) {
    for (const Point& p : outline) {
        points.rec.X = static_cast<Short>(p.x + moved.x);
        points.rec.Y = static_cast<Short>(p.y + moved.y);
        points.add();
    }
}

// The ellipse in its box, whose top left corner is given.
void addEllipse(Queue<POINTQUEUERecord>& points, int left, int top) { addPoints(points, ellipseOutline(), {left, top}); }

}  // namespace

void ZelConfigureShapeClass::BuildShapedWindowRegion() {
    const Point offset{static_cast<int>(GetSystemMetrics(SM_CXFRAME)),
                       static_cast<int>(GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME))};
    Region shape = Region::rectangle(0, 0, 0, 0);
    Queue<POINTQUEUERecord> points;
    using Outline = void (ZelConfigureShapeClass::*)(Queue<POINTQUEUERecord>&);
    for (const Outline add : {&ZelConfigureShapeClass::AddShapePoints1, &ZelConfigureShapeClass::AddShapePoints2,
                              &ZelConfigureShapeClass::AddShapePoints3, &ZelConfigureShapeClass::AddShapePoints4,
                              &ZelConfigureShapeClass::AddShapePoints5, &ZelConfigureShapeClass::AddShapePoints6,
                              &ZelConfigureShapeClass::AddShapePoints7, &ZelConfigureShapeClass::AddShapePoints8,
                              &ZelConfigureShapeClass::AddShapePoints9}) {
        points.free();
        (this->*add)(points);
        std::vector<Point> polygon;
        for (std::size_t i = 1; i <= points.records(); ++i) {
            const POINTQUEUERecord& p = points.at(i);
            polygon.push_back({p.X + offset.x, p.Y + offset.y});
        }
        shape = shape ^ Region::polygon(polygon);
    }
    if (const Window* window = Window::topWindowOf(THREAD())) SetWindowRgn(window->handle(), shape, true);
}

void ZelConfigureShapeClass::AddShapePoints1(Queue<POINTQUEUERecord>& points) { addEllipse(points, 3, 233); }
void ZelConfigureShapeClass::AddShapePoints2(Queue<POINTQUEUERecord>& points) { addEllipse(points, 94, 371); }
void ZelConfigureShapeClass::AddShapePoints3(Queue<POINTQUEUERecord>& points) { addEllipse(points, 105, 97); }
void ZelConfigureShapeClass::AddShapePoints4(Queue<POINTQUEUERecord>& points) { addPoints(points, centreOutline()); }
void ZelConfigureShapeClass::AddShapePoints5(Queue<POINTQUEUERecord>& points) { addEllipse(points, 577, 238); }
void ZelConfigureShapeClass::AddShapePoints6(Queue<POINTQUEUERecord>& points) { addEllipse(points, 298, 453); }
void ZelConfigureShapeClass::AddShapePoints7(Queue<POINTQUEUERecord>& points) { addEllipse(points, 313, 5); }
void ZelConfigureShapeClass::AddShapePoints8(Queue<POINTQUEUERecord>& points) { addEllipse(points, 503, 373); }
void ZelConfigureShapeClass::AddShapePoints9(Queue<POINTQUEUERecord>& points) { addEllipse(points, 516, 100); }
