// mouse_event: the left button pressed and released where the layer's
// pointer is, as a user's click.
#include "RunningWindow.h"

#include "platform/ui/PointerCalls.h"
#include "platform/ui/Region.h"
#include "platform/ui/WindowCalls.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec probe(const std::string& title, int x, int y) {
    return {.label = "Probe", .title = title, .at = {x, y, 200, 120}, .pixels = true,
            .controls = {{.type = CREATE::button, .label = "?Ok", .text = "&Ok", .at = {10, 10, 60, 24}},
                         {.type = CREATE::check, .label = "?Flag", .text = "&Flag", .at = {10, 50, 80, 16}}}};
}

void pointAt(Window& w, std::string_view label) {
    RECT r;
    GetWindowRect(w.controlHandle(w.equate(label)), r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

std::vector<Long> accepted(const RunningWindow& w) {
    std::vector<Long> keys;
    for (const Event& e : w.taken(EVENT::Accepted)) keys.push_back(e.keyCode);
    return keys;
}

}  // namespace

TEST(MouseEvent, ADownAndAnUpClickWhatIsUnderThePointerAsTheLeftButton) {
    RunningWindow w(probe("Clicked", 40, 40));
    pointAt(*w, "?Ok");
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    drive::settle();
    EXPECT_TRUE(w.taken(EVENT::Accepted).empty()) << "a button acts on the release";
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    drive::settle();
    EXPECT_EQ(accepted(w), std::vector<Long>{KEY::MouseLeft});
    EXPECT_EQ(w.taken(EVENT::Accepted).back().field, w.number("?Ok"));

    pointAt(*w, "?Flag");
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    drive::settle();
    EXPECT_EQ(w->property(w.number("?Flag"), PROP::Selected), "1") << "the check box ticked";
}

TEST(MouseEvent, TheTopmostWindowShowingThereTakesItAndAThreadCanClick) {
    RunningWindow below(probe("Below", 40, 40));
    RunningWindow above(probe("Above", 40, 40));
    pointAt(*above, "?Ok");
    START([] { mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0); });
    drive::settle();
    EXPECT_EQ(above.taken(EVENT::Accepted).size(), 1u);
    EXPECT_TRUE(below.taken(EVENT::Accepted).empty());

    above->setRegion(Region::rectangle(0, 0, 5, 5));  // the button's place no longer shows
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    drive::settle();
    EXPECT_EQ(above.taken(EVENT::Accepted).size(), 1u);
    EXPECT_EQ(accepted(below), std::vector<Long>{KEY::MouseLeft}) << "the click went through to the window below";

    SetCursorPos(5000, 5000);
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    drive::settle();
    EXPECT_EQ(below.taken(EVENT::Accepted).size(), 1u) << "nothing of the program lies there";
}
