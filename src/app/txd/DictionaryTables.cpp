#include "app/txd/DictionaryTables.h"

#include "platform/text/Text.h"

void DictionaryTables::add(std::string label, TxdTable table, TableLabels labels) {
    tables_.push_back({std::move(label), std::move(table), std::move(labels)});
}

const DictionaryTable* DictionaryTables::find(std::string_view catalogueName, std::string_view owner) const {
    const std::string name = platform::clip(catalogueName);
    const std::string schema = platform::clip(owner);
    for (const DictionaryTable& written : tables_)
        if (written.table.catalogueName == name && (schema.empty() || written.table.owner == schema)) return &written;
    return nullptr;
}
