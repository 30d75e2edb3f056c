#include "app/txd/CleanName.h"

#include "platform/text/Text.h"

namespace {

// The working copy of the name is a CSTRING(5000).
constexpr std::size_t kWorkingWidth = 4999;

char cleanChar(char c) {
    switch (c) {
        case '\'': return '"';
        case '/':
        case '-':
        case '$':
        case ' ':
        case ',':
        case '\\': return '_';
        default: return c;
    }
}

}  // namespace

std::string CleanName(std::string_view name) {
    std::string cleaned = platform::clip(name.substr(0, kWorkingWidth));
    for (char& c : cleaned) c = cleanChar(c);
    return cleaned;
}
