// The Qt view of a Window: a frameless widget that draws its own frame and
// caption, with the controls as child widgets. An application window holds
// a menu bar, an MDI area for the MDI children and a status bar.
//
// The view only shows the model and turns user input into the model's user*
// calls; it never decides anything. It lives on the scheduler's stack (Qt's
// thread) and is deleted later by Qt, never from fiber code.
//
// Its parts, one file each: the controls (view/ControlView.h and a view per
// control type), the frame and caption (view/WindowFrame.cpp), where the
// window is and how big (view/WindowPlacement.cpp), the menus
// (view/WindowMenus.cpp), input routing (view/InputRouting.cpp), the
// keyboard's rules (view/KeyRouting.cpp), the mouse and the focus as events
// (view/PointerInput.cpp) and the standard actions (view/StandardActions.cpp,
// the MDI children's Tile and Cascade in view/MdiArrangement.cpp).
//
// A docked window (PROP:Docked) is a child of its application frame's
// view/DockHost.h while it is docked, a top-level window again once it floats.
//
// Every move and resize of the window on screen that the model did not ask
// for (a drag of the caption or a border, the frame's size grip, Tile and
// Cascade) is the user's: it is written back to the model, which raises the
// events.
#pragma once

#include "platform/text/Text.h"

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QKeyEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPainter;
class QStatusBar;

namespace platform {

class ControlView;
class DockHost;
class MenuBar;
class PaintHold;
class Window;
struct ControlSpec;
struct Event;
struct Rect;

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

    // The view holding the widget, nullptr for none.
    static WindowView* holding(QObject* widget);
    Window* model() const { return model_; }
    bool applying() const { return applying_; }

    void apply(Long control, Long prop);
    // The model's region as the window's mask, where masks apply.
    void applyRegion();
    // In the middle of the screen (an MDI child: of its frame's client area),
    // at the size it has now.
    void centre();
    void applyTopmost();
    // The caption shown or taken away (Window::captionShown): the frame is
    // laid out again around the same client area.
    void applyCaption();
    void applyOpacity();
    void addControl(Long control);  // one created at run time
    // A control destroyed: its widget goes later, never at once (a handler
    // of that widget may be running).
    void removeControl(Long control);
    void focus(Long control);
    Long focusedControl() const;
    // The control's caret or selection end (PROP:SelStart, PROP:SelEnd) as
    // its widget has it; nullopt when it has none.
    std::optional<Long> selection(Long control, Long prop) const;
    // Paints the window and its controls at once, not at the next event loop
    // turn. A window not yet on screen is painted as the window system puts
    // it there: the first time, that is waited for (keeping the lock).
    void repaintNow();
    // While held, changes are not painted; released, what changed is.
    void holdPaints(bool hold);
    void dispose();

    QWidget* widget(Long control) const;
    ControlView* controlView(Long control) const;
    QAction* action(Long item) const;
    // The menu bar's entry the model lights (Window::lightMenu); and the place
    // of the one shown lit, 0 for none.
    void showLitMenu();
    Long litMenuShown() const;
    QWidget* outer() const;  // what is on screen: the MDI sub-window or this
    QMdiArea* mdiArea() const { return mdiArea_; }
    // An application frame's: the MDI area and the windows docked beside it.
    DockHost* dockHost() const { return dockHost_; }
    // Lies inside the application frame (PROP:Docked).
    bool docked() const;
    // Out of the frame again: where its Xpos and Ypos say, shown unless hidden.
    void showFloating();
    QStatusBar* statusBar() const { return statusBar_; }
    QMenu* systemMenu() const { return systemMenu_; }
    QRect captionRect() const;
    QRect clientRect() const;
    QRect closeBoxRect() const;
    QRect maximizeBoxRect() const;  // empty without a maximize box
    QRect iconRect() const;
    // The borders a press at that point would drag: Qt::Edges, none outside
    // the resize handles or when the window cannot be resized now.
    Qt::Edges edgesAt(QPoint at) const;
    // The control whose widget holds `w`, 0 for none.
    Long controlOf(const QWidget* w) const;
    void takeKey(const QKeyEvent& key, QWidget* receiver, bool& consumed);
    // F10 and a lone Alt: the keyboard goes into the frame's menu bar, or
    // leaves it; false when the window reaches none.
    bool toggleFrameMenuBar();
    // Under a modal window of its thread: takes no input.
    bool blocked() const;
    void raiseModalWindow();
    // A key on a blocked MDI child, for the application frame.
    void passToFrame(const QKeyEvent& key);
    // In front and active, as a click on it makes it.
    void bringForward();
    // The pointer as the event's mouse position.
    void placePointer(Event& e) const;
    // The client area's top left corner on the screen.
    QPoint clientOrigin() const;
    // Mouse capture: every click goes to the client area (PointerCalls.h).
    void capturePointer(bool on);
    // A point of the client area in the window's units, on the screen.
    QPoint screenPoint(Long x, Long y) const;
    void standardAction(Long action);
    // The client area's background: the window's colour and wallpaper.
    void paintBackground(QPainter& painter, const QRect& area) const;
    // The focus on the first control that takes it, as a window opens.
    void focusFirst() { moveFocus(0, true); }
    // The window follows the pointer (no edges) or the dragged borders follow
    // it, until the mouse button is released.
    void startDrag(Qt::Edges edges, QPoint globalFrom);
    static WindowView* dragging();
    void dragTo(QPoint global);
    void endDrag();
    // The user's maximize box, caption double click or system menu.
    void toggleMaximized();
    bool maximized() const { return maximized_; }
    // The whole window, frame included, where it is on the screen; and where
    // it is when restored (an MDI child's in its frame's MDI area).
    QRect screenRect() const;
    QRect restoredRect() const { return designedOuter(); }
    // The client area a window of that whole size has.
    QSize clientSizeOf(QSize outer) const;
    bool active() const { return active_; }
    void showSystemMenu();
    // A change of place the user makes with the button down ends when it is released.
    void buttonReleased();
    // Carries out WM_SYSCOMMAND (drag or system menu); false for another command.
    bool systemCommand(Long command);
    QSize sizeHint() const override { return ownSize_; }
    // Its own size, frame included: what the program or the user's resize
    // gave it last, never what Tile or Cascade did (view/MdiArrangement.h).
    QSize ownSize() const { return ownSize_; }
    bool resizable() const;
    // Tile or Cascade places it: written back as the user's change, its own
    // size kept.
    void arrangeTo(const QRect& placed);
    // Tiling may make a window smaller than it was designed.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildClientArea();
    void buildSystemMenu();
    void buildMenus();
    void buildMenu(QMenu* into, MenuBar* bar, const std::vector<ControlSpec>& specs);
    void buildControls(const std::vector<ControlSpec>& specs, QWidget* parent);
    ControlView* buildControl(const ControlSpec& spec, Long number, QWidget* parent);
    QWidget* holderOf(Long parent) const;  // the widget a control inside `parent` lies on
    void applyToWindow(Long prop);
    // The window's properties of the restyle catalogue (view/WindowLook.cpp).
    void applyLook(Long prop);
    void showIconized();
    void showSizeLimits();
    void showStaysOnTop();
    bool frameFlag(Long prop) const;
    void applyToMenu(Long item, Long prop);
    void applyGeometry();
    void applyMaximized();
    void applyDocked();
    void setMaximized(bool on);  // what is on screen only
    QRect maximizedGeometry() const;
    void fillWindowMenu(QMenu* menu);
    void appear();  // first shown: as an MDI child or top level
    void showFocusMarks();
    void applyHidden();
    void showAsMdiChild();
    void showAsTopLevel();
    // The model told where the window lies centred; nothing moves yet.
    void showCentred();
    // The same, centred over the window it was opened from (WindowSpec::noPosition).
    void showOverOpener();
    // The keyboard's rules for a key the program left (view/KeyRouting.cpp);
    // true when one took it.
    bool routeKey(const QKeyEvent& key, Long code, Long focus);
    // A key the runtime has a code for, with the focus on that control: the
    // program's, held, or the keyboard's rules; true when one took it.
    bool takeKeyCode(const QKeyEvent& key, Long code, Long focus);
    bool moveFocus(Long from, bool forward);
    bool pressMnemonic(char letter);
    // The menu bar this window's keys reach: the frame's, for the frame and
    // its MDI children; nullptr for other windows.
    MenuBar* frameMenuBar() const;
    bool openFrameMenu(char letter);
    bool pressButton(Long button);
    Long buttonWhere(Long prop) const;  // the first button with the property set
    Long cancelButton() const;
    void giveFocus(Long control, Qt::FocusReason reason);
    // Qt's paste of an empty clipboard is not safe everywhere.
    static bool clipboardHasText();
    void watchFocus();
    void childActivated(QMdiSubWindow* sub);
    // Where the window is, by the model and on screen (pixels).
    QSize outerSizeFor(QSize client) const;
    QRect designedOuter() const;
    Rect shownPlacement() const;
    void reportPlacement();
    void reportMaximized();
    void reportClientArea();

    Window* model_;
    QWidget* client_ = nullptr;
    MenuBar* menuBar_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    DockHost* dockHost_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QMenu* systemMenu_ = nullptr;
    QPointer<QMdiSubWindow> sub_;
    bool appeared_ = false;  // shown once: a window opened hidden has not been
    std::map<Long, std::unique_ptr<ControlView>> controls_;
    std::map<Long, QAction*> actions_;
    QSize ownSize_;
    bool arranging_ = false;  // Tile or Cascade places it
    Qt::Edges dragEdges_;
    QPoint dragFrom_;
    QRect dragStart_;
    QPointer<QMdiSubWindow> activeChild_;  // of a frame
    Long selected_ = 0;                    // the control the focus came to last
    bool active_ = false;
    bool placementPending_ = false;        // the user moves or sizes it with the button down
    bool maximized_ = false;
    bool awaitedScreen_ = false;  // a repaint waited for the window to come on screen
    PaintHold* paintHold_ = nullptr;
    bool applying_ = false;  // a change from the model, not from the user
};

}  // namespace platform
