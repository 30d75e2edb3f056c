// Keyed files (the runtime's TopSpeed data files), each one SQLite database.
//
// Declaration: a label ("ZELRESTYLEFILE"), a NAME ("ZelRestyle": the file
// on disk, exactly, with no extension added), a record and its keys
// (FileKey). On disk: a table named after the label with a column per field
// (the field's name without prefix), an index per key named after it, and the
// layout signature (fields and keys) in the table "~LAYOUT". The journal is
// SQLite's rollback journal beside the file ("ZelRestyle-journal").
//
// Statements, each reporting through ERRORCODE/ERROR (SQLite's own failures
// as 90 with its extended code and message in FILEERRORCODE/FILEERROR) and
// returning true when ERRORCODE() is 0:
// - open(mode): 2 when missing (nothing is made), 36 when not a keyed file,
//   47 when the stored layout differs from the declaration, 5 when it is
//   to be written and the user may not write it or its folder; read-only
//   access (low nibble 0) refuses writes with 5. Other programs share the file in
//   every mode, through SQLite's locks; 22h acts as 42h.
// - create(): replaces the file and its leftover journal by an empty one,
//   left closed; 5 (file kept) when the user may not write it or its folder.
// - copy(name): the closed file's bytes, and its journal, under that name.
// - get(key) (35), set(key), set(key, key), next()/previous() (33 past the
//   end), add() (40 on a duplicate), put() and remove() of the row last read
//   or added (33 when none: a failed read leaves none), position()/reget()
//   (35), records(). A read that finds nothing leaves the buffer alone.
// - A walk remembers the key values and row id of the row it returned last,
//   as stored, and seeks the next row from them: deleting, changing (keys
//   too) and adding rows during a walk neither repeats nor skips one, and a
//   row whose key text was cut to its field (written by another program) is
//   met once. No other statement moves the walk.
// - textCut(field): the row read last held a longer text in that field than
//   the field holds; the buffer has it cut.
// - readPlace()/restore(): a look-up made beside another's walk keeps the
//   buffer, the row last read and the walk first and puts them back after;
//   that walk then goes on where it was.
// - PROP_Logout enrols the file in the next LOGOUT (FileTransaction.h).
//
// No statement switches fibers: a busy file is waited for with the global
// lock held (kBusyTimeout). The file belongs to no fiber.
#pragma once

#include "platform/data/RecordRef.h"
#include "platform/files/ColumnValue.h"
#include "platform/odbc/FileProperties.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class FileKey;
class KeyColumn;
class SqliteConnection;
class SqliteStatement;

class KeyedFile {
public:
    KeyedFile(std::string label, std::string name, RecordRef record);
    ~KeyedFile();
    KeyedFile(const KeyedFile&) = delete;
    KeyedFile& operator=(const KeyedFile&) = delete;

    const std::string& label() const { return label_; }
    const std::string& name() const { return name_; }
    const RecordRef& record() const { return record_; }
    const std::vector<FileKey*>& keys() const { return keys_; }
    bool opened() const { return own_ != nullptr; }

    bool open(Long accessMode = kReadWriteDenyNone);
    bool close();
    bool create();
    bool copy(std::string_view newName);

    bool get(const FileKey& key);
    bool set(const FileKey& key);
    // SET(key, key): from the first row at or after the buffer's key values
    // (for previous(): the last at or before them). Both are the same key.
    bool set(const FileKey& key, const FileKey& start);
    bool next();
    bool previous();
    bool add();
    bool put();
    bool remove();
    // The row last read or added, as text; empty when none.
    std::string position() const;
    // By the field's name, as the record's field table finds it.
    bool textCut(std::string_view field) const;
    bool reget(std::string_view position);
    Long records();

    void setProperty(Long number, std::string_view value);

private:
    enum class WalkFrom { Nothing, Start, Key, Row };

public:
    // What reads leave behind: the record buffer, the row last read, the walk.
    struct ReadPlace {
        std::string buffer;
        std::int64_t row = 0;
        const FileKey* walkKey = nullptr;
        WalkFrom walkFrom = WalkFrom::Nothing;
        std::vector<ColumnValue> walkValues;
        std::int64_t walkRow = 0;
    };
    ReadPlace readPlace() const;
    void restore(const ReadPlace& place);

private:
    friend class FileKey;
    friend class FileTransaction;
    friend class FileSavepoint;

    enum Statement { Insert, Update, Delete, ByRow, Count, Savepoint, Release, RollbackTo, PerFile };
    enum KeyStatement { Get, First, Last, After, Before, PerKey };

    std::size_t addKey(FileKey& key);
    std::string signature() const;
    std::string schemaSql() const;
    // Statements run on the transaction's connection while the file takes
    // part in one, else on the file's own.
    SqliteConnection& connection() const { return current_ ? *current_ : *own_; }
    void useConnection(SqliteConnection* connection, std::string schema);
    std::string table() const;
    SqliteStatement& statement(std::size_t slot, const std::string& sql);
    SqliteStatement& fileStatement(Statement which);
    SqliteStatement& keyStatement(const FileKey& key, KeyStatement which);
    // Runs a statement without parameters or rows; failures are reported.
    bool execute(Statement which);
    std::string keySelect(const FileKey& key, KeyStatement which) const;
    bool requireOpen();
    bool requireWritable();
    bool requireCurrent();
    // The record's values of the key's columns, put into `into`.
    void keyValues(const FileKey& key, std::vector<ColumnValue>& into) const;
    // Runs a read with the values (and the row id after them, when given)
    // bound; on a row, loads it, makes it current and returns true, and for
    // a walk along `walked` puts the row's stored key into walkValues_.
    bool read(SqliteStatement& statement, const std::vector<ColumnValue>& values, int notFound,
              const std::int64_t* row = nullptr, const FileKey* walked = nullptr);
    bool step(bool forward);
    bool write(SqliteStatement& statement, bool withRow);
    // The stored layout signature is the declaration's; else the error.
    bool layoutMatches();

    std::string label_;
    std::string name_;
    RecordRef record_;
    std::vector<FileKey*> keys_;
    std::vector<const KeyColumn*> derived_;  // derived key columns, each once

    std::unique_ptr<SqliteConnection> own_;
    SqliteConnection* current_ = nullptr;  // the transaction's, while in one
    std::string schema_ = "main";
    bool readOnly_ = false;
    std::vector<std::unique_ptr<SqliteStatement>> statements_;  // after own_: finalised before it closes
    std::vector<ColumnValue> values_;  // the values bound last, kept to spare allocations
    std::vector<ColumnValue> bound_;   // where a walk's step starts from, while it runs
    std::vector<bool> cut_;            // by field: the row read last held more than it

    std::int64_t row_ = 0;  // the row last read or added; 0 for none
    const FileKey* walkKey_ = nullptr;
    WalkFrom walkFrom_ = WalkFrom::Nothing;
    std::vector<ColumnValue> walkValues_;
    std::int64_t walkRow_ = 0;
};

}  // namespace platform
