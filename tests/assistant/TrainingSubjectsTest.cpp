// The training window's subjects: made new, renamed and deleted, and the
// procedures deleted, each refused where it would spoil another's rows.
#include "TrainingFixture.h"

#include "assistant/Mentavo.h"
#include "assistant/SubjectRows.h"
#include "platform/drive/Driver.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

using Names = std::vector<std::string>;

class TrainingSubjectsTest : public TrainingFixture {
protected:
    // The subject window of that button, the name typed over, "&Opslaan".
    void name(Window& w, const char* button, const std::string& subject) {
        drive::click(w, button);
        Window* window = drive::window(kSubjectTitle);
        ASSERT_NE(window, nullptr);
        drive::typeOver(*window, "?AGENTSTAP:ONDERWERP", subject);
        drive::click(*window, "?OKBUTTON");
    }
    // The refusal is said and the subject window stays for another name.
    void expectRefused(const char* what) {
        EXPECT_EQ(drive::messageText(), "Onderwerp bestaat reeds") << what;
        drive::answerMessage("OK");
        Window* window = drive::window(kSubjectTitle);
        ASSERT_NE(window, nullptr) << what;
        drive::click(*window, "?CANCELBUTTON");
        EXPECT_EQ(drive::window(kSubjectTitle), nullptr) << what << ": closed without a question";
    }
};

}  // namespace

TEST_F(TrainingSubjectsTest, ANewSubjectIsAHeaderOfANameTheProcedureHasNot) {
    openConnection();
    addSubject("Algemeen", {1});
    Window& w = openTraining();
    name(w, "?NIEUWONDERWERPBUTTON", "Algemeen");
    expectRefused("a subject that exists");

    name(w, "?NIEUWONDERWERPBUTTON", "Beheer");
    EXPECT_EQ(subjectsOf(kProcedure, Subjects::Headed), (Names{"Algemeen", "Beheer"}));
    EXPECT_EQ(drive::screenText(w, "?SELF:ONDERWERP"), "Beheer");
    EXPECT_EQ(drive::property(w, "?AGENTONDERWERPLIST", PROP::Selected), "2") << "the new subject is chosen";
    EXPECT_EQ(setting(kProcedure), "Algemeen") << "the subject before it is the procedure's last";
}

TEST_F(TrainingSubjectsTest, ARenameMovesTheHeaderAndEveryStepUnlessTheNameIsTaken) {
    openConnection();
    addSubject("Algemeen", {1, 2, 5});
    addSubject("Zoeken", {1});
    Window& w = openTraining();
    drive::click(w, "?WIJZIGONDERWERPBUTTON");
    Window* window = drive::window("Wijzig een Onderwerp");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(drive::screenText(*window, "?AGENTSTAP:ONDERWERP"), "Algemeen");
    drive::click(*window, "?OKBUTTON");
    EXPECT_EQ(drive::window("Wijzig een Onderwerp"), nullptr) << "its own name: nothing to do";

    drive::click(w, "?WIJZIGONDERWERPBUTTON");
    window = drive::window("Wijzig een Onderwerp");
    ASSERT_NE(window, nullptr);
    drive::typeOver(*window, "?AGENTSTAP:ONDERWERP", "Zoeken");
    drive::click(*window, "?OKBUTTON");
    EXPECT_EQ(drive::messageText(), "Onderwerp bestaat reeds");
    drive::answerMessage("OK");
    EXPECT_EQ(steps("Zoeken"), Names{"1:Zoeken 1"}) << "the other subject untouched";
    drive::typeOver(*window, "?AGENTSTAP:ONDERWERP", "Starten");
    drive::click(*window, "?OKBUTTON");

    EXPECT_EQ(subjectsOf(kProcedure, Subjects::All), (Names{"Starten", "Zoeken"}));
    EXPECT_TRUE(hasHeader(kProcedure, "Starten"));
    EXPECT_EQ(steps("Starten"), (Names{"1:Algemeen 1", "2:Algemeen 2", "5:Algemeen 5"}));
    EXPECT_EQ(drive::screenText(w, "?SELF:ONDERWERP"), "Starten");
    EXPECT_EQ(drive::property(w, "?AGENTSTAPLIST", PROP::Selected), "3");
}

TEST_F(TrainingSubjectsTest, DeletingASubjectOrAProcedureLeavesTheOtherRows) {
    openConnection();
    addSubject("Algemeen", {1, 2});
    addSubject("Zoeken", {1});
    AGNTFILE.rec.PROCEDURENAME = "Ander";
    AGNTFILE.rec.ONDERWERP = "Algemeen";
    AGNTFILE.rec.STEP = 0;
    ASSERT_TRUE(AGNTFILE.add());
    Window& w = openTraining();

    drive::click(w, "?VERWIJDERONDERWERPBUTTON");
    EXPECT_EQ(drive::messageText(), "Zeker weten Onderwerp Algemeen verwijderen ?");
    drive::answerMessage("&Ja");
    EXPECT_EQ(subjectsOf(kProcedure, Subjects::All), Names{"Zoeken"});
    EXPECT_EQ(steps("Zoeken"), Names{"1:Zoeken 1"});

    drive::chooseTab(w, "?PROCEDURETAB");
    drive::chooseRow(w, "?AGENTPROCEDURELIST", 2);
    drive::click(w, "?VERWIJDERPROCEDUREBUTTON");
    EXPECT_EQ(drive::messageText(), "Zeker weten Procedure ChooseODBCconnection verwijderen ?")
        << "the procedure chosen in the list";
    drive::answerMessage("&Nee");
    EXPECT_EQ(subjectsOf(kProcedure, Subjects::All), Names{"Zoeken"});
    drive::click(w, "?VERWIJDERPROCEDUREBUTTON");
    drive::answerMessage("&Ja");
    EXPECT_TRUE(subjectsOf(kProcedure, Subjects::All).empty());
    EXPECT_EQ(subjectsOf("Ander", Subjects::All), Names{"Algemeen"});
}
