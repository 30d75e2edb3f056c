// The assistant's settings on the training window's "Algemeen" tab, stored
// when it closes, and the animation a step plays, completed as it is typed.
#include "TrainingFixture.h"

#include "app/main/Globals.h"
#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class TrainingSettingsTest : public TrainingFixture {};

}  // namespace

TEST_F(TrainingSettingsTest, EachSettingReachesItsRowWhenTheWindowCloses) {
    Window& w = openTraining();
    drive::chooseTab(w, "?TAB7");
    const struct {
        const char* control;
        const char* typed;  // nullptr: a check box, clicked
        const char* setting;
        const char* stored;
    } cases[] = {
        {"?ZOEKVENSTERTRANSPARANT", nullptr, "ZoekVensterTransparant", "1"},
        {"?SELF:SPEAKDELAY", "7", "SpeakDelay", "7"},
        {"?SELF:SPEAKSPEED", "120", "SpeakSpeed", "120"},
        {"?SELF:ASSISTENTBINNENBUREAUBLAD", nullptr, "AssistentBinnenBureaublad", "0"},
        {"?SELF:SLOWDOWNMOUSEVENTS", "30", "SlowDownMousEvents", "30"},
        {"?SELF:TIMEOUTMOUSEEVENT", "12", "TimeOutMouseEvent", "12"},
        {"?SELF:TYPESNELHEID", "15", "TypeSnelheid", "15"},
        {"?SELF:USEMENTAVOBUTTON", nullptr, "UseMentavoButton", "0"},
    };
    for (const auto& c : cases) {
        if (c.typed) {
            drive::typeOver(w, c.control, c.typed);
            drive::leave(w, c.control);
        } else {
            drive::click(w, c.control);
        }
        EXPECT_EQ(setting(c.setting), "<missing>") << c.setting << " waits for the close";
    }
    drive::chooseFromDropList(w, "?LANGUAGE", "English (US)");
    EXPECT_EQ(takeLines().back(), "LanguageID Merlin 1033") << "the character speaks it at once";
    closeTraining();
    for (const auto& c : cases) EXPECT_EQ(setting(c.setting), c.stored) << c.setting;
    EXPECT_EQ(setting("Language"), "1033");
    EXPECT_EQ(setting(kProcedure), "Algemeen") << "the procedure's last subject";
}

TEST_F(TrainingSettingsTest, TheLanguageIsShownByTheFirstNameOfItsId) {
    openConnection();
    const struct {
        const char* stored;  // nullptr: no row
        const char* shown;
    } cases[] = {{nullptr, "Nederlands"}, {"1043", "Dutch"}, {"1031", "German"}, {"9999", ""}};
    for (const auto& c : cases) {
        if (c.stored) {
            Assistant.PutSetting(c.stored, "Language");
        } else if (readSetting("Language")) {
            AGNTSET.remove();
        }
        Window& w = openTraining();
        EXPECT_EQ(drive::screenText(w, "?LANGUAGE"), c.shown) << (c.stored ? c.stored : "no row");
        closeTraining();
    }
    Window& w = openTraining();
    drive::chooseTab(w, "?TAB7");
    drive::chooseFromDropList(w, "?LANGUAGE", "Nederlands");
    closeTraining();
    EXPECT_EQ(setting("Language"), "1043");
    EXPECT_EQ(drive::screenText(openTraining(), "?LANGUAGE"), "Dutch") << "the first name of 1043";
}

TEST_F(TrainingSettingsTest, VolumeAndPitchShowTheSpeedAndDelayOfSpeech) {
    Window& w = openTraining();
    drive::chooseTab(w, "?TAB7");
    const struct {
        const char* typed;
        const char* shown;
    } pairs[] = {{"?T1", "?SELF:SPEAKSPEED"}, {"?SELF:SPEAKDELAY", "?T2"}};
    for (const auto& p : pairs) {
        drive::typeOver(w, p.typed, "42");
        drive::leave(w, p.typed);
        EXPECT_EQ(drive::screenText(w, p.shown), "42") << p.shown;
    }
}

TEST_F(TrainingSettingsTest, AnotherCharacterIsLoadedWhenTheWindowClosesAndKept) {
    Window& w = openTraining();
    drive::chooseTab(w, "?TAB7");
    drive::typeOver(w, "?AGENTNAME", "Robin");
    drive::leave(w, "?AGENTNAME");
    takeLines();
    closeTraining();
    const Lines lines = takeLines();
    const auto at = [&](const std::string& start) {
        return std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(start); });
    };
    ASSERT_NE(at("Unload Merlin"), lines.end());
    ASSERT_NE(at("Load Robin \""), lines.end());
    ASSERT_NE(at("Show Robin 0"), lines.end());
    EXPECT_LT(at("Unload Merlin"), at("Load Robin \""));
    EXPECT_LT(at("Load Robin \""), at("Show Robin 0"));
    EXPECT_EQ(setting("~MSAgent.Character"), "Robin");
    EXPECT_EQ(Assistant.AGENTLOADED, 1);

    openTraining();
    closeTraining();
    const Lines again = takeLines();
    EXPECT_TRUE(std::none_of(again.begin(), again.end(), [](const std::string& l) { return l.starts_with("Unload"); }))
        << "the same name again: no reload";
}

TEST_F(TrainingSettingsTest, TheAnimationTypedIsCompletedByTheFirstNameNotBelowIt) {
    openConnection();
    addSubject("Algemeen", {1});
    Window& w = openTraining();
    drive::chooseTab(w, "?STAPTAB");
    const Long combo = w.equate("?AGENTSTAPANIMATE");
    const struct {
        const char* typed;
        const char* shown;
        bool corrected;  // the combo keeps the focus for the author to correct it
    } cases[] = {{"gre", "Greet", false}, {"readi", "Reading", false}, {"zzz", "zzz", true}, {"", "", false}};
    for (const auto& c : cases) {
        drive::typeOver(w, "?AGENTSTAPANIMATE", c.typed);
        if (!*c.typed) drive::pressKey(w, KEY::Delete);
        drive::leave(w, "?AGENTSTAPANIMATE");
        EXPECT_EQ(drive::screenText(w, "?AGENTSTAPANIMATE"), c.shown) << c.typed;
        EXPECT_EQ(w.focus() == combo, c.corrected) << c.typed;
    }
    drive::typeOver(w, "?AGENTSTAPANIMATE", "gre");
    drive::leave(w, "?AGENTSTAPANIMATE");
    closeTraining();
    AGNTFILE.rec.PROCEDURENAME = kProcedure;
    AGNTFILE.rec.ONDERWERP = "Algemeen";
    AGNTFILE.rec.STEP = 1;
    ASSERT_TRUE(AGNTFILE.get(AGNTFILE.KEY_AGF));
    EXPECT_EQ(AGNTFILE.rec.ANIMATE.view(), "Greet");
}
