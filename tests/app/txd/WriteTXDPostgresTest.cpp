#include "DictionaryChecks.h"
#include "TxdTestSupport.h"

#include "support/OwnPostgresServer.h"
#include "support/ThreadCount.h"

#include "app/odbccatalog/CatalogReadAhead.h"
#include "platform/system/Errors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

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

// Tables of one name in two owners, names the search pattern would match more
// widely, and names Windows-1252 cannot hold (PostgreSQL's names are too
// short to be too long for the queues; they are left out the same way), in a
// database of their own.
class WriteTXDPostgresAhead : public WriteTXDPostgres {
protected:
    void SetUp() override {
        WriteTXDPostgres::SetUp();
        if (IsSkipped()) return;
        runOnServer(connect, "DROP DATABASE IF EXISTS " + database + " WITH (FORCE)");
        runOnServer(connect, "CREATE DATABASE " + database + " ENCODING 'UTF8' TEMPLATE template0");
        reconnect(connectWith("DATABASE", database));
        runOnServer(Glo::ConnectString.str(),
                    "CREATE SCHEMA north; CREATE SCHEMA south;"
                    "CREATE TABLE north.parts (id integer PRIMARY KEY, name varchar(20));"
                    "CREATE TABLE south.parts (code char(4) CONSTRAINT part_code PRIMARY KEY, weight real);"
                    "CREATE TABLE north.a_b (only_in_a_b integer); CREATE TABLE north.axb (only_in_axb integer);"
                    "CREATE TABLE north.orders (id integer PRIMARY KEY, part_id integer REFERENCES north.parts (id),"
                    " placed timestamp); CREATE INDEX orders_by_part ON north.orders (part_id);"
                    "CREATE TABLE south.uses (id integer PRIMARY KEY, part_code char(4) REFERENCES south.parts (code),"
                    " part_id integer REFERENCES north.parts (id));"
                    "CREATE TABLE south.\"\xCE\xA9mega\" (id integer);"
                    "CREATE TABLE north.wide (id integer, \"col\xCE\xA9\" integer)");
    }
    void TearDown() override {
        if (!IsSkipped()) {
            on.reset();
            runOnServer(connect, "DROP DATABASE IF EXISTS " + database + " WITH (FORCE)");
        }
        WriteTXDPostgres::TearDown();
    }

    const std::string database = ofThisProgram("tabloom_ahead");
};

TEST_F(WriteTXDPostgresAhead, ReadingAheadWritesWhatTheSingleConnectionWrites) {
    for (const platform::Byte noRelations : {platform::Byte{1}, platform::Byte{0}}) {
        Glo::NoRelations = noRelations;
        const std::string single = writeOn(1, "");
        EXPECT_EQ(writeOn(kCatalogConnections, ""), single);
        EXPECT_EQ(writeOn(2, ""), single) << "one connection beside the write's own";
        EXPECT_THAT(single, HasSubstr("\r\nparts1 FILE,"));
        EXPECT_THAT(single, HasSubstr("\n<U+03A9>mega (a name "));
        EXPECT_THAT(single, HasSubstr("\nwide (a column or index name "));
        EXPECT_THAT(single, HasSubstr("\r\naxb FILE,"));
        if (!noRelations) {
            EXPECT_THAT(single, HasSubstr("FIELD(USE:part_code,PAR1:code)"));
        }
    }
}

// The role may hold two connections: the write's own and one of the pool's.
// The pool's end leaves the role its one connection and the program no
// thread of the pool's.
TEST_F(WriteTXDPostgres, APoolConnectionRefusedWritesTheSameDictionaryAndSaysNothing) {
    const std::string role = ofThisProgram("tabloom_limited");
    runOnServer(connect, "DROP ROLE IF EXISTS " + role + "; CREATE ROLE " + role + " LOGIN CONNECTION LIMIT 2");
    reconnect(connectWith("UID", role));
    Glo::NoRelations = 0;
    std::string single;
    {
        CatalogConnections one(1);
        single = writeSchema("shop");
    }
    ASSERT_THAT(single, HasSubstr("RELATION,MANY:ONE"));
    const std::size_t threads = threadCount();
    EXPECT_EQ(writeSchema("shop"), single);
    EXPECT_EQ(threadCount(), threads);
    EXPECT_EQ(firstValueOnServer(connect, "SELECT count(*) FROM pg_stat_activity WHERE usename = '" + role + "'"), "1");
    on.reset();
    ODBCCatalog = nullptr;
    runOnServer(connect, "DROP ROLE " + role);
}

// The server stops while the dictionary is being written, the reads of its
// keys held up until it goes: the old dictionary stays whole, the lost
// connection is said, and the write leaves no thread (nor so a connection)
// of its pool behind.
TEST(WriteTXDPostgresLost, TheServerStoppedWhileWritingLeavesTheOldDictionaryAndSaysSo) {
    OwnPostgresServer server;
    if (!server.missing().empty()) GTEST_SKIP() << server.missing();
    ASSERT_EQ(server.failure(), "");
    resetGlobalVariables();
    SqliteFixture folder{""};
    const std::filesystem::path txd = folder.directory() / "Clarion.txd";
    const std::string oldDictionary = "  [DICTIONARY]\r\nthe user's own\r\n";
    std::ofstream(txd, std::ios::binary) << oldDictionary;
    CatalogOn on(server.connectString());
    ODBCCatalog = on.catalog;
    Glo::ConnectString = server.connectString();
    Glo::TXDFilename = txd.string();
    Glo::NoRelations = 0;
    on.catalog->GetTables(GTQ, "alpha", Glo::SystemTables, 0, 0, Glo::TablesOnly);
    ASSERT_EQ(GTQ.records(), 4u);
    MessageRecorder messages;
    RecordingViewer viewer;
    const std::size_t threads = threadCount();
    {
        // A session that holds pg_index, which every new connection and every
        // key read waits for, until the server goes.
        platform::OdbcFile held("HELD");
        held.setProperty(platform::PROP_Owner, server.connectString());
        held.open(platform::kReadWriteDenyWrite);
        held.setProperty(platform::PROP_SQL, "BEGIN; LOCK TABLE pg_catalog.pg_index IN ACCESS EXCLUSIVE MODE");
        ASSERT_EQ(platform::ERRORCODE(), 0) << platform::FILEERROR();
        std::thread stopper([&server] {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            server.stop();
        });
        WriteTXD();
        stopper.join();
    }
    EXPECT_EQ(server.failure(), "");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_THAT(messages.texts[0], HasSubstr("could not be read: The connection to the data source was lost."));
    EXPECT_EQ(fileBytes(txd), oldDictionary);
    EXPECT_EQ(viewer.arguments(std::chrono::milliseconds(200)), std::nullopt) << "nothing to show";
    EXPECT_EQ(threadCount(), threads);
    ODBCCatalog = nullptr;
    resetGlobalVariables();
}

}  // namespace
