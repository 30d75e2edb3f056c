// Events between threads: queues per thread, timers, close requests that a
// procedure may refuse, and the modal windows of a thread.
#include "support/FocusEvents.h"

#include "platform/abc/WindowManager.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <gtest/gtest.h>
#include <set>

using namespace platform;
using namespace std::chrono_literals;

namespace {

using Log = std::vector<Long>;

WindowSpec probeSpec(const std::string& title) {
    return {.label = "W",
            .title = title,
            .controls = {{.type = CREATE::button, .label = "?Button", .text = "&Button", .at = {10, 10, 40, 14}}}};
}

// The events a window takes, until it closes; the focus's left out.
void logEvents(const std::string& title, Log& log) {
    Window w(probeSpec(title));
    w.open();
    while (w.accept())
        if (!aboutFocus(w.event())) log.push_back(w.event());
}

Long count(const Log& log, Long event) { return static_cast<Long>(std::count(log.begin(), log.end(), event)); }

class FakeClock : public ::testing::Test {
protected:
    void SetUp() override { Clock::useFake(); }
    void TearDown() override {
        Scheduler::instance().endAllOthers();
        drive::settle();
        Clock::useReal();
    }
    void advance(std::chrono::milliseconds by) {
        Clock::advance(by);
        drive::settle();
    }
};

// A thread that polls a flag with yields, as the assistant waits for its agent.
void pollWithYields(const bool& stop, long& polls) {
    while (!stop) {
        ++polls;
        YIELD();
    }
}

// A window with a timer of 20 ms that logs its events until it has seen `ticks` ticks.
void logTicks(Log& log, Long ticks) {
    Window w(probeSpec("timed"));
    w.open();
    w.setProperty(0, PROP::Timer, 2);  // hundredths
    while (count(log, EVENT::Timer) < ticks && w.accept()) log.push_back(w.event());
}

}  // namespace

TEST_F(FakeClock, ATimerTicksAtItsPaceWhileAnotherThreadPollsWithYields) {
    Log log;
    bool stop = false;
    long polls = 0;
    START([&] { logTicks(log, 5); });
    START([&] { pollWithYields(stop, polls); });
    drive::settle();
    EXPECT_EQ(count(log, EVENT::Timer), 0);
    advance(19ms);
    EXPECT_EQ(count(log, EVENT::Timer), 0);
    advance(1ms);
    EXPECT_EQ(count(log, EVENT::Timer), 1);
    advance(20ms);
    advance(20ms);
    EXPECT_EQ(count(log, EVENT::Timer), 3);
    advance(100ms);
    EXPECT_EQ(count(log, EVENT::Timer), 4) << "a late timer does not catch up";
    EXPECT_GT(polls, 5) << "the poller ran meanwhile";
    stop = true;
}

TEST(Timers, TicksArriveInRealTimeWhileAThreadPollsWithYields) {
    Log log;
    bool stop = false;
    long polls = 0;
    START([&] { logTicks(log, 3); });
    START([&] { pollWithYields(stop, polls); });
    EXPECT_TRUE(Scheduler::instance().pumpUntil([&] { return count(log, EVENT::Timer) >= 3; }, 5s));
    stop = true;
    drive::settle();
    EXPECT_EQ(Scheduler::instance().fiberCount(), 0u);
}

TEST_F(FakeClock, SleepKeepsTheLockAndMovesTheClock) {
    std::string order;
    START([&] {
        order += "a";
        const Long before = CLOCK();
        SLEEP(250);
        order += CLOCK() - before == 25 ? "slept" : "?";
    });
    START([&] { order += "b"; });
    drive::settle();
    EXPECT_EQ(order, "asleptb") << "nobody ran while the first thread slept";
}

TEST(ClockDifference, ReadingsAcrossMidnightAreADayApartLess) {
    const Long day = 8'640'000;
    const struct {
        Long later, earlier, difference;
    } cases[] = {
        {500, 350, 150},
        {350, 350, 0},
        {51, day - 100 + 1, 150},  // 00:00:00.50 after 23:59:59.00
        {1, day, 1},               // midnight after the last hundredth of the day
    };
    for (const auto& c : cases) EXPECT_EQ(clockDifference(c.later, c.earlier), c.difference) << c.later << " " << c.earlier;
}

TEST(ClockDifference, TheFakeClockPassesMidnightAsTheDayDoes) {
    Clock::useFake(8'640'000 - 100);
    const Long before = CLOCK();
    Clock::advance(std::chrono::milliseconds(1500));
    const Long after = CLOCK();
    Clock::useReal();
    EXPECT_LT(after, before) << "the time of day began again";
    EXPECT_EQ(clockDifference(after, before), 150);
}

TEST(ThreadEvents, APostBeforeTheThreadHasAWindowReachesItsFirstEventWait) {
    Log log;
    bool openNow = false;
    const int thread = START([&] {
        Scheduler::instance().waitUntil([&] { return openNow; });
        logEvents("late", log);
    });
    drive::settle();
    START([&] { POST(0x500, 0, thread); });
    drive::settle();
    openNow = true;
    Scheduler::instance().wake();
    drive::settle();
    EXPECT_EQ(log, (Log{EVENT::OpenWindow, 0x500}));
    START([&] { POST(EVENT::CloseWindow, 0, thread); });
    drive::settle();
}

TEST(ThreadEvents, EventsOfAClosedWindowAreDroppedAndTheThreadsOthersKept) {
    Log outerLog;
    bool closeInner = false;
    int thread = 0;
    thread = START([&] {
        Window outer(probeSpec("outer"));
        outer.open();
        outer.accept();  // OpenWindow
        POST(0x501, 0, thread);  // for the outer window, taken later
        {
            Window inner(probeSpec("inner"));
            inner.open();
            Scheduler::instance().waitUntil([&] { return closeInner; });
        }  // closes with its events untaken
        while (outer.accept())
            if (!aboutFocus(outer.event())) outerLog.push_back(outer.event());
    });
    drive::settle();
    START([&] { POST(0x502, 0, thread); });  // the inner window is on top
    drive::settle();
    closeInner = true;
    Scheduler::instance().wake();
    drive::settle();
    EXPECT_EQ(outerLog, (Log{0x501}));
    START([&] { POST(EVENT::CloseWindow, 0, thread); });
    drive::settle();
    EXPECT_FALSE(Scheduler::instance().alive(thread));
}

TEST(ThreadEvents, PrivateEventNumbersPassUntouched) {
    Log log;
    const int thread = START([&] { logEvents("private", log); });
    drive::settle();
    START([&] {
        for (Long e : {0x500, 0x520, 0xFFF, 0x999}) POST(e, 7, thread);
        POST(EVENT::CloseWindow, 0, thread);
    });
    drive::settle();
    EXPECT_EQ(log, (Log{EVENT::OpenWindow, 0x500, 0x520, 0xFFF, 0x999, EVENT::CloseWindow}));
}

// A window opened hidden takes its events; unhidden, it appears.
TEST(ThreadEvents, AHiddenWindowTakesItsEventsOffScreen) {
    Log log;
    Window* opened = nullptr;
    const int thread = START([&] {
        WindowSpec spec = probeSpec("hidden");
        spec.hidden = true;
        Window w(spec);
        w.open();
        opened = &w;
        while (w.accept())
            if (!aboutFocus(w.event())) log.push_back(w.event());
        opened = nullptr;
    });
    drive::settle();
    ASSERT_NE(opened, nullptr);
    EXPECT_FALSE(opened->view()->isVisible());
    EXPECT_EQ(opened->numberProperty(0, PROP::Hide), 1);
    START([&] { POST(0x518, 0, thread); });
    drive::settle();
    EXPECT_EQ(log, (Log{EVENT::OpenWindow, 0x518}));
    opened->setProperty(0, PROP::Hide, 0);
    drive::settle();
    EXPECT_TRUE(opened->view()->isVisible());
    START([&] { POST(EVENT::CloseWindow, 0, thread); });
    drive::settle();
    EXPECT_EQ(log, (Log{EVENT::OpenWindow, 0x518, EVENT::CloseWindow}));
}

namespace {

// Refuses the first close request, as a window that is busy does.
class Stubborn : public WindowManager {
public:
    using WindowManager::WindowManager;
    Byte TakeEvent() override {
        if (!aboutFocus(window().event())) log.push_back(window().event());
        if (window().event() == EVENT::CloseWindow && ++closeRequests == 1) return Level::Notify;
        return WindowManager::TakeEvent();
    }
    Log log;
    int closeRequests = 0;
};

}  // namespace

TEST(CloseWindow, AProcedureMayRefuseItAndStaysOpenUntilTheNext) {
    Stubborn* procedure = nullptr;
    bool ended = false;
    const int thread = START([&] {
        Window w(probeSpec("stubborn"));
        Stubborn manager(w);
        procedure = &manager;
        w.open();
        manager.Run();
        ended = true;
        procedure = nullptr;
    });
    drive::settle();
    START([&] { POST(EVENT::CloseWindow, 0, thread); });
    drive::settle();
    ASSERT_TRUE(procedure);
    EXPECT_TRUE(drive::window("stubborn"));
    drive::click(*drive::window("stubborn"), "?Button");
    EXPECT_EQ(procedure->log, (Log{EVENT::OpenWindow, EVENT::CloseWindow, EVENT::Accepted}))
        << "still taking events after the refusal";
    START([&] { POST(EVENT::CloseWindow, 0, thread); });
    drive::settle();
    EXPECT_TRUE(ended);
}

TEST(Modal, AWindowOverItsThreadsWindowTakesItsInputWhileOtherThreadsGoOn) {
    Log below, other;
    std::string modalBelow, modalAbove;
    Long answer = 0;
    const int thread = START([&] {
        Window w(probeSpec("opener"));
        w.open();
        w.alert(0, KEY::F5);
        while (w.accept()) {
            below.push_back(w.event());
            if (w.event() != EVENT::Accepted) continue;
            modalBelow = SYSTEM(PROP::Modal);
            answer = MESSAGE("Sure?", "Question", ICON_QUESTION, "&Ja|&Nee");
            modalAbove = SYSTEM(PROP::Modal);
        }
    });
    START([&] { logEvents("neighbour", other); });
    drive::settle();
    Window& opener = *drive::window("opener");
    drive::click(opener, "?Button");
    ASSERT_EQ(drive::messageText(), "Sure?");
    const Log before = below;
    drive::click(opener, "?Button");
    drive::pressKey(opener, KEY::F5);
    EXPECT_EQ(below, before) << "the opener raises nothing while the box is up";
    drive::click(*drive::window("neighbour"), "?Button");
    EXPECT_EQ(count(other, EVENT::Accepted), 1) << "another thread's window goes on";
    drive::answerMessage("&Nee");
    EXPECT_EQ(answer, 2);
    EXPECT_EQ(modalBelow, "0");
    drive::pressKey(opener, KEY::F5);
    EXPECT_EQ(count(below, EVENT::AlertKey), 1) << "the opener takes input again";
    START([&] {
        POST(EVENT::CloseWindow, 0, thread);
        POST(EVENT::CloseWindow, 0, Window::topWindowOf(thread) ? thread : 0);
    });
    drive::settle();
    Scheduler::instance().endAllOthers();
    drive::settle();
}

TEST(Modal, SystemModalIsTrueOnlyOnTheThreadWithTheWindowOverItsOpener) {
    std::string withBox, elsewhere;
    bool done = false;
    START([&] {
        Window w(probeSpec("first"));
        w.open();
        Window box(probeSpec("second"));
        box.open();
        withBox = SYSTEM(PROP::Modal);
        Scheduler::instance().waitUntil([&] { return done; });
    });
    START([&] {
        YIELD();
        elsewhere = SYSTEM(PROP::Modal);
    });
    drive::settle();
    EXPECT_EQ(withBox, "1");
    EXPECT_EQ(elsewhere, "0");
    done = true;
    Scheduler::instance().wake();
    drive::settle();
}

TEST(Modal, AnEventPostedAfterModalWaitsForTheWindowOverItsWindowToClose) {
    Log taken;
    bool boxOpen = false, closeBox = false, leftOver = true;
    const int thread = START([&] {
        Window w(probeSpec("under"));
        w.open();
        postAfterModal(w, 0x999);  // no modal window: at once
        Window box(probeSpec("box"));
        box.open();
        postAfterModal(w, 0x998);
        boxOpen = true;
        Scheduler::instance().waitUntil([&] { return closeBox; });
        box.close();
        while (w.accept())
            if (!aboutFocus(w.event())) taken.push_back(w.event());
    });
    START([&] {
        Window w(probeSpec("closed first"));
        w.open();
        Window box(probeSpec("its box"));
        box.open();
        postAfterModal(w, 0x999);
        w.close();
        box.close();
        leftOver = threadEvents::waiting(THREAD(), 0);
    });
    drive::settle();
    ASSERT_TRUE(boxOpen);
    EXPECT_TRUE(taken.empty());
    closeBox = true;
    Scheduler::instance().wake();
    drive::settle();
    EXPECT_EQ(taken, (Log{EVENT::OpenWindow, 0x999, 0x998}));
    EXPECT_FALSE(leftOver) << "dropped with its window";
    START([&] { POST(EVENT::CloseWindow, 0, thread); });
    drive::settle();
}

TEST(Handles, EveryWindowAndControlHasItsOwn) {
    std::vector<std::unique_ptr<Window>> windows;
    bool done = false;
    START([&] {
        for (int i = 0; i < 40; ++i) {
            WindowSpec spec = probeSpec("w" + std::to_string(i));
            spec.menubar = {{.type = CREATE::menu, .label = "?Menu", .text = "&Menu",
                             .children = {{.type = CREATE::item, .label = "?Item", .text = "&Item"}}}};
            for (int c = 0; c < 20; ++c) spec.controls.push_back({.type = CREATE::string, .label = "?S" + std::to_string(c)});
            windows.push_back(std::make_unique<Window>(spec));
            windows.back()->open();
        }
        Scheduler::instance().waitUntil([&] { return done; });
        windows.clear();
    });
    drive::settle();
    std::set<Long> handles;
    std::size_t total = 0;
    for (const auto& w : windows) {
        for (Long n : w->controlNumbers()) {
            handles.insert(w->controlHandle(n));
            ++total;
            EXPECT_EQ(Window::byHandle(w->controlHandle(n)), nullptr) << "a control's handle finds no window";
        }
        handles.insert(w->handle());
        ++total;
        EXPECT_EQ(Window::byHandle(w->handle()), w.get());
    }
    EXPECT_EQ(handles.size(), total);
    done = true;
    Scheduler::instance().wake();
    drive::settle();
}

TEST(EventRecord, AClickCarriesThePointerAndAKeyItsCharacterAndState) {
    Event clicked, keyed;
    Long keyCodeSeen = -1;
    const int thread = START([&] {
        Window w(probeSpec("record"));
        w.open();
        w.setProperty(0, PROP::Pixels, 1);
        w.alert(0, KEY::Shift + KEY::letter('A'));
        while (w.accept()) {
            if (w.event() == EVENT::Accepted) clicked = w.current();
            if (w.event() == EVENT::AlertKey) {
                keyed = w.current();
                keyed.mouseX = MOUSEX();
                SETKEYCODE(0);
                keyCodeSeen = KEYCODE();
            }
        }
    });
    drive::settle();
    Window& w = *drive::window("record");
    drive::click(w, "?Button");
    QWidget* button = w.view()->widget(w.control("?Button")->number);
    const QPoint centre = button->geometry().center();
    EXPECT_EQ(clicked.mouseX, centre.x());
    EXPECT_EQ(clicked.mouseY, centre.y());
    EXPECT_NE(clicked.time, 0);
    drive::pressKey(w, KEY::Shift + KEY::letter('A'));
    EXPECT_EQ(keyed.keyCode, KEY::Shift + KEY::letter('A'));
    EXPECT_EQ(keyed.keyState, KEY::Shift);
    EXPECT_EQ(keyed.keyChar, 'A');
    EXPECT_EQ(keyed.mouseX, clicked.mouseX) << "MOUSEX reads the current event";
    EXPECT_EQ(keyCodeSeen, 0) << "SETKEYCODE";
    START([&] { POST(EVENT::CloseWindow, 0, thread); });
    drive::settle();
}
