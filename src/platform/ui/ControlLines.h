// Shorthands for the lines of window structures, so a structure reads like
// the original: one call per control.
#pragma once

#include "platform/ui/WindowSpec.h"

#include <string>
#include <vector>

namespace platform {

class QueueBase;

// A string or prompt at its natural size.
ControlSpec text(Long type, std::string label, std::string text, int x, int y);
ControlSpec entry(std::string label, std::string picture, Binding use, Rect at);
ControlSpec check(std::string label, std::string text, Byte& use, int x, int y);
ControlSpec button(std::string label, std::string text, Rect at, Long action = STD::None, std::string icon = {});
ControlSpec sheet(std::string label, Rect at, std::vector<ControlSpec> tabs);
ControlSpec tab(std::string label, std::string text, std::vector<ControlSpec> controls = {});
// A list with a vertical scroll bar; `mark` names the queue field of its marks.
ControlSpec list(std::string label, QueueBase& rows, std::string format, Rect at, std::string mark = {});

}  // namespace platform
