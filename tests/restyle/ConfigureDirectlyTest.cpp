// Picking a control of a window to restyle it, with the pointer as a user
// moves and clicks it: the window while picking, the marks and the popup,
// the editor on the chosen control, and the window given back whole.
#include "RestyleFixture.h"

#include "restyle/EngineProperties.h"

#include <QApplication>
#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kPrompt = "-- Push the left mousebutton to select a control or press ESC to quit the configuration -- ";

WindowSpec pickSpec() {
    return {.label = "W", .title = "Orders", .at = {20, 20, 260, 170},
            .controls = {
                {.type = CREATE::button, .label = "?OK", .text = "&OK", .at = {10, 90, 40, 14}},
                {.type = CREATE::button, .label = "?Print", .text = "&Print", .at = {60, 90, 40, 14}},
                {.type = CREATE::button, .label = "?Help", .text = "&Help", .at = {110, 90, 40, 14}, .hidden = true},
                {.type = CREATE::entry, .label = "?Name", .at = {10, 10, 60, 10}},
                {.type = CREATE::check, .label = "?Case", .text = "Case", .at = {10, 30, 80, 10}},
                {.type = CREATE::string, .label = "?Note", .text = "Note", .at = {120, 10, 60, 20}},
                {.type = CREATE::entry, .label = "?Code", .at = {130, 15, 30, 10}},  // over ?Note
                {.type = CREATE::option, .label = "?Pay", .text = "Pay", .at = {180, 40, 70, 40},
                 .children = {{.type = CREATE::radio, .label = "?Cash", .text = "Cash", .at = {185, 50, 40, 10}},
                              {.type = CREATE::radio, .label = "?Card", .text = "Card", .at = {185, 62, 40, 10}}}},
                {.type = CREATE::sheet, .label = "?Sheet", .at = {10, 110, 160, 55},
                 .children = {{.type = CREATE::tab, .label = "?One", .text = "One",
                               .children = {{.type = CREATE::button, .label = "?OnTab", .text = "On tab",
                                             .at = {10, 10, 40, 14}}}},
                              {.type = CREATE::tab, .label = "?Two", .text = "Two",
                               .children = {{.type = CREATE::button, .label = "?OffTab", .text = "Off tab",
                                             .at = {60, 10, 40, 14}}}}}},
            }};
}

class ConfigureDirectlyTest : public RestyleFixture {
protected:
    void TearDown() override {
        drive::dismissPopups();
        RestyleFixture::TearDown();
    }

    // Time for the window's reports and the picker's hit tests.
    static void pause() {
        Scheduler::instance().pumpUntil([] { return false; }, std::chrono::milliseconds(250));
    }
    static void pointAt(Window& w, std::string_view label) {
        drive::moveMouse(w, label, 3, 3);
        pause();
    }
    static void pointAtBareWindow(Window& w) {
        const QPoint at = w.view()->screenPoint(250, 5);
        drive::movePointer(at.x(), at.y());
        pause();
    }
    // A click where the pointer is; the popup it opens, if any.
    static std::vector<std::string> clickForPopup() {
        drive::clickPointer();
        Scheduler::instance().pumpUntil([] { return QApplication::activePopupWidget() != nullptr; },
                                        std::chrono::seconds(2));
        return QApplication::activePopupWidget() ? drive::popupItems() : std::vector<std::string>{};
    }
    static void startPicking(RestyledWindow& window) {
        window.onThread([&] { window.restyle().ConfigureDirectly(); });
        pause();
    }

    // The controls framed in red, by label; the type labels' texts beside.
    static std::vector<std::string> marked(const Window& w) {
        std::vector<std::string> framed;
        for (Long box : w.controlNumbers()) {
            if (w.numberProperty(box, PROP::Type) != CREATE::box || w.numberProperty(box, PROP::Color) != 0x0000FF)
                continue;
            for (Long c : w.controlNumbers())
                if (c != box && w.numberProperty(c, PROP::Type) != CREATE::box &&
                    w.numberProperty(c, PROP::Xpos) - 2 == w.numberProperty(box, PROP::Xpos) &&
                    w.numberProperty(c, PROP::Ypos) - 2 == w.numberProperty(box, PROP::Ypos) &&
                    w.numberProperty(c, PROP::Width) + 4 == w.numberProperty(box, PROP::Width))
                    framed.push_back(w.property(c, PROP::Label));
        }
        std::sort(framed.begin(), framed.end());
        return framed;
    }
};

// The popup's tail: "Select an other control" and "Close".
std::vector<std::string> offered(std::vector<std::string> entries) {
    entries.insert(entries.end(), {"Select an other control", "Close"});
    return entries;
}

}  // namespace

TEST_F(ConfigureDirectlyTest, PickingSuspendsTheWindowAndEveryWayOutGivesItBackWhole) {
    const struct {
        const char* way;
        std::function<void(Window&)> leave;
    } cases[] = {
        {"Esc", [](Window& w) { drive::pressKey(w, KEY::Esc); }},
        {"the close box", [](Window& w) { drive::closeByCloseBox(w); }},
        {"Close in the popup",
         [](Window& w) {
             pointAt(w, "?Name");
             clickForPopup();
             drive::choosePopup({"Close"});
         }},
        {"no choice in the popup",
         [](Window& w) {
             pointAt(w, "?Name");
             clickForPopup();
             drive::dismissPopups();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        manager.configured = 0;
        RestyledWindow window(manager, kProcedure, pickSpec());
        Window& w = window.window();
        const Long ok = window.number("?OK"), print = window.number("?Print");
        w.setProperty(ok, PROP::Disable, 1);
        w.setProperty(print, PROP::Std, STD::Close);
        const Long imm = w.numberProperty(0, PROP::Imm);
        startPicking(window);
        const ConfigureDirectlyState& state = window.restyle().CONFIGUREDIRECTLYONWINDOW;
        EXPECT_NE(state.THREAD, 0);
        EXPECT_EQ(w.property(0, PROP::Text), kPrompt + "Orders");
        EXPECT_EQ(w.numberProperty(0, PROP::Timer), 10);
        EXPECT_EQ(w.numberProperty(0, PROP::Imm), 1);
        EXPECT_EQ(w.numberProperty(ok, PROP::Disable), 0) << "every control can be clicked";
        EXPECT_EQ(w.numberProperty(print, PROP::Std), 0) << "and no standard action runs";
        EXPECT_TRUE(w.alerted(0, KEY::MouseLeft));
        EXPECT_TRUE(w.alerted(0, KEY::MouseRight));

        c.leave(w);
        pause();
        ASSERT_TRUE(window.opened()) << "the window stays open";
        EXPECT_EQ(state.THREAD, 0);
        EXPECT_EQ(w.property(0, PROP::Text), "Orders");
        EXPECT_EQ(w.numberProperty(0, PROP::Timer), 0);
        EXPECT_EQ(w.numberProperty(0, PROP::Imm), imm);
        EXPECT_EQ(w.numberProperty(ok, PROP::Disable), 1);
        EXPECT_EQ(w.numberProperty(print, PROP::Std), STD::Close);
        EXPECT_FALSE(w.alerted(0, KEY::MouseLeft)) << "a click reaches the controls again";
        EXPECT_EQ(marked(w), std::vector<std::string>{});
        EXPECT_EQ(manager.configured, 1) << "the configuration comes back";
        EXPECT_EQ(manager.USECLARIONMESSAGEBOX, 0);

        window.events.clear();
        drive::click(w, "?Case");
        EXPECT_NE(std::find(window.events.begin(), window.events.end(), EVENT::Accepted), window.events.end());
    }
}

TEST_F(ConfigureDirectlyTest, AClickThatPicksLeavesTheControlAsItWas) {
    RestyledWindow window(manager, kProcedure, pickSpec());
    Window& w = window.window();
    startPicking(window);
    const std::string unticked = drive::property(w, "?Case", PROP::ScreenText);
    pointAt(w, "?Case");
    window.events.clear();
    clickForPopup();
    drive::choosePopup({"Close"});
    pause();
    EXPECT_EQ(drive::property(w, "?Case", PROP::ScreenText), unticked);
    EXPECT_EQ(std::find(window.events.begin(), window.events.end(), EVENT::Accepted), window.events.end());
}

TEST_F(ConfigureDirectlyTest, ThePointerMarksTheControlsOfItsTypeAndThePopupNamesThem) {
    RestyledWindow window(manager, kProcedure, pickSpec());
    Window& w = window.window();
    startPicking(window);
    const std::vector<std::string> buttons = {"?OK", "?OnTab", "?Print"};
    const std::string other = "Other control of the same type/";
    // The popup names the controls under the pointer in the order of the
    // control list, which is by type; the window's type comes after these.
    const struct {
        const char* where;
        std::function<void()> point;
        std::vector<std::string> marks;
        std::vector<std::string> popup;
    } cases[] = {
        {"the bare window", [&] { pointAtBareWindow(w); }, {}, offered({"Window (WINDOW)"})},
        {"a button", [&] { pointAt(w, "?OK"); }, buttons,
         offered({"OK", "Window (WINDOW)", other + "Print (PRINT)", other + "OnTab (ONTAB)"})},
        {"another button", [&] { pointAt(w, "?Print"); }, buttons,
         offered({"Print (PRINT)", "Window (WINDOW)", other + "OK", other + "OnTab (ONTAB)"})},
        {"an entry", [&] { pointAt(w, "?Name"); }, {"?Code", "?Name"},
         offered({"Name (NAME)", "Window (WINDOW)", other + "Code (CODE)"})},
        {"two controls over one another", [&] { pointAt(w, "?Code"); }, {"?Code", "?Name"},
         offered({"Note (NOTE)", "Code (CODE)", "Window (WINDOW)", other + "Name (NAME)"})},
        {"a control on a tab", [&] { pointAt(w, "?OnTab"); }, buttons,
         offered({"OnTab (ONTAB)", "Window (WINDOW)", "Sheet (SHEET)", "One (ONE)", other + "OK",
                  other + "Print (PRINT)"})},
        {"a radio", [&] { pointAt(w, "?Card"); }, {"?Card", "?Cash"},
         offered({"Pay (PAY)", "Card (CARD)", "Window (WINDOW)", other + "Cash (CASH)"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        c.point();
        EXPECT_EQ(marked(w), c.marks);
        EXPECT_EQ(clickForPopup(), c.popup);
        drive::choosePopup({"Select an other control"});
        pause();
        EXPECT_NE(window.restyle().CONFIGUREDIRECTLYONWINDOW.THREAD, 0) << "picking goes on";
    }
    EXPECT_FALSE(w.numberProperty(window.number("?Help"), PROP::Visible)) << "the hidden button was not marked";
}

TEST_F(ConfigureDirectlyTest, AMarkNamesTheTypeInSmallRedLettersBesideItsFrame) {
    RestyledWindow window(manager, kProcedure, pickSpec());
    Window& w = window.window();
    startPicking(window);
    pointAt(w, "?OK");
    const Long ok = window.number("?OK");
    Long label = 0, box = 0;
    for (Long n : w.controlNumbers()) {
        // ?OnTab's marks lie at the same place on its page.
        if (w.numberProperty(n, PROP::Xpos) != w.numberProperty(ok, PROP::Xpos) - 2 ||
            w.numberProperty(n, PROP::Parent) != 0)
            continue;
        if (w.numberProperty(n, PROP::Type) == CREATE::box) box = n;
        if (w.numberProperty(n, PROP::Type) == CREATE::string) label = n;
    }
    ASSERT_NE(label, 0);
    ASSERT_NE(box, 0);
    EXPECT_EQ(w.property(label, PROP::Text), "BUTTON");
    EXPECT_EQ(w.numberProperty(label, PROP::Ypos), w.numberProperty(ok, PROP::Ypos) - 10);
    EXPECT_EQ(w.property(label, PROP::FontName), "Small Fonts");
    EXPECT_EQ(w.numberProperty(label, PROP::FontSize), 6);
    EXPECT_EQ(w.numberProperty(label, PROP::FontColor), 0x0000FF);
    EXPECT_EQ(w.numberProperty(label, PROP::Trn), 1);
    EXPECT_EQ(w.numberProperty(box, PROP::Color), 0x0000FF);
    EXPECT_EQ(w.numberProperty(box, PROP::Height), w.numberProperty(ok, PROP::Height) + 4);
    drive::pressKey(w, KEY::Esc);
    pause();
    EXPECT_EQ(marked(w), std::vector<std::string>{});
}

TEST_F(ConfigureDirectlyTest, AChosenControlIsEditedRestyledAndPickingGoesOn) {
    RestyledWindow window(manager, kProcedure, pickSpec());
    Window& w = window.window();
    manager.whileEditing = [&] {
        EXPECT_EQ(manager.USECLARIONMESSAGEBOX, 1) << "the layer's own box while picking";
        store({.procedure = kProcedure, .group = restyle::controlTypeGroup(CREATE::button),
               .controlType = CREATE::button, .property = PROP::FontColor, .value = "255"});
    };
    startPicking(window);
    pointAt(w, "?OK");
    clickForPopup();
    drive::choosePopup({"OK"});
    pause();
    EXPECT_EQ(manager.edits, (std::vector<CountingManager::Edit>{{&window.restyle(), window.number("?OK"), 0}}));
    EXPECT_EQ(w.numberProperty(window.number("?OK"), PROP::FontColor), 255) << "restyled with what was stored";
    EXPECT_EQ(w.property(0, PROP::Text), kPrompt + "Orders") << "picking again";
    EXPECT_NE(window.restyle().CONFIGUREDIRECTLYONWINDOW.THREAD, 0);

    pointAt(w, "?Print");
    clickForPopup();
    drive::choosePopup({"Other control of the same type", "OK"});
    pause();
    ASSERT_EQ(manager.edits.size(), 2u);
    EXPECT_EQ(manager.edits[1].control, window.number("?OK"));
    drive::pressKey(w, KEY::Esc);
    pause();
    EXPECT_EQ(manager.USECLARIONMESSAGEBOX, 0) << "the program's box is back";
}

// The window reports the pointer ten times a second: a click right after a
// move still acts on the control under it.
TEST_F(ConfigureDirectlyTest, AClickRightAfterAMovePicksTheControlUnderThePointer) {
    RestyledWindow window(manager, kProcedure, pickSpec());
    Window& w = window.window();
    startPicking(window);
    pointAt(w, "?Name");
    drive::moveMouse(w, "?Print", 3, 3);
    clickForPopup();
    drive::choosePopup({"Print (PRINT)"});
    pause();
    ASSERT_EQ(manager.edits.size(), 1u);
    EXPECT_EQ(manager.edits[0].control, window.number("?Print"));
    drive::pressKey(w, KEY::Esc);
    pause();
}

TEST_F(ConfigureDirectlyTest, NoThreadLeftForThePickerChangesNothing) {
    RestyledWindow window(manager, kProcedure, pickSpec());
    Window& w = window.window();
    const Long ok = window.number("?OK");
    w.setProperty(ok, PROP::Disable, 1);
    bool release = false;
    std::vector<int> holders;
    for (int thread = START([&] { Scheduler::instance().waitUntil([&] { return release; }); }); thread != 0;
         thread = START([&] { Scheduler::instance().waitUntil([&] { return release; }); }))
        holders.push_back(thread);
    drive::settle();
    window.onThread([&] { window.restyle().ConfigureDirectly(); });
    release = true;
    drive::settle();
    EXPECT_EQ(window.restyle().CONFIGUREDIRECTLYONWINDOW.THREAD, 0);
    EXPECT_EQ(w.property(0, PROP::Text), "Orders");
    EXPECT_EQ(w.numberProperty(0, PROP::Timer), 0);
    EXPECT_EQ(w.numberProperty(ok, PROP::Disable), 1);
    EXPECT_FALSE(w.alerted(0, KEY::MouseLeft));
}

TEST_F(ConfigureDirectlyTest, TheWindowClosedWhileTheEditorIsUpWaitsForIt) {
    bool editorClosed = false;
    auto window = std::make_unique<RestyledWindow>(manager, kProcedure, pickSpec());
    Window& w = window->window();
    manager.whileEditing = [&] { Scheduler::instance().waitUntil([&] { return editorClosed; }); };
    startPicking(*window);
    pointAt(w, "?OK");
    clickForPopup();
    drive::choosePopup({"OK"});
    pause();
    ASSERT_EQ(manager.edits.size(), 1u);
    w.post({.event = EVENT::CloseWindow});
    pause();
    EXPECT_EQ(manager.RESTYLECLASSLIST.size(), 1u) << "its object waits for the editor";
    editorClosed = true;
    window.reset();
    drive::settle();
    EXPECT_EQ(manager.edits.size(), 1u) << "picking does not start again";
    EXPECT_EQ(manager.RESTYLECLASSLIST.size(), 0u);
    EXPECT_EQ(drive::window(kPrompt + "Orders"), nullptr);
    EXPECT_EQ(drive::window("Orders"), nullptr);
}

// After an edit a new picker thread goes on: the program closing its window
// (as on a Sized event, which picking lets through) ends that one before the
// object goes.
TEST_F(ConfigureDirectlyTest, TheProgramClosingItsWindowAfterAnEditEndsThePickerFirst) {
    RestyledWindow window(manager, kProcedure, pickSpec());
    Window& w = window.window();
    startPicking(window);
    pointAt(w, "?OK");
    clickForPopup();
    drive::choosePopup({"OK"});
    pause();
    const int picker = window.restyle().CONFIGUREDIRECTLYONWINDOW.THREAD;
    ASSERT_NE(picker, 0);
    w.close();
    drive::settle();
    EXPECT_FALSE(Scheduler::instance().alive(picker));
    EXPECT_EQ(manager.RESTYLECLASSLIST.size(), 0u);
}

TEST_F(ConfigureDirectlyTest, ControlTextsNeverChangeTheMenuHoweverManyThereAre) {
    WindowSpec spec{.label = "W", .title = "Many", .at = {0, 0, 400, 300}};
    spec.controls.push_back({.type = CREATE::button, .label = "?Pipe", .text = "a|b", .at = {2, 2, 30, 10}});
    for (int i = 1; i < 80; ++i)
        spec.controls.push_back({.type = CREATE::button, .label = "?B" + std::to_string(i), .text = "B",
                                 .at = {2 + (i % 10) * 38, 20 + (i / 10) * 30, 30, 10}});
    RestyledWindow window(manager, kProcedure, spec, {}, {});
    Window& w = window.window();
    window.onThread([&] {
        // A description that would read as menu structure.
        for (std::size_t i = 1; i <= window.restyle().CONTROLPROPERTIESQUEUE.records(); ++i)
            if (window.restyle().CONTROLPROPERTIESQUEUE.at(i).CONTROLEQUATE == window.number("?Pipe")) {
                window.restyle().CONTROLPROPERTIESQUEUE.get(i);
                window.restyle().CONTROLPROPERTIESQUEUE.rec.CONTROLDESCRIPTION = "+{Pay|Now}";
                window.restyle().CONTROLPROPERTIESQUEUE.put();
            }
    });
    startPicking(window);
    pointAt(w, "?Pipe");
    const std::vector<std::string> items = clickForPopup();
    ASSERT_EQ(items.size(), 83u) << "the window, 80 buttons, and the two choices";
    EXPECT_EQ(items[0], "PayNow (PIPE)");
    EXPECT_EQ(items.back(), "Close");
    drive::choosePopup({"Close"});
    pause();
}

// What picking suspends is its own: the registration keeps what the window
// had, so taking the styling away afterwards enables the control again.
TEST_F(ConfigureDirectlyTest, PickingLeavesTheRegistrationAsItWas) {
    store({.procedure = kProcedure, .group = restyle::controlTypeGroup(CREATE::button), .controlType = CREATE::button,
           .property = PROP::Disable, .value = "1"});
    RestyledWindow window(manager, kProcedure, pickSpec());
    Window& w = window.window();
    const Long ok = window.number("?OK");
    ASSERT_EQ(w.numberProperty(ok, PROP::Disable), 1) << "the stored setting";
    startPicking(window);
    drive::pressKey(w, KEY::Esc);
    pause();
    EXPECT_EQ(w.numberProperty(ok, PROP::Disable), 1);
    storeForWindow(restyle::engine::kDisableStyling, "1");
    window.onThread([&] { window.restyle().Restyle(1, 0); });
    EXPECT_EQ(w.numberProperty(ok, PROP::Disable), 0) << "as the window had it";
}
