#include "app/windows/Main.h"

#include "app/frame/WindowProcedure.h"
#include "app/main/Globals.h"
#include "app/windows/BrowseODBCconnection.h"
#include "app/windows/ChooseODBCconnection.h"
#include "app/windows/Tabloom.h"
#include "assistant/AssistantClass.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "restyle/ZelRestyleClass.h"

using namespace platform;

namespace {

constexpr std::size_t kWorkWindowStack = 25000;
constexpr Byte kMenuSetting = 1;
constexpr Byte kItemSetting = 3;

ControlSpec menu(std::string text, std::string label, std::vector<ControlSpec> items, std::string icon = {},
                 std::string msg = {}, Long action = STD::None) {
    return {.type = CREATE::menu, .label = std::move(label), .text = std::move(text), .std = action,
            .msg = std::move(msg), .icon = std::move(icon), .children = std::move(items)};
}

ControlSpec item(std::string text, std::string label, Long action = STD::None, std::string msg = {}, Long key = 0) {
    return {.type = CREATE::item, .label = std::move(label), .text = std::move(text), .key = key, .std = action,
            .msg = std::move(msg)};
}

ControlSpec separator() { return {.type = CREATE::item, .separator = true}; }

WindowSpec appFrame() {
    return {.type = CREATE::application,
            .label = "P1$APPFRAME",
            .title = "Tabloom version 1.05",
            .icon = "zel.ico",
            .at = {0, 0, 520, 320},
            .resizable = true,
            .maximizeBox = true,
            .statusBar = true,
            .menubar = {
                menu("Tabloom", "?TABLOOM",
                     {item("Choose ODBC connection  F2", "?TABLOOMCHOOSEODBCCONNECTION", STD::None, {}, KEY::F2),
                      item("Browse ODBC connection  F3", "?TABLOOMBROWSEODBCCONNECTION", STD::None, {}, KEY::F3),
                      item("Build dictionary  F4", "?TABLOOMBUILDDICTIONARY", STD::None, {}, KEY::F4)},
                     "ZelTabloom.ico"),
                menu("&Application options", "?APPLICATIONOPTIONS",
                     {item("Restyle application", "?APPLICATIONSETTINGSRESTYLEAPPLICATION"), separator(),
                      item("&Exit program", "?EXIT", STD::Close, "Applicatie afsluiten")},
                     "ZelTemplate.ico"),
                menu("&Edit", "?EDITMENU",
                     {item("Cu&t", "?CUT", STD::Cut, "Verplaats selectie naar klembord"),
                      item("&Copy", "?COPY", STD::Copy, "Kopi\xEB" "er selectie naar klembord"),
                      item("&Paste", "?PASTE", STD::Paste, "Inhoud van klembord plakken")}),
                menu("&Window", "?WINDOW",
                     {item("&Tile", "?TILE", STD::TileWindow, "Alle vensters naast elkaar"),
                      item("&Cascade", "?CASCADE", STD::CascadeWindow, "Alle vensters trapsgewijs zichtbaar"),
                      item("&Arrange minimized windows", "?ARRANGE", STD::ArrangeIcons, "Alle icons rangschikken")},
                     {}, "Cre\xEB" "er en rangschik vensters", STD::WindowList),
                menu("&Help", "?HELP",
                     {item("&Index", "?HELPINDEX", STD::HelpIndex, "Bekijk de inhoud van het Help bestand"),
                      item("&Search help...", "?HELPSEARCH", STD::HelpSearch, "Zoek help over een onderwerp"),
                      item("&How to use help", "?HELPONHELP", STD::HelpOnHelp, "Hoe Windows Help te gebruiken")},
                     "ZelHelp.ico", "Windows Help"),
            }};
}

class MainFrame : public WindowProcedure {
public:
    MainFrame() : WindowProcedure("Main", appFrame(), "") {}

    Byte TakeAccepted() override {
        DispatchConnectionMenu();
        DispatchOptionsMenu();
        return WindowProcedure::TakeAccepted();
    }

    Byte TakeWindowEvent() override {
        if (window().event() == EVENT::OpenWindow) {
            window().setProperty(0, PROP::Imm, 1);
            assistant().TakeApplicationWindow(handle());
        }
        return WindowProcedure::TakeWindowEvent();
    }

protected:
    void registerControls() override {
        restyle().EXPANDMENUTREEAUTOMATICALLY = 1;
        for (Long n : window().controlNumbers()) {
            if (n >= 0) continue;
            const Control* c = window().control(n);
            restyle().AddMenuSetting(n, c->type == CREATE::menu ? kMenuSetting : kItemSetting);
        }
    }

private:
    const Long ChooseConnection = equate("?TABLOOMCHOOSEODBCCONNECTION");
    const Long BrowseConnection = equate("?TABLOOMBROWSEODBCCONNECTION");
    const Long BuildDictionary = equate("?TABLOOMBUILDDICTIONARY");
    const Long RestyleApplication = equate("?APPLICATIONSETTINGSRESTYLEAPPLICATION");

    void DispatchConnectionMenu() {
        const Long field = window().field();
        if (field == ChooseConnection) {
            START(ChooseODBCconnection, kWorkWindowStack);
        } else if (field == BrowseConnection) {
            if (connectionChosen()) START(BrowseODBCconnection, kWorkWindowStack);
        } else if (field == BuildDictionary) {
            if (connectionChosen()) START(Tabloom, kWorkWindowStack);
        }
    }

    // Without a connect string the user is sent to the connection window.
    bool connectionChosen() {
        if (!clip(Glo::ConnectString.view()).empty()) return true;
        MESSAGE("Please select a ODBC connection first!", "", ICON_EXCLAMATION);
        POST(EVENT::Accepted, ChooseConnection);
        return false;
    }

    void DispatchOptionsMenu() {
        if (window().field() == RestyleApplication) styleManager().Configure(restyle());
    }
};

}  // namespace

void Main() { MainFrame().call(); }
