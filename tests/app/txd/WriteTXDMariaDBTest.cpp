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
    const std::string mine = ofThisProgram("");
    const std::vector<std::string> tables = {"ahead_a_b", "ahead_axb", "ahead_uses", "Ahead_Part", "ahead_part",
                                             "ahead_\xCE\xA9mega", "ahead_wide"};
    const auto drop = [&] {
        for (const std::string& table : tables) runOnServer(other, "DROP TABLE IF EXISTS `" + table + mine + "`");
    };
    drop();
    for (const std::string& table :
         {"ahead_a_b" + mine + " (only_in_a_b INT)", "ahead_axb" + mine + " (only_in_axb INT)",
          "Ahead_Part" + mine + " (PartID INT PRIMARY KEY, Title VARCHAR(40))",
          "ahead_part" + mine + " (part_no INT PRIMARY KEY, label VARCHAR(20), INDEX (label))",
          "ahead_uses" + mine + " (id INT PRIMARY KEY, PartID INT, FOREIGN KEY (PartID) REFERENCES Ahead_Part" + mine +
              " (PartID))",
          "`ahead_\xCE\xA9mega" + mine + "` (id INT)", "ahead_wide" + mine + " (id INT, `col\xCE\xA9` INT)"})
        runOnServer(other, "CREATE TABLE " + table);
    for (const platform::Byte noRelations : {platform::Byte{1}, platform::Byte{0}}) {
        Glo::NoRelations = noRelations;
        const std::string single = writeOn(1, mine);
        EXPECT_EQ(writeOn(kCatalogConnections, mine), single);
        EXPECT_EQ(writeOn(2, mine), single) << "one connection beside the write's own";
        EXPECT_NE(single.find("\r\nahead_part" + mine + "1 FILE,"), std::string::npos) << single;
        EXPECT_NE(single.find("\r\nahead_axb" + mine + " FILE,"), std::string::npos);
        EXPECT_NE(single.find("\nahead_wide" + mine + " (a column or index name "), std::string::npos);
    }
    drop();
}

}  // namespace
