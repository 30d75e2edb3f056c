// How table and column names are written into generated statements: bare
// when the data source reads them back as they are, otherwise quoted with
// the driver's identifier quote.
//
// A name stays bare only when it is made of ASCII letters, digits and "_",
// does not start with a digit, is no keyword (ODBC's and the driver's own)
// and the data source's folding of unquoted names (SQL_IDENTIFIER_CASE)
// leaves it alone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class SqlIdentifierRules {
public:
    enum class Folding { None, Upper, Lower };

    // Without a driver to ask: case kept, quoted with '"', ODBC's keywords.
    SqlIdentifierRules();
    SqlIdentifierRules(std::string quote, Folding folding, std::vector<std::string> driverKeywords);
    // Asks the driver on this ODBC connection handle (SQLHDBC); a null handle gives the defaults.
    static SqlIdentifierRules of(void* connection);

    // The name as it is to stand in a statement.
    std::string name(std::string_view identifier) const;

    const std::string& quote() const { return quote_; }
    Folding folding() const { return folding_; }

private:
    bool staysBare(std::string_view identifier) const;
    bool isKeyword(std::string_view identifier) const;

    std::string quote_;  // empty: the driver cannot quote
    Folding folding_;
    std::vector<std::string> keywords_;  // upper case
};
