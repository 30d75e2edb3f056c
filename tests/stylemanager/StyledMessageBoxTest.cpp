// The style manager's message box: built, laid out and styled at run time,
// answered through the driver as a user answers it.
#include "../restyle/RestyleFixture.h"

#include "platform/message/Message.h"
#include "platform/ui/WindowView.h"
#include "restyle/RestyleRows.h"
#include "stylemanager/StyledMessageBox.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <fstream>

using namespace platform;

namespace {

const std::string kBoxProcedure{restyle::kMessageProcedure};

// What a call of Message gave, once its box was answered.
struct Answer {
    Long value = -1;
    bool given = false;
};

class StyledMessageBoxTest : public RestyleFixture {
protected:
    void TearDown() override {
        setMessageHookValue(0);
        RestyleFixture::TearDown();
    }

    // Message on a thread of its own, as a procedure calls MESSAGE; the
    // styled box it opened, nullptr when it opened none.
    Window* show(Answer& answer, std::string text, std::string buttons, Long defaultButton = 0,
                 std::string icon = {}, std::string caption = {}) {
        START([=, this, &answer] {
            answer.value = manager.Message(text, caption, icon, buttons, defaultButton, 0, 0, 0, 0);
            answer.given = true;
        });
        drive::settle();
        return styledBox();
    }
    static Window* styledBox() {
        for (Window* w : Window::openWindows())
            if (w->spec().label == "P44$MSGWIN") return w;
        return nullptr;
    }
    static std::vector<Long> controlsOf(Window& box, Long type) {
        std::vector<Long> found;
        for (Long n : box.controlNumbers())
            if (n > 0 && box.control(n)->type == type) found.push_back(n);
        return found;
    }
    static std::vector<std::string> captionsOf(Window& box) {
        std::vector<std::string> captions;
        for (Long n : controlsOf(box, CREATE::button)) captions.push_back(box.property(n, PROP::Text));
        return captions;
    }
    static std::string focusedCaption(const Window& box) {
        return box.focus() ? box.property(box.focus(), PROP::Text) : std::string();
    }
    static Long number(const Window& box, Long control, Long prop) { return box.numberProperty(control, prop); }
};

}  // namespace

TEST_F(StyledMessageBoxTest, TheButtonsAreAMaskOfStandardButtonsOrALabelledListAndAnswerWithTheirValues) {
    const std::vector<std::string> all{"OK", "&Yes", "&No", "&Abort", "&Retry", "&Ignore", "&Cancel", "&Help"};
    const struct {
        const char* buttons;
        Long defaultButton;
        std::vector<std::string> captions;
        const char* focused;
        std::vector<std::pair<const char*, Long>> answers;  // each pressed in a box of its own
    } cases[] = {
        {"6", 0, {"&Yes", "&No"}, "&Yes", {{"&Yes", 2}, {"&No", 4}}},
        {"6", 2, {"&Yes", "&No"}, "&No", {{"&No", 4}}},
        {"6", 3, {"&Yes", "&No"}, "&Yes", {{"&Yes", 2}}},  // past the last button: the first
        {"&Ja|&Nee", 1, {"&Ja", "&Nee"}, "&Ja", {{"&Ja", 1}, {"&Nee", 2}}},
        {"", 0, {"OK"}, "OK", {{"OK", 1}}},
        {"255", 0, all, "OK", {{"OK", 1}, {"&Cancel", 64}, {"&Help", 128}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("buttons \"") + c.buttons + "\", default " + std::to_string(c.defaultButton));
        for (const auto& [caption, value] : c.answers) {
            Answer answer;
            Window* box = show(answer, "Sure?", c.buttons, c.defaultButton);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(captionsOf(*box), c.captions);
            EXPECT_EQ(focusedCaption(*box), c.focused);
            EXPECT_EQ(drive::messageText(), "Sure?");
            ASSERT_TRUE(drive::answerMessage(caption));
            EXPECT_TRUE(answer.given);
            EXPECT_EQ(answer.value, value) << caption;
            EXPECT_EQ(styledBox(), nullptr);
        }
    }
}

TEST_F(StyledMessageBoxTest, ABoxWithoutButtonsIsClosedByItsCloseBoxWithZero) {
    for (const char* buttons : {"0", "1024"}) {
        Answer answer;
        Window* box = show(answer, "Nothing to press", buttons);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(captionsOf(*box).empty());
        drive::closeByCloseBox(*box);
        EXPECT_TRUE(answer.given) << buttons;
        EXPECT_EQ(answer.value, 0) << buttons;
    }
}

TEST_F(StyledMessageBoxTest, TheStandardCaptionsAreTranslatedAndAListIsNot) {
    std::ofstream("ZelRestyle.trn", std::ios::binary) << "           PSTRING('&Yes')\r\n"
                                                         "           PSTRING('&Jawel')\r\n";
    manager.LoadTranslations();
    for (const auto& [buttons, captions] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"6", {"&Jawel", "&No"}}, {"&Yes|&No", {"&Yes", "&No"}}}) {
        Answer answer;
        Window* box = show(answer, "Sure?", buttons);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(captionsOf(*box), captions) << buttons;
        drive::answerMessage(captions.front());
        EXPECT_EQ(answer.value, buttons == "6" ? 2 : 1) << buttons;
    }
}

TEST_F(StyledMessageBoxTest, TheTextBreaksIntoLinesAtABarOrALineFeed) {
    const struct {
        const char* text;
        const char* lines;  // as the driver reads them
        std::size_t count;
    } cases[] = {{"First|Second", "First|Second", 2}, {"First\nSecond", "First|Second", 2},
                 {"First\r\nSecond", "First|Second", 2}, {"First\r|Second|", "First|Second|", 3},
                 {"", "", 1}, {"One\rline", "One\rline", 1}};
    for (const auto& c : cases) {
        Answer answer;
        Window* box = show(answer, c.text, "1");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(drive::messageText(), c.lines) << c.text;
        EXPECT_EQ(controlsOf(*box, CREATE::string).size(), c.count) << c.text;
        drive::answerMessage("OK");
    }
}

TEST_F(StyledMessageBoxTest, TheBoxIsLaidOutByItsWidestLineAndButtonAndCentred) {
    const struct {
        const char* name;
        std::string text;
        const char* buttons;
        std::string icon;
    } cases[] = {{"one line", "Saved.", "1", ""},
                 {"an icon higher than the line", "Saved.", "1", ICON_ASTERISK},
                 {"an icon lower than the lines", "One|Two|Three|Four", "1", ICON_ASTERISK},
                 {"wide buttons", "Hi", "255", ""},
                 {"a long text", std::string(120, 'w'), "6", ICON_QUESTION}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Answer answer;
        Window* box = show(answer, c.text, c.buttons, 0, c.icon);
        ASSERT_NE(box, nullptr);
        const std::vector<Long> lines = controlsOf(*box, CREATE::string), buttons = controlsOf(*box, CREATE::button);
        // Each measure in whole units that hold its pixels.
        const auto unitsUp = [&](Long n, bool across) {
            const QWidget* shown = box->view()->widget(n);
            const int pixels = across ? shown->width() : shown->height();
            const DialogUnits& du = box->units();
            const int whole = across ? du.toUnitsX(pixels) : du.toUnitsY(pixels);
            return Long{(across ? du.toPixelsX(whole) : du.toPixelsY(whole)) < pixels ? whole + 1 : whole};
        };
        Long TW = 0, TH = 0, BH = 0;
        for (Long n : lines) {
            if (unitsUp(n, true) <= TW) continue;
            TW = unitsUp(n, true);
            TH = unitsUp(n, false);
        }
        for (Long n : buttons) BH = std::max(BH, unitsUp(n, false));
        const Long BW = number(*box, buttons.front(), PROP::Width);
        const Long I = c.icon.empty() ? 0 : 32, NL = static_cast<Long>(lines.size());
        const Long NB = static_cast<Long>(buttons.size());
        const bool iconHigher = I + 16 > NL * TH + 24;
        const Long H = iconHigher ? I + 16 + BH + 8 : NL * TH + 24 + BH + 8;
        const Long T = iconHigher ? (24 - NL * TH) / 2 : 0;
        const Long R = NB * (BW + 8) + 8;
        const Long W = std::max(I + TW + 16, R);
        const Long L = I + TW + 16 > R ? (W - R) / 2 : 0;
        EXPECT_GE(BW, 45);
        EXPECT_EQ(number(*box, 0, PROP::Width), W);
        EXPECT_EQ(number(*box, 0, PROP::Height), H);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(number(*box, lines[i], PROP::Xpos), I + 8);
            EXPECT_EQ(number(*box, lines[i], PROP::Ypos), T + 8 + static_cast<Long>(i) * TH);
            EXPECT_EQ(box->property(lines[i], PROP::Trn), "1");
        }
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(number(*box, buttons[i], PROP::Xpos), L + 8 + static_cast<Long>(i) * (BW + 8));
            EXPECT_EQ(number(*box, buttons[i], PROP::Ypos), H - BH - 16);
            EXPECT_EQ(number(*box, buttons[i], PROP::Width), BW);
        }
        const std::vector<Long> images = controlsOf(*box, CREATE::image);
        ASSERT_EQ(images.size(), c.icon.empty() ? 0u : 1u);
        if (!c.icon.empty()) {
            EXPECT_EQ(box->property(images.front(), PROP::Text), c.icon);
            EXPECT_EQ((std::vector<Long>{number(*box, images.front(), PROP::Xpos),
                                         number(*box, images.front(), PROP::Ypos),
                                         number(*box, images.front(), PROP::Width),
                                         number(*box, images.front(), PROP::Height)}),
                      (std::vector<Long>{8, 8, 24, 24}));
        }
        for (Long n : box->controlNumbers())
            if (n > 0) {
                EXPECT_EQ(box->property(n, PROP::Hide), "0") << n;
            }
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect shown = box->view()->geometry();
        EXPECT_LE(std::abs(shown.center().x() - screen.center().x()), 1);
        EXPECT_LE(std::abs(shown.center().y() - screen.center().y()), 1);
        EXPECT_EQ(box->property(0, PROP::Text), "") << "no caption, no title";
        drive::answerMessage(captionsOf(*box).front());
    }
}

TEST_F(StyledMessageBoxTest, TheCaptionIsTheTitleAndEveryControlIsRegisteredByItsText) {
    Answer answer;
    Window* box = show(answer, "Delete it?", "6", 0, ICON_QUESTION, "Zelora");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->property(0, PROP::Text), "Zelora");
    EXPECT_EQ(box->spec().title, "Message");
    ASSERT_EQ(manager.RESTYLECLASSLIST.size(), 1u) << "the box's object is listed while it is up";
    ZelRestyleClass& restyle = *manager.RESTYLECLASSLIST.front();
    EXPECT_EQ(clip(restyle.PROCEDURENAME.view()), kBoxProcedure);
    std::map<Long, std::pair<std::string, std::string>> registered;
    for (std::size_t i = 1; i <= restyle.CONTROLPROPERTIESQUEUE.records(); ++i) {
        const ControlListRecord& row = restyle.CONTROLPROPERTIESQUEUE.at(i);
        registered[row.CONTROLEQUATE] = {clip(row.CONTROLEQUATESTRING.view()), clip(row.CONTROLDESCRIPTION.view())};
    }
    const Long image = controlsOf(*box, CREATE::image).front();
    const std::vector<Long> buttons = controlsOf(*box, CREATE::button);
    const Long line = controlsOf(*box, CREATE::string).front();
    EXPECT_EQ(registered, (std::map<Long, std::pair<std::string, std::string>>{
                              {0, {"~ZELRESTYLEMESSAGE~", "~ZelRestyleMessage~"}},
                              {line, {"DELETE IT?", "Delete it?"}},
                              {buttons[0], {"&YES", "&Yes"}},
                              {buttons[1], {"&NO", "&No"}},
                              {image, {upper(ICON_QUESTION), ICON_QUESTION}}}));
    EXPECT_EQ(restyle.AUTOMAXIMIZE, 0);
    drive::answerMessage("&No");
    EXPECT_EQ(answer.value, 4);
    EXPECT_TRUE(manager.RESTYLECLASSLIST.empty());
}

TEST_F(StyledMessageBoxTest, ArrowKeysCycleThroughTheButtonsAndEnterAnswersWithTheFocusedOne) {
    Answer answer;
    Window* box = show(answer, "Which?", "&A|&B|&C");
    ASSERT_NE(box, nullptr);
    const struct {
        Long key;
        const char* focused;
    } steps[] = {{KEY::Right, "&B"}, {KEY::Down, "&C"}, {KEY::Right, "&A"},
                 {KEY::Left, "&C"},  {KEY::Up, "&B"},   {KEY::Up, "&A"}, {KEY::Down, "&B"}};
    for (const auto& step : steps) {
        drive::pressKey(*box, step.key);
        EXPECT_EQ(focusedCaption(*box), step.focused) << step.key;
    }
    drive::pressKey(*box, KEY::Enter);
    EXPECT_TRUE(answer.given);
    EXPECT_EQ(answer.value, 2);
}

TEST_F(StyledMessageBoxTest, EscapePressesCancelOrALoneOkAndLeavesAQuestionUp) {
    const struct {
        const char* buttons;
        Long value;  // -1: the box stays up
    } cases[] = {{"70", 64}, {"65", 64}, {"", 1}, {"1", 1}, {"6", -1}, {"&Ja|&Nee", -1}, {"0", -1}};
    for (const auto& c : cases) {
        Answer answer;
        Window* box = show(answer, "Sure?", c.buttons);
        ASSERT_NE(box, nullptr);
        drive::pressKey(*box, KEY::Esc);
        EXPECT_EQ(answer.value, c.value) << c.buttons;
        EXPECT_EQ(styledBox() != nullptr, c.value == -1) << c.buttons;
        if (Window* asking = styledBox()) drive::closeByCloseBox(*asking);
    }
}

TEST_F(StyledMessageBoxTest, AMessageWhileTheBoxIsUpShowsTheLayersBoxAndTheProgramsHookComesBack) {
    const Long programsHook = registerMessageHook([this](const std::string& text, const std::string& caption,
                                                         const std::string& icon, const std::string& buttons,
                                                         Long defaultButton, Long style) {
        return manager.Message(text, caption, icon, buttons, defaultButton, style, 0, 0, 0);
    });
    setMessageHookValue(programsHook);
    Answer first, second;
    START([&first] { first.value = MESSAGE("First", "", "", "6"), first.given = true; });
    START([&second] { second.value = MESSAGE("Second", "", "", "6"), second.given = true; });
    drive::settle();
    ASSERT_NE(styledBox(), nullptr);
    ASSERT_EQ(Window::openWindows().size(), 2u);
    EXPECT_EQ(Window::openWindows().back()->spec().label, "MessageBox") << "the layer's own box";
    EXPECT_EQ(drive::messageText(), "Second");
    EXPECT_EQ(messageHookValue(), manager.MESSAGEHOOK) << "swapped while the styled box is up";
    ASSERT_TRUE(drive::answerMessage("&No"));
    EXPECT_EQ(second.value, 4);
    EXPECT_EQ(drive::messageText(), "First");
    ASSERT_TRUE(drive::answerMessage("&Yes"));
    EXPECT_EQ(first.value, 2);
    EXPECT_EQ(messageHookValue(), programsHook);
}

TEST_F(StyledMessageBoxTest, WithTheSwitchSetTheEarlierHookOrTheLayersBoxGetsTheSixValues) {
    std::vector<std::string> received;
    manager.MESSAGEHOOK = registerMessageHook([&received](const std::string& text, const std::string& caption,
                                                          const std::string& icon, const std::string& buttons,
                                                          Long defaultButton, Long style) {
        received = {text, caption, icon, buttons, std::to_string(defaultButton), std::to_string(style)};
        return Long{16};
    });
    manager.USECLARIONMESSAGEBOX = 1;
    const Long programsHook = registerMessageHook([](auto&&...) { return Long{0}; });
    setMessageHookValue(programsHook);
    Answer answer;
    EXPECT_EQ(show(answer, "Text", "24", 2, ICON_HAND, "Caption"), nullptr);
    EXPECT_EQ(answer.value, 16);
    EXPECT_EQ(received, (std::vector<std::string>{"Text", "Caption", ICON_HAND, "24", "2", "0"}));
    EXPECT_EQ(messageHookValue(), programsHook);

    manager.MESSAGEHOOK = 0;
    EXPECT_EQ(show(answer, "Layer's own", "6", 2), nullptr);
    EXPECT_EQ(drive::messageText(), "Layer's own");
    ASSERT_TRUE(drive::answerMessage("&Yes"));
    EXPECT_EQ(answer.value, 2);
    EXPECT_EQ(messageHookValue(), programsHook);
}

TEST_F(StyledMessageBoxTest, SettingsStoredForTheBoxStyleItsButtons) {
    store({.procedure = kBoxProcedure, .group = restyle::controlTypeGroup(CREATE::button),
           .controlType = CREATE::button, .property = PROP::FontColor, .value = "255"});
    store({.procedure = kBoxProcedure, .group = restyle::controlGroup("&Yes"), .controlType = CREATE::button,
           .property = PROP::FontColor, .value = "65280"});
    for (const char* buttons : {"6", "&Yes|&Later"}) {
        Answer answer;
        Window* box = show(answer, "Styled?", buttons);
        ASSERT_NE(box, nullptr);
        const std::vector<Long> shown = controlsOf(*box, CREATE::button);
        EXPECT_EQ(box->property(shown[0], PROP::FontColor), "65280") << buttons;
        EXPECT_EQ(box->property(shown[1], PROP::FontColor), "255") << buttons;
        drive::answerMessage("&Yes");
    }
}

TEST_F(StyledMessageBoxTest, OnlyTheBoxsButtonsAnswerItTheTitleBarsCloseButtonClosesItWithZero) {
    store({.procedure = kBoxProcedure, .group = restyle::controlGroup(kBoxProcedure), .controlType = CREATE::window,
           .property = -9, .value = "1"});  // the custom title bar
    Answer answer;
    Window* box = show(answer, "Titled", "6", 1);
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(manager.RESTYLECLASSLIST.size(), 1u);
    const ZelRestyleClass& restyle = *manager.RESTYLECLASSLIST.front();
    ASSERT_NE(restyle.WINDOWICONCONTROL, 0);
    ASSERT_NE(restyle.CLOSEBUTTONCONTROL, 0);
    drive::click(*box, restyle.WINDOWICONCONTROL);
    drive::dismissPopups();
    EXPECT_FALSE(answer.given) << "the bar's icon is no button of the box";
    drive::click(*box, restyle.CLOSEBUTTONCONTROL);
    EXPECT_TRUE(answer.given);
    EXPECT_EQ(answer.value, 0);
}

TEST_F(StyledMessageBoxTest, TheBoxsCornersStayRoundWithTheTitleBar) {
    for (const bool titleBar : {false, true}) {
        SCOPED_TRACE(titleBar ? "with the title bar" : "without it");
        startAfresh();
        const auto storeForBox = [&](Long property, const char* value) {
            store({.procedure = kBoxProcedure, .group = restyle::controlGroup(kBoxProcedure),
                   .controlType = CREATE::window, .property = property, .value = value});
        };
        storeForBox(-6, "30");
        if (titleBar) storeForBox(-9, "1");
        Answer answer;
        Window* box = show(answer, "Rounded?|Every corner.", "6");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(cornersRounded(*box), 4);
        drive::answerMessage("&Yes");
    }
}

// Laid out in the fonts the styling gives it: no text cut, no two controls
// over one another, the box on the desktop, a line too wide for it wrapped.
TEST_F(StyledMessageBoxTest, AStoredFontLaysTheBoxOutInThatFont) {
    const std::string longLine = [] {
        std::string words;
        for (int i = 0; i < 40; ++i) words += "connection" + std::to_string(i) + " ";
        return words + "end";
    }();
    const struct {
        const char* size;
        std::string text;
    } cases[] = {{"14", "Please select a ODBC connection first!|A second line"},
                 {"20", "Please select a ODBC connection first!|A second line"},
                 {"14", "Short|" + longLine}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.size) + " points: " + c.text.substr(0, 20));
        startAfresh();
        for (const Long type : {CREATE::string, CREATE::button})
            store({.procedure = kBoxProcedure, .group = restyle::controlTypeGroup(type), .controlType = type,
                   .property = PROP::FontSize, .value = c.size});
        Answer answer;
        Window* box = show(answer, c.text, "6", 0, ICON_QUESTION);
        ASSERT_NE(box, nullptr);
        std::vector<QRect> placed;
        std::string shownText;
        for (const Long type : {CREATE::string, CREATE::button})
            for (const Long n : controlsOf(*box, type)) {
                const QWidget* shown = box->view()->widget(n);
                ASSERT_NE(shown, nullptr);
                EXPECT_EQ(shown->font().pointSize(), std::stoi(c.size)) << n;
                EXPECT_GE(shown->width(), shown->sizeHint().width()) << box->property(n, PROP::Text);
                EXPECT_GE(shown->height(), shown->sizeHint().height()) << box->property(n, PROP::Text);
                for (const QRect& other : placed) EXPECT_FALSE(shown->geometry().intersects(other)) << n;
                placed.push_back(shown->geometry());
                if (type == CREATE::string) shownText += box->property(n, PROP::Text) + "|";
            }
        const QRect desktop = QGuiApplication::primaryScreen()->geometry();
        EXPECT_TRUE(desktop.contains(box->view()->outer()->frameGeometry()))
            << "the box " << box->view()->outer()->frameGeometry().width() << " wide";
        std::erase(shownText, '\n');
        EXPECT_EQ(shownText, c.text + "|") << "every word shown, the rows broken after a blank";
        EXPECT_EQ(drive::messageText(), c.text);
        drive::answerMessage("&Yes");
        EXPECT_TRUE(answer.given);
    }
}
