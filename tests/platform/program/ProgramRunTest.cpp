#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Locale.h"
#include "platform/message/Message.h"
#include "platform/program/Program.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

using Trace = std::vector<std::string>;

ProgramModules tracedModules(Trace& trace) {
    return {{[&trace](Long finish) { trace.push_back(finish ? "finish a" : "init a"); },
             [&trace](Long finish) { trace.push_back(finish ? "finish b" : "init b"); }}};
}

// A window on a thread of its own that waits for its events.
void startWorker(Trace& trace) {
    START([&trace] {
        Window w({.label = "W", .title = "worker"});
        w.open();
        while (w.accept()) {
        }
        trace.push_back("worker closed");
    });
}

int runToEnd() {
    Scheduler::instance().pumpUntil(programEnded);
    return finishProgram();
}

}  // namespace

TEST(ProgramRun, ShutDownClosesOtherWindowsThenRunsTheFinalisersInReverse) {
    Trace trace;
    startProgram(tracedModules(trace), [&trace] {
        startWorker(trace);
        YIELD();
        trace.push_back("body done");
    });
    EXPECT_EQ(runToEnd(), 0);
    EXPECT_EQ(trace, (Trace{"init a", "init b", "body done", "worker closed", "finish b", "finish a"}));
    EXPECT_TRUE(Window::openWindows().empty());
}

TEST(ProgramRun, AQuestionRaisedWhileClosingWaitsForItsAnswer) {
    Trace trace;
    startProgram(tracedModules(trace), [&trace] {
        START([&trace] {
            Window w({.label = "W", .title = "editor"});
            w.open();
            while (w.accept())
                if (w.event() == EVENT::CloseWindow)
                    trace.push_back(MESSAGE("Save?", "editor", ICON_QUESTION, "&Ja|&Nee") == 1 ? "saved" : "lost");
        });
        YIELD();
    });
    drive::settle();
    for (int i = 0; i < 20; ++i) {  // a while, as a user takes to read the question
        Scheduler::instance().pumpUntil([] { return false; }, std::chrono::milliseconds(20));
        ASSERT_EQ(drive::messageText(), "Save?");
    }
    EXPECT_FALSE(programEnded());
    drive::answerMessage("&Ja");
    EXPECT_EQ(runToEnd(), 0);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "saved"), 1);
}

TEST(ProgramRun, HaltFromAnyThreadEndsTheProgramWithItsCode) {
    Trace trace;
    startProgram(tracedModules(trace), [&trace] {
        START([] { HALT(3); });
        Scheduler::instance().waitUntil([] { return false; });
    });
    EXPECT_EQ(runToEnd(), 3);
    EXPECT_EQ(trace.back(), "finish a");
    EXPECT_EQ(Scheduler::instance().fiberCount(), 0u);
}

// What comes after the run (the next test) meets the layer's own box with its own captions.
TEST(ProgramRun, ARunTakesItsMessageHookAndLocaleAwayWhenItEnds) {
    Trace trace;
    startProgram(tracedModules(trace), [] {
        setMessageHookValue(registerMessageHook([](auto&&...) { return Long{1}; }));
        LOCALE("CLABUTTON", "Goed");
    });
    EXPECT_EQ(runToEnd(), 0);
    EXPECT_EQ(messageHookValue(), 0);
    START([] { MESSAGE("After the run"); });
    drive::settle();
    EXPECT_EQ(drive::messageText(), "After the run");
    EXPECT_TRUE(drive::answerMessage("&OK"));
    drive::settle();
}

TEST(ProgramRun, StopOffersToEndTheProgram) {
    for (const char* answer : {"&Go on", "&Abort program"}) {
        SCOPED_TRACE(answer);
        Trace trace;
        startProgram(tracedModules(trace), [&trace] {
            STOP("Something failed");
            trace.push_back("went on");
        });
        drive::settle();
        EXPECT_EQ(drive::messageText(), "Something failed");
        drive::answerMessage(answer);
        const bool goOn = std::string(answer) == "&Go on";
        EXPECT_EQ(runToEnd(), goOn ? 0 : 1);
        EXPECT_EQ(std::count(trace.begin(), trace.end(), "went on"), goOn ? 1 : 0);
    }
}
