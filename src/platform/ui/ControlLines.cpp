#include "platform/ui/ControlLines.h"

#include <utility>

namespace platform {

ControlSpec text(Long type, std::string label, std::string text, int x, int y) {
    return {.type = type, .label = std::move(label), .text = std::move(text), .at = {x, y, 0, 0}};
}

ControlSpec entry(std::string label, std::string picture, Binding use, Rect at) {
    return {.type = CREATE::entry, .label = std::move(label), .text = std::move(picture), .at = at,
            .use = std::move(use)};
}

ControlSpec check(std::string label, std::string text, Byte& use, int x, int y) {
    return {.type = CREATE::check, .label = std::move(label), .text = std::move(text), .at = {x, y, 0, 0},
            .use = bind(use)};
}

ControlSpec button(std::string label, std::string text, Rect at, Long action, std::string icon) {
    return {.type = CREATE::button, .label = std::move(label), .text = std::move(text), .at = at, .std = action,
            .icon = std::move(icon)};
}

ControlSpec sheet(std::string label, Rect at, std::vector<ControlSpec> tabs) {
    return {.type = CREATE::sheet, .label = std::move(label), .at = at, .children = std::move(tabs)};
}

ControlSpec tab(std::string label, std::string text, std::vector<ControlSpec> controls) {
    return {.type = CREATE::tab, .label = std::move(label), .text = std::move(text), .children = std::move(controls)};
}

ControlSpec list(std::string label, QueueBase& rows, std::string format, Rect at, std::string mark) {
    return {.type = CREATE::list, .label = std::move(label), .at = at, .from = &rows, .format = std::move(format),
            .mark = std::move(mark), .vscroll = true};
}

}  // namespace platform
