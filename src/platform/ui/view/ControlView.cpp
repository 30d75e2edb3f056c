#include "platform/ui/view/ControlView.h"

#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/Looks.h"
#include "platform/ui/view/ShownProperties.h"

namespace platform {

Window& ControlView::model() const { return *window_->model(); }

const Control& ControlView::control() const { return *model().control(number_); }

bool ControlView::applying() const { return window_->applying(); }

bool ControlView::flag(Long prop) const { return flagProperty(model(), number_, prop); }

bool ControlView::shows(Long prop) const { return showsProperty(control().type, prop); }

void ControlView::setWidget(QWidget* w) {
    widget_ = w;
    focusPolicy_ = w->focusPolicy();
}

void ControlView::applyAll() {
    std::vector<Long> props;
    for (const auto& [prop, value] : control().props) props.push_back(prop);
    for (Long prop : props) apply(prop);
    apply(PROP::ScreenText);
    apply(PROP::Xpos);  // the geometry lives beside the properties
}

void ControlView::apply(Long prop) {
    if (!widget_ || !window_->model()) return;
    if (isCatalogued(prop) && !shows(prop)) return;
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
        case PROP::Height:
        case PROP::Full: place(); return;
        case PROP::Hide:
            showVisibility();
            showToChildren(prop);
            return;
        case PROP::Disable:
            showEnabled();
            showToChildren(prop);
            return;
        case PROP::FontName:
        case PROP::FontSize:
        case PROP::FontStyle:
            showFont();
            place();
            showToChildren(prop);
            return;
        case PROP::FontColor:
        case PROP::Color:
        case PROP::SelectedColor:
        case PROP::SelectedFillColor:
        case PROP::Trn: showColors(); return;
        case PROP::Cursor: showCursor(); return;
        case PROP::Tip: widget_->setToolTip(toQString(model().property(number_, prop))); return;
        case PROP::Msg: widget_->setStatusTip(toQString(model().property(number_, prop))); return;
        case PROP::Skip: widget_->setFocusPolicy(flag(prop) ? Qt::ClickFocus : focusPolicy_); return;
        default: return;
    }
}

QSize ControlView::unitsToPixels(int x, int y) const {
    const DialogUnits& du = model().units();
    return {du.toPixelsX(x), du.toPixelsY(y)};
}

QRect ControlView::placement() const {
    const Rect at = model().placement(number_);
    QSize size(at.width, at.height);
    const QSize natural = widget_->sizeHint();
    // A full control takes the rest of its parent for a size it was not given.
    const bool full = shows(PROP::Full) && flag(PROP::Full) && widget_->parentWidget();
    const QSize rest = full ? widget_->parentWidget()->size() - QSize(at.x, at.y) : natural;
    if (size.width() <= 0) size.setWidth(rest.width());
    if (size.height() <= 0) size.setHeight(rest.height());
    return {QPoint(at.x, at.y), size};
}

// A natural size (0) is what the widget asks for; the model reads it back.
void ControlView::place() {
    if (!widget_ || placedByParent()) return;
    widget_->setGeometry(placement());
    model().laidOut(number_, widget_->width(), widget_->height());
}

// Groups and options hold their controls in the model only.
bool ControlView::shownByGroups(Long prop) const {
    for (const Control* c = model().control(control().parent); c; c = model().control(c->parent)) {
        if ((c->type == CREATE::group || c->type == CREATE::option) && flagProperty(model(), c->number, prop))
            return false;
    }
    return true;
}

bool ControlView::reachable() const {
    return widget_ && widget_->isVisibleTo(window_) && widget_->isEnabled();
}

bool ControlView::takesTabFocus() const {
    if (!reachable()) return false;
    const QWidget* target = widget_;
    while (target->focusProxy()) target = target->focusProxy();
    return target->isVisibleTo(window_) && (target->focusPolicy() & Qt::TabFocus);
}

void ControlView::press() { widget_->setFocus(Qt::ShortcutFocusReason); }

void ControlView::showVisibility() { widget_->setVisible(!flag(PROP::Hide) && shownByGroups(PROP::Hide)); }

void ControlView::showEnabled() { widget_->setEnabled(!flag(PROP::Disable) && shownByGroups(PROP::Disable)); }

// Groups and options hide and disable the controls beside them; a toolbar's
// font is that of the controls on it.
void ControlView::showToChildren(Long prop) {
    const Long type = control().type;
    const bool holder = prop == PROP::Hide || prop == PROP::Disable
                            ? type == CREATE::group || type == CREATE::option
                            : type == CREATE::toolbar;
    if (!holder) return;
    for (Long n : model().controlNumbers())
        if (const Control* c = model().control(n); c && c->parent == number_) window_->apply(n, prop);
}

QFont ControlView::controlFont() const {
    const ShownFont shown = model().shownFont(number_);
    QFont font = mappedFont(shown.typeface, static_cast<int>(shown.size));
    applyFontStyle(font, shown.style);
    return font;
}

void ControlView::showFont() { widget_->setFont(controlFont()); }

void ControlView::showColors() {
    const Window& m = model();
    auto shown = [&](Long prop) { return shows(prop) ? colorProperty(m, number_, prop) : QColor(); };
    QPalette palette;  // the roles set here; the others come from the parent
    QColor text = shown(PROP::FontColor);
    if (!text.isValid() && shows(PROP::FontColor)) text = colorProperty(m, 0, PROP::FontColor);
    if (text.isValid())
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, text);
    const QColor back = shown(PROP::Color);
    if (back.isValid())
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(role, back);
    if (const QColor selected = shown(PROP::SelectedColor); selected.isValid())
        palette.setColor(QPalette::HighlightedText, selected);
    if (const QColor selected = shown(PROP::SelectedFillColor); selected.isValid())
        palette.setColor(QPalette::Highlight, selected);
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(back.isValid() && !(shows(PROP::Trn) && flag(PROP::Trn)));
}

void ControlView::showCursor() {
    if (const auto cursor = cursorFor(model().property(number_, PROP::Cursor)))
        widget_->setCursor(*cursor);
    else
        widget_->unsetCursor();
}

}  // namespace platform
