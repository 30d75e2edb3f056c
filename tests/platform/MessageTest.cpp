#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Locale.h"
#include "platform/message/Message.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Runs MESSAGE on a thread, answers the box with `button`; the result.
Long answered(const std::string& buttons, const char* button, Long defaultButton = 0) {
    Long result = -1;
    START([&] { result = MESSAGE("First line|Second line", "Caption", ICON_QUESTION, buttons, defaultButton); });
    drive::settle();
    EXPECT_EQ(drive::messageText(), "First line|Second line");
    if (button) {
        EXPECT_TRUE(drive::answerMessage(button)) << button;
    }
    drive::settle();
    return result;
}

}  // namespace

TEST(Message, TheLayersBoxReturnsTheButtonPressed) {
    const struct {
        std::string buttons;
        const char* press;
        Long result;
    } cases[] = {
        {std::to_string(BUTTON_OK), "&OK", BUTTON_OK},
        {std::to_string(BUTTON_YES | BUTTON_NO), "&No", BUTTON_NO},
        {std::to_string(BUTTON_YES | BUTTON_NO | BUTTON_CANCEL), "&Cancel", BUTTON_CANCEL},
        {"&Ja|&Nee", "&Nee", 2},
        {"&Ja|&Nee", "&Ja", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(answered(c.buttons, c.press), c.result) << c.buttons << " " << c.press;
}

TEST(Message, ClosingTheBoxGivesCancelWhenOfferedElseTheDefault) {
    Long result = -1;
    START([&] { result = MESSAGE("text", "", "", std::to_string(BUTTON_YES | BUTTON_NO | BUTTON_CANCEL)); });
    drive::settle();
    drive::closeByCloseBox(*drive::window(""));
    EXPECT_EQ(result, BUTTON_CANCEL);

    START([&] { result = MESSAGE("text", "", "", "&Ja|&Nee", 2); });
    drive::settle();
    drive::closeBySystemMenu(*drive::window(""));
    EXPECT_EQ(result, 2);
}

TEST(Message, AnInstalledHookTakesEveryMessage) {
    std::vector<std::string> seen;
    const Long before = messageHookValue();
    setMessageHookValue(registerMessageHook(
        [&](const std::string& text, const std::string& caption, const std::string&, const std::string& buttons, Long,
            Long) {
            seen.push_back(text + "/" + caption + "/" + buttons);
            return 7;
        }));
    Long result = 0;
    START([&] { result = MESSAGE("hello", "cap", "", "&A|&B"); });
    drive::settle();
    setMessageHookValue(before);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(seen, std::vector<std::string>{"hello/cap/&A|&B"});
    EXPECT_EQ(drive::messageText(), "");  // no box was shown
}

TEST(Message, LocaleCaptionsTheStandardButtonsAndClosingStillGivesCancel) {
    LOCALE("CLABUTTON", "OK,&Ja,&Nee,&Afbreken,&Opnieuw,&Negeren,&Annuleren");
    const struct {
        Long buttons;
        const char* press;
        Long result;
    } cases[] = {
        {BUTTON_OK, "OK", BUTTON_OK},
        {BUTTON_YES | BUTTON_NO, "&Nee", BUTTON_NO},
        {BUTTON_HELP, "&Help", BUTTON_HELP},  // past the captions given
    };
    for (const auto& c : cases) EXPECT_EQ(answered(std::to_string(c.buttons), c.press), c.result) << c.press;

    Long result = -1;
    START([&] { result = MESSAGE("text", "", "", std::to_string(BUTTON_YES | BUTTON_CANCEL), BUTTON_YES); });
    drive::settle();
    drive::closeByCloseBox(*drive::window(""));
    EXPECT_EQ(result, BUTTON_CANCEL);
    resetLocale();
    EXPECT_EQ(answered(std::to_string(BUTTON_OK), "&OK"), BUTTON_OK);
}
