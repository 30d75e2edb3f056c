// Input meets the program before any widget: a window under a modal window
// of its thread takes none, and keys go to the program first (alerted keys,
// menu accelerators), wherever the focus is inside a window of the layer;
// then the keyboard's own rules (view/KeyRouting.cpp). Qt's shortcuts never
// see an Alt key there: mnemonics are the layer's, so the active window's
// come before the frame's menu bar. A popup (a menu, a drop list) keeps its
// keys.
#include "platform/text/Codepage.h"
#include "platform/ui/Keyboard.h"
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
            if (event->type() == QEvent::KeyPress) view->passToFrame(*static_cast<QKeyEvent*>(event));
            return true;
        }
        if (event->type() == QEvent::ShortcutOverride) {
            // Taken as a key press instead.
            if (!(static_cast<QKeyEvent*>(event)->modifiers() & Qt::AltModifier)) return false;
            event->accept();
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
    const Long focus = controlOf(receiver);
    const bool alerted = model_->alerted(focus, code) || model_->alerted(0, code);
    if (!alerted && holdKey(model_->thread(), code)) {
        consumed = true;
        return;
    }
    consumed = model_->userPressedKey(code, focus, character);
    // The program may have closed the window meanwhile.
    if (!consumed && model_) consumed = routeKey(key, code, focus);
}

bool WindowView::blocked() const { return model_ && model_->blocked(); }

// The frame's menus stay in use while one of its MDI children is blocked.
void WindowView::passToFrame(const QKeyEvent& key) {
    Window* frame = model_ && model_->spec().mdi ? Window::applicationFrame() : nullptr;
    WindowView* view = frame ? frame->view() : nullptr;
    if (!view || view->blocked()) return;
    bool consumed = false;
    view->takeKey(key, view, consumed);
}

void WindowView::raiseModalWindow() {
    Window* top = model_ ? Window::topWindowOf(model_->thread()) : nullptr;
    if (top && top->view()) top->view()->bringForward();
}

// Where the program places things: a point of the client area in the
// window's units, on the screen.
QPoint WindowView::screenPoint(Long x, Long y) const {
    const auto px = static_cast<int>(x), py = static_cast<int>(y);
    if (!model_ || model_->usesPixels()) return client_->mapToGlobal(QPoint(px, py));
    return client_->mapToGlobal(QPoint(model_->units().toPixelsX(px), model_->units().toPixelsY(py)));
}

}  // namespace platform
