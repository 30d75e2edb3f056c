// Windows that fit their size: the scale and room of a pass, each control
// placed, sized and re-fonted by its resize strategy, list columns following,
// and windows brought back into their frame or onto the desktop.
#include "RestyleFixture.h"

#include "platform/ui/WindowCalls.h"
#include "restyle/DialogUnitsOnly.h"
#include "restyle/EngineProperties.h"
#include "restyle/Scaling.h"

#include <cmath>
#include <optional>
#include <vector>

using namespace platform;
using namespace restyle::engine;

namespace {

// The user drags the window's corner until it is `width` by `height`
// dialog units.
void resizeTo(Window& w, int width, int height) {
    const Rect now = w.placement(0);
    drive::resizeBy(w, w.units().toPixelsX(width) - now.width, w.units().toPixelsY(height) - now.height);
}

struct Switches {
    bool dynamic = false, centred = false, titleBar = false;
};

class WindowResizingTest : public RestyleFixture {
protected:
    void storeSwitches(const Switches& s) {
        storeForWindow(kDynamicSizing, s.dynamic ? "1" : "0");
        storeForWindow(kCenterControls, s.centred ? "1" : "0");
        storeForWindow(kCustomTitleBar, s.titleBar ? "1" : "0");
    }
    void storeFor(const std::string& label, Long type, Long property, const std::string& value) {
        store({.procedure = kProcedure, .group = restyle::controlGroup(label), .controlType = type,
               .property = property, .value = value});
    }
    void storeStrategy(const std::string& label, Long type, const std::string& value) {
        storeFor(label, type, kResizeStrategy, value);
    }
};

IMAGEQUEUERecord room(Short x, Byte xPercent, Short y, Byte yPercent) {
    return withRoom(imageRow(1, 0, 0, 10, 0, 10, 0), x, xPercent, y, yPercent);
}

}  // namespace

TEST_F(WindowResizingTest, AFirstPassTakesTheLargestRoomOnceAndACentredWindowMovesByHalfOfIt) {
    const struct {
        const char* name;
        Switches switches;
        std::vector<IMAGEQUEUERecord> images;
        Long x;                    // where the window opens; centred when above 0
        Short roomX, roomY;        // SHIFTXPOS, SHIFTYPOS
        Box window, ok;
    } cases[] = {
        {"nothing stored", {}, {}, 0, 0, 0, {20, 20, 200, 120}, {10, 90, 40, 14}},
        {"dynamic sizing at the opening size", {.dynamic = true}, {}, 0, 0, 0, {20, 20, 200, 120}, {10, 90, 40, 14}},
        {"rooms 30 and 50 give 50", {}, {room(30, 0, 0, 0), room(50, 0, 0, 0)}, 0, 50, 0, {20, 20, 250, 120},
         {60, 90, 40, 14}},
        {"25 % of 200 gives 50", {}, {room(25, 1, 0, 0)}, 0, 50, 0, {20, 20, 250, 120}, {60, 90, 40, 14}},
        {"the title bar, unscaled", {.titleBar = true}, {room(0, 0, 20, 0)}, 0, 0, 32, {20, 20, 200, 152},
         {10, 122, 40, 14}},
        {"centred at x 10 stays", {}, {room(30, 0, 0, 0)}, 10, 30, 0, {10, 20, 230, 120}, {40, 90, 40, 14}},
        {"centred at x 100 moves to 85", {}, {room(30, 0, 0, 0)}, 100, 30, 0, {85, 20, 230, 120},
         {40, 90, 40, 14}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh();
        storeSwitches(c.switches);
        for (const IMAGEQUEUERecord& image : c.images) addImage(image);
        WindowSpec spec = ordersSpec();
        if (c.x > 0) spec.at.x = c.x;
        RestyledWindow w(manager, kProcedure, spec,
                         [&](Window& window) { window.setProperty(0, PROP::Center, c.x > 0 ? 1 : 0); });
        EXPECT_EQ(w.restyle().RATIO, 1.0);
        EXPECT_EQ(w.restyle().SHIFTXPOS, c.roomX);
        EXPECT_EQ(w.restyle().SHIFTYPOS, c.roomY);
        EXPECT_EQ(at(w.window(), 0), c.window);
        EXPECT_EQ(at(w.window(), w.number("?OK")), c.ok);
    }
}

TEST_F(WindowResizingTest, ALaterPassScalesByTheSmallerSideWithTheRoomAtScaleOneAndCentresWhatIsLeft) {
    const struct {
        const char* name;
        Switches switches;
        std::vector<IMAGEQUEUERecord> images;
        int width, height;  // dragged to
        double ratio;
        Short roomX, roomY;
        Box ok;
    } cases[] = {
        {"without dynamic sizing", {}, {}, 300, 180, 1.0, 0, 0, {10, 90, 40, 14}},
        {"dynamic sizing", {.dynamic = true}, {}, 300, 180, 1.5, 0, 0, {15, 135, 60, 21}},
        {"the narrower side counts", {.dynamic = true}, {}, 300, 240, 1.5, 0, 0, {15, 135, 60, 21}},
        {"image room and bar: 20 x 1.5 + 12 = 42", {.dynamic = true, .titleBar = true}, {room(0, 0, 20, 0)}, 300,
         222, 1.5, 0, 42, {15, 177, 60, 21}},
        {"centred, scaled", {.dynamic = true, .centred = true}, {}, 400, 180, 1.5, 0, 0, {65, 135, 60, 21}},
        {"centred only", {.centred = true}, {}, 300, 180, 1.0, 0, 0, {60, 120, 40, 14}},
        {"centred beside the room", {.dynamic = true, .centred = true}, {room(30, 0, 0, 0)}, 460, 180, 1.5, 45, 0,
         {117, 135, 60, 21}},
        {"smaller", {.dynamic = true}, {}, 100, 60, 0.5, 0, 0, {5, 45, 20, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh();
        storeSwitches(c.switches);
        for (const IMAGEQUEUERecord& image : c.images) addImage(image);
        RestyledWindow w(manager, kProcedure, ordersSpec());
        resizeTo(w.window(), c.width, c.height);
        ASSERT_EQ(w.window().numberProperty(0, PROP::Width), c.width);
        ASSERT_EQ(w.window().numberProperty(0, PROP::Height), c.height);
        EXPECT_DOUBLE_EQ(w.restyle().RATIO, c.ratio);
        EXPECT_DOUBLE_EQ(w.restyle().PREVIOUSRATIO, c.ratio);
        EXPECT_EQ(w.restyle().SHIFTXPOS, c.roomX);
        EXPECT_EQ(w.restyle().SHIFTYPOS, c.roomY);
        EXPECT_EQ(at(w.window(), w.number("?OK")), c.ok);
    }
}

TEST_F(WindowResizingTest, AWindowMaximizedAtOnceIsLaidOutForItsSizeWithoutDynamicSizingAndNotGrown) {
    for (const bool centred : {false, true}) {
        SCOPED_TRACE(centred ? "centred" : "not centred");
        startAfresh();
        storeSwitches({.centred = centred, .titleBar = true});
        storeForWindow(kMaximizeAutomatic, "1");
        addImage(room(20, 0, 10, 0));
        RestyledWindow w(manager, kProcedure, ordersSpec());
        const Window& shown = w.window();
        ASSERT_EQ(shown.numberProperty(0, PROP::Maximize), 1);
        const double width = shown.numberProperty(0, PROP::Width), height = shown.numberProperty(0, PROP::Height);
        const double ratio = std::min(width / 220, height / 142);  // the room and the bar inside the scale
        ASSERT_GT(ratio, 1.0);
        EXPECT_DOUBLE_EQ(w.restyle().RATIO, ratio);
        EXPECT_EQ(w.restyle().SHIFTXPOS, static_cast<Short>(20 * ratio));
        EXPECT_EQ(w.restyle().SHIFTYPOS, static_cast<Short>(10 * ratio + 12));
        const Long xOffset = centred ? static_cast<Long>((width - 220 * ratio) / 2) : 0;
        EXPECT_EQ(shown.numberProperty(w.number("?OK"), PROP::Xpos),
                  static_cast<Long>(10 * ratio + w.restyle().SHIFTXPOS + xOffset));
        EXPECT_EQ(shown.restored(PROP::Width), 200) << "not grown by the room";
        EXPECT_EQ(shown.restored(PROP::Xpos), 20) << "not moved";
    }
}

TEST_F(WindowResizingTest, EachStrategyPlacesAndSizesTheControlAndItsFontFollowsButNeverBelowOne) {
    struct Scaled {
        Box ok;
        const char* typeface;
        Long size;
    };
    const struct {
        const char* strategy;  // nullptr: none stored
        Scaled larger, smaller;  // at 1.5 and at 0.125
    } cases[] = {
        {"0", {{24, 144, 72, 24}, "Arial", 11}, {{2, 12, 6, 2}, "Arial", 1}},
        {nullptr, {{24, 144, 72, 24}, "Arial", 11}, {{2, 12, 6, 2}, "Arial", 1}},
        {"x", {{24, 144, 72, 24}, "Arial", 11}, {{2, 12, 6, 2}, "Arial", 1}},
        {"1", {{24, 148, 72, 16}, "Arial", 11}, {{2, 5, 6, 16}, "Arial", 1}},
        {"2", {{36, 144, 48, 24}, "Arial", 11}, {{-19, 12, 48, 2}, "Arial", 1}},
        {"3", {{36, 148, 48, 16}, "Arial", 11}, {{-19, 5, 48, 16}, "Arial", 1}},
        {"7", {{16, 96, 48, 16}, "Arial", 11}, {{16, 96, 48, 16}, "Arial", 1}},
    };
    WindowSpec spec = ordersSpec();
    spec.at = {20, 20, 640, 384};
    spec.controls[0].at = {16, 96, 48, 16};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strategy ? c.strategy : "none");
        startAfresh();
        storeSwitches({.dynamic = true});
        if (c.strategy) storeStrategy("?OK", CREATE::button, c.strategy);
        RestyledWindow w(manager, kProcedure, spec);
        const Window& shown = w.window();
        const Long ok = w.number("?OK");
        const auto expect = [&](const Scaled& s) {
            EXPECT_EQ(at(shown, ok), s.ok);
            EXPECT_EQ(shown.property(ok, PROP::FontName), s.typeface);
            EXPECT_EQ(shown.numberProperty(ok, PROP::FontSize), s.size);
        };
        resizeTo(w.window(), 960, 576);
        expect(c.larger);
        resizeTo(w.window(), 80, 48);
        ASSERT_EQ(w.restyle().RATIO, 0.125);
        expect(c.smaller);
        resizeTo(w.window(), 640, 384);
        expect({{16, 96, 48, 16}, "", 0});
        EXPECT_EQ(shown.shownFont(ok).typeface, "MS Sans Serif") << "the window's font again";
    }
}

TEST_F(WindowResizingTest, FontsScaleFromThePassesFontAndComeBackAtTheOpeningSizeAndWithTheStylingGone) {
    const struct {
        const char* name;
        const char* ownTypeface;  // the structure's, nullptr for none
        Long ownSize;
        std::optional<Long> storedArial;  // a stored "Font" of Arial in that size
        const char* strategy;
        const char* typefaceAtLarger;
        Long sizeAtLarger;
        const char* typefaceAtOpening;  // what PROP:FontName reads at scale 1 again
        Long sizeAtOpening;
    } cases[] = {
        {"the window's font", nullptr, 0, std::nullopt, "0", "Arial", 11, "", 0},
        {"its own", "Times New Roman", 10, std::nullopt, "0", "Times New Roman", 14, "Times New Roman", 10},
        {"a stored Arial 12", nullptr, 0, 12, "0", "Arial", 17, "Arial", 12},
        {"keep font", nullptr, 0, std::nullopt, "01", "", 0, "", 0},
        {"keep font, a stored Arial 12", nullptr, 0, 12, "01", "Arial", 12, "Arial", 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh();
        storeSwitches({.dynamic = true});
        storeStrategy("?OK", CREATE::button, c.strategy);
        if (c.storedArial) {
            std::string font(77, ' ');
            font.replace(0, 2, "-1");
            font.replace(19, 5, "Arial");
            font.replace(51, 2, std::to_string(*c.storedArial));
            storeFor("?OK", CREATE::button, PROP::Font, font);
        }
        WindowSpec spec = ordersSpec();
        if (c.ownTypeface) spec.controls[0].fontName = c.ownTypeface, spec.controls[0].fontSize = c.ownSize;
        RestyledWindow w(manager, kProcedure, spec);
        const Window& shown = w.window();
        const Long ok = w.number("?OK");
        EXPECT_EQ(shown.property(ok, PROP::FontName), c.typefaceAtOpening) << "a pass at scale 1";
        EXPECT_EQ(shown.numberProperty(ok, PROP::FontSize), c.sizeAtOpening);
        for (int round = 0; round < 2; ++round) {
            resizeTo(w.window(), 300, 180);
            EXPECT_EQ(shown.property(ok, PROP::FontName), c.typefaceAtLarger);
            EXPECT_EQ(shown.numberProperty(ok, PROP::FontSize), c.sizeAtLarger);
            resizeTo(w.window(), 200, 120);
            EXPECT_EQ(shown.property(ok, PROP::FontName), c.typefaceAtOpening);
            EXPECT_EQ(shown.numberProperty(ok, PROP::FontSize), c.sizeAtOpening);
        }
        resizeTo(w.window(), 300, 180);
        storeForWindow(kDisableStyling, "1");
        w.onThread([&] { w.restyle().Restyle(1, 0); });
        EXPECT_EQ(shown.property(ok, PROP::FontName), c.ownTypeface ? c.ownTypeface : "") << "as it opened";
        EXPECT_EQ(shown.numberProperty(ok, PROP::FontSize), c.ownSize);
    }
}

TEST_F(WindowResizingTest, ListColumnsScaleFromWhatTheyWereGivenAndKeepColumnsKeepsThem) {
    WindowSpec spec = ordersSpec();
    spec.controls.push_back({.type = CREATE::list, .label = "?Scaled", .at = {110, 10, 80, 40},
                             .format = "100L(2)|M~Name~@s20@60L(2)|M~Type~@s10@"});
    spec.controls.push_back({.type = CREATE::list, .label = "?Kept", .at = {110, 50, 80, 30},
                             .format = "100L(2)|M~Name~@s20@"});
    storeSwitches({.dynamic = true});
    storeStrategy("?Kept", CREATE::list, "001");
    RestyledWindow w(manager, kProcedure, spec);
    const Window& shown = w.window();
    const auto width = [&](const char* list, Long column) {
        return shown.indexedProperty(w.number(list), PROPLIST::Width, column);
    };
    const struct {
        int width, height;
        const char* first;
        const char* second;
    } drags[] = {{240, 144, "120", "72"}, {300, 180, "150", "90"}, {200, 120, "100", "60"}, {300, 180, "150", "90"}};
    for (const auto& d : drags) {
        SCOPED_TRACE(d.width);
        resizeTo(w.window(), d.width, d.height);
        EXPECT_EQ(width("?Scaled", 1), d.first);
        EXPECT_EQ(width("?Scaled", 2), d.second);
        EXPECT_EQ(width("?Kept", 1), "100");
    }
    storeForWindow(kDisableStyling, "1");
    w.onThread([&] { w.restyle().Restyle(1, 0); });
    EXPECT_EQ(width("?Scaled", 1), "100") << "the styling gone";
    EXPECT_EQ(width("?Scaled", 2), "60");
    EXPECT_EQ(width("?Kept", 1), "100") << "not divided";
}

TEST_F(WindowResizingTest, FortyDragsBetweenTwoSizesLeaveTheRoomAndEveryControlAtTheSameTwoLayouts) {
    storeSwitches({.dynamic = true, .centred = true, .titleBar = true});
    addImage(room(25, 0, 15, 0));
    WindowSpec spec = ordersSpec();
    spec.controls.push_back({.type = CREATE::list, .label = "?List", .at = {110, 10, 80, 40},
                             .format = "77L(2)|M~Name~@s20@"});
    RestyledWindow w(manager, kProcedure, spec);
    Window& shown = w.window();
    struct Layout {
        Short roomX, roomY;
        std::vector<Box> controls;
        std::string column;
        bool operator==(const Layout&) const = default;
    };
    const auto layout = [&] {
        Layout now{w.restyle().SHIFTXPOS, w.restyle().SHIFTYPOS, {},
                   shown.indexedProperty(w.number("?List"), PROPLIST::Width, 1)};
        for (const char* label : {"?OK", "?Cancel", "?Name", "?Case", "?List"})
            now.controls.push_back(at(shown, w.number(label)));
        return now;
    };
    const Layout opening = layout();
    ASSERT_EQ(at(shown, 0).width, 225);
    ASSERT_EQ(at(shown, 0).height, 147);
    std::optional<Layout> larger;
    for (int drag = 0; drag < 40; ++drag) {
        SCOPED_TRACE(drag);
        resizeTo(shown, 333, 201);
        if (!larger) larger = layout();
        EXPECT_TRUE(layout() == *larger);
        resizeTo(shown, 225, 147);
        ASSERT_TRUE(layout() == opening);
    }
    EXPECT_NE(larger->controls, opening.controls);
}

TEST_F(WindowResizingTest, AnMdiChildIsKeptInsideItsFramesMdiAreaInPixels) {
    storeForWindow(kCheckWindowPosition, "1");
    RestyledWindow frame(manager, "Frame",
                         {.type = CREATE::application, .label = "F", .title = "Frame", .at = {0, 0, 600, 400},
                          .pixels = true});
    ASSERT_EQ(manager.APPLICATIONWINDOW, &frame.window());
    const Long frameWidth = [&] {
        const restyle::PixelsOnly pixels(frame.window());
        return frame.window().numberProperty(0, PROP::ClientWidth);
    }();
    const struct {
        const char* name;
        Long x, width, height, fontSize;
        std::optional<Long> keptX;  // nullopt: where the right edge meets the frame's
    } cases[] = {
        {"x 500, 200 wide", 500, 200, 100, 8, 400},
        {"wider than the frame", 500, 700, 100, 8, 0},
        {"at x -20", -20, 200, 100, 8, -20},
        {"a larger font than the frame's", 150, 100, 20, 24, std::nullopt},
    };
    ASSERT_EQ(frameWidth, 600);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowSpec spec{.label = "C", .title = "Child", .fontSize = c.fontSize, .at = {c.x, 10, c.width, c.height},
                        .pixels = c.fontSize == 8, .mdi = true};
        RestyledWindow child(manager, kProcedure, spec);
        const restyle::PixelsOnly pixels(child.window());
        const Long x = child.window().numberProperty(0, PROP::Xpos);
        if (c.keptX)
            EXPECT_EQ(x, *c.keptX);
        else
            EXPECT_EQ(x + child.window().numberProperty(0, PROP::Width), frameWidth);
        EXPECT_EQ(child.window().numberProperty(0, PROP::Ypos), spec.pixels ? 10 : child.window().units().toPixelsY(10))
            << "no lower than the frame";
    }
}

TEST_F(WindowResizingTest, OtherWindowsAndTheFrameAreKeptOnTheDesktopAndAClosedFrameIsForgotten) {
    storeForWindow(kCheckWindowPosition, "1");
    RECT desktop;
    ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), desktop));
    // Opened 50 pixels past the desktop's right edge.
    const auto overhanging = [&](Window& window) {
        RECT now;
        ASSERT_TRUE(GetWindowRect(window.handle(), now));
        MoveWindow(window.handle(), desktop.right - (now.right - now.left) + 50, now.top, now.right - now.left,
                   now.bottom - now.top, false);
    };
    const auto expectOnDesktop = [&](const Window& window) {
        RECT now;
        ASSERT_TRUE(GetWindowRect(window.handle(), now));
        EXPECT_EQ(now.right, desktop.right);
    };
    {
        RestyledWindow frame(manager, "Frame",
                             {.type = CREATE::application, .label = "F", .title = "Frame", .at = {100, 30, 300, 200},
                              .pixels = true});
        const Window& shown = frame.window();
        const restyle::PixelsOnly pixels(frame.window());
        EXPECT_EQ(shown.numberProperty(0, PROP::Xpos), 100) << "the frame is not checked against itself";
        RestyledWindow w(manager, kProcedure, ordersSpec(), overhanging);
        expectOnDesktop(w.window());
    }
    EXPECT_EQ(manager.APPLICATIONHANDLE, 0) << "the frame's object has gone";
    EXPECT_EQ(manager.APPLICATIONWINDOW, nullptr);
    RestyledWindow w(manager, kProcedure, ordersSpec(), overhanging);
    expectOnDesktop(w.window());
    EXPECT_EQ(w.window().numberProperty(0, PROP::Width), 200) << "its size kept";
}
