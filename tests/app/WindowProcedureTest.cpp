#include "app/frame/ProcedureServices.h"
#include "app/frame/WindowProcedure.h"
#include "app/main/Globals.h"
#include "assistant/AssistantClass.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "restyle/ZelRestyleClass.h"
#include "programsupport/Recorders.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec probeWindow() {
    return {.label = "P1$WINDOW",
            .title = "Probe",
            .controls = {{.type = CREATE::prompt, .label = "?Name:Prompt", .text = "Name:"},
                         {.type = CREATE::entry, .label = "?Name", .at = {40, 2, 60, 10}},
                         {.type = CREATE::button, .label = "?CloseButton", .text = "&Close", .at = {2, 20, 40, 14}}}};
}

// A procedure that logs the platform's handling it reaches.
class ProbeProcedure : public WindowProcedure {
public:
    explicit ProbeProcedure(Trace& t) : WindowProcedure("Probe", probeWindow(), "?Name"), trace_(&t) {}
    Byte TakeAccepted() override {
        trace_->add("platform.TakeAccepted " + std::to_string(window().field()));
        if (window().field() == equate("?CloseButton")) window().post({EVENT::CloseWindow, 0, 0});
        return WindowProcedure::TakeAccepted();
    }
    Byte TakeNewSelection() override {
        trace_->add("platform.TakeNewSelection");
        return WindowProcedure::TakeNewSelection();
    }
    Byte TakeWindowEvent() override {
        trace_->add("platform.TakeWindowEvent " + std::to_string(window().event()));
        return WindowProcedure::TakeWindowEvent();
    }

protected:
    void setUp() override {
        trace_->add("setUp");
        window().alert(0, KEY::F9);
    }
    void end() override { trace_->add("end"); }

private:
    Trace* trace_;
};

class WindowProcedureTest : public ::testing::Test {
protected:
    void SetUp() override {
        procedureServices().assistant = &assistant;
        procedureServices().makeRestyle = [this] {
            auto made = std::make_unique<RecordingRestyle>(trace, refuseInit, consumeEvents);
            restyle = made.get();
            return made;
        };
        GlobalResponse = 0;
    }
    void TearDown() override {
        if (Window* w = drive::window("Probe")) {
            restyle->consume = 0;  // a window whose events are all consumed never closes
            w->post({EVENT::CloseWindow, 0, 0});
        }
        drive::settle();
        EXPECT_EQ(drive::window("Probe"), nullptr) << "the probe window outlives its test";
        resetProcedureServices();
    }
    Window& open() {
        START([this] { ProbeProcedure(trace).call(); });
        drive::settle();
        Window* w = drive::window("Probe");
        if (!w) throw std::runtime_error("the probe window did not open");
        return *w;
    }
    Calls only(const std::string& prefix) const { return trace.only({prefix}); }

    Trace trace;
    Byte refuseInit = 0;
    Byte consumeEvents = 0;
    RecordingRestyle* restyle = nullptr;  // the open window's
    RecordingAssistant assistant{trace};
};

}  // namespace

TEST_F(WindowProcedureTest, ARefusedInitOpensNoWindowAndTellsTheAssistantNothing) {
    refuseInit = 1;
    START([this] { ProbeProcedure(trace).call(); });
    drive::settle();
    EXPECT_EQ(GlobalResponse, 5);
    EXPECT_EQ(drive::window("Probe"), nullptr);
    EXPECT_EQ(trace.calls, (Calls{"restyle.Init Probe", "restyle.Destruct"}));
}

TEST_F(WindowProcedureTest, OpeningRegistersTheControlsThenTellsTheAssistant) {
    Window& w = open();
    const Calls expected = {"restyle.Init Probe",
                            "restyle.AddControl Window Window 0",
                            "restyle.AddControl ?Name:Prompt ?Name:Prompt 1",
                            "restyle.AddControl ?Name ?Name 2",
                            "restyle.AddControl &Close ?CloseButton 3",
                            "restyle.Open 1",
                            "assistant.InitWindow Probe",
                            "setUp"};
    EXPECT_EQ(Calls(trace.calls.begin(), trace.calls.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(GlobalErrors.procedureName(), "Probe");
    drive::click(w, "?CloseButton");
    EXPECT_EQ(trace.calls.back(), "restyle.Destruct");
    EXPECT_EQ(GlobalErrors.depth(), 0u);
    EXPECT_EQ(only("end"), Calls{"end"});
}

TEST_F(WindowProcedureTest, EveryEventReachesTheAssistantThenTheRestyleObjectThenThePlatform) {
    Window& w = open();
    const std::string handle = std::to_string(w.handle());
    trace.calls.clear();
    drive::type(w, "?Name", "x");
    const Calls expected = {"assistant.TakeEvent Probe " + handle, "restyle.TakeEvent", "platform.TakeNewSelection"};
    EXPECT_EQ(trace.calls, expected);
}

TEST_F(WindowProcedureTest, AConsumedEventSkipsThePlatformsHandlingButNotTheAssistant) {
    consumeEvents = 1;
    Window& w = open();
    drive::type(w, "?Name", "x");
    drive::click(w, "?CloseButton");
    w.post({EVENT::CloseWindow, 0, 0});
    drive::settle();
    EXPECT_EQ(only("platform."), Calls{});
    EXPECT_EQ(only("assistant.TakeEvent").size(), only("restyle.TakeEvent").size());
    EXPECT_GE(only("assistant.TakeEvent").size(), 3u);  // OpenWindow, NewSelection, Accepted, ...
}

TEST_F(WindowProcedureTest, AnAlertKeyReachesTheAssistantWithTheWindowsHandleAndName) {
    Window& w = open();
    trace.calls.clear();
    drive::pressKey(w, KEY::F9);
    EXPECT_EQ(only("assistant.TakeAlertKey"), Calls{"assistant.TakeAlertKey Probe " + std::to_string(w.handle())});
}

TEST_F(WindowProcedureTest, ClosingTellsTheAssistantAndRunsTheEndStep) {
    Window& w = open();
    drive::closeBySystemMenu(w);
    EXPECT_EQ(only("assistant.TakeWindowClosed"), Calls{"assistant.TakeWindowClosed Probe"});
    EXPECT_EQ(only("end"), Calls{"end"});
    EXPECT_EQ(drive::window("Probe"), nullptr);
}
