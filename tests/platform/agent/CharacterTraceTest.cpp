// The character engine in trace mode: a line for every call but the reads,
// and every request ended at once with its effect on the state.
#include "CharacterFixtures.h"

#include <functional>

namespace agenttest {
namespace {

class TraceMode : public EngineTest {
protected:
    TraceMode() : EngineTest(true) {}
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_TRUE(engine.load("Merlin", tiny.path()));
        engine.clearTrace();
    }
    TinyCharacter tiny;
};

TEST_F(TraceMode, EveryCallButTheReadsIsALine) {
    struct Call {
        std::function<void(CharacterEngine&)> call;
        std::string line;
    };
    const std::vector<Call> calls = {
        {[](auto& e) { e.show("Merlin", false); }, "Show Merlin 0"},
        {[](auto& e) { e.show("Merlin", true); }, "Show Merlin 1"},
        {[](auto& e) { e.hide("Merlin", false); }, "Hide Merlin 0"},
        {[](auto& e) { e.hide("Merlin", true); }, "Hide Merlin 1"},
        {[](auto& e) { e.speak("Merlin", "abc\\Pau=40\\\r\ndef"); }, "Speak Merlin \"abc\\Pau=40\\{CR}{LF}def\""},
        {[](auto& e) { e.speak("Merlin", "\\Rst\\\\spd=120\\"); }, "Speak Merlin \"\\Rst\\\\spd=120\\\""},
        {[](auto& e) { e.think("Merlin", "Hmm\n"); }, "Think Merlin \"Hmm{LF}\""},
        {[](auto& e) { e.moveTo("Merlin", 10, 20, 1000); }, "MoveTo Merlin 10 20 1000"},
        {[](auto& e) { e.moveTo("Merlin", -5, 20, 0); }, "MoveTo Merlin -5 20 0"},
        {[](auto& e) { e.moveTo("Merlin", 10, 20); }, "MoveTo Merlin 10 20"},
        {[](auto& e) { e.gestureAt("Merlin", 300, -4); }, "GestureAt Merlin 300 -4"},
        {[](auto& e) { e.play("Merlin", "Wave  "); }, "Play Merlin \"Wave  \""},
        {[](auto& e) { e.wait("Merlin", 0); }, "Wait Merlin"},
        {[](auto& e) { e.wait("Merlin", 12); }, "Wait Merlin 12"},
        {[](auto& e) { e.interrupt("Merlin", 12); }, "Interrupt Merlin 12"},
        {[](auto& e) { e.stop("Merlin"); }, "Stop Merlin"},
        {[](auto& e) { e.stop("Merlin", 12); }, "Stop Merlin 12"},
        {[](auto& e) { e.stopAll("Merlin"); }, "StopAll Merlin \"\""},
        {[](auto& e) { e.stopAll("Merlin", "Move,Speak"); }, "StopAll Merlin \"Move,Speak\""},
        {[](auto& e) { e.setHeight("Merlin", 60); }, "Height Merlin 60"},
        {[](auto& e) { e.setWidth("Merlin", 40); }, "Width Merlin 40"},
        {[](auto& e) { e.activate("Merlin", 2); }, "Activate Merlin 2"},
        {[](auto& e) { e.setLanguage("Merlin", 1036); }, "LanguageID Merlin 1036"},
        {[](auto& e) { e.showDefaultCharacterProperties(); }, "ShowDefaultCharacterProperties"},
        {[](auto& e) { e.unload("Merlin"); }, "Unload Merlin"},
        {[this](auto& e) { e.load("Merlin", tiny.path()); }, "Load Merlin \"" + tiny.path() + "\""},
    };
    for (const Call& c : calls) {
        engine.clearTrace();
        c.call(engine);
        EXPECT_EQ(engine.traceLines(), std::vector<std::string>{c.line});
    }
    engine.clearTrace();
    engine.left("Merlin");
    engine.top("Merlin");
    engine.height("Merlin");
    engine.width("Merlin");
    engine.visible("Merlin");
    engine.animations("Merlin");
    engine.state(1);
    EXPECT_TRUE(engine.traceLines().empty());
}

TEST_F(TraceMode, TheStateFollowsAtOnce) {
    const RequestId shown = engine.show("Merlin", false);
    EXPECT_TRUE(engine.visible("Merlin"));
    EXPECT_EQ(engine.state(shown), RequestState::Ended);
    engine.moveTo("Merlin", 10, 20, 1000);
    EXPECT_EQ(engine.left("Merlin"), 10);
    EXPECT_EQ(engine.top("Merlin"), 20);
    engine.moveTo("Merlin", -5, 7);
    EXPECT_EQ(engine.left("Merlin"), -5);
    engine.setHeight("Merlin", 60);
    engine.setWidth("Merlin", 40);
    EXPECT_EQ(engine.height("Merlin"), 60);
    EXPECT_EQ(engine.width("Merlin"), 40);
    const RequestId hidden = engine.hide("Merlin", false);
    EXPECT_FALSE(engine.visible("Merlin"));
    EXPECT_EQ(ended.back(), (Ended{hidden, RequestEnd::Completed}));
    EXPECT_EQ(ended.size(), 4u);
}

TEST_F(TraceMode, TwoHundredFiftyRequestsEndInTheOrderTheyCame) {
    using Request = std::function<std::pair<RequestId, std::string>(CharacterEngine&, const std::string&)>;
    const Request requests[] = {
        [](auto& e, const std::string& n) { return std::pair(e.speak("Merlin", n), "Speak Merlin \"" + n + "\""); },
        [](auto& e, const std::string& n) { return std::pair(e.moveTo("Merlin", 1, 2, 500), "MoveTo Merlin 1 2 500"); },
        [](auto& e, const std::string& n) { return std::pair(e.play("Merlin", "Wave"), "Play Merlin \"Wave\""); },
        [](auto& e, const std::string& n) { return std::pair(e.gestureAt("Merlin", 3, 0), "GestureAt Merlin 3 0"); },
        [](auto& e, const std::string& n) { return std::pair(e.think("Merlin", n), "Think Merlin \"" + n + "\""); },
    };
    std::vector<Ended> expected;
    std::vector<std::string> lines;
    for (int i = 0; i < 250; ++i) {
        const auto [id, line] = requests[i % 5](engine, std::to_string(i));
        expected.push_back({id, RequestEnd::Completed});
        lines.push_back(line);
    }
    EXPECT_EQ(ended, expected);
    EXPECT_EQ(engine.traceLines(), lines);
}

TEST_F(TraceMode, ACharacterNotLoadedTakesNoRequestsAndReadsAsNothing) {
    engine.unload("Merlin");
    ended.clear();
    for (RequestId id : {engine.show("Merlin", true), engine.speak("Merlin", "Hallo"),
                         engine.moveTo("Merlin", 1, 2, 0), engine.gestureAt("Merlin", 1, 2),
                         engine.play("Merlin", "Wave"), engine.think("Merlin", "Hmm")})
        EXPECT_EQ(id, 0);
    engine.setHeight("Merlin", 60);
    engine.stop("Merlin");
    engine.stopAll("Merlin");
    EXPECT_TRUE(ended.empty());
    EXPECT_EQ(engine.left("Merlin"), 0);
    EXPECT_EQ(engine.top("Merlin"), 0);
    EXPECT_EQ(engine.height("Merlin"), 0);
    EXPECT_EQ(engine.width("Merlin"), 0);
    EXPECT_FALSE(engine.visible("Merlin"));
    EXPECT_EQ(engine.state(0), RequestState::Unknown);
    EXPECT_EQ(engine.state(1000000), RequestState::Unknown);
}

TEST_F(TraceMode, TheLinesCanGoToAFile) {
    const std::filesystem::path folder = temporaryFolder("tabloom-trace");
    const std::string file = (folder / "trace.txt").string();
    engine.setTrace(true, file);
    engine.moveTo("Merlin", 10, 20, 1000);
    engine.speak("Merlin", "abc\r\ndef");
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "MoveTo Merlin 10 20 1000\nSpeak Merlin \"abc{CR}{LF}def\"\n");
    EXPECT_TRUE(engine.traceLines().empty());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace agenttest
