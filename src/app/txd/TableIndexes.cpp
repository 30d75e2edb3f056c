#include "app/txd/TableIndexes.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/CleanName.h"

#include <sql.h>

#include <algorithm>
#include <string>
#include <vector>

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

bool primaryKeyIsNamed() {
    for (std::size_t i = 1; i <= GPQ.records(); ++i)
        if (!GPQ.at(i).INDEX_NAME.empty()) return true;
    return false;
}

std::vector<std::string> primaryKeyColumns() {
    std::vector<std::pair<platform::Long, std::string>> ordered;
    for (std::size_t i = 1; i <= GPQ.records(); ++i)
        ordered.emplace_back(GPQ.at(i).ORDINALPOSITION, GPQ.at(i).COLUMNNAME.str());
    std::sort(ordered.begin(), ordered.end());
    std::vector<std::string> columns;
    for (auto& [position, name] : ordered) columns.push_back(std::move(name));
    return columns;
}

std::vector<std::string> uniqueIndexColumns(std::string_view indexName) {
    std::vector<std::string> columns;
    for (std::size_t i = 1; i <= GIQ.records(); ++i) {
        const GIQRecord& row = GIQ.at(i);
        if (row.INDEX_NAME.view() != indexName) continue;
        if (row.NON_UNIQUE != 0) return {};
        columns.push_back(row.COLUMN_NAME.str());
    }
    return columns;
}

// Drivers that give the primary key no name (PK_NAME is optional in ODBC) still
// have a unique index over its columns: that index is the primary key.
void markUnnamedPrimaryKey() {
    if (GPQ.records() == 0 || primaryKeyIsNamed()) return;
    const std::vector<std::string> keyColumns = primaryKeyColumns();
    for (std::size_t i = 1; i <= GIQ.records(); ++i) {
        const std::string indexName = GIQ.at(i).INDEX_NAME.str();
        if (uniqueIndexColumns(indexName) != keyColumns) continue;
        for (std::size_t j = 1; j <= GIQ.records(); ++j) {
            GIQ.get(j);
            if (GIQ.rec.INDEX_NAME.view() != indexName) continue;
            GIQ.rec.PRIMARYKEY = 1;
            GIQ.put();
        }
        return;
    }
}

// The statistics row of the table has neither an index nor a column name.
bool isIndexColumnRow(const GIQRecord& row) {
    return !(row.COLUMN_NAME == "0") && row.INDEX_NAME.view() != row.COLUMN_NAME.view();
}

}  // namespace

void ReadTableIndexes(std::string_view table, std::string_view owner) {
    ODBCCatalog->GetPrimaryKeys(GPQ, table, owner);
    ODBCCatalog->GetStatistics(GIQ, table, SQL_INDEX_ALL, owner);
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
    markUnnamedPrimaryKey();
}
