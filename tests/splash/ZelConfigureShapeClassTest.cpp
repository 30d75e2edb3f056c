// The configuration window's shape: nine outlines XORed into one region and
// set on the window opened last on the thread; and CallAddress.
#include "splash/CallAddress.h"
#include "splash/ZelConfigureShapeClass.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

using namespace platform;

namespace {

using XY = std::pair<int, int>;
using Adder = void (ZelConfigureShapeClass::*)(Queue<POINTQUEUERecord>&);

struct OutlineFacts {
    Adder add;
    std::size_t count;
    XY topLeft, bottomRight;
    std::array<XY, 3> firstPoints;
};

const OutlineFacts kOutlines[] = {
    {&ZelConfigureShapeClass::AddShapePoints1, 223, {3, 233}, {175, 351}, {{{4, 284}, {4, 280}, {5, 279}}}},
    {&ZelConfigureShapeClass::AddShapePoints2, 223, {94, 371}, {266, 489}, {{{95, 422}, {95, 418}, {96, 417}}}},
    {&ZelConfigureShapeClass::AddShapePoints3, 223, {105, 97}, {277, 215}, {{{106, 148}, {106, 144}, {107, 143}}}},
    {&ZelConfigureShapeClass::AddShapePoints4, 523, {283, 151}, {473, 430}, {{{284, 293}, {284, 290}, {286, 290}}}},
    {&ZelConfigureShapeClass::AddShapePoints5, 223, {577, 238}, {749, 356}, {{{578, 289}, {578, 285}, {579, 284}}}},
    {&ZelConfigureShapeClass::AddShapePoints6, 223, {298, 453}, {470, 571}, {{{299, 504}, {299, 500}, {300, 499}}}},
    {&ZelConfigureShapeClass::AddShapePoints7, 223, {313, 5}, {485, 123}, {{{314, 56}, {314, 52}, {315, 51}}}},
    {&ZelConfigureShapeClass::AddShapePoints8, 223, {503, 373}, {675, 491}, {{{504, 424}, {504, 420}, {505, 419}}}},
    {&ZelConfigureShapeClass::AddShapePoints9, 223, {516, 100}, {688, 218}, {{{517, 151}, {517, 147}, {518, 146}}}},
};

// Points of the client area: the middle of each outline's box, and where
// the shape leaves the window out.
const struct {
    const char* where;
    int x, y;
    bool shown;
} kProbes[] = {
    {"middle of 1", 89, 292, true},       {"middle of 2", 180, 430, true},     {"middle of 3", 191, 156, true},
    {"middle of the centre", 378, 290, true}, {"middle of 5", 663, 297, true}, {"middle of 6", 384, 512, true},
    {"middle of 7", 399, 64, true},       {"middle of 8", 589, 432, true},     {"middle of 9", 602, 159, true},
    {"between 1 and 3", 140, 224, false}, {"between 7 and 9", 500, 110, false}, {"between 6 and 8", 486, 500, false},
    {"a box's corner outside its ellipse", 5, 235, false}, {"the caption's place", 370, -5, false},
    {"beyond the last ellipse", 760, 300, false},
};

// A window of the configuration's size in pixels, on a thread of its own,
// that counts the clicks it takes; `work` runs on its thread once it is open.
class ShapedWindow {
public:
    ShapedWindow(std::string title, int x, int y, std::function<void()> work = {}) {
        START([=, this] {
            Window w({.label = "W", .title = title, .at = {x, y, 750, 572}, .pixels = true});
            w.alert(0, KEY::MouseLeft);
            w.open();
            window_ = &w;
            if (work) work();
            while (w.accept())
                if (w.event() == EVENT::AlertKey) ++clicks;
            window_ = nullptr;
        });
        drive::settle();
    }
    ~ShapedWindow() {
        if (window_) window_->post({.event = EVENT::CloseWindow});
        drive::settle();
    }
    Window& operator*() const { return *window_; }
    // A point of the client area on the screen.
    XY onScreen(int x, int y) const {
        POINT origin;
        ClientToScreen(window_->handle(), origin);
        return {origin.x + x, origin.y + y};
    }
    int clicks = 0;

private:
    Window* window_ = nullptr;
};

XY inWindow(int x, int y) {
    return {x + static_cast<int>(GetSystemMetrics(SM_CXFRAME)),
            y + static_cast<int>(GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME))};
}

}  // namespace

TEST(ZelConfigureShapeClass, EachOutlineHasItsCountBoxAndFirstPointsAndIsClosed) {
    ZelConfigureShapeClass shape;
    for (std::size_t n = 0; n < std::size(kOutlines); ++n) {
        const OutlineFacts& facts = kOutlines[n];
        SCOPED_TRACE(n + 1);
        Queue<POINTQUEUERecord> points;
        (shape.*facts.add)(points);
        ASSERT_EQ(points.records(), facts.count);
        std::vector<XY> all;
        for (std::size_t i = 1; i <= points.records(); ++i) all.emplace_back(points.at(i).X, points.at(i).Y);
        const auto [left, right] = std::minmax_element(all.begin(), all.end());
        const auto [top, bottom] =
            std::minmax_element(all.begin(), all.end(), [](const XY& a, const XY& b) { return a.second < b.second; });
        EXPECT_EQ(XY(left->first, top->second), facts.topLeft);
        EXPECT_EQ(XY(right->first, bottom->second), facts.bottomRight);
        for (std::size_t i = 0; i < facts.firstPoints.size(); ++i) EXPECT_EQ(all[i], facts.firstPoints[i]) << i + 1;
        EXPECT_EQ(all.back(), all.front()) << "closed";
        const bool upward = all[1].second < all[0].second;
        EXPECT_TRUE(upward) << "it runs upward first";
    }
}

TEST(ZelConfigureShapeClass, TheShapeShowsTheOutlinesOnTheWindowOpenedLastAndLeavesTheRestOut) {
    ZelConfigureShapeClass shape;
    ShapedWindow below("Below", 40, 30);
    ShapedWindow w("Shaped", 40, 30, [&] { shape.BuildShapedWindowRegion(); });
    ASSERT_TRUE((*w).region().has_value());
    EXPECT_FALSE((*below).region().has_value()) << "only the window opened last on the thread";
    for (const auto& p : kProbes) {
        const auto [x, y] = inWindow(p.x, p.y);
        EXPECT_EQ(drive::shows(*w, x, y), p.shown) << p.where;
    }
}

// Run again on X11, where the shape is the window's mask.
TEST(ZelConfigureShapeClass, AClickBetweenTheEllipsesReachesTheWindowBelow) {
    ZelConfigureShapeClass shape;
    ShapedWindow below("Below", 40, 30);
    ShapedWindow w("Shaped", 40, 30, [&] { shape.BuildShapedWindowRegion(); });
    const struct {
        const char* where;
        int x, y;
        bool onShaped;
    } clicks[] = {{"the centre", 378, 290, true}, {"between 1 and 3", 140, 224, false}, {"an ellipse", 89, 292, true}};
    int shaped = 0, under = 0;
    for (const auto& c : clicks) {
        const auto [x, y] = w.onScreen(c.x, c.y);
        SetCursorPos(x, y);
        mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        drive::settle();
        (c.onShaped ? shaped : under) += 1;
        EXPECT_EQ(w.clicks, shaped) << c.where;
        EXPECT_EQ(below.clicks, under) << c.where;
        if (QGuiApplication::platformName() == "xcb") {
            const auto [wx, wy] = inWindow(c.x, c.y);
            EXPECT_EQ((*w).view()->outer()->mask().contains(QPoint(wx, wy)), c.onShaped) << c.where << ": the mask";
        }
    }
}

namespace {

std::vector<Long> received;
bool fourArguments(Long handle, Long colour, Byte alpha, Long flags) {
    received = {handle, colour, alpha, flags};
    return alpha > 100;
}

}  // namespace

TEST(CallAddress, HandsTheArgumentsToTheRoutineAndReturnsItsResult) {
    EXPECT_TRUE(CallAddress(&fourArguments, 7, 0, Byte{200}, LWA_ALPHA));
    EXPECT_EQ(received, (std::vector<Long>{7, 0, 200, LWA_ALPHA}));
    EXPECT_FALSE(CallAddress(&fourArguments, 8, 1, Byte{20}, LWA_ALPHA));
    EXPECT_FALSE(CallAddress(&SetLayeredWindowAttributes, Long{12345}, Long{0}, Byte{128}, LWA_ALPHA))
        << "no layered window has that handle";
}
