// The steps overview, opened from the training window over the connection
// window: its markers and lines, the panel a marker opens, new steps placed
// with the layer's pointer, deletions and moves, and the steps written back.
#include "TrainingFixture.h"

#include "app/main/Globals.h"
#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/WindowCalls.h"

#include <sqlite3.h>

#include <algorithm>
#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr const char* kOverviewTitle =
    "Laat alle Assistent Stappen zien (ESC = Annuleren, Rechtermuisknop of Spatieblak = Menu)";
constexpr const char* kYellow = "65535";

using Rows = std::vector<std::string>;

struct Place {
    Short x, y;
};

class StepsOverviewTest : public TrainingFixture {
protected:
    void SetUp() override {
        TrainingFixture::SetUp();
        // The character's moves are traced where they are asked for.
        storeSettings({{"AssistentBinnenBureaublad", "0"}});
    }
    void TearDown() override {
        while (drive::answerMessage("OK")) {
        }
        if (Window* w = overview()) drive::pressKey(*w, KEY::Esc);
        while (drive::answerMessage("OK")) {
        }
        TrainingFixture::TearDown();
    }

    Window* overview() { return drive::window(kOverviewTitle); }
    // "Laat Stappen &zien" in the training window, opened first when it is not up.
    Window& openOverview() {
        Window* t = training();
        if (!t) t = &openTraining();
        drive::click(*t, "?STAPPENZIENBUTTON");
        Window* w = overview();
        if (!w) throw std::runtime_error("the steps overview did not open");
        return *w;
    }
    // The steps of the subject, one at each place, speaking "<subject> <n>",
    // numbered 1 ... n unless the numbers are given.
    static void addPlacedSteps(const std::vector<Place>& places, const std::string& subject = "Algemeen",
                               const std::vector<Long>& numbers = {}) {
        addRow(subject, 0);
        for (std::size_t i = 0; i < places.size(); ++i)
            addRow(subject, numbers.empty() ? static_cast<Long>(i + 1) : numbers[i], [&](AGNTFILERecord& r) {
                r.POSITIONX = places[i].x;
                r.POSITIONY = places[i].y;
            });
    }
    // The controls made at run time of that type, in number order.
    static std::vector<Long> made(Window& w, Long type) {
        std::vector<Long> found;
        for (Long n = w.equate("?LASTENTRYCONTROL") + 1; n <= w.lastControl(); ++n)
            if (w.control(n) && w.control(n)->type == type) found.push_back(n);
        return found;
    }
    static std::vector<Long> markers(Window& w) { return made(w, CREATE::button); }
    static Long marker(Window& w, int row) { return markers(w).at(static_cast<std::size_t>(row - 1)); }
    static RECT onScreen(Window& w, Long control) {
        RECT r{};
        GetWindowRect(w.controlHandle(control), r);
        return r;
    }
    // A point of the screen as a pixel of the window itself.
    static bool showsAt(Window& w, Long x, Long y) {
        RECT whole{};
        GetWindowRect(w.handle(), whole);
        return drive::shows(w, static_cast<int>(x - whole.left), static_cast<int>(y - whole.top));
    }
    // A step's place (relative to the procedure window) on the screen.
    static POINT stepOnScreen(Place p) {
        return {p.x + Assistant.WINDOWPOSX, p.y + Assistant.WINDOWPOSY};
    }
    static bool panelShown(Window& w) { return drive::property(w, "?FIRSTENTRYCONTROL", PROP::Hide) != "1"; }
    static std::string status(Window& w) { return drive::screenText(w, "?ACTIEVESTAPSTRING"); }
    // The rows as numbers and speeches after the overview closed by "&Sluiten".
    Rows closeAndRead(Window& w) {
        drive::click(w, "?SLUITENBUTTON");
        EXPECT_EQ(overview(), nullptr);
        return steps("Algemeen");
    }
    // "&Nieuwe", the pointer to that point of the screen, and a click there.
    void placeNewStepAt(Window& w, int x, int y) {
        drive::click(w, "?NIEUWEBUTTON");
        drive::movePointer(x, y);
        advance(1);
        drive::clickPointer();
    }
    // The steps 1 ... n, four to a row, far enough apart for their markers
    // (buttons of the default size) not to overlap.
    static std::vector<Place> spread(int n) {
        std::vector<Place> places;
        for (int i = 0; i < n; ++i)
            places.push_back({static_cast<Short>(30 + 100 * (i % 4)), static_cast<Short>(40 + 50 * (i / 4))});
        return places;
    }
};

}  // namespace

TEST_F(StepsOverviewTest, MarkersStandAtTheStepsJoinedByLinesAndTheSubjectPlaysOnce) {
    openConnection();
    const std::vector<Place> places = {{40, 40}, {320, 60}, {180, 260}};
    addPlacedSteps(places);
    Window& w = openOverview();
    const Lines played = takeLines();
    EXPECT_EQ(w.property(0, PROP::Maximize), "1");
    RECT whole{};
    GetWindowRect(w.handle(), whole);
    drive::dragCaption(w, 40, 30);
    RECT after{};
    GetWindowRect(w.handle(), after);
    EXPECT_EQ(std::pair(after.left, after.top), std::pair(whole.left, whole.top)) << "it cannot be moved";

    const std::vector<Long> found = markers(w);
    ASSERT_EQ(found.size(), 3u);
    const double unitX = w.units().x, unitY = w.units().y;
    for (int row = 1; row <= 3; ++row) {
        const Long m = found[static_cast<std::size_t>(row - 1)];
        EXPECT_EQ(w.property(m, PROP::Text), "&" + std::to_string(row));
        EXPECT_EQ(w.property(m, PROP::FontColor), kYellow);
        EXPECT_EQ(w.property(m, PROP::FontStyle), "700");
        const POINT step = stepOnScreen(places[static_cast<std::size_t>(row - 1)]);
        // Within the unit the step's point falls in, give or take a pixel of rounding.
        const RECT r = onScreen(w, m);
        EXPECT_NEAR(r.left, step.x, unitX + 1) << "marker " << row;
        EXPECT_NEAR(r.top + 10 * unitY, step.y, unitY + 1) << "marker " << row << " ten units above its step";
        EXPECT_TRUE(showsAt(w, (r.left + r.right) / 2, (r.top + r.bottom) / 2)) << "marker " << row;
    }
    const std::vector<Long> lines = made(w, CREATE::line);
    ASSERT_EQ(lines.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(w.property(lines[i], PROP::Color), kYellow);
        EXPECT_EQ(w.property(lines[i], PROP::LineWidth), "2");
        const RECT line = onScreen(w, lines[i]), from = onScreen(w, found[i]), to = onScreen(w, found[i + 1]);
        // From marker to marker, its extent's rounding aside.
        EXPECT_EQ(std::pair(line.left, line.top), std::pair(from.left, from.top)) << "line " << i + 1;
        EXPECT_NEAR(line.right, to.left, 1) << "line " << i + 1;
        EXPECT_NEAR(line.bottom, to.top, 1) << "line " << i + 1;
    }
    // Between the markers the connection window shows through; the frame stays.
    POINT middle{};
    for (const Place& p : places) {
        middle.x += stepOnScreen(p).x / 3;
        middle.y += stepOnScreen(p).y / 3;
    }
    EXPECT_FALSE(showsAt(w, middle.x, middle.y));
    EXPECT_TRUE(drive::shows(w, 1, (whole.bottom - whole.top) / 2)) << "the left frame";
    EXPECT_TRUE(showsAt(w, (whole.left + whole.right) / 2, whole.top + 10)) << "the title bar";

    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(std::count(played.begin(), played.end(), "Speak Merlin \"Algemeen " + std::to_string(row) + "\""), 1)
            << "the subject plays once";
    EXPECT_FALSE(panelShown(w));
    drive::click(w, marker(w, 2));
    EXPECT_TRUE(panelShown(w));
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAPQUE:SPEAK"), "Algemeen 2");
    EXPECT_EQ(status(w), " Stap: 2 van Algemeen");
    EXPECT_EQ(drive::screenText(w, "?ACTIEVESTAPSTRING2"), " Stap: 2 van Algemeen");
}

TEST_F(StepsOverviewTest, TheTwelfthMarkerChoosesTheTwelfthStep) {
    openConnection();
    addPlacedSteps(spread(12));
    Window& w = openOverview();
    drive::click(w, marker(w, 12));
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAPQUE:SPEAK"), "Algemeen 12");
    EXPECT_EQ(status(w), " Stap: 12 van Algemeen");
}

TEST_F(StepsOverviewTest, ANewStepFollowsTheCurrentOneWhateverNumbersTheStepsHad) {
    const struct {
        const char* name;
        std::vector<Long> numbers;
    } cases[] = {{"steps 1 ... 3", {1, 2, 3}}, {"steps 5 ... 7", {5, 6, 7}}};
    openConnection();
    for (const auto& c : cases) addPlacedSteps(spread(3), c.name, c.numbers);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string subject = c.name;
        Window& t = training() ? *training() : openTraining();
        drive::chooseRow(t, "?AGENTONDERWERPLIST", static_cast<int>(&c - cases) + 1);
        Window& w = openOverview();
        drive::click(w, marker(w, 1));

        drive::click(w, "?NIEUWEBUTTON");
        EXPECT_FALSE(panelShown(w)) << "out of the way while the author places";
        EXPECT_EQ(GetCapture(), w.handle()) << "the click that places comes here wherever it falls";
        takeLines();
        const RECT first = onScreen(w, marker(w, 1)), second = onScreen(w, marker(w, 2));
        const int x = static_cast<int>((first.left + second.right) / 2), y = static_cast<int>(second.bottom + 30);
        drive::movePointer(x, y);
        advance(1);
        EXPECT_EQ(takeLines(), Lines{"MoveTo Merlin " + std::to_string(x) + " " + std::to_string(y) + " 0"})
            << "the character follows the pointer";
        drive::clickPointer();
        EXPECT_EQ(GetCapture(), 0);

        EXPECT_TRUE(panelShown(w)) << "the panel opens on the new step";
        EXPECT_EQ(status(w), " Stap: 2 van " + subject);
        EXPECT_EQ(drive::screenText(w, "?AGENTSTAPQUE:POSITIONX"), std::to_string(x - Assistant.WINDOWPOSX));
        EXPECT_EQ(drive::screenText(w, "?AGENTSTAPQUE:POSITIONY"), std::to_string(y - Assistant.WINDOWPOSY));
        EXPECT_EQ(drive::screenText(w, "?AGENTSTAPQUE:SPEED"), "1000");
        EXPECT_EQ(markers(w).size(), 4u);
        drive::typeOver(w, "?AGENTSTAPQUE:SPEAK", "nieuw");
        drive::click(w, "?SLUITENBUTTON");
        const auto n = [&](std::size_t i) { return subject + " " + std::to_string(c.numbers[i]); };
        EXPECT_EQ(steps(subject), (Rows{"1:" + n(0), "2:nieuw", "3:" + n(1), "4:" + n(2)}));
        AGNTFILE.rec.PROCEDURENAME = kProcedure;
        AGNTFILE.rec.ONDERWERP = subject;
        AGNTFILE.rec.STEP = 2;
        ASSERT_TRUE(AGNTFILE.get(AGNTFILE.KEY_AGF));
        EXPECT_EQ(AGNTFILE.rec.ANIBEFOREORAFTER.view(), "B");
        EXPECT_EQ(AGNTFILE.rec.CURSORPOSTOVAGENT.view(), "LB");
    }
}

TEST_F(StepsOverviewTest, AfterDeletionsANewStepFollowsTheRowItWasPlacedAfter) {
    openConnection();
    addPlacedSteps(spread(5));
    Window& w = openOverview();
    for (int i = 0; i < 2; ++i) {
        drive::click(w, marker(w, 2));
        drive::click(w, "?VERWIJDERBUTTON");
    }
    EXPECT_EQ(status(w), " Stap: 2 van Algemeen") << "the row after the deleted one";
    drive::click(w, marker(w, 2));
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAPQUE:SPEAK"), "Algemeen 4");
    const RECT second = onScreen(w, marker(w, 2));
    placeNewStepAt(w, static_cast<int>(second.left + 5), static_cast<int>(second.bottom + 40));
    drive::typeOver(w, "?AGENTSTAPQUE:SPEAK", "nieuw");
    EXPECT_EQ(closeAndRead(w), (Rows{"1:Algemeen 1", "2:Algemeen 4", "3:nieuw", "4:Algemeen 5"}));
}

TEST_F(StepsOverviewTest, NewStepsAndTheWriteBackKeepTheTrainingWindowsProcedure) {
    openConnection();
    addPlacedSteps(spread(2));
    Window& w = openOverview();
    // Train mode off and on again in the frame: the assistant hears of the frame's procedure.
    Window* frame = Window::applicationFrame();
    ASSERT_NE(frame, nullptr);
    drive::pressKey(*frame, KEY::Shift + KEY::F10);
    drive::pressKey(*frame, KEY::Shift + KEY::F10);
    ASSERT_NE(Assistant.PROCEDURENAME.str(), kProcedure) << "the frame's hot key was heard";
    drive::click(w, marker(w, 2));
    const RECT second = onScreen(w, marker(w, 2));
    placeNewStepAt(w, static_cast<int>(second.left + 5), static_cast<int>(second.bottom + 40));
    drive::typeOver(w, "?AGENTSTAPQUE:SPEAK", "nieuw");
    EXPECT_EQ(closeAndRead(w), (Rows{"1:Algemeen 1", "2:Algemeen 2", "3:nieuw"}));
    EXPECT_EQ(steps("Algemeen", Assistant.PROCEDURENAME.str()), Rows{});
}

TEST_F(StepsOverviewTest, DeletingTheLastRowMakesTheOneBeforeCurrentUntilNoneIsLeft) {
    openConnection();
    addPlacedSteps(spread(3));
    Window& w = openOverview();
    drive::click(w, marker(w, 3));
    drive::click(w, "?VERWIJDERBUTTON");
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(status(w), " Stap: 2 van Algemeen");
    EXPECT_TRUE(panelShown(w));
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAPQUE:SPEAK"), "Algemeen 2");
    drive::click(w, "?REFRESHBUTTON");
    EXPECT_EQ(drive::messageText(), "") << "the current row is stored";
    for (int left = 2; left > 0; --left) drive::click(w, "?VERWIJDERBUTTON");
    EXPECT_FALSE(panelShown(w)) << "no step to edit";
    EXPECT_TRUE(markers(w).empty());
    EXPECT_EQ(status(w), " Er zijn nog geen stappen bij onderwerp Algemeen gedefinieerd...");
    EXPECT_EQ(closeAndRead(w), Rows{}) << "the subject has no steps left";
    AGNTFILE.rec.PROCEDURENAME = kProcedure;
    AGNTFILE.rec.ONDERWERP = "Algemeen";
    AGNTFILE.rec.STEP = 0;
    EXPECT_TRUE(AGNTFILE.get(AGNTFILE.KEY_AGF)) << "its header stays";
}

// Each way of closing writes the steps back numbered in their order, and
// the training window lists them so.
TEST_F(StepsOverviewTest, EveryWayOfClosingWritesTheStepsBackNumberedInOrder) {
    openConnection();
    addPlacedSteps(spread(4));
    const struct {
        const char* how;
        std::function<void(Window&)> close;
        Rows after;
    } closings[] = {
        {"&Sluiten", [](Window& w) { drive::click(w, "?SLUITENBUTTON"); },
         {"1:Algemeen 1", "2:Algemeen 3", "3:Algemeen 4"}},
        {"Esc", [](Window& w) { drive::pressKey(w, KEY::Esc); }, {"1:Algemeen 1", "2:Algemeen 4"}},
        {"the close box", [](Window& w) { drive::closeByCloseBox(w); }, {"1:Algemeen 1"}},
    };
    for (const auto& c : closings) {
        SCOPED_TRACE(c.how);
        Window& w = openOverview();
        drive::click(w, marker(w, 2));
        drive::click(w, "?VERWIJDERBUTTON");
        c.close(w);
        EXPECT_EQ(overview(), nullptr);
        EXPECT_EQ(drive::messageText(), "");
        EXPECT_EQ(steps("Algemeen"), c.after);
        Window* t = training();
        ASSERT_NE(t, nullptr) << "the training window is back";
        EXPECT_EQ(drive::screenText(*t, "?AGENTSTAP:STEP"), std::to_string(c.after.size())) << "its last step";
    }
}

TEST_F(StepsOverviewTest, AStepsFileThatRefusesWritesKeepsItsStepsAtClosing) {
    openConnection();
    addPlacedSteps(spread(3));
    Window& w = openOverview();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open("AGNTFILE", &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TRIGGER refuse BEFORE INSERT ON AGNTFILE BEGIN SELECT RAISE(ABORT, 'refused'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    drive::click(w, marker(w, 2));
    drive::click(w, "?VERWIJDERBUTTON");
    drive::click(w, "?SLUITENBUTTON");
    EXPECT_EQ(drive::messageText().rfind("Kan stap niet toevoegen:", 0), 0u) << drive::messageText();
    drive::answerMessage("OK");
    EXPECT_EQ(drive::messageText(), "") << "one message, then it stops";
    EXPECT_EQ(steps("Algemeen"), (Rows{"1:Algemeen 1", "2:Algemeen 2", "3:Algemeen 3"}));
    Window* t = training();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(drive::screenText(*t, "?AGENTSTAP:STEP"), "3") << "the training window lists the old rows";
}

TEST_F(StepsOverviewTest, AnEmptySubjectShowsNoMarkersAndSaysSo) {
    openConnection();
    addSubject("Algemeen", {});
    Window& w = openOverview();
    EXPECT_TRUE(markers(w).empty());
    EXPECT_TRUE(made(w, CREATE::line).empty());
    EXPECT_EQ(status(w), " Er zijn nog geen stappen bij onderwerp Algemeen gedefinieerd...");
    const RECT button = onScreen(w, w.equate("?SLUITENBUTTON"));
    EXPECT_TRUE(showsAt(w, (button.left + button.right) / 2, (button.top + button.bottom) / 2));
    drive::click(w, "?WIJZIGBUTTON");
    EXPECT_FALSE(panelShown(w)) << "no step to edit";
    EXPECT_EQ(closeAndRead(w), Rows{});
}

// In this window the up arrow moves a step later and the down arrow earlier.
struct ArrowCase {
    const char* name;
    int row;
    const char* arrow;
    Rows after;
};

void PrintTo(const ArrowCase& c, std::ostream* os) { *os << c.name; }

class StepsOverviewArrowTest : public StepsOverviewTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(StepsOverviewArrowTest, MovesTheCurrentStep) {
    const ArrowCase& c = GetParam();
    openConnection();
    addPlacedSteps(spread(3));
    Window& w = openOverview();
    drive::click(w, marker(w, c.row));
    drive::click(w, c.arrow);
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(closeAndRead(w), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StepsOverviewArrowTest,
    ::testing::Values(ArrowCase{"FirstUp", 1, "?STAPOMHOOG", {"1:Algemeen 2", "2:Algemeen 1", "3:Algemeen 3"}},
                      ArrowCase{"MiddleUp", 2, "?STAPOMHOOG", {"1:Algemeen 1", "2:Algemeen 3", "3:Algemeen 2"}},
                      ArrowCase{"LastUp", 3, "?STAPOMHOOG", {"1:Algemeen 1", "2:Algemeen 2", "3:Algemeen 3"}},
                      ArrowCase{"FirstDown", 1, "?STAPOMLAAG", {"1:Algemeen 1", "2:Algemeen 2", "3:Algemeen 3"}},
                      ArrowCase{"MiddleDown", 2, "?STAPOMLAAG", {"1:Algemeen 2", "2:Algemeen 1", "3:Algemeen 3"}},
                      ArrowCase{"LastDown", 3, "?STAPOMLAAG", {"1:Algemeen 1", "2:Algemeen 3", "3:Algemeen 2"}}),
    [](const ::testing::TestParamInfo<ArrowCase>& info) { return std::string(info.param.name); });
