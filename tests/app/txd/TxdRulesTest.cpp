#include "app/txd/CleanName.h"
#include "app/txd/FieldType.h"
#include "app/txd/PrefixMaker.h"
#include "app/txd/TxdFilename.h"

#include <gtest/gtest.h>

#include <sql.h>
#include <sqlext.h>

using namespace platform;

namespace {

TEST(FieldType, FollowsTheTypeTable) {
    const struct {
        const char* type;
        Long size, decimals;
        bool oracle;
        std::optional<std::string> expected;
        Long dataType = SQL_UNKNOWN_TYPE;
    } cases[] = {
        {"IMAGE", 0, 0, false, std::nullopt},
        {"image", 10, 0, false, std::nullopt},
        {"BIT", 1, 0, false, "BYTE"},
        {"SMALLINT", 5, 0, false, "SHORT"},
        {"COUNTER", 10, 0, false, "LONG"},
        {"NUMERIC", 1, 0, false, "BYTE"},
        {"NUMBER", 2, 0, false, "SHORT"},
        {"INT IDENTITY", 4, 0, false, "SHORT"},
        {"NUMERIC", 5, 0, false, "LONG"},
        {"IDENTITY", 8, 0, false, "LONG"},
        {"INT", 10, 0, false, "PDECIMAL(10)"},
        {"INTEGER", 9, 0, false, "PDECIMAL(9)"},
        {"NUMERIC", 0, 0, false, "PDECIMAL(0)"},
        {"MONEY", 19, 4, false, "PDECIMAL(19,4)"},
        {"numeric  ", 3, 1, false, "PDECIMAL(3,1)"},
        {"CURRENCY", 19, 4, false, "PDECIMAL(10,2)"},
        {"CHAR", 10, 0, false, "STRING(10)"},
        {"CHARACTER", 1, 0, false, "STRING(1)"},
        {"nchar", 3, 0, false, "STRING(3)"},
        {"VARCHAR", 50, 0, false, "CSTRING(51)"},
        {"NVARCHAR", 8000, 0, false, "CSTRING(8001)"},
        {"VARCHAR2", 8000, 0, true, "CSTRING(4002)"},
        {"VARCHAR2", 4001, 0, true, "CSTRING(4002)"},
        {"VARCHAR", 4000, 0, true, "CSTRING(4001)"},
        {"TEXT", 0, 0, false, "STRING(63982)"},
        {"NTEXT", 0, 0, true, "CSTRING(4001)"},
        {"LONGCHAR", 0, 0, false, "STRING(63982)"},
        {"LONGBINARY", 0, 0, true, "CSTRING(4001)"},
        {"DOUBLE", 53, 0, false, "SREAL"},
        {"FLOAT", 53, 0, false, "SREAL"},
        {"HUGE DATE", 0, 0, false, "DATE"},
        {"TIMESTAMP", 23, 3, false, "STRING(8)"},
        {"datetime", 23, 3, false, "STRING(8)"},
        {"INT UNSIGNED", 10, 0, false, "INT UNSIGNED"},
        {"uniqueidentifier", 36, 0, false, "uniqueidentifier"},
        {"a very long type name indeed", 0, 0, false, "a very long type nam"},
        // Names with their precision, and integers reported with decimals.
        {"NVARCHAR(160)", 160, 0, false, "CSTRING(161)", SQL_WVARCHAR},
        {"numeric(10,2)", 2, 10, false, "PDECIMAL(10,2)", SQL_NUMERIC},
        {"NUMERIC(5)", 0, 3, false, "LONG", SQL_NUMERIC},
        {"NUMERIC( 12 , 4 )", 0, 0, false, "PDECIMAL(12,4)", SQL_NUMERIC},
        {"varchar ( 20 )", 255, 0, false, "CSTRING(21)", SQL_VARCHAR},
        {"VARCHAR2(8000)", 0, 0, true, "CSTRING(4002)", SQL_VARCHAR},
        {"DATETIME(3)", 23, 3, false, "STRING(8)", SQL_TYPE_TIMESTAMP},
        {"INTEGER", 9, 10, false, "PDECIMAL(9)", SQL_INTEGER},
        {"INT", 4, 10, false, "SHORT", SQL_INTEGER},
        {"NUMERIC", 19, 4, false, "PDECIMAL(19)", SQL_BIGINT},
        {"NUMERIC", 1, 2, false, "BYTE", SQL_BIT},
        {"NUMERIC", 3, 2, false, "SHORT", SQL_TINYINT},
        {"NUMERIC", 6, 2, false, "LONG", SQL_SMALLINT},
        {"NUMERIC", 19, 4, false, "PDECIMAL(19,4)", SQL_DECIMAL},
        {"DECIMAL(10,2)", 10, 2, false, "DECIMAL(10,2)", SQL_DECIMAL},
        {"VARCHAR(x)", 10, 0, false, "VARCHAR(x)", SQL_VARCHAR},
        {"VARCHAR(10,2,3)", 10, 0, false, "VARCHAR(10,2,3)", SQL_VARCHAR},
        {"(10)", 10, 0, false, "(10)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FieldTypeFor({c.type, c.size, c.decimals, c.dataType}, c.oracle), c.expected)
            << c.type << " " << c.size;
}

TEST(FieldType, OnlyCapitalisedDateTimeTypesGetTheirGroup) {
    EXPECT_TRUE(isDateTimeColumn("TIMESTAMP"));
    EXPECT_TRUE(isDateTimeColumn("DATETIME"));
    EXPECT_FALSE(isDateTimeColumn("timestamp"));
    EXPECT_FALSE(isDateTimeColumn("DateTime"));
    EXPECT_FALSE(isDateTimeColumn("DATE"));
    EXPECT_TRUE(isDateTimeColumn("DATETIME(3)"));
    EXPECT_TRUE(isDateTimeColumn("TIMESTAMP (6)"));
    EXPECT_FALSE(isDateTimeColumn("timestamp(6)"));
}

TEST(CleanName, MakesLabelsOfCatalogueNames) {
    const struct {
        const char* name;
        const char* label;
    } cases[] = {
        {"Order Details", "Order_Details"},
        {"Price/Unit", "Price_Unit"},
        {"O'Brien", "O_Brien"},
        {"a-b$c,d\\e", "a_b_c_d_e"},
        {"trailing   ", "trailing"},
        {"  lead", "__lead"},
        {"note<x>", "note_x_"},
        {"curly{y}", "curly_y_"},
        {"2019 Sales", "_2019_Sales"},
        {"Caf\xE9", "Caf_"},
        {"a\"b.c:d", "a_b_c_d"},
        {"_9", "_9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CleanName(c.name), c.label) << c.name;
        EXPECT_EQ(CleanName(CleanName(c.name)), CleanName(c.name)) << c.name;
    }
    EXPECT_EQ(CleanName(std::string(6000, 'x')).size(), 4999u);
    const std::string longDigits = CleanName(std::string(6000, '7'));
    EXPECT_EQ(longDigits.size(), 4999u);
    EXPECT_EQ(CleanName(longDigits), longDigits);
}

TEST(PrefixMaker, PrefixesAreUniqueWithoutCaseAndKeepTheirCase) {
    const struct {
        const char* label;
        const char* prefix;
    } tables[] = {
        {"Orders", "Ord"},    {"ORDER_LINES", "ORD1"}, {"Order_Details", "Ord2"}, {"Globals", "Glo1"},
        {"GLOSSARY", "GLO2"}, {"ab", "ab"},            {"AB", "AB1"},             {"x", "x"},
    };
    PrefixMaker prefixes;
    for (const auto& t : tables) EXPECT_EQ(prefixes.prefixFor(t.label), t.prefix) << t.label;

    std::vector<std::string> rows;
    for (std::size_t i = 1; i <= prefixes.queue().records(); ++i)
        rows.push_back(prefixes.queue().at(i).PREFIX.str() + "=" + prefixes.queue().at(i).TABLENAME.str());
    EXPECT_EQ(rows, (std::vector<std::string>{"AB=ab", "AB1=AB", "GLO1=Globals", "GLO2=GLOSSARY", "ORD=Orders",
                                              "ORD1=ORDER_LINES", "ORD2=Order_Details", "X=x"}));
}

TEST(PrefixMaker, ElevenTablesOfOneStemCountOnPastNine) {
    PrefixMaker prefixes;
    std::string last;
    for (int i = 0; i < 11; ++i) last = prefixes.prefixFor("Ord" + std::to_string(i));
    EXPECT_EQ(last, "Ord10");
}

TEST(TxdFilename, ABareNameGoesIntoTheCurrentFolder) {
    const struct {
        const char* name;
        const char* folder;
        std::size_t width;
        std::optional<std::string> expected;
    } cases[] = {
        {"Clarion.txd", "/home/work", 255, "/home/work/Clarion.txd"},
        {"Clarion.txd", "/", 255, "/Clarion.txd"},
        {"Clarion.txd   ", "/home/work/", 255, "/home/work/Clarion.txd"},
        {"out/Clarion.txd", "/home/work", 255, "out/Clarion.txd"},
        {"/tmp/x.txd", "/home/work", 255, "/tmp/x.txd"},
        {"C:\\Work\\x.txd", "/home/work", 255, "/home/work/C:\\Work\\x.txd"},
        {"Clarion.txd", "/a/folder/too/long", 20, std::nullopt},
        {"Clarion.txd", "/a/folder/that/fits", 31, "/a/folder/that/fits/Clarion.txd"},
        {"x/Clarion.txd", "/a/folder/too/long", 5, "x/Clarion.txd"},
        {"Clarion.txd", "", 255, "Clarion.txd"},
    };
    for (const auto& c : cases) EXPECT_EQ(completedTxdFilename(c.name, c.folder, c.width), c.expected) << c.name;
}

}  // namespace
