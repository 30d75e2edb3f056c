// Speech texts: the tags a speech carries, what the balloon shows of it and
// what the voice reads.
#include "platform/agent/SpeechText.h"
#include "platform/agent/Voice.h"

#include <gtest/gtest.h>

using namespace platform::agent;

namespace {

struct Case {
    const char* text;
    const char* shown;
    const char* markup;  // what the speech program reads
    platform::Long speed;
    bool voiced;
};

TEST(SpeechText, TagsSetPausesVolumeAndSpeedAndAnyOtherBackslashIsText) {
    const SpeechSettings defaults{.speed = 200};
    const Case cases[] = {
        {"Hallo", "Hallo", "Hallo", 200, true},
        {"abc\\Pau=40\\\r\ndef", "abc\r\ndef", "abc<break time=\"40ms\"/>\ndef", 200, true},
        {"\\pAU=1500\\Wacht", "Wacht", "<break time=\"1500ms\"/>Wacht", 200, true},
        {"\\Vol=1\\\r\nAlleen tekst", "\r\nAlleen tekst", "\nAlleen tekst", 200, false},
        {"\\vol=0\\stil", "stil", "stil", 200, false},
        {"\\Vol=65535\\luid", "luid", "luid", 200, true},
        {"\\spd=120\\Langzaam", "Langzaam", "Langzaam", 120, true},
        {"\\SPD=120\\Langzaam", "Langzaam", "Langzaam", 120, true},
        {"\\Spd=10\\Te traag", "Te traag", "Te traag", SpeechSettings::kSlowest, true},
        {"\\Spd=9000\\Te snel", "Te snel", "Te snel", SpeechSettings::kFastest, true},
        {"  \\Spd=120\\Eerst \\Spd=300\\dan", "  Eerst dan", "  Eerst dan", 120, true},
        {"\\Rst\\Gewoon", "Gewoon", "Gewoon", SpeechSettings::kDefaultSpeed, true},
        {"C:\\temp\\bestand", "C:\\temp\\bestand", "C:\\temp\\bestand", 200, true},
        {"\\Emp\\nadruk", "\\Emp\\nadruk", "\\Emp\\nadruk", 200, true},
        {"\\Pau=\\x \\Pau=4a\\y \\Spd\\z", "\\Pau=\\x \\Pau=4a\\y \\Spd\\z",
         "\\Pau=\\x \\Pau=4a\\y \\Spd\\z", 200, true},
        {"open \\Pau=40", "open \\Pau=40", "open \\Pau=40", 200, true},
        {"x < y & \"z\" 'q' >", "x < y & \"z\" 'q' >", "x &lt; y &amp; &quot;z&quot; &apos;q&apos; &gt;", 200, true},
        {"caf\xE9", "caf\xE9", "caf\xC3\xA9", 200, true},
    };
    for (const Case& c : cases) {
        const Speech speech = parseSpeech(c.text, defaults);
        EXPECT_EQ(speech.shown, c.shown) << c.text;
        EXPECT_EQ(voiceMarkup(speech), c.markup) << c.text;
        EXPECT_EQ(speech.settings.speed, c.speed) << c.text;
        EXPECT_EQ(speech.settings.voiced, c.voiced) << c.text;
        EXPECT_FALSE(speech.showsNothing()) << c.text;
    }
}

TEST(SpeechText, ATextOfTagsAloneShowsNothingAndEndsWithTheSettingsItMade) {
    const Speech load = parseSpeech("\\Rst\\\\spd=120\\", SpeechSettings{.speed = 300, .voiced = false});
    EXPECT_TRUE(load.showsNothing());
    EXPECT_EQ(load.settings, (SpeechSettings{.speed = 120, .voiced = true}));
    EXPECT_TRUE(parseSpeech("", {}).showsNothing());
    EXPECT_TRUE(parseSpeech(" \r\n\\Vol=1\\ ", {}).showsNothing());
    EXPECT_FALSE(parseSpeech(" \r\n\\Vol=1\\ .", {}).settings.voiced);
}

TEST(SpeechText, TheBalloonBreaksLinesAtLineEndsOfEveryKind) {
    EXPECT_EQ(speechLines("een\r\ntwee\rdrie\nvier"), (std::vector<std::string>{"een", "twee", "drie", "vier"}));
    EXPECT_EQ(speechLines("\r\n\r\n"), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(speechLines("een"), (std::vector<std::string>{"een"}));
}

TEST(SpeechText, TheReadingTimeCountsWordsAtTheSpeedAndThePauses) {
    // 6 words at 120 a minute is 3 s; a pause of 500 ms; a second to finish reading.
    const Speech speech = parseSpeech("\\Spd=120\\een twee\r\ndrie  vier \\Pau=500\\vijf zes", {});
    EXPECT_EQ(speech.readingTime(), std::chrono::milliseconds(3000 + 500 + 1000));
}

}  // namespace
