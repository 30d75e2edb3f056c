// The position window over a probe window, driven with the layer's pointer:
// what the assistant asks of the character, what becomes of the step and of
// the follow setting, and the capture and shape meanwhile.
#include "AssistantFixture.h"
#include "ShapeProbe.h"

#include "assistant/AgntFile.h"
#include "assistant/Mentavo.h"
#include "assistant/SettingRow.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QMenu>

using namespace platform;
using namespace std::chrono_literals;

namespace {

constexpr const char* kTitle =
    "Nieuwe Assistent positie bepalen (ESC = Annuleren, Rechtermuisknop of Spatieblak = Menu)";
constexpr const char* kFollowSetting = "~BepaalAssistentPositie.Volgmuis";

// The character's commands written down beside the assistant's other calls.
struct PlacingAssistant : TracingAssistant {
    using TracingAssistant::TracingAssistant;
    void Show(Byte fast) override { trace->add(withNumber("Show", fast)); }
    void MoveTo(Long x, Long y, Long speed) override {
        trace->add("MoveTo " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(speed));
    }
    void Play(const std::string& animation) override { trace->add("Play " + animation); }
    void Speak(const std::string& text) override { trace->add("Speak " + text); }
};

const Calls kExplanation = {
    "Play Alert",
    "Speak Dit is de plek waarop ik bij deze stap zal staan.",
    "Speak U kunt mij op een andere positie plaatsen door op de gewenste positie op de linkermuisknop te drukken.",
    "Speak Door op de rechtermuisknop of op de Spatiebalk te drukken krijgt een menu te zien waarin u de nieuwe "
    "positie kunt accepteren.",
    "Speak Met de ESC toets kunt u deze procedure annuleren."};

std::string moveTo(Long x, Long y) { return "MoveTo " + std::to_string(x) + " " + std::to_string(y) + " 0"; }

// The texts of the popup menu that is up, submenus left out.
std::vector<std::string> menuTexts() {
    std::vector<std::string> texts;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) texts.push_back(a->text().toStdString());
    return texts;
}

class PositionWindowTest : public AssistantFixture {
protected:
    void SetUp() override {
        AssistantFixture::SetUp();
        Clock::useFake();
        loadSettings();
        assistant.WIDTH = 100;
        assistant.HEIGHT = 81;
        assistant.TakeWindowPosition(probe.window().handle());
        step.POSITIONX = 30;
        step.POSITIONY = 40;
        step.CURSORPOSTOVAGENT = "RO";
        step.ANIMATE = "Greet";
    }
    void TearDown() override {
        drive::dismissPopups();
        Scheduler::instance().endAllOthers();
        drive::settle();
        Clock::useReal();
        AssistantFixture::TearDown();
    }

    // Opens the position window from the probe's thread, as the training window does.
    Window& open() {
        trace.calls.clear();
        done = false;
        probe.run([this](Window&) {
            assistant.BepaalAssistentPositie(step);
            done = true;
        });
        Window* w = drive::window(kTitle);
        if (!w) throw std::runtime_error("the position window did not open");
        return *w;
    }
    void tick() {
        Clock::advance(10ms);
        drive::settle();
    }
    // The pointer moved to a point of the screen and a tick later.
    void pointTo(int x, int y) {
        drive::movePointer(x, y);
        tick();
    }
    void rightClickAndChoose(Long item) {
        drive::clickPointer(KEY::MouseRight);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "the menu is up";
        EXPECT_EQ(GetCapture(), 0) << "the capture is let go for the menu";
        drive::choosePopup(item);
    }
    // While the window is up it holds the capture and shows only its frame and title bar.
    void expectCapturedFrame(Window& w) {
        EXPECT_EQ(GetCapture(), w.handle());
        EXPECT_EQ(w.property(0, PROP::Maximize), "1");
        EXPECT_FALSE(drive::shows(w, w.placement(0).width / 2, w.placement(0).height / 2));
        EXPECT_TRUE(drive::shows(w, 200, 10)) << "the title bar";
    }
    std::string followSetting() {
        return readSetting(kFollowSetting) ? clip(AGNTSET.rec.VALUE.view()) : std::string("(none)");
    }
    void expectClickReachesProbe() {
        const auto [x, y] = probe.onScreen(60, 35);
        drive::movePointer(x, y);
        drive::clickPointer();
        EXPECT_EQ(probe.accepted, std::vector<Long>{probe.number("?Ok")}) << "the probe hears clicks again";
    }

    ShapeProbe probe;
    PlacingAssistant assistant{trace};
    AGNTFILERecord step;
    bool done = false;
};

}  // namespace

TEST_F(PositionWindowTest, FirstUseExplainsFollowsDropsAndADoubleClickAccepts) {
    Window& w = open();
    const Long stepX = 30 + assistant.WINDOWPOSX, stepY = 40 + assistant.WINDOWPOSY;
    Calls opening = {"StopAll ''", "Show 1", moveTo(stepX - 100, stepY - 81)};
    opening.insert(opening.end(), kExplanation.begin(), kExplanation.end());
    EXPECT_EQ(Calls(trace.calls.begin(), trace.calls.begin() + static_cast<long>(opening.size())), opening);
    expectCapturedFrame(w);

    trace.calls.clear();
    pointTo(300, 250);
    EXPECT_EQ(trace.calls, Calls{moveTo(200, 169)}) << "the character's bottom right corner at the pointer";
    pointTo(300, 250);
    EXPECT_EQ(trace.calls.size(), 1u) << "a pointer that stays gives no move";

    trace.calls.clear();
    drive::movePointer(320, 260);
    drive::clickPointer();
    EXPECT_EQ(trace.calls, (Calls{"StopAll ''", "Show 1", moveTo(220, 179), "Play Greet"}));
    trace.calls.clear();
    pointTo(400, 300);
    EXPECT_TRUE(trace.only({"MoveTo"}).empty()) << "dropped: the character stays";

    drive::movePointer(350, 280);
    drive::doubleClickPointer();
    ASSERT_TRUE(done);
    EXPECT_EQ(step.POSITIONX, 350 - assistant.WINDOWPOSX);
    EXPECT_EQ(step.POSITIONY, 280 - assistant.WINDOWPOSY);
    EXPECT_EQ(step.CURSORPOSTOVAGENT.str(), "RO") << "the stored corner stays";
    EXPECT_EQ(Calls(trace.calls.end() - 2, trace.calls.end()), (Calls{"StopAll ''", "Show 0"}));
    EXPECT_EQ(followSetting(), "0");
    EXPECT_EQ(drive::window(kTitle), nullptr);
    EXPECT_EQ(GetCapture(), 0);
    expectClickReachesProbe();
}

TEST_F(PositionWindowTest, TheMenuChoosesTheMiddleCornerAndAccepts) {
    Window& w = open();
    drive::movePointer(200, 200);
    rightClickAndChoose(7);  // "Midden"
    EXPECT_EQ(GetCapture(), w.handle()) << "taken again";
    trace.calls.clear();
    pointTo(400, 300);
    EXPECT_EQ(trace.only({"MoveTo"}), Calls{moveTo(400 - 50, 300 - 40)}) << "half of 81 is 40";
    drive::pressKey(w, KEY::Space);  // the menu's other key
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    drive::choosePopup(1);
    ASSERT_TRUE(done);
    EXPECT_EQ(step.CURSORPOSTOVAGENT.str(), "MM");
    EXPECT_EQ(step.POSITIONX, 400 - assistant.WINDOWPOSX);
    EXPECT_EQ(step.POSITIONY, 300 - assistant.WINDOWPOSY);
}

TEST_F(PositionWindowTest, BackToTheOriginalPlaceThenAcceptLeavesTheStepAsItWas) {
    open();
    drive::movePointer(300, 250);
    drive::clickPointer();  // drops the character there; the timer stops
    trace.calls.clear();
    rightClickAndChoose(4);
    EXPECT_EQ(trace.calls,
              (Calls{"StopAll ''", "Show 1", moveTo(30 + assistant.WINDOWPOSX - 100, 40 + assistant.WINDOWPOSY - 81)}));
    rightClickAndChoose(1);
    ASSERT_TRUE(done);
    EXPECT_EQ(step.POSITIONX, 30);
    EXPECT_EQ(step.POSITIONY, 40);
    EXPECT_EQ(step.CURSORPOSTOVAGENT.str(), "RO");
}

TEST_F(PositionWindowTest, FollowingIsRememberedAndThenEveryAlertedKeyOpensTheMenu) {
    open();
    drive::movePointer(200, 200);
    drive::clickPointer(KEY::MouseRight);
    EXPECT_EQ(menuTexts().at(2), "Laat Assistent muis &volgen");
    drive::choosePopup(3);
    drive::pressKey(*drive::window(kTitle), KEY::Esc);
    ASSERT_TRUE(done);
    EXPECT_EQ(followSetting(), "1");

    Window& again = open();
    EXPECT_TRUE(trace.only({"Play", "Speak"}).empty()) << "no explanation while following";
    drive::movePointer(250, 220);
    drive::clickPointer();
    EXPECT_EQ(menuTexts().at(2), "Stop Assistent muis &volgen") << "a left click opens the menu";
    drive::choosePopup(2);
    ASSERT_TRUE(done);
    EXPECT_EQ(step.POSITIONX, 30) << "cancelled";
    EXPECT_FALSE(again.isOpen());
}

TEST_F(PositionWindowTest, EscapeLeavesTheStepAndStoresTheFollowChoice) {
    Window& w = open();
    pointTo(300, 250);
    drive::pressKey(w, KEY::Esc);
    ASSERT_TRUE(done);
    EXPECT_EQ(step.POSITIONX, 30);
    EXPECT_EQ(step.POSITIONY, 40);
    EXPECT_EQ(step.CURSORPOSTOVAGENT.str(), "RO");
    EXPECT_EQ(followSetting(), "0");
    EXPECT_EQ(Calls(trace.calls.end() - 2, trace.calls.end()), (Calls{"StopAll ''", "Show 0"}));
    expectClickReachesProbe();
}

TEST_F(PositionWindowTest, RegainingTheFocusTakesTheCaptureAgainAndPutsTheCharacterBack) {
    Window& w = open();
    pointTo(300, 250);
    ReleaseCapture();  // as another program's window might take it
    probe.window().view()->activateWindow();
    drive::settle();
    trace.calls.clear();
    w.view()->activateWindow();
    drive::settle();
    EXPECT_EQ(GetCapture(), w.handle());
    EXPECT_EQ(trace.calls,
              (Calls{"StopAll ''", "Show 1", moveTo(30 + assistant.WINDOWPOSX - 100, 40 + assistant.WINDOWPOSY - 81)}));
}
