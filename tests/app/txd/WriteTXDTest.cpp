#include "DictionaryChecks.h"
#include "TxdTestSupport.h"
#include "support/RecordingViewer.h"

#include "app/txd/WriteTXD.h"
#include "platform/odbc/FileProperties.h"
#include "platform/system/Errors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include <sys/resource.h>

using namespace platform;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// 152 columns, the 151st an IMAGE, and one index over the first 150: a key
// line far longer than 2,048 characters.
std::string wideTableSchema() {
    std::string columns, indexed;
    for (int i = 1; i <= 152; ++i) {
        const std::string name = "column_number_" + std::to_string(i);
        columns += (i > 1 ? ", " : "") + name + (i == 151 ? " IMAGE" : " SMALLINT");
        if (i <= 150) indexed += (i > 1 ? ", " : "") + name;
    }
    return "CREATE TABLE wide (" + columns + "); CREATE INDEX all_columns ON wide (" + indexed + ");";
}

const std::string kShopSchema =
    "CREATE TABLE Customers (CustomerID INTEGER PRIMARY KEY, \"Company Name\" VARCHAR(40) NOT NULL, Region CHAR,"
    " Rating SMALLINT, Active BIT, Photo IMAGE, Notes TEXT, Joined DATETIME, Ratio DOUBLE, \"O'Hara\" NCHAR,"
    " \"note<x>\" VARCHAR(10), \"curly{y}\" CHAR(2), Code \"unsigned big integer type\");"
    "CREATE UNIQUE INDEX \"Company-Name\" ON Customers (\"Company Name\");"
    "CREATE INDEX \"Region Rating\" ON Customers (Region, Rating DESC);"
    "CREATE INDEX Rating ON Customers (Rating);"
    "CREATE TABLE Orders (OrderID INTEGER PRIMARY KEY, \"Order Date\" DATETIME, Shipped TIMESTAMP, Amount MONEY,"
    " CustomerID INT, Flag NUMERIC(1,0));"
    "CREATE INDEX OrdersCustomer ON Orders (CustomerID);"
    "CREATE TABLE ORDER_LINES (Line INTEGER, Note VARCHAR(20), UNIQUE (Line, Note));"
    "CREATE UNIQUE INDEX PrimaryKey ON ORDER_LINES (Line);"
    "CREATE TABLE \"Order Details\" (OrderID INTEGER, \"Line-No\" SMALLINT, \"Price/Unit\" CURRENCY,"
    " Changed timestamp, PRIMARY KEY (OrderID, \"Line-No\"));"
    "CREATE TABLE Globals (Setting VARCHAR);"
    "CREATE TABLE \"line-notes\" (Remark TEXT);"
    "CREATE VIEW big_orders AS SELECT * FROM Orders WHERE Amount > 100;" +
    wideTableSchema();

std::string withoutNameAttributes(const std::string& text) {
    return std::regex_replace(text, std::regex(",NAME\\('([^']|'')*'\\)"), "");
}

// The written dictionary after the fixed header and block of global variables.
std::string tableBlocks(const std::string& written) {
    const std::string fixedEnd = "\r\n                       END\r\n";
    const std::size_t at = written.find(fixedEnd);
    return at == std::string::npos ? std::string() : written.substr(at + fixedEnd.size());
}

class WriteTXDTest : public ::testing::Test {
protected:
    RecordingViewer viewer;
    MessageRecorder messages;
};

TEST_F(WriteTXDTest, WritesTheShopDictionaryAndOpensIt) {
    TxdDatabase shop(kShopSchema);
    shop.readTables();
    WriteTXD();
    EXPECT_EQ(shop.written(), goldenFile("shop.txd"));
    EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{shop.txdPath().string()}));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(column(GTQ, &GTQRecord::TABLENAME),
              (std::vector<std::string>{"Customers", "Orders", "ORDER_LINES", "Order_Details", "Globals",
                                        "line_notes", "wide"}));
    EXPECT_EQ(column(GTQ, &GTQRecord::ORGINALTABLENAME),
              (std::vector<std::string>{"Customers", "Orders", "ORDER_LINES", "Order Details", "Globals",
                                        "line-notes", "wide"}));
}

TEST_F(WriteTXDTest, WithoutExternalNamesNoLineHasANameAttribute) {
    TxdDatabase shop(kShopSchema);
    Glo::ExternalNames = 1;
    shop.readTables();
    WriteTXD();
    EXPECT_EQ(shop.written(), withoutNameAttributes(goldenFile("shop.txd")));
}

TEST_F(WriteTXDTest, UnderOracleNamesAreUpperCaseAndKeysFollowTheirFields) {
    TxdDatabase db("CREATE TABLE \"order items\" (date VARCHAR, qty INTEGER);"
                   "CREATE INDEX \"by date\" ON \"order items\" (date, qty);");
    Glo::Driver = "ORACLE";
    db.readTables();
    WriteTXD();
    EXPECT_EQ(tableBlocks(db.written()), goldenFile("oracle-tables.txd"));
}

TEST_F(WriteTXDTest, SystemTablesAreLabelledButWrittenOnlyOnRequest) {
    for (const Byte systemTables : {Byte{0}, Byte{1}}) {
        TxdDatabase db("CREATE TABLE \"sys-stats\" (n SMALLINT); CREATE TABLE plain (n SMALLINT);");
        Glo::SystemTables = systemTables;
        db.readTables();
        GTQ.get(1);
        GTQ.rec.TABLETYPE = "SYSTEM TABLE";
        GTQ.put();
        WriteTXD();
        EXPECT_EQ(column(GTQ, &GTQRecord::TABLENAME), (std::vector<std::string>{"sys_stats", "plain"}));
        EXPECT_EQ(column(GTQ, &GTQRecord::ORGINALTABLENAME), (std::vector<std::string>{"sys-stats", "plain"}));
        const std::string blocks = tableBlocks(db.written());
        const std::string plainBlockStart = "plain FILE,DRIVER('ODBC',Glo:Driveroptions),OWNER(Glo:ConnectString),"
                                            "NAME('plain'),PRE(pla),BINDABLE,THREAD\r\n!!> IDENT(";
        if (systemTables) {
            EXPECT_THAT(blocks, HasSubstr("sys_stats FILE,")) << "system tables asked for";
            EXPECT_THAT(blocks, HasSubstr(plainBlockStart + "3),USAGE(File)\r\n"));
        } else {
            EXPECT_EQ(blocks.find("sys_stats"), std::string::npos);
            EXPECT_THAT(blocks, HasSubstr(plainBlockStart + "2),USAGE(File)\r\nRecord RECORD\r\n"
                                                           "n SHORT,NAME('n')\r\n!!> IDENT(6),"));
        }
    }
}

TEST_F(WriteTXDTest, ATableTheCatalogueDoesNotKnowStillGetsItsBlock) {
    TxdDatabase db("CREATE TABLE t (n SMALLINT);");
    db.readTables();
    GTQ.get(1);
    GTQ.rec.TABLENAME = "gone";
    GTQ.put();
    WriteTXD();
    EXPECT_EQ(tableBlocks(db.written()),
              "gone FILE,DRIVER('ODBC',Glo:Driveroptions),OWNER(Glo:ConnectString),NAME('gone'),PRE(gon),"
              "BINDABLE,THREAD\r\n!!> IDENT(2),USAGE(File)\r\nRecord RECORD\r\n    END\r\n  END\r\n\r\n");
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(WriteTXDTest, ANameWithoutAFolderLandsInTheCurrentFolder) {
    TxdDatabase db("CREATE TABLE t (n SMALLINT);");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(db.db.directory());
    Glo::TXDFilename = "Clarion.txd";
    db.readTables();
    WriteTXD();
    std::filesystem::current_path(before);
    const std::string expected = (db.db.directory() / "Clarion.txd").string();
    EXPECT_EQ(clip(Glo::TXDFilename), expected);
    EXPECT_THAT(db.written(), HasSubstr("t FILE,"));
    EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{expected}));
}

TEST_F(WriteTXDTest, AFileThatCannotBeWrittenIsReportedAndNotOpened) {
    TxdDatabase db("CREATE TABLE t (n SMALLINT);");
    const struct {
        std::string name;
        std::string reason;
    } cases[] = {
        {(db.db.directory() / "missing" / "Clarion.txd").string(), platform::errorTextFor(platform::kPathNotFound)},
        {"/dev/full", std::strerror(ENOSPC)},
    };
    for (const auto& c : cases) {
        messages.texts.clear();
        Glo::TXDFilename = c.name;
        db.readTables();
        WriteTXD();
        ASSERT_EQ(messages.texts.size(), 1u) << c.name;
        EXPECT_THAT(messages.texts[0], HasSubstr(c.name));
        EXPECT_THAT(messages.texts[0], HasSubstr(c.reason));
        EXPECT_EQ(viewer.arguments(std::chrono::milliseconds(300)), std::nullopt) << c.name;
    }
}

TEST_F(WriteTXDTest, ACompletedNameThatDoesNotFitIsRefused) {
    TxdDatabase db("CREATE TABLE t (n SMALLINT);");
    const std::filesystem::path deep = db.db.directory() / std::string(120, 'd') / std::string(120, 'e');
    std::filesystem::create_directories(deep);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(deep);
    Glo::TXDFilename = "Clarion.txd";
    db.readTables();
    WriteTXD();
    std::filesystem::current_path(before);
    EXPECT_EQ(clip(Glo::TXDFilename), "Clarion.txd");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_THAT(messages.texts[0], HasSubstr(deep.string()));
    EXPECT_FALSE(std::filesystem::exists(deep / "Clarion.txd"));
    EXPECT_EQ(viewer.arguments(std::chrono::milliseconds(300)), std::nullopt);
}

TEST_F(WriteTXDTest, ColumnsAfterTheHundredAndFiftiethAreNotPopulated) {
    std::string columns = "c1 SMALLINT";
    for (int i = 2; i <= 150; ++i) columns += ", c" + std::to_string(i) + " SMALLINT";
    TxdDatabase db("CREATE TABLE wide (" + columns + ", c151 IMAGE, c152 SMALLINT);");
    Glo::ExternalNames = 1;
    db.readTables();
    WriteTXD();
    const std::string blocks = tableBlocks(db.written());
    EXPECT_THAT(blocks, HasSubstr("TOOLTIP('c149')\r\nc150 SHORT\r\n!!> IDENT(155),"));
    EXPECT_THAT(blocks, HasSubstr("TOOLTIP('c150')\r\n[QUICKCODE]\r\n!NOPOPULATE\r\nc152 SHORT\r\n!!> IDENT(156),"));
    EXPECT_EQ(blocks.find("c151"), std::string::npos);
}

TEST_F(WriteTXDTest, TheSampleDictionaryIsOneClarionImports) {
    const std::filesystem::path sampleSql = std::filesystem::path(TABLOOM_SOURCE_DIR) / "data/sample/sample.sql";
    TxdDatabase sample(fileBytes(sampleSql));
    Glo::NoRelations = 0;
    sample.readTables();
    ASSERT_GT(GTQ.records(), 0u);
    WriteTXD();
    const std::string written = sample.written();
    EXPECT_EQ(expectValidDictionary(tableBlocks(written)), GTQ.records());
    EXPECT_THAT(written, HasSubstr("[RELATIONS]"));
}

// Clarion's labels ignore case, and names that differ in their separators
// clean to one label: each table, and each field of a table, gets its own,
// and the relations use them.
TEST_F(WriteTXDTest, LabelsThatWouldClashGetADigit) {
    TxdDatabase db("CREATE TABLE \"order lines\" (id INTEGER PRIMARY KEY, \"a b\" SMALLINT, \"A-B\" SMALLINT);"
                   "CREATE TABLE \"order-lines\" (line_id INTEGER REFERENCES \"order lines\" (id));"
                   "CREATE INDEX line_id ON \"order-lines\" (line_id);"
                   "CREATE TABLE GlobalVariables (n SMALLINT);");
    Glo::NoRelations = 0;
    Glo::ExternalNames = 1;
    db.readTables();
    WriteTXD();
    const std::string blocks = tableBlocks(db.written());
    EXPECT_EQ(expectValidDictionary(blocks), 3u);
    EXPECT_EQ(column(GTQ, &GTQRecord::TABLENAME),
              (std::vector<std::string>{"order_lines", "order_lines1", "GlobalVariables1"}));
    EXPECT_THAT(blocks, HasSubstr("\r\na_b SHORT\r\n"));
    EXPECT_THAT(blocks, HasSubstr("\r\nA_B1 SHORT\r\n"));
    EXPECT_THAT(blocks, HasSubstr("\r\nline_id1 KEY(+ord1:line_id),NOCASE,OPT,DUP\r\n"));
    EXPECT_THAT(blocks, HasSubstr("\r\norder_lines1               FILE(ORD1:line_id1)\r\n"
                                  "order_lines               RELATED_FILE(ORD:sqlite_autoindex_0)\r\n"));
}

// Names up to 128 characters are kept whole; a table with a longer name of a
// column is left out and reported rather than described under a cut name.
TEST_F(WriteTXDTest, LongNamesAreWholeOrTheirTableIsLeftOut) {
    const std::string table(120, 't'), column110(110, 'c'), column129(129, 'x');
    TxdDatabase db("CREATE TABLE " + table + " (" + column110 + " SMALLINT);"
                   "CREATE TABLE wider (n SMALLINT, " + column129 + " SMALLINT);"
                   "CREATE TABLE after (n SMALLINT);");
    db.readTables();
    WriteTXD();
    const std::string blocks = tableBlocks(db.written());
    EXPECT_EQ(expectValidDictionary(blocks), 2u);
    EXPECT_THAT(blocks, HasSubstr(table + " FILE,DRIVER('ODBC',Glo:Driveroptions),OWNER(Glo:ConnectString),NAME('" +
                                  table + "'),PRE(ttt),BINDABLE,THREAD\r\n"));
    EXPECT_THAT(blocks, HasSubstr("Record RECORD\r\n" + column110 + " SHORT,NAME('" + column110 + "')\r\n"));
    EXPECT_EQ(blocks.find("wider"), std::string::npos);
    EXPECT_THAT(blocks, HasSubstr("after FILE,"));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0],
              "These tables are left out of the dictionary:|wider (a column or index name longer than 128 characters)");
    EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{db.txdPath().string()})) << "the rest is written";
}

// While it runs, files grow no larger than `bytes`: a disk that fills up.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : signalBefore_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &before_);
        const rlimit limited{bytes, before_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, signalBefore_);
    }

private:
    rlimit before_{};
    void (*signalBefore_)(int);
};

// A writer that cannot finish leaves the dictionary it would replace as it was.
TEST_F(WriteTXDTest, AnOldDictionaryStaysWholeWhenTheNewOneCannotBeFinished) {
    const std::string oldDictionary = "  [DICTIONARY]\r\nthe user's own, 205 lines long\r\n";
    const struct {
        const char* what;
        std::string schema;
        std::function<void(TxdDatabase&)> spoil;
        const char* said;
    } cases[] = {
        {"no connection", kShopSchema,
         [](TxdDatabase& db) {
             db.on.catalog->FILE->setProperty(PROP_Disconnect, "");
             db.on.catalog->FILE->setProperty(PROP_Owner, "DSN=NoSuchTabloomSource");
             ASSERT_FALSE(db.on.catalog->Connect());
         },
         "There is no connection to write a dictionary from.|The connection to the data source failed."},
        // The table's module is not there: its columns cannot be read.
        {"a table whose read fails",
         "CREATE TABLE good (id INTEGER PRIMARY KEY); PRAGMA writable_schema = ON;"
         "INSERT INTO sqlite_master VALUES ('table', 'broken', 'broken', 0,"
         " 'CREATE VIRTUAL TABLE broken USING no_such_module (a)');",
         [](TxdDatabase&) {}, "The catalogue of the table broken could not be read: "},
        {"a full disk", kShopSchema, [](TxdDatabase&) {}, std::strerror(EFBIG)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.texts.clear();
        TxdDatabase db(c.schema);
        std::ofstream(db.txdPath(), std::ios::binary) << oldDictionary;
        db.readTables();
        c.spoil(db);
        {
            const FileSizeLimit disk(std::string_view(c.what) == "a full disk" ? 4096 : RLIM_INFINITY);
            WriteTXD();
        }
        EXPECT_EQ(db.written(), oldDictionary);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_THAT(messages.texts[0], HasSubstr(c.said));
        EXPECT_EQ(viewer.arguments(std::chrono::milliseconds(100)), std::nullopt);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(db.db.directory()), {}), 2)
            << "the database and the old dictionary, nothing half written";
    }
}

TEST_F(WriteTXDTest, ACompleteDictionaryReplacesTheOldOne) {
    TxdDatabase db("CREATE TABLE t (n SMALLINT);");
    std::ofstream(db.txdPath(), std::ios::binary) << "old";
    db.readTables();
    WriteTXD();
    EXPECT_THAT(db.written(), ::testing::StartsWith("  [DICTIONARY]\r\n"));
    EXPECT_THAT(db.written(), HasSubstr("\r\nt FILE,DRIVER('ODBC'"));
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(WriteTXDTest, WithoutAConnectionNothingIsWritten) {
    TxdDatabase db("CREATE TABLE t (n SMALLINT);");
    db.readTables();
    ODBCCatalog = nullptr;
    WriteTXD();
    EXPECT_EQ(messages.texts.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(db.txdPath()));
    EXPECT_EQ(viewer.arguments(std::chrono::milliseconds(300)), std::nullopt);
}

}  // namespace
