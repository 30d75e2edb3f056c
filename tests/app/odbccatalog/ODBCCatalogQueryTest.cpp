#include "CatalogTestSupport.h"
#include "support/SqliteFixture.h"

#include "app/odbccatalog/CatalogQueues.h"
#include "platform/odbc/ConnectString.h"
#include "platform/system/Errors.h"
#include "platform/data/Record.h"

#include <gtest/gtest.h>

#include <sql.h>
#include <sqlext.h>

using namespace platform;

namespace {

constexpr std::size_t kCells = 25;

// A result queue of 25 text fields.
struct Cells {
    CString<40> cell[kCells];
    static const FieldTable& fieldTable() {
        static const FieldTable table = [] {
            std::vector<FieldInfo> fields;
            for (std::size_t i = 0; i < kCells; ++i)
                fields.push_back({"CELLS:CELL" + std::to_string(i + 1), FieldType::CString,
                                  offsetof(Cells, cell) + i * sizeof(CString<40>), sizeof(CString<40>)});
            return FieldTable(fields);
        }();
        return table;
    }
};

// 2,000 rows of 30 columns: row i holds i*1, i*2, ..., i*30.
std::string numbersQuery() {
    std::string select = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) SELECT i";
    for (int c = 2; c <= 30; ++c) select += ", i * " + std::to_string(c);
    return select + " FROM n";
}

class ODBCCatalogQuery : public ::testing::Test {
protected:
    SqliteFixture db{"CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('" + std::string(3000, 'x') + "');"};
    MessageRecorder messages;
    CatalogOn on{db.connectString() + "PWD=secret;"};
    ODBCCatalogClass& catalog = *on.catalog;
};

TEST_F(ODBCCatalogQuery, StringLiteralsReadBackAsTheyWereTyped) { expectLiteralsReadBack(catalog, false); }

TEST_F(ODBCCatalogQuery, FetchResultHonoursItsLimits) {
    const struct {
        Long limit;
        Byte allRows;
        std::size_t rows;
    } cases[] = {{500, 0, 500}, {0, 0, 0}, {10, 1, 2000}, {5000, 0, 2000}};
    for (const auto& c : cases) {
        ASSERT_EQ(catalog.ExecuteSQL(numbersQuery()), 0) << catalog.LASTFILEERROR.str();
        EXPECT_EQ(catalog.ResultColumnCount(), 30);
        Queue<Cells> rows;
        catalog.FetchResult(rows, c.limit, c.allRows);
        EXPECT_EQ(rows.records(), c.rows) << c.limit << "/" << int(c.allRows);
    }
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(ODBCCatalogQuery, ARowFetchedWithAWarningIsStillARow) {
    ASSERT_EQ(catalog.ExecuteSQL("SELECT 'first', 'a long value' UNION ALL SELECT 'second', 'another long one'"), 0);
    // A column bound to a buffer too small for its values makes the driver
    // deliver every row with SQL_SUCCESS_WITH_INFO.
    char tooSmall[3];
    SQLLEN length = 0;
    ASSERT_TRUE(SQL_SUCCEEDED(
        SQLBindCol(on.file.handle(PROP_Hstmt), 2, SQL_C_CHAR, tooSmall, sizeof tooSmall, &length)));
    Queue<Cells> rows;
    catalog.FetchResult(rows, 0, 1);
    ASSERT_EQ(rows.records(), 2u);
    EXPECT_EQ(rows.at(1).cell[0], "first");
    EXPECT_EQ(rows.at(2).cell[0], "second");
}

TEST_F(ODBCCatalogQuery, ValuesTakeTheWidthsOfTheQueueFieldsAndNullsTheirEmptyValues) {
    ASSERT_EQ(catalog.ExecuteSQL("SELECT NULL, NULL, 'notes', 'TABLE', '" + std::string(600, 'r') + "'"), 0);
    catalog.FetchResult(GTQ, 0, 1);
    ASSERT_EQ(GTQ.records(), 1u);
    EXPECT_EQ(GTQ.at(1).REMARKS.str(), std::string(254, 'r'));
    EXPECT_EQ(GTQ.at(1).OWNER, "");

    // The row SQLStatistics gives for the table itself: no index, no column.
    ASSERT_EQ(catalog.ExecuteSQL("SELECT NULL, NULL, 'notes', NULL, NULL, NULL, 0, NULL, NULL, NULL, 1, 1, NULL"), 0);
    catalog.FetchResult(GIQ, 0, 1);
    ASSERT_EQ(GIQ.records(), 1u);
    EXPECT_EQ(GIQ.at(1).INDEX_NAME, "");
    EXPECT_EQ(GIQ.at(1).COLUMN_NAME, "");
    EXPECT_EQ(GIQ.at(1).INDEXTYPE, 0);
    EXPECT_EQ(GIQ.at(1).ORDINALPOSITION, 0);
    EXPECT_EQ(GIQ.at(1).CARDINALITY, 1);
}

TEST_F(ODBCCatalogQuery, ColumnsBeyondTheQueueAreLeftOut) {
    ASSERT_EQ(catalog.ExecuteSQL(numbersQuery()), 0);
    Queue<Cells> rows;
    catalog.FetchResult(rows, 3, 0);
    ASSERT_EQ(rows.records(), 3u);
    EXPECT_EQ(rows.at(3).cell[0], "3");
    EXPECT_EQ(rows.at(3).cell[24], "75");
}

TEST_F(ODBCCatalogQuery, AFailingStatementShowsItsErrorWithTheConnectStringMasked) {
    ASSERT_EQ(catalog.ExecuteSQL("SELECT 1"), 0);
    EXPECT_EQ(catalog.ExecuteSQL("SELECT x FROM nowhere"), 1);
    EXPECT_EQ(catalog.LASTERRORCODE, kFileSystemError);
    EXPECT_EQ(catalog.LASTERROR, "File System Error");
    EXPECT_EQ(catalog.LASTFILEERRORCODE, "HY000");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Error:File System Error|Backend error:" + catalog.LASTFILEERROR.str() +
                                     "|Owner:DRIVER=SQLite3;Database=" + db.path().string() +
                                     ";PWD=********;|Query:SELECT x FROM nowhere");
    EXPECT_NE(catalog.LASTFILEERROR.str().find("nowhere"), std::string::npos);

    Queue<Cells> rows;
    catalog.FetchResult(rows, 0, 1);
    EXPECT_EQ(rows.records(), 0u);
    EXPECT_EQ(catalog.ResultColumnCount(), 0);
}

TEST_F(ODBCCatalogQuery, TheObjectMayGoWhileItsMessageIsShown) {
    messages.onMessage = [&] { ODBCCatalogClass::Dispose(on.catalog); };
    EXPECT_EQ(on.catalog->ExecuteSQL("SELECT x FROM nowhere"), 1);
    EXPECT_EQ(on.catalog, nullptr);
}

TEST_F(ODBCCatalogQuery, AFailedConnectIsReportedWithItsDiagnostics) {
    CatalogOn missing("DSN=NoSuchTabloomSource;pwd=hidden");
    EXPECT_EQ(missing.catalog->ExecuteSQL("SELECT 1"), 1);
    EXPECT_EQ(missing.catalog->LASTFILEERRORCODE, "IM002");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("|Owner:DSN=NoSuchTabloomSource;pwd=********|"), std::string::npos)
        << messages.texts[0];
}

// Passwords that spell parts of the words around them, or the user name,
// mask only themselves in the program's failure texts.
TEST_F(ODBCCatalogQuery, FailureTextsMaskThePasswordAndNothingElse) {
    const std::string said = "|Backend error:[unixODBC][Driver Manager]Data source name not found and no default "
                             "driver specified|Owner:DSN=NoSuchTabloomSource; UID=tabloom; PWD=********";
    for (const char* password : {"s", "p", "tabloom", "ab;cd"}) {
        SCOPED_TRACE(password);
        CatalogOn missing("DSN=NoSuchTabloomSource; UID=tabloom; PWD=" + connectValue(password));
        EXPECT_FALSE(missing.catalog->Connect());
        EXPECT_EQ(missing.catalog->ConnectFailure(), "The connection to the data source failed." + said);
        messages.texts.clear();
        EXPECT_EQ(missing.catalog->ExecuteSQL("SELECT s FROM p"), 1);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0], "Error:File System Error" + said + "|Query:SELECT s FROM p");
    }
}

TEST_F(ODBCCatalogQuery, ColumnDataGrowsTheSharedBufferForLongValues) {
    EXPECT_EQ(ODBCCatalogClass::readBufferSize(), 512u);
    ASSERT_EQ(catalog.ExecuteSQL("SELECT body, NULL, 'short' FROM notes"), 0);
    on.file.next();
    EXPECT_EQ(catalog.GetColumnValue(1), std::string(3000, 'x'));
    EXPECT_EQ(ODBCCatalogClass::readBufferSize(), 3512u);
    EXPECT_EQ(catalog.GetColumnData(2), "") << "NULL";
    EXPECT_EQ(catalog.GetColumnData(3), "short");
    EXPECT_EQ(catalog.GetColumnData(9), "") << "a failed read, not what the buffer held";
}

TEST(ODBCCatalogLifeCycle, TheReadBufferLivesWhileAnyObjectDoes) {
    ODBCCatalogClass* first = new ODBCCatalogClass;
    ODBCCatalogClass* second = new ODBCCatalogClass;
    ODBCCatalogClass::Dispose(first);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(ODBCCatalogClass::readBufferSize(), 512u);
    ODBCCatalogClass::Dispose(second);
    EXPECT_EQ(ODBCCatalogClass::readBufferSize(), 0u);
    ODBCCatalogClass::Dispose(second);
}

TEST(ODBCCatalogLifeCycle, InitBorrowsTheFilesEmptyRecord) {
    ODBCCatalogClass catalog;
    catalog.Init(ODBCFILE);
    EXPECT_EQ(catalog.FILE, &ODBCFILE);
    EXPECT_EQ(ODBCFILE.name(), "ODBCFILE");
    EXPECT_EQ(catalog.RECORD.fieldCount(), 0u);
    EXPECT_EQ(ODBCFILE.property(PROP_Fields), "0");
}

// A file whose record has two fields: values come from the record.
#define PAIR_FIELDS(X)     \
    X(CString<20>, FIRST)  \
    X(CString<20>, SECOND)
struct Pair {
    TABLOOM_RECORD(Pair, "PAIR", PAIR_FIELDS)
};

TEST_F(ODBCCatalogQuery, ValuesComeFromTheRecordWhenTheFileHasOne) {
    Pair pair;
    OdbcFile file("PAIRS", RecordRef{&Pair::fieldTable(), &pair});
    file.setProperty(PROP_Owner, db.connectString());
    ODBCCatalogClass pairs;
    pairs.Init(file);
    ASSERT_EQ(pairs.ExecuteSQL("SELECT 'one', 'two', 'three'"), 0);
    Queue<Cells> rows;
    pairs.FetchResult(rows, 1, 0);
    ASSERT_EQ(rows.records(), 1u);
    EXPECT_EQ(rows.at(1).cell[0], "one");
    EXPECT_EQ(rows.at(1).cell[1], "two");
    EXPECT_EQ(rows.at(1).cell[2], "");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Attempt to get value for column 3, but file structure doesn't have that many fields.");
}

}  // namespace
