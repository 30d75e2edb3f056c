// The binary operators of expressions, their spellings and binding levels.
#pragma once

#include "platform/eval/Tokenizer.h"
#include "platform/eval/Value.h"

namespace platform::eval {

enum class BinaryOperator {
    Or, And,
    Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual,
    Join, Add, Subtract, Multiply, Divide, Modulo
};

// Levels from loosest (0: OR) to tightest (kBinaryLevels - 1: * / %).
constexpr int kBinaryLevels = 6;

// The operator `token` spells at `level`, or nullptr.
const BinaryOperator* binaryOperatorAt(const Token& token, int level);

Value apply(BinaryOperator op, const Value& left, const Value& right);

}  // namespace platform::eval
