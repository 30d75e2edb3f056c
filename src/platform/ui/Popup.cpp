#include "platform/ui/Popup.h"

#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/view/PointerInput.h"

#include <QMenu>
#include <memory>

namespace platform {
namespace {

// An item's text with its leading "+" and "~" taken off into its flags.
PopupItem itemOf(std::string_view text) {
    PopupItem item;
    std::size_t i = 0;
    for (; i < text.size() && (text[i] == '+' || text[i] == '~'); ++i)
        (text[i] == '+' ? item.ticked : item.disabled) = true;
    item.text = text.substr(i);
    item.separator = item.text == "-";
    return item;
}

// The items up to the end of the text or to the "}" closing a submenu; `at`
// moves past them. Items take their numbers as they are read.
std::vector<PopupItem> readItems(std::string_view text, std::size_t& at, Long& next) {
    std::vector<PopupItem> items;
    std::string current;
    while (at < text.size() && text[at] != '}') {
        const char c = text[at++];
        if (c == '{') {
            PopupItem submenu = itemOf(current);
            submenu.items = readItems(text, at, next);
            items.push_back(std::move(submenu));
            current.clear();
        } else if (c == '|') {
            if (PopupItem item = itemOf(current); !item.text.empty()) {
                if (!item.separator) item.number = next++;
                items.push_back(std::move(item));
            }
            current.clear();
        } else {
            current += c;
        }
    }
    if (PopupItem item = itemOf(current); !item.text.empty()) {
        if (!item.separator) item.number = next++;
        items.push_back(std::move(item));
    }
    if (at < text.size()) ++at;  // the "}"
    return items;
}

struct Answer {
    Long chosen = 0;
    bool closed = false;
};

void addItems(QMenu* menu, const std::vector<PopupItem>& items, const std::shared_ptr<Answer>& answer) {
    for (const PopupItem& item : items) {
        if (item.separator) {
            menu->addSeparator();
        } else if (item.number == 0) {
            QMenu* submenu = menu->addMenu(toQString(item.text));
            submenu->setEnabled(!item.disabled);
            addItems(submenu, item.items, answer);
        } else {
            QAction* action = menu->addAction(toQString(item.text));
            action->setCheckable(item.ticked);
            action->setChecked(item.ticked);
            action->setEnabled(!item.disabled);
            action->setData(QVariant::fromValue(static_cast<qlonglong>(item.number)));  // for the test driver
            QObject::connect(action, &QAction::triggered, [answer, number = item.number] { answer->chosen = number; });
        }
    }
}

Long showPopup(std::string_view selections, QPoint at) {
    auto* menu = new QMenu;
    auto answer = std::make_shared<Answer>();
    addItems(menu, parsePopup(selections), answer);
    // An item is triggered after its menu hides: the answer is complete once
    // Qt has finished with the hiding.
    QObject::connect(menu, &QMenu::aboutToHide, menu, [answer] { answer->closed = true; }, Qt::QueuedConnection);
    menu->popup(at);
    Scheduler::instance().waitUntil([answer] { return answer->closed; });
    menu->deleteLater();
    return answer->chosen;
}

}  // namespace

std::vector<PopupItem> parsePopup(std::string_view selections) {
    std::size_t at = 0;
    Long next = 1;
    return readItems(selections, at, next);
}

Long POPUP(std::string_view selections) { return showPopup(selections, lastPointer()); }

Long POPUP(std::string_view selections, Long x, Long y) {
    const Window* target = TARGET();
    const WindowView* view = target ? target->view() : nullptr;
    return showPopup(selections, view ? view->screenPoint(x, y) : lastPointer());
}

}  // namespace platform
