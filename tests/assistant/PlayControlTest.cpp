// The play control in the running program, opened with Shift+F12 over the
// connection window (F2): its place and docking, its list folded in and
// out, the pause it puts on the character, and what it stores.
#include "TrainingFixture.h"

#include "app/main/Globals.h"
#include "assistant/AgntSetFile.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Region.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"

#include <QRegion>
#include <QTableView>

using namespace platform;

namespace {

constexpr Long kPlayControlKey = KEY::Shift + KEY::F12;
constexpr const char* kTitle = "Playcontrol";

class PlayControlTest : public TrainingFixture {
protected:
    Window* playControl() { return drive::window(kTitle); }
    Window& toggle() {
        drive::pressKey(openConnection(), kPlayControlKey);
        Window* w = playControl();
        if (!w) throw std::runtime_error("the play control did not open");
        return *w;
    }
    void closeByKey() {
        drive::pressKey(openConnection(), kPlayControlKey);
        drive::settle();
    }
    static Long docked(Window& w) { return w.numberProperty(0, PROP::Docked); }
    static Long height(Window& w) { return w.numberProperty(0, PROP::Height); }
    // The region's height, in pixels: the whole window's once shaped to it.
    static int regionHeight(Window& w) { return w.region() ? w.region()->qRegion().boundingRect().height() : 0; }
    static int outerHeight(Window& w) {
        RECT at;
        return GetWindowRect(w.handle(), at) ? at.bottom - at.top : -1;
    }
    // Speeches asked on a thread of the program's, as a window asks them.
    static void speak(const std::vector<std::string>& texts) {
        bool done = false;
        START([&] {
            for (const std::string& text : texts) Assistant.Speak(text);
            done = true;
        });
        Scheduler::instance().pumpUntil([&] { return done; });
        drive::settle();
    }
    static std::vector<std::string> speeches(const Lines& lines) {
        std::vector<std::string> found;
        for (const std::string& line : lines)
            if (line.starts_with("Speak ")) found.push_back(line);
        return found;
    }
    void TearDown() override {
        if (playControl()) closeByKey();
        TrainingFixture::TearDown();
    }
};

}  // namespace

TEST_F(PlayControlTest, OpensFloatingAtItsPlaceFoldedAndCurvedAndTheKeyAgainClosesItStoringItsPlace) {
    Window& w = toggle();
    EXPECT_EQ(Assistant.PLAYCONTROLACTIVE, 1);
    EXPECT_EQ(Assistant.PLAYCONTROLINITIALIZED, 1);
    EXPECT_NE(Assistant.PLAYCONTROLWINDOWTHREAD, 0);
    EXPECT_EQ(docked(w), DOCK::Float);
    EXPECT_FALSE(w.view()->docked());
    EXPECT_EQ(w.numberProperty(0, PROP::Xpos), 10);
    EXPECT_EQ(w.numberProperty(0, PROP::Ypos), 10);
    EXPECT_EQ(height(w), 15);
    EXPECT_EQ(w.numberProperty(0, PROP::ToolBox), 1) << "it stays above the others";
    ASSERT_TRUE(w.region().has_value()) << "corners curved";
    EXPECT_EQ(regionHeight(w), outerHeight(w));
    EXPECT_FALSE(w.region()->qRegion().contains(QPoint(0, 0))) << "the corner is cut";

    closeByKey();
    EXPECT_EQ(playControl(), nullptr);
    EXPECT_EQ(Assistant.PLAYCONTROLACTIVE, 0);
    EXPECT_EQ(Assistant.PLAYCONTROLINITIALIZED, 0);
    EXPECT_EQ(setting("~PlayControl.XPos"), "10");
    EXPECT_EQ(setting("~PlayControl.YPos"), "10");
    EXPECT_EQ(setting("~PlayControl.Docked"), "16");
}

TEST_F(PlayControlTest, TheMoveButtonDocksInTurnAlongTheFramesEdgesAndBackToFloating) {
    Window& w = toggle();
    const struct {
        Long from, to;
    } cases[] = {{DOCK::Left, DOCK::Right}, {DOCK::Top, DOCK::Bottom}, {DOCK::Right, DOCK::Float},
                 {DOCK::Bottom, DOCK::Left}, {DOCK::Float, DOCK::Top},  {0, DOCK::Top}};
    for (const auto& c : cases) {
        w.setProperty(0, PROP::Docked, c.from);
        drive::click(w, "?MOVETOOLBOX");
        EXPECT_EQ(docked(w), c.to) << "from " << c.from;
    }

    w.setProperty(0, PROP::Docked, DOCK::Float);
    drive::settle();
    Window& frame = this->frame();
    std::vector<Long> passed;
    for (int press = 0; press < 5; ++press) {
        drive::click(w, "?MOVETOOLBOX");
        passed.push_back(docked(w));
        EXPECT_EQ(w.view()->docked(), docked(w) != DOCK::Float) << docked(w);
        if (docked(w) != DOCK::Float) {
            EXPECT_EQ(w.view()->window(), frame.view()->window()) << "inside the frame";
        }
    }
    EXPECT_EQ(passed, (std::vector<Long>{DOCK::Top, DOCK::Bottom, DOCK::Left, DOCK::Right, DOCK::Float}));
    EXPECT_TRUE(w.view()->isWindow());
}

TEST_F(PlayControlTest, TheListButtonUnfoldsAndFoldsTheRequestsTheRegionFollowing) {
    Window& w = toggle();
    for (Long expected : {141, 15}) {
        drive::click(w, "?SHOWSTEPS");
        EXPECT_EQ(height(w), expected);
        EXPECT_EQ(regionHeight(w), outerHeight(w)) << expected;
    }
    EXPECT_EQ(w.indexedProperty(w.equate("?LIST1"), PROPLIST::Width, 1), "0") << "the event number stays hidden";
}

TEST_F(PlayControlTest, APauseHoldsTheSpeechesInTheListBlinkingUntilResumedThenTheyFollowInOrder) {
    Window& w = toggle();
    const Long pause = w.equate("?PAUZE");
    drive::click(w, "?SHOWSTEPS");
    takeLines();
    drive::click(w, pause);
    EXPECT_EQ(Assistant.AGENTPAUZE, 1);
    speak({"een", "twee", "drie"});
    EXPECT_EQ(speeches(takeLines()), std::vector<std::string>{}) << "held while paused";
    ASSERT_EQ(Assistant.BUFFERAGENTEVENTQUE->records(), 3u);
    EXPECT_EQ(Assistant.BUFFERAGENTEVENTQUE->at(3).STRINGVALUE.str(), "drie");
    auto* list = qobject_cast<QTableView*>(w.view()->widget(w.equate("?LIST1")));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->model()->rowCount(), 3) << "the list shows them";

    for (const char* icon : {"", "~Pauze.ico", ""}) {
        advance(30);
        EXPECT_EQ(w.property(pause, PROP::Icon), icon) << "blinks every 30 hundredths";
    }
    engine.clearTrace();
    const std::string first = Assistant.AGENTNAME.str();
    Assistant.LoadCharacter({}, "Robin");
    drive::settle();
    EXPECT_EQ(Assistant.AGENTNAME.str(), "Robin") << "loading still runs during a pause";
    EXPECT_FALSE(takeLines().empty());

    drive::click(w, pause);
    advance(30);
    EXPECT_EQ(Assistant.AGENTPAUZE, 0);
    EXPECT_EQ(speeches(takeLines()),
              (std::vector<std::string>{"Speak Robin \"een\"", "Speak Robin \"twee\"", "Speak Robin \"drie\""}));
    EXPECT_EQ(Assistant.BUFFERAGENTEVENTQUE->records(), 0u);
    for (int tick = 0; tick < 2; ++tick) {
        advance(30);
        EXPECT_EQ(w.property(pause, PROP::Icon), "~Pauze.ico") << "steady once resumed";
    }
    engine.unload(first);  // the fixture unloads only the character chosen last
}

TEST_F(PlayControlTest, ReopeningRestoresPlaceAndDockingAndAPauseOutlivesTheWindow) {
    Window& first = toggle();
    first.setProperty(0, PROP::Xpos, 40);
    first.setProperty(0, PROP::Ypos, 30);
    drive::click(first, "?MOVETOOLBOX");
    drive::click(first, "?PAUZE");
    closeByKey();
    EXPECT_EQ(setting("~PlayControl.Docked"), "2");
    EXPECT_EQ(Assistant.AGENTPAUZE, 1) << "the character stays paused";

    Window& again = toggle();
    EXPECT_EQ(docked(again), DOCK::Top);
    EXPECT_TRUE(again.view()->docked());
    EXPECT_EQ(again.numberProperty(0, PROP::Xpos), 40);
    EXPECT_EQ(again.numberProperty(0, PROP::Ypos), 30);
    EXPECT_EQ(height(again), 15) << "folded, whatever it was";
    advance(60);
    EXPECT_EQ(again.property(again.equate("?PAUZE"), PROP::Icon), "Pauze.ico")
        << "no blinking until the button is pressed";
}

TEST_F(PlayControlTest, AFloatingPlaceOffTheDesktopComesOntoIt) {
    storeSettings({{"~PlayControl.XPos", "30000"}, {"~PlayControl.YPos", "20"}, {"~PlayControl.Docked", "16"}});
    Window& w = toggle();
    RECT desktop, at;
    ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), desktop));
    ASSERT_TRUE(GetWindowRect(w.handle(), at));
    EXPECT_EQ(at.right, desktop.right) << "moved back by as much as it lay outside";
    EXPECT_GT(at.right - at.left, 0);
    EXPECT_EQ(w.numberProperty(0, PROP::Ypos), 20) << "the other side was on the desktop";
}

TEST_F(PlayControlTest, WithoutACharacterOrAThreadNothingOpens) {
    Window& connection = openConnection();
    ASSERT_EQ(Assistant.INITIALIZED, 0) << "the agent starts with the first need of it";
    Assistant.AGENTNAME = "";
    drive::pressKey(connection, kPlayControlKey);
    EXPECT_EQ(drive::messageText(), "Geef eerst Ms Agent karakter op...");
    EXPECT_TRUE(drive::answerMessage("OK"));
    EXPECT_EQ(Assistant.PLAYCONTROLWINDOWTHREAD, 0);
    EXPECT_EQ(Assistant.INITIALIZED, 0);

    Assistant.AGENTNAME = "Merlin";
    bool release = false;
    std::vector<int> holders;
    for (int thread; (thread = START([&] { Scheduler::instance().waitUntil([&] { return release; }); })) != 0;)
        holders.push_back(thread);
    drive::pressKey(connection, kPlayControlKey);
    EXPECT_EQ(Assistant.PLAYCONTROLWINDOWTHREAD, 0) << "no thread number left";
    EXPECT_EQ(Assistant.PLAYCONTROLACTIVE, 0);
    EXPECT_EQ(playControl(), nullptr);
    release = true;
    drive::settle();
}

TEST_F(PlayControlTest, EndingTheProgramWithThePlayControlOpenStoresItsPlace) {
    Window& w = toggle();
    drive::click(w, "?MOVETOOLBOX");
    drive::chooseMenu(frame(), "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
    AgntSetFile stored;
    stored.open();
    stored.rec.SETTING = "~PlayControl.Docked";
    ASSERT_TRUE(stored.get(stored.KEY_AGS)) << "stored before the settings file closed";
    EXPECT_EQ(stored.rec.VALUE.str(), "2");
    stored.close();
}
