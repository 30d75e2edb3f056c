#include "app/odbccatalog/SqlIdentifier.h"

#include "platform/text/Text.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cctype>

namespace {

std::vector<std::string> keywordList(std::string_view commaSeparated) {
    std::vector<std::string> keywords;
    std::size_t start = 0;
    while (start < commaSeparated.size()) {
        const std::size_t end = std::min(commaSeparated.find(',', start), commaSeparated.size());
        if (end > start) keywords.push_back(platform::upper(commaSeparated.substr(start, end - start)));
        start = end + 1;
    }
    return keywords;
}

std::string infoText(SQLHDBC connection, SQLUSMALLINT item) {
    std::string text(256, '\0');
    SQLSMALLINT length = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!SQL_SUCCEEDED(SQLGetInfo(connection, item, text.data(), static_cast<SQLSMALLINT>(text.size()), &length)))
            return {};
        if (length < static_cast<SQLSMALLINT>(text.size())) break;
        text.assign(static_cast<std::size_t>(length) + 1, '\0');
    }
    text.resize(std::min<std::size_t>(static_cast<std::size_t>(std::max<SQLSMALLINT>(length, 0)), text.size()));
    return text;
}

SqlIdentifierRules::Folding foldingOf(SQLHDBC connection) {
    SQLUSMALLINT identifierCase = SQL_IC_MIXED;
    if (!SQL_SUCCEEDED(SQLGetInfo(connection, SQL_IDENTIFIER_CASE, &identifierCase, sizeof identifierCase, nullptr)))
        return SqlIdentifierRules::Folding::None;
    switch (identifierCase) {
        case SQL_IC_UPPER: return SqlIdentifierRules::Folding::Upper;
        case SQL_IC_LOWER: return SqlIdentifierRules::Folding::Lower;
        default: return SqlIdentifierRules::Folding::None;
    }
}

bool schemasInStatements(SQLHDBC connection) {
    SQLUINTEGER usage = 0;
    return SQL_SUCCEEDED(SQLGetInfo(connection, SQL_SCHEMA_USAGE, &usage, sizeof usage, nullptr)) &&
           (usage & SQL_SU_DML_STATEMENTS) != 0;
}

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

SqlIdentifierRules::SqlIdentifierRules() : SqlIdentifierRules("\"", Folding::None, {}) {}

SqlIdentifierRules::SqlIdentifierRules(std::string quote, Folding folding, std::vector<std::string> driverKeywords,
                                       bool schemasInStatements)
    // A driver without quoting reports a blank.
    : quote_(quote == " " ? std::string() : std::move(quote)),
      folding_(folding),
      keywords_(keywordList(SQL_ODBC_KEYWORDS)),
      schemasInStatements_(schemasInStatements) {
    for (const std::string& k : driverKeywords) keywords_.push_back(platform::upper(k));
}

SqlIdentifierRules SqlIdentifierRules::of(void* connection) {
    if (!connection) return {};
    return {infoText(connection, SQL_IDENTIFIER_QUOTE_CHAR), foldingOf(connection),
            keywordList(infoText(connection, SQL_KEYWORDS)), schemasInStatements(connection)};
}

std::string SqlIdentifierRules::table(std::string_view owner, std::string_view table) const {
    if (!schemasInStatements_ || owner.empty()) return name(table);
    return name(owner) + "." + name(table);
}

std::string SqlIdentifierRules::name(std::string_view identifier) const {
    if (quote_.empty() || staysBare(identifier)) return std::string(identifier);
    // A quote inside the name is doubled.
    std::string quoted = quote_;
    for (std::size_t i = 0; i < identifier.size(); ++i) {
        if (identifier.compare(i, quote_.size(), quote_) == 0) quoted += quote_;
        quoted += identifier[i];
    }
    return quoted + quote_;
}

bool SqlIdentifierRules::staysBare(std::string_view identifier) const {
    if (identifier.empty() || isAsciiDigit(identifier.front())) return false;
    for (char c : identifier) {
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '_') return false;
        if (folding_ == Folding::Upper && c >= 'a' && c <= 'z') return false;
        if (folding_ == Folding::Lower && c >= 'A' && c <= 'Z') return false;
    }
    return !isKeyword(identifier);
}

bool SqlIdentifierRules::isKeyword(std::string_view identifier) const {
    return std::find(keywords_.begin(), keywords_.end(), platform::upper(identifier)) != keywords_.end();
}
