// The application-wide style manager. Its data files, catalogue and windows
// are not built yet: set-up and settings do nothing, Configure opens nothing,
// and Message shows the layer's own message box so that every MESSAGE of the
// program is seen and answered.
#pragma once

#include "restyle/ZelRestyleBaseClass.h"

#include <string>

class ZelRestyleClass;

class ZelStylemanagerClass : public ZelRestyleBaseClass {
public:
    virtual void Init() {}
    virtual void Kill() {}
    virtual void Setup(platform::Long hotKey) { HOTKEY = hotKey; }
    virtual void SaveSettings() {}
    virtual void Configure(ZelRestyleClass& caller) {}
    virtual platform::Long Message(const std::string& text, const std::string& caption, const std::string& icon,
                                   const std::string& buttons, platform::Long defaultButton, platform::Long style,
                                   platform::Byte flag1, platform::Byte flag2, platform::Byte flag3);

    platform::Long MESSAGEHOOK = 0;  // the hook in force before the program's own
    platform::Long HOTKEY = 0;
};
