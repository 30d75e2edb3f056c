// The splash window. Its shaped window is not built yet: Show returns at once.
#pragma once

#include "platform/text/Text.h"

class ZelSplashClass {
public:
    virtual ~ZelSplashClass() = default;
    virtual void Show(platform::Byte seconds) {}
};
