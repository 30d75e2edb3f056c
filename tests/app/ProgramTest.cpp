#include "programsupport/ProgramFixture.h"
#include "programsupport/Recorders.h"
#include "support/SqliteFixture.h"

#include "app/connection/ConnectionMemory.h"
#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/odbc/FileProperties.h"
#include "platform/program/DesktopSettings.h"

#include <map>

using namespace platform;

namespace {

class ProgramTest : public ProgramFixture {
protected:
    RecordedProgram recorded;
};

std::vector<Long> hotKeysOf(const AssistantClass& a) {
    return {a.TRAINMODEKEY, a.ACTIVATEALERTKEY, a.PLAYAGENTALERTKEY, a.PLAYCONTROLKEY};
}

}  // namespace

TEST_F(ProgramTest, StartUpRunsItsStepsInOrderBeforeTheFrameOpens) {
    std::vector<Long> keysAtLoad, keysAtSplash;
    std::string userNameAtSetup;
    Long hookAtSetup = -1, dragAtSetup = -1, hookAtFrame = 0, dragAtFrame = -1;
    std::string immAtApplicationWindow;
    Long earlierHook = 0;
    recorded.trace.onCall = [&](const std::string& call) {
        if (call == "styleManager.Init") {  // a hook in place before the program's own
            earlierHook = registerMessageHook(platformMessage);
            setMessageHookValue(earlierHook);
        }
        if (call == "assistant.LoadSettings") keysAtLoad = hotKeysOf(recorded.assistant);
        if (call == "splash.Show 10") keysAtSplash = hotKeysOf(recorded.assistant);
        if (call == "styleManager.Setup 1619") {
            userNameAtSetup = Glo::UserName.str();
            hookAtSetup = messageHookValue();
            dragAtSetup = dragFullWindows();
        }
        if (call == "restyle.Init Main") hookAtFrame = messageHookValue(), dragAtFrame = dragFullWindows();
        if (call.rfind("assistant.TakeApplicationWindow", 0) == 0)
            immAtApplicationWindow = Window::applicationFrame()->property(0, PROP::Imm);
    };
    recorded.install();
    setDragFullWindows(1, 0);
    Window& frame = startProgram();

    EXPECT_EQ(recorded.trace.only({"styleManager.", "assistant.Construct", "assistant.LoadSettings", "splash.",
                                   "restyle.Init", "assistant.InitWindow", "assistant.TakeApplicationWindow"}),
              (Calls{"styleManager.Init", "assistant.Construct", "assistant.LoadSettings", "splash.Show 10",
                     "styleManager.SetUserName", "styleManager.SetPropertyFile ZELPROPERTIESFILE P_KEY_ZELPF",
                     "styleManager.SetConditionSetFile ZELCONDITIONSETFILE P_KEY_ZELCS S_KEY_ZELCS",
                     "styleManager.SetConditionFile ZELCONDITIONFILE P_KEY_ZELCD",
                     "styleManager.SetRestyleFile ZELRESTYLEFILE P_KEY_ZELRF", "styleManager.Setup 1619",
                     "restyle.Init Main",
                     "assistant.InitWindow Main", withNumber("assistant.TakeApplicationWindow", frame.handle())}));
    EXPECT_EQ(keysAtLoad, (std::vector<Long>{0, 0, 0, 0}));
    EXPECT_EQ(keysAtSplash, (std::vector<Long>{377, 378, 123, 379}));
    EXPECT_EQ(userNameAtSetup, "DEFAULT" + std::string(248, ' '));
    EXPECT_EQ(recorded.styleManager.USERNAME, &Glo::UserName);
    // The hook and the dragging switch come after the set-up, before the frame;
    // the style manager keeps the hook that was in place.
    EXPECT_EQ(hookAtSetup, earlierHook);
    EXPECT_EQ(dragAtSetup, 1);
    EXPECT_NE(hookAtFrame, earlierHook);
    EXPECT_NE(hookAtFrame, 0);
    EXPECT_EQ(dragAtFrame, 0);
    EXPECT_EQ(recorded.styleManager.MESSAGEHOOK, earlierHook);
    EXPECT_EQ(immAtApplicationWindow, "1");
    EXPECT_EQ(recorded.assistant.BUFFERINDEX, 1);
    EXPECT_EQ(recorded.assistant.BUFFERPOS, 1);
    EXPECT_EQ(INIMgr.fileName(), "obdctabloom.INI");
    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
}

TEST_F(ProgramTest, TheStyleManagerIsGivenTheGlobalRestyleFilesWithTheirKeysAndRecordFields) {
    recorded.install();
    Window& frame = startProgram();
    const ZelStylemanagerClass& bound = recorded.styleManager;
    EXPECT_EQ(bound.PROPERTYFILE, &ZELPROPERTIESFILE);
    EXPECT_EQ(bound.PROPERTYFILEPRIMARYKEY, &ZELPROPERTIESFILE.P_KEY_ZELPF);
    EXPECT_EQ(bound.CONDITIONSETFILE, &ZELCONDITIONSETFILE);
    EXPECT_EQ(bound.CONDITIONSETFILEPRIMARYKEY, &ZELCONDITIONSETFILE.P_KEY_ZELCS);
    EXPECT_EQ(bound.CONDITIONSETFILESORTKEY, &ZELCONDITIONSETFILE.S_KEY_ZELCS);
    EXPECT_EQ(bound.CONDITIONFILE, &ZELCONDITIONFILE);
    EXPECT_EQ(bound.CONDITIONFILEPRIMARYKEY, &ZELCONDITIONFILE.P_KEY_ZELCD);
    EXPECT_EQ(bound.RESTYLEFILE, &ZELRESTYLEFILE);
    EXPECT_EQ(bound.RESTYLEFILEPRIMARYKEY, &ZELRESTYLEFILE.P_KEY_ZELRF);

    // Each reference writes the field of that name and no other.
    const RecordRef properties = recordRef(ZELPROPERTIESFILE.rec), sets = recordRef(ZELCONDITIONSETFILE.rec),
                    conditions = recordRef(ZELCONDITIONFILE.rec), values = recordRef(ZELRESTYLEFILE.rec);
    const struct {
        AnyRef reference;
        RecordRef record;
        const char* field;
    } references[] = {
        {bound.PROPERTYFILECONTROLTYPEEQUATEFIELD, properties, "CONTROLTYPEEQUATE"},
        {bound.PROPERTYFILEPROPERTYEQUATEFIELD, properties, "PROPERTYEQUATE"},
        {bound.PROPERTYFILEPROPERTYFIELD, properties, "PROPERTY"},
        {bound.PROPERTYFILEPROPERTYDESCRIPTIONFIELD, properties, "PROPERTYDESCRIPTION"},
        {bound.PROPERTYFILEHIDEFROMENDUSER, properties, "HIDEFROMENDUSER"},
        {bound.CONDITIONSETFILEUSERNAMEFIELD, sets, "USERNAME"},
        {bound.CONDITIONSETFILEPROFILEFIELD, sets, "PROFILE"},
        {bound.CONDITIONSETFILEPROCEDURENAMEFIELD, sets, "PROCEDURENAME"},
        {bound.CONDITIONSETFILEGROUPNAMEFIELD, sets, "GROUPNAME"},
        {bound.CONDITIONSETFILECONDITIONALSETFIELD, sets, "CONDITIONALSET"},
        {bound.CONDITIONSETFILECONDITIONALSETIDFIELD, sets, "CONDITIONALSETID"},
        {bound.CONDITIONFILECONDITIONALSETIDFIELD, conditions, "CONDITIONALSETID"},
        {bound.CONDITIONFILECONDITIONALIDFIELD, conditions, "CONDITIONALID"},
        {bound.CONDITIONFILECONTROLFIELD, conditions, "CONTROL"},
        {bound.CONDITIONFILEPROPERTYEQUATEFIELD, conditions, "PROPERTYEQUATE"},
        {bound.CONDITIONFILEOPERATORFIELD, conditions, "OPERATOR"},
        {bound.CONDITIONFILEVALUEFIELD, conditions, "VALUE"},
        {bound.CONDITIONFILEMANUALVALUEFIELD, conditions, "MANUALVALUE"},
        {bound.RESTYLEFILECONDITIONALSETID, values, "CONDITIONALSETID"},
        {bound.RESTYLEFILEPROPERTYFIELD, values, "PROPERTY"},
        {bound.RESTYLEFILEPARAMETERFIELD, values, "PARAMETER"},
        {bound.RESTYLEFILEVALUEFIELD, values, "VALUE"},
    };
    for (const auto& r : references) {
        const auto fieldTexts = [&r] {
            std::map<std::string, std::string> texts;
            for (const FieldInfo& field : r.record.fields->all())
                texts[field.name] = clip(FieldRef(field, r.record.buffer).text());
            return texts;
        };
        clearRecord(*r.record.fields, r.record.buffer);
        auto expected = fieldTexts();
        expected[r.field] = "7";
        r.reference.setText("7");
        EXPECT_EQ(fieldTexts(), expected) << r.record.fields->prefix() << ":" << r.field;
    }
    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
}

TEST_F(ProgramTest, TheRealSplashIsTheOnlyWindowWhileUpAfterTheHotKeysAndBeforeTheUserName) {
    recorded.install();
    procedureServices().splash = &Splash;
    launchProgram();
    EXPECT_EQ(drive::windowTitles(), std::vector<std::string>{kSplashTitle});
    EXPECT_EQ(hotKeysOf(recorded.assistant), (std::vector<Long>{377, 378, 123, 379}));
    EXPECT_EQ(recorded.trace.only({"styleManager.SetUserName"}), Calls{});
    Window& frame = passSplash();
    EXPECT_EQ(recorded.trace.only({"styleManager.SetUserName"}), Calls{"styleManager.SetUserName"});
    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
}

TEST_F(ProgramTest, ShutDownRunsItsStepsInOrderAndWindowsClosingAfterItDoNoHarm) {
    SqliteFixture database("CREATE TABLE items (id INTEGER PRIMARY KEY);");
    ConnectionMemory{"", "", "", database.connectString()}.store();
    // What the shut-down steps change, as one text.
    auto now = [] {
        return std::string("catalogue ") + (ODBCCatalog ? "yes" : "no") + ", connected " +
               (ODBCFILE.handle(PROP_Hdbc) ? "yes" : "no") + ", dragging " + std::to_string(dragFullWindows()) +
               ", INI \"" + INIMgr.fileName() + "\"";
    };
    std::string atKill, atSaveSettings;
    recorded.trace.onCall = [&](const std::string& call) {
        if (call == "assistant.Kill") atKill = now();
        if (call == "styleManager.SaveSettings") atSaveSettings = now();
    };
    recorded.install();
    setDragFullWindows(1, 0);
    Window& frame = startProgram();
    drive::pressKey(frame, KEY::F2);
    Window* connection = drive::waitForWindow("Choose an ODB Cconnection");
    ASSERT_NE(connection, nullptr);
    drive::click(*connection, "?CloseButton");  // connects
    drive::pressKey(frame, KEY::F4);            // reads the tables: the connection opens
    ASSERT_NE(drive::waitForWindow("Tabloom"), nullptr);

    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
    EXPECT_EQ(atKill, "catalogue yes, connected yes, dragging 0, INI \"obdctabloom.INI\"");
    EXPECT_EQ(atSaveSettings, "catalogue no, connected no, dragging 1, INI \"\"");
    // The catalogue window, still open, closes after the assistant has ended.
    EXPECT_EQ(recorded.trace.only({"assistant.Kill", "assistant.TakeWindowClosed", "assistant.Destruct",
                                   "styleManager.SaveSettings", "styleManager.Kill"}),
              (Calls{"assistant.TakeWindowClosed ChooseODBCconnection", "assistant.TakeWindowClosed Main",
                     "assistant.Kill", "styleManager.SaveSettings", "assistant.TakeWindowClosed Tabloom",
                     "assistant.Destruct", "styleManager.Kill"}));
    EXPECT_EQ(now(), atSaveSettings);
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

TEST_F(ProgramTest, AMessageFromAnotherThreadReachesTheStyleManagerAndReturnsTheButtonPressed) {
    recorded.install();
    startProgram();
    Long result = 0;
    const int thread = START([&] { result = MESSAGE("Doorgaan?", "Vraag", ICON_QUESTION, "&Ja|&Nee"); });
    drive::settle();
    EXPECT_EQ(drive::messageText(), "Doorgaan?");
    EXPECT_TRUE(drive::answerMessage("&Nee"));
    EXPECT_FALSE(Scheduler::instance().alive(thread));
    EXPECT_EQ(result, 2);
    // The six values as they came, then three zero flags.
    EXPECT_EQ(recorded.trace.only({"styleManager.Message"}),
              Calls{"styleManager.Message Doorgaan? ; Vraag ; ~Question ; &Ja|&Nee ; 0 ; 0 ; 000"});
}

TEST_F(ProgramTest, AnAlertKeyOnAnyWindowReachesTheAssistantWithThatWindowsHandleAndName) {
    recorded.install();
    Window& frame = startProgram();
    Glo::ConnectString = "DSN=x";
    for (Long key : {KEY::F2, KEY::F3, KEY::F4}) drive::pressKey(frame, key);
    const struct {
        const char* title;
        const char* procedure;
    } windows[] = {{kFrameTitle, "Main"},
                   {"Choose an ODB Cconnection", "ChooseODBCconnection"},
                   {"Browse an ODBC connection", "BrowseODBCconnection"},
                   {"Tabloom", "Tabloom"}};
    for (const auto& w : windows) {
        SCOPED_TRACE(w.procedure);
        Window* window = drive::waitForWindow(w.title);
        ASSERT_NE(window, nullptr);
        window->alert(0, KEY::F9);
        recorded.trace.calls.clear();
        drive::pressKey(*window, KEY::F9);
        EXPECT_EQ(recorded.trace.only({"assistant.TakeAlertKey"}),
                  Calls{withNumber(std::string("assistant.TakeAlertKey ") + w.procedure, window->handle())});
    }
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
