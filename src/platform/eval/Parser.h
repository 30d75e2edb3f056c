// Reads the tokens of one expression and evaluates it as it goes: there are
// no side effects, so nothing needs to be built first.
#pragma once

#include "platform/eval/Tokenizer.h"
#include "platform/eval/Value.h"

#include <string>
#include <vector>

namespace platform::eval {

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    // The value of the whole text. Throws BadExpression when the tokens do not
    // form one expression. An unknown name is read on (so later syntax errors
    // still count) and gives an empty text.
    Value parse();

    bool metUnknownName() const { return unknownName_; }

private:
    Value binary(int level);
    Value unary();
    Value primary();
    Value call(const std::string& name);

    const Token& peek() const { return tokens_[at_]; }
    bool takeSymbol(std::string_view symbol);
    void expectSymbol(std::string_view symbol);

    std::vector<Token> tokens_;
    std::size_t at_ = 0;
    int depth_ = 0;
    bool unknownName_ = false;
};

}  // namespace platform::eval
