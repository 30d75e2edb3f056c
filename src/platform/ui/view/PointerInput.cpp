#include "platform/ui/view/PointerInput.h"

#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QEnterEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>
#include <deque>

namespace platform {
namespace {

// The mouse event being handled: the events it raises carry its position and
// button. It lasts until Qt's next turn.
struct Current {
    QPoint global;
    Long keyCode = 0;
    bool set = false;
};

Current& current() {
    static Current c;
    return c;
}

QPoint& last() {
    static QPoint at;
    return at;
}

// Where the layer has put the pointer and the window system has not yet said
// so. On X11 each warp comes back later as a move: the report of an older warp
// must not undo a newer one. A move at the newest warp may be no report but
// one handed to Qt directly, so the older reports may still come.
std::deque<QPoint>& pendingWarps() {
    static std::deque<QPoint> warps;
    return warps;
}

void rememberWarp(QPoint global) {
    auto& warps = pendingWarps();
    warps.push_back(global);
    if (warps.size() > 16) warps.pop_front();
}

// True when a move only reports a warp older than the latest.
bool reportsOlderWarp(const QMouseEvent& mouse) {
    auto& warps = pendingWarps();
    if (mouse.type() != QEvent::MouseMove || warps.empty()) return false;
    // The newest warp there: the pointer may have been put at one place twice.
    const auto reported = std::find(warps.rbegin(), warps.rend(), mouse.globalPosition().toPoint());
    if (reported == warps.rend()) {
        warps.clear();  // the user moved it
        return false;
    }
    if (reported == warps.rbegin()) return false;
    warps.erase(warps.begin(), reported.base());
    return true;
}

void handling(QPoint global, Long keyCode) {
    current() = {global, keyCode, true};
    QMetaObject::invokeMethod(qApp, [] { current().set = false; }, Qt::QueuedConnection);
}

Long buttonKey(Qt::MouseButton button, bool twice) {
    switch (button) {
        case Qt::LeftButton: return twice ? KEY::MouseLeft2 : KEY::MouseLeft;
        case Qt::RightButton: return twice ? KEY::MouseRight2 : KEY::MouseRight;
        case Qt::MiddleButton: return KEY::MouseCenter;
        default: return 0;
    }
}

Long withState(Long key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier) key += KEY::Shift;
    if (modifiers & Qt::ControlModifier) key += KEY::Ctrl;
    if (modifiers & Qt::AltModifier) key += KEY::Alt;
    return key;
}

bool reportsMouse(const Window& w, Long control) { return control != 0 && w.numberProperty(control, PROP::Imm) != 0; }

class PointerFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show: droppedDown(watched); return false;
            case QEvent::Enter:  // its ancestors' enter comes too, maybe late: only a control's counts
                if (watched->isWidgetType() && reportingControl(static_cast<QWidget*>(watched)))
                    pointerOver(static_cast<QWidget*>(watched));
                return false;
            case QEvent::Leave:
                if (watched == inside_) pointerOver(nullptr);
                return false;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseMove: break;
            default: return false;
        }
        const auto& mouse = *static_cast<QMouseEvent*>(event);
        if (watched->isWindowType()) {
            // A window hears each event before its widgets: a stale warp stops here.
            if (reportsOlderWarp(mouse)) return true;
            last() = mouse.globalPosition().toPoint();
            onWindow(mouse);
            return false;
        }
        last() = mouse.globalPosition().toPoint();
        WindowView* view = WindowView::holding(watched);
        if (!view || view == watched || !view->model() || view->blocked() || passedOn(mouse)) return false;
        return onControl(*view, view->controlOf(static_cast<QWidget*>(watched)), mouse);
    }

private:
    // Once per mouse event, whatever widget takes it: drags follow the pointer
    // and end with the button.
    static void onWindow(const QMouseEvent& mouse) {
        WindowView* dragged = WindowView::dragging();
        if (mouse.type() == QEvent::MouseMove && dragged) dragged->dragTo(mouse.globalPosition().toPoint());
        if (mouse.type() != QEvent::MouseButtonRelease || mouse.buttons() != Qt::NoButton) return;
        if (dragged) dragged->endDrag();
        for (Window* w : Window::openWindows())
            if (w->view()) w->view()->buttonReleased();
    }

    // A combo's list is a popup of its own: showing it drops the combo down.
    static void droppedDown(QObject* watched) {
        auto* popup = qobject_cast<QWidget*>(watched);
        auto* combo = popup && popup->isWindow() ? qobject_cast<QComboBox*>(popup->parentWidget()) : nullptr;
        WindowView* view = WindowView::holding(combo);
        if (!view || !view->model() || view->blocked()) return;
        const Long control = view->controlOf(combo);
        view->model()->userPointed(EVENT::DroppingDown, control);
        if (view->model()) view->model()->userPointed(EVENT::DroppedDown, control);
    }

    // A widget that ignores a mouse event passes a copy on to its parent:
    // only the first widget's counts.
    bool passedOn(const QMouseEvent& mouse) {
        const Seen seen{mouse.type(), mouse.timestamp(), mouse.globalPosition().toPoint()};
        if (seen == seen_) return true;
        seen_ = seen;
        return false;
    }

    // True: the program took the press.
    bool onControl(WindowView& view, Long control, const QMouseEvent& mouse) {
        Window& w = *view.model();
        const QPoint global = mouse.globalPosition().toPoint();
        switch (mouse.type()) {
            case QEvent::MouseMove:
                pointerOver(view.widget(control));
                if (reportsMouse(w, control)) handling(global, 0), w.userPointed(EVENT::MouseMove, control);
                return false;
            case QEvent::MouseButtonRelease:
                handling(global, pressed_);
                if (reportsMouse(w, control)) w.userPointed(EVENT::MouseUp, control);
                return false;
            default: break;
        }
        const Long key = buttonKey(mouse.button(), mouse.type() == QEvent::MouseButtonDblClick);
        if (key == 0) return false;
        pressed_ = key;
        handling(global, key);
        if (w.userPressedKey(withState(key, mouse.modifiers()), control)) return true;
        const Control* c = w.control(control);
        if (c && c->type == CREATE::region) w.userAccepted(control);  // MouseDown
        return false;
    }

    // The pointer is over `under` now (nullptr: outside every control), so it
    // may have left one control that reports the mouse and entered another.
    // Qt's enter and leave may come before or after the first move, and twice.
    void pointerOver(QWidget* under) {
        QWidget* control = reportingControl(under);
        if (control == inside_) return;
        for (auto [widget, event] : {std::pair{inside_.data(), EVENT::MouseOut}, std::pair{control, EVENT::MouseIn}}) {
            WindowView* view = WindowView::holding(widget);
            if (!view || !view->model() || view->blocked()) continue;
            handling(last(), 0);
            view->model()->userPointed(event, view->controlOf(widget));
        }
        inside_ = control;
    }

    // The widget of the control holding `w` when that control reports the mouse.
    static QWidget* reportingControl(QWidget* w) {
        WindowView* view = WindowView::holding(w);
        if (!view || !view->model()) return nullptr;
        const Long control = view->controlOf(w);
        return reportsMouse(*view->model(), control) ? view->widget(control) : nullptr;
    }

    struct Seen {
        QEvent::Type type = QEvent::None;
        quint64 timestamp = 0;
        QPoint global;
        bool operator==(const Seen&) const = default;
    };
    Seen seen_;
    Long pressed_ = 0;          // the button of the last press: its release carries it
    QPointer<QWidget> inside_;  // the control the pointer is in
};

}  // namespace

void installPointerInput() {
    static PointerFilter* filter = nullptr;
    if (filter) return;
    filter = new PointerFilter(qApp);
    qApp->installEventFilter(filter);
}

// The pointer is followed from its first use, with or without a window.
QPoint lastPointer() {
    installPointerInput();
    return last();
}

void movePointer(QPoint global) {
    installPointerInput();
    last() = global;
    rememberWarp(global);
    QCursor::setPos(global);
}

void WindowView::capturePointer(bool on) {
    if (on)
        client_->grabMouse();
    else if (QWidget::mouseGrabber() == client_)
        client_->releaseMouse();
}

void WindowView::placePointer(Event& e) const {
    const Current& now = current();
    const QPoint global = now.set ? now.global : last();
    if (now.set && e.keyCode == 0) e.keyCode = now.keyCode;
    e.screenX = global.x();
    e.screenY = global.y();
    if (!model_) return;
    const QPoint local = client_->mapFromGlobal(global);
    if (model_->usesPixels()) {
        e.mouseX = local.x();
        e.mouseY = local.y();
        return;
    }
    e.mouseX = model_->units().toUnitsX(local.x());
    e.mouseY = model_->units().toUnitsY(local.y());
}

void WindowView::watchFocus() {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!model_) return;
        const Long control = now && isAncestorOf(now) ? controlOf(now) : 0;
        if (control == selected_) return;
        selected_ = control;
        if (control != 0) model_->userSelected(control);
    });
}

// A top-level window gains and loses the focus with its activation; an MDI
// child with its frame's active child. A docked window is neither: the
// frame's activation is not its own.
void WindowView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || sub_ || docked() || !model_ || isActiveWindow() == active_)
        return;
    active_ = isActiveWindow();
    model_->userActivated(active_);
}

void WindowView::childActivated(QMdiSubWindow* sub) {
    if (sub == activeChild_) return;
    for (QMdiSubWindow* child : {activeChild_.data(), sub}) {
        auto* view = child ? qobject_cast<WindowView*>(child->widget()) : nullptr;
        if (!view || !view->model_) continue;
        view->active_ = child == sub;
        view->model_->userActivated(view->active_);
    }
    activeChild_ = sub;
}

}  // namespace platform
