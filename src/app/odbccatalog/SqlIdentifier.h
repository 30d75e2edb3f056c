// How table and column names are written into generated statements: bare
// when the data source reads them back as they are, otherwise quoted with
// the driver's identifier quote.
//
// A name stays bare only when it is made of ASCII letters, digits and "_",
// does not start with a digit, is no keyword (ODBC's and the driver's own)
// and the data source's folding of unquoted names (SQL_IDENTIFIER_CASE)
// leaves it alone.
//
// A table is named with its owner in front ("sales.customers") when the data
// source uses schemas in statements (SQL_SCHEMA_USAGE) and the owner is known:
// otherwise the data source would read the table of that name on its search
// path, another table or none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class SqlIdentifierRules {
public:
    enum class Folding { None, Upper, Lower };

    // Without a driver to ask: case kept, quoted with '"', ODBC's keywords, no schemas.
    SqlIdentifierRules();
    SqlIdentifierRules(std::string quote, Folding folding, std::vector<std::string> driverKeywords,
                       bool schemasInStatements = false);
    // Asks the driver on this ODBC connection handle (SQLHDBC); a null handle gives the defaults.
    static SqlIdentifierRules of(void* connection);

    // The name as it is to stand in a statement.
    std::string name(std::string_view identifier) const;
    // The table as it is to stand in a statement; `owner` empty: not known.
    std::string table(std::string_view owner, std::string_view table) const;

    const std::string& quote() const { return quote_; }
    Folding folding() const { return folding_; }

private:
    bool staysBare(std::string_view identifier) const;
    bool isKeyword(std::string_view identifier) const;

    std::string quote_;  // empty: the driver cannot quote
    Folding folding_;
    std::vector<std::string> keywords_;  // upper case
    bool schemasInStatements_;
};
