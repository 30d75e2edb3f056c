#include "app/txd/FieldType.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <vector>

namespace {

using platform::Long;

// The largest VARCHAR2 the ORACLE driver takes.
constexpr Long kOracleVarcharLimit = 4001;
// A packed decimal holds at most 31 digits.
constexpr Long kMostPackedDigits = 31;

// ODBC's SQL data type codes, as the catalogue reports them (ODBC 3 and the
// date and time codes of ODBC 2).
namespace sqltype {
constexpr Long Char = 1, Numeric = 2, Decimal = 3, Integer = 4, SmallInt = 5, Float = 6, Real = 7, Double = 8,
               Date = 9, Time = 10, Timestamp = 11, VarChar = 12, TypeDate = 91, TypeTime = 92, TypeTimestamp = 93,
               LongVarChar = -1, Binary = -2, VarBinary = -3, LongVarBinary = -4, BigInt = -5, TinyInt = -6,
               Bit = -7, WChar = -8, WVarChar = -9, WLongVarChar = -10, Guid = -11;
}  // namespace sqltype

// The column as the rules read it: its bare type name (precision aside),
// upper-cased in `key`, and the size and decimals that apply.
struct Column {
    std::string key;
    std::string_view bareName;
    Long size = 0;
    Long decimals = 0;
    Long dataType = 0;
    bool oracle = false;
};

using Rule = std::function<std::optional<TxdFieldType>(const Column&)>;

std::optional<TxdFieldType> typed(std::string text, bool dateTimeGroup = false) {
    return TxdFieldType{std::move(text), dateTimeGroup};
}

std::string withSize(std::string_view type, long long size) {
    return std::string(type) + "(" + std::to_string(size) + ")";
}

std::string packedDecimal(Long size, Long decimals) {
    const Long digits = size <= 0 ? kMostPackedDigits : std::min(size, kMostPackedDigits);
    const Long places = std::clamp<Long>(decimals, 0, digits);
    if (places == 0) return withSize("PDECIMAL", digits);
    return "PDECIMAL(" + std::to_string(digits) + "," + std::to_string(places) + ")";
}

std::optional<TxdFieldType> numericType(const Column& c) {
    const Long decimals = std::max<Long>(c.decimals, 0);
    if (decimals == 0 && c.size == 1) return typed("BYTE");
    if (decimals == 0 && c.size >= 2 && c.size <= 4) return typed("SHORT");
    if (decimals == 0 && c.size >= 5 && c.size <= 8) return typed("LONG");
    return typed(packedDecimal(c.size, decimals));
}

std::optional<TxdFieldType> memoType(const Column& c) { return typed(c.oracle ? "CSTRING(4001)" : "STRING(63982)"); }

// Text or bytes of a fixed size; without a size, long text.
std::optional<TxdFieldType> fixedType(const Column& c) {
    return c.size > 0 ? typed(withSize("STRING", c.size)) : memoType(c);
}

std::optional<TxdFieldType> varcharType(const Column& c) {
    if (c.size <= 0) return memoType(c);
    const Long size = c.oracle ? std::min(c.size, kOracleVarcharLimit) : c.size;
    return typed(withSize("CSTRING", static_cast<long long>(size) + 1));
}

// Only the capitalised names the catalogue delivers get the group.
std::optional<TxdFieldType> namedDateTimeType(const Column& c) {
    return typed("STRING(8)", c.bareName == "TIMESTAMP" || c.bareName == "DATETIME");
}

// An exact integer by the range of its `bits`; unsigned when its type name
// says so. A 64-bit integer needs more digits than any binary field holds.
Rule integerType(int bits) {
    return [bits](const Column& c) {
        const bool isUnsigned = c.key.find("UNSIGNED") != std::string::npos;
        switch (bits) {
            case 8: return typed(isUnsigned ? "BYTE" : "SHORT");
            case 16: return typed(isUnsigned ? "USHORT" : "SHORT");
            // Up to 9 digits (an unsigned MEDIUMINT) a LONG holds them.
            case 32: return typed(isUnsigned && !(c.size > 0 && c.size <= 9) ? "ULONG" : "LONG");
            default: return typed(withSize("PDECIMAL", isUnsigned ? 20 : 19));
        }
    };
}

Rule fixed(const char* text) {
    return [text](const Column&) { return typed(text); };
}

template <class Key>
struct TypeRule {
    std::vector<Key> keys;
    Rule fieldType;
};

const std::vector<TypeRule<std::string_view>>& nameRules() {
    static const std::vector<TypeRule<std::string_view>> rules = {
        {{"IMAGE"}, [](const Column&) { return std::optional<TxdFieldType>(); }},
        {{"BIT"}, fixed("BYTE")},
        {{"SMALLINT"}, fixed("SHORT")},
        {{"COUNTER"}, fixed("LONG")},
        {{"NUMERIC", "DECIMAL", "NUMBER", "MONEY", "INTEGER", "INT IDENTITY", "IDENTITY", "INT"}, numericType},
        {{"CURRENCY"}, fixed("PDECIMAL(10,2)")},
        {{"CHARACTER", "CHAR", "NCHAR"}, fixedType},
        {{"VARCHAR", "VARCHAR2", "NVARCHAR"}, varcharType},
        {{"TEXT", "NTEXT", "LONGCHAR", "LONGBINARY"}, memoType},
        {{"DOUBLE", "FLOAT"}, fixed("SREAL")},
        {{"HUGE DATE"}, fixed("DATE")},
        {{"TIMESTAMP", "DATETIME"}, namedDateTimeType},
        // However a driver reports its data type: PostgreSQL's and MariaDB's.
        {{"UUID"}, fixed("STRING(36)")},
    };
    return rules;
}

// For the names the table above does not know.
const std::vector<TypeRule<Long>>& dataTypeRules() {
    using namespace sqltype;
    static const std::vector<TypeRule<Long>> rules = {
        {{Bit}, fixed("BYTE")},
        {{TinyInt}, integerType(8)},
        {{SmallInt}, integerType(16)},
        {{Integer}, integerType(32)},
        {{BigInt}, integerType(64)},
        {{Decimal, Numeric}, numericType},
        {{Real}, fixed("SREAL")},
        {{Float, Double}, fixed("REAL")},
        {{Char, WChar, Binary, VarBinary}, fixedType},
        {{VarChar, WVarChar}, varcharType},
        {{LongVarChar, WLongVarChar, LongVarBinary}, memoType},
        {{TypeDate, Date}, fixed("DATE")},
        {{TypeTime, Time}, fixed("TIME")},
        {{TypeTimestamp, Timestamp}, [](const Column&) { return typed("STRING(8)", true); }},
        {{Guid}, fixed("STRING(36)")},
    };
    return rules;
}

template <class Key>
const TypeRule<Key>* ruleFor(const std::vector<TypeRule<Key>>& rules, const Key& key) {
    for (const TypeRule<Key>& rule : rules)
        if (std::find(rule.keys.begin(), rule.keys.end(), key) != rule.keys.end()) return &rule;
    return nullptr;
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

bool isExactIntegerType(Long dataType) {
    using namespace sqltype;
    return dataType == Bit || dataType == TinyInt || dataType == SmallInt || dataType == Integer ||
           dataType == BigInt;
}

// The column as the rules read it: the bare name, with the size and decimals
// its precision declares.
Column ruleColumn(const ColumnType& column, bool oracle) {
    const SplitTypeName split = splitTypeName(column.name);
    Column c{platform::upper(platform::clip(split.name)), split.name, column.size, column.decimals, column.dataType,
             oracle};
    if (split.precision) {
        c.size = *split.precision;
        c.decimals = split.scale;
    }
    if (isExactIntegerType(column.dataType)) c.decimals = 0;
    return c;
}

}  // namespace

std::optional<TxdFieldType> FieldTypeFor(const ColumnType& column, bool oracle) {
    const Column c = ruleColumn(column, oracle);
    if (const auto* rule = ruleFor(nameRules(), std::string_view(c.key))) return rule->fieldType(c);
    if (const auto* rule = ruleFor(dataTypeRules(), c.dataType)) return rule->fieldType(c);
    // A data type ODBC does not name (a driver's own): its text, as long as it is.
    return fixedType(c);
}
