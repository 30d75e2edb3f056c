// POPUP: a menu at the pointer or at a point of the target window, built from
// the runtime's menu text, that the running thread waits on like a dialog
// (its fiber waits; no nested event loop). It returns the number of the item
// chosen, 0 when the user chose none (Escape, a click elsewhere).
//
// The menu text: items separated by "|"; "-" is a separator line;
// "name{a|b}" a submenu of a and b (submenus nest); a leading "+" ticks an
// item, a leading "~" disables it; "&" marks a mnemonic. Items are numbered
// 1, 2, 3 ... in order across the submenus; separators, submenu titles and
// empty items (where joined texts meet: "a||b") take no number.
#pragma once

#include "platform/text/Text.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct PopupItem {
    std::string text;
    Long number = 0;  // 0: a separator or a submenu
    bool separator = false;
    bool ticked = false;
    bool disabled = false;
    std::vector<PopupItem> items;  // a submenu's
};

std::vector<PopupItem> parsePopup(std::string_view selections);

// At the layer's pointer (PointerCalls.h).
Long POPUP(std::string_view selections);
// At (x, y) of the target window's client area, in its units.
Long POPUP(std::string_view selections, Long x, Long y);

}  // namespace platform
