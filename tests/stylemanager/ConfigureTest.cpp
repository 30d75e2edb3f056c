// The configuration window, opened in the running program as a user opens
// it: Ctrl+Alt+S in a window, or "Restyle application" on the frame.
#include "programsupport/ProgramFixture.h"
#include "programsupport/StoredSettings.h"
#include "support/RecordingViewer.h"
#include "support/SqliteFixture.h"

#include "app/frame/ProcedureServices.h"
#include "app/main/Globals.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/files/FileTransaction.h"
#include "platform/files/KeyedFile.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"
#include "restyle/ZelRestyleClass.h"
#include "restyle/ZelRestyleFile.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QWidget>
#include <functional>
#include <optional>

using namespace platform;

namespace {

constexpr const char* kTitle = "Zelora maatwerk";
constexpr const char* kConnectionTitle = "Choose an ODB Cconnection";
constexpr const char* kQueryTitle = "Browse an ODBC connection";
constexpr Long kConfigureKey = KEY::Ctrl + KEY::Alt + KEY::letter('S');

// The real style manager, with its sub-windows and its purge written down
// as they are called, with the procedure of the object they are given.
struct RecordingConfiguration : ZelStylemanagerClass {
    std::vector<std::string> calls;
    std::function<void(const std::string&)> onCall;

    void record(std::string call) {
        calls.push_back(std::move(call));
        if (onCall) onCall(calls.back());
    }
    static std::string of(ZelRestyleClass& caller) { return " " + clip(caller.PROCEDURENAME.view()); }
    void ConfigureProfile(ZelRestyleClass& c) override { record("ConfigureProfile" + of(c)); }
    void ConfigureRestyle(ZelRestyleClass& c, Long control, Byte all) override {
        record("ConfigureRestyle" + of(c) + " " + std::to_string(control) + " " + std::to_string(all));
    }
    void ConfigureImages(ZelRestyleClass& c) override { record("ConfigureImages" + of(c)); }
    void ConfigureProperties(ZelRestyleClass& c) override { record("ConfigureProperties" + of(c)); }
    void RestyleProgress(ZelRestyleClass& c) override { record("RestyleProgress" + of(c)); }
    void PurgeConditionSets() override {
        record("PurgeConditionSets");
        ZelStylemanagerClass::PurgeConditionSets();
    }
};

// A window's real restyle object that counts the pickers it is asked to start.
struct CountingPicker : ZelRestyleClass {
    explicit CountingPicker(std::vector<std::string>& calls) : calls_(calls) {}
    void ConfigureDirectly() override { calls_.push_back("ConfigureDirectly " + clip(PROCEDURENAME.view())); }
    std::vector<std::string>& calls_;
};

class ConfigureTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        procedureServices().styleManager = &manager;
        procedureServices().makeRestyle = [this] { return std::make_unique<CountingPicker>(manager.calls); };
    }
    void TearDown() override {
        ProgramFixture::TearDown();
        showLayeredWindows(std::nullopt);
        Clock::useReal();
    }

    Window& configureFrom(Window& opener) {
        setFading();
        drive::pressKey(opener, kConfigureKey);
        return configuration();
    }
    Window& configureFromFrame() {
        setFading();
        drive::chooseMenu(frame(), "?APPLICATIONSETTINGSRESTYLEAPPLICATION");
        return configuration();
    }
    // A fade takes its ticks on the real clock: cases about other things open
    // the window without one.
    void setFading() {
        if (fading) manager.USEFADING = *fading;
    }
    // Opened as a user sees it: faded in, its buttons there to press.
    static Window& configuration() {
        Window* w = drive::waitForWindow(kTitle);
        if (!w) throw std::runtime_error("the configuration did not open");
        if (!Scheduler::instance().pumpUntil([w] { return showsWhole(*w, "?CLOSEBUTTON"); }, std::chrono::seconds(10)))
            throw std::runtime_error("the configuration did not fade in");
        return *w;
    }
    // The region is in the window's pixels, the client area below its caption.
    static QPoint clientOrigin() {
        return {static_cast<int>(GetSystemMetrics(SM_CXFRAME)),
                static_cast<int>(GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME))};
    }
    static bool showsWhole(Window& w, std::string_view label) {
        const Rect at = w.placement(w.equate(label));
        const QPoint client = clientOrigin();
        return drive::shows(w, client.x() + at.x + at.width / 2, client.y() + at.y + at.height / 2);
    }
    // Closed as a user sees it: faded out and gone.
    static void closeConfiguration(Window& w) {
        drive::click(w, "?CLOSEBUTTON");
        Scheduler::instance().pumpUntil([] { return drive::window(kTitle) == nullptr; }, std::chrono::seconds(10));
        drive::settle();
    }
    // The query window over a database of its own.
    Window& openQueryWindow() {
        connect(database.connectString());
        return openWindow(KEY::F3, kQueryTitle);
    }
    // The rows of the restyle file a reader of its own finds: what is committed.
    static std::size_t committedRestyleRows() {
        ZelRestyleFile reader;
        if (!reader.open(kReadOnly)) throw std::runtime_error("the restyle file cannot be read");
        const std::size_t rows = reader.records();
        reader.close();
        return rows;
    }
    void storeASetting() {
        storeSetting(manager, {.procedure = "ChooseODBCconnection", .group = restyle::controlTypeGroup(CREATE::button),
                               .controlType = CREATE::button, .property = PROP::FontColor, .value = "255"});
    }
    std::size_t shownControls(Window& w) {
        std::size_t shown = 0;
        for (const Long control : w.controlNumbers()) shown += w.view()->widget(control)->isVisible() ? 1 : 0;
        return shown;
    }

    RecordingConfiguration manager;
    std::optional<Byte> fading = 0;  // nullopt: as stored
    SqliteFixture database{"CREATE TABLE Products (Name VARCHAR);"};
};

}  // namespace

TEST_F(ConfigureTest, OpensOverTheWindowItWasAskedFromWithItsProcedureAndTranslatedTexts) {
    const struct {
        const char* from;
        std::function<Window&()> opener;
        std::function<Window&(Window&)> open;
        const char* procedure;
    } cases[] = {
        {"Ctrl+Alt+S in the connection window", [this]() -> Window& { return openWindow(KEY::F2, kConnectionTitle); },
         [this](Window& o) -> Window& { return configureFrom(o); }, "ChooseODBCconnection"},
        {"Ctrl+Alt+S in the query window", [this]() -> Window& { return openQueryWindow(); },
         [this](Window& o) -> Window& { return configureFrom(o); }, "BrowseODBCconnection"},
        {"Restyle application on the frame", [this]() -> Window& { return frame(); },
         [this](Window&) -> Window& { return configureFromFrame(); }, "Main"},
    };
    startProgram();
    manager.TRANSLATOR.AddTranslation("&Close", "&Sluiten");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        Window& opener = c.opener();
        Window& w = c.open(opener);
        EXPECT_EQ(w.thread(), opener.thread()) << "on its opener's thread";
        EXPECT_EQ(Window::topWindowOf(opener.thread()), &w);
        EXPECT_TRUE(opener.blocked()) << "modal over its opener";
        EXPECT_EQ(clip(manager.PROCEDURENAME.view()), c.procedure);
        EXPECT_EQ(w.property(w.equate("?CLOSEBUTTON"), PROP::Text), "&Sluiten");
        EXPECT_EQ(w.property(w.equate("?HELPBUTTON"), PROP::Text), "&Help");
        RECT client;
        GetClientRect(w.handle(), client);
        EXPECT_GE(client.right - client.left, 750) << "room for the shape";
        EXPECT_GE(client.bottom - client.top, 572);
        closeConfiguration(w);
        EXPECT_EQ(drive::window(kTitle), nullptr);
    }
    drive::chooseMenu(frame(), "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
}

TEST_F(ConfigureTest, EveryControlLiesInsideTheShapeWhichLeavesTheRestOut) {
    Window& w = configureFrom(openWindow(KEY::F2, kConnectionTitle));
    ASSERT_TRUE(w.region().has_value());
    const QPoint client = clientOrigin();
    for (const Long control : w.controlNumbers()) {
        if (w.numberProperty(control, PROP::Type) == CREATE::image) continue;  // the pictures fill their boxes
        const Rect at = w.placement(control);
        EXPECT_TRUE(drive::shows(w, client.x() + at.x + at.width / 2, client.y() + at.y + at.height / 2))
            << w.property(control, PROP::Label);
    }
    const struct {
        const char* where;
        int x, y;
    } outside[] = {{"the caption", 370, -5}, {"between two ellipses", 140, 224}, {"a corner", 2, 2}};
    for (const auto& o : outside) EXPECT_FALSE(drive::shows(w, client.x() + o.x, client.y() + o.y)) << o.where;
    closeConfiguration(w);
}

TEST_F(ConfigureTest, TheWindowIsDraggedByItsBody) {
    Window& w = configureFrom(openWindow(KEY::F2, kConnectionTitle));
    const QPoint before = w.view()->pos();
    drive::pressMouse(w, "?MOVEWINDOWREGION", 60, 40);
    drive::moveMouse(w, "?MOVEWINDOWREGION", 100, 70);
    drive::releaseMouse(w, "?MOVEWINDOWREGION", 60, 40);  // the region moved along
    EXPECT_EQ(w.view()->pos(), before + QPoint(40, 30));
    closeConfiguration(w);
}

TEST_F(ConfigureTest, CloseCommitsWhatWasWrittenThenRestylesWithTheOpenersObject) {
    Window& opener = openWindow(KEY::F2, kConnectionTitle);
    const std::size_t before = committedRestyleRows();
    std::size_t seenAtPurge = 0, seenAtProgress = 0;
    manager.onCall = [&](const std::string& call) {
        if (call.starts_with("ConfigureProfile")) storeASetting();  // as an editor stores it
        if (call == "PurgeConditionSets") seenAtPurge = committedRestyleRows();
        if (call.starts_with("RestyleProgress")) seenAtProgress = committedRestyleRows();
    };
    Window& w = configureFrom(opener);
    drive::click(w, "?CONFIGUREPROFILEBUTTON");
    EXPECT_EQ(committedRestyleRows(), before) << "a second reader sees nothing yet";
    closeConfiguration(w);
    EXPECT_EQ(manager.calls, (std::vector<std::string>{"ConfigureProfile ChooseODBCconnection", "PurgeConditionSets",
                                                        "RestyleProgress ChooseODBCconnection"}));
    EXPECT_EQ(seenAtPurge, before) << "the purge comes before the commit";
    EXPECT_EQ(seenAtProgress, before + 3) << "the commit before the restyling";
    EXPECT_TRUE(FileTransaction::instance().active()) << "the next transaction begins at once";
}

TEST_F(ConfigureTest, ThePickerClosesWithoutCommitAndTheNextCloseCommitsEverything) {
    Window& opener = openWindow(KEY::F2, kConnectionTitle);
    const std::size_t before = committedRestyleRows();
    manager.onCall = [&](const std::string& call) {
        if (call.starts_with("ConfigureRestyle")) storeASetting();
    };
    Window* w = &configureFrom(opener);
    drive::click(*w, "?CONFIGURERESTYLEBUTTON");
    drive::click(*w, "?CONFIGURERESTYLEDIRECLTYONWINDOWBUTTON");
    drive::settle();
    EXPECT_EQ(drive::window(kTitle), nullptr);
    EXPECT_EQ(manager.calls, (std::vector<std::string>{"ConfigureRestyle ChooseODBCconnection 0 1",
                                                        "ConfigureDirectly ChooseODBCconnection"}));
    EXPECT_EQ(committedRestyleRows(), before) << "no commit";

    manager.calls.clear();
    w = &configureFrom(opener);  // its LOGOUT finds the first one's transaction running
    closeConfiguration(*w);
    EXPECT_EQ(manager.calls, (std::vector<std::string>{"PurgeConditionSets", "RestyleProgress ChooseODBCconnection"}));
    EXPECT_EQ(committedRestyleRows(), before + 3) << "what the first one wrote";
}

// With the window's real restyle object: picking starts on the window the
// configuration came from, and Esc there brings the configuration back.
TEST_F(ConfigureTest, PickingOnScreenRunsOnTheOpenerAndEscBringsTheConfigurationBack) {
    procedureServices().makeRestyle = [] { return std::make_unique<ZelRestyleClass>(); };
    Window& opener = openWindow(KEY::F2, kConnectionTitle);
    Window* w = &configureFrom(opener);
    drive::click(*w, "?CONFIGURERESTYLEDIRECLTYONWINDOWBUTTON");
    drive::settle();
    EXPECT_EQ(drive::window(kTitle), nullptr);
    EXPECT_EQ(opener.property(0, PROP::Text),
              "-- Push the left mousebutton to select a control or press ESC to quit the configuration -- " +
                  std::string(kConnectionTitle));
    drive::pressKey(opener, KEY::Esc);
    w = drive::waitForWindow(kTitle);
    ASSERT_NE(w, nullptr) << "the configuration is back";
    EXPECT_EQ(opener.property(0, PROP::Text), kConnectionTitle);
    closeConfiguration(*w);
}

TEST_F(ConfigureTest, HelpIsThePlatformsOwnBoxAndTheStyledBoxIsBackAfterwards) {
    startProgram();
    Window& w = configureFromFrame();
    drive::click(w, "?HELPBUTTON");
    EXPECT_EQ(drive::messageText(),
              "Help???|This isn't finished and I certainly haven't had time to write a decent help file...");
    EXPECT_NE(Window::openWindows().back()->spec().label, "P44$MSGWIN");
    ASSERT_TRUE(drive::answerMessage("OK"));
    closeConfiguration(w);

    Glo::ConnectString = "";
    drive::pressKey(frame(), KEY::F4);  // asks for a connection first
    EXPECT_EQ(Window::openWindows().back()->spec().label, "P44$MSGWIN");
    ASSERT_TRUE(drive::answerMessage("OK"));
}

TEST_F(ConfigureTest, ASubWindowFadesItOutAndItComesBackInItsShape) {
    showLayeredWindows(false);  // fading by region
    startProgram();
    fading = 1;
    Window& w = configureFromFrame();
    const std::optional<Region> shape = w.region();
    std::optional<Region> during;
    manager.onCall = [&](const std::string& call) {
        if (call.starts_with("ConfigureProfile")) during = w.region();
    };
    drive::click(w, "?CONFIGUREPROFILEBUTTON");
    Scheduler& scheduler = Scheduler::instance();
    ASSERT_TRUE(scheduler.pumpUntil([&] { return during.has_value(); }, std::chrono::seconds(10)));
    EXPECT_NE(during, shape) << "faded out";
    EXPECT_TRUE(scheduler.pumpUntil([&] { return w.region() == shape; }, std::chrono::seconds(10))) << "faded in";
    manager.onCall = nullptr;
    closeConfiguration(w);
}

TEST_F(ConfigureTest, WithoutFadingASubWindowHidesTheControlsAndAllShowAfterwards) {
    startProgram();
    Window& w = configureFromFrame();
    std::size_t shownDuring = 99;
    manager.onCall = [&](const std::string& call) {
        if (call.starts_with("ConfigureImages")) shownDuring = shownControls(w);
    };
    drive::click(w, "?CONFIGUREIMAGESBUTTON");
    EXPECT_EQ(shownDuring, 0u);
    EXPECT_EQ(shownControls(w), w.controlNumbers().size()) << "the logo too";
    closeConfiguration(w);
}

TEST_F(ConfigureTest, TheLogoShowsWhileThePointerIsOverTheAddressWhichAClickOpens) {
    RecordingViewer browser("browser.sh", "TABLOOM_BROWSER");
    Clock::useFake();
    Window& w = configureFrom(openWindow(KEY::F2, kConnectionTitle));
    const Long logo = w.equate("?ZELORALOGO");
    drive::moveMouse(w, "?REGIONZELORA", 5, 5);
    EXPECT_EQ(w.numberProperty(logo, PROP::Hide), 0);
    Clock::advance(std::chrono::milliseconds(400));
    drive::settle();
    EXPECT_GT(drive::pictureFrame(w, "?ZELORAIMAGE"), 1) << "the picture plays";
    drive::moveMouse(w, "?MOVEWINDOWREGION", 60, 40);
    EXPECT_EQ(w.numberProperty(logo, PROP::Hide), 1);
    EXPECT_EQ(drive::pictureFrame(w, "?ZELORAIMAGE"), 1) << "played again from the start";

    drive::click(w, "?REGIONZELORA");
    const std::optional<std::vector<std::string>> opened = browser.arguments();
    ASSERT_TRUE(opened.has_value());
    ASSERT_EQ(opened->size(), 1u);
    EXPECT_TRUE(opened->front().starts_with("https://"));
    closeConfiguration(w);
}

TEST_F(ConfigureTest, UseFadingIsWrittenAtOnceAndStoredAtExit) {
    startProgram();
    fading = std::nullopt;
    const Byte was = manager.USEFADING;
    Window& w = configureFromFrame();
    drive::click(w, "?SELF:USEFADING");
    EXPECT_EQ(manager.USEFADING, was == 1 ? 0 : 1);
    closeConfiguration(w);
    drive::chooseMenu(frame(), "?EXIT");
    ASSERT_EQ(waitForExit(), 0);
    startProgram();
    EXPECT_EQ(manager.USEFADING, was == 1 ? 0 : 1);
}

TEST_F(ConfigureTest, OneConfigurationAtATimeASecondCallBringsTheFirstForward) {
    Window& query = openQueryWindow();
    Window& connection = openWindow(KEY::F2, kConnectionTitle);
    Window& w = configureFrom(connection);
    const std::vector<std::string> titles = drive::windowTitles();
    for (const std::function<void()>& second :
         {std::function<void()>([&] { drive::pressKey(query, kConfigureKey); }),
          std::function<void()>([&] { drive::chooseMenu(frame(), "?APPLICATIONSETTINGSRESTYLEAPPLICATION"); })}) {
        second();
        drive::settle();
        EXPECT_EQ(drive::windowTitles(), titles) << "nothing more opened";
        EXPECT_TRUE(w.view()->outer()->isActiveWindow()) << "the first one in front";
        EXPECT_FALSE(query.blocked()) << "its window goes on";
    }

    drive::click(w, "?HELPBUTTON");  // a window over the configuration
    Window& help = *Window::openWindows().back();
    drive::pressKey(query, kConfigureKey);
    EXPECT_TRUE(help.view()->outer()->isActiveWindow()) << "the configuration's topmost window in front";
    ASSERT_TRUE(drive::answerMessage("OK"));
    closeConfiguration(w);
    EXPECT_EQ(manager.calls, (std::vector<std::string>{"PurgeConditionSets", "RestyleProgress ChooseODBCconnection"}));
}
