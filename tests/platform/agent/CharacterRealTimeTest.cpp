// The character engine in real time, offscreen, on the fake clock: the
// queue, stops, moves, animations, the window and the balloon.
#include "CharacterFixtures.h"

#include "platform/agent/CharacterWindow.h"
#include "platform/agent/SpeechBalloon.h"

#include <QApplication>
#include <QPainter>
#include <set>

namespace agenttest {
namespace {

class RealTime : public EngineTest {
protected:
    RealTime() : EngineTest(false) {}
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_TRUE(engine.load("Tiny", tiny.path()));
        engine.show("Tiny", true);
        engine.moveTo("Tiny", 300, 300, 0);
        ended.clear();
    }
    RequestState state(RequestId id) const { return engine.state(id); }

    template <class W>
    static W* visibleWindow() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = dynamic_cast<W*>(w); found && found->isVisible()) return found;
        return nullptr;
    }
    static SpeechBalloon* balloon() { return visibleWindow<SpeechBalloon>(); }

    TinyCharacter tiny;
};

TEST_F(RealTime, TwoHundredFiftyRequestsRunOneAtATimeInTheOrderTheyCame) {
    std::vector<RequestId> issued;
    for (int i = 0; i < 250; ++i) {
        switch (i % 5) {
            case 0: issued.push_back(engine.play("Tiny", "Wave")); break;
            case 1: issued.push_back(engine.moveTo("Tiny", 300 + i, 300, 120)); break;
            case 2: issued.push_back(engine.speak("Tiny", "kort")); break;
            case 3: issued.push_back(engine.gestureAt("Tiny", 0, 300)); break;
            case 4: issued.push_back(engine.think("Tiny", "hmm")); break;
        }
    }
    const Clock::TimePoint start = Clock::now();
    while (const auto due = engine.nextDue()) {
        std::size_t running = 0;
        for (std::size_t i = 0; i < issued.size(); ++i) {
            const RequestState s = state(issued[i]);
            running += s == RequestState::Running;
            if (s == RequestState::Running) {
                EXPECT_EQ(i, ended.size()) << "the oldest request not ended runs";
            }
        }
        ASSERT_EQ(running, 1u);
        advance(std::chrono::ceil<std::chrono::milliseconds>(*due - Clock::now()));
    }
    std::vector<Ended> expected;
    for (RequestId id : issued) expected.push_back({id, RequestEnd::Completed});
    EXPECT_EQ(ended, expected);
    // each five: a wave 200 ms, a move 120 ms, a speech and a thought of one
    // word 1400 ms each, a gesture 100 ms
    EXPECT_EQ(Clock::now() - start, 50 * std::chrono::milliseconds(200 + 120 + 1400 + 100 + 1400));
    EXPECT_EQ(engine.left("Tiny"), 546);
}

TEST_F(RealTime, AnimationNamesIgnoreCaseAndTrailingBlanksAndAnUnknownOneEndsAtOnce) {
    const std::pair<const char*, RequestState> cases[] = {
        {"Wave", RequestState::Running},      {"wAVE", RequestState::Running},
        {"Wave   ", RequestState::Running},   {" Wave", RequestState::Ended},
        {"Nothing", RequestState::Ended},     {"", RequestState::Ended},
    };
    for (const auto& [name, expected] : cases) {
        const RequestId id = engine.play("Tiny", name);
        EXPECT_EQ(state(id), expected) << name;
        engine.stopAll("Tiny");
    }
}

TEST_F(RealTime, AnAnimationTakesItsFramesTimeAndNothingTicksWhenItIsDone) {
    const RequestId wave = engine.play("Tiny", "Wave");
    advance(199ms);
    EXPECT_EQ(state(wave), RequestState::Running);
    advance(1ms);
    EXPECT_EQ(state(wave), RequestState::Ended);
    EXPECT_FALSE(engine.nextDue());
}

TEST_F(RealTime, MovesTakeTheGivenTimeOrTheCharactersPaceAndSpeedZeroTakesNone) {
    const RequestId jump = engine.moveTo("Tiny", 100, 300, 0);
    EXPECT_EQ(state(jump), RequestState::Ended);
    EXPECT_EQ(engine.left("Tiny"), 100);

    const RequestId timed = engine.moveTo("Tiny", 200, 400, 1000);
    advance(500ms);
    EXPECT_EQ(state(timed), RequestState::Running);
    EXPECT_EQ(engine.left("Tiny"), 150);
    EXPECT_EQ(engine.top("Tiny"), 350);
    advance(500ms);
    EXPECT_EQ(state(timed), RequestState::Ended);
    EXPECT_EQ(engine.left("Tiny"), 200);

    const RequestId paced = engine.moveTo("Tiny", 200, 0);  // 400 pixels at 400 a second
    advance(999ms);
    EXPECT_EQ(state(paced), RequestState::Running);
    advance(1ms);
    EXPECT_EQ(state(paced), RequestState::Ended);
    EXPECT_EQ(engine.top("Tiny"), 0);

    engine.hide("Tiny", true);
    const RequestId unseen = engine.moveTo("Tiny", 500, 500, 1000);
    EXPECT_EQ(state(unseen), RequestState::Ended) << "a hidden character moves at once";
}

TEST_F(RealTime, StopEndsTheRunningRequestOrTheOneNamedAndAnUnknownOneDoesNothing) {
    const RequestId first = engine.play("Tiny", "Wave");
    const RequestId second = engine.play("Tiny", "Wave");
    const RequestId third = engine.moveTo("Tiny", 0, 0, 1000);
    const RequestId fourth = engine.play("Tiny", "Wave");

    engine.stop("Tiny", 987654);
    engine.stop("Tiny", second + 1000);
    EXPECT_TRUE(ended.empty());

    engine.stop("Tiny");
    EXPECT_EQ(ended, (std::vector<Ended>{{first, RequestEnd::Stopped}}));
    EXPECT_EQ(state(second), RequestState::Running);

    engine.stop("Tiny", third);
    EXPECT_EQ(ended.back(), (Ended{third, RequestEnd::Stopped}));
    EXPECT_EQ(state(second), RequestState::Running);
    EXPECT_EQ(state(fourth), RequestState::Pending);

    runUntilOver(fourth);
    EXPECT_EQ(ended.back(), (Ended{fourth, RequestEnd::Completed}));
    EXPECT_EQ(engine.left("Tiny"), 300) << "the stopped move never ran";
}

TEST_F(RealTime, StopAllEndsTheRequestsOfTheGivenTypesOrAll) {
    struct Case {
        const char* types;
        std::set<int> stopped;  // positions in: play, speak, move, think, gesture, show
    };
    const Case cases[] = {
        {"", {0, 1, 2, 3, 4, 5}},
        {"Speak", {1, 3}},
        {"move", {2}},
        {"Play", {0, 4, 5}},
        {" Move , Speak ", {1, 2, 3}},
        {"Get,NonQueuedGet", {}},
    };
    for (const Case& c : cases) {
        engine.stopAll("Tiny");
        ended.clear();
        const std::vector<RequestId> ids = {engine.play("Tiny", "Wave"),        engine.speak("Tiny", "a"),
                                            engine.moveTo("Tiny", 0, 0, 500),    engine.think("Tiny", "b"),
                                            engine.gestureAt("Tiny", 0, 0),      engine.show("Tiny", false)};
        engine.stopAll("Tiny", c.types);
        std::set<int> stopped;
        for (const Ended& e : ended) {
            EXPECT_EQ(e.end, RequestEnd::Stopped) << c.types;
            stopped.insert(static_cast<int>(std::find(ids.begin(), ids.end(), e.id) - ids.begin()));
        }
        EXPECT_EQ(stopped, c.stopped) << c.types;
    }
}

TEST_F(RealTime, WaitHoldsTheQueueUntilAnotherCharactersRequestEndsAndInterruptEndsOne) {
    ASSERT_TRUE(engine.load("Merlin", tiny.path()));
    engine.show("Merlin", true);
    const RequestId tinyWaves = engine.play("Tiny", "Wave");
    engine.wait("Merlin", tinyWaves);
    const RequestId merlinWaves = engine.play("Merlin", "Wave");
    advance(150ms);
    EXPECT_EQ(state(merlinWaves), RequestState::Pending);
    advance(50ms);
    EXPECT_EQ(state(tinyWaves), RequestState::Ended);
    EXPECT_EQ(state(merlinWaves), RequestState::Running);

    const RequestId longMove = engine.moveTo("Tiny", 0, 0, 5000);
    const RequestId interrupt = engine.interrupt("Merlin", longMove);
    EXPECT_EQ(state(longMove), RequestState::Running) << "the interrupt waits its turn";
    advance(200ms);
    EXPECT_EQ(state(interrupt), RequestState::Ended);
    EXPECT_EQ(state(longMove), RequestState::Ended);
    EXPECT_NE(std::find(ended.begin(), ended.end(), Ended{longMove, RequestEnd::Stopped}), ended.end());

    const RequestId unknownWait = engine.wait("Merlin", 987654);
    EXPECT_EQ(state(unknownWait), RequestState::Ended);
}

TEST_F(RealTime, TheCharactersWindowIsTitledByItsNameOnTopAndLetsTheMouseThrough) {
    CharacterWindow* window = visibleWindow<CharacterWindow>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Tiny");
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowTransparentForInput);
    EXPECT_TRUE(window->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(window->geometry(), QRect(300, 300, 20, 30));

    engine.moveTo("Tiny", 10, 20, 0);
    engine.setHeight("Tiny", 60);
    engine.setWidth("Tiny", 40);
    EXPECT_EQ(window->geometry(), QRect(10, 20, 40, 60));

    const RequestId hidden = engine.hide("Tiny", false);
    EXPECT_TRUE(window->isVisible()) << "it plays its Hide animation first";
    runUntilOver(hidden);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(engine.visible("Tiny"));
    engine.show("Tiny", true);
    EXPECT_TRUE(window->isVisible());
    engine.unload("Tiny");
    drive::settle();
    EXPECT_EQ(visibleWindow<CharacterWindow>(), nullptr);
}

TEST_F(RealTime, TheBalloonShowsTheSpeechAboveTheCharacterForItsReadingTime) {
    const RequestId said = engine.speak("Tiny", "Hallo\\Pau=500\\\r\ndaar");
    SpeechBalloon* shown = balloon();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), "Hallo\ndaar");
    EXPECT_EQ(shown->shape(), SpeechBalloon::Shape::Balloon);
    EXPECT_LE(shown->geometry().bottom(), engine.top("Tiny"));
    const QRect character(engine.left("Tiny"), engine.top("Tiny"), engine.width("Tiny"), engine.height("Tiny"));
    EXPECT_GE(character.center().x(), shown->geometry().left());
    EXPECT_LE(character.center().x(), shown->geometry().right());

    // two words at 150 a minute, the pause, a second to finish reading
    advance(800ms + 500ms + 1000ms - 1ms);
    EXPECT_EQ(state(said), RequestState::Running);
    EXPECT_TRUE(shown->isVisible());
    advance(1ms);
    EXPECT_EQ(state(said), RequestState::Ended);
    EXPECT_EQ(balloon(), nullptr);
}

TEST_F(RealTime, ThinkingShowsACloudAndTheBalloonGoesBelowWhenThereIsNoRoomAbove) {
    engine.moveTo("Tiny", 300, 0, 0);
    const RequestId thought = engine.think("Tiny", "Eens kijken");
    SpeechBalloon* cloud = balloon();
    ASSERT_NE(cloud, nullptr);
    EXPECT_EQ(cloud->text(), "Eens kijken");
    EXPECT_EQ(cloud->shape(), SpeechBalloon::Shape::Cloud);
    EXPECT_GE(cloud->geometry().top(), engine.top("Tiny") + engine.height("Tiny"));
    runUntilOver(thought);
    EXPECT_EQ(balloon(), nullptr);
}

// The picture laid over a plain background, as the screen shows it.
QImage laidOver(const QImage& picture, Qt::GlobalColor background) {
    QImage shown(picture.size(), QImage::Format_RGB32);
    shown.fill(background);
    QPainter(&shown).drawImage(0, 0, picture);
    return shown;
}

TEST_F(RealTime, TheTextOfABalloonAndOfAThoughtLiesOnAnOpaquePicture) {
    const std::string text = "Even nadenken over wat ik hierna zal zeggen, en over hoe ik het zeg.";
    for (const bool thinking : {false, true}) {
        SCOPED_TRACE(thinking ? "a thought" : "a speech");
        thinking ? engine.think("Tiny", text) : engine.speak("Tiny", text);
        SpeechBalloon* shown = balloon();
        ASSERT_NE(shown, nullptr);
        const QImage onBlack = laidOver(shown->picture(), Qt::black), onWhite = laidOver(shown->picture(), Qt::white);
        const QRect area = shown->textArea();
        ASSERT_FALSE(area.isEmpty());
        int seeThrough = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) seeThrough += onBlack.pixel(x, y) != onWhite.pixel(x, y);
        EXPECT_EQ(seeThrough, 0) << "pixels under the text that show the background";
        engine.stopAll("Tiny");
    }
}

TEST_F(RealTime, ASpeechOfTagsAloneOrOfAHiddenCharacterShowsNoBalloon) {
    EXPECT_EQ(state(engine.speak("Tiny", "\\Rst\\\\spd=120\\")), RequestState::Ended);
    EXPECT_EQ(balloon(), nullptr);
    // the speed it set: one word at 120 a minute and a second to read
    const RequestId said = engine.speak("Tiny", "Hallo");
    advance(1499ms);
    EXPECT_EQ(state(said), RequestState::Running);
    advance(1ms);
    EXPECT_EQ(state(said), RequestState::Ended);

    engine.hide("Tiny", true);
    engine.speak("Tiny", "Hallo");
    EXPECT_EQ(balloon(), nullptr);
}

}  // namespace
}  // namespace agenttest
