// What menu items and buttons with a standard action do: the clipboard, the
// MDI windows, the program-wide cursor.
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QCursor>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <map>

namespace platform {

namespace {

// Cascaded windows keep their own size as far as the frame's client area has
// room for it.
void cascadeInside(QMdiArea& area) {
    area.cascadeSubWindows();
    const QRect room = area.viewport()->rect();
    for (QMdiSubWindow* sub : area.subWindowList()) {
        const QRect at = sub->geometry();
        sub->resize(std::min(at.width(), room.right() + 1 - at.x()), std::min(at.height(), room.bottom() + 1 - at.y()));
    }
}

}  // namespace

void WindowView::standardAction(Long action) {
    QWidget* focused = QApplication::focusWidget();
    switch (action) {
        case STD::Cut:
        case STD::Copy:
        case STD::Paste: {
            static const char* slots[] = {"cut", "copy", "paste"};
            if (focused) QMetaObject::invokeMethod(focused, slots[action - STD::Cut]);
            return;
        }
        case STD::TileWindow:
            if (mdiArea_) mdiArea_->tileSubWindows();
            return;
        case STD::CascadeWindow:
            if (mdiArea_) cascadeInside(*mdiArea_);
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
