#include "CatalogTestSupport.h"
#include "support/SqliteFixture.h"

#include "app/odbccatalog/CatalogQueues.h"
#include "platform/data/Record.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace platform;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;

namespace {

const std::string kLongDefault(600, 'd');

const std::string kSchema =
    "CREATE TABLE customers (customer_id INTEGER PRIMARY KEY, name NVARCHAR(70) NOT NULL,"
    "  credit NUMERIC(10,2) DEFAULT 0, note TEXT DEFAULT '" + kLongDefault + "');"
    "CREATE UNIQUE INDEX customers_name ON customers (name);"
    "CREATE INDEX customers_credit ON customers (credit DESC);"
    "CREATE TABLE orders (order_id INTEGER PRIMARY KEY, customer_id INTEGER REFERENCES customers (customer_id));"
    "CREATE TABLE \"order lines\" (order_id INTEGER, line_no INTEGER, amount NUMERIC(9,2),"
    "  PRIMARY KEY (order_id, line_no));"
    "CREATE TABLE \"line-notes\" (order_id INTEGER, line_no INTEGER, remark VARCHAR(200),"
    "  FOREIGN KEY (order_id, line_no) REFERENCES \"order lines\" (order_id, line_no));"
    "CREATE TABLE a_b (only_in_a_b INTEGER);"
    "CREATE TABLE axb (only_in_axb INTEGER);"
    "CREATE VIEW big_customers AS SELECT * FROM customers WHERE credit > 100;";

class ODBCCatalogReaders : public ::testing::Test {
protected:
    SqliteFixture db{kSchema};
    CatalogOn on{db.connectString()};
    ODBCCatalogClass& catalog = *on.catalog;
};

// The table list seen through other field names: the filters must find TABLETYPE
// and OWNER by name, here over the table name and the table type columns.
// TABLETYPE receives TABLE_NAME
// OWNER receives TABLE_TYPE
#define SWAPPEDTABLES_FIELDS(X) \
    X(CString<100>, CATALOG)    \
    X(CString<100>, SCHEMA)     \
    X(CString<100>, TABLETYPE)  \
    X(CString<100>, OWNER)
struct SwappedTables {
    TABLOOM_RECORD(SwappedTables, "SWQ", SWAPPEDTABLES_FIELDS)
};

TEST(ODBCCatalogTables, FiltersFindTheirFieldsByNameAndCompareWithoutCase) {
    SqliteFixture db("CREATE TABLE \"System Table\" (x INTEGER); CREATE TABLE \"table\" (x INTEGER);"
                     "CREATE TABLE plain (x INTEGER); CREATE VIEW shown AS SELECT 1;");
    CatalogOn on(db.connectString());
    const std::vector<std::string> all = {"System Table", "table", "plain", "shown"};
    const struct {
        const char* name;
        const char* ownerFilter;
        Byte keepSystem, noOwnerFilter, noTablesOnlyFilter, tablesOnly;
        std::vector<std::string> kept;
    } cases[] = {
        {"everything", "", 1, 1, 1, 0, all},
        {"system tables dropped", "", 0, 1, 1, 0, {"table", "plain", "shown"}},
        {"tables only, over kept system tables", "", 1, 1, 0, 1, {"table"}},
        {"tables only off", "", 1, 1, 0, 0, all},
        {"tables only ignored", "", 1, 1, 1, 1, all},
        {"owner matched without case", "view  ", 1, 0, 1, 0, {"shown"}},
        {"owner filter ignored", "view", 1, 1, 1, 0, all},
        {"blank owner filter", "   ", 1, 0, 1, 0, all},
    };
    for (const auto& c : cases) {
        Queue<SwappedTables> tables;
        on.catalog->GetTables(tables, c.ownerFilter, c.keepSystem, c.noOwnerFilter, c.noTablesOnlyFilter,
                              c.tablesOnly);
        EXPECT_THAT(column(tables, &SwappedTables::TABLETYPE), UnorderedElementsAreArray(c.kept)) << c.name;
    }
}

TEST_F(ODBCCatalogReaders, TablesArriveAsTheDriverListsThem) {
    catalog.GetTables(GTQ, "", 0, 0, 0, 0);
    EXPECT_THAT(column(GTQ, &GTQRecord::TABLENAME),
                UnorderedElementsAre("customers", "orders", "order lines", "line-notes", "a_b", "axb", "big_customers"));
    GTQ.get(1);
    EXPECT_EQ(GTQ.rec.CATALOG, "");
    EXPECT_EQ(GTQ.rec.OWNER, "");
    EXPECT_EQ(GTQ.rec.REMARKS, "");

    catalog.GetTables(GTQ, "", 0, 0, 0, 1);
    EXPECT_EQ(GTQ.records(), 6u) << "the view goes with tables only";
    catalog.GetTables(GTQ, "main", 0, 0, 0, 0);
    EXPECT_EQ(GTQ.records(), 0u) << "tables without a schema never match an owner filter";
}

TEST_F(ODBCCatalogReaders, ColumnsArriveAsTheDriverReportsThem) {
    catalog.GetColumns(GCQ, "customers ");
    ASSERT_EQ(GCQ.records(), 4u);
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("customer_id", "name", "credit", "note"));
    GCQ.get(2);
    EXPECT_EQ(GCQ.rec.TABLE, "customers");
    EXPECT_EQ(GCQ.rec.COLUMNTYPE, "NVARCHAR(70)");
    EXPECT_EQ(GCQ.rec.NCOLUMNTYPE, 12);
    EXPECT_EQ(GCQ.rec.COLUMNSIZE, 70);
    EXPECT_EQ(GCQ.rec.ORDINALPOSITION, 2);
    EXPECT_EQ(GCQ.rec.REMARKS, "") << "NULL";
    EXPECT_EQ(GCQ.rec.SQLDATETIMESUB, 0) << "NULL";
    GCQ.get(3);
    EXPECT_EQ(GCQ.rec.DEFAULTVALUE, "0");
    GCQ.get(4);
    EXPECT_EQ(GCQ.rec.DEFAULTVALUE.str(), std::string(99, 'd')) << "cut to the field";
}

// A column list whose default lands in a field wider than the read buffer.
struct WideDefault {
    CString<100> skipped[12];
    CString<1000> DEFAULTVALUE;
    static const FieldTable& fieldTable() {
        static const FieldTable table = [] {
            std::vector<FieldInfo> fields;
            for (int i = 0; i < 12; ++i)
                fields.push_back({"WDQ:SKIPPED" + std::to_string(i + 1), FieldType::CString,
                                  offsetof(WideDefault, skipped) + i * sizeof(CString<100>), sizeof(CString<100>)});
            fields.push_back(field("WDQ:DEFAULTVALUE", &WideDefault::DEFAULTVALUE));
            return FieldTable(fields);
        }();
        return table;
    }
};

TEST_F(ODBCCatalogReaders, CatalogueValuesArriveWhole) {
    Queue<WideDefault> columns;
    catalog.GetColumns(columns, "customers");
    ASSERT_EQ(columns.records(), 4u);
    EXPECT_EQ(columns.at(4).DEFAULTVALUE.str(), kLongDefault);
}

// Names of 128 characters fit, and so do letters Windows-1252 has; a longer
// name would be cut and a letter it lacks would become "?", so their rows are
// left out, and GetTables keeps the tables it left out for the windows to say.
TEST(ODBCCatalogLeftOutNames, NamesArriveWholeOrTheirRowIsLeftOut) {
    using Reason = LeftOutName::Reason;
    const std::string table120(120, 't'), column110(110, 'c'), table129 = "x" + std::string(128, 'y'),
                      column129 = "z" + std::string(128, 'w');
    const std::string chinese = "\xE8\xAE\xA2\xE5\x8D\x95", shownChinese = "<U+8BA2><U+5355>";
    SqliteFixture db("CREATE TABLE " + table120 + " (" + column110 + " INTEGER, " + column129 +
                     " INTEGER, short INTEGER, \"" + chinese + "\" INTEGER);"
                     "CREATE INDEX long_index ON " + table120 + " (" + column129 + ");"
                     "CREATE TABLE " + table129 + " (n INTEGER);"
                     "CREATE TABLE \"" + chinese + "\" (n INTEGER);"
                     "CREATE TABLE \"na\xC3\xAFve \xE2\x82\xAC\" (n INTEGER);");
    CatalogOn on(db.connectString());
    MessageRecorder messages;
    on.catalog->GetTables(GTQ, "", 0, 0, 0, 0);
    EXPECT_THAT(column(GTQ, &GTQRecord::TABLENAME), UnorderedElementsAre(table120, "na\xEFve \x80"));
    const std::vector<LeftOutName> tablesLeftOut = {{table129, Reason::Overlong},
                                                    {shownChinese, Reason::NotWindows1252}};
    EXPECT_THAT(on.catalog->LeftOutNames, UnorderedElementsAreArray(tablesLeftOut));
    EXPECT_THAT(on.catalog->TableList.leftOut, UnorderedElementsAreArray(tablesLeftOut));
    EXPECT_EQ(on.catalog->TableList.failure, "");

    on.catalog->GetColumns(GCQ, table120);
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre(column110, "short"));
    EXPECT_THAT(on.catalog->LeftOutNames, ElementsAre(LeftOutName{column129, Reason::Overlong},
                                                      LeftOutName{shownChinese, Reason::NotWindows1252}));
    on.catalog->GetStatistics(GIQ, table120, 1);
    EXPECT_EQ(GIQ.records(), 0u);
    EXPECT_THAT(on.catalog->LeftOutNames, ElementsAre(LeftOutName{column129, Reason::Overlong}));
    on.catalog->GetPrimaryKeys(GPQ, table120);
    EXPECT_TRUE(on.catalog->LeftOutNames.empty());
    EXPECT_THAT(on.catalog->TableList.leftOut, UnorderedElementsAreArray(tablesLeftOut)) << "kept from GetTables";
    EXPECT_TRUE(messages.texts.empty()) << "the windows say what was left out";
}

TEST_F(ODBCCatalogReaders, ColumnsTakeOnlyTheNamedTable) {
    const struct {
        const char* table;
        std::vector<std::string> columns;
    } cases[] = {
        {"a_b", {"only_in_a_b"}},
        {"axb", {"only_in_axb"}},
        {"a%", {}},
        {"order lines", {"order_id", "line_no", "amount"}},
    };
    for (const auto& c : cases) {
        catalog.GetColumns(GCQ, c.table);
        EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ::testing::ElementsAreArray(c.columns)) << c.table;
    }
}

TEST_F(ODBCCatalogReaders, StatisticsListEveryIndexColumn) {
    catalog.GetStatistics(GIQ, "customers", 1);
    EXPECT_THAT(column(GIQ, &GIQRecord::INDEX_NAME),
                UnorderedElementsAre("customers_name", "customers_credit", "sqlite_autoindex_0"));
    for (std::size_t i = 1; i <= GIQ.records(); ++i) {
        const GIQRecord& row = GIQ.at(i);
        EXPECT_EQ(row.TABLE, "customers");
        EXPECT_EQ(row.NON_UNIQUE, row.INDEX_NAME == "customers_credit" ? 1 : 0) << row.INDEX_NAME.str();
        EXPECT_EQ(row.INDEXTYPE, 3);
        EXPECT_EQ(row.INDEX_QUALIFIER, "") << "NULL";
        EXPECT_EQ(row.CARDINALITY, 0) << "NULL";
        EXPECT_EQ(row.PRIMARYKEY, 0) << "not read";
    }
    catalog.GetStatistics(GIQ, "customers", 0);
    EXPECT_THAT(column(GIQ, &GIQRecord::INDEX_NAME), UnorderedElementsAre("customers_name", "sqlite_autoindex_0"));
}

TEST_F(ODBCCatalogReaders, PrimaryKeysKeepTheirOrder) {
    catalog.GetPrimaryKeys(GPQ, "order lines");
    ASSERT_EQ(GPQ.records(), 2u);
    EXPECT_THAT(column(GPQ, &GPQRecord::COLUMNNAME), ElementsAre("order_id", "line_no"));
    EXPECT_EQ(GPQ.at(2).ORDINALPOSITION, 2);
    EXPECT_EQ(GPQ.at(1).INDEX_NAME, "") << "the driver names no primary key";
}

TEST_F(ODBCCatalogReaders, ForeignKeysAreThoseThatReferToTheTable) {
    catalog.GetForeignKeys(GFQ, "order lines");
    ASSERT_EQ(GFQ.records(), 2u);
    for (std::size_t i = 1; i <= 2; ++i) {
        EXPECT_EQ(GFQ.at(i).PKTABLE_NAME, "order lines");
        EXPECT_EQ(GFQ.at(i).FKTABLE_NAME, "line-notes");
        EXPECT_EQ(GFQ.at(i).KEY_SEQ.str(), std::to_string(i));
        EXPECT_EQ(GFQ.at(i).DEFERRABILITY, "") << "not read";
    }
    EXPECT_THAT(column(GFQ, &GFQRecord::FKCOLUMN_NAME), ElementsAre("order_id", "line_no"));

    catalog.GetForeignKeys(GFQ, "customers");
    EXPECT_THAT(column(GFQ, &GFQRecord::FKTABLE_NAME), ElementsAre("orders"));
    catalog.GetForeignKeys(GFQ, "orders");
    EXPECT_EQ(GFQ.records(), 0u) << "its own reference to customers is not listed";
}

TEST(ODBCCatalogMissingSource, EveryReaderLeavesItsQueueEmpty) {
    CatalogOn on("DSN=NoSuchTabloomSource;");
    GTQ.add();
    on.catalog->GetTables(GTQ, "", 1, 1, 1, 0);
    on.catalog->GetColumns(GCQ, "customers");
    on.catalog->GetStatistics(GIQ, "customers", 1);
    on.catalog->GetPrimaryKeys(GPQ, "customers");
    on.catalog->GetForeignKeys(GFQ, "");
    EXPECT_EQ(GTQ.records() + GCQ.records() + GIQ.records() + GPQ.records() + GFQ.records(), 0u);
}

}  // namespace
