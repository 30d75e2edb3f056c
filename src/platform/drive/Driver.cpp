#include "platform/drive/Driver.h"

#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QImage>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <stdexcept>

namespace platform::drive {
namespace {

Control& controlOf(Window& w, std::string_view label) {
    Control* c = w.control(label);
    if (!c) throw std::invalid_argument("no control " + std::string(label) + " in " + w.property(0, PROP::Text));
    return *c;
}

QWidget* widgetOf(Window& w, std::string_view label) {
    QWidget* widget = w.view() ? w.view()->widget(controlOf(w, label).number) : nullptr;
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

int qtKeyOf(Long keyCode) {
    const Long key = keyCode & 0xFF;
    if (key >= KEY::F1 && key <= KEY::F12 + 12) return Qt::Key_F1 + (key - KEY::F1);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return key;
    switch (key) {
        case KEY::Tab: return Qt::Key_Tab;
        case KEY::Enter: return Qt::Key_Return;
        case KEY::Esc: return Qt::Key_Escape;
        case KEY::Space: return Qt::Key_Space;
        case KEY::Left: return Qt::Key_Left;
        case KEY::Right: return Qt::Key_Right;
        case KEY::Up: return Qt::Key_Up;
        case KEY::Down: return Qt::Key_Down;
        case KEY::Delete: return Qt::Key_Delete;
        default: return 0;
    }
}

// What a key types, as a keyboard gives it: nothing with Ctrl or Alt.
QString typedText(Long keyCode) {
    if (keyCode & (KEY::Ctrl | KEY::Alt)) return {};
    const Long key = keyCode & 0xFF;
    if (key >= 'A' && key <= 'Z') return QString(QChar(keyCode & KEY::Shift ? key : key + 32));
    if (key >= '0' && key <= '9') return QString(QChar(key));
    switch (key) {
        case KEY::Space: return " ";
        case KEY::Enter: return "\r";
        case KEY::Tab: return "\t";
        case KEY::Esc: return "\x1b";
        default: return {};
    }
}

void sendKey(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void typeKeys(QWidget* target, std::string_view text) {
    for (const QChar c : toQString(text)) {
        sendKey(target, c == '\n' ? Qt::Key_Return : 0, {}, QString(c));
        settle();
    }
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

// A press and a release of the left button at that point of the widget's
// window: whatever is there on screen takes them, so a hidden or covered
// control gets nothing.
void clickAt(QWidget* widget, QPoint at) {
    QWidget* top = widget->window();
    const QPoint inWindow = widget->mapTo(top, at);
    QCursor::setPos(top->mapToGlobal(inWindow));
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, inWindow);
    settle();
}

Window* messageBox() {
    const auto& windows = Window::openWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if ((*it)->spec().label == "MessageBox") return *it;
    return nullptr;
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
    QWidget* focused = QApplication::focusWidget();
    QWidget* target = w.view();
    if (focused && w.view() && w.view()->isAncestorOf(focused)) target = focused;
    if (!target) return;
    sendKey(target, qtKeyOf(keyCode), modifiersOf(keyCode), typedText(keyCode));
    settle();
}

void chooseMenu(Window& w, std::string_view label) {
    QAction* action = w.view() ? w.view()->action(controlOf(w, label).number) : nullptr;
    if (!action) throw std::invalid_argument("no menu item " + std::string(label));
    action->trigger();
    settle();
}

void highlightMenu(Window& w, std::string_view label) {
    QAction* action = w.view() ? w.view()->action(controlOf(w, label).number) : nullptr;
    if (!action) throw std::invalid_argument("no menu item " + std::string(label));
    action->hover();
    settle();
}

std::string statusText(Window& w) {
    QStatusBar* bar = w.view() ? w.view()->statusBar() : nullptr;
    return bar ? fromQString(bar->currentMessage()) : std::string();
}

void click(Window& w, std::string_view label) {
    auto* button = qobject_cast<QAbstractButton*>(widgetOf(w, label));
    if (!button) throw std::invalid_argument(std::string(label) + " is no button");
    clickAt(button, aimAt(button));
}

void chooseTab(Window& w, std::string_view tabLabel) {
    QWidget* page = widgetOf(w, tabLabel);
    auto* sheet = qobject_cast<QTabWidget*>(w.view()->widget(controlOf(w, tabLabel).parent));
    if (!sheet) throw std::invalid_argument(std::string(tabLabel) + " is no tab");
    QTabBar* bar = sheet->tabBar();
    const QPointF at = bar->tabRect(sheet->indexOf(page)).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, bar->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(bar, &event);
    }
    settle();
}

void chooseFromDropList(Window& w, std::string_view label, std::string_view entry) {
    auto* combo = qobject_cast<QComboBox*>(widgetOf(w, label));
    const int index = combo ? combo->findText(toQString(entry)) : -1;
    if (index < 0) throw std::invalid_argument(std::string(entry) + " is not in the list of " + std::string(label));
    combo->showPopup();
    settle();
    combo->view()->setCurrentIndex(combo->model()->index(index, 0));
    sendKey(combo->view(), Qt::Key_Return, {}, {});
    settle();
}

void type(Window& w, std::string_view label, std::string_view text) {
    QWidget* target = keyTarget(widgetOf(w, label));
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->end(false);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) edit->moveCursor(QTextCursor::End);
    typeKeys(target, text);
}

void typeOver(Window& w, std::string_view label, std::string_view text) {
    QWidget* target = keyTarget(widgetOf(w, label));
    target->setFocus(Qt::OtherFocusReason);
    sendKey(target, Qt::Key_A, Qt::ControlModifier, {});
    settle();
    typeKeys(target, text);
}

void leave(Window& w, std::string_view label) {
    QWidget* target = keyTarget(widgetOf(w, label));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(target, &out);
    settle();
}

void chooseRow(Window& w, std::string_view label, int row) {
    auto* view = qobject_cast<QAbstractItemView*>(widgetOf(w, label));
    if (!view || !view->model()) throw std::invalid_argument(std::string(label) + " is no list");
    view->setCurrentIndex(view->model()->index(row - 1, 0));
    settle();
}

void toggleMark(Window& w, std::string_view label, int row) {
    chooseRow(w, label, row);
    auto* view = qobject_cast<QAbstractItemView*>(widgetOf(w, label));
    const QModelIndex mark = view->model()->index(row - 1, 0);
    if (!(view->model()->flags(mark) & Qt::ItemIsUserCheckable))
        throw std::invalid_argument(std::string(label) + " has no marks");
    const bool marked = mark.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    // What the list's check box does when clicked.
    view->model()->setData(mark, marked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    settle();
}

void closeBySystemMenu(Window& w) {
    if (!w.view()) return;
    QMenu* menu = w.view()->systemMenu();
    if (!menu->actions().isEmpty()) menu->actions().back()->trigger();  // Close comes last
    settle();
}

void closeByCloseBox(Window& w) {
    if (!w.view()) return;
    WindowView* view = w.view();
    const QRect caption = view->captionRect();
    const QPointF at(caption.right() - 6, caption.center().y());
    QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(view, &press);
    settle();
}

namespace {

QWindow* windowHandleOf(QWidget* widget) { return widget->window()->windowHandle(); }

Qt::MouseButton qtButton(Long button) { return button == KEY::MouseRight ? Qt::RightButton : Qt::LeftButton; }

// One kind of mouse input at a point of the screen, through the window that
// holds `widget`: whatever is there takes it.
void mouseAtScreen(QWidget* widget, QPoint global, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
    QWindow* handle = windowHandleOf(widget);
    const QPoint at = handle->mapFromGlobal(global);
    QCursor::setPos(global);
    switch (type) {
        case QEvent::MouseButtonPress: QTest::mousePress(handle, button, {}, at); break;
        case QEvent::MouseButtonRelease: QTest::mouseRelease(handle, button, {}, at); break;
        case QEvent::MouseButtonDblClick: QTest::mouseDClick(handle, button, {}, at); break;
        default: QTest::mouseMove(handle, at); break;
    }
    settle();
}

WindowView& viewOf(Window& w) {
    if (!w.view()) throw std::invalid_argument("the window " + w.property(0, PROP::Text) + " is not shown");
    return *w.view();
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

}  // namespace

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

void doubleClick(Window& w, std::string_view label) {
    QWidget* widget = widgetOf(w, label);
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
        text += box->property(n, PROP::Text);
    }
    return text;
}

bool answerMessage(std::string_view buttonCaption) {
    Window* box = messageBox();
    if (!box) return false;
    for (Long n : box->controlNumbers()) {
        if (box->control(n)->type == CREATE::button && box->property(n, PROP::Text) == buttonCaption) {
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
