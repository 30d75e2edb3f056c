#include "WindowOnThread.h"

#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/ui/SystemMetrics.h"

#include <QMdiArea>
#include <QPointer>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace platform;

namespace {

#define CHOICERECORD_FIELDS(X) X(CString<10>, CHOICE)
struct ChoiceRecord {
    TABLOOM_RECORD(ChoiceRecord, "", CHOICERECORD_FIELDS)
};

// A window with a group and a sheet of two tabs, to create controls in.
class RunTimeControlsTest : public WindowOnThread {
protected:
    void SetUp() override {
        open({.label = "W", .title = "Run time", .at = {0, 0, 300, 200}, .controls = {
            {.type = CREATE::group, .label = "?Group", .text = "Group", .at = {100, 100, 80, 40}},
            {.type = CREATE::sheet, .label = "?Sheet", .at = {4, 4, 200, 80}, .children = {
                {.type = CREATE::tab, .label = "?OneTab", .text = "One", .children = {
                    {.type = CREATE::button, .label = "?OnTab", .text = "On the tab", .at = {4, 4, 60, 14}},
                }},
                {.type = CREATE::tab, .label = "?TwoTab", .text = "Two"},
            }},
            {.type = CREATE::button, .label = "?Last", .text = "Last", .at = {240, 180, 50, 14}},
        }});
    }

    QPoint place(Long control) { return window().view()->widget(control)->pos(); }
    QPoint expected(int x, int y) {
        const DialogUnits du(window().view()->font());
        return {du.toPixelsX(x), du.toPixelsY(y)};
    }

    Queue<ChoiceRecord> choices;
};

}  // namespace

TEST_F(RunTimeControlsTest, EveryKindOfControlCanBeCreatedHiddenAndThenShown) {
    const Long types[] = {CREATE::string, CREATE::prompt, CREATE::button, CREATE::check,  CREATE::entry,
                          CREATE::text,   CREATE::spin,   CREATE::list,   CREATE::combo,  CREATE::image,
                          CREATE::box,    CREATE::line,   CREATE::region, CREATE::panel,  CREATE::group};
    for (const Long type : types) {
        const Long n = window().create({.type = type, .text = "made", .at = {10, 150, 40, 12}, .from = &choices});
        ASSERT_EQ(n, window().lastControl()) << type;
        QWidget* w = window().view()->widget(n);
        ASSERT_NE(w, nullptr) << type;
        EXPECT_FALSE(w->isVisible()) << type << " starts hidden";
        window().setProperty(n, PROP::Hide, 0);
        EXPECT_TRUE(w->isVisible()) << type;
        // A line's widget leaves room for its pen around it.
        const QPoint room = type == CREATE::line ? QPoint(1, 1) : QPoint();
        EXPECT_EQ(place(n), expected(10, 150) - room) << type;
        EXPECT_EQ(window().numberProperty(n, PROP::Type), type);
    }
}

TEST_F(RunTimeControlsTest, PaintedControlsMadeAtRunTimeLieUnderTheOthersInTheOrderMade) {
    // A filled box over "Last", then a region over the whole window.
    const Long box = window().create({.type = CREATE::box, .at = {220, 170, 80, 30}});
    window().setProperty(box, PROP::Fill, 0x800000);
    const Long region = window().create({.type = CREATE::region});
    window().setProperty(region, PROP::Full, 1);
    const Long button = window().create({.type = CREATE::button, .text = "Made", .at = {20, 150, 40, 14}});
    for (Long n : {box, region, button}) window().setProperty(n, PROP::Hide, 0);
    drive::settle();

    const struct {
        const char* what;
        QPoint at;  // in the window's units
        Long hears;
    } cases[] = {{"a button of the structure", {265, 187}, number("?Last")},
                 {"a button made at run time", {40, 157}, button},
                 {"the box, under the region made after it", {225, 175}, region},
                 {"the window beside them", {280, 120}, region}};
    for (const auto& c : cases) {
        clearEvents();
        const QPoint on = window().view()->screenPoint(c.at.x(), c.at.y());
        drive::movePointer(on.x(), on.y());
        drive::clickPointer();
        EXPECT_EQ(events(), (std::vector<std::pair<Long, Long>>{{EVENT::Accepted, c.hears}})) << c.what;
    }
}

TEST_F(RunTimeControlsTest, AControlCreatedOnATabLiesOnItsPageAndInAGroupOnTheWindow) {
    const Long onTab = window().create({.type = CREATE::string, .at = {4, 30, 0, 0}}, number("?TwoTab"));
    const Long inGroup = window().create({.type = CREATE::string, .at = {110, 120, 0, 0}}, number("?Group"));
    EXPECT_TRUE(widget<QWidget>("?TwoTab")->isAncestorOf(window().view()->widget(onTab)));
    EXPECT_EQ(place(inGroup), expected(110, 120)) << "in the window's coordinates";
    EXPECT_EQ(window().create({.type = CREATE::string}, 999), 0) << "no such parent";
}

TEST_F(RunTimeControlsTest, DestroyTakesTheControlsOfTheRangeAndWhatTheyHold) {
    const Long first = window().create({.type = CREATE::string});
    const Long second = window().create({.type = CREATE::box});
    QPointer<QWidget> sheet = widget<QWidget>("?Sheet");
    QPointer<QWidget> onTab = widget<QWidget>("?OnTab");
    QPointer<QWidget> created = window().view()->widget(second);
    const Long last = number("?Last");

    window().destroy(first, second);
    window().destroy(number("?Sheet"));
    for (const char* gone : {"?Sheet", "?OneTab", "?OnTab", "?TwoTab"})
        EXPECT_EQ(window().control(gone), nullptr) << gone;
    EXPECT_EQ(window().control(first), nullptr);
    EXPECT_NE(window().control(last), nullptr);
    EXPECT_EQ(window().create({.type = CREATE::string}), last + 1) << "the numbers after the last are free again";
    drive::settle();
    EXPECT_TRUE(sheet.isNull() && onTab.isNull() && created.isNull()) << "the widgets went";
}

TEST(DestroyAtRunTime, AButtonMayDestroyItselfWhenItIsPressed) {
    Window* opened = nullptr;
    START([&] {
        Window w({.label = "W", .title = "Self", .at = {0, 0, 100, 60}, .controls = {
            {.type = CREATE::button, .label = "?Self", .text = "Go", .at = {4, 4, 50, 14}},
        }});
        opened = &w;
        w.open();
        while (w.accept())
            if (w.event() == EVENT::Accepted) w.destroy(w.field());
        opened = nullptr;
    });
    drive::settle();
    ASSERT_NE(opened, nullptr);
    QPointer<QWidget> button = opened->view()->widget(opened->equate("?Self"));
    // Its click handler is still running when the thread takes the event.
    drive::click(*opened, "?Self");
    EXPECT_EQ(opened->control("?Self"), nullptr);
    drive::settle();
    EXPECT_TRUE(button.isNull());
    opened->post({EVENT::CloseWindow, 0, 0});
    drive::settle();
}

TEST_F(RunTimeControlsTest, SettargetPointsAThreadsStatementsAtAnotherThreadsWindow) {
    Window* before = &window();
    Window* targeted = nullptr;
    Window* after = &window();
    Long created = 0;
    START([&] {
        before = TARGET();
        SETTARGET(&window());
        targeted = TARGET();
        created = TARGET()->create({.type = CREATE::box});
        SETTARGET();
        after = TARGET();
    });
    drive::settle();
    EXPECT_EQ(before, nullptr) << "a thread without a window has no target";
    EXPECT_EQ(targeted, &window());
    EXPECT_EQ(created, window().lastControl());
    EXPECT_EQ(after, nullptr);

    Window* onClose = &window();
    START([&] {
        SETTARGET(&window());
        window().post({EVENT::CloseWindow, 0, 0});
        Scheduler::instance().waitUntil([] { return drive::window("Run time") == nullptr; });
        onClose = TARGET();
    });
    drive::settle();
    EXPECT_EQ(onClose, nullptr) << "a closed window is no one's target";
}

TEST(ControlsOnTheFrame, AControlCreatedOnTheApplicationFrameLiesOverItsMdiChildren) {
    RunningWindow frame({.type = CREATE::application, .label = "F", .title = "Frame", .at = {0, 0, 300, 200},
                         .menubar = {{.type = CREATE::menu, .label = "?FileMenu", .text = "&File"}}});
    RunningWindow child({.label = "C", .title = "Child", .at = {0, 0, 200, 120}, .mdi = true});
    const Long button = frame->create({.type = CREATE::button, .at = {0, 0, 20, 12}});
    frame->setProperty(button, PROP::Hide, 0);
    drive::settle();
    const QWidget* widget = frame->view()->widget(button);
    const QWidget* area = frame->view()->mdiArea();
    EXPECT_EQ(widget->mapTo(frame->view(), QPoint()), area->mapTo(frame->view(), QPoint()))
        << "the frame's client area is its MDI area";
    drive::click(*frame, button);
    ASSERT_FALSE(frame.taken(EVENT::Accepted).empty()) << "the click reached the button, not the child under it";
    EXPECT_EQ(frame.taken(EVENT::Accepted).back().field, button);
}
