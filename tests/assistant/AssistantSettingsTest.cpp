// The assistant's two files and its settings: created on the first run,
// read once, written row by row; a file that exists but does not open is
// never replaced.
#include "AssistantFixture.h"

#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/system/Errors.h"
#include "platform/ui/DesktopRect.h"

#include <functional>

using namespace platform;

namespace {

std::size_t recordBytes(const FieldTable& table) {
    std::size_t bytes = 0;
    for (const FieldInfo& f : table.all()) bytes += f.size;
    return bytes;
}

std::string settingValue(const std::string& setting) {
    AGNTSET.rec.SETTING = setting;
    return AGNTSET.get(AGNTSET.KEY_AGS) ? AGNTSET.rec.VALUE.str() : "(missing)";
}

using SettingsTest = AssistantFixture;

}  // namespace

TEST_F(SettingsTest, AFirstRunCreatesBothFilesEmptyAndEverySettingTakesItsDefault) {
    loadSettings();
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "AGNTSET"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "AGNTFILE"));
    EXPECT_EQ(AGNTSET.records(), 0);
    EXPECT_EQ(AGNTFILE.records(), 0);
    EXPECT_EQ(recordBytes(AGNTSETRecord::fieldTable()), 162u);
    EXPECT_EQ(recordBytes(AGNTFILERecord::fieldTable()), 870u);

    EXPECT_EQ(assistant.TRAINFILEOPEN, 1);
    EXPECT_EQ(assistant.AGENTNAME.view(), "Merlin");
    EXPECT_EQ(assistant.LANGUAGEID, 1043);
    EXPECT_EQ(assistant.ASSISTENTBINNENBUREAUBLAD, 1);
    EXPECT_EQ(assistant.SLOWDOWNMOUSEVENTS, 25);
    EXPECT_EQ(assistant.TIMEOUTMOUSEEVENT, 10);
    EXPECT_EQ(assistant.TYPESNELHEID, 10);
    EXPECT_EQ(assistant.USEMENTAVOBUTTON, 1);
    EXPECT_EQ(assistant.SPEAKDELAY, 0);
    EXPECT_EQ(assistant.SPEAKSPEED, 0);
    const ScreenRect desktop = desktopRect();
    EXPECT_EQ(assistant.DESKTOPPLACEMENT.RIGHT, desktop.right);
    EXPECT_EQ(assistant.DESKTOPPLACEMENT.BOTTOM, desktop.bottom);
}

TEST_F(SettingsTest, StoredRowsGiveTheFieldsTheirValuesInTheFieldsOwnWidth) {
    const std::string letters25 = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    const struct {
        const char* setting;
        std::string value;
        std::function<std::string(const AssistantClass&)> field;
        std::string expected;
    } cases[] = {
        {"~MSAgent.Character", "", [](const AssistantClass& a) { return a.AGENTNAME.str(); }, "Merlin"},
        {"~MSAgent.Character", "Jan", [](const AssistantClass& a) { return a.AGENTNAME.str(); }, "Jan"},
        {"~MSAgent.Character", letters25, [](const AssistantClass& a) { return a.AGENTNAME.str(); },
         letters25.substr(0, 19)},
        {"SpeakSpeed", "300", [](const AssistantClass& a) { return std::to_string(a.SPEAKSPEED); }, "44"},
        {"SlowDownMousEvents", "70000", [](const AssistantClass& a) { return std::to_string(a.SLOWDOWNMOUSEVENTS); },
         "4464"},
        {"TimeOutMouseEvent", "x", [](const AssistantClass& a) { return std::to_string(a.TIMEOUTMOUSEEVENT); }, "0"},
        {"SpeakDelay", "7", [](const AssistantClass& a) { return std::to_string(a.LANGUAGEID); }, "1043"},
    };
    for (const auto& c : cases) {
        TempFolder run;
        std::filesystem::current_path(run.path());
        AgntSetFile stored;
        ASSERT_TRUE(stored.create() && stored.open());
        stored.rec.SETTING = c.setting;
        stored.rec.VALUE = c.value;
        stored.add();
        stored.close();
        assistant.TRAINFILEOPEN = 0;
        loadSettings();
        EXPECT_EQ(c.field(assistant), c.expected) << c.setting << " = \"" << c.value << "\"";
        MentavoModuleInit(1);
        std::filesystem::current_path(folder.path());
    }
}

TEST_F(SettingsTest, ASecondLoadInTheSameRunChangesNothing) {
    loadSettings();
    assistant.PutSetting("Jan", "~MSAgent.Character");
    assistant.PutSetting("3", "TypeSnelheid");
    assistant.LoadSettings();
    EXPECT_EQ(assistant.AGENTNAME.view(), "Merlin");
    EXPECT_EQ(assistant.TYPESNELHEID, 10);
}

TEST_F(SettingsTest, PutSettingAddsReplacesClipsAndCutsBothTextsTo80) {
    loadSettings();
    const std::string long90(90, 'v');
    const std::string name90 = "~" + std::string(89, 'n');
    assistant.PutSetting("1  ", "UseMentavoButton  ");
    EXPECT_EQ(settingValue("UseMentavoButton"), "1");
    assistant.PutSetting("0", "UseMentavoButton");
    EXPECT_EQ(settingValue("UseMentavoButton"), "0");
    assistant.PutSetting(long90, name90);
    assistant.PutSetting(long90 + "w", name90 + "m");  // the same first 80 characters: the same row
    EXPECT_EQ(settingValue(name90.substr(0, 80)), long90.substr(0, 80));
    EXPECT_EQ(AGNTSET.records(), 2);
}

TEST_F(SettingsTest, AStepsFileThatExistsButDoesNotOpenIsSaidAndLeftAsItWas) {
    const struct {
        const char* what;
        std::function<void()> make;
    } cases[] = {
        {"not a data file", [] { writeBytes("AGNTFILE", std::string(4096, 'x')); }},
        {"another layout",
         [] {
             AgntSetFile other("AGNTFILE");
             other.create();
             other.open();
             other.rec.SETTING = "an authored row";
             other.add();
             other.close();
         }},
    };
    for (const auto& c : cases) {
        TempFolder run;
        std::filesystem::current_path(run.path());
        c.make();
        const std::string before = bytesOf("AGNTFILE");
        AgntFile tried;
        ASSERT_FALSE(tried.open()) << c.what;
        const std::string said = "Open:" + ERROR() + "|" + FILEERROR();
        assistant.TRAINFILEOPEN = 0;
        bool loaded = false;
        START([&] {
            assistant.LoadSettings();
            loaded = true;
        });
        drive::settle();
        EXPECT_EQ(drive::messageText(), said) << c.what;
        drive::answerMessage("OK");
        drive::settle();
        EXPECT_TRUE(loaded) << c.what;
        EXPECT_EQ(drive::messageText(), "") << c.what << ": one message";
        EXPECT_EQ(bytesOf("AGNTFILE"), before) << c.what;
        EXPECT_TRUE(AGNTSET.opened()) << c.what << ": the settings file is made all the same";
        EXPECT_EQ(assistant.TRAINFILEOPEN, 1) << c.what;
        EXPECT_EQ(assistant.USEMENTAVOBUTTON, 1) << c.what;
        MentavoModuleInit(1);
        std::filesystem::current_path(folder.path());
    }
}

TEST_F(SettingsTest, ASubjectOfFiftyCharactersFindsItsStepsThroughTheObject) {
    loadSettings();
    const std::string subject = std::string(49, 's') + "t";
    addStep("Probe", subject, 0);
    addStep("Probe", subject.substr(0, 49), 0);  // the same subject without its last letter
    addStep("Probe", subject, 1);
    assistant.ONDERWERP = subject;
    EXPECT_EQ(assistant.ONDERWERP.view(), subject);
    clearRecord(AGNTFILE.rec.fieldTable(), &AGNTFILE.rec);
    AGNTFILE.rec.PROCEDURENAME = "Probe";
    AGNTFILE.rec.ONDERWERP = assistant.ONDERWERP.view();
    AGNTFILE.rec.STEP = 1;
    ASSERT_TRUE(AGNTFILE.get(AGNTFILE.KEY_AGF)) << ERROR();
    EXPECT_EQ(AGNTFILE.rec.ONDERWERP.view(), subject);
}
