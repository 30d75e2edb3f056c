// The dictionary of the MariaDB database that scripts/mariadb.sh creates:
// every common column type, tables Item and item, and indexes named after
// their first column, as the server names one it is given no name for (a
// foreign key's index too).
#include "DictionaryChecks.h"
#include "TxdTestSupport.h"

#include "app/odbccatalog/CatalogReadAhead.h"

#include <gtest/gtest.h>

namespace {

class WriteTXDMariaDB : public TxdServerTest {
protected:
    WriteTXDMariaDB() : TxdServerTest(kMariaDBConnect) {}
};

TEST_F(WriteTXDMariaDB, TheDatabaseMakesItsDictionary) {
    Glo::NoRelations = 0;
    readTables();
    // The server lists Item and item in either order.
    GTQ.sort({{"TABLENAME"}});
    const std::string written = write();
    EXPECT_EQ(written, goldenFile("mariadb.txd"));
    EXPECT_EQ(expectValidDictionary(written.substr(written.find("\r\n                       END\r\n"))), 7u);
}

// Tables whose names differ in case only, names the search pattern would
// match more widely, and names Windows-1252 cannot hold (the server's names
// are too short to be too long for the queues; they are left out the same
// way), in the second database, whose tables no other test lists.
TEST_F(WriteTXDMariaDB, ReadingAheadWritesWhatTheSingleConnectionWrites) {
    reconnect(connectWith("DATABASE", "tabloom_other"));
    const std::string other = Glo::ConnectString.str();
    const char* const tables[] = {"ahead_a_b", "ahead_axb", "ahead_uses", "Ahead_Part", "ahead_part",
                                  "ahead_\xCE\xA9mega", "ahead_wide"};
    const auto drop = [&] {
        for (const char* table : tables) runOnServer(other, std::string("DROP TABLE IF EXISTS `") + table + "`");
    };
    drop();
    runOnServer(other, "CREATE TABLE ahead_a_b (only_in_a_b INT)");
    runOnServer(other, "CREATE TABLE ahead_axb (only_in_axb INT)");
    runOnServer(other, "CREATE TABLE Ahead_Part (PartID INT PRIMARY KEY, Title VARCHAR(40))");
    runOnServer(other, "CREATE TABLE ahead_part (part_no INT PRIMARY KEY, label VARCHAR(20), INDEX (label))");
    runOnServer(other, "CREATE TABLE ahead_uses (id INT PRIMARY KEY, PartID INT, FOREIGN KEY (PartID) REFERENCES "
                       "Ahead_Part (PartID))");
    runOnServer(other, "CREATE TABLE `ahead_\xCE\xA9mega` (id INT)");
    runOnServer(other, "CREATE TABLE ahead_wide (id INT, `col\xCE\xA9` INT)");
    for (const platform::Byte noRelations : {platform::Byte{1}, platform::Byte{0}}) {
        Glo::NoRelations = noRelations;
        const std::string single = writeOn(1);
        EXPECT_EQ(writeOn(kCatalogConnections), single);
        EXPECT_EQ(writeOn(2), single) << "one connection beside the write's own";
        EXPECT_NE(single.find("\r\nahead_part1 FILE,"), std::string::npos) << single;
        EXPECT_NE(single.find("\r\nahead_axb FILE,"), std::string::npos);
        EXPECT_NE(single.find("|ahead_wide (a column or index name "), std::string::npos);
    }
    drop();
}

}  // namespace
