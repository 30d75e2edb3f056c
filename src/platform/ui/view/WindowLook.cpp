// The window's own look as its properties give it: the background colour and
// wallpaper of its client area (the MDI area of an application window), the
// font and colour its controls take, its cursor, state, size limits and
// frame attributes.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlView.h"
#include "platform/ui/view/Looks.h"
#include "platform/ui/view/ShownProperties.h"

#include <QMdiArea>
#include <QPainter>
#include <QStatusBar>

namespace platform {
namespace {

class ClientArea : public QWidget {
public:
    explicit ClientArea(WindowView& view) : QWidget(&view), view_(view) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        view_.paintBackground(p, rect());
    }

private:
    const WindowView& view_;
};

class FrameArea : public QMdiArea {
public:
    FrameArea(const WindowView& view, QWidget* parent) : QMdiArea(parent), view_(view) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QMdiArea::paintEvent(event);
        QPainter p(viewport());
        view_.paintBackground(p, viewport()->rect());
    }

private:
    const WindowView& view_;
};

}  // namespace

QWidget* makeClientArea(WindowView& view) { return new ClientArea(view); }
QMdiArea* makeFrameArea(WindowView& view, QWidget* parent) { return new FrameArea(view, parent); }

void WindowView::applyLook(Long prop) {
    if (isCatalogued(prop) && !showsProperty(model_->spec().type, prop)) return;
    switch (prop) {
        case PROP::FontName:
        case PROP::FontSize:
        case PROP::FontStyle:
        case PROP::FontColor:
            // Controls without a font or colour of their own take the window's.
            for (const auto& [n, view] : controls_) view->apply(prop);
            return;
        case PROP::Color:
        case PROP::WallPaper:
        case PROP::Tiled:
        case PROP::Centered:
            client_->update();
            if (mdiArea_) mdiArea_->viewport()->update();
            return;
        case PROP::Cursor:
            if (const auto cursor = cursorFor(model_->property(0, prop)))
                setCursor(*cursor);
            else
                unsetCursor();
            return;
        case PROP::Iconize: showIconized(); return;
        case PROP::MinWidth:
        case PROP::MinHeight:
        case PROP::MaxWidth:
        case PROP::MaxHeight: showSizeLimits(); return;
        case PROP::ToolBox: showStaysOnTop(); return;
        case PROP::Resize:
            if (statusBar_) statusBar_->setSizeGripEnabled(frameFlag(prop));
            update();
            return;
        case PROP::Max:
        case PROP::System:
        case PROP::Double:
        case PROP::NoFrame: update(); return;
        case PROP::StatusFont:
            if (statusBar_) {
                const std::string name = clip(model_->property(0, prop));
                QFont statusFont = font();
                if (!name.empty()) statusFont.setFamily(mappedFont(name, statusFont.pointSize()).family());
                statusBar_->setFont(statusFont);
            }
            return;
        default: return;  // TipsFont and NoTips are read as a tip shows, Auto by the model
    }
}

bool WindowView::frameFlag(Long prop) const { return model_ && flagProperty(*model_, 0, prop); }

void WindowView::paintBackground(QPainter& painter, const QRect& area) const {
    if (!model_) return;
    if (const QColor color = colorProperty(*model_, 0, PROP::Color); color.isValid()) painter.fillRect(area, color);
    paintPicture(painter, area, pictureFor(clip(model_->property(0, PROP::WallPaper))), pictureMode(*model_, 0));
}

void WindowView::showIconized() {
    const Qt::WindowStates state = outer()->windowState() & ~Qt::WindowMinimized;
    outer()->setWindowState(frameFlag(PROP::Iconize) ? state | Qt::WindowMinimized : state);
}

// Limits of the client area, in the window's units; 0 is no limit.
void WindowView::showSizeLimits() {
    const DialogUnits& du = model_->units();
    const bool pixels = model_->usesPixels();
    auto limit = [&](Long widthProp, Long heightProp, int none) {
        const Long width = model_->numberProperty(0, widthProp), height = model_->numberProperty(0, heightProp);
        const QSize client = pixels ? QSize(width, height) : QSize(du.toPixelsX(width), du.toPixelsY(height));
        const QSize outer = outerSizeFor(client);
        return QSize(width > 0 ? outer.width() : none, height > 0 ? outer.height() : none);
    };
    outer()->setMinimumSize(limit(PROP::MinWidth, PROP::MinHeight, 0));
    outer()->setMaximumSize(limit(PROP::MaxWidth, PROP::MaxHeight, QWIDGETSIZE_MAX));
}

// A toolbox stays above the other windows.
void WindowView::showStaysOnTop() {
    QWidget* w = outer();
    const bool onTop = frameFlag(PROP::ToolBox);
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
    const bool visible = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible) w->show();
}

}  // namespace platform
