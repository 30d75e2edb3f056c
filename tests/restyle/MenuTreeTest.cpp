// The tree menu's structure and tables on a frame's restyle object: the
// "Custom menu look" style text, what of the frame's menu enters the tree
// and leaves the frame, the icon and style tables, and opening a node.
#include "RestyleFixture.h"

#include <string>
#include <vector>

namespace {

const std::string kFrameProcedure = "Main";

// A frame with nested menus, an item without text, icons and a toolbar.
WindowSpec frameSpec() {
    return {.type = CREATE::application, .label = "F", .title = "Frame", .at = {0, 0, 300, 200},
            .menubar = {
                {.type = CREATE::menu, .label = "?FileMenu", .text = "&File", .icon = "File.ico", .children = {
                    {.type = CREATE::item, .label = "?OpenItem", .text = "&Open", .icon = "Open.ico"},
                    {.separator = true},
                    {.type = CREATE::item, .label = "?LineItem"},
                    {.type = CREATE::menu, .label = "?RecentMenu", .text = "&Recent", .children = {
                        {.type = CREATE::item, .label = "?FirstRecent", .text = "&&1 Orders", .icon = "Open.ico"}}},
                    {.type = CREATE::item, .label = "?ExitItem", .text = "E&xit", .std = STD::Close}}},
                {.type = CREATE::menu, .label = "?EditMenu", .text = "&Edit", .children = {
                    {.type = CREATE::item, .label = "?CopyItem", .text = "&Copy", .icon = "~ZelMenuItem.ico"}}},
                {.type = CREATE::item, .label = "?HelpItem", .text = "&Help"}},
            .controls = {{.type = CREATE::toolbar, .label = "?Toolbar", .at = {0, 0, 300, 16}}}};
}

// The columns of a style text, each number left-aligned in its width.
struct MenuLook {
    std::string look = "2", size, colour, background, selected, selectedBackground, hideLastStarted, typeface,
                icon;
    std::string text() const {
        const auto column = [](const std::string& value, std::size_t width) {
            return value + std::string(width - value.size(), ' ');
        };
        std::string written = column(look, 1) + column(size, 3) + column(colour, 11) + column(background, 10) +
                              column(selected, 10) + column(selectedBackground, 10) + column(hideLastStarted, 1) +
                              column(typeface, 40) + column(icon, 101);
        return written + std::string(512 - written.size(), ' ');
    }
};

// A node of the tree, its controls by label.
struct Node {
    std::string text;
    Long level;
    std::string label, parent;
    Byte hasChildren, std;
    bool operator==(const Node&) const = default;
    friend void PrintTo(const Node& n, std::ostream* out) {
        *out << '{' << n.text.substr(0, 12) << ", " << n.level << ", " << n.label << ", " << n.parent << ", "
             << int(n.hasChildren) << ", " << int(n.std) << '}';
    }
};

// A row of the style table.
struct Style {
    Short number;
    std::string typeface;
    Byte size;
    Long text, back, selectedText, selectedBack;
    bool operator==(const Style&) const = default;
    friend void PrintTo(const Style& s, std::ostream* out) {
        *out << '{' << s.number << ", " << s.typeface << ", " << int(s.size) << ", " << s.text << ", " << s.back
             << ", " << s.selectedText << ", " << s.selectedBack << '}';
    }
};

constexpr Long kItemColour = static_cast<Long>(0x80000002), kItemBackground = static_cast<Long>(0x8000000E);

class MenuTreeTest : public RestyleFixture {
protected:
    void open() { frame_ = std::make_unique<RestyledWindow>(manager, kFrameProcedure, frameSpec()); }
    RestyledWindow& frame() { return *frame_; }
    CountingRestyle& restyle() { return frame_->restyle(); }
    Long number(std::string_view label) { return frame_->number(label); }
    bool hidden(std::string_view label) { return frame().window().numberProperty(number(label), PROP::Hide) != 0; }
    void onFrame(std::function<void()> work) { frame_->onThread(std::move(work)); }
    void start(const std::string& styleText = MenuLook{}.text()) {
        onFrame([&] { restyle().StartMenuTree(styleText); });
    }
    const MENUSTRUCTUREQUEUERecord* node(std::string_view label) {
        auto& tree = restyle().MENUSTRUCTUREQUEUE;
        for (std::size_t row = 1; row <= tree.records(); ++row)
            if (tree.at(row).CONTROLEQUATE == number(label)) return &tree.at(row);
        return nullptr;
    }

private:
    std::unique_ptr<RestyledWindow> frame_;
};

}  // namespace

TEST_F(MenuTreeTest, TheStyleTextsColumnsAndTheirDefaults) {
    const struct {
        const char* name;
        MenuLook look;
        Byte enable, size;
        Long colour, background, selected, selectedBackground;
        Byte hideLastStarted;
        const char* typeface;
        const char* icon;
    } cases[] = {
        {"one and blanks", {.look = "1"}, 2, 8, kItemColour, kItemBackground, kItemColour, kItemBackground, 1,
         "MS Sans Serif", "~ZelMenuItem.ico"},
        {"size 0", {.size = "0"}, 2, 8, kItemColour, kItemBackground, kItemColour, kItemBackground, 1,
         "MS Sans Serif", "~ZelMenuItem.ico"},
        {"colour left-aligned", {.size = "12", .colour = "255"}, 2, 12, 255, kItemBackground, kItemColour,
         kItemBackground, 1, "MS Sans Serif", "~ZelMenuItem.ico"},
        {"every column",
         {.size = "10", .colour = "1", .background = "2", .selected = "3", .selectedBackground = "-1",
          .hideLastStarted = "0", .typeface = "Arial", .icon = "Tree.ico"},
         2, 10, 1, 2, 3, -1, 0, "Arial", "Tree.ico"},
        {"a colour written unsigned", {.colour = "2147483650"}, 2, 8, kItemColour, kItemBackground, kItemColour,
         kItemBackground, 1, "MS Sans Serif", "~ZelMenuItem.ico"},
    };
    open();
    for (const auto& c : cases) {
        start(c.look.text());
        const CountingRestyle& r = restyle();
        EXPECT_EQ(r.ENABLEMENUTREE, c.enable) << c.name;
        EXPECT_EQ(r.MENUTREEITEMHEIGHT, c.size) << c.name;
        EXPECT_EQ(r.MENUTREEITEMCOLOR, c.colour) << c.name;
        EXPECT_EQ(r.MENUTREEITEMBACKGROUNDCOLOR, c.background) << c.name;
        EXPECT_EQ(r.MENUTREEITEMSELECTEDCOLOR, c.selected) << c.name;
        EXPECT_EQ(r.MENUTREEITEMSELECTEDBACKGROUND, c.selectedBackground) << c.name;
        EXPECT_EQ(r.MENUTREELASTSTARTEDMENUITEMS, c.hideLastStarted) << c.name;
        EXPECT_EQ(clip(r.MENUTREEFONT.view()), c.typeface) << c.name;
        EXPECT_EQ(clip(r.MENUTREEDEFAULTICON.view()), c.icon) << c.name;
    }
}

TEST_F(MenuTreeTest, TheTreeHoldsTheMenuDepthFirstNodesCollapsedTextsWithoutMarkers) {
    open();
    start();
    std::vector<Node> tree;
    const auto labelOf = [&](Long n) { return n == 0 ? std::string() : frame().window().control(n)->label; };
    for (std::size_t row = 1; row <= restyle().MENUSTRUCTUREQUEUE.records(); ++row) {
        const auto& r = restyle().MENUSTRUCTUREQUEUE.at(row);
        tree.push_back({r.MENUITEM.str(), r.LEVEL, labelOf(r.CONTROLEQUATE), labelOf(r.PARENTEQUATE), r.HASCHILDREN,
                        r.STDPROPERTY});
    }
    const std::vector<Node> expected = {
        {"File", -1, "?FileMenu", "", 1, 0},
        {"Open", 2, "?OpenItem", "?FileMenu", 0, 0},
        {std::string(255, '-'), 2, "?LineItem", "?FileMenu", 0, 0},
        {"Recent", -2, "?RecentMenu", "?FileMenu", 1, 0},
        {"&1 Orders", 3, "?FirstRecent", "?RecentMenu", 0, 0},
        {"Exit", 2, "?ExitItem", "?FileMenu", 0, static_cast<Byte>(STD::Close)},
        {"Edit", -1, "?EditMenu", "", 1, 0},
        {"Copy", 2, "?CopyItem", "?EditMenu", 0, 0},
        {"Help", 1, "?HelpItem", "", 0, 0},
    };
    EXPECT_EQ(tree, expected);
    EXPECT_EQ(restyle().TOOLBARHEIGHT, 16);
    EXPECT_EQ(restyle().MENUBUILD, 1);
    EXPECT_NE(restyle().MENUTREETHREAD, 0) << "the tree's thread was started";
}

TEST_F(MenuTreeTest, ASettingDecidesWhetherTheMenuEntersTheTreeAndStaysOnTheFrameRebuiltToo) {
    constexpr int kUnregistered = -1;
    const struct {
        int setting;
        bool hiddenAtFirst, excluded;
        bool inTree, hiddenOnFrame;
    } cases[] = {
        {0, false, false, false, false}, {0, true, false, false, true},
        {1, false, false, true, true},   {1, true, false, false, true},
        {2, false, false, false, true},  {2, true, false, false, true},
        {3, false, false, true, false},  {3, true, false, false, true},
        {kUnregistered, false, false, true, false}, {kUnregistered, true, false, false, true},
        {1, false, true, false, false},  {kUnregistered, false, true, false, false},
    };
    for (const auto& c : cases) {
        const std::string name = "setting " + std::to_string(c.setting) + (c.hiddenAtFirst ? " hidden" : " shown") +
                                 (c.excluded ? " excluded" : "");
        open();
        const Long edit = number("?EditMenu");
        onFrame([&] {
            if (c.hiddenAtFirst) frame().window().setProperty(edit, PROP::Hide, 1);
            if (c.setting != kUnregistered) restyle().AddMenuSetting(edit, static_cast<Byte>(c.setting));
            if (c.excluded) restyle().AddExcludeMenuItem(edit);
        });
        for (const char* pass : {"built", "rebuilt"}) {
            start();
            EXPECT_EQ(node("?EditMenu") != nullptr, c.inTree) << name << ' ' << pass;
            EXPECT_EQ(node("?CopyItem") != nullptr, c.inTree) << name << ' ' << pass << ": what lies below it";
            EXPECT_EQ(hidden("?EditMenu"), c.hiddenOnFrame) << name << ' ' << pass;
            EXPECT_NE(node("?FileMenu"), nullptr) << name << ' ' << pass << ": the others stay in the tree";
        }
    }
}

TEST_F(MenuTreeTest, ABarOfHiddenMenusBuildsNothingAndStartsNoThread) {
    open();
    onFrame([&] {
        for (const char* label : {"?FileMenu", "?EditMenu", "?HelpItem"})
            restyle().AddMenuSetting(number(label), 1), frame().window().setProperty(number(label), PROP::Hide, 1);
    });
    start();
    EXPECT_EQ(restyle().MENUSTRUCTUREQUEUE.records(), 0u);
    EXPECT_EQ(restyle().MENUTREETHREAD, 0);
    EXPECT_EQ(restyle().MENUBUILD, 1);
}

TEST_F(MenuTreeTest, IconsAndStylesShareRowsNumberedFromTheFixedOnes) {
    open();
    start();
    onFrame([&] {
        Window& w = frame().window();
        w.setProperty(number("?ExitItem"), PROP::Disable, 1);
        w.setProperty(number("?HelpItem"), PROP::FontColor, 255);
        w.setProperty(number("?EditMenu"), PROP::FontCharSet, 2);
        w.setIndexedProperty(number("?CopyItem"), PROP::Color, 3, "65280");
        restyle().RefreshMenuTree();
    });
    const auto& icons = restyle().MENUSTRUCTUREICONQUEUE;
    std::vector<std::pair<Short, std::string>> iconRows;
    for (std::size_t row = 1; row <= icons.records(); ++row)
        iconRows.emplace_back(icons.at(row).ICONNUMBER, icons.at(row).ICON.str());
    const std::vector<std::pair<Short, std::string>> expectedIcons = {
        {0, "~ZelMenuItem.ico"}, {1, "~ZelMenuItem.ico"}, {3, "File.ico"}, {4, "Open.ico"}};
    EXPECT_EQ(iconRows, expectedIcons) << "2 is never used";
    const struct {
        const char* label;
        Short icon, style;
    } nodes[] = {
        {"?FileMenu", 3, 2}, {"?OpenItem", 4, 2},   {"?LineItem", 1, 2}, {"?FirstRecent", 4, 2},
        {"?ExitItem", 1, 1}, {"?EditMenu", 1, 2},   {"?CopyItem", 0, 3}, {"?HelpItem", 1, 4},
    };
    for (const auto& n : nodes) {
        ASSERT_NE(node(n.label), nullptr) << n.label;
        EXPECT_EQ(node(n.label)->ICON, n.icon) << n.label;
        EXPECT_EQ(node(n.label)->STYLE, n.style) << n.label;
    }
    std::vector<Style> styles;
    const auto& table = restyle().MENUSTRUCTUREFONTQUEUE;
    for (std::size_t row = 1; row <= table.records(); ++row) {
        const auto& s = table.at(row);
        styles.push_back({s.FONTNUMBER, clip(s.FONTNAME.view()), s.FONTSIZE, s.TEXTCOLOR, s.BACKCOLOR, s.TEXTSELECTED,
                          s.BACKSELECTED});
    }
    const std::vector<Style> expectedStyles = {
        {1, "MS Sans Serif", 8, 0xC0C0C0, 0x808080, 0x808080, 0xC0C0C0},
        {2, "MS Sans Serif", 8, -1, -1, -1, -1},
        {3, "MS Sans Serif", 8, -1, -1, -1, 65280},
        {4, "MS Sans Serif", 8, 255, -1, -1, -1},
    };
    EXPECT_EQ(styles, expectedStyles) << "colours never written are none; the charset does not count";
}

TEST_F(MenuTreeTest, ANodeOpensClosesOrFlipsAndADisabledOneAlwaysCloses) {
    open();
    start();
    const Long file = number("?FileMenu");
    EXPECT_EQ(restyle().SetMenuTreeItemState(file, 1, 0), 0) << "no tree window runs";
    manager.MENUTREETHREAD = restyle().MENUTREETHREAD;
    const struct {
        const char* label;
        Byte expand, toggle;
        Byte answer;
    } steps[] = {
        {"?FileMenu", 1, 0, 1}, {"?FileMenu", 1, 0, 1}, {"?FileMenu", 0, 1, 255}, {"?FileMenu", 0, 1, 1},
        {"?FileMenu", 0, 0, 255}, {"?RecentMenu", 0, 1, 2}, {"?Toolbar", 1, 0, 0},
    };
    for (const auto& s : steps)
        onFrame([&] { EXPECT_EQ(restyle().SetMenuTreeItemState(number(s.label), s.expand, s.toggle), s.answer) << s.label; });
    onFrame([&] {
        frame().window().setProperty(file, PROP::Disable, 1);
        EXPECT_EQ(restyle().SetMenuTreeItemState(file, 1, 0), 255);
        EXPECT_EQ(restyle().SetMenuTreeItemState(file, 0, 1), 255);
    });
    EXPECT_EQ(node("?FileMenu")->LEVEL, -1);
    EXPECT_EQ(node("?FileMenu")->STYLE, 1) << "the tables were refreshed";
    manager.MENUTREETHREAD = 0;
}
