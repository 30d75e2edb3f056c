#include "app/txd/DictionaryLabels.h"

#include "app/txd/CleanName.h"
#include "app/txd/OracleNames.h"

namespace {

std::string FieldLabel(std::string_view columnName, const TxdOptions& options) {
    return CleanName(options.oracle ? oracleColumnName(columnName) : std::string(columnName));
}

std::string KeyLabel(std::string_view indexName, const TxdOptions& options) {
    return CleanName(options.oracle ? oracleName(indexName) : std::string(indexName));
}

// The first label given under a name stays the one other lines use.
std::string remembered(std::map<std::string, std::string, std::less<>>& labels, std::string_view name,
                       std::string label) {
    labels.emplace(std::string(name), label);
    return label;
}

std::string lookedUp(const std::map<std::string, std::string, std::less<>>& labels, std::string_view name,
                     std::string alone) {
    const auto found = labels.find(name);
    return found == labels.end() ? alone : found->second;
}

}  // namespace

std::string TableLabels::addField(std::string_view columnName) {
    return remembered(fields_, columnName, labels_.take(FieldLabel(columnName, options_)));
}

std::string TableLabels::addKey(std::string_view indexName) {
    return remembered(keys_, indexName, labels_.take(KeyLabel(indexName, options_)));
}

std::string TableLabels::field(std::string_view columnName) const {
    return lookedUp(fields_, columnName, FieldLabel(columnName, options_));
}

std::string TableLabels::key(std::string_view indexName) const {
    return lookedUp(keys_, indexName, KeyLabel(indexName, options_));
}
