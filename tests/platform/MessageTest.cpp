#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Locale.h"
#include "platform/message/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(Message, EnterPressesTheFocusedButton) {
    const std::string yesNo = std::to_string(BUTTON_YES | BUTTON_NO);
    const struct {
        std::string buttons;
        Long defaultButton;
        std::vector<Long> keys;
        Long result;
    } cases[] = {
        {yesNo, 0, {KEY::Enter}, BUTTON_YES},  // the first button has the focus
        {yesNo, BUTTON_NO, {KEY::Enter}, BUTTON_NO},
        {yesNo, 0, {KEY::Tab, KEY::Enter}, BUTTON_NO},
        {"&Ja|&Nee", 2, {KEY::Enter}, 2},
        {yesNo, BUTTON_YES, {KEY::letter('N')}, BUTTON_NO},     // a mnemonic on a button
    };
    for (const auto& c : cases) {
        Long result = -1;
        START([&] { result = MESSAGE("text", "Keys", "", c.buttons, c.defaultButton); });
        drive::settle();
        for (Long key : c.keys) drive::pressKey(*drive::window("Keys"), key);
        EXPECT_EQ(result, c.result) << c.buttons << " " << c.defaultButton << " " << c.keys.back();
        EXPECT_EQ(drive::window("Keys"), nullptr);
    }
}

// A stray Escape never answers a question: it cancels, or closes a box that
// only says something.
TEST(Message, EscapePressesCancelOrALoneOkAndNothingElse) {
    const struct {
        std::string buttons;
        Long result;  // 0: the box stays up
    } cases[] = {
        {std::to_string(BUTTON_YES | BUTTON_NO | BUTTON_CANCEL), BUTTON_CANCEL},
        {std::to_string(BUTTON_OK | BUTTON_CANCEL), BUTTON_CANCEL},
        {std::to_string(BUTTON_OK), BUTTON_OK},
        {"&Retry|Cancel", 2},
        {"&OK", 1},
        {std::to_string(BUTTON_YES | BUTTON_NO), 0},
        {std::to_string(BUTTON_ABORT | BUTTON_RETRY | BUTTON_IGNORE), 0},
        {"&Ja|&Nee", 0},
        {"&Sluiten", 0},
    };
    for (const auto& c : cases) {
        Long result = -1;
        START([&] { result = MESSAGE("text", "Escape", "", c.buttons); });
        drive::settle();
        drive::pressKey(*drive::window("Escape"), KEY::Esc);
        if (c.result != 0) {
            EXPECT_EQ(result, c.result) << c.buttons;
            EXPECT_EQ(drive::window("Escape"), nullptr) << c.buttons;
            continue;
        }
        EXPECT_EQ(result, -1) << c.buttons;
        ASSERT_NE(drive::window("Escape"), nullptr) << c.buttons << ": still asking";
        drive::pressKey(*drive::window("Escape"), KEY::Enter);
        EXPECT_NE(result, -1) << c.buttons << ": answered by a button";
    }
}

TEST(Message, TheFocusedButtonShowsItsFocusAsTheBoxOpens) {
    START([] { MESSAGE("text", "Focus", "", "Same|Same"); });
    drive::settle();
    Window* box = drive::window("Focus");
    ASSERT_NE(box, nullptr);
    auto picture = [box](const char* label) { return box->view()->widget(box->equate(label))->grab().toImage(); };
    EXPECT_NE(picture("?Button1"), picture("?Button2"));
    drive::answerMessage("Same");
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
