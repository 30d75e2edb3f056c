// Character files: Merlin as the build draws him, our tiny character, the
// files that must not load, and the names that have no file.
#include "CharacterFixtures.h"

#include "platform/text/Codepage.h"

#include <QCoreApplication>
#include <functional>

namespace agenttest {
namespace {

// The animations the assistant offers its authors.
const char* const kAssistantAnimations[] = {
    "Acknowledge", "Alert", "Announce", "Blink", "Confused", "Congratulate", "Congratulate_2", "Decline", "DoMagic1",
    "DoMagic2", "DontRecognize", "Explain", "GestureDown", "GestureLeft", "GestureRight", "GestureUp",
    "GetAttention", "GetAttentionContinued", "GetAttentionReturn", "Greet", "Hearing_1", "Hearing_2", "Hearing_3",
    "Hearing_4", "Hide", "Idle1_1", "Idle1_2", "Idle1_3", "Idle1_4", "Idle1_5", "Idle1_6", "Idle2_1", "Idle2_2",
    "Idle2_3", "Idle3_1", "Idle3_2", "LookDown", "LookDownBlink", "LookDownReturn", "LookLeft", "LookLeftBlink",
    "LookLeftReturn", "LookRight", "LookRightBlink", "LookRightReturn", "LookUp", "LookUpBlink", "LookUpReturn",
    "MoveDown", "MoveLeft", "MoveRight", "MoveUp", "Pleased", "Process", "Processing", "Read", "ReadContinued",
    "ReadReturn", "Reading", "RestPose", "Sad", "Search", "Searching", "Show", "StartListening", "StopListening",
    "Suggest", "Surprised", "Think", "Thinking", "Uncertain"};

TEST(CharacterFile, MerlinHasEveryAnimationTheAssistantOffersAndABeakThatSpeaks) {
    const std::string path = CharacterEngine::instance().characterFile("Merlin");
    const std::optional<CharacterData> merlin = readCharacterFile(path);
    ASSERT_TRUE(merlin) << path;
    EXPECT_EQ(std::size(kAssistantAnimations), 71u);
    for (const char* name : kAssistantAnimations) {
        const Animation* animation = merlin->animation(name);
        ASSERT_NE(animation, nullptr) << name;
        EXPECT_FALSE(animation->frames.empty()) << name;
    }
    ASSERT_NE(merlin->animation("Speaking"), nullptr);
    EXPECT_GT(merlin->animation("Speaking")->frames.size(), 1u);
    EXPECT_EQ(merlin->name, "Merlin");
    EXPECT_EQ(merlin->width, 120);
    EXPECT_EQ(merlin->height, 120);
}

TEST(CharacterFile, ReadsWhatWasWrittenAndFindsAnimationsWhateverTheirCaseAndTrailingBlanks) {
    TinyCharacter tiny;
    const std::optional<CharacterData> data = readCharacterFile(tiny.path());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->name, "Tiny");
    EXPECT_EQ(data->width, 20);
    EXPECT_EQ(data->height, 30);
    ASSERT_EQ(data->images.size(), 2u);
    EXPECT_EQ(data->images[1].pixel(0, 0), QColor(Qt::red).rgba());
    EXPECT_EQ(data->animationNames(), (std::vector<std::string>{"GestureLeft", "Hide", "RestPose", "Wave"}));

    const Animation* wave = data->animation("wAVE  ");
    ASSERT_NE(wave, nullptr);
    ASSERT_EQ(wave->frames.size(), 2u);
    EXPECT_EQ(wave->frames[0].image, 1);
    EXPECT_EQ(wave->frames[1].image, 0);
    EXPECT_EQ(wave->frames[1].duration, 100);
    EXPECT_EQ(data->animation(" Wave"), nullptr);
    EXPECT_EQ(data->animation("Wav"), nullptr);
}

TEST(CharacterFile, ABadFileDoesNotLoad) {
    struct Spoiled {
        const char* what;
        std::function<void(TinyCharacter&)> spoil;
    };
    auto withPngs = [](std::vector<QByteArray> pngs) {
        return [pngs](TinyCharacter& tiny) {
            CharacterSource source = TinyCharacter::source();
            source.pngs = pngs;
            tiny.write(source);
        };
    };
    auto sql = [](std::string statement) { return [statement](TinyCharacter& tiny) { tiny.change(statement); }; };
    const std::vector<Spoiled> cases = {
        {"not a database", [](TinyCharacter& tiny) { std::ofstream(tiny.path()) << "name,width,height\n"; }},
        {"no file", [](TinyCharacter& tiny) { std::filesystem::remove(tiny.path()); }},
        {"another version", sql("UPDATE character SET version = 2")},
        {"a character wider than 512", sql("UPDATE character SET width = 513")},
        {"a character without height", sql("UPDATE character SET height = 0")},
        {"a picture over 512 a side", withPngs({pngOf(20, 30), pngOf(20, 513)})},
        {"more than 4096 pictures", withPngs(std::vector<QByteArray>(4097, pngOf(1, 1)))},
        {"a picture that is none", sql("UPDATE image SET png = x'89504e470d0a1a0a00' WHERE id = 2")},
        {"a frame without its picture", sql("INSERT INTO frame VALUES ('Wave', 3, 7, 100)")},
        {"no character table", sql("DROP TABLE character")},
        {"no image table", sql("DROP TABLE image")},
        {"no frame table", sql("DROP TABLE frame")},
        {"no character row", sql("DELETE FROM character")},
    };
    CharacterEngine& engine = CharacterEngine::instance();
    engine.setTrace(true);
    for (const Spoiled& c : cases) {
        TinyCharacter tiny;
        c.spoil(tiny);
        EXPECT_FALSE(readCharacterFile(tiny.path())) << c.what;
        EXPECT_FALSE(engine.load("Tiny", tiny.path())) << c.what;
        EXPECT_FALSE(engine.loaded("Tiny")) << c.what;
    }
    engine.setTrace(false);
    engine.clearTrace();
}

TEST(CharacterFile, ACharacterIsFoundByItsNameInTheCharactersFolder) {
    CharacterEngine& engine = CharacterEngine::instance();
    const std::string merlin = engine.characterFile("Merlin");
    EXPECT_EQ(merlin, fromQString(QCoreApplication::applicationDirPath()) + "/characters/Merlin.tchar");
    EXPECT_EQ(engine.characterFile("Merlin  "), merlin);

    TinyCharacter tiny;
    setenv("TABLOOM_CHARACTERS", std::filesystem::path(tiny.path()).parent_path().c_str(), 1);
    EXPECT_EQ(engine.characterFile("Tiny"), tiny.path());
    engine.setTrace(true);
    EXPECT_TRUE(engine.load("Tiny"));
    EXPECT_EQ(engine.width("Tiny"), 20);
    engine.unload("Tiny");
    engine.setTrace(false);
    engine.clearTrace();
    unsetenv("TABLOOM_CHARACTERS");
}

TEST(CharacterFile, ANameThatCouldLeaveTheFolderHasNoFile) {
    CharacterEngine& engine = CharacterEngine::instance();
    for (const char* name : {"../x", "..", ".Merlin", "sub/Merlin", "sub\\Merlin", "/tmp/Merlin", "", "   "}) {
        EXPECT_EQ(engine.characterFile(name), "") << name;
        EXPECT_FALSE(engine.load(name)) << name;
    }
}

}  // namespace
}  // namespace agenttest
