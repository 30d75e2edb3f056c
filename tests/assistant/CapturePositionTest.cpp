// The waiting frame on a probe window: what it looks like while it waits,
// what ends it, and the window as it was afterwards.
#include "TracedAgentFixture.h"

#include "platform/drive/Driver.h"
#include "platform/ui/PointerCalls.h"

using namespace platform;

namespace {

class CapturePositionTest : public TracedAgentFixture {
protected:
    void SetUp() override {
        TracedAgentFixture::SetUp();
        probe->window().setProperty(0, PROP::Text, title);
    }
    void tick() { advance(5); }
    // Starts the wait on the probe, the focus on its button.
    void startWaiting() {
        probe->run([this](Window& w) {
            w.select(w.equate("?Ok"));
            assistant.CapturePosition();
            waitEnded = true;
        });
    }
    void expectWaiting() {
        Window& w = probe->window();
        EXPECT_FALSE(waitEnded);
        EXPECT_EQ(w.property(0, PROP::Text), "Druk op een willekeurige toets om te annuleren...");
        EXPECT_EQ(w.property(0, PROP::Maximize), "1");
        EXPECT_EQ(w.property(0, PROP::Timer), "5");
        EXPECT_EQ(GetCapture(), w.handle());
        const auto [x, y] = probe->inWindow(60, 35);
        EXPECT_FALSE(drive::shows(w, x, y)) << "the button is see-through";
        EXPECT_TRUE(drive::shows(w, 120, 10)) << "the title bar stays";
    }
    void expectRestored() {
        Window& w = probe->window();
        EXPECT_TRUE(waitEnded);
        EXPECT_EQ(takeLines(), (Lines{"StopAll Merlin \"\"", "Play Merlin \"RestPose\""})) << "the character stops";
        EXPECT_EQ(w.property(0, PROP::Text), title);
        EXPECT_EQ(w.property(0, PROP::Maximize), "0");
        EXPECT_EQ(w.property(0, PROP::Timer), "0");
        EXPECT_EQ(w.placement(0).width, 260);
        EXPECT_EQ(w.placement(0).height, 160);
        EXPECT_EQ(GetCapture(), 0);
        EXPECT_FALSE(w.alerted(0, KEY::MouseLeft));
        EXPECT_FALSE(drive::shows(w, 0, 0)) << "curved corners again";
        EXPECT_TRUE(drive::shows(w, 7, 1));
        EXPECT_TRUE(probe->accepted.empty()) << "nothing reached the button";
    }

    // Longer than the hundred characters a title was once cut to.
    const std::string title = "Training: " + std::string(110, 'x') + " end";
    bool waitEnded = false;
};

}  // namespace

TEST_F(CapturePositionTest, AKeyEndsTheWaitAndIsTakenByIt) {
    for (const Long key : {KEY::Enter, KEY::Esc, Long{'Q'}}) {
        waitEnded = false;
        startWaiting();
        takeLines();
        expectWaiting();
        drive::pressKey(probe->window(), key);
        tick();
        expectRestored();
        EXPECT_TRUE(probe->window().isOpen()) << "the key did not act on the window afterwards: " << key;
    }
}

TEST_F(CapturePositionTest, AClickAnywhereEndsTheWait) {
    startWaiting();
    tick();
    expectWaiting();
    takeLines();
    drive::movePointer(5, 5);  // outside the probe's client area
    drive::clickPointer();
    expectRestored();
    const auto [x, y] = probe->onScreen(60, 35);
    drive::movePointer(x, y);
    drive::clickPointer();
    EXPECT_EQ(probe->accepted, std::vector<Long>{probe->number("?Ok")}) << "clicks reach the window again";
}
