// One catalogue read of ODBCCatalogClass: the catalogue function called with
// its names, and what its reader keeps of the rows. The read is made on a
// connection into a buffer of its own (on the layer's worker for the
// program's connection, on a pool thread for a read made ahead); the queue
// is filled from that buffer on the calling fiber, the same way whichever
// connection read it.
//
// Each reader keeps the rows of the table (and owner) it asked for, whatever
// the driver matched, and leaves out a row with a name longer than its queue
// field holds or with a letter Windows-1252 lacks (LeftOutNames).
#pragma once

#include "app/odbccatalog/LeftOutName.h"
#include "platform/data/Queue.h"
#include "platform/odbc/OdbcHandle.h"

#include <sql.h>
#include <sqlext.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class ODBCCatalogClass;

using CatalogCall = std::function<SQLRETURN(SQLHSTMT statement, SQLHDBC connection)>;
using RowFilter = std::function<bool(platform::QueueBase&)>;

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

struct CatalogRead {
    CatalogRows rows;
    CatalogCall call;
};

// A catalogue function's rows as the driver gives them: every value one
// after another, `columns` to a row.
struct CatalogResult {
    SQLRETURN called = SQL_ERROR;
    SQLRETURN fetched = SQL_NO_DATA;  // the fetch that ended the rows
    SQLUSMALLINT columns = 0;
    std::string bytes;
    std::vector<std::size_t> ends;  // where each value ends in `bytes`, row after row

    // The call succeeded and every row was fetched.
    bool complete() const { return SQL_SUCCEEDED(called) && fetched == SQL_NO_DATA; }
    std::size_t rows() const { return columns ? ends.size() / columns : 0; }
    // Column `column` (from 1) of row `row` (from 0), as the driver gave it (UTF-8).
    std::string_view value(std::size_t row, SQLUSMALLINT column) const;
};

// The read made on the connection, on whatever thread calls it: it writes
// nothing but its result (and `failed`). Without a statement the result is
// not complete. When it is not, `failed` (if given) gets the statement, for
// its diagnostics.
CatalogResult fetchCatalog(SQLHDBC connection, const CatalogRead& read, platform::OdbcHandle* failed = nullptr);

// Why a read gave nothing (empty: it did not fail), and whether for want of a
// connection.
struct CatalogueFailure {
    std::string text;
    bool noConnection = false;
};

struct MadeRead {
    CatalogResult result;
    CatalogueFailure failure;
};

// "|Backend error:" with the driver's last message, then "|Owner:" with the
// connect string, their passwords masked.
std::string backendError(const std::string& owner);

// The read made now on the catalogue's own connection (connecting first when
// it has none), the driver's part on the layer's worker.
MadeRead readOnOwnConnection(ODBCCatalogClass& catalog, const CatalogRead& read);

// A reader's common steps on the fiber: the queue emptied, then filled with
// the rows it keeps of the read (of the rows numbered in `only`, when given,
// from 0, else of all); LeftOutNames, ReadFailure and ConnectionFailed of the
// catalogue set as the read left them.
void keepRead(ODBCCatalogClass& catalog, platform::QueueBase& queue, const CatalogRows& rows, const MadeRead& made,
              const std::vector<std::size_t>* only = nullptr);

// Every table of the connection's current catalogue, when the data source
// has one (a server of several databases would list them all), else of all.
CatalogRead tablesRead();
// The reads of the per-table readers; the owner empty means none (NULL to the
// driver). GetColumns escapes the search-pattern characters of its names so
// that "A_B" means that table alone.
CatalogRead columnsRead(std::string_view table, std::string_view owner);
// The columns of every table of the owner, for the rows of columnsRead.
CatalogRead ownerColumnsRead(std::string_view owner);
CatalogRead statisticsRead(std::string_view table, platform::Byte unique, std::string_view owner);
CatalogRead primaryKeysRead(std::string_view table, std::string_view owner);
// The foreign keys of other tables that refer to the table.
CatalogRead foreignKeysRead(std::string_view table, std::string_view owner);
// The foreign keys the table holds.
CatalogRead foreignKeysFromRead(std::string_view table, std::string_view owner);
