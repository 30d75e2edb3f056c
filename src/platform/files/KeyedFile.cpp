#include "platform/files/KeyedFile.h"

#include "platform/files/FileKey.h"
#include "platform/files/FileTransaction.h"
#include "platform/files/SqliteConnection.h"
#include "platform/files/SqliteStatement.h"
#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <unistd.h>

namespace platform {
namespace {

constexpr const char* kLayoutTable = "\"~LAYOUT\"";

const char* typeName(FieldType type) {
    switch (type) {
        case FieldType::Byte: return "BYTE";
        case FieldType::Short: return "SHORT";
        case FieldType::UShort: return "USHORT";
        case FieldType::Long: return "LONG";
        case FieldType::ULong: return "ULONG";
        case FieldType::Real: return "REAL";
        case FieldType::CString: return "CSTRING";
        case FieldType::String: return "STRING";
    }
    return "";
}

std::string joined(const std::vector<std::string>& parts, const char* separator = ", ") {
    std::string out;
    for (const std::string& part : parts) out += (out.empty() ? "" : separator) + part;
    return out;
}

std::vector<std::string> columnNames(const FileKey& key, const char* suffix = "") {
    std::vector<std::string> names;
    for (const KeyColumn& column : key.columns()) names.push_back(sqlName(column.name()) + suffix);
    return names;
}

// True when the stored text did not fit the field and was cut.
bool loadField(const FieldInfo& field, void* record, const SqliteStatement::Run& run, int column) {
    FieldRef ref(field, record);
    switch (field.type) {
        case FieldType::Real: ref.setNumber(run.real(column)); return false;
        case FieldType::CString:
        case FieldType::String: {
            const std::string_view bytes = run.bytes(column);
            ref.setText(bytes);
            return bytes.size() > (field.type == FieldType::CString ? field.size - 1 : field.size);
        }
        default: ref.setNumber(static_cast<double>(run.integer(column))); return false;
    }
}

// A key column as the row stores it.
void loadKeyValue(const KeyColumn& column, const SqliteStatement::Run& run, int at, ColumnValue& into) {
    switch (column.field().type) {
        case FieldType::Real: into = run.real(at); return;
        case FieldType::CString:
        case FieldType::String: assignBytes(into, run.bytes(at)); return;
        default: into = run.integer(at);
    }
}

bool exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

bool copyBytes(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    return !error || reportSystemError(error.value(), kPathNotFound);
}

std::string journalOf(const std::string& path) { return path + "-journal"; }

}  // namespace

KeyedFile::KeyedFile(std::string label, std::string name, RecordRef record)
    : label_(std::move(label)), name_(std::move(name)), record_(record) {}

KeyedFile::~KeyedFile() { FileTransaction::instance().forget(*this); }

std::size_t KeyedFile::addKey(FileKey& key) {
    keys_.push_back(&key);
    for (const KeyColumn& column : key.columns()) {
        if (!column.derived()) continue;
        bool known = false;
        for (const KeyColumn* other : derived_) known = known || other->name() == column.name();
        if (!known) derived_.push_back(&column);
    }
    return keys_.size() - 1;
}

std::string KeyedFile::signature() const {
    std::string text = "keyed file 1\n" + label_ + "\n";
    for (const FieldInfo& field : record_.fields->all())
        text += field.name + " " + typeName(field.type) + " " + std::to_string(field.size) + "\n";
    for (const FileKey* key : keys_) text += key->signature() + "\n";
    return text;
}

std::string KeyedFile::schemaSql() const {
    std::vector<std::string> columns;
    for (const FieldInfo& field : record_.fields->all()) columns.push_back(sqlName(field.name) + " " + sqlType(field.type));
    for (const KeyColumn* column : derived_) columns.push_back(sqlName(column->name()) + " " + sqlType(column->field().type));
    std::string sql = "CREATE TABLE " + sqlName(label_) + " (" + joined(columns) + ");\n";
    for (const FileKey* key : keys_)
        sql += std::string("CREATE ") + (key->attributes().unique ? "UNIQUE " : "") + "INDEX " + sqlName(key->label()) +
               " ON " + sqlName(label_) + " (" + joined(columnNames(*key)) + ");\n";
    sql += std::string("CREATE TABLE ") + kLayoutTable + " (\"SIGNATURE\" TEXT);\n";
    sql += std::string("INSERT INTO ") + kLayoutTable + " VALUES (" + sqlText(signature()) + ");\n";
    return sql;
}

// --- opening, creating, copying -------------------------------------------

bool KeyedFile::open(Long accessMode) {
    if (opened()) {
        setError(kFileAlreadyOpen);
        return false;
    }
    readOnly_ = (accessMode & 0x0F) == kReadOnly;
    own_ = SqliteConnection::open(systemFileName(name_), readOnly_ ? SqliteOpen::ReadOnly : SqliteOpen::ReadWrite);
    if (own_ && layoutMatches()) return true;
    own_.reset();
    return false;
}

bool KeyedFile::layoutMatches() {
    SqliteStatement layout(own_->handle(), std::string("SELECT \"SIGNATURE\" FROM ") + kLayoutTable);
    // A database without the layout table was not made by create().
    if (layout.prepareError() == SQLITE_ERROR) {
        setError(kInvalidDataFile);
        return false;
    }
    SqliteStatement::Run run(layout);
    if (!run.step()) {
        if (!run.failed()) setError(kInvalidDataFile);
        return false;
    }
    if (run.bytes(0) != signature()) {
        setError(kInvalidRecordDeclaration);
        return false;
    }
    clearError();
    return true;
}

bool KeyedFile::close() {
    if (!requireOpen()) return false;
    FileTransaction::instance().leave(*this);
    statements_.clear();
    own_.reset();
    row_ = 0;
    walkKey_ = nullptr;
    walkFrom_ = WalkFrom::Nothing;
    clearError();
    return true;
}

bool KeyedFile::create() {
    if (opened()) {
        setError(kFileAlreadyOpen);
        return false;
    }
    const std::string path = systemFileName(name_);
    if (exists(path) && ::access(path.c_str(), W_OK) != 0) return reportSystemError(EACCES, kFileNotFound);
    // Built beside the file and moved over it, so a failure keeps the old one.
    const std::string building = path + ".create~";
    std::remove(building.c_str());
    std::remove(journalOf(building).c_str());
    {
        std::unique_ptr<SqliteConnection> made = SqliteConnection::open(building, SqliteOpen::Create);
        if (!made) return false;
        if (!made->execute("BEGIN;\n" + schemaSql() + "COMMIT;")) {
            made.reset();
            std::remove(building.c_str());
            return false;
        }
    }
    std::remove(journalOf(path).c_str());
    if (std::rename(building.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::remove(building.c_str());
        return reportSystemError(error, kPathNotFound);
    }
    clearError();
    return true;
}

bool KeyedFile::copy(std::string_view newName) {
    if (opened()) {
        setError(kFileAlreadyOpen);
        return false;
    }
    const std::string from = systemFileName(name_);
    const std::string to = systemFileName(newName);
    if (!exists(from)) return reportSystemError(ENOENT, kFileNotFound);
    if (!copyBytes(from, to)) return false;
    // A journal left beside the copy would be taken for the copy's own.
    if (exists(journalOf(from))) {
        if (!copyBytes(journalOf(from), journalOf(to))) return false;
    } else {
        std::remove(journalOf(to).c_str());
    }
    clearError();
    return true;
}

// --- statements --------------------------------------------------------------

void KeyedFile::useConnection(SqliteConnection* connection, std::string schema) {
    statements_.clear();
    current_ = connection;
    schema_ = connection ? std::move(schema) : "main";
}

std::string KeyedFile::table() const { return sqlName(schema_) + "." + sqlName(label_); }

SqliteStatement& KeyedFile::statement(std::size_t slot, const std::string& sql) {
    if (slot >= statements_.size()) statements_.resize(slot + 1);
    if (!statements_[slot]) statements_[slot] = std::make_unique<SqliteStatement>(connection().handle(), sql);
    return *statements_[slot];
}

SqliteStatement& KeyedFile::fileStatement(Statement which) {
    if (which < statements_.size() && statements_[which]) return *statements_[which];
    std::vector<std::string> columns;
    for (const FieldInfo& field : record_.fields->all()) columns.push_back(sqlName(field.name));
    for (const KeyColumn* column : derived_) columns.push_back(sqlName(column->name()));
    std::string sql;
    switch (which) {
        case Insert:
            sql = "INSERT INTO " + table() + " (" + joined(columns) + ") VALUES (" +
                  joined(std::vector<std::string>(columns.size(), "?")) + ")";
            break;
        case Update:
            for (std::string& column : columns) column += " = ?";
            sql = "UPDATE " + table() + " SET " + joined(columns) + " WHERE rowid = ?";
            break;
        case Delete: sql = "DELETE FROM " + table() + " WHERE rowid = ?"; break;
        case ByRow:
            columns.resize(record_.fieldCount());
            sql = "SELECT " + joined(columns) + ", rowid FROM " + table() + " WHERE rowid = ?";
            break;
        case Count: sql = "SELECT count(*) FROM " + table(); break;
        case Savepoint: sql = "SAVEPOINT record"; break;
        case Release: sql = "RELEASE record"; break;
        case RollbackTo: sql = "ROLLBACK TO record"; break;
        case PerFile: break;
    }
    return statement(which, sql);
}

SqliteStatement& KeyedFile::keyStatement(const FileKey& key, KeyStatement which) {
    const std::size_t slot = PerFile + key.number() * PerKey + which;
    if (slot < statements_.size() && statements_[slot]) return *statements_[slot];
    return statement(slot, keySelect(key, which));
}

std::string KeyedFile::keySelect(const FileKey& key, KeyStatement which) const {
    std::vector<std::string> fields;
    for (const FieldInfo& field : record_.fields->all()) fields.push_back(sqlName(field.name));
    const std::string columns = joined(columnNames(key));
    const std::string marks = joined(std::vector<std::string>(key.columns().size(), "?"));
    const std::string forward = " ORDER BY " + columns + ", rowid LIMIT 1";
    const std::string backward = " ORDER BY " + joined(columnNames(key, " DESC")) + ", rowid DESC LIMIT 1";
    // A walk goes on from the key as stored, which a text cut to its field is not.
    std::string sql = "SELECT " + joined(fields) + ", rowid" + (which == Get ? "" : ", " + columns) + " FROM " + table();
    switch (which) {
        case Get: return sql + " WHERE (" + columns + ") = (" + marks + ")" + forward;
        case First: return sql + forward;
        case Last: return sql + backward;
        case After: return sql + " WHERE (" + columns + ", rowid) > (" + marks + ", ?)" + forward;
        case Before: return sql + " WHERE (" + columns + ", rowid) < (" + marks + ", ?)" + backward;
        case PerKey: break;
    }
    return sql;
}

bool KeyedFile::requireOpen() {
    if (opened()) return true;
    setError(kFileNotOpen);
    return false;
}

bool KeyedFile::requireWritable() {
    if (!requireOpen()) return false;
    if (!readOnly_) return true;
    setError(kAccessDenied);
    return false;
}

bool KeyedFile::requireCurrent() {
    if (row_ != 0) return true;
    setError(kRecordNotAvailable);
    return false;
}

void KeyedFile::keyValues(const FileKey& key, std::vector<ColumnValue>& into) const {
    into.resize(key.columns().size());
    for (std::size_t i = 0; i < into.size(); ++i) key.columns()[i].value(record_.buffer, into[i]);
}

bool KeyedFile::read(SqliteStatement& statement, const std::vector<ColumnValue>& values, int notFound,
                     const std::int64_t* row, const FileKey* walked) {
    SqliteStatement::Run run(statement);
    for (std::size_t i = 0; i < values.size(); ++i) run.bind(static_cast<int>(i) + 1, values[i]);
    if (row) run.bind(static_cast<int>(values.size()) + 1, *row);
    row_ = 0;
    if (!run.step()) {
        if (!run.failed()) setError(notFound);
        return false;
    }
    const std::vector<FieldInfo>& fields = record_.fields->all();
    cut_.assign(fields.size(), false);
    for (std::size_t i = 0; i < fields.size(); ++i)
        cut_[i] = loadField(fields[i], record_.buffer, run, static_cast<int>(i));
    const int rowColumn = static_cast<int>(fields.size());
    row_ = run.integer(rowColumn);
    if (walked) {
        const std::vector<KeyColumn>& columns = walked->columns();
        walkValues_.resize(columns.size());
        for (std::size_t i = 0; i < columns.size(); ++i)
            loadKeyValue(columns[i], run, rowColumn + 1 + static_cast<int>(i), walkValues_[i]);
    }
    clearError();
    return true;
}

bool KeyedFile::textCut(std::string_view field) const {
    const FieldInfo* info = record_.fields->find(field);
    if (!info || cut_.empty()) return false;
    return cut_[static_cast<std::size_t>(info - record_.fields->all().data())];
}

bool KeyedFile::write(SqliteStatement& statement, bool withRow) {
    const std::vector<FieldInfo>& fields = record_.fields->all();
    values_.resize(fields.size() + derived_.size());
    for (std::size_t i = 0; i < fields.size(); ++i) storeValue(fields[i], record_.buffer, values_[i]);
    for (std::size_t i = 0; i < derived_.size(); ++i) derived_[i]->value(record_.buffer, values_[fields.size() + i]);
    SqliteStatement::Run run(statement);
    for (std::size_t i = 0; i < values_.size(); ++i) run.bind(static_cast<int>(i) + 1, values_[i]);
    if (withRow) run.bind(static_cast<int>(values_.size()) + 1, row_);
    run.step();
    if (run.failed()) return false;
    clearError();
    return true;
}

bool KeyedFile::execute(Statement which) {
    SqliteStatement::Run run(fileStatement(which));
    run.step();
    return !run.failed();
}

bool KeyedFile::get(const FileKey& key) {
    if (!requireOpen()) return false;
    keyValues(key, values_);
    return read(keyStatement(key, Get), values_, kRecordNotFound);
}

bool KeyedFile::set(const FileKey& key) {
    if (!requireOpen()) return false;
    walkKey_ = &key;
    walkFrom_ = WalkFrom::Start;
    clearError();
    return true;
}

bool KeyedFile::set(const FileKey& key, const FileKey&) {
    if (!requireOpen()) return false;
    walkKey_ = &key;
    walkFrom_ = WalkFrom::Key;
    keyValues(key, walkValues_);
    clearError();
    return true;
}

bool KeyedFile::next() { return step(true); }

bool KeyedFile::previous() { return step(false); }

bool KeyedFile::step(bool forward) {
    if (!requireOpen()) return false;
    if (walkFrom_ == WalkFrom::Nothing) {
        setError(kRecordNotAvailable);
        return false;
    }
    const FileKey& key = *walkKey_;
    bool found = false;
    if (walkFrom_ == WalkFrom::Start) {
        found = read(keyStatement(key, forward ? First : Last), {}, kRecordNotAvailable, nullptr, &key);
    } else {
        // From the buffer's key the bound row id lets every row of that key in.
        const std::int64_t fromKey =
            forward ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
        const std::int64_t from = walkFrom_ == WalkFrom::Row ? walkRow_ : fromKey;
        // Bound from where the walk stands; the row found leaves its own in walkValues_.
        bound_.swap(walkValues_);
        found = read(keyStatement(key, forward ? After : Before), bound_, kRecordNotAvailable, &from, &key);
        if (!found) bound_.swap(walkValues_);
    }
    if (!found) return false;
    walkFrom_ = WalkFrom::Row;
    walkRow_ = row_;
    return true;
}

bool KeyedFile::add() {
    if (!requireWritable() || !write(fileStatement(Insert), false)) return false;
    row_ = sqlite3_last_insert_rowid(connection().handle());
    return true;
}

bool KeyedFile::put() {
    if (!requireWritable() || !requireCurrent() || !write(fileStatement(Update), true)) return false;
    if (sqlite3_changes(connection().handle()) != 0) return true;
    setError(kRecordNotAvailable);  // gone meanwhile (another program deleted it)
    return false;
}

bool KeyedFile::remove() {
    if (!requireWritable() || !requireCurrent()) return false;
    SqliteStatement::Run run(fileStatement(Delete));
    run.bind(1, row_);
    run.step();
    if (run.failed()) return false;
    row_ = 0;
    clearError();
    return true;
}

namespace {
std::size_t recordBytes(const RecordRef& record) {
    std::size_t bytes = 0;
    if (record.fields)
        for (const FieldInfo& f : record.fields->all()) bytes = std::max(bytes, f.offset + f.size);
    return bytes;
}
}  // namespace

KeyedFile::ReadPlace KeyedFile::readPlace() const {
    const auto* buffer = static_cast<const char*>(record_.buffer);
    return {std::string(buffer, recordBytes(record_)), row_, walkKey_, walkFrom_, walkValues_, walkRow_};
}

void KeyedFile::restore(const ReadPlace& place) {
    std::memcpy(record_.buffer, place.buffer.data(), std::min(place.buffer.size(), recordBytes(record_)));
    // A file closed meanwhile has no row and no walk to go back to.
    if (!opened()) return;
    row_ = place.row;
    walkKey_ = place.walkKey;
    walkFrom_ = place.walkFrom;
    walkValues_ = place.walkValues;
    walkRow_ = place.walkRow;
}

std::string KeyedFile::position() const { return row_ != 0 ? std::to_string(row_) : std::string(); }

bool KeyedFile::reget(std::string_view position) {
    if (!requireOpen()) return false;
    const std::string text = clip(position);
    std::int64_t row = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), row);
    if (error != std::errc() || end != text.data() + text.size() || row == 0) {
        row_ = 0;
        setError(kRecordNotFound);
        return false;
    }
    return read(fileStatement(ByRow), {}, kRecordNotFound, &row);
}

Long KeyedFile::records() {
    if (!requireOpen()) return 0;
    SqliteStatement::Run run(fileStatement(Count));
    if (!run.step()) return 0;
    clearError();
    return static_cast<Long>(run.integer(0));
}

void KeyedFile::setProperty(Long number, std::string_view value) {
    if (number != PROP_Logout) return;
    const double list = leadingNumber(value);
    if (list == 1 || list == 2) FileTransaction::instance().enrol(*this, list == 1);
}

}  // namespace platform
