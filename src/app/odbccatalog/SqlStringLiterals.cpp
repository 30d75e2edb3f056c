#include "app/odbccatalog/SqlStringLiterals.h"

#include "platform/fiber/BlockingCall.h"
#include "platform/odbc/OdbcHandle.h"

#include <sql.h>
#include <sqlext.h>

#include <optional>

namespace {

// Two backslashes in a literal: one character where they escape, two where not.
constexpr const char* kProbe = "SELECT '\\\\'";

// Whether backslashes escape in the data source's literals; none when the
// probe fails.
std::optional<bool> backslashesEscape(SQLHSTMT statement) {
    std::string probe = kProbe;
    if (!SQL_SUCCEEDED(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(probe.data()), SQL_NTS)) ||
        !SQL_SUCCEEDED(SQLFetch(statement)))
        return std::nullopt;
    char value[8] = {};
    SQLLEN length = 0;
    if (!SQL_SUCCEEDED(SQLGetData(statement, 1, SQL_C_CHAR, value, sizeof value, &length))) return std::nullopt;
    return length == 1 && value[0] == '\\';
}

}  // namespace

SqlStringLiterals SqlStringLiterals::of(void* connection) {
    const platform::OdbcHandle statement =
        platform::OdbcHandle::allocate(platform::OdbcHandle::Kind::Statement, connection);
    if (!statement) return SqlStringLiterals();
    // The probe is a statement: it waits for the data source on the worker.
    const std::optional<bool> escapes = platform::blockingCall([&] { return backslashesEscape(statement.get()); });
    return escapes ? SqlStringLiterals(*escapes) : SqlStringLiterals();
}

std::string SqlStringLiterals::literal(std::string_view value) const {
    std::string text = "'";
    for (const char c : value) {
        text += c;
        if (c == '\'' || (c == '\\' && backslashEscapes_)) text += c;
    }
    return text + "'";
}
