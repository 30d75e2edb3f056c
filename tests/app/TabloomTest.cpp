#include "support/RecordingViewer.h"
#include "odbccatalog/CatalogTestSupport.h"
#include "programsupport/ProgramFixture.h"
#include "support/OwnPostgresServer.h"
#include "support/WindowStructure.h"
#include "support/SqliteFixture.h"
#include "support/TempFolder.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "platform/ui/WindowView.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTableView>
#include <gmock/gmock.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace platform;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;

namespace {

constexpr const char* kTitle = "Tabloom";

// customers is read first; orders refers to it.
constexpr const char* kShop =
    "CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT);"
    "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER REFERENCES customers (id));"
    "CREATE INDEX orders_customer ON orders (customer_id);"
    "CREATE VIEW named_orders AS SELECT orders.id, name FROM orders JOIN customers ON customer_id = customers.id;";

class TabloomTest : public ProgramFixture {
protected:
    Window& openCatalogue(const std::string& connectString) {
        connect(connectString);
        return openCatalogue();
    }
    Window& openCatalogue() { return openWindow(KEY::F4, kTitle); }

    static std::vector<std::string> tables() { return column(GTQ, &GTQRecord::TABLENAME); }
    static int rowsShown(Window& w, const char* list) {
        auto* view = qobject_cast<QTableView*>(w.view()->widget(w.control(list)->number));
        return view->model()->rowCount();
    }

    const SqliteFixture shop{kShop};
};

}  // namespace

TEST_F(TabloomTest, TheWindowIsLaidOutAsItsStructure) {
    Window& w = openCatalogue(shop.connectString());
    expectControls(w, {
        {"?Sheet", CREATE::sheet, ""},
        {"?TablesTab", CREATE::tab, "Tables"},
        {"?TableList", CREATE::list, ""},
        {"?ColumnsTab", CREATE::tab, "Columns"},
        {"?columnlist", CREATE::list, ""},
        {"?PrimaryKeysTab", CREATE::tab, "Primary keys"},
        {"?PrimaryKeyList", CREATE::list, ""},
        {"?IndexesTab", CREATE::tab, "Indexes"},
        {"?IndexList", CREATE::list, ""},
        {"?RelationsTab", CREATE::tab, "Relations"},
        {"?ForeignList", CREATE::list, ""},
        {"?TableString", CREATE::string, "Current selected table:"},
        {"?Tablename", CREATE::entry, "@s255"},
        {"?RegetButton", CREATE::button, "&Reget tables, columns, etc."},
        {"?Glo:OwnerFilter:Prompt", CREATE::prompt, "Filter on owner:"},
        {"?Glo:OwnerFilter", CREATE::entry, "@s254"},
        {"?Glo:TXDFilename:Prompt", CREATE::prompt, "TXD filename:"},
        {"?Glo:TXDFilename", CREATE::entry, "@s255"},
        {"?Glo:ExternalNames", CREATE::check, "Do not use external names"},
        {"?Glo:TablesOnly", CREATE::check, "Show tables only"},
        {"?Glo:Driver", CREATE::combo, "@s80"},
        {"?Glo:NoRelations", CREATE::check, "No relations"},
        {"?Glo:SystemTables", CREATE::check, "Also generate system tables"},
        {"?WriteTXDButton", CREATE::button, "&Write Clarion TXD"},
        {"?CloseButton", CREATE::button, "Close"},
        {"?DriverString", CREATE::string, "Generate with file driver:"},
        {"?ProgressString", CREATE::string, ""},
    });
    EXPECT_EQ(drive::property(w, "?TableList", PROP::Format),
              "51L(2)|M~Database~51L(2)|M~Owner~57L(2)|M~Table~47L(2)|M~Type~1020L(2)|M~Remark~@s255@");
    EXPECT_EQ(w.control("?Glo:Driver")->spec->choices, "MSSQL|ODBC|ORACLE");
    auto* columns = qobject_cast<QTableView*>(w.view()->widget(w.control("?columnlist")->number));
    const auto header = [columns](int i) { return columns->model()->headerData(i, Qt::Horizontal).toString(); };
    EXPECT_EQ(columns->model()->columnCount(), 18);
    EXPECT_TRUE(columns->isColumnHidden(2)) << "Table";
    EXPECT_FALSE(columns->isColumnHidden(3));
    EXPECT_EQ(header(3), "Column");
    EXPECT_EQ(header(17), "IsNullable");
    EXPECT_EQ(w.spec().icon, "zel.ico");
    EXPECT_EQ(w.spec().fontName, "MS Sans Serif");
    EXPECT_EQ(drive::property(w, "?Sheet", PROP::Selected), "1");
}

TEST_F(TabloomTest, TheWindowOpensWithTheTablesAndTheFirstTablesDetails) {
    Window& w = openCatalogue(shop.connectString());
    EXPECT_THAT(tables(), ElementsAre("customers", "orders"));
    EXPECT_EQ(drive::screenText(w, "?Tablename"), "customers");
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("id", "name"));
    EXPECT_THAT(column(GCQ, &GCQRecord::TABLE), Each(std::string("customers")));
    EXPECT_THAT(column(GPQ, &GPQRecord::COLUMNNAME), ElementsAre("id"));
    EXPECT_THAT(column(GFQ, &GFQRecord::FKTABLE_NAME), ElementsAre("orders"));
    EXPECT_EQ(rowsShown(w, "?TableList"), 2);
    EXPECT_EQ(drive::messageText(), "");
}

TEST_F(TabloomTest, SelectingATableReadsItsDetails) {
    Window& w = openCatalogue(shop.connectString());
    drive::chooseRow(w, "?TableList", 2);
    EXPECT_EQ(drive::screenText(w, "?Tablename"), "orders");
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("id", "customer_id"));
    EXPECT_THAT(column(GPQ, &GPQRecord::TABLE), ElementsAre("orders"));
    EXPECT_THAT(column(GIQ, &GIQRecord::INDEX_NAME), ::testing::Contains("orders_customer"));
    EXPECT_THAT(column(GFQ, &GFQRecord::FKTABLE_NAME), ElementsAre()) << "no table refers to orders";
    drive::chooseTab(w, "?ColumnsTab");
    EXPECT_EQ(rowsShown(w, "?columnlist"), 2);
}

TEST_F(TabloomTest, ARowRelabelledByTheWriterStillReadsItsTablesDetails) {
    Window& w = openCatalogue(shop.connectString());
    // What the dictionary writer leaves behind: its label, and the catalogue's name beside it.
    ASSERT_TRUE(GTQ.get(2));
    GTQ.rec.TABLENAME = "Orders_Label";
    GTQ.rec.ORGINALTABLENAME = "orders";
    GTQ.put();
    drive::chooseRow(w, "?TableList", 2);
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("id", "customer_id"));
    EXPECT_THAT(column(GPQ, &GPQRecord::TABLE), ElementsAre("orders"));
}

TEST_F(TabloomTest, TheOptionsStartAtTheirDefaultsAndActOnTheGlobals) {
    Window& w = openCatalogue(shop.connectString());
    const struct {
        const char* label;
        const char* shown;
    } defaults[] = {
        {"?Glo:OwnerFilter", ""},  {"?Glo:TXDFilename", "Clarion.txd"}, {"?Glo:ExternalNames", "0"},
        {"?Glo:TablesOnly", "1"},  {"?Glo:Driver", "ODBC"},             {"?Glo:NoRelations", "1"},
        {"?Glo:SystemTables", "0"},
    };
    for (const auto& d : defaults) EXPECT_EQ(drive::screenText(w, d.label), d.shown) << d.label;

    drive::click(w, "?Glo:ExternalNames");
    EXPECT_EQ(Glo::ExternalNames, 1);
    drive::click(w, "?Glo:NoRelations");
    EXPECT_EQ(Glo::NoRelations, 0);
    drive::chooseFromDropList(w, "?Glo:Driver", "ORACLE");
    EXPECT_EQ(Glo::Driver.str(), "ORACLE");
    drive::typeOver(w, "?Glo:Driver", "TOPSPEED");
    drive::leave(w, "?Glo:Driver");
    EXPECT_EQ(Glo::Driver.str(), "TOPSPEED") << "a driver name of the user's own";
    drive::typeOver(w, "?Glo:TXDFilename", "shop.txd");
    drive::leave(w, "?Glo:TXDFilename");
    EXPECT_EQ(clip(Glo::TXDFilename.view()), "shop.txd");
}

TEST_F(TabloomTest, TheTableOptionsCountAtTheNextReget) {
    Window& w = openCatalogue(shop.connectString());
    drive::click(w, "?Glo:SystemTables");
    EXPECT_THAT(tables(), ElementsAre("customers", "orders")) << "not before the reget";
    drive::click(w, "?RegetButton");
    EXPECT_THAT(tables(), ElementsAre("customers", "orders")) << "tables only drops system tables";
    drive::click(w, "?Glo:TablesOnly");
    drive::click(w, "?RegetButton");
    EXPECT_THAT(tables(), ::testing::Contains("named_orders"));
}

TEST_F(TabloomTest, AnOwnerFilterDropsTablesOfNoOwner) {
    Window& w = openCatalogue(shop.connectString());
    drive::type(w, "?Glo:OwnerFilter", "main");
    drive::leave(w, "?Glo:OwnerFilter");
    EXPECT_EQ(Glo::OwnerFilter.str(), "main");
    drive::click(w, "?RegetButton");
    EXPECT_THAT(tables(), ElementsAre());
    EXPECT_EQ(rowsShown(w, "?TableList"), 0);

    drive::click(w, "?CloseButton");
    Window& again = openCatalogue();
    EXPECT_EQ(drive::screenText(again, "?Glo:OwnerFilter"), "main") << "the options outlive the window";
    // The selection posted at the opening reads the details of no table.
    EXPECT_EQ(drive::screenText(again, "?Tablename"), "") << "no table the filter dropped";
    EXPECT_EQ(GCQ.records() + GPQ.records() + GIQ.records() + GFQ.records(), 0u);
}

TEST_F(TabloomTest, RegetKeepsTheDetailsOfTheTableSelectedBefore) {
    Window& w = openCatalogue(shop.connectString());
    drive::chooseRow(w, "?TableList", 2);
    drive::chooseRow(w, "?TableList", 1);
    drive::chooseTab(w, "?ColumnsTab");
    drive::click(w, "?RegetButton");
    EXPECT_THAT(tables(), ElementsAre("customers", "orders"));
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("id", "name"));
    EXPECT_EQ(rowsShown(w, "?columnlist"), 2);
    EXPECT_THAT(column(GFQ, &GFQRecord::FKTABLE_NAME), ElementsAre()) << "no selection was read again";
}

TEST_F(TabloomTest, TheListsShowWhatTheQueryWindowReadsMeanwhile) {
    Window& catalogue = openCatalogue(shop.connectString());
    Window& query = openWindow(KEY::F3, "Browse an ODBC connection");
    drive::chooseTab(query, "?OptionsTab");
    drive::click(query, "?Glo:TablesOnly");
    EXPECT_EQ(rowsShown(catalogue, "?TableList"), 3) << "the view came in";
    drive::chooseTab(query, "?TableFieldTab");
    drive::chooseRow(query, "?TableList", 2);
    drive::chooseTab(catalogue, "?ColumnsTab");
    EXPECT_EQ(rowsShown(catalogue, "?columnlist"), static_cast<int>(GCQ.records()));
    EXPECT_THAT(column(GCQ, &GCQRecord::TABLE), Each(std::string("orders")));
}

TEST_F(TabloomTest, WritingRereadsTheTablesWithTheCurrentFilter) {
    ::setenv("TXD_VIEWER", "true", 1);
    Window& w = openCatalogue(shop.connectString());
    ASSERT_EQ(GTQ.records(), 2u);
    drive::type(w, "?Glo:OwnerFilter", "nobody");
    drive::leave(w, "?Glo:OwnerFilter");
    drive::click(w, "?WriteTXDButton");
    while (drive::answerMessage("OK")) {
    }
    EXPECT_EQ(GTQ.records(), 0u) << "the list was read again before the writer ran";
    ::unsetenv("TXD_VIEWER");
}

TEST_F(TabloomTest, WritingShowsTheCompletedFileNameAndOpensTheDictionary) {
    RecordingViewer viewer;
    Window& w = openCatalogue(shop.connectString());
    drive::click(w, "?WriteTXDButton");
    const std::string written = folder() + "/Clarion.txd";
    EXPECT_EQ(drive::screenText(w, "?Glo:TXDFilename"), written);
    EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{written}));
    EXPECT_EQ(drive::messageText(), "");
}

TEST_F(TabloomTest, AltWPressesTheWindowsOwnWriteButtonNotTheFramesWindowMenu) {
    RecordingViewer viewer;
    Window& w = openCatalogue(shop.connectString());
    drive::pressKey(w, KEY::Alt | KEY::letter('W'));
    EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{folder() + "/Clarion.txd"}));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened";
}

TEST_F(TabloomTest, TabReachesEveryControlInTheStructuresOrder) {
    Window& w = openCatalogue(shop.connectString());
    const auto focused = [&w] { return w.property(w.focus(), PROP::Label); };
    EXPECT_EQ(focused(), "?TableList") << "the procedure's first field";
    std::vector<std::string> order;
    do {
        drive::pressKey(w, KEY::Tab);
        order.push_back(focused());
    } while (order.back() != "?TableList" && order.size() < 30);
    // The lists of the tabs not shown are out of reach; strings and prompts take no focus.
    EXPECT_THAT(order, ElementsAre("?Tablename", "?RegetButton", "?Glo:OwnerFilter", "?Glo:TXDFilename",
                                   "?Glo:ExternalNames", "?Glo:TablesOnly", "?Glo:Driver", "?Glo:NoRelations",
                                   "?Glo:SystemTables", "?WriteTXDButton", "?CloseButton", "?Sheet", "?TableList"));
    drive::pressKey(w, KEY::Tab | KEY::Shift);
    EXPECT_EQ(focused(), "?Sheet");
}

TEST_F(TabloomTest, ClearingNoRelationsAddsTheRelationsToTheDictionary) {
    ::setenv("TXD_VIEWER", "true", 1);
    Window& w = openCatalogue(shop.connectString());
    const std::string txd = (shop.directory() / "shop.txd").string();
    drive::typeOver(w, "?Glo:TXDFilename", txd);
    drive::leave(w, "?Glo:TXDFilename");
    drive::click(w, "?Glo:NoRelations");
    drive::click(w, "?WriteTXDButton");
    EXPECT_EQ(drive::messageText(), "");
    std::ifstream in(txd, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(written.find("[RELATIONS]\r\n\r\n\r\n                       RELATION,MANY:ONE\r\n"
                           "orders               FILE(ORD:orders_customer)\r\n"
                           "customers               RELATED_FILE(CUS:sqlite_autoindex_0)\r\n"),
              std::string::npos)
        << written;
    ::unsetenv("TXD_VIEWER");
}

// A connection that fails is said once by each window, which then shows
// nothing rather than an empty data source.
TEST_F(TabloomTest, WithoutAUsableConnectionEveryListIsEmpty) {
    const auto leaveRowsBehind = [] {
        GTQ.rec.TABLENAME = "left over";
        GTQ.add();
        GCQ.add();
        GFQ.add();
    };
    const auto expectEmptyLists = [this](const char* situation, const char* said) {
        Window& w = openCatalogue();
        EXPECT_THAT(drive::messageText(), ::testing::HasSubstr(said)) << situation;
        drive::answerMessage("&OK");
        drive::click(w, "?RegetButton");
        EXPECT_EQ(drive::messageText(), "") << "said once, " << situation;
        drive::chooseTab(w, "?ColumnsTab");
        for (const char* list : {"?TableList", "?columnlist", "?PrimaryKeyList", "?IndexList", "?ForeignList"})
            EXPECT_EQ(rowsShown(w, list), 0) << list << ", " << situation;
        EXPECT_EQ(drive::screenText(w, "?Tablename"), "") << situation;
        drive::click(w, "?CloseButton");
    };
    startProgram();
    leaveRowsBehind();
    Glo::ConnectString = "DSN=x";
    ODBCCatalogClass::Dispose(ODBCCatalog);
    expectEmptyLists("no catalogue object", "");
    leaveRowsBehind();
    connect("DSN=NoSuchSource;");
    EXPECT_THAT(drive::messageText(), ::testing::HasSubstr("Data source name not found")) << "said on closing";
    drive::answerMessage("&OK");
    expectEmptyLists("no such data source", "The connection to the data source failed.|Backend error:");
    // The query window reads its lists before it opens.
    drive::pressKey(frame(), KEY::F3);
    EXPECT_THAT(drive::messageText(), ::testing::HasSubstr("Data source name not found")) << "the query window";
    drive::answerMessage("&OK");
    Window* query = drive::waitForWindow("Browse an ODBC connection");
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(rowsShown(*query, "?TableList"), 0);
}

// The texts a control had whenever it was painted.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel* label) : label_(label) { label->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && (texts.empty() || texts.back() != label_->text().toStdString()))
            texts.push_back(label_->text().toStdString());
        return false;
    }
    std::vector<std::string> texts;

private:
    QLabel* label_;
};

// The writer waits for no event; the window is painted as it goes.
TEST_F(TabloomTest, WhileTheDictionaryIsWrittenTheWindowShowsHowFarItIs) {
    std::string chain = "CREATE TABLE t0 (id INTEGER PRIMARY KEY);";
    for (int i = 1; i < 45; ++i)
        chain += "CREATE TABLE t" + std::to_string(i) + " (id INTEGER PRIMARY KEY, up INTEGER REFERENCES t" +
                 std::to_string(i - 1) + " (id));";
    const SqliteFixture chained(chain);
    RecordingViewer viewer;
    Window& w = openCatalogue(chained.connectString());
    drive::click(w, "?Glo:NoRelations");
    auto* progress = qobject_cast<QLabel*>(w.view()->widget(w.control("?ProgressString")->number));
    ASSERT_NE(progress, nullptr);
    PaintedTexts painted(progress);
    drive::click(w, "?WriteTXDButton");
    EXPECT_THAT(painted.texts,
                ::testing::IsSupersetOf({"Writing the tables: 20 of 45", "Writing the tables: 45 of 45",
                                         "Reading the relations: 40 of 45", "Writing the relations: 44 of 44"}));
    EXPECT_EQ(drive::screenText(w, "?ProgressString"), "") << "nothing to tell once written";
    EXPECT_EQ(drive::messageText(), "");
}

TEST_F(TabloomTest, WritingWithoutAConnectionLeavesTheOldDictionaryAndSaysWhy) {
    RecordingViewer viewer;
    connect("DSN=NoSuchSource;");
    drive::answerMessage("&OK");
    Window& w = openCatalogue();
    drive::answerMessage("&OK");
    const std::string txd = folder() + "/Clarion.txd";
    std::ofstream(txd, std::ios::binary) << "a good dictionary";
    drive::click(w, "?WriteTXDButton");
    EXPECT_THAT(drive::messageText(), ::testing::StartsWith("There is no connection to write a dictionary from.|"
                                                            "The connection to the data source failed."));
    drive::answerMessage("&OK");
    EXPECT_EQ(drive::messageText(), "") << "one message";
    std::ifstream in(txd, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a good dictionary");
    EXPECT_EQ(viewer.arguments(std::chrono::milliseconds(100)), std::nullopt);
}

// On the PostgreSQL test server (scripts/postgres.sh): schemas alpha and beta
// both hold a table "items", and only one of them can be on the search path.
TEST_F(TabloomTest, TheDetailsComeFromTheSelectedTablesOwner) {
    const char* connect = std::getenv("TABLOOM_PG_CONNECT");
    if (!connect || !*connect) GTEST_SKIP() << "TABLOOM_PG_CONNECT is not set";
    startProgram();
    Glo::OwnerFilter = "BETA";
    Window& w = openCatalogue(std::string(connect) + "PWD=secret;");
    EXPECT_THAT(tables(), ElementsAre("items")) << "the filter ignores case";
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("code", "weight", "note", "stocked"));
    EXPECT_THAT(column(GCQ, &GCQRecord::OWNER), Each(std::string("beta")));
    EXPECT_THAT(column(GPQ, &GPQRecord::COLUMNNAME), ElementsAre("code"));
    EXPECT_EQ(drive::screenText(w, "?Glo:OwnerFilter"), "BETA");
}

// The server holds another database the user may read; its tables, and the
// server's own, are not the connection's.
TEST_F(TabloomTest, OnAServerOfSeveralDatabasesOnlyTheConnectedOnesTablesAreListed) {
    const std::string connect = testServer(kMariaDBConnect);
    if (connect.empty()) GTEST_SKIP() << kNoMariaDB;
    Window& w = openCatalogue(connect);
    EXPECT_THAT(tables(), ::testing::UnorderedElementsAre("a", "b", "item", "Item", "kinds", "notes", "shipments"));
    EXPECT_EQ(rowsShown(w, "?TableList"), 7);
    drive::click(w, "?Glo:TablesOnly");
    drive::click(w, "?Glo:SystemTables");
    drive::click(w, "?RegetButton");
    EXPECT_EQ(tables().size(), 7u) << "nor views and system tables of other databases";
    const std::vector<std::string> listed = tables();
    drive::chooseRow(w, "?TableList", std::find(listed.begin(), listed.end(), "Item") - listed.begin() + 1);
    EXPECT_EQ(drive::screenText(w, "?Tablename"), "Item");
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("ItemID", "Title"));
    EXPECT_EQ(drive::messageText(), "");
}

// The server goes away under the open window and comes back: the dictionary
// is never replaced by one without the tables, the lists say what failed,
// and the window reads and writes again without a new connect.
TEST_F(TabloomTest, ALostConnectionWritesNothingAndTheNextReadConnectsAgain) {
    OwnPostgresServer server;
    if (!server.missing().empty()) GTEST_SKIP() << server.missing();
    ASSERT_EQ(server.failure(), "");
    RecordingViewer viewer;
    startProgram();
    Glo::OwnerFilter = "ALPHA";
    Window& w = openCatalogue(server.connectString());
    ASSERT_THAT(tables(), UnorderedElementsAre("a_b", "axb", "items", "orders"));
    drive::click(w, "?WriteTXDButton");
    ASSERT_EQ(drive::messageText(), "");
    const std::string txd = folder() + "/Clarion.txd";
    const std::string whole = bytesOf(txd);
    ASSERT_THAT(whole, HasSubstr("\r\norders FILE,"));

    server.stop();
    ASSERT_EQ(server.failure(), "");
    drive::click(w, "?WriteTXDButton");
    EXPECT_THAT(drive::messageText(), StartsWith("The dictionary is not written: the tables could not be read.|"
                                                 "The connection to the data source was lost.|Backend error:"));
    EXPECT_TRUE(drive::answerMessage("OK"));
    EXPECT_EQ(drive::messageText(), "") << "one message";
    EXPECT_EQ(bytesOf(txd), whole);
    drive::click(w, "?RegetButton");
    EXPECT_THAT(drive::messageText(), StartsWith("The connection to the data source failed.|Backend error:"));
    EXPECT_TRUE(drive::answerMessage("OK"));
    EXPECT_EQ(rowsShown(w, "?TableList"), 0);

    server.start();
    ASSERT_EQ(server.failure(), "");
    drive::click(w, "?RegetButton");
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_THAT(tables(), UnorderedElementsAre("a_b", "axb", "items", "orders"));
    EXPECT_EQ(rowsShown(w, "?TableList"), 4);
    std::filesystem::remove(txd);
    drive::click(w, "?WriteTXDButton");
    EXPECT_EQ(drive::messageText(), "");
    EXPECT_EQ(bytesOf(txd), whole);
}

// The lists read while the connection is gone say so, rather than show a
// data source without tables.
TEST_F(TabloomTest, AConnectionLostUnderTheListsIsSaid) {
    OwnPostgresServer server;
    if (!server.missing().empty()) GTEST_SKIP() << server.missing();
    ASSERT_EQ(server.failure(), "");
    startProgram();
    Glo::OwnerFilter = "ALPHA";
    Window& w = openCatalogue(server.connectString());
    server.stop();
    ASSERT_EQ(server.failure(), "");
    drive::chooseRow(w, "?TableList", 2);
    EXPECT_THAT(drive::messageText(), StartsWith("The connection to the data source was lost.|Backend error:"));
    EXPECT_TRUE(drive::answerMessage("OK"));
    EXPECT_EQ(drive::messageText(), "") << "the details stop at the first read that finds no connection";
    drive::chooseTab(w, "?ColumnsTab");
    for (const char* list : {"?columnlist", "?PrimaryKeyList", "?IndexList", "?ForeignList"})
        EXPECT_EQ(rowsShown(w, list), 0) << list;
}

// A table named in letters Windows-1252 lacks would be listed, written and
// queried as "??": it is named in a message instead, and left out.
TEST_F(TabloomTest, ATableNamedInLettersWindows1252LacksIsNamedAndLeftOut) {
    const SqliteFixture db("CREATE TABLE \"\xE8\xAE\xA2\xE5\x8D\x95\" (n INTEGER);"
                           "CREATE TABLE \"caf\xC3\xA9\" (n INTEGER);");
    RecordingViewer viewer;
    connect(db.connectString());
    drive::pressKey(frame(), KEY::F4);
    EXPECT_EQ(drive::messageText(),
              "Tables with these names are left out:|<U+8BA2><U+5355> (with characters outside Windows-1252)");
    EXPECT_TRUE(drive::answerMessage("OK"));
    Window* w = drive::waitForWindow(kTitle);
    ASSERT_NE(w, nullptr);
    EXPECT_THAT(tables(), ElementsAre("caf\xE9"));
    drive::click(*w, "?WriteTXDButton");
    EXPECT_EQ(drive::messageText(), "These tables are left out of the dictionary:|<U+8BA2><U+5355> (a name with "
                                    "characters outside Windows-1252)");
    EXPECT_TRUE(drive::answerMessage("OK"));
    const std::string written = bytesOf(folder() + "/Clarion.txd");
    EXPECT_THAT(written, HasSubstr(",NAME('caf\xE9'),"));
    EXPECT_EQ(written.find("NAME('?"), std::string::npos);
    EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{folder() + "/Clarion.txd"})) << "the rest is written";
}
