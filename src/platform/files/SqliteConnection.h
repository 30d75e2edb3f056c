// One SQLite connection of the keyed files.
//
// Every connection waits up to kBusyTimeout for a lock another connection or
// program holds; the wait blocks the OS thread and so keeps the runtime's
// global lock (no fiber runs meanwhile). Failures are reported through the
// runtime's error state (reportSqliteError); success leaves it alone, so a
// clean-up statement never hides the error of the statement before it.
#pragma once

#include <sqlite3.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

constexpr std::chrono::milliseconds kBusyTimeout{2000};

enum class SqliteOpen { ReadOnly, ReadWrite, Create };

class SqliteConnection {
public:
    // The database at `path` (UTF-8); nullptr, with the error reported, when
    // it cannot be opened (2 when missing; 3 when the folder to create it in
    // is; 5 when the user may not write the file, or the folder that takes
    // its journal, and it is not opened only to read). Only SqliteOpen::Create
    // makes a missing file.
    static std::unique_ptr<SqliteConnection> open(const std::string& path, SqliteOpen how);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* handle() const { return db_; }
    bool execute(std::string_view sql);
    void setBusyTimeout(std::chrono::milliseconds timeout);

private:
    explicit SqliteConnection(sqlite3* db) : db_(db) {}
    sqlite3* db_;
};

// The connection's last error as the runtime reports it: 40 for a duplicate
// in a unique index, 5 for a write refused, 36 for a file that is not a
// database, else 90 with SQLite's extended code and message.
void reportSqliteError(sqlite3* db);
void reportSqliteError(int extendedCode, std::string_view message);
// A name as an SQL identifier: "name", inner quotes doubled.
std::string sqlName(std::string_view name);
// A text as an SQL literal: 'text', inner quotes doubled.
std::string sqlText(std::string_view text);

}  // namespace platform
