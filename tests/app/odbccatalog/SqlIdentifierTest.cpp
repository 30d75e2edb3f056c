#include "CatalogTestSupport.h"
#include "support/SqliteFixture.h"

#include "app/odbccatalog/SqlIdentifier.h"

#include <gtest/gtest.h>

#include <cstdlib>

using Folding = SqlIdentifierRules::Folding;

TEST(SqlIdentifier, ANameStaysBareOnlyWhenTheDataSourceReadsItBackUnchanged) {
    const struct {
        const char* quote;
        Folding folding;
        const char* name;
        const char* written;
    } cases[] = {
        {"\"", Folding::None, "Customers", "Customers"},
        {"\"", Folding::None, "Customer_ID2", "Customer_ID2"},
        {"\"", Folding::None, "Order Details", "\"Order Details\""},
        {"\"", Folding::None, "2ndTable", "\"2ndTable\""},
        {"\"", Folding::None, "Order", "\"Order\""},
        {"\"", Folding::None, "select", "\"select\""},
        {"\"", Folding::None, "Stra\xDF" "e", "\"Stra\xDF" "e\""},
        {"\"", Folding::None, "a\"b", "\"a\"\"b\""},
        {"\"", Folding::Upper, "CUSTOMERS", "CUSTOMERS"},
        {"\"", Folding::Upper, "Customers", "\"Customers\""},
        {"\"", Folding::Lower, "customer_id", "customer_id"},
        {"\"", Folding::Lower, "CustomerID", "\"CustomerID\""},
        {"`", Folding::None, "Order Details", "`Order Details`"},
        {" ", Folding::None, "Order Details", "Order Details"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SqlIdentifierRules(c.quote, c.folding, {}).name(c.name), c.written) << c.name;
}

TEST(SqlIdentifier, TheDriversOwnKeywordsAreQuotedToo) {
    const SqlIdentifierRules rules("\"", Folding::None, {"pragma", "VACUUM"});
    EXPECT_EQ(rules.name("Pragma"), "\"Pragma\"");
    EXPECT_EQ(rules.name("vacuum"), "\"vacuum\"");
    EXPECT_EQ(rules.name("Vacuumed"), "Vacuumed");
}

TEST(SqlIdentifier, ATableStandsWithItsOwnerWhereTheDataSourceUsesSchemas) {
    const SqlIdentifierRules schemas("\"", Folding::Lower, {}, true);
    EXPECT_EQ(schemas.table("sales", "customers"), "sales.customers");
    EXPECT_EQ(schemas.table("Sales Dept", "Order"), "\"Sales Dept\".\"Order\"");
    EXPECT_EQ(schemas.table("", "customers"), "customers") << "no owner known";
    EXPECT_EQ(SqlIdentifierRules("\"", Folding::None, {}).table("main", "customers"), "customers")
        << "a data source without schemas in statements";
}

// Names written by the rules of the real driver make statements it accepts.
TEST(SqlIdentifier, OnSqliteTheWrittenNamesMakeValidStatements) {
    const SqliteFixture db{
        "CREATE TABLE \"Order Details\" (\"Unit Price\" REAL, \"Order\" INTEGER, Quantity INTEGER);"
        "INSERT INTO \"Order Details\" VALUES (1.5, 7, 3);"};
    MessageRecorder messages;
    CatalogOn on(db.connectString());
    const SqlIdentifierRules rules = on.catalog->IdentifierRules();
    EXPECT_EQ(rules.folding(), Folding::None) << "SQLite keeps the case of names";
    EXPECT_EQ(rules.name("Quantity"), "Quantity");
    const std::string sql = "SELECT " + rules.name("Unit Price") + "," + rules.name("Order") + "," +
                            rules.name("Quantity") + " FROM " + rules.name("Order Details");
    ASSERT_EQ(on.catalog->ExecuteSQL(sql), 0) << sql;
    EXPECT_EQ(on.catalog->ResultColumnCount(), 3);
    EXPECT_TRUE(messages.texts.empty());
}

// PostgreSQL folds unquoted names to lower case, so a mixed-case name needs its quotes.
TEST(SqlIdentifier, OnPostgresMixedCaseNamesAreQuoted) {
    const char* connect = std::getenv("TABLOOM_PG_CONNECT");
    if (!connect || !*connect) GTEST_SKIP() << "TABLOOM_PG_CONNECT is not set";
    MessageRecorder messages;
    CatalogOn on(std::string(connect) + "PWD=secret;");
    const SqlIdentifierRules rules = on.catalog->IdentifierRules();
    EXPECT_EQ(rules.folding(), Folding::Lower);
    EXPECT_EQ(rules.name("items"), "items");
    const std::string sql = "SELECT " + rules.name("Quantity") + " FROM (SELECT 1 AS " + rules.name("Quantity") +
                            ") AS " + rules.name("Order Lines");
    EXPECT_EQ(sql, "SELECT \"Quantity\" FROM (SELECT 1 AS \"Quantity\") AS \"Order Lines\"");
    EXPECT_EQ(on.catalog->ExecuteSQL(sql), 0);
    EXPECT_TRUE(messages.texts.empty());
}
