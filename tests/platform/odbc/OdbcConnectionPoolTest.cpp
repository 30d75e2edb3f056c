// The pool's jobs run on connections of its own and come back to the fiber;
// what a pool cannot do is given back, and nothing of it outlives it.
#include "support/SqliteFixture.h"
#include "support/ThreadCount.h"

#include "platform/fiber/BlockingCall.h"
#include "platform/odbc/OdbcConnectionPool.h"

#include <sql.h>
#include <sqlext.h>

#include <gtest/gtest.h>

#include <set>

using namespace platform;

namespace {

// The number the statement gives, or -1.
long long selectNumber(void* connection, const std::string& sql) {
    SQLHSTMT statement = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement))) return -1;
    long long value = -1;
    SQLLEN length = 0;
    if (SQL_SUCCEEDED(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS)) &&
        SQL_SUCCEEDED(SQLFetch(statement)))
        SQLGetData(statement, 1, SQL_C_SBIGINT, &value, sizeof value, &length);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return value;
}

class OdbcConnectionPoolTest : public ::testing::Test {
protected:
    SqliteFixture db{"CREATE TABLE numbers(n INTEGER); INSERT INTO numbers VALUES (1), (2), (3);"};
};

TEST_F(OdbcConnectionPoolTest, JobsRunOnConnectionsOfTheirOwnAndTheirBuffersComeBack) {
    OdbcConnectionPool pool(db.connectString(), 3);
    struct Read {
        long long sum = 0;
        void* connection = nullptr;
        std::shared_ptr<OdbcConnectionPool::Job> job;
    };
    std::vector<Read> reads(12);
    for (std::size_t i = 0; i < reads.size(); ++i)
        reads[i].job = pool.queue([&read = reads[i], i](void* connection) {
            read.connection = connection;
            read.sum = selectNumber(connection, "SELECT sum(n) + " + std::to_string(i) + " FROM numbers");
            return read.sum >= 0;
        });
    std::set<void*> connections;
    for (std::size_t i = 0; i < reads.size(); ++i) {
        ASSERT_TRUE(pool.wait(*reads[i].job)) << i;
        EXPECT_EQ(reads[i].sum, 6 + static_cast<long long>(i));
        connections.insert(reads[i].connection);
    }
    EXPECT_LE(connections.size(), 3u);
    EXPECT_EQ(pool.threads(), 3);
}

TEST_F(OdbcConnectionPoolTest, AJobNotDoneIsGivenBackAndEndsItsThreadOnly) {
    OdbcConnectionPool pool(db.connectString(), 2);
    auto failing = pool.queue([](void*) { return false; });
    EXPECT_FALSE(pool.wait(*failing));
    auto throwing = pool.queue([](void*) -> bool { throw std::runtime_error("driver fault"); });
    EXPECT_FALSE(pool.wait(*throwing));
    EXPECT_EQ(pool.threads(), 0);
    auto late = pool.queue([](void*) { return true; });
    EXPECT_FALSE(pool.wait(*late)) << "with no thread left every job comes back";
}

TEST_F(OdbcConnectionPoolTest, ADataSourceThatRefusesGivesEveryJobBack) {
    for (const std::string connect : {"DRIVER=NoSuchDriver;", "DRIVER=SQLite3;Database=/no/such/folder/x.db;"}) {
        OdbcConnectionPool pool(connect, 4);
        bool ran = false;
        std::vector<std::shared_ptr<OdbcConnectionPool::Job>> jobs;
        for (int i = 0; i < 6; ++i) jobs.push_back(pool.queue([&ran](void* connection) {
            ran = true;
            return selectNumber(connection, "SELECT 1") == 1;
        }));
        for (const auto& job : jobs) EXPECT_FALSE(pool.wait(*job)) << connect;
        EXPECT_FALSE(ran) << connect;
        EXPECT_EQ(pool.threads(), 0) << connect;
    }
}

TEST_F(OdbcConnectionPoolTest, NoThreadOutlivesThePoolAndQueuedJobsAreDropped) {
    runBlocking([] {});  // the layer's own worker stays
    const std::size_t before = threadCount();
    int ran = 0;
    {
        OdbcConnectionPool pool(db.connectString(), 4);
        EXPECT_EQ(threadCount(), before + 4);
        auto first = pool.queue([&ran](void*) { return ++ran > 0; });
        ASSERT_TRUE(pool.wait(*first));
        for (int i = 0; i < 100; ++i) pool.queue([&ran](void* connection) {
            ++ran;
            return selectNumber(connection, "SELECT count(*) FROM numbers") == 3;
        });
    }
    EXPECT_EQ(threadCount(), before);
    EXPECT_LT(ran, 101) << "the jobs still queued at the end are not run";
}

}  // namespace
