#include "MerlinPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

// Drawn in the bird's own units: the origin is where his feet grip the perch,
// y grows downwards, the head is near y -74. A male merlin: slate-blue back
// and wings, buff chest with brown streaks, dark eyes, yellow cere and feet.
namespace {

const QColor kOutline(0x1f, 0x26, 0x33);
const QColor kSlate(0x52, 0x66, 0x88);
const QColor kDarkSlate(0x33, 0x40, 0x58);
const QColor kBuff(0xe8, 0xb8, 0x74);
const QColor kStreak(0x7a, 0x4a, 0x24);
const QColor kFace(0xf3, 0xe6, 0xcc);
const QColor kYellow(0xf0, 0xc4, 0x19);
const QColor kBeak(0x3d, 0x4a, 0x60);
const QColor kMouth(0x8e, 0x2b, 0x2b);
const QColor kBark(0x7a, 0x52, 0x30);
const QColor kDarkBark(0x4a, 0x30, 0x18);
const QColor kLeaf(0x5f, 0x8f, 0x3a);
const QColor kGold(0xf5, 0xc5, 0x18);
const QColor kBlue(0x2f, 0x6f, 0xd6);

constexpr double kPi = 3.14159265358979323846;

QPen outline(double width = 1.4) { return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void drawPerch(QPainter& g) {
    g.setPen(outline());
    g.setBrush(kBark);
    g.drawRoundedRect(QRectF(-46, 0, 92, 8), 4, 4);
    g.setPen(QPen(kDarkBark, 1));
    g.drawLine(QPointF(-30, 3), QPointF(-18, 3));
    g.drawLine(QPointF(14, 5), QPointF(30, 5));
    QPainterPath twig;
    twig.moveTo(34, 1);
    twig.quadTo(40, -6, 46, -9);
    g.setPen(QPen(kBark, 2.2, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    g.drawPath(twig);
    g.setPen(outline(1));
    g.setBrush(kLeaf);
    g.save();
    g.translate(46, -9);
    g.rotate(-30);
    g.drawEllipse(QRectF(0, -2.5, 9, 5));
    g.restore();
}

void drawTail(QPainter& g) {
    const QPolygonF tail({QPointF(-8, -14), QPointF(8, -14), QPointF(11, 11), QPointF(-11, 11)});
    g.setPen(outline());
    g.setBrush(kSlate);
    g.drawPolygon(tail);
    g.setPen(Qt::NoPen);
    g.setBrush(kDarkSlate);
    g.drawRect(QRectF(-10.2, 4, 20.4, 4));
    g.setPen(outline());
    g.setBrush(Qt::NoBrush);
    g.drawPolygon(tail);
}

// A wing hangs from its shoulder; `raise` swings it out (1: sideways, 1.6:
// up), `length` scales it. Drawn for the right wing, mirrored for the left.
void drawWing(QPainter& g, double side, double raise, double length) {
    g.save();
    g.translate(side * 14, -56);
    g.scale(side, 1);
    g.rotate(-raise * 90);
    g.scale(1, length);
    QPainterPath wing;
    wing.moveTo(0, 0);
    wing.cubicTo(11, 4, 13, 28, 7, 50);
    wing.lineTo(3, 53);
    wing.cubicTo(0, 36, -4, 14, 0, 0);
    g.setPen(outline());
    g.setBrush(kSlate);
    g.drawPath(wing);
    // the dark flight feathers at the tip, and their edges
    QPainterPath tip;
    tip.moveTo(10.5, 30);
    tip.cubicTo(10, 40, 9, 45, 7, 50);
    tip.lineTo(3, 53);
    tip.cubicTo(1.5, 45, 1, 38, 0.5, 30);
    tip.closeSubpath();
    g.setBrush(kDarkSlate);
    g.drawPath(tip);
    g.setPen(QPen(kOutline, 0.8));
    for (double x : {3.5, 6.5, 9.0}) g.drawLine(QPointF(x, 33), QPointF(x - 1.5, 46));
    g.restore();
}

void drawBody(QPainter& g, double fluff) {
    const double grow = 1 + 0.12 * fluff;
    g.setPen(outline());
    g.setBrush(kSlate);
    g.drawEllipse(QPointF(0, -36), 21 * grow, 29 * grow);
    g.setBrush(kBuff);
    g.drawEllipse(QPointF(0, -31), 14 * grow, 22 * grow);
    g.setPen(Qt::NoPen);
    g.setBrush(kStreak);
    for (int row = 0; row < 5; ++row) {
        const double y = -44 + row * 7.0;
        for (double x = -8 + (row % 2) * 3; x <= 8; x += 6) g.drawEllipse(QPointF(x * grow, y), 1.3, 2.8);
    }
}

void drawFeet(QPainter& g, double flying) {
    g.setPen(outline());
    if (flying > 0.5) {
        g.setBrush(kYellow);
        for (double x : {-5.0, 5.0}) g.drawEllipse(QPointF(x, -9), 3, 2.5);
        return;
    }
    for (double x : {-7.0, 7.0}) {
        g.setBrush(kBuff);
        g.drawEllipse(QPointF(x, -9), 4.5, 6.5);
        g.setBrush(kYellow);
        g.drawRoundedRect(QRectF(x - 5, -3, 10, 5), 2.5, 2.5);
        g.setPen(Qt::NoPen);
        g.setBrush(kOutline);
        for (double claw : {-3.5, 0.0, 3.5}) g.drawEllipse(QPointF(x + claw, 2.2), 0.9, 0.9);
        g.setPen(outline());
    }
}

void drawEye(QPainter& g, double x, double y, const Pose& p) {
    const double r = 4.6 + 1.4 * p.wide;
    if (p.happy > 0.5) {
        QPainterPath arc;
        arc.moveTo(x - r, y + 1);
        arc.quadTo(x, y - r * 1.4, x + r, y + 1);
        g.setPen(outline(2));
        g.setBrush(Qt::NoBrush);
        g.drawPath(arc);
        return;
    }
    if (p.eyes < 0.15) {
        QPainterPath shut;
        shut.moveTo(x - r, y);
        shut.quadTo(x, y + r * 0.8, x + r, y);
        g.setPen(outline(1.8));
        g.setBrush(Qt::NoBrush);
        g.drawPath(shut);
        return;
    }
    g.setPen(outline(1));
    g.setBrush(QColor(0xf2, 0xd9, 0x8a));
    g.drawEllipse(QPointF(x, y), r + 1.2, r + 1.2);
    const QPointF iris(x + p.lookX * 1.2, y + p.lookY * 1.0);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x1a, 0x12, 0x0c));
    g.drawEllipse(iris, r, r);
    g.setBrush(Qt::white);
    g.drawEllipse(iris + QPointF(-r * 0.35, -r * 0.35), r * 0.3, r * 0.3);
    if (p.eyes < 1) {
        QPainterPath eye;
        eye.addEllipse(QPointF(x, y), r + 1.3, r + 1.3);
        QPainterPath lid;
        lid.addRect(QRectF(x - r - 2, y - r - 2, 2 * r + 4, (2 * r + 4) * (1 - p.eyes)));
        g.setBrush(kSlate);
        g.setPen(outline(1));
        g.drawPath(eye.intersected(lid));
    }
}

void drawBrow(QPainter& g, double x, double y, double side, double brow) {
    if (std::abs(brow) < 0.05) return;
    g.setPen(outline(1.8));
    g.drawLine(QPointF(x - side * 5, y - 7.5 + brow * 2.5), QPointF(x + side * 5, y - 7.5 - brow * 1.5));
}

void drawBeak(QPainter& g, double x, double open) {
    const double drop = open * 5;
    g.setPen(outline(1));
    if (open > 0.05) {
        g.setBrush(kMouth);
        g.drawEllipse(QPointF(x, -64 + drop * 0.5), 3.6, 1.2 + drop * 0.6);
        QPainterPath lower;
        lower.moveTo(x - 3.4, -65 + drop * 0.4);
        lower.quadTo(x, -60 + drop, x + 3.4, -65 + drop * 0.4);
        lower.closeSubpath();
        g.setBrush(kBeak);
        g.drawPath(lower);
    }
    QPainterPath upper;
    upper.moveTo(x - 4.5, -69);
    upper.quadTo(x - 4, -62, x, -59);
    upper.quadTo(x + 4, -62, x + 4.5, -69);
    upper.closeSubpath();
    g.setBrush(kBeak);
    g.drawPath(upper);
    g.setBrush(kYellow);
    g.drawRoundedRect(QRectF(x - 4.5, -72.5, 9, 4), 1.8, 1.8);
}

void drawHead(QPainter& g, const Pose& p) {
    g.save();
    g.translate(p.headX, p.headY);
    g.translate(0, -60);
    g.rotate(p.headTilt);
    g.translate(0, 60);
    const double r = 17 + 1.5 * p.fluff;
    const QPointF centre(0, -74);
    QPainterPath head;
    head.addEllipse(centre, r, r);
    g.setPen(outline());
    g.setBrush(kFace);
    g.drawPath(head);
    QPainterPath band;
    band.addRect(QRectF(-r - 2, -74 - r - 2, 2 * r + 4, r + 1));
    g.setBrush(kSlate);
    g.drawPath(head.intersected(band));
    // the pale stripe over the eyes and the dark "moustache" under them
    g.setPen(QPen(QColor(0xe9, 0xdc, 0xc0), 1.6, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(-12, -78.5), QPointF(12, -78.5));
    const double turn = p.headX * 0.5 + p.lookX * 1.2;
    g.setPen(Qt::NoPen);
    g.setBrush(kDarkSlate);
    for (double side : {-1.0, 1.0}) {
        QPainterPath malar;
        malar.moveTo(side * 8.5 + turn, -71);
        malar.quadTo(side * 11 + turn, -66, side * 9.5 + turn, -62);
        malar.quadTo(side * 8 + turn, -66, side * 8.5 + turn, -71);
        g.drawPath(malar);
    }
    g.setPen(outline());
    g.setBrush(Qt::NoBrush);
    g.drawPath(head);
    for (double side : {-1.0, 1.0}) {
        const double x = side * 6.8 + turn * 0.8;
        drawEye(g, x, -75.5, p);
        drawBrow(g, x, -75.5, side, p.brow);
    }
    drawBeak(g, turn, p.beak);
    g.restore();
}

QPainterPath star(int points, double outer, double inner) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double angle = kPi * i / points - kPi / 2;
        const double radius = i % 2 ? inner : outer;
        const QPointF at(radius * std::cos(angle), radius * std::sin(angle));
        if (i == 0) path.moveTo(at);
        else path.lineTo(at);
    }
    path.closeSubpath();
    return path;
}

void drawStars(QPainter& g, const std::vector<QPointF>& places, int points, double size, double turn, double inner) {
    g.setPen(QPen(QColor(0xb0, 0x82, 0x00), 0.8));
    g.setBrush(kGold);
    for (std::size_t i = 0; i < places.size(); ++i) {
        const double s = size * (0.65 + 0.35 * std::sin(i * 1.7 + turn * 2 * kPi));
        if (s < 0.6) continue;
        g.save();
        g.translate(places[i]);
        g.rotate(turn * 90 + i * 20);
        g.drawPath(star(points, s, s * inner));
        g.restore();
    }
}

void drawQuestion(QPainter& g, double s) {
    g.save();
    g.translate(38, -88);
    g.scale(s, s);
    QPainterPath hook;
    hook.moveTo(-5, -6);
    hook.cubicTo(-5, -14, 6, -14, 6, -6);
    hook.cubicTo(6, -1, 0, 0, 0, 5);
    g.setPen(QPen(kBlue, 3.2, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    g.drawPath(hook);
    g.setPen(Qt::NoPen);
    g.setBrush(kBlue);
    g.drawEllipse(QPointF(0, 10.5), 2.1, 2.1);
    g.restore();
}

void drawExclamation(QPainter& g, double s) {
    g.save();
    g.translate(38, -88);
    g.scale(s, s);
    g.setPen(outline(0.8));
    g.setBrush(QColor(0xd2, 0x3b, 0x2b));
    g.drawRoundedRect(QRectF(-2.4, -13, 4.8, 16), 2.2, 2.2);
    g.drawEllipse(QPointF(0, 8.5), 2.5, 2.5);
    g.restore();
}

void drawBulb(QPainter& g, double s) {
    g.save();
    g.translate(34, -94);
    g.scale(s, s);
    if (s > 0.6) {
        g.setPen(QPen(kGold, 1.6, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 8; ++i) {
            const double a = kPi * i / 4;
            g.drawLine(QPointF(11 * std::cos(a), 11 * std::sin(a)), QPointF(15 * std::cos(a), 15 * std::sin(a)));
        }
    }
    g.setPen(outline(1));
    g.setBrush(QColor(0x9a, 0x9a, 0xa2));
    g.drawRoundedRect(QRectF(-3.5, 6, 7, 6), 1.5, 1.5);
    g.setBrush(QColor(0xff, 0xe4, 0x5c));
    g.drawEllipse(QPointF(0, 0), 8, 8);
    g.restore();
}

void drawBook(QPainter& g, double s, double page) {
    g.save();
    g.translate(0, -30);
    g.scale(s, s);
    g.setPen(outline(1));
    g.setBrush(QColor(0x7b, 0x3f, 0x1e));
    g.drawPolygon(QPolygonF({QPointF(-19, -5), QPointF(0, -1), QPointF(19, -5), QPointF(19, 9), QPointF(0, 12),
                             QPointF(-19, 9)}));
    g.setBrush(Qt::white);
    for (double side : {-1.0, 1.0})
        g.drawPolygon(QPolygonF({QPointF(side * 17, -6), QPointF(0, -2.5), QPointF(0, 9), QPointF(side * 17, 6.5)}));
    g.setPen(QPen(QColor(0x90, 0x90, 0x90), 0.7));
    for (double side : {-1.0, 1.0})
        for (double y : {0.0, 3.0}) g.drawLine(QPointF(side * 3, y), QPointF(side * 14, y - 2.5));
    if (page > 0 && page < 1) {
        const double x = 17 * std::cos(kPi * page);
        g.setPen(outline(0.8));
        g.setBrush(QColor(0xf4, 0xf4, 0xf0));
        g.drawPolygon(QPolygonF({QPointF(x, -6 - 3 * std::sin(kPi * page)), QPointF(0, -2.5), QPointF(0, 9),
                                 QPointF(x, 6.5 - 3 * std::sin(kPi * page))}));
    }
    g.restore();
}

void drawMagnifier(QPainter& g, double s) {
    g.save();
    g.translate(36, -60);
    g.scale(s, s);
    g.setPen(QPen(kBark, 3.2, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(5, 6), QPointF(13, 15));
    g.setPen(QPen(QColor(0x33, 0x33, 0x33), 2.4));
    g.setBrush(QColor(0xcf, 0xe8, 0xf7));
    g.drawEllipse(QPointF(0, 0), 8, 8);
    g.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(-4, -2), QPointF(-2, -4.5));
    g.restore();
}

void drawGear(QPainter& g, QPointF at, double radius, int teeth, double turn) {
    g.save();
    g.translate(at);
    g.rotate(turn);
    QPainterPath gear;
    gear.addEllipse(QPointF(0, 0), radius, radius);
    for (int i = 0; i < teeth; ++i) {
        QPainterPath tooth;
        tooth.addRect(QRectF(-radius * 0.22, -radius - 3, radius * 0.44, 4));
        gear = gear.united(QTransform().rotate(360.0 * i / teeth).map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(0, 0), radius * 0.35, radius * 0.35);
    g.setPen(outline(1));
    g.setBrush(QColor(0x8a, 0x8f, 0x99));
    g.drawPath(gear.subtracted(hole));
    g.restore();
}

void drawSoundWaves(QPainter& g, double s) {
    g.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    const int waves = static_cast<int>(std::ceil(s * 3 - 0.01));
    for (int i = 0; i < waves; ++i) {
        const double r = 5 + 4.5 * i;
        g.drawArc(QRectF(22 - r, -78 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    }
}

void drawTear(QPainter& g, double s, double fall) {
    g.save();
    g.translate(-9, -66 + fall * 8);
    g.scale(s, s);
    QPainterPath drop;
    drop.moveTo(0, -4);
    drop.quadTo(3.5, 1, 0, 3);
    drop.quadTo(-3.5, 1, 0, -4);
    g.setPen(outline(0.7));
    g.setBrush(QColor(0x5f, 0xb3, 0xf0));
    g.drawPath(drop);
    g.restore();
}

void drawThought(QPainter& g, double s, double turn) {
    const QPointF places[] = {{20, -92}, {27, -101}, {37, -109}};
    const double radii[] = {2, 3, 4.5};
    const int shown = static_cast<int>(std::ceil(s * 3 - 0.01));
    g.setPen(outline(1));
    g.setBrush(Qt::white);
    for (int i = 0; i < shown; ++i)
        g.drawEllipse(places[i] + QPointF(0, -std::sin(turn * 2 * kPi + i) * 1.2), radii[i], radii[i]);
}

void drawSleep(QPainter& g, double s, double turn) {
    g.setPen(QPen(kBlue, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(Qt::NoBrush);
    const int shown = static_cast<int>(std::ceil(s * 2 - 0.01));
    for (int i = 0; i < shown; ++i) {
        const double size = 4 + 2.5 * i;
        const QPointF at(24 + 9 * i + turn * 3, -92 - 10 * i - turn * 4);
        g.drawPolyline(QPolygonF({at, at + QPointF(size, 0), at + QPointF(0, size), at + QPointF(size, size)}));
    }
}

void drawProp(QPainter& g, const Pose& p) {
    const double s = p.propSize;
    if (s <= 0.01) return;
    switch (p.prop) {
        case Prop::None: break;
        case Prop::Sparkles:
            drawStars(g, {{42, -82}, {28, -104}, {52, -58}, {-40, -88}, {-50, -52}, {8, -110}, {-22, -104}}, 4, 5.5 * s,
                      p.propTurn, 0.3);
            break;
        case Prop::Stars:
            drawStars(g, {{-44, -92}, {44, -94}, {-52, -56}, {52, -60}, {0, -110}}, 5, 6.5 * s, p.propTurn, 0.45);
            break;
        case Prop::Question: drawQuestion(g, s); break;
        case Prop::Exclamation: drawExclamation(g, s); break;
        case Prop::Bulb: drawBulb(g, s); break;
        case Prop::Book: drawBook(g, s, p.propTurn); break;
        case Prop::Magnifier: drawMagnifier(g, s); break;
        case Prop::Gears:
            drawGear(g, {34, -94}, 8 * s, 8, p.propTurn * 360);
            drawGear(g, {47, -81}, 5.5 * s, 6, -p.propTurn * 360 * 1.45 + 15);
            break;
        case Prop::SoundWaves: drawSoundWaves(g, s); break;
        case Prop::Tear: drawTear(g, s, p.propTurn); break;
        case Prop::Thought: drawThought(g, s, p.propTurn); break;
        case Prop::Sleep: drawSleep(g, s, p.propTurn); break;
    }
}

}  // namespace

QImage drawMerlin(const Pose& p) {
    QImage image(kMerlinSize, kMerlinSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    g.translate(60, 106);
    g.scale(0.92, 0.92);
    g.translate(0, -50);
    g.scale(p.scale, p.scale);
    g.translate(0, 50);
    if (p.flying < 0.5) drawPerch(g);

    g.save();
    g.translate(0, -p.hop - 10 * p.flying);
    g.rotate(p.lean);
    // A wing out of its fold is drawn shorter, so that it stays on the picture.
    auto length = [](double raise) { return 1 - 0.15 * std::min(1.0, raise); };
    const double spread = p.flying * (1.15 + 0.45 * p.flap);
    if (p.flying > 0) {
        drawWing(g, -1, p.leftWing + spread, length(p.leftWing + spread));
        drawWing(g, 1, p.rightWing + spread, length(p.rightWing + spread));
    }
    drawTail(g);
    drawBody(g, p.fluff);
    drawFeet(g, p.flying);
    if (p.flying <= 0) {
        drawWing(g, -1, p.leftWing, length(p.leftWing));
        drawWing(g, 1, p.rightWing, length(p.rightWing));
    }
    drawHead(g, p);
    g.restore();

    drawProp(g, p);
    return image;
}
