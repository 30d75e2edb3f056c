// The menu bar of an application window, its menus and the window list.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace platform {

void WindowView::buildMenus() {
    if (!menuBar_) return;
    buildMenu(nullptr, menuBar_, model_->spec().menubar);
    connect(menuBar_, &QMenuBar::hovered, this, [this](QAction* a) {
        if (statusBar_) statusBar_->showMessage(a->statusTip());
    });
}

void WindowView::buildMenu(QMenu* into, QMenuBar* bar, const std::vector<ControlSpec>& specs) {
    for (const ControlSpec& s : specs) {
        if (s.separator) {
            if (into) into->addSeparator();
            continue;
        }
        const Long number = model_->numberOf(&s);
        QAction* action = nullptr;
        if (s.type == CREATE::menu) {
            QMenu* menu = into ? into->addMenu(toQString(s.text)) : bar->addMenu(toQString(s.text));
            if (into) menu->setIcon(iconFor(s.icon));  // a menu bar would show the icon instead of the text
            action = menu->menuAction();
            connect(menu, &QMenu::hovered, this, [this](QAction* a) {
                if (statusBar_) statusBar_->showMessage(a->statusTip());
            });
            if (s.std == STD::WindowList)
                connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillWindowMenu(menu); });
            buildMenu(menu, nullptr, s.children);
        } else {
            action = into ? into->addAction(toQString(s.text)) : bar->addAction(toQString(s.text));
            connect(action, &QAction::triggered, this, [this, number] {
                if (model_) model_->userChoseMenu(number);
            });
        }
        action->setStatusTip(toQString(s.msg));
        actions_[number] = action;
    }
}

void WindowView::applyToMenu(Long item, Long prop) {
    QAction* a = action(item);
    if (!a) return;
    switch (prop) {
        case PROP::Text: a->setText(toQString(model_->property(item, PROP::Text))); return;
        case PROP::Hide: a->setVisible(model_->numberProperty(item, prop) == 0); return;
        case PROP::Disable: a->setEnabled(model_->numberProperty(item, prop) == 0); return;
        default: return;
    }
}

void WindowView::fillWindowMenu(QMenu* menu) {
    for (QAction* a : menu->actions())
        if (a->property("windowList").toBool()) menu->removeAction(a), a->deleteLater();
    if (!mdiArea_) return;
    const auto subs = mdiArea_->subWindowList();
    if (!subs.isEmpty()) menu->addSeparator()->setProperty("windowList", true);
    int n = 1;
    for (QMdiSubWindow* sub : subs) {
        QAction* a = menu->addAction(QString("&%1 %2").arg(n++).arg(sub->widget()->windowTitle()));
        a->setProperty("windowList", true);
        connect(a, &QAction::triggered, mdiArea_, [area = mdiArea_, sub] { area->setActiveSubWindow(sub); });
    }
}

}  // namespace platform
