// Shared by the catalogue benchmarks: a SQLite database of many tables built
// for the run, a bare ODBC connection to it, and the catalogue calls of one
// table made directly through ODBC, reading every column of every row as
// text as ODBCCatalogClass does.
#pragma once

#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace bench {

constexpr int kTables = 2000;
constexpr int kColumns = 20;

inline std::string tableName(int i) { return "table_" + std::to_string(i); }

inline void exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", error);
        std::exit(1);
    }
}

// The statements that make table `t` of the benchmarks' schema (its name
// after `prefix`, a schema such as "bench."): an id as its primary key,
// columns up to `columns` in all, an index over two of them and a unique
// one. With `chained`, every table but the first refers to the one before
// it through a foreign key of its own.
inline std::vector<std::string> tableStatements(int t, int columns, bool chained, const std::string& prefix = "") {
    const std::string name = prefix + tableName(t);
    std::string create = "CREATE TABLE " + name + " (id INTEGER PRIMARY KEY";
    for (int c = 1; c < columns; ++c) create += ", col_" + std::to_string(c) + (c % 2 ? " VARCHAR(40)" : " NUMERIC(10,2)");
    if (chained && t > 0) create += ", parent_id INTEGER REFERENCES " + prefix + tableName(t - 1) + " (id)";
    return {create + ")", "CREATE INDEX " + tableName(t) + "_a ON " + name + " (col_1, col_2)",
            "CREATE UNIQUE INDEX " + tableName(t) + "_b ON " + name + " (col_3 DESC)"};
}

// With `chained`, 1,999 relations.
inline void buildDatabase(const std::string& path, bool chained = false) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
    for (int t = 0; t < kTables; ++t)
        for (const std::string& statement : tableStatements(t, kColumns, chained)) exec(db, statement);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

// The relations a written dictionary holds.
inline std::size_t relationsIn(const std::string& dictionary) {
    std::size_t relations = 0;
    for (std::size_t at = dictionary.find("RELATION,MANY:ONE"); at != std::string::npos;
         at = dictionary.find("RELATION,MANY:ONE", at + 1))
        ++relations;
    return relations;
}

inline std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline double seconds(const std::chrono::steady_clock::time_point& since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Reads every column of every row as text; collects column 3 when asked.
inline std::size_t drain(SQLHSTMT statement, SQLSMALLINT columns, std::vector<std::string>* thirdColumn = nullptr) {
    std::size_t rows = 0;
    char buffer[512];
    while (SQL_SUCCEEDED(SQLFetch(statement))) {
        for (SQLSMALLINT c = 1; c <= columns; ++c) {
            SQLLEN length = 0;
            if (SQL_SUCCEEDED(SQLGetData(statement, c, SQL_C_CHAR, buffer, sizeof buffer, &length)) && c == 3 &&
                thirdColumn && length != SQL_NULL_DATA)
                thirdColumn->emplace_back(buffer);
        }
        ++rows;
    }
    return rows;
}

inline std::string escaped(const std::string& name, const std::string& escape) {
    std::string out;
    for (char c : name) {
        if (c == '_' || c == '%' || c == escape[0]) out += escape;
        out += c;
    }
    return out;
}

// The table names, through SQLTables; `rows` gets the number of rows read.
inline std::vector<std::string> bareTables(SQLHDBC connection, std::size_t& rows) {
    std::vector<std::string> tables;
    SQLHSTMT statement;
    SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement);
    SQLTables(statement, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0);
    rows = drain(statement, 5, &tables);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return tables;
}

// The columns, index statistics and primary keys of one table; the rows read.
inline std::size_t bareTableDetails(SQLHDBC connection, const std::string& table) {
    auto* name = reinterpret_cast<SQLCHAR*>(const_cast<char*>(table.c_str()));
    const auto length = static_cast<SQLSMALLINT>(table.size());
    std::size_t rows = 0;
    SQLHSTMT statement;

    char escape[8] = {};
    SQLSMALLINT escapeLength = 0;
    SQLGetInfo(connection, SQL_SEARCH_PATTERN_ESCAPE, escape, sizeof escape, &escapeLength);
    std::string pattern = escaped(table, escape);
    SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement);
    SQLColumns(statement, nullptr, 0, nullptr, 0, reinterpret_cast<SQLCHAR*>(pattern.data()),
               static_cast<SQLSMALLINT>(pattern.size()), nullptr, 0);
    rows += drain(statement, 18);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);

    SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement);
    SQLStatistics(statement, nullptr, 0, nullptr, 0, name, length, SQL_INDEX_ALL, SQL_QUICK);
    rows += drain(statement, 13);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);

    SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement);
    SQLPrimaryKeys(statement, nullptr, 0, nullptr, 0, name, length);
    rows += drain(statement, 6);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return rows;
}

// A bare ODBC connection, closed with the object.
class BareConnection {
public:
    explicit BareConnection(const std::string& connect) {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_);
        SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_);
        SQLDriverConnect(connection_, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connect.c_str())),
                         SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    }
    ~BareConnection() {
        SQLDisconnect(connection_);
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
        SQLFreeHandle(SQL_HANDLE_ENV, environment_);
    }
    BareConnection(const BareConnection&) = delete;
    BareConnection& operator=(const BareConnection&) = delete;

    SQLHDBC handle() const { return connection_; }

private:
    SQLHENV environment_ = SQL_NULL_HENV;
    SQLHDBC connection_ = SQL_NULL_HDBC;
};

}  // namespace bench
