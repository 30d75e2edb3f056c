// The configure-directly picker's work on the picked window: the hit test
// of the pointer against the registered controls, the red marks on every
// visible control of the chosen control's type, and the popup that names
// them. It lives on the picker's thread and reaches the window through
// SETTARGET, one hit test at a time.
//
// The popup's entries are numbered as POPUP numbers them: the controls
// under the pointer (in the control list's order), then those of the
// submenu "Other control of the same type", then "Select an other control"
// and "Close". An entry's text never holds what would change the menu.
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/WindowCalls.h"

#include <optional>
#include <string>
#include <vector>

class ZelRestyleClass;

class ControlPicker {
public:
    explicit ControlPicker(ZelRestyleClass& object);
    ~ControlPicker();
    ControlPicker(const ControlPicker&) = delete;
    ControlPicker& operator=(const ControlPicker&) = delete;

    // Tests again when the pointer or the window's reported position moved.
    void hitTest();
    // The popup at the pointer: the control chosen, or nullopt to go on
    // picking; `closed` is set for "Close" and for no choice.
    std::optional<platform::Long> choose(bool& closed);
    void removeMarks();

private:
    struct Mark {
        platform::Long box = 0;
        platform::Long label = 0;
    };
    void test();
    void entry(platform::Long control);
    void markType(platform::Long type);
    void mark(platform::Long control, platform::Long type);
    std::string typeName(platform::Long type) const;
    std::string display(platform::Long control) const;

    ZelRestyleClass& object_;
    std::vector<platform::Long> entries_;  // the controls, in the popup's order
    std::string popupText_;
    std::vector<Mark> marks_;
    std::optional<platform::Long> chosenType_;
    platform::Long chosen_ = 0;
    platform::POINT cursor_{-1, -1};
    platform::Short tested_[2] = {-1, -1};  // the window's XPOS, YPOS tested last
};
