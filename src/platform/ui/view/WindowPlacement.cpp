// Where the window is and how big: the model's position and size applied on
// screen, and what the user changes written back.
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

namespace platform {
namespace {

// The least a window shrinks to: its caption and boxes stay usable.
constexpr QSize kLeastOuter(120, 60);

int captionSpace(const Window& w) {
    return 2 * SystemMetrics::frameWidth + (w.captionShown() ? SystemMetrics::captionHeight + SystemMetrics::edge : 0);
}

}  // namespace

QSize WindowView::outerSizeFor(QSize client) const {
    return QSize(client.width() + 2 * SystemMetrics::frameWidth, client.height() + captionSpace(*model_))
        .expandedTo(kLeastOuter);
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

void WindowView::applyGeometry() {
    const ProgramChange change(*this);
    const QRect designed = designedOuter();
    designedSize_ = designed.size();
    if (!maximized()) outer()->setGeometry(designed);
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
    if (!model_ || applying_ || maximized_) return;
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
    designedSize_ = designedOuter().size();
    if (QGuiApplication::mouseButtons() == Qt::NoButton)
        model_->userPlacementEnded();
    else
        placementPending_ = true;
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
