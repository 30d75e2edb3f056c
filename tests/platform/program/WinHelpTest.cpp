// The WinHelp stand-in keeps its calls and says that it cannot show a file.
#include "platform/message/Message.h"
#include "platform/program/WinHelp.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(WinHelp, KeepsTheCallsAndSaysTheFileCannotBeShownWhereItWouldOpen) {
    std::vector<std::string> messages;
    const Long before = messageHookValue();
    setMessageHookValue(registerMessageHook(
        [&](const std::string& text, const std::string&, const std::string&, const std::string&, Long, Long) {
            messages.push_back(text);
            return Long{1};
        }));
    clearWinHelpCalls();
    EXPECT_TRUE(WinHelpA(7, "gids.hlp", HELP_SETWINPOS, HELPWININFO{26, 512, 0, 512, 1024, 1, ""}));
    EXPECT_TRUE(messages.empty()) << "placing the window shows nothing";
    EXPECT_FALSE(WinHelpA(7, "gids.hlp", HELP_PARTIALKEY, std::string("Inloggen")));
    setMessageHookValue(before);

    ASSERT_EQ(winHelpCalls().size(), 2u);
    const WinHelpCall& place = winHelpCalls()[0];
    EXPECT_EQ(place.command, HELP_SETWINPOS);
    EXPECT_EQ(place.window, 7);
    EXPECT_EQ(place.file, "gids.hlp");
    EXPECT_EQ((std::vector<Long>{place.position.wStructSize, place.position.x, place.position.y, place.position.dx,
                                 place.position.dy, place.position.wMax}),
              (std::vector<Long>{26, 512, 0, 512, 1024, 1}));
    EXPECT_EQ(winHelpCalls()[1].command, HELP_PARTIALKEY);
    EXPECT_EQ(winHelpCalls()[1].keyword, "Inloggen");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("gids.hlp cannot be shown"), std::string::npos) << messages[0];
    clearWinHelpCalls();
    EXPECT_TRUE(winHelpCalls().empty());
}
