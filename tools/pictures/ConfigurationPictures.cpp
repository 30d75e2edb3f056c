#include "ConfigurationPictures.h"

#include "splash/ConfigureShape.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>

namespace {

constexpr int kIconSize = 32;
constexpr QSize kEllipseBox(173, 119);
constexpr QPoint kCentreCorner(283, 151);  // the centre outline's box in the client area
constexpr QSize kCentreBox(191, 280);
constexpr int kPaintFrames = 12;

const QColor kInk(16, 46, 102);
const QColor kLight(92, 160, 232);
const QColor kDeep(24, 82, 170);
const QColor kPaper(252, 247, 234);
const QColor kWood(214, 168, 112);
const QColor kPaints[] = {{220, 60, 60}, {245, 170, 40}, {250, 220, 60}, {70, 160, 80}, {60, 120, 220}, {150, 80, 190}};

QImage canvas(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

class Drawing : public QPainter {
public:
    explicit Drawing(QImage& image) : QPainter(&image) { setRenderHint(QPainter::Antialiasing); }
    void pen(const QColor& colour, double width) {
        setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
};

QFont boldFont(int pixels) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

// A painter's palette: a wooden board with a thumb hole and six paints, the
// paint `lit` (or none, -1) standing out.
void drawPalette(Drawing& p, const QRectF& board, int lit) {
    QPainterPath shape;
    shape.addEllipse(board);
    QPainterPath hole;
    const double holeSize = board.height() * 0.22;
    hole.addEllipse(QRectF(board.right() - board.width() * 0.34, board.bottom() - board.height() * 0.42, holeSize,
                           holeSize));
    QLinearGradient wood(board.topLeft(), board.bottomRight());
    wood.setColorAt(0, kWood.lighter(125));
    wood.setColorAt(1, kWood.darker(115));
    p.setBrush(wood);
    p.pen(kInk, std::max(1.0, board.width() / 40));
    p.drawPath(shape.subtracted(hole));
    const QPointF middle = board.center();
    for (int n = 0; n < 6; ++n) {
        const double angle = M_PI * (0.95 + n * 0.24);
        const QPointF at(middle.x() + std::cos(angle) * board.width() * 0.33,
                         middle.y() + std::sin(angle) * board.height() * 0.3);
        const double radius = board.width() * (n == lit ? 0.11 : 0.075);
        if (n == lit) {
            p.setBrush(QColor(255, 255, 255, 200));
            p.setPen(Qt::NoPen);
            p.drawEllipse(at, radius * 1.5, radius * 1.5);
        }
        p.setBrush(kPaints[n]);
        p.pen(kPaints[n].darker(140), std::max(0.8, board.width() / 90));
        p.drawEllipse(at, radius, radius);
    }
}

// A round badge shaded from `light` to `deep`, rimmed in `rim`.
void drawBadge(Drawing& p, const QColor& light, const QColor& deep, const QColor& rim) {
    QRadialGradient badge(QPointF(12, 10), 24);
    badge.setColorAt(0, light);
    badge.setColorAt(1, deep);
    p.setBrush(badge);
    p.pen(rim, 1.5);
    p.drawEllipse(QRectF(2, 2, 28, 28));
}

QImage roundBadge(const QString& sign) {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    drawBadge(p, kLight, kDeep, kInk);
    p.setFont(boldFont(20));
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, sign);
    return image;
}

void drawPerson(Drawing& p, QPointF head, double size, const QColor& colour) {
    p.setBrush(colour);
    p.pen(kInk, 1.2);
    p.drawEllipse(head, size * 0.28, size * 0.28);
    QPainterPath body;
    body.addRoundedRect(QRectF(head.x() - size * 0.45, head.y() + size * 0.32, size * 0.9, size * 0.62), size * 0.3,
                        size * 0.3);
    p.drawPath(body);
}

}  // namespace

QImage paletteIcon() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    drawPalette(p, QRectF(1.5, 5.5, 29, 22), -1);
    return image;
}

QImage profilesIcon() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    drawPerson(p, QPointF(20, 8), 18, kLight);
    drawPerson(p, QPointF(11, 12), 18, kDeep);
    return image;
}

QImage propertiesIcon() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    p.setBrush(Qt::white);
    p.pen(kInk, 1.5);
    p.drawRoundedRect(QRectF(4, 2.5, 24, 27), 3, 3);
    for (int row = 0; row < 3; ++row) {
        const double y = 9 + row * 7;
        p.pen(kLight, 2.5);
        p.drawLine(QPointF(8, y), QPointF(24, y));
        p.setBrush(kPaints[row * 2]);
        p.pen(kInk, 1);
        p.drawEllipse(QPointF(10 + row * 6, y), 2.6, 2.6);
    }
    return image;
}

QImage imageIcon() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    QLinearGradient sky(0, 5, 0, 27);
    sky.setColorAt(0, QColor(170, 210, 250));
    sky.setColorAt(1, QColor(230, 242, 255));
    p.setBrush(sky);
    p.pen(kInk, 1.5);
    p.drawRect(QRectF(2.5, 5.5, 27, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaints[1]);
    p.drawEllipse(QPointF(22, 11), 3, 3);
    p.setBrush(kPaints[3]);
    p.drawPolygon(QPolygonF({QPointF(3.5, 25.5), QPointF(12, 13), QPointF(18, 20), QPointF(21, 17),
                             QPointF(28.5, 25.5)}));
    return image;
}

QImage appearanceIcon() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    // A stroke of paint, and the brush that laid it.
    QPainterPath stroke;
    stroke.moveTo(3, 27);
    stroke.cubicTo(8, 20, 13, 30, 18, 23);
    p.pen(kPaints[0], 4);
    p.setBrush(Qt::NoBrush);
    p.drawPath(stroke);
    p.translate(19, 19);
    p.rotate(-45);
    p.setBrush(kWood);
    p.pen(kInk, 1.2);
    p.drawRoundedRect(QRectF(-2, -16, 4, 12), 1.5, 1.5);
    p.setBrush(QColor(190, 190, 200));
    p.drawRect(QRectF(-2.5, -5, 5, 4));
    p.setBrush(kPaints[0]);
    QPainterPath tip;
    tip.moveTo(-2.5, -1);
    tip.cubicTo(-3, 3, -1, 6, 0, 7);
    tip.cubicTo(1, 6, 3, 3, 2.5, -1);
    tip.closeSubpath();
    p.drawPath(tip);
    return image;
}

QImage helpIcon() { return roundBadge("?"); }

QImage aboutIcon() { return roundBadge("i"); }

QImage closeIcon() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    drawBadge(p, QColor(120, 200, 120), QColor(40, 130, 60), QColor(20, 80, 30));
    p.pen(Qt::white, 3.5);
    p.drawPolyline(QPolygonF({QPointF(9, 16.5), QPointF(14, 21.5), QPointF(23, 11)}));
    return image;
}

QImage newIcon() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    p.setBrush(kPaper);
    p.pen(kInk, 1.5);
    p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(19, 3), QPointF(25, 9), QPointF(25, 29), QPointF(6, 29)}));
    p.drawPolyline(QPolygonF({QPointF(19, 3), QPointF(19, 9), QPointF(25, 9)}));
    p.pen(QColor(40, 130, 60), 3.5);
    p.drawLine(QPointF(15.5, 13), QPointF(15.5, 25));
    p.drawLine(QPointF(9.5, 19), QPointF(21.5, 19));
    return image;
}

QImage deleteIcon() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    drawBadge(p, QColor(240, 120, 110), QColor(170, 30, 30), QColor(100, 20, 20));
    p.pen(Qt::white, 3.5);
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
    return image;
}

QImage lookupIcon() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    p.pen(kInk, 5);
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    QRadialGradient glass(QPointF(10, 9), 14);
    glass.setColorAt(0, kPaper);
    glass.setColorAt(1, kLight);
    p.setBrush(glass);
    p.pen(kDeep, 3);
    p.drawEllipse(QRectF(3, 3, 18, 18));
    return image;
}

QImage ellipseDecoration() {
    QImage image = canvas(kEllipseBox);
    Drawing p(image);
    QRadialGradient fill(QPointF(65, 38), 120);
    fill.setColorAt(0, QColor(248, 251, 255));
    fill.setColorAt(1, QColor(190, 214, 245));
    p.setBrush(fill);
    p.pen(kDeep, 2);
    p.drawEllipse(QRectF(1, 1, kEllipseBox.width() - 2, kEllipseBox.height() - 2));
    p.pen(QColor(255, 255, 255, 170), 3);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12, 8, 149, 103), 100 * 16, 60 * 16);
    return image;
}

std::vector<QImage> customWorkFrames() {
    QPolygonF outline;
    for (const platform::Point& point : centreOutline()) outline << QPointF(point.x, point.y) - kCentreCorner;
    std::vector<QImage> frames;
    for (int frame = 0; frame < kPaintFrames; ++frame) {
        QImage image = canvas(kCentreBox);
        Drawing p(image);
        QLinearGradient fill(0, 0, 0, kCentreBox.height());
        fill.setColorAt(0, QColor(238, 245, 254));
        fill.setColorAt(1, QColor(200, 220, 247));
        p.setBrush(fill);
        p.pen(kDeep, 2.5);
        p.drawPolygon(outline);
        drawPalette(p, QRectF(37, 32, 116, 84), frame % 6);
        p.setFont(boldFont(20));
        p.setPen(kDeep);
        p.drawText(QRectF(0, 120, kCentreBox.width(), 28), Qt::AlignCenter, "op maat");
        frames.push_back(image);
    }
    return frames;
}

QImage customWorkLogo() {
    QImage image = canvas({130, 44});
    Drawing p(image);
    p.setBrush(kPaper);
    p.pen(kDeep, 1.5);
    p.drawRoundedRect(QRectF(1, 1, 128, 42), 12, 12);
    p.setFont(boldFont(19));
    p.setPen(kInk);
    p.drawText(QRectF(0, 3, 130, 24), Qt::AlignCenter, "Tabloom");
    QFont small = boldFont(11);
    small.setBold(false);
    small.setItalic(true);
    p.setFont(small);
    p.setPen(kDeep);
    p.drawText(QRectF(0, 24, 130, 16), Qt::AlignCenter, "maatwerk");
    return image;
}

CursorPicture glove() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, 1, 6, 17), 3, 3);       // the pointing finger
    hand.addRoundedRect(QRectF(13.5, 9, 5, 11), 2.5, 2.5);
    hand.addRoundedRect(QRectF(18, 10, 5, 10), 2.5, 2.5);
    hand.addRoundedRect(QRectF(22.5, 11.5, 5, 9), 2.5, 2.5);
    hand.addRoundedRect(QRectF(8, 14, 19.5, 13), 5, 5);     // the palm
    QPainterPath thumb;
    thumb.moveTo(9, 20);
    thumb.cubicTo(5, 16, 2, 16, 3, 19);
    thumb.cubicTo(4, 22, 7, 26, 10, 27);
    thumb.closeSubpath();
    p.setBrush(Qt::white);
    p.pen(Qt::black, 1.3);
    p.drawPath(hand.united(thumb).simplified());
    p.pen(Qt::black, 1);
    p.drawLine(QPointF(10, 27.5), QPointF(26, 27.5));
    p.drawRect(QRectF(10, 27.5, 16, 3));  // the cuff
    return {image, {10, 1}};
}

CursorPicture internet() {
    QImage image = canvas({kIconSize, kIconSize});
    Drawing p(image);
    const QRectF globe(9, 9, 21, 21);
    QRadialGradient sea(QPointF(15, 14), 18);
    sea.setColorAt(0, kLight);
    sea.setColorAt(1, kDeep);
    p.setBrush(sea);
    p.pen(kInk, 1.2);
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.pen(QColor(255, 255, 255, 190), 1);
    p.drawEllipse(QRectF(globe.x() + 6, globe.y(), globe.width() - 12, globe.height()));
    p.drawLine(QPointF(globe.left(), globe.center().y()), QPointF(globe.right(), globe.center().y()));
    // The arrow, its tip the hot spot.
    const QPolygonF arrow({QPointF(1, 1), QPointF(1, 15), QPointF(4.5, 11.5), QPointF(7, 17), QPointF(9, 16),
                           QPointF(6.5, 10.5), QPointF(11, 10.5)});
    p.setBrush(Qt::white);
    p.pen(Qt::black, 1);
    p.drawPolygon(arrow);
    return {image, {1, 1}};
}
