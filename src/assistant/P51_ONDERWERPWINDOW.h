// The subject window: the procedure and the subject being made or renamed,
// "&Opslaan" and "&Annuleer".
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/WindowSpec.h"

struct OnderwerpLocals {
    platform::CString<81> PROCEDURENAME;
    platform::CString<51> ONDERWERP;
};

platform::WindowSpec P51_ONDERWERPWINDOW(OnderwerpLocals& locals);
