#include "assistant/AssistantClass.h"
