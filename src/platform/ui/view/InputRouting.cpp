// Input meets the program before any widget: a window under a modal window
// of its thread takes none, and keys go to the program first (alerted keys,
// menu accelerators), wherever the focus is inside a window of the layer.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QKeyEvent>

namespace platform {
namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu: return true;
        default: return false;
    }
}

class InputFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isInput(event->type()) || !watched->isWidgetType()) return false;
        WindowView* view = WindowView::holding(watched);
        if (!view) return false;
        if (view->blocked()) {
            if (event->type() == QEvent::MouseButtonPress) view->raiseModalWindow();
            return true;
        }
        if (event->type() != QEvent::KeyPress) return false;
        bool consumed = false;
        view->takeKey(*static_cast<QKeyEvent*>(event), static_cast<QWidget*>(watched), consumed);
        return consumed;
    }
};

}  // namespace

void installInputRouting() {
    static InputFilter* filter = nullptr;
    if (filter) return;
    filter = new InputFilter(qApp);
    qApp->installEventFilter(filter);
}

void WindowView::takeKey(const QKeyEvent& key, QWidget* receiver, bool& consumed) {
    const Long code = keyCodeOf(key.key(), key.modifiers());
    if (!model_ || code == 0) return;
    const QString text = key.text();
    const Long character = text.size() == 1 ? static_cast<unsigned char>(fromQString(text).front()) : 0;
    consumed = model_->userPressedKey(code, controlOf(receiver), character);
}

bool WindowView::blocked() const { return model_ && model_->blocked(); }

void WindowView::raiseModalWindow() {
    Window* top = model_ ? Window::topWindowOf(model_->thread()) : nullptr;
    if (!top || !top->view()) return;
    // Offscreen windows have no stacking to change.
    if (QGuiApplication::platformName() != "offscreen") top->view()->outer()->raise();
    top->view()->outer()->activateWindow();
}

}  // namespace platform
