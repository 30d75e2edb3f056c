#include "platform/ui/Region.h"

#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

namespace platform {
namespace {

QRect boxOf(int left, int top, int right, int bottom) { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }

}  // namespace

Region::Region() : region_(std::make_shared<const QRegion>()) {}

Region::Region(const QRegion& region) : region_(std::make_shared<const QRegion>(region)) {}

Region Region::rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return Region();
    return Region(QRegion(boxOf(left, top, right, bottom)));
}

Region Region::roundRectangle(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (right <= left || bottom <= top) return Region();
    QPainterPath path;
    path.addRoundedRect(QRectF(left, top, right - left, bottom - top), ellipseWidth / 2.0, ellipseHeight / 2.0);
    return Region(QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill));
}

Region Region::ellipse(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return Region();
    return Region(QRegion(boxOf(left, top, right, bottom), QRegion::Ellipse));
}

Region Region::polygon(const std::vector<Point>& points, int count) {
    const int used = count < 0 ? static_cast<int>(points.size()) : std::min(count, static_cast<int>(points.size()));
    QPolygon outline;
    outline.reserve(used);
    for (int i = 0; i < used; ++i) outline << QPoint(points[static_cast<std::size_t>(i)].x, points[static_cast<std::size_t>(i)].y);
    return Region(QRegion(outline, Qt::WindingFill));
}

Region Region::operator&(const Region& other) const { return Region(*region_ & *other.region_); }
Region Region::operator|(const Region& other) const { return Region(*region_ | *other.region_); }
Region Region::operator^(const Region& other) const { return Region(*region_ ^ *other.region_); }
bool Region::operator==(const Region& other) const { return *region_ == *other.region_; }

bool Region::contains(int x, int y) const { return region_->contains(QPoint(x, y)); }
bool Region::empty() const { return region_->isEmpty(); }
const QRegion& Region::qRegion() const { return *region_; }

}  // namespace platform
