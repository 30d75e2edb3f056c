// The author windows' working record of a step (AGENTSTAP, the rows of their
// step lists): the fields of AGNTFILE with four colours after STEP, those a
// list shows the step's row in. A step that replays a recorded event stands
// out in red.
#pragma once

#include "assistant/AgntFile.h"

#include <string>

struct AssistantFields;

#define AGENTSTAP_COLOR_FIELDS(X)                 \
    X(platform::Long, STEPFOREGROUNDCOLOR)        \
    X(platform::Long, STEPBACKGROUNDCOLOR)        \
    X(platform::Long, STEPSELECTEDFOREGROUNDCOLOR) \
    X(platform::Long, STEPSELECTEDBACKGROUNDCOLOR)
#define AGENTSTAP_FIELDS(X) AGNTFILE_HEAD_FIELDS(X) AGENTSTAP_COLOR_FIELDS(X) AGNTFILE_STEP_FIELDS(X)
struct AGENTSTAPRecord {
    TABLOOM_RECORD(AGENTSTAPRecord, "AGENTSTAP", AGENTSTAP_FIELDS)
};

// The fields both records have, copied one by one; the colours stay.
void copyStep(const AGENTSTAPRecord& from, AGNTFILERecord& to);
void copyStep(const AGNTFILERecord& from, AGENTSTAPRecord& to);
// A stored row as a list's row: its fields, and the colours of its kind.
AGENTSTAPRecord workingStep(const AGNTFILERecord& stored);
// Every field the same.
bool sameStep(const AGENTSTAPRecord& a, const AGENTSTAPRecord& b);
// A new step of the subject, numbered so, where the pointer was read last
// (MOUSEPOS) in the procedure window (WINDOWPOSX, WINDOWPOSY): the
// character's top left corner there, at speed 1000, its animation before
// its speech.
AGENTSTAPRecord newStep(const AssistantFields& assistant, const std::string& procedure, const std::string& subject,
                        platform::Long number);
