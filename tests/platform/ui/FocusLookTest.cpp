// The focus shows where it is, for a keyboard user, from the moment a window
// opens: two controls alike but for the focus look different.
#include "WindowOnThread.h"

#include "platform/data/Queue.h"
#include "platform/data/Record.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

using namespace platform;

namespace {

#define ROWRECORD_FIELDS(X) X(CString<20>, NAME)
struct RowRecord {
    TABLOOM_RECORD(RowRecord, "", ROWRECORD_FIELDS)
};

class FocusLookTest : public WindowOnThread {
protected:
    void SetUp() override {
        for (const char* name : {"first", "second"}) {
            rows.rec.NAME = name;
            rows.add();
        }
        open({.label = "W", .title = "Focus", .at = {0, 0, 240, 120}, .controls = {
            {.type = CREATE::list, .label = "?One", .at = {4, 4, 100, 40}, .from = &rows},
            {.type = CREATE::list, .label = "?Two", .at = {110, 4, 100, 40}, .from = &rows},
            {.type = CREATE::button, .label = "?Three", .text = "Same", .at = {4, 60, 60, 14}},
            {.type = CREATE::button, .label = "?Four", .text = "Same", .at = {110, 60, 60, 14}},
        }});
    }

    QImage picture(std::string_view label) { return widget<QWidget>(label)->grab().toImage(); }
    bool looksAlike(std::string_view a, std::string_view b) { return picture(a) == picture(b); }

    Queue<RowRecord> rows;
};

}  // namespace

TEST_F(FocusLookTest, AFocusedListShowsItsFocusWithOrWithoutACurrentRow) {
    ASSERT_EQ(window().focus(), number("?One"));
    EXPECT_FALSE(looksAlike("?One", "?Two")) << "no current row: the list's frame";
    for (const char* list : {"?One", "?Two"}) window().setProperty(number(list), PROP::Selected, 1);
    drive::settle();
    ASSERT_EQ(window().focus(), number("?One"));
    EXPECT_FALSE(looksAlike("?One", "?Two")) << "the current row's focus";
    window().select(number("?Three"));
    drive::settle();
    EXPECT_TRUE(looksAlike("?One", "?Two")) << "neither has the focus";
}

TEST_F(FocusLookTest, AButtonGivenTheFocusShowsItBeforeAnyKeyIsPressed) {
    window().select(number("?Three"));
    drive::settle();
    EXPECT_FALSE(looksAlike("?Three", "?Four"));
}
