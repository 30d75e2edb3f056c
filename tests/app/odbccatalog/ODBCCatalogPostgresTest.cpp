// The catalogue on the PostgreSQL ODBC driver, against the server that
// scripts/postgres.sh starts: schemas alpha and beta both hold a table "items".
#include "CatalogTestSupport.h"

#include "app/odbccatalog/CatalogQueues.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;

namespace {

class ODBCCatalogPostgres : public ::testing::Test {
protected:
    void SetUp() override {
        const char* connect = std::getenv("TABLOOM_PG_CONNECT");
        if (!connect || !*connect)
            GTEST_SKIP() << "TABLOOM_PG_CONNECT is not set; run scripts/postgres.sh start and export "
                            "TABLOOM_PG_CONNECT=\"$(cat /tmp/tabloom-pg/connect)\"";
        on = std::make_unique<CatalogOn>(std::string(connect) + "PWD=secret;");
        catalog = on->catalog;
    }

    std::unique_ptr<CatalogOn> on;
    ODBCCatalogClass* catalog = nullptr;
};

TEST_F(ODBCCatalogPostgres, EachTableGetsOnlyItsOwnColumns) {
    const struct {
        const char* table;
        const char* owner;
        std::vector<std::string> columns;
    } cases[] = {
        {"items", "alpha", {"item_id", "title", "price"}},
        {"items", "beta", {"code", "weight", "note", "stocked"}},
        {"a_b", "alpha", {"only_in_a_b"}},
        {"orders", "alpha", {"order_id", "item_id", "placed", "Stra\xDF" "e"}},
    };
    for (const auto& c : cases) {
        catalog->GetColumns(GCQ, c.table, c.owner);
        EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNNAME), ElementsAreArray(c.columns)) << c.owner << "." << c.table;
        for (std::size_t i = 1; i <= GCQ.records(); ++i) EXPECT_EQ(GCQ.at(i).OWNER, c.owner);
    }
    catalog->GetColumns(GCQ, "items", "beta");
    EXPECT_EQ(GCQ.at(1).COLUMNTYPE, "bpchar");
    EXPECT_EQ(GCQ.at(1).COLUMNSIZE, 6);
    EXPECT_EQ(GCQ.at(1).DATABASE, "tabloom_test");
}

TEST_F(ODBCCatalogPostgres, KeysAndIndexesComeFromTheNamedSchema) {
    catalog->GetStatistics(GIQ, "items", 1, "alpha");
    EXPECT_THAT(column(GIQ, &GIQRecord::INDEX_NAME), UnorderedElementsAre("items_pkey", "items_title_desc"));
    for (std::size_t i = 1; i <= GIQ.records(); ++i)
        EXPECT_EQ(GIQ.at(i).ASC_OR_DESC, GIQ.at(i).INDEX_NAME == "items_title_desc" ? "D" : "A");

    catalog->GetPrimaryKeys(GPQ, "items", "beta");
    ASSERT_EQ(GPQ.records(), 1u);
    EXPECT_EQ(GPQ.at(1).COLUMNNAME, "code");
    EXPECT_EQ(GPQ.at(1).INDEX_NAME, "items_pkey");

    catalog->GetForeignKeys(GFQ, "items", "alpha");
    ASSERT_EQ(GFQ.records(), 1u);
    EXPECT_EQ(GFQ.at(1).FKTABLE_SCHEM, "alpha");
    EXPECT_EQ(GFQ.at(1).FKTABLE_NAME, "orders");
    EXPECT_EQ(GFQ.at(1).FK_NAME, "orders_item_id_fkey");
    EXPECT_EQ(GFQ.at(1).DEFERRABILITY, "");
    catalog->GetForeignKeys(GFQ, "items", "beta");
    EXPECT_EQ(GFQ.records(), 0u);
}

TEST_F(ODBCCatalogPostgres, TheOwnerFilterIgnoresCase) {
    const struct {
        const char* owner;
        Byte tablesOnly;
        std::vector<std::string> tables;
    } cases[] = {
        {"ALPHA", 1, {"a_b", "axb", "items", "orders"}},
        {"alpha", 0, {"a_b", "axb", "cheap_items", "items", "orders"}},
        {"Beta ", 1, {"items"}},
        {"gamma", 0, {}},
    };
    for (const auto& c : cases) {
        catalog->GetTables(GTQ, c.owner, 0, 0, 0, c.tablesOnly);
        EXPECT_THAT(column(GTQ, &GTQRecord::TABLENAME), UnorderedElementsAreArray(c.tables)) << c.owner;
    }
}

TEST_F(ODBCCatalogPostgres, QueriesFetchTheirRowsAndFailuresHideThePassword) {
    MessageRecorder messages;
    ASSERT_EQ(catalog->ExecuteSQL("SELECT 'Stra\xDF" "e', NULL, 2.50::numeric(5,2) UNION ALL SELECT 'b', 'x', 1"), 0)
        << catalog->LASTFILEERROR.str();
    catalog->FetchResult(GTQ, 0, 1);
    ASSERT_EQ(GTQ.records(), 2u);
    EXPECT_EQ(GTQ.at(1).CATALOG, "Stra\xDF" "e");
    EXPECT_EQ(GTQ.at(1).OWNER, "");
    EXPECT_EQ(GTQ.at(1).TABLENAME, "2.50");

    EXPECT_EQ(catalog->ExecuteSQL("SELECT * FROM alpha.nowhere"), 1);
    EXPECT_EQ(catalog->LASTFILEERRORCODE, "42P01");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("PWD=********;|Query:SELECT * FROM alpha.nowhere"), std::string::npos)
        << messages.texts[0];
    EXPECT_EQ(messages.texts[0].find("secret"), std::string::npos);
}

TEST_F(ODBCCatalogPostgres, StringLiteralsReadBackAsTheyWereTyped) { expectLiteralsReadBack(*catalog, false); }

}  // namespace
