#include "WindowOnThread.h"

#include "platform/ui/QueueModel.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "platform/data/Record.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <functional>
#include <gtest/gtest.h>

using namespace platform;

namespace {

#define ROWRECORD_FIELDS(X) \
    X(CString<20>, LEFT)    \
    X(CString<20>, MIDDLE)  \
    X(CString<20>, RIGHT)   \
    X(Byte, MARK)
struct RowRecord {
    TABLOOM_RECORD(RowRecord, "", ROWRECORD_FIELDS)
};

// A window with a sheet of two tabs.
class WindowControlsTest : public WindowOnThread {
protected:
    void SetUp() override { open(spec()); }

    WindowSpec spec() {
        return {.label = "W", .title = "Controls", .at = {0, 0, 200, 120}, .controls = {
            {.type = CREATE::sheet, .label = "?Sheet", .at = {2, 2, 196, 100}, .children = {
                {.type = CREATE::tab, .label = "?FirstTab", .text = "First", .children = {
                    {.type = CREATE::list, .label = "?List", .at = {2, 2, 180, 60}, .from = &rows,
                     .format = "40L(2)|M~Left~0L(2)|M~Hidden~30R(2)~Right~@s3@", .mark = "MARK",
                     .fontName = "Arial", .fontSize = 10},
                }},
                {.type = CREATE::tab, .label = "?SecondTab", .text = "Second", .children = {
                    {.type = CREATE::check, .label = "?Flag", .text = "Flag", .use = bind(flag),
                     .trueValue = "Y", .falseValue = "N"},
                    {.type = CREATE::combo, .label = "?Driver", .text = "@s10", .at = {0, 20, 0, 0},
                     .use = bind(driver), .choices = "MSSQL|ODBC|ORACLE"},
                }},
            }},
        }};
    }

    Queue<RowRecord> rows;
    CString<2> flag{"N"};
    CString<11> driver{"ODBC"};
};

}  // namespace

TEST(ListFormat, ColumnsAreReadUpToTheNextWidth) {
    const struct {
        const char* format;
        std::vector<int> widths;
        std::vector<QString> headers;
        std::vector<std::size_t> fields;
    } cases[] = {
        {"1020L(2)@s255@", {1020}, {""}, {1}},
        {"51L(2)|M~Database~0L(2)|M~Owner~1020L(2)|M~Remark~@s255@", {51, 0, 1020}, {"Database", "Owner", "Remark"},
         {1, 2, 3}},
        {"30R(1)|M~Size~C(0)@n-10.2@#4#20L~Asc / Desc~@s1@", {30, 20}, {"Size", "Asc / Desc"}, {4, 5}},
        {"20L(2)|M~Name~@s20@?#2#10L(2)@s5@", {20, 10}, {"Name", ""}, {2, 4}},  // field 3 holds the icon
        // Fields 2 to 5 hold the first column's colours, then its icon, field 6.
        {"20L(2)*?~Stap~@n5@20L(2)~Naam~", {20, 20}, {"Stap", "Naam"}, {1, 7}},
        {"24R(2)|M*~Stap~@n5@#4#30R(2)~X~#9#30R(2)~Y~", {24, 30, 30}, {"Stap", "X", "Y"}, {4, 9, 10}},
    };
    for (const auto& c : cases) {
        std::vector<int> widths;
        std::vector<QString> headers;
        std::vector<std::size_t> fields;
        for (const ListColumn& column : parseListFormat(c.format)) {
            widths.push_back(column.width);
            headers.push_back(column.header);
            fields.push_back(column.field);
        }
        EXPECT_EQ(widths, c.widths) << c.format;
        EXPECT_EQ(headers, c.headers) << c.format;
        EXPECT_EQ(fields, c.fields) << c.format;
    }
}

namespace {

// A column's look in short: justification, indent, heading justification when
// its own, "|" for a border, "M" for resizable, then the picture.
std::string look(const ListColumn& c) {
    std::string text = std::string(1, c.justification) + std::to_string(c.indent);
    if (c.headerJustification) text += std::string("~") + c.headerJustification;
    return text + (c.rightBorder ? "|" : "") + (c.resizable ? "M" : "") + c.picture;
}

}  // namespace

TEST(ListFormat, JustificationBordersResizingAndPicturesAreRead) {
    const struct {
        const char* format;
        std::vector<std::string> looks;
    } cases[] = {
        {"51L(2)|M~Database~1020L(2)|M~Remark~@s255@", {"L2|M", "L2|M@s255"}},
        {"30R(1)|M~Size~C(0)@n-10.2@#4#20L~Asc / Desc~@s1@", {"R1~C|M@n-10.2", "L0@s1"}},
        {"1020C(2)|M@s255@#6#", {"C2|M@s255"}},
        {"40D(12)@n10.2@20", {"D12@n10.2", "L0"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> looks;
        for (const ListColumn& column : parseListFormat(c.format)) looks.push_back(look(column));
        EXPECT_EQ(looks, c.looks) << c.format;
    }
}

namespace {

#define COLOUREDROW_FIELDS(X)               \
    X(CString<20>, NAME)                    \
    X(Long, TEXTCOLOR)                      \
    X(Long, BACKCOLOR)                      \
    X(Long, SELECTEDTEXTCOLOR)              \
    X(Long, SELECTEDBACKCOLOR)              \
    X(CString<20>, NOTE)
struct ColouredRow {
    TABLOOM_RECORD(ColouredRow, "", COLOUREDROW_FIELDS)
};

}  // namespace

#define ICONROW_FIELDS(X)   \
    X(CString<20>, NAME)    \
    X(Long, ICON)
struct IconRow {
    TABLOOM_RECORD(IconRow, "", ICONROW_FIELDS)
};

TEST(ListIcons, AnEmptyNameKeepsTheNumbersOfTheIconsAfterIt) {
    Queue<IconRow> rows;
    for (Long icon : {1, 2, 3}) {
        rows.rec.NAME = "row " + std::to_string(icon);
        rows.rec.ICON = icon;
        rows.add();
    }
    RunningWindow w({.label = "W", .title = "Icons", .at = {0, 0, 200, 80}, .controls = {
        {.type = CREATE::list, .label = "?List", .at = {2, 2, 196, 76}, .from = &rows, .format = "80L(2)?~Name~@s20@"}}});
    const Long list = w.number("?List");
    w->setIndexedProperty(list, PROP::IconList, 3, "~Arrowdn2.ico");
    w->setIndexedProperty(list, PROP::IconList, 1, "~Arrowup2.ico");
    drive::settle();
    EXPECT_EQ(w->property(list, PROP::IconList), "~Arrowup2.ico||~Arrowdn2.ico");
    const struct {
        Long index;
        const char* name;
    } names[] = {{1, "~Arrowup2.ico"}, {2, ""}, {3, "~Arrowdn2.ico"}, {4, ""}, {0, ""}};
    for (const auto& n : names) EXPECT_EQ(w->indexedProperty(list, PROP::IconList, n.index), n.name) << n.index;
    auto* table = qobject_cast<QTableView*>(w->view()->widget(list));
    ASSERT_NE(table, nullptr);
    const auto shown = [&](int row) {
        const QVariant icon = table->model()->index(row, 0).data(Qt::DecorationRole);
        return icon.isValid() && !icon.value<QIcon>().isNull();
    };
    EXPECT_TRUE(shown(0));
    EXPECT_FALSE(shown(1)) << "icon 2 has no name";
    EXPECT_TRUE(shown(2)) << "icon 3 keeps its number";
    EXPECT_EQ(table->model()->index(2, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage(),
              iconFor("~Arrowdn2.ico").pixmap(16).toImage());
}

TEST(ListColours, AColouredColumnDrawsEachRowInItsColoursSelectedOrNot) {
    constexpr Long kRed = 0x0000FF, kGreen = 0x00FF00, kNone = -1;
    Queue<ColouredRow> rows;
    const struct {
        const char* name;
        Long text, back, selectedText, selectedBack;
    } given[] = {{"red", kNone, kRed, kRed, kNone}, {"plain", kNone, kNone, kNone, kNone},
                 {"green when selected", kNone, kNone, kNone, kGreen}};
    for (const auto& g : given) {
        rows.rec.NAME = g.name;
        rows.rec.TEXTCOLOR = g.text;
        rows.rec.BACKCOLOR = g.back;
        rows.rec.SELECTEDTEXTCOLOR = g.selectedText;
        rows.rec.SELECTEDBACKCOLOR = g.selectedBack;
        rows.rec.NOTE = "note";
        rows.add();
    }
    RunningWindow w({.label = "W", .title = "Colours", .at = {0, 0, 200, 80}, .controls = {
        {.type = CREATE::list, .label = "?List", .at = {2, 2, 196, 76}, .from = &rows,
         .format = "80L(2)*~Name~@s20@60L(2)~Note~@s20@"}}});
    auto* list = qobject_cast<QTableView*>(w->view()->widget(w.number("?List")));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->model()->index(0, 1).data().toString(), "note") << "the colours are no column";
    // A pixel of the cell right of its text, where only its background shows.
    const auto background = [&](int row) {
        const QRect cell = list->visualRect(list->model()->index(row, 0));
        return list->viewport()->grab().toImage().pixelColor(cell.right() - 4, cell.center().y());
    };
    const QColor highlight = list->palette().color(QPalette::Highlight);
    const QColor base = list->palette().color(QPalette::Base);
    EXPECT_EQ(background(0), colorFromNumber(kRed));
    EXPECT_EQ(background(1), base);
    EXPECT_EQ(list->model()->index(0, 0).data(SelectedForegroundRole).value<QColor>(), colorFromNumber(kRed));
    EXPECT_FALSE(list->model()->index(1, 0).data(Qt::ForegroundRole).isValid()) << "-1 is no colour";

    // The style shades a selected row a little.
    const auto near = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 48;
    };
    const struct {
        int row;
        QColor selected;
    } selections[] = {{0, highlight}, {2, colorFromNumber(kGreen)}};
    for (const auto& s : selections) {
        w->select(w.number("?List"), s.row + 1);
        drive::settle();
        EXPECT_TRUE(near(background(s.row), s.selected))
            << "row " << s.row + 1 << ": " << background(s.row).name().toStdString();
    }
}

TEST(ListColours, AColumnsFixedColoursAndTipHoldForEveryRow) {
    Queue<ColouredRow> rows;
    for (const char* name : {"one", "two"}) {
        rows.rec.NAME = name;
        rows.add();
    }
    RunningWindow w({.label = "W", .title = "Fixed", .at = {0, 0, 200, 80}, .controls = {
        {.type = CREATE::list, .label = "?List", .at = {2, 2, 196, 76}, .from = &rows,
         .format = "40L(2)E(0940FDH,0A3B7FEH, 10485760)'Specific property present'@s20@#1#60L(2)@s20@#6#"}}});
    w->setProperty(w.number("?List"), PROP::Tip, "The list");
    auto* list = qobject_cast<QTableView*>(w->view()->widget(w.number("?List")));
    ASSERT_NE(list, nullptr);
    const struct {
        int role;
        QVariant colour;
    } colours[] = {{Qt::ForegroundRole, colorFromNumber(0x0940FD)},
                   {Qt::BackgroundRole, colorFromNumber(0xA3B7FE)},
                   {SelectedForegroundRole, colorFromNumber(0xA00000)},
                   {SelectedBackgroundRole, QVariant()}};
    for (int row : {0, 1})
        for (const auto& c : colours) EXPECT_EQ(list->model()->index(row, 0).data(c.role), c.colour) << c.role;
    EXPECT_FALSE(list->model()->index(0, 1).data(Qt::BackgroundRole).isValid()) << "the next column has none";
    EXPECT_EQ(drive::tipOverCell(*w, "?List", 2, 1), "Specific property present");
    EXPECT_EQ(drive::tipOverCell(*w, "?List", 1, 2), "The list") << "elsewhere the list's own";
}

TEST_F(WindowControlsTest, ListColumnsTakeTheirWidthsAndHeadersAndAZeroWidthHides) {
    auto* list = widget<QTableView>("?List");
    ASSERT_NE(list, nullptr);
    const DialogUnits du(window().view()->font());
    EXPECT_EQ(list->columnWidth(0), du.toPixelsX(40));
    EXPECT_FALSE(list->isColumnHidden(0));
    EXPECT_TRUE(list->isColumnHidden(1));
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), "Left");

    rows.rec.RIGHT = "12345";
    rows.add();
    const QModelIndex right = list->model()->index(0, 2);
    EXPECT_EQ(right.data().toString(), "123") << "cut by its picture";
    EXPECT_EQ(right.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(list->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_EQ(list->horizontalHeader()->sectionResizeMode(2), QHeaderView::Fixed);
}

TEST_F(WindowControlsTest, AColumnsWidthIsReadAndWrittenByItsNumberIntoTheFormatAndShowsAtOnce) {
    auto* list = widget<QTableView>("?List");
    ASSERT_NE(list, nullptr);
    Window& w = window();
    const Long number = w.equate("?List");
    const struct {
        Long column;
        const char* exists;
        const char* width;
    } reads[] = {{1, "1", "40"}, {2, "1", "0"}, {3, "1", "30"}, {4, "0", ""}, {0, "0", ""}};
    for (const auto& r : reads) {
        EXPECT_EQ(w.indexedProperty(number, PROPLIST::Exists, r.column), r.exists) << r.column;
        EXPECT_EQ(w.indexedProperty(number, PROPLIST::Width, r.column), r.width) << r.column;
    }
    EXPECT_EQ(w.indexedProperty(w.equate("?Driver"), PROPLIST::Exists, 1), "0") << "a combo without a format";

    rows.add();
    w.select(number, 1);
    const DialogUnits du(window().view()->font());
    w.setIndexedProperty(number, PROPLIST::Width, 3, "55");
    w.setIndexedProperty(number, PROPLIST::Width, 1, "120");
    w.setIndexedProperty(number, PROPLIST::Width, 2, "25");
    EXPECT_EQ(w.property(number, PROP::Format), "120L(2)|M~Left~25L(2)|M~Hidden~55R(2)~Right~@s3@");
    EXPECT_EQ(w.indexedProperty(number, PROPLIST::Width, 3), "55");
    EXPECT_EQ(list->columnWidth(0), du.toPixelsX(120));
    EXPECT_FALSE(list->isColumnHidden(1)) << "no longer 0 wide";
    EXPECT_EQ(list->columnWidth(1), du.toPixelsX(25));
    EXPECT_EQ(list->currentIndex().row(), 0) << "the rows stay as they were";

    w.setIndexedProperty(number, PROPLIST::Width, 4, "10");
    w.setIndexedProperty(number, PROPLIST::Exists, 2, "0");
    EXPECT_EQ(w.property(number, PROP::Format), "120L(2)|M~Left~25L(2)|M~Hidden~55R(2)~Right~@s3@") << "no such column";
}

TEST_F(WindowControlsTest, TabsShowTheirTextAndHoldTheirControls) {
    auto* sheet = widget<QTabWidget>("?Sheet");
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->count(), 2);
    EXPECT_EQ(sheet->tabText(0), "First");
    EXPECT_EQ(sheet->tabText(1), "Second");
    EXPECT_TRUE(widget<QWidget>("?FirstTab")->isAncestorOf(widget<QWidget>("?List")));
    EXPECT_TRUE(widget<QWidget>("?SecondTab")->isAncestorOf(widget<QWidget>("?Flag")));
    EXPECT_EQ(drive::property(window(), "?Sheet", PROP::Selected), "1");
}

TEST_F(WindowControlsTest, ChoosingATabSelectsItAndSaysSo) {
    drive::chooseTab(window(), "?SecondTab");
    EXPECT_EQ(drive::property(window(), "?Sheet", PROP::Selected), "2");
    EXPECT_TRUE(took(EVENT::NewSelection, "?Sheet"));

    window().setProperty(window().control("?Sheet")->number, PROP::Selected, 1);
    EXPECT_EQ(widget<QTabWidget>("?Sheet")->currentIndex(), 0);
}

TEST_F(WindowControlsTest, SelectingATabShowsItOnItsSheet) {
    window().select(window().control("?SecondTab")->number);
    EXPECT_EQ(drive::property(window(), "?Sheet", PROP::Selected), "2");
    EXPECT_EQ(widget<QTabWidget>("?Sheet")->currentIndex(), 1);
}

TEST_F(WindowControlsTest, AMarkIsTheRowsCheckBoxAndClickingItSelectsTheRow) {
    for (const char* left : {"one", "two"}) {
        rows.rec.LEFT = left;
        rows.add();
    }
    rows.get(1);
    auto* list = widget<QTableView>("?List");
    drive::toggleMark(window(), "?List", 2);
    EXPECT_EQ(rows.at(2).MARK, 1);
    EXPECT_EQ(rows.at(1).MARK, 0);
    EXPECT_EQ(rows.rec.LEFT.str(), "one") << "the buffer is the program's";
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(drive::property(window(), "?List", PROP::Selected), "2");
    EXPECT_TRUE(took(EVENT::NewSelection, "?List"));
    drive::toggleMark(window(), "?List", 2);
    EXPECT_EQ(rows.at(2).MARK, 0);
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

TEST_F(WindowControlsTest, AClickOnTheCurrentRowIsANewSelectionAgain) {
    for (const char* left : {"one", "two"}) {
        rows.rec.LEFT = left;
        rows.add();
    }
    drive::chooseRow(window(), "?List", 2);
    clearEvents();
    drive::chooseRow(window(), "?List", 2);
    EXPECT_TRUE(took(EVENT::NewSelection, "?List"));
    EXPECT_EQ(drive::property(window(), "?List", PROP::Selected), "2");
}

TEST_F(WindowControlsTest, ANewSelectionOfARowSaysWhatChoseItAndEnterAcceptsTheList) {
    for (const char* left : {"one", "two", "three"}) {
        rows.rec.LEFT = left;
        rows.add();
    }
    drive::chooseRow(window(), "?List", 2);
    drive::chooseRow(window(), "?List", 2);
    drive::pressKey(window(), KEY::Down);
    drive::pressKey(window(), KEY::Up);
    EXPECT_EQ(keysOf(EVENT::NewSelection, "?List"), (std::vector<Long>{KEY::MouseLeft, KEY::MouseLeft, KEY::Down, KEY::Up}));
    EXPECT_EQ(drive::property(window(), "?List", PROP::Selected), "2");
    clearEvents();
    drive::pressKey(window(), KEY::Enter);
    EXPECT_EQ(keysOf(EVENT::Accepted, "?List"), std::vector<Long>{KEY::Enter});
    EXPECT_EQ(keysOf(EVENT::NewSelection, "?List"), std::vector<Long>{}) << "Enter moves nothing";
}

TEST_F(WindowControlsTest, ADoubleClickOnARowMakesItCurrentThenIsTheAlertedKey) {
    for (const char* left : {"one", "two", "three"}) {
        rows.rec.LEFT = left;
        rows.add();
    }
    window().alert(window().equate("?List"), KEY::MouseLeft2);
    drive::doubleClickRow(window(), "?List", 3);
    EXPECT_TRUE(took(EVENT::NewSelection, "?List"));
    EXPECT_TRUE(took(EVENT::AlertKey, "?List"));
    EXPECT_EQ(drive::property(window(), "?List", PROP::Selected), "3");
}

TEST_F(WindowControlsTest, AListKeepsItsHighlightedRowWhileItsQueueChanges) {
    const auto fill = [this] {
        for (const char* left : {"a", "b", "c", "d"}) {
            rows.rec.LEFT = left;
            rows.add();
        }
    };
    fill();
    window().select(window().control("?List")->number, 3);
    clearEvents();
    const struct {
        const char* change;
        std::function<void()> make;
    } changes[] = {
        {"an ADD before it", [this] { rows.rec.LEFT = "first", rows.add(1); }},
        {"a DELETE of another row", [this] { rows.get(1), rows.remove(); }},
        {"a PUT of it", [this] { rows.get(3), rows.rec.LEFT = "changed", rows.put(); }},
        {"a SORT", [this] { rows.sort({{"LEFT", true}}); }},
        {"a FREE and the same rows again", [this, fill] { rows.free(), fill(); }},
    };
    auto* list = widget<QTableView>("?List");
    for (const auto& c : changes) {
        c.make();
        drive::settle();
        EXPECT_EQ(list->currentIndex().row(), 2) << c.change;
        EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1) << c.change;
        EXPECT_TRUE(list->selectionModel()->isRowSelected(2)) << c.change;
        EXPECT_EQ(drive::property(window(), "?List", PROP::Selected), "3") << c.change;
    }
    EXPECT_TRUE(events().empty()) << "the program's changes are no choice of the user";
}

TEST_F(WindowControlsTest, SetcursorReplacesTheProgramsCursorAndGivesItBack) {
    SETCURSOR(CURSOR::Wait);
    SETCURSOR(CURSOR::Cross);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
    SETCURSOR();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "nothing stacked under it";
}

TEST_F(WindowControlsTest, AHiddenTabLeavesTheTabBar) {
    const Long second = window().control("?SecondTab")->number;
    window().setProperty(second, PROP::Hide, 1);
    EXPECT_FALSE(widget<QTabWidget>("?Sheet")->tabBar()->isTabVisible(1));
    window().setProperty(second, PROP::Hide, 0);
    EXPECT_TRUE(widget<QTabWidget>("?Sheet")->tabBar()->isTabVisible(1));
}

TEST_F(WindowControlsTest, ACheckBoxStoresItsValues) {
    drive::chooseTab(window(), "?SecondTab");
    drive::click(window(), "?Flag");
    EXPECT_EQ(flag.str(), "Y");
    EXPECT_TRUE(took(EVENT::Accepted, "?Flag"));
    drive::click(window(), "?Flag");
    EXPECT_EQ(flag.str(), "N");

    flag = "Y";
    window().display();
    EXPECT_TRUE(widget<QCheckBox>("?Flag")->isChecked());
}

TEST_F(WindowControlsTest, AClickOnAControlOfATabNotShownReachesNothing) {
    drive::click(window(), "?Flag");
    EXPECT_EQ(flag.str(), "N");
    EXPECT_TRUE(events().empty());
}

TEST_F(WindowControlsTest, AComboOffersItsChoicesAndTakesOne) {
    auto* combo = widget<QComboBox>("?Driver");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), "MSSQL");
    EXPECT_EQ(combo->currentText(), "ODBC") << "the bound variable, not the first choice";
    drive::chooseTab(window(), "?SecondTab");
    drive::chooseFromDropList(window(), "?Driver", "ORACLE");
    EXPECT_EQ(driver.str(), "ORACLE");
    EXPECT_TRUE(took(EVENT::Accepted, "?Driver"));
}

TEST_F(WindowControlsTest, ACreatedSpinStepsThroughItsQueueAsAListsInPlaceEditor) {
    for (const char* choice : {"AND", "OR"}) {
        rows.rec.LEFT = choice;
        rows.add();
    }
    const Long list = window().control("?List")->number;
    const Long spin = window().create({.type = CREATE::spin, .from = &rows, .readOnly = true});
    ASSERT_EQ(spin, window().lastControl());
    auto* editor = window().view()->widget(spin);
    EXPECT_FALSE(editor->isVisible()) << "created hidden";
    CString<4> connector{"OR"};
    window().use(spin, bind(connector));
    EXPECT_EQ(window().property(spin, PROP::ScreenText), "OR");

    // The editor takes the list's font, as the structure gives it.
    for (const Long prop : {PROP::FontName, PROP::FontSize})
        window().setProperty(spin, prop, window().property(list, prop));
    EXPECT_EQ(editor->font().pointSize(), 10);
    EXPECT_EQ(editor->font().family(), mappedFont("Arial", 10).family());

    window().setProperty(list, PROP::Selected, 2);
    window().setProperty(list, PROP::Edit, spin);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(widget<QTableView>("?List")->isAncestorOf(editor));
    window().alert(spin, KEY::Enter);
    window().select(spin);
    EXPECT_EQ(window().focus(), spin);
    drive::pressKey(window(), KEY::Up);
    EXPECT_EQ(window().property(spin, PROP::ScreenText), "AND") << "past the last row it wraps";
    drive::pressKey(window(), KEY::Enter);
    EXPECT_EQ(events().back(), std::make_pair(EVENT::AlertKey, spin));
    window().update(spin);
    EXPECT_EQ(connector.str(), "AND");

    window().setProperty(list, PROP::Edit, 0);
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(WindowControlsTest, AWizardSheetHidesItsTabsAndAListCanHaveNoSelectedRow) {
    const Long sheet = window().control("?Sheet")->number;
    window().setProperty(sheet, PROP::Wizard, 1);
    EXPECT_FALSE(widget<QTabWidget>("?Sheet")->tabBar()->isVisible());
    window().setProperty(sheet, PROP::Selected, 2);
    EXPECT_EQ(widget<QTabWidget>("?Sheet")->currentIndex(), 1) << "the program still switches the pages";

    rows.add();
    rows.add();
    const Long list = window().control("?List")->number;
    // Taking the focus with no row current makes Qt choose one.
    window().select(list, -1);
    EXPECT_FALSE(took(EVENT::NewSelection, "?List")) << "the program's choices are no user's";
    window().select(list, 2);
    EXPECT_TRUE(widget<QTableView>("?List")->selectionModel()->isRowSelected(1));
    window().select(list, -1);
    EXPECT_FALSE(widget<QTableView>("?List")->selectionModel()->hasSelection());
    EXPECT_FALSE(took(EVENT::NewSelection, "?List"));
}
