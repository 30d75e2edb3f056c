// Reads an ODBC data source's catalogue into the catalogue queues and runs SQL
// statements whose rows it copies into a caller's queue, on the connection of
// an ODBC file (ODBCFILE in the program).
//
// One object at a time is the rule of the program, but every object shares one
// column read buffer (module data): it exists while any object exists and grows
// when GetColumnData meets a longer value. The object is used from the window
// fibers. The driver calls that wait for the data source (the catalogue calls
// with their fetches, the statements) run on the layer's worker while the
// calling fiber keeps the lock (OdbcFile.h), so no other fiber runs meanwhile;
// the queues are filled on the fiber once a call has returned. The only waits
// that let another fiber run are ExecuteSQL's error message, after which it
// touches nothing of the object, and GetColumnValue's message about a record
// without the column (never met on ODBCFILE, whose record is empty).
//
// Catalogue values are read whole. A row with a name longer than its queue
// field holds, or with a letter Windows-1252 lacks (which would show as "?"),
// is left out, never kept changed: LeftOutNames tells which names the last
// read left out. GetTables keeps what the table list read left out, and why
// it failed, in TableList: the windows and the writer say so.
//
// The connection is made at the first need. A connect that fails is
// remembered with the driver's message (ConnectFailure): the readers and the
// statement rules then give nothing at once rather than wait for the data
// source again; Connect and ExecuteSQL try anew. A reader that cannot read the
// catalogue (no connection, a call the driver refuses) leaves its queue empty
// and the reason in ReadFailure. A connection found gone ends: the next read
// or statement connects again, once.
//
// GetTables asks for the tables of the connection's current catalogue when the
// data source has one (a server of several databases would list them all).
// The per-table readers take the table's owner (schema): empty means none (NULL
// to the driver); they keep only the rows of that table (and owner), whatever
// the driver matched. GetColumns escapes the search-pattern characters of its
// names so that "A_B" means that table alone.
#pragma once

#include "app/odbccatalog/LeftOutName.h"
#include "app/odbccatalog/SqlIdentifier.h"
#include "app/odbccatalog/SqlStringLiterals.h"
#include "platform/data/Queue.h"
#include "platform/odbc/OdbcFile.h"

#include <string>
#include <string_view>
#include <vector>

// GetStatistics' `unique` for every index (SQL_INDEX_ALL).
inline constexpr platform::Byte kAllIndexes = 1;

class ODBCCatalogClass {
public:
    ODBCCatalogClass() { Construct(); }
    ~ODBCCatalogClass() { Destruct(); }
    ODBCCatalogClass(const ODBCCatalogClass&) = delete;
    ODBCCatalogClass& operator=(const ODBCCatalogClass&) = delete;

    platform::OdbcFile* FILE = nullptr;
    platform::RecordRef RECORD;
    platform::Long LASTERRORCODE = 0;
    platform::CString<100> LASTERROR;
    platform::CString<100> LASTFILEERROR;
    platform::CString<100> LASTFILEERRORCODE;
    // The names the last catalogue read left out.
    std::vector<LeftOutName> LeftOutNames;
    // Why the last catalogue read gave nothing; empty when it was read.
    std::string ReadFailure;
    // The last read failed for want of a connection: it was lost (and ended)
    // or could not be made.
    bool ConnectionFailed = false;
    // What the last GetTables could not read: why it failed (empty: it did
    // not), and the tables it left out for their names.
    struct TableListRead {
        std::string failure;
        std::vector<LeftOutName> leftOut;
    } TableList;

    // Run by the constructor and destructor, as NEW and DISPOSE run them.
    void Construct();
    void Destruct();
    void Init(platform::OdbcFile& file);
    // Destruct and release; a null object is ignored. The pointer is nulled.
    static void Dispose(ODBCCatalogClass*& object);

    void GetTables(platform::QueueBase& queue, std::string_view ownerFilter, platform::Byte keepSystemTables,
                   platform::Byte noOwnerFilter, platform::Byte noTablesOnlyFilter, platform::Byte tablesOnly);
    void GetColumns(platform::QueueBase& queue, std::string_view table, std::string_view owner = {});
    // unique: SQL_INDEX_UNIQUE (0) or SQL_INDEX_ALL (1).
    void GetStatistics(platform::QueueBase& queue, std::string_view table, platform::Byte unique,
                       std::string_view owner = {});
    void GetPrimaryKeys(platform::QueueBase& queue, std::string_view table, std::string_view owner = {});
    // The foreign keys of other tables that refer to `table`.
    void GetForeignKeys(platform::QueueBase& queue, std::string_view table, std::string_view owner = {});
    // The foreign keys `table` holds, whatever tables they refer to.
    void GetForeignKeysFrom(platform::QueueBase& queue, std::string_view table, std::string_view owner = {});

    // 1 when the statement failed (after a message), else 0.
    platform::Byte ExecuteSQL(std::string_view sql);
    void FetchResult(platform::QueueBase& queue, platform::Long rowLimit, platform::Byte allRows);
    platform::Long ResultColumnCount();
    std::string GetColumnData(platform::Long column);
    std::string GetColumnValue(platform::Long column);

    // Connects when the file has no connection: true when it has one.
    bool Connect();
    // As Connect, but false at once after a failed connect.
    bool Connected();
    // The message that says why the last connect failed (the connect string
    // with its password masked); empty after a connect that succeeded.
    const std::string& ConnectFailure() const { return connectFailure_; }

    // How the data source wants names and text values written in statements;
    // connects first when the file is not open.
    SqlIdentifierRules IdentifierRules();
    SqlStringLiterals StringLiterals();

    // The shared read buffer's size in bytes; 0 while no object exists.
    static std::size_t readBufferSize();

private:
    // The file's connection handle; connects first unless a connect failed.
    void* Connection();

    bool holdsBuffer_ = false;
    void* literalsConnection_ = nullptr;
    SqlStringLiterals literals_;
    std::string connectFailure_;
};
