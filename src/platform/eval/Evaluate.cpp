#include "platform/eval/Evaluate.h"

#include "platform/eval/Parser.h"
#include "platform/eval/Tokenizer.h"
#include "platform/system/Errors.h"

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

}  // namespace platform
