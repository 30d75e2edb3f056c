#include "platform/odbc/OdbcFile.h"

#include "platform/fiber/BlockingCall.h"
#include "platform/odbc/FileProperties.h"
#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <sql.h>
#include <sqlext.h>

#include <cstdint>

namespace platform {
namespace {

std::string handleText(void* handle) { return std::to_string(reinterpret_cast<std::uintptr_t>(handle)); }

constexpr std::string_view kConnecting = "Connecting...";

// The whole text of a column of the current row as the driver gives it
// (UTF-8), read in pieces; NULL and failures give the empty text.
std::string columnText(SQLHSTMT statement, SQLUSMALLINT column) {
    std::string text;
    char piece[1024];
    for (;;) {
        SQLLEN length = 0;
        const SQLRETURN rc = SQLGetData(statement, column, SQL_C_CHAR, piece, sizeof piece, &length);
        if (!SQL_SUCCEEDED(rc) || length == SQL_NULL_DATA) return text;
        const bool truncated = rc == SQL_SUCCESS_WITH_INFO && (length == SQL_NO_TOTAL || length >= SQLLEN(sizeof piece));
        text.append(piece, truncated ? sizeof piece - 1 : static_cast<std::size_t>(length));
        if (!truncated) return text;
    }
}

// A row fetched on the worker: the first `wanted` columns (as far as the
// result has them), as the driver gives them.
struct FetchedRow {
    SQLRETURN rc = SQL_ERROR;
    std::vector<std::string> columns;
};

FetchedRow fetchRow(SQLHSTMT statement, std::size_t wanted) {
    FetchedRow row;
    row.rc = SQLFetch(statement);
    if (!SQL_SUCCEEDED(row.rc) || wanted == 0) return row;
    SQLSMALLINT columns = 0;
    SQLNumResultCols(statement, &columns);
    for (std::size_t i = 1; i <= wanted && i <= static_cast<std::size_t>(columns); ++i)
        row.columns.push_back(columnText(statement, static_cast<SQLUSMALLINT>(i)));
    return row;
}

bool isDead(SQLHDBC connection) {
    SQLUINTEGER dead = SQL_CD_FALSE;
    return SQL_SUCCEEDED(SQLGetConnectAttr(connection, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
           dead == SQL_CD_TRUE;
}

}  // namespace

OdbcFile::OdbcFile(std::string name, RecordRef record, OdbcTable table)
    : name_(std::move(name)), record_(record), table_(std::move(table)) {}

void OdbcFile::open(Long) {
    if (opened_) {
        setError(kFileAlreadyOpen);
        return;
    }
    if (!connection_ && !connect()) return;
    // Reading no row still fails when the table or one of its columns is not there.
    if (!table_.name.empty() && !run(selectFromTable() + " WHERE 1 = 0")) return;
    opened_ = true;
    clearError();
}

bool OdbcFile::connect() {
    if (!environment_) environment_ = OdbcHandle::allocate(OdbcHandle::Kind::Environment, SQL_NULL_HANDLE);
    OdbcHandle connection = OdbcHandle::allocate(OdbcHandle::Kind::Connection, environment_.get());
    if (!connection) {
        environment_.reportError();
        return false;
    }
    if (!blockingCall([&] { return connection.connect(owner_, loginTimeout_); }, kConnecting)) {
        connection.reportError();
        return false;
    }
    connection_ = std::move(connection);
    return true;
}

void OdbcFile::close() {
    statement_.reset();
    opened_ = false;
}

void OdbcFile::disconnect() {
    close();
    connection_.reset();
}

void OdbcFile::buffer(Long) {
    if (!opened_) setError(kFileNotOpen);
}

void OdbcFile::execute(std::string_view sql) {
    sql_ = sql;
    startStatement(sql);
}

void OdbcFile::set() { startStatement(selectFromTable()); }

void OdbcFile::startStatement(std::string_view sql) {
    statement_.reset();
    if (!opened_) {
        setError(kFileNotOpen);
        return;
    }
    statement_ = run(sql);
    if (statement_) clearError();
}

OdbcHandle OdbcFile::run(std::string_view sql) {
    OdbcHandle statement = OdbcHandle::allocate(OdbcHandle::Kind::Statement, connection_.get());
    if (!statement) {
        connection_.reportError();
        return {};
    }
    std::string text = toUtf8(sql);
    const SQLRETURN rc = blockingCall([&] {
        return SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                             static_cast<SQLINTEGER>(text.size()));
    });
    // A statement that changes nothing reports SQL_NO_DATA; that is no error.
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
        statement.reportError();
        statement.reset();
        endLostConnection();
        return {};
    }
    return statement;
}

bool OdbcFile::endLostConnection() {
    if (!connection_) return false;
    const bool lost = FILEERRORCODE().starts_with("08") || blockingCall([&] { return isDead(connection_.get()); });
    if (lost) disconnect();
    return lost;
}

std::string OdbcFile::selectFromTable() const {
    std::string columns;
    for (const std::string& column : table_.columns) columns += (columns.empty() ? "" : ", ") + column;
    return "SELECT " + columns + " FROM " + table_.name;
}

void OdbcFile::next() {
    if (!opened_) {
        setError(kFileNotOpen);
        return;
    }
    if (!statement_) {
        setError(kRecordNotAvailable);
        return;
    }
    std::size_t fields = 0;
    while (record_.hasField(fields + 1)) ++fields;
    const FetchedRow row = blockingCall([&] { return fetchRow(statement_.get(), fields); });
    if (row.rc == SQL_NO_DATA) {
        setError(kRecordNotAvailable);
        return;
    }
    // SQL_SUCCESS_WITH_INFO still delivers a row.
    if (!SQL_SUCCEEDED(row.rc)) {
        statement_.reportError();
        endLostConnection();
        return;
    }
    for (std::size_t i = 0; i < row.columns.size(); ++i) record_.field(i + 1).setText(fromUtf8(row.columns[i]));
    clearError();
}

std::string OdbcFile::property(Long number) const {
    switch (number) {
        case PROP_SQL: return sql_;
        case PROP_Hdbc:
        case PROP_Hstmt: return handleText(handle(number));
        case PROP_Fields: return std::to_string(record_.fieldCount());
        case PROP_Owner: return owner_;
        default: return {};
    }
}

void OdbcFile::setProperty(Long number, std::string_view value) {
    switch (number) {
        case PROP_SQL: execute(value); return;
        case PROP_Disconnect: disconnect(); return;
        case PROP_Owner: owner_ = value; return;
        default: return;
    }
}

void* OdbcFile::handle(Long number) const {
    switch (number) {
        case PROP_Hdbc: return connection_.get();
        case PROP_Hstmt: return statement_.get();
        default: return nullptr;
    }
}

}  // namespace platform
