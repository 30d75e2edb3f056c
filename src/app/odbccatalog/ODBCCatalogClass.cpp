#include "app/odbccatalog/ODBCCatalogClass.h"

#include "app/odbccatalog/ConnectString.h"
#include "platform/message/Message.h"
#include "platform/odbc/FileProperties.h"
#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <functional>
#include <vector>

using platform::Byte;
using platform::Long;
using platform::QueueBase;

namespace {

constexpr std::size_t kInitialReadBuffer = 512;
// The catalogue readers always read through the first 512 bytes.
constexpr SQLLEN kCatalogValueBuffer = 512;
constexpr Long kResultPageSize = 200;

struct ReadBuffer {
    std::vector<char> bytes;
    int users = 0;
};

ReadBuffer& readBuffer() {
    static ReadBuffer buffer;
    return buffer;
}

// A name argument of a catalogue function: NULL when absent, else UTF-8 with its length.
class SqlName {
public:
    static SqlName none() { return SqlName(); }
    static SqlName of(std::string_view cp1252) { return SqlName(platform::toUtf8(cp1252)); }
    static SqlName orNone(std::string_view cp1252) { return cp1252.empty() ? none() : of(cp1252); }

    SQLCHAR* data() { return present_ ? reinterpret_cast<SQLCHAR*>(text_.data()) : nullptr; }
    SQLSMALLINT length() const { return present_ ? static_cast<SQLSMALLINT>(text_.size()) : 0; }

private:
    SqlName() = default;
    explicit SqlName(std::string text) : text_(std::move(text)), present_(true) {}
    std::string text_;
    bool present_ = false;
};

// Names are clipped and cut as the runtime's CSTRING(101) would hold them.
std::string clippedName(std::string_view name) { return platform::CString<101>(platform::clip(name)).str(); }

std::string searchPatternEscape(SQLHDBC connection) {
    char escape[8] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(connection, SQL_SEARCH_PATTERN_ESCAPE, escape, sizeof escape, &length))) return {};
    return std::string(escape, strnlen(escape, sizeof escape));
}

// The name as a search pattern that matches only itself.
std::string literalPattern(std::string_view name, std::string_view escape) {
    if (escape.empty()) return std::string(name);
    std::string pattern;
    for (char c : name) {
        if (c == '_' || c == '%' || (escape.size() == 1 && c == escape[0])) pattern.append(escape);
        pattern += c;
    }
    return pattern;
}

// A catalogue value: NULL and failed reads give the empty text.
std::string catalogValue(SQLHSTMT statement, SQLUSMALLINT column) {
    char* buffer = readBuffer().bytes.data();
    SQLLEN length = 0;
    const SQLRETURN rc = SQLGetData(statement, column, SQL_C_CHAR, buffer, kCatalogValueBuffer, &length);
    if (!SQL_SUCCEEDED(rc) || length == SQL_NULL_DATA) return {};
    return platform::fromUtf8(std::string_view(buffer, strnlen(buffer, kCatalogValueBuffer - 1)));
}

std::string clippedUpper(QueueBase& queue, const platform::FieldInfo& info) {
    return platform::upper(platform::clip(platform::FieldRef(info, queue.buffer()).text()));
}

using CatalogCall = std::function<void(SQLHSTMT)>;
using RowFilter = std::function<bool(QueueBase&)>;

void readCatalog(platform::OdbcFile* file, QueueBase& queue, SQLUSMALLINT columns, const CatalogCall& call,
                 const RowFilter& keep = {}) {
    queue.free();
    queue.clear();
    if (!file) return;
    file->close();
    file->open(platform::kReadWriteDenyWrite);
    const platform::OdbcHandle statement =
        platform::OdbcHandle::allocate(platform::OdbcHandle::Kind::Statement, file->handle(platform::PROP_Hdbc));
    if (!statement) return;
    call(statement.get());
    // A row that comes with SQL_SUCCESS_WITH_INFO is still a row.
    while (SQL_SUCCEEDED(SQLFetch(statement.get()))) {
        for (SQLUSMALLINT i = 1; i <= columns && queue.hasField(i); ++i)
            queue.field(i).setText(catalogValue(statement.get(), i));
        if (!keep || keep(queue)) queue.add();
    }
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
    const RowFilter keep = [&](QueueBase& q) {
        if (dropSystem && clippedUpper(q, *type) == "SYSTEM TABLE") return false;
        if (onlyTables && clippedUpper(q, *type) != "TABLE") return false;
        return !(filterOwner && clippedUpper(q, *owner) != wantedOwner);
    };
    readCatalog(FILE, queue, 5, [](SQLHSTMT statement) {
        SQLTables(statement, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0);
    }, keep);
}

void ODBCCatalogClass::GetColumns(QueueBase& queue, std::string_view table, std::string_view owner) {
    readCatalog(FILE, queue, 18, [&](SQLHSTMT statement) {
        // Both names are search patterns here; escape them so they match only themselves.
        const std::string escape = searchPatternEscape(FILE->handle(platform::PROP_Hdbc));
        const std::string schemaName = clippedName(owner);
        SqlName schema = schemaName.empty() ? SqlName::none() : SqlName::of(literalPattern(schemaName, escape));
        SqlName name = SqlName::of(literalPattern(clippedName(table), escape));
        SQLColumns(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length(), nullptr, 0);
    });
}

void ODBCCatalogClass::GetStatistics(QueueBase& queue, std::string_view table, Byte unique, std::string_view owner) {
    readCatalog(FILE, queue, 13, [&](SQLHSTMT statement) {
        SqlName schema = SqlName::orNone(clippedName(owner));
        SqlName name = SqlName::of(clippedName(table));
        SQLStatistics(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length(), unique,
                      SQL_QUICK);
    });
}

void ODBCCatalogClass::GetPrimaryKeys(QueueBase& queue, std::string_view table, std::string_view owner) {
    readCatalog(FILE, queue, 6, [&](SQLHSTMT statement) {
        SqlName schema = SqlName::orNone(clippedName(owner));
        SqlName name = SqlName::of(clippedName(table));
        SQLPrimaryKeys(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length());
    });
}

void ODBCCatalogClass::GetForeignKeys(QueueBase& queue, std::string_view table, std::string_view owner) {
    readCatalog(FILE, queue, 13, [&](SQLHSTMT statement) {
        SqlName schema = SqlName::orNone(clippedName(owner));
        SqlName name = SqlName::of(clippedName(table));
        SQLForeignKeys(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length(), nullptr, 0,
                       nullptr, 0, nullptr, 0);
    });
}

Byte ODBCCatalogClass::ExecuteSQL(std::string_view sql) {
    FILE->close();
    FILE->open(platform::kReadWriteDenyWrite);
    // A failed connect keeps its own diagnostics rather than "File Not Open".
    if (!platform::ERRORCODE()) {
        FILE->buffer(kResultPageSize);
        FILE->setProperty(platform::PROP_SQL, sql);
    }
    LASTERRORCODE = platform::ERRORCODE();
    LASTERROR = platform::ERROR();
    LASTFILEERROR = platform::FILEERROR();
    LASTFILEERRORCODE = platform::FILEERRORCODE();
    if (!LASTERRORCODE) return 0;
    const std::string text = "Error:" + platform::ERROR() + "|Backend error:" + platform::FILEERROR() +
                             "|Owner:" + maskPassword(FILE->property(platform::PROP_Owner)) + "|Query:" +
                             std::string(sql);
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
    if (!FILE) return {};
    if (!FILE->opened()) FILE->open(platform::kReadWriteDenyWrite);
    return SqlIdentifierRules::of(FILE->handle(platform::PROP_Hdbc));
}

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
