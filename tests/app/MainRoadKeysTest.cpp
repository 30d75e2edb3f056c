// The program's windows as a keyboard user meets them: an Alt letter no
// control or menu takes types nothing, F10 reaches the frame's menu bar
// from any work window, Alt+Space a window's system menu.
#include "programsupport/ProgramFixture.h"
#include "support/SqliteFixture.h"

#include "app/main/Globals.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QMenu>
#include <functional>

using namespace platform;

namespace {

constexpr const char* kConnectionTitle = "Choose an ODB Cconnection";
constexpr const char* kQueryTitle = "Browse an ODBC connection";
constexpr const char* kCatalogueTitle = "Tabloom";

class MainRoadKeysTest : public ProgramFixture {
protected:
    const SqliteFixture shop{"CREATE TABLE Products (ProductName VARCHAR, City VARCHAR);"};
};

}  // namespace

TEST_F(MainRoadKeysTest, AnAltLetterNoControlOrMenuTakesTypesNothingInAnyWindow) {
    connect(shop.connectString());
    const std::string connectString = Glo::ConnectString.str();
    const struct {
        const char* title;
        std::function<Window&()> open;
        std::vector<const char*> controls;  // an entry, a text box
    } windows[] = {
        {kConnectionTitle, [this]() -> Window& { return openWindow(KEY::F2, kConnectionTitle); },
         {"?Username", "?Glo:ConnectString"}},
        {kQueryTitle, [this]() -> Window& { return openWindow(KEY::F3, kQueryTitle); },
         {"?Loc:LimitNumberOfRecords", "?Glo:Query"}},
        {kCatalogueTitle, [this]() -> Window& { return openWindow(KEY::F4, kCatalogueTitle); }, {"?Glo:TXDFilename"}},
        {"SQL Query wizard",
         [this]() -> Window& {
             drive::click(*drive::window(kQueryTitle), "?QueryBuilderButton");
             return *drive::waitForWindow("SQL Query wizard");
         },
         {"?QBEValue"}},
    };
    for (const auto& w : windows) {
        Window& window = w.open();
        for (const char* control : w.controls) {
            SCOPED_TRACE(std::string(w.title) + " " + control);
            const std::string before = drive::screenText(window, control);
            drive::type(window, control, "");
            for (const char letter : {'Q', 'Z', 'X'}) drive::pressKey(window, KEY::Alt | KEY::letter(letter));
            EXPECT_EQ(drive::screenText(window, control), before);
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        }
    }
    EXPECT_EQ(Glo::ConnectString.str(), connectString);
}

TEST_F(MainRoadKeysTest, F10ReachesTheFramesMenusFromAWorkWindowAndAltSpaceItsSystemMenu) {
    Window& frame = startProgram();
    drive::pressKey(frame, KEY::F10);
    drive::pressKey(frame, KEY::Down);
    drive::pressKey(frame, KEY::Enter);
    Window* connection = drive::waitForWindow(kConnectionTitle);
    ASSERT_NE(connection, nullptr) << "the first item of the first menu";
    drive::typeOver(*connection, "?Glo:ConnectString", shop.connectString());
    drive::click(*connection, "?CloseButton");

    // The catalogue window's tab takes Alt+W; the frame's Window menu is three to the right.
    Window& catalogue = openWindow(KEY::F4, kCatalogueTitle);
    for (const Long key : {KEY::F10, KEY::Right, KEY::Right, KEY::Right, KEY::Down})
        drive::pressKey(catalogue, key);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->menuAction(), frame.view()->action(frame.equate("?WINDOW")));
    EXPECT_EQ(menu->activeAction(), frame.view()->action(frame.equate("?TILE")));
    drive::pressKey(catalogue, KEY::Esc);
    drive::pressKey(catalogue, KEY::Esc);

    drive::pressKey(catalogue, KEY::Alt | KEY::Space);
    drive::choosePopup({"&Close"});
    EXPECT_EQ(drive::window(kCatalogueTitle), nullptr);
}

TEST_F(MainRoadKeysTest, CtrlTabStillGoesFromWorkWindowToWorkWindow) {
    connect(shop.connectString());
    Window& query = openWindow(KEY::F3, kQueryTitle);
    Window& catalogue = openWindow(KEY::F4, kCatalogueTitle);
    ASSERT_EQ(catalogue.numberProperty(0, PROP::Active), 1);
    drive::pressKey(catalogue, KEY::Ctrl | KEY::Tab);
    EXPECT_EQ(query.numberProperty(0, PROP::Active), 1);
}
