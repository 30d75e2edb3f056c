// Regions: areas of a window in its own pixel coordinates, as the system's
// region calls build them, combined, and set on a window as its shape.
//
// Rules:
// - rectangle(l, t, r, b) covers l <= x < r, t <= y < b (right and bottom
//   edges outside); (0, 0, 0, 0) is the empty region.
// - roundRectangle adds corners cut by an ellipse of w x h; ellipse fills the
//   bounding box's ellipse; polygon fills by the winding rule.
// - AND, OR and XOR (&, |, ^) combine two regions into a new one; a region
//   is a value, cheap to copy.
// - Window::setRegion keeps the region in the model (readable everywhere)
//   and makes it the window's mask on platforms that apply masks; offscreen,
//   where Qt applies none, no mask is set.
#pragma once

#include <memory>
#include <vector>

class QRegion;

namespace platform {

struct Point {
    int x = 0, y = 0;
};

class Region {
public:
    Region();  // empty
    static Region rectangle(int left, int top, int right, int bottom);
    static Region roundRectangle(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    static Region ellipse(int left, int top, int right, int bottom);
    // The first `count` points (all when count is below 0).
    static Region polygon(const std::vector<Point>& points, int count = -1);

    Region operator&(const Region& other) const;
    Region operator|(const Region& other) const;
    Region operator^(const Region& other) const;
    bool operator==(const Region& other) const;

    bool contains(int x, int y) const;
    bool empty() const;
    const QRegion& qRegion() const;

private:
    explicit Region(const QRegion& region);
    std::shared_ptr<const QRegion> region_;
};

}  // namespace platform
