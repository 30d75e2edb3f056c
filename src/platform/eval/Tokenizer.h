// Splits expression text into tokens.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::eval {

// Thrown when the text is not an expression.
struct BadExpression {};

enum class TokenKind { Number, Text, Name, Symbol, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;   // the text literal's content; a name upper-cased; a symbol as written
    double number = 0;  // a number literal's value
};

// The tokens of `text`, ending with an End token. Throws BadExpression on a
// text literal without its closing quote or a character no token starts with.
std::vector<Token> tokenize(std::string_view text);

}  // namespace platform::eval
