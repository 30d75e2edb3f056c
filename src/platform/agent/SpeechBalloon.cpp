#include "platform/agent/SpeechBalloon.h"

#include "platform/agent/WindowShape.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <algorithm>

namespace platform::agent {
namespace {

constexpr int kWrapWidth = 220;  // the widest line before words wrap
constexpr int kPadding = 10;
constexpr int kTail = 16;  // room for the tail between the body and the character
constexpr int kOutline = 2;
const QColor kPaper(255, 255, 232);

QRect availableAround(const QRect& character) {
    const QScreen* screen = QGuiApplication::screenAt(character.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QPainterPath balloonOutline(const QRectF& body, qreal tailX, bool below) {
    QPainterPath outline;
    outline.addRoundedRect(body, 8, 8);
    const qreal edge = below ? body.top() : body.bottom();
    const qreal tip = below ? body.top() - kTail + kOutline : body.bottom() + kTail - kOutline;
    QPainterPath tail;
    tail.moveTo(tailX - 7, edge);
    tail.lineTo(tailX - 2, tip);
    tail.lineTo(tailX + 6, edge);
    tail.closeSubpath();
    return outline.united(tail);
}

// Puffs along the body's edge and two small puffs trailing towards the
// character, all one cloud: overlapping shapes fill, none cuts a hole.
QPainterPath cloudOutline(const QRectF& body, qreal tailX, bool below) {
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    outline.addRoundedRect(body.adjusted(4, 4, -4, -4), 12, 12);
    const qreal puff = 9;
    for (qreal x = body.left() + puff; x <= body.right() - puff; x += puff * 1.5) {
        outline.addEllipse(QPointF(x, body.top() + puff), puff, puff);
        outline.addEllipse(QPointF(x, body.bottom() - puff), puff, puff);
    }
    for (qreal y = body.top() + puff; y <= body.bottom() - puff; y += puff * 1.5) {
        outline.addEllipse(QPointF(body.left() + puff, y), puff, puff);
        outline.addEllipse(QPointF(body.right() - puff, y), puff, puff);
    }
    const qreal direction = below ? -1 : 1;
    const qreal edge = below ? body.top() : body.bottom();
    outline.addEllipse(QPointF(tailX, edge + direction * 6), 4, 4);
    outline.addEllipse(QPointF(tailX - 4, edge + direction * 12), 2.5, 2.5);
    return outline.simplified();
}

}  // namespace

SpeechBalloon::SpeechBalloon()
    : QWidget(nullptr, overlayWindowFlags()) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
}

QRect SpeechBalloon::textRect(const QRect& body) const {
    return body.adjusted(kPadding, kPadding, -kPadding, -kPadding);
}

void SpeechBalloon::present(const QString& text, Shape shape, const QRect& character) {
    text_ = text;
    shape_ = shape;
    const QRect textSize = fontMetrics().boundingRect(QRect(0, 0, kWrapWidth, 100000), Qt::TextWordWrap, text);
    const int width = std::max(textSize.width(), 40) + 2 * kPadding + 2 * kOutline;
    const int height = textSize.height() + 2 * kPadding + 2 * kOutline + kTail;
    const QRect screen = availableAround(character);
    const int x = std::clamp(character.center().x() - width / 2, screen.left(), screen.right() + 1 - width);
    const bool below = character.top() - height < screen.top();
    const int y = below ? character.bottom() + 1 : character.top() - height;
    setGeometry(x, y, width, height);
    draw(below, character.center().x() - x);
    shapeWindow(*this, alphaRegion(picture_));
    show();
    update();
}

void SpeechBalloon::draw(bool below, int tailX) {
    const QRect body(kOutline, (below ? kTail : 0) + kOutline, width() - 2 * kOutline, height() - kTail - 2 * kOutline);
    picture_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(Qt::transparent);
    QPainter painter(&picture_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, kOutline));
    painter.setBrush(kPaper);
    const qreal tail = std::clamp<qreal>(tailX, body.left() + 14, body.right() - 14);
    painter.drawPath(shape_ == Shape::Cloud ? cloudOutline(body, tail, below) : balloonOutline(body, tail, below));
    painter.setPen(Qt::black);
    painter.setFont(font());
    textArea_ = textRect(body);
    painter.drawText(textArea_, Qt::TextWordWrap, text_);
}

void SpeechBalloon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture_);
}

}  // namespace platform::agent
