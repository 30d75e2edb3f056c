#include "app/odbccatalog/ODBCCatalogClass.h"

#include "app/odbccatalog/CatalogQueues.h"
#include "app/odbccatalog/CatalogRead.h"
#include "app/odbccatalog/ConnectString.h"
#include "platform/message/Message.h"
#include "platform/odbc/FileProperties.h"
#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <vector>

using platform::Byte;
using platform::Long;
using platform::QueueBase;

namespace {

constexpr std::size_t kInitialReadBuffer = 512;
constexpr Long kResultPageSize = 200;

struct ReadBuffer {
    std::vector<char> bytes;
    int users = 0;
};

ReadBuffer& readBuffer() {
    static ReadBuffer buffer;
    return buffer;
}

std::string clippedUpper(QueueBase& queue, const platform::FieldInfo& info) {
    return platform::upper(platform::clip(platform::FieldRef(info, queue.buffer()).text()));
}

// The data source's message when no connection can be made.
std::string connectFailureText(const std::string& owner) {
    return "The connection to the data source failed." + backendError(owner);
}

// A reader's common steps on the catalogue's own connection.
void read(ODBCCatalogClass& catalog, QueueBase& queue, const CatalogRead& read) {
    keepRead(catalog, queue, read.rows, readOnOwnConnection(catalog, read));
}

}  // namespace

void ODBCCatalogClass::Construct() {
    if (holdsBuffer_) return;
    ReadBuffer& buffer = readBuffer();
    if (buffer.users++ == 0) buffer.bytes.assign(kInitialReadBuffer, '\0');
    holdsBuffer_ = true;
}

void ODBCCatalogClass::Destruct() {
    if (!holdsBuffer_) return;
    ReadBuffer& buffer = readBuffer();
    if (--buffer.users == 0) std::vector<char>().swap(buffer.bytes);
    holdsBuffer_ = false;
}

void ODBCCatalogClass::Init(platform::OdbcFile& file) {
    FILE = &file;
    RECORD = file.record();
}

void ODBCCatalogClass::Dispose(ODBCCatalogClass*& object) {
    delete object;
    object = nullptr;
}

std::size_t ODBCCatalogClass::readBufferSize() { return readBuffer().bytes.size(); }

void ODBCCatalogClass::GetTables(QueueBase& queue, std::string_view ownerFilter, Byte keepSystemTables,
                                 Byte noOwnerFilter, Byte noTablesOnlyFilter, Byte tablesOnly) {
    const platform::FieldInfo* type = queue.fields().find("TABLETYPE");
    const platform::FieldInfo* owner = queue.fields().find("OWNER");
    const std::string wantedOwner = platform::upper(platform::clip(ownerFilter));
    const bool dropSystem = !keepSystemTables && type;
    const bool onlyTables = !noTablesOnlyFilter && tablesOnly && type;
    const bool filterOwner = !noOwnerFilter && !wantedOwner.empty() && owner;
    CatalogRead tables = tablesRead();
    tables.rows.keep = [&](QueueBase& q) {
        if (dropSystem && clippedUpper(q, *type) == "SYSTEM TABLE") return false;
        if (onlyTables && clippedUpper(q, *type) != "TABLE") return false;
        return !(filterOwner && clippedUpper(q, *owner) != wantedOwner);
    };
    read(*this, queue, tables);
    TableList = {ReadFailure, LeftOutNames};
}

void ODBCCatalogClass::GetColumns(QueueBase& queue, std::string_view table, std::string_view owner) {
    read(*this, queue, columnsRead(table, owner));
}

void ODBCCatalogClass::GetStatistics(QueueBase& queue, std::string_view table, Byte unique, std::string_view owner) {
    read(*this, queue, statisticsRead(table, unique, owner));
}

void ODBCCatalogClass::GetPrimaryKeys(QueueBase& queue, std::string_view table, std::string_view owner) {
    read(*this, queue, primaryKeysRead(table, owner));
}

void ODBCCatalogClass::GetForeignKeys(QueueBase& queue, std::string_view table, std::string_view owner) {
    read(*this, queue, foreignKeysRead(table, owner));
}

void ODBCCatalogClass::GetForeignKeysFrom(QueueBase& queue, std::string_view table, std::string_view owner) {
    read(*this, queue, foreignKeysFromRead(table, owner));
}

Byte ODBCCatalogClass::ExecuteSQL(std::string_view sql) {
    // Tried again whatever the last connect gave: the user asked for it. A
    // failed connect keeps its own diagnostics rather than "File Not Open".
    if (Connect()) {
        FILE->close();
        FILE->open(platform::kReadWriteDenyWrite);
        FILE->buffer(kResultPageSize);
        FILE->setProperty(platform::PROP_SQL, sql);
    }
    LASTERRORCODE = platform::ERRORCODE();
    LASTERROR = platform::ERROR();
    LASTFILEERROR = platform::FILEERROR();
    LASTFILEERRORCODE = platform::FILEERRORCODE();
    if (!LASTERRORCODE) return 0;
    const std::string owner = FILE->property(platform::PROP_Owner);
    const std::string text = "Error:" + platform::ERROR() + backendError(owner) + "|Query:" + std::string(sql);
    // The box waits; another window may dispose this object meanwhile.
    platform::MESSAGE(text);
    return 1;
}

void ODBCCatalogClass::FetchResult(QueueBase& queue, Long rowLimit, Byte allRows) {
    queue.free();
    queue.clear();
    const Long columns = ResultColumnCount();
    for (;;) {
        if (!allRows && static_cast<Long>(queue.records()) >= rowLimit) return;
        FILE->next();
        if (platform::ERRORCODE()) return;
        for (Long i = 1; i <= columns && queue.hasField(i); ++i) queue.field(i).setText(GetColumnValue(i));
        queue.add();
    }
}

SqlIdentifierRules ODBCCatalogClass::IdentifierRules() {
    void* connection = Connection();
    return connection ? SqlIdentifierRules::of(connection) : SqlIdentifierRules();
}

SqlStringLiterals ODBCCatalogClass::StringLiterals() {
    void* connection = Connection();
    if (!connection) return SqlStringLiterals();
    // The answer costs a statement: asked once per connection.
    if (connection != literalsConnection_) {
        literals_ = SqlStringLiterals::of(connection);
        literalsConnection_ = connection;
    }
    return literals_;
}

void* ODBCCatalogClass::Connection() { return Connected() ? FILE->handle(platform::PROP_Hdbc) : nullptr; }

bool ODBCCatalogClass::Connect() {
    if (!FILE) {
        connectFailure_ = "There is no connection to the data source.";
        return false;
    }
    if (!FILE->handle(platform::PROP_Hdbc)) {
        FILE->close();
        FILE->open(platform::kReadWriteDenyWrite);
        if (platform::ERRORCODE()) {
            connectFailure_ = connectFailureText(FILE->property(platform::PROP_Owner));
            return false;
        }
    }
    connectFailure_.clear();
    return true;
}

bool ODBCCatalogClass::Connected() { return connectFailure_.empty() && Connect(); }

Long ODBCCatalogClass::ResultColumnCount() {
    SQLSMALLINT columns = 0;
    if (!FILE || !SQL_SUCCEEDED(SQLNumResultCols(FILE->handle(platform::PROP_Hstmt), &columns))) return 0;
    return columns;
}

std::string ODBCCatalogClass::GetColumnValue(Long column) {
    if (RECORD.hasField(column)) return RECORD.field(column).text();
    if (platform::leadingNumber(FILE->property(platform::PROP_Fields)) == 0) return GetColumnData(column);
    platform::MESSAGE("Attempt to get value for column " + std::to_string(column) +
                      ", but file structure doesn't have that many fields.");
    return {};
}

std::string ODBCCatalogClass::GetColumnData(Long column) {
    std::vector<char>& buffer = readBuffer().bytes;
    SQLHSTMT statement = FILE ? FILE->handle(platform::PROP_Hstmt) : nullptr;
    const auto number = static_cast<SQLUSMALLINT>(column);
    SQLLEN length = 0;
    const SQLRETURN rc = SQLGetData(statement, number, SQL_C_CHAR, buffer.data(), SQLLEN(buffer.size()), &length);
    const bool cut = rc == SQL_SUCCESS_WITH_INFO && (length == SQL_NO_TOTAL || length >= SQLLEN(buffer.size()));
    if (!cut) {
        if (!SQL_SUCCEEDED(rc) || length == SQL_NULL_DATA) return {};
        return platform::fromUtf8(std::string_view(buffer.data(), strnlen(buffer.data(), buffer.size())));
    }
    std::string text(buffer.data(), buffer.size() - 1);
    if (length == SQL_NO_TOTAL) return platform::fromUtf8(text);
    buffer.assign(static_cast<std::size_t>(length) + kInitialReadBuffer, '\0');
    SQLLEN restLength = 0;
    if (SQL_SUCCEEDED(SQLGetData(statement, number, SQL_C_CHAR, buffer.data(), SQLLEN(buffer.size()), &restLength)) &&
        restLength != SQL_NULL_DATA)
        text.append(buffer.data(), strnlen(buffer.data(), buffer.size()));
    return platform::fromUtf8(text);
}
