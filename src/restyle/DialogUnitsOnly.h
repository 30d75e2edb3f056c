// Positions and sizes in one unit while it lives, whatever the window uses:
// the engine stores and compares geometry in dialog units, and checks where
// a window lies in pixels.
#pragma once

#include "platform/ui/Window.h"

#include <string>

namespace restyle {

class UnitsOnly {
public:
    UnitsOnly(platform::Window& window, bool pixels)
        : window_(window), pixels_(window.property(0, platform::PROP::Pixels)) {
        if (window_.usesPixels() != pixels) window_.setProperty(0, platform::PROP::Pixels, pixels ? "1" : "0");
    }
    ~UnitsOnly() {
        if (window_.property(0, platform::PROP::Pixels) != pixels_)
            window_.setProperty(0, platform::PROP::Pixels, pixels_);
    }
    UnitsOnly(const UnitsOnly&) = delete;
    UnitsOnly& operator=(const UnitsOnly&) = delete;

private:
    platform::Window& window_;
    std::string pixels_;
};

class DialogUnitsOnly : public UnitsOnly {
public:
    explicit DialogUnitsOnly(platform::Window& window) : UnitsOnly(window, false) {}
};

class PixelsOnly : public UnitsOnly {
public:
    explicit PixelsOnly(platform::Window& window) : UnitsOnly(window, true) {}
};

}  // namespace restyle
