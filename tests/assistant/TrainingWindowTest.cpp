// The training window: opening it, and adding, moving and deleting steps.
#include "TrainingFixture.h"

#include "app/main/Globals.h"
#include "assistant/Mentavo.h"
#include "assistant/SubjectRows.h"
#include "platform/drive/Driver.h"
#include "platform/system/Errors.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/WindowCalls.h"

#include <sqlite3.h>

#include <algorithm>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class TrainingWindowTest : public TrainingFixture {
protected:
    void SetUp() override {
        TrainingFixture::SetUp();
        // The character's moves are traced where they are asked for.
        storeSettings({{"AssistentBinnenBureaublad", "0"}});
    }

    static bool traced(const Lines& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static std::string moveLine(Long x, Long y) {
        return "MoveTo Merlin " + std::to_string(x) + " " + std::to_string(y) + " 1000";
    }
    static RECT placed(const Window& w) {
        WINDOWPLACEMENT placement;
        GetWindowPlacement(w.handle(), placement);
        return placement.rcNormalPosition;
    }
    // The stored step into AGNTFILE's buffer.
    static bool stored(const std::string& subject, Long step) {
        AGNTFILE.rec.PROCEDURENAME = kProcedure;
        AGNTFILE.rec.ONDERWERP = subject;
        AGNTFILE.rec.STEP = step;
        return AGNTFILE.get(AGNTFILE.KEY_AGF);
    }
    // "&Stap toevoegen"; the position window it opens for the new step is
    // left with Esc.
    void addStep(Window& w) {
        drive::click(w, "?STAPTOEVOEGENBUTTON");
        Window* position = drive::window(kPositionTitle);
        ASSERT_NE(position, nullptr) << "the author places the new step at once";
        drive::pressKey(*position, KEY::Esc);
    }
};

}  // namespace

TEST_F(TrainingWindowTest, OpensInTrainModeOnTheLastSubjectWithItsLastStepAndTheCharacterAtItsRight) {
    storeSettings({{kProcedure, "Zoeken"}});
    Window& connection = openConnection();
    addSubject("Algemeen", {1, 2});
    addSubject("Beheer", {});
    addSubject("Zoeken", {1, 2, 3});
    drive::pressKey(connection, KEY::Shift + KEY::F11);
    EXPECT_EQ(training(), nullptr) << "train mode is off";

    Window& w = openTraining();
    const Lines lines = takeLines();
    EXPECT_EQ(w.property(0, PROP::Text), kTrainingTitle);
    EXPECT_EQ(drive::property(w, "?SELECTEDSHEET", PROP::Selected), "2") << "on \"Onderwerpen\"";
    EXPECT_EQ(drive::property(w, "?AGENTONDERWERPLIST", PROP::Selected), "3") << "the subject used last";
    EXPECT_EQ(drive::screenText(w, "?SELF:ONDERWERP"), "Zoeken");
    EXPECT_EQ(drive::property(w, "?AGENTSTAPLIST", PROP::Selected), "3");
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAP:STEP"), "3");
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAPPROCEDURENAME"), kProcedure);
    const RECT r = placed(w);
    EXPECT_TRUE(traced(lines, "Show Merlin 0"));
    EXPECT_TRUE(traced(lines, moveLine(r.right, (r.top + r.bottom) / 2 - Assistant.HEIGHT)))
        << "the character waits at the window's right edge, its feet at half its height";

    drive::dragCaption(w, 30, 20);
    const RECT moved = placed(w);
    EXPECT_TRUE(traced(takeLines(), moveLine(moved.right, (moved.top + moved.bottom) / 2 - Assistant.HEIGHT)))
        << "and follows the window";
}

TEST_F(TrainingWindowTest, WithoutSubjectsOrStepsTheButtonsSayWhatIsMissing) {
    Window& w = openTraining();
    EXPECT_EQ(drive::property(w, "?AGENTONDERWERPLIST", PROP::Selected), "0") << "no subjects";
    const struct {
        const char* button;
        const char* said;
    } cases[] = {{"?STAPTOEVOEGENBUTTON", "Voeg eerst een Onderwerp toe!"},
                 {"?STAPPENZIENBUTTON", "Voeg eerst een Onderwerp toe!"},
                 {"?TESTMOUSEPOSBUTTON", "Definieer eerst een stap!"},
                 {"?TESTONDERWERPBUTTON", "Definieer eerst een stap!"}};
    for (const auto& c : cases) {
        drive::click(w, c.button);
        EXPECT_EQ(drive::messageText(), c.said) << c.button;
        drive::answerMessage("OK");
    }
    EXPECT_TRUE(steps("Algemeen").empty());
}

TEST_F(TrainingWindowTest, ANewStepFollowsTheCurrentOneAndTheLaterStepsMoveUp) {
    Window& connection = openConnection();
    addSubject("Algemeen", {1, 2, 3, 4});
    addSubject("Gaten", {1, 3, 4});
    RECT procedure;
    ASSERT_TRUE(GetWindowRect(connection.handle(), procedure));
    drive::movePointer(procedure.left + 57, procedure.top + 33);
    Window& w = openTraining();
    EXPECT_EQ(drive::screenText(w, "?SELF:ONDERWERP"), "Algemeen") << "the first time";
    const struct {
        const char* subject;
        int row;  // the step chosen
        std::vector<std::string> after;
        Long added;
    } cases[] = {
        {"Algemeen", 2, {"1:Algemeen 1", "2:Algemeen 2", "3:", "4:Algemeen 3", "5:Algemeen 4"}, 3},
        // After a deletion the numbers have a gap: the new step still comes
        // right after the chosen one.
        {"Gaten", 2, {"1:Gaten 1", "3:Gaten 3", "4:", "5:Gaten 4"}, 4},
    };
    for (const auto& c : cases) {
        drive::chooseTab(w, "?ONDERWERPTAB");
        drive::chooseRow(w, "?AGENTONDERWERPLIST", c.subject == std::string("Algemeen") ? 1 : 2);
        drive::chooseRow(w, "?AGENTSTAPLIST", c.row);
        takeLines();
        addStep(w);
        const Lines lines = takeLines();
        EXPECT_EQ(steps(c.subject), c.after) << c.subject;
        ASSERT_TRUE(stored(c.subject, c.added)) << c.subject;
        EXPECT_EQ(AGNTFILE.rec.POSITIONX, 57) << "where the pointer was when the window opened";
        EXPECT_EQ(AGNTFILE.rec.POSITIONY, 33);
        EXPECT_EQ(AGNTFILE.rec.SPEED, 1000);
        EXPECT_EQ(AGNTFILE.rec.ANIBEFOREORAFTER.view(), "B");
        EXPECT_EQ(AGNTFILE.rec.CURSORPOSTOVAGENT.view(), "LB");
        EXPECT_EQ(drive::property(w, "?SELECTEDSHEET", PROP::Selected), "3") << "the new step on its tab";
        EXPECT_EQ(drive::screenText(w, "?AGENTSTAP:STEP"), std::to_string(c.added));
        const RECT r = placed(w);
        EXPECT_TRUE(traced(lines, moveLine(r.right, r.top))) << "to the window's top right corner";
    }
}

TEST_F(TrainingWindowTest, ASubjectWithoutRowsIsNamedBeforeItsFirstStep) {
    openConnection();
    addSubject("Zoeken", {1});
    Window& w = openTraining();  // on "Algemeen", which has no rows
    const auto askForASubject = [&] {
        drive::click(w, "?STAPTOEVOEGENBUTTON");
        EXPECT_EQ(drive::messageText(),
                  "Voordat u een nieuwe Assistent stap kan toevoegen, moet u eerst een Onderwerp opgeven.");
        drive::answerMessage("OK");
        Window* subject = drive::window(kSubjectTitle);
        EXPECT_NE(subject, nullptr);
        return subject;
    };
    Window* subject = askForASubject();
    ASSERT_NE(subject, nullptr);
    EXPECT_EQ(drive::screenText(*subject, "?PROCEDURENAME"), kProcedure);
    EXPECT_EQ(drive::screenText(*subject, "?AGENTSTAP:ONDERWERP"), "");
    drive::click(*subject, "?CANCELBUTTON");
    EXPECT_EQ(drive::messageText(),
              "Geen Onderwerp opgegeven!|Zonder een onderwerp op te geven kunnen er geen nieuwe stappen worden "
              "toegevoegd...|Weet u zeker dat u wilt annuleren?");
    drive::answerMessage("&Ja");
    EXPECT_EQ(drive::window(kSubjectTitle), nullptr);
    EXPECT_EQ(drive::window(kPositionTitle), nullptr) << "no step";
    EXPECT_EQ(subjectsOf(kProcedure, Subjects::All), std::vector<std::string>{"Zoeken"});

    subject = askForASubject();
    ASSERT_NE(subject, nullptr);
    drive::pressKey(*subject, KEY::Esc);
    drive::answerMessage("&Nee");
    ASSERT_NE(drive::window(kSubjectTitle), nullptr) << "the author goes on";
    drive::type(*subject, "?AGENTSTAP:ONDERWERP", "Starten");
    drive::click(*subject, "?OKBUTTON");
    Window* position = drive::window(kPositionTitle);
    ASSERT_NE(position, nullptr);
    drive::pressKey(*position, KEY::Esc);
    EXPECT_TRUE(hasHeader(kProcedure, "Starten"));
    EXPECT_EQ(steps("Starten"), std::vector<std::string>{"1:"});
    EXPECT_EQ(drive::screenText(w, "?SELF:ONDERWERP"), "Starten");
    ASSERT_TRUE(stored("Starten", 0));
    EXPECT_EQ(AGNTFILE.rec.PROCEDUREOMSCHRIJVING.view(), kConnectionTitle) << "the procedure window's title";
}

TEST_F(TrainingWindowTest, AStepMovesByExchangingNumbersWithItsNeighbourAllOrNothing) {
    openConnection();
    addSubject("Algemeen", {1, 2, 3});
    Window& w = openTraining();
    const std::vector<std::string> before = {"1:Algemeen 1", "2:Algemeen 2", "3:Algemeen 3"};
    const struct {
        int row;
        const char* arrow;
    } ends[] = {{1, "?STAPOMHOOG"}, {3, "?STAPOMLAAG"}};
    for (const auto& e : ends) {
        drive::chooseRow(w, "?AGENTSTAPLIST", e.row);
        drive::click(w, e.arrow);
        EXPECT_EQ(steps("Algemeen"), before) << e.arrow << " at the end it cannot pass";
    }

    drive::chooseRow(w, "?AGENTSTAPLIST", 2);
    drive::click(w, "?STAPOMHOOG");
    EXPECT_EQ(steps("Algemeen"), (std::vector<std::string>{"1:Algemeen 2", "2:Algemeen 1", "3:Algemeen 3"}));
    EXPECT_EQ(drive::property(w, "?AGENTSTAPLIST", PROP::Selected), "1") << "the moved step stays chosen";
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAP:SPEAK"), "Algemeen 2");

    // The steps file refuses every write but the first of a swap.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open("AGNTFILE", &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TRIGGER refuse BEFORE UPDATE ON AGNTFILE WHEN NEW.STEP <> 2147483646 "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const std::vector<std::string> swapped = steps("Algemeen");
    drive::click(w, "?STAPOMLAAG");
    const std::string said = drive::messageText();
    EXPECT_FALSE(said.empty());
    EXPECT_EQ(said.find("Kan"), std::string::npos) << "the error alone: " << said;
    drive::answerMessage("OK");
    EXPECT_EQ(steps("Algemeen"), swapped) << "every number as it was";
    EXPECT_EQ(drive::property(w, "?AGENTSTAPLIST", PROP::Selected), "3") << "the lists filled again";
}

TEST_F(TrainingWindowTest, DeletingAStepAsksNothingAndLeavesItsNumberFree) {
    openConnection();
    addSubject("Algemeen", {1, 2, 3});
    Window& w = openTraining();
    drive::chooseRow(w, "?AGENTSTAPLIST", 2);
    drive::click(w, "?VERWIJDERSTAPBUTTON");
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(steps("Algemeen"), (std::vector<std::string>{"1:Algemeen 1", "3:Algemeen 3"}));
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAP:STEP"), "3");
}

TEST_F(TrainingWindowTest, AnEditedStepIsStoredWhenAnotherIsChosen) {
    openConnection();
    addSubject("Algemeen", {1, 2});
    Window& w = openTraining();
    drive::chooseRow(w, "?AGENTSTAPLIST", 1);
    drive::chooseTab(w, "?STAPTAB");
    drive::typeOver(w, "?AGENTSTAP:SPEAK", "Nieuwe tekst");
    drive::click(w, "?AGENTSTAP:DONNOTMOVE");
    drive::click(w, "?VOLGENDESTAP");
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAP:STEP"), "2");
    ASSERT_TRUE(stored("Algemeen", 1));
    EXPECT_EQ(AGNTFILE.rec.SPEAK.view(), "Nieuwe tekst");
    EXPECT_EQ(AGNTFILE.rec.DONNOTMOVE, 1);
    drive::click(w, "?VORIGESTAP");
    EXPECT_EQ(drive::screenText(w, "?AGENTSTAP:SPEAK"), "Nieuwe tekst");
}
