// A region: an area of the window that draws nothing and is accepted when
// the user clicks in it.
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlViews.h"

#include <QMouseEvent>
#include <functional>

namespace platform {
namespace {

class ClickArea : public QWidget {
public:
    ClickArea(QWidget* parent, std::function<void()> clicked) : QWidget(parent), clicked_(std::move(clicked)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) clicked_();
    }

private:
    std::function<void()> clicked_;
};

class RegionView : public ControlView {
public:
    using ControlView::ControlView;

    QWidget* create(const ControlSpec&, QWidget* parent, const QFont&) override {
        return new ClickArea(parent, [this] {
            if (window().model()) model().userAccepted(number());
        });
    }
};

}  // namespace

std::unique_ptr<ControlView> makeRegionView(WindowView& w, Long n) { return std::make_unique<RegionView>(w, n); }

}  // namespace platform
