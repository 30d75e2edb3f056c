// The rules of the query builder's rows: how a condition is written as text
// and as SQL, which rows are connectors or placeholders, how the rows join
// into one condition and which rows go when a condition is deleted.
#pragma once

#include "app/odbccatalog/SqlIdentifier.h"
#include "app/odbccatalog/SqlStringLiterals.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace querybuilder {

// Column types whose values are written as numbers; every other type is quoted.
bool isNumericColumnType(std::string_view columnType);

// A column as it stands in the SQL: quoted in its own case when the quoting
// rule quotes it, otherwise upper-cased.
std::string sqlColumn(std::string_view column, const SqlIdentifierRules& names);

struct ConditionParts {
    std::string column;       // as the catalogue gives it
    std::string description;  // the operator's text
    std::string function;     // the SQL operator; no value without one
    std::string value;        // as typed
    bool isString = false;
    bool caseInsensitive = false;
};

struct RowTexts {
    std::string text;  // readable
    std::string sql;
};

RowTexts buildCondition(const ConditionParts& parts, const SqlIdentifierRules& names,
                        const SqlStringLiterals& literals);

enum class RowKind { Condition, Connector, Placeholder };
inline constexpr std::string_view kPlaceholder = "???";
RowKind rowKind(std::string_view sql);

struct ComposedRow {
    std::string sql;
    // What a condition row has been given.
    bool hasColumn = true;
    bool hasOperator = true;
};
// What the first unfinished row lacks, as the user is told; empty when every
// row is finished (a condition with its column and operator, a connector).
std::string missingInQuery(const std::vector<ComposedRow>& rows);
// Every row's SQL behind a blank; empty while a row is unfinished.
std::string composeQuery(const std::vector<ComposedRow>& rows);

// The 1-based positions to remove, highest first, when the row at `selected`
// is deleted: a condition goes with the connector before it (after it, for the
// first row); a connector alone is never deleted, nor the only condition.
std::vector<std::size_t> rowsToDelete(const std::vector<RowKind>& rows, std::size_t selected);

}  // namespace querybuilder
