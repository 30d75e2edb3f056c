// Where windows and controls are and how big, both ways: what the program
// writes shows on screen, what the user does on screen is written back.
#include "RunningWindow.h"

#include "platform/ui/WindowCalls.h"

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowMessages.h"
#include "platform/ui/WindowView.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec plain(const std::string& title, Rect at = {30, 20, 160, 90}) {
    return {.label = "W", .title = title, .at = at, .controls = {
        {.type = CREATE::string, .label = "?Natural", .text = "A natural size", .at = {4, 4, 0, 0}},
        {.type = CREATE::entry, .label = "?Entry", .text = "@s20", .at = {10, 20, 60, 12}},
    }};
}

WindowSpec frameSpec() {
    return {.type = CREATE::application, .label = "F", .title = "Frame", .at = {0, 0, 400, 240},
            .resizable = true, .maximizeBox = true, .statusBar = true,
            .menubar = {{.type = CREATE::menu, .label = "?WindowMenu", .text = "&Window", .children = {
                {.type = CREATE::item, .label = "?Tile", .text = "&Tile", .std = STD::TileWindow},
                {.type = CREATE::item, .label = "?Cascade", .text = "&Cascade", .std = STD::CascadeWindow}}}}};
}

WindowSpec child(const std::string& title, Rect at = {10, 8, 150, 80}) {
    WindowSpec spec = plain(title, at);
    spec.mdi = true;
    return spec;
}

// The frame carries out its menu's standard actions, as the window manager does.
void standardActions(Window& w) {
    if (w.event() != EVENT::Accepted) return;
    if (const Long action = w.numberProperty(w.field(), PROP::Std)) w.view()->standardAction(action);
}

QWidget* widgetOf(const RunningWindow& w, std::string_view label) { return w->view()->widget(w.number(label)); }

}  // namespace

TEST(WindowGeometry, DialogUnitsAndPixelsAgreeAndEachReadsBackAsWritten) {
    RunningWindow w(plain("units"));
    const Long entry = w.number("?Entry");
    const DialogUnits& du = w->units();
    QWidget* widget = widgetOf(w, "?Entry");
    EXPECT_EQ(widget->geometry(), QRect(du.toPixelsX(10), du.toPixelsY(20), du.toPixelsX(60), du.toPixelsY(12)));

    w->setProperty(0, PROP::Pixels, 1);
    EXPECT_EQ(w->numberProperty(entry, PROP::Xpos), widget->x());
    EXPECT_EQ(w->numberProperty(entry, PROP::Width), widget->width());
    w->setProperty(entry, PROP::Width, 101);  // pixels now
    EXPECT_EQ(widget->width(), 101);
    EXPECT_EQ(w->numberProperty(entry, PROP::Width), 101);

    w->setProperty(0, PROP::Pixels, 0);
    EXPECT_EQ(w->numberProperty(entry, PROP::Width), du.toUnitsX(101)) << "converted";
    EXPECT_LE(du.toPixelsX(du.toUnitsX(101)), 101) << "the most units that take no more pixels";
    EXPECT_GT(du.toPixelsX(du.toUnitsX(101) + 1), 101);
    EXPECT_EQ(w->numberProperty(entry, PROP::Xpos), 10) << "written in dialog units, read back exactly";
    w->setProperty(entry, PROP::Width, 70);
    EXPECT_EQ(widget->width(), du.toPixelsX(70)) << "a property width changes the widget";

    EXPECT_EQ(w->numberProperty(0, PROP::Width), 160);
    w->setProperty(0, PROP::Pixels, 1);
    EXPECT_EQ(w->numberProperty(0, PROP::Width), du.toPixelsX(160));
    EXPECT_EQ(w->numberProperty(0, PROP::ClientWidth), du.toPixelsX(160));
}

TEST(WindowGeometry, ANaturalSizeReadsBackAsLaidOut) {
    RunningWindow w(plain("natural"));
    const Long natural = w.number("?Natural");
    QWidget* label = widgetOf(w, "?Natural");
    EXPECT_GT(w->numberProperty(natural, PROP::Width), 0);
    EXPECT_GT(w->numberProperty(natural, PROP::Height), 0);
    EXPECT_EQ(w->numberProperty(natural, PROP::Width), w->units().toUnitsX(label->width()));

    const Long before = w->numberProperty(natural, PROP::Width);
    w->setProperty(natural, PROP::Text, "A natural size that grows with its text");
    EXPECT_GT(w->numberProperty(natural, PROP::Width), before) << "still natural: it follows the text";
    w->setProperty(0, PROP::Pixels, 1);
    EXPECT_EQ(w->numberProperty(natural, PROP::Width), label->width());
}

TEST(WindowGeometry, SetPositionPlacesTheGivenPartsAtOnceAndASizeNotGivenStaysNatural) {
    RunningWindow w(plain("positioned"));
    const DialogUnits& du = w->units();
    const Long natural = w.number("?Natural"), entry = w.number("?Entry");
    w->setPosition(natural, 20, 30, std::nullopt, std::nullopt);
    w->setPosition(entry, 40, 50, 70, 14);
    EXPECT_EQ(widgetOf(w, "?Natural")->pos(), QPoint(du.toPixelsX(20), du.toPixelsY(30)));
    EXPECT_EQ(widgetOf(w, "?Entry")->geometry(),
              QRect(du.toPixelsX(40), du.toPixelsY(50), du.toPixelsX(70), du.toPixelsY(14)));
    EXPECT_EQ(w->numberProperty(entry, PROP::Width), 70);
    const Long before = w->numberProperty(natural, PROP::Width);
    w->setProperty(natural, PROP::Text, "A natural size that grows with its text");
    EXPECT_GT(w->numberProperty(natural, PROP::Width), before) << "still natural";
    w->setPosition(0, 50, std::nullopt, 170, std::nullopt);
    EXPECT_EQ(w->view()->x(), du.toPixelsX(50));
    EXPECT_EQ(w->view()->clientRect().width(), du.toPixelsX(170));
    EXPECT_EQ(w->numberProperty(0, PROP::Ypos), 20);
}

TEST(WindowGeometry, AWindowOpensWhereItsStructureSaysAndMovesWhenTheProgramSays) {
    RunningWindow w(plain("placed"));
    const DialogUnits& du = w->units();
    EXPECT_EQ(w->view()->pos(), QPoint(du.toPixelsX(30), du.toPixelsY(20)));
    w->setProperty(0, PROP::Xpos, 60);
    w->setProperty(0, PROP::Height, 120);
    EXPECT_EQ(w->view()->x(), du.toPixelsX(60));
    EXPECT_EQ(w->view()->clientRect().height(), du.toPixelsY(120));
    EXPECT_TRUE(w.taken(EVENT::Moved).empty()) << "the program's moves are not the user's";
}

TEST(WindowGeometry, ACentredWindowReadsBackWhereItOpened) {
    WindowSpec spec = plain("centred");
    spec.center = true;
    RunningWindow w(spec);
    w->setProperty(0, PROP::Pixels, 1);
    EXPECT_EQ(w->numberProperty(0, PROP::Xpos), w->view()->x());
    EXPECT_GT(w->view()->x(), 0);
}

TEST(WindowGeometry, AWindowWithoutAPositionOpensCentredOverItsOpenerAndBelowTheFramesMenu) {
    constexpr Long kOpenOver = 0x500;
    WindowSpec overSpec = plain("over", {0, 0, 120, 60});
    overSpec.noPosition = true;
    RunningWindow frame(frameSpec());
    drive::dragCaption(*frame, 40, 30);
    const QRect frameTop = frame->view()->screenRect();
    const int belowMenu = frame->view()->mdiArea()->mapToGlobal(QPoint(0, 0)).y();
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        Rect opener;
        bool centred;  // else pushed down below the frame's menu bar
    } cases[] = {{{60, 40, 200, 110}, true}, {{0, 0, 200, 20}, false}};
    for (const auto& c : cases) {
        RunningWindow opener(child("opener", c.opener), [overSpec](Window& w) {
            if (w.event() != kOpenOver) return;
            Window over(overSpec);
            over.open();
            while (over.accept()) {
            }
        });
        opener->post({.event = kOpenOver});
        drive::settle();
        Window* over = drive::window("over");
        ASSERT_NE(over, nullptr);
        const QRect shown = over->view()->screenRect();
        const QPoint openerCentre = opener->view()->screenRect().center();
        if (c.centred) {
            EXPECT_LE(std::abs(shown.center().x() - openerCentre.x()), 1);
            EXPECT_LE(std::abs(shown.center().y() - openerCentre.y()), 1);
        } else {
            EXPECT_LE(std::abs(shown.center().x() - openerCentre.x()), 1);
            EXPECT_EQ(shown.top(), belowMenu);
        }
        EXPECT_TRUE(desktop.contains(shown));
        EXPECT_GE(shown.top(), frameTop.top());
        over->setProperty(0, PROP::Pixels, 1);
        EXPECT_EQ(over->numberProperty(0, PROP::Xpos), shown.x()) << "reads back where it opened";
        over->post({.event = EVENT::CloseWindow});
        drive::settle();
    }
}

TEST(WindowGeometry, AWindowSizedAfterItOpenedIsCentredOnTheScreenAtItsNewSize) {
    RunningWindow w(plain("sized later"));
    w->setProperty(0, PROP::Width, 240);
    w->setProperty(0, PROP::Height, 60);
    w->center();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect shown = w->view()->geometry();
    EXPECT_LE(std::abs(shown.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(shown.center().y() - screen.center().y()), 1);
    EXPECT_EQ(w->view()->clientRect().width(), w->units().toPixelsX(240));
    w->setProperty(0, PROP::Pixels, 1);
    EXPECT_EQ(w->numberProperty(0, PROP::Xpos), shown.x());
    EXPECT_EQ(w->numberProperty(0, PROP::Ypos), shown.y());
    EXPECT_TRUE(w.taken(EVENT::Moved).empty()) << "the program's moves are not the user's";
}

// The message box measures the strings and buttons it creates before it
// shows them.
TEST(WindowGeometry, AStringOrButtonCreatedHiddenReadsBackItsNaturalSizeFollowingItsText) {
    RunningWindow w(plain("created"));
    for (const Long type : {CREATE::string, CREATE::button}) {
        const Long n = w->create({.type = type, .text = "Short"});
        const Long before = w->numberProperty(n, PROP::Width);
        EXPECT_GT(before, 0) << type;
        EXPECT_GT(w->numberProperty(n, PROP::Height), 0) << type;
        w->setProperty(n, PROP::Text, "A much longer text than the one it had before");
        EXPECT_GT(w->numberProperty(n, PROP::Width), before) << type;
        EXPECT_EQ(w->numberProperty(n, PROP::Width), w->units().toUnitsX(w->view()->widget(n)->width())) << type;
        w->setProperty(n, PROP::Width, 45);
        w->setProperty(n, PROP::Text, "Short");
        EXPECT_EQ(w->numberProperty(n, PROP::Width), 45) << type << ": a size set stays";
    }
}

TEST(WindowGeometry, DraggingTheCaptionMovesTheWindowAndSaysSo) {
    struct Case {
        bool imm;
        bool movesWhileDragged;
    };
    for (const Case c : {Case{false, false}, Case{true, true}}) {
        RunningWindow w(plain("dragged"));
        w->setProperty(0, PROP::Imm, c.imm ? 1 : 0);
        w->setProperty(0, PROP::Pixels, 1);
        const QPoint before = w->view()->pos();
        drive::dragCaption(*w, 24, 16);
        EXPECT_EQ(w->view()->pos(), before + QPoint(24, 16));
        EXPECT_EQ(w->numberProperty(0, PROP::Xpos), before.x() + 24);
        EXPECT_EQ(w->numberProperty(0, PROP::Ypos), before.y() + 16);
        ASSERT_EQ(w.taken(EVENT::Moved).size(), 1u) << "imm " << c.imm;
        EXPECT_EQ(!w.taken(EVENT::Move).empty(), c.movesWhileDragged) << "imm " << c.imm;
        EXPECT_TRUE(w.taken(EVENT::Sized).empty());
    }
}

TEST(WindowGeometry, AResizableWindowIsSizedByItsCornerAndLaysItselfOut) {
    WindowSpec spec = plain("sized");
    spec.resizable = true;
    RunningWindow w(spec);
    w->setProperty(0, PROP::Pixels, 1);
    const int width = static_cast<int>(w->numberProperty(0, PROP::Width));
    const int height = static_cast<int>(w->numberProperty(0, PROP::Height));
    const QPoint at = w->view()->pos();
    drive::resizeBy(*w, 30, 20);
    EXPECT_EQ(w->numberProperty(0, PROP::Width), width + 30);
    EXPECT_EQ(w->numberProperty(0, PROP::Height), height + 20);
    EXPECT_EQ(w->view()->clientRect().size(), QSize(width + 30, height + 20));
    EXPECT_EQ(w->view()->pos(), at);
    EXPECT_EQ(w.taken(EVENT::Sized).size(), 1u);
    EXPECT_TRUE(w.taken(EVENT::Moved).empty());
    drive::resizeBy(*w, -30, -20);
    w->setProperty(0, PROP::Pixels, 0);
    EXPECT_EQ(w->numberProperty(0, PROP::Width), 160) << "dragged back: the size as the structure gives it";
    EXPECT_EQ(w->numberProperty(0, PROP::Height), 90);

    RunningWindow fixed(plain("fixed"));
    const QSize size = fixed->view()->size();
    drive::resizeBy(*fixed, 30, 20);
    EXPECT_EQ(fixed->view()->size(), size) << "no handles on a window that is not resizable";
}

TEST(WindowGeometry, TheProgramMayFoldAWindowToItsCaptionButTheUserStopsAtAUsableOne) {
    WindowSpec spec = plain("folded");
    spec.resizable = true;
    RunningWindow w(spec);
    w->setProperty(0, PROP::Pixels, 1);
    const int caption = w->view()->clientRect().top() + GetSystemMetrics(SM_CXFRAME);
    w->setProperty(0, PROP::Height, 4);
    EXPECT_EQ(w->view()->clientRect().height(), 4);
    EXPECT_EQ(w->view()->size().height(), caption + 4) << "no higher than its caption, frame and client";

    w->setProperty(0, PROP::Height, 90);
    drive::resizeBy(*w, 0, -200);
    EXPECT_GE(w->view()->size().height(), 60) << "a drag keeps the caption's boxes usable";
}

TEST(WindowGeometry, TheMaximizeBoxMaximizesAndRestores) {
    WindowSpec spec = plain("maximized");
    spec.maximizeBox = true;
    RunningWindow w(spec);
    const QSize designed = w->view()->size();
    drive::clickMaximizeBox(*w);
    EXPECT_EQ(w->property(0, PROP::Maximize), "1");
    EXPECT_GT(w->view()->width(), designed.width());
    EXPECT_EQ(w->numberProperty(0, PROP::Width), w->units().toUnitsX(w->view()->clientRect().width()));
    EXPECT_EQ(w.numbers().back(), EVENT::Sized);
    EXPECT_EQ(w.taken(EVENT::Maximized).size(), 1u);
    EXPECT_EQ(w->restored(PROP::Width), 160) << "where it is when restored";
    EXPECT_EQ(w->restored(PROP::Ypos), 20);

    drive::doubleClickCaption(*w);
    EXPECT_EQ(w->property(0, PROP::Maximize), "0");
    EXPECT_EQ(w->view()->size(), designed);
    EXPECT_EQ(w->numberProperty(0, PROP::Width), 160) << "as written before";
    EXPECT_EQ(w.taken(EVENT::Restored).size(), 1u);

    const std::size_t seen = w.events.size();
    w->setProperty(0, PROP::Maximize, 1);
    EXPECT_GT(w->view()->width(), designed.width());
    EXPECT_EQ(w->numberProperty(0, PROP::Width), w->units().toUnitsX(w->view()->clientRect().width()));
    EXPECT_EQ(w.events.size(), seen) << "the program's maximize raises nothing";
}

TEST(WindowGeometry, PostedSystemCommandsDragTheWindowAndOpenItsSystemMenu) {
    WindowSpec spec = plain("commands");
    spec.controls.push_back({.type = CREATE::region, .label = "?Grip", .at = {80, 4, 40, 10}});
    RunningWindow w(spec, [](Window& window) {
        if (window.event() == EVENT::AlertKey && window.keyCode() == KEY::MouseLeft)
            PostMessage(window.handle(), WM_SYSCOMMAND, SC_DRAGMOVE);
    });
    w->alert(w.number("?Grip"), KEY::MouseLeft);
    w->setProperty(0, PROP::Pixels, 1);
    const QPoint before = w->view()->pos();
    drive::pressMouse(*w, "?Grip", 5, 5);
    drive::moveMouse(*w, "?Grip", 25, 13);
    drive::releaseMouse(*w, "?Grip", 5, 5);  // where the grip is now: it moved along
    EXPECT_EQ(w->view()->pos(), before + QPoint(20, 8));
    EXPECT_EQ(w->numberProperty(0, PROP::Xpos), before.x() + 20);
    EXPECT_EQ(w.taken(EVENT::Moved).size(), 1u);

    EXPECT_FALSE(PostMessage(w->handle() + 1, WM_SYSCOMMAND, SC_KEYMENU)) << "no window has that handle";
    EXPECT_TRUE(PostMessage(w->handle(), WM_SYSCOMMAND, SC_KEYMENU));
    drive::settle();
    EXPECT_TRUE(w->view()->systemMenu()->isVisible());
    w->view()->systemMenu()->hide();
}

TEST(WindowGeometry, AnMdiChildOpensWhereItsStructureSaysAndIsMovedAndSizedInItsFrame) {
    RunningWindow frame(frameSpec());
    RunningWindow w(child("child"));
    QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(w->view()->outer());
    ASSERT_NE(sub, nullptr);
    const DialogUnits& du = w->units();
    EXPECT_EQ(sub->pos(), QPoint(du.toPixelsX(10), du.toPixelsY(8)));

    w->setProperty(0, PROP::Width, 200);
    EXPECT_EQ(w->view()->clientRect().width(), du.toPixelsX(200)) << "a width change resizes the child";
    EXPECT_EQ(sub->size(), w->view()->size());

    w->setProperty(0, PROP::Pixels, 1);
    const QPoint before = sub->pos();
    drive::dragCaption(*w, 30, 12);
    EXPECT_EQ(sub->pos(), before + QPoint(30, 12));
    EXPECT_EQ(w->numberProperty(0, PROP::Xpos), before.x() + 30);
    EXPECT_EQ(w->numberProperty(0, PROP::Ypos), before.y() + 12);
    EXPECT_EQ(w.taken(EVENT::Moved).size(), 1u);
}

// The children are too big to lie side by side: they overlap, each whole
// inside the frame's client area, and only the resizable one is made smaller.
TEST(WindowGeometry, TileAndCascadeKeepTheFramesSizeAndShrinkOnlyAChildTheUserMayResize) {
    RunningWindow frame(frameSpec(), standardActions);
    WindowSpec resizable = child("resizable", {40, 40, 300, 180});
    resizable.resizable = true;
    RunningWindow first(child("first", {0, 0, 300, 180}));
    RunningWindow second(child("second", {20, 20, 300, 180}));
    RunningWindow third(resizable);
    const QSize frameSize = frame->view()->size();
    const QRect room = frame->view()->mdiArea()->viewport()->rect();
    const QSize own = first->view()->outer()->size();
    auto placed = [](const RunningWindow& w) { return w->view()->outer()->geometry(); };

    drive::chooseMenu(*frame, "?Tile");
    EXPECT_EQ(frame->view()->size(), frameSize);
    for (const RunningWindow* w : {&first, &second, &third}) EXPECT_TRUE(room.contains(placed(*w)));
    EXPECT_EQ(placed(first).size(), own);
    EXPECT_EQ(placed(second).size(), own);
    EXPECT_LT(placed(third).width(), own.width()) << "the resizable one takes its cell";
    EXPECT_FALSE(third.taken(EVENT::Sized).empty()) << "written back as the user's";
    EXPECT_TRUE(first.taken(EVENT::Sized).empty());

    drive::chooseMenu(*frame, "?Cascade");
    EXPECT_EQ(frame->view()->size(), frameSize);
    for (const RunningWindow* w : {&first, &second, &third}) {
        EXPECT_TRUE(room.contains(placed(*w)));
        EXPECT_EQ(placed(*w).size(), own) << "its own size back";
    }
    EXPECT_NE(placed(first).topLeft(), placed(second).topLeft());
    EXPECT_NE(placed(second).topLeft(), placed(third).topLeft());
}

TEST(WindowGeometry, ResizingTheFrameByItsGripLaysItsContentsOutAtTheNewSize) {
    RunningWindow frame(frameSpec());
    frame->setProperty(0, PROP::Pixels, 1);
    QMdiArea* area = frame->view()->mdiArea();
    const QSize areaBefore = area->size();
    const Long clientWidth = frame->numberProperty(0, PROP::ClientWidth);
    drive::resizeBy(*frame, 60, 40);
    EXPECT_EQ(area->size(), areaBefore + QSize(60, 40));
    EXPECT_EQ(frame->view()->statusBar()->geometry().bottom() + 1, frame->view()->clientRect().height());
    EXPECT_EQ(frame->numberProperty(0, PROP::ClientWidth), clientWidth + 60);
    EXPECT_EQ(frame.taken(EVENT::Sized).size(), 1u);
}

TEST(WindowGeometry, AStructureDrawnInPixelsIsPlacedInPixelsWhateverTheFont) {
    WindowSpec spec = plain("in pixels", {30, 20, 480, 366});
    spec.pixels = true;
    spec.fontSize = 14;
    RunningWindow w(spec);
    EXPECT_EQ(w->view()->clientRect().size(), QSize(480, 366));
    EXPECT_EQ(widgetOf(w, "?Entry")->geometry(), QRect(10, 20, 60, 12));
    // Read in dialog units until the window uses pixels.
    EXPECT_EQ(w->numberProperty(0, PROP::Width), w->units().toUnitsX(480));
    w->setProperty(0, PROP::Pixels, 1);
    EXPECT_EQ(w->numberProperty(0, PROP::Width), 480);
    EXPECT_EQ(w->numberProperty(w.number("?Entry"), PROP::Xpos), 10);
}
