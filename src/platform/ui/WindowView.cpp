#include "platform/ui/WindowView.h"
#include "platform/ui/view/MenuBar.h"

#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/view/ControlView.h"
#include "platform/ui/view/DockHost.h"

#include <QAction>
#include <QApplication>
#include <QBackingStore>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>

namespace platform {

// How long a repaint waits, once, for its window to come on screen.
constexpr std::chrono::milliseconds kOnScreenWait{500};

namespace {

// Marks the widgets of painted controls made at run time.
constexpr const char* kPaintedUnder = "tabloomPaintedUnder";

// The runtime paints these on the window itself, under the controls that
// are windows of their own.
bool paintedOnWindow(Long type) {
    return type == CREATE::image || type == CREATE::region || type == CREATE::line || type == CREATE::box ||
           type == CREATE::ellipse || type == CREATE::panel;
}

// Under the controls beside it, but over the painted ones made before it.
void putUnderOthers(QWidget& w) {
    w.setProperty(kPaintedUnder, true);
    for (QObject* sibling : w.parentWidget()->children()) {
        auto* other = qobject_cast<QWidget*>(sibling);
        if (other && other != &w && !other->property(kPaintedUnder).toBool()) return w.stackUnder(other);
    }
}

}  // namespace

void installInputRouting();
void installTipRouting();
void installBusyPointer();
void installPointerInput();
QWidget* makeClientArea(WindowView& view);
QMdiArea* makeFrameArea(WindowView& view, QWidget* parent);

WindowView::WindowView(Window& model) : model_(&model) {
    installInputRouting();
    installPointerInput();
    installTipRouting();
    installBusyPointer();
    setWindowFlag(Qt::FramelessWindowHint);
    setMouseTracking(true);  // the resize cursor over the borders
    setAttribute(Qt::WA_DeleteOnClose, false);
    const WindowSpec& spec = model.spec();
    setFont(mappedFont(spec.fontName, spec.fontSize));
    setWindowTitle(toQString(spec.title));
    setWindowIcon(iconFor(spec.icon));

    buildClientArea();
    buildMenus();
    buildControls(spec.controls, client_);
    buildSystemMenu();

    for (const auto& [n, view] : controls_) view->apply(PROP::ScreenText);
    for (Long n : model.controlNumbers())
        if (n < 0)
            for (const auto& [prop, value] : model.control(n)->props) applyToMenu(n, prop);
    applyGeometry();
    watchFocus();
    if (frameFlag(PROP::ToolBox)) showStaysOnTop();
    if (model.numberProperty(0, PROP::Hide) == 0) appear();  // a hidden window stays off screen until unhidden
    if (model.region()) applyRegion();
    if (model.topmost()) applyTopmost();
    focusFirst();
}

// Qt may delete a view the model still holds: an MDI child's goes with its
// frame's.
WindowView::~WindowView() {
    // The focus moves while ~QWidget deletes the controls, after this object is gone.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    if (model_) model_->viewGone();
}

void WindowView::buildClientArea() {
    client_ = makeClientArea(*this);
    client_->setAutoFillBackground(true);
    if (!model_->isApplication()) return;
    auto* layout = new QVBoxLayout(client_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar_ = new MenuBar(client_);
    layout->addWidget(menuBar_);
    mdiArea_ = makeFrameArea(*this, client_);
    mdiArea_->setBackground(colorFromNumber(static_cast<Long>(0x8000000C)));
    mdiArea_->viewport()->installEventFilter(this);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &WindowView::childActivated);
    dockHost_ = new DockHost(mdiArea_, client_);
    layout->addWidget(dockHost_, 1);
    if (!model_->spec().statusBar) return;
    statusBar_ = new QStatusBar(client_);
    statusBar_->setSizeGripEnabled(model_->spec().resizable);
    layout->addWidget(statusBar_);
}

void WindowView::appear() {
    appeared_ = true;
    if (model_->spec().mdi && Window::applicationFrame() && Window::applicationFrame()->view())
        showAsMdiChild();
    else
        showAsTopLevel();
    showFocusMarks();
}

// From the start, not only once Tab was pressed, so a keyboard user sees what
// Enter presses; Qt forgets this whenever a window shows.
void WindowView::showFocusMarks() { window()->setAttribute(Qt::WA_KeyboardFocusChange); }

void WindowView::showAsMdiChild() {
    QMdiArea* area = Window::applicationFrame()->view()->mdiArea();
    if (!area) return showAsTopLevel();
    sub_ = area->addSubWindow(this, Qt::FramelessWindowHint | Qt::SubWindow);
    sub_->setAttribute(Qt::WA_DeleteOnClose, false);
    {
        const ProgramChange change(*this);
        sub_->resize(size());
        if (model_->spec().center || model_->spec().noPosition) showCentred();
        sub_->move(designedOuter().topLeft());  // placed: the area does not place it again
    }
    sub_->installEventFilter(this);
    sub_->show();
    area->setActiveSubWindow(sub_);
}

void WindowView::showAsTopLevel() {
    if (docked()) return show();  // its frame places it
    if (model_->spec().center) showCentred();
    else if (model_->spec().noPosition) showOverOpener();
    {
        const ProgramChange change(*this);
        move(designedOuter().topLeft());
    }
    show();
    activateWindow();
}

void WindowView::dispose() {
    model_ = nullptr;
    if (dockHost_) dockHost_->releaseAll();  // windows of other threads outlive the frame
    // A control's queue may be the procedure's and end before Qt deletes this view.
    for (const auto& [n, view] : controls_) view->detach();
    if (sub_) {
        sub_->hide();
        sub_->deleteLater();
    } else {
        hide();
        deleteLater();
    }
}

QWidget* WindowView::outer() const {
    return sub_ ? static_cast<QWidget*>(sub_.data()) : const_cast<WindowView*>(this);
}

ControlView* WindowView::controlView(Long control) const {
    auto it = controls_.find(control);
    return it == controls_.end() ? nullptr : it->second.get();
}

QWidget* WindowView::widget(Long control) const {
    const ControlView* view = controlView(control);
    return view ? view->widget() : nullptr;
}

QAction* WindowView::action(Long item) const {
    auto it = actions_.find(item);
    return it == actions_.end() ? nullptr : it->second;
}

WindowView* WindowView::holding(QObject* widget) {
    if (!widget || !widget->isWidgetType()) return nullptr;
    for (auto* w = static_cast<QWidget*>(widget); w; w = w->parentWidget()) {
        if (auto* view = qobject_cast<WindowView*>(w)) return view;
        if (w->windowType() == Qt::Popup) return nullptr;  // a menu or drop list keeps its input
    }
    return nullptr;
}

Long WindowView::controlOf(const QWidget* w) const {
    for (; w && w != this; w = w->parentWidget())
        for (const auto& [n, view] : controls_)
            if (view->widget() == w) return n;
    return 0;
}

// ---- controls ----------------------------------------------------------

void WindowView::buildControls(const std::vector<ControlSpec>& specs, QWidget* parent) {
    for (const ControlSpec& s : specs) {
        ControlView* view = buildControl(s, model_->numberOf(&s), parent);
        buildControls(s.children, view->holdsChildren() ? view->widget() : parent);
        view->childrenBuilt();
    }
}

// Sheets, tabs and toolbars hold their controls; inside any other control a
// control lies on the window as its structure places it.
QWidget* WindowView::holderOf(Long parent) const {
    const Control* c = parent ? model_->control(parent) : nullptr;
    if (!c) return client_;
    const ControlView* view = controlView(parent);
    return view && view->holdsChildren() && view->widget() ? view->widget() : holderOf(c->parent);
}

ControlView* WindowView::buildControl(const ControlSpec& s, Long number, QWidget* parent) {
    std::unique_ptr<ControlView> view = makeControlView(s.type, *this, number);
    const QFont font = view->controlFont();
    QWidget* w = view->create(s, parent, font);
    w->setFont(font);
    view->setWidget(w);
    view->applyAll();
    ControlView* built = view.get();
    controls_[number] = std::move(view);
    return built;
}

// An application window's client area is its MDI area: a control created on
// it lies over the area, above the MDI children. Elsewhere a painted control
// (a box, a line, a region, ...) lies under the window's other controls, as
// the runtime paints it on the window itself.
void WindowView::addControl(Long number) {
    const Control* c = model_->control(number);
    if (!c || !c->spec) return;
    QWidget* holder = c->parent == 0 && mdiArea_ ? mdiArea_ : holderOf(c->parent);
    ControlView* view = buildControl(*c->spec, number, holder);
    view->childrenBuilt();
    if (holder == mdiArea_)
        view->widget()->raise();
    else if (paintedOnWindow(c->type))
        putUnderOthers(*view->widget());
}

void WindowView::removeControl(Long number) {
    if (QAction* a = action(number)) {
        a->setVisible(false);
        a->deleteLater();
        actions_.erase(number);
        return;
    }
    auto found = controls_.find(number);
    if (found == controls_.end()) return;
    ControlView* view = found->second.release();
    controls_.erase(found);
    view->detach();
    view->removed();
    QWidget* w = view->widget();
    if (!w) {
        delete view;
        return;
    }
    // The control's view answers its widget's signals until the widget is gone.
    connect(w, &QObject::destroyed, [view] { delete view; });
    w->hide();
    w->deleteLater();
}

void WindowView::apply(Long number, Long prop) {
    if (!model_) return;
    if (number == 0) return applyToWindow(prop);
    if (number < 0) return applyToMenu(number, prop);
    ControlView* view = controlView(number);
    if (!view) return;
    // A control that reports the mouse hears it move without a button down.
    if (prop == PROP::Imm && view->widget()) view->widget()->setMouseTracking(model_->numberProperty(number, prop) != 0);
    view->apply(prop);
}

void WindowView::applyToWindow(Long prop) {
    switch (prop) {
        case PROP::Text:
            setWindowTitle(toQString(model_->property(0, PROP::Text)));
            update();
            return;
        case PROP::Icon:
            setWindowIcon(iconFor(model_->property(0, PROP::Icon)));
            update();
            return;
        case PROP::Xpos:
        case PROP::Ypos:
        case PROP::Width:
        case PROP::Height: applyGeometry(); return;
        case PROP::Maximize: applyMaximized(); return;
        case PROP::Docked: applyDocked(); return;
        case PROP::Hide: return applyHidden();
        default: applyLook(prop); return;
    }
}

void WindowView::applyHidden() {
    const bool shown = model_->numberProperty(0, PROP::Hide) == 0;
    if (shown && !appeared_) return appear();
    outer()->setVisible(shown);
    if (shown) showFocusMarks();
}

Long WindowView::focusedControl() const {
    // A window keeps its focus while inactive; on X11 a window also becomes
    // active only when the window system says so, a while after it opens.
    const QWidget* focused = QApplication::focusWidget();
    if (!focused || !isAncestorOf(focused)) focused = focusWidget();
    return focused && isAncestorOf(focused) ? controlOf(focused) : 0;
}

std::optional<Long> WindowView::selection(Long control, Long prop) const {
    const ControlView* view = controlView(control);
    return view ? view->selection(prop) : std::nullopt;
}

void WindowView::repaintNow() {
    QWidget* shown = outer();
    QWindow* native = shown->window()->windowHandle();
    const bool onScreen = native && native->isExposed();
    if (native && !onScreen && shown->isVisible()) {
        // Qt drops paints of a window the window system has not exposed yet;
        // its exposure paints it.
        if (awaitedScreen_) return;
        awaitedScreen_ = true;
        Scheduler::instance().waitForWindowSystem([native] { return native->isExposed(); }, kOnScreenWait);
        return;
    }
    shown->repaint();
    // What a new region uncovers the window system asks Qt to show at its
    // next turn; the picture is there already, so it is shown now.
    if (onScreen && shown->isWindow() && shown->backingStore()) shown->backingStore()->flush(shown->rect(), native);
}

// Keeps back the update requests of the top-level widget a view is painted
// in; released, it asks for one update if it kept any, so what changed
// meanwhile is painted and nothing else.
class PaintHold : public QObject {
public:
    PaintHold(QWidget* top, QObject* owner) : QObject(owner), top_(top) { top->installEventFilter(this); }
    void hold(bool on) {
        held_ = on;
        if (on || !kept_ || !top_) return;
        kept_ = false;
        QCoreApplication::postEvent(top_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!held_ || watched != top_ || event->type() != QEvent::UpdateRequest) return false;
        kept_ = true;
        return true;
    }

private:
    QPointer<QWidget> top_;
    bool held_ = false;
    bool kept_ = false;
};

void WindowView::holdPaints(bool hold) {
    if (!paintHold_) paintHold_ = new PaintHold(window(), this);
    paintHold_->hold(hold);
}

void WindowView::focus(Long number) {
    // A control that takes no focus (a prompt) hands it to the next one that does.
    const ControlView* view = controlView(number);
    if (view && view->reachable() && !view->takesTabFocus()) {
        moveFocus(number, true);
        return;
    }
    giveFocus(number, Qt::OtherFocusReason);
}

}  // namespace platform
