// The choose-subject window: a search entry over the list of the subjects,
// a help button, OK and Annuleer.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/ui/WindowSpec.h"

#define AOQ_FIELDS(X) X(platform::CString<51>, ONDERWERP)
struct AOQRecord {
    TABLOOM_RECORD(AOQRecord, "AOQ", AOQ_FIELDS)
};

// What the window shows: the subjects and the search text.
struct KiesOnderwerpLocals {
    platform::Queue<AOQRecord> AOQ;
    platform::CString<81> ZOEKONDERWERP;  // 80 characters
};

platform::WindowSpec P58_KIESONDERWERPWINDOW(KiesOnderwerpLocals& locals);
