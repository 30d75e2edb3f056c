// Helpers of the catalogue tests: a recorder installed as the message hook,
// and a catalogue object on a file of its own.
#pragma once

#include "app/odbccatalog/ODBCCatalogClass.h"
#include "platform/data/Record.h"
#include "platform/message/Message.h"
#include "platform/odbc/FileProperties.h"

#include <sql.h>
#include <sqlext.h>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

// Records every MESSAGE text and answers 1; `onMessage` runs inside the box.
class MessageRecorder {
public:
    MessageRecorder() : before_(platform::messageHookValue()) {
        platform::setMessageHookValue(platform::registerMessageHook(
            [this](const std::string& text, const std::string&, const std::string&, const std::string&,
                   platform::Long, platform::Long) {
                texts.push_back(text);
                if (onMessage) onMessage();
                return platform::Long{1};
            }));
    }
    ~MessageRecorder() { platform::setMessageHookValue(before_); }

    std::vector<std::string> texts;
    std::function<void()> onMessage;

private:
    platform::Long before_;
};

// One result column.
#define RESULTROW_FIELDS(X) X(platform::CString<100>, VALUE)
struct ResultRow {
    TABLOOM_RECORD(ResultRow, "RES", RESULTROW_FIELDS)
};

struct CatalogOn {
    explicit CatalogOn(const std::string& connectString) {
        file.setProperty(platform::PROP_Owner, connectString);
        catalog->Init(file);
    }
    ~CatalogOn() { ODBCCatalogClass::Dispose(catalog); }

    platform::OdbcFile file{"ODBCFILE"};
    ODBCCatalogClass* catalog = new ODBCCatalogClass;
};

// The connect string of a test server that scripts/test.sh starts, from its
// environment variable; empty when the variable is not set.
inline std::string testServer(const char* variable) {
    const char* connect = std::getenv(variable);
    return connect ? connect : "";
}
inline constexpr const char* kMariaDBConnect = "TABLOOM_MARIADB_CONNECT";
inline constexpr const char* kNoMariaDB =
    "TABLOOM_MARIADB_CONNECT is not set; run scripts/mariadb.sh start and export "
    "TABLOOM_MARIADB_CONNECT=\"$(cat /tmp/tabloom-mariadb/connect)\"";

// A name of this test program's own for what a case makes on a server: a case
// may run in two programs at once (its own ctest entry and its whole program's).
inline std::string ofThisProgram(const std::string& name) { return name + "_" + std::to_string(::getpid()); }

// Runs SQL on a server outside the catalogue, to give a test tables of its own.
inline void runOnServer(const std::string& connect, const std::string& sql) {
    SQLHENV environment;
    SQLHDBC connection;
    SQLHSTMT statement;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment);
    SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLDriverConnect(connection, nullptr,
                                               reinterpret_cast<SQLCHAR*>(const_cast<char*>(connect.c_str())),
                                               SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT)));
    SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement);
    EXPECT_TRUE(SQL_SUCCEEDED(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                                            SQL_NTS)))
        << sql;
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    SQLDisconnect(connection);
    SQLFreeHandle(SQL_HANDLE_DBC, connection);
    SQLFreeHandle(SQL_HANDLE_ENV, environment);
}

// The first value of the first row a statement gives on a connection of its
// own; empty when it gives none.
inline std::string firstValueOnServer(const std::string& connect, const std::string& sql) {
    CatalogOn on(connect);
    if (on.catalog->ExecuteSQL(sql) != 0) return {};
    platform::Queue<ResultRow> rows;
    on.catalog->FetchResult(rows, 1, 0);
    return rows.records() ? rows.at(1).VALUE.str() : std::string();
}

// The values of one field over all rows of a queue.
template <class Q, class F>
std::vector<std::string> column(const Q& queue, F field) {
    std::vector<std::string> values;
    for (std::size_t i = 1; i <= queue.records(); ++i) values.emplace_back(queue.at(i).*field);
    return values;
}

// Values with quotes and backslashes, written as literals by the catalogue's
// rules, come back from the data source as they were typed.
inline void expectLiteralsReadBack(ODBCCatalogClass& catalog, bool backslashEscapes) {
    const SqlStringLiterals literals = catalog.StringLiterals();
    EXPECT_EQ(literals.backslashEscapes(), backslashEscapes);
    for (const char* value : {"O'Brien\\", "tab\\tstop", "\\'", "it''s", "\\\\%_"}) {
        ASSERT_EQ(catalog.ExecuteSQL("SELECT " + literals.literal(value)), 0) << catalog.LASTFILEERROR.str();
        platform::Queue<ResultRow> rows;
        catalog.FetchResult(rows, 1, 0);
        ASSERT_EQ(rows.records(), 1u) << value;
        EXPECT_EQ(rows.at(1).VALUE.str(), value);
    }
}
