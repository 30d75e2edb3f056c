// Checks a window's controls against its structure: number, label, type and
// text, in the structure's order.
#pragma once

#include "platform/ui/Window.h"

#include <gtest/gtest.h>
#include <initializer_list>

struct ExpectedControl {
    const char* label;
    platform::Long type;
    const char* text;
};

inline void expectControls(platform::Window& w, std::initializer_list<ExpectedControl> controls) {
    ASSERT_EQ(w.lastControl(), static_cast<platform::Long>(controls.size()));
    platform::Long n = 1;
    for (const ExpectedControl& expected : controls) {
        EXPECT_EQ(w.property(n, platform::PROP::Label), expected.label) << n;
        EXPECT_EQ(w.numberProperty(n, platform::PROP::Type), expected.type) << expected.label;
        EXPECT_EQ(w.property(n, platform::PROP::Text), expected.text) << expected.label;
        ++n;
    }
}
