// The recording window: starting and stopping, the list, playing the rows
// back through the windows, and storing them as steps when it closes.
#include "AssistantFixture.h"

#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/odbc/FileProperties.h"
#include "platform/system/Errors.h"

#include <cstdint>

using namespace platform;
using namespace std::chrono_literals;

namespace {

constexpr const char* kTitle = "Gebeurtenis(sen) opnemen";
constexpr Long kNoPosition = -32768;

class WatchEventsTest : public AssistantFixture {
protected:
    void SetUp() override {
        AssistantFixture::SetUp();
        Clock::useFake(10'000);
        loadSettings();
        assistant.recorderWorks = true;
        assistant.INITIALIZED = 1;  // as if the agent ran: the window needs no character
    }
    void TearDown() override {
        if (recorder_) closeRecorder("Nee");
        if (!agentStarted_) assistant.INITIALIZED = 0;  // no agent window to end
        AssistantFixture::TearDown();
        Clock::useReal();
    }
    Window& openRecorder() {
        // Started as the training window starts it: the object's address as text.
        const std::string address = std::to_string(reinterpret_cast<std::uintptr_t>(&assistant));
        assistant.EVENTWINDOWTHREAD = START([address] { AssistantClass::WatchEventsThread(address); });
        recorder_ = drive::waitForWindow(kTitle);
        if (!recorder_) throw std::runtime_error("the recording window did not open");
        return *recorder_;
    }
    // "Sluiten", and the answer to the question to store the rows, if asked.
    void closeRecorder(const std::string& answer) {
        drive::click(*recorder_, "?CLOSEBUTTON");
        if (drive::messageText() == "Gebeurtenissen opslaan?") drive::answerMessage(answer);
        drive::settle();
        recorder_ = nullptr;
    }
    void addRow(const std::string& procedure, Long event, Long control, Long time = 0, const std::string& value = {}) {
        auto& q = *assistant.EVENTQUEUE;
        q.rec.PROCEDURENAME = procedure;
        q.rec.EVENT = event;
        q.rec.CONTROL = control;
        q.rec.XPOS = q.rec.YPOS = kNoPosition;
        q.rec.INFO = "info " + std::to_string(q.records() + 1);
        q.rec.VALUE = value;
        q.rec.EVENTTIME = time;
        q.add();
    }
    bool enabled(const char* label) { return drive::property(*recorder_, label, PROP::Disable) != "1"; }
    void setThread(const std::string& procedure, Long thread) {
        assistant.PROCEDURETHREADQUEUE->rec.PROCEDURENAME = procedure;
        assistant.PROCEDURETHREADQUEUE->rec.THREAD = static_cast<Byte>(thread);
        assistant.PROCEDURETHREADQUEUE->add();
    }
    // The steps of the subject, "step:event procedure:speak" each.
    std::vector<std::string> steps(const std::string& procedure, const std::string& subject) {
        std::vector<std::string> found;
        AGNTFILE.rec.PROCEDURENAME = procedure;
        AGNTFILE.rec.ONDERWERP = subject;
        AGNTFILE.rec.STEP = 0;
        AGNTFILE.set(AGNTFILE.KEY_AGF, AGNTFILE.KEY_AGF);
        while (AGNTFILE.next() && AGNTFILE.rec.PROCEDURENAME.view() == procedure &&
               AGNTFILE.rec.ONDERWERP.view() == subject)
            found.push_back(std::to_string(AGNTFILE.rec.STEP) + ":" + AGNTFILE.rec.EVENTPROCEDURE.str() + ":" +
                            AGNTFILE.rec.SPEAK.str());
        return found;
    }
    void addSpoken(const std::string& procedure, const std::string& subject, Long step) {
        addStep(procedure, subject, step);
        AGNTFILE.rec.SPEAK = "old " + std::to_string(step);
        AGNTFILE.put();
    }

    Window* recorder_ = nullptr;
    bool agentStarted_ = false;
};

}  // namespace

TEST_F(WatchEventsTest, StartAndStopRecordingTakeTurnsAndStartWaitsWhileARecordingIsAsked) {
    assistant.ACTIVATERECORDEVENTS = RECORDER::Requested;
    Window& w = openRecorder();
    EXPECT_FALSE(enabled("?STARTRECORDINGBUTTON")) << "a recording is asked for already";
    EXPECT_TRUE(enabled("?STOPRECORDINGBUTTON"));
    drive::click(w, "?STOPRECORDINGBUTTON");
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, RECORDER::Off);
    EXPECT_TRUE(enabled("?STARTRECORDINGBUTTON"));
    EXPECT_FALSE(enabled("?STOPRECORDINGBUTTON"));
    Clock::advance(3s);
    assistant.PLAYBACKEVENTS = 1;
    drive::click(w, "?STARTRECORDINGBUTTON");
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, RECORDER::Requested);
    EXPECT_EQ(assistant.PLAYBACKEVENTS, 0);
    EXPECT_EQ(assistant.EVENTTIME, CLOCK());
    EXPECT_FALSE(enabled("?STARTRECORDINGBUTTON"));
}

TEST_F(WatchEventsTest, TheListFollowsTheRowsAndRowsAreWipedOneOrAll) {
    Window& w = openRecorder();
    for (Long n = 1; n <= 3; ++n) addRow("Probe", EVENT::Accepted, n);
    Clock::advance(300ms);
    drive::settle();
    EXPECT_EQ(drive::property(w, "?EVENTLIST", PROP::Selected), "3") << "the last row is shown";
    drive::chooseRow(w, "?EVENTLIST", 2);
    drive::click(w, "?CLEARTHISEVENTSBUTTON");
    ASSERT_EQ(assistant.EVENTQUEUE->records(), 2u);
    assistant.EVENTQUEUE->get(2);
    EXPECT_EQ(assistant.EVENTQUEUE->rec.CONTROL, 3);
    drive::click(w, "?CLEAREVENTSBUTTON");
    EXPECT_EQ(assistant.EVENTQUEUE->records(), 0u);
    drive::click(w, "?PLAYBACKEVENTSBUTTON");
    EXPECT_EQ(drive::messageText(), "Niets af te spelen!");
    drive::answerMessage("OK");
}

TEST_F(WatchEventsTest, ClosingPutsBackTheProcedureKeepsThePlaceAndHandsOverToTheTrainingWindow) {
    Window& probe = openProbe();
    assistant.PROCEDURENAME = "Probe";
    assistant.ONDERWERP = std::string(50, 's');
    Window& w = openRecorder();
    w.setProperty(0, PROP::Xpos, 77);
    w.setProperty(0, PROP::Ypos, 33);
    assistant.PROCEDURENAME = "Elders";
    assistant.ONDERWERP = "Ander";
    addRow("Probe", EVENT::Accepted, probe.equate("?OkButton"));
    trace.calls.clear();
    closeRecorder("Nee");
    EXPECT_EQ(drive::window(kTitle), nullptr);
    EXPECT_EQ(steps("Probe", std::string(50, 's')), std::vector<std::string>{}) << "Nee stores nothing";
    EXPECT_EQ(assistant.PROCEDURENAME.view(), "Probe");
    EXPECT_EQ(assistant.ONDERWERP.view(), std::string(50, 's')) << "all fifty characters of the subject";
    EXPECT_EQ(assistant.EVENTWINDOWTHREAD, 0);
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, RECORDER::Off) << "the probe took the finished state";
    EXPECT_EQ(trace.only({"Train"}), Calls{"Train Probe"});
    ASSERT_TRUE(readSetting("~WatchEvents.XPos"));
    EXPECT_EQ(clip(AGNTSET.rec.VALUE.view()), "77");

    Window& again = openRecorder();
    EXPECT_EQ(again.numberProperty(0, PROP::Xpos), 77) << "it opens where it closed";
    EXPECT_EQ(again.numberProperty(0, PROP::Ypos), 33);
}

TEST_F(WatchEventsTest, StoredRowsFollowTheCurrentStepAndTheLaterStepsMoveUp) {
    openProbe();
    addStep("Probe", "Inloggen", 0);
    for (Long n = 1; n <= 5; ++n) addSpoken("Probe", "Inloggen", n);
    addSpoken("Probe", "Zoeken", 1);
    assistant.PROCEDURENAME = "Probe";
    assistant.ONDERWERP = "Inloggen";
    assistant.STEPNR = 2;
    openRecorder();
    for (Long n = 1; n <= 3; ++n) addRow(n == 2 ? "Nested" : "Probe", EVENT::Accepted, n, 0, "new " + std::to_string(n));
    closeRecorder("Ja");
    EXPECT_EQ(steps("Probe", "Inloggen"),
              (std::vector<std::string>{"0::", "1::old 1", "2::old 2", "3:Probe:new 1", "4:Nested:new 2", "5:Probe:new 3",
                                        "6::old 3", "7::old 4", "8::old 5"}));
    EXPECT_EQ(steps("Probe", "Zoeken"), std::vector<std::string>{"1::old 1"}) << "another subject stays";
    AGNTFILE.rec.PROCEDURENAME = "Probe";
    AGNTFILE.rec.ONDERWERP = "Inloggen";
    AGNTFILE.rec.STEP = 4;
    ASSERT_TRUE(AGNTFILE.get(AGNTFILE.KEY_AGF));
    EXPECT_EQ(AGNTFILE.rec.EVENT, EVENT::Accepted);
    EXPECT_EQ(AGNTFILE.rec.CONTROL, 2);
    EXPECT_EQ(AGNTFILE.rec.POSITIONX, kNoPosition);
    EXPECT_EQ(AGNTFILE.rec.SPEED, 0);
    EXPECT_EQ(AGNTFILE.rec.ANIMATE.view(), "");
}

TEST_F(WatchEventsTest, RowsStoredIntoASubjectWithoutHeaderGiveItOneNamedAfterTheWindow) {
    openProbe({.title = "Klanten"});
    assistant.PROCEDURENAME = "Probe";
    assistant.ONDERWERP = "Nieuw";
    openRecorder();
    addRow("Probe", EVENT::Accepted, 1, 0, "a");
    closeRecorder("Ja");
    EXPECT_EQ(steps("Probe", "Nieuw"), (std::vector<std::string>{"0::", "1:Probe:a"}));
    AGNTFILE.rec.PROCEDURENAME = "Probe";
    AGNTFILE.rec.ONDERWERP = "Nieuw";
    AGNTFILE.rec.STEP = 0;
    ASSERT_TRUE(AGNTFILE.get(AGNTFILE.KEY_AGF));
    EXPECT_EQ(AGNTFILE.rec.PROCEDUREOMSCHRIJVING.view(), "Klanten");
}

TEST_F(WatchEventsTest, AStepsFileThatRefusesWritesSaysSoForEachRow) {
    addStep("Probe", "Inloggen", 0);
    addSpoken("Probe", "Inloggen", 1);
    addSpoken("Probe", "Inloggen", 2);
    AGNTFILE.close();
    ASSERT_TRUE(AGNTFILE.open(kReadOnly));
    assistant.PROCEDURENAME = "Probe";
    assistant.ONDERWERP = "Inloggen";
    Window& w = openRecorder();
    for (Long n = 1; n <= 3; ++n) addRow("Probe", EVENT::Accepted, n);
    drive::click(w, "?CLOSEBUTTON");
    recorder_ = nullptr;
    ASSERT_TRUE(drive::answerMessage("Ja"));
    std::vector<std::string> said;
    while (drive::messageText().rfind("Add(CreateWatchEvents):", 0) == 0) {
        said.push_back(drive::messageText());
        drive::answerMessage("OK");
    }
    EXPECT_EQ(said.size(), 3u);
    drive::settle();
    EXPECT_EQ(drive::window(kTitle), nullptr) << "and the window closes after all";
    EXPECT_EQ(steps("Probe", "Inloggen"), (std::vector<std::string>{"0::", "1::old 1", "2::old 2"}));
}

TEST_F(WatchEventsTest, PlaybackReplaysEachRowWithItsPausesOrWithout) {
    Window& probe = openProbe();
    const Long ok = probe.equate("?OkButton");
    Window& w = openRecorder();
    addRow("Probe", EVENT::Accepted, ok, 150);
    addRow("Probe", EVENT::Accepted, ok, 150);
    for (const bool timeIndex : {true, false}) {
        if (!timeIndex) drive::click(w, "?GEBRUIKTIJDSINDEX");
        trace.calls.clear();
        const Long start = CLOCK();
        drive::click(w, "?PLAYBACKEVENTSBUTTON");
        drive::settle();
        EXPECT_EQ(trace.only({"Probe.Accepted"}), Calls(2, withNumber("Probe.Accepted", ok)));
        EXPECT_EQ(CLOCK() - start, timeIndex ? 150 : 0) << "the first row never pauses";
        EXPECT_EQ(drive::property(w, "?PLAYBACKEVENTSBUTTON", PROP::Text), "Klaar...");
        EXPECT_EQ(assistant.PLAYBACKEVENTS, 1) << "until recording starts or the window closes";
        EXPECT_EQ(w.numberProperty(0, PROP::Timer), 30);
    }
    EXPECT_EQ(assistant.EVENTQUEUE->records(), 2u) << "the replay recorded nothing";
}

TEST_F(WatchEventsTest, ARowOfAWindowThatNeverOpensEndsThePlaybackOneThatNeverFinishesIsPassed) {
    Window& probe = openProbe();
    const Long ok = probe.equate("?OkButton");
    bool over = false;
    setThread("Stuck", START([&] { Scheduler::instance().waitUntil([&] { return over; }); }));
    Window& w = openRecorder();
    addRow("Gesloten", EVENT::CloseWindow, 0);
    addRow("Stuck", EVENT::Accepted, ok);
    addRow("Probe", EVENT::Accepted, ok);
    addRow("Nergens", EVENT::Accepted, ok);
    addRow("Probe", EVENT::Accepted, ok);
    trace.calls.clear();
    drive::click(w, "?PLAYBACKEVENTSBUTTON");
    Clock::advance(10s);
    drive::settle();
    EXPECT_EQ(drive::messageText(), "Muis Timeout!|Een gebeurtenis op vensterStuck kan niet afgespeeld worden...|info 2");
    drive::answerMessage("OK");
    drive::settle();
    EXPECT_EQ(trace.only({"Probe.Accepted"}), Calls{withNumber("Probe.Accepted", ok)}) << "the next row was played";
    Clock::advance(10s);
    drive::settle();
    EXPECT_EQ(drive::messageText(), "Muis Timeout!|VensterNergens is niet geopend!|Kan gebeurtenis niet afspelen...|info 4");
    drive::answerMessage("OK");
    drive::settle();
    EXPECT_EQ(trace.only({"Probe.Accepted"}).size(), 1u) << "the playback ended there";
    EXPECT_EQ(drive::property(w, "?PLAYBACKEVENTSBUTTON", PROP::Text), "Klaar...");
    over = true;
}

TEST_F(WatchEventsTest, TheWindowStartsTheAgentWhenItDoesNotRunYet) {
    assistant.INITIALIZED = 0;
    agentStarted_ = true;
    openRecorder();
    EXPECT_EQ(assistant.INITIALIZED, 1);
    EXPECT_NE(assistant.AGENTWINDOWTHREAD, 0);
}
