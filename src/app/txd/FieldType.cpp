#include "app/txd/FieldType.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using platform::Long;

// The field type text is a CSTRING(21).
constexpr std::size_t kFieldTypeWidth = 20;
// The largest VARCHAR2 the ORACLE driver takes.
constexpr Long kOracleVarcharLimit = 4001;

std::string decimalType(const ColumnType& c) {
    if (c.decimals != 0) return "PDECIMAL(" + std::to_string(c.size) + "," + std::to_string(c.decimals) + ")";
    if (c.size == 1) return "BYTE";
    if (c.size >= 2 && c.size <= 4) return "SHORT";
    if (c.size >= 5 && c.size <= 8) return "LONG";
    return "PDECIMAL(" + std::to_string(c.size) + ")";
}

std::string varcharType(const ColumnType& c, bool oracle) {
    const Long size = oracle ? std::min(c.size, kOracleVarcharLimit) : c.size;
    return "CSTRING(" + std::to_string(size + 1) + ")";
}

std::string memoType(bool oracle) { return oracle ? "CSTRING(4001)" : "STRING(63982)"; }

struct TypeRule {
    std::vector<std::string_view> names;
    std::function<std::optional<std::string>(const ColumnType&, bool oracle)> fieldType;
};

std::optional<std::string> fixed(std::string_view text) { return std::string(text); }

const std::vector<TypeRule>& typeRules() {
    static const std::vector<TypeRule> rules = {
        {{"IMAGE"}, [](const ColumnType&, bool) { return std::optional<std::string>(); }},
        {{"BIT"}, [](const ColumnType&, bool) { return fixed("BYTE"); }},
        {{"SMALLINT"}, [](const ColumnType&, bool) { return fixed("SHORT"); }},
        {{"COUNTER"}, [](const ColumnType&, bool) { return fixed("LONG"); }},
        {{"NUMERIC", "NUMBER", "MONEY", "INTEGER", "INT IDENTITY", "IDENTITY", "INT"},
         [](const ColumnType& c, bool) { return std::optional(decimalType(c)); }},
        {{"CURRENCY"}, [](const ColumnType&, bool) { return fixed("PDECIMAL(10,2)"); }},
        {{"CHARACTER", "CHAR", "NCHAR"},
         [](const ColumnType& c, bool) { return std::optional("STRING(" + std::to_string(c.size) + ")"); }},
        {{"VARCHAR", "VARCHAR2", "NVARCHAR"},
         [](const ColumnType& c, bool oracle) { return std::optional(varcharType(c, oracle)); }},
        {{"TEXT", "NTEXT", "LONGCHAR", "LONGBINARY"},
         [](const ColumnType&, bool oracle) { return std::optional(memoType(oracle)); }},
        {{"DOUBLE", "FLOAT"}, [](const ColumnType&, bool) { return fixed("SREAL"); }},
        {{"HUGE DATE"}, [](const ColumnType&, bool) { return fixed("DATE"); }},
        {{"TIMESTAMP", "DATETIME"}, [](const ColumnType&, bool) { return fixed("STRING(8)"); }},
    };
    return rules;
}

}  // namespace

std::optional<std::string> FieldTypeFor(const ColumnType& column, bool oracle) {
    const std::string key = platform::upper(platform::clip(column.name));
    for (const TypeRule& rule : typeRules()) {
        if (std::find(rule.names.begin(), rule.names.end(), key) == rule.names.end()) continue;
        std::optional<std::string> type = rule.fieldType(column, oracle);
        if (type) type->resize(std::min(type->size(), kFieldTypeWidth));
        return type;
    }
    return std::string(column.name.substr(0, kFieldTypeWidth));
}

bool isDateTimeColumn(std::string_view deliveredTypeName) {
    return deliveredTypeName == "TIMESTAMP" || deliveredTypeName == "DATETIME";
}
