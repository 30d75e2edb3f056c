// The assistant at work in a folder of its own: its files there, probe
// window procedures announcing themselves to it on threads of their own, and
// the operations of its later parts written down as they are called.
#pragma once

#include "app/frame/WindowProcedure.h"
#include "assistant/AssistantClass.h"
#include "programsupport/Recorders.h"
#include "support/TempFolder.h"

#include "platform/ui/Window.h"

#include <gtest/gtest.h>
#include <string>

// Each operation of the later parts with the procedure current at the call.
struct TracingAssistant : AssistantClass {
    Trace* trace;
    explicit TracingAssistant(Trace& t) : trace(&t) {}
    void Hide(platform::Byte fast) override { trace->add(withNumber("Hide", fast)); }
    void StopAll(const std::string& type) override { trace->add("StopAll '" + type + "'"); }
    void Train(platform::Byte) override { trace->add("Train " + PROCEDURENAME.str()); }
    void KiesOnderwerp(platform::Byte) override { trace->add("KiesOnderwerp " + PROCEDURENAME.str()); }
    void TogglePlayControl() override { trace->add("TogglePlayControl " + PROCEDURENAME.str()); }
    void ToggleTrainMode() override {
        AssistantClass::ToggleTrainMode();
        trace->add("ToggleTrainMode " + PROCEDURENAME.str());
    }
    // Set: the recorder and the replay do their work after being written down.
    bool recorderWorks = false;
    void RecordEvent(const std::string& p, platform::Long h) override {
        trace->add(withNumber("RecordEvent " + p, event()));
        if (recorderWorks) AssistantClass::RecordEvent(p, h);
    }
    void ReplayEvent(const std::string& p, platform::Long h) override {
        trace->add(withNumber("ReplayEvent " + p, event()));
        if (recorderWorks) AssistantClass::ReplayEvent(p, h);
    }

private:
    static platform::Long event();
};

struct ProbeOptions {
    std::string procedure = "Probe";
    std::string title = "Probe";
    bool resizable = true;
    // Controls below the probe's own, which lie in its first 70 pixels.
    std::vector<platform::ControlSpec> more;
};

// A window procedure on the frame every window has: it writes down the
// Accepted events and, after the frame's handling, the key code of each
// AlertKey; its "?OpenButton" opens the procedure "Nested" over it on its
// own thread, "?CloseButton" closes it and "?OkButton" does nothing else.
class ProbeProcedure : public WindowProcedure {
public:
    ProbeProcedure(Trace& trace, const ProbeOptions& options);
    platform::Byte TakeAccepted() override;
    platform::Byte TakeWindowEvent() override;

protected:
    void setUp() override;

private:
    Trace* trace_;
    std::string title_;
};

class AssistantFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The files opened (or created) and the settings read, as the first
    // window of a run does.
    void loadSettings() { assistant.LoadSettings(); }
    // A row of AGNTFILE: a subject's header (step 0) or one of its steps.
    void addStep(const std::string& procedure, const std::string& subject, platform::Long step);
    void removeSteps(const std::string& procedure);
    // Opens the probe on a thread of its own and waits for its window.
    platform::Window& openProbe(const ProbeOptions& options = {});
    // The control carrying the assistant's button icon, 0 for none.
    static platform::Long assistantButton(platform::Window& window);
    // Closes the window as its close box does and lets its thread end.
    static void closeWindow(platform::Window& window);

    TempFolder folder;
    Trace trace;
    Trace restyleTrace;
    TracingAssistant assistant{trace};

private:
    std::string previousFolder_;
};
