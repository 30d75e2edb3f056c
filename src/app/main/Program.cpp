#include "app/main/Program.h"

#include "app/frame/ProcedureServices.h"
#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/windows/Main.h"
#include "assistant/Mentavo.h"
#include "platform/message/Message.h"
#include "platform/odbc/FileProperties.h"
#include "platform/program/DesktopSettings.h"
#include "platform/program/Program.h"
#include "platform/ui/Equates.h"
#include "stylemanager/RestyleDataFiles.h"

#include <cstdlib>
#include <ctime>

using namespace platform;

namespace {

// Assistant hot keys: Shift+F10, Shift+F11, F12, Shift+F12.
constexpr Long kTrainModeKey = KEY::Shift + KEY::F10;
constexpr Long kActivateAlertKey = KEY::Shift + KEY::F11;
constexpr Long kPlayAgentAlertKey = KEY::F12;
constexpr Long kPlayControlKey = KEY::Shift + KEY::F12;
// Ctrl+Alt+S opens the restyle configuration from any window.
constexpr Long kConfigureKey = KEY::Ctrl + KEY::Alt + KEY::letter('S');
constexpr Byte kSplashSeconds = 10;
constexpr Long kStoreAndBroadcast = 3;

// The program-wide objects, reached as the window procedures reach them.
AssistantClass& assistant() { return *procedureServices().assistant; }
ZelStylemanagerClass& styleManager() { return *procedureServices().styleManager; }
ZelSplashClass& splash() { return *procedureServices().splash; }

void clearCatalogueRecords() {
    GTQ.clear();
    GCQ.clear();
    GIQ.clear();
    GPQ.clear();
    GFQ.clear();
}

void freeCatalogueQueues() {
    GFQ.free();
    GPQ.free();
    GIQ.free();
    GCQ.free();
    GTQ.free();
}

void clearRestyleRecords() {
    clearRecord(ZELPROPERTIESFILE.rec.fieldTable(), &ZELPROPERTIESFILE.rec);
    clearRecord(ZELCONDITIONSETFILE.rec.fieldTable(), &ZELCONDITIONSETFILE.rec);
    clearRecord(ZELCONDITIONFILE.rec.fieldTable(), &ZELCONDITIONFILE.rec);
    clearRecord(ZELRESTYLEFILE.rec.fieldTable(), &ZELRESTYLEFILE.rec);
}

void bindRestyleFiles() {
    bindRestyleDataFiles(styleManager(),
                         {ZELPROPERTIESFILE, ZELCONDITIONSETFILE, ZELCONDITIONFILE, ZELRESTYLEFILE});
}

void endConnection() {
    ODBCCatalogClass::Dispose(ODBCCatalog);
    ODBCFILE.close();
    ODBCFILE.setProperty(PROP_Disconnect, "1");
}

void startUp() {
    GlobalErrors.Init();
    INIMgr.Init(kProgramIniFile);
    assistant().LoadSettings();
    assistant().TRAINMODEKEY = kTrainModeKey;
    assistant().ACTIVATEALERTKEY = kActivateAlertKey;
    assistant().PLAYAGENTALERTKEY = kPlayAgentAlertKey;
    assistant().PLAYCONTROLKEY = kPlayControlKey;
    splash().Show(kSplashSeconds);
    Glo::UserName = "DEFAULT";
    styleManager().SetUserName(Glo::UserName);
    bindRestyleFiles();
    styleManager().Setup(kConfigureKey);
    styleManager().MESSAGEHOOK = messageHookValue();
    setMessageHookValue(registerMessageHook(MessageHook));
    Glo::SavedDragFullWindows = dragFullWindows();
    if (Glo::SavedDragFullWindows == 1) setDragFullWindows(0, kStoreAndBroadcast);
}

void shutDown() {
    assistant().Kill();
    endConnection();
    if (Glo::SavedDragFullWindows == 1) setDragFullWindows(1, kStoreAndBroadcast);
    INIMgr.Kill();
    GlobalErrors.Kill();
    styleManager().SaveSettings();
}

}  // namespace

void GlobalDataInit(Long finish) {
    if (finish != 0) {
        assistant().Destruct();
        styleManager().Kill();
        freeCatalogueQueues();
        // A connection window closed by the platform's shut-down connects again.
        endConnection();
        return;
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    clearCatalogueRecords();
    styleManager().Init();
    assistant().Clear();
    assistant().BUFFERINDEX = 1;
    assistant().BUFFERPOS = 1;
    assistant().Construct();
    resetGlobalVariables();
    clearRestyleRecords();
    GlobalRequest = 0;
    GlobalResponse = 0;
    VCRRequest = 0;
}

Long MessageHook(const std::string& text, const std::string& caption, const std::string& icon,
                 const std::string& buttons, Long defaultButton, Long style) {
    return styleManager().Message(text, caption, icon, buttons, defaultButton, style, 0, 0, 0);
}

void ProgramBody() {
    startUp();
    Main();
    shutDown();
}

ProgramModules programModules() { return {{GlobalDataInit, MentavoModuleInit}}; }

int ProgramEntry() { return runProgram(programModules(), ProgramBody); }
