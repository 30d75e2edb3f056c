// Entries and spins with number pictures, typed into as a user types.
#include "RunningWindow.h"

#include "platform/ui/NumberPicture.h"
#include "platform/ui/WindowSpec.h"
#include "platform/ui/WindowView.h"

#include <QSpinBox>
#include <gtest/gtest.h>

using namespace platform;

TEST(NumberPicture, AnEntryTakesTheDigitsItsPictureAllowsAndAMinusOnlyWithItsDash) {
    const struct {
        const char* picture;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"@N3", "12345", "123"},     {"@N3", "-12", "12"},       {"@n-5", "-1234", "-1234"},
        {"@n-5", "12-3", "123"},     {"@N10", "12345678901", "1234567890"}, {"@n3", "1a2b", "12"},
        {"@N3B", "7", "7"},          {"@n-7.2", "-12.345", "-12.34"}, {"@n3", "1.5", "15"},
        {"@s5", "1a-2b3", "1a-2b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " typed " + c.typed);
        Long value = 0;
        RunningWindow w({.label = "W", .title = "numbers", .at = {0, 0, 200, 60}, .controls = {
            {.type = CREATE::entry, .label = "?Number", .text = c.picture, .at = {10, 10, 80, 12},
             .use = bind(value)},
            {.type = CREATE::button, .label = "?Button", .text = "&Button", .at = {100, 10, 50, 14}},
        }});
        drive::typeOver(*w, "?Number", c.typed);
        EXPECT_EQ(drive::screenText(*w, "?Number"), c.shown);
        drive::leave(*w, "?Number");
        EXPECT_EQ(value, static_cast<Long>(leadingNumber(c.shown)));
    }
}

TEST(NumberPicture, UnderBANoughtShowsBlank) {
    for (const Short value : {Short{0}, Short{42}}) {
        Short bound = value;
        RunningWindow w({.label = "W", .title = "blank", .at = {0, 0, 200, 60}, .controls = {
            {.type = CREATE::entry, .label = "?Blank", .text = "@N3B", .at = {10, 10, 80, 12}, .use = bind(bound)},
            {.type = CREATE::entry, .label = "?Plain", .text = "@N3", .at = {10, 30, 80, 12}, .use = bind(bound)},
        }});
        w->display();
        drive::settle();
        EXPECT_EQ(drive::screenText(*w, "?Blank"), value == 0 ? "" : "42");
        EXPECT_EQ(drive::screenText(*w, "?Plain"), value == 0 ? "0" : "42");
    }
}

TEST(NumberPicture, ASpinWithoutARangeGoesAsFarAsItsPictureWrites) {
    Byte order = 0;
    Short shift = 0;
    RunningWindow w({.label = "W", .title = "spins", .at = {0, 0, 200, 60}, .controls = {
        {.type = CREATE::spin, .label = "?Order", .text = "@n3", .at = {10, 10, 60, 12}, .use = bind(order)},
        {.type = CREATE::spin, .label = "?Shift", .text = "@n-5", .at = {10, 30, 60, 12}, .use = bind(shift)},
    }});
    const auto spin = [&w](const char* label) { return qobject_cast<QSpinBox*>(w->view()->widget(w.number(label))); };
    EXPECT_EQ(spin("?Order")->minimum(), 0);
    EXPECT_EQ(spin("?Order")->maximum(), 999);
    EXPECT_EQ(spin("?Shift")->minimum(), -99999);
    EXPECT_EQ(spin("?Shift")->maximum(), 99999);
    drive::typeOver(*w, "?Shift", "-120");
    drive::leave(*w, "?Shift");
    EXPECT_EQ(shift, -120);
}
