// One prepared SQLite statement of the keyed files. A statement is reset at
// the end of every use (Run does it), so none keeps a read lock between the
// runtime's statements and others may write meanwhile.
#pragma once

#include "platform/files/ColumnValue.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

class SqliteStatement {
public:
    // Prepared for good; a statement that failed to prepare reports its
    // error at every run.
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // SQLITE_OK, or the code that preparing gave.
    int prepareError() const { return prepareError_; }

    // One use: binds, steps, reads, and resets when it ends.
    class Run {
    public:
        explicit Run(SqliteStatement& statement) : statement_(statement) {}
        ~Run();
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;

        // The value is not copied: it must live until the run ends. Every
        // run binds every parameter, so none is left pointing at old bytes.
        void bind(int index, const ColumnValue& value);
        // True with a row to read; false at the end or on an error, which is
        // reported (failed() tells which).
        bool step();
        bool failed() const { return failed_; }
        std::int64_t integer(int column) const;
        double real(int column) const;
        std::string_view bytes(int column) const;

    private:
        SqliteStatement& statement_;
        bool failed_ = false;
    };

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    int prepareError_ = SQLITE_OK;
    std::string prepareMessage_;
};

}  // namespace platform
