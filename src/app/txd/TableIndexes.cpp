#include "app/txd/TableIndexes.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/CleanName.h"

#include <string>

namespace {

void cleanPrimaryKeyNames() {
    for (std::size_t i = 1; i <= GPQ.records(); ++i) {
        GPQ.get(i);
        GPQ.rec.INDEX_NAME = CleanName(GPQ.rec.INDEX_NAME);
        GPQ.put();
    }
}

bool isPrimaryKeyName(std::string_view indexName) {
    if (indexName.empty()) return false;
    for (std::size_t i = 1; i <= GPQ.records(); ++i)
        if (GPQ.at(i).INDEX_NAME == indexName) return true;
    return false;
}

// SQLStatistics' TYPE of the row that describes the table rather than an index.
constexpr platform::Byte kTableStatistics = 0;

bool isIndexColumnRow(const GIQRecord& row) {
    const bool statisticsRow = row.INDEXTYPE == kTableStatistics || platform::clip(row.INDEX_NAME).empty();
    return !statisticsRow && !(row.COLUMN_NAME == "0");
}

}  // namespace

CatalogueReads ReadTableIndexes(CatalogReadAhead& catalogue, std::string_view table, std::string_view owner) {
    CatalogueReads reads;
    catalogue.GetPrimaryKeys(GPQ, table, owner);
    reads.takeLastRead();
    catalogue.GetStatistics(GIQ, table, owner);
    reads.takeLastRead();
    PrepareIndexRows();
    return reads;
}

void PrepareIndexRows() {
    cleanPrimaryKeyNames();
    for (std::size_t i = GIQ.records(); i >= 1; --i) {
        GIQ.get(i);
        if (!isIndexColumnRow(GIQ.rec)) {
            GIQ.remove();
            continue;
        }
        GIQ.rec.INDEX_NAME = CleanName(GIQ.rec.INDEX_NAME);
        GIQ.rec.PRIMARYKEY = isPrimaryKeyName(GIQ.rec.INDEX_NAME) ? 1 : 0;
        GIQ.put();
    }
}
