// The catalogue on Debian's MariaDB ODBC driver, against the server that
// scripts/mariadb.sh starts: the test user also sees the database
// tabloom_other, and the tables Item and item differ in case only.
#include "CatalogTestSupport.h"

#include "app/odbccatalog/CatalogQueues.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace platform;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

class ODBCCatalogMariaDB : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string connect = testServer(kMariaDBConnect);
        if (connect.empty()) GTEST_SKIP() << kNoMariaDB;
        on = std::make_unique<CatalogOn>(connect);
        catalog = on->catalog;
    }

    std::unique_ptr<CatalogOn> on;
    ODBCCatalogClass* catalog = nullptr;
};

TEST_F(ODBCCatalogMariaDB, OnlyTheConnectedDatabasesTablesAreListed) {
    for (const Byte tablesOnly : {Byte{1}, Byte{0}}) {
        catalog->GetTables(GTQ, "", 1, 0, 0, tablesOnly);
        EXPECT_THAT(column(GTQ, &GTQRecord::TABLENAME),
                    UnorderedElementsAre("a", "b", "Item", "item", "kinds", "notes", "shipments"));
        EXPECT_THAT(column(GTQ, &GTQRecord::CATALOG), Each(std::string("tabloom_test")));
    }
}

TEST_F(ODBCCatalogMariaDB, EachTableGetsOnlyItsOwnRows) {
    catalog->GetColumns(GCQ, "item");
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("item_no", "label"));
    catalog->GetColumns(GCQ, "Item");
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAre("ItemID", "Title"));
    catalog->GetStatistics(GIQ, "item", 1);
    EXPECT_THAT(column(GIQ, &GIQRecord::COLUMN_NAME), UnorderedElementsAre("item_no", "label"));
    catalog->GetPrimaryKeys(GPQ, "Item");
    EXPECT_THAT(column(GPQ, &GPQRecord::COLUMNNAME), ElementsAre("ItemID"));
    catalog->GetForeignKeys(GFQ, "Item");
    EXPECT_THAT(column(GFQ, &GFQRecord::FKTABLE_NAME), ElementsAre("shipments"));
    catalog->GetForeignKeys(GFQ, "item");
    EXPECT_EQ(GFQ.records(), 0u);
}

// The server reads a backslash in a literal as an escape.
TEST_F(ODBCCatalogMariaDB, StringLiteralsReadBackAsTheyWereTyped) { expectLiteralsReadBack(*catalog, true); }

}  // namespace
