#include "TxdTestSupport.h"

#include "app/txd/KeyWriter.h"
#include "app/txd/TableIndexes.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// SQLStatistics' TYPE of the table's own statistics row, and of an ordinary index.
constexpr Byte kTableStatistics = 0, kIndexOther = 3;

void addIndexRow(std::string_view index, std::string_view column, Byte nonUnique = 0, std::string_view order = "A",
                 Byte type = kIndexOther) {
    GIQ.clear();
    GIQ.rec.INDEXTYPE = type;
    GIQ.rec.INDEX_NAME = index;
    GIQ.rec.COLUMN_NAME = column;
    GIQ.rec.NON_UNIQUE = nonUnique;
    GIQ.rec.ASC_OR_DESC = order;
    GIQ.add();
}

void addPrimaryKeyRow(std::string_view column, Long position, std::string_view name) {
    GPQ.clear();
    GPQ.rec.COLUMNNAME = column;
    GPQ.rec.ORDINALPOSITION = position;
    GPQ.rec.INDEX_NAME = name;
    GPQ.add();
}

class KeyLines : public ::testing::Test {
protected:
    void SetUp() override {
        GPQ.free();
        GIQ.free();
    }
    // The key lines of the rows GIQ and GPQ hold, for a table with prefix Ord
    // whose fields have these labels.
    std::string keyLines(std::initializer_list<const char*> fields = {}) {
        SqliteFixture folder("");
        const std::filesystem::path path = folder.directory() / "keys.txd";
        PrepareIndexRows();
        TxdOutput output(path.string());
        EXPECT_TRUE(output.begin());
        DictionaryNumbers numbers;
        TableLabels labels{TxdOptions{}};
        for (const char* field : fields) labels.addField(field);
        WriteKeys(output, numbers, {"Orders", "", "Ord"}, labels, TxdOptions{});
        EXPECT_TRUE(output.finish());
        return fileBytes(path);
    }
};

TEST_F(KeyLines, EachIndexGivesOneKeyWithItsAttributes) {
    addPrimaryKeyRow("OrderID", 1, "PK Orders-1");
    addIndexRow("", "", 0, "", kTableStatistics);
    addIndexRow("PK Orders-1", "OrderID");
    addIndexRow("By Date", "OrderDate", 1, "D");
    addIndexRow("By Date", "Order ID", 1, " ");
    addIndexRow("PrimaryKey", "Code");
    addIndexRow("Stale", "0");
    addIndexRow("statistics", "", 0, "", kTableStatistics);
    EXPECT_EQ(keyLines(),
              "PK_Orders_1 KEY(+Ord:OrderID),NOCASE,OPT,PRIMARY\r\n!!> IDENT(1)\r\n"
              "By_Date KEY(-Ord:OrderDate,-Ord:Order_ID),NOCASE,OPT,DUP\r\n!!> IDENT(2)\r\n"
              "PrimaryKey KEY(+Ord:Code),NOCASE,OPT,PRIMARY\r\n!!> IDENT(3)\r\n");
    EXPECT_EQ(column(GIQ, &GIQRecord::INDEX_NAME),
              (std::vector<std::string>{"PK_Orders_1", "By_Date", "By_Date", "PrimaryKey"}));
}

// A server names an index after its first column when it is given no name.
// Such a key shares its file's prefix with that column's field, so it takes
// another label; its components name the fields as they are labelled.
TEST_F(KeyLines, AnIndexNamedLikeItsColumnIsAKeyWithALabelOfItsOwn) {
    addIndexRow("CustomerID", "CustomerID", 1);
    addIndexRow("OrderID", "OrderID", 1);
    addIndexRow("OrderID", "LineNo", 1);
    addIndexRow("lineno", "LineNo");
    addIndexRow("Line No", "Line No");
    EXPECT_EQ(keyLines({"CustomerID", "OrderID", "LineNo", "Line No", "Line_No"}),
              "CustomerID1 KEY(+Ord:CustomerID),NOCASE,OPT,DUP\r\n!!> IDENT(1)\r\n"
              "OrderID1 KEY(+Ord:OrderID,+Ord:LineNo),NOCASE,OPT,DUP\r\n!!> IDENT(2)\r\n"
              "lineno1 KEY(+Ord:LineNo),NOCASE,OPT\r\n!!> IDENT(3)\r\n"
              "Line_No2 KEY(+Ord:Line_No),NOCASE,OPT\r\n!!> IDENT(4)\r\n");
}

TEST_F(KeyLines, AnUnnamedPrimaryKeyMarksNoIndex) {
    addPrimaryKeyRow("Line", 2, "");
    addPrimaryKeyRow("OrderID", 1, "");
    addIndexRow("ByLine", "OrderID", 1);
    addIndexRow("ByLine", "Line", 1);
    addIndexRow("OrderOnly", "OrderID");
    addIndexRow("auto_1", "OrderID");
    addIndexRow("auto_1", "Line");
    EXPECT_EQ(keyLines(),
              "ByLine KEY(+Ord:OrderID,+Ord:Line),NOCASE,OPT,DUP\r\n!!> IDENT(1)\r\n"
              "OrderOnly KEY(+Ord:OrderID),NOCASE,OPT\r\n!!> IDENT(2)\r\n"
              "auto_1 KEY(+Ord:OrderID,+Ord:Line),NOCASE,OPT\r\n!!> IDENT(3)\r\n");
}

TEST_F(KeyLines, ATableWithoutIndexRowsHasNoKeys) {
    addPrimaryKeyRow("OrderID", 1, "");
    addIndexRow("", "", 0, "", kTableStatistics);
    EXPECT_EQ(keyLines(), "");
}

}  // namespace
