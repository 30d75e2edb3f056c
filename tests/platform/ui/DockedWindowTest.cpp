// Windows docked inside the application frame (PROP:Docked): along each
// edge beside the MDI area, following the frame, floating again, and the
// events each change posts.
#include "RunningWindow.h"

#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QMdiArea>
#include <gtest/gtest.h>
#include <optional>

using namespace platform;

namespace {

WindowSpec frameSpec() {
    return {.type = CREATE::application, .label = "F", .title = "Frame", .at = {40, 30, 500, 320},
            .pixels = true, .resizable = true};
}

WindowSpec toolSpec() {
    return {.label = "T", .title = "Tools", .at = {200, 150, 90, 50}, .pixels = true, .toolbox = true,
            .controls = {{.type = CREATE::button, .label = "?Press", .text = "Press", .at = {5, 5, 60, 20}}}};
}

QRect onScreen(const QWidget* w) { return {w->mapToGlobal(QPoint(0, 0)), w->size()}; }

QRect mdiArea(Window& frame) { return onScreen(frame.view()->mdiArea()); }
QRect shown(Window& w) { return w.view()->screenRect(); }

std::vector<Long> dockEvents(const RunningWindow& w) {
    std::vector<Long> found;
    for (Long e : w.numbers())
        if (e == EVENT::Docked || e == EVENT::Undocked) found.push_back(e);
    return found;
}

}  // namespace

TEST(DockedWindow, LiesAlongEachEdgeOfTheFrameBesideTheMdiArea) {
    RunningWindow frame(frameSpec());
    const QRect whole = mdiArea(*frame);
    struct Case {
        Long edge;
        bool (*along)(const QRect& tool, const QRect& area, const QRect& whole);
    };
    const Case cases[] = {
        {DOCK::Left, [](const QRect& t, const QRect& a, const QRect& w) {
             return t.topLeft() == w.topLeft() && a.left() == t.right() + 1 && a.right() == w.right();
         }},
        {DOCK::Top, [](const QRect& t, const QRect& a, const QRect& w) {
             return t.topLeft() == w.topLeft() && a.top() == t.bottom() + 1 && a.bottom() == w.bottom();
         }},
        {DOCK::Right, [](const QRect& t, const QRect& a, const QRect& w) {
             return t.topRight() == w.topRight() && a.right() == t.left() - 1 && a.left() == w.left();
         }},
        {DOCK::Bottom, [](const QRect& t, const QRect& a, const QRect& w) {
             return t.bottomLeft() == w.bottomLeft() && a.bottom() == t.top() - 1 && a.top() == w.top();
         }},
    };
    for (const Case& c : cases) {
        RunningWindow tool(toolSpec());
        const QSize size = shown(*tool).size();
        const Long x = tool->numberProperty(0, PROP::Xpos);
        tool->setProperty(0, PROP::Docked, c.edge);
        drive::settle();
        SCOPED_TRACE(c.edge);
        EXPECT_TRUE(tool->view()->docked());
        EXPECT_EQ(tool->view()->window(), frame->view()->window()) << "inside the frame";
        EXPECT_EQ(shown(*tool).size(), size) << "it keeps its size";
        EXPECT_TRUE(c.along(shown(*tool), mdiArea(*frame), whole))
            << "tool " << shown(*tool).x() << "," << shown(*tool).y() << " area " << mdiArea(*frame).x() << ","
            << mdiArea(*frame).y() << " " << mdiArea(*frame).width() << "x" << mdiArea(*frame).height();
        EXPECT_EQ(tool->numberProperty(0, PROP::Xpos), x) << "the floating place is kept";
        EXPECT_EQ(dockEvents(tool), std::vector<Long>{EVENT::Docked});
    }
    drive::settle();
    EXPECT_EQ(mdiArea(*frame), whole) << "the closed windows give their room back";
}

TEST(DockedWindow, FollowsTheFrameAndKeepsTakingInputOnItsOwnThread) {
    RunningWindow frame(frameSpec());
    RunningWindow tool(toolSpec());
    tool->setProperty(0, PROP::Docked, DOCK::Right);
    drive::settle();
    frame->setPosition(0, 80, 60, 560, 300);
    drive::settle();
    EXPECT_EQ(shown(*tool).topRight(), mdiArea(*frame).topRight() + QPoint(shown(*tool).width(), 0))
        << "still at the right edge";
    EXPECT_TRUE(frame->view()->mdiArea()->parentWidget()->geometry().contains(tool->view()->geometry()));

    tool.events.clear();
    drive::click(*tool, tool.number("?Press"));
    ASSERT_FALSE(tool.taken(EVENT::Accepted).empty());
    EXPECT_EQ(tool.taken(EVENT::Accepted).front().field, tool.number("?Press"));
    EXPECT_TRUE(frame.taken(EVENT::Accepted).empty());
}

TEST(DockedWindow, FloatsAgainWhereItsPlaceSaysAndEachChangeOfEdgePostsItsEvent) {
    RunningWindow frame(frameSpec());
    RunningWindow tool(toolSpec());
    for (Long docked : {DOCK::Float, Long{0}, DOCK::Top, DOCK::Bottom, DOCK::Bottom, DOCK::Left, Long{3}, DOCK::Float})
        tool->setProperty(0, PROP::Docked, docked);
    drive::settle();
    EXPECT_EQ(dockEvents(tool), (std::vector<Long>{EVENT::Docked, EVENT::Docked, EVENT::Docked, EVENT::Undocked}))
        << "16, 0 and 3 all float; the same edge again changes nothing";
    EXPECT_EQ(tool->numberProperty(0, PROP::Docked), DOCK::Float) << "reads back as written";
    EXPECT_FALSE(tool->view()->docked());
    EXPECT_TRUE(tool->view()->isWindow());
    EXPECT_TRUE(tool->view()->isVisible());
    EXPECT_EQ(shown(*tool).topLeft(), QPoint(200, 150));
    EXPECT_TRUE(tool->view()->windowFlags() & Qt::WindowStaysOnTopHint) << "a toolbox stays above the others";
    EXPECT_EQ(tool->numberProperty(0, PROP::ToolBox), 1);

    tool->setProperty(0, PROP::Hide, 1);
    tool->setProperty(0, PROP::Docked, DOCK::Left);
    drive::settle();
    EXPECT_FALSE(tool->view()->isVisible()) << "hidden, it stays hidden where it docks";
    EXPECT_EQ(mdiArea(*frame).left(), onScreen(frame->view()->mdiArea()->parentWidget()).left()) << "and takes no room";
}

TEST(DockedWindow, FloatsWhenTheFrameCloses) {
    std::optional<RunningWindow> frame(std::in_place, frameSpec());
    RunningWindow tool(toolSpec());
    tool->setProperty(0, PROP::Docked, DOCK::Top);
    drive::settle();
    frame.reset();
    ASSERT_NE(tool->view(), nullptr) << "its view goes not with the frame's";
    EXPECT_TRUE(tool->view()->isWindow());
    EXPECT_TRUE(tool->view()->isVisible());
    EXPECT_EQ(shown(*tool).topLeft(), QPoint(200, 150));
    tool->setProperty(0, PROP::Docked, DOCK::Left);
    drive::settle();
    EXPECT_TRUE(tool->view()->isWindow()) << "no frame to dock in";
}
