// Picking a control of a window to restyle it: the window while picking,
// and the window given back whole.
#include "RestyleFixture.h"

#include <vector>

namespace {

struct EditorRecorder : CountingManager {
    std::vector<Long> edited;
    void ConfigureRestyle(ZelRestyleClass&, Long control, Byte mode) override { edited.push_back(control * 10 + mode); }
};

class ConfigureDirectlyTest : public RestyleFixture {};

TEST_F(ConfigureDirectlyTest, PickingSuspendsTheWindowAndClosingGivesItBackWhole) {
    RestyledWindow window(manager, kProcedure, ordersSpec());
    Window& w = window.window();
    const Long ok = window.number("?OK");
    w.setProperty(ok, PROP::Disable, 1);
    w.setProperty(ok, PROP::Std, STD::Close);
    window.onThread([&] { window.restyle().ConfigureDirectly(); });
    EXPECT_NE(window.restyle().CONFIGUREDIRECTLYONWINDOW.THREAD, 0);
    EXPECT_EQ(w.property(0, PROP::Text).rfind("-- Push the left mousebutton", 0), 0u);
    EXPECT_EQ(w.numberProperty(0, PROP::Timer), 10);
    EXPECT_EQ(w.numberProperty(ok, PROP::Disable), 0);
    EXPECT_TRUE(w.alerted(0, KEY::MouseLeft));
    drive::closeByCloseBox(w);
    drive::settle();
    EXPECT_EQ(window.restyle().CONFIGUREDIRECTLYONWINDOW.THREAD, 0);
    EXPECT_EQ(w.property(0, PROP::Text), "Orders");
    EXPECT_EQ(w.numberProperty(0, PROP::Timer), 0);
    EXPECT_EQ(w.numberProperty(ok, PROP::Disable), 1);
    EXPECT_EQ(w.numberProperty(ok, PROP::Std), STD::Close);
    EXPECT_FALSE(w.alerted(0, KEY::MouseLeft));
    EXPECT_TRUE(w.isOpen());
}

}  // namespace
