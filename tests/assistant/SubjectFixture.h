// Subjects played through a real agent in trace mode (TracedAgentFixture):
// the procedure "Main" has a window on a thread of its own that hands its
// keys and events to the assistant; steps are written to AGNTFILE as a test
// needs them.
#pragma once

#include "AssistantFixture.h"
#include "TracedAgentFixture.h"

#include "assistant/AgntFile.h"

#include <functional>

class SubjectFixture : public TracedAgentFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // A row of the subject; `fill` sets what the step does (a header when
    // `step` is 0).
    static void addRow(const std::string& procedure, const std::string& subject, platform::Long step,
                       const std::function<void(AGNTFILERecord&)>& fill = {});
    // A header and one step that speaks the subject's name.
    static void addSpokenSubject(const std::string& procedure, const std::string& subject);
    // The window of the procedure, opened on a thread of its own.
    platform::Window& openProcedure(const std::string& procedure);
    // The lines that say which subjects were spoken.
    Lines spoken();
    static platform::Window* chooser();

    Trace trace;
    Trace restyleTrace;
};

// The speech line of a text.
std::string speakLine(const std::string& text);
