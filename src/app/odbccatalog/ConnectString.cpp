#include "app/odbccatalog/ConnectString.h"

#include "platform/text/Text.h"

namespace {

constexpr std::string_view kMask = "********";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The end of a value that starts at `from`: the next ';' outside braces, where
// "}}" inside braces stands for one '}'.
std::size_t valueEnd(std::string_view text, std::size_t from) {
    std::size_t at = text.find_first_not_of(' ', from);
    if (at != std::string_view::npos && text[at] == '{') {
        for (++at; at < text.size(); ++at) {
            if (text[at] != '}') continue;
            if (at + 1 < text.size() && text[at + 1] == '}') { ++at; continue; }
            break;
        }
        from = at;
    }
    const std::size_t semicolon = text.find(';', from);
    return semicolon == std::string_view::npos ? text.size() : semicolon;
}

// PWD, and the long form some drivers (PostgreSQL's among them) also take.
bool isPasswordKey(std::string_view key) {
    const std::string name = platform::upper(trimmed(key));
    return name == "PWD" || name == "PASSWORD";
}

}  // namespace

std::string maskPassword(std::string_view connectString) {
    std::string out;
    std::size_t at = 0;
    while (at < connectString.size()) {
        const std::size_t equals = connectString.find('=', at);
        const std::size_t semicolon = connectString.find(';', at);
        if (equals == std::string_view::npos || semicolon < equals) {
            const std::size_t end = semicolon == std::string_view::npos ? connectString.size() : semicolon + 1;
            out.append(connectString.substr(at, end - at));
            at = end;
            continue;
        }
        const std::string_view key = connectString.substr(at, equals - at);
        const std::size_t end = valueEnd(connectString, equals + 1);
        out.append(key).append("=");
        if (isPasswordKey(key)) out.append(kMask);
        else out.append(connectString.substr(equals + 1, end - equals - 1));
        if (end < connectString.size()) out.append(";");
        at = end + 1;
    }
    return out;
}
