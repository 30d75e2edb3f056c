// The per-window restyle object. Every window procedure creates one, calls
// Init before its window opens (1 = the procedure must not run), registers
// its controls or menu settings after opening, hands the window over with
// Open and passes every event to TakeEvent (non-zero = consumed).
//
// The engine behind these calls is not built yet: Init lets every procedure
// run, and no event is consumed.
#pragma once

#include "restyle/ConditionLanguage.h"
#include "restyle/ZelRestyleBaseClass.h"

#include <string>
#include <string_view>

namespace platform {
class Window;
}
class ZelStylemanagerClass;

class ZelRestyleClass : public ZelRestyleBaseClass {
public:
    ~ZelRestyleClass() override = default;

    virtual void Construct() {}
    virtual void Destruct() { Kill(); }
    virtual platform::Byte Init(const std::string& procedureName, ZelStylemanagerClass& styleManager);
    virtual void AddControl(const std::string& description, const std::string& label, platform::Long control);
    virtual void AddMenuSetting(platform::Long control, platform::Byte setting);
    virtual void Open(platform::Window& window, platform::Byte selection);
    virtual platform::Byte TakeEvent();
    virtual void Kill() {}
    // CONDITIONQUEUE := the set's conditions in CONDITIONALID order (VALUE
    // cut to the queue's 128 characters; CONDITION and PROPERTY empty).
    virtual void LoadConditions(platform::Long setId);

    // Whether a set of CONDITIONSETQUEUE applies to control `control` of
    // `window`: "-Unconditional-" always, without reading its conditions;
    // another set when its conditions hold for the control.
    restyle::ConditionDecision decideConditionSet(std::string_view setName, platform::Long setId,
                                                  const platform::Window& window, platform::Long control);

    platform::Byte EXPANDMENUTREEAUTOMATICALLY = 0;
    platform::Long MENUTREEITEMHEIGHT = 8;
    platform::Long MENUTREEITEMCOLOR = static_cast<platform::Long>(0x80000012);
    platform::Long MENUTREEITEMBACKGROUNDCOLOR = -1;
    platform::Long MENUTREEITEMSELECTEDCOLOR = static_cast<platform::Long>(0x8000000E);
    platform::Long MENUTREEITEMSELECTEDBACKGROUND = static_cast<platform::Long>(0x80000002);
    platform::Byte MARKSELECTEDCONTROLACTIVE = 0;  // the selected-control marker's switch
    platform::Window* PROCEDUREWINDOW = nullptr;    // the window it restyles
    platform::Long PROCEDUREHANDLE = 0;
};
