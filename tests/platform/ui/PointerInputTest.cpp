// The layer's pointer, the mouse buttons as alert keys, mouse capture, keys
// read one by one, pixel rectangles, a refused move and POPUP at the pointer.
#include "RunningWindow.h"

#include "platform/ui/Keyboard.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Popup.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// In pixels: a button, an entry, and a line drawn right to left and upwards.
WindowSpec probe(const std::string& title, int x = 40, int y = 40) {
    return {.label = "Probe",
            .title = title,
            .at = {x, y, 200, 120},
            .pixels = true,
            .controls = {{.type = CREATE::button, .label = "?Ok", .text = "&Ok", .at = {10, 10, 60, 24}},
                         {.type = CREATE::entry, .label = "?Entry", .text = "@s20", .at = {10, 50, 80, 20}},
                         {.type = CREATE::line, .label = "?Line", .at = {150, 100, -40, -30}}}};
}

// The middle of a control on the screen.
std::pair<int, int> middleOf(Window& w, std::string_view label) {
    RECT r;
    GetWindowRect(w.controlHandle(w.equate(label)), r);
    return {static_cast<int>((r.left + r.right) / 2), static_cast<int>((r.top + r.bottom) / 2)};
}

std::vector<Long> alertKeys(const RunningWindow& w) {
    std::vector<Long> keys;
    for (const Event& e : w.taken(EVENT::AlertKey)) keys.push_back(e.keyCode);
    return keys;
}

// Events of the tests' own.
constexpr Long kShowEvent = 0x600, kHold = 0x601, kRead = 0x602;

}  // namespace

TEST(PixelRectangles, TheClientAreaAndAControlWithinTheWindowALineKeepingItsSigns) {
    RunningWindow w(probe("rectangles"));
    RECT window, client, button, line;
    ASSERT_TRUE(GetWindowRect(w->handle(), window));
    ASSERT_TRUE(GetClientRect(w->handle(), client));
    EXPECT_EQ((std::vector<Long>{client.left, client.top, client.right, client.bottom}),
              (std::vector<Long>{0, 0, 200, 120}));
    const Long clientLeft = window.left + GetSystemMetrics(SM_CXFRAME);
    const Long clientTop = window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
    ASSERT_TRUE(GetWindowRect(w->controlHandle(w.number("?Ok")), button));
    EXPECT_EQ((std::vector<Long>{button.left - clientLeft, button.top - clientTop, button.right - clientLeft,
                                 button.bottom - clientTop}),
              (std::vector<Long>{10, 10, 70, 34}));
    ASSERT_TRUE(GetWindowRect(w->controlHandle(w.number("?Line")), line));
    EXPECT_EQ((std::vector<Long>{line.left - clientLeft, line.top - clientTop, line.right - clientLeft,
                                 line.bottom - clientTop}),
              (std::vector<Long>{150, 100, 110, 70}))
        << "right before left, bottom above top";
    EXPECT_FALSE(GetClientRect(w->controlHandle(w.number("?Ok")), client)) << "a control has no client area here";
}

TEST(Pointer, SetCursorPosPutsItWhereGetCursorPosAndTheNextEventFindIt) {
    RunningWindow w(probe("pointer"));
    ASSERT_TRUE(SetCursorPos(123, 97));
    POINT at;
    ASSERT_TRUE(GetCursorPos(at));
    EXPECT_EQ(at.x, 123);
    EXPECT_EQ(at.y, 97);
    const auto [x, y] = middleOf(*w, "?Ok");
    drive::movePointer(x, y);
    GetCursorPos(at);
    EXPECT_EQ(at.x, x);
    EXPECT_EQ(at.y, y);
    w->post({.event = kShowEvent});
    drive::settle();
    EXPECT_EQ(w.events.back().screenX, x);
    EXPECT_EQ(w.events.back().screenY, y);
}

TEST(Pointer, ATimerEventTellsWhereThePointerIs) {
    RunningWindow w(probe("timer"));
    const auto [x, y] = middleOf(*w, "?Ok");
    drive::movePointer(x, y);
    w->setProperty(0, PROP::Timer, 1);
    Scheduler::instance().pumpUntil([&] { return !w.taken(EVENT::Timer).empty(); }, std::chrono::seconds(2));
    w->setProperty(0, PROP::Timer, 0);
    const std::vector<Event> timers = w.taken(EVENT::Timer);
    ASSERT_FALSE(timers.empty());
    EXPECT_EQ(timers.back().screenX, x);
    EXPECT_EQ(timers.back().screenY, y);
}

// On X11 the window system reports each warp later as a move, after moves Qt
// was handed meanwhile: here the driver's at the newer warp, then the report
// of the older one, made as the window system hands it to Qt.
TEST(Pointer, TheLateReportOfAnOlderWarpUndoesNoNewerOne) {
    RunningWindow w(probe("late report"));
    const QPoint older(5, 5);  // beside the window: only the report made here comes there
    ASSERT_TRUE(SetCursorPos(older.x(), older.y()));
    const auto [x, y] = middleOf(*w, "?Ok");
    drive::movePointer(x, y);
    QWindow* screenWindow = w->view()->windowHandle();
    QTest::mouseMove(screenWindow, screenWindow->mapFromGlobal(older));
    drive::settle();
    POINT at;
    GetCursorPos(at);
    EXPECT_EQ(at.x, x);
    EXPECT_EQ(at.y, y);
}

TEST(Pointer, MouseButtonsAreAlertKeysOfTheWindowAndOfItsControls) {
    RunningWindow w(probe("mouse keys"));
    for (Long key : {KEY::MouseLeft, KEY::MouseRight, KEY::MouseLeft2}) w->alert(0, key);
    w->alert(w.number("?Ok"), KEY::MouseRight);
    RECT client;
    GetWindowRect(w->handle(), client);
    drive::movePointer(static_cast<int>(client.left + 150), static_cast<int>(client.top + 80));  // the bare client area
    drive::clickPointer(KEY::MouseRight);
    drive::clickPointer();
    drive::doubleClickPointer();
    const auto [x, y] = middleOf(*w, "?Ok");
    drive::movePointer(x, y);
    drive::clickPointer(KEY::MouseRight);
    const std::vector<Event> alerts = w.taken(EVENT::AlertKey);
    EXPECT_EQ(alertKeys(w), (std::vector<Long>{KEY::MouseRight, KEY::MouseLeft, KEY::MouseLeft, KEY::MouseLeft2,
                                               KEY::MouseRight}));
    ASSERT_EQ(alerts.size(), 5u);
    EXPECT_EQ(alerts[0].field, 0);
    EXPECT_EQ(alerts[4].field, w.number("?Ok"));
    EXPECT_TRUE(w.taken(EVENT::Accepted).empty()) << "a right click presses no button";

    w->unalert(w.number("?Ok"), KEY::MouseRight);
    drive::clickPointer(KEY::MouseRight);
    ASSERT_EQ(w.taken(EVENT::AlertKey).size(), 6u);
    EXPECT_EQ(w.taken(EVENT::AlertKey).back().field, 0) << "the window's alert, the control's taken back";
    w->unalert(0, KEY::MouseRight);
    drive::clickPointer(KEY::MouseRight);
    EXPECT_EQ(w.taken(EVENT::AlertKey).size(), 6u) << "no longer alerted";
}

TEST(Pointer, AClickWhereTheWindowAboveLeavesItselfOutReachesTheOneBelow) {
    RunningWindow below(probe("below"));
    RunningWindow above(probe("above"));
    for (RunningWindow* w : {&below, &above}) (*w)->alert(0, KEY::MouseLeft);
    RECT outer;
    GetWindowRect(above->handle(), outer);
    above->setRegion(Region::rectangle(0, 0, 100, 200));
    drive::movePointer(static_cast<int>(outer.left + 50), static_cast<int>(outer.top + 100));
    drive::clickPointer();
    drive::movePointer(static_cast<int>(outer.left + 150), static_cast<int>(outer.top + 100));
    drive::clickPointer();
    EXPECT_EQ(above.taken(EVENT::AlertKey).size(), 1u) << "where it shows";
    EXPECT_EQ(below.taken(EVENT::AlertKey).size(), 1u) << "where it does not";
    SetCapture(above->handle());
    drive::clickPointer();
    drive::movePointer(static_cast<int>(outer.right + 100), static_cast<int>(outer.top + 100));  // beside both
    drive::clickPointer();
    ReleaseCapture();
    EXPECT_EQ(above.taken(EVENT::AlertKey).size(), 3u) << "under its capture, there too";
    EXPECT_EQ(below.taken(EVENT::AlertKey).size(), 1u);
}

TEST(Capture, EveryClickReachesTheCapturingWindowUntilItIsReleasedOrTheWindowCloses) {
    RunningWindow other(probe("other", 300, 200));
    std::unique_ptr<RunningWindow> capturing = std::make_unique<RunningWindow>(probe("capturing", 40, 40));
    for (Long key : {KEY::MouseLeft, KEY::MouseRight, KEY::MouseLeft2}) (*capturing)->alert(0, key);
    EXPECT_EQ(SetCapture((*capturing)->handle()), 0);
    EXPECT_EQ(GetCapture(), (*capturing)->handle());
    const auto [x, y] = middleOf(*other, "?Ok");
    drive::movePointer(x, y);
    drive::clickPointer();
    drive::clickPointer(KEY::MouseRight);
    drive::doubleClickPointer();
    EXPECT_TRUE(other.taken(EVENT::Accepted).empty()) << "the other window hears no click";
    EXPECT_EQ(alertKeys(*capturing),
              (std::vector<Long>{KEY::MouseLeft, KEY::MouseRight, KEY::MouseLeft, KEY::MouseLeft2}));
    EXPECT_EQ((*capturing).taken(EVENT::AlertKey).front().field, 0) << "as on the capturing window's client area";

    ReleaseCapture();
    drive::click(*other, "?Ok");
    EXPECT_EQ(other.taken(EVENT::Accepted).size(), 1u);

    SetCapture((*capturing)->handle());
    capturing.reset();  // closes while it holds the capture
    EXPECT_EQ(GetCapture(), 0);
    drive::click(*other, "?Ok");
    EXPECT_EQ(other.taken(EVENT::Accepted).size(), 2u) << "the other window hears clicks again";
}

TEST(Keyboard, HeldKeysWaitToBeReadAndNeverReachTheFocusedControlOrTheWindowsRules) {
    std::vector<Long> read;
    Long waitingBeforeHold = -1;
    RunningWindow w(probe("keys"), [&](Window& win) {
        if (win.event() == kHold) {
            waitingBeforeHold = KEYBOARD();
            HOLDKEYS(true);
        } else if (win.event() == kRead) {
            while (KEYBOARD() != 0) {
                ASK();
                read.push_back(KEYCODE());
            }
            HOLDKEYS(false);
        }
    });
    w->alert(0, KEY::F2);
    w->select(w.number("?Entry"));
    drive::pressKey(*w, 'A');
    EXPECT_EQ(drive::screenText(*w, "?Entry"), "a") << "without a hold a key acts at once";
    w->post({.event = kHold});
    drive::settle();
    EXPECT_EQ(waitingBeforeHold, 0);
    drive::pressKey(*w, 'B');
    drive::pressKey(*w, KEY::F2);
    drive::pressKey(*w, KEY::Esc);
    EXPECT_EQ(drive::screenText(*w, "?Entry"), "a") << "the entry never saw B";
    EXPECT_TRUE(w->isOpen()) << "Escape waits instead of closing the window";
    EXPECT_EQ(alertKeys(w), std::vector<Long>{KEY::F2}) << "an alerted key is the program's at once";
    w->post({.event = kRead});
    drive::settle();
    EXPECT_EQ(read, (std::vector<Long>{'B', KEY::Esc}));
    drive::pressKey(*w, 'C');
    EXPECT_EQ(drive::screenText(*w, "?Entry"), "ac") << "keys act again after the hold";
}

TEST(Window, EscapeClosesAWindowThatHasNotAlertedItAndARefusedMoveLeavesTheWindowInPlace) {
    WindowSpec spec = probe("refuses moves");
    RunningWindow w(spec, [](Window& win) {
        if (win.event() == EVENT::Move) win.cycle();
    });
    w->setProperty(0, PROP::Imm, 1);
    RECT before, after;
    GetWindowRect(w->handle(), before);
    drive::dragCaption(*w, 30, 20);
    GetWindowRect(w->handle(), after);
    EXPECT_FALSE(w.taken(EVENT::Move).empty());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(w->placement(0).x, 40);
    EXPECT_TRUE(w.taken(EVENT::Moved).empty());

    drive::pressKey(*w, KEY::Esc);
    EXPECT_EQ(w.taken(EVENT::CloseWindow).size(), 1u);
    EXPECT_EQ(drive::window("refuses moves"), nullptr);
}

TEST(Popup, OpensAtThePointerAndTheDriverAnswersByNumber) {
    const std::string text = "Accepteer|&Annuleer|-|Volgen|Cursor{Linksboven|Midden}|-|Herhaal";
    for (const Long number : {Long{1}, Long{4}, Long{5}, Long{6}, Long{0}}) {
        SetCursorPos(150, 130);
        Long chosen = -1;
        START([&] { chosen = POPUP(text); });
        drive::settle();
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->pos(), QPoint(150, 130));
        drive::choosePopup(number);
        drive::settle();
        EXPECT_EQ(chosen, number);
    }
}
