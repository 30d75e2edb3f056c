#include "platform/drive/Driver.h"

#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/QueueModel.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/ControlView.h"
#include "platform/ui/view/ListControl.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSizeGrip>
#include <QStatusBar>
#include <QStyle>
#include <QHelpEvent>
#include <QToolTip>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <optional>
#include <stdexcept>

namespace platform::drive {
namespace {

Control& controlOf(Window& w, std::string_view label) {
    Control* c = w.control(label);
    if (!c) throw std::invalid_argument("no control " + std::string(label) + " in " + w.property(0, PROP::Text));
    return *c;
}

WindowView& viewOf(Window& w) {
    if (!w.view()) throw std::invalid_argument("the window " + w.property(0, PROP::Text) + " is not on screen");
    return *w.view();
}

QWidget* widgetOf(Window& w, std::string_view label) {
    QWidget* widget = viewOf(w).widget(controlOf(w, label).number);
    if (!widget) throw std::invalid_argument("control " + std::string(label) + " has no widget");
    return widget;
}

// Where typed keys go in a control: the line edit inside a combo.
QWidget* keyTarget(QWidget* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
    return widget;
}

Qt::KeyboardModifiers modifiersOf(Long keyCode) {
    Qt::KeyboardModifiers m;
    if (keyCode & KEY::Shift) m |= Qt::ShiftModifier;
    if (keyCode & KEY::Ctrl) m |= Qt::ControlModifier;
    if (keyCode & KEY::Alt) m |= Qt::AltModifier;
    return m;
}

Qt::Key qtKeyOf(Long keyCode) {
    const Long key = keyCode & 0xFF;
    if (key >= KEY::F1 && key <= KEY::F12 + 12) return static_cast<Qt::Key>(Qt::Key_F1 + (key - KEY::F1));
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<Qt::Key>(key);
    switch (key) {
        case KEY::Tab: return keyCode & KEY::Shift ? Qt::Key_Backtab : Qt::Key_Tab;
        case KEY::Enter: return Qt::Key_Return;
        case KEY::Esc: return Qt::Key_Escape;
        case KEY::Space: return Qt::Key_Space;
        case KEY::Left: return Qt::Key_Left;
        case KEY::Right: return Qt::Key_Right;
        case KEY::Up: return Qt::Key_Up;
        case KEY::Down: return Qt::Key_Down;
        case KEY::Delete: return Qt::Key_Delete;
        case 0x08: return Qt::Key_Backspace;
        case 0x21: return Qt::Key_PageUp;
        case 0x22: return Qt::Key_PageDown;
        case 0x23: return Qt::Key_End;
        case 0x24: return Qt::Key_Home;
        default: return Qt::Key_unknown;
    }
}

// What a key types as an X11 keyboard gives it: with Alt the letter all the
// same (Qt would type it; the layer must not), with Ctrl nothing.
QString keyboardTextOf(Long keyCode) {
    if ((keyCode & KEY::Alt) && !(keyCode & KEY::Ctrl)) return typedTextOf(keyCode & ~KEY::Alt);
    return typedTextOf(keyCode);
}

// A key as the keyboard sends it: to the focused widget of the window, Qt's
// shortcuts first.
void keyClick(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, window, key, text, modifiers);
    settle();
}

QWindow* screenWindowOf(Window& w) { return viewOf(w).window()->windowHandle(); }

// The key that types a character: a letter's with Shift for a capital, a
// Latin-1 sign's own.
void typeCharacter(QWindow* window, QChar c) {
    if (c == '\n') return keyClick(window, Qt::Key_Return, {}, "\r");
    if (c == '\t') return keyClick(window, Qt::Key_Tab, {}, "\t");
    const QChar key = c.toUpper();
    const bool latin1 = key.unicode() < 0x100;
    const Qt::KeyboardModifiers shift = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
    keyClick(window, latin1 ? static_cast<Qt::Key>(key.unicode()) : Qt::Key_unknown, shift, QString(c));
}

// Where a user aims at a control: a check box's box, else the middle.
QPoint aimAt(QWidget* widget) {
    if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(check);
        return check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check).center();
    }
    return widget->rect().center();
}

// The real pointer goes there as the layer's does, so that the window
// system's late report of this move undoes none that follows.
void pointTo(QPoint global) { SetCursorPos(global.x(), global.y()); }

// A press and a release of the left button at that point of the widget's
// window: whatever is there on screen takes them, so a hidden or covered
// control gets nothing.
void clickAt(QWidget* widget, QPoint at) {
    QWidget* top = widget->window();
    const QPoint inWindow = widget->mapTo(top, at);
    pointTo(top->mapToGlobal(inWindow));
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, inWindow);
    settle();
}

void moveMouseTo(QWidget* widget, QPoint at) {
    QWidget* top = widget->window();
    const QPoint inWindow = widget->mapTo(top, at);
    pointTo(top->mapToGlobal(inWindow));
    QTest::mouseMove(top->windowHandle(), inWindow);
    settle();
}

QWindow* windowHandleOf(QWidget* widget) { return widget->window()->windowHandle(); }

Qt::MouseButton qtButton(Long button) { return button == KEY::MouseRight ? Qt::RightButton : Qt::LeftButton; }

// One kind of mouse input at a point of the screen, through the window that
// holds `widget`: whatever is there takes it.
void mouseAtScreen(QWidget* widget, QPoint global, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
    QWindow* handle = windowHandleOf(widget);
    const QPoint at = handle->mapFromGlobal(global);
    pointTo(global);
    switch (type) {
        case QEvent::MouseButtonPress: QTest::mousePress(handle, button, {}, at); break;
        case QEvent::MouseButtonRelease: QTest::mouseRelease(handle, button, {}, at); break;
        case QEvent::MouseButtonDblClick: QTest::mouseDClick(handle, button, {}, at); break;
        default: QTest::mouseMove(handle, at); break;
    }
    settle();
}

// Presses at `from` (a point of the window's view), moves by (dx, dy) in a few
// steps and releases.
void dragFrom(WindowView& view, QPoint from, int dx, int dy) {
    const QPoint start = view.mapToGlobal(from);
    mouseAtScreen(&view, start, QEvent::MouseButtonPress);
    constexpr int kSteps = 4;
    for (int i = 1; i <= kSteps; ++i)
        mouseAtScreen(&view, start + QPoint(dx * i / kSteps, dy * i / kSteps), QEvent::MouseMove);
    mouseAtScreen(&view, start + QPoint(dx, dy), QEvent::MouseButtonRelease);
}

// A point of the caption that only moves the window.
QPoint bareCaption(const WindowView& view) { return {view.iconRect().right() + 10, view.captionRect().center().y()}; }

bool inFront(WindowView& view) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(view.outer()))
        return sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub;
    if (view.docked()) return QApplication::activeWindow() == view.window();  // it shows with its frame
    return QApplication::activeWindow() == &view;
}

// A point of the window's bare caption that nothing covers.
std::optional<QPoint> visibleCaptionPoint(WindowView& view) {
    const QRect boxes = view.maximizeBoxRect().isNull() ? view.closeBoxRect() : view.maximizeBoxRect();
    const int end = boxes.isNull() ? view.captionRect().right() : boxes.left();
    QWidget* top = view.window();
    for (QPoint at = bareCaption(view); at.x() < end; at.rx() += 16) {
        QWidget* there = top->childAt(view.mapTo(top, at));
        if (there == &view || (there && view.isAncestorOf(there)) || (top == &view && !there)) return at;
    }
    return std::nullopt;
}

void chooseFromWindowList(Window& w);

// On X11 a window is active only once the X server says so, a moment after it
// was shown or clicked: keys sent before then find no focus. Without a window
// manager nobody else activates it on the click.
void awaitActivation(WindowView& view) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    QWindow* native = view.window()->windowHandle();
    if (!native || native->isActive()) return;
    view.window()->activateWindow();
    const QDeadlineTimer deadline(std::chrono::seconds(2));
    while (!native->isActive() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        settle();
    }
}

// What a user does before working in a window that is not in front: a click
// on a visible part of its caption, or, for an MDI child that others cover,
// its entry in the frame's window list.
void bringForward(Window& w) {
    WindowView& view = viewOf(w);
    if (inFront(view)) return;
    if (const std::optional<QPoint> at = visibleCaptionPoint(view)) clickAt(&view, *at);
    else if (w.spec().mdi) chooseFromWindowList(w);
    awaitActivation(view);
}

void closePopups() {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        keyClick(popup->windowHandle(), Qt::Key_Escape, {}, {});
        if (QApplication::activePopupWidget() == popup) popup->close();
    }
}

QAction* menuAction(Window& w, Long item) {
    QAction* action = viewOf(w).action(item);
    if (!action) throw std::invalid_argument("no menu item " + std::to_string(item));
    return action;
}

template <class T>
T* holder(QAction* action) {
    for (QObject* o : action->associatedObjects())
        if (auto* widget = qobject_cast<T*>(o)) return widget;
    throw std::invalid_argument("the menu item " + fromQString(action->text()) + " is not shown");
}

// Opens the menus down to the item, as the pointer does: a click on the menu
// bar, then the pointer resting on each submenu; the menu showing the item,
// or the menu itself when `itself` is set.
QMenu* openMenusTo(Window& w, std::string_view label, bool itself = false) {
    closePopups();
    std::vector<Long> path;
    for (Long n = controlOf(w, label).number; n != 0; n = w.control(n)->parent) path.insert(path.begin(), n);
    if (itself) path.push_back(0);
    QAction* top = menuAction(w, path.front());
    QMenuBar* bar = holder<QMenuBar>(top);
    clickAt(bar, bar->actionGeometry(top).center());
    QMenu* menu = top->menu();
    for (std::size_t i = 1; i + 1 < path.size(); ++i) {
        QAction* sub = menuAction(w, path[i]);
        moveMouseTo(menu, menu->actionGeometry(sub).center());
        Scheduler::instance().pumpUntil([sub] { return sub->menu()->isVisible(); }, std::chrono::seconds(2));
        menu = sub->menu();
    }
    if (!menu || !menu->isVisible()) throw std::invalid_argument("the menu of " + std::string(label) + " did not open");
    return menu;
}

// The layer's own box, or the style manager's styled one: both label their
// lines "?Line" n and their buttons "?Button" n.
Window* messageBox() {
    const auto& windows = Window::openWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if ((*it)->spec().label == "MessageBox" || (*it)->spec().label == "P44$MSGWIN") return *it;
    return nullptr;
}

// The window list of the frame's menu with STD:WindowList: "&n title" for
// the frame's n-th MDI child.
void chooseFromWindowList(Window& w) {
    Window* frame = Window::applicationFrame();
    auto* sub = qobject_cast<QMdiSubWindow*>(viewOf(w).outer());
    if (!frame || !sub || !sub->mdiArea()) return;
    for (Long n : frame->controlNumbers()) {
        if (n >= 0 || frame->numberProperty(n, PROP::Std) != STD::WindowList) continue;
        QMenu* menu = openMenusTo(*frame, frame->control(n)->label, true);
        const QString entry = QString("&%1 ").arg(sub->mdiArea()->subWindowList().indexOf(sub) + 1);
        for (QAction* a : menu->actions())
            if (a->property("windowList").toBool() && a->text().startsWith(entry))
                return clickAt(menu, menu->actionGeometry(a).center());
    }
    closePopups();
}

}  // namespace

void settle() { Scheduler::instance().pumpUntilIdle(); }

Window* window(std::string_view title) {
    const auto& windows = Window::openWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if ((*it)->property(0, PROP::Text) == title) return *it;
    return nullptr;
}

Window* waitForWindow(std::string_view title, std::chrono::milliseconds timeout) {
    Scheduler::instance().pumpUntil([title] { return window(title) != nullptr; }, timeout);
    settle();
    return window(title);
}

std::vector<std::string> windowTitles() {
    std::vector<std::string> titles;
    for (Window* w : Window::openWindows()) titles.push_back(w->property(0, PROP::Text));
    return titles;
}

void pressKey(Window& w, Long keyCode) {
    bringForward(w);
    if (keyCode == KEY::Alt) {
        QTest::sendKeyEvent(QTest::Press, screenWindowOf(w), Qt::Key_Alt, QString(), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, screenWindowOf(w), Qt::Key_Alt, QString(), Qt::NoModifier);
        return settle();
    }
    keyClick(screenWindowOf(w), qtKeyOf(keyCode), modifiersOf(keyCode), keyboardTextOf(keyCode));
}

void chooseMenu(Window& w, std::string_view label) {
    QMenu* menu = openMenusTo(w, label);
    clickAt(menu, menu->actionGeometry(menuAction(w, controlOf(w, label).number)).center());
    // A disabled item leaves its menu open; the user goes away.
    closePopups();
}

void highlightMenu(Window& w, std::string_view label) {
    QMenu* menu = openMenusTo(w, label);
    moveMouseTo(menu, menu->actionGeometry(menuAction(w, controlOf(w, label).number)).center());
}

std::string litMenu(Window& w) {
    const Long entry = w.menuBarEntry(viewOf(w).litMenuShown());
    return entry == 0 ? std::string() : w.control(entry)->label;
}

std::string statusText(Window& w) {
    QStatusBar* bar = viewOf(w).statusBar();
    return bar ? fromQString(bar->currentMessage()) : std::string();
}

void click(Window& w, std::string_view label) { click(w, controlOf(w, label).number); }

void click(Window& w, Long number) {
    QWidget* control = viewOf(w).widget(number);
    if (!control) throw std::invalid_argument("control " + std::to_string(number) + " has no widget");
    bringForward(w);
    clickAt(control, aimAt(control));
}

void chooseTab(Window& w, std::string_view tabLabel) {
    QWidget* page = widgetOf(w, tabLabel);
    auto* sheet = qobject_cast<QTabWidget*>(viewOf(w).widget(controlOf(w, tabLabel).parent));
    if (!sheet) throw std::invalid_argument(std::string(tabLabel) + " is no tab");
    bringForward(w);
    QTabBar* bar = sheet->tabBar();
    clickAt(bar, bar->tabRect(sheet->indexOf(page)).center());
}

// As a user drops a list down and picks from it in one stroke: the button
// pressed on the arrow, moved to the entry and released there.
void chooseFromDropList(Window& w, std::string_view label, std::string_view entry) {
    auto* combo = qobject_cast<QComboBox*>(widgetOf(w, label));
    const int index = combo ? combo->findText(toQString(entry)) : -1;
    if (index < 0) throw std::invalid_argument(std::string(entry) + " is not in the list of " + std::string(label));
    bringForward(w);
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    mouseAtScreen(combo, combo->mapToGlobal(arrow.center()), QEvent::MouseButtonPress);
    QAbstractItemView* list = combo->view();
    if (!list->isVisible()) throw std::invalid_argument("the list of " + std::string(label) + " did not drop down");
    const QModelIndex row = list->model()->index(index, combo->modelColumn());
    list->scrollTo(row);
    const QPoint at = list->viewport()->mapToGlobal(list->visualRect(row).center());
    mouseAtScreen(list->viewport(), at, QEvent::MouseMove);
    mouseAtScreen(list->viewport(), at, QEvent::MouseButtonRelease);
    // Released too near the arrow the list stays down: then a click picks.
    if (list->isVisible()) clickAt(list->viewport(), list->viewport()->mapFromGlobal(at));
}

namespace {

// Clicks into the control and puts the caret at the end of its text; the
// window the keys go to.
QWindow* caretAtEnd(Window& w, std::string_view label) {
    QWidget* target = keyTarget(widgetOf(w, label));
    bringForward(w);
    clickAt(target, target->rect().center());
    const bool lines = qobject_cast<QPlainTextEdit*>(target) != nullptr;
    keyClick(screenWindowOf(w), Qt::Key_End, lines ? Qt::ControlModifier : Qt::NoModifier, {});
    return screenWindowOf(w);
}

}  // namespace

void type(Window& w, std::string_view label, std::string_view text) {
    QWindow* keys = caretAtEnd(w, label);
    for (const QChar c : toQString(text)) typeCharacter(keys, c);
}

void typeWithAltGr(Window& w, std::string_view label, std::string_view text) {
    QWindow* keys = caretAtEnd(w, label);
    for (const QChar c : toQString(text))
        keyClick(keys, static_cast<Qt::Key>(c.unicode()), Qt::GroupSwitchModifier, QString(c));
}

void typeOver(Window& w, std::string_view label, std::string_view text) {
    QWidget* target = keyTarget(widgetOf(w, label));
    bringForward(w);
    clickAt(target, target->rect().center());
    keyClick(screenWindowOf(w), Qt::Key_A, Qt::ControlModifier, {});
    for (const QChar c : toQString(text)) typeCharacter(screenWindowOf(w), c);
}

void leave(Window& w, std::string_view label) {
    QWidget* control = widgetOf(w, label);
    QWidget* focused = QApplication::focusWidget();
    if (focused && (focused == control || control->isAncestorOf(focused))) pressKey(w, KEY::Tab);
}

namespace {

// The middle of the row's first shown cell, scrolled into sight as a user would.
QPoint rowCentre(QAbstractItemView& view, std::string_view label, int row) {
    int column = 0;
    while (column < view.model()->columnCount() && view.visualRect(view.model()->index(row - 1, column)).isEmpty())
        ++column;
    const QModelIndex cell = view.model()->index(row - 1, column);
    if (!cell.isValid()) throw std::invalid_argument(std::string(label) + " has no row " + std::to_string(row));
    view.scrollTo(cell);
    return view.visualRect(cell).intersected(view.viewport()->rect()).center();
}

QAbstractItemView& listOf(Window& w, std::string_view label) {
    auto* view = qobject_cast<QAbstractItemView*>(widgetOf(w, label));
    if (!view || !view->model()) throw std::invalid_argument(std::string(label) + " is no list");
    bringForward(w);
    return *view;
}

}  // namespace

void chooseRow(Window& w, std::string_view label, int row) {
    QAbstractItemView& view = listOf(w, label);
    clickAt(view.viewport(), rowCentre(view, label, row));
}

void doubleClickRow(Window& w, std::string_view label, int row) {
    QAbstractItemView& view = listOf(w, label);
    const QPoint at = rowCentre(view, label, row);
    mouseAtScreen(view.viewport(), view.viewport()->mapToGlobal(at), QEvent::MouseButtonDblClick);
}

void toggleMark(Window& w, std::string_view label, int row) {
    auto* view = qobject_cast<QAbstractItemView*>(widgetOf(w, label));
    if (!view || !view->model()) throw std::invalid_argument(std::string(label) + " is no list");
    bringForward(w);
    view->scrollTo(view->model()->index(row - 1, 0));
    const QRect mark = markRect(*view, row - 1);
    if (mark.isEmpty()) throw std::invalid_argument(std::string(label) + " has no marks");
    clickAt(view->viewport(), mark.center());
}

namespace {

void clickTreeBox(Window& w, std::string_view label, int row, bool opening) {
    QAbstractItemView& view = listOf(w, label);
    const auto* rows = dynamic_cast<const QueueModel*>(view.model());
    if (!rows || rows->treeColumn() < 0) throw std::invalid_argument(std::string(label) + " is no tree");
    if ((rows->level(row - 1) < 0) != opening)
        throw std::invalid_argument(std::string(label) + ": row " + std::to_string(row) + " is " +
                                    (opening ? "open" : "collapsed") + " already");
    // The row comes into sight as a click on it brings it; the box lies at the
    // tree column's start.
    rowCentre(view, label, row);
    const QRect box = treeBoxRect(view, row - 1);
    if (box.isEmpty() || !view.viewport()->rect().contains(box))
        throw std::invalid_argument(std::string(label) + ": row " + std::to_string(row) + " shows no box");
    clickAt(view.viewport(), box.center());
}

}  // namespace

void expandRow(Window& w, std::string_view label, int row) { clickTreeBox(w, label, row, true); }

std::string tipOverCell(Window& w, std::string_view label, int row, int column) {
    QAbstractItemView& view = listOf(w, label);
    const QModelIndex cell = view.model()->index(row - 1, column - 1);
    view.scrollTo(cell);
    const QPoint at = view.visualRect(cell).intersected(view.viewport()->rect()).center();
    if (!cell.isValid() || at.isNull()) throw std::invalid_argument(std::string(label) + " shows no such cell");
    moveMouseTo(view.viewport(), at);
    QHelpEvent rest(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &rest);
    settle();
    return QToolTip::isVisible() ? fromQString(QToolTip::text()) : std::string();
}
void collapseRow(Window& w, std::string_view label, int row) { clickTreeBox(w, label, row, false); }

void choosePopup(const std::vector<std::string>& path) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    for (std::size_t i = 0; menu && i < path.size(); ++i) {
        QAction* item = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == toQString(path[i])) item = a;
        if (!item) throw std::invalid_argument("the popup menu has no item " + path[i]);
        const QPoint at = menu->actionGeometry(item).center();
        if (i + 1 == path.size()) return clickAt(menu, at);
        moveMouseTo(menu, at);
        Scheduler::instance().pumpUntil([item] { return item->menu() && item->menu()->isVisible(); },
                                        std::chrono::seconds(2));
        menu = item->menu();
    }
    throw std::invalid_argument("no popup menu is up");
}

void dismissPopups() { closePopups(); }

namespace {

// The window of the program on the screen at that point, topmost first;
// windows the mouse passes through do not count.
// Where a window of the layer leaves itself out (its region), the mouse
// reaches what lies below.
bool showsAt(const QWindow* handle, QPoint global) {
    for (Window* w : Window::openWindows())
        if (w->view() && w->view()->windowHandle() == handle) {
            const QPoint at = w->view()->mapFromGlobal(global);
            return shows(*w, at.x(), at.y());
        }
    return true;
}

QWindow* windowAt(QPoint global) {
    // Under a mouse capture the capturing window takes them, its region or not.
    if (const QWidget* capturing = QWidget::mouseGrabber()) return capturing->window()->windowHandle();
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        QWindow* w = *it;
        if (w->isVisible() && !(w->flags() & Qt::WindowTransparentForInput) && w->geometry().contains(global) &&
            showsAt(w, global))
            return w;
    }
    return nullptr;
}

QPoint pointerNow() {
    POINT at;
    GetCursorPos(at);
    return {static_cast<int>(at.x), static_cast<int>(at.y)};
}

void mouseAtPointer(QEvent::Type type, Qt::MouseButton button) {
    const QPoint global = pointerNow();
    QWindow* handle = windowAt(global);
    if (!handle) throw std::invalid_argument("no window of the program under the pointer");
    const QPoint at = handle->mapFromGlobal(global);
    switch (type) {
        case QEvent::MouseButtonDblClick: QTest::mouseDClick(handle, button, {}, at); break;
        case QEvent::MouseButtonPress: QTest::mouseClick(handle, button, {}, at); break;
        default: QTest::mouseMove(handle, at); break;
    }
    settle();
}

// The action numbered so in the menu or its submenus.
QAction* popupItem(QMenu* menu, Long number, std::vector<QAction*>& path) {
    for (QAction* a : menu->actions()) {
        if (a->menu()) {
            path.push_back(a);
            if (QAction* found = popupItem(a->menu(), number, path)) return found;
            path.pop_back();
        } else if (a->data().toLongLong() == number && number != 0) {
            return a;
        }
    }
    return nullptr;
}

void listPopupItems(QMenu* menu, const std::string& path, std::vector<std::string>& items) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            listPopupItems(a->menu(), path + fromQString(a->text()) + "/", items);
        else if (a->data().toLongLong() != 0)
            items.push_back(path + fromQString(a->text()));
    }
}

}  // namespace

void movePointer(int x, int y) {
    const QPoint global(x, y);
    SetCursorPos(x, y);
    if (windowAt(global)) mouseAtPointer(QEvent::MouseMove, Qt::NoButton);
}

void clickPointer(Long button) { mouseAtPointer(QEvent::MouseButtonPress, qtButton(button)); }

void doubleClickPointer() { mouseAtPointer(QEvent::MouseButtonDblClick, Qt::LeftButton); }

void choosePopup(Long number) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) throw std::invalid_argument("no popup menu is up");
    if (number == 0) return closePopups();
    std::vector<QAction*> path;
    QAction* item = popupItem(menu, number, path);
    if (!item) throw std::invalid_argument("the popup menu has no item " + std::to_string(number));
    std::vector<std::string> texts;
    for (QAction* a : path) texts.push_back(fromQString(a->text()));
    texts.push_back(fromQString(item->text()));
    choosePopup(texts);
}

std::vector<std::string> popupItems() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) throw std::invalid_argument("no popup menu is up");
    std::vector<std::string> items;
    listPopupItems(menu, "", items);
    return items;
}

bool shows(Window& w, int x, int y) { return !w.region() || w.region()->contains(x, y); }

int pictureFrame(Window& w, std::string_view label) {
    const ControlView* view = viewOf(w).controlView(controlOf(w, label).number);
    return view ? view->pictureFrame() : 0;
}

void closeBySystemMenu(Window& w) {
    WindowView& view = viewOf(w);
    bringForward(w);
    clickAt(&view, view.iconRect().center());
    QMenu* menu = view.systemMenu();
    if (!menu->isVisible() || menu->actions().isEmpty()) return;
    clickAt(menu, menu->actionGeometry(menu->actions().back()).center());  // Close comes last
}

void closeByCloseBox(Window& w) {
    WindowView& view = viewOf(w);
    const QRect caption = view.captionRect();
    clickAt(&view, QPoint(caption.right() - 6, caption.center().y()));
}


void dragCaption(Window& w, int dx, int dy) {
    WindowView& view = viewOf(w);
    dragFrom(view, bareCaption(view), dx, dy);
}

// By its grip: the status bar's when it has one, else the frame's bottom right corner.
void resizeBy(Window& w, int dx, int dy) {
    WindowView& view = viewOf(w);
    const auto* grip = view.statusBar() ? view.statusBar()->findChild<QSizeGrip*>() : nullptr;
    const bool gripShown = grip && grip->isVisible();
    dragFrom(view, gripShown ? grip->mapTo(&view, grip->rect().center()) : view.rect().bottomRight(), dx, dy);
}

void clickMaximizeBox(Window& w) {
    WindowView& view = viewOf(w);
    clickAt(&view, view.maximizeBoxRect().center());
}

void doubleClickCaption(Window& w) {
    WindowView& view = viewOf(w);
    mouseAtScreen(&view, view.mapToGlobal(bareCaption(view)), QEvent::MouseButtonDblClick);
}

void activate(Window& w) {
    WindowView& view = viewOf(w);
    mouseAtScreen(&view, view.mapToGlobal(bareCaption(view)), QEvent::MouseButtonPress);
    mouseAtScreen(&view, view.mapToGlobal(bareCaption(view)), QEvent::MouseButtonRelease);
    view.window()->activateWindow();  // what a window manager does on the click
    settle();
}

void moveMouse(Window& w, std::string_view label, int x, int y) {
    QWidget* widget = widgetOf(w, label);
    mouseAtScreen(widget, widget->mapToGlobal(QPoint(x, y)), QEvent::MouseMove);
}

void pressMouse(Window& w, std::string_view label, int x, int y, Long button) {
    QWidget* widget = widgetOf(w, label);
    mouseAtScreen(widget, widget->mapToGlobal(QPoint(x, y)), QEvent::MouseButtonPress, qtButton(button));
}

void releaseMouse(Window& w, std::string_view label, int x, int y, Long button) {
    QWidget* widget = widgetOf(w, label);
    mouseAtScreen(widget, widget->mapToGlobal(QPoint(x, y)), QEvent::MouseButtonRelease, qtButton(button));
}

void doubleClick(Window& w, std::string_view label) { doubleClick(w, controlOf(w, label).number); }

void doubleClick(Window& w, Long number) {
    QWidget* widget = viewOf(w).widget(number);
    if (!widget) throw std::invalid_argument("control " + std::to_string(number) + " has no widget");
    mouseAtScreen(widget, widget->mapToGlobal(aimAt(widget)), QEvent::MouseButtonDblClick);
}

std::string messageText() {
    Window* box = messageBox();
    if (!box) return {};
    std::string text;
    for (Long n : box->controlNumbers()) {
        const Control* c = box->control(n);
        if (c->label.rfind("?Line", 0) != 0) continue;
        if (!text.empty()) text += '|';
        // A line the styled box wrapped into rows reads as the line.
        std::string line = box->property(n, PROP::Text);
        std::erase(line, '\n');
        text += line;
    }
    return text;
}

namespace {

QFileDialog* fileDialog() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QFileDialog*>(top); dialog && dialog->isVisible()) return dialog;
    return nullptr;
}

void pressDialogButton(QFileDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    QPushButton* button = buttons ? buttons->button(which) : nullptr;
    if (!button) throw std::logic_error("the file dialog has no such button");
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    settle();
}

}  // namespace

bool answerFileDialog(std::string_view path) {
    QFileDialog* dialog = fileDialog();
    if (!dialog) return false;
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    if (!name) throw std::logic_error("the file dialog has no name to type");
    QTest::mouseClick(name, Qt::LeftButton, {}, name->rect().center());
    name->selectAll();
    QTest::keyClicks(name, toQString(path));
    settle();
    pressDialogButton(*dialog, QDialogButtonBox::Open);
    return fileDialog() == nullptr;
}

bool cancelFileDialog() {
    QFileDialog* dialog = fileDialog();
    if (!dialog) return false;
    pressDialogButton(*dialog, QDialogButtonBox::Cancel);
    return true;
}

bool answerMessage(std::string_view buttonCaption) {
    Window* box = messageBox();
    if (!box) return false;
    // "&OK" answers a button captioned "OK" and the other way round.
    const QString wanted = withoutMnemonic(std::string(buttonCaption));
    for (Long n : box->controlNumbers()) {
        if (box->control(n)->type == CREATE::button && withoutMnemonic(box->property(n, PROP::Text)) == wanted) {
            click(*box, box->control(n)->label);
            return true;
        }
    }
    return false;
}

std::string screenText(Window& w, std::string_view label) {
    return w.property(controlOf(w, label).number, PROP::ScreenText);
}

std::string property(Window& w, std::string_view label, Long prop) {
    return w.property(controlOf(w, label).number, prop);
}

bool renderPng(Window& w, const std::string& path) {
    if (!w.view()) return false;
    settle();
    QImage picture = w.view()->outer()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    // Outside its region a shaped window shows the desktop: transparent here.
    if (const std::optional<Region>& region = w.region()) {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (!region->contains(x, y)) picture.setPixel(x, y, qRgba(0, 0, 0, 0));
    }
    return picture.save(QString::fromStdString(path), "PNG");
}

}  // namespace platform::drive
