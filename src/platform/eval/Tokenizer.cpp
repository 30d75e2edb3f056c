#include "platform/eval/Tokenizer.h"

#include "platform/text/Text.h"

#include <array>

namespace platform::eval {
namespace {

// Longest spellings first, so "<=" is not read as "<" then "=".
constexpr std::array<std::string_view, 21> kSymbols = {
    "<>", "<=", ">=", "=<", "=>", "~=", "~<", "~>", "=", "<", ">",
    "~",  "+",  "-",  "*",  "/",  "%",  "&",  "(",  ")", ","};

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isNameChar(char c) { return isLetter(c) || isDigit(c) || c == ':'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int hexDigit(char c) {
    if (isDigit(c)) return c - '0';
    const char u = upperChar(c);
    return u >= 'A' && u <= 'F' ? u - 'A' + 10 : -1;
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    std::vector<Token> tokens() {
        std::vector<Token> out;
        while (skipBlanks()) out.push_back(next());
        out.push_back(Token{});
        return out;
    }

private:
    bool skipBlanks() {
        while (at_ < text_.size() && isBlank(text_[at_])) ++at_;
        return at_ < text_.size();
    }

    char peek(std::size_t ahead = 0) const {
        return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0';
    }

    Token next() {
        const char c = peek();
        if (c == '\'') return textLiteral();
        if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return numberLiteral();
        if (isLetter(c)) return name();
        for (std::string_view symbol : kSymbols) {
            if (text_.substr(at_, symbol.size()) == symbol) {
                at_ += symbol.size();
                return {TokenKind::Symbol, std::string(symbol)};
            }
        }
        throw BadExpression{};
    }

    Token textLiteral() {
        std::string content;
        for (++at_; at_ < text_.size(); ++at_) {
            if (text_[at_] != '\'') {
                content += text_[at_];
            } else if (peek(1) == '\'') {
                content += '\'';
                ++at_;
            } else {
                ++at_;
                return {TokenKind::Text, std::move(content)};
            }
        }
        throw BadExpression{};
    }

    Token numberLiteral() {
        if (Token hex; hexLiteral(hex)) return hex;
        const std::size_t start = at_;
        while (isDigit(peek())) ++at_;
        if (peek() == '.') {
            ++at_;
            while (isDigit(peek())) ++at_;
        }
        return {TokenKind::Number, {}, leadingNumber(text_.substr(start, at_ - start))};
    }

    // Hex digits closed by H or h that no other name character follows.
    bool hexLiteral(Token& token) {
        std::size_t end = at_;
        double value = 0;
        for (; end < text_.size() && hexDigit(text_[end]) >= 0; ++end) value = value * 16 + hexDigit(text_[end]);
        if (end >= text_.size() || upperChar(text_[end]) != 'H') return false;
        if (end + 1 < text_.size() && isNameChar(text_[end + 1])) return false;
        at_ = end + 1;
        token = {TokenKind::Number, {}, value};
        return true;
    }

    Token name() {
        const std::size_t start = at_;
        while (isNameChar(peek())) ++at_;
        return {TokenKind::Name, upper(text_.substr(start, at_ - start))};
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

std::vector<Token> tokenize(std::string_view text) { return Scanner(text).tokens(); }

}  // namespace platform::eval
