#include "platform/eval/Operators.h"

#include "platform/text/Text.h"

#include <cmath>
#include <string_view>

namespace platform::eval {
namespace {

struct Spelling {
    std::string_view text;
    TokenKind kind;
    int level;
    BinaryOperator op;
};

using enum BinaryOperator;
constexpr Spelling kSpellings[] = {
    {"OR", TokenKind::Name, 0, Or},
    {"AND", TokenKind::Name, 1, And},
    {"=", TokenKind::Symbol, 2, Equal},
    {"<>", TokenKind::Symbol, 2, NotEqual},
    {"~=", TokenKind::Symbol, 2, NotEqual},
    {"<", TokenKind::Symbol, 2, Less},
    {"~>", TokenKind::Symbol, 2, LessOrEqual},
    {">", TokenKind::Symbol, 2, Greater},
    {"~<", TokenKind::Symbol, 2, GreaterOrEqual},
    {"<=", TokenKind::Symbol, 2, LessOrEqual},
    {"=<", TokenKind::Symbol, 2, LessOrEqual},
    {">=", TokenKind::Symbol, 2, GreaterOrEqual},
    {"=>", TokenKind::Symbol, 2, GreaterOrEqual},
    {"&", TokenKind::Symbol, 3, Join},
    {"+", TokenKind::Symbol, 4, Add},
    {"-", TokenKind::Symbol, 4, Subtract},
    {"*", TokenKind::Symbol, 5, Multiply},
    {"/", TokenKind::Symbol, 5, Divide},
    {"%", TokenKind::Symbol, 5, Modulo},
};

// Numbers when either side is one; else texts by their bytes without
// trailing blanks (string_view compares chars as unsigned bytes).
int compare(const Value& left, const Value& right) {
    if (left.isNumber() || right.isNumber()) {
        const double a = left.asNumber();
        const double b = right.asNumber();
        return a < b ? -1 : a > b ? 1 : 0;
    }
    const int order = std::string_view(clip(left.asText())).compare(clip(right.asText()));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

double arithmetic(BinaryOperator op, double a, double b) {
    switch (op) {
        case Add: return a + b;
        case Subtract: return a - b;
        case Multiply: return a * b;
        case Divide: return b == 0 ? 0 : a / b;
        default: return b == 0 ? 0 : std::fmod(a, b);
    }
}

}  // namespace

const BinaryOperator* binaryOperatorAt(const Token& token, int level) {
    for (const Spelling& s : kSpellings) {
        if (s.level == level && s.kind == token.kind && s.text == token.text) return &s.op;
    }
    return nullptr;
}

Value apply(BinaryOperator op, const Value& left, const Value& right) {
    switch (op) {
        case Or: return Value::truth(left.isTrue() || right.isTrue());
        case And: return Value::truth(left.isTrue() && right.isTrue());
        case Equal: return Value::truth(compare(left, right) == 0);
        case NotEqual: return Value::truth(compare(left, right) != 0);
        case Less: return Value::truth(compare(left, right) < 0);
        case Greater: return Value::truth(compare(left, right) > 0);
        case LessOrEqual: return Value::truth(compare(left, right) <= 0);
        case GreaterOrEqual: return Value::truth(compare(left, right) >= 0);
        case Join: return Value::text(left.asText() + right.asText());
        default: return Value::number(held(arithmetic(op, left.asNumber(), right.asNumber())));
    }
}

}  // namespace platform::eval
