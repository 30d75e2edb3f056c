#include "app/txd/CleanName.h"

#include "platform/text/Text.h"

namespace {

// The working copy of the name is a CSTRING(5000).
constexpr std::size_t kWorkingWidth = 4999;

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool isLabelChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || isAsciiDigit(c) || c == '_';
}

}  // namespace

std::string CleanName(std::string_view name) {
    // Covers the separators ("/", "'", "-", "$", blank, ",", "\") as well.
    std::string cleaned = platform::clip(name.substr(0, kWorkingWidth));
    for (char& c : cleaned)
        if (!isLabelChar(c)) c = '_';
    if (!cleaned.empty() && isAsciiDigit(cleaned.front())) cleaned.insert(cleaned.begin(), '_');
    cleaned.resize(std::min(cleaned.size(), kWorkingWidth));
    return cleaned;
}
