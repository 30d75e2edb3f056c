// How a restyled window looks: fading in and out, the title bar of controls,
// background images and the room they take, the marker at the selected
// control, rounded corners and a window shaped to its controls.
#include "RestyleFixture.h"

#include "support/FocusEvents.h"
#include "support/JpegFile.h"

#include "platform/fiber/Clock.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QEvent>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <iterator>

using namespace platform;
using namespace std::chrono_literals;

namespace {

class WindowAppearanceTest : public RestyleFixture {
protected:
    void TearDown() override {
        showLayeredWindows(std::nullopt);
        Clock::useReal();
        RestyleFixture::TearDown();
    }
    Long storeWindowSwitch(Long property, const std::string& value) { return storeForWindow(property, value); }
};

// The newest open window: the one a restyled window opens, before Open ends.
Window& newestWindow() { return *Window::openWindows().back(); }

bool layered(const Window& w) { return (GetWindowLong(w.handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

// The window's alpha at every tick of the clock until `done`.
std::vector<int> alphasUntil(Long handle, const std::function<bool(Window*)>& done) {
    std::vector<int> alphas{Window::byHandle(handle)->alpha()};
    for (int tick = 0; tick < 1000; ++tick) {
        Clock::advance(10ms);
        drive::settle();
        Window* w = Window::byHandle(handle);
        if (done(w)) break;
        alphas.push_back(w->alpha());
    }
    return alphas;
}

// The regions a window shows, one for each time it is painted.
class PaintedRegions : public QObject {
public:
    explicit PaintedRegions(std::string title) : title_(std::move(title)) { qApp->installEventFilter(this); }
    ~PaintedRegions() override { qApp->removeEventFilter(this); }
    std::vector<std::optional<Region>> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        const WindowView* view = WindowView::holding(watched);
        if (!view || !view->model() || view->model()->spec().title != title_) return false;
        const std::optional<Region>& now = view->model()->region();
        if (seen.empty() || seen.back() != now) seen.push_back(now);
        return false;
    }

private:
    std::string title_;
};

Region square(const Window& w, int d) {
    const Rect p = w.placement(0);
    return Region::rectangle(p.width / 2 - d, p.height / 2 - d, p.width / 2 + d, p.height / 2 + d);
}

}  // namespace

TEST_F(WindowAppearanceTest, ALayeredFadeStepsItsAlphaEachTickAndEndsOpaqueOrKeepsItsLayer) {
    const struct {
        const char* stored;  // the fading value; nullptr: none stored, the fade asked for directly
        bool in;
        std::vector<int> alphas;  // from the start, as far as listed
        std::size_t ticks;        // how many alphas in all
    } cases[] = {
        {"1 25", true, {2, 66, 130, 193}, 4},    {"1 0", true, {2, 17, 33}, 17},
        {"1150", true, {2}, 1},                  {nullptr, true, {2, 12, 22}, 25},
        {"1 25", false, {255, 191, 127, 63}, 4}, {"1 0", false, {255, 252, 249}, 100},
        {"1150", false, {255}, 1},               {nullptr, false, {255, 244, 234}, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stored ? c.stored : "none") + (c.in ? " in" : " out"));
        startAfresh();
        Clock::useFake();
        showLayeredWindows(true);
        if (c.stored) storeWindowSwitch(-4, c.stored);
        RestyledWindow w(manager, kProcedure, ordersSpec());
        const Long handle = newestWindow().handle();
        std::vector<int> alphas;
        if (!c.stored) {
            bool finished = false;
            w.onThread([&] {
                w.restyle().FadeWindow(w.window(), c.in ? 1 : 0, 0, 1, 0, 1, 0);
                finished = true;
            });
            alphas = alphasUntil(handle, [&](Window*) { return finished; });
        } else if (c.in) {
            alphas = alphasUntil(handle, [](Window* w) { return !layered(*w); });
        } else {
            alphasUntil(handle, [](Window* w) { return !layered(*w); });  // the fade-in first
            w.window().post({.event = EVENT::CloseWindow});
            drive::settle();
            EXPECT_TRUE(layered(w.window()));
            alphas = alphasUntil(handle, [](Window* w) { return w == nullptr; });
        }
        EXPECT_EQ(alphas.size(), c.ticks);
        alphas.resize(std::min(alphas.size(), c.alphas.size()));
        EXPECT_EQ(alphas, c.alphas);
        if (c.in) {
            EXPECT_FALSE(layered(*Window::byHandle(handle)));
            EXPECT_EQ(Window::byHandle(handle)->alpha(), 255);
        }
    }
}

TEST_F(WindowAppearanceTest, AFadeStopsAfterFiveSecondsAndLeavesTheEventsToTheWindow) {
    Clock::useFake();
    showLayeredWindows(true);
    storeWindowSwitch(-4, "1  1");
    RestyledWindow w(manager, kProcedure, ordersSpec());
    Window& shown = newestWindow();
    newestWindow().post({.event = EVENT::Timer});
    Clock::advance(10ms);
    drive::settle();
    ASSERT_TRUE(layered(shown));
    Clock::advance(6s);
    drive::settle();
    EXPECT_FALSE(layered(shown)) << "stopped: more than 5 seconds";
    EXPECT_EQ(shown.alpha(), 255);
    std::vector<Long> taken;
    std::copy_if(w.events.begin(), w.events.end(), std::back_inserter(taken), [](Long e) { return !aboutFocus(e); });
    EXPECT_EQ(taken, (std::vector<Long>{EVENT::OpenWindow, EVENT::Timer})) << "after the fade, in order";
}

TEST_F(WindowAppearanceTest, TheRegionFadeGrowsSquaresAndEndsWithTheWindowsOwnShape) {
    for (const bool mdi : {false, true}) {
        SCOPED_TRACE(mdi ? "an MDI child, with layers shown" : "the region method asked for");
        startAfresh();
        showLayeredWindows(mdi);
        storeWindowSwitch(-4, mdi ? "1 60" : "1 601");
        storeWindowSwitch(-6, "30");
        std::unique_ptr<RestyledWindow> frame;
        WindowSpec spec = ordersSpec();
        if (mdi) {
            frame = std::make_unique<RestyledWindow>(
                manager, "Frame", WindowSpec{.type = CREATE::application, .label = "F", .title = "Frame",
                                             .at = {0, 0, 400, 300}});
            spec.mdi = true;
        }
        PaintedRegions painted("Orders");
        Clock::useFake();
        RestyledWindow w(manager, kProcedure, spec);
        for (int tick = 0; tick < 100 && !w.opened(); ++tick) Clock::advance(10ms), drive::settle();
        ASSERT_TRUE(w.opened()) << "a step a tick";
        const Window& shown = w.window();
        ASSERT_TRUE(shown.region().has_value()) << "rounded";
        const auto first = std::find(painted.seen.begin(), painted.seen.end(), square(shown, 1));
        ASSERT_NE(first, painted.seen.end());
        ASSERT_GE(std::distance(first, painted.seen.end()), 3);
        EXPECT_EQ(*std::next(first), square(shown, 61));
        EXPECT_EQ(painted.seen.back(), shown.region()) << "its rounded corners, not a square";
        EXPECT_FALSE(layered(shown));
        EXPECT_EQ(shown.alpha(), 255);
        EXPECT_EQ(w.events.front(), EVENT::OpenWindow);
    }
}

// What the screen shows of the window: its last picture, as painted.
QImage onScreen(const Window& w) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QWidget& shown = *w.view()->outer();
    return screen->grabWindow(shown.winId()).toImage();
}

// A region fade paints the window at each step, a step a tick: its contents
// show in the growing square, not only once it has grown.
TEST_F(WindowAppearanceTest, ARegionFadeShowsTheWindowsContentsInsideTheGrowingSquare) {
    Clock::useFake();
    storeWindowSwitch(-4, "1 201");
    WindowSpec spec = ordersSpec();
    spec.controls.push_back({.type = CREATE::box, .label = "?Mark", .at = {90, 50, 20, 16}});
    RestyledWindow w(manager, kProcedure, spec, [](Window& window) {
        window.setProperty(window.equate("?Mark"), PROP::Color, 0x0000FF);
        window.setProperty(window.equate("?Mark"), PROP::Fill, 0x0000FF);
    });
    Window& fading = newestWindow();
    const Rect p = fading.placement(0);
    const int steps = (std::max(p.width, p.height) - 1) / 20 + 1;
    for (int tick = 0; tick < steps / 2; ++tick) Clock::advance(10ms), drive::settle();
    ASSERT_TRUE(fading.region().has_value());
    const Region middle = *fading.region();
    EXPECT_NE(middle, square(fading, 1)) << "it has grown";
    EXPECT_NE(middle, square(fading, 1 + 20 * (steps - 1))) << "it has not ended";
    RECT mark;
    GetWindowRect(fading.controlHandle(fading.equate("?Mark")), mark);
    RECT outer;
    GetWindowRect(fading.handle(), outer);
    const int x = (mark.left + mark.right) / 2 - outer.left, y = (mark.top + mark.bottom) / 2 - outer.top;
    ASSERT_TRUE(middle.contains(x, y)) << "the control lies inside the square";
    EXPECT_EQ(onScreen(fading).pixelColor(x, y), QColor(Qt::red)) << "the control shows, not the background";
    for (int tick = 0; tick < steps; ++tick) Clock::advance(10ms), drive::settle();
    EXPECT_FALSE(w.window().region().has_value()) << "faded in, the window shows whole";
}

TEST_F(WindowAppearanceTest, AWindowFadedOutWhoseCloseIsRefusedShowsAgain) {
    for (const bool byRegion : {false, true}) {
        SCOPED_TRACE(byRegion ? "region" : "layered");
        startAfresh();
        Clock::useFake();
        showLayeredWindows(!byRegion);
        storeWindowSwitch(-4, "1100");
        storeWindowSwitch(-6, "30");
        RestyledWindow w(manager, kProcedure, ordersSpec());
        for (int tick = 0; tick < 5; ++tick) Clock::advance(10ms), drive::settle();
        const std::optional<Region> rounded = w.window().region();
        ASSERT_TRUE(rounded.has_value());
        w.refusesClose = true;
        w.window().post({.event = EVENT::CloseWindow});
        for (int tick = 0; tick < 5; ++tick) Clock::advance(10ms), drive::settle();
        ASSERT_TRUE(w.window().isOpen());
        EXPECT_FALSE(layered(w.window()));
        EXPECT_EQ(w.window().alpha(), 255);
        EXPECT_EQ(w.window().region(), rounded);
    }
}

namespace {

struct TitleBar {
    Long region, icon, text, close;
};

TitleBar titleBarOf(const ZelRestyleClass& r) {
    return {r.CAPTIONREGIONCONTROL, r.WINDOWICONCONTROL, r.CAPTIONTEXTCONTROL, r.CLOSEBUTTONCONTROL};
}

WindowSpec withIcon(WindowSpec spec, std::string icon) {
    spec.icon = std::move(icon);
    return spec;
}

}  // namespace

TEST_F(WindowAppearanceTest, TheTitleBarTakesThePlaceOfTheCaptionAndMovesTheControlsDown) {
    storeWindowSwitch(-9, "1");
    RestyledWindow w(manager, kProcedure, withIcon(ordersSpec(), "zel.ico"));
    const Window& shown = w.window();
    const TitleBar bar = titleBarOf(w.restyle());
    ASSERT_NE(bar.region, 0);
    ASSERT_NE(bar.close, 0);
    EXPECT_EQ(w.restyle().CAPTIONHEIGHT, 12);
    EXPECT_EQ(shown.numberProperty(0, PROP::Width), 200);
    EXPECT_EQ(shown.numberProperty(0, PROP::Height), 132) << "grown by the bar";
    EXPECT_EQ(w.window().numberProperty(w.number("?OK"), PROP::Ypos), 102) << "below the bar";
    EXPECT_EQ(at(shown, bar.region), (Box{2, 2, 196, 12}));
    EXPECT_EQ(at(shown, bar.icon), (Box{2, 2, 12, 12}));
    EXPECT_EQ(at(shown, bar.close), (Box{186, 2, 12, 12}));
    EXPECT_EQ(shown.numberProperty(bar.text, PROP::Xpos), 16);
    EXPECT_EQ(shown.numberProperty(bar.text, PROP::Width), 176);
    EXPECT_EQ(shown.property(bar.text, PROP::Text), "Orders");
    EXPECT_EQ(shown.property(bar.region, PROP::Fill), std::to_string(static_cast<Long>(0x80000002)));
    EXPECT_EQ(shown.property(bar.close, PROP::Icon), "~ZelCloseApplication.ico");
    EXPECT_EQ(shown.property(bar.close, PROP::Std), std::to_string(STD::Close));
    EXPECT_EQ(shown.property(bar.icon, PROP::Icon), "~zel.ico");
    EXPECT_EQ(shown.property(0, PROP::Icon), "") << "the bar took it";
    EXPECT_FALSE(shown.captionShown());
    EXPECT_EQ(GetWindowLong(shown.handle(), GWL_STYLE) & WS_CAPTION, 0);
    for (const Long control : {bar.region, bar.icon, bar.text, bar.close})
        EXPECT_EQ(shown.property(control, PROP::Hide), "0");

    drive::resizeBy(w.window(), 40, 0);
    const Long width = shown.numberProperty(0, PROP::Width);
    EXPECT_EQ(shown.numberProperty(bar.region, PROP::Width), width - 4) << "laid out again";
    EXPECT_EQ(shown.numberProperty(bar.close, PROP::Xpos), width - 14);
}

TEST_F(WindowAppearanceTest, TheBarsIconIsTheWindowsTheFramesOrTheDefault) {
    const struct {
        const char* name;
        const char* windowIcon;
        const char* frameIcon;  // nullptr: no frame
        const char* shown;
    } cases[] = {{"the window's", "orders.ico", "frame.ico", "~orders.ico"},
                 {"already the program's own", "~orders.ico", nullptr, "~orders.ico"},
                 {"the frame's", "", "frame.ico", "~frame.ico"},
                 {"the frame has none", "", "", ICON::Application.data()},
                 {"no frame", "", nullptr, ICON::Application.data()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh();
        storeWindowSwitch(-9, "1");
        std::unique_ptr<PlainWindow> frame;
        if (c.frameIcon) {
            frame = std::make_unique<PlainWindow>(withIcon(ordersSpec("Frame"), c.frameIcon));
            manager.APPLICATIONWINDOW = &frame->window();
        }
        RestyledWindow w(manager, kProcedure, withIcon(ordersSpec(), c.windowIcon));
        EXPECT_EQ(w.window().property(w.restyle().WINDOWICONCONTROL, PROP::Icon), c.shown);
        manager.APPLICATIONWINDOW = nullptr;
    }
}

TEST_F(WindowAppearanceTest, TheBarShowsFocusMaximizesOnADoubleClickAndClosesByItsButtons) {
    storeWindowSwitch(-9, "1");
    const struct {
        const char* name;
        bool closes;
    } cases[] = {{"double click on the bar", false}, {"double click on the icon", true}, {"the close button", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestyledWindow w(manager, kProcedure, ordersSpec());
        Window& shown = w.window();
        const TitleBar bar = titleBarOf(w.restyle());
        const Long handle = shown.handle();
        shown.post({.event = EVENT::LoseFocus});
        drive::settle();
        EXPECT_EQ(shown.property(bar.region, PROP::Fill), std::to_string(static_cast<Long>(0x80000003)));
        shown.post({.event = EVENT::GainFocus});
        drive::settle();
        EXPECT_EQ(shown.property(bar.region, PROP::Fill), std::to_string(static_cast<Long>(0x80000002)));
        if (std::string_view(c.name) == "double click on the bar") {
            drive::doubleClick(shown, bar.region);  // on the title, which lies on the bar
        } else if (std::string_view(c.name) == "double click on the icon") {
            drive::doubleClick(shown, bar.icon);
        } else {
            drive::click(shown, bar.close);
        }
        drive::settle();
        if (c.closes) {
            EXPECT_EQ(Window::byHandle(handle), nullptr);
        } else {
            EXPECT_EQ(shown.property(0, PROP::Maximize), "1");
        }
    }
}

TEST_F(WindowAppearanceTest, StylingOffTakesTheBarAndTheRoomAwayAndOnBuildsOneBarAgain) {
    storeWindowSwitch(-9, "1");
    RestyledWindow w(manager, kProcedure, withIcon(ordersSpec(), "zel.ico"));
    Window& shown = w.window();
    const Long ok = w.number("?OK");
    const auto restyle = [&](const char* disabled) {
        storeWindowSwitch(-15, disabled);
        w.onThread([&] { w.restyle().Restyle(1, 0); });
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        restyle("1");
        EXPECT_EQ(titleBarOf(w.restyle()).region, 0);
        EXPECT_TRUE(shown.captionShown());
        EXPECT_EQ(shown.property(0, PROP::Icon), "zel.ico");
        EXPECT_EQ(shown.numberProperty(0, PROP::Height), 120) << "the room given back";
        EXPECT_EQ(shown.numberProperty(ok, PROP::Ypos), 90);
        restyle("0");
        EXPECT_EQ(shown.numberProperty(0, PROP::Height), 132);
        EXPECT_EQ(shown.numberProperty(ok, PROP::Ypos), 102);
        Long panels = 0;
        for (const Long n : shown.controlNumbers()) panels += shown.control(n)->type == CREATE::panel ? 1 : 0;
        EXPECT_EQ(panels, 1) << "one bar";
    }
}

TEST_F(WindowAppearanceTest, ImagesArePlacedFromTheirCornerAndTakeTheLargestRoomOnce) {
    const struct {
        const char* name;
        std::vector<IMAGEQUEUERecord> rows;
        Box first;                // the first image: x, y, width, height
        Short roomX, roomY;       // SHIFTXPOS, SHIFTYPOS
    } cases[] = {
        {"top left", {imageRow(1, 10, 5, 50, 0, 20, 0)}, {10, 5, 50, 20}, 0, 0},
        {"top right", {imageRow(2, 60, 5, 50, 0, 20, 0)}, {140, 5, 50, 20}, 0, 0},
        {"bottom left, with its own room", {withRoom(imageRow(3, 10, 30, 50, 0, 20, 0), 0, 0, 10, 0)},
         {10, 110, 50, 20}, 0, 10},
        {"bottom right", {imageRow(4, 60, 30, 50, 0, 20, 0)}, {140, 90, 50, 20}, 0, 0},
        {"shares of the window", {imageRow(1, 10, 5, 50, 1, 100, 1)}, {10, 5, 90, 115}, 0, 0},
        {"the largest room, not the sum",
         {withRoom(imageRow(1, 0, 0, 40, 0, 30, 0), 40, 0, 5, 0),
          withRoom(imageRow(1, 0, 0, 40, 0, 30, 0), 10, 1, 30, 0)},
         {0, 0, 40, 30}, 40, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh();
        for (const IMAGEQUEUERecord& row : c.rows) addImage(row);
        RestyledWindow w(manager, kProcedure, ordersSpec());
        const Window& shown = w.window();
        ASSERT_EQ(w.restyle().IMAGEEQUATEQUEUE.records(), c.rows.size());
        const Long image = w.restyle().IMAGEEQUATEQUEUE.at(1).IMAGEEQUATE;
        EXPECT_EQ(at(shown, image), c.first);
        EXPECT_EQ(shown.property(image, PROP::Text), "back.png");
        EXPECT_EQ(shown.property(image, PROP::Hide), "0");
        EXPECT_EQ(w.restyle().SHIFTXPOS, c.roomX);
        EXPECT_EQ(w.restyle().SHIFTYPOS, c.roomY);
        EXPECT_EQ(shown.numberProperty(0, PROP::Width), 200 + c.roomX);
        EXPECT_EQ(shown.numberProperty(0, PROP::Height), 120 + c.roomY);
        EXPECT_EQ(shown.numberProperty(w.number("?OK"), PROP::Xpos), 10 + c.roomX) << "out of the images' way";
        w.onThread([&] { w.restyle().Restyle(1, 0); });
        EXPECT_EQ(shown.numberProperty(0, PROP::Height), 120 + c.roomY) << "once";
    }
}

TEST_F(WindowAppearanceTest, ACentredWindowMovesByHalfItsRoomAndAZeroSizeIsThePicturesOwn) {
    addImage(withRoom(imageRow(1, 0, 0, 0, 0, 0, 0), 40, 0, 20, 0));
    WindowSpec spec = ordersSpec();
    spec.center = true;
    RestyledWindow w(manager, kProcedure, spec);
    const Window& shown = w.window();
    const Long image = w.restyle().IMAGEEQUATEQUEUE.at(1).IMAGEEQUATE;
    EXPECT_EQ(shown.property(image, PROP::NoWidth), "1");
    EXPECT_EQ(shown.property(image, PROP::NoHeight), "1");
    // Where it opened, less half the room.
    const Long x = shown.numberProperty(0, PROP::Xpos), y = shown.numberProperty(0, PROP::Ypos);
    storeWindowSwitch(-15, "1");
    w.onThread([&] { w.restyle().Restyle(1, 0); });
    EXPECT_EQ(shown.numberProperty(0, PROP::Width), 200);
    EXPECT_EQ(shown.numberProperty(0, PROP::Xpos), x) << "the window stays where it is";
    storeWindowSwitch(-15, "0");
    w.onThread([&] { w.restyle().Restyle(1, 0); });
    EXPECT_EQ(shown.numberProperty(0, PROP::Xpos), x - 20);
    EXPECT_EQ(shown.numberProperty(0, PROP::Ypos), y - 10);
}

TEST_F(WindowAppearanceTest, AReloadWithFewerRowsDestroysTheSurplusAndImagesCanBeSwitchedOff) {
    for (int i = 0; i < 3; ++i) addImage(imageRow(1, 10 * i, 0, 10, 0, 10, 0));
    RestyledWindow w(manager, kProcedure, ordersSpec());
    Window& shown = w.window();
    ASSERT_EQ(w.restyle().IMAGEEQUATEQUEUE.records(), 3u);
    const Long second = w.restyle().IMAGEEQUATEQUEUE.at(2).IMAGEEQUATE;
    const Long third = w.restyle().IMAGEEQUATEQUEUE.at(3).IMAGEEQUATE;
    manager.IMAGEQUEUE.get(3);
    manager.IMAGEQUEUE.remove();
    manager.IMAGEQUEUE.get(2);
    manager.IMAGEQUEUE.remove();
    w.onThread([&] { w.restyle().Restyle(1, 0); });
    EXPECT_EQ(w.restyle().IMAGEEQUATEQUEUE.records(), 1u);
    EXPECT_EQ(shown.control(second), nullptr);
    EXPECT_EQ(shown.control(third), nullptr);

    // The program's images switched off.
    ZelRestyleClass lookups;
    lookups.Init(kProcedure, manager);
    IMAGEPROPERTYGROUPRecord off{0, 1, 0};
    lookups.SaveGroup(recordRef(off), lookups.GetConditionSetID(1, 0, restyle::kImagesGroup),
                      restyle::imagesProperty("DEFAULT"));
    const Long first = w.restyle().IMAGEEQUATEQUEUE.at(1).IMAGEEQUATE;
    w.onThread([&] { w.restyle().Restyle(1, 0); });
    EXPECT_EQ(w.restyle().IMAGEEQUATEQUEUE.records(), 0u);
    EXPECT_EQ(shown.control(first), nullptr);
}

TEST_F(WindowAppearanceTest, AnApplicationFrameGetsNoImages) {
    addImage(imageRow(1, 10, 5, 50, 0, 20, 0));
    RestyledWindow w(manager, "Frame",
                     WindowSpec{.type = CREATE::application, .label = "F", .title = "Frame", .at = {0, 0, 300, 200}});
    EXPECT_EQ(w.restyle().IMAGEEQUATEQUEUE.records(), 0u);
    for (const Long n : w.window().controlNumbers()) EXPECT_NE(w.window().control(n)->type, CREATE::image);
}

TEST_F(WindowAppearanceTest, AJpegBackgroundShowsOnAnMdiChild) {
    const std::string file = (std::filesystem::current_path() / "back.jpg").string();
    writeJpeg(file, 64, 48, {200, 30, 40});
    addImage(imageRow(1, 0, 0, 100, 1, 100, 1, file));
    PlainWindow frame({.type = CREATE::application, .label = "F", .title = "Frame", .at = {0, 0, 400, 300}});
    WindowSpec spec = ordersSpec();
    spec.mdi = true;
    RestyledWindow w(manager, kProcedure, spec);
    const std::string picture = (std::filesystem::current_path() / "window.png").string();
    ASSERT_TRUE(drive::renderPng(w.window(), picture));
    const QImage shown(QString::fromStdString(picture));
    const QColor middle = shown.pixelColor(shown.width() / 2, shown.height() / 3);
    EXPECT_NEAR(middle.red(), 200, 12);
    EXPECT_NEAR(middle.green(), 30, 12);
    EXPECT_NEAR(middle.blue(), 40, 12);
}

namespace {

// "Mark selected control": colour, the symbol's code, the marking.
std::string markValue(Long colour, const std::string& symbol, char marking) {
    std::string value(30, ' ');
    const std::string c = std::to_string(colour);
    value.replace(0, c.size(), c);
    value.replace(19, symbol.size(), symbol);
    value[29] = marking;
    return value;
}

}  // namespace

TEST_F(WindowAppearanceTest, TheMarkerGoesBesideOrAroundTheSelectedControl) {
    const struct {
        const char* name;
        std::string value;
        Long type;
        const char* text;
        Box at;  // by ?Case at (10, 30, 80, 10)
    } cases[] = {
        {"left, the default symbol", markValue(255, "0", '1'), CREATE::string, "\xBB", {5, 30, 0, 0}},
        {"right, the default symbol", markValue(255, "", '3'), CREATE::string, "\xAB", {91, 30, 0, 0}},
        {"left, a symbol of one digit", markValue(255, "7", '1'), CREATE::string, "\x07", {5, 30, 0, 0}},
        {"left, a symbol of three digits", markValue(255, "187", '1'), CREATE::string, "\xBB", {5, 30, 0, 0}},
        {"right, a star", markValue(255, "42", '3'), CREATE::string, "*", {91, 30, 0, 0}},
        {"a box around", markValue(255, "", '2'), CREATE::box, nullptr, {8, 28, 84, 14}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh();
        storeWindowSwitch(-5, c.value);
        RestyledWindow w(manager, kProcedure, ordersSpec());
        const Window& shown = w.window();
        const Long marker = w.restyle().MARKSELECTEDCONTROLEQUATE;
        ASSERT_NE(marker, 0);
        EXPECT_EQ(shown.numberProperty(marker, PROP::Type), c.type);
        if (c.text) {
            EXPECT_EQ(shown.property(marker, PROP::Text), c.text);
            EXPECT_EQ(shown.property(marker, PROP::FontColor), "255");
        } else {
            EXPECT_EQ(shown.property(marker, PROP::Color), "255");
        }
        drive::click(w.window(), "?Case");
        EXPECT_EQ(shown.numberProperty(marker, PROP::Xpos), c.at.x);
        EXPECT_EQ(shown.numberProperty(marker, PROP::Ypos), c.at.y);
        if (c.type == CREATE::box) {
            EXPECT_EQ(shown.numberProperty(marker, PROP::Width), c.at.width);
            EXPECT_EQ(shown.numberProperty(marker, PROP::Height), c.at.height);
        }
    }
}

TEST_F(WindowAppearanceTest, NoMarkerGoesToASkippedControlAndTheStylingTakesItAway) {
    storeWindowSwitch(-5, markValue(255, "", '1'));
    RestyledWindow w(manager, kProcedure, ordersSpec(), [](Window& window) {
        window.setProperty(window.equate("?Cancel"), PROP::Skip, 1);
    });
    Window& shown = w.window();
    const Long marker = w.restyle().MARKSELECTEDCONTROLEQUATE;
    drive::click(shown, "?Case");
    drive::click(shown, "?Cancel");
    EXPECT_EQ(shown.numberProperty(marker, PROP::Ypos), 30) << "still at ?Case";
    storeWindowSwitch(-15, "1");
    w.onThread([&] { w.restyle().Restyle(1, 0); });
    EXPECT_EQ(w.restyle().MARKSELECTEDCONTROLEQUATE, 0);
    EXPECT_EQ(shown.control(marker), nullptr);
}

TEST_F(WindowAppearanceTest, RoundnessGivesARoundedRegionInsideTheEdgeOrTheWholeFrameAnd255TakesItAway) {
    RestyledWindow w(manager, kProcedure, ordersSpec());
    RestyledWindow frame(manager, "Frame",
                         WindowSpec{.type = CREATE::application, .label = "F", .title = "Frame",
                                    .at = {0, 0, 300, 200}});
    const auto size = [](const Window& window) {
        RECT r;
        GetWindowRect(window.handle(), r);
        return std::pair{static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
    };
    const int edge = GetSystemMetrics(SM_CXEDGE);
    const auto [width, height] = size(w.window());
    w.onThread([&] { manager.SetWindowRoundness(&w.window(), 30); });
    EXPECT_EQ(w.window().region(), Region::roundRectangle(edge, edge, width - edge, height - edge, 30, 30));
    w.onThread([&] { manager.SetWindowRoundness(nullptr, 0); });
    EXPECT_EQ(w.window().region(), Region::roundRectangle(edge, edge, width - edge, height - edge, 0, 0))
        << "the target window";
    w.onThread([&] { manager.SetWindowRoundness(&w.window(), 255); });
    EXPECT_FALSE(w.window().region().has_value());
    const auto [frameWidth, frameHeight] = size(frame.window());
    frame.onThread([&] { manager.SetWindowRoundness(&frame.window(), 40); });
    EXPECT_EQ(frame.window().region(), Region::roundRectangle(0, 0, frameWidth, frameHeight, 40, 40));
}

// The title bar changes the window's frame: the corners are rounded for the
// frame it leaves, whichever comes first.
TEST_F(WindowAppearanceTest, RoundedCornersStayRoundWithTheTitleBarAtOpeningAndAfterAResize) {
    for (const bool titleBar : {false, true}) {
        SCOPED_TRACE(titleBar ? "with the title bar" : "without it");
        startAfresh();
        storeWindowSwitch(-6, "30");
        if (titleBar) storeWindowSwitch(-9, "1");
        RestyledWindow w(manager, kProcedure, ordersSpec());
        EXPECT_EQ(w.restyle().CAPTIONREGIONCONTROL != 0, titleBar);
        EXPECT_EQ(cornersRounded(w.window()), 4) << "at opening";
        drive::resizeBy(w.window(), 40, 30);
        EXPECT_EQ(cornersRounded(w.window()), 4) << "after a resize";
    }
}

TEST_F(WindowAppearanceTest, AWindowRegionKeepsTheFrameAndTheVisibleControlsInTheWindowsOwnPixels) {
    RestyledWindow w(manager, kProcedure, ordersSpec(), [](Window& window) {
        window.setProperty(window.equate("?Cancel"), PROP::Hide, 1);
    });
    drive::dragCaption(w.window(), 60, 40);
    RECT outer;
    ASSERT_TRUE(GetWindowRect(w.window().handle(), outer));
    // A control's middle in the window's own pixels.
    const auto middle = [&](std::string_view label) {
        RECT at;
        GetWindowRect(w.window().controlHandle(w.number(label)), at);
        return std::pair{static_cast<int>((at.left + at.right) / 2 - outer.left),
                         static_cast<int>((at.top + at.bottom) / 2 - outer.top)};
    };
    POINT client;
    ClientToScreen(w.window().handle(), client);
    const int clientLeft = client.x - outer.left, clientTop = client.y - outer.top;
    for (const Byte round : {0, 1}) {
        SCOPED_TRACE(round ? "rounded controls" : "plain controls");
        w.onThread([&] { w.restyle().SetWindowRegion(round); });
        ASSERT_TRUE(w.window().region().has_value());
        const Region& region = *w.window().region();
        const auto [okX, okY] = middle("?OK");
        const auto [cancelX, cancelY] = middle("?Cancel");
        EXPECT_TRUE(region.contains(okX, okY));
        EXPECT_FALSE(region.contains(cancelX, cancelY)) << "hidden";
        EXPECT_TRUE(region.contains(1, (outer.bottom - outer.top) / 2)) << "the frame";
        EXPECT_FALSE(region.contains(clientLeft + 150, clientTop + 60)) << "the client area between controls";
        EXPECT_FALSE(region.contains(0, 0)) << "the window's rounded corner";
    }
}
