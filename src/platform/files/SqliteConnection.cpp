#include "platform/files/SqliteConnection.h"

#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <cerrno>
#include <filesystem>
#include <unistd.h>

namespace platform {
namespace {

std::filesystem::path folderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// A write needs the file and its folder, where the journal is made.
bool folderWritable(const std::string& path) { return ::access(folderOf(path).c_str(), W_OK | X_OK) == 0; }

// SQLite retries a refused open read-only, so its errno tells what the
// retry met (no file, when one was to be made), not the refusal.
int refusal(const std::string& path, SqliteOpen how, int error) {
    std::error_code ignored;
    if (how == SqliteOpen::Create && error == ENOENT && std::filesystem::is_directory(folderOf(path), ignored) &&
        !folderWritable(path))
        return EACCES;
    return error;
}

}  // namespace

std::unique_ptr<SqliteConnection> SqliteConnection::open(const std::string& path, SqliteOpen how) {
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (how) {
        case SqliteOpen::ReadOnly: flags |= SQLITE_OPEN_READONLY; break;
        case SqliteOpen::ReadWrite: flags |= SQLITE_OPEN_READWRITE; break;
        case SqliteOpen::Create: flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE; break;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        // Without the file (or its folder, when creating) SQLite only says it
        // cannot open it; the system's own error tells which.
        const int error = db ? refusal(path, how, sqlite3_system_errno(db)) : 0;
        if (error != 0) reportSystemError(error, how == SqliteOpen::Create ? kPathNotFound : kFileNotFound);
        else if (db) reportSqliteError(db);
        else setError(kFileSystemError);
        sqlite3_close_v2(db);
        return nullptr;
    }
    // Opened for writing, SQLite falls back to reading a file it may not
    // write: the refusal is told now, not at the first write.
    if (how != SqliteOpen::ReadOnly && (sqlite3_db_readonly(db, "main") == 1 || !folderWritable(path))) {
        sqlite3_close_v2(db);
        setError(kAccessDenied);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    std::unique_ptr<SqliteConnection> connection(new SqliteConnection(db));
    connection->setBusyTimeout(kBusyTimeout);
    return connection;
}

SqliteConnection::~SqliteConnection() { sqlite3_close_v2(db_); }

bool SqliteConnection::execute(std::string_view sql) {
    if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK) return true;
    reportSqliteError(db_);
    return false;
}

void SqliteConnection::setBusyTimeout(std::chrono::milliseconds timeout) {
    sqlite3_busy_timeout(db_, static_cast<int>(timeout.count()));
}

void reportSqliteError(sqlite3* db) { reportSqliteError(sqlite3_extended_errcode(db), sqlite3_errmsg(db)); }

void reportSqliteError(int extendedCode, std::string_view message) {
    if (extendedCode == SQLITE_CONSTRAINT_UNIQUE || extendedCode == SQLITE_CONSTRAINT_PRIMARYKEY)
        setError(kDuplicateKey);
    else if ((extendedCode & 0xFF) == SQLITE_READONLY) setError(kAccessDenied);
    else if (extendedCode == SQLITE_NOTADB) setError(kInvalidDataFile);
    else setFileError(std::to_string(extendedCode), fromUtf8(message));
}

namespace {

std::string enclosed(std::string_view text, char mark) {
    std::string out(1, mark);
    for (char c : text) {
        if (c == mark) out += mark;
        out += c;
    }
    return out + mark;
}

}  // namespace

std::string sqlName(std::string_view name) { return enclosed(name, '"'); }

std::string sqlText(std::string_view text) { return enclosed(text, '\''); }

}  // namespace platform
