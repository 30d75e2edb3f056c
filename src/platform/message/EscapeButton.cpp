#include "platform/message/EscapeButton.h"

#include "platform/message/Message.h"
#include "platform/ui/SystemMetrics.h"

namespace platform {
namespace {

// A caller's caption names a standard button as a keyboard's rules read it:
// without its mnemonic, in any case.
bool is(const MessageButton& button, Long standard, std::string_view name) {
    return button.standard == standard || (button.standard == 0 && upper(textWithoutMnemonic(button.caption)) == name);
}

}  // namespace

std::optional<std::size_t> escapeButton(const std::vector<MessageButton>& buttons) {
    for (std::size_t place = 0; place < buttons.size(); ++place)
        if (is(buttons[place], BUTTON_CANCEL, "CANCEL")) return place;
    if (buttons.size() == 1 && is(buttons.front(), BUTTON_OK, "OK")) return 0;
    return std::nullopt;
}

}  // namespace platform
