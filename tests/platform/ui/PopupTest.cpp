#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Popup.h"

#include <QApplication>
#include <QMenu>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// The items in short: "n text" for an item, "-" for a separator,
// "title{...}" for a submenu; "+" ticked and "~" disabled before the text.
std::string shortly(const std::vector<PopupItem>& items) {
    std::string text;
    for (const PopupItem& item : items) {
        if (!text.empty()) text += "|";
        if (item.separator) {
            text += "-";
            continue;
        }
        if (item.number) text += std::to_string(item.number) + " ";
        text += std::string(item.ticked ? "+" : "") + (item.disabled ? "~" : "") + item.text;
        if (item.number == 0) text += "{" + shortly(item.items) + "}";
    }
    return text;
}

}  // namespace

TEST(Popup, TheMenuTextGivesItemsNumberedInOrderAcrossSubmenus) {
    const struct {
        const char* selections;
        const char* items;
    } cases[] = {
        {"a|b|c", "1 a|2 b|3 c"},
        {"&Open|-|&Close", "1 &Open|-|2 &Close"},
        {"+a|~b|+~c|~+d", "1 +a|2 ~b|3 +~c|4 +~d"},
        {"Sub{a|b}|c", "Sub{1 a|2 b}|3 c"},
        {"x|Outer{a|Inner{b|c}|d}|e", "1 x|Outer{2 a|Inner{3 b|4 c}|5 d}|6 e"},
        {"~Sub{a}|b", "~Sub{1 a}|2 b"},
        // Where joined texts meet, an empty item is no item.
        {"Window|Button||Other{B2|B3|}||-|Select|Close", "1 Window|2 Button|Other{3 B2|4 B3}|-|5 Select|6 Close"},
        {"", ""},
        {"Accepteer nieuwe Assistent &Positie|&Annuleer|-|Laat Assistent muis &volgen|"
         "Assistent terug naar &Originele positie|Cursorpositie t.o.v. Agent{Linksboven|Rechtsboven|Midden|"
         "Linksonder|Rechtsonder}|-|Herhaal &uitleg",
         "1 Accepteer nieuwe Assistent &Positie|2 &Annuleer|-|3 Laat Assistent muis &volgen|"
         "4 Assistent terug naar &Originele positie|Cursorpositie t.o.v. Agent{5 Linksboven|6 Rechtsboven|7 Midden|"
         "8 Linksonder|9 Rechtsonder}|-|10 Herhaal &uitleg"},
    };
    for (const auto& c : cases) EXPECT_EQ(shortly(parsePopup(c.selections)), c.items) << c.selections;
}

TEST(Popup, TheThreadWaitsForTheChoiceAndGetsItsNumber) {
    const struct {
        const char* selections;
        std::vector<std::string> path;  // clicked; none: Escape
        Long chosen;
    } cases[] = {
        {"a|b|c", {"b"}, 2},
        {"a|-|Sub{x|y}|c", {"Sub", "y"}, 3},
        {"a|-|Sub{x|y}|c", {"c"}, 4},
        {"a|+b", {"b"}, 2},
        {"a|~b", {"b"}, 0},  // a disabled item does nothing; then Escape
        {"a|b", {}, 0},
    };
    for (const auto& c : cases) {
        Long chosen = -1;
        const int thread = START([&] { chosen = POPUP(c.selections); });
        drive::settle();
        ASSERT_NE(QApplication::activePopupWidget(), nullptr) << c.selections;
        EXPECT_EQ(chosen, -1) << "the thread waits";
        if (!c.path.empty()) drive::choosePopup(c.path);
        drive::dismissPopups();
        drive::settle();
        EXPECT_EQ(chosen, c.chosen) << c.selections;
        EXPECT_FALSE(Scheduler::instance().alive(thread));
    }
}

TEST(Popup, TheDriverListsTheItemsUpByTheirNumbers) {
    START([] { POPUP("Window|Button||Other{B2|B3|}||-|Select|~Close"); });
    drive::settle();
    EXPECT_EQ(drive::popupItems(), (std::vector<std::string>{"Window", "Button", "Other/B2", "Other/B3", "Select",
                                                             "Close"}));
    drive::dismissPopups();
    drive::settle();
}

TEST(Popup, ATickedItemShowsItsTick) {
    Long chosen = -1;
    START([&] { chosen = POPUP("+Follow|Stay"); });
    drive::settle();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions().at(0)->isChecked());
    EXPECT_FALSE(menu->actions().at(1)->isChecked());
    drive::dismissPopups();
    drive::settle();
    EXPECT_EQ(chosen, 0);
}
