#include "TxdTestSupport.h"
#include "support/RecordingViewer.h"

#include "app/txd/WriteTXD.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

using namespace platform;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// Orders refers to Customers (the key on its column comes second), to itself,
// and is referred to by "Line Items", whose two-column foreign key refers to
// Products: the index on its blank and hyphen columns comes second too.
const std::string kShopWithForeignKeys =
    "CREATE TABLE Customers (CustomerID INTEGER PRIMARY KEY, Name VARCHAR(40));"
    "CREATE TABLE Orders (OrderID INTEGER PRIMARY KEY, CustomerID INTEGER REFERENCES Customers (CustomerID),"
    " ParentOrder INTEGER REFERENCES Orders (OrderID));"
    "CREATE INDEX OrdersCustomer ON Orders (CustomerID);"
    "CREATE TABLE Products (Maker INTEGER, Code VARCHAR(10), PRIMARY KEY (Maker, Code));"
    "CREATE TABLE \"Line Items\" (OrderID INTEGER REFERENCES Orders (OrderID), \"Product Maker\" INTEGER,"
    " \"Product-Code\" VARCHAR(10),"
    " FOREIGN KEY (\"Product Maker\", \"Product-Code\") REFERENCES Products (Maker, Code));"
    "CREATE INDEX \"by product\" ON \"Line Items\" (\"Product Maker\", \"Product-Code\");"
    "CREATE INDEX \"a first\" ON \"Line Items\" (OrderID);";

const std::string kSysRelTable =
    "CREATE TABLE sysrel (ccolumn INTEGER, grbit INTEGER, icolumn INTEGER, szColumn VARCHAR(255),"
    " szObject VARCHAR(255), szReferencedColumn VARCHAR(255), szReferencedObject VARCHAR(255),"
    " szRelationship VARCHAR(255));";

// The section from its heading to the end of the file; empty without one.
std::string relationSection(const std::string& written) {
    const std::size_t at = written.find("[RELATIONS]");
    return at == std::string::npos ? std::string() : written.substr(at);
}

class WriteRelationsTest : public ::testing::Test {
protected:
    std::string writeWithRelations(TxdDatabase& db) {
        Glo::NoRelations = 0;
        db.readTables();
        WriteTXD();
        EXPECT_TRUE(messages.texts.empty());
        return db.written();
    }

    RecordingViewer viewer;
    MessageRecorder messages;
};

TEST_F(WriteRelationsTest, EachColumnPairOfAForeignKeyIsOneRelation) {
    TxdDatabase shop(kShopWithForeignKeys);
    EXPECT_EQ(relationSection(writeWithRelations(shop)), goldenFile("relations.txd"));
}

TEST_F(WriteRelationsTest, WithNoRelationsTickedTheFileEndsAfterTheLastTable) {
    TxdDatabase shop(kShopWithForeignKeys + kSysRelTable +
                     "INSERT INTO sysrel VALUES (1, 0, 0, 'CustomerID', 'Orders', 'CustomerID', 'Customers', 'r');");
    shop.readTables();
    WriteTXD();
    EXPECT_EQ(relationSection(shop.written()), "");
    EXPECT_THAT(shop.written(), EndsWith("    END\r\n  END\r\n\r\n"));
}

// Without foreign keys the relations come from the table sysrel, when it
// holds rows.
TEST_F(WriteRelationsTest, WithoutForeignKeysTheSysrelTableGivesTheRelations) {
    const std::string shop =
        "CREATE TABLE Customers (CustomerID INTEGER PRIMARY KEY, Name VARCHAR(40));"
        "CREATE TABLE Orders (OrderID INTEGER PRIMARY KEY, CustomerID INTEGER, Placed DATETIME);"
        "CREATE INDEX \"rel Customers Orders\" ON Orders (CustomerID, Placed);"
        "CREATE INDEX \"by customer\" ON Orders (CustomerID);";
    const std::string related =
        "                       RELATION,MANY:ONE\r\n"
        "Orders               FILE(ORD:rel_Customers_Orders)\r\n"
        "Customers               RELATED_FILE(CUS:sqlite_autoindex_0)\r\n"
        "                                FILE_TO_RELATED_KEY\r\n"
        "                                  FIELD(ORD:CustomerID,CUS:CustomerID)\r\n"
        "                                END\r\n"
        "                                RELATED_FILE_TO_KEY\r\n"
        "                                  FIELD(CUS:CustomerID,ORD:CustomerID)\r\n"
        "                                END\r\n"
        "                              END\r\n"
        "\r\n";
    const struct {
        const char* name;
        std::string sql;
        std::string relations;
    } cases[] = {
        {"sysrel rows",
         shop + kSysRelTable +
             "INSERT INTO sysrel VALUES (1, 4096, 0, 'CustomerID', 'Orders', 'CustomerID', 'Customers',"
             " 'rel Customers Orders');"
             "INSERT INTO sysrel VALUES (1, 0, 0, 'OrderID', 'Orders', 'OrderID', 'Orders', 'self');",
         "[RELATIONS]\r\n\r\n\r\n" + related},
        {"an empty sysrel", shop + kSysRelTable, ""},
        {"no sysrel", shop, ""},
        {"foreign keys besides sysrel",
         kShopWithForeignKeys + kSysRelTable +
             "INSERT INTO sysrel VALUES (1, 0, 0, 'Name', 'Customers', 'Code', 'Products', 'never read');",
         goldenFile("relations.txd")},
    };
    for (const auto& c : cases) {
        TxdDatabase db(c.sql);
        EXPECT_EQ(relationSection(writeWithRelations(db)), c.relations) << c.name;
    }
}

// Such a relation could name no FILE block or no key of one.
TEST_F(WriteRelationsTest, ARelationWithoutABlockOrAKeyOnEitherSideIsLeftOut) {
    const std::string regions = "CREATE TABLE regions (code TEXT PRIMARY KEY);";
    const std::string shops = "CREATE TABLE shops (id INTEGER PRIMARY KEY, region TEXT REFERENCES regions (code));";
    const struct {
        const char* name;
        std::string sql;
        const char* systemTable;
    } cases[] = {
        {"the MANY table has no index", regions + "CREATE TABLE shops (region TEXT REFERENCES regions (code));", ""},
        {"the ONE table has no index", "CREATE TABLE regions (code TEXT);" + shops, ""},
        {"the MANY table has no block", regions + shops, "shops"},
        {"the ONE table has no block", regions + shops, "regions"},
    };
    for (const auto& c : cases) {
        TxdDatabase db(c.sql);
        Glo::NoRelations = 0;
        db.readTables();
        for (std::size_t i = 1; i <= GTQ.records(); ++i) {
            GTQ.get(i);
            if (GTQ.rec.TABLENAME == c.systemTable) GTQ.rec.TABLETYPE = "SYSTEM TABLE";
            GTQ.put();
        }
        WriteTXD();
        EXPECT_THAT(db.written(), Not(HasSubstr("RELATION,"))) << c.name;
        EXPECT_TRUE(messages.texts.empty()) << c.name;
    }
}

// What the FILE blocks of a dictionary declare: per label its prefix, and per
// upper-cased prefix its keys and fields.
struct DeclaredNames {
    std::map<std::string, std::string> prefixOfLabel;
    std::map<std::string, std::set<std::string>> keys;
    std::map<std::string, std::set<std::string>> fields;
};

DeclaredNames declaredNames(const std::string& written) {
    static const std::regex fileLine("(\\S+) FILE,.*,PRE\\(([^)]*)\\),BINDABLE,THREAD");
    static const std::regex keyLine("(\\S+) KEY\\(.*");
    static const std::regex fieldLine("([A-Za-z_][A-Za-z0-9_]*) [A-Z].*");
    DeclaredNames names;
    std::string prefix;
    std::istringstream lines(written.substr(0, written.find("[RELATIONS]")));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::smatch m;
        if (std::regex_match(line, m, fileLine)) {
            prefix = upper(m[2].str());
            names.prefixOfLabel[m[1]] = prefix;
        } else if (std::regex_match(line, m, keyLine)) {
            names.keys[prefix].insert(m[1]);
        } else if (std::regex_match(line, m, fieldLine)) {
            names.fields[prefix].insert(m[1]);
        }
    }
    return names;
}

TEST_F(WriteRelationsTest, UnderOracleEveryRelationNamesWhatItsFileBlocksDeclare) {
    TxdDatabase db(
        "CREATE TABLE \"customer accounts of the northern sales region\" (id INTEGER PRIMARY KEY, name TEXT);"
        "CREATE TABLE calendar (date TEXT PRIMARY KEY);"
        "CREATE TABLE \"order\" (id INTEGER PRIMARY KEY,"
        " account INTEGER REFERENCES \"customer accounts of the northern sales region\" (id),"
        " date TEXT REFERENCES calendar (date));"
        "CREATE INDEX \"orders of one customer account, newest first\" ON \"order\" (account, date DESC);"
        "CREATE INDEX \"order-by-date\" ON \"order\" (date);");
    Glo::Driver = "ORACLE";
    const std::string written = writeWithRelations(db);
    const DeclaredNames declared = declaredNames(written);
    static const std::regex fileLine("(\\S+) +(?:RELATED_)?FILE\\(([^:]+):([^)]+)\\)");
    static const std::regex fieldLine(" +FIELD\\(([^:]+):([^,]+),([^:]+):([^)]+)\\)");
    std::istringstream lines(relationSection(written));
    std::size_t relationLines = 0;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::smatch m;
        if (std::regex_match(line, m, fileLine)) {
            ASSERT_TRUE(declared.prefixOfLabel.count(m[1])) << line;
            EXPECT_EQ(declared.prefixOfLabel.at(m[1]), m[2]) << line;
            EXPECT_TRUE(declared.keys.at(m[2]).count(m[3])) << line;
            ++relationLines;
        } else if (std::regex_match(line, m, fieldLine)) {
            EXPECT_TRUE(declared.fields.at(m[1]).count(m[2])) << line;
            EXPECT_TRUE(declared.fields.at(m[3]).count(m[4])) << line;
            ++relationLines;
        }
    }
    EXPECT_EQ(relationLines, 8u) << "two relations of two FILE and two FIELD lines each";
    EXPECT_THAT(written, HasSubstr("FIELD(ORD:DATE_,CAL:DATE_)"));
}

}  // namespace
