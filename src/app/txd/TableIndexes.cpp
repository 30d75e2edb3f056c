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

// The statistics row of the table has neither an index nor a column name.
bool isIndexColumnRow(const GIQRecord& row) {
    return !(row.COLUMN_NAME == "0") && row.INDEX_NAME.view() != row.COLUMN_NAME.view();
}

}  // namespace

void ReadTableIndexes(std::string_view table, std::string_view owner) {
    ODBCCatalog->GetPrimaryKeys(GPQ, table, owner);
    ODBCCatalog->GetStatistics(GIQ, table, kAllIndexes, owner);
    PrepareIndexRows();
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
