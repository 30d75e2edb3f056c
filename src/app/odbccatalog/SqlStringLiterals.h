// How a text value is written as a string literal into generated statements:
// in single quotes with every quote doubled, and, on a data source that reads
// a backslash as an escape (MySQL and MariaDB do unless told otherwise), with
// every backslash doubled too. No character of the value can then end the
// literal, and the data source reads the value back as it was typed.
#pragma once

#include <string>
#include <string_view>

class SqlStringLiterals {
public:
    explicit SqlStringLiterals(bool backslashEscapes = false) : backslashEscapes_(backslashEscapes) {}
    // Asks the data source on this ODBC connection handle (SQLHDBC) how it
    // reads a backslash, by having it read one back; a null handle, or a data
    // source that does not answer, gives the standard rule (no escapes).
    static SqlStringLiterals of(void* connection);

    std::string literal(std::string_view value) const;
    bool backslashEscapes() const { return backslashEscapes_; }

private:
    bool backslashEscapes_;
};
