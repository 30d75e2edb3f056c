#include "app/querybuilder/Condition.h"

#include "platform/text/Text.h"

#include <algorithm>
#include <array>

using platform::clip;
using platform::upper;

namespace querybuilder {
namespace {

bool testsForNull(const ConditionParts& parts) {
    const std::string function = upper(parts.function);
    return (function == "IS" || function == "IS NOT") && upper(parts.value) == "NULL";
}

}  // namespace

bool isNumericColumnType(std::string_view columnType) {
    static constexpr std::array<std::string_view, 9> numeric = {"BIT",    "SMALLINT", "COUNTER", "NUMERIC", "NUMBER",
                                                                "INTEGER", "CURRENCY", "DOUBLE",  "FLOAT"};
    const std::string type = upper(clip(columnType));
    return std::find(numeric.begin(), numeric.end(), type) != numeric.end();
}

std::string sqlColumn(std::string_view column, const SqlIdentifierRules& names) {
    const std::string written = names.name(column);
    return written == column ? upper(column) : written;
}

RowTexts buildCondition(const ConditionParts& parts, const SqlIdentifierRules& names,
                        const SqlStringLiterals& literals) {
    const std::string column = sqlColumn(parts.column, names);
    const std::string value = parts.function.empty() ? std::string() : clip(parts.value);
    const std::string head = parts.column + " " + parts.description;
    const std::string function = " " + parts.function + " ";
    if (testsForNull({.function = parts.function, .value = value}))
        return {head + " NULL", column + function + "NULL"};
    if (!parts.isString) {
        const std::string number = platform::numberText(platform::leadingNumber(value));
        return {head + " " + number, column + function + number};
    }
    if (parts.caseInsensitive)
        return {head + " case insensitive '" + value + "'",
                "UPPER(" + column + ")" + function + "UPPER(" + literals.literal(value) + ")"};
    return {head + " '" + value + "'", column + function + literals.literal(value)};
}

RowKind rowKind(std::string_view sql) {
    const std::string text = upper(clip(sql));
    if (text == "AND" || text == "OR") return RowKind::Connector;
    return text == kPlaceholder ? RowKind::Placeholder : RowKind::Condition;
}

std::string missingInQuery(const std::vector<ComposedRow>& rows) {
    for (const ComposedRow& row : rows) {
        const RowKind kind = rowKind(row.sql);
        if (kind == RowKind::Placeholder)
            return "The condition after AND / OR is still empty: choose its column, operator and value.";
        if (kind == RowKind::Connector) continue;
        if (!row.hasColumn) return "A condition has no column yet: choose one in the list of columns.";
        if (!row.hasOperator) return "A condition has no operator yet: choose one in the list of operators.";
    }
    return {};
}

std::string composeQuery(const std::vector<ComposedRow>& rows) {
    if (!missingInQuery(rows).empty()) return {};
    std::string query;
    for (const ComposedRow& row : rows) query += " " + row.sql;
    return query;
}

std::vector<std::size_t> rowsToDelete(const std::vector<RowKind>& rows, std::size_t selected) {
    if (selected < 1 || selected > rows.size() || rows[selected - 1] == RowKind::Connector) return {};
    if (selected > 1 && rows[selected - 2] == RowKind::Connector) return {selected, selected - 1};
    if (selected < rows.size() && rows[selected] == RowKind::Connector) return {selected + 1, selected};
    return {};
}

}  // namespace querybuilder
