// Closing the configuration restyles every open window, as a user sees it:
// windows of several threads, the frame among them, take what was stored
// while it was open.
#include "programsupport/ProgramFixture.h"
#include "programsupport/StoredSettings.h"
#include "support/SqliteFixture.h"

#include "app/frame/ProcedureServices.h"
#include "app/main/Globals.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/ui/WindowView.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <functional>

using namespace platform;

namespace {

constexpr const char* kConfigurationTitle = "Zelora maatwerk";
constexpr const char* kConnectionTitle = "Choose an ODB Cconnection";
constexpr const char* kQueryTitle = "Browse an ODBC connection";
constexpr Long kRed = 255;

struct Pass {
    std::string procedure;
    Byte reload = 0, fromResize = 0;
    bool hidden = false;
    bool operator==(const Pass&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Pass& p) {
    return out << p.procedure << " Restyle(" << int(p.reload) << "," << int(p.fromResize) << ")"
               << (p.hidden ? " hidden" : " shown");
}

// A window's real restyle object that writes down each pass of the walk,
// with whether its window was hidden then; a test may act at a pass.
struct TracingRestyle : ZelRestyleClass {
    TracingRestyle(std::vector<Pass>& passes, std::function<void(TracingRestyle&, Byte)>& onPass)
        : passes_(passes), onPass_(onPass) {}
    void Restyle(Byte reload, Byte fromResize) override {
        if (PROCEDUREWINDOW && reload != fromResize) {
            passes_.push_back({clip(PROCEDURENAME.view()), reload, fromResize,
                               PROCEDUREWINDOW->numberProperty(0, PROP::Hide) != 0});
            if (onPass_) onPass_(*this, reload);
        }
        ZelRestyleClass::Restyle(reload, fromResize);
    }
    std::vector<Pass>& passes_;
    std::function<void(TracingRestyle&, Byte)>& onPass_;
};

class RestyleProgressTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        procedureServices().styleManager = &manager;
        procedureServices().makeRestyle = [this] { return std::make_unique<TracingRestyle>(passes, onPass); };
    }

    // Frame, connection and query window, each on a thread of its own.
    void openThreeWindows() {
        connect(database.connectString());
        connection = &openWindow(KEY::F2, kConnectionTitle);
        query = &openWindow(KEY::F3, kQueryTitle);
    }
    Window& openConfiguration() {
        manager.USEFADING = 0;  // a fade holds the window's events back while it plays
        drive::chooseMenu(frame(), "?APPLICATIONSETTINGSRESTYLEAPPLICATION");
        Window* w = drive::waitForWindow(kConfigurationTitle);
        if (!w) throw std::runtime_error("the configuration did not open");
        return *w;
    }
    // The configuration opened and closed, with red buttons stored meanwhile
    // when asked; the passes of the walk its close made.
    std::vector<Pass> configure(bool storeRedButtons = true) {
        Window& w = openConfiguration();
        if (storeRedButtons)
            storeSetting(manager, {.group = restyle::controlTypeGroup(CREATE::button), .controlType = CREATE::button,
                                   .property = PROP::FontColor, .value = std::to_string(kRed)});
        passes.clear();
        drive::click(w, "?CLOSEBUTTON");
        drive::settle();
        return passes;
    }
    ZelRestyleClass& objectOf(std::string_view procedure) {
        for (ZelRestyleClass* object : manager.RESTYLECLASSLIST)
            if (clip(object->PROCEDURENAME.view()) == procedure) return *object;
        throw std::runtime_error("no restyle object of " + std::string(procedure));
    }
    static Long fontColor(Window& w, const char* button) {
        return w.numberProperty(w.equate(button), PROP::FontColor);
    }
    static std::vector<Pass> twoPasses(const std::string& procedure, bool hidden) {
        return {{procedure, 0, 1, hidden}, {procedure, 1, 0, hidden}};
    }
    static std::vector<Pass> joined(std::initializer_list<std::vector<Pass>> parts) {
        std::vector<Pass> all;
        for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
        return all;
    }

    ZelStylemanagerClass manager;
    std::vector<Pass> passes;
    std::function<void(TracingRestyle&, Byte)> onPass;
    SqliteFixture database{"CREATE TABLE Products (Name VARCHAR);"};
    Window* connection = nullptr;
    Window* query = nullptr;
};

}  // namespace

TEST_F(RestyleProgressTest, EveryOpenWindowTakesWhatWasStoredEachButTheFrameHiddenBetweenItsPasses) {
    openThreeWindows();
    ASSERT_NE(fontColor(*connection, "?CloseButton"), kRed);
    std::map<Window*, std::pair<Long, Long>> sizes;
    for (Window* w : {&frame(), connection, query})
        sizes[w] = {w->numberProperty(0, PROP::Width), w->numberProperty(0, PROP::Height)};

    EXPECT_EQ(configure(), joined({twoPasses("Main", false), twoPasses("ChooseODBCconnection", true),
                                   twoPasses("BrowseODBCconnection", true)}));
    EXPECT_EQ(fontColor(*connection, "?CloseButton"), kRed);
    EXPECT_EQ(fontColor(*query, "?CloseButton"), kRed);
    for (Window* w : {connection, query}) EXPECT_TRUE(w->view()->isVisible()) << w->spec().title << " shown again";
    EXPECT_EQ(drive::window(""), nullptr) << "the progress window is gone";

    configure(false);
    configure(false);
    for (const auto& [w, size] : sizes) {
        EXPECT_EQ(w->numberProperty(0, PROP::Width), size.first) << w->spec().title;
        EXPECT_EQ(w->numberProperty(0, PROP::Height), size.second) << w->spec().title;
    }
}

TEST_F(RestyleProgressTest, AWindowKeptUnstyledStaysSoAndAHiddenOneStaysHidden) {
    openThreeWindows();
    objectOf("ChooseODBCconnection").DONOTRESTYLETHISPROCEDURE = 1;
    query->setProperty(0, PROP::Hide, 1);
    configure();
    EXPECT_EQ(objectOf("ChooseODBCconnection").DONOTRESTYLETHISPROCEDURE, 1);
    EXPECT_NE(fontColor(*connection, "?CloseButton"), kRed) << "styling is off there";
    EXPECT_TRUE(connection->view()->isVisible());
    EXPECT_FALSE(query->view()->isVisible()) << "the program keeps it hidden";
    EXPECT_EQ(fontColor(*query, "?CloseButton"), kRed);
}

// Between a window's passes other threads run: a window may close then, and
// its restyle object with it. The walk goes on without it.
TEST_F(RestyleProgressTest, AWindowClosedDuringTheWalkIsLeftOut) {
    const struct {
        const char* when;
        const char* closingAt;  // the procedure whose first pass closes the connection window
        std::vector<Pass> passes;
    } cases[] = {
        {"before its turn", "Main",
         joined({twoPasses("Main", false), twoPasses("BrowseODBCconnection", true)})},
        {"between its own passes", "ChooseODBCconnection",
         joined({twoPasses("Main", false), {{"ChooseODBCconnection", 0, 1, true}},
                 twoPasses("BrowseODBCconnection", true)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.when);
        openThreeWindows();
        Window* closing = connection;
        onPass = [&](TracingRestyle& object, Byte reload) {
            if (reload == 0 && clip(object.PROCEDURENAME.view()) == c.closingAt) closing->post({.event = EVENT::CloseWindow});
        };
        EXPECT_EQ(configure(), c.passes);
        onPass = nullptr;
        EXPECT_EQ(drive::window(kConnectionTitle), nullptr);
        EXPECT_EQ(fontColor(*query, "?CloseButton"), kRed);
        drive::click(*query, "?CloseButton");
        drive::settle();
    }
}

TEST_F(RestyleProgressTest, AStyledMessageBoxOpenOnAnotherThreadIsRestyled) {
    startProgram();
    bool answered = false;
    START([&] {
        MESSAGE("Still here?");
        answered = true;
    });
    drive::settle();
    Window* box = Window::openWindows().back();
    ASSERT_EQ(box->spec().label, "P44$MSGWIN");
    const Long button = box->equate("?Button1");
    ASSERT_NE(box->numberProperty(button, PROP::FontColor), kRed);
    configure();
    EXPECT_EQ(box->numberProperty(button, PROP::FontColor), kRed);
    EXPECT_TRUE(box->view()->isVisible());
    ASSERT_TRUE(drive::answerMessage("OK"));
    drive::settle();
    EXPECT_TRUE(answered);
}
