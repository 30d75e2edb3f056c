#include "odbccatalog/CatalogTestSupport.h"
#include "support/DutchLocale.h"
#include "programsupport/ProgramFixture.h"
#include "support/SqliteFixture.h"
#include "support/WindowStructure.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "platform/ui/WindowView.h"

#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <gmock/gmock.h>

using namespace platform;

namespace {

constexpr const char* kTitle = "SQL Query wizard";
constexpr const char* kQueryTitle = "Browse an ODBC connection";

constexpr const char* kShop =
    "CREATE TABLE Products (ProductName VARCHAR, City VARCHAR, UnitPrice CURRENCY, Stock INT, Weight DECIMAL);"
    "INSERT INTO Products VALUES ('Chai', 'London', 18, 39, 1.5);"
    "INSERT INTO Products VALUES ('Chang', 'Lyon', 19, 17, 2);"
    "INSERT INTO Products VALUES ('Tofu', 'Londrina', 9, 35, 0.5);";

class QueryBuilderTest : public ProgramFixture {
protected:
    // Connects, opens the query window with F3 and the builder from it.
    Window& openBuilder() {
        connect(shop.connectString());
        query = &openWindow(KEY::F3, kQueryTitle);
        drive::click(*query, "?QueryBuilderButton");
        Window* w = drive::waitForWindow(kTitle);
        if (!w) throw std::runtime_error("the builder did not open");
        return *w;
    }

    static QTableView* listView(Window& w, const char* list) {
        return qobject_cast<QTableView*>(w.view()->widget(w.control(list)->number));
    }
    static std::vector<std::string> shown(Window& w, const char* list) {
        std::vector<std::string> rows;
        QAbstractItemModel* model = listView(w, list)->model();
        for (int row = 0; row < model->rowCount(); ++row)
            rows.push_back(model->index(row, 0).data().toString().toStdString());
        return rows;
    }
    static int rowOf(Window& w, const char* list, std::string_view text) {
        const std::vector<std::string> rows = shown(w, list);
        const auto it = std::find(rows.begin(), rows.end(), text);
        if (it == rows.end()) throw std::invalid_argument(std::string(text) + " is not in " + list);
        return static_cast<int>(it - rows.begin()) + 1;
    }
    static void choose(Window& w, const char* list, std::string_view text) {
        drive::chooseRow(w, list, rowOf(w, list, text));
    }
    static void condition(Window& w, const char* column, const char* op, const char* value) {
        choose(w, "?ColumnList", column);
        choose(w, "?QBEFunctionList", op);
        drive::typeOver(w, "?QBEValue", value);
    }
    static Long selected(Window& w, const char* list) {
        return w.numberProperty(w.control(list)->number, PROP::Selected);
    }
    static bool tabHidden(Window& w, const char* tab) { return drive::property(w, tab, PROP::Hide) == "1"; }
    static bool builderOpen() { return drive::window(kTitle) != nullptr; }
    // Execute, which is refused: what the message says (answered).
    static std::string refusedExecute(Window& w) {
        drive::click(w, "?ExecuteButton");
        const std::string said = drive::messageText();
        drive::answerMessage("&OK");
        EXPECT_TRUE(builderOpen());
        return said;
    }

    const SqliteFixture shop{kShop};
    Window* query = nullptr;
};

}  // namespace

TEST_F(QueryBuilderTest, TheWindowIsLaidOutAsItsStructure) {
    Window& w = openBuilder();
    expectControls(w, {
        {"?QBESheet", CREATE::sheet, ""},
        {"?InTextTab", CREATE::tab, "Queyr in text"},
        {"?QBEList", CREATE::list, ""},
        {"?SQLQueryTab", CREATE::tab, "SQL Query"},
        {"?QBEQueryList", CREATE::list, ""},
        {"?TableList", CREATE::list, ""},
        {"?ConditionSheet", CREATE::sheet, ""},
        {"?SQLConditionTab", CREATE::tab, "SQL condition"},
        {"?ColumnList", CREATE::list, ""},
        {"?OperatorString", CREATE::string, "Operator / functie:"},
        {"?QFQ:SQLFunction", CREATE::combo, "@s254"},
        {"?QBEFunctionList", CREATE::list, ""},
        {"?QBEFunction", CREATE::sheet, ""},
        {"?OperatorTab", CREATE::tab, "Operator"},
        {"?QBEValue", CREATE::entry, "@s255"},
        {"?QBE:CaseInsentive", CREATE::check, "Case insentive"},
        {"?NewAndConditionButton", CREATE::button, "Add 'AND' / 'OR'-condition"},
        {"?PlaceHooksButton", CREATE::button, "Place hooks '(' / ')'"},
        {"?Tab2", CREATE::tab, "Tab 2"},
        {"?Tab3", CREATE::tab, "Tab 3"},
        {"?Tab4", CREATE::tab, "Tab 4"},
        {"?SoundexTab", CREATE::tab, "Soundex"},
        {"?DifferenceTab", CREATE::tab, "Difference"},
        {"?QFQ:Description", CREATE::entry, "@s255"},
        {"?ColumnName", CREATE::entry, "@s254"},
        {"?AndOrTab", CREATE::tab, "AND / OR Condition"},
        {"?ChangeToAndConditionButton:2", CREATE::button, "Wijzig in een 'AND'-conditie"},
        {"?ChangeToOrConditionButton:2", CREATE::button, "Wijzig in een 'OR'-conditie"},
        {"?DeleteConditionButton", CREATE::button, "Delete selected condition"},
        {"?CancelButton", CREATE::button, "Cancel"},
        {"?ExecuteButton", CREATE::button, "Execute query"},
        {"", CREATE::spin, ""},  // the connector editor, created when the window opens
    });
    const struct {
        const char* label;
        const char* format;
    } formats[] = {
        {"?QBEList", "1020C(2)|M@s255@#6#"},
        {"?QBEQueryList", "1020C(2)|M@s255@#7#"},
        {"?TableList", "70L(2)|M~Table~@s255@?#3#1020L(2)|M~Owner~@s128@#2#"},
        {"?ColumnList", "1016L(2)|M~Field~@s254@?#4#"},
        {"?QFQ:SQLFunction", "1016L(2)|M@s254@#2#"},
        {"?QBEFunctionList", "1020L(2)|M@s255@"},
    };
    for (const auto& f : formats) EXPECT_EQ(drive::property(w, f.label, PROP::Format), f.format) << f.label;
    for (const char* rows : {"?QBEList", "?QBEQueryList"}) EXPECT_EQ(drive::property(w, rows, PROP::FontName), "Arial");
    // Where the controls lie: on the window, a tab or a page of the operator sheet.
    const struct {
        const char* label;
        const char* on;
    } places[] = {
        {"?QBEList", "?InTextTab"},
        {"?QBEQueryList", "?SQLQueryTab"},
        {"?TableList", ""},
        {"?ColumnList", "?SQLConditionTab"},
        {"?QFQ:SQLFunction", "?SQLConditionTab"},
        {"?QBEFunctionList", "?SQLConditionTab"},
        {"?QBEFunction", "?SQLConditionTab"},
        {"?QFQ:Description", "?SQLConditionTab"},
        {"?ColumnName", "?SQLConditionTab"},
        {"?QBEValue", "?OperatorTab"},
        {"?QBE:CaseInsentive", "?OperatorTab"},
        {"?NewAndConditionButton", "?OperatorTab"},
        {"?PlaceHooksButton", "?OperatorTab"},
        {"?ChangeToAndConditionButton:2", "?AndOrTab"},
        {"?ChangeToOrConditionButton:2", "?AndOrTab"},
        {"?DeleteConditionButton", ""},
        {"?CancelButton", ""},
        {"?ExecuteButton", ""},
    };
    for (const auto& p : places) EXPECT_EQ(w.property(w.control(p.label)->parent, PROP::Label), p.on) << p.label;
    for (const char* button : {"?CancelButton", "?ExecuteButton"})
        EXPECT_FALSE(drive::property(w, button, PROP::Icon).empty()) << button;
    EXPECT_EQ(drive::property(w, "?ColumnList", PROP::IconList), "ZelCheckoff.ico|ZelCheckon.ico");
    const std::vector<std::string> operators = shown(w, "?QBEFunctionList");
    ASSERT_EQ(operators.size(), 18u);
    EXPECT_EQ(operators.front(), "is equal to (=)");
    EXPECT_EQ(operators[15], "does not exists (NOT EXISTS)");
    EXPECT_EQ(operators.back(), "sounds almost like (DIFFERENCE)");
    EXPECT_EQ(drive::property(w, "?QBE:CaseInsentive", PROP::Disable), "1");
    for (const char* wizard : {"?ConditionSheet", "?QBEFunction"}) {
        auto* sheet = qobject_cast<QTabWidget*>(w.view()->widget(w.control(wizard)->number));
        EXPECT_FALSE(sheet->tabBar()->isVisible()) << wizard;
    }
    EXPECT_THAT(shown(w, "?QBEList"), ::testing::ElementsAre("")) << "one empty condition";
    EXPECT_THAT(column(GTQ, &GTQRecord::TABLENAME), ::testing::ElementsAre("Products"));
}

TEST_F(QueryBuilderTest, ItOpensCentredOverTheQueryWindowWhereverTheFrameStands) {
    connect(shop.connectString());
    drive::dragCaption(frame(), 30, 20);
    query = &openWindow(KEY::F3, kQueryTitle);
    drive::dragCaption(*query, 0, 60);
    drive::click(*query, "?QueryBuilderButton");
    Window* builder = drive::waitForWindow(kTitle);
    ASSERT_NE(builder, nullptr);
    const QRect shown = builder->view()->screenRect();
    const QPoint over = query->view()->screenRect().center();
    EXPECT_LE((shown.center() - over).manhattanLength(), 2);
    EXPECT_GT(shown.top(), frame().view()->mdiArea()->mapToGlobal(QPoint(0, 0)).y()) << "below the frame's menu";
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(shown));
}

TEST_F(QueryBuilderTest, WhileItIsOpenTheQueryWindowTakesNoInputAndTheCatalogueWindowGoesOn) {
    Window& w = openBuilder();
    const std::string rowsBefore = drive::property(*query, "?RecordCountString", PROP::Text);
    drive::click(*query, "?ExecuteQueryButton");
    drive::click(*query, "?QueryBuilderButton");
    EXPECT_EQ(drive::property(*query, "?RecordCountString", PROP::Text), rowsBefore) << "nothing executed";
    const std::vector<std::string> titles = drive::windowTitles();
    EXPECT_EQ(std::count(titles.begin(), titles.end(), kTitle), 1) << "no second builder";

    Window& catalogue = openWindow(KEY::F4, "Tabloom");
    drive::chooseTab(catalogue, "?ColumnsTab");
    EXPECT_EQ(drive::property(catalogue, "?Sheet", PROP::Selected), "2");
    drive::click(w, "?CancelButton");
    EXPECT_FALSE(builderOpen());
}

TEST_F(QueryBuilderTest, ChoosingColumnOperatorAndValueWritesTheRowInBothViews) {
    Window& w = openBuilder();
    condition(w, "City", "contains (LIKE)", "Lon%");
    EXPECT_THAT(shown(w, "?QBEList"), ::testing::ElementsAre("City contains (LIKE) 'Lon%'"));
    EXPECT_THAT(shown(w, "?QBEQueryList"), ::testing::ElementsAre("CITY LIKE 'Lon%'"));
    EXPECT_EQ(drive::property(w, "?QBE:CaseInsentive", PROP::Disable), "0");
    drive::click(w, "?QBE:CaseInsentive");
    EXPECT_THAT(shown(w, "?QBEQueryList"), ::testing::ElementsAre("UPPER(CITY) LIKE UPPER('Lon%')"));

    choose(w, "?ColumnList", "UnitPrice");
    choose(w, "?QBEFunctionList", "is greater than (>)");
    drive::typeOver(w, "?QBEValue", "10");
    EXPECT_THAT(shown(w, "?QBEList"), ::testing::ElementsAre("UnitPrice is greater than (>) 10"));
    EXPECT_EQ(drive::property(w, "?QBE:CaseInsentive", PROP::Disable), "1");
}

// What the row lists paint of a row: the pixels of its visible part that
// differ from its background, the row's colour at its left edge.
int paintedPixels(QTableView* list, int row) {
    const QImage image = list->viewport()->grab().toImage();
    const QRect cells = list->visualRect(list->model()->index(row, 0)).intersected(list->viewport()->rect());
    const QRgb background = image.pixel(cells.left() + 1, cells.center().y());
    int painted = 0;
    for (int y = cells.top(); y <= cells.bottom(); ++y)
        for (int x = cells.left(); x <= cells.right(); ++x) painted += image.pixel(x, y) != background;
    return painted;
}

TEST_F(QueryBuilderTest, TheRowListsShowTheConditionsText) {
    Window& w = openBuilder();
    condition(w, "City", "contains (LIKE)", "Lon%");
    EXPECT_GT(paintedPixels(listView(w, "?QBEList"), 0), 50) << "City contains (LIKE) 'Lon%'";
    drive::chooseTab(w, "?SQLQueryTab");
    EXPECT_GT(paintedPixels(listView(w, "?QBEQueryList"), 0), 50) << "CITY LIKE 'Lon%'";
}

TEST_F(QueryBuilderTest, TypingAnOperatorInTheComboSelectsItInTheList) {
    Window& w = openBuilder();
    choose(w, "?ColumnList", "City");
    drive::type(w, "?QFQ:SQLFunction", "like");
    drive::pressKey(w, KEY::Enter);
    EXPECT_EQ(selected(w, "?QBEFunctionList"), 9);
    EXPECT_EQ(drive::screenText(w, "?QFQ:Description"), "contains (LIKE)");
    drive::typeOver(w, "?QBEValue", "L%");
    EXPECT_THAT(shown(w, "?QBEList"), ::testing::ElementsAre("City contains (LIKE) 'L%'"));
}

TEST_F(QueryBuilderTest, TwoConditionsJoinedByAndReachTheQueryWindowsStatement) {
    Window& w = openBuilder();
    condition(w, "City", "contains (LIKE)", "Lon%");
    drive::click(w, "?NewAndConditionButton");
    EXPECT_THAT(shown(w, "?QBEList"), ::testing::ElementsAre("City contains (LIKE) 'Lon%'", "AND", "???"));
    EXPECT_EQ(selected(w, "?ConditionSheet"), 2) << "the AND / OR tab";
    drive::click(w, "?ChangeToAndConditionButton:2");
    EXPECT_EQ(selected(w, "?QBEList"), 3) << "the placeholder is next";
    condition(w, "UnitPrice", "is greater than (>)", "10");
    drive::click(w, "?ExecuteButton");
    EXPECT_FALSE(builderOpen());
    EXPECT_EQ(Glo::Query, "SELECT * FROM Products WHERE CITY LIKE 'Lon%' AND UNITPRICE > 10");
    drive::click(*query, "?ExecuteQueryButton");
    EXPECT_EQ(drive::property(*query, "?RecordCountString", PROP::Text), "1") << "the statement runs: Chai";
}

TEST_F(QueryBuilderTest, ANumericValueKeepsItsFractionInADutchSession) {
    const DutchLocale dutch;
    if (!dutch.active()) GTEST_SKIP() << DutchLocale::kMissing;
    Window& w = openBuilder();
    condition(w, "UnitPrice", "is smaller than (<)", "9.5");
    EXPECT_THAT(shown(w, "?QBEQueryList"), ::testing::ElementsAre("UNITPRICE < 9.5"));
    drive::click(w, "?ExecuteButton");
    drive::click(*query, "?ExecuteQueryButton");
    EXPECT_EQ(drive::property(*query, "?RecordCountString", PROP::Text), "1") << "Tofu costs 9";
}

// Execute with a row unfinished says what it lacks and keeps the window open.
TEST_F(QueryBuilderTest, AnUnfinishedConditionKeepsTheWindowOpenAndSaysWhatIsMissing) {
    Window& w = openBuilder();
    EXPECT_THAT(refusedExecute(w), ::testing::StartsWith("A condition has no column yet")) << "nothing chosen";
    choose(w, "?ColumnList", "City");
    EXPECT_THAT(refusedExecute(w), ::testing::StartsWith("A condition has no operator yet"));
    choose(w, "?QBEFunctionList", "contains (LIKE)");
    drive::typeOver(w, "?QBEValue", "Lon%");
    drive::click(w, "?NewAndConditionButton");
    EXPECT_THAT(refusedExecute(w), ::testing::StartsWith("The condition after AND / OR is still empty"));
    EXPECT_THAT(shown(w, "?QBEQueryList"), ::testing::ElementsAre("CITY LIKE 'Lon%'", "AND", "???"))
        << "the current connector is not rebuilt as a condition";
    drive::click(w, "?ChangeToOrConditionButton:2");
    EXPECT_THAT(refusedExecute(w), ::testing::StartsWith("A condition has no column yet"))
        << "the placeholder, current now, is rebuilt as a condition without a column";
    drive::click(w, "?CancelButton");
    EXPECT_FALSE(builderOpen());
    EXPECT_EQ(Glo::Query.find("WHERE"), std::string::npos);
}

TEST_F(QueryBuilderTest, AConnectorToggledInTheTextViewShowsInBothViews) {
    Window& w = openBuilder();
    condition(w, "City", "contains (LIKE)", "Lon%");
    drive::click(w, "?NewAndConditionButton");
    drive::chooseRow(w, "?QBEList", 1);
    drive::chooseRow(w, "?QBEList", 2);
    const Long editor = w.lastControl();
    EXPECT_EQ(w.focus(), editor);
    EXPECT_TRUE(tabHidden(w, "?SQLQueryTab"));
    EXPECT_EQ(drive::property(w, "?QBEList", PROP::Edit), std::to_string(editor));
    EXPECT_EQ(w.property(editor, PROP::FontName), "Arial") << "the list's font";
    drive::pressKey(w, KEY::Up);
    drive::pressKey(w, KEY::Enter);
    EXPECT_THAT(shown(w, "?QBEList"), ::testing::ElementsAre("City contains (LIKE) 'Lon%'", "OR", "???"));
    EXPECT_THAT(shown(w, "?QBEQueryList"), ::testing::ElementsAre("CITY LIKE 'Lon%'", "OR", "???"));
    EXPECT_FALSE(tabHidden(w, "?SQLQueryTab"));
    EXPECT_EQ(drive::property(w, "?QBEList", PROP::Edit), "0");
    EXPECT_EQ(selected(w, "?QBEList"), 3) << "the connector is left behind";
    condition(w, "UnitPrice", "is greater than (>)", "18");
    drive::click(w, "?ExecuteButton");
    EXPECT_EQ(Glo::Query, "SELECT * FROM Products WHERE CITY LIKE 'Lon%' OR UNITPRICE > 18");
}

TEST_F(QueryBuilderTest, AfterAConnectorChangesTheNextConditionShowsItsOwnParts) {
    Window& w = openBuilder();
    condition(w, "City", "contains (LIKE)", "Lon%");
    drive::click(w, "?NewAndConditionButton");
    drive::click(w, "?ChangeToAndConditionButton:2");
    condition(w, "UnitPrice", "is greater than (>)", "10");
    drive::chooseRow(w, "?QBEList", 1);
    drive::chooseRow(w, "?QBEList", 2);
    drive::click(w, "?ChangeToOrConditionButton:2");
    EXPECT_EQ(selected(w, "?ColumnList"), rowOf(w, "?ColumnList", "UnitPrice"));
    EXPECT_EQ(selected(w, "?QBEFunctionList"), rowOf(w, "?QBEFunctionList", "is greater than (>)"));
    EXPECT_EQ(drive::screenText(w, "?QBEValue"), "10");
    drive::typeOver(w, "?QBEValue", "18");
    EXPECT_THAT(shown(w, "?QBEQueryList"), ::testing::ElementsAre("CITY LIKE 'Lon%'", "OR", "UNITPRICE > 18"));
}

TEST_F(QueryBuilderTest, AConnectorToggledInTheSqlViewLeavesTheNextRowToItsChoices) {
    Window& w = openBuilder();
    condition(w, "City", "contains (LIKE)", "Lon%");
    drive::click(w, "?NewAndConditionButton");
    drive::click(w, "?ChangeToAndConditionButton:2");
    choose(w, "?ColumnList", "UnitPrice");
    drive::chooseTab(w, "?SQLQueryTab");
    drive::chooseRow(w, "?QBEQueryList", 2);
    EXPECT_TRUE(tabHidden(w, "?InTextTab"));
    drive::pressKey(w, KEY::Up);
    drive::pressKey(w, KEY::Enter);
    EXPECT_THAT(refusedExecute(w), ::testing::StartsWith("A condition has no operator yet"));
    choose(w, "?QBEFunctionList", "is greater than (>)");
    drive::typeOver(w, "?QBEValue", "10");
    EXPECT_THAT(shown(w, "?QBEList"),
                ::testing::ElementsAre("City contains (LIKE) 'Lon%'", "OR", "UnitPrice is greater than (>) 10"));
    drive::click(w, "?ExecuteButton");
    EXPECT_EQ(Glo::Query, "SELECT * FROM Products WHERE CITY LIKE 'Lon%' OR UNITPRICE > 10");
}

TEST_F(QueryBuilderTest, DeletingAConditionTakesOneConnectorAndKeepsTheLastCondition) {
    Window& w = openBuilder();
    condition(w, "City", "contains (LIKE)", "Lon%");
    drive::click(w, "?NewAndConditionButton");
    drive::click(w, "?ChangeToAndConditionButton:2");
    condition(w, "Stock", "is equal to (=)", "39");
    EXPECT_THAT(shown(w, "?QBEQueryList"), ::testing::ElementsAre("CITY LIKE 'Lon%'", "AND", "STOCK = '39'"))
        << "INT is quoted";

    drive::chooseRow(w, "?QBEList", 2);
    drive::click(w, "?DeleteConditionButton");
    EXPECT_EQ(shown(w, "?QBEList").size(), 3u) << "a connector is not deleted";

    drive::chooseRow(w, "?QBEList", 1);
    drive::click(w, "?DeleteConditionButton");
    EXPECT_THAT(shown(w, "?QBEQueryList"), ::testing::ElementsAre("STOCK = '39'"));
    drive::click(w, "?DeleteConditionButton");
    EXPECT_THAT(shown(w, "?QBEQueryList"), ::testing::ElementsAre(""));
    EXPECT_EQ(selected(w, "?ColumnList"), -1);
}


// On the PostgreSQL test server, in a database of its own: public.customers,
// first on the search path, and sales.customers, the one chosen.
TEST_F(QueryBuilderTest, OnPostgresTheChosenOwnersTableIsRead) {
    const std::string server = testServer("TABLOOM_PG_CONNECT");
    if (server.empty()) GTEST_SKIP() << "TABLOOM_PG_CONNECT is not set; scripts/test.sh starts the server and sets it";
    const auto on = [&server](const std::string& database) {
        std::string connect = server;
        return connect.replace(connect.find("DATABASE=tabloom_test"), 21, "DATABASE=" + database);
    };
    const std::string database = ofThisProgram("tabloom_owners");
    runOnServer(on("postgres"), "DROP DATABASE IF EXISTS " + database + " WITH (FORCE)");
    runOnServer(on("postgres"), "CREATE DATABASE " + database);
    runOnServer(on(database),
                "CREATE TABLE public.customers (name varchar(20));"
                "INSERT INTO public.customers VALUES ('first'), ('second');"
                "CREATE SCHEMA sales; CREATE TABLE sales.customers (name varchar(20));"
                "INSERT INTO sales.customers VALUES ('sold');");
    // The row of the table list whose owner is sales.
    const auto salesRow = [](Window& w) {
        QAbstractItemModel* tables = listView(w, "?TableList")->model();
        for (int row = 0; row < tables->rowCount(); ++row)
            if (tables->index(row, 0).data() == "customers" && tables->index(row, 1).data() == "sales") return row + 1;
        throw std::runtime_error("no sales.customers in the list");
    };
    connect(on(database));
    query = &openWindow(KEY::F3, kQueryTitle);
    drive::chooseRow(*query, "?TableList", salesRow(*query));
    EXPECT_EQ(Glo::Query, "SELECT * FROM sales.customers");
    drive::click(*query, "?ExecuteQueryButton");
    EXPECT_EQ(drive::property(*query, "?RecordCountString", PROP::Text), "1");

    drive::click(*query, "?QueryBuilderButton");
    Window* w = drive::waitForWindow(kTitle);
    ASSERT_NE(w, nullptr);
    drive::chooseRow(*w, "?TableList", salesRow(*w));
    condition(*w, "name", "contains (LIKE)", "%ol%");
    drive::click(*w, "?ExecuteButton");
    EXPECT_EQ(Glo::Query, "SELECT * FROM sales.customers WHERE NAME LIKE '%ol%'");
    drive::click(*query, "?ExecuteQueryButton");
    EXPECT_EQ(drive::property(*query, "?RecordCountString", PROP::Text), "1") << "sold; public has none";
    EXPECT_EQ(drive::messageText(), "");
}
