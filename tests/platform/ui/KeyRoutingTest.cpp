#include "RunningWindow.h"
#include "WindowOnThread.h"

#include "platform/data/Queue.h"
#include "platform/data/Record.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace platform;

namespace {

#define NAMERECORD_FIELDS(X) X(CString<20>, NAME)
struct NameRecord {
    TABLOOM_RECORD(NameRecord, "", NAMERECORD_FIELDS)
};

// A window with a control of every kind the keyboard reaches, a default and a
// cancel button; the second tab holds a button of its own.
class KeyRoutingTest : public WindowOnThread {
protected:
    void SetUp() override {
        names.rec.NAME = "first";
        names.add();
        open({.label = "W", .title = "Keys", .at = {0, 0, 240, 200}, .controls = {
            {.type = CREATE::prompt, .label = "?Name:Prompt", .text = "&Name:", .at = {4, 4, 0, 0}},
            {.type = CREATE::entry, .label = "?Name", .text = "@s20", .at = {50, 4, 100, 12}, .use = bind(name)},
            {.type = CREATE::text, .label = "?Notes", .at = {4, 20, 200, 30}, .use = bind(notes)},
            {.type = CREATE::combo, .label = "?Driver", .text = "@s10", .at = {4, 54, 80, 12}, .use = bind(driver),
             .choices = "MSSQL|ODBC"},
            {.type = CREATE::check, .label = "?Flag", .text = "&Flag", .at = {100, 54, 0, 0}, .use = bind(flag)},
            {.type = CREATE::sheet, .label = "?Sheet", .at = {4, 70, 230, 60}, .children = {
                {.type = CREATE::tab, .label = "?OneTab", .text = "&1 One", .children = {
                    {.type = CREATE::button, .label = "?Inner", .text = "&Inner", .at = {4, 4, 50, 14}},
                    {.type = CREATE::list, .label = "?List", .at = {60, 4, 100, 30}, .from = &names},
                }},
                {.type = CREATE::tab, .label = "?TwoTab", .text = "T&wo", .children = {
                    {.type = CREATE::button, .label = "?Other", .text = "&Hidden until shown", .at = {4, 4, 80, 14}},
                }},
            }},
            {.type = CREATE::string, .label = "?Caption", .text = "&Strings have no mnemonic", .at = {4, 140, 0, 0}},
            {.type = CREATE::button, .label = "?Ok", .text = "&OK", .at = {120, 180, 50, 14}, .isDefault = true},
            {.type = CREATE::button, .label = "?Cancel", .text = "Cancel", .at = {180, 180, 50, 14}},
        }});
    }

    std::string focused() {
        const Long n = window().focus();
        return n ? window().property(n, PROP::Label) : std::string();
    }

    Queue<NameRecord> names;
    CString<21> name{"kept"};
    CString<100> notes{"notes"};
    CString<11> driver{"ODBC"};
    Byte flag = 0;
};

}  // namespace

TEST_F(KeyRoutingTest, TheWindowOpensOnItsFirstControlAndTabGoesThroughTheControlsInTheStructuresOrder) {
    EXPECT_EQ(focused(), "?Name") << "the prompt before it takes no focus";
    std::vector<std::string> forward;
    for (int i = 0; i < 9; ++i) {
        drive::pressKey(window(), KEY::Tab);
        forward.push_back(focused());
    }
    // The button of the hidden tab is skipped; at the end the focus comes round.
    EXPECT_EQ(forward, (std::vector<std::string>{"?Notes", "?Driver", "?Flag", "?Sheet", "?Inner", "?List", "?Ok",
                                                 "?Cancel", "?Name"}));
    drive::pressKey(window(), KEY::Tab | KEY::Shift);
    EXPECT_EQ(focused(), "?Cancel");
    EXPECT_EQ(drive::screenText(window(), "?Notes"), "notes") << "the text box typed no tab";
    EXPECT_EQ(drive::property(window(), "?List", PROP::Selected), "") << "tabbing through a list chooses no row";
    EXPECT_FALSE(took(EVENT::NewSelection, "?List"));
}

TEST_F(KeyRoutingTest, TabPressedByTheProgramMovesTheFocusAsTheKeyboardsTabDoes) {
    drive::click(window(), "?Cancel");
    START([] { PRESSKEY(KEY::Tab); });
    drive::settle();
    EXPECT_EQ(focused(), "?Name") << "from the last control round to the first";
    START([] { PRESSKEY(KEY::Tab | KEY::Shift); });
    drive::settle();
    EXPECT_EQ(focused(), "?Cancel");
    START([] { PRESSKEY(KEY::Tab | KEY::Shift); });
    drive::settle();
    EXPECT_EQ(focused(), "?Ok");
}

TEST_F(KeyRoutingTest, AMnemonicPressesItsControlWhenTheUserCanReachIt) {
    const struct {
        Long key;
        const char* focus;  // where the focus is after the key
        Long event;         // what the window took last, on which control
        const char* on;
    } cases[] = {
        {KEY::Alt | KEY::letter('F'), "?Flag", EVENT::Accepted, "?Flag"},
        {KEY::Alt | KEY::letter('N'), "?Name", EVENT::Accepted, "?Flag"},  // a prompt hands the focus on
        {KEY::Alt | KEY::letter('H'), "?Name", EVENT::Accepted, "?Flag"},  // its tab is not shown
        {KEY::Alt | KEY::letter('W'), "?Name", EVENT::NewSelection, "?Sheet"},
        {KEY::Alt | KEY::letter('H'), "?Other", EVENT::Accepted, "?Other"},
        {KEY::Alt | KEY::letter('I'), "?Other", EVENT::Accepted, "?Other"},  // its tab is hidden now
        {KEY::Alt | KEY::letter('S'), "?Other", EVENT::Accepted, "?Other"},  // a string is no prompt
        {KEY::letter('O'), "?Ok", EVENT::Accepted, "?Ok"},                   // on a button a letter does
    };
    for (const auto& c : cases) {
        drive::pressKey(window(), c.key);
        EXPECT_EQ(focused(), c.focus) << c.key;
        ASSERT_FALSE(events().empty());
        EXPECT_EQ(events().back(), std::make_pair(c.event, number(c.on))) << c.key;
    }
    EXPECT_EQ(flag, 1);
}

TEST_F(KeyRoutingTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
    drive::typeOver(window(), "?Name", "typed");
    drive::pressKey(window(), KEY::Enter);
    EXPECT_EQ(name.str(), "typed") << "leaving the entry for the button accepted it";
    ASSERT_TRUE(took(EVENT::Accepted, "?Ok"));
    clearEvents();
    drive::type(window(), "?Notes", "\n");
    EXPECT_EQ(drive::screenText(window(), "?Notes"), "notes\n") << "a text box takes Enter as a new line";
    EXPECT_FALSE(took(EVENT::Accepted, "?Ok"));
    drive::pressKey(window(), KEY::Esc);
    EXPECT_TRUE(took(EVENT::Accepted, "?Cancel"));
}

TEST_F(KeyRoutingTest, EscapeWithoutACancelButtonAsksTheWindowToClose) {
    window().setProperty(number("?Cancel"), PROP::Hide, 1);
    drive::pressKey(window(), KEY::Esc);
    ASSERT_FALSE(events().empty());
    EXPECT_EQ(events().back().first, EVENT::CloseWindow);
}

TEST_F(KeyRoutingTest, PastingAClipboardWithoutTextChangesNoControl) {
    QMimeData* image = new QMimeData;
    image->setImageData(QImage(4, 4, QImage::Format_RGB32));
    const struct {
        const char* clipboard;
        QMimeData* data;  // null: emptied
    } clipboards[] = {{"empty", nullptr}, {"an image", image}};
    for (const auto& c : clipboards) {
        if (c.data) QGuiApplication::clipboard()->setMimeData(c.data);
        else QGuiApplication::clipboard()->clear();
        for (const char* control : {"?Name", "?Notes", "?Driver"}) {
            const std::string before = drive::screenText(window(), control);
            drive::type(window(), control, "");
            drive::pressKey(window(), KEY::Ctrl | KEY::letter('V'));
            window().view()->standardAction(STD::Paste);  // what the Edit menu's Paste does
            EXPECT_EQ(drive::screenText(window(), control), before) << control << ", " << c.clipboard;
        }
    }
    QGuiApplication::clipboard()->setText("pasted");
    drive::typeOver(window(), "?Name", "");
    drive::pressKey(window(), KEY::Ctrl | KEY::letter('V'));
    EXPECT_EQ(drive::screenText(window(), "?Name"), "pasted") << "text still pastes";
}

TEST_F(KeyRoutingTest, AnAltLetterNoOneTakesTypesNothingAndAltGrStillTypes) {
    for (const char* control : {"?Name", "?Notes", "?Driver"}) {
        const std::string before = drive::screenText(window(), control);
        drive::type(window(), control, "");
        // Q and Z are no one's; H is the mnemonic of a button on a tab not shown.
        for (const char letter : {'Q', 'Z', 'H'}) drive::pressKey(window(), KEY::Alt | KEY::letter(letter));
        EXPECT_EQ(drive::screenText(window(), control), before) << control;
        drive::typeWithAltGr(window(), control, "\x80@{");
        EXPECT_EQ(drive::screenText(window(), control), before + "\x80@{") << control;
    }
    EXPECT_FALSE(took(EVENT::Accepted, "?Other"));
}

TEST_F(KeyRoutingTest, AltSpaceOpensTheSystemMenu) {
    drive::pressKey(window(), KEY::Alt | KEY::Space);
    EXPECT_EQ(drive::screenText(window(), "?Name"), "kept") << "no space typed";
    drive::choosePopup({"&Close"});
    ASSERT_FALSE(events().empty());
    EXPECT_EQ(events().back().first, EVENT::CloseWindow);
}

namespace {

// A frame with two menus and an MDI child with an entry: the keyboard's way
// into the frame's menu bar from the child.
class MenuBarKeys : public ::testing::Test {
protected:
    MenuBarKeys()
        : frame_({.type = CREATE::application, .label = "F", .title = "Frame", .at = {0, 0, 300, 200},
                  .menubar = {{.type = CREATE::menu, .label = "?FileMenu", .text = "&File", .children = {
                                   {.type = CREATE::item, .label = "?Open", .text = "&Open  F5", .key = KEY::F5},
                                   {.type = CREATE::item, .label = "?Save", .text = "&Save"}}},
                              {.type = CREATE::menu, .label = "?EditMenu", .text = "&Edit", .children = {
                                   {.type = CREATE::item, .label = "?Undo", .text = "&Undo"}}}}}),
          child_({.label = "C", .title = "Child", .at = {10, 10, 150, 60}, .mdi = true, .controls = {
                      {.type = CREATE::entry, .label = "?Entry", .text = "@s20", .at = {10, 10, 80, 12}}}}) {}

    // The items the frame took, by label.
    std::vector<std::string> chosen() const {
        std::vector<std::string> labels;
        for (const Event& e : frame_.taken(EVENT::Accepted)) labels.push_back((*frame_).control(e.field)->label);
        return labels;
    }
    std::string focused() const {
        const Long n = child_->focus();
        return n && QApplication::focusWidget() == child_->view()->widget(n) ? child_->control(n)->label : "";
    }

    RunningWindow frame_;
    RunningWindow child_;
};

}  // namespace

TEST_F(MenuBarKeys, F10OrALoneAltLightsTheFirstMenuAndTheArrowsEnterAndEscapeWorkAsOnThePlatform) {
    const struct {
        std::vector<Long> keys;
        std::vector<std::string> chosen;
    } cases[] = {
        {{KEY::F10, KEY::Down, KEY::Enter}, {"?Open"}},
        {{KEY::Alt, KEY::Enter, KEY::Enter}, {"?Open"}},
        {{KEY::F10, KEY::Down, KEY::Down, KEY::Enter}, {"?Save"}},
        {{KEY::Alt, KEY::Right, KEY::Down, KEY::Enter}, {"?Undo"}},
        {{KEY::F10, KEY::Left, KEY::Down, KEY::Enter}, {"?Undo"}},  // round from the first to the last
        {{KEY::F10, KEY::letter('E'), KEY::Enter}, {"?Undo"}},
        {{KEY::F10, KEY::Esc}, {}},
        {{KEY::F10, KEY::F10}, {}},
        {{KEY::Alt, KEY::Alt}, {}},
        {{KEY::Alt | KEY::letter('F'), KEY::Esc, KEY::Esc}, {}},  // the menu closes, then the bar lets go
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.keys));
        frame_.events.clear();
        drive::type(*child_, "?Entry", "");
        for (const Long key : c.keys) drive::pressKey(*child_, key);
        EXPECT_EQ(chosen(), c.chosen);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_EQ(focused(), "?Entry") << "the focus is back where it was";
    }
    drive::type(*child_, "?Entry", "ab");
    EXPECT_EQ(drive::screenText(*child_, "?Entry"), "ab") << "the keys type again";
}

TEST_F(MenuBarKeys, AMenuItemShowsItsTextAlone) {
    EXPECT_EQ(frame_->view()->action(frame_.number("?Open"))->text(), "&Open  F5");
}
