// One step against the engine's trace: the corner that lands on the point,
// staying put, the animation before or after the speech, hiding, text
// without voice, pointing; a subject's steps in order after its header; and
// the training window's subject.
#include "SubjectFixture.h"

#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"

using namespace platform;

namespace {

class PlayStepTest : public SubjectFixture {
protected:
    void SetUp() override {
        SubjectFixture::SetUp();
        assistant.ASSISTENTBINNENBUREAUBLAD = 0;
        assistant.WIDTH = 101;
        assistant.HEIGHT = 61;
        assistant.SetWindowPosition(200, 100);
    }
    Lines play(const AGNTFILERecord& step) {
        takeLines();
        probe->run([&](Window&) { assistant.PlayStep(step); });
        return takeLines();
    }
};

std::string at(const char* call, Long x, Long y) {
    return std::string(call) + " Merlin " + std::to_string(x) + " " + std::to_string(y);
}

// A step at (50, 40) of the window at (200, 100), speed 300, that says
// "Hallo", waves afterwards and points.
AGNTFILERecord step(const std::function<void(AGNTFILERecord&)>& change = {}) {
    AGNTFILERecord r;
    clearRecord(r.fieldTable(), &r);
    r.POSITIONX = 50;
    r.POSITIONY = 40;
    r.SPEED = 300;
    r.CURSORPOSTOVAGENT = "LB";
    r.ANIBEFOREORAFTER = "A";
    r.ANIMATE = "Wave";
    r.SPEAK = "Hallo";
    r.AANWIJSRICHTING = 1;
    if (change) change(r);
    return r;
}

}  // namespace

TEST_F(PlayStepTest, EachKindOfStepAsTheEngineHearsIt) {
    const std::string show = "Show Merlin 0", hallo = speakLine("Hallo"), wave = "Play Merlin \"Wave\"";
    const std::string pointed = at("GestureAt", 250, 140);
    const auto move = [](Long x, Long y) { return at("MoveTo", x, y) + " 300"; };
    const struct {
        const char* what;
        std::function<void(AGNTFILERecord&)> change;
        Lines lines;
    } cases[] = {
        {"top left", {}, {show, move(250, 140), hallo, wave, pointed}},
        {"top right", [](auto& r) { r.CURSORPOSTOVAGENT = "RB"; }, {show, move(149, 140), hallo, wave, pointed}},
        {"middle, halves truncated", [](auto& r) { r.CURSORPOSTOVAGENT = "MM"; },
         {show, move(200, 109), hallo, wave, pointed}},
        {"bottom left", [](auto& r) { r.CURSORPOSTOVAGENT = "LO"; }, {show, move(250, 79), hallo, wave, pointed}},
        {"bottom right", [](auto& r) { r.CURSORPOSTOVAGENT = "RO"; }, {show, move(149, 79), hallo, wave, pointed}},
        {"another code", [](auto& r) { r.CURSORPOSTOVAGENT = "XX"; }, {show, move(250, 140), hallo, wave, pointed}},
        {"the character's own pace", [](auto& r) { r.SPEED = -1; },
         {show, at("MoveTo", 250, 140), hallo, wave, pointed}},
        {"staying put points at the point",
         [](auto& r) {
             r.DONNOTMOVE = 1;
             r.CURSORPOSTOVAGENT = "RO";
         },
         {show, hallo, wave, pointed}},
        {"animation before", [](auto& r) { r.ANIBEFOREORAFTER = "B"; }, {show, move(250, 140), wave, pointed, hallo}},
        {"hide before, then speech",
         [](auto& r) {
             r.ANIBEFOREORAFTER = "B";
             r.ANIMATE = "Hide";
         },
         {show, move(250, 140), "Hide Merlin 0", hallo}},
        {"hide after", [](auto& r) { r.ANIMATE = "Hide"; }, {show, move(250, 140), hallo, "Hide Merlin 0"}},
        {"text without voice", [](auto& r) { r.ALLEENTEKST = 1; },
         {show, move(250, 140), "Speak Merlin \"\\Vol=1\\{CR}Hallo\"", wave, pointed}},
        {"blank text, no animation, no pointing",
         [](auto& r) {
             r.SPEAK = "   ";
             r.ANIMATE = "";
             r.AANWIJSRICHTING = 0;
         },
         {show, move(250, 140)}},
    };
    for (const auto& c : cases) {
        assistant.NOVOICE = 0;
        EXPECT_EQ(play(step(c.change)), c.lines) << c.what;
    }
}

TEST_F(PlayStepTest, TheStepInTheFilesBufferIsCopiedBeforeItPlays) {
    AGNTFILE.rec = step([](auto& r) { r.DONNOTMOVE = 1; });
    takeLines();
    probe->run([&](Window&) { assistant.PlayStep(); });
    EXPECT_EQ(takeLines(), (Lines{"Show Merlin 0", speakLine("Hallo"), "Play Merlin \"Wave\"", at("GestureAt", 250, 140)}));
}

TEST_F(PlayStepTest, ASubjectPlaysItsStepsInOrderAfterItsHeader) {
    const auto said = [](const char* text) { return [text](AGNTFILERecord& r) { r.SPEAK = text; }; };
    addRow("Main", "Met kop", 0, said("kop"));
    for (Long s : {5, 1, 3}) addRow("Main", "Met kop", s, said(("stap " + std::to_string(s)).c_str()));
    for (Long s : {2, 4}) addRow("Main", "Zonder kop", s, said(("stap " + std::to_string(s)).c_str()));
    addRow("Main", "Met kop extra", 1, said("een ander onderwerp"));
    const struct {
        const char* subject;
        Lines spoken;
    } cases[] = {
        {"Met kop", {speakLine("stap 1"), speakLine("stap 3"), speakLine("stap 5")}},
        {"Zonder kop", {speakLine("stap 4")}},
        {"Niets", {}},
    };
    for (const auto& c : cases) {
        takeLines();
        probe->run([&](Window&) { assistant.PlaySubject("Main", c.subject); });
        const Lines lines = takeLines();
        Lines speech;
        for (const std::string& line : lines)
            if (line.starts_with("Speak")) speech.push_back(line);
        EXPECT_EQ(speech, c.spoken) << c.subject;
        if (!c.spoken.empty()) {
            EXPECT_EQ(lines.front(), "Stop Merlin") << c.subject << ": stopped before the steps";
        }
    }
}

TEST_F(PlayStepTest, TheTrainingWindowsSubjectPlaysWithoutAWindowUnlessThereIsOnlyOne) {
    for (const char* subject : {"Zoeken", "Inloggen"}) addSpokenSubject("Main", subject);
    addSpokenSubject("Enkel", "Het enige");
    const struct {
        const char* procedure;
        Lines spoken;
    } cases[] = {{"Main", {speakLine("Zoeken")}}, {"Enkel", {speakLine("Het enige")}}, {"Leeg", {}}};
    for (const auto& c : cases) {
        takeLines();
        probe->run([&](Window&) {
            assistant.PROCEDURENAME = c.procedure;
            assistant.ONDERWERP = "Zoeken";
            assistant.KiesOnderwerp(1);
        });
        EXPECT_EQ(spoken(), c.spoken) << c.procedure;
        EXPECT_EQ(chooser(), nullptr) << c.procedure;
    }
}
