// The menu bar of an application window, its menus and the window list.
#include "platform/text/Codepage.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/MenuBar.h"
#include "platform/ui/view/ShownProperties.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>

namespace platform {

void WindowView::buildMenus() {
    if (!menuBar_) return;
    buildMenu(nullptr, menuBar_, model_->spec().menubar);
    connect(menuBar_, &QMenuBar::hovered, this, [this](QAction* a) {
        if (statusBar_) statusBar_->showMessage(a->statusTip());
    });
}

void WindowView::buildMenu(QMenu* into, MenuBar* bar, const std::vector<ControlSpec>& specs) {
    for (const ControlSpec& s : specs) {
        if (s.separator) {
            if (into) into->addSeparator();
            continue;
        }
        const Long number = model_->numberOf(&s);
        QAction* action = nullptr;
        if (s.type == CREATE::menu) {
            QMenu* menu = into ? into->addMenu(toQString(s.text)) : bar->addMenu(toQString(s.text));
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
        actions_[number] = action;
    }
}

void WindowView::applyToMenu(Long item, Long prop) {
    QAction* a = action(item);
    const Control* c = model_->control(item);
    if (!a || !c || (isCatalogued(prop) && !showsProperty(c->type, prop))) return;
    switch (prop) {
        // The text alone: where an item has a key, its text names it
        // ("Choose ODBC connection  F2"), and the window routes the key.
        case PROP::Text: a->setText(toQString(model_->property(item, PROP::Text))); return;
        case PROP::Hide: a->setVisible(model_->numberProperty(item, prop) == 0); return;
        case PROP::Disable: a->setEnabled(model_->numberProperty(item, prop) == 0); return;
        case PROP::Msg: a->setStatusTip(toQString(model_->property(item, prop))); return;
        case PROP::Icon:
            // A menu bar would show the icon instead of the text.
            if (!menuBar_ || !menuBar_->actions().contains(a)) a->setIcon(iconFor(model_->property(item, prop)));
            return;
        default: return;
    }
}

void WindowView::showLitMenu() {
    if (!menuBar_) return;
    const Long entry = model_->litMenu() == 0 ? 0 : model_->menuBarEntry(model_->litMenu());
    menuBar_->light(entry == 0 ? nullptr : action(entry));
}

Long WindowView::litMenuShown() const {
    if (!menuBar_ || !menuBar_->lit()) return 0;
    return static_cast<Long>(menuBar_->actions().indexOf(menuBar_->lit())) + 1;
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
