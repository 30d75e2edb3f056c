// The steps overview, on which the author sees and edits every step of the
// subject over the procedure window: not there yet. The training window goes
// on as when the overview has closed.
#include "assistant/AgentStap.h"
#include "assistant/AssistantClass.h"

void AssistantClass::StappenWindow(platform::Queue<AGENTSTAPRecord>&) {}
