#include "support/ProgramFixture.h"

#include "app/frame/ProcedureServices.h"
#include "app/main/Globals.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/system/DesktopSettings.h"

using namespace platform;

namespace {
class ProgramTest : public ProgramFixture {};
}  // namespace

TEST_F(ProgramTest, StartUpSetsTheHotKeysAndTheUserNameBeforeTheFrameOpens) {
    // What the global objects hold when the frame announces itself.
    struct FrameWatcher : AssistantClass {
        std::vector<Long> hotKeys;
        std::string userName;
        void InitWindow(const std::string& procedure) override {
            if (procedure != "Main") return;
            hotKeys = {::Assistant.TRAINMODEKEY, ::Assistant.ACTIVATEALERTKEY, ::Assistant.PLAYAGENTALERTKEY,
                       ::Assistant.PLAYCONTROLKEY, StyleManager.HOTKEY};
            userName = Glo::UserName.str();
        }
    } watcher;
    procedureServices().assistant = &watcher;
    startProgram();
    EXPECT_EQ(watcher.hotKeys, (std::vector<Long>{377, 378, 123, 379, 1619}));
    EXPECT_EQ(watcher.userName, "DEFAULT" + std::string(248, ' '));
    ASSERT_EQ(StyleManager.userName(), &Glo::UserName);
    EXPECT_EQ(Assistant.BUFFERINDEX, 1);
    EXPECT_EQ(Assistant.BUFFERPOS, 1);
    EXPECT_EQ(INIMgr.fileName(), "obdctabloom.INI");
    EXPECT_EQ(frame().property(0, PROP::Imm), "1");
    drive::chooseMenu(frame(), "?EXIT");  // before the watcher goes
    EXPECT_EQ(waitForExit(), 0);
}

TEST_F(ProgramTest, FullContentsDraggingIsOffWhileRunningAndRestoredOnlyWhenItWasOn) {
    for (Long before : {0, 1}) {
        SCOPED_TRACE(before);
        setDragFullWindows(before, 0);
        Window& frame = startProgram();
        EXPECT_EQ(dragFullWindows(), 0);
        drive::chooseMenu(frame, "?EXIT");
        EXPECT_EQ(waitForExit(), 0);
        EXPECT_EQ(dragFullWindows(), before);
    }
}

TEST_F(ProgramTest, AMessageFromAnotherThreadReturnsTheButtonOfTheHooksBox) {
    startProgram();
    EXPECT_NE(messageHookValue(), 0);
    EXPECT_EQ(StyleManager.MESSAGEHOOK, 0);
    Long result = 0;
    const int thread = START([&] { result = MESSAGE("Doorgaan?", "Vraag", ICON_QUESTION, "&Ja|&Nee"); });
    drive::settle();
    EXPECT_EQ(drive::messageText(), "Doorgaan?");
    EXPECT_TRUE(drive::answerMessage("&Nee"));
    EXPECT_FALSE(Scheduler::instance().alive(thread));
    EXPECT_EQ(result, 2);
}

TEST_F(ProgramTest, QuittingWithoutEverConnectingEndsCleanly) {
    Window& frame = startProgram();
    drive::closeByCloseBox(frame);
    EXPECT_EQ(waitForExit(), 0);
    EXPECT_EQ(ODBCCatalog, nullptr);
}

TEST_F(ProgramTest, AConnectionWindowClosedByTheShutDownLeavesNoCatalogueBehind) {
    Window& frame = startProgram();
    drive::pressKey(frame, KEY::F2);
    ASSERT_NE(drive::waitForWindow("Choose an ODB Cconnection"), nullptr);
    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
    // The window connected as the platform closed it, after the body had
    // disposed the catalogue; the program's end disposed the new one.
    EXPECT_EQ(ODBCCatalog, nullptr);
    EXPECT_TRUE(Window::openWindows().empty());
}
