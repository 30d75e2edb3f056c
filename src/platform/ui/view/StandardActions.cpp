// What menu items and buttons with a standard action do: the clipboard, the
// MDI windows, the program-wide cursor.
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/MdiArrangement.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <map>

namespace platform {

void WindowView::standardAction(Long action) {
    QWidget* focused = QApplication::focusWidget();
    switch (action) {
        case STD::Cut:
        case STD::Copy:
        case STD::Paste: {
            if (action == STD::Paste && !clipboardHasText()) return;  // see KeyRouting.cpp
            static const char* slots[] = {"cut", "copy", "paste"};
            // A combo edits its text in its line edit.
            if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit()) focused = combo->lineEdit();
            if (focused) QMetaObject::invokeMethod(focused, slots[action - STD::Cut]);
            return;
        }
        case STD::TileWindow:
            if (mdiArea_) tileChildren(*mdiArea_);
            return;
        case STD::CascadeWindow:
            if (mdiArea_) cascadeChildren(*mdiArea_);
            return;
        case STD::ArrangeIcons:
            if (mdiArea_) {
                int x = 0;
                for (QMdiSubWindow* sub : mdiArea_->subWindowList())
                    if (sub->isMinimized()) sub->move(x, mdiArea_->height() - sub->height()), x += sub->width();
            }
            return;
        default: return;
    }
}

void SETCURSOR(Long cursor) {
    static const std::map<Long, Qt::CursorShape> shapes = {
        {CURSOR::Arrow, Qt::ArrowCursor}, {CURSOR::Wait, Qt::WaitCursor}, {CURSOR::Cross, Qt::CrossCursor},
    };
    const auto shape = shapes.find(cursor);
    // One program-wide cursor: a new one replaces the last, never stacks on it.
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    if (shape != shapes.end()) QApplication::setOverrideCursor(QCursor(shape->second));
}

}  // namespace platform
