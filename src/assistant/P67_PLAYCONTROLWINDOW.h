// The play control: a toolbox with a row of buttons (move, show the
// requests, pause) over the list of the character's requests not yet done.
#pragma once

#include "assistant/AssistantQueues.h"
#include "platform/data/Queue.h"
#include "platform/ui/WindowSpec.h"

platform::WindowSpec P67_PLAYCONTROLWINDOW(platform::Queue<BUFFERAGENTEVENTRecord>& requests);
