// Shorthands for the lines of the author windows' structures (the training
// window, the steps overview): the controls a step is edited with.
#pragma once

#include "platform/ui/ControlLines.h"

#include <string>
#include <vector>

platform::ControlSpec prompt(std::string text, int x, int y);
// A spin box of whole numbers.
platform::ControlSpec spin(std::string label, platform::Binding use, platform::Rect at);
// A combo of the rows' first field, with a scroll bar.
platform::ControlSpec combo(std::string label, platform::Binding use, platform::QueueBase& rows, std::string format,
                            platform::Rect at);
platform::ControlSpec radio(std::string text, std::string value, int x, int y);
platform::ControlSpec option(std::string label, std::string text, platform::Binding use, platform::Rect at,
                             std::vector<platform::ControlSpec> radios);
// A button that shows only its icon.
platform::ControlSpec arrow(std::string label, std::string icon, platform::Rect at);
