// The labels that fields and keys get in their FILE block, for the lines
// that refer to them from elsewhere in the dictionary.
#pragma once

#include "app/txd/TxdOptions.h"
#include "app/txd/UniqueLabels.h"

#include <map>
#include <string>
#include <string_view>

// The labels of one FILE block: a field is labelled after its column's name
// (under ORACLE after the column's renaming), a key after its index's name
// (under ORACLE upper-cased and cut). Fields and keys share the file's
// prefix, so all of them are unique within the block: a field keeps its label
// before a later field, and every field before a key.
class TableLabels {
public:
    explicit TableLabels(TxdOptions options) : options_(std::move(options)) {}

    // The field of the column (by its name as the catalogue gives it).
    std::string addField(std::string_view columnName);
    // A further label of the block (the parts of a date-and-time group).
    std::string addLabel(std::string_view label) { return labels_.take(label); }
    // The key of the index (by its cleaned name).
    std::string addKey(std::string_view indexName);

    // The label the column's field or the index's key got; for one the block
    // does not hold, the label it would get alone.
    std::string field(std::string_view columnName) const;
    std::string key(std::string_view indexName) const;

private:
    TxdOptions options_;
    UniqueLabels labels_;
    std::map<std::string, std::string, std::less<>> fields_;
    std::map<std::string, std::string, std::less<>> keys_;
};
