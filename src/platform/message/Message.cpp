#include "platform/message/Message.h"

#include "platform/message/EscapeButton.h"
#include "platform/message/Locale.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

struct BoxButton {
    std::string caption;
    Long result;
    Long flag = 0;  // a standard button's BUTTON_ flag; 0 for the caller's captions
};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = text.find('|', start);
        lines.push_back(text.substr(start, bar - start));
        if (bar == std::string::npos) return lines;
        start = bar + 1;
    }
}

bool isNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<BoxButton> boxButtons(const std::string& buttons) {
    std::vector<BoxButton> out;
    if (!isNumber(buttons)) {
        Long n = 1;
        for (const std::string& caption : splitLines(buttons)) out.push_back({caption, n++});
        return out;
    }
    const auto flags = static_cast<Long>(leadingNumber(buttons));
    for (Long flag = BUTTON_OK; flag <= BUTTON_HELP; flag <<= 1)
        if (flags & flag) out.push_back({standardButtonCaption(flag), flag, flag});
    if (out.empty()) out.push_back({standardButtonCaption(BUTTON_OK), BUTTON_OK, BUTTON_OK});
    return out;
}

std::vector<MessageButton> messageButtons(const std::vector<BoxButton>& buttons) {
    std::vector<MessageButton> out;
    for (const BoxButton& b : buttons) out.push_back({b.flag, b.caption});
    return out;
}

// Closing the box without a button: Cancel when offered, else the default.
Long closedResult(const std::vector<BoxButton>& buttons, Long defaultButton) {
    for (const BoxButton& b : buttons)
        if (b.flag == BUTTON_CANCEL) return BUTTON_CANCEL;
    for (const BoxButton& b : buttons)
        if (b.result == defaultButton) return defaultButton;
    return buttons.back().result;
}

WindowSpec boxSpec(const std::vector<std::string>& lines, const std::string& caption, const std::string& icon,
                   const std::vector<BoxButton>& buttons, Long defaultButton) {
    WindowSpec spec;
    spec.label = "MessageBox";
    spec.title = caption;
    const int left = icon.empty() ? 8 : 36;
    std::size_t longest = 0;
    for (const std::string& line : lines) longest = std::max(longest, line.size());
    const int buttonWidth = 50;
    const int buttonsWidth = static_cast<int>(buttons.size()) * (buttonWidth + 6);
    const int width = std::max(left + static_cast<int>(longest) * 4 + 12, buttonsWidth + 16);
    const int textHeight = static_cast<int>(lines.size()) * 10;
    if (!icon.empty())
        spec.controls.push_back({.type = CREATE::image, .label = "?Icon", .text = icon, .at = {8, 8, 20, 20}});
    int y = 10;
    int n = 1;
    for (const std::string& line : lines)
        spec.controls.push_back(
            {.type = CREATE::string, .label = "?Line" + std::to_string(n++), .text = line, .at = {left, y, 0, 0}}), y += 10;
    int x = (width - buttonsWidth) / 2 + 3;
    const int buttonY = std::max(textHeight, icon.empty() ? 0 : 22) + 18;
    n = 1;
    for (const BoxButton& b : buttons) {
        spec.controls.push_back({.type = CREATE::button,
                                 .label = "?Button" + std::to_string(n++),
                                 .text = b.caption,
                                 .at = {x, buttonY, buttonWidth, 14},
                                 .isDefault = b.result == defaultButton});
        x += buttonWidth + 6;
    }
    spec.at = {0, 0, width, buttonY + 22};
    spec.center = true;
    return spec;
}

}  // namespace

Long MESSAGE(const std::string& text, const std::string& caption, const std::string& icon,
             const std::string& buttons, Long defaultButton, Long style) {
    if (const MessageHookFn* hook = installedMessageHook())
        return (*hook)(text, caption, icon, buttons, defaultButton, style);
    return platformMessage(text, caption, icon, buttons, defaultButton, style);
}

Long platformMessage(const std::string& text, const std::string& caption, const std::string& icon,
                     const std::string& buttons, Long defaultButton, Long) {
    const std::vector<BoxButton> choices = boxButtons(buttons);
    Window box(boxSpec(splitLines(text), caption, icon, choices, defaultButton));
    box.open();
    Long result = closedResult(choices, defaultButton);
    const Long firstButton = box.lastControl() - static_cast<Long>(choices.size()) + 1;
    // The default button has the focus, so Enter presses it.
    const auto byDefault = std::find_if(choices.begin(), choices.end(),
                                        [defaultButton](const BoxButton& b) { return b.result == defaultButton; });
    const Long focused = firstButton + (byDefault == choices.end() ? 0 : byDefault - choices.begin());
    box.alert(0, KEY::Esc);
    while (box.accept()) {
        if (box.event() == EVENT::OpenWindow) {
            box.select(focused);
        } else if (box.event() == EVENT::AlertKey && box.keyCode() == KEY::Esc) {
            if (const auto pressed = escapeButton(messageButtons(choices))) {
                result = choices[*pressed].result;
                break;
            }
        } else if (box.event() == EVENT::Accepted && box.field() >= firstButton) {
            result = choices[static_cast<std::size_t>(box.field() - firstButton)].result;
            break;
        }
    }
    box.close();
    return result;
}

}  // namespace platform
