// Replaying recorded rows in the windows that recorded them, the player's
// waits and time-outs, and the two glides.
#include "AssistantFixture.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/WindowView.h"

#include <QLineEdit>
#include <cmath>
#include <set>

using namespace platform;
using namespace std::chrono_literals;

namespace {

constexpr Long kNoPosition = -32768;

// A frame with a menu whose item opens the probe "Nested" on a thread of its own.
class MenuFrame : public WindowProcedure {
public:
    explicit MenuFrame(Trace& trace)
        : WindowProcedure("Main",
                          {.type = CREATE::application, .label = "P1$APPFRAME", .title = "Menu frame",
                           .at = {20, 20, 400, 260}, .pixels = true,
                           .menubar = {{.type = CREATE::menu, .label = "?FileMenu", .text = "&File", .children = {
                                            {.type = CREATE::item, .label = "?OpenItem", .text = "&Open"}}},
                                       {.type = CREATE::menu, .label = "?HelpMenu", .text = "&Help", .children = {
                                            {.type = CREATE::item, .label = "?AboutItem", .text = "&About"}}}}},
                          ""),
          trace_(&trace) {}
    Byte TakeAccepted() override {
        if (window().field() == equate("?AboutItem"))
            START([trace = trace_] { ProbeProcedure(*trace, {.procedure = "About", .title = "About"}).call(); });
        return WindowProcedure::TakeAccepted();
    }

private:
    Trace* trace_;
};

class ReplayTest : public AssistantFixture {
protected:
    void SetUp() override {
        AssistantFixture::SetUp();
        Clock::useFake(10'000);
        loadSettings();
        assistant.recorderWorks = true;
        assistant.PLAYBACKEVENTS = 1;
    }
    void TearDown() override {
        assistant.PLAYBACKEVENTS = 0;
        AssistantFixture::TearDown();
        Clock::useReal();
    }
    static EVENTQUEUERecord row(const std::string& procedure, Long event, Long control, Long x = kNoPosition,
                                Long y = kNoPosition, const std::string& value = {}) {
        EVENTQUEUERecord r;
        r.PROCEDURENAME = procedure;
        r.EVENT = event;
        r.CONTROL = control;
        r.XPOS = x;
        r.YPOS = y;
        r.VALUE = value;
        r.INFO = "info";
        return r;
    }
    // Plays the row on the procedure's window from a player thread, as the
    // recording window does; true when it finished in time.
    bool play(const EVENTQUEUERecord& r) {
        std::optional<bool> finished;
        START([&] {
            assistant.EVENTQUEUE->rec = r;
            finished = assistant.PlayRecordedRow(threadOf(clip(r.PROCEDURENAME.view())));
        });
        Scheduler::instance().pumpUntil([&] { return finished.has_value(); }, 5s);
        drive::settle();
        return finished.value_or(false);
    }
    Long threadOf(const std::string& procedure) {
        assistant.PROCEDURETHREADQUEUE->rec.PROCEDURENAME = procedure;
        return assistant.PROCEDURETHREADQUEUE->get({{"PROCEDURENAME"}}) ? assistant.PROCEDURETHREADQUEUE->rec.THREAD : 0;
    }
    void setThread(const std::string& procedure, Long thread) {
        assistant.PROCEDURETHREADQUEUE->rec.PROCEDURENAME = procedure;
        assistant.PROCEDURETHREADQUEUE->rec.THREAD = static_cast<Byte>(thread);
        assistant.PROCEDURETHREADQUEUE->add();
    }
    Calls accepted(const std::string& title) { return trace.only({title + ".Accepted"}); }
};

}  // namespace

TEST_F(ReplayTest, AnEntryIsTypedALetterAtATimeThenAccepted) {
    Window& w = openProbe();
    const Long name = w.equate("?Name");
    std::vector<std::pair<std::string, Long>> seen;
    auto* edit = qobject_cast<QLineEdit*>(w.view()->widget(name));
    QObject::connect(edit, &QLineEdit::textChanged, [&](const QString& text) { seen.emplace_back(text.toStdString(), CLOCK()); });
    drive::type(w, "?Name", "oud");
    seen.clear();
    trace.calls.clear();
    const Long start = CLOCK();
    EXPECT_TRUE(play(row("Probe", EVENT::Accepted, name, kNoPosition, kNoPosition, "abc")));
    ASSERT_EQ(seen.size(), 4u);
    const std::pair<std::string, Long> expected[] = {{"", start}, {"a", start}, {"ab", start + 10}, {"abc", start + 20}};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(seen[i], expected[i]) << i;
    EXPECT_EQ(CLOCK() - start, 30) << "a tenth of a second after each letter";
    EXPECT_EQ(accepted("Probe"), Calls{withNumber("Probe.Accepted", name)});

    assistant.TYPESNELHEID = 0;
    const Long again = CLOCK();
    EXPECT_TRUE(play(row("Probe", EVENT::Accepted, name, kNoPosition, kNoPosition, "xy")));
    EXPECT_EQ(CLOCK(), again) << "a speed of 0 types without pauses";
    EXPECT_EQ(edit->text(), "xy");
}

TEST_F(ReplayTest, AClickRowMovesThePointerThereAndClicksAnAcceptedRowIsOnlyPosted) {
    Window& w = openProbe({.more = {{.type = CREATE::sheet, .label = "?Sheet", .at = {8, 80, 220, 100}, .children = {
                                        {.type = CREATE::tab, .label = "?OneTab", .text = "One"},
                                        {.type = CREATE::tab, .label = "?TwoTab", .text = "Two"}}}}});
    const Long sheet = w.equate("?Sheet");
    // Where the second tab lies from the window's corner, as a recording keeps it.
    drive::chooseTab(w, "?TwoTab");
    POINT clicked;
    GetCursorPos(clicked);
    RECT corner;
    GetWindowRect(w.handle(), corner);
    drive::chooseTab(w, "?OneTab");
    ASSERT_EQ(w.numberProperty(sheet, PROP::Selected), 1);
    SetCursorPos(0, 0);
    trace.calls.clear();
    EXPECT_TRUE(play(row("Probe", EVENT::TabChanging, sheet, clicked.x - corner.left, clicked.y - corner.top)));
    EXPECT_EQ(w.numberProperty(sheet, PROP::Selected), 2) << "the tab was clicked";
    POINT now;
    GetCursorPos(now);
    EXPECT_EQ(now.x, clicked.x);
    EXPECT_EQ(now.y, clicked.y);

    const Long ok = w.equate("?OkButton");
    trace.calls.clear();
    EXPECT_TRUE(play(row("Probe", EVENT::Accepted, ok, 20, 20)));
    EXPECT_EQ(accepted("Probe"), Calls{withNumber("Probe.Accepted", ok)}) << "posted once, not clicked as well";
    GetCursorPos(now);
    EXPECT_EQ(now.x, corner.left + 20) << "the pointer went there all the same";
}

TEST_F(ReplayTest, ACheckBoxRowPutsTheRecordedStateBackBeforeItsAccepted) {
    Byte relations = 1;
    Window& w = openProbe({.more = {{.type = CREATE::check, .label = "?NoRelations", .text = "No relations",
                                     .at = {8, 80, 120, 16}, .use = bind(relations)}}});
    const Long box = w.equate("?NoRelations");
    w.display();
    drive::settle();
    ASSERT_EQ(w.property(box, PROP::Selected), "1");
    trace.calls.clear();
    EXPECT_TRUE(play(row("Probe", EVENT::Accepted, box, kNoPosition, kNoPosition, "0")));
    EXPECT_EQ(w.property(box, PROP::Selected), "0") << "unticked, as recorded";
    EXPECT_EQ(relations, 0);
    EXPECT_EQ(accepted("Probe"), Calls{withNumber("Probe.Accepted", box)});
}

TEST_F(ReplayTest, AMenuItemRowLightsItsMenuThenChoosesTheItemAndTheLightGoes) {
    START([this] { MenuFrame(trace).call(); });
    Window* frame = drive::waitForWindow("Menu frame");
    ASSERT_NE(frame, nullptr);
    std::vector<std::string> litAtSecondHalf;
    int halves = 0;
    trace.onCall = [&](const std::string& call) {
        if (call.rfind("ReplayEvent Main", 0) == 0 && ++halves == 2) litAtSecondHalf.push_back(drive::litMenu(*frame));
    };
    EXPECT_TRUE(play(row("Main", EVENT::Accepted, frame->equate("?AboutItem"), 60, 50)));
    trace.onCall = nullptr;
    EXPECT_EQ(halves, 2) << "two replay events: the light, then the rest";
    EXPECT_EQ(litAtSecondHalf, std::vector<std::string>{"?HelpMenu"});
    EXPECT_NE(drive::waitForWindow("About"), nullptr) << "the item was chosen";
    EXPECT_EQ(drive::litMenu(*frame), "") << "the light went with the row";
}

TEST_F(ReplayTest, AMovedRowGlidesTheWindowThereAndWhereItStandsNothingMoves) {
    Window& w = openProbe();
    w.setProperty(0, PROP::Pixels, 1);
    // The places the window takes while the row plays, as another thread sees them.
    auto placesWhilePlaying = [&](const EVENTQUEUERecord& r) {
        std::set<std::pair<Long, Long>> places;
        bool sampling = true;
        START([&] {
            while (sampling) {
                places.emplace(w.numberProperty(0, PROP::Xpos), w.numberProperty(0, PROP::Ypos));
                YIELD();
            }
        });
        EXPECT_TRUE(play(r));
        sampling = false;
        drive::settle();
        return places;
    };
    const auto glided = placesWhilePlaying(row("Probe", EVENT::Moved, 0, 90, 70));
    EXPECT_EQ(w.numberProperty(0, PROP::Xpos), 90);
    EXPECT_EQ(w.numberProperty(0, PROP::Ypos), 70);
    EXPECT_GT(glided.size(), 20u) << "seen on its way";
    for (const auto& [x, y] : glided) EXPECT_NEAR(y, 40 + (x - 30) / 2.0, 1.0) << x << "," << y;
    EXPECT_EQ(placesWhilePlaying(row("Probe", EVENT::Moved, 0, 90, 70)), (std::set<std::pair<Long, Long>>{{90, 70}}))
        << "a window standing there already does not move";
}

TEST_F(ReplayTest, AWindowThatNeverTakesTheRowTimesOutAndItsLateReplayCountsForNothing) {
    Window& w = openProbe();
    bool go = false;
    const int late = START([&] {
        Scheduler::instance().waitUntil([&] { return go; });
        ProbeProcedure(trace, {.procedure = "Late", .title = "Late"}).call();
    });
    bool over = false;
    const int stuck = START([&] { Scheduler::instance().waitUntil([&] { return over; }); });
    drive::settle();
    setThread("Late", late);
    setThread("Stuck", stuck);

    std::optional<bool> first, second;
    START([&] {
        assistant.EVENTQUEUE->rec = row("Late", EVENT::Accepted, w.equate("?OkButton"));
        first = assistant.PlayRecordedRow(late);
        assistant.EVENTQUEUE->rec = row("Stuck", EVENT::Accepted, w.equate("?OkButton"));
        second = assistant.PlayRecordedRow(stuck);
    });
    drive::settle();
    Clock::advance(10s);
    drive::settle();
    ASSERT_EQ(first, std::optional<bool>(false)) << "ten seconds without a finish";
    go = true;  // the late window opens and finds the first row's replay event
    trace.calls.clear();
    drive::waitForWindow("Late");
    drive::settle();
    EXPECT_EQ(trace.only({"ReplayEvent"}), Calls{}) << "a replay nobody waits for is dropped";
    Clock::advance(10s);
    drive::settle();
    EXPECT_EQ(second, std::optional<bool>(false)) << "the late window finished nothing of the second row";
    over = true;
    drive::settle();
}

namespace {

struct GlideCase {
    const char* name;
    Long fromX, fromY, toX, toY;
    platform::UShort slowDown;
    Long endX, endY;
};

}  // namespace

TEST_F(ReplayTest, MoveMouseToGlidesAlongTheLineToItsTarget) {
    const GlideCase cases[] = {
        {"horizontal", 100, 100, 160, 100, 25, 160, 100},
        {"vertical", 100, 100, 100, 40, 25, 100, 40},
        {"slanted", 100, 100, 160, 130, 25, 160, 130},
        {"there already", 100, 100, 100, 100, 25, 100, 100},
        {"leaving the desktop", 100, 100, 100, -50, 25, 100, -50},
        {"slow-down 0", 100, 100, 40, 70, 0, 40, 70},
    };
    for (const GlideCase& c : cases) {
        assistant.SLOWDOWNMOUSEVENTS = c.slowDown;
        assistant.WINDOWPOSX = assistant.WINDOWPOSY = 0;
        SetCursorPos(c.fromX, c.fromY);
        std::vector<POINT> path;
        bool done = false;
        START([&] {
            assistant.MoveMouseTo(c.toX, c.toY);
            done = true;
        });
        START([&] {
            while (!done) {
                POINT p;
                GetCursorPos(p);
                path.push_back(p);
                YIELD();
            }
        });
        Scheduler::instance().pumpUntil([&] { return done; }, 5s);
        drive::settle();
        POINT end;
        GetCursorPos(end);
        EXPECT_EQ(end.x, c.endX) << c.name;
        EXPECT_EQ(end.y, c.endY) << c.name;
        const double length = std::hypot(c.toX - c.fromX, c.toY - c.fromY);
        for (const POINT& p : path) {
            if (p.x == c.endX && p.y == c.endY) continue;
            const double across = std::abs((c.toX - c.fromX) * (p.y - c.fromY) - (c.toY - c.fromY) * (p.x - c.fromX));
            EXPECT_LE(across / std::max(length, 1.0), 1.5) << c.name << " " << p.x << "," << p.y;
            if (c.toY < 0) {
                EXPECT_GE(p.y, 0) << c.name << ": it jumps rather than leave the desktop";
            }
        }
        if (length > 10 && c.toY >= 0) {
            EXPECT_GT(path.size(), 10u) << c.name << ": seen on its way";
        }
    }
}

TEST_F(ReplayTest, AWindowGlidingOffTheDesktopStopsWhereItLastStood) {
    Window& w = openProbe();
    w.setProperty(0, PROP::Pixels, 1);
    EXPECT_TRUE(play(row("Probe", EVENT::Moved, 0, 30, -40)));
    EXPECT_EQ(w.numberProperty(0, PROP::Xpos), 30);
    EXPECT_EQ(w.numberProperty(0, PROP::Ypos), 0);
}
