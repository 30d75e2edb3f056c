// The system calls on window handles and metrics, and a window painted at
// once though the window system has not shown it yet.
#include "RunningWindow.h"

#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QProgressBar>
#include <QScreen>
#include <QEvent>
#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec plain(const std::string& title) { return {.label = "W", .title = title, .at = {0, 0, 120, 80}}; }

}  // namespace

TEST(WindowCalls, TheMetricsPlaceTheClientAreaInTheWindow) {
    RunningWindow w(plain("metrics"));
    const QPoint client = w->view()->clientRect().topLeft();
    EXPECT_EQ(client.x(), GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(client.y(), GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(GetSystemMetrics(0), 0) << "a metric the layer does not keep";
}

TEST(WindowCalls, SetWindowPosMakesAWindowTopmostAndNoLongerButNeitherMovesNorSizes) {
    RunningWindow w(plain("z-order"));
    const Long keepPlace = SWP_NOMOVE | SWP_NOSIZE;
    const Long handle = w->handle();
    EXPECT_TRUE(SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, keepPlace | SWP_SHOWWINDOW));
    EXPECT_TRUE(w->topmost());
    EXPECT_TRUE(w->view()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w->view()->isVisible()) << "the window stays shown";
    EXPECT_TRUE(SetWindowPos(handle, HWND_NOTOPMOST, 0, 0, 0, 0, keepPlace));
    EXPECT_FALSE(w->topmost());
    EXPECT_FALSE(w->view()->windowFlags() & Qt::WindowStaysOnTopHint);

    w->setProperty(0, PROP::Hide, 1);
    EXPECT_TRUE(SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, keepPlace | SWP_SHOWWINDOW));
    EXPECT_TRUE(w->view()->isVisible()) << "shown again";
    EXPECT_FALSE(SetWindowPos(handle, HWND_NOTOPMOST, 10, 10, 0, 0, SWP_NOSIZE)) << "a move";
    EXPECT_TRUE(w->topmost());
    EXPECT_FALSE(SetWindowPos(handle + 1, HWND_TOPMOST, 0, 0, 0, 0, keepPlace)) << "a control's handle";
}

TEST(WindowCalls, ShowWindowRestoresAHiddenMaximizedWindowAndBringsItForward) {
    RunningWindow back({.label = "B", .title = "restored", .at = {30, 40, 160, 90}, .pixels = true,
                        .maximizeBox = true});
    RunningWindow front(plain("in front"));
    const Long width = back->numberProperty(0, PROP::Width);
    drive::clickMaximizeBox(*back);
    ASSERT_NE(back->numberProperty(0, PROP::Width), width);
    drive::activate(*front);
    back->setProperty(0, PROP::Hide, 1);
    ASSERT_FALSE(back->view()->isVisible());

    EXPECT_TRUE(ShowWindow(back->handle(), SW_RESTORE));
    drive::settle();
    EXPECT_TRUE(back->view()->isVisible());
    EXPECT_EQ(back->numberProperty(0, PROP::Maximize), 0);
    EXPECT_EQ(back->numberProperty(0, PROP::Width), width) << "its restored size";
    EXPECT_EQ(back->numberProperty(0, PROP::Active), 1);

    EXPECT_FALSE(ShowWindow(back->handle(), SW_SHOWMAXIMIZED)) << "a command it does not carry out";
    EXPECT_EQ(back->numberProperty(0, PROP::Maximize), 0);
    EXPECT_FALSE(ShowWindow(back->handle() + 1, SW_RESTORE)) << "a control's handle";
}

TEST(WindowCalls, AProgressBarWithoutARangeIsEmptyNotBusy) {
    RunningWindow w({.label = "W", .title = "progress", .controls = {
        {.type = CREATE::progress, .label = "?Bar", .at = {5, 5, 100, 10}}}});
    const Long bar = w.number("?Bar");
    const auto* shown = w->view()->findChild<QProgressBar*>();
    ASSERT_TRUE(shown);
    const struct {
        Long low, high, progress;
        int maximum, value;
    } cases[] = {{0, 0, 0, 1, 0}, {0, 3, 2, 3, 2}, {0, 0, 0, 1, 0}};
    for (const auto& c : cases) {
        w->setProperty(bar, PROP::RangeLow, c.low);
        w->setProperty(bar, PROP::RangeHigh, c.high);
        w->setProperty(bar, PROP::Progress, c.progress);
        EXPECT_EQ(shown->maximum(), c.maximum) << c.high;
        EXPECT_EQ(shown->value(), c.value) << c.high;
    }
}

TEST(WindowCalls, SetWindowRgnShapesTheWindowAndARedrawPaintsAWindowNotYetOnScreen) {
    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && qobject_cast<WindowView*>(watched)) ++paints;
            return false;
        }
    } count;
    qApp->installEventFilter(&count);
    int paintsAfterRedraw = -1;
    bool refused = false;
    START([&] {
        Window w(plain("shaped at once"));
        w.open();
        SetWindowRgn(w.handle(), Region::ellipse(0, 0, 40, 40), true);
        paintsAfterRedraw = count.paints;  // before Qt's next turn
        refused = !SetWindowRgn(0, std::nullopt, true);
        SetWindowRgn(w.handle(), std::nullopt, false);
        EXPECT_FALSE(w.region());
    });
    drive::settle();
    qApp->removeEventFilter(&count);
    EXPECT_GE(paintsAfterRedraw, 1);
    EXPECT_TRUE(refused) << "no window has that handle";
}

TEST(WindowCalls, WindowRectAndPlacementGiveTheWholeWindowOnScreenAndItsRestoredPlace) {
    RunningWindow w({.label = "W", .title = "placed", .at = {30, 40, 160, 90}, .pixels = true, .maximizeBox = true});
    const Long outerWidth = 160 + 2 * GetSystemMetrics(SM_CXFRAME);
    const Long outerHeight = 90 + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
    RECT rect;
    ASSERT_TRUE(GetWindowRect(w->handle(), rect));
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right, 30 + outerWidth);
    EXPECT_EQ(rect.bottom, 40 + outerHeight);
    WINDOWPLACEMENT placement;
    ASSERT_TRUE(GetWindowPlacement(w->handle(), placement));
    EXPECT_EQ(placement.showCmd, SW_SHOWNORMAL);
    EXPECT_EQ(placement.rcNormalPosition.left, 30);
    EXPECT_EQ(placement.rcNormalPosition.bottom, 40 + outerHeight);

    drive::clickMaximizeBox(*w);
    ASSERT_TRUE(GetWindowPlacement(w->handle(), placement));
    EXPECT_EQ(placement.showCmd, SW_SHOWMAXIMIZED);
    EXPECT_EQ(placement.rcNormalPosition.left, 30) << "where it goes when restored";
    EXPECT_EQ(placement.rcNormalPosition.top, 40);
    ASSERT_TRUE(GetWindowRect(w->handle(), rect));
    const QRect shown = w->view()->geometry();
    EXPECT_EQ(rect.left, shown.x());
    EXPECT_EQ(rect.right - rect.left, shown.width());

    EXPECT_FALSE(GetWindowRect(w->handle() + 1, rect)) << "a control's handle";
    EXPECT_FALSE(GetWindowPlacement(0, placement));
}

TEST(WindowCalls, PointsGoBetweenTheClientAreaAndTheScreenWhereverTheWindowIsShown) {
    RunningWindow w({.label = "W", .title = "points", .at = {30, 40, 160, 90}, .pixels = true, .maximizeBox = true});
    const Long clientLeft = 30 + GetSystemMetrics(SM_CXFRAME);
    const Long clientTop = 40 + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
    POINT p{5, 7};
    ASSERT_TRUE(ClientToScreen(w->handle(), p));
    EXPECT_EQ(p.x, clientLeft + 5);
    EXPECT_EQ(p.y, clientTop + 7);
    p = {10, 12};  // above and left of the client area, on the screen
    ASSERT_TRUE(ScreenToClient(w->handle(), p));
    EXPECT_EQ(p.x, 10 - clientLeft);
    EXPECT_EQ(p.y, 12 - clientTop);

    drive::clickMaximizeBox(*w);
    RECT shown;
    ASSERT_TRUE(GetWindowRect(w->handle(), shown));
    p = {shown.left + GetSystemMetrics(SM_CXFRAME), shown.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION)};
    ASSERT_TRUE(ScreenToClient(w->handle(), p));
    EXPECT_EQ(p.x, 0) << "the corner of the client area where the maximized window shows it";
    EXPECT_EQ(p.y, 0);

    p = {1, 2};
    EXPECT_FALSE(ScreenToClient(w->handle() + 1, p)) << "a control's handle";
    EXPECT_FALSE(ClientToScreen(0, p));
    EXPECT_EQ(p.x, 1) << "left as it was";
    EXPECT_EQ(p.y, 2);
}

TEST(WindowCalls, AnMdiChildsRectIsOnTheScreenItsRestoredPlaceInItsFrame) {
    RunningWindow frame({.type = CREATE::application, .label = "F", .title = "Frame", .at = {50, 60, 300, 200},
                         .pixels = true});
    RunningWindow child({.label = "C", .title = "Child", .at = {10, 5, 100, 60}, .pixels = true, .mdi = true});
    RECT rect;
    ASSERT_TRUE(GetWindowRect(child->handle(), rect));
    const QPoint corner = frame->view()->mdiArea()->viewport()->mapToGlobal(QPoint(10, 5));
    EXPECT_EQ(rect.left, corner.x());
    EXPECT_EQ(rect.top, corner.y());
    WINDOWPLACEMENT placement;
    ASSERT_TRUE(GetWindowPlacement(child->handle(), placement));
    EXPECT_EQ(placement.rcNormalPosition.left, 10);
    EXPECT_EQ(placement.rcNormalPosition.top, 5);
}

TEST(WindowCalls, TheDesktopWindowIsTheScreenAndMoveWindowPlacesAWindowByItsWholeRectangleQuietly) {
    RECT desktop;
    ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), desktop));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(desktop.left, screen.left());
    EXPECT_EQ(desktop.top, screen.top());
    EXPECT_EQ(desktop.right, screen.left() + screen.width());
    EXPECT_EQ(desktop.bottom, screen.top() + screen.height());
    EXPECT_EQ(Window::byHandle(GetDesktopWindow()), nullptr) << "no window's handle";

    RunningWindow w({.label = "W", .title = "moved", .at = {30, 40, 160, 90}, .pixels = true});
    RECT before;
    ASSERT_TRUE(GetWindowRect(w->handle(), before));
    w.events.clear();
    ASSERT_TRUE(MoveWindow(w->handle(), 200, 100, before.right - before.left + 20, before.bottom - before.top, true));
    RECT after;
    ASSERT_TRUE(GetWindowRect(w->handle(), after));
    EXPECT_EQ(after.left, 200);
    EXPECT_EQ(after.top, 100);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 20);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    w->setProperty(0, PROP::Pixels, 1);
    EXPECT_EQ(w->numberProperty(0, PROP::Xpos), 200);
    EXPECT_EQ(w->numberProperty(0, PROP::Width), 180) << "its client area";
    drive::settle();
    EXPECT_TRUE(w.events.empty()) << "the program's own move";

    RunningWindow frame({.type = CREATE::application, .label = "F", .title = "Frame", .at = {50, 60, 300, 200},
                         .pixels = true});
    RunningWindow child({.label = "C", .title = "Child", .at = {10, 5, 150, 60}, .pixels = true, .mdi = true});
    ASSERT_TRUE(GetWindowRect(child->handle(), before));
    ASSERT_TRUE(MoveWindow(child->handle(), 40, 30, before.right - before.left, before.bottom - before.top, false));
    child->setProperty(0, PROP::Pixels, 1);
    EXPECT_EQ(child->numberProperty(0, PROP::Xpos), 40) << "in its frame's MDI area";
    EXPECT_EQ(child->numberProperty(0, PROP::Ypos), 30);
    EXPECT_EQ(child->numberProperty(0, PROP::Width), 150);
    EXPECT_FALSE(MoveWindow(0, 0, 0, 10, 10, false));
}
