// What the assistant makes of a window's events by its state (playback, the
// recorder, the button), the thread it keeps for each procedure, and the
// main frame's origin on the screen.
#include "AssistantFixture.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"

using namespace platform;

namespace {

class WindowEventsTest : public AssistantFixture {
protected:
    void SetUp() override {
        AssistantFixture::SetUp();
        loadSettings();
    }
    Byte threadRow(const std::string& procedure) {
        assistant.PROCEDURETHREADQUEUE->rec.PROCEDURENAME = procedure;
        return assistant.PROCEDURETHREADQUEUE->get({{"PROCEDURENAME"}}) ? assistant.PROCEDURETHREADQUEUE->rec.THREAD
                                                                          : 255;
    }
    static void post(Window& w, Long event, Long control = 0) {
        POST(event, control, w.thread());
        drive::settle();
    }
};

struct FakeClock {
    explicit FakeClock(Long hundredths) { Clock::useFake(hundredths); }
    ~FakeClock() { Clock::useReal(); }
};

// An application frame that tells the assistant its handle when it opens,
// as the main frame does; maximised first when asked.
class FrameProbe : public WindowProcedure {
public:
    explicit FrameProbe(bool maximised)
        : WindowProcedure("Main",
                          {.type = CREATE::application, .label = "P1$APPFRAME", .title = "Frame probe",
                           .at = {37, 41, 400, 260}, .pixels = true, .resizable = true, .maximizeBox = true},
                          ""),
          maximised_(maximised) {}
    Byte TakeWindowEvent() override {
        if (window().event() == EVENT::OpenWindow) assistant().TakeApplicationWindow(handle());
        return WindowProcedure::TakeWindowEvent();
    }

protected:
    void setUp() override {
        if (maximised_) window().setProperty(0, PROP::Maximize, 1);
    }

private:
    bool maximised_;
};

}  // namespace

TEST_F(WindowEventsTest, DuringPlaybackOnlyTheReplayEventCountsAndItMakesThisWindowCurrent) {
    addStep("Probe", "Inloggen", 0);
    Window& w = openProbe();
    assistant.PLAYBACKEVENTS = 1;
    assistant.ACTIVATERECORDEVENTS = 1;
    assistant.PROCEDURENAME = "Elders";
    trace.calls.clear();
    post(w, EVENT::NewSelection, w.equate("?Name"));
    drive::click(w, assistantButton(w));
    EXPECT_EQ(trace.only({"ReplayEvent", "RecordEvent", "KiesOnderwerp"}), Calls{});
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, 1);

    assistant.awaitedReplay = 7;
    post(w, EVENT_ReplayRecorded, 6);
    post(w, EVENT_ReplayRecorded, 0);
    EXPECT_EQ(trace.only({"ReplayEvent", "RecordEvent"}), Calls{}) << "only the awaited replay counts";
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, 1);
    post(w, EVENT_ReplayRecorded, 7);
    EXPECT_EQ(trace.only({"ReplayEvent", "RecordEvent"}), Calls{withNumber("ReplayEvent Probe", EVENT_ReplayRecorded)});
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, 0);
    EXPECT_EQ(assistant.PROCEDURENAME.view(), "Probe");
    EXPECT_EQ(assistant.PROCEDUREWINDOWHANDLE, w.handle());
    EXPECT_EQ(assistant.WINDOWPOSX, 30) << "the window's corner on the screen";
    EXPECT_EQ(assistant.WINDOWPOSY, 40);
}

TEST_F(WindowEventsTest, TheRecorderStartsAtTheNextEventAndLeavesFocusSuspendAndResumeOut) {
    const FakeClock clock(4200000);
    Window& w = openProbe({.resizable = false});
    assistant.ACTIVATERECORDEVENTS = 2;
    Clock::advance(std::chrono::milliseconds(1230));
    trace.calls.clear();
    post(w, EVENT::Resume);
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, 1);
    EXPECT_EQ(assistant.EVENTTIME, CLOCK()) << "the recorder's timer starts";
    EXPECT_EQ(w.numberProperty(0, PROP::Imm), 1);

    for (Long event : {EVENT::LoseFocus, EVENT::GainFocus, EVENT::Suspend, EVENT::Resume, EVENT::NewSelection,
                       EVENT::Moved, EVENT::Timer})
        post(w, event);
    EXPECT_EQ(trace.only({"RecordEvent"}),
              (Calls{withNumber("RecordEvent Probe", EVENT::NewSelection), withNumber("RecordEvent Probe", EVENT::Moved),
                     withNumber("RecordEvent Probe", EVENT::Timer)}));
}

TEST_F(WindowEventsTest, AFinishedRecordingOpensTheTrainingWindowOnceAtTheNextEvent) {
    Window& w = openProbe();
    assistant.ACTIVATERECORDEVENTS = 3;
    trace.calls.clear();
    post(w, EVENT::Resume);
    post(w, EVENT::Resume);
    EXPECT_EQ(trace.only({"Train", "RecordEvent"}), Calls{"Train Probe"});
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, 0);
}

TEST_F(WindowEventsTest, EachProcedureKeepsTheThreadOfItsOpenWindowAndZeroOnceItCloses) {
    for (Byte initialized : {0, 1}) {
        SCOPED_TRACE(initialized);
        assistant.INITIALIZED = initialized;
        trace.calls.clear();
        Window& first = openProbe();
        const int firstThread = first.thread();
        EXPECT_EQ(threadRow("Probe"), firstThread);
        closeWindow(first);
        EXPECT_EQ(threadRow("Probe"), 0);
        EXPECT_EQ(trace.only({"StopAll", "Hide"}), initialized ? (Calls{"StopAll ''", "Hide 0"}) : Calls{})
            << "the character stops and hides only when it runs";

        Window& other = openProbe({.procedure = "Other", .title = "Other"});  // takes the free thread
        Window& again = openProbe();
        EXPECT_NE(again.thread(), firstThread);
        EXPECT_EQ(threadRow("Probe"), again.thread());
        closeWindow(again);
        closeWindow(other);
    }
    EXPECT_EQ(assistant.PROCEDURETHREADQUEUE->records(), 2u) << "one row per procedure";
    assistant.TakeWindowClosed("Never");
    EXPECT_EQ(threadRow("Never"), 0);
    assistant.INITIALIZED = 0;  // no agent ever ran: nothing for Kill to end
}

TEST_F(WindowEventsTest, TheFramesOriginIsItsRestoredCornerOrZeroWhenMaximised) {
    for (bool maximised : {false, true}) {
        SCOPED_TRACE(maximised);
        assistant.APPLICATIONPOSX = assistant.APPLICATIONPOSY = -1;
        START([maximised] { FrameProbe(maximised).call(); });
        Window* frame = drive::waitForWindow("Frame probe");
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(assistant.ACTIVEWINDOW, frame->handle());
        EXPECT_EQ(assistant.WINDOWPLACEMENT.LENGTH, 44);
        EXPECT_EQ(assistant.WINDOWPLACEMENT.SHOWCMD, maximised ? 3 : 1);
        EXPECT_EQ(assistant.WINDOWPLACEMENT.RCNORMALPOSITION.LEFT, 37);
        EXPECT_EQ(assistant.APPLICATIONPOSX, maximised ? 0 : 37);
        EXPECT_EQ(assistant.APPLICATIONPOSY, maximised ? 0 : 41);
        closeWindow(*frame);
    }
    assistant.TakeApplicationWindow(0x7654321);
    EXPECT_EQ(assistant.APPLICATIONPOSX, 0) << "no window has that handle";
    EXPECT_EQ(assistant.APPLICATIONPOSY, 0);
}
