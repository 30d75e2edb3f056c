// The keyboard's own rules, for the keys the program did not take (its alert
// keys and menu accelerators come first):
// - Tab and Shift+Tab move from control to control in the structure's order,
//   lists and text boxes included, skipping what cannot take the focus now.
// - A mnemonic ("&W" in a caption) of the active window presses its control
//   (a prompt hands the focus to the control after it); Alt+letter reaches
//   the application frame's menu bar only when the window has no control
//   with that mnemonic. On a button a plain letter is a mnemonic too.
// - F10 (and a lone Alt, view/InputRouting.cpp) puts the keyboard in the
//   frame's menu bar (view/MenuBar.h), of the frame itself and of its MDI
//   children; Alt+Space opens the window's system menu.
// - Enter presses the focused button, else the window's default button;
//   Escape presses its cancel button (STD:Close, or captioned Cancel), else
//   asks the window to close.
// - Paste with no text on the clipboard does nothing (Qt's paste of an empty
//   clipboard is not safe everywhere).
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/MenuBar.h"
#include "platform/ui/view/ControlView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <algorithm>

namespace platform {
namespace {

bool hasMnemonic(Long type) {
    switch (type) {
        case CREATE::button:
        case CREATE::check:
        case CREATE::radio:
        case CREATE::prompt:
        case CREATE::tab:
        case CREATE::group:
        case CREATE::option: return true;
        default: return false;
    }
}

// A prompt's mnemonic reaches the control after it, a group's the first inside it.
bool handsFocusOn(Long type) { return type == CREATE::prompt || type == CREATE::group || type == CREATE::option; }

bool isButton(Long type) { return type == CREATE::button || type == CREATE::check || type == CREATE::radio; }

}  // namespace

bool WindowView::clipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

bool WindowView::routeKey(const QKeyEvent& key, Long code, Long focus) {
    if (key.matches(QKeySequence::Paste)) return !clipboardHasText();
    const Long type = focus ? model_->control(focus)->type : 0;
    const Long plain = code & ~(KEY::Shift | KEY::Ctrl | KEY::Alt);
    if (plain == KEY::Tab && !(code & (KEY::Ctrl | KEY::Alt))) return moveFocus(focus, !(code & KEY::Shift));
    if (code == KEY::Enter) {
        if (type == CREATE::text) return false;  // a new line
        if (type == CREATE::list) {
            model_->userPressedEnterOn(focus);
            return true;
        }
        return pressButton(type == CREATE::button ? focus : buttonWhere(PROP::Default));
    }
    if (code == KEY::Esc) {
        if (pressButton(cancelButton())) return true;
        if (model_->isApplication()) return false;
        model_->userClosed();
        return true;
    }
    if (code == KEY::F10) return toggleFrameMenuBar();
    if (code == (KEY::Alt | KEY::Space)) {
        showSystemMenu();
        return true;
    }
    const char letter = letterOf(code);
    if (letter && (code & KEY::Alt) && !(code & KEY::Ctrl)) return pressMnemonic(letter) || openFrameMenu(letter);
    return letter && code == letter && isButton(type) && pressMnemonic(letter);
}

bool WindowView::moveFocus(Long from, bool forward) {
    std::vector<Long> order;
    for (Long n : model_->controlNumbers())
        if (n > 0) order.push_back(n);
    const auto size = static_cast<std::ptrdiff_t>(order.size());
    const auto at = std::find(order.begin(), order.end(), from);
    // From no control: the first one forward, the last one back.
    std::ptrdiff_t i = at == order.end() ? (forward ? -1 : size) : at - order.begin();
    for (std::ptrdiff_t step = 0; step < size; ++step) {
        i = ((forward ? i + 1 : i - 1) % size + size) % size;
        const ControlView* view = controlView(order[static_cast<std::size_t>(i)]);
        if (!view || !view->takesTabFocus()) continue;
        giveFocus(view->number(), forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

bool WindowView::pressMnemonic(char letter) {
    for (Long n : model_->controlNumbers()) {
        const Control* c = model_->control(n);
        ControlView* view = n > 0 ? controlView(n) : nullptr;
        if (!view || !hasMnemonic(c->type) || mnemonicOf(model_->property(n, PROP::Text)) != letter) continue;
        if (!view->reachable()) continue;
        if (handsFocusOn(c->type)) return moveFocus(n, true);
        view->press();
        return true;
    }
    return false;
}

MenuBar* WindowView::frameMenuBar() const {
    Window* frame = model_->isApplication() || model_->spec().mdi ? Window::applicationFrame() : nullptr;
    WindowView* view = frame ? frame->view() : nullptr;
    return view ? view->menuBar_ : nullptr;
}

bool WindowView::openFrameMenu(char letter) {
    MenuBar* bar = frameMenuBar();
    QAction* menu = bar ? bar->entryOfMnemonic(letter) : nullptr;
    if (!menu) return false;
    bar->openFromKeyboard(menu);
    return true;
}

bool WindowView::toggleFrameMenuBar() {
    MenuBar* bar = frameMenuBar();
    if (!bar) return false;
    if (bar->hasKeyboard())
        bar->leaveKeyboard();
    else
        bar->takeKeyboard();
    return true;
}

bool WindowView::pressButton(Long button) {
    ControlView* view = button ? controlView(button) : nullptr;
    if (!view || !view->reachable()) return false;
    view->press();
    return true;
}

Long WindowView::buttonWhere(Long prop) const {
    for (Long n : model_->controlNumbers())
        if (n > 0 && model_->control(n)->type == CREATE::button && model_->numberProperty(n, prop) != 0) return n;
    return 0;
}

Long WindowView::cancelButton() const {
    for (Long n : model_->controlNumbers()) {
        if (n <= 0 || model_->control(n)->type != CREATE::button) continue;
        if (model_->numberProperty(n, PROP::Std) == STD::Close) return n;
        if (upper(fromQString(withoutMnemonic(model_->property(n, PROP::Text)))) == "CANCEL") return n;
    }
    return 0;
}

void WindowView::giveFocus(Long number, Qt::FocusReason reason) {
    QWidget* w = widget(number);
    if (!w) return;
    const ProgramChange change(*this);
    w->setFocus(reason);
}

}  // namespace platform
