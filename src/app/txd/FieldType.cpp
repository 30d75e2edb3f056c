#include "app/txd/FieldType.h"

#include <algorithm>
#include <array>
#include <charconv>
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

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<Long> number(std::string_view text) {
    text = trimmed(text);
    Long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

// A type name as some drivers report it, with the declared precision.
struct SplitTypeName {
    std::string_view name;
    std::optional<Long> precision;
    Long scale = 0;
};

std::string_view withoutTrailingBlanks(std::string_view text) {
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// "NAME(p)" or "NAME(p,s)", blanks allowed; any other text is a bare name,
// kept as delivered.
SplitTypeName splitTypeName(std::string_view delivered) {
    const std::string_view text = withoutTrailingBlanks(delivered);
    const std::size_t open = text.rfind('(');
    if (text.empty() || text.back() != ')' || open == std::string_view::npos) return {delivered};
    const std::string_view inside = text.substr(open + 1, text.size() - open - 2);
    const std::size_t comma = inside.find(',');
    const std::optional<Long> precision = number(inside.substr(0, comma));
    const std::optional<Long> scale =
        comma == std::string_view::npos ? std::optional<Long>(0) : number(inside.substr(comma + 1));
    if (!precision || !scale) return {delivered};
    return {withoutTrailingBlanks(text.substr(0, open)), precision, *scale};
}

// ODBC's data type codes of the exact integer types: SQL_BIT, SQL_TINYINT,
// SQL_SMALLINT, SQL_INTEGER and SQL_BIGINT.
constexpr std::array<Long, 5> kExactIntegerTypes = {-7, -6, 5, 4, -5};

bool isExactIntegerType(Long dataType) {
    return std::find(kExactIntegerTypes.begin(), kExactIntegerTypes.end(), dataType) != kExactIntegerTypes.end();
}

// The column as the type table reads it: the bare name, with the size and
// decimals its precision declares.
ColumnType mappedColumn(const ColumnType& column, const SplitTypeName& split) {
    ColumnType mapped = column;
    mapped.name = split.name;
    if (split.precision) {
        mapped.size = *split.precision;
        mapped.decimals = split.scale;
    }
    if (isExactIntegerType(column.dataType)) mapped.decimals = 0;
    return mapped;
}

}  // namespace

std::optional<std::string> FieldTypeFor(const ColumnType& column, bool oracle) {
    const ColumnType mapped = mappedColumn(column, splitTypeName(column.name));
    const std::string key = platform::upper(platform::clip(mapped.name));
    for (const TypeRule& rule : typeRules()) {
        if (std::find(rule.names.begin(), rule.names.end(), key) == rule.names.end()) continue;
        std::optional<std::string> type = rule.fieldType(mapped, oracle);
        if (type) type->resize(std::min(type->size(), kFieldTypeWidth));
        return type;
    }
    return std::string(column.name.substr(0, kFieldTypeWidth));
}

bool isDateTimeColumn(std::string_view deliveredTypeName) {
    const std::string_view name = splitTypeName(deliveredTypeName).name;
    return name == "TIMESTAMP" || name == "DATETIME";
}
