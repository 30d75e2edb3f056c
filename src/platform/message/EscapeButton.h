// Escape on a message box, the layer's own and the style manager's alike:
// it presses the box's Cancel button, or the OK of a box that offers OK
// alone; on any other box (Yes/No and the like) it does nothing, so a stray
// Escape never answers a question.
#pragma once

#include "platform/text/Text.h"

#include <optional>
#include <string_view>
#include <vector>

namespace platform {

struct MessageButton {
    Long standard = 0;  // its BUTTON_ flag; 0 for a caller's caption
    std::string_view caption;
};

// The place (0 the first) of the button Escape presses; nullopt for none.
std::optional<std::size_t> escapeButton(const std::vector<MessageButton>& buttons);

}  // namespace platform
