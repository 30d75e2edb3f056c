// Shorthands for the lines of the work windows' structures.
#pragma once

#include "platform/ui/WindowSpec.h"

#include <string>
#include <vector>

namespace platform {
class QueueBase;
}

// A string or prompt at its natural size.
platform::ControlSpec text(platform::Long type, std::string label, std::string text, int x, int y);
platform::ControlSpec entry(std::string label, std::string picture, platform::Binding use, platform::Rect at);
platform::ControlSpec check(std::string label, std::string text, platform::Byte& use, int x, int y);
platform::ControlSpec button(std::string label, std::string text, platform::Rect at,
                             platform::Long action = platform::STD::None);
platform::ControlSpec tab(std::string label, std::string text, std::vector<platform::ControlSpec> controls);
// A list with a vertical scroll bar; `mark` names the queue field of its marks.
platform::ControlSpec list(std::string label, platform::QueueBase& rows, std::string format, platform::Rect at,
                           std::string mark = {});
