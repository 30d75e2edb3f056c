#include "app/odbccatalog/SqlStringLiterals.h"

#include "platform/odbc/OdbcHandle.h"

#include <sql.h>
#include <sqlext.h>

namespace {

// Two backslashes in a literal: one character where they escape, two where not.
constexpr const char* kProbe = "SELECT '\\\\'";

}  // namespace

SqlStringLiterals SqlStringLiterals::of(void* connection) {
    const platform::OdbcHandle statement =
        platform::OdbcHandle::allocate(platform::OdbcHandle::Kind::Statement, connection);
    if (!statement) return SqlStringLiterals();
    std::string probe = kProbe;
    if (!SQL_SUCCEEDED(SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(probe.data()), SQL_NTS)) ||
        !SQL_SUCCEEDED(SQLFetch(statement.get())))
        return SqlStringLiterals();
    char value[8] = {};
    SQLLEN length = 0;
    if (!SQL_SUCCEEDED(SQLGetData(statement.get(), 1, SQL_C_CHAR, value, sizeof value, &length)))
        return SqlStringLiterals();
    return SqlStringLiterals(length == 1 && value[0] == '\\');
}

std::string SqlStringLiterals::literal(std::string_view value) const {
    std::string text = "'";
    for (const char c : value) {
        text += c;
        if (c == '\'' || (c == '\\' && backslashEscapes_)) text += c;
    }
    return text + "'";
}
