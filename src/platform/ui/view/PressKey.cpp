// PRESSKEY: a key the program presses, delivered as the keyboard delivers
// one, so the program's alerts and the keyboard's rules see it as the user's.
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPointer>

namespace platform {
namespace {

// Where a key goes now: the open popup, else the focused widget, else the
// window the program named.
QWidget* keyReceiver(const QPointer<WindowView>& target) {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (QWidget* focused = QApplication::focusWidget()) return focused;
    if (!target) return nullptr;
    return target->focusWidget() ? target->focusWidget() : target.data();
}

}  // namespace

void PRESSKEY(Long keyCode) {
    if (keySequenceOf(keyCode).isEmpty()) return;  // no key of the keyboard
    Window* w = TARGET();
    QPointer<WindowView> target = w ? w->view() : nullptr;
    QMetaObject::invokeMethod(
        qApp,
        [target, keyCode] {
            const QKeyCombination keys = keySequenceOf(keyCode)[0];
            const QString text = typedTextOf(keyCode);
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QWidget* receiver = keyReceiver(target);
                if (!receiver) return;
                QKeyEvent key(type, keys.key(), keys.keyboardModifiers(), text);
                QApplication::sendEvent(receiver, &key);
            }
        },
        Qt::QueuedConnection);
}

}  // namespace platform
