#include "splash/SplashLogo.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using platform::Point;

namespace {

using XY = std::pair<int, int>;

struct OutlineFacts {
    int number;
    std::size_t count;
    XY xRange, yRange;
    std::array<XY, 4> firstPoints;
};

XY xy(const Point& p) { return {p.x, p.y}; }

}  // namespace

TEST(SplashLogo, EachOutlineHasItsCountRangesAndFirstPointsAndIsClosed) {
    const OutlineFacts outlines[] = {
        {1, 720, {38, 466}, {1, 364}, {{{39, 85}, {39, 84}, {57, 66}, {59, 66}}}},
        {2, 55, {54, 109}, {109, 181}, {{{55, 109}, {57, 109}, {80, 109}, {81, 110}}}},
        {3, 434, {164, 349}, {85, 294}, {{{166, 294}, {168, 294}, {201, 294}, {201, 290}}}},
        {4, 115, {226, 283}, {122, 213}, {{{227, 211}, {227, 208}, {228, 207}, {228, 205}}}},
        {5, 87, {411, 478}, {110, 269}, {{{412, 111}, {412, 110}, {414, 111}, {441, 111}}}},
    };
    for (const OutlineFacts& facts : outlines) {
        SCOPED_TRACE(facts.number);
        const auto points = logoOutline(facts.number);
        ASSERT_EQ(points.size(), facts.count);
        const auto [left, right] = std::minmax_element(points.begin(), points.end(), [](auto& a, auto& b) { return a.x < b.x; });
        const auto [top, bottom] = std::minmax_element(points.begin(), points.end(), [](auto& a, auto& b) { return a.y < b.y; });
        EXPECT_EQ(XY(left->x, right->x), facts.xRange);
        EXPECT_EQ(XY(top->y, bottom->y), facts.yRange);
        for (std::size_t n = 0; n < facts.firstPoints.size(); ++n) EXPECT_EQ(xy(points[n]), facts.firstPoints[n]) << n + 1;
        EXPECT_EQ(xy(points.back()), xy(points.front())) << "closed";
    }
    const auto card = logoOutline(1);
    std::vector<std::size_t> onTopEdge;
    for (std::size_t n = 1; n <= card.size(); ++n)
        if (card[n - 1].y == 1) onTopEdge.push_back(n);
    EXPECT_EQ(onTopEdge, (std::vector<std::size_t>{131, 132, 133, 134, 135, 136, 137, 138}));
    EXPECT_TRUE(logoOutline(6).empty());
}
