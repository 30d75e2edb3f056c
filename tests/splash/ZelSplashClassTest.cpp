#include "splash/ZelSplashClass.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QEvent>
#include <gtest/gtest.h>

using namespace platform;
using namespace std::chrono_literals;

namespace {

constexpr const char* kTitle = "Tabloom splash";

// What the splash window showed each time it was painted.
struct PaintLog : QObject {
    struct Paint {
        std::optional<Region> region;
        bool closeHidden = false;
    };
    std::vector<Paint> paints;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* view = event->type() == QEvent::Paint ? qobject_cast<WindowView*>(watched) : nullptr;
        if (view && view->model() && view->model()->spec().title == kTitle) {
            Window& w = *view->model();
            paints.push_back({w.region(), w.numberProperty(w.equate("?CloseButton"), PROP::Hide) != 0});
        }
        return false;
    }
    std::vector<std::optional<Region>> regions(bool closeHidden) const {
        std::vector<std::optional<Region>> found;
        for (const Paint& p : paints)
            if (p.closeHidden == closeHidden) found.push_back(p.region);
        return found;
    }
};

// The circle's steps on a window of 480 by 366 pixels: the radius from
// `first` by `by` while it lies within 1 to 480, around the centre, as much
// of the logo as it holds.
std::vector<std::optional<Region>> circle(const Region& logo, int first, int by) {
    std::vector<std::optional<Region>> steps;
    for (int r = first; r >= 1 && r <= 480; r += by) steps.push_back(Region::ellipse(240 - r, 183 - r, 240 + r, 183 + r) & logo);
    return steps;
}

void expectSteps(const std::vector<std::optional<Region>>& shown, const std::vector<std::optional<Region>>& expected) {
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t n = 0; n < shown.size(); ++n) EXPECT_TRUE(shown[n] == expected[n]) << "step " << n + 1;
}

class SplashShow : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::useFake();
        qApp->installEventFilter(&log);
    }
    void TearDown() override {
        qApp->removeEventFilter(&log);
        Scheduler::instance().endAllOthers();
        drive::settle();
        Clock::useReal();
    }
    // Show(10) on a thread of its own, as far as it goes without the clock.
    Window& show() {
        START([this] {
            splash.Show(10);
            returned = true;
        });
        drive::settle();
        Window* w = drive::window(kTitle);
        if (!w) throw std::runtime_error("the splash did not open");
        return *w;
    }
    void advance(std::chrono::milliseconds by) {
        Clock::advance(by);
        drive::settle();
    }

    ZelSplashClass splash;
    PaintLog log;
    bool returned = false;
};

}  // namespace

TEST(ZelSplashClass, BuildRegionShowsTheCardTheInnerPetalAndTheLeafOutsideAndCutsTheRest) {
    ZelSplashClass splash;
    splash.BuildRegion();
    EXPECT_EQ(splash.DX, GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(splash.DY, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME) - 1);
    const struct {
        const char* where;
        int x, y;  // the logo's own point
        bool shown;
    } probes[] = {
        {"inside outline 1 only", 120, 250, true},
        {"on the tab", 360, 20, true},
        {"in 2", 80, 150, false},
        {"in 3, outside 4", 200, 150, false},
        {"in 4", 255, 180, true},
        {"in 5, inside 1", 430, 180, false},
        {"in 5, right of x 466", 472, 170, true},
        {"outside all", 20, 20, false},
        {"right of 1, below 5", 472, 300, false},
    };
    for (const auto& p : probes) EXPECT_EQ(splash.R1.contains(p.x + splash.DX, p.y + splash.DY), p.shown) << p.where;
}

TEST_F(SplashShow, OpensWithAGrowingCircleWaitsItsSecondsAndClosesWithAShrinkingOne) {
    Window& w = show();
    EXPECT_TRUE(w.topmost());
    EXPECT_EQ(w.numberProperty(0, PROP::Pixels), 1);
    EXPECT_EQ(w.numberProperty(0, PROP::Width), 480);
    EXPECT_EQ(w.numberProperty(0, PROP::Height), 366);
    // Every paint while "&Close" was hidden is a step of the opening circle.
    expectSteps(log.regions(true), circle(splash.R1, 1, 4));
    const Long close = w.equate("?CloseButton");
    EXPECT_EQ(w.numberProperty(close, PROP::Hide), 0);
    EXPECT_EQ(w.focus(), close);

    log.paints.clear();
    advance(9990ms);
    EXPECT_FALSE(returned);
    EXPECT_EQ(drive::window(kTitle), &w);
    EXPECT_TRUE(log.paints.empty());

    advance(10ms);
    EXPECT_TRUE(returned);
    EXPECT_EQ(drive::window(kTitle), nullptr);
    expectSteps(log.regions(false), circle(splash.R1, 480, -4));
}

TEST_F(SplashShow, EveryControlCloseIncludedLiesInsideTheVisibleLogo) {
    Window& w = show();
    const int left = GetSystemMetrics(SM_CXFRAME);
    const int top = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
    for (Long n : w.controlNumbers()) {
        SCOPED_TRACE(w.control(n)->label);
        const int x = left + w.numberProperty(n, PROP::Xpos), y = top + w.numberProperty(n, PROP::Ypos);
        const int width = w.numberProperty(n, PROP::Width), height = w.numberProperty(n, PROP::Height);
        ASSERT_GT(width * height, 0);
        for (auto [cx, cy] : {std::pair{x, y}, {x + width - 1, y}, {x, y + height - 1}, {x + width - 1, y + height - 1}})
            EXPECT_TRUE(splash.R1.contains(cx, cy)) << cx << ", " << cy;
    }
    drive::click(w, "?CloseButton");
}

TEST_F(SplashShow, CloseEndsTheWaitAtOnceAndTheCircleStillCloses) {
    Window& w = show();
    log.paints.clear();
    drive::click(w, "?CloseButton");
    EXPECT_TRUE(returned);
    EXPECT_EQ(drive::window(kTitle), nullptr);
    expectSteps(log.regions(false), circle(splash.R1, 480, -4));
}
