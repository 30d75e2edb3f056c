// Input meets the program before any widget: a window under a modal window
// of its thread takes none, and keys go to the program first (alerted keys,
// menu accelerators), wherever the focus is inside a window of the layer;
// then the keyboard's own rules (view/KeyRouting.cpp). Qt's shortcuts never
// see an Alt key there: mnemonics are the layer's, so the active window's
// come before the frame's menu bar; a lone Alt is the menu bar's, and what
// Alt with a key would type no one types. A popup (a menu, a drop list)
// keeps its keys.
#include "platform/text/Codepage.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

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

bool isAlt(const QKeyEvent& key) {
    const Qt::KeyboardModifiers others =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::MetaModifier | Qt::GroupSwitchModifier;
    return key.key() == Qt::Key_Alt && !(key.modifiers() & others);
}

// What Alt with the key would type: a printable character, Alt held without
// AltGr (Qt's group switch, or Ctrl with Alt where a keyboard sends AltGr so).
bool typesWithAlt(const QKeyEvent& key) {
    const Qt::KeyboardModifiers m = key.modifiers();
    if (!(m & Qt::AltModifier) || (m & (Qt::ControlModifier | Qt::GroupSwitchModifier))) return false;
    const QString text = key.text();
    return !text.isEmpty() && text.front().isPrint();
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
        if (takesLoneAlt(*view, *static_cast<QWidget*>(watched), *event)) return true;
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

private:
    // Alt pressed and released with no key or click between, in one window
    // on the screen, is a key of its own: the menu bar's. (A key no one takes
    // comes here again on its way up to the window.)
    bool takesLoneAlt(WindowView& view, QWidget& receiver, const QEvent& event) {
        const bool press = event.type() == QEvent::KeyPress, release = event.type() == QEvent::KeyRelease;
        const bool alt = (press || release) && isAlt(static_cast<const QKeyEvent&>(event));
        if (release && alt && altPressedIn_ == receiver.window()) {
            altPressedIn_ = nullptr;
            return view.toggleFrameMenuBar();
        }
        if (press || event.type() == QEvent::MouseButtonPress) altPressedIn_ = alt ? receiver.window() : nullptr;
        return false;
    }

    QPointer<QWidget> altPressedIn_;
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
    if (model_ && code != 0) consumed = takeKeyCode(key, code, controlOf(receiver));
    // Alt is for mnemonics and menus: what it would type with the key no one took is not typed.
    if (!consumed && typesWithAlt(key)) consumed = true;
}

bool WindowView::takeKeyCode(const QKeyEvent& key, Long code, Long focus) {
    const QString text = key.text();
    const Long character = text.size() == 1 ? static_cast<unsigned char>(fromQString(text).front()) : 0;
    const bool alerted = model_->alerted(focus, code) || model_->alerted(0, code);
    if (!alerted && holdKey(model_->thread(), code)) return true;
    if (model_->userPressedKey(code, focus, character)) return true;
    // The program may have closed the window meanwhile.
    return model_ && routeKey(key, code, focus);
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
