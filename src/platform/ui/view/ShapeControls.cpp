// Boxes, ellipses, lines, regions and panels: drawn by the layer. Color is
// the border (a line's colour), Fill the inside,
// LineWidth the border's width in pixels; a round box has rounded corners.
// A line runs from its position to its position plus its width and height,
// either of which may be negative.
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/Looks.h"

#include <QPainter>
#include <functional>

namespace platform {
namespace {

class ShapeWidget : public QWidget {
public:
    ShapeWidget(QWidget* parent, std::function<void(QPainter&, const QWidget&)> paint)
        : QWidget(parent), paint_(std::move(paint)) {}
    QSize sizeHint() const override { return {1, 1}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paint_(p, *this);
    }

private:
    std::function<void(QPainter&, const QWidget&)> paint_;
};

class ShapeView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        return new ShapeWidget(parent, [this](QPainter& p, const QWidget& w) {
            if (window().model()) paint(p, w);
        });
    }

protected:
    bool applyOwn(Long prop) override {
        switch (prop) {
            case PROP::Color:
            case PROP::Fill:
            case PROP::Round:
            case PROP::BevelOuter:
            case PROP::BevelInner:
            case PROP::BevelStyle: widget()->update(); return true;
            case PROP::LineWidth:
                place();
                widget()->update();
                return true;
            default: return false;
        }
    }
    virtual void paint(QPainter& p, const QWidget& w) = 0;

    QColor color(Long prop) const { return colorProperty(model(), number(), prop); }
    int lineWidth() const { return std::max<Long>(1, model().numberProperty(number(), PROP::LineWidth)); }
    // The border in its colour, by default the window's text colour.
    QPen border(const QWidget& w) const {
        const QColor c = color(PROP::Color);
        QPen pen(c.isValid() ? c : w.palette().color(QPalette::WindowText), lineWidth());
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }
    QBrush inside() const {
        const QColor fill = color(PROP::Fill);
        return fill.isValid() ? QBrush(fill) : QBrush();
    }
    // The rectangle a border of the pen's width lies inside.
    static QRectF within(const QWidget& w, const QPen& pen) {
        const qreal half = pen.widthF() / 2;
        return QRectF(w.rect()).adjusted(half, half, -half, -half);
    }
};

class BoxView : public ShapeView {
public:
    using ShapeView::ShapeView;

protected:
    void paint(QPainter& p, const QWidget& w) override {
        const QPen pen = border(w);
        p.setRenderHint(QPainter::Antialiasing, flag(PROP::Round));
        p.setPen(pen);
        p.setBrush(inside());
        if (flag(PROP::Round))
            p.drawRoundedRect(within(w, pen), 8, 8);
        else
            p.drawRect(within(w, pen));
    }
};

class EllipseView : public ShapeView {
public:
    using ShapeView::ShapeView;

protected:
    void paint(QPainter& p, const QWidget& w) override {
        const QPen pen = border(w);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(pen);
        p.setBrush(inside());
        p.drawEllipse(within(w, pen));
    }
};

class LineView : public ShapeView {
public:
    using ShapeView::ShapeView;

protected:
    // The widget holds the line with room for its width around it.
    QRect placement() const override {
        const Rect at = model().placement(number());
        const int room = (lineWidth() + 1) / 2;
        return QRect(QPoint(at.x, at.y), QPoint(at.x + at.width, at.y + at.height))
            .normalized()
            .adjusted(-room, -room, room, room);
    }
    void paint(QPainter& p, const QWidget& w) override {
        const int room = (lineWidth() + 1) / 2;
        const QRectF inner = QRectF(w.rect()).adjusted(room, room, -room, -room);
        const Rect at = model().placement(number());
        const bool falling = (at.width < 0) == (at.height < 0);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(border(w));
        if (falling)
            p.drawLine(inner.topLeft(), inner.bottomRight());
        else
            p.drawLine(inner.bottomLeft(), inner.topRight());
    }
};

// A region shows only what it is given: a border in its colour, a fill, a bevel.
class RegionView : public ShapeView {
public:
    using ShapeView::ShapeView;

protected:
    void paint(QPainter& p, const QWidget& w) override {
        const QRect inner = paintBevel(p, w.rect(), bevelOf(model(), number()), w.palette(), QColor());
        p.fillRect(inner, inside());
        if (const QColor c = color(PROP::Color); c.isValid()) {
            p.setPen(QPen(c, 1));
            p.drawRect(inner.adjusted(0, 0, -1, -1));
        }
    }
};

class PanelView : public ShapeView {
public:
    using ShapeView::ShapeView;

protected:
    void paint(QPainter& p, const QWidget& w) override {
        const QRect inner = paintBevel(p, w.rect(), bevelOf(model(), number()), w.palette(), QColor());
        p.fillRect(inner, inside());
    }
};

}  // namespace

std::unique_ptr<ControlView> makeBoxView(WindowView& w, Long n) { return std::make_unique<BoxView>(w, n); }
std::unique_ptr<ControlView> makeEllipseView(WindowView& w, Long n) { return std::make_unique<EllipseView>(w, n); }
std::unique_ptr<ControlView> makeLineView(WindowView& w, Long n) { return std::make_unique<LineView>(w, n); }
std::unique_ptr<ControlView> makeRegionView(WindowView& w, Long n) { return std::make_unique<RegionView>(w, n); }
std::unique_ptr<ControlView> makePanelView(WindowView& w, Long n) { return std::make_unique<PanelView>(w, n); }

}  // namespace platform
