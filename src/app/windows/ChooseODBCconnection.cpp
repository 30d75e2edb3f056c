#include "app/windows/ChooseODBCconnection.h"

#include "app/connection/BuildConnectString.h"
#include "app/connection/ConnectionMemory.h"
#include "app/frame/WindowProcedure.h"
#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "platform/data/Record.h"
#include "platform/message/Message.h"
#include "platform/odbc/FileProperties.h"
#include "platform/program/Program.h"
#include "platform/ui/ControlLines.h"

using namespace platform;

namespace {

#define EXAMPLE_FIELDS(X) X(String<512>, CONNECTSTRING)
struct ExampleRecord {
    TABLOOM_RECORD(ExampleRecord, "", EXAMPLE_FIELDS)
};

// The first one is also the hint that stands in an unremembered connect string.
constexpr const char* kExamples[] = {
    "DSN=Enter the ODBC DSN name; UID=Enter the username or omit it; PWD=Enter the password or omit it",
    "DSN=Oracle9i;UID=System;PWD=Tallowy",
    "DSN=IZUK;UID=ZUK;PWD=ZUK",
    "DSN=MQIS",
    "DRIVER=Microsoft Access Driver (*.mdb)",
    "DRIVER=Microsoft Access Driver (*.mdb);DBQ=Enter the path and filename of the ODB file",
    "DRIVER=Microsoft Access Driver (*.mdb);DBQ=Northwind.mdb",
    "DRIVER=Microsoft Excel Driver (*.xls)",
};

constexpr Long kListLineHeight = 14;

// The procedure's locals; a base of the procedure, so they exist before its
// window binds them.
struct ConnectionLocals {
    CString<81> DSNString;
    CString<81> Username;
    CString<81> Password;
    Queue<ExampleRecord> Examples;
};

WindowSpec connectionWindow(ConnectionLocals& locals) {
    return {.label = "P1$WINDOW",
            .title = "Choose an ODB Cconnection",
            .icon = "zel.ico",
            .at = {0, 0, 300, 186},
            .mdi = true,
            .controls = {
                text(CREATE::prompt, "?DSNString:Prompt", "DNS (Data source name):", 8, 8),
                {.type = CREATE::combo, .label = "?DSNString", .text = "@s80", .at = {100, 6, 192, 12},
                 .use = bind(locals.DSNString)},
                text(CREATE::prompt, "?Username:Prompt", "Username:", 8, 24),
                entry("?Username", "@s80", bind(locals.Username), {100, 22, 192, 12}),
                text(CREATE::prompt, "?Password:Prompt", "Password:", 8, 40),
                entry("?Password", "@s80", bind(locals.Password), {100, 38, 192, 12}),
                text(CREATE::prompt, "?Glo:ConnectString:Prompt", "Connectstring:", 8, 56),
                {.type = CREATE::text, .label = "?Glo:ConnectString", .at = {100, 54, 192, 40},
                 .use = bind(Glo::ConnectString), .vscroll = true},
                text(CREATE::string, "?ConnectStringExamples", "Other examples of connectstrings:", 8, 100),
                {.type = CREATE::list, .label = "?List", .at = {8, 112, 284, 50}, .from = &locals.Examples,
                 .format = "1020L(2)@s255@", .fontName = "Arial", .vscroll = true},
                button("?CloseButton", "&Close", {242, 168, 50, 14}, STD::Close),
            }};
}

class ChooseODBCconnectionWindow : private ConnectionLocals, public WindowProcedure {
public:
    ChooseODBCconnectionWindow() : WindowProcedure("ChooseODBCconnection", connectionWindow(*this), "?DSNString:Prompt") {}

    Byte TakeAccepted() override {
        const Byte result = WindowProcedure::TakeAccepted();
        if (isEntry(window().field())) BuildConnectString();
        return result;
    }

    Byte TakeNewSelection() override {
        const Byte result = WindowProcedure::TakeNewSelection();
        if (isEntry(window().field())) BuildConnectString();
        else if (window().field() == ExampleList) TakeChosenExample();
        return result;
    }

protected:
    void setUp() override { LoadConnectionSettings(); }
    void end() override { Connect(); }

private:
    const Long DSNStringEntry = equate("?DSNString");
    const Long UsernameEntry = equate("?Username");
    const Long PasswordEntry = equate("?Password");
    const Long ExampleList = equate("?List");

    bool isEntry(Long control) const {
        return control == DSNStringEntry || control == UsernameEntry || control == PasswordEntry;
    }

    std::string screenText(Long control) { return window().property(control, PROP::ScreenText); }

    // From what the entries show, before they are accepted.
    void BuildConnectString() {
        Glo::ConnectString = buildConnectString(screenText(DSNStringEntry), screenText(UsernameEntry), screenText(PasswordEntry));
        window().display();
    }

    void TakeChosenExample() {
        const Long choice = window().numberProperty(ExampleList, PROP::Selected);
        if (choice <= 0 || !Examples.get(static_cast<std::size_t>(choice))) return;
        Glo::ConnectString = clip(Examples.rec.CONNECTSTRING.view());
        window().display();
    }

    void LoadConnectionSettings() {
        for (const char* example : kExamples) {
            Examples.rec.CONNECTSTRING = example;
            Examples.add();
        }
        window().setProperty(ExampleList, PROP::LineHeight, kListLineHeight);
        const ConnectionMemory memory = ConnectionMemory::load();
        DSNString = clip(memory.dsn);
        Username = clip(memory.username);
        Password = clip(memory.password);
        Glo::ConnectString = memory.connectString;
        if (clip(Glo::ConnectString.view()).empty()) Glo::ConnectString = kExamples[0];
        window().display();
    }

    // Switches to the new string and connects with it.
    void Connect() {
        // Text still being typed counts as it stands on the screen.
        window().update();
        Glo::ConnectString = withoutLineBreaks(Glo::ConnectString.view());
        ODBCCatalogClass::Dispose(ODBCCatalog);
        ODBCFILE.close();
        ODBCFILE.setProperty(PROP_Disconnect, "1");
        ODBCFILE.setProperty(PROP_Owner, Glo::ConnectString.view());
        ODBCCatalog = new ODBCCatalogClass;
        ODBCCatalog->Construct();
        ODBCCatalog->Init(ODBCFILE);
        ConnectionMemory{DSNString.str(), Username.str(), Password.str(), Glo::ConnectString.str()}.store();
        // Said now, not at the first read: the memory is stored as typed all
        // the same. A program that ends needs no connection.
        if (!programClosing() && !ODBCCatalog->Connect())
            MESSAGE(ODBCCatalog->ConnectFailure(), "ODBC connection", ICON_EXCLAMATION);
    }
};

}  // namespace

void ChooseODBCconnection() { ChooseODBCconnectionWindow().call(); }
