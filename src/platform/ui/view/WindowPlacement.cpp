// Where the window is and how big: the model's position and size applied on
// screen, and what the user changes written back.
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlView.h"
#include "platform/ui/view/DockHost.h"
#include "platform/ui/view/KeptInside.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <algorithm>

namespace platform {
namespace {

// The least a user's resize shrinks a window to: its caption and boxes stay
// usable.
constexpr QSize kLeastOuter(120, 60);
// The least the program's sizes make it: its caption's width, and its
// caption and frame high, so a toolbox folds to a row of buttons.
constexpr int kLeastWidth = 120;

int captionSpace(const Window& w) {
    return 2 * SystemMetrics::frameWidth + (w.captionShown() ? SystemMetrics::captionHeight + SystemMetrics::edge : 0);
}

}  // namespace

QSize WindowView::outerSizeFor(QSize client) const {
    return QSize(client.width() + 2 * SystemMetrics::frameWidth, client.height() + captionSpace(*model_))
        .expandedTo(QSize(kLeastWidth, captionSpace(*model_)));
}

QSize WindowView::clientSizeOf(QSize outer) const {
    return {outer.width() - 2 * SystemMetrics::frameWidth, outer.height() - captionSpace(*model_)};
}

QSize WindowView::minimumSizeHint() const { return kLeastOuter; }

QPoint WindowView::clientOrigin() const { return client_->mapToGlobal(QPoint(0, 0)); }

QRect WindowView::designedOuter() const {
    const Rect p = model_->placement(0);
    return {QPoint(p.x, p.y), outerSizeFor(QSize(p.width, p.height))};
}

QRect WindowView::screenRect() const {
    const QWidget* shown = outer();
    return {shown->mapToGlobal(QPoint(0, 0)), shown->size()};
}

Rect WindowView::shownPlacement() const {
    const QRect shown = outer()->geometry();
    const QSize client = clientSizeOf(shown.size());
    return {shown.x(), shown.y(), client.width(), client.height()};
}

void WindowView::showCentred() {
    QPoint centre;
    if (sub_ && sub_->mdiArea()) {
        centre = sub_->mdiArea()->viewport()->rect().center() - sub_->rect().center();
        centre = {std::max(0, centre.x()), std::max(0, centre.y())};
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        centre = screen->availableGeometry().center() - outer()->rect().center();
    } else {
        return;
    }
    model_->shownAt(centre.x(), centre.y());
}

namespace {

// The window opened before this one on its thread, else the application frame.
const Window* openerOf(const Window& w) {
    const std::vector<Window*> ofThread = Window::windowsOf(w.thread());
    const auto at = std::find(ofThread.begin(), ofThread.end(), &w);
    if (at != ofThread.begin() && at != ofThread.end()) return *(at - 1);
    const Window* frame = Window::applicationFrame();
    return frame != &w ? frame : nullptr;
}

// The frame's caption and menu bar on the screen; empty without a frame.
QRect frameTop() {
    const Window* frame = Window::applicationFrame();
    const WindowView* view = frame ? frame->view() : nullptr;
    if (!view || !view->mdiArea() || !view->isVisible()) return {};
    const QRect shown = view->screenRect();
    const int areaTop = view->mdiArea()->mapToGlobal(QPoint(0, 0)).y();
    return {shown.left(), shown.top(), shown.width(), areaTop - shown.top()};
}

}  // namespace

void WindowView::showOverOpener() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->availableGeometry() : QRect(QPoint(), outer()->size());
    const Window* opener = openerOf(*model_);
    const QRect over = opener && opener->view() ? opener->view()->screenRect() : desktop;
    QRect placed(QPoint(), outer()->size());
    placed.moveCenter(over.center());
    if (const QRect top = frameTop(); placed.intersects(top)) placed.moveTop(top.bottom() + 1);
    placed = keptInside(placed, desktop);
    model_->shownAt(placed.x(), placed.y());
}

void WindowView::centre() {
    if (maximized_) return;
    showCentred();
    const ProgramChange change(*this);
    outer()->move(designedOuter().topLeft());
}

void WindowView::applyGeometry() {
    const ProgramChange change(*this);
    const QRect designed = designedOuter();
    ownSize_ = designed.size();
    if (docked())
        resize(designed.size());  // its frame places it
    else if (!maximized())
        outer()->setGeometry(designed);
    client_->setGeometry(clientRect());
    if (!model_->isApplication())
        for (const auto& [n, view] : controls_) view->apply(PROP::Xpos);
}

QRect WindowView::maximizedGeometry() const {
    if (sub_ && sub_->mdiArea()) return sub_->mdiArea()->viewport()->rect();
    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    return shownOn ? shownOn->availableGeometry() : geometry();
}

void WindowView::setMaximized(bool on) {
    if (on == maximized_) return;
    const ProgramChange change(*this);
    maximized_ = on;
    outer()->setGeometry(on ? maximizedGeometry() : designedOuter());
    update();  // the maximize box shows what it does next
}

void WindowView::applyMaximized() {
    setMaximized(model_->numberProperty(0, PROP::Maximize) != 0);
    model_->shownMaximized(maximized() ? std::optional<Rect>(shownPlacement()) : std::nullopt);
}

void WindowView::reportPlacement() {
    if (!model_ || applying_ || maximized_ || docked()) return;
    const QRect shown = outer()->geometry();
    const QRect designed = designedOuter();
    if (shown == designed) return;
    Rect placed = model_->placement(0);
    if (shown.topLeft() != designed.topLeft()) placed.x = shown.x(), placed.y = shown.y();
    if (shown.size() != designed.size()) {
        const QSize client = clientSizeOf(shown.size());
        placed.width = client.width();
        placed.height = client.height();
    }
    model_->userPlaced(placed);
    if (!model_) return;  // closed by the program meanwhile
    if (model_->placement(0).x != shown.x() || model_->placement(0).y != shown.y()) applyGeometry();  // refused
    if (!arranging_) ownSize_ = designedOuter().size();
    if (QGuiApplication::mouseButtons() == Qt::NoButton)
        model_->userPlacementEnded();
    else
        placementPending_ = true;
}

bool WindowView::docked() const { return !sub_ && qobject_cast<DockHost*>(parentWidget()); }

namespace {

DockHost* frameDockHost(const Window& w) {
    const Window* frame = Window::applicationFrame();
    return frame && frame != &w && frame->view() ? frame->view()->dockHost() : nullptr;
}

}  // namespace

void WindowView::applyDocked() {
    if (sub_) return;
    const Long edge = model_->dockedEdge();
    if (DockHost* host = frameDockHost(*model_); edge != 0 && host) {
        const ProgramChange change(*this);
        host->dock(*this, edge);
        setVisible(appeared_ && model_->numberProperty(0, PROP::Hide) == 0);
        applyRegion();
        return;
    }
    if (!docked()) return;
    static_cast<DockHost*>(parentWidget())->release(*this);
    showFloating();
}

void WindowView::showFloating() {
    {
        const ProgramChange change(*this);
        if (model_) outer()->setGeometry(designedOuter());
    }
    if (model_ && model_->region()) applyRegion();
    if (appeared_ && model_ && model_->numberProperty(0, PROP::Hide) == 0) show();
}

bool WindowView::resizable() const { return frameFlag(PROP::Resize); }

void WindowView::arrangeTo(const QRect& placed) {
    arranging_ = true;
    outer()->setGeometry(placed);
    arranging_ = false;
}

void WindowView::buttonReleased() {
    if (!std::exchange(placementPending_, false) || !model_) return;
    model_->userPlacementEnded();
}

void WindowView::reportClientArea() {
    if (!model_) return;
    const QSize area = mdiArea_ ? mdiArea_->viewport()->size() : client_->size();
    model_->laidOut(0, area.width(), area.height());
}

void WindowView::moveEvent(QMoveEvent*) {
    if (!sub_) reportPlacement();
}

void WindowView::resizeEvent(QResizeEvent*) {
    client_->setGeometry(clientRect());
    if (!mdiArea_) reportClientArea();
    if (!sub_) reportPlacement();
}

bool WindowView::eventFilter(QObject* watched, QEvent* event) {
    const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Resize;
    if (placed && watched == sub_) reportPlacement();
    if (event->type() == QEvent::Resize && mdiArea_ && watched == mdiArea_->viewport()) reportClientArea();
    return QWidget::eventFilter(watched, event);
}

}  // namespace platform
