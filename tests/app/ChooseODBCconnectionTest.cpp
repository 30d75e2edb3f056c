#include "odbccatalog/CatalogTestSupport.h"
#include "programsupport/ProgramFixture.h"
#include "support/SilentServer.h"
#include "support/WindowStructure.h"
#include "support/SqliteFixture.h"
#include "programsupport/StoredSettings.h"
#include "support/TempFolder.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ini/IniFile.h"
#include "platform/odbc/FileProperties.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <filesystem>

#include <sys/stat.h>

using namespace platform;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

namespace fs = std::filesystem;

constexpr const char* kTitle = "Choose an ODB Cconnection";
constexpr const char* kHint =
    "DSN=Enter the ODBC DSN name; UID=Enter the username or omit it; PWD=Enter the password or omit it";
constexpr const char* kSection = "Last connectstring";

class ChooseODBCconnectionTest : public ProgramFixture {
protected:
    // F2 from the frame, starting the program when it is not running.
    Window& openConnectionWindow() {
        Window& main = running() ? frame() : startProgram();
        drive::pressKey(main, KEY::F2);
        Window* w = drive::waitForWindow(kTitle);
        if (!w) throw std::runtime_error("the connection window did not open");
        return *w;
    }
    void endProgram() {
        drive::chooseMenu(frame(), "?EXIT");
        ASSERT_EQ(waitForExit(), 0);
    }

    // The program lives in the fixture's folder as "tabloom".
    std::string memoryFile() const { return folder() + "/tabloom_dns.ini"; }
    std::string remembered(const std::string& key) const { return getIni(kSection, key, "<missing>", memoryFile()); }

    static std::string shown(Window& w) { return drive::screenText(w, "?Glo:ConnectString"); }
};

const struct {
    const char* name;
    void (*close)(Window&);
} kCloseRoads[] = {
    {"Close button", [](Window& w) { drive::click(w, "?CloseButton"); }},
    {"system menu", [](Window& w) { drive::closeBySystemMenu(w); }},
};

}  // namespace

TEST_F(ChooseODBCconnectionTest, TheWindowIsLaidOutAsItsStructure) {
    Window& w = openConnectionWindow();
    expectControls(w, {
        {"?DSNString:Prompt", CREATE::prompt, "DNS (Data source name):"},
        {"?DSNString", CREATE::combo, "@s80"},
        {"?Username:Prompt", CREATE::prompt, "Username:"},
        {"?Username", CREATE::entry, "@s80"},
        {"?Password:Prompt", CREATE::prompt, "Password:"},
        {"?Password", CREATE::entry, "@s80"},
        {"?Glo:ConnectString:Prompt", CREATE::prompt, "Connectstring:"},
        {"?Glo:ConnectString", CREATE::text, ""},
        {"?ConnectStringExamples", CREATE::string, "Other examples of connectstrings:"},
        {"?List", CREATE::list, ""},
        {"?CloseButton", CREATE::button, "&Close"},
    });
    EXPECT_EQ(drive::property(w, "?List", PROP::Format), "1020L(2)@s255@");
    EXPECT_EQ(drive::property(w, "?List", PROP::LineHeight), "14");
    EXPECT_EQ(w.control("?List")->spec->fontName, "Arial");
    EXPECT_EQ(w.spec().icon, "zel.ico");
    EXPECT_EQ(w.spec().fontName, "MS Sans Serif");
}

TEST_F(ChooseODBCconnectionTest, TheExamplesAreListedAndTakenAsTheyStand) {
    Window& w = openConnectionWindow();
    const char* examples[] = {
        kHint,
        "DSN=Oracle9i;UID=System;PWD=Tallowy",
        "DSN=IZUK;UID=ZUK;PWD=ZUK",
        "DSN=MQIS",
        "DRIVER=Microsoft Access Driver (*.mdb)",
        "DRIVER=Microsoft Access Driver (*.mdb);DBQ=Enter the path and filename of the ODB file",
        "DRIVER=Microsoft Access Driver (*.mdb);DBQ=Northwind.mdb",
        "DRIVER=Microsoft Excel Driver (*.xls)",
    };
    for (int row = 8; row >= 1; --row) {
        drive::chooseRow(w, "?List", row);
        EXPECT_EQ(Glo::ConnectString.str(), examples[row - 1]) << row;
        EXPECT_EQ(shown(w), examples[row - 1]) << row;
    }
}

TEST_F(ChooseODBCconnectionTest, TheKeyboardStartsOnTheDataSourceAndTabLeavesTheConnectString) {
    Window& w = openConnectionWindow();
    const auto focused = [&w] { return w.property(w.focus(), PROP::Label); };
    EXPECT_EQ(focused(), "?DSNString") << "the prompt before it is the first field";
    drive::typeOver(w, "?Glo:ConnectString", "DSN=Sales");
    drive::pressKey(w, KEY::Tab);
    EXPECT_EQ(focused(), "?List");
    EXPECT_EQ(Glo::ConnectString.str(), "DSN=Sales") << "no tab typed into it";
}

TEST_F(ChooseODBCconnectionTest, EveryKeystrokeInAnEntryRebuildsTheConnectString) {
    Window& w = openConnectionWindow();
    drive::type(w, "?DSNString", "Sales");
    EXPECT_EQ(shown(w), "DSN=Sales");
    drive::type(w, "?Password", "secret");
    EXPECT_EQ(shown(w), "DSN=Sales") << "no password without a user name";
    drive::type(w, "?Username", "ad");
    EXPECT_EQ(shown(w), "DSN=Sales; UID=ad; PWD=secret");
    drive::type(w, "?Username", "min");
    EXPECT_EQ(Glo::ConnectString.str(), "DSN=Sales; UID=admin; PWD=secret");
    EXPECT_EQ(shown(w), "DSN=Sales; UID=admin; PWD=secret");
}

TEST_F(ChooseODBCconnectionTest, EntriesHoldEightyCharacters) {
    Window& w = openConnectionWindow();
    for (const char* entry : {"?DSNString", "?Username", "?Password"}) {
        drive::type(w, entry, std::string(85, 'x'));
        EXPECT_EQ(drive::screenText(w, entry), std::string(80, 'x')) << entry;
    }
    const std::string x80(80, 'x');
    EXPECT_EQ(shown(w), "DSN=" + x80 + "; UID=" + x80 + "; PWD=" + x80);
}

TEST_F(ChooseODBCconnectionTest, APickedExampleLeavesTheEntriesAloneUntilTheNextKeystroke) {
    Window& w = openConnectionWindow();
    drive::type(w, "?DSNString", "Sales");
    drive::type(w, "?Username", "admin");
    drive::chooseRow(w, "?List", 5);
    EXPECT_EQ(shown(w), "DRIVER=Microsoft Access Driver (*.mdb)");
    EXPECT_EQ(drive::screenText(w, "?DSNString"), "Sales");
    EXPECT_EQ(drive::screenText(w, "?Username"), "admin");
    drive::type(w, "?Username", "x");
    EXPECT_EQ(shown(w), "DSN=Sales; UID=adminx");
}

TEST_F(ChooseODBCconnectionTest, ATypedConnectStringCountsUntilAnEntryChanges) {
    Window& w = openConnectionWindow();
    drive::type(w, "?DSNString", "Sales");
    drive::typeOver(w, "?Glo:ConnectString", "DRIVER=SQLite3;Database=a.db");
    drive::leave(w, "?Glo:ConnectString");
    EXPECT_EQ(Glo::ConnectString.str(), "DRIVER=SQLite3;Database=a.db");
    EXPECT_EQ(drive::screenText(w, "?DSNString"), "Sales");
    drive::type(w, "?Password", "p");
    EXPECT_EQ(shown(w), "DSN=Sales");
    EXPECT_EQ(Glo::ConnectString.str(), "DSN=Sales");
}

TEST_F(ChooseODBCconnectionTest, WithoutMemoryTheEntriesAreEmptyAndTheHintStands) {
    ASSERT_FALSE(fs::exists(memoryFile()));
    Window& w = openConnectionWindow();
    for (const char* entry : {"?DSNString", "?Username", "?Password"})
        EXPECT_EQ(drive::screenText(w, entry), "") << entry;
    EXPECT_EQ(shown(w), kHint);
    EXPECT_EQ(Glo::ConnectString.str(), kHint);
}

TEST_F(ChooseODBCconnectionTest, ClosingConnectsAndRemembersTheEntries) {
    for (const auto& road : kCloseRoads) {
        SCOPED_TRACE(road.name);
        fs::remove(memoryFile());
        Window& w = openConnectionWindow();
        drive::type(w, "?DSNString", "Sales");
        drive::type(w, "?Username", "admin");
        drive::type(w, "?Password", "secret");
        ODBCCatalogClass::Dispose(ODBCCatalog);  // so any object found afterwards is the window's
        road.close(w);
        EXPECT_THAT(drive::messageText(), HasSubstr("Data source name not found")) << "there is no source Sales";
        EXPECT_TRUE(drive::answerMessage("&OK"));
        ASSERT_EQ(drive::window(kTitle), nullptr);

        const std::string connectString = "DSN=Sales; UID=admin; PWD=secret";
        EXPECT_EQ(remembered("DNS"), "Sales");
        EXPECT_EQ(remembered("Username"), "admin");
        EXPECT_EQ(remembered("Password"), "secret");
        EXPECT_EQ(remembered("Connectstring"), connectString);
        struct stat status {};
        ASSERT_EQ(::stat(memoryFile().c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u) << "the password stands in clear";

        ASSERT_NE(ODBCCatalog, nullptr);
        EXPECT_EQ(ODBCCatalog->FILE, &ODBCFILE);
        EXPECT_EQ(ODBCFILE.property(PROP_Owner), connectString);
        EXPECT_EQ(ODBCFILE.handle(PROP_Hdbc), nullptr);
    }
}

// The connect string remembered as typed, the reason said at once: not at
// the first statement, and not as an empty catalogue.
TEST_F(ChooseODBCconnectionTest, AConnectionThatFailsIsSaidWithTheDriversReasonItsPasswordMasked) {
    const SilentServer silent;
    const std::string postgres = testServer("TABLOOM_PG_CONNECT");
    const struct {
        const char* what;
        std::string connectString;
        const char* reason;
    } cases[] = {
        {"no such data source", "DSN=NoSuchTabloomSource;UID=me;PWD=topsecret", "Data source name not found"},
        {"a malformed connect string", "DRIVER={PostgreSQL Unicode;PWD=topsecret", "Can't open lib"},
        {"a wrong password", postgres + "UID=tabloom_login;PWD=topsecret;", "password authentication failed"},
        {"a server that never answers", silent.postgresConnectString() + "PWD=topsecret;", "timeout expired"},
    };
    // The PostgreSQL driver waits two seconds at the least.
    ODBCFILE.setLoginTimeout(2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (postgres.empty() && std::string_view(c.what) == "a wrong password") continue;
        Window& w = openConnectionWindow();
        drive::typeOver(w, "?Glo:ConnectString", c.connectString);
        const auto start = std::chrono::steady_clock::now();
        drive::click(w, "?CloseButton");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
        const std::string said = drive::messageText();
        EXPECT_THAT(said, HasSubstr(c.reason));
        EXPECT_THAT(said, HasSubstr("PWD=********"));
        EXPECT_THAT(said, Not(HasSubstr("topsecret")));
        EXPECT_TRUE(drive::answerMessage("&OK"));
        EXPECT_EQ(remembered("Connectstring"), c.connectString);
    }
    ODBCFILE.setLoginTimeout(kLoginTimeoutSeconds);
    if (postgres.empty()) GTEST_SKIP() << "TABLOOM_PG_CONNECT is not set: no wrong password tried";
}

// A user data source on the test server, named by ODBCINI while the object lives.
class PostgresDataSource {
public:
    PostgresDataSource(const std::string& name, std::string_view connectString) {
        std::ofstream(file_.file("odbc.ini")) << "[" << name << "]\nDriver=PostgreSQL Unicode\n"
                                              << "Servername=" << attribute(connectString, "SERVER") << "\n"
                                              << "Port=" << attribute(connectString, "PORT") << "\n"
                                              << "Database=" << attribute(connectString, "DATABASE") << "\n";
        const char* before = std::getenv("ODBCINI");
        if (before) before_ = before;
        ::setenv("ODBCINI", file_.file("odbc.ini").c_str(), 1);
    }
    ~PostgresDataSource() {
        if (before_) ::setenv("ODBCINI", before_->c_str(), 1);
        else ::unsetenv("ODBCINI");
    }

private:
    static std::string attribute(std::string_view connectString, const std::string& key) {
        const std::size_t at = connectString.find(key + "=");
        const std::size_t start = at + key.size() + 1;
        return std::string(connectString.substr(start, connectString.find(';', start) - start));
    }

    TempFolder file_;
    std::optional<std::string> before_;
};

// The entries go into the built connect string so that the driver reads them
// whole: a password holding ";" or braces logs in, and a wrong one is shown
// masked whole.
TEST_F(ChooseODBCconnectionTest, APasswordWithSeparatorsReachesTheDriverWholeAndIsMaskedWhole) {
    const std::string postgres = testServer("TABLOOM_PG_CONNECT");
    if (postgres.empty()) GTEST_SKIP() << "TABLOOM_PG_CONNECT is not set; scripts/test.sh starts the server and sets it";
    const PostgresDataSource source("TabloomPostgres", postgres);
    const struct {
        const char* user;
        const char* password;
        bool right;
    } cases[] = {
        {"tabloom_semicolon", "ab;cd", true},
        {"tabloom_braces", "{s;e}}c}", true},
        {"tabloom_semicolon", "ab;cx", false},
        {"tabloom_braces", "{s;e}}c", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        Window& w = openConnectionWindow();
        drive::typeOver(w, "?DSNString", "TabloomPostgres");
        drive::typeOver(w, "?Username", c.user);
        drive::typeOver(w, "?Password", c.password);
        drive::click(w, "?CloseButton");
        const std::string said = drive::messageText();
        if (c.right) {
            ASSERT_EQ(said, "");
            Queue<ResultRow> rows;
            ASSERT_EQ(ODBCCatalog->ExecuteSQL("SELECT current_user"), 0);
            ODBCCatalog->FetchResult(rows, 1, 0);
            ASSERT_EQ(rows.records(), 1u);
            EXPECT_EQ(rows.at(1).VALUE.str(), c.user);
        } else {
            EXPECT_THAT(said, HasSubstr("password authentication failed for user \"" + std::string(c.user) + "\""));
            EXPECT_THAT(said, ::testing::EndsWith("|Owner:DSN=TabloomPostgres; UID=" + std::string(c.user) +
                                                  "; PWD=********"));
            EXPECT_THAT(said, Not(HasSubstr(c.password)));
            EXPECT_TRUE(drive::answerMessage("&OK"));
        }
    }
}

// What the program shows at one moment of a connect that waits.
struct Moment {
    std::chrono::milliseconds after{};
    int ticks = 0;
    Qt::CursorShape pointer = Qt::ArrowCursor;
    std::string status;
};

// A server that takes the connection and never answers: until the login
// time-out the program keeps painting (a frame uncovered meanwhile is drawn
// again), shows its busy pointer and says it is connecting, while no other
// window's timer moves; the message comes at the time-out.
TEST_F(ChooseODBCconnectionTest, AConnectThatWaitsKeepsTheProgramPaintingAndSaysItIsConnecting) {
    const SilentServer silent;
    constexpr auto kTimeout = std::chrono::seconds(4);
    ODBCFILE.setLoginTimeout(kTimeout.count());
    Window& w = openConnectionWindow();
    drive::typeOver(w, "?Glo:ConnectString", silent.postgresConnectString());

    // Shared with the ticking thread, which may outlive this case by a tick.
    struct Ticking {
        std::atomic<int> ticks{0};
        bool stop = false;
    };
    const auto state = std::make_shared<Ticking>();
    std::atomic<int>& ticks = state->ticks;
    START([state] {
        Window ticking({.label = "W", .title = "ticking", .at = {0, 0, 60, 20}});
        ticking.open();
        ticking.setProperty(0, PROP::Timer, 5);
        while (!state->stop && ticking.accept())
            if (ticking.event() == EVENT::Timer) ++state->ticks;
    });
    ASSERT_TRUE(Scheduler::instance().pumpUntil([&] { return ticks >= 2; }, std::chrono::seconds(5)));

    QWidget* shown = frame().view();
    const QRect area(shown->mapToGlobal(QPoint(0, 0)), shown->size());
    QWidget cover;
    cover.setWindowFlag(Qt::FramelessWindowHint);
    cover.setAutoFillBackground(true);
    cover.setPalette(QPalette(QColor(255, 0, 255)));
    cover.setGeometry(area);
    QImage blank(area.size(), QImage::Format_RGB32);
    blank.fill(QColor(255, 0, 255));

    const auto start = std::chrono::steady_clock::now();
    std::vector<Moment> moments;
    QImage uncovered;
    const auto note = [&] {
        const QCursor* pointer = QApplication::overrideCursor();
        moments.push_back({std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start),
                           ticks, pointer ? pointer->shape() : Qt::ArrowCursor, drive::statusText(frame())});
    };
    QTimer::singleShot(1000, [&] {
        note();
        cover.show();
    });
    QTimer::singleShot(1500, [&] { cover.hide(); });
    QTimer::singleShot(2500, [&] {
        note();
        uncovered = shown->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
    });
    drive::click(w, "?CloseButton");
    const auto waited = std::chrono::steady_clock::now() - start;

    ASSERT_EQ(moments.size(), 2u);
    for (const Moment& m : moments) {
        EXPECT_LT(m.after, kTimeout) << "Qt ran while the connect waited";
        EXPECT_EQ(m.pointer, Qt::WaitCursor);
        EXPECT_EQ(m.status, "Connecting...");
    }
    EXPECT_EQ(moments[1].ticks, moments[0].ticks) << "no other thread ran";
    EXPECT_NE(uncovered.convertToFormat(QImage::Format_RGB32), blank) << "the uncovered frame was drawn again";
    EXPECT_GE(waited, kTimeout - std::chrono::milliseconds(500));
    EXPECT_THAT(drive::messageText(), HasSubstr("timeout expired"));
    EXPECT_TRUE(drive::answerMessage("&OK"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_NE(drive::statusText(frame()), "Connecting...");
    const int after = ticks;
    EXPECT_TRUE(Scheduler::instance().pumpUntil([&] { return ticks > after; }, std::chrono::seconds(5)))
        << "the timer goes on";
    state->stop = true;
    ODBCFILE.setLoginTimeout(kLoginTimeoutSeconds);
}

TEST_F(ChooseODBCconnectionTest, AConnectionThatWorksIsMadeWhenTheWindowCloses) {
    const SqliteFixture db("CREATE TABLE alpha (id INTEGER);");
    Window& w = openConnectionWindow();
    drive::typeOver(w, "?Glo:ConnectString", db.connectString());
    drive::click(w, "?CloseButton");
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_NE(ODBCFILE.handle(PROP_Hdbc), nullptr);
}

TEST_F(ChooseODBCconnectionTest, AWindowClosedByTheProgramsEndConnectsNot) {
    Window& w = openConnectionWindow();
    drive::typeOver(w, "?Glo:ConnectString", "DSN=NoSuchTabloomSource");
    const auto start = std::chrono::steady_clock::now();
    endProgram();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "no question held the end";
    EXPECT_EQ(remembered("Connectstring"), "DSN=NoSuchTabloomSource");
}

TEST_F(ChooseODBCconnectionTest, AnUntouchedWindowStoresTheHint) {
    Window& w = openConnectionWindow();
    drive::click(w, "?CloseButton");
    EXPECT_EQ(remembered("DNS"), "");
    EXPECT_EQ(remembered("Username"), "");
    EXPECT_EQ(remembered("Password"), "");
    EXPECT_EQ(remembered("Connectstring"), kHint);
    EXPECT_EQ(ODBCFILE.property(PROP_Owner), kHint);
}

TEST_F(ChooseODBCconnectionTest, TheNextRunShowsTheRememberedValues) {
    Window& first = openConnectionWindow();
    drive::type(first, "?DSNString", "Sales");
    drive::type(first, "?Username", "admin");
    drive::type(first, "?Password", "secret");
    drive::click(first, "?CloseButton");
    endProgram();

    Window& second = openConnectionWindow();
    EXPECT_EQ(drive::screenText(second, "?DSNString"), "Sales");
    EXPECT_EQ(drive::screenText(second, "?Username"), "admin");
    EXPECT_EQ(drive::screenText(second, "?Password"), "secret");
    EXPECT_EQ(shown(second), "DSN=Sales; UID=admin; PWD=secret");
}

TEST_F(ChooseODBCconnectionTest, LineBreaksInATypedStringAreNeitherUsedNorStored) {
    Window& first = openConnectionWindow();
    drive::typeOver(first, "?Glo:ConnectString", "DRIVER=SQLite3;\nDatabase=a.db");
    EXPECT_EQ(shown(first), "DRIVER=SQLite3;\nDatabase=a.db");
    drive::closeBySystemMenu(first);
    EXPECT_EQ(ODBCFILE.property(PROP_Owner), "DRIVER=SQLite3;Database=a.db");
    EXPECT_EQ(remembered("Connectstring"), "DRIVER=SQLite3;Database=a.db");
    endProgram();

    Window& second = openConnectionWindow();
    EXPECT_EQ(shown(second), "DRIVER=SQLite3;Database=a.db");
}

TEST_F(ChooseODBCconnectionTest, AfterASecondConnectTheCatalogueReadsTheSecondDatabase) {
    const SqliteFixture first("CREATE TABLE alpha (id INTEGER);");
    const SqliteFixture second("CREATE TABLE beta (id INTEGER); CREATE TABLE gamma (id INTEGER);");
    const auto tablesAfterConnectingTo = [this](const SqliteFixture& database) {
        Window& w = openConnectionWindow();
        drive::typeOver(w, "?Glo:ConnectString", database.connectString());
        drive::click(w, "?CloseButton");
        ODBCCatalog->GetTables(GTQ, "", 0, 1, 1, 0);
        std::vector<std::string> names;
        for (std::size_t i = 1; i <= GTQ.records(); ++i) names.emplace_back(GTQ.at(i).TABLENAME.view());
        return names;
    };
    EXPECT_EQ(tablesAfterConnectingTo(first), std::vector<std::string>{"alpha"});
    EXPECT_NE(ODBCFILE.handle(PROP_Hdbc), nullptr);
    EXPECT_EQ(tablesAfterConnectingTo(second), (std::vector<std::string>{"beta", "gamma"}));
}

TEST_F(ChooseODBCconnectionTest, AFontColourStoredForButtonsShowsOnCloseUnlessStylingIsOffForTheWindow) {
    startProgram();
    storeSetting(StyleManager, {.group = restyle::controlTypeGroup(CREATE::button), .controlType = CREATE::button,
                                .property = PROP::FontColor, .value = "255"});
    Window& styled = openConnectionWindow();
    const auto shownColour = [](Window& w) {
        return w.view()->widget(w.equate("?CloseButton"))->palette().color(QPalette::ButtonText);
    };
    EXPECT_EQ(drive::property(styled, "?CloseButton", PROP::FontColor), "255");
    EXPECT_EQ(shownColour(styled), QColor(Qt::red));
    drive::closeBySystemMenu(styled);

    storeSetting(StyleManager, {.procedure = "ChooseODBCconnection", .group = restyle::controlGroup("Window"),
                                .controlType = CREATE::window, .property = -15, .value = "1"});
    Window& plain = openConnectionWindow();
    EXPECT_EQ(drive::property(plain, "?CloseButton", PROP::FontColor), "");
    EXPECT_NE(shownColour(plain), QColor(Qt::red));
}

TEST_F(ChooseODBCconnectionTest, StoredResizingLetsTheUserDragTheWindowLargerAndBackWithEverythingFollowing) {
    startProgram();
    for (const auto& [property, value] : {std::pair<Long, const char*>{PROP::Resize, "1"}, {-11, "1"}})
        storeSetting(StyleManager, {.procedure = "ChooseODBCconnection", .group = restyle::controlGroup("Window"),
                                    .controlType = CREATE::window, .property = property, .value = value});
    Window& w = openConnectionWindow();
    struct Looks {
        std::string column;
        Long closeFontSize, closeWidth, closeX;  // a font size of 0: the window's
        bool operator==(const Looks&) const = default;
    };
    const auto looks = [&] {
        const Long close = w.equate("?CloseButton");
        return Looks{w.indexedProperty(w.equate("?List"), PROPLIST::Width, 1), w.numberProperty(close, PROP::FontSize),
                     w.numberProperty(close, PROP::Width), w.numberProperty(close, PROP::Xpos)};
    };
    const Looks opening = looks();
    ASSERT_EQ(opening.column, "1020");
    const Rect size = w.placement(0);
    drive::resizeBy(w, size.width / 4, size.height / 4);  // its corner still inside the frame
    const Looks larger = looks();
    EXPECT_GT(std::stoi(larger.column), 1020);
    EXPECT_EQ(w.shownFont(w.equate("?CloseButton")).typeface, "Arial");
    EXPECT_GT(w.shownFont(w.equate("?CloseButton")).size, 8);
    EXPECT_GT(larger.closeWidth, 50);
    EXPECT_GT(larger.closeX, 242);
    drive::resizeBy(w, size.width - w.placement(0).width, size.height - w.placement(0).height);
    EXPECT_TRUE(looks() == opening);
    EXPECT_EQ(w.shownFont(w.equate("?CloseButton")).typeface, "MS Sans Serif") << "the window's again";
}
