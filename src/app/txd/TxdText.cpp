#include "app/txd/TxdText.h"

namespace {

// Characters that open something inside a string literal: a quote ends it,
// "<" starts a character code, "{" a repeat count. Doubled, each stands for
// itself.
bool isLiteralSpecial(char c) { return c == '\'' || c == '<' || c == '{'; }

}  // namespace

std::string quoted(std::string_view text) {
    std::string literal = "'";
    for (char c : text) {
        literal.push_back(c);
        if (isLiteralSpecial(c)) literal.push_back(c);
    }
    return literal + "'";
}

std::string nameAttribute(const TxdOptions& options, std::string_view externalName) {
    if (!options.writeExternalNames) return {};
    return ",NAME(" + quoted(platform::clip(externalName)) + ")";
}

std::string identLine(platform::Long number, std::string_view rest) {
    return "!!> IDENT(" + std::to_string(number) + ")" + std::string(rest);
}
