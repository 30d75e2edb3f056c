// What a program walks, asks and presses on its windows: the field order,
// the toolbar's controls, the active window, SETFONT, PRESSKEY, and the
// program-wide switches that batch a window's paints.
#include "RunningWindow.h"

#include "platform/message/Message.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowMessages.h"
#include "platform/ui/WindowView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QMenu>
#include <gtest/gtest.h>

using namespace platform;

namespace {

WindowSpec fieldsSpec(const std::string& title) {
    return {.label = "W", .title = title, .at = {0, 0, 200, 120},
            .menubar = {{.type = CREATE::menu, .label = "?FileMenu", .text = "&File", .children = {
                             {.type = CREATE::item, .label = "?Open", .text = "&Open"},
                             {.type = CREATE::item, .separator = true},
                             {.type = CREATE::item, .label = "?Quit", .text = "&Quit"}}}},
            .controls = {
                {.type = CREATE::toolbar, .label = "?Toolbar", .at = {0, 0, 200, 16}, .children = {
                    {.type = CREATE::button, .label = "?ToolButton", .text = "Tool", .at = {2, 2, 30, 12}}}},
                {.type = CREATE::group, .label = "?Group", .text = "Group", .at = {4, 20, 100, 40}, .children = {
                    {.type = CREATE::check, .label = "?Check", .text = "&Check", .at = {8, 30, 60, 10}}}},
                {.type = CREATE::button, .label = "?Button", .text = "&Button", .at = {4, 70, 50, 14}},
            }};
}

std::vector<Long> fieldOrder(const Window& w) {
    std::vector<Long> order;
    for (Long n = w.nextField(0); n != 0; n = w.nextField(n)) order.push_back(n);
    return order;
}

// Counts the paints a window's client area takes.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace

TEST(WindowStatements, TheFieldOrderGoesThroughTheControlsThenTheMenusAndKnowsTheToolbar) {
    RunningWindow w(fieldsSpec("fields"));
    const Long created = w->create({.type = CREATE::string, .label = "?Made", .text = "made"});
    EXPECT_EQ(fieldOrder(*w), (std::vector<Long>{w.number("?Toolbar"), w.number("?ToolButton"), w.number("?Group"),
                                                 w.number("?Check"), w.number("?Button"), created,
                                                 w.number("?FileMenu"), w.number("?Open"), w.number("?Quit")}));
    EXPECT_EQ(w->nextField(w.number("?Quit")), 0);

    w->destroy(w.number("?Group"));
    EXPECT_EQ(w->nextField(w.number("?Toolbar") + 1), w.number("?Button")) << "from a control just destroyed";

    for (const auto& [label, inToolbar] :
         {std::pair{"?ToolButton", "1"}, std::pair{"?Toolbar", "0"}, std::pair{"?Button", "0"}})
        EXPECT_EQ(w->property(w.number(label), PROP::InToolBar), inToolbar) << label;
}

TEST(WindowStatements, WritingActiveBringsAWindowToTheFront) {
    RunningWindow first(fieldsSpec("first"));
    RunningWindow second(fieldsSpec("second"));
    drive::activate(*second);
    first.events.clear();
    EXPECT_EQ(first->property(0, PROP::Active), "0");
    EXPECT_EQ(second->property(0, PROP::Active), "1");

    first->setProperty(0, PROP::Active, 1);
    drive::settle();
    EXPECT_EQ(first->property(0, PROP::Active), "1");
    EXPECT_EQ(second->property(0, PROP::Active), "0");
    EXPECT_EQ(first.taken(EVENT::GainFocus).size(), 1u) << "as a click on it would";
}

TEST(WindowStatements, SetfontLeavesAnEmptyTypefaceAndASizeOfNought) {
    const struct {
        const char* typeface;
        Long size;
        const char* name;
        const char* points;
    } cases[] = {{"Courier New", 12, "Courier New", "12"}, {"", 12, "Arial", "12"}, {"Courier New", 0, "Courier New", "9"}};
    for (const auto& c : cases) {
        RunningWindow w(fieldsSpec("font"));
        const Long button = w.number("?Button");
        w->setProperty(button, PROP::FontName, "Arial");
        w->setProperty(button, PROP::FontSize, 9);
        START([&] {
            SETTARGET(&*w);
            SETFONT(button, c.typeface, c.size, 0xFF, 700, 0);
        });
        drive::settle();
        EXPECT_EQ(w->property(button, PROP::FontName), c.name) << c.typeface << c.size;
        EXPECT_EQ(w->property(button, PROP::FontSize), c.points) << c.typeface << c.size;
        EXPECT_EQ(w->property(button, PROP::FontColor), "255");
        EXPECT_EQ(w->property(button, PROP::FontStyle), "700");
        EXPECT_TRUE(w->view()->widget(button)->font().bold());
    }
}

TEST(WindowStatements, AControlShowsItsToolbarsOrItsWindowsFontUntilItHasOneOfItsOwnAndWhenItHasNoneAgain) {
    RunningWindow w(fieldsSpec("shown font"));
    const Long tool = w.number("?ToolButton"), button = w.number("?Button");
    const auto shows = [&](Long control, const std::string& typeface, Long size, Long style) {
        const ShownFont font = w->shownFont(control);
        EXPECT_EQ(font.typeface, typeface);
        EXPECT_EQ(font.size, size);
        EXPECT_EQ(font.style, style);
        const QFont widget = w->view()->widget(control)->font();
        EXPECT_EQ(widget.family(), mappedFont(typeface, 8).family());
        EXPECT_EQ(widget.pointSize(), size);
        EXPECT_EQ(widget.bold(), style == 700);
    };
    shows(button, "MS Sans Serif", 8, 400);
    EXPECT_EQ(w->property(button, PROP::FontName), "") << "none of its own";

    w->setProperty(0, PROP::FontName, "Arial");
    w->setProperty(0, PROP::FontSize, 10);
    w->setProperty(w.number("?Toolbar"), PROP::FontSize, 12);
    w->setProperty(w.number("?Toolbar"), PROP::FontStyle, 700);
    w->setProperty(tool, PROP::FontName, "Courier New");
    {
        SCOPED_TRACE("the window's, the toolbar's and its own");
        shows(button, "Arial", 10, 400);
        shows(tool, "Courier New", 12, 700);
    }
    w->setProperty(tool, PROP::FontName, "");
    w->setProperty(tool, PROP::FontSize, 14);
    w->setProperty(tool, PROP::FontSize, 0);
    {
        SCOPED_TRACE("none of its own again");
        shows(tool, "Arial", 12, 700);
    }
}

TEST(WindowStatements, PresskeyComesAsTheUsersKeyAfterWhatWasPostedBefore) {
    RunningWindow w(fieldsSpec("keys"), [](Window& window) {
        if (window.event() == EVENT::Accepted && window.field() == window.equate("?Button")) {
            PostMessage(window.handle(), WM_SYSCOMMAND, SC_KEYMENU);
            PRESSKEY(KEY::Space);
        }
    });
    w->alert(0, KEY::F5);
    drive::click(*w, "?Check");
    w.events.clear();
    START([] { PRESSKEY(KEY::Space); });
    drive::settle();
    EXPECT_FALSE(qobject_cast<QCheckBox*>(w->view()->widget(w.number("?Check")))->isChecked())
        << "the focused box is cleared as the user's space clears it";
    EXPECT_EQ(w.taken(EVENT::Accepted).size(), 1u);
    START([] { PRESSKEY(KEY::F5); });
    drive::settle();
    EXPECT_EQ(w.taken(EVENT::AlertKey).size(), 1u) << "an alerted key reaches the program";

    w.events.clear();
    drive::click(*w, "?Button");
    EXPECT_TRUE(w->view()->systemMenu()->isVisible());
    EXPECT_EQ(w.taken(EVENT::Accepted).size(), 1u) << "the space goes to the system menu, not the focused button";
    drive::dismissPopups();
}

TEST(WindowStatements, LazyDisplayAndDeferMoveHoldTheWindowsPaintsUntilResetAndPaintOnlyWhatChanged) {
    for (const Long holding : {PROP::LazyDisplay, PROP::DeferMove}) {
        RunningWindow w(fieldsSpec("lazy"));
        PaintCounter counter(w->view()->widget(w.number("?Button")));
        SYSTEM(holding, "5");
        for (int i = 1; i <= 3; ++i) {
            w->setProperty(w.number("?Button"), PROP::Text, "Text " + std::to_string(i));
            drive::settle();  // Qt has its turns meanwhile
        }
        EXPECT_EQ(counter.paints, 0) << holding;
        SYSTEM(holding, "0");
        drive::settle();
        EXPECT_GT(counter.paints, 0) << holding;
        EXPECT_EQ(qobject_cast<QAbstractButton*>(w->view()->widget(w.number("?Button")))->text(), "Text 3");

        // A batch that changed nothing costs no paint.
        counter.paints = 0;
        SYSTEM(holding, "5");
        drive::settle();
        SYSTEM(holding, "0");
        drive::settle();
        EXPECT_EQ(counter.paints, 0) << holding;
    }
}

TEST(WindowStatements, TheMessageHookIsAProgramWideProperty) {
    const Long before = messageHookValue();
    const Long hook = registerMessageHook([](auto&&...) { return Long{1}; });
    SYSTEM(PROP::MessageHook, std::to_string(hook));
    EXPECT_EQ(messageHookValue(), hook);
    EXPECT_EQ(SYSTEM(PROP::MessageHook), std::to_string(hook));
    SYSTEM(PROP::MessageHook, std::to_string(before));
    EXPECT_EQ(messageHookValue(), before);
}
