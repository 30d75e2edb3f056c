#include "app/querybuilder/Condition.h"

#include <gmock/gmock.h>

using namespace querybuilder;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(BuildCondition, WritesTheRowAsTextAndAsSql) {
    const struct {
        ConditionParts parts;
        const char* text;
        const char* sql;
    } cases[] = {
        {{"City", "contains (LIKE)", "LIKE", "Lon%", true, false}, "City contains (LIKE) 'Lon%'", "CITY LIKE 'Lon%'"},
        {{"City", "contains (LIKE)", "LIKE", "Lon%", true, true}, "City contains (LIKE) case insensitive 'Lon%'",
         "UPPER(CITY) LIKE UPPER('Lon%')"},
        {{"UnitPrice", "is greater than (>)", ">", "10", false, false}, "UnitPrice is greater than (>) 10",
         "UNITPRICE > 10"},
        {{"UnitPrice", "is equal to (=)", "=", "abc", false, false}, "UnitPrice is equal to (=) 0", "UNITPRICE = 0"},
        {{"UnitPrice", "is equal to (=)", "=", "12abc", false, false}, "UnitPrice is equal to (=) 12",
         "UNITPRICE = 12"},
        {{"UnitPrice", "is equal to (=)", "=", "2.50", false, false}, "UnitPrice is equal to (=) 2.5",
         "UNITPRICE = 2.5"},
        {{"Name", "is equal to (=)", "=", "O'Brien", true, false}, "Name is equal to (=) 'O'Brien'",
         "NAME = 'O''Brien'"},
        {{"Name", "is equal to (=)", "=", "O'Brien", true, true}, "Name is equal to (=) case insensitive 'O'Brien'",
         "UPPER(NAME) = UPPER('O''Brien')"},
        {{"City", "is (IS)", "IS", "null", true, true}, "City is (IS) NULL", "CITY IS NULL"},
        {{"UnitPrice", "is not (IS NOT)", "IS NOT", "NULL", false, false}, "UnitPrice is not (IS NOT) NULL",
         "UNITPRICE IS NOT NULL"},
        {{"City", "is equal to (=)", "=", "NULL", true, false}, "City is equal to (=) 'NULL'", "CITY = 'NULL'"},
        {{"Unit Price", "is greater than (>)", ">", "10", false, false}, "Unit Price is greater than (>) 10",
         "\"Unit Price\" > 10"},
        {{"City", "", "", "Lon%", true, false}, "City  ''", "CITY  ''"},
    };
    for (const auto& c : cases) {
        const RowTexts texts = buildCondition(c.parts, SqlIdentifierRules(), SqlStringLiterals());
        EXPECT_EQ(texts.text, c.text) << c.parts.column << " " << c.parts.value;
        EXPECT_EQ(texts.sql, c.sql) << c.parts.column << " " << c.parts.value;
    }
}

TEST(BuildCondition, ABackslashIsDoubledWhereTheDataSourceReadsItAsAnEscape) {
    const ConditionParts parts{"Name", "is equal to (=)", "=", "O'Brien\\", true, false};
    EXPECT_EQ(buildCondition(parts, SqlIdentifierRules(), SqlStringLiterals(false)).sql, "NAME = 'O''Brien\\'");
    EXPECT_EQ(buildCondition(parts, SqlIdentifierRules(), SqlStringLiterals(true)).sql, "NAME = 'O''Brien\\\\'");
    EXPECT_EQ(buildCondition({"Name", "contains (LIKE)", "LIKE", "a\\%", true, true}, SqlIdentifierRules(),
                             SqlStringLiterals(true))
                  .sql,
              "UPPER(NAME) LIKE UPPER('a\\\\%')");
}

TEST(BuildCondition, OnlyTheListedTypesAreNumbers) {
    for (const char* type : {"BIT", "SMALLINT", "COUNTER", "NUMERIC", "NUMBER", "INTEGER", "CURRENCY", "DOUBLE",
                             "FLOAT", "integer ", "Currency"})
        EXPECT_TRUE(isNumericColumnType(type)) << type;
    for (const char* type : {"INT", "DECIMAL", "VARCHAR", "REAL", "TEXT", ""})
        EXPECT_FALSE(isNumericColumnType(type)) << type;
}

TEST(ComposeQuery, JoinsTheRowsBehindBlanksUnlessOneIsUnfinished) {
    const struct {
        std::vector<ComposedRow> rows;
        const char* query;
        const char* missing;
    } cases[] = {
        {{{"CITY LIKE 'Lon%'"}, {"AND"}, {"UNITPRICE > 10"}}, " CITY LIKE 'Lon%' AND UNITPRICE > 10", ""},
        {{{"CITY LIKE 'Lon%'"}, {"OR"}, {"???"}}, "", "The condition after AND / OR is still empty"},
        {{{"CITY LIKE 'Lon%'"}, {"AND"}, {"UNITPRICE  0", true, false}}, "", "A condition has no operator yet"},
        {{{"  = ''", false, true}, {"AND"}, {"???"}}, "", "A condition has no column yet"},
        {{{"CITY = 'x'"}}, " CITY = 'x'", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(composeQuery(c.rows), c.query) << c.query;
        EXPECT_EQ(missingInQuery(c.rows).substr(0, std::string_view(c.missing).size()), c.missing) << c.missing;
        EXPECT_EQ(missingInQuery(c.rows).empty(), *c.missing == 0) << c.query;
    }
}

TEST(RowKind, TellsRowsByTheirSql) {
    EXPECT_EQ(rowKind("AND"), RowKind::Connector);
    EXPECT_EQ(rowKind("or  "), RowKind::Connector);
    EXPECT_EQ(rowKind("???"), RowKind::Placeholder);
    EXPECT_EQ(rowKind("CITY = 'AND'"), RowKind::Condition);
    EXPECT_EQ(rowKind(""), RowKind::Condition);
}

TEST(RowsToDelete, AConditionGoesWithOneConnector) {
    constexpr RowKind C = RowKind::Condition, J = RowKind::Connector, P = RowKind::Placeholder;
    const std::vector<RowKind> rows = {C, J, C, J, P};
    EXPECT_THAT(rowsToDelete(rows, 1), ElementsAre(2u, 1u)) << "the first with the connector after it";
    EXPECT_THAT(rowsToDelete(rows, 3), ElementsAre(3u, 2u)) << "others with the connector before them";
    EXPECT_THAT(rowsToDelete(rows, 5), ElementsAre(5u, 4u)) << "a placeholder is an unfinished condition";
    EXPECT_THAT(rowsToDelete(rows, 2), IsEmpty()) << "a connector stays";
    EXPECT_THAT(rowsToDelete({C}, 1), IsEmpty()) << "the only condition stays";
}
