// The dictionary of the MariaDB database that scripts/mariadb.sh creates:
// every common column type, tables Item and item, and indexes named after
// their first column, as the server names one it is given no name for (a
// foreign key's index too).
#include "DictionaryChecks.h"
#include "TxdTestSupport.h"

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

}  // namespace
