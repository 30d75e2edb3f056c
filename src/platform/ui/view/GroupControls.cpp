// Groups, options and toolbars: controls that hold others. A group's or an
// option's controls lie beside it in the window; it draws a box with its
// text around them only when boxed, and its bevel. A toolbar holds its
// controls, placed in its own coordinates, across the top of the window.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"
#include "platform/ui/view/Looks.h"

#include <QGroupBox>
#include <QPainter>
#include <QVBoxLayout>

namespace platform {
namespace {

class GroupFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;
    bool boxed = false;
    Bevel bevel;

protected:
    void paintEvent(QPaintEvent* event) override {
        if (boxed) QGroupBox::paintEvent(event);
        QPainter p(this);
        paintBevel(p, rect(), bevel, palette(), palette().color(QPalette::Mid));
    }
};

class GroupView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        frame_ = new GroupFrame(parent);
        return frame_;
    }

protected:
    bool applyOwn(Long prop) override {
        switch (prop) {
            case PROP::Boxed: frame_->boxed = flag(prop); break;
            case PROP::BevelOuter:
            case PROP::BevelInner:
            case PROP::BevelStyle: frame_->bevel = bevelOf(model(), number()); break;
            default: return false;
        }
        frame_->update();
        return true;
    }
    void showText() override {
        frame_->setTitle(toQString(model().property(number(), PROP::Text)));
        // An option's value shows on its radio buttons.
        for (Long n : model().controlNumbers())
            if (const Control* c = model().control(n); c && c->parent == number() && c->type == CREATE::radio)
                window().apply(n, PROP::ScreenText);
    }

private:
    GroupFrame* frame_ = nullptr;
};

class ToolbarFrame : public QWidget {
public:
    ToolbarFrame(const Window& window, Long number, QWidget* parent)
        : QWidget(parent), window_(window), number_(number) {}
    QSize sizeHint() const override { return {parentWidget() ? parentWidget()->width() : 100, 28}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (const QColor color = colorProperty(window_, number_, PROP::Color); color.isValid())
            p.fillRect(rect(), color);
        paintPicture(p, rect(), pictureFor(clip(window_.property(number_, PROP::WallPaper))),
                     pictureMode(window_, number_));
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(rect().bottomLeft(), rect().bottomRight());
    }

private:
    const Window& window_;
    Long number_;
};

class ToolbarView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        toolbar_ = new ToolbarFrame(model(), number(), parent);
        // In an application window it lies under the menu bar.
        if (auto* layout = qobject_cast<QVBoxLayout*>(parent->layout())) {
            layout->insertWidget(1, toolbar_);
            inLayout_ = true;
        }
        return toolbar_;
    }
    bool holdsChildren() const override { return true; }
    bool placedByParent() const override { return inLayout_; }

protected:
    bool applyOwn(Long prop) override {
        if (prop != PROP::WallPaper && prop != PROP::Tiled && prop != PROP::Centered && prop != PROP::Color)
            return false;
        toolbar_->update();
        return true;
    }

private:
    ToolbarFrame* toolbar_ = nullptr;
    bool inLayout_ = false;
};

}  // namespace

std::unique_ptr<ControlView> makeGroupView(WindowView& w, Long n) { return std::make_unique<GroupView>(w, n); }
std::unique_ptr<ControlView> makeToolbarView(WindowView& w, Long n) { return std::make_unique<ToolbarView>(w, n); }

}  // namespace platform
