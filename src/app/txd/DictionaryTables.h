// The tables that got a FILE block, in the order they were written, each with
// the labels and prefix its block uses. The relations name tables, fields and
// keys only through these, so that every relation line matches a FILE block.
#pragma once

#include "app/txd/DictionaryLabels.h"
#include "app/txd/TxdTable.h"

#include <string>
#include <string_view>
#include <vector>

struct DictionaryTable {
    std::string label;
    TxdTable table;
    TableLabels labels;  // of its fields and keys
};

class DictionaryTables {
public:
    void add(std::string label, TxdTable table, TableLabels labels);
    // The table the catalogue knows by `catalogueName` (trailing blanks
    // ignored) in the schema `owner`; in any schema when no owner is given.
    // None when the dictionary has no block for it.
    const DictionaryTable* find(std::string_view catalogueName, std::string_view owner) const;
    const std::vector<DictionaryTable>& all() const { return tables_; }

private:
    std::vector<DictionaryTable> tables_;
};
