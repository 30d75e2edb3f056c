// Positions and sizes in dialog units while it lives, whatever the window
// uses: the engine stores and compares geometry in dialog units.
#pragma once

#include "platform/ui/Window.h"

#include <string>

namespace restyle {

class DialogUnitsOnly {
public:
    explicit DialogUnitsOnly(platform::Window& window)
        : window_(window), pixels_(window.property(0, platform::PROP::Pixels)) {
        if (window_.usesPixels()) window_.setProperty(0, platform::PROP::Pixels, "0");
    }
    ~DialogUnitsOnly() {
        if (window_.property(0, platform::PROP::Pixels) != pixels_)
            window_.setProperty(0, platform::PROP::Pixels, pixels_);
    }
    DialogUnitsOnly(const DialogUnitsOnly&) = delete;
    DialogUnitsOnly& operator=(const DialogUnitsOnly&) = delete;

private:
    platform::Window& window_;
    std::string pixels_;
};

}  // namespace restyle
