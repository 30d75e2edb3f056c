#include "app/txd/CleanName.h"
#include "app/txd/FieldType.h"
#include "app/txd/PrefixMaker.h"
#include "app/txd/TxdFilename.h"

#include <gtest/gtest.h>

#include <sql.h>
#include <sqlext.h>

using namespace platform;

namespace {

// The field type as the dictionary shows it: its text, and "+GROUP" when a
// date and a time field lie over it.
std::string shown(const std::optional<TxdFieldType>& type) {
    if (!type) return "none";
    return type->text + (type->dateTimeGroup ? " +GROUP" : "");
}

struct TypeCase {
    const char* type;
    Long size, decimals;
    const char* expected;
    Long dataType = SQL_UNKNOWN_TYPE;
    bool oracle = false;
};

void expectFieldTypes(const std::vector<TypeCase>& cases) {
    for (const TypeCase& c : cases)
        EXPECT_EQ(shown(FieldTypeFor({c.type, c.size, c.decimals, c.dataType}, c.oracle)), c.expected)
            << c.type << " " << c.size << "," << c.decimals << " of data type " << c.dataType;
}

TEST(FieldType, FollowsTheTypeTable) {
    expectFieldTypes({
        {"IMAGE", 0, 0, "none"},
        {"image", 10, 0, "none"},
        {"BIT", 1, 0, "BYTE"},
        {"SMALLINT", 5, 0, "SHORT"},
        {"COUNTER", 10, 0, "LONG"},
        {"NUMERIC", 1, 0, "BYTE"},
        {"NUMBER", 2, 0, "SHORT"},
        {"INT IDENTITY", 4, 0, "SHORT"},
        {"NUMERIC", 5, 0, "LONG"},
        {"IDENTITY", 8, 0, "LONG"},
        {"INT", 10, 0, "PDECIMAL(10)"},
        {"INTEGER", 9, 0, "PDECIMAL(9)"},
        {"MONEY", 19, 4, "PDECIMAL(19,4)"},
        {"numeric  ", 3, 1, "PDECIMAL(3,1)"},
        {"CURRENCY", 19, 4, "PDECIMAL(10,2)"},
        {"CHAR", 10, 0, "STRING(10)"},
        {"CHARACTER", 1, 0, "STRING(1)"},
        {"nchar", 3, 0, "STRING(3)"},
        {"VARCHAR", 50, 0, "CSTRING(51)"},
        {"NVARCHAR", 8000, 0, "CSTRING(8001)"},
        {"VARCHAR2", 8000, 0, "CSTRING(4002)", SQL_UNKNOWN_TYPE, true},
        {"VARCHAR2", 4001, 0, "CSTRING(4002)", SQL_UNKNOWN_TYPE, true},
        {"VARCHAR", 4000, 0, "CSTRING(4001)", SQL_UNKNOWN_TYPE, true},
        {"TEXT", 0, 0, "STRING(63982)"},
        {"NTEXT", 0, 0, "CSTRING(4001)", SQL_UNKNOWN_TYPE, true},
        {"LONGCHAR", 0, 0, "STRING(63982)"},
        {"LONGBINARY", 0, 0, "CSTRING(4001)", SQL_UNKNOWN_TYPE, true},
        {"DOUBLE", 53, 0, "SREAL"},
        {"FLOAT", 53, 0, "SREAL", SQL_DOUBLE},
        {"HUGE DATE", 0, 0, "DATE"},
        {"TIMESTAMP", 23, 3, "STRING(8) +GROUP"},
        {"DATETIME", 23, 3, "STRING(8) +GROUP"},
        {"datetime", 23, 3, "STRING(8)"},
        {"DateTime", 23, 3, "STRING(8)"},
        {"timestamp", 26, 6, "STRING(8)", SQL_TYPE_TIMESTAMP},
        // Names with their precision, and integers reported with decimals.
        {"NVARCHAR(160)", 160, 0, "CSTRING(161)", SQL_WVARCHAR},
        {"numeric(10,2)", 2, 10, "PDECIMAL(10,2)", SQL_NUMERIC},
        {"NUMERIC(5)", 0, 3, "LONG", SQL_NUMERIC},
        {"NUMERIC( 12 , 4 )", 0, 0, "PDECIMAL(12,4)", SQL_NUMERIC},
        {"varchar ( 20 )", 255, 0, "CSTRING(21)", SQL_VARCHAR},
        {"VARCHAR2(8000)", 0, 0, "CSTRING(4002)", SQL_VARCHAR, true},
        {"DATETIME(3)", 23, 3, "STRING(8) +GROUP", SQL_TYPE_TIMESTAMP},
        {"TIMESTAMP (6)", 26, 6, "STRING(8) +GROUP", SQL_TYPE_TIMESTAMP},
        {"timestamp(6)", 26, 6, "STRING(8)", SQL_TYPE_TIMESTAMP},
        {"INTEGER", 9, 10, "PDECIMAL(9)", SQL_INTEGER},
        {"INT", 4, 10, "SHORT", SQL_INTEGER},
        {"NUMERIC", 19, 4, "PDECIMAL(19)", SQL_BIGINT},
        {"NUMERIC", 1, 2, "BYTE", SQL_BIT},
        {"NUMERIC", 3, 2, "SHORT", SQL_TINYINT},
        {"NUMERIC", 6, 2, "LONG", SQL_SMALLINT},
        {"NUMERIC", 19, 4, "PDECIMAL(19,4)", SQL_DECIMAL},
        {"DECIMAL(10,2)", 10, 2, "PDECIMAL(10,2)", SQL_DECIMAL},
        {"VARCHAR(x)", 10, 0, "CSTRING(11)", SQL_VARCHAR},
        {"VARCHAR(10,2,3)", 10, 0, "CSTRING(11)", SQL_VARCHAR},
    });
}

// Types the table leaves without a valid size, and numbers past what a
// packed decimal holds.
TEST(FieldType, EveryTypeHasAValidSize) {
    expectFieldTypes({
        {"NUMERIC", 0, 0, "PDECIMAL(31)"},
        {"MONEY", 0, 10, "PDECIMAL(31,10)", SQL_VARCHAR},
        {"numeric", 53, 10, "PDECIMAL(31,10)", SQL_DOUBLE},
        {"DECIMAL", 65, 30, "PDECIMAL(31,30)", SQL_DECIMAL},
        {"DECIMAL", 40, 35, "PDECIMAL(31,31)", SQL_DECIMAL},
        {"NUMERIC", 5, 7, "PDECIMAL(5,5)", SQL_NUMERIC},
        {"NUMBER", 10, -2, "PDECIMAL(10)", SQL_DECIMAL},
        {"NUMBER", 0, -127, "PDECIMAL(31)", SQL_DECIMAL},
        {"char", 0, 10, "STRING(63982)", SQL_VARCHAR},
        {"CHAR", 0, 0, "CSTRING(4001)", SQL_CHAR, true},
        {"varchar", 0, 10, "STRING(63982)", SQL_VARCHAR},
        {"NVARCHAR", -1, 0, "STRING(63982)", SQL_WVARCHAR},
        {"nvarchar", 2147483647, 0, "CSTRING(2147483648)", SQL_WVARCHAR},
    });
}

// Names the type table does not know go by their ODBC data type.
TEST(FieldType, UnknownNamesGoByTheirDataType) {
    expectFieldTypes({
        // PostgreSQL
        {"int2", 5, 0, "SHORT", SQL_SMALLINT},
        {"int4", 10, 0, "LONG", SQL_INTEGER},
        {"int8", 19, 0, "PDECIMAL(19)", SQL_BIGINT},
        {"float4", 9, 0, "SREAL", SQL_REAL},
        {"float8", 17, 0, "REAL", SQL_FLOAT},
        {"bool", 1, 0, "BYTE", SQL_BIT},
        {"bool", 5, 0, "CSTRING(6)", SQL_VARCHAR},
        {"bpchar", 3, 0, "STRING(3)", SQL_CHAR},
        {"bytea", -4, 0, "STRING(63982)", SQL_LONGVARBINARY},
        {"bytea", -4, 0, "CSTRING(4001)", SQL_LONGVARBINARY, true},
        {"date", 10, 0, "DATE", SQL_TYPE_DATE},
        {"time", 8, 6, "TIME", SQL_TYPE_TIME},
        {"timestamptz", 26, 6, "STRING(8) +GROUP", SQL_TYPE_TIMESTAMP},
        {"uuid", 37, 0, "STRING(36)", SQL_GUID},
        {"uuid", 0, 0, "STRING(36)", SQL_WLONGVARCHAR},
        {"json", 255, 0, "CSTRING(256)", SQL_VARCHAR},
        {"xml", 255, 0, "STRING(63982)", SQL_LONGVARCHAR},
        {"numeric", 28, 6, "PDECIMAL(28,6)", SQL_NUMERIC},
        {"text", 8190, 0, "STRING(63982)", SQL_LONGVARCHAR},
        // MariaDB
        {"TINYINT", 3, 0, "SHORT", SQL_TINYINT},
        {"TINYINT UNSIGNED", 3, 0, "BYTE", SQL_TINYINT},
        {"SMALLINT UNSIGNED", 5, 0, "USHORT", SQL_SMALLINT},
        {"MEDIUMINT", 7, 0, "LONG", SQL_INTEGER},
        {"MEDIUMINT UNSIGNED", 8, 0, "LONG", SQL_INTEGER},
        {"INT UNSIGNED", 10, 0, "ULONG", SQL_INTEGER},
        {"INT", 10, 0, "PDECIMAL(10)", SQL_INTEGER},
        {"BIGINT", 19, 0, "PDECIMAL(19)", SQL_BIGINT},
        {"BIGINT UNSIGNED", 20, 0, "PDECIMAL(20)", SQL_BIGINT},
        {"DECIMAL", 10, 2, "PDECIMAL(10,2)", SQL_DECIMAL},
        {"YEAR", 4, 0, "SHORT", SQL_SMALLINT},
        {"BIT", 2, 0, "BYTE", SQL_BINARY},
        {"TINYTEXT", 255, 0, "STRING(63982)", SQL_WLONGVARCHAR},
        {"LONGTEXT", -1, 0, "STRING(63982)", SQL_WLONGVARCHAR},
        {"BINARY", 16, 0, "STRING(16)", SQL_BINARY},
        {"VARBINARY", 100, 0, "STRING(100)", SQL_VARBINARY},
        {"BLOB", 65535, 0, "STRING(63982)", SQL_LONGVARBINARY},
        {"ENUM", 5, 0, "STRING(5)", SQL_WCHAR},
        {"SET", 3, 0, "STRING(3)", SQL_WCHAR},
        {"UUID", 0, 0, "STRING(36)", SQL_LONGVARBINARY},
        // SQL Server, and the date and time codes of ODBC 2
        {"uniqueidentifier", 36, 0, "STRING(36)", SQL_GUID},
        {"tinyint", 3, 0, "SHORT", SQL_TINYINT},
        {"real", 24, 0, "SREAL", SQL_REAL},
        {"date", 10, 0, "DATE", SQL_DATE},
        {"time", 8, 0, "TIME", SQL_TIME},
        {"datetime2", 27, 7, "STRING(8) +GROUP", SQL_TIMESTAMP},
        // A driver's own data type, with and without a size
        {"sql_variant", 8016, 0, "STRING(8016)", -150},
        {"a very long type name indeed", 0, 0, "STRING(63982)"},
        {"(10)", 10, 0, "STRING(10)"},
    });
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
