// The program's messages in the style manager's box.
#include "programsupport/ProgramFixture.h"

#include "app/main/Globals.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

class ProgramMessageBoxTest : public ProgramFixture {};

}  // namespace

TEST_F(ProgramMessageBoxTest, F4WithoutAConnectionAsksInTheStyledBoxThenOpensTheConnectionWindow) {
    Window& frame = startProgram();
    Glo::ConnectString = "";
    drive::pressKey(frame, KEY::F4);
    const auto& windows = Window::openWindows();
    ASSERT_FALSE(windows.empty());
    Window& box = *windows.back();
    EXPECT_EQ(box.spec().label, "P44$MSGWIN");
    EXPECT_EQ(drive::messageText(), "Please select a ODBC connection first!");
    std::vector<std::string> captions;
    for (Long n : box.controlNumbers())
        if (n > 0 && box.control(n)->type == CREATE::button) captions.push_back(box.property(n, PROP::Text));
    EXPECT_EQ(captions, std::vector<std::string>{"OK"});
    ASSERT_TRUE(drive::answerMessage("OK"));
    EXPECT_NE(drive::waitForWindow("Choose an ODB Cconnection"), nullptr);
    drive::chooseMenu(frame, "?EXIT");
    EXPECT_EQ(waitForExit(), 0);
}
