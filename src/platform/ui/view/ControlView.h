// One control on screen. Each control type has its view (registered in one
// table, ControlViews.cpp): it makes the type's widget, shows the control's
// properties on it and turns the user's input on it into the model's user*
// calls. Properties every type shows the same way (position, size,
// visibility, font, colours, tip, cursor, ...) are shown here; a type's own
// come first. Which catalogue properties a type shows at all is
// ShownProperties' table: the others are only stored.
//
// Rules:
// - A view only shows the model; it never decides anything.
// - Changes made while `applying()` are the program's, not the user's: a
//   view raises no input for them.
// - A control without a font or colour of its own takes the window's.
// - Controls inside a group or option lie beside it, not in it: hiding or
//   disabling the group hides or disables them too.
#pragma once

#include "platform/text/Text.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

namespace platform {

class Window;
class WindowView;
struct Control;
struct ControlSpec;

class ControlView {
public:
    ControlView(WindowView& window, Long number) : window_(&window), number_(number) {}
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    // Makes the widget under `parent`; `font` is the control's font.
    virtual QWidget* create(const ControlSpec& spec, QWidget* parent, const QFont& font) = 0;
    // Shows the property on the widget.
    void apply(Long prop);
    // Shows every property the model holds for the control.
    void applyAll();
    // The queue a list or spin box shows may end before the widget does.
    virtual void detach() {}
    // Told as the control is destroyed, before its widget goes.
    virtual void removed() {}
    QWidget* widget() const { return widget_; }
    void setWidget(QWidget* w);
    Long number() const { return number_; }
    // A tab's page is placed and shown by its sheet.
    virtual bool placedByParent() const { return false; }
    // Controls inside it lie on its widget (a sheet's tabs, a tab's page).
    virtual bool holdsChildren() const { return false; }
    // Told once the controls inside it (a sheet's tabs) are built.
    virtual void childrenBuilt() {}
    // The control's font: its own properties over its toolbar's and the window's.
    QFont controlFont() const;
    // The user can reach it now: shown, enabled, on the current tab.
    virtual bool reachable() const;
    // Tab stops at it.
    bool takesTabFocus() const;
    // What its mnemonic, or Enter or Escape for a button, does: a button is
    // pressed, a tab chosen; other controls take the focus.
    virtual void press();
    // PROP:SelStart and PROP:SelEnd as the widget has them now (the caret
    // moves as the user types); nullopt for a control without a caret.
    virtual std::optional<Long> selection(Long prop) const { return std::nullopt; }
    // The frame of its picture it shows, 1 the first; 0 for a control that
    // shows no picture.
    virtual int pictureFrame() const { return 0; }

protected:
    // The type's own properties; false when the common handling applies.
    virtual bool applyOwn(Long prop) { return false; }
    // What the control shows of its text and bound value.
    virtual void showText() {}
    // Where the control lies, in pixels of its parent widget.
    virtual QRect placement() const;
    // The palette roles its colour property paints.
    virtual void showColors();
    void place();
    Window& model() const;
    WindowView& window() const { return *window_; }
    const Control& control() const;
    bool applying() const;
    bool flag(Long prop) const;
    // The type shows the property.
    bool shows(Long prop) const;
    // Dialog units of the window, in pixels.
    QSize unitsToPixels(int x, int y) const;

private:
    void showVisibility();
    void showEnabled();
    void showFont();
    void showCursor();
    void showToChildren(Long prop);
    bool shownByGroups(Long prop) const;

    WindowView* window_;
    Long number_;
    QPointer<QWidget> widget_;
    Qt::FocusPolicy focusPolicy_ = Qt::NoFocus;  // the widget's own, for when the control is no longer skipped
};

// The view of a control type; an unknown type gets a plain widget.
std::unique_ptr<ControlView> makeControlView(Long type, WindowView& window, Long number);

}  // namespace platform
