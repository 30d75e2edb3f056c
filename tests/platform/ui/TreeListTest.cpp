#include "RunningWindow.h"

#include "platform/data/Record.h"
#include "platform/ui/QueueModel.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <QTableView>
#include <gtest/gtest.h>

using namespace platform;

namespace {

#define TREEROW_FIELDS(X)   \
    X(CString<4>, MARKER)   \
    X(CString<20>, DISPLAY) \
    X(Long, LEVEL)          \
    X(Long, NUMBER)
struct TreeRow {
    TABLOOM_RECORD(TreeRow, "", TREEROW_FIELDS)
};

// Two types with two controls each, then a type of none: rows 1 to 7.
class TreeListTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::pair<const char*, Long> given[] = {{"Buttons", -1}, {"OK", 2},    {"Cancel", 2}, {"Entries", 1},
                                                      {"Name", 2},     {"Remark", 2}, {"Lists", 1}};
        for (const auto& [display, level] : given) {
            rows.rec.DISPLAY = display;
            rows.rec.LEVEL = level;
            rows.rec.NUMBER = static_cast<Long>(rows.records()) + 1;
            rows.add();
        }
        window = std::make_unique<RunningWindow>(WindowSpec{
            .label = "W", .title = "Tree", .at = {0, 0, 200, 120}, .controls = {
                {.type = CREATE::list, .label = "?Tree", .at = {2, 2, 196, 116}, .from = &rows,
                 .format = "10L(2)~M~@s2@80L(2)T~Name~@s20@#2#20L(2)@n3@#4#"}}});
    }

    QTableView* table() const { return qobject_cast<QTableView*>((*window)->view()->widget(window->number("?Tree"))); }
    std::vector<int> shown() const {
        std::vector<int> positions;
        for (int row = 0; row < table()->model()->rowCount(); ++row)
            if (!table()->isRowHidden(row)) positions.push_back(row + 1);
        return positions;
    }
    std::string selected() const { return drive::property(**window, "?Tree", PROP::Selected); }

    Queue<TreeRow> rows;
    std::unique_ptr<RunningWindow> window;
};

}  // namespace

TEST(ListFormat, ATreeColumnsLevelFollowsItsColoursAndIcon) {
    const struct {
        const char* format;
        std::vector<std::size_t> levels;  // 0: no tree
        std::vector<std::size_t> fields;
    } cases[] = {
        {"80L(2)T@s20@", {2}, {1}},
        {"10L@s2@80L(2)T~Name~@s20@#2#20L@n3@", {0, 3, 0}, {1, 2, 4}},
        {"80L(2)*T@s20@20L", {6, 0}, {1, 7}},
        {"80L(2)*?T@s20@20L", {7, 0}, {1, 8}},
    };
    for (const auto& c : cases) {
        std::vector<std::size_t> levels, fields;
        for (const ListColumn& column : parseListFormat(c.format)) {
            levels.push_back(column.tree ? levelField(column) : 0);
            fields.push_back(column.field);
        }
        EXPECT_EQ(levels, c.levels) << c.format;
        EXPECT_EQ(fields, c.fields) << c.format;
    }
}

TEST_F(TreeListTest, ACollapsedRowHidesTheRowsUnderItAndItsBoxOpensAndClosesThem) {
    EXPECT_EQ(shown(), (std::vector<int>{1, 4, 5, 6, 7}));
    EXPECT_EQ(table()->model()->index(1, 1).data().toString(), "OK") << "the level is no column";

    const struct {
        const char* step;
        void (*click)(Window&, std::string_view, int);
        int row;
        Long event;
        std::vector<int> shown;
        Long level;
    } steps[] = {
        {"open the first", drive::expandRow, 1, EVENT::Expanded, {1, 2, 3, 4, 5, 6, 7}, 1},
        {"collapse the second", drive::collapseRow, 4, EVENT::Contracted, {1, 2, 3, 4, 7}, -1},
        {"collapse the first", drive::collapseRow, 1, EVENT::Contracted, {1, 4, 7}, -1},
    };
    for (const auto& s : steps) {
        window->events.clear();
        s.click(**window, "?Tree", s.row);
        drive::settle();
        EXPECT_EQ(shown(), s.shown) << s.step;
        EXPECT_EQ(rows.at(static_cast<std::size_t>(s.row)).LEVEL, s.level) << s.step;
        ASSERT_EQ(window->taken(s.event).size(), 1u) << s.step;
        EXPECT_EQ(window->taken(s.event)[0].field, window->number("?Tree")) << s.step;
        EXPECT_EQ(drive::property(**window, "?Tree", PROP::TreeRow), std::to_string(s.row)) << s.step;
        EXPECT_TRUE(window->taken(EVENT::NewSelection).empty()) << s.step << ": the box chooses no row";
    }
    EXPECT_THROW(drive::expandRow(**window, "?Tree", 7), std::invalid_argument) << "a row with none under it";
    EXPECT_THROW(drive::chooseRow(**window, "?Tree", 5), std::invalid_argument) << "a hidden row";
}

TEST_F(TreeListTest, TheProgramsLevelsShowAndTheSelectedRowIsAQueuePositionHiddenRowsCounted) {
    drive::chooseRow(**window, "?Tree", 6);
    EXPECT_EQ(selected(), "6");
    EXPECT_EQ(rows.at(6).NUMBER, 6);

    rows.get(4);
    rows.rec.LEVEL = -1;
    rows.put();
    rows.get(1);
    rows.rec.LEVEL = 1;
    rows.put();
    drive::settle();
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3, 4, 7}));
    EXPECT_EQ(selected(), "6") << "a hidden row stays the selected position";

    (*window)->select(window->number("?Tree"), 7);
    drive::settle();
    EXPECT_EQ(table()->currentIndex().row(), 6);
    drive::chooseRow(**window, "?Tree", 2);
    EXPECT_EQ(selected(), "2");
}
