// F12 in a window whose procedure has subjects: nothing, one subject played
// at once, or the choose-subject window with its search; where it opens, its
// shape, its help, and what each way of leaving it plays.
#include "SubjectFixture.h"

#include "assistant/Mentavo.h"
#include "assistant/SettingRow.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/program/WinHelp.h"
#include "platform/ui/WindowCalls.h"

#include <sqlite3.h>

using namespace platform;

namespace {

class ChooseSubjectTest : public SubjectFixture {
protected:
    // Three subjects of Main, added out of order, and one of another window.
    void addThree() {
        for (const char* subject : {"Zoeken", "Inloggen", "Afdrukken"}) addSpokenSubject("Main", subject);
        addSpokenSubject("Other", "Anders");
    }
    Window& pressF12(Window& w) {
        drive::pressKey(w, KEY::F12);
        Window* c = chooser();
        if (!c) throw std::runtime_error("the chooser did not open");
        return *c;
    }
    static std::vector<std::string> rows(Window& c) {
        std::vector<std::string> texts;
        auto* queue = c.spec().controls[1].from;
        for (std::size_t i = 1; i <= queue->records(); ++i) texts.push_back(clip(queue->rowText(i, 1)));
        return texts;
    }
    static Long selected(Window& c) { return c.numberProperty(c.equate("?ONDERWERPLIST"), PROP::Selected); }
    // Renamed in the file itself, as another program would.
    void renameStoredSubject(const std::string& procedure, const std::string& from, const std::string& to) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open("AGNTFILE", &db), SQLITE_OK);
        sqlite3_stmt* rename = nullptr;
        sqlite3_prepare_v2(db,
                           "UPDATE AGNTFILE SET ONDERWERP = ?1, \"ONDERWERP:CLIP\" = ?1 "
                           "WHERE PROCEDURENAME = ?2 AND ONDERWERP = ?3",
                           -1, &rename, nullptr);
        sqlite3_bind_blob(rename, 1, to.data(), static_cast<int>(to.size()), SQLITE_STATIC);
        sqlite3_bind_blob(rename, 2, procedure.data(), static_cast<int>(procedure.size()), SQLITE_STATIC);
        sqlite3_bind_blob(rename, 3, from.data(), static_cast<int>(from.size()), SQLITE_STATIC);
        EXPECT_EQ(sqlite3_step(rename), SQLITE_DONE) << sqlite3_errmsg(db);
        EXPECT_EQ(sqlite3_changes(db), 2) << "the header and the step";
        sqlite3_finalize(rename);
        sqlite3_close(db);
    }
    std::optional<std::string> setting(const std::string& name) {
        if (!readSetting(name)) return std::nullopt;
        return clip(AGNTSET.rec.VALUE.view());
    }
};

}  // namespace

TEST_F(ChooseSubjectTest, F12PlaysNothingOneSubjectAtOnceOrOpensTheChooserSorted) {
    addSpokenSubject("Other", "Anders");
    const struct {
        const char* procedure;
        std::function<void(const std::string&)> steps;
        bool window;
        Lines spoken;
    } cases[] = {
        {"NoSubject", [](const std::string&) {}, false, {}},
        {"StepsWithoutHeader", [](const std::string& p) { addRow(p, "Los", 1); }, false, {}},
        {"OneSubject", [](const std::string& p) { addSpokenSubject(p, "Inloggen"); }, false, {speakLine("Inloggen")}},
        {"ThreeSubjects",
         [](const std::string& p) {
             for (const char* subject : {"Zoeken", "Inloggen", "Afdrukken"}) addSpokenSubject(p, subject);
         },
         true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.procedure);
        c.steps(c.procedure);
        Window& w = openProcedure(c.procedure);
        takeLines();
        drive::pressKey(w, KEY::F12);
        EXPECT_EQ(spoken(), c.spoken);
        Window* shown = chooser();
        EXPECT_EQ(shown != nullptr, c.window);
        if (shown) {
            EXPECT_EQ(rows(*shown), (std::vector<std::string>{"Afdrukken", "Inloggen", "Zoeken"}));
            EXPECT_EQ(selected(*shown), 1);
            EXPECT_EQ(shown->focus(), shown->equate("?ZOEKONDERWERP"));
            drive::click(*shown, "?CANCELBUTTON");
        }
    }
}

TEST_F(ChooseSubjectTest, WithoutACharacterNameAndNoAgentItSaysSoAndDoesNothing) {
    addSpokenSubject("Main", "Inloggen");
    Window& main = openProcedure("Main");
    assistant.INITIALIZED = 0;
    assistant.AGENTNAME = "";
    takeLines();
    drive::pressKey(main, KEY::F12);
    EXPECT_EQ(drive::messageText(), "Geef eerst Ms Agent karakter op...");
    drive::answerMessage("OK");
    EXPECT_EQ(spoken(), Lines{});
    assistant.INITIALIZED = 1;
}

TEST_F(ChooseSubjectTest, OkPlaysTheChosenRowAndStoresThePlaceWhichTheNextOpeningTakes) {
    addThree();
    Window& main = openProcedure("Main");
    takeLines();
    Window& c = pressF12(main);
    EXPECT_EQ(c.numberProperty(0, PROP::Xpos), main.numberProperty(0, PROP::Xpos)) << "the caller's place at first";
    EXPECT_EQ(c.numberProperty(0, PROP::Ypos), main.numberProperty(0, PROP::Ypos));
    EXPECT_TRUE(c.blocked() || Window::topWindowOf(c.thread()) == &c) << "on the caller's thread, over it";
    EXPECT_EQ(c.thread(), main.thread());
    drive::pressKey(c, KEY::Down);
    drive::pressKey(c, KEY::Down);
    drive::pressKey(c, KEY::Down);
    EXPECT_EQ(selected(c), 3) << "not past the last row";
    drive::pressKey(c, KEY::Up);
    EXPECT_EQ(selected(c), 2);
    c.setProperty(0, PROP::Xpos, 33);
    c.setProperty(0, PROP::Ypos, 44);
    drive::click(c, "?OKBUTTON");
    EXPECT_EQ(spoken(), Lines{speakLine("Inloggen")});
    EXPECT_EQ(chooser(), nullptr);
    EXPECT_EQ(setting("~Main.XPos"), "33");
    EXPECT_EQ(setting("~Main.YPos"), "44");
    EXPECT_NE(assistant.PLAYSUBJECTTHREAD, 0);

    Window& again = pressF12(main);
    EXPECT_EQ(again.numberProperty(0, PROP::Xpos), 33);
    EXPECT_EQ(again.numberProperty(0, PROP::Ypos), 44);
    drive::pressKey(again, KEY::Up);
    EXPECT_EQ(selected(again), 1) << "not above the first row";
    drive::click(again, "?CANCELBUTTON");
}

TEST_F(ChooseSubjectTest, AnnuleerAndTheCloseBoxPlayNothingAndOnlyTheCloseBoxStoresThePlace) {
    addThree();
    Window& main = openProcedure("Main");
    takeLines();
    Window& c = pressF12(main);
    c.setProperty(0, PROP::Xpos, 21);
    drive::click(c, "?CANCELBUTTON");
    EXPECT_EQ(chooser(), nullptr);
    EXPECT_EQ(setting("~Main.XPos"), std::nullopt) << "Annuleer stores nothing";

    Window& closed = pressF12(main);
    drive::pressKey(closed, KEY::Down);
    closed.setProperty(0, PROP::Xpos, 22);
    drive::closeByCloseBox(closed);
    EXPECT_EQ(chooser(), nullptr);
    EXPECT_EQ(setting("~Main.XPos"), "22");
    EXPECT_EQ(spoken(), Lines{}) << "neither plays a subject";
    EXPECT_EQ(assistant.PLAYSUBJECTTHREAD, 0);
}

TEST_F(ChooseSubjectTest, AnAlertKeyWhileAnotherControlHasTheFocusChoosesTheRow) {
    addThree();
    Window& main = openProcedure("Main");
    takeLines();
    Window& c = pressF12(main);
    drive::chooseRow(c, "?ONDERWERPLIST", 3);
    ASSERT_EQ(c.focus(), c.equate("?ONDERWERPLIST"));
    c.post({.event = EVENT::AlertKey, .keyCode = KEY::Down});
    drive::settle();
    EXPECT_EQ(spoken(), Lines{speakLine("Zoeken")});
}

// The first subject in list order that begins with what was typed, in any
// case, shown whole with the part not typed selected.
TEST_F(ChooseSubjectTest, TheSearchCompletesTheFirstSubjectThatBeginsWithTheTypedText) {
    for (const char* subject : {"Inloggen", "Afdrukken", "Afsluiten", "afdruk Lijst"}) addSpokenSubject("Main", subject);
    Window& main = openProcedure("Main");
    const Long a = KEY::letter('a'), f = KEY::letter('f'), s = KEY::letter('s'), q = KEY::letter('q');
    const struct {
        const char* what;
        std::vector<Long> keys;
        Long row;
        std::string text;
        Long selStart, selEnd;
    } cases[] = {
        {"a letter", {a}, 1, "Afdrukken", 2, 9},
        {"upper case", {KEY::Shift + a, KEY::Shift + f}, 1, "Afdrukken", 3, 9},
        {"two subjects begin so", {a, f, s}, 2, "Afsluiten", 4, 9},
        {"backspace steps back", {a, f, s, KEY::BackSpace}, 2, "Afsluiten", 3, 9},
        {"delete leaves it", {a, KEY::Delete}, 1, "A", 2, 1},
        {"no match", {q}, 1, "q", 2, 1},
        {"a later row", {KEY::letter('i')}, 3, "Inloggen", 2, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Window& w = pressF12(main);
        for (Long key : c.keys) drive::pressKey(w, key);
        const Long entry = w.equate("?ZOEKONDERWERP");
        EXPECT_EQ(selected(w), c.row);
        EXPECT_EQ(w.property(entry, PROP::ScreenText), c.text);
        EXPECT_EQ(w.numberProperty(entry, PROP::SelStart), c.selStart);
        EXPECT_EQ(w.numberProperty(entry, PROP::SelEnd), c.selEnd);
        drive::click(w, "?CANCELBUTTON");
    }
}

TEST_F(ChooseSubjectTest, TheSeeThroughSettingGivesTheControlsShapeElseTheCurvedCorners) {
    addThree();
    Window& main = openProcedure("Main");
    const struct {
        const char* what;
        std::optional<std::string> value;
        bool seeThrough;
    } cases[] = {{"1", "1", true}, {"0", "0", false}, {"missing", std::nullopt, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (readSetting("ZoekVensterTransparant")) AGNTSET.remove();
        if (c.value) assistant.PutSetting(*c.value, "ZoekVensterTransparant");
        Window& w = pressF12(main);
        ASSERT_TRUE(w.region().has_value());
        RECT frame;
        GetWindowRect(w.handle(), frame);
        const int middleY = static_cast<int>(frame.bottom - frame.top) / 2;
        EXPECT_FALSE(drive::shows(w, 0, 0)) << "the corner";
        EXPECT_EQ(drive::shows(w, 1, middleY), !c.seeThrough) << "the frame";
        drive::click(w, "?CANCELBUTTON");
    }
}

TEST_F(ChooseSubjectTest, HelpAsksWinHelpForTheTypedTextOnlyWhenAHelpFileIsSet) {
    addThree();
    Window& main = openProcedure("Main");
    clearWinHelpCalls();
    Window& w = pressF12(main);
    drive::click(w, "?HELPBUTTON");
    EXPECT_TRUE(winHelpCalls().empty());
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(w.property(w.equate("?HELPBUTTON"), PROP::Tip), "Zoek Help over het opgegeven onderwerp");

    assistant.HELPFILELOCATIESTRING = "gids.hlp";
    const std::string typed(60, 'x');
    drive::type(w, "?ZOEKONDERWERP", typed);
    drive::click(w, "?HELPBUTTON");
    EXPECT_NE(drive::messageText().find("cannot be shown"), std::string::npos);
    drive::answerMessage("OK");
    ASSERT_EQ(winHelpCalls().size(), 2u);
    const WinHelpCall& place = winHelpCalls()[0];
    EXPECT_EQ(place.command, HELP_SETWINPOS);
    EXPECT_EQ(place.window, main.handle());
    EXPECT_EQ(place.file, "gids.hlp");
    EXPECT_EQ((std::vector<Long>{place.position.wStructSize, place.position.x, place.position.y, place.position.dx,
                                 place.position.dy, place.position.wMax}),
              (std::vector<Long>{26, 512, 0, 512, 1024, 1}));
    EXPECT_EQ(winHelpCalls()[1].command, HELP_PARTIALKEY);
    EXPECT_EQ(winHelpCalls()[1].keyword, std::string(49, 'x'));
    drive::click(w, "?CANCELBUTTON");
    clearWinHelpCalls();
}

// Another tool, or a hand, may store a subject under a longer name than the
// 50 characters the field holds: it cannot be played, and it is left out.
TEST_F(ChooseSubjectTest, SubjectsNamedLongerThanTheFieldAreLeftOutAndTheChooserComesAndGoes) {
    addThree();
    const std::string names[] = {std::string(51, 'L'), std::string(200, 'M')};
    for (const std::string& name : names) {
        addSpokenSubject("Main", "Lang");
        renameStoredSubject("Main", "Lang", name);
    }
    Window& main = openProcedure("Main");
    takeLines();
    for (int opening = 1; opening <= 2; ++opening) {
        Window& c = pressF12(main);
        EXPECT_EQ(rows(c), (std::vector<std::string>{"Afdrukken", "Inloggen", "Zoeken"})) << opening;
        drive::click(c, "?OKBUTTON");
        EXPECT_EQ(chooser(), nullptr);
    }
    EXPECT_EQ(spoken(), (Lines{speakLine("Afdrukken"), speakLine("Afdrukken")})) << "the program answers on";
}
