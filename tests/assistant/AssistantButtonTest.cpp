// The assistant's button in a window whose procedure has steps: when it
// comes, how it looks, how it follows the window's right edge, what a press
// does, and that a window opened again without one never acts on the old
// button's number.
#include "AssistantFixture.h"

#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/ui/WindowView.h"

using namespace platform;

namespace {

class ButtonTest : public AssistantFixture {
protected:
    void SetUp() override {
        AssistantFixture::SetUp();
        loadSettings();
    }
    Long buttonRow(const std::string& procedure) {
        assistant.MENTAVOBUTTONQUEUE->rec.PROCEDURENAME = procedure;
        return assistant.MENTAVOBUTTONQUEUE->get({{"PROCEDURENAME"}}) ? assistant.MENTAVOBUTTONQUEUE->rec.CONTROLEQUATE
                                                                        : -1;
    }
};

}  // namespace

TEST_F(ButtonTest, AWindowGetsItOnlyWhenItsProcedureHasRowsAndTheSettingIsOnWhateverOtherThreadsShow) {
    enum Rows { None, HeaderOnly, StepsOnly };
    addStep("ProbeX", "Ander", 0);  // a name that starts the same is another procedure
    for (Rows rows : {None, HeaderOnly, StepsOnly})
        for (Byte use : {0, 1})
            for (bool boxElsewhere : {false, true}) {
                SCOPED_TRACE("rows " + std::to_string(rows) + ", use " + std::to_string(use) + ", box " +
                             std::to_string(boxElsewhere));
                removeSteps("Probe");
                if (rows == HeaderOnly) addStep("Probe", "Inloggen", 0);
                if (rows == StepsOnly)
                    for (Long step : {1, 2}) addStep("Probe", "Inloggen", step);
                assistant.USEMENTAVOBUTTON = use;
                if (boxElsewhere) START([] { MESSAGE("Elders bezig"); });
                Window& w = openProbe();
                const bool expected = rows != None && use != 0;
                const Long button = assistantButton(w);
                EXPECT_EQ(button != 0, expected);
                EXPECT_EQ(buttonRow("Probe"), button) << "the row is written with or without a button";
                if (expected) {
                    EXPECT_EQ(assistant.MENTAVOBUTTONCONTROL, button);
                }
                closeWindow(w);
                if (boxElsewhere) drive::answerMessage("OK");
                drive::settle();
            }
}

TEST_F(ButtonTest, ItIsASmallFlatIconButtonAtTheTopRightThatFollowsTheRightEdge) {
    addStep("Probe", "Inloggen", 0);
    Window& w = openProbe();
    const Long button = assistantButton(w);
    ASSERT_NE(button, 0);
    EXPECT_EQ(w.numberProperty(button, PROP::Type), CREATE::button);
    EXPECT_EQ(button, w.equate("?OkButton") + 1) << "the next free number";
    EXPECT_EQ(w.numberProperty(button, PROP::Xpos), w.numberProperty(0, PROP::Width) - 12);
    EXPECT_EQ(w.numberProperty(button, PROP::Ypos), 0);
    EXPECT_EQ(w.numberProperty(button, PROP::Width), 10);
    EXPECT_EQ(w.numberProperty(button, PROP::Height), 10);
    EXPECT_EQ(w.property(button, PROP::Text), "");
    EXPECT_EQ(w.property(button, PROP::Tip), "Open de Assistent (F12)");
    EXPECT_EQ(w.property(button, PROP::Msg), "Open de Assistent (F12)");
    for (Long flag : {PROP::Scroll, PROP::Skip, PROP::Flat}) EXPECT_EQ(w.property(button, flag), "1") << flag;
    const QWidget* shown = w.view()->widget(button);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible()) << "unhidden once its properties are set";
    EXPECT_EQ(shown->toolTip().toStdString(), "Open de Assistent (F12)");
    EXPECT_EQ(w.numberProperty(0, PROP::Imm), 1) << "a resizable window reports its sizes at once";

    const Long widthBefore = w.numberProperty(0, PROP::Width);
    drive::resizeBy(w, 80, 20);
    ASSERT_GT(w.numberProperty(0, PROP::Width), widthBefore);
    EXPECT_EQ(w.numberProperty(button, PROP::Xpos), w.numberProperty(0, PROP::Width) - 12);
    EXPECT_EQ(w.numberProperty(button, PROP::Ypos), 0);
}

TEST_F(ButtonTest, AWindowThatCannotBeResizedKeepsItsImmediateEventsOff) {
    addStep("Probe", "Inloggen", 0);
    Window& w = openProbe({.resizable = false});
    EXPECT_EQ(w.numberProperty(0, PROP::Imm), 0);
    EXPECT_NE(assistantButton(w), 0);
}

TEST_F(ButtonTest, PressingItChoosesASubjectForThisWindowAndTheWindowStillGetsItsAccepted) {
    addStep("Probe", "Inloggen", 0);
    Window& w = openProbe();
    const Long button = assistantButton(w);
    assistant.PROCEDURENAME = "Elders";
    drive::click(w, button);
    EXPECT_EQ(trace.only({"KiesOnderwerp", "Probe.Accepted"}),
              (Calls{"KiesOnderwerp Probe", withNumber("Probe.Accepted", button)}));
    EXPECT_EQ(assistant.PROCEDUREWINDOWHANDLE, w.handle());

    trace.calls.clear();
    assistant.USEMENTAVOBUTTON = 0;
    drive::click(w, button);
    EXPECT_EQ(trace.only({"KiesOnderwerp"}), Calls{}) << "the setting switched off meanwhile";
}

TEST_F(ButtonTest, AWindowOpenedAgainWithoutRowsNeitherMovesNorAnswersAControlWithTheOldNumber) {
    addStep("Probe", "Inloggen", 0);
    Window& first = openProbe();
    const Long old = assistantButton(first);
    ASSERT_NE(old, 0);
    closeWindow(first);
    removeSteps("Probe");

    Window& again = openProbe();
    EXPECT_EQ(assistantButton(again), 0);
    EXPECT_EQ(buttonRow("Probe"), 0);
    const Long made = again.create({.type = CREATE::button, .text = "&Made", .at = {140, 72, 60, 20}});
    ASSERT_EQ(made, old) << "a control made at run time takes the free number";
    again.setProperty(made, PROP::Hide, 0);
    const Long x = again.numberProperty(made, PROP::Xpos);
    drive::resizeBy(again, 80, 0);
    EXPECT_EQ(again.numberProperty(made, PROP::Xpos), x);
    trace.calls.clear();
    drive::click(again, made);
    EXPECT_EQ(trace.only({"KiesOnderwerp", "Probe.Accepted"}), Calls{withNumber("Probe.Accepted", made)});
}

TEST_F(ButtonTest, WindowsOfOneProcedureOnTwoThreadsAnswerOnlyTheirOwnButtons) {
    Window& without = openProbe();  // opened before the procedure had steps
    addStep("Probe", "Inloggen", 0);
    Window& with = openProbe({.title = "Probe again"});
    const Long button = assistantButton(with);
    ASSERT_NE(button, 0);
    const Long made = without.create({.type = CREATE::button, .text = "&Made", .at = {140, 72, 60, 20}});
    ASSERT_EQ(made, button);
    without.setProperty(made, PROP::Hide, 0);
    const Long x = without.numberProperty(made, PROP::Xpos);
    drive::resizeBy(without, 80, 0);
    EXPECT_EQ(without.numberProperty(made, PROP::Xpos), x);
    drive::click(without, made);
    EXPECT_EQ(trace.only({"KiesOnderwerp"}), Calls{}) << "not the window's assistant button";

    Window& third = openProbe({.title = "Probe third"});
    ASSERT_EQ(assistantButton(third), button) << "the same number in another window";
    drive::click(with, button);
    EXPECT_EQ(trace.only({"KiesOnderwerp"}), Calls{"KiesOnderwerp Probe"}) << "an older window's own button";
}

TEST_F(ButtonTest, TheLookUpLeavesAWalkOverTheStepsFileWhereItWas) {
    for (Long step : {0, 1, 2}) addStep("Aanmelden", "Inloggen", step);
    addStep("Probe", "Inloggen", 0);
    AGNTFILE.rec.PROCEDURENAME = "Aanmelden";
    AGNTFILE.set(AGNTFILE.KEY_AGF, AGNTFILE.KEY_AGF);
    ASSERT_TRUE(AGNTFILE.next());
    AGNTFILE.rec.SPEAK = "being written";
    const AGNTFILERecord before = AGNTFILE.rec;
    const std::string position = AGNTFILE.position();

    Window& w = openProbe();
    ASSERT_NE(assistantButton(w), 0);
    for (const FieldInfo& f : AGNTFILERecord::fieldTable().all())
        EXPECT_EQ(FieldRef(f, &AGNTFILE.rec).text(), FieldRef(f, const_cast<AGNTFILERecord*>(&before)).text())
            << f.name << ": the buffer as it was";
    EXPECT_EQ(AGNTFILE.position(), position);
    ASSERT_TRUE(AGNTFILE.next());
    EXPECT_EQ(AGNTFILE.rec.PROCEDURENAME.view(), "Aanmelden");
    EXPECT_EQ(AGNTFILE.rec.STEP, 1);
}
