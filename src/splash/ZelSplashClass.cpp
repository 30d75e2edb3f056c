#include "splash/ZelSplashClass.h"

#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "splash/SplashLogo.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace platform;

namespace {

// Points first to last of an outline, as one fill step copies them.
struct Stretch {
    int outline, first, last;
};

const std::vector<Stretch> kFillSteps[] = {
    {{1, 1, 140}},
    {{1, 141, 279}},
    {{1, 280, 417}},
    {{1, 418, 555}},
    {{1, 556, 693}},
    {{1, 694, 720}, {2, 1, 55}, {3, 1, 52}},
    {{3, 53, 190}},
    {{3, 191, 328}},
    {{3, 329, 434}, {4, 1, 30}},
    {{4, 31, 115}, {5, 1, 51}},
    {{5, 52, 87}},
};

constexpr Long kIrisStep = 4;            // pixels the circle's radius changes by
constexpr Long kHundredthsPerSecond = 100;

// The client area is the logo's: 480 by 366 pixels, whatever the font.
WindowSpec splashWindow() {
    auto arial = [](Long type, std::string label, std::string text, int x, int y, int size) {
        return ControlSpec{.type = type, .label = std::move(label), .text = std::move(text), .at = {x, y, 0, 0},
                           .fontName = "Arial", .fontSize = size};
    };
    return {.label = "P1$WINDOW",
            .title = "Tabloom splash",
            .fontName = "ms sans serif",
            .at = {0, 0, 480, 366},
            .pixels = true,
            .center = true,
            .system = false,
            .controls = {
                arial(CREATE::string, "?NameString", "Tabloom", 56, 294, 20),
                arial(CREATE::string, "?VersionString", "Version 1.05", 58, 330, 9),
                arial(CREATE::string, "?PurposeString", "ODBC catalogues and Clarion dictionaries", 58, 346, 8),
                {.type = CREATE::button, .label = "?CloseButton", .text = "&Close", .at = {368, 318, 76, 24},
                 .fontName = "Arial", .hidden = true},
            }};
}

}  // namespace

void ZelSplashClass::Show(Byte seconds) {
    Window window(splashWindow());
    const Long closeButton = window.equate("?CloseButton");
    window.open();
    BuildRegion();
    SetWindowPos(window.handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    window.setProperty(0, PROP::Pixels, 1);
    const Long largest = std::max(window.numberProperty(0, PROP::Width), window.numberProperty(0, PROP::Height));
    for (Long radius = 1; radius <= largest; radius += kIrisStep) irisStep(window, radius);
    window.setProperty(0, PROP::Timer, seconds * kHundredthsPerSecond);
    window.setProperty(closeButton, PROP::Hide, 0);
    window.select(closeButton);
    while (window.accept()) {
        if (window.event() == EVENT::Timer) break;
        if (window.event() == EVENT::Accepted && window.field() == closeButton)
            window.post({.event = EVENT::CloseWindow});
    }
    for (Long radius = largest; radius >= 1; radius -= kIrisStep) irisStep(window, radius);
    window.close();
}

void ZelSplashClass::BuildRegion() {
    DX = static_cast<Short>(GetSystemMetrics(SM_CXFRAME));
    DY = static_cast<Short>(GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME) - 1);
    R1 = Region::rectangle(0, 0, 0, 0);
    FillShapePoints1();
    FillShapePoints2();
    FillShapePoints3();
    FillShapePoints4();
    FillShapePoints5();
    FillShapePoints6();
    FillShapePoints7();
    FillShapePoints8();
    FillShapePoints9();
    FillShapePoints10();
    FillShapePoints11();
}

void ZelSplashClass::FillShapePoints1() { fillStep(1); }
void ZelSplashClass::FillShapePoints2() { fillStep(2); }
void ZelSplashClass::FillShapePoints3() { fillStep(3); }
void ZelSplashClass::FillShapePoints4() { fillStep(4); }
void ZelSplashClass::FillShapePoints5() { fillStep(5); }
void ZelSplashClass::FillShapePoints6() { fillStep(6); }
void ZelSplashClass::FillShapePoints7() { fillStep(7); }
void ZelSplashClass::FillShapePoints8() { fillStep(8); }
void ZelSplashClass::FillShapePoints9() { fillStep(9); }
void ZelSplashClass::FillShapePoints10() { fillStep(10); }
void ZelSplashClass::FillShapePoints11() { fillStep(11); }

void ZelSplashClass::fillStep(int step) {
    for (const Stretch& s : kFillSteps[step - 1]) {
        const std::span<const Point> outline = logoOutline(s.outline);
        for (int n = s.first; n <= s.last; ++n) {
            const Point& p = outline[static_cast<std::size_t>(n - 1)];
            POINTS[static_cast<std::size_t>(n - 1)] = {p.x + DX, p.y + DY};
        }
        if (s.last == static_cast<int>(outline.size())) completeOutline(s.outline);
    }
}

void ZelSplashClass::completeOutline(int outline) {
    const std::size_t count = logoOutline(outline).size();
    std::vector<Point> polygon(count);
    for (std::size_t n = 0; n < count; ++n) polygon[n] = {POINTS[n].X, POINTS[n].Y};
    R2 = Region::polygon(polygon);
    R1 = R1 ^ R2;
}

// A circle of that radius around the window's centre, as much of the logo as
// it holds shown.
void ZelSplashClass::irisStep(Window& window, Long radius) {
    const double halfWidth = window.numberProperty(0, PROP::Width) / 2.0;
    const double halfHeight = window.numberProperty(0, PROP::Height) / 2.0;
    auto edge = [](double at) { return static_cast<int>(std::trunc(at)); };
    R3 = Region::ellipse(edge(halfWidth - radius), edge(halfHeight - radius), edge(halfWidth + radius),
                         edge(halfHeight + radius));
    R3 = R3 & R1;
    SetWindowRgn(window.handle(), R3, true);
}
