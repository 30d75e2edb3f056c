// The catalogue reads of one dictionary write, made before the writer asks
// for them, so that a data source across a network is not waited for one
// round trip after another: the columns of every table in one read per
// owner, and the primary keys, index statistics and (when asked) foreign keys
// of each table, queued in the tables' order on a pool of connections of the
// write's own (OdbcConnectionPool), made from the connect string of the
// catalogue's file when the write begins and closed with the object.
//
// Each reader fills its queue on the calling fiber as ODBCCatalogClass's
// reader of that name does: the same rows in the same order, the same names
// left out, the same ReadFailure and ConnectionFailed. A read the pool gives
// back (a connection it could not make or that failed) is made on the
// catalogue's own connection when it is asked for, in order, so a data source
// that allows a single connection gives the same dictionary, and a failure
// is the one the own connection meets. When the columns of an owner cannot
// be read in one (a table the driver cannot describe), each table's are read
// alone. Reads are kept for the object's life, failed ones too:
// asked again (the relations ask for the keys of the tables they join), they
// cost no call.
//
// The pool reads on TABLOOM_CATALOG_CONNECTIONS connections beside the own
// one less one (kCatalogConnections unless the variable says otherwise): 1
// reads everything on the own connection alone.
#pragma once

#include "app/odbccatalog/CatalogRead.h"
#include "platform/odbc/OdbcConnectionPool.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The connections a write reads on, its own among them.
inline constexpr int kCatalogConnections = 8;

class CatalogReadAhead {
public:
    struct Table {
        std::string name;
        std::string owner;
    };

    CatalogReadAhead(ODBCCatalogClass& catalog, const std::vector<Table>& tables, bool foreignKeys);
    CatalogReadAhead(const CatalogReadAhead&) = delete;
    CatalogReadAhead& operator=(const CatalogReadAhead&) = delete;

    void GetColumns(platform::QueueBase& queue, std::string_view table, std::string_view owner);
    void GetPrimaryKeys(platform::QueueBase& queue, std::string_view table, std::string_view owner);
    // Every index.
    void GetStatistics(platform::QueueBase& queue, std::string_view table, std::string_view owner);
    void GetForeignKeysFrom(platform::QueueBase& queue, std::string_view table, std::string_view owner);

    // The connections the writer reads on, from the environment.
    static int connections();

private:
    enum class Kind { OwnerColumns, PrimaryKeys, Statistics, ForeignKeysFrom };
    // A read of the pool, or made on the own connection once it was given back.
    struct Ahead {
        CatalogRead read;
        MadeRead made;
        std::shared_ptr<platform::OdbcConnectionPool::Job> job;
        bool taken = false;  // `made` holds the read
        // For the columns of an owner: the rows of each table, by its name.
        std::map<std::string, std::vector<std::size_t>> rowsByTable;
    };
    using Key = std::pair<Kind, std::pair<std::string, std::string>>;

    static Key key(Kind kind, std::string_view table, std::string_view owner);
    void queue(Kind kind, std::string_view table, std::string_view owner, CatalogRead read);
    // The read, made now on the own connection when it was not made ahead.
    Ahead& made(Kind kind, std::string_view table, std::string_view owner, const CatalogRead& read);
    // The rows of each table of an owner's columns.
    static void indexByTable(Ahead& ahead);
    void keep(platform::QueueBase& queue, Kind kind, std::string_view table, std::string_view owner,
              const CatalogRead& read);

    ODBCCatalogClass& catalog_;
    std::map<Key, std::unique_ptr<Ahead>> reads_;
    // Ends before the reads its threads write into.
    std::unique_ptr<platform::OdbcConnectionPool> pool_;
};
