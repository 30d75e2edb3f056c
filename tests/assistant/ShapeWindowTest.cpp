// The shapes of the assistant's windows, read pixel by pixel from the
// region the model keeps.
#include "ShapeProbe.h"

#include "assistant/AssistantClass.h"
#include "platform/drive/Driver.h"
#include "platform/ui/WindowCalls.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

enum class Shape { Corners, ToControls };

struct Pixel {
    const char* what;
    int x, y;     // of the client area, unless `window`
    bool window;  // (x, y) of the window itself
};

// The probe's client area is 260 by 160; ?Ok lies at (20, 20, 80, 30), the
// hidden button at (20, 70, 80, 30); the line runs from (230, 140) to (150, 80).
const Pixel kWindowCorner{"the window's corner", 0, 0, true};
const Pixel kInsideTheCorner{"a pixel inside the corner's curve", 1, 1, true};
const Pixel kAlongTheTop{"a pixel along the top edge", 7, 1, true};
const Pixel kFrameRing{"the left frame", 1, 100, true};
const Pixel kTitleBar{"the title bar", 120, 10, true};
const Pixel kClientMiddle{"the client area's middle", 130, 110, false};
const Pixel kControlCentre{"?Ok's centre", 60, 35, false};
const Pixel kControlCorner{"?Ok's top left corner", 20, 20, false};
const Pixel kHiddenCentre{"the hidden button's centre", 60, 85, false};
const Pixel kBandNearStart{"the line's band a quarter along", 209, 125, false};
const Pixel kBandNearEnd{"the line's band three quarters along", 169, 95, false};
const Pixel kBesideTheLine{"beside the line", 209, 110, false};

bool shows(const ShapeProbe& probe, const Pixel& p) {
    const auto [x, y] = p.window ? std::pair{p.x, p.y} : probe.inWindow(p.x, p.y);
    return drive::shows(probe.window(), x, y);
}

// A band two pixels wide may lie a pixel to either side of the ideal line.
bool bandShows(const ShapeProbe& probe, const Pixel& p) {
    for (int dx = -1; dx <= 1; ++dx)
        if (shows(probe, {p.what, p.x + dx, p.y, p.window})) return true;
    return false;
}

}  // namespace

TEST(ShapeWindow, CornersFrameTitleAndControlsAgainstPixels) {
    const struct {
        const char* name;
        Shape shape;
        Long first, last;  // 0, 0: through the line (the last control)
        Byte controlsOnly;
        std::vector<Pixel> in, out;
    } cases[] = {
        {"curved corners", Shape::Corners, 0, 0, 0,
         {kAlongTheTop, kFrameRing, kTitleBar, kClientMiddle, kControlCentre},
         {kWindowCorner, kInsideTheCorner}},
        {"frame and title bar only", Shape::ToControls, 1, -1, 0,
         {kFrameRing, kTitleBar},
         {kWindowCorner, kClientMiddle, kControlCentre}},
        {"frame, title bar and controls", Shape::ToControls, 1, 3, 0,
         {kFrameRing, kTitleBar, kControlCentre, kControlCorner},
         {kWindowCorner, kClientMiddle, kHiddenCentre, kBesideTheLine}},
        {"controls only", Shape::ToControls, 1, 3, 1,
         {kTitleBar, kControlCentre},
         {kFrameRing, kClientMiddle, kControlCorner, kHiddenCentre, kBesideTheLine}},
    };
    for (const auto& c : cases) {
        ShapeProbe probe(c.name);
        AssistantClass assistant;
        probe.run([&](Window& w) {
            if (c.shape == Shape::Corners)
                assistant.ShapeWindowCorners(w.handle());
            else
                assistant.ShapeWindowToControls(w.handle(), c.first, c.last, c.controlsOnly);
        });
        ASSERT_TRUE(probe.window().region()) << c.name;
        for (const Pixel& p : c.in) EXPECT_TRUE(shows(probe, p)) << c.name << ": " << p.what;
        for (const Pixel& p : c.out) EXPECT_FALSE(shows(probe, p)) << c.name << ": " << p.what;
        if (c.shape == Shape::ToControls && c.last > 0) {
            EXPECT_TRUE(bandShows(probe, kBandNearStart)) << c.name;
            EXPECT_TRUE(bandShows(probe, kBandNearEnd)) << c.name;
        }
    }
}

TEST(ShapeWindow, ALineThatRisesKeepsItsBandAlongIt) {
    ShapeProbe probe("rising line");
    AssistantClass assistant;
    probe.run([&](Window& w) {
        // From (230, 80) down to the left, to (150, 140).
        const Long line = w.equate("?Line");
        w.setProperty(0, PROP::Pixels, 1);
        w.setProperty(line, PROP::Ypos, 80);
        w.setProperty(line, PROP::Height, 60);
        assistant.ShapeWindowToControls(w.handle(), line, line, 1);
    });
    EXPECT_TRUE(bandShows(probe, {"a quarter along", 209, 95, false}));
    EXPECT_TRUE(bandShows(probe, {"three quarters along", 169, 125, false}));
    EXPECT_FALSE(bandShows(probe, {"on the other diagonal", 169, 95, false}));
}
