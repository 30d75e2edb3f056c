#include "app/odbccatalog/CatalogRead.h"

#include "app/odbccatalog/ConnectString.h"
#include "app/odbccatalog/ODBCCatalogClass.h"
#include "platform/fiber/BlockingCall.h"
#include "platform/odbc/FileProperties.h"
#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <cstring>
#include <optional>

using platform::QueueBase;

namespace {

// Catalogue values are read in pieces of this size.
constexpr std::size_t kCatalogValueBuffer = 512;

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

// The owner as SQLColumns takes it: a pattern that matches only itself, NULL when empty.
SqlName schemaPattern(std::string_view owner, SQLHDBC connection) {
    const std::string schema = platform::clip(owner);
    return schema.empty() ? SqlName::none() : SqlName::of(literalPattern(schema, searchPatternEscape(connection)));
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

// The characters a text field holds.
std::size_t textCapacity(const platform::FieldInfo& info) {
    return info.type == platform::FieldType::CString ? info.size - 1 : info.size;
}

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

// Adds the row to the queue when the reader keeps it.
class RowKeeper {
public:
    RowKeeper(QueueBase& queue, const CatalogRows& rows, const CatalogResult& result, std::vector<LeftOutName>& leftOut)
        : queue_(queue), rows_(rows), result_(result), leftOut_(leftOut), raw_(rows.columns + 1u),
          values_(rows.columns + 1u) {}

    void keep(std::size_t row) {
        for (SQLUSMALLINT i = 1; i <= rows_.columns; ++i) {
            raw_[i] = result_.value(row, i);
            values_[i] = platform::fromUtf8(raw_[i]);
        }
        if (isOtherTable(rows_, values_)) return;
        if (std::optional<LeftOutName> name = leftOutName(queue_, rows_, raw_, values_)) {
            leftOut_.push_back(std::move(*name));
            return;
        }
        for (SQLUSMALLINT i = 1; i <= rows_.columns && queue_.hasField(i); ++i) queue_.field(i).setText(values_[i]);
        if (!rows_.keep || rows_.keep(queue_)) queue_.add();
    }

private:
    QueueBase& queue_;
    const CatalogRows& rows_;
    const CatalogResult& result_;
    std::vector<LeftOutName>& leftOut_;
    RawRow raw_;
    std::vector<std::string> values_;
};

CatalogResult fetchRows(SQLHSTMT statement, SQLHDBC connection, const CatalogRead& read) {
    CatalogResult result;
    result.columns = read.rows.columns;
    result.called = read.call(statement, connection);
    if (!SQL_SUCCEEDED(result.called)) return result;
    // A row that comes with SQL_SUCCESS_WITH_INFO is still a row.
    while (SQL_SUCCEEDED(result.fetched = SQLFetch(statement))) {
        for (SQLUSMALLINT i = 1; i <= result.columns; ++i) {
            appendCatalogValue(result.bytes, statement, i);
            result.ends.push_back(result.bytes.size());
        }
    }
    return result;
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

// The rows of one table: its name (result column 3, unless given) and owner
// (the column before it) as asked.
CatalogRows tableRows(SQLUSMALLINT columns, std::vector<SQLUSMALLINT> names, std::string_view table,
                      std::string_view owner, SQLUSMALLINT tableColumn = 3) {
    return {columns, std::move(names), tableColumn, static_cast<SQLUSMALLINT>(tableColumn - 1), platform::clip(table),
            platform::clip(owner)};
}

const std::vector<SQLUSMALLINT> kForeignKeyNames = {1, 2, 3, 4, 5, 6, 7, 8, 12, 13};

}  // namespace

std::string_view CatalogResult::value(std::size_t row, SQLUSMALLINT column) const {
    const std::size_t at = row * columns + column - 1;
    const std::size_t start = at == 0 ? 0 : ends[at - 1];
    return std::string_view(bytes).substr(start, ends[at] - start);
}

CatalogResult fetchCatalog(SQLHDBC connection, const CatalogRead& read, platform::OdbcHandle* failed) {
    platform::OdbcHandle statement = platform::OdbcHandle::allocate(platform::OdbcHandle::Kind::Statement, connection);
    CatalogResult result = statement ? fetchRows(statement.get(), connection, read) : CatalogResult();
    if (failed && !result.complete()) *failed = std::move(statement);
    return result;
}

std::string backendError(const std::string& owner) {
    return "|Backend error:" + maskPasswords(platform::FILEERROR(), owner) + "|Owner:" + maskPassword(owner);
}

MadeRead readOnOwnConnection(ODBCCatalogClass& catalog, const CatalogRead& read) {
    if (!catalog.Connected()) return {{}, {catalog.ConnectFailure(), true}};
    platform::OdbcFile& file = *catalog.FILE;
    file.close();
    file.open(platform::kReadWriteDenyWrite);
    if (platform::ERRORCODE()) return {{}, {platform::FILEERROR(), false}};
    void* connection = file.handle(platform::PROP_Hdbc);
    // The statement lives on the worker but for a failure, which the fiber reports.
    platform::OdbcHandle failed;
    MadeRead made;
    made.result = platform::blockingCall([&] { return fetchCatalog(connection, read, &failed); });
    if (made.result.complete()) return made;
    made.failure = failed ? failureOf(file, failed) : CatalogueFailure{"No statement could be made on the connection.", false};
    return made;
}

void keepRead(ODBCCatalogClass& catalog, QueueBase& queue, const CatalogRows& rows, const MadeRead& made,
              const std::vector<std::size_t>* only) {
    queue.free();
    queue.clear();
    catalog.LeftOutNames.clear();
    RowKeeper keeper(queue, rows, made.result, catalog.LeftOutNames);
    if (only)
        for (const std::size_t row : *only) keeper.keep(row);
    else
        for (std::size_t row = 0; row < made.result.rows(); ++row) keeper.keep(row);
    catalog.ReadFailure = made.failure.text;
    catalog.ConnectionFailed = made.failure.noConnection;
}

CatalogRead tablesRead() {
    return {{5, {1, 2, 3}}, [](SQLHSTMT statement, SQLHDBC connection) {
                // Without a catalogue a server of several databases lists them all.
                SqlName catalogue = SqlName::orNone(currentCatalogue(connection));
                return SQLTables(statement, catalogue.data(), catalogue.length(), nullptr, 0, nullptr, 0, nullptr, 0);
            }};
}

CatalogRead columnsRead(std::string_view table, std::string_view owner) {
    return {tableRows(18, {1, 2, 3, 4}, table, owner), [owner = std::string(owner), table = std::string(table)](
                                                           SQLHSTMT statement, SQLHDBC connection) {
                // Both names are search patterns here; escape them so they match only themselves.
                SqlName schema = schemaPattern(owner, connection);
                SqlName name = SqlName::of(literalPattern(platform::clip(table), searchPatternEscape(connection)));
                return SQLColumns(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length(),
                                  nullptr, 0);
            }};
}

CatalogRead ownerColumnsRead(std::string_view owner) {
    return {{18, {1, 2, 3, 4}}, [owner = std::string(owner)](SQLHSTMT statement, SQLHDBC connection) {
                SqlName schema = schemaPattern(owner, connection);
                SqlName every = SqlName::of("%");
                return SQLColumns(statement, nullptr, 0, schema.data(), schema.length(), every.data(), every.length(),
                                  nullptr, 0);
            }};
}

CatalogRead statisticsRead(std::string_view table, platform::Byte unique, std::string_view owner) {
    return {tableRows(13, {1, 2, 3, 5, 6, 9}, table, owner),
            [owner = platform::clip(owner), table = platform::clip(table), unique](SQLHSTMT statement, SQLHDBC) {
                SqlName schema = SqlName::orNone(owner);
                SqlName name = SqlName::of(table);
                return SQLStatistics(statement, nullptr, 0, schema.data(), schema.length(), name.data(), name.length(),
                                     unique, SQL_QUICK);
            }};
}

CatalogRead primaryKeysRead(std::string_view table, std::string_view owner) {
    return {tableRows(6, {1, 2, 3, 4, 6}, table, owner),
            [owner = platform::clip(owner), table = platform::clip(table)](SQLHSTMT statement, SQLHDBC) {
                SqlName schema = SqlName::orNone(owner);
                SqlName name = SqlName::of(table);
                return SQLPrimaryKeys(statement, nullptr, 0, schema.data(), schema.length(), name.data(),
                                      name.length());
            }};
}

CatalogRead foreignKeysRead(std::string_view table, std::string_view owner) {
    // Rows name the referenced table and its owner in columns 3 and 2.
    return {tableRows(13, kForeignKeyNames, table, owner),
            [owner = platform::clip(owner), table = platform::clip(table)](SQLHSTMT statement, SQLHDBC) {
                SqlName schema = SqlName::orNone(owner);
                SqlName name = SqlName::of(table);
                return SQLForeignKeys(statement, nullptr, 0, schema.data(), schema.length(), name.data(),
                                      name.length(), nullptr, 0, nullptr, 0, nullptr, 0);
            }};
}

CatalogRead foreignKeysFromRead(std::string_view table, std::string_view owner) {
    // Rows name the referring table and its owner in columns 7 and 6.
    return {tableRows(13, kForeignKeyNames, table, owner, 7),
            [owner = platform::clip(owner), table = platform::clip(table)](SQLHSTMT statement, SQLHDBC) {
                SqlName schema = SqlName::orNone(owner);
                SqlName name = SqlName::of(table);
                return SQLForeignKeys(statement, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, schema.data(),
                                      schema.length(), name.data(), name.length());
            }};
}
