#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Region.h"
#include "platform/ui/Window.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

struct Probe {
    const char* what;
    Region region;
    int x, y;
    bool inside;
};

}  // namespace

TEST(Region, PointsInAndOutOfEachShapeAndCombination) {
    const Region square = Region::rectangle(0, 0, 10, 10);
    const Region right = Region::rectangle(5, 0, 15, 10);
    const Region round = Region::roundRectangle(0, 0, 30, 30, 15, 15);
    const Region circle = Region::ellipse(0, 0, 20, 20);
    // A square outline drawn twice over one corner: winding fills it.
    const Region triangle = Region::polygon({{0, 0}, {20, 0}, {0, 20}, {99, 99}}, 3);
    const Probe probes[] = {
        {"rectangle inside", square, 0, 0, true},
        {"rectangle's right edge is outside", square, 10, 5, false},
        {"rectangle's bottom edge is outside", square, 5, 10, false},
        {"empty rectangle", Region::rectangle(0, 0, 0, 0), 0, 0, false},
        {"round corner cut", round, 0, 0, false},
        {"round corner's inner point", round, 7, 1, true},
        {"round middle", round, 15, 15, true},
        {"ellipse middle", circle, 10, 10, true},
        {"ellipse's box corner", circle, 1, 1, false},
        {"polygon inside", triangle, 3, 3, true},
        {"polygon beyond its hypotenuse", triangle, 15, 15, false},
        {"polygon's unused point", triangle, 90, 90, false},
        {"AND keeps the overlap", square & right, 7, 5, true},
        {"AND drops one side", square & right, 2, 5, false},
        {"OR takes both", square | right, 12, 5, true},
        {"XOR drops the overlap", square ^ right, 7, 5, false},
        {"XOR keeps the rest", square ^ right, 2, 5, true},
        {"XOR with the empty region", Region() ^ square, 2, 2, true},
    };
    for (const Probe& p : probes) EXPECT_EQ(p.region.contains(p.x, p.y), p.inside) << p.what;
}

TEST(Region, AWindowKeepsItsRegionAndItsPictureShowsOnlyThat) {
    bool done = false;
    START([&] {
        Window w({.label = "W", .title = "shaped", .at = {0, 0, 100, 60}});
        w.open();
        w.setRegion(Region::ellipse(0, 0, 80, 60));
        Scheduler::instance().waitUntil([&] { return done; });
    });
    drive::settle();
    Window& w = *drive::window("shaped");
    ASSERT_TRUE(w.region());
    EXPECT_TRUE(w.region()->contains(40, 30));
    QTemporaryDir folder;
    const QString path = folder.filePath("shaped.png");
    ASSERT_TRUE(drive::renderPng(w, path.toStdString()));
    const QImage picture(path);
    EXPECT_EQ(qAlpha(picture.pixel(1, 1)), 0) << "outside the region";
    EXPECT_EQ(qAlpha(picture.pixel(40, 30)), 255);
    w.setRegion(std::nullopt);
    EXPECT_FALSE(w.region());
    done = true;
    Scheduler::instance().wake();
    drive::settle();
}
