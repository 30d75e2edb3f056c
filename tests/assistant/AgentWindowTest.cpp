// The assistant's character commands against the engine's trace lines: the
// agent window thread, the request ring and its pause, a missing character
// and the agent after Kill.
#include "assistant/AgentEvents.h"
#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"
#include "support/TempFolder.h"

#include "platform/agent/CharacterEngine.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"

#include <gtest/gtest.h>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace platform;
using namespace std::chrono_literals;

namespace {

using Lines = std::vector<std::string>;

class AgentWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
        MentavoModuleInit(0);
        assistant.Construct();
        engine.setTrace(true);
        engine.clearTrace();
    }
    void TearDown() override {
        while (drive::answerMessage("OK")) drive::settle();
        assistant.AGENTPAUZE = 0;
        onThread([this] { assistant.Destruct(); });
        engine.unload(AGENT::DefaultCharacter);
        engine.setTrace(false);
        engine.clearTrace();
        Clock::useReal();
        MentavoModuleInit(1);
        std::filesystem::current_path(previousFolder_);
    }

    // Runs the calls on a thread of their own, as a window would, to their end.
    void onThread(std::function<void()> calls) {
        const auto done = std::make_shared<bool>(false);  // outlives a wait that gave up
        START([calls, done] {
            calls();
            *done = true;
        });
        ASSERT_TRUE(Scheduler::instance().pumpUntil([&] { return *done; }, 10s));
        drive::settle();
    }
    // The agent running with its character loaded and its settings read; the
    // load's lines are cleared.
    void startAgent() {
        onThread([this] {
            assistant.LoadSettings();
            assistant.Init();
        });
        ASSERT_EQ(assistant.AGENTLOADED, 1);
        engine.clearTrace();
    }
    Lines linesOf(const std::function<void()>& calls) {
        engine.clearTrace();
        onThread(calls);
        return engine.traceLines();
    }
    static Window* agentWindow() {
        for (Window* w : Window::openWindows())
            if (w->spec().label == "P22$AGENTWINDOW") return w;
        return nullptr;
    }
    static std::string merlinFile() { return agent::CharacterEngine::instance().characterFile("Merlin"); }

    TempFolder folder;
    AssistantClass assistant;
    agent::CharacterEngine& engine = agent::CharacterEngine::instance();

private:
    std::filesystem::path previousFolder_;
};

TEST_F(AgentWindowTest, TheLoadSetsTheLanguageAndTheSpeechSpeed) {
    for (Byte speed : {0, 120}) {
        SCOPED_TRACE(speed);
        AssistantClass fresh;
        fresh.Construct();
        const Lines lines = linesOf([&] {
            fresh.LoadSettings();
            fresh.SPEAKSPEED = speed;
            fresh.Init();
        });
        const std::string rest = speed ? "\\Rst\\\\spd=120\\" : "\\Rst\\";
        EXPECT_EQ(lines, (Lines{"Load Merlin \"" + merlinFile() + "\"", "LanguageID Merlin 1043",
                                "Speak Merlin \"" + rest + "\""}));
        EXPECT_EQ(fresh.AGENTLOADED, 1);
        EXPECT_EQ(fresh.AGENTSERVER.str(), "Tabloom.CharacterEngine");
        EXPECT_EQ(fresh.WIDTH, engine.width("Merlin"));
        EXPECT_EQ(fresh.HEIGHT, engine.height("Merlin"));
        const Window* agent = agentWindow();
        ASSERT_NE(agent, nullptr);
        EXPECT_EQ(agent->thread(), fresh.AGENTWINDOWTHREAD);
        EXPECT_EQ(agent->numberProperty(0, PROP::Hide), 1) << "never shown";
        EXPECT_EQ(agent->numberProperty(agent->equate("?AGENTOLECONTROL"), PROP::Type), CREATE::ole);
        onThread([&] { fresh.Kill(); });
        MentavoModuleInit(1);
        EXPECT_EQ(agentWindow(), nullptr);
        EXPECT_EQ(fresh.INITIALIZED, 0);
        EXPECT_FALSE(engine.loaded("Merlin"));
    }
}

TEST_F(AgentWindowTest, EachCommandIsItsEngineCall) {
    startAgent();
    struct Case {
        const char* what;
        std::function<void(AssistantClass&)> command;
        Lines lines;
    };
    const std::vector<Case> cases = {
        {"show fast", [](auto& a) { a.Show(1); }, {"Show Merlin 1"}},
        {"hide", [](auto& a) { a.Hide(0); }, {"Hide Merlin 0"}},
        {"own pace", [](auto& a) { a.MoveTo(10, 20, -1); }, {"MoveTo Merlin 10 20"}},
        {"speed 0", [](auto& a) { a.MoveTo(10, 20, 0); }, {"MoveTo Merlin 10 20 0"}},
        {"clamped",
         [](auto& a) {
             a.ASSISTENTBINNENBUREAUBLAD = 1;
             a.MoveTo(-5, -7, 300);
         },
         {"MoveTo Merlin 0 0 300"}},
        {"clamped at the far edges",
         [](auto& a) {
             a.ASSISTENTBINNENBUREAUBLAD = 1;
             a.DESKTOPPLACEMENT = {0, 0, 800, 600};
             a.WIDTH = 100;
             a.HEIGHT = 50;
             a.MoveTo(900, 700, 300);
         },
         {"MoveTo Merlin 700 550 300"}},
        {"unclamped",
         [](auto& a) {
             a.ASSISTENTBINNENBUREAUBLAD = 0;
             a.MoveTo(-5, -7, 300);
         },
         {"MoveTo Merlin -5 -7 300"}},
        {"gesture", [](auto& a) { a.GestureAt(30, 40); }, {"GestureAt Merlin 30 40"}},
        {"play keeps its blanks", [](auto& a) { a.Play("Wave  "); }, {"Play Merlin \"Wave  \""}},
        {"think", [](auto& a) { a.Think("Hmm  "); }, {"Think Merlin \"Hmm\""}},
        {"stop all, then rest", [](auto& a) { a.StopAll(""); }, {"StopAll Merlin \"\"", "Play Merlin \"RestPose\""}},
        {"stop moves", [](auto& a) { a.StopAll("Move"); }, {"StopAll Merlin \"Move\""}},
        {"without voice",
         [](auto& a) {
             a.NOVOICE = 1;
             a.Speak("Hallo");
         },
         {"Speak Merlin \"\\Vol=1\\{CR}Hallo\""}},
        {"delay, one line",
         [](auto& a) {
             a.SPEAKDELAY = 10;
             a.Speak("abc");
         },
         {"Speak Merlin \"abc\""}},
        {"delay, three lines",
         [](auto& a) {
             a.SPEAKDELAY = 10;
             a.Speak("abc\r\ndefgh\r\nij");
         },
         {"Speak Merlin \"abc\\Pau=40\\{CR}defgh\\Pau=70\\{CR}ij\""}},
        {"sizes", [](auto& a) { a.SetSize(60, 40); }, {"Height Merlin 60", "Width Merlin 40"}},
        {"width alone", [](auto& a) { a.SetSize(0, 40); }, {"Width Merlin 40"}},
        {"activate", [](auto& a) { a.Activate(2); }, {"Activate Merlin 2"}},
        {"wait for a request", [](auto& a) { a.Wait("12  "); }, {"Wait Merlin 12"}},
        {"wait", [](auto& a) { a.Wait(); }, {"Wait Merlin"}},
        {"interrupt", [](auto& a) { a.Interrupt("12"); }, {"Interrupt Merlin 12"}},
        {"stop the running one", [](auto& a) { a.Stop(); }, {"Stop Merlin"}},
        {"properties", [](auto& a) { a.ShowDefaultCharacterProperties(); }, {"ShowDefaultCharacterProperties"}},
    };
    for (const Case& c : cases) {
        assistant.NOVOICE = assistant.SPEAKDELAY = 0;
        EXPECT_EQ(linesOf([&] { c.command(assistant); }), c.lines) << c.what;
        EXPECT_EQ(assistant.BUFFERAGENTEVENTQUE->records(), 0u) << c.what << ": carried out";
        EXPECT_EQ(assistant.REQUESTSINBUFFER, 0) << c.what;
    }
}

TEST_F(AgentWindowTest, ASlotKeepsItsRequestAndVisibleFollowsShowAndHide) {
    startAgent();
    EXPECT_EQ(assistant.IsVisible(), 0);
    onThread([this] {
        assistant.Show(0);
        assistant.Speak("Hallo");
    });
    EXPECT_EQ(assistant.IsVisible(), 1);
    const BUFFERAGENTEVENTRecord& slot = assistant.BUFFERAGENTEVENT[0];
    EXPECT_EQ(slot.EVENT, 504);
    EXPECT_EQ(slot.DONE, 1);
    EXPECT_EQ(slot.REQUEST.str(), assistant.AGENTREQUEST.str());
    EXPECT_NE(leadingNumber(slot.REQUEST.view()), 0);
    onThread([this] { assistant.Hide(1); });
    EXPECT_EQ(assistant.IsVisible(), 0);
    EXPECT_EQ(assistant.FASTANIMATIONS, 0) << "the fast flag serves once";

    assistant.ASSISTENTBINNENBUREAUBLAD = 1;
    onThread([this] { assistant.MoveTo(-5, 20, 0); });
    EXPECT_EQ(assistant.BUFFERAGENTEVENT[1].XPOS, 0) << "the clamp is written back";
}

// A file that is there but no character still counts as loaded: the commands
// go on to the engine, which has nothing to do them on.
TEST_F(AgentWindowTest, ACharacterFileThatDoesNotLoadLeavesTheAgentLoaded) {
    startAgent();
    writeBytes(folder.path() / "Bad.tchar", "no database");
    const Lines lines = linesOf([this] {
        assistant.UnloadCharacter();
        assistant.LoadCharacter(folder.file("Bad.tchar"), "Bad");
        assistant.Show(0);
    });
    EXPECT_EQ(lines, (Lines{"Unload Merlin", "Load Bad \"" + folder.file("Bad.tchar") + "\"", "LanguageID Bad 1043",
                            "Speak Bad \"\\Rst\\\"", "Show Bad 0"}));
    EXPECT_EQ(assistant.AGENTLOADED, 1);
    EXPECT_FALSE(engine.loaded("Bad"));
}

// The corner code says which corner of the character lands on the point;
// any other code centres it, the halves truncated toward zero.
TEST_F(AgentWindowTest, AWindowPointBecomesAScreenPointPerCorner) {
    startAgent();
    assistant.ASSISTENTBINNENBUREAUBLAD = 0;
    assistant.WIDTH = 101;
    assistant.HEIGHT = 61;
    const struct {
        const char* corner;
        Long dx, dy;
    } corners[] = {{"RB", -101, 0}, {"LO", 0, -61}, {"RO", -101, -61}, {"LB", -51, -31}, {"MM", -51, -31}};
    for (const auto& c : corners) {
        SCOPED_TRACE(c.corner);
        Long x = 0, y = 0;
        const Lines lines = linesOf([&] {
            Window window({.title = "Target", .at = {100, 80, 200, 100}, .pixels = true});
            window.open();
            window.setProperty(0, PROP::Pixels, 1);
            WINDOWPLACEMENT placement;
            ASSERT_TRUE(GetWindowPlacement(window.handle(), placement));
            const RECT& r = placement.rcNormalPosition;
            x = r.left + 50 * (r.right - r.left) / 200 + c.dx;
            y = r.top + 40 * (r.bottom - r.top) / 100 + c.dy;
            assistant.MoveToClarionPos(50, 40, 0, c.corner);
            window.close();
        });
        EXPECT_EQ(lines, Lines{"MoveTo Merlin " + std::to_string(x) + " " + std::to_string(y) + " 0"});
    }
}

TEST_F(AgentWindowTest, TwoHundredFiftyRequestsAtOnceRunAllInOrder) {
    startAgent();
    Lines expected;
    const Lines lines = linesOf([&] {
        for (int i = 1; i <= 250; ++i) {
            if (i % 2) {
                assistant.Speak("Zin " + std::to_string(i));
                expected.push_back("Speak Merlin \"Zin " + std::to_string(i) + "\"");
            } else {
                assistant.MoveTo(i, 2 * i, 100);
                expected.push_back("MoveTo Merlin " + std::to_string(i) + " " + std::to_string(2 * i) + " 100");
            }
        }
    });
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(assistant.BUFFERAGENTEVENTQUE->records(), 0u);
    EXPECT_EQ(assistant.BUFFERPOS, 51);
    EXPECT_EQ(assistant.BUFFERINDEX, 51);
}

// During a pause the requests wait in the ring and its queue; the position
// is still answered. Once the pause ends they run in order, each speech with
// its own text, and before any later request.
TEST_F(AgentWindowTest, RequestsPostedInAPauseRunInOrderOnceItEnds) {
    startAgent();
    Clock::useFake();
    assistant.AGENTPAUZE = 1;
    Lines expected;
    Long left = -1;
    const Lines during = linesOf([&] {
        for (int i = 1; i <= 30; ++i) {
            if (i % 3) {
                assistant.Speak("Zin " + std::to_string(i));
                expected.push_back("Speak Merlin \"Zin " + std::to_string(i) + "\"");
            } else {
                assistant.MoveToClarionPos(i, i, 0, "RB");
                expected.push_back("MoveTo Merlin ");
            }
        }
        left = assistant.GetLeft();
    });
    EXPECT_EQ(during, Lines{});
    EXPECT_EQ(left, engine.left("Merlin"));
    ASSERT_EQ(assistant.BUFFERAGENTEVENTQUE->records(), 30u);
    EXPECT_EQ(assistant.BUFFERAGENTEVENTQUE->at(3).REQUEST.str(), "MoveToClarionPos");
    EXPECT_EQ(assistant.BUFFERAGENTEVENTQUE->at(1).REQUEST.str(), "Speak");

    assistant.AGENTPAUZE = 0;
    engine.clearTrace();
    Clock::advance(200ms);
    drive::settle();
    const Lines after = engine.traceLines();
    ASSERT_EQ(after.size(), expected.size());
    for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i].rfind(expected[i], 0), 0u) << after[i];
    EXPECT_EQ(assistant.BUFFERAGENTEVENTQUE->records(), 0u);
    EXPECT_EQ(linesOf([this] { assistant.Speak("Daarna"); }), Lines{"Speak Merlin \"Daarna\""})
        << "nothing left behind";
}

TEST_F(AgentWindowTest, AFullRingMakesTheProducerWait) {
    startAgent();
    assistant.AGENTPAUZE = 1;
    int written = 0;
    START([&] {
        for (int i = 1; i <= 101; ++i) {
            assistant.Play("Wave");
            written = i;
        }
    });
    drive::settle();
    EXPECT_EQ(written, 100);
    EXPECT_EQ(assistant.REQUESTSINBUFFER, 100);
    engine.clearTrace();
    onThread([this] {
        assistant.AGENTPAUZE = 0;
        assistant.Show(0);
    });
    ASSERT_TRUE(Scheduler::instance().pumpUntil([&] { return written == 101; }, 10s));
    drive::settle();
    const Lines lines = engine.traceLines();
    ASSERT_EQ(lines.size(), 102u);
    EXPECT_EQ(lines[100], "Show Merlin 0") << "the held requests go first";
    EXPECT_EQ(lines[101], "Play Merlin \"Wave\"");
}

std::string missing(const std::string& file, const std::string& name, const std::string& where) {
    return "The Microft Agent file " + file + " for the agent " + name +
           " can not be found!|Microsoft agents will be unavaible (" + where + ")!";
}

TEST_F(AgentWindowTest, AMissingCharacterSaysSoOnceAndTheCommandsKeepSilent) {
    onThread([this] {
        assistant.LoadSettings();
        assistant.PutSetting("Nobody", "~MSAgent.Character");
    });
    AssistantClass fresh;  // reads the settings afresh
    fresh.Construct();
    MentavoModuleInit(1);
    bool started = false;
    START([&] {
        fresh.Init();
        started = true;
    });
    drive::settle();
    const std::string file = engine.characterFile("Nobody");
    EXPECT_EQ(drive::messageText(), missing(file, "Nobody", "Set"));
    drive::answerMessage("OK");
    drive::settle();
    ASSERT_TRUE(started);
    EXPECT_EQ(fresh.AGENTLOADED, 0);
    EXPECT_EQ(fresh.AGENTFILENAME.str(), "");

    fresh.XPOS = 7;
    Long left = -1;
    const Lines later = linesOf([&] {
        fresh.Show(0);
        fresh.Speak("Hallo");
        left = fresh.GetLeft();
    });
    EXPECT_EQ(later, Lines{});
    EXPECT_EQ(left, 0);
    EXPECT_EQ(fresh.XPOS, 7) << "nothing asked";
    EXPECT_EQ(drive::messageText(), "");

    START([&] { fresh.LoadCharacter(folder.file("Gone.tchar"), "Gone"); });
    drive::settle();
    EXPECT_EQ(drive::messageText(), missing(folder.file("Gone.tchar"), "Gone", "LOAD"));
    drive::answerMessage("OK");
    drive::settle();

    START([&] { fresh.SetCharacter("", "../x"); });
    drive::settle();
    EXPECT_EQ(drive::messageText(), missing("", "../x", "Set")) << "a name is a file name, never a path";
    drive::answerMessage("OK");
    drive::settle();
    EXPECT_EQ(fresh.AGENTLOADED, 0);
    onThread([&] { fresh.Kill(); });
}

// Kill ends the agent even in a pause; after it the commands return at once
// and start nothing.
TEST_F(AgentWindowTest, AfterKillTheCommandsDoNothing) {
    startAgent();
    const int agentThread = assistant.AGENTWINDOWTHREAD;
    assistant.AGENTPAUZE = 1;
    onThread([this] { assistant.Kill(); });
    EXPECT_EQ(assistant.INITIALIZED, 0);
    EXPECT_EQ(assistant.AGENTLOADED, 0);
    EXPECT_FALSE(engine.loaded("Merlin"));
    assistant.AGENTPAUZE = 0;
    const std::size_t windows = Window::openWindows().size();
    Long left = -1;
    const Lines lines = linesOf([&] {
        assistant.Show(0);
        assistant.Speak("Hallo");
        assistant.LoadCharacter("", "Merlin");
        assistant.UnloadCharacter();
        left = assistant.GetLeft();
        assistant.Kill();
    });
    EXPECT_EQ(lines, Lines{});
    EXPECT_EQ(left, 0);
    EXPECT_EQ(assistant.INITIALIZED, 0);
    EXPECT_EQ(assistant.AGENTWINDOWTHREAD, agentThread);
    EXPECT_EQ(Window::openWindows().size(), windows);
    EXPECT_EQ(agentWindow(), nullptr);
}

}  // namespace
