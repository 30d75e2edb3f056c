// The agent assistant. Its character, files and windows are not built yet:
// windows announce themselves and pass their events, and nothing happens.
// Calls after Kill are harmless (windows may still close after it).
#pragma once

#include "platform/text/Text.h"

#include <string>

class AssistantClass {
public:
    virtual ~AssistantClass() = default;

    virtual void Construct() {}
    virtual void Destruct() {}
    virtual void LoadSettings() {}
    virtual void Kill() {}

    virtual void InitWindow(const std::string& procedureName) {}
    virtual void TakeEvent(const std::string& procedureName, platform::Long windowHandle) {}
    virtual void TakeAlertKey(const std::string& procedureName, platform::Long windowHandle) {}
    virtual void TakeWindowClosed(const std::string& procedureName) {}
    virtual void TakeApplicationWindow(platform::Long windowHandle) {}

    platform::Long BUFFERINDEX = 0;
    platform::Long BUFFERPOS = 0;
    platform::Long TRAINMODEKEY = 0;
    platform::Long ACTIVATEALERTKEY = 0;
    platform::Long PLAYAGENTALERTKEY = 0;
    platform::Long PLAYCONTROLKEY = 0;
};
