#include "platform/eval/Evaluate.h"

#include "platform/eval/Parser.h"
#include "platform/eval/Tokenizer.h"
#include "platform/system/Errors.h"
#include "platform/text/Text.h"

namespace platform {

std::string EVALUATE(std::string_view text) {
    try {
        eval::Parser parser(eval::tokenize(text));
        const eval::Value result = parser.parse();
        if (parser.metUnknownName()) {
            setError(kUnknownFunctionLabel);
            return {};
        }
        clearError();
        return result.asText();
    } catch (const eval::BadExpression&) {
        setError(kInvalidExpression);
        return {};
    }
}

std::string textLiteral(std::string_view text) {
    std::string literal = "'";
    for (const char c : text) {
        literal += c;
        if (c == '\'') literal += c;
    }
    return literal + "'";
}

bool isPlainNumber(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    bool digits = false;
    bool point = false;
    for (const char c : text) {
        if (isDigit(c)) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

}  // namespace platform
