// The Qt view of a Window: a frameless widget that draws its own frame and
// caption, with the controls as child widgets. An application window holds
// a menu bar, an MDI area for the MDI children and a status bar.
//
// The view only shows the model and turns user input into the model's user*
// calls; it never decides anything. It lives on the scheduler's stack (Qt's
// thread) and is deleted later by Qt, never from fiber code.
#pragma once

#include "platform/text/Text.h"

#include <QPointer>
#include <QWidget>
#include <map>

class QAction;
class QKeyEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QStatusBar;
class QTabWidget;

namespace platform {

class Window;
struct ControlSpec;
struct Event;

class WindowView : public QWidget {
    Q_OBJECT
public:
    explicit WindowView(Window& model);
    ~WindowView() override;

    void apply(Long control, Long prop);
    void addControl(Long control);  // one created at run time
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
    // The pointer as the event's mouse position.
    void placePointer(Event& e) const;
    void standardAction(Long action);
    QSize sizeHint() const override { return designedSize_; }
    QSize minimumSizeHint() const override { return designedSize_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildMenu(QMenu* into, QMenuBar* bar, const std::vector<ControlSpec>& specs);
    void buildControls(const std::vector<ControlSpec>& specs, QWidget* parent);
    QWidget* createControl(const ControlSpec& spec, Long number, QWidget* parent);
    void placeControl(Long number);
    void watchTabs(QTabWidget* sheet, Long number);
    QTabWidget* sheetOf(Long tab) const;  // nullptr unless `tab` is a tab
    void showTab(Long tab, QWidget* page, bool shown);
    void applyGeometry();
    void applyText(Long control);
    void applyFont(Long control);
    void applySelected(Long control);
    void placeEditor(Long list);  // the list's in-place editor over its current row
    void fillWindowMenu(QMenu* menu);
    QRect closeBoxRect() const;
    void showAsMdiChild();
    void showAsTopLevel();

    Window* model_;
    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QMenu* systemMenu_ = nullptr;
    QPointer<QMdiSubWindow> sub_;
    std::map<Long, QWidget*> widgets_;
    std::map<Long, QAction*> actions_;
    std::map<Long, QWidget*> editors_;  // a list's in-place editor while it is shown
    QSize designedSize_;  // the window's own size: what cascading keeps
    QPoint dragFrom_;
    bool dragging_ = false;
    bool applying_ = false;  // a change from the model, not from the user
};

}  // namespace platform
