#include "assistant/AuthorControls.h"

#include <utility>

using namespace platform;

ControlSpec prompt(std::string text, int x, int y) { return platform::text(CREATE::prompt, "", std::move(text), x, y); }

ControlSpec spin(std::string label, Binding use, Rect at) {
    return {.type = CREATE::spin, .label = std::move(label), .text = "@n-7", .at = at, .use = std::move(use)};
}

ControlSpec combo(std::string label, Binding use, QueueBase& rows, std::string format, Rect at) {
    return {.type = CREATE::combo, .label = std::move(label), .text = "@s63", .at = at, .use = std::move(use),
            .from = &rows, .format = std::move(format), .vscroll = true};
}

ControlSpec radio(std::string text, std::string value, int x, int y) {
    return {.type = CREATE::radio, .text = std::move(text), .at = {x, y, 0, 0}, .value = std::move(value)};
}

ControlSpec option(std::string label, std::string text, Binding use, Rect at, std::vector<ControlSpec> radios) {
    return {.type = CREATE::option, .label = std::move(label), .text = std::move(text), .at = at,
            .use = std::move(use), .children = std::move(radios)};
}

ControlSpec arrow(std::string label, std::string icon, Rect at) {
    return button(std::move(label), "", at, STD::None, std::move(icon));
}
