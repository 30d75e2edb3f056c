#include "DictionaryChecks.h"
#include "TxdTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// The labels of the FILE lines of a written dictionary, with their NAME.
std::vector<std::string> fileBlocks(const std::string& written) {
    static const std::regex fileLine("\r\n([^ \r\n]+) FILE,DRIVER\\('ODBC'[^\r\n]*,NAME\\('([^']*)'\\)");
    std::vector<std::string> blocks;
    for (std::sregex_iterator it(written.begin(), written.end(), fileLine), end; it != end; ++it)
        blocks.push_back((*it)[1].str() + "=" + (*it)[2].str());
    return blocks;
}

class WriteTXDPostgres : public TxdServerTest {
protected:
    WriteTXDPostgres() : TxdServerTest("TABLOOM_PG_CONNECT", "PWD=secret;") {}
};

TEST_F(WriteTXDPostgres, EachTableOfTheSchemaGetsItsFileBlock) {
    const std::string written = writeSchema("alpha");
    EXPECT_THAT(fileBlocks(written), ElementsAre("a_b=a_b", "axb=axb", "items=items", "orders=orders"));
    EXPECT_THAT(written, HasSubstr("items_title_desc KEY(-ite:title),NOCASE,OPT,DUP\r\n"));
    EXPECT_THAT(written, HasSubstr("\r\nStra_e CSTRING(21),NAME('Stra\xDF" "e')\r\n"));
}

TEST_F(WriteTXDPostgres, APrimaryKeyNamedWithBlanksIsPrimary) {
    const std::string schema = ofThisProgram("txd_keys");
    runOnServer(connect, "DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema + ";"
                     "CREATE TABLE " + schema + ".\"order lines\" (id integer,"
                     " CONSTRAINT \"pk order-lines\" PRIMARY KEY (id))");
    const std::string written = writeSchema(schema);
    runOnServer(connect, "DROP SCHEMA " + schema + " CASCADE");
    EXPECT_THAT(fileBlocks(written), ElementsAre("order_lines=order lines"));
    EXPECT_THAT(written, HasSubstr("\r\npk_order_lines KEY(+ord:id),NOCASE,OPT,PRIMARY\r\n"));
}

// Read without its schema, each table would be the one in schema postgres,
// whose keys come first on other columns.
TEST_F(WriteTXDPostgres, EachSideOfARelationIsReadInItsOwnSchema) {
    Glo::NoRelations = 0;
    const std::string written = writeSchema("shop");
    EXPECT_THAT(fileBlocks(written), ElementsAre("customers=customers", "invoices=invoices"));
    EXPECT_THAT(written, HasSubstr("\r\n[RELATIONS]\r\n\r\n\r\n"
                                   "                       RELATION,MANY:ONE\r\n"
                                   "invoices               FILE(INV:invoices_by_customer)\r\n"
                                   "customers               RELATED_FILE(CUS:customers_key)\r\n"
                                   "                                FILE_TO_RELATED_KEY\r\n"
                                   "                                  FIELD(INV:customer_id,CUS:customer_id)\r\n"
                                   "                                END\r\n"
                                   "                                RELATED_FILE_TO_KEY\r\n"
                                   "                                  FIELD(CUS:customer_id,INV:customer_id)\r\n"
                                   "                                END\r\n"
                                   "                              END\r\n"
                                   "\r\n"));
    EXPECT_EQ(written.find("RELATION,", written.find("RELATION,") + 1), std::string::npos) << "one relation";
}

// Tables of one name in several schemas get labels of their own, and the
// relations name the blocks of their own schema.
TEST_F(WriteTXDPostgres, EverySchemaMakesOneValidDictionary) {
    Glo::NoRelations = 0;
    const std::string written = writeSchema();
    EXPECT_EQ(expectValidDictionary(written.substr(written.find("\r\n                       END\r\n"))),
              GTQ.records());
    EXPECT_THAT(fileBlocks(written), ::testing::IsSupersetOf({"items=items", "items1=items", "customers=customers",
                                                              "customers1=customers", "every_type=every_type"}));
    for (const char* field : {"small SHORT", "regular LONG", "big PDECIMAL(19)", "single SREAL", "twice REAL",
                              "code STRING(3)", "bytes STRING(63982)", "day DATE", "moment TIME", "stamp STRING(8)",
                              "stamp_tz STRING(8)", "ident STRING(36)", "amount PDECIMAL(10,2)",
                              "any_number PDECIMAL(28,6)", "wide PDECIMAL(31,5)", "note STRING(63982)"})
        EXPECT_THAT(written, HasSubstr("\r\n" + std::string(field) + ",NAME(")) << field;
    EXPECT_THAT(written, HasSubstr("\r\nstamp_tz_GROUP                GROUP,OVER(stamp_tz)\r\n"));
    EXPECT_EQ(written.find("stamp_GROUP"), std::string::npos) << "a lower-case timestamp has no group";
}

}  // namespace
