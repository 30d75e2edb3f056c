#include "support/ProgramFixture.h"

#include "app/main/Globals.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/WindowView.h"

#include <algorithm>

using namespace platform;

namespace {

constexpr const char* kConnectionTitle = "Choose an ODB Cconnection";
constexpr const char* kCatalogueTitle = "Tabloom";
constexpr const char* kQueryTitle = "Browse an ODBC connection";
constexpr const char* kNoConnection = "Please select a ODBC connection first!";

std::size_t count(const std::string& title) {
    const auto titles = drive::windowTitles();
    return static_cast<std::size_t>(std::count(titles.begin(), titles.end(), title));
}

class MainMenuTest : public ProgramFixture {};

}  // namespace

TEST_F(MainMenuTest, F2OpensTheConnectionWindowOnAThreadOfItsOwn) {
    Window& frame = startProgram();
    drive::pressKey(frame, KEY::F2);
    Window* connection = drive::waitForWindow(kConnectionTitle);
    ASSERT_NE(connection, nullptr);
    EXPECT_NE(connection->thread(), frame.thread());
    EXPECT_EQ(frame.thread(), 1);
}

TEST_F(MainMenuTest, QueryAndCatalogueWindowsNeedAConnectString) {
    const struct {
        const char* connectString;
        Long key;
        const char* opens;
    } cases[] = {
        {"", KEY::F3, kConnectionTitle},         {"", KEY::F4, kConnectionTitle},
        {"   ", KEY::F3, kConnectionTitle},      {"   ", KEY::F4, kConnectionTitle},
        {"DSN=x", KEY::F3, kQueryTitle},         {"DSN=x", KEY::F4, kCatalogueTitle},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("connect string \"") + c.connectString + "\", key " + std::to_string(c.key));
        Window& frame = startProgram();
        Glo::ConnectString = c.connectString;
        drive::pressKey(frame, c.key);
        const bool empty = std::string(c.connectString).find_first_not_of(' ') == std::string::npos;
        EXPECT_EQ(drive::messageText(), empty ? kNoConnection : "");
        if (empty) {
            EXPECT_TRUE(drive::answerMessage("&OK"));
        }
        EXPECT_NE(drive::waitForWindow(c.opens), nullptr);
        EXPECT_EQ(count(kConnectionTitle) + count(kQueryTitle) + count(kCatalogueTitle), 1u);
        drive::chooseMenu(frame, "?EXIT");
        EXPECT_EQ(waitForExit(), 0);
    }
}

TEST_F(MainMenuTest, F4TwiceOpensTwoCatalogueWindowsOnTwoThreads) {
    Window& frame = startProgram();
    Glo::ConnectString = "DSN=x";
    drive::pressKey(frame, KEY::F4);
    drive::pressKey(frame, KEY::F4);
    drive::settle();
    std::vector<int> threads;
    for (Window* w : Window::openWindows())
        if (w->property(0, PROP::Text) == kCatalogueTitle) threads.push_back(w->thread());
    ASSERT_EQ(threads.size(), 2u);
    EXPECT_NE(threads[0], threads[1]);
}

TEST_F(MainMenuTest, ExitProgramClosesEveryWindowAndEndsWithCodeZero) {
    Window& frame = startProgram();
    Glo::ConnectString = "DSN=x";
    drive::pressKey(frame, KEY::F3);
    drive::pressKey(frame, KEY::F4);
    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
    EXPECT_TRUE(Window::openWindows().empty());
    EXPECT_EQ(Scheduler::instance().fiberCount(), 0u);
    EXPECT_EQ(ODBCCatalog, nullptr);
    EXPECT_EQ(INIMgr.fileName(), "");
}

TEST_F(MainMenuTest, TheMenuIsNumberedAsStoredSettingsExpect) {
    Window& frame = startProgram();
    const struct {
        Long number;
        const char* label;
        Long type;
    } cases[] = {{-1, "?TABLOOM", CREATE::menu},
                 {-4, "?TABLOOMBUILDDICTIONARY", CREATE::item},
                 {-6, "?APPLICATIONSETTINGSRESTYLEAPPLICATION", CREATE::item},
                 {-7, "?EXIT", CREATE::item},  // the separator before it takes no number
                 {-12, "?WINDOW", CREATE::menu},
                 {-19, "?HELPONHELP", CREATE::item}};
    for (const auto& c : cases) {
        const Control* control = frame.control(c.number);
        ASSERT_NE(control, nullptr) << c.number;
        EXPECT_EQ(control->label, c.label);
        EXPECT_EQ(control->type, c.type);
    }
    EXPECT_EQ(frame.control(-20), nullptr);
    EXPECT_EQ(frame.property(-7, PROP::Msg), "Applicatie afsluiten");
    EXPECT_EQ(frame.property(-10, PROP::Msg), "Kopi\xEB" "er selectie naar klembord");
}

TEST_F(MainMenuTest, TileAndCascadeArrangeTheOpenWindows) {
    Window& frame = startProgram();
    Glo::ConnectString = "DSN=x";
    drive::pressKey(frame, KEY::F3);
    drive::pressKey(frame, KEY::F4);
    auto geometryOf = [](const char* title) { return drive::window(title)->view()->outer()->geometry(); };
    drive::chooseMenu(frame, "?TILE");
    EXPECT_FALSE(geometryOf(kQueryTitle).intersects(geometryOf(kCatalogueTitle)));
    drive::chooseMenu(frame, "?CASCADE");
    EXPECT_TRUE(geometryOf(kQueryTitle).intersects(geometryOf(kCatalogueTitle)));
    EXPECT_NE(geometryOf(kQueryTitle).topLeft(), geometryOf(kCatalogueTitle).topLeft());
}

TEST_F(MainMenuTest, TheStatusBarShowsTheHighlightedItemsMessage) {
    Window& frame = startProgram();
    drive::highlightMenu(frame, "?TILE");
    EXPECT_EQ(drive::statusText(frame), "Alle vensters naast elkaar");
    drive::highlightMenu(frame, "?EXIT");
    EXPECT_EQ(drive::statusText(frame), "Applicatie afsluiten");
}

TEST_F(MainMenuTest, HelpItemsSayThereIsNoHelpFile) {
    Window& frame = startProgram();
    drive::chooseMenu(frame, "?HELPINDEX");
    EXPECT_EQ(drive::messageText(), "This program has no help file to open.");
    EXPECT_TRUE(drive::answerMessage("&OK"));
}
