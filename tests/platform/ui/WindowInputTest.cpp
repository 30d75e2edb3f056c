// The user's focus and mouse as events, with the pointer where it was.
#include "RunningWindow.h"
#include "support/FocusEvents.h"

#include "platform/ui/WindowSpec.h"
#include "platform/ui/WindowView.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec inputSpec(const std::string& title, bool mdi = false, Rect at = {10, 10, 200, 100}) {
    return {.label = "W", .title = title, .at = at, .mdi = mdi, .controls = {
        {.type = CREATE::entry, .label = "?First", .text = "@s20", .at = {10, 10, 60, 12}},
        {.type = CREATE::entry, .label = "?Second", .text = "@s20", .at = {10, 30, 60, 12}},
        {.type = CREATE::button, .label = "?Button", .text = "&Button", .at = {100, 10, 50, 14}},
        {.type = CREATE::region, .label = "?Region", .at = {100, 40, 60, 30}},
    }};
}

std::vector<Long> fieldsOf(const std::vector<Event>& events) {
    std::vector<Long> fields;
    for (const Event& e : events) fields.push_back(e.field);
    return fields;
}

void clickOn(Window& w, std::string_view label) {
    drive::pressMouse(w, label, 3, 3);
    drive::releaseMouse(w, label, 3, 3);
}

}  // namespace

TEST(WindowInput, TheFocusComingToAControlSelectsIt) {
    RunningWindow w(inputSpec("focus"));
    w.events.clear();
    clickOn(*w, "?Second");
    clickOn(*w, "?First");
    clickOn(*w, "?First");
    w->select(w.number("?Second"));
    drive::settle();
    EXPECT_EQ(fieldsOf(w.taken(EVENT::Selected)),
              (std::vector<Long>{w.number("?Second"), w.number("?First"), w.number("?Second")}))
        << "once each time the focus comes, by the user or the program";
}

TEST(WindowInput, ActivatingAWindowGivesItTheFocusAndTakesItFromTheOther) {
    RunningWindow first(inputSpec("first"));
    RunningWindow second(inputSpec("second"));
    drive::activate(*first);
    first.events.clear();
    second.events.clear();
    drive::activate(*second);
    EXPECT_EQ(first.taken(EVENT::LoseFocus).size(), 1u);
    EXPECT_TRUE(first.taken(EVENT::GainFocus).empty());
    EXPECT_EQ(second.taken(EVENT::GainFocus).size(), 1u);
    EXPECT_EQ(second.taken(EVENT::GainFocus).front().field, 0) << "a window event";
}

TEST(WindowInput, AnMdiChildGainsTheFocusWithItsFramesActiveChild) {
    RunningWindow frame({.type = CREATE::application, .label = "F", .title = "Frame", .at = {0, 0, 400, 240}});
    RunningWindow first(inputSpec("first", true));
    RunningWindow second(inputSpec("second", true, {20, 60, 200, 100}));  // the first's caption still shows
    first.events.clear();
    second.events.clear();
    drive::activate(*first);
    EXPECT_EQ(first.taken(EVENT::GainFocus).size(), 1u);
    EXPECT_EQ(second.taken(EVENT::LoseFocus).size(), 1u);
    EXPECT_TRUE(frame.taken(EVENT::LoseFocus).empty()) << "the frame stays active";
}

TEST(WindowInput, ARegionThatReportsTheMouseSaysWhereItIs) {
    for (const bool pixels : {false, true}) {
        RunningWindow w(inputSpec("mouse"));
        const Long region = w.number("?Region");
        w->setProperty(region, PROP::Imm, 1);
        w->setProperty(0, PROP::Pixels, pixels ? 1 : 0);
        QWidget* widget = w->view()->widget(region);
        w.events.clear();
        drive::moveMouse(*w, "?Region", 6, 4);
        drive::pressMouse(*w, "?Region", 6, 4);
        drive::releaseMouse(*w, "?Region", 6, 4);
        drive::moveMouse(*w, "?First", 3, 3);
        EXPECT_EQ(w.numbers(), (std::vector<Long>{EVENT::MouseIn, EVENT::MouseMove, EVENT::MouseDown, EVENT::MouseUp,
                                                  EVENT::MouseOut}))
            << "pixels " << pixels;
        EXPECT_EQ(fieldsOf(w.events), std::vector<Long>(5, region));

        const Event move = w.taken(EVENT::MouseMove).front();
        const QPoint inClient = widget->pos() + QPoint(6, 4);
        const DialogUnits& du = w->units();
        EXPECT_EQ(move.mouseX, pixels ? inClient.x() : du.toUnitsX(inClient.x())) << "pixels " << pixels;
        EXPECT_EQ(move.mouseY, pixels ? inClient.y() : du.toUnitsY(inClient.y())) << "pixels " << pixels;
        EXPECT_EQ(QPoint(move.screenX, move.screenY), widget->mapToGlobal(QPoint(6, 4)));
        const Event down = w.taken(EVENT::MouseDown).front();
        EXPECT_EQ(down.keyCode, KEY::MouseLeft);
        EXPECT_EQ(QPoint(down.screenX, down.screenY), widget->mapToGlobal(QPoint(6, 4)));
    }
}

TEST(WindowInput, AStructuresImmAndCursorAreTheRegionsFromTheStart) {
    WindowSpec spec = inputSpec("structure");
    spec.controls.push_back(
        {.type = CREATE::region, .label = "?Link", .at = {100, 75, 60, 20}, .cursor = "Cross", .imm = true});
    RunningWindow w(spec);
    const Long link = w.number("?Link");
    EXPECT_EQ(w->view()->widget(link)->cursor().shape(), Qt::CrossCursor);
    w.events.clear();
    drive::moveMouse(*w, "?Link", 6, 4);
    drive::pressMouse(*w, "?Link", 6, 4);
    drive::releaseMouse(*w, "?Link", 6, 4);  // no button left down for the next window
    EXPECT_EQ(w.numbers(), (std::vector<Long>{EVENT::MouseIn, EVENT::MouseMove, EVENT::MouseDown, EVENT::MouseUp}));
    EXPECT_EQ(fieldsOf(w.events), std::vector<Long>(4, link));
}

TEST(WindowInput, AlertedMouseButtonsComeAsKeysAndAClickCarriesItsButton) {
    RunningWindow w(inputSpec("buttons"));
    const Long button = w.number("?Button");
    w->alert(button, KEY::MouseRight);
    w->alert(button, KEY::MouseLeft2);
    w.events.clear();

    drive::pressMouse(*w, "?Button", 4, 4, KEY::MouseRight);
    drive::releaseMouse(*w, "?Button", 4, 4, KEY::MouseRight);
    std::erase_if(w.events, [](const Event& e) { return aboutFocus(e.event); });
    ASSERT_EQ(w.numbers(), (std::vector<Long>{EVENT::PreAlertKey, EVENT::AlertKey}));
    for (const Event& e : w.events) {
        EXPECT_EQ(e.field, button);
        EXPECT_EQ(e.keyCode, KEY::MouseRight);
    }

    w.events.clear();
    drive::click(*w, "?Button");
    ASSERT_EQ(w.taken(EVENT::Accepted).size(), 1u);
    EXPECT_EQ(w.taken(EVENT::Accepted).front().keyCode, KEY::MouseLeft);

    w.events.clear();
    drive::doubleClick(*w, "?Button");
    ASSERT_EQ(w.taken(EVENT::AlertKey).size(), 1u);
    EXPECT_EQ(w.taken(EVENT::AlertKey).front().keyCode, KEY::MouseLeft2);
}

TEST(WindowInput, APreAlertKeyEndedWithCycleLetsTheKeyDoItsOwnWork) {
    for (const bool cycle : {false, true}) {
        RunningWindow w(inputSpec("prealert"), [cycle](Window& window) {
            if (window.event() == EVENT::PreAlertKey && cycle) window.cycle();
        });
        w->alert(w.number("?Button"), KEY::MouseLeft);
        w.events.clear();
        drive::click(*w, "?Button");
        EXPECT_EQ(w.taken(EVENT::AlertKey).size(), 1u) << "cycle " << cycle;
        EXPECT_EQ(w.taken(EVENT::Accepted).size(), cycle ? 1u : 0u) << "cycle " << cycle;
    }
}

TEST(WindowInput, ChoosingATabAndDroppingAListDownSayWhatIsAboutToHappen) {
    CString<11> chosen{"B"};
    Long selectedWhileChanging = 0;
    RunningWindow w({.label = "W", .title = "sheet", .at = {10, 10, 200, 120}, .controls = {
        {.type = CREATE::sheet, .label = "?Sheet", .at = {2, 2, 190, 60}, .children = {
            {.type = CREATE::tab, .label = "?One", .text = "One"},
            {.type = CREATE::tab, .label = "?Two", .text = "Two"}}},
        {.type = CREATE::combo, .label = "?Combo", .text = "@s10", .at = {2, 70, 60, 12}, .use = bind(chosen),
         .choices = "A|B|C"}}},
        [&](Window& window) {
            if (window.event() == EVENT::TabChanging)
                selectedWhileChanging = window.numberProperty(window.field(), PROP::Selected);
        });
    w.events.clear();
    drive::chooseTab(*w, "?Two");
    drive::chooseFromDropList(*w, "?Combo", "C");
    std::erase_if(w.events, [](const Event& e) { return aboutFocus(e.event); });
    EXPECT_EQ(w.numbers(), (std::vector<Long>{EVENT::TabChanging, EVENT::NewSelection, EVENT::DroppingDown,
                                              EVENT::DroppedDown, EVENT::NewSelection, EVENT::Accepted}));
    EXPECT_EQ(selectedWhileChanging, 1) << "the tab it leaves";
}
