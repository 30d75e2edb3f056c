#include "support/FocusEvents.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec titled(const std::string& title) { return {.label = "W", .title = title}; }

// A window procedure in miniature: logs the events of its window but the focus's.
void eventLogger(const std::string& title, std::vector<Event>* log) {
    Window w(titled(title));
    w.open();
    while (w.accept())
        if (!aboutFocus(w.event())) log->push_back(w.current());
}

}  // namespace

TEST(Fibers, StartNumbersThreadsAndThreadTellsTheRunningOne) {
    Scheduler& s = Scheduler::instance();
    std::vector<int> seen;
    const int a = START([&] { seen.push_back(THREAD()); });
    const int b = START([&] { seen.push_back(THREAD()); });
    EXPECT_NE(a, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(THREAD(), 0);  // the scheduler's own stack
    s.pumpUntilIdle();
    EXPECT_EQ(seen, (std::vector<int>{a, b}));
    EXPECT_FALSE(s.alive(a));
}

TEST(Fibers, PostedEventsArriveInOrderAfterOpenWindow) {
    std::vector<Event> log;
    const int thread = START([&] { eventLogger("target", &log); });
    drive::settle();
    START([&] {
        POST(EVENT::Accepted, 3, thread);
        POST(EVENT::NewSelection, 4, thread);
        POST(EVENT::CloseWindow, 0, thread);
    });
    drive::settle();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].event, EVENT::OpenWindow);
    EXPECT_EQ(log[1].event, EVENT::Accepted);
    EXPECT_EQ(log[1].field, 3);
    EXPECT_EQ(log[2].event, EVENT::NewSelection);
    EXPECT_EQ(log[3].event, EVENT::CloseWindow);
    EXPECT_FALSE(Scheduler::instance().alive(thread));
}

TEST(Fibers, YieldTakesTurnsAndWaitsEndWhenTheirConditionHolds) {
    std::string order;
    bool flag = false;
    START([&] {
        order += "a1";
        YIELD();
        order += "a2";
        Scheduler::instance().waitUntil([&] { return flag; });
        order += "a3";
    });
    START([&] {
        order += "b1";
        YIELD();
        order += "b2";
        flag = true;
    });
    drive::settle();
    EXPECT_EQ(order, "a1b1a2b2a3");
}

TEST(Fibers, SleepLetsOthersRun) {
    std::string order;
    START([&] {
        Scheduler::instance().sleep(std::chrono::milliseconds(30));
        order += "late";
    });
    START([&] { order += "soon "; });
    Scheduler::instance().pumpUntil([&] { return order.size() > 5; });
    EXPECT_EQ(order, "soon late");
}

TEST(Fibers, TwoWindowsOnOneThreadTakeEventsInnermostFirst) {
    std::vector<std::string> log;
    const int thread = START([&] {
        Window outer(titled("outer"));
        outer.open();
        while (outer.accept()) {
            if (aboutFocus(outer.event())) continue;
            log.push_back("outer " + std::to_string(outer.event()));
            if (outer.event() == EVENT::Accepted) {
                Window inner(titled("inner"));
                inner.open();
                while (inner.accept())
                    if (!aboutFocus(inner.event())) log.push_back("inner " + std::to_string(inner.event()));
            }
        }
    });
    drive::settle();
    START([&] { POST(EVENT::Accepted, 1, thread); });
    drive::settle();
    START([&] { POST(EVENT::CloseWindow, 0, thread); });  // reaches the inner window
    drive::settle();
    START([&] { POST(EVENT::CloseWindow, 0, thread); });  // then the outer one
    drive::settle();
    const std::vector<std::string> expected = {"outer 515", "outer 1", "inner 515", "inner 513", "outer 513"};
    EXPECT_EQ(log, expected);
}

TEST(Fibers, AnErrorEndsOnlyItsOwnThread) {
    bool otherRan = false;
    START([] { throw std::runtime_error("boom"); });
    START([&] {
        YIELD();
        otherRan = true;
    });
    drive::settle();
    EXPECT_TRUE(otherRan);
}

TEST(Fibers, EndingAThreadUnwindsItsStack) {
    bool unwound = false;
    struct Guard {
        bool* flag;
        ~Guard() { *flag = true; }
    };
    START([&] {
        Guard g{&unwound};
        Scheduler::instance().waitUntil([] { return false; });
    });
    drive::settle();
    EXPECT_FALSE(unwound);
    Scheduler::instance().endAllOthers();
    EXPECT_TRUE(unwound);
}
