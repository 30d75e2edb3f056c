// The position window over a probe window, driven with the layer's pointer:
// the character's requests as the engine traces them, what becomes of the
// step and of the follow setting, and the capture and shape meanwhile.
#include "TracedAgentFixture.h"

#include "assistant/AgntFile.h"
#include "assistant/Mentavo.h"
#include "assistant/SettingRow.h"
#include "platform/agent/SpeechBalloon.h"
#include "platform/drive/Driver.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QMenu>

using namespace platform;

namespace {

constexpr const char* kTitle =
    "Nieuwe Assistent positie bepalen (ESC = Annuleren, Rechtermuisknop of Spatieblak = Menu)";
constexpr const char* kFollowSetting = "~BepaalAssistentPositie.Volgmuis";
// The step's place in the probe, far enough in for the whole character to
// lie on the desktop whichever corner is at the point.
constexpr Short kStepX = 200, kStepY = 180;

const Lines kStopAll = {"StopAll Merlin \"\"", "Play Merlin \"RestPose\""};
const Lines kExplanation = {
    "Play Merlin \"Alert\"",
    "Speak Merlin \"Dit is de plek waarop ik bij deze stap zal staan.\"",
    "Speak Merlin \"U kunt mij op een andere positie plaatsen door op de gewenste positie op de linkermuisknop te "
    "drukken.\"",
    "Speak Merlin \"Door op de rechtermuisknop of op de Spatiebalk te drukken krijgt een menu te zien waarin u de "
    "nieuwe positie kunt accepteren.\"",
    "Speak Merlin \"Met de ESC toets kunt u deze procedure annuleren.\""};

Lines joined(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Lines only(const Lines& lines, const std::string& prefix) {
    Lines found;
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
}

// The texts of the popup menu that is up, submenus left out.
std::vector<std::string> menuTexts() {
    std::vector<std::string> texts;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) texts.push_back(a->text().toStdString());
    return texts;
}

class PositionWindowTest : public TracedAgentFixture {
protected:
    explicit PositionWindowTest(bool trace = true) : TracedAgentFixture(trace) {}
    void SetUp() override {
        TracedAgentFixture::SetUp();
        step.POSITIONX = kStepX;
        step.POSITIONY = kStepY;
        step.CURSORPOSTOVAGENT = "RO";
        step.ANIMATE = "Greet";
    }
    // A test that leaves the window up ends it as the author would, so its
    // thread does not outlive the fixture.
    void TearDown() override {
        if (Window* w = drive::window(kTitle)) drive::pressKey(*w, KEY::Esc);
        TracedAgentFixture::TearDown();
    }

    // Opens the position window from the probe's thread, as the training window does.
    Window& open() {
        done = false;
        probe->run([this](Window&) {
            assistant.BepaalAssistentPositie(step);
            done = true;
        });
        Window* w = drive::window(kTitle);
        if (!w) throw std::runtime_error("the position window did not open");
        return *w;
    }
    // The step's present point on the screen, and the character's place for it in the corner "RO".
    Long stepX() const { return kStepX + assistant.WINDOWPOSX; }
    Long stepY() const { return kStepY + assistant.WINDOWPOSY; }
    std::string bottomRightAt(Long x, Long y) const { return moveTo(x - assistant.WIDTH, y - assistant.HEIGHT); }
    // The pointer moved to a point of the screen, and a tick later.
    void pointTo(int x, int y) {
        drive::movePointer(x, y);
        advance(1);
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
    void expectClosed() {
        ASSERT_TRUE(done);
        EXPECT_EQ(drive::window(kTitle), nullptr);
        EXPECT_EQ(GetCapture(), 0);
    }
    void expectClickReachesProbe() {
        const auto [x, y] = probe->onScreen(60, 35);
        drive::movePointer(x, y);
        drive::clickPointer();
        EXPECT_EQ(probe->accepted, std::vector<Long>{probe->number("?Ok")}) << "the probe hears clicks again";
    }

    AGNTFILERecord step;
    bool done = false;
};

}  // namespace

TEST_F(PositionWindowTest, FirstUseExplainsFollowsDropsAndADoubleClickAccepts) {
    Window& w = open();
    EXPECT_EQ(takeLines(), joined({kStopAll, {"Show Merlin 1", bottomRightAt(stepX(), stepY())}, kExplanation}))
        << "the focus the window takes as it opens stops nothing";
    expectCapturedFrame(w);

    pointTo(300, 250);
    EXPECT_EQ(takeLines(), Lines{bottomRightAt(300, 250)}) << "the character follows the pointer";
    pointTo(300, 250);
    EXPECT_EQ(takeLines(), Lines{}) << "a pointer that stays gives no move";

    drive::movePointer(320, 260);
    drive::clickPointer();
    EXPECT_EQ(takeLines(), joined({kStopAll, {"Show Merlin 1", bottomRightAt(320, 260), "Play Merlin \"Greet\""}}))
        << "dropped at the click with the step's animation";
    pointTo(400, 300);
    EXPECT_EQ(only(takeLines(), "MoveTo"), Lines{}) << "dropped: the character stays";

    drive::movePointer(350, 280);
    drive::doubleClickPointer();
    expectClosed();
    EXPECT_EQ(step.POSITIONX, 350 - assistant.WINDOWPOSX);
    EXPECT_EQ(step.POSITIONY, 280 - assistant.WINDOWPOSY);
    EXPECT_EQ(step.CURSORPOSTOVAGENT.str(), "RO") << "the stored corner stays";
    const Lines closing = takeLines();
    ASSERT_GE(closing.size(), 3u);
    EXPECT_EQ(Lines(closing.end() - 3, closing.end()), joined({kStopAll, {"Show Merlin 0"}}));
    EXPECT_EQ(followSetting(), "0");
    expectClickReachesProbe();
}

TEST_F(PositionWindowTest, TheMenuChoosesTheMiddleCornerAndAccepts) {
    Window& w = open();
    drive::movePointer(200, 200);
    rightClickAndChoose(7);  // "Midden"
    EXPECT_EQ(GetCapture(), w.handle()) << "taken again";
    takeLines();
    pointTo(400, 300);
    EXPECT_EQ(only(takeLines(), "MoveTo"), Lines{moveTo(400 - assistant.WIDTH / 2, 300 - assistant.HEIGHT / 2)});
    drive::pressKey(w, KEY::Space);  // the menu's other key
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    drive::choosePopup(1);
    expectClosed();
    EXPECT_EQ(step.CURSORPOSTOVAGENT.str(), "MM");
    EXPECT_EQ(step.POSITIONX, 400 - assistant.WINDOWPOSX);
    EXPECT_EQ(step.POSITIONY, 300 - assistant.WINDOWPOSY);
}

TEST_F(PositionWindowTest, BackToTheOriginalPlaceThenAcceptLeavesTheStepAsItWas) {
    open();
    drive::movePointer(300, 250);
    drive::clickPointer();  // drops the character there; the timer stops
    takeLines();
    rightClickAndChoose(4);
    EXPECT_EQ(takeLines(), joined({kStopAll, {"Show Merlin 1", bottomRightAt(stepX(), stepY())}}));
    rightClickAndChoose(1);
    expectClosed();
    EXPECT_EQ(step.POSITIONX, kStepX);
    EXPECT_EQ(step.POSITIONY, kStepY);
    EXPECT_EQ(step.CURSORPOSTOVAGENT.str(), "RO");
}

TEST_F(PositionWindowTest, FollowingIsRememberedAndThenEveryAlertedKeyOpensTheMenu) {
    open();
    drive::movePointer(200, 200);
    drive::clickPointer(KEY::MouseRight);
    EXPECT_EQ(menuTexts().at(2), "Laat Assistent muis &volgen");
    drive::choosePopup(3);
    drive::pressKey(*drive::window(kTitle), KEY::Esc);
    expectClosed();
    EXPECT_EQ(followSetting(), "1");

    takeLines();
    open();
    EXPECT_EQ(only(takeLines(), "Speak"), Lines{}) << "no explanation while following";
    drive::movePointer(250, 220);
    drive::clickPointer();
    EXPECT_EQ(menuTexts().at(2), "Stop Assistent muis &volgen") << "a left click opens the menu";
    drive::choosePopup(2);
    expectClosed();
    EXPECT_EQ(step.POSITIONX, kStepX) << "cancelled";
}

TEST_F(PositionWindowTest, EscapeLeavesTheStepAndStoresTheFollowChoice) {
    Window& w = open();
    pointTo(300, 250);
    takeLines();
    drive::pressKey(w, KEY::Esc);
    expectClosed();
    EXPECT_EQ(step.POSITIONX, kStepX);
    EXPECT_EQ(step.POSITIONY, kStepY);
    EXPECT_EQ(step.CURSORPOSTOVAGENT.str(), "RO");
    EXPECT_EQ(followSetting(), "0");
    EXPECT_EQ(takeLines(), joined({kStopAll, {"Show Merlin 0"}}));
    expectClickReachesProbe();
}

TEST_F(PositionWindowTest, RegainingTheFocusTakesTheCaptureAgainAndPutsTheCharacterBack) {
    Window& w = open();
    pointTo(300, 250);
    ReleaseCapture();  // as another program's window might take it
    probe->window().view()->activateWindow();
    drive::settle();
    takeLines();
    w.view()->activateWindow();
    drive::settle();
    EXPECT_EQ(GetCapture(), w.handle());
    EXPECT_EQ(takeLines(), joined({kStopAll, {"Show Merlin 1", bottomRightAt(stepX(), stepY())}}));
}

// Trace mode ends each request at once, so only real time shows whether the
// explanation is heard.
class PositionWindowRealTimeTest : public PositionWindowTest {
protected:
    PositionWindowRealTimeTest() : PositionWindowTest(false) {}
    static const agent::SpeechBalloon* balloon() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = dynamic_cast<agent::SpeechBalloon*>(w); found && found->isVisible()) return found;
        return nullptr;
    }
};

TEST_F(PositionWindowRealTimeTest, TheFirstUsesExplanationIsSpokenInItsBalloon) {
    open();
    // The "Alert" animation plays before the first sentence.
    for (int tick = 0; tick < 500 && !balloon(); ++tick) advance(10);
    ASSERT_NE(balloon(), nullptr) << "no balloon in five seconds";
    EXPECT_EQ(balloon()->text().toStdString(), "Dit is de plek waarop ik bij deze stap zal staan.");
}

TEST(CornerOffset, EachCornerCodeGivesTheCharactersOffsetFromThePoint) {
    AssistantClass assistant;
    assistant.WIDTH = 101;
    assistant.HEIGHT = 81;
    const struct {
        const char* code;
        Long x, y;
    } cases[] = {{"LB", 0, 0},       {"RB", -101, 0}, {"MM", -50, -40}, {"LO", 0, -81},
                 {"RO", -101, -81}, {"", 0, 0},      {"mm", 0, 0}};
    for (const auto& c : cases) {
        const AssistantFields::Point offset = assistant.CornerOffset(c.code);
        EXPECT_EQ(offset.X, c.x) << c.code;
        EXPECT_EQ(offset.Y, c.y) << c.code;
    }
}
