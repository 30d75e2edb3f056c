// Tips and status texts of the controls: a tip shows in the window's tips
// font unless the window has no tips; a control's message shows in the
// application window's status bar while the pointer is on it or it has the
// focus.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/Looks.h"

#include <QApplication>
#include <QStatusTipEvent>
#include <QStatusBar>
#include <QToolTip>

namespace platform {
namespace {

const Window* modelHolding(QObject* watched) {
    const WindowView* view = WindowView::holding(watched);
    return view ? view->model() : nullptr;
}

void showStatus(const QString& text) {
    Window* frame = Window::applicationFrame();
    QStatusBar* bar = frame && frame->view() ? frame->view()->statusBar() : nullptr;
    if (bar) bar->showMessage(text);
}

class TipFilter : public QObject {
public:
    explicit TipFilter(QObject* parent) : QObject(parent), defaultFont_(QToolTip::font()) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) return false;
        switch (event->type()) {
            case QEvent::ToolTip: return refusesTip(watched);
            // Qt has no main window here to take a hovered widget's status tip.
            case QEvent::StatusTip:
                if (modelHolding(watched)) showStatus(static_cast<QStatusTipEvent*>(event)->tip());
                return false;
            case QEvent::FocusIn:
                if (auto* w = static_cast<QWidget*>(watched); modelHolding(w) && !w->statusTip().isEmpty())
                    showStatus(w->statusTip());
                return false;
            default: return false;
        }
    }

private:
    bool refusesTip(QObject* watched) const {
        const Window* window = modelHolding(watched);
        if (!window) return false;
        if (flagProperty(*window, 0, PROP::NoTips)) {
            QToolTip::hideText();
            return true;
        }
        const std::string typeface = clip(window->property(0, PROP::TipsFont));
        QFont font = defaultFont_;
        if (!typeface.empty()) font.setFamily(mappedFont(typeface, font.pointSize()).family());
        QToolTip::setFont(font);
        return false;
    }

    QFont defaultFont_;
};

}  // namespace

void installTipRouting() {
    static QObject* filter = nullptr;
    if (filter) return;
    filter = new TipFilter(qApp);
    qApp->installEventFilter(filter);
}

}  // namespace platform
