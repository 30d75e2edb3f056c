#include "platform/odbc/ConnectString.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::size_t connectValueEnd(std::string_view text, std::size_t from) {
    std::size_t at = text.find_first_not_of(kBlanks, from);
    if (at == std::string_view::npos || text[at] != '{') return std::min(text.find(';', from), text.size());
    for (++at; at < text.size(); ++at) {
        if (text[at] != '}') continue;
        if (at + 1 < text.size() && text[at + 1] == '}') {
            ++at;
            continue;
        }
        return at + 1;
    }
    return text.size();
}

std::string connectValue(std::string_view value) {
    if (value.find_first_of(";{}") == std::string_view::npos) return std::string(value);
    std::string braced = "{";
    for (const char c : value) {
        braced += c;
        if (c == '}') braced += c;
    }
    return braced + "}";
}

std::string driverConnectString(std::string_view connectString) {
    std::string out;
    std::size_t at = 0;
    while (at < connectString.size()) {
        const std::size_t equals = connectString.find_first_of("=;", at);
        if (equals == std::string_view::npos || connectString[equals] == ';') {
            // A piece without a value stays as it is, but for its blanks.
            const std::size_t end = std::min(equals, connectString.size());
            out += trimmed(connectString.substr(at, end - at));
            if (end < connectString.size()) out += ';';
            at = end + 1;
            continue;
        }
        // What follows a closing brace up to the ";" stays with the value.
        const std::size_t valueEnd = connectValueEnd(connectString, equals + 1);
        const std::size_t end = std::min(connectString.find(';', valueEnd), connectString.size());
        out += trimmed(connectString.substr(at, equals - at));
        out += connectString.substr(equals, end - equals);
        if (end < connectString.size()) out += ';';
        at = end + 1;
    }
    return out;
}

}  // namespace platform
