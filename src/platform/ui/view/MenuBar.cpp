#include "platform/ui/view/MenuBar.h"

#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace platform {
namespace {

QAction* firstItemOf(QMenu& menu) {
    for (QAction* a : menu.actions())
        if (a->isVisible() && a->isEnabled() && !a->isSeparator()) return a;
    return nullptr;
}

}  // namespace

void MenuBar::light(QAction* entry) {
    if (entry == lit_) return;
    lit_ = entry;
    update();
}

void MenuBar::takeKeyboard() {
    QAction* first = nullptr;
    for (QAction* a : actions())
        if (a->isVisible() && !first) first = a;
    if (!first) return;
    QWidget* focused = QApplication::focusWidget();
    if (focused != this) returnFocus_ = focused;
    chosen_ = first;
    setFocus(Qt::MenuBarFocusReason);
    update();
}

void MenuBar::leaveKeyboard() {
    if (!chosen_) return;
    chosen_ = nullptr;
    update();
    if (returnFocus_) returnFocus_->setFocus(Qt::MenuBarFocusReason);
}

void MenuBar::openFromKeyboard(QAction* entry) {
    leaveKeyboard();
    setActiveAction(entry);
    if (QMenu* menu = entry->menu(); menu && menu->isVisible()) menu->setActiveAction(firstItemOf(*menu));
}

QAction* MenuBar::entryBeside(int step) const {
    QList<QAction*> shown;
    for (QAction* a : actions())
        if (a->isVisible()) shown.push_back(a);
    const auto at = shown.indexOf(chosen_);
    if (at < 0) return chosen_;
    const auto count = shown.size();
    return shown[((at + step) % count + count) % count];
}

QAction* MenuBar::entryOfMnemonic(char letter) const {
    for (QAction* a : actions())
        if (a->isVisible() && a->isEnabled() && mnemonicOf(fromQString(a->text())) == letter) return a;
    return nullptr;
}

void MenuBar::keyPressEvent(QKeyEvent* event) {
    // After Escape in one of its menus Qt lights the bar itself.
    if (!chosen_) return QMenuBar::keyPressEvent(event);
    event->accept();
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            chosen_ = entryBeside(event->key() == Qt::Key_Left ? -1 : 1);
            update();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space: return openFromKeyboard(chosen_);
        case Qt::Key_Escape: return leaveKeyboard();
        default: break;
    }
    if (const char letter = letterOf(keyCodeOf(event->key(), event->modifiers())))
        if (QAction* entry = entryOfMnemonic(letter)) openFromKeyboard(entry);
}

// Leaving the bar for another control ends the keyboard's hold on it; a
// popup opened meanwhile gives the focus back where it was.
void MenuBar::focusOutEvent(QFocusEvent* event) {
    QMenuBar::focusOutEvent(event);
    if (!chosen_) return;
    chosen_ = nullptr;
    update();
    if (event->reason() == Qt::PopupFocusReason && returnFocus_) returnFocus_->setFocus(Qt::MenuBarFocusReason);
}

void MenuBar::paintEvent(QPaintEvent* event) {
    QMenuBar::paintEvent(event);
    paintLit(lit_);
    if (chosen_ != lit_) paintLit(chosen_);
}

void MenuBar::paintLit(QAction* entry) {
    if (!entry || !actions().contains(entry)) return;
    QPainter painter(this);
    QStyleOptionMenuItem option;
    initStyleOption(&option, entry);
    option.rect = actionGeometry(entry);
    option.state |= QStyle::State_Selected | QStyle::State_Sunken;
    style()->drawControl(QStyle::CE_MenuBarItem, &option, &painter, this);
}

}  // namespace platform
