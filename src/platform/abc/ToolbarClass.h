// The runtime's toolbar manager: a window manager item that alerts the keys
// it wants on the window. This program's windows register one with no keys.
#pragma once

#include "platform/text/Text.h"

#include <vector>

namespace platform {

class Window;

class ToolbarClass {
public:
    virtual ~ToolbarClass() = default;
    virtual std::vector<Long> alertKeys() const { return {}; }
};

}  // namespace platform
