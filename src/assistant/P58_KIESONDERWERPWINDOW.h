// The choose-subject window: a search entry over the list of the subjects,
// a help button, OK and Annuleer.
#pragma once

#include "assistant/AOQ.h"
#include "platform/data/Queue.h"
#include "platform/ui/WindowSpec.h"

// What the window shows: the subjects and the search text.
struct KiesOnderwerpLocals {
    platform::Queue<AOQRecord> AOQ;
    platform::CString<81> ZOEKONDERWERP;  // 80 characters
};

platform::WindowSpec P58_KIESONDERWERPWINDOW(KiesOnderwerpLocals& locals);
