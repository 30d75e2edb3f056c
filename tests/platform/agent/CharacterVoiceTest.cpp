// The character's voice, in real time on the fake clock, with a stand-in
// for espeak-ng that records how it was started and what it read.
#include "CharacterFixtures.h"

#include "platform/agent/SpeechBalloon.h"

#include <QApplication>
#include <csignal>

namespace agenttest {
namespace {

const std::vector<std::string> kDutchAt150 = {"-v", "nl", "-s", "150", "-m", "--stdin"};

class Voice : public EngineTest {
protected:
    Voice() : EngineTest(false) {}
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_TRUE(engine.load("Tiny", tiny.path()));
        engine.show("Tiny", true);
        ended.clear();
    }
    void waitUntilOver(RequestId id) {
        EXPECT_TRUE(Scheduler::instance().pumpUntil([&] { return over(id); }, 10s));
    }
    static bool balloonShown() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (dynamic_cast<SpeechBalloon*>(w) && w->isVisible()) return true;
        return false;
    }
    TinyCharacter tiny;
};

TEST_F(Voice, TheSpeechProgramGetsTheVoiceTheSpeedAndTheEscapedTextAndTheSpeechEndsWithIt) {
    SpeechStandIn speech;
    const RequestId said = engine.speak("Tiny", "Hallo & <welkom>\\Pau=250\\\r\n\"daar\"");
    EXPECT_TRUE(balloonShown());
    EXPECT_EQ(speech.arguments(), kDutchAt150);
    EXPECT_EQ(speech.input(), "Hallo &amp; &lt;welkom&gt;<break time=\"250ms\"/>\n&quot;daar&quot;");
    waitUntilOver(said);
    EXPECT_EQ(ended, (std::vector<Ended>{{said, RequestEnd::Completed}}));
    EXPECT_FALSE(balloonShown());
}

TEST_F(Voice, TheCharactersLanguageChoosesTheVoiceAndALanguageWithoutOneSpeaksDutch) {
    const std::pair<Long, const char*> languages[] = {{1036, "fr"}, {2057, "en-gb"}, {1046, "pt-br"}, {1034, "nl"}};
    for (const auto& [language, voice] : languages) {
        SpeechStandIn speech;
        engine.setLanguage("Tiny", language);
        waitUntilOver(engine.speak("Tiny", "Hallo"));
        const auto arguments = speech.arguments();
        ASSERT_TRUE(arguments);
        EXPECT_EQ((*arguments)[1], voice) << language;
    }
}

TEST_F(Voice, ASpeechOfTagsAloneSetsTheSpeedOfTheSpeechesAfterIt) {
    {
        SpeechStandIn speech;
        EXPECT_EQ(engine.state(engine.speak("Tiny", "\\Rst\\\\spd=120\\")), RequestState::Ended);
        EXPECT_FALSE(speech.started());
    }
    {
        SpeechStandIn speech;
        waitUntilOver(engine.speak("Tiny", "Hallo"));
        ASSERT_TRUE(speech.arguments());
        EXPECT_EQ((*speech.arguments())[3], "120");
    }
    {
        SpeechStandIn speech;
        waitUntilOver(engine.speak("Tiny", "\\Spd=200\\Sneller"));
        ASSERT_TRUE(speech.arguments());
        EXPECT_EQ((*speech.arguments())[3], "200");
    }
    {
        SpeechStandIn speech;
        waitUntilOver(engine.speak("Tiny", "\\Rst\\Gewoon"));
        EXPECT_EQ(speech.arguments(), kDutchAt150);
    }
}

TEST_F(Voice, VolumeOneIsTheBalloonAloneAndThinkingIsSilent) {
    SpeechStandIn speech;
    const RequestId said = engine.speak("Tiny", "\\Vol=1\\\r\nAlleen tekst");
    EXPECT_TRUE(balloonShown());
    runUntilOver(said);
    const RequestId thought = engine.think("Tiny", "Hmm");
    runUntilOver(thought);
    EXPECT_TRUE(over(said));
    EXPECT_TRUE(over(thought));
    drive::settle();
    EXPECT_FALSE(speech.started());
}

TEST_F(Voice, TheBalloonStaysWhileTheVoiceLasts) {
    SpeechStandIn speech(SpeechStandIn::Behaviour::Lingers);
    const RequestId said = engine.speak("Tiny", "Hallo");
    ASSERT_TRUE(speech.arguments());
    advance(60s);
    EXPECT_EQ(engine.state(said), RequestState::Running);
    EXPECT_TRUE(balloonShown());
    speech.finish();
    waitUntilOver(said);
    EXPECT_FALSE(balloonShown());
}

TEST_F(Voice, StopStopAllAndUnloadEndTheVoice) {
    const std::vector<std::function<void(CharacterEngine&)>> enders = {
        [](CharacterEngine& e) { e.stop("Tiny"); },
        [](CharacterEngine& e) { e.stopAll("Tiny", "Speak"); },
        [](CharacterEngine& e) { e.unload("Tiny"); },
    };
    for (const auto& end : enders) {
        if (!engine.loaded("Tiny")) {
            ASSERT_TRUE(engine.load("Tiny", tiny.path()));
        }
        engine.show("Tiny", true);
        SpeechStandIn speech(SpeechStandIn::Behaviour::Lingers);
        const RequestId said = engine.speak("Tiny", "Hallo");
        ASSERT_TRUE(speech.arguments());
        end(engine);
        EXPECT_EQ(engine.state(said), RequestState::Ended);
        EXPECT_EQ(ended.back(), (Ended{said, RequestEnd::Stopped}));
        const pid_t pid = speech.pid();
        EXPECT_TRUE(Scheduler::instance().pumpUntil([pid] { return kill(pid, 0) != 0; }, 10s))
            << "the speech program is gone";
    }
}

TEST_F(Voice, WithoutAProgramOrWhenItFailsTheBalloonStaysItsReadingTime) {
    setenv("TABLOOM_SPEECH", "/nonexistent/speech", 1);
    const RequestId missing = engine.speak("Tiny", "Hallo");
    advance(1399ms);  // one word at 150 a minute, and a second to read
    EXPECT_EQ(engine.state(missing), RequestState::Running);
    advance(1ms);
    EXPECT_EQ(engine.state(missing), RequestState::Ended);

    for (const auto behaviour : {SpeechStandIn::Behaviour::Fails, SpeechStandIn::Behaviour::Complains}) {
        SpeechStandIn speech(behaviour);
        const RequestId failed = engine.speak("Tiny", "Hallo");
        ASSERT_TRUE(speech.arguments());
        EXPECT_TRUE(Scheduler::instance().pumpUntil([&] { return engine.nextDue().has_value(); }, 10s))
            << "after the failure the reading time counts";
        EXPECT_EQ(engine.state(failed), RequestState::Running);
        EXPECT_TRUE(balloonShown());
        runUntilOver(failed);
        EXPECT_EQ(ended.back(), (Ended{failed, RequestEnd::Completed}));
    }
}

}  // namespace
}  // namespace agenttest
