// The agent assistant. Its character, files and windows are not built yet:
// windows announce themselves and pass their events, and nothing happens.
// Calls after Kill are harmless (windows may still close after it).
#pragma once

#include "platform/text/Text.h"

#include <string>

// The object's data, apart from its behaviour, so that CLEAR can put it back
// to its first state without touching what a derived class adds.
struct AssistantFields {
    platform::Long BUFFERINDEX = 0;
    platform::Long BUFFERPOS = 0;
    platform::Long TRAINMODEKEY = 0;
    platform::Long ACTIVATEALERTKEY = 0;
    platform::Long PLAYAGENTALERTKEY = 0;
    platform::Long PLAYCONTROLKEY = 0;
};

class AssistantClass : public AssistantFields {
public:
    virtual ~AssistantClass() = default;
    // CLEAR of the object: its fields as first built.
    void Clear() { static_cast<AssistantFields&>(*this) = AssistantFields{}; }

    virtual void Construct() {}
    virtual void Destruct() {}
    virtual void LoadSettings() {}
    virtual void Kill() {}

    virtual void InitWindow(const std::string& procedureName) {}
    virtual void TakeEvent(const std::string& procedureName, platform::Long windowHandle) {}
    virtual void TakeAlertKey(const std::string& procedureName, platform::Long windowHandle) {}
    virtual void TakeWindowClosed(const std::string& procedureName) {}
    virtual void TakeApplicationWindow(platform::Long windowHandle) {}
};
