#include "app/odbccatalog/ODBCCatalogClass.h"

#include "app/odbccatalog/CatalogQueues.h"
#include "app/odbccatalog/ConnectString.h"
#include "platform/fiber/BlockingCall.h"
#include "platform/message/Message.h"
#include "platform/odbc/FileProperties.h"
#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <functional>
#include <optional>
#include <vector>

using platform::Byte;
using platform::Long;
using platform::QueueBase;

namespace {

constexpr std::size_t kInitialReadBuffer = 512;
// Catalogue values are read in pieces of this size.
constexpr std::size_t kCatalogValueBuffer = 512;
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

// The database the connection works in, when the data source has catalogues
// and names one; empty otherwise.
std::string currentCatalogue(SQLHDBC connection) {
    char supported[8] = {};
    SQLSMALLINT supportedLength = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(connection, SQL_CATALOG_NAME, supported, sizeof supported, &supportedLength)) ||
        supported[0] != 'Y')
        return {};
    std::vector<char> name(kCatalogValueBuffer, '\0');
    SQLINTEGER length = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!SQL_SUCCEEDED(SQLGetConnectAttr(connection, SQL_ATTR_CURRENT_CATALOG, name.data(),
                                             static_cast<SQLINTEGER>(name.size()), &length)))
            return {};
        if (length < static_cast<SQLINTEGER>(name.size())) break;
        name.assign(static_cast<std::size_t>(length) + 1, '\0');
    }
    return platform::fromUtf8(std::string_view(name.data(), strnlen(name.data(), name.size())));
}

// Appends a catalogue value read whole, however long, as the driver gives it
// (UTF-8); NULL and failed reads add nothing.
void appendCatalogValue(std::string& bytes, SQLHSTMT statement, SQLUSMALLINT column) {
    char chunk[kCatalogValueBuffer];
    for (;;) {
        SQLLEN length = 0;
        const SQLRETURN rc = SQLGetData(statement, column, SQL_C_CHAR, chunk, sizeof chunk, &length);
        if (!SQL_SUCCEEDED(rc) || length == SQL_NULL_DATA) return;
        bytes.append(chunk, strnlen(chunk, sizeof chunk));
        const bool more = rc == SQL_SUCCESS_WITH_INFO && (length == SQL_NO_TOTAL || length >= SQLLEN(sizeof chunk));
        if (!more) return;
    }
}

std::string clippedUpper(QueueBase& queue, const platform::FieldInfo& info) {
    return platform::upper(platform::clip(platform::FieldRef(info, queue.buffer()).text()));
}

// The characters a text field holds.
std::size_t textCapacity(const platform::FieldInfo& info) {
    return info.type == platform::FieldType::CString ? info.size - 1 : info.size;
}

// Why a read gave nothing (empty: it did not fail), and whether for want of a
// connection.
struct CatalogueFailure {
    std::string text;
    bool noConnection = false;
};

using CatalogCall = std::function<SQLRETURN(SQLHSTMT)>;
using RowFilter = std::function<bool(QueueBase&)>;

// What a reader keeps of the rows its catalogue function returns.
struct CatalogRows {
    SQLUSMALLINT columns;
    // Result columns that hold names: a row with a name longer than its queue
    // field, or with a letter Windows-1252 lacks, is left out, and the name
    // kept in LeftOutNames.
    std::vector<SQLUSMALLINT> names;
    // The table (and owner) asked for: other tables' rows, which a driver that
    // matches names loosely returns as well, are left out. 0: no test.
    SQLUSMALLINT tableColumn = 0;
    SQLUSMALLINT ownerColumn = 0;
    std::string table;
    std::string owner;  // empty: any owner
    RowFilter keep = {};
};

bool isOtherTable(const CatalogRows& rows, const std::vector<std::string>& values) {
    if (rows.tableColumn == 0) return false;
    if (platform::clip(values[rows.tableColumn]) != rows.table) return true;
    return !rows.owner.empty() && platform::clip(values[rows.ownerColumn]) != rows.owner;
}

// The values of a row as the driver gives them, column i at i.
using RawRow = std::vector<std::string_view>;

// The first name of the row that would be cut by its queue field or lose a
// letter, if any.
std::optional<LeftOutName> leftOutName(QueueBase& queue, const CatalogRows& rows, const RawRow& raw,
                                       const std::vector<std::string>& values) {
    for (SQLUSMALLINT i : rows.names) {
        if (!queue.hasField(i)) continue;
        if (!platform::exactFromUtf8(raw[i]))
            return LeftOutName{platform::describedFromUtf8(raw[i]), LeftOutName::Reason::NotWindows1252};
        if (values[i].size() > textCapacity(*queue.fields().at(i)))
            return LeftOutName{values[i], LeftOutName::Reason::Overlong};
    }
    return std::nullopt;
}

// A catalogue function's rows as the driver gives them, read on the worker
// into a buffer of the read's own: every value one after another.
struct CatalogResult {
    SQLRETURN called = SQL_ERROR;
    SQLRETURN fetched = SQL_NO_DATA;  // the fetch that ended the rows
    std::string bytes;
    std::vector<std::size_t> ends;  // where each value ends in `bytes`, row after row
};

CatalogResult fetchCatalog(SQLHSTMT statement, const CatalogCall& call, SQLUSMALLINT columns) {
    CatalogResult result;
    result.called = call(statement);
    if (!SQL_SUCCEEDED(result.called)) return result;
    // A row that comes with SQL_SUCCESS_WITH_INFO is still a row.
    while (SQL_SUCCEEDED(result.fetched = SQLFetch(statement))) {
        for (SQLUSMALLINT i = 1; i <= columns; ++i) {
            appendCatalogValue(result.bytes, statement, i);
            result.ends.push_back(result.bytes.size());
        }
    }
    return result;
}

// Adds the rows the reader keeps to the queue.
void keepRows(QueueBase& queue, const CatalogRows& rows, const CatalogResult& result,
              std::vector<LeftOutName>& leftOut) {
    RawRow raw(rows.columns + 1u);
    std::vector<std::string> values(rows.columns + 1u);
    std::size_t start = 0;
    for (std::size_t next = 0; next < result.ends.size();) {
        for (SQLUSMALLINT i = 1; i <= rows.columns; ++i, ++next) {
            raw[i] = std::string_view(result.bytes).substr(start, result.ends[next] - start);
            start = result.ends[next];
            values[i] = platform::fromUtf8(raw[i]);
        }
        if (isOtherTable(rows, values)) continue;
        if (std::optional<LeftOutName> name = leftOutName(queue, rows, raw, values)) {
            leftOut.push_back(std::move(*name));
            continue;
        }
        for (SQLUSMALLINT i = 1; i <= rows.columns && queue.hasField(i); ++i) queue.field(i).setText(values[i]);
        if (!rows.keep || rows.keep(queue)) queue.add();
    }
}

// The driver's message and the connect string, their passwords masked.
std::string backendError(const std::string& owner) {
    return "|Backend error:" + maskPasswords(platform::FILEERROR(), owner) + "|Owner:" + maskPassword(owner);
}

// Why a call on the statement failed: the driver's message, or that the
// connection was lost (which ends it).
CatalogueFailure failureOf(platform::OdbcFile& file, platform::OdbcHandle& statement) {
    statement.reportError();
    statement.reset();
    if (file.endLostConnection())
        return {"The connection to the data source was lost." + backendError(file.property(platform::PROP_Owner)),
                true};
    const std::string message = platform::FILEERROR();
    return {message.empty() ? "The data source gave no message." : message, false};
}

// Fills the queue from the catalogue function: the driver's call and its
// fetches on the worker, the queue on the calling fiber afterwards. The
// failure, if the catalogue could not be read.
CatalogueFailure readCatalog(ODBCCatalogClass& catalog, QueueBase& queue, const CatalogRows& rows,
                             const CatalogCall& call) {
    platform::OdbcFile& file = *catalog.FILE;
    file.close();
    file.open(platform::kReadWriteDenyWrite);
    if (platform::ERRORCODE()) return {platform::FILEERROR(), false};
    void* connection = file.handle(platform::PROP_Hdbc);
    // The statement lives on the worker but for a failure, which the fiber reports.
    platform::OdbcHandle failed;
    const CatalogResult result = platform::blockingCall([&] {
        platform::OdbcHandle statement = platform::OdbcHandle::allocate(platform::OdbcHandle::Kind::Statement, connection);
        CatalogResult read = statement ? fetchCatalog(statement.get(), call, rows.columns) : CatalogResult();
        if (!SQL_SUCCEEDED(read.called) || read.fetched != SQL_NO_DATA) failed = std::move(statement);
        return read;
    });
    keepRows(queue, rows, result, catalog.LeftOutNames);
    if (SQL_SUCCEEDED(result.called) && result.fetched == SQL_NO_DATA) return {};
    if (!failed) return {"No statement could be made on the connection.", false};
    return failureOf(file, failed);
}

// The rows of one table: its name (result column 3, unless given) and owner
// (the column before it) as asked.
CatalogRows tableRows(SQLUSMALLINT columns, std::vector<SQLUSMALLINT> names, std::string_view table,
                      std::string_view owner, SQLUSMALLINT tableColumn = 3) {
    return {columns, std::move(names), tableColumn, static_cast<SQLUSMALLINT>(tableColumn - 1), platform::clip(table),
            platform::clip(owner)};
}

// The data source's message when no connection can be made.
std::string connectFailureText(const std::string& owner) {
    return "The connection to the data source failed." + backendError(owner);
}

// A reader's common steps: the queue emptied, then filled when the catalogue
// can be read; the failure, if any, kept in ReadFailure.
void read(ODBCCatalogClass& catalog, QueueBase& queue, const CatalogRows& rows, const CatalogCall& call) {
    queue.free();
    queue.clear();
    catalog.LeftOutNames.clear();
    const CatalogueFailure failure =
        catalog.Connected() ? readCatalog(catalog, queue, rows, call) : CatalogueFailure{catalog.ConnectFailure(), true};
    catalog.ReadFailure = failure.text;
    catalog.ConnectionFailed = failure.noConnection;
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
    CatalogRows rows{5, {1, 2, 3}};
    rows.keep = [&](QueueBase& q) {
        if (dropSystem && clippedUpper(q, *type) == "SYSTEM TABLE") return false;
        if (onlyTables && clippedUpper(q, *type) != "TABLE") return false;
        return !(filterOwner && clippedUpper(q, *owner) != wantedOwner);
    };
    read(*this, queue, rows, [&](SQLHSTMT statement) {
        // Without a catalogue a server of several databases lists them all.
        SqlName catalogue = SqlName::orNone(currentCatalogue(FILE->handle(platform::PROP_Hdbc)));
        return SQLTables(statement, catalogue.data(), catalogue.length(), nullptr, 0, nullptr, 0, nullptr, 0);
    });
    TableList = {ReadFailure, LeftOutNames};
}

void ODBCCatalogClass::GetColumns(QueueBase& queue, std::string_view table, std::string_view owner) {
    read(*this, queue, tableRows(18, {1, 2, 3, 4}, table, owner), [&](SQLHSTMT statement) {
        // Both names are search patterns here; escape them so they match only themselves.
        const std::string escape = searchPatternEscape(FILE->handle(platform::PROP_Hdbc));
        const std::string schemaName = platform::clip(owner);
        SqlName schema = schemaName.empty() ? SqlName::none() : SqlName::of(literalPattern(schemaName, escape));
        SqlName name = SqlName::of(literalPattern(platform::clip(table), escape));
        return SQLColumns(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length(), nullptr,
                          0);
    });
}

void ODBCCatalogClass::GetStatistics(QueueBase& queue, std::string_view table, Byte unique, std::string_view owner) {
    read(*this, queue, tableRows(13, {1, 2, 3, 5, 6, 9}, table, owner), [&](SQLHSTMT statement) {
        SqlName schema = SqlName::orNone(platform::clip(owner));
        SqlName name = SqlName::of(platform::clip(table));
        return SQLStatistics(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length(),
                             unique, SQL_QUICK);
    });
}

void ODBCCatalogClass::GetPrimaryKeys(QueueBase& queue, std::string_view table, std::string_view owner) {
    read(*this, queue, tableRows(6, {1, 2, 3, 4, 6}, table, owner), [&](SQLHSTMT statement) {
        SqlName schema = SqlName::orNone(platform::clip(owner));
        SqlName name = SqlName::of(platform::clip(table));
        return SQLPrimaryKeys(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length());
    });
}

void ODBCCatalogClass::GetForeignKeys(QueueBase& queue, std::string_view table, std::string_view owner) {
    // Rows name the referenced table and its owner in columns 3 and 2.
    read(*this, queue, tableRows(13, {1, 2, 3, 4, 5, 6, 7, 8, 12, 13}, table, owner), [&](SQLHSTMT statement) {
        SqlName schema = SqlName::orNone(platform::clip(owner));
        SqlName name = SqlName::of(platform::clip(table));
        return SQLForeignKeys(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length(),
                              nullptr, 0, nullptr, 0, nullptr, 0);
    });
}

void ODBCCatalogClass::GetForeignKeysFrom(QueueBase& queue, std::string_view table, std::string_view owner) {
    // Rows name the referring table and its owner in columns 7 and 6.
    const CatalogRows rows = tableRows(13, {1, 2, 3, 4, 5, 6, 7, 8, 12, 13}, table, owner, 7);
    read(*this, queue, rows, [&](SQLHSTMT statement) {
        SqlName schema = SqlName::orNone(platform::clip(owner));
        SqlName name = SqlName::of(platform::clip(table));
        return SQLForeignKeys(statement, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, schema.data(),
                              schema.length(), name.data(), name.length());
    });
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
