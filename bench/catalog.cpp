// A full catalogue read (tables, then the columns, index statistics and
// primary keys of every table) of a SQLite database of 2,000 tables, through
// ODBCCatalogClass and through the same ODBC calls made directly. The class
// should add less than 10% to the bare calls.
#include "app/odbccatalog/CatalogQueues.h"
#include "app/odbccatalog/ODBCCatalogClass.h"
#include "platform/odbc/FileProperties.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kTables = 2000;
constexpr int kColumns = 20;
constexpr int kRounds = 3;

std::string tableName(int i) { return "table_" + std::to_string(i); }

void exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", error);
        std::exit(1);
    }
}

void buildDatabase(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
    for (int t = 0; t < kTables; ++t) {
        const std::string name = tableName(t);
        std::string create = "CREATE TABLE " + name + " (id INTEGER PRIMARY KEY";
        for (int c = 1; c < kColumns; ++c)
            create += ", col_" + std::to_string(c) + (c % 2 ? " VARCHAR(40)" : " NUMERIC(10,2)");
        exec(db, create + ")");
        exec(db, "CREATE INDEX " + name + "_a ON " + name + " (col_1, col_2)");
        exec(db, "CREATE UNIQUE INDEX " + name + "_b ON " + name + " (col_3 DESC)");
    }
    exec(db, "COMMIT");
    sqlite3_close(db);
}

double seconds(const std::chrono::steady_clock::time_point& since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Reads every column of every row as text, as the class does.
std::size_t drain(SQLHSTMT statement, SQLSMALLINT columns, std::vector<std::string>* firstColumnOf3 = nullptr) {
    std::size_t rows = 0;
    char buffer[512];
    while (SQL_SUCCEEDED(SQLFetch(statement))) {
        for (SQLSMALLINT c = 1; c <= columns; ++c) {
            SQLLEN length = 0;
            if (SQL_SUCCEEDED(SQLGetData(statement, c, SQL_C_CHAR, buffer, sizeof buffer, &length)) && c == 3 &&
                firstColumnOf3 && length != SQL_NULL_DATA)
                firstColumnOf3->emplace_back(buffer);
        }
        ++rows;
    }
    return rows;
}

std::string escaped(const std::string& name, const std::string& escape) {
    std::string out;
    for (char c : name) {
        if (c == '_' || c == '%' || c == escape[0]) out += escape;
        out += c;
    }
    return out;
}

double bareRead(SQLHDBC connection, std::size_t& rows) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::string> tables;
    SQLHSTMT statement;
    SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement);
    SQLTables(statement, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0);
    rows = drain(statement, 5, &tables);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    for (const std::string& table : tables) {
        auto* name = reinterpret_cast<SQLCHAR*>(const_cast<char*>(table.c_str()));
        const auto length = static_cast<SQLSMALLINT>(table.size());

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
    }
    return seconds(start);
}

double classRead(ODBCCatalogClass& catalog, std::size_t& rows) {
    const auto start = std::chrono::steady_clock::now();
    catalog.GetTables(GTQ, "", 1, 1, 1, 0);
    rows = GTQ.records();
    for (std::size_t i = 1; i <= GTQ.records(); ++i) {
        const std::string table = GTQ.at(i).TABLENAME.str();
        catalog.GetColumns(GCQ, table);
        catalog.GetStatistics(GIQ, table, 1);
        catalog.GetPrimaryKeys(GPQ, table);
        rows += GCQ.records() + GIQ.records() + GPQ.records();
    }
    return seconds(start);
}

}  // namespace

int main() {
    char pattern[] = "/tmp/tabloom-bench-XXXXXX";
    const std::filesystem::path directory = mkdtemp(pattern);
    const std::string path = (directory / "catalog.db").string();
    const auto buildStart = std::chrono::steady_clock::now();
    buildDatabase(path);
    std::printf("built %d tables in %.2f s\n", kTables, seconds(buildStart));
    const std::string connect = "DRIVER=SQLite3;Database=" + path + ";";

    SQLHENV environment;
    SQLHDBC connection;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment);
    SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection);
    SQLDriverConnect(connection, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connect.c_str())), SQL_NTS,
                     nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);

    platform::OdbcFile file("ODBCFILE");
    file.setProperty(platform::PROP_Owner, connect);
    ODBCCatalogClass catalog;
    catalog.Init(file);

    // Best of several rounds, alternating, so both see the same warm caches.
    double bare = 1e9, viaClass = 1e9;
    std::size_t bareRows = 0, classRows = 0;
    for (int round = 0; round < kRounds; ++round) {
        bare = std::min(bare, bareRead(connection, bareRows));
        viaClass = std::min(viaClass, classRead(catalog, classRows));
    }
    std::printf("bare ODBC calls: %.3f s (%zu rows)\n", bare, bareRows);
    std::printf("ODBCCatalogClass: %.3f s (%zu rows)\n", viaClass, classRows);
    std::printf("ratio: %.3f (target < 1.10)\n", viaClass / bare);

    SQLDisconnect(connection);
    SQLFreeHandle(SQL_HANDLE_DBC, connection);
    SQLFreeHandle(SQL_HANDLE_ENV, environment);
    std::filesystem::remove_all(directory);
    return bareRows == classRows ? 0 : 1;
}
