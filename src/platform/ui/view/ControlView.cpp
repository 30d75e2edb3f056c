#include "platform/ui/view/ControlView.h"

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

namespace platform {

Window& ControlView::model() const { return *window_->model(); }

const Control& ControlView::control() const { return *model().control(number_); }

bool ControlView::applying() const { return window_->applying(); }

void ControlView::apply(Long prop) {
    if (!widget_ || !window_->model()) return;
    const WindowView::ProgramChange change(*window_);
    if (applyOwn(prop)) return;
    switch (prop) {
        case PROP::Text:
            showText();
            place();  // a control of natural size grows with its text
            return;
        case PROP::ScreenText: showText(); return;
        case PROP::Xpos:
        case PROP::Ypos:
        case PROP::Width:
        case PROP::Height: place(); return;
        case PROP::Hide: showVisibility(); return;
        case PROP::Disable: widget_->setEnabled(model().numberProperty(number_, prop) == 0); return;
        case PROP::FontName:
        case PROP::FontSize: showFont(); return;
        default: return;
    }
}

// A natural size (0) is what the widget asks for; the model reads it back.
void ControlView::place() {
    if (!widget_ || placedByParent()) return;
    const Rect at = model().placement(number_);
    const QSize natural = widget_->sizeHint();
    widget_->setGeometry(at.x, at.y, at.width > 0 ? at.width : natural.width(),
                         at.height > 0 ? at.height : natural.height());
    model().laidOut(number_, widget_->width(), widget_->height());
}

void ControlView::showVisibility() { widget_->setVisible(model().numberProperty(number_, PROP::Hide) == 0); }

void ControlView::showFont() {
    const std::string name = model().property(number_, PROP::FontName);
    const Long size = model().numberProperty(number_, PROP::FontSize);
    QFont font = name.empty() ? widget_->font() : mappedFont(name, widget_->font().pointSize());
    if (size > 0) font.setPointSize(static_cast<int>(size));
    widget_->setFont(font);
}

}  // namespace platform
