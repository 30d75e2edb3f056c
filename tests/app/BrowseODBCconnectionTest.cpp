#include "odbccatalog/CatalogTestSupport.h"
#include "programsupport/ProgramFixture.h"
#include "support/OwnPostgresServer.h"
#include "support/SqliteFixture.h"
#include "support/WindowStructure.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <gmock/gmock.h>

using namespace platform;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

constexpr const char* kTitle = "Browse an ODBC connection";

// Customers lists CustomerID before CompanyName; the view is no table.
constexpr const char* kShop =
    "CREATE TABLE Customers (CustomerID TEXT, CompanyName TEXT, City TEXT);"
    "INSERT INTO Customers VALUES ('ALFKI', 'Alfreds Futterkiste', 'Berlin');"
    "CREATE TABLE \"Order Details\" (OrderID INTEGER, \"Unit Price\" REAL);"
    "INSERT INTO \"Order Details\" VALUES (10248, 14.0);"
    "CREATE VIEW Cities AS SELECT City FROM Customers;"
    "CREATE TABLE Numbers (n INTEGER);"
    "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 2000) "
    "INSERT INTO Numbers SELECT n FROM c;";

class BrowseODBCconnectionTest : public ProgramFixture {
protected:
    Window& openQueryWindow() {
        connect(shop.connectString());
        return openWindow(KEY::F3, kTitle);
    }

    static QTableView* listView(Window& w, const char* list) {
        return qobject_cast<QTableView*>(w.view()->widget(w.control(list)->number));
    }
    static int rowsShown(Window& w, const char* list) { return listView(w, list)->model()->rowCount(); }
    static std::string shown(Window& w, const char* list, int row, int column) {
        return listView(w, list)->model()->index(row, column).data().toString().toStdString();
    }

    // Types the statement and the limit without leaving them, then executes.
    static void execute(Window& w, const std::string& sql, const char* limit = "500") {
        drive::typeOver(w, "?Loc:LimitNumberOfRecords", limit);
        drive::typeOver(w, "?Glo:Query", sql);
        drive::click(w, "?ExecuteQueryButton");
    }
    static std::string recordCount(Window& w) { return drive::property(w, "?RecordCountString", PROP::Text); }
    static bool executingShown(Window& w) { return drive::property(w, "?ExecutingQueryString", PROP::Disable) != "1"; }

    const SqliteFixture shop{kShop};
};

}  // namespace

TEST_F(BrowseODBCconnectionTest, TheWindowIsLaidOutAsItsStructure) {
    Window& w = openQueryWindow();
    expectControls(w, {
        {"?Glo:Query", CREATE::text, ""},
        {"?QueryBuilderButton", CREATE::button, "&Use query builder"},
        {"?ExecuteQueryButton", CREATE::button, "&Execute query"},
        {"?Loc:BuildQuery", CREATE::check, "&Automatic query"},
        {"?Sheet", CREATE::sheet, ""},
        {"?TableFieldTab", CREATE::tab, "Tables && Fields"},
        {"?TableList", CREATE::list, ""},
        {"?ColumnList", CREATE::list, ""},
        {"?Tablename", CREATE::entry, "@s255"},
        {"?ColumnName", CREATE::entry, "@s255"},
        {"?ResultTab", CREATE::tab, "Results"},
        {"?List", CREATE::list, ""},
        {"?OptionsTab", CREATE::tab, "Options"},
        {"?Glo:OwnerFilter:Prompt", CREATE::prompt, "Filter on owner:"},
        {"?Glo:OwnerFilter", CREATE::entry, "@s254"},
        {"?Glo:TablesOnly", CREATE::check, "Show tables only"},
        {"?Glo:SystemTables", CREATE::check, "Show system tables"},
        {"?RegetButton", CREATE::button, "Reget tables and columns"},
        {"?ExecutingQueryString", CREATE::string, "Executing query..."},
        {"?RecordCountPrompt:2", CREATE::string, "Limit number of records:"},
        {"?Loc:LimitNumberOfRecords", CREATE::entry, ""},
        {"?RecordCountPrompt", CREATE::string, "Number of records:"},
        {"?RecordCountString", CREATE::string, "----"},
        {"?CloseButton", CREATE::button, "&Close"},
    });
    EXPECT_EQ(drive::property(w, "?TableList", PROP::Format), "70L(2)|M~Table~@s255@?#3#1020L(2)|M~Owner~@s128@#2#")
        << "the owner beside the table";
    EXPECT_EQ(drive::property(w, "?ColumnList", PROP::Format), "1016L(2)|M~Field~@s254@?#4#");
    EXPECT_EQ(shown(w, "?TableList", 0, 0), "Customers") << "the table name, the queue's third field";
    EXPECT_EQ(shown(w, "?ColumnList", 1, 0), "CompanyName") << "the column name, the queue's fourth field";
    QTableView* results = listView(w, "?List");
    EXPECT_EQ(results->model()->columnCount(), 25);
    EXPECT_FALSE(results->horizontalHeader()->isVisible());
    EXPECT_EQ(w.spec().icon, "zel.ico");
}

TEST_F(BrowseODBCconnectionTest, TheWindowOpensWithItsDefaultsAndTheFirstTablesColumns) {
    Window& w = openQueryWindow();
    EXPECT_EQ(drive::screenText(w, "?Glo:Query"), "Enter your query here...");
    EXPECT_EQ(drive::screenText(w, "?Loc:BuildQuery"), "1");
    EXPECT_EQ(drive::screenText(w, "?Loc:LimitNumberOfRecords"), "500");
    EXPECT_FALSE(executingShown(w));
    EXPECT_THAT(column(GTQ, &GTQRecord::TABLENAME), ElementsAre("Customers", "Order Details", "Numbers"));
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("CustomerID", "CompanyName", "City"));
    EXPECT_EQ(drive::screenText(w, "?Tablename"), "Customers");
}

TEST_F(BrowseODBCconnectionTest, ATypedStatementOutlivesTheWindow) {
    Window& first = openQueryWindow();
    drive::typeOver(first, "?Glo:Query", "SELECT 1");
    drive::leave(first, "?Glo:Query");
    drive::click(first, "?CloseButton");
    Window& second = openWindow(KEY::F3, kTitle);
    EXPECT_EQ(drive::screenText(second, "?Glo:Query"), "SELECT 1");
}

TEST_F(BrowseODBCconnectionTest, TheAutomaticQuerySelectsTheMarkedColumnsInListOrder) {
    Window& w = openQueryWindow();
    // Choosing a table reads its columns afresh, without marks.
    const struct {
        int table;
        std::vector<int> marks;
        const char* query;
    } cases[] = {
        {1, {}, "SELECT * FROM Customers"},
        {2, {}, "SELECT * FROM \"Order Details\""},
        {1, {2, 1}, "SELECT CustomerID,CompanyName FROM Customers"},
        {2, {2}, "SELECT \"Unit Price\" FROM \"Order Details\""},
        {1, {2, 3, 2}, "SELECT City FROM Customers"},
    };
    for (const auto& c : cases) {
        drive::chooseRow(w, "?TableList", c.table);
        for (int row : c.marks) drive::toggleMark(w, "?ColumnList", row);
        EXPECT_EQ(Glo::Query, c.query);
        EXPECT_EQ(drive::screenText(w, "?Glo:Query"), c.query);
    }
    EXPECT_EQ(drive::screenText(w, "?ColumnName"), "CompanyName") << "the row last clicked";
}

TEST_F(BrowseODBCconnectionTest, AQuotedAutomaticQueryRuns) {
    Window& w = openQueryWindow();
    drive::chooseRow(w, "?TableList", 2);
    drive::toggleMark(w, "?ColumnList", 2);
    drive::click(w, "?ExecuteQueryButton");
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(recordCount(w), "1");
    EXPECT_EQ(shown(w, "?List", 0, 0), "14.0");
}

TEST_F(BrowseODBCconnectionTest, WithoutTheAutomaticQueryTheTypedStatementStays) {
    Window& w = openQueryWindow();
    drive::click(w, "?Loc:BuildQuery");
    drive::typeOver(w, "?Glo:Query", "SELECT City FROM Customers");
    drive::leave(w, "?Glo:Query");
    drive::chooseRow(w, "?TableList", 2);
    drive::toggleMark(w, "?ColumnList", 1);
    EXPECT_EQ(Glo::Query, "SELECT City FROM Customers");
    EXPECT_EQ(drive::screenText(w, "?Glo:Query"), "SELECT City FROM Customers");
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("OrderID", "Unit Price"))
        << "the columns still follow";
}

TEST_F(BrowseODBCconnectionTest, ExecutingListsRowsUpToTheLimit) {
    Window& w = openQueryWindow();
    const struct {
        const char* limit;
        int rows;
    } cases[] = {{"500", 500}, {"0", 0}, {"2500", 2000}};
    for (const auto& c : cases) {
        execute(w, "SELECT n FROM Numbers ORDER BY n", c.limit);
        EXPECT_EQ(rowsShown(w, "?List"), c.rows) << c.limit;
        EXPECT_EQ(recordCount(w), std::to_string(c.rows)) << c.limit;
    }
    EXPECT_EQ(shown(w, "?List", 0, 0), "1");
    EXPECT_EQ(drive::property(w, "?Sheet", PROP::Selected), "2") << "the results are shown";
    EXPECT_FALSE(executingShown(w));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Cut anywhere before its end, the statement would list every number.
TEST_F(BrowseODBCconnectionTest, AStatementOfSixThousandCharactersIsExecutedWholeAndStaysWhole) {
    std::string sql = "SELECT n FROM Numbers WHERE n > 0";
    while (sql.size() < 6000) sql += " AND n > 0";
    sql += " AND n = 1999";
    Window& w = openQueryWindow();
    // Pasted: typed, it would take half a minute.
    QApplication::clipboard()->setText(QString::fromStdString(sql));
    drive::typeOver(w, "?Glo:Query", "x");
    drive::pressKey(w, KEY::Ctrl + KEY::letter('A'));
    drive::pressKey(w, KEY::Ctrl + KEY::letter('V'));
    drive::click(w, "?ExecuteQueryButton");
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(recordCount(w), "1");
    EXPECT_EQ(shown(w, "?List", 0, 0), "1999");
    EXPECT_EQ(drive::screenText(w, "?Glo:Query"), sql);
    EXPECT_EQ(Glo::Query, sql);
}

TEST_F(BrowseODBCconnectionTest, AResultKeepsTwentyFiveColumnsOfFiftyCharacters) {
    Window& w = openQueryWindow();
    std::string sql = "SELECT '" + std::string(80, 'x') + "'";
    for (int i = 2; i <= 30; ++i) sql += ", " + std::to_string(i);
    execute(w, sql);
    ASSERT_EQ(rowsShown(w, "?List"), 1);
    EXPECT_EQ(shown(w, "?List", 0, 0), std::string(50, 'x'));
    EXPECT_EQ(shown(w, "?List", 0, 24), "25");
    EXPECT_EQ(listView(w, "?List")->model()->columnCount(), 25);
}

TEST_F(BrowseODBCconnectionTest, ARejectedStatementShowsTheMessageAndNoRows) {
    Window& w = openQueryWindow();
    execute(w, "SELECT n FROM Numbers");
    ASSERT_EQ(recordCount(w), "500");
    execute(w, "SELEC nonsense");
    // The message comes while the statement runs.
    EXPECT_THAT(drive::messageText(), HasSubstr("|Query:SELEC nonsense"));
    EXPECT_THAT(drive::messageText(), ::testing::StartsWith("Error:"));
    EXPECT_TRUE(executingShown(w));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the message box gives the pointer its own shape";
    ASSERT_TRUE(drive::answerMessage("OK"));
    EXPECT_EQ(recordCount(w), "0");
    EXPECT_EQ(rowsShown(w, "?List"), 0);
    EXPECT_FALSE(executingShown(w));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(BrowseODBCconnectionTest, TheTableOptionsRereadTheTablesAtOnce) {
    Window& w = openQueryWindow();
    drive::chooseRow(w, "?TableList", 2);
    drive::chooseTab(w, "?OptionsTab");
    drive::click(w, "?Glo:TablesOnly");
    EXPECT_THAT(column(GTQ, &GTQRecord::TABLENAME), ::testing::Contains("Cities"));
    ASSERT_TRUE(GTQ.get(1));
    const std::string first = GTQ.rec.TABLENAME.str();
    EXPECT_THAT(column(GCQ, &GCQRecord::TABLE), ::testing::Each(first)) << "the first table's columns";
    EXPECT_FALSE(GCQ.records() == 0);

    drive::type(w, "?Glo:OwnerFilter", "nobody");
    drive::leave(w, "?Glo:OwnerFilter");
    EXPECT_EQ(GTQ.records(), 0u);
    EXPECT_EQ(GCQ.records(), 0u) << "no columns of a table no longer listed";
    EXPECT_EQ(drive::screenText(w, "?Tablename"), "") << "no table the filter dropped";
}

TEST_F(BrowseODBCconnectionTest, AnEmptyConditionFromTheQueryBuilderLeavesTheStatement) {
    Window& w = openQueryWindow();
    drive::typeOver(w, "?Glo:Query", "SELECT 1");
    GTQ.free();
    drive::click(w, "?QueryBuilderButton");
    Window* builder = drive::waitForWindow("SQL Query wizard");
    ASSERT_NE(builder, nullptr);
    drive::click(*builder, "?CancelButton");
    EXPECT_EQ(Glo::Query, "SELECT 1");
    EXPECT_EQ(GTQ.records(), 3u) << "the lists are read again";
}

TEST_F(BrowseODBCconnectionTest, TheWindowsMnemonicsComeBeforeTheFramesMenuBar) {
    Window& w = openQueryWindow();
    drive::typeOver(w, "?Glo:Query", "SELECT * FROM Numbers");
    drive::pressKey(w, KEY::Alt | KEY::letter('E'));
    EXPECT_EQ(recordCount(w), "500") << "Execute query, not the Edit menu";
    drive::pressKey(w, KEY::Alt | KEY::letter('A'));
    EXPECT_EQ(drive::screenText(w, "?Loc:BuildQuery"), "0") << "Automatic query, not the Application options menu";
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    // No control of the window has W: the frame's Window menu opens.
    drive::pressKey(w, KEY::Alt | KEY::letter('W'));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->menuAction(), frame().view()->action(frame().equate("?WINDOW")));
    drive::pressKey(w, KEY::Esc);
}

TEST_F(BrowseODBCconnectionTest, TabLeavesTheStatementWithoutTypingIntoIt) {
    Window& w = openQueryWindow();
    drive::typeOver(w, "?Glo:Query", "SELECT 1");
    drive::pressKey(w, KEY::Tab);
    EXPECT_EQ(w.property(w.focus(), PROP::Label), "?QueryBuilderButton");
    EXPECT_EQ(Glo::Query, "SELECT 1") << "taken as it was left";
}


// A table named in letters Windows-1252 lacks is named once and never queried as "??".
TEST_F(BrowseODBCconnectionTest, ATableNamedInLettersWindows1252LacksIsNeverQueried) {
    const SqliteFixture db("CREATE TABLE \"\xE8\xAE\xA2\xE5\x8D\x95\" (n INTEGER); CREATE TABLE plain (n INTEGER);");
    connect(db.connectString());
    drive::pressKey(frame(), KEY::F3);
    EXPECT_EQ(drive::messageText(),
              "Tables with these names are left out:|<U+8BA2><U+5355> (with characters outside Windows-1252)");
    EXPECT_TRUE(drive::answerMessage("OK"));
    Window* w = drive::waitForWindow(kTitle);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(rowsShown(*w, "?TableList"), 1);
    drive::chooseRow(*w, "?TableList", 1);
    EXPECT_EQ(Glo::Query, "SELECT * FROM plain");
    drive::click(*w, "?ExecuteQueryButton");
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(recordCount(*w), "0");
}

// The server goes away under the open window and comes back: the statement
// says why it failed, and the next one connects again without F2.
TEST_F(BrowseODBCconnectionTest, AStatementOnALostConnectionSaysSoAndTheNextOneConnectsAgain) {
    OwnPostgresServer server;
    if (!server.missing().empty()) GTEST_SKIP() << server.missing();
    ASSERT_EQ(server.failure(), "");
    connect(server.connectString());
    Window& w = openWindow(KEY::F3, kTitle);
    server.stop();
    ASSERT_EQ(server.failure(), "");
    execute(w, "SELECT 1");
    EXPECT_THAT(drive::messageText(), ::testing::StartsWith("Error:File System Error|Backend error:"));
    EXPECT_THAT(drive::messageText(), HasSubstr("|Query:SELECT 1"));
    EXPECT_TRUE(drive::answerMessage("OK"));
    EXPECT_EQ(recordCount(w), "0");

    server.start();
    ASSERT_EQ(server.failure(), "");
    execute(w, "SELECT 1");
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(recordCount(w), "1");
}
