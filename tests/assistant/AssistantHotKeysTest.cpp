// The assistant's four hot keys on every window: what each does for the
// window it is pressed in, and when they do nothing.
#include "AssistantFixture.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"

using namespace platform;

namespace {

constexpr Long kTrainMode = KEY::Shift + KEY::F10;
constexpr Long kTrain = KEY::Shift + KEY::F11;
constexpr Long kChooseSubject = KEY::F12;
constexpr Long kPlayControl = KEY::Shift + KEY::F12;

class HotKeysTest : public AssistantFixture {
protected:
    void SetUp() override {
        AssistantFixture::SetUp();
        loadSettings();
    }
    Calls actionsAndKeys() const {
        return trace.only({"ToggleTrainMode", "Train", "KiesOnderwerp", "TogglePlayControl", "Probe.AlertKey",
                           "Nested.AlertKey"});
    }
};

}  // namespace

TEST_F(HotKeysTest, EachKeyActsForTheWindowItIsPressedInAndTheWindowThenSeesNoKey) {
    Window& w = openProbe();
    for (Long key : {kTrainMode, kTrain, kChooseSubject, kPlayControl, KEY::F9})
        EXPECT_TRUE(w.alerted(0, key)) << key << ": the window's own key stays beside the four";
    const struct {
        Long key;
        Calls expected;
    } cases[] = {
        {kTrainMode, {"ToggleTrainMode Probe", "Probe.AlertKey 0"}},
        {kTrain, {"Train Probe", "Probe.AlertKey 0"}},
        {kChooseSubject, {"KiesOnderwerp Probe", "Probe.AlertKey 0"}},
        {kPlayControl, {"TogglePlayControl Probe", "Probe.AlertKey 0"}},
        {KEY::F9, {withNumber("Probe.AlertKey", KEY::F9)}},
    };
    for (const auto& c : cases) {
        trace.calls.clear();
        assistant.PROCEDURENAME = "Elders";
        assistant.PROCEDUREWINDOWHANDLE = 0;
        drive::pressKey(w, c.key);
        EXPECT_EQ(actionsAndKeys(), c.expected) << c.key;
        EXPECT_EQ(assistant.PROCEDUREWINDOWHANDLE, c.key == KEY::F9 ? 0 : w.handle()) << c.key;
    }
    EXPECT_EQ(assistant.TRAINMODEON, 1);
}

TEST_F(HotKeysTest, NothingHappensWhileRecordingNorInAWindowOverAnotherOfItsThread) {
    Window& w = openProbe();
    assistant.ACTIVATERECORDEVENTS = 1;
    for (Long key : {kTrain, kChooseSubject, kPlayControl}) {
        trace.calls.clear();
        drive::pressKey(w, key);
        EXPECT_EQ(actionsAndKeys(), Calls{withNumber("Probe.AlertKey", key)}) << key << " while recording";
    }

    assistant.ACTIVATERECORDEVENTS = 0;
    addStep("Nested", "Inloggen", 0);
    drive::click(w, "?OpenButton");
    Window* nested = drive::waitForWindow("Nested");
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(assistantButton(*nested), 0) << "no button under a modal state, rows or not";
    for (Long key : {kTrainMode, kTrain, kChooseSubject, kPlayControl}) {
        trace.calls.clear();
        drive::pressKey(*nested, key);
        EXPECT_EQ(actionsAndKeys(), Calls{withNumber("Nested.AlertKey", key)}) << key << " in the nested window";
    }
    EXPECT_EQ(assistant.TRAINMODEON, 0);
}

TEST_F(HotKeysTest, TheTrainModeKeyWhileRecordingClosesTheRecordingWindowThenTogglesTrainMode) {
    Window& w = openProbe();
    bool recordingOpen = false;
    const int recorder = START([&] {
        Window recording({.label = "W", .title = "Gebeurtenis(sen) opnemen"});
        recording.open();
        recordingOpen = true;
        while (recording.accept()) {
        }
        recordingOpen = false;
    });
    drive::settle();
    ASSERT_TRUE(recordingOpen);
    assistant.EVENTWINDOWTHREAD = recorder;
    assistant.ACTIVATERECORDEVENTS = 1;
    trace.calls.clear();
    drive::pressKey(w, kTrainMode);
    EXPECT_FALSE(recordingOpen);
    EXPECT_EQ(assistant.ACTIVATERECORDEVENTS, 0);
    EXPECT_EQ(actionsAndKeys(), (Calls{"ToggleTrainMode Probe", "Probe.AlertKey 0"}));
    EXPECT_EQ(assistant.TRAINMODEON, 1);
    for (const std::string& call : trace.only({"RecordEvent"}))
        for (Long event : {EVENT::PreAlertKey, EVENT::AlertKey})
            EXPECT_NE(call, withNumber("RecordEvent Probe", event)) << "the key is not recorded";
}
