// The training window: a sheet of five tabs (the procedures that have steps;
// this procedure's subjects and the steps of the current one; the step being
// edited; the assistant's settings; about), the procedure and the subject
// below it, and a row of buttons.
#pragma once

#include "assistant/AOQ.h"
#include "assistant/AgentStap.h"
#include "assistant/AnimationNames.h"
#include "assistant/AssistantClass.h"
#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/ui/WindowSpec.h"

// A procedure of the steps file.
#define APQ_FIELDS(X)                        \
    X(platform::CString<81>, PROCEDURENAME)  \
    X(platform::CString<81>, PROCEDUREOMSCHRIJVING)
struct APQRecord {
    TABLOOM_RECORD(APQRecord, "APQ", APQ_FIELDS)
};

// A language the character can speak: its name and its Windows language id.
#define LQ_FIELDS(X)                   \
    X(platform::String<30>, LANGUAGE)  \
    X(platform::Long, LANGUAGEID)
struct LQRecord {
    TABLOOM_RECORD(LQRecord, "LQ", LQ_FIELDS)
};

// What the window shows besides the assistant's own fields.
struct TrainLocals {
    platform::Queue<APQRecord> APQ;
    platform::Queue<AOQRecord> AOQ;
    platform::Queue<AGENTSTAPRecord> ASQ;
    platform::Queue<LQRecord> LQ;
    platform::Queue<AnimationRecord> ANIMATIONS;
    AGENTSTAPRecord AGENTSTAP;  // the step being edited
    platform::CString<81> PROCEDURENAME;
    platform::String<20> AGENTNAME;  // the character the window closes with
    platform::Byte ZOEKVENSTERTRANSPARANT = 0;
    platform::String<30> LANGUAGE;
};

platform::WindowSpec P47_TRAINWINDOW(TrainLocals& locals, AssistantFields& assistant);
