#include "platform/eval/Parser.h"

#include "platform/eval/Functions.h"
#include "platform/eval/Operators.h"

namespace platform::eval {
namespace {

// Brackets, signs and calls nest no deeper than this, so that a hostile text
// cannot exhaust a fiber's stack.
constexpr int kMaxDepth = 64;

bool isNot(const Token& t) {
    return (t.kind == TokenKind::Name && t.text == "NOT") || (t.kind == TokenKind::Symbol && t.text == "~");
}

bool isKeyword(const std::string& name) { return name == "AND" || name == "OR" || name == "NOT"; }

}  // namespace

Value Parser::parse() {
    Value result = binary(0);
    if (peek().kind != TokenKind::End) throw BadExpression{};
    return result;
}

bool Parser::takeSymbol(std::string_view symbol) {
    if (peek().kind != TokenKind::Symbol || peek().text != symbol) return false;
    ++at_;
    return true;
}

void Parser::expectSymbol(std::string_view symbol) {
    if (!takeSymbol(symbol)) throw BadExpression{};
}

Value Parser::binary(int level) {
    if (level == kBinaryLevels) return unary();
    Value left = binary(level + 1);
    while (const BinaryOperator* op = binaryOperatorAt(peek(), level)) {
        ++at_;
        left = apply(*op, left, binary(level + 1));
    }
    return left;
}

Value Parser::unary() {
    if (++depth_ > kMaxDepth) throw BadExpression{};
    Value result;
    if (takeSymbol("-")) {
        result = Value::number(-unary().asNumber());
    } else if (isNot(peek())) {
        ++at_;
        result = Value::truth(!unary().isTrue());
    } else {
        result = primary();
    }
    --depth_;
    return result;
}

Value Parser::primary() {
    const Token token = peek();
    ++at_;
    switch (token.kind) {
        case TokenKind::Number: return Value::number(token.number);
        case TokenKind::Text: return Value::text(token.text);
        case TokenKind::Name:
            if (isKeyword(token.text)) break;
            if (takeSymbol("(")) return call(token.text);
            unknownName_ = true;
            return Value::text({});
        case TokenKind::Symbol:
            if (token.text != "(") break;
            {
                Value inner = binary(0);
                expectSymbol(")");
                return inner;
            }
        case TokenKind::End: break;
    }
    throw BadExpression{};
}

// After the opening bracket: the arguments, the closing bracket, the result.
Value Parser::call(const std::string& name) {
    std::vector<Value> arguments;
    if (!takeSymbol(")")) {
        do arguments.push_back(binary(0));
        while (takeSymbol(","));
        expectSymbol(")");
    }
    const Function* function = findFunction(name);
    if (!function) {
        unknownName_ = true;
        return Value::text({});
    }
    if (arguments.size() < function->minArguments || arguments.size() > function->maxArguments)
        throw BadExpression{};
    return function->call(arguments);
}

}  // namespace platform::eval
