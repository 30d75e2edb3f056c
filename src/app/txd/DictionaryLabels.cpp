#include "app/txd/DictionaryLabels.h"

#include "app/txd/CleanName.h"
#include "app/txd/OracleNames.h"

std::string FieldLabel(std::string_view columnName, const TxdOptions& options) {
    return CleanName(options.oracle ? oracleColumnName(columnName) : std::string(columnName));
}

std::string KeyLabel(std::string_view indexName, const TxdOptions& options) {
    return CleanName(options.oracle ? oracleName(indexName) : std::string(indexName));
}
