// What a program reads of where a control lies (PROP:Parent, PROP:ChildIndex,
// a menu's PROP:Child n), of a menu's colours and of a check box's or
// option's state, CHANGE, and the menu bar's light.
#include "RunningWindow.h"

#include "platform/ui/MenuCalls.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>
#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec frameSpec() {
    return {.type = CREATE::application, .label = "F", .title = "Frame", .at = {0, 0, 300, 200},
            .menubar = {
                {.type = CREATE::menu, .label = "?FileMenu", .text = "&File", .children = {
                    {.type = CREATE::item, .label = "?OpenItem", .text = "&Open"},
                    {.separator = true},
                    {.type = CREATE::menu, .label = "?RecentMenu", .text = "&Recent", .children = {
                        {.type = CREATE::item, .label = "?FirstRecent", .text = "&1"}}},
                    {.type = CREATE::item, .label = "?ExitItem", .text = "E&xit"}}},
                {.type = CREATE::item, .label = "?HelpItem", .text = "&Help"},
                {.type = CREATE::menu, .label = "?WindowMenu", .text = "&Window", .children = {
                    {.type = CREATE::item, .label = "?TileItem", .text = "&Tile"}}}}};
}

WindowSpec formSpec(CString<2>& flag, CString<11>& colour, CString<21>& name) {
    return {.label = "W", .title = "Form", .at = {0, 0, 200, 120}, .controls = {
        {.type = CREATE::check, .label = "?Flag", .text = "&Flag", .at = {4, 4, 60, 10}, .use = bind(flag),
         .trueValue = "Y", .falseValue = "N"},
        {.type = CREATE::option, .label = "?Colour", .text = "Colour", .at = {4, 20, 120, 40}, .use = bind(colour),
         .children = {
            {.type = CREATE::radio, .label = "?Red", .text = "&Red", .at = {8, 30, 50, 10}},
            {.type = CREATE::radio, .label = "?Green", .text = "Gr&&een", .at = {8, 42, 50, 10}},
            {.type = CREATE::radio, .label = "?Blue", .text = "&Blue", .at = {60, 30, 50, 10}, .value = "B"}}},
        {.type = CREATE::entry, .label = "?Name", .text = "@s20", .at = {4, 70, 80, 12}, .use = bind(name)}}};
}

}  // namespace

TEST(ControlPlace, ParentAndChildIndexFollowTheStructureAndTakeNoWrite) {
    RunningWindow frame(frameSpec());
    const struct {
        const char* label;
        const char* parent;  // "" for the bar
        Long index;
    } cases[] = {
        {"?FileMenu", "", 1},     {"?HelpItem", "", 2},          {"?WindowMenu", "", 3},
        {"?OpenItem", "?FileMenu", 1}, {"?RecentMenu", "?FileMenu", 2}, {"?ExitItem", "?FileMenu", 3},
        {"?FirstRecent", "?RecentMenu", 1}, {"?TileItem", "?WindowMenu", 1},
    };
    for (const auto& c : cases) {
        const Long n = frame.number(c.label);
        const Long parent = *c.parent ? frame.number(c.parent) : 0;
        EXPECT_EQ(frame->numberProperty(n, PROP::Parent), parent) << c.label;
        EXPECT_EQ(frame->numberProperty(n, PROP::ChildIndex), c.index) << c.label;
    }
    frame->setProperty(frame.number("?ExitItem"), PROP::Parent, 0);
    frame->setProperty(frame.number("?ExitItem"), PROP::ChildIndex, 7);
    EXPECT_EQ(frame->numberProperty(frame.number("?ExitItem"), PROP::Parent), frame.number("?FileMenu"));
    EXPECT_EQ(frame->numberProperty(frame.number("?ExitItem"), PROP::ChildIndex), 3);
}

TEST(ControlPlace, AMenusChildrenAreReadByTheirPlaceAndNoneAfterTheLast) {
    RunningWindow frame(frameSpec());
    const struct {
        const char* menu;
        Long index;
        const char* child;  // "" for none
    } cases[] = {
        {"?FileMenu", 1, "?OpenItem"}, {"?FileMenu", 2, "?RecentMenu"}, {"?FileMenu", 3, "?ExitItem"},
        {"?FileMenu", 4, ""},          {"?FileMenu", 0, ""},            {"?RecentMenu", 1, "?FirstRecent"},
        {"?WindowMenu", 1, "?TileItem"}, {"?WindowMenu", 2, ""},        {"?HelpItem", 1, ""},
    };
    for (const auto& c : cases) {
        const Long child = *c.child ? frame.number(c.child) : 0;
        EXPECT_EQ(frame->indexedProperty(frame.number(c.menu), PROP::Child, c.index), std::to_string(child))
            << c.menu << ' ' << c.index;
    }
}

TEST(ControlPlace, AMenuAndAnItemKeepTheirThreeColours) {
    RunningWindow frame(frameSpec());
    for (const char* label : {"?FileMenu", "?OpenItem"}) {
        const Long n = frame.number(label);
        EXPECT_EQ(frame->indexedProperty(n, PROP::Color, 2), "") << "never written";
        frame->setIndexedProperty(n, PROP::Color, 1, "255");
        frame->setIndexedProperty(n, PROP::Color, 2, "65280");
        frame->setIndexedProperty(n, PROP::Color, 3, "16711680");
        frame->setIndexedProperty(n, PROP::Color, 4, "1");
        EXPECT_EQ(frame->property(n, PROP::Color), "255") << label;
        EXPECT_EQ(frame->indexedProperty(n, PROP::Color, 1), "255") << label;
        EXPECT_EQ(frame->indexedProperty(n, PROP::Color, 2), "65280") << label;
        EXPECT_EQ(frame->indexedProperty(n, PROP::Color, 3), "16711680") << label;
        EXPECT_EQ(frame->indexedProperty(n, PROP::Color, 4), "") << label;
    }
}

TEST(ControlState, ACheckBoxAndAnOptionSayWhatIsOnAndTakeItWrittenOrChanged) {
    CString<2> flag{"N"};
    CString<11> colour;
    CString<21> name;
    RunningWindow w(formSpec(flag, colour, name));
    const Long check = w.number("?Flag"), option = w.number("?Colour");
    auto box = [&] { return qobject_cast<QCheckBox*>(w->view()->widget(check)); };
    auto radio = [&](const char* label) { return qobject_cast<QRadioButton*>(w->view()->widget(w.number(label))); };
    EXPECT_EQ(w->property(check, PROP::Selected), "0");
    EXPECT_EQ(w->property(option, PROP::Selected), "0") << "no radio is on";
    EXPECT_EQ(w->property(w.number("?Green"), PROP::TrueValue), "Gr&een") << "a radio's value is its text";
    EXPECT_EQ(w->property(w.number("?Blue"), PROP::TrueValue), "B") << "unless the structure gives one";

    drive::click(*w, "?Flag");
    drive::click(*w, "?Green");
    EXPECT_EQ(w->property(check, PROP::Selected), "1");
    EXPECT_EQ(w->property(option, PROP::Selected), "2");

    w->change(check, "N");
    w->change(option, "Red");
    drive::settle();
    EXPECT_EQ(flag.str(), "N") << "CHANGE writes the variable";
    EXPECT_EQ(colour.str(), "Red");
    EXPECT_FALSE(box()->isChecked()) << "and the screen";
    EXPECT_TRUE(radio("?Red")->isChecked());
    EXPECT_FALSE(radio("?Green")->isChecked());
    EXPECT_EQ(w->property(option, PROP::Selected), "1");

    w->setProperty(check, PROP::Selected, 1);
    w->setProperty(option, PROP::Selected, 2);
    drive::settle();
    EXPECT_EQ(flag.str(), "Y");
    EXPECT_EQ(colour.str(), "Gr&een");
    EXPECT_TRUE(box()->isChecked());
    EXPECT_TRUE(radio("?Green")->isChecked());
    w->setProperty(option, PROP::Selected, 0);
    EXPECT_EQ(w->property(option, PROP::Selected), "0");
    EXPECT_EQ(w.taken(EVENT::Accepted).size(), 2u) << "only the clicks raised events";

    drive::click(*w, "?Blue");
    EXPECT_EQ(colour.str(), "B");
    EXPECT_EQ(w->property(option, PROP::Selected), "3");
    w->change(option, "Gr&een");
    drive::settle();
    EXPECT_FALSE(radio("?Blue")->isChecked());
    EXPECT_TRUE(radio("?Green")->isChecked());
}

TEST(ControlState, ANumberBoundToAControlKeepsTheWidthOfItsType) {
    Byte byte = 0;
    Short shortNumber = 0;
    UShort unsignedShort = 0;
    Long longNumber = 0;
    RunningWindow w({.label = "W", .title = "Numbers", .at = {0, 0, 200, 80}, .controls = {
        {.type = CREATE::entry, .label = "?Byte", .text = "@n6", .at = {4, 4, 60, 12}, .use = bind(byte)},
        {.type = CREATE::entry, .label = "?Short", .text = "@n-6", .at = {4, 20, 60, 12}, .use = bind(shortNumber)},
        {.type = CREATE::spin, .label = "?UShort", .text = "@n6", .at = {4, 36, 60, 12}, .use = bind(unsignedShort)},
        {.type = CREATE::entry, .label = "?Long", .text = "@n-12.1", .at = {4, 52, 60, 12}, .use = bind(longNumber)}}});
    const struct {
        const char* label;
        const char* typed;
        std::function<Long()> stored;
        Long expected;
    } cases[] = {
        {"?Byte", "300", [&] { return Long{byte}; }, 44},
        {"?Short", "-12", [&] { return Long{shortNumber}; }, -12},
        {"?Short", "40000", [&] { return Long{shortNumber}; }, 40000 - 65536},
        {"?UShort", "65537", [&] { return Long{unsignedShort}; }, 1},
        {"?Long", "-2147483648", [&] { return longNumber; }, -2147483647 - 1},
        {"?Long", "12.9", [&] { return longNumber; }, 12},
    };
    for (const auto& c : cases) {
        drive::typeOver(*w, c.label, c.typed);
        drive::leave(*w, c.label);
        EXPECT_EQ(c.stored(), c.expected) << c.label << " " << c.typed;
    }
    shortNumber = -7;
    w->display();
    EXPECT_EQ(drive::screenText(*w, "?Short"), "-7");
}

TEST(ControlState, ChangeEndsTypingAndWhatWasTypedGoes) {
    CString<2> flag;
    CString<11> colour;
    CString<21> name{"old"};
    RunningWindow w(formSpec(flag, colour, name));
    drive::type(*w, "?Name", "abc");
    w->change(w.number("?Name"), "new");
    w->display();
    drive::settle();
    EXPECT_EQ(name.str(), "new");
    EXPECT_EQ(qobject_cast<QLineEdit*>(w->view()->widget(w.number("?Name")))->text(), "new");
}

TEST(MenuLight, HiliteMenuItemLightsABarEntryWithoutOpeningItsMenu) {
    RunningWindow frame(frameSpec());
    const Long menu = GetMenu(frame->handle());
    ASSERT_NE(menu, 0);
    EXPECT_EQ(drive::litMenu(*frame), "");

    EXPECT_TRUE(HiliteMenuItem(frame->handle(), menu, 3, MF_HILITE));
    drive::settle();
    EXPECT_EQ(drive::litMenu(*frame), "?WindowMenu");
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "its menu stays closed";

    EXPECT_TRUE(HiliteMenuItem(frame->handle(), menu, 1, MF_HILITE));
    drive::settle();
    EXPECT_EQ(drive::litMenu(*frame), "?FileMenu") << "one entry at a time";
    EXPECT_TRUE(HiliteMenuItem(frame->handle(), menu, 3, MF_UNHILITE));
    EXPECT_EQ(drive::litMenu(*frame), "?FileMenu") << "another entry's light stays";
    EXPECT_TRUE(HiliteMenuItem(frame->handle(), menu, 1, MF_UNHILITE));
    drive::settle();
    EXPECT_EQ(drive::litMenu(*frame), "");

    EXPECT_FALSE(HiliteMenuItem(frame->handle(), menu, 4, MF_HILITE)) << "no fourth entry";
    EXPECT_FALSE(HiliteMenuItem(frame->handle(), menu + 1, 1, MF_HILITE)) << "not this window's menu";
    EXPECT_EQ(drive::litMenu(*frame), "");
}

TEST(MenuLight, AWindowWithoutAMenuBarHasNoMenu) {
    CString<2> flag;
    CString<11> colour;
    CString<21> name;
    RunningWindow w(formSpec(flag, colour, name));
    EXPECT_EQ(GetMenu(w->handle()), 0);
    EXPECT_EQ(GetMenu(0), 0);
    EXPECT_FALSE(HiliteMenuItem(w->handle(), 0, 1, MF_HILITE));
}

TEST(ControlPlace, VisibleIsTheControlAndItsParentsShownOnTheSelectedTab) {
    RunningWindow w({.label = "W", .title = "Tabs", .at = {0, 0, 200, 120}, .controls = {
        {.type = CREATE::sheet, .label = "?Sheet", .at = {4, 4, 180, 80}, .children = {
            {.type = CREATE::tab, .label = "?First", .text = "First", .children = {
                {.type = CREATE::button, .label = "?OnFirst", .text = "A", .at = {10, 20, 40, 14}}}},
            {.type = CREATE::tab, .label = "?Second", .text = "Second", .children = {
                {.type = CREATE::group, .label = "?Group", .text = "G", .at = {10, 20, 100, 40}, .children = {
                    {.type = CREATE::button, .label = "?InGroup", .text = "B", .at = {14, 30, 40, 14}}}}}}}},
        {.type = CREATE::button, .label = "?Hidden", .text = "C", .at = {4, 90, 40, 14}, .hidden = true}}});
    const auto visible = [&](const char* label) { return w->numberProperty(w.number(label), PROP::Visible); };
    EXPECT_EQ(visible("?OnFirst"), 1);
    EXPECT_EQ(visible("?InGroup"), 0);  // its tab is not the selected one
    EXPECT_EQ(visible("?Hidden"), 0);
    w->setProperty(w.number("?Sheet"), PROP::Selected, 2);
    EXPECT_EQ(visible("?OnFirst"), 0);
    EXPECT_EQ(visible("?InGroup"), 1);
    w->setProperty(w.number("?Group"), PROP::Hide, 1);
    EXPECT_EQ(visible("?InGroup"), 0);  // a parent hidden
    w->setProperty(w.number("?Hidden"), PROP::Visible, 1);
    EXPECT_EQ(visible("?Hidden"), 0);
    EXPECT_EQ(w->numberProperty(0, PROP::Visible), 1);
}
