// The splash window: a window in the shape of the logo (SplashLogo.h) that
// opens with a growing circle, waits its seconds or until "&Close" is
// pressed, and closes with a shrinking circle.
//
// Rules:
// - Show runs on the main thread before any other window is open and returns
//   once its window has closed. It stays overridable: start-up tests put a
//   double in its place.
// - BuildRegion makes R1, the logo in the window's own pixels: R1 starts
//   empty and every outline is XORed in, 1 to 5, each point moved by DX (the
//   frame's width) and DY (the caption's and frame's height less 1), as the
//   system reports them. FillShapePoints1 to 11, run in that order, fill
//   POINTS stretch by stretch from point 1 for each outline and make each
//   completed outline a polygon region (R2).
// - Each step of the circle (R3) is an ellipse around the window's centre
//   ANDed with R1, set as the window's region and painted at once; nothing
//   else paces the steps.
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/Region.h"

#include <array>

namespace platform {
class Window;
}

class ZelSplashClass {
public:
    struct ShapePoint {
        platform::Long X = 0;
        platform::Long Y = 0;
    };

    platform::Region R1;  // the logo
    platform::Region R2;  // the outline just completed
    platform::Region R3;  // the circle's current step
    platform::Short DX = 0;
    platform::Short DY = 0;
    std::array<ShapePoint, 720> POINTS{};

    virtual ~ZelSplashClass() = default;
    virtual void Show(platform::Byte seconds);
    void BuildRegion();
    void FillShapePoints1();
    void FillShapePoints2();
    void FillShapePoints3();
    void FillShapePoints4();
    void FillShapePoints5();
    void FillShapePoints6();
    void FillShapePoints7();
    void FillShapePoints8();
    void FillShapePoints9();
    void FillShapePoints10();
    void FillShapePoints11();

private:
    void fillStep(int step);
    void completeOutline(int outline);
    void irisStep(platform::Window& window, platform::Long radius);
};
