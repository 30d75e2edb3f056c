// The window's style words: the caption taken away and back, and the
// opacity of a layered window.
#include "RunningWindow.h"

#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec plain(const std::string& title, bool mdi = false) {
    return {.label = "W", .title = title, .at = {10, 10, 120, 80}, .mdi = mdi};
}

struct Size {
    Long width, height;
    bool operator==(const Size&) const = default;
};

Size outerSize(const Window& w) {
    RECT r;
    GetWindowRect(w.handle(), r);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

TEST(WindowStyles, WithoutACaptionTheWindowKeepsItsPlaceAndClientArea) {
    RunningWindow w(plain("captionless"));
    const Long handle = w->handle();
    const Size with = outerSize(*w);
    const Long x = w->numberProperty(0, PROP::Xpos), y = w->numberProperty(0, PROP::Ypos);
    ASSERT_EQ(GetWindowLong(handle, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(SetWindowLong(handle, GWL_STYLE, GetWindowLong(handle, GWL_STYLE) & ~WS_CAPTION), WS_CAPTION);
    drive::settle();
    EXPECT_FALSE(w->captionShown());
    EXPECT_EQ(outerSize(*w), (Size{with.width, with.height - GetSystemMetrics(SM_CYCAPTION)}));
    EXPECT_EQ(w->numberProperty(0, PROP::Width), 120);
    EXPECT_EQ(w->numberProperty(0, PROP::Height), 80);
    EXPECT_EQ(w->numberProperty(0, PROP::Xpos), x);
    EXPECT_EQ(w->numberProperty(0, PROP::Ypos), y);
    EXPECT_TRUE(w->view()->captionRect().isNull());
    EXPECT_EQ(w->view()->clientRect().top(), GetSystemMetrics(SM_CYFRAME));
    SetWindowLong(handle, GWL_STYLE, GetWindowLong(handle, GWL_STYLE) | WS_CAPTION);
    drive::settle();
    EXPECT_EQ(outerSize(*w), with);
    EXPECT_EQ(GetWindowLong(0, GWL_STYLE), 0) << "no window's handle";
}

TEST(WindowStyles, ALayeredWindowTakesAnAlphaUntilItIsLayeredNoMore) {
    RunningWindow w(plain("layered"));
    const Long handle = w->handle();
    EXPECT_FALSE(SetLayeredWindowAttributes(handle, 0, 100, LWA_ALPHA)) << "not layered";
    EXPECT_EQ(w->alpha(), 255);
    SetWindowLong(handle, GWL_EXSTYLE, GetWindowLong(handle, GWL_EXSTYLE) | WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(handle, 0, 100, LWA_ALPHA));
    EXPECT_EQ(w->alpha(), 100);
    EXPECT_DOUBLE_EQ(w->view()->windowOpacity(), 100 / 255.0);
    SetWindowLong(handle, GWL_EXSTYLE, 0);
    EXPECT_EQ(w->alpha(), 255);
    EXPECT_FALSE(layeredWindowsShown()) << "offscreen, nothing composes the windows";
    showLayeredWindows(true);
    EXPECT_TRUE(layeredWindowsShown());
    showLayeredWindows(std::nullopt);
}

TEST(WindowStyles, AShapedMdiChildsPictureShowsOnlyItsRegion) {
    RunningWindow frame({.type = CREATE::application, .label = "F", .title = "frame", .at = {0, 0, 300, 200}});
    RunningWindow child(plain("child", true));
    child->setRegion(Region::ellipse(0, 0, 100, 80));
    QTemporaryDir folder;
    const QString path = folder.filePath("child.png");
    ASSERT_TRUE(drive::renderPng(*child, path.toStdString()));
    const QImage picture(path);
    EXPECT_EQ(qAlpha(picture.pixel(1, 1)), 0) << "outside the region";
    EXPECT_EQ(qAlpha(picture.pixel(50, 40)), 255);
    EXPECT_TRUE(child->view()->outer()->mask().isEmpty()) << "offscreen applies no mask";
}
