#include "app/odbccatalog/CatalogReadAhead.h"

#include "app/odbccatalog/ODBCCatalogClass.h"
#include "platform/odbc/FileProperties.h"
#include "platform/text/Codepage.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

// More would only crowd the data source.
constexpr int kMostConnections = 64;

}  // namespace

int CatalogReadAhead::connections() {
    const char* text = std::getenv("TABLOOM_CATALOG_CONNECTIONS");
    if (!text) return kCatalogConnections;
    int value = 0;
    const char* end = text + std::strlen(text);
    const auto [at, error] = std::from_chars(text, end, value);
    if (error != std::errc() || at != end || value < 1) return kCatalogConnections;
    return std::min(value, kMostConnections);
}

CatalogReadAhead::CatalogReadAhead(ODBCCatalogClass& catalog, const std::vector<Table>& tables, bool foreignKeys)
    : catalog_(catalog) {
    // No more connections than reads: a few tables need no crowd.
    const std::size_t reads = tables.size() * (foreignKeys ? 3 : 2);
    const int poolSize = static_cast<int>(std::min<std::size_t>(CatalogReadAhead::connections() - 1, reads));
    if (poolSize > 0 && catalog.FILE)
        pool_ = std::make_unique<platform::OdbcConnectionPool>(catalog.FILE->property(platform::PROP_Owner),
                                                               poolSize, catalog.FILE->loginTimeout());
    std::set<std::string> owners;
    for (const Table& table : tables)
        if (owners.insert(platform::clip(table.owner)).second)
            queue(Kind::OwnerColumns, "", table.owner, ownerColumnsRead(table.owner));
    for (const Table& table : tables) {
        queue(Kind::PrimaryKeys, table.name, table.owner, primaryKeysRead(table.name, table.owner));
        queue(Kind::Statistics, table.name, table.owner, statisticsRead(table.name, kAllIndexes, table.owner));
    }
    if (!foreignKeys) return;
    for (const Table& table : tables)
        queue(Kind::ForeignKeysFrom, table.name, table.owner, foreignKeysFromRead(table.name, table.owner));
}

void CatalogReadAhead::GetColumns(platform::QueueBase& queue, std::string_view table, std::string_view owner) {
    static const std::vector<std::size_t> none;
    const Ahead& ahead = made(Kind::OwnerColumns, "", owner, ownerColumnsRead(owner));
    // One table the driver cannot describe fails the owner's read: each table
    // is then read alone, and only that one fails. A lost connection is said as it is.
    const CatalogueFailure& failure = ahead.made.failure;
    if (!failure.text.empty() && !failure.noConnection) {
        catalog_.GetColumns(queue, table, owner);
        return;
    }
    const auto rows = ahead.rowsByTable.find(platform::clip(table));
    keepRead(catalog_, queue, columnsRead(table, owner).rows, ahead.made,
             rows == ahead.rowsByTable.end() ? &none : &rows->second);
}

void CatalogReadAhead::GetPrimaryKeys(platform::QueueBase& queue, std::string_view table, std::string_view owner) {
    keep(queue, Kind::PrimaryKeys, table, owner, primaryKeysRead(table, owner));
}

void CatalogReadAhead::GetStatistics(platform::QueueBase& queue, std::string_view table, std::string_view owner) {
    keep(queue, Kind::Statistics, table, owner, statisticsRead(table, kAllIndexes, owner));
}

void CatalogReadAhead::GetForeignKeysFrom(platform::QueueBase& queue, std::string_view table,
                                          std::string_view owner) {
    keep(queue, Kind::ForeignKeysFrom, table, owner, foreignKeysFromRead(table, owner));
}

CatalogReadAhead::Key CatalogReadAhead::key(Kind kind, std::string_view table, std::string_view owner) {
    return {kind, {platform::clip(table), platform::clip(owner)}};
}

void CatalogReadAhead::queue(Kind kind, std::string_view table, std::string_view owner, CatalogRead read) {
    std::unique_ptr<Ahead>& slot = reads_[key(kind, table, owner)];
    if (slot) return;
    slot = std::make_unique<Ahead>(Ahead{std::move(read)});
    if (!pool_) return;
    // The pool's thread writes into this read alone; the fiber reads it once the job is done.
    Ahead& ahead = *slot;
    ahead.job = pool_->queue([&ahead](void* connection) {
        ahead.made.result = fetchCatalog(connection, ahead.read);
        return ahead.made.result.complete();
    });
}

CatalogReadAhead::Ahead& CatalogReadAhead::made(Kind kind, std::string_view table, std::string_view owner,
                                                const CatalogRead& read) {
    std::unique_ptr<Ahead>& slot = reads_[key(kind, table, owner)];
    if (!slot) slot = std::make_unique<Ahead>(Ahead{read});
    Ahead& ahead = *slot;
    if (ahead.taken) return ahead;
    if (!ahead.job || !pool_->wait(*ahead.job)) ahead.made = readOnOwnConnection(catalog_, ahead.read);
    ahead.job.reset();
    ahead.taken = true;
    if (kind == Kind::OwnerColumns) indexByTable(ahead);
    return ahead;
}

void CatalogReadAhead::indexByTable(Ahead& ahead) {
    ahead.rowsByTable.clear();
    const CatalogResult& result = ahead.made.result;
    for (std::size_t row = 0; row < result.rows(); ++row)
        ahead.rowsByTable[platform::clip(platform::fromUtf8(result.value(row, 3)))].push_back(row);
}

void CatalogReadAhead::keep(platform::QueueBase& queue, Kind kind, std::string_view table, std::string_view owner,
                            const CatalogRead& read) {
    keepRead(catalog_, queue, read.rows, made(kind, table, owner, read).made);
}
