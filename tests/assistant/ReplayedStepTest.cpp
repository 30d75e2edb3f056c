// Steps that replay recorded events: in the window of the procedure that
// recorded them, opened on its own thread meanwhile; skipped or timed out
// when that window is not there; and a playback that keeps its own rows and
// its own thread field while others use the steps file.
#include "SubjectFixture.h"

#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"

using namespace platform;
using namespace std::chrono_literals;

namespace {

constexpr Short kNoPosition = -32768;

// The frame of "Main": its menu item opens the procedure "Verbinding" on a
// thread of its own.
class ConnectFrame : public WindowProcedure {
public:
    explicit ConnectFrame(Trace& trace)
        : WindowProcedure("Main",
                          {.type = CREATE::application, .label = "P1$APPFRAME", .title = "Main",
                           .at = {20, 20, 400, 260}, .pixels = true,
                           .menubar = {{.type = CREATE::menu, .label = "?FileMenu", .text = "&File", .children = {
                                            {.type = CREATE::item, .label = "?ConnectItem",
                                             .text = "Choose ODBC connection  F2"}}}}},
                          ""),
          trace_(&trace) {}
    Byte TakeAccepted() override {
        if (window().field() == equate("?ConnectItem"))
            START([trace = trace_] {
                ProbeProcedure(*trace, {.procedure = "Verbinding", .title = "Verbinding"}).call();
            });
        return WindowProcedure::TakeAccepted();
    }

private:
    Trace* trace_;
};

class ReplayedStepTest : public SubjectFixture {
protected:
    static void addReplay(const std::string& subject, Long step, const std::string& procedure, Long event,
                          Long control, const std::string& text = {}) {
        addRow("Main", subject, step, [&](AGNTFILERecord& r) {
            r.EVENTPROCEDURE = procedure;
            r.EVENT = event;
            r.CONTROL = control;
            r.POSITIONX = r.POSITIONY = kNoPosition;
            r.SPEAK = text;
        });
    }
    static void addSpeech(const std::string& subject, Long step, const std::string& text) {
        addRow("Main", subject, step, [&](AGNTFILERecord& r) { r.SPEAK = text; });
    }
    // The subject played on a thread of its own, as F12 starts it.
    void startPlaying(const std::string& subject) {
        playing_ = START([this, subject] { assistant.PlaySubject("Main", subject); });
        drive::settle();
    }
    bool playing() const { return Scheduler::instance().alive(playing_); }

private:
    int playing_ = 0;
};

}  // namespace

TEST_F(ReplayedStepTest, RecordedStepsOpenAWindowOnItsThreadAndTypeIntoIt) {
    START([this] { ConnectFrame(trace).call(); });
    Window* frame = drive::waitForWindow("Main");
    ASSERT_NE(frame, nullptr);
    const Long name = 1;  // the probe's entry, its first control
    addRow("Main", "Verbinden", 0);
    addReplay("Verbinden", 1, "Main", EVENT::Accepted, frame->equate("?ConnectItem"));
    addReplay("Verbinden", 2, "Verbinding", EVENT::Accepted, name, "DSN=Demo");
    addSpeech("Verbinden", 3, "Klaar");
    assistant.PLAYCONTROLWINDOWTHREAD = 7;
    takeLines();
    drive::pressKey(*frame, KEY::F12);
    Scheduler::instance().pumpUntil([this] { return !trace.only({"Verbinding.Accepted"}).empty(); }, 10s);
    drive::settle();

    Window* connection = drive::window("Verbinding");
    ASSERT_NE(connection, nullptr);
    EXPECT_NE(connection->thread(), frame->thread()) << "opened on its own thread";
    EXPECT_EQ(connection->property(name, PROP::ScreenText), "DSN=Demo");
    EXPECT_EQ(trace.only({"Verbinding.Accepted"}), Calls{withNumber("Verbinding.Accepted", name)});
    const Lines lines = takeLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), speakLine("Klaar"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Wait Merlin"), 2) << "the character done before each replay";
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(assistant.PLAYCONTROLWINDOWTHREAD, 7) << "the play control keeps its thread";
    EXPECT_NE(assistant.PLAYSUBJECTTHREAD, 0);
    EXPECT_EQ(assistant.PLAYBACKEVENTS, 0);
}

TEST_F(ReplayedStepTest, ClosingAWindowThatIsNotOpenIsSkippedAtOnce) {
    addRow("Main", "Sluiten", 0);
    addReplay("Sluiten", 1, "Weg", EVENT::CloseWindow, 0);
    addSpeech("Sluiten", 2, "Daarna");
    const Long before = CLOCK();
    startPlaying("Sluiten");
    EXPECT_FALSE(playing());
    EXPECT_EQ(spoken(), Lines{speakLine("Daarna")});
    EXPECT_EQ(CLOCK(), before);
    EXPECT_EQ(drive::messageText(), "");
}

// Meanwhile F12 in another window walks the steps file and leaves its buffer
// on another subject: the playback goes on with its own rows.
TEST_F(ReplayedStepTest, AWindowThatNeverOpensOrNeverReplaysTimesOutAndThePlaybackGoesOn) {
    addRow("Main", "Wachten", 0);
    addReplay("Wachten", 1, "Nooit", EVENT::Accepted, 1);
    addReplay("Wachten", 2, "Doof", EVENT::Accepted, 1);
    addSpeech("Wachten", 3, "Daarna");
    for (const char* subject : {"Een", "Twee"}) addSpokenSubject("Other", subject);
    assistant.PROCEDURETHREADQUEUE->rec.PROCEDURENAME = "Doof";  // a window that takes no replays
    assistant.PROCEDURETHREADQUEUE->rec.THREAD = static_cast<Byte>(probe->window().thread());
    assistant.PROCEDURETHREADQUEUE->add();
    Window& other = openProcedure("Other");
    takeLines();

    startPlaying("Wachten");
    drive::pressKey(other, KEY::F12);
    ASSERT_NE(chooser(), nullptr);
    drive::click(*chooser(), "?CANCELBUTTON");
    AGNTFILE.rec.ONDERWERP = "Twee";
    advance(999);
    EXPECT_EQ(drive::messageText(), "") << "not before ten seconds";
    advance(1);
    EXPECT_EQ(drive::messageText(), "Timeout!|VensterNooit is niet geopend!|Kan gebeurtenis niet afspelen...|Accepted");
    drive::answerMessage("OK");
    drive::settle();
    advance(1000);
    EXPECT_EQ(drive::messageText(),
              "Muis Timeout!|Een gebeurtenis op vensterDoof kan niet afgespeeld worden...|Accepted");
    drive::answerMessage("OK");
    drive::settle();
    EXPECT_EQ(spoken(), Lines{speakLine("Daarna")}) << "its own next step, no other subject";
    EXPECT_FALSE(playing());
    EXPECT_EQ(assistant.PLAYBACKEVENTS, 0);
}
