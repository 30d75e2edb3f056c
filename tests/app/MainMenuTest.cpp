#include "programsupport/ProgramFixture.h"
#include "programsupport/Recorders.h"
#include "support/SqliteFixture.h"

#include "app/main/Globals.h"
#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"
#include "platform/ui/WindowView.h"

#include <QAction>
#include <QMdiArea>
#include <QPushButton>
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

class MainMenuTest : public ProgramFixture {
protected:
    RecordedProgram recorded;
};

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
            EXPECT_TRUE(drive::answerMessage("OK"));
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

TEST_F(MainMenuTest, TheMenuIsNumberedAsStoredSettingsExpectAndRegisteredWithTheRestyleObject) {
    recorded.install();
    Window& frame = startProgram();
    const struct {
        Long number;
        Byte kind;  // 1 a menu, 3 an item
        const char* text;
        const char* label;
        Long key;
        const char* icon;
        const char* msg;
    } menu[] = {
        {-1, 1, "Tabloom", "?TABLOOM", 0, "ZelTabloom.ico", ""},
        {-2, 3, "Choose ODBC connection  F2", "?TABLOOMCHOOSEODBCCONNECTION", KEY::F2, "", ""},
        {-3, 3, "Browse ODBC connection  F3", "?TABLOOMBROWSEODBCCONNECTION", KEY::F3, "", ""},
        {-4, 3, "Build dictionary  F4", "?TABLOOMBUILDDICTIONARY", KEY::F4, "", ""},
        {-5, 1, "&Application options", "?APPLICATIONOPTIONS", 0, "ZelTemplate.ico", ""},
        {-6, 3, "Restyle application", "?APPLICATIONSETTINGSRESTYLEAPPLICATION", 0, "", ""},
        // The separator before it takes no number.
        {-7, 3, "&Exit program", "?EXIT", 0, "", "Applicatie afsluiten"},
        {-8, 1, "&Edit", "?EDITMENU", 0, "", ""},
        {-9, 3, "Cu&t", "?CUT", 0, "", "Verplaats selectie naar klembord"},
        {-10, 3, "&Copy", "?COPY", 0, "", "Kopi\xEB" "er selectie naar klembord"},
        {-11, 3, "&Paste", "?PASTE", 0, "", "Inhoud van klembord plakken"},
        {-12, 1, "&Window", "?WINDOW", 0, "", "Cre\xEB" "er en rangschik vensters"},
        {-13, 3, "&Tile", "?TILE", 0, "", "Alle vensters naast elkaar"},
        {-14, 3, "&Cascade", "?CASCADE", 0, "", "Alle vensters trapsgewijs zichtbaar"},
        {-15, 3, "&Arrange minimized windows", "?ARRANGE", 0, "", "Alle icons rangschikken"},
        {-16, 1, "&Help", "?HELP", 0, "ZelHelp.ico", "Windows Help"},
        {-17, 3, "&Index", "?HELPINDEX", 0, "", "Bekijk de inhoud van het Help bestand"},
        {-18, 3, "&Search help...", "?HELPSEARCH", 0, "", "Zoek help over een onderwerp"},
        {-19, 3, "&How to use help", "?HELPONHELP", 0, "", "Hoe Windows Help te gebruiken"},
    };
    Calls registered;
    for (const auto& m : menu) {
        SCOPED_TRACE(m.label);
        const Control* control = frame.control(m.number);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->label, m.label);
        EXPECT_EQ(control->type, m.kind == 1 ? CREATE::menu : CREATE::item);
        EXPECT_EQ(frame.property(m.number, PROP::Text), m.text);
        EXPECT_EQ(fromQString(frame.view()->action(m.number)->text()), m.text) << "shown as it is: a key once";
        EXPECT_EQ(frame.numberProperty(m.number, PROP::Key), m.key);
        EXPECT_EQ(frame.property(m.number, PROP::Icon), m.icon);
        EXPECT_EQ(frame.property(m.number, PROP::Msg), m.msg);
        registered.push_back(withNumber(withNumber("restyle.AddMenuSetting", m.number), m.kind));
    }
    EXPECT_EQ(frame.control(-20), nullptr);
    EXPECT_EQ(frame.lastControl(), 0);
    EXPECT_EQ(recorded.trace.only({"restyle.AddMenuSetting", "restyle.AddControl"}), registered);
    EXPECT_EQ(recorded.restyles.front()->EXPANDMENUTREEAUTOMATICALLY, 1);
    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
}

// The work windows cannot be resized: arranged, each keeps its size, lies
// whole in the frame and its buttons can be pressed.
TEST_F(MainMenuTest, TileThenCascadeLeaveEveryWorkWindowWholeWithItsButtonsToPress) {
    const SqliteFixture shop{"CREATE TABLE Products (ProductName VARCHAR);"};
    connect(shop.connectString());
    const struct {
        const char* name;
        QSize frame;  // the frame's size, as maximized on a screen of 1024 x 768
    } sizes[] = {{"as it opens", {}}, {"1024 x 768", {1024, 768}}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.name);
        WindowView& view = *frame().view();
        if (size.frame.isValid())
            drive::resizeBy(frame(), size.frame.width() - view.width(), size.frame.height() - view.height());
        const QRect room = view.mdiArea()->viewport()->rect();
        const std::pair<Long, const char*> windows[] = {
            {KEY::F2, kConnectionTitle}, {KEY::F3, kQueryTitle}, {KEY::F4, kCatalogueTitle}};
        for (const auto& [key, title] : windows) openWindow(key, title);
        for (const char* arrangement : {"?TILE", "?CASCADE"}) {
            drive::chooseMenu(frame(), arrangement);
            for (const char* title : {kConnectionTitle, kQueryTitle, kCatalogueTitle}) {
                const WindowView& w = *drive::window(title)->view();
                EXPECT_EQ(w.outer()->size(), w.ownSize()) << title << " after " << arrangement;
                EXPECT_TRUE(room.contains(w.outer()->geometry())) << title << " after " << arrangement;
                for (Long n : drive::window(title)->controlNumbers()) {
                    const QWidget* button = qobject_cast<const QPushButton*>(w.widget(n));
                    if (button && button->isVisible()) {
                        EXPECT_TRUE(w.rect().contains(QRect(button->mapTo(&w, QPoint()), button->size()))) << n;
                    }
                }
            }
        }
        for (const char* title : {kConnectionTitle, kQueryTitle, kCatalogueTitle}) {
            drive::click(*drive::window(title), "?CloseButton");
            EXPECT_EQ(drive::window(title), nullptr) << title << ": its Close button was pressed";
        }
    }
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
    EXPECT_TRUE(drive::answerMessage("OK"));
}
