// The steps overview: a status line and two rows of buttons, placed from the
// bottom of the maximized window as it opens, and the edit panel
// (?FIRSTENTRYCONTROL ... ?LASTENTRYCONTROL), hidden until a step is edited,
// whose fields are those of the step queue's buffer.
#pragma once

#include "assistant/AgentStap.h"
#include "assistant/AnimationNames.h"
#include "platform/data/Queue.h"
#include "platform/ui/WindowSpec.h"

struct StappenLocals {
    platform::String<100> STATUS;  // both status strings show it
    platform::Queue<AnimationRecord> ANIMATIONS;
};

platform::WindowSpec P72_STAPPENWINDOW(StappenLocals& locals, AGENTSTAPRecord& step);
