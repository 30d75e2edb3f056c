// The training window plays a step or the current subject, and records
// what the author does as steps after the current one.
#include "TrainingFixture.h"

#include "app/main/Globals.h"
#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/WindowCalls.h"
#include "platform/ui/WindowView.h"

#include <QTableView>
#include <algorithm>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class TrainingPlayTest : public TrainingFixture {
protected:
    void SetUp() override {
        TrainingFixture::SetUp();
        storeSettings({{"AssistentBinnenBureaublad", "0"}});
    }
    // The wait of a test ends at a key.
    void endTheWait(Window& w) {
        EXPECT_EQ(w.property(0, PROP::Text), "Druk op een willekeurige toets om te annuleren...");
        drive::pressKey(w, KEY::Space);
        advance(10);
        EXPECT_EQ(w.property(0, PROP::Text), kTrainingTitle);
    }
    static Lines spoken(const Lines& lines) {
        Lines said;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(said),
                     [](const std::string& l) { return l.starts_with("Speak Merlin \"Algemeen") ||
                                                       l.starts_with("Speak Merlin \"Zoeken"); });
        return said;
    }
};

}  // namespace

TEST_F(TrainingPlayTest, TestStapPutsThePointerOnTheStepsPlaceAndPlaysIt) {
    Window& connection = openConnection();
    addSubject("Algemeen", {1, 2});
    Window& w = openTraining();
    RECT procedure;
    ASSERT_TRUE(GetWindowRect(connection.handle(), procedure));
    takeLines();
    drive::click(w, "?TESTMOUSEPOSBUTTON");
    POINT pointer;
    ASSERT_TRUE(GetCursorPos(pointer));
    EXPECT_EQ(pointer.x, procedure.left + 20) << "step 2 lies at 20, 40 in its window";
    EXPECT_EQ(pointer.y, procedure.top + 40);
    const Lines lines = takeLines();
    // The character stops what it did and plays the step: its move, then its speech.
    const Lines expected = {"StopAll Merlin \"\"",
                            "MoveTo Merlin " + std::to_string(procedure.left + 20) + " " +
                                std::to_string(procedure.top + 40) + " 500",
                            "Speak Merlin \"Algemeen 2\""};
    auto next = lines.begin();
    for (const std::string& line : expected) {
        next = std::find(next, lines.end(), line);
        ASSERT_NE(next, lines.end()) << line;
    }
    endTheWait(w);
}

TEST_F(TrainingPlayTest, TestOnderwerpPlaysTheCurrentSubject) {
    openConnection();
    addSubject("Algemeen", {1, 2});
    addSubject("Zoeken", {1});
    Window& w = openTraining();
    takeLines();
    drive::click(w, "?TESTONDERWERPBUTTON");
    EXPECT_EQ(drive::window(" Kies een Onderwerp..."), nullptr) << "no choice to make";
    EXPECT_EQ(spoken(takeLines()), (Lines{"Speak Merlin \"Algemeen 1\"", "Speak Merlin \"Algemeen 2\""}));
    endTheWait(w);
}

TEST_F(TrainingPlayTest, RecordedEventsComeBackAsRedStepsAfterTheCurrentOne) {
    Window& connection = openConnection();
    addSubject("Algemeen", {1, 2, 3});
    Window& w = openTraining();
    drive::chooseRow(w, "?AGENTSTAPLIST", 1);
    drive::click(w, "?RECORDEVENTS");
    EXPECT_EQ(training(), nullptr) << "out of the way while the author works";
    Window* recorder = drive::window("Gebeurtenis(sen) opnemen");
    ASSERT_NE(recorder, nullptr);
    drive::dragCaption(*recorder, 200, 300);  // off the fields the author works in
    drive::activate(connection);
    drive::typeOver(connection, "?Username", "jan");
    drive::click(connection, "?Password");
    const Long recorded = static_cast<Long>(Assistant.EVENTQUEUE->records());
    ASSERT_GE(recorded, 2);
    drive::click(*recorder, "?CLOSEBUTTON");
    EXPECT_EQ(drive::messageText(), "Gebeurtenissen opslaan?");
    drive::answerMessage("&Ja");
    Window* back = drive::waitForWindow(kTrainingTitle);
    ASSERT_NE(back, nullptr) << "the training window is back";

    const std::vector<std::string> numbers = steps("Algemeen");
    ASSERT_EQ(static_cast<Long>(numbers.size()), 3 + recorded);
    EXPECT_EQ(numbers.front(), "1:Algemeen 1");
    EXPECT_EQ(numbers[static_cast<std::size_t>(recorded + 1)], std::to_string(recorded + 2) + ":Algemeen 2");
    auto* list = qobject_cast<QTableView*>(back->view()->widget(back->equate("?AGENTSTAPLIST")));
    ASSERT_NE(list, nullptr);
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const bool recordedRow = row >= 1 && row <= recorded;
        const QVariant background = list->model()->index(row, 0).data(Qt::BackgroundRole);
        EXPECT_EQ(background.isValid(), recordedRow) << "row " << row + 1;
        if (recordedRow) {
            EXPECT_EQ(background.value<QColor>(), QColor(255, 0, 0)) << "row " << row + 1;
        }
    }
}
