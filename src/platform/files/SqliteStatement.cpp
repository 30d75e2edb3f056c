#include "platform/files/SqliteStatement.h"

#include "platform/files/SqliteConnection.h"

namespace platform {

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db) {
    if (sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement_,
                           nullptr) != SQLITE_OK) {
        prepareError_ = sqlite3_extended_errcode(db);
        prepareMessage_ = sqlite3_errmsg(db);
    }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement::Run::~Run() {
    if (statement_.statement_) sqlite3_reset(statement_.statement_);
}

void SqliteStatement::Run::bind(int index, const ColumnValue& value) {
    sqlite3_stmt* s = statement_.statement_;
    if (const auto* number = std::get_if<std::int64_t>(&value)) sqlite3_bind_int64(s, index, *number);
    else if (const auto* real = std::get_if<double>(&value)) sqlite3_bind_double(s, index, *real);
    // A pointer even for no bytes: a null one would bind NULL, not an empty BLOB.
    else {
        const std::string& bytes = std::get<std::string>(value);
        sqlite3_bind_blob(s, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
    }
}

bool SqliteStatement::Run::step() {
    if (!statement_.statement_) {
        failed_ = true;
        reportSqliteError(statement_.prepareError_, statement_.prepareMessage_);
        return false;
    }
    const int result = sqlite3_step(statement_.statement_);
    if (result == SQLITE_ROW) return true;
    if (result != SQLITE_DONE) {
        failed_ = true;
        reportSqliteError(statement_.db_);
    }
    return false;
}

std::int64_t SqliteStatement::Run::integer(int column) const {
    return sqlite3_column_int64(statement_.statement_, column);
}

double SqliteStatement::Run::real(int column) const { return sqlite3_column_double(statement_.statement_, column); }

std::string_view SqliteStatement::Run::bytes(int column) const {
    const void* data = sqlite3_column_blob(statement_.statement_, column);
    const int size = sqlite3_column_bytes(statement_.statement_, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string_view();
}

}  // namespace platform
