#include "app/frame/ProcedureServices.h"
#include "app/frame/WindowProcedure.h"
#include "app/main/Globals.h"
#include "assistant/AssistantClass.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "restyle/ZelRestyleClass.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

using Trace = std::vector<std::string>;

struct RecordingAssistant : AssistantClass {
    Trace* trace;
    explicit RecordingAssistant(Trace& t) : trace(&t) {}
    void InitWindow(const std::string& p) override { trace->push_back("assistant.InitWindow " + p); }
    void TakeEvent(const std::string& p, Long h) override {
        trace->push_back("assistant.TakeEvent " + p + " " + std::to_string(h));
    }
    void TakeAlertKey(const std::string& p, Long h) override {
        trace->push_back("assistant.TakeAlertKey " + p + " " + std::to_string(h));
    }
    void TakeWindowClosed(const std::string& p) override { trace->push_back("assistant.TakeWindowClosed " + p); }
};

struct RecordingRestyle : ZelRestyleClass {
    Trace* trace;
    Byte refuse;
    Byte consume;
    RecordingRestyle(Trace& t, Byte refuseInit, Byte consumeEvents) : trace(&t), refuse(refuseInit), consume(consumeEvents) {}
    Byte Init(const std::string& p, ZelStylemanagerClass&) override {
        trace->push_back("restyle.Init " + p);
        return refuse;
    }
    void AddControl(const std::string& d, const std::string& l, Long n) override {
        trace->push_back("restyle.AddControl " + d + " " + l + " " + std::to_string(n));
    }
    void Open(Window&, Byte s) override { trace->push_back("restyle.Open " + std::to_string(s)); }
    Byte TakeEvent() override {
        trace->push_back("restyle.TakeEvent");
        return consume;
    }
    void Destruct() override { trace->push_back("restyle.Destruct"); }
};

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
    explicit ProbeProcedure(Trace& t) : WindowProcedure("Probe", probeWindow(), 2), trace_(&t) {}
    Byte TakeAccepted() override {
        trace_->push_back("platform.TakeAccepted " + std::to_string(window().field()));
        if (window().field() == 3) window().post({EVENT::CloseWindow, 0, 0});
        return WindowProcedure::TakeAccepted();
    }
    Byte TakeNewSelection() override {
        trace_->push_back("platform.TakeNewSelection");
        return WindowProcedure::TakeNewSelection();
    }
    Byte TakeWindowEvent() override {
        trace_->push_back("platform.TakeWindowEvent " + std::to_string(window().event()));
        return WindowProcedure::TakeWindowEvent();
    }

protected:
    void setUp() override {
        trace_->push_back("setUp");
        window().alert(0, KEY::F9);
    }
    void end() override { trace_->push_back("end"); }

private:
    Trace* trace_;
};

class WindowProcedureTest : public ::testing::Test {
protected:
    void SetUp() override {
        procedureServices().assistant = &assistant;
        procedureServices().makeRestyle = [this] {
            return std::make_unique<RecordingRestyle>(trace, refuseInit, consumeEvents);
        };
        GlobalResponse = 0;
    }
    void TearDown() override {
        if (Window* w = drive::window("Probe")) w->post({EVENT::CloseWindow, 0, 0});
        drive::settle();
        resetProcedureServices();
    }
    Window& open() {
        START([this] { ProbeProcedure(trace).call(); });
        drive::settle();
        Window* w = drive::window("Probe");
        if (!w) throw std::runtime_error("the probe window did not open");
        return *w;
    }
    // Only the entries that start with `prefix`.
    Trace only(const std::string& prefix) const {
        Trace out;
        for (const std::string& t : trace)
            if (t.rfind(prefix, 0) == 0) out.push_back(t);
        return out;
    }

    Trace trace;
    Byte refuseInit = 0;
    Byte consumeEvents = 0;
    RecordingAssistant assistant{trace};
};

}  // namespace

TEST_F(WindowProcedureTest, ARefusedInitOpensNoWindowAndTellsTheAssistantNothing) {
    refuseInit = 1;
    START([this] { ProbeProcedure(trace).call(); });
    drive::settle();
    EXPECT_EQ(GlobalResponse, 5);
    EXPECT_EQ(drive::window("Probe"), nullptr);
    EXPECT_EQ(trace, (Trace{"restyle.Init Probe", "restyle.Destruct"}));
}

TEST_F(WindowProcedureTest, OpeningRegistersTheControlsThenTellsTheAssistant) {
    Window& w = open();
    const Trace expected = {"restyle.Init Probe",
                            "restyle.AddControl Window Window 0",
                            "restyle.AddControl ?Name:Prompt ?Name:Prompt 1",
                            "restyle.AddControl ?Name ?Name 2",
                            "restyle.AddControl &Close ?CloseButton 3",
                            "restyle.Open 1",
                            "assistant.InitWindow Probe",
                            "setUp"};
    EXPECT_EQ(Trace(trace.begin(), trace.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(GlobalErrors.procedureName(), "Probe");
    drive::click(w, "?CloseButton");
    EXPECT_EQ(trace.back(), "restyle.Destruct");
    EXPECT_EQ(GlobalErrors.depth(), 0u);
    EXPECT_EQ(only("end"), Trace{"end"});
}

TEST_F(WindowProcedureTest, EveryEventReachesTheAssistantThenTheRestyleObjectThenThePlatform) {
    Window& w = open();
    const std::string handle = std::to_string(w.handle());
    trace.clear();
    drive::type(w, "?Name", "x");
    const Trace expected = {"assistant.TakeEvent Probe " + handle, "restyle.TakeEvent", "platform.TakeNewSelection"};
    EXPECT_EQ(trace, expected);
}

TEST_F(WindowProcedureTest, AConsumedEventSkipsThePlatformsHandlingButNotTheAssistant) {
    consumeEvents = 1;
    Window& w = open();
    drive::type(w, "?Name", "x");
    drive::click(w, "?CloseButton");
    w.post({EVENT::CloseWindow, 0, 0});
    drive::settle();
    EXPECT_EQ(only("platform."), Trace{});
    EXPECT_EQ(only("assistant.TakeEvent").size(), only("restyle.TakeEvent").size());
    EXPECT_GE(only("assistant.TakeEvent").size(), 3u);  // OpenWindow, NewSelection, Accepted, ...
}

TEST_F(WindowProcedureTest, AnAlertKeyReachesTheAssistantWithTheWindowsHandleAndName) {
    Window& w = open();
    trace.clear();
    drive::pressKey(w, KEY::F9);
    EXPECT_EQ(only("assistant.TakeAlertKey"), Trace{"assistant.TakeAlertKey Probe " + std::to_string(w.handle())});
}

TEST_F(WindowProcedureTest, ClosingTellsTheAssistantAndRunsTheEndStep) {
    Window& w = open();
    drive::closeBySystemMenu(w);
    EXPECT_EQ(only("assistant.TakeWindowClosed"), Trace{"assistant.TakeWindowClosed Probe"});
    EXPECT_EQ(only("end"), Trace{"end"});
    EXPECT_EQ(drive::window("Probe"), nullptr);
}
