// The Qt view of a Window: a frameless widget that draws its own frame and
// caption, with the controls as child widgets. An application window holds
// a menu bar, an MDI area for the MDI children and a status bar.
//
// The view only shows the model and turns user input into the model's user*
// calls; it never decides anything. It lives on the scheduler's stack (Qt's
// thread) and is deleted later by Qt, never from fiber code.
//
// Its parts, one file each: the controls (view/ControlView.h and a view per
// control type), the frame and caption (view/WindowFrame.cpp), the menus
// (view/WindowMenus.cpp), input routing (view/InputRouting.cpp), the
// keyboard's rules (view/KeyRouting.cpp) and the standard actions
// (view/StandardActions.cpp).
#pragma once

#include "platform/text/Text.h"

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

class QAction;
class QKeyEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QStatusBar;

namespace platform {

class ControlView;
class Window;
struct ControlSpec;
struct Event;

class WindowView : public QWidget {
    Q_OBJECT
public:
    explicit WindowView(Window& model);
    ~WindowView() override;

    // While one lives, changes on screen are the program's: no input comes of them.
    class ProgramChange {
    public:
        explicit ProgramChange(WindowView& view) : view_(view), was_(view.applying_) { view.applying_ = true; }
        ~ProgramChange() { view_.applying_ = was_; }
        ProgramChange(const ProgramChange&) = delete;
        ProgramChange& operator=(const ProgramChange&) = delete;

    private:
        WindowView& view_;
        bool was_;
    };

    Window* model() const { return model_; }
    bool applying() const { return applying_; }

    void apply(Long control, Long prop);
    void addControl(Long control);  // one created at run time
    // A control destroyed: its widget goes later, never at once (a handler
    // of that widget may be running).
    void removeControl(Long control);
    void focus(Long control);
    Long focusedControl() const;
    // Paints the window and its controls at once, not at the next event loop turn.
    void repaintNow();
    void dispose();

    QWidget* widget(Long control) const;
    QAction* action(Long item) const;
    QWidget* outer() const;  // what is on screen: the MDI sub-window or this
    QMdiArea* mdiArea() const { return mdiArea_; }
    QStatusBar* statusBar() const { return statusBar_; }
    QMenu* systemMenu() const { return systemMenu_; }
    QRect captionRect() const;
    QRect clientRect() const;
    // The control whose widget holds `w`, 0 for none.
    Long controlOf(const QWidget* w) const;
    void takeKey(const QKeyEvent& key, QWidget* receiver, bool& consumed);
    // Under a modal window of its thread: takes no input.
    bool blocked() const;
    void raiseModalWindow();
    // A key on a blocked MDI child, for the application frame.
    void passToFrame(const QKeyEvent& key);
    // In front and active, as a click on it makes it.
    void bringForward();
    // The pointer as the event's mouse position.
    void placePointer(Event& e) const;
    // A point of the client area in the window's units, on the screen.
    QPoint screenPoint(Long x, Long y) const;
    void standardAction(Long action);
    // The focus on the first control that takes it, as a window opens.
    void focusFirst() { moveFocus(0, true); }
    QSize sizeHint() const override { return designedSize_; }
    QSize minimumSizeHint() const override { return designedSize_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildClientArea();
    void buildSystemMenu();
    void buildMenus();
    void buildMenu(QMenu* into, QMenuBar* bar, const std::vector<ControlSpec>& specs);
    void buildControls(const std::vector<ControlSpec>& specs, QWidget* parent);
    ControlView* buildControl(const ControlSpec& spec, Long number, QWidget* parent);
    ControlView* controlView(Long control) const;
    QWidget* holderOf(Long parent) const;  // the widget a control inside `parent` lies on
    void applyToWindow(Long prop);
    void applyToMenu(Long item, Long prop);
    void applyGeometry();
    void fillWindowMenu(QMenu* menu);
    QRect closeBoxRect() const;
    void showAsMdiChild();
    void showAsTopLevel();
    // The keyboard's rules for a key the program left (view/KeyRouting.cpp);
    // true when one took it.
    bool routeKey(const QKeyEvent& key, Long code, Long focus);
    bool moveFocus(Long from, bool forward);
    bool pressMnemonic(char letter);
    bool openFrameMenu(char letter);
    bool pressButton(Long button);
    Long buttonWhere(Long prop) const;  // the first button with the property set
    Long cancelButton() const;
    void giveFocus(Long control, Qt::FocusReason reason);
    // Qt's paste of an empty clipboard is not safe everywhere.
    static bool clipboardHasText();

    Window* model_;
    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QMenu* systemMenu_ = nullptr;
    QPointer<QMdiSubWindow> sub_;
    std::map<Long, std::unique_ptr<ControlView>> controls_;
    std::map<Long, QAction*> actions_;
    QSize designedSize_;  // the window's own size: what cascading keeps
    QPoint dragFrom_;
    bool dragging_ = false;
    bool applying_ = false;  // a change from the model, not from the user
};

}  // namespace platform
