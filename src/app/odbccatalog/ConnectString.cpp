#include "app/odbccatalog/ConnectString.h"

#include "platform/text/Text.h"

#include <algorithm>
#include <vector>

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

// Where the attribute named `key` (upper case) starts its value at `at` in the
// upper-cased connect string: the position after its "=", or npos.
std::size_t valueStart(std::string_view upperText, std::string_view key, std::size_t at) {
    if (at > 0 && upperText[at - 1] != ';' && upperText[at - 1] != '{' && upperText[at - 1] != ' ')
        return std::string_view::npos;
    const std::size_t equals = upperText.find_first_not_of(' ', at + key.size());
    return equals != std::string_view::npos && upperText[equals] == '=' ? equals + 1 : std::string_view::npos;
}

std::vector<std::string> passwordValues(std::string_view connectString) {
    const std::string upperText = platform::upper(connectString);
    std::vector<std::string> values;
    for (const std::string_view key : {"PWD", "PASSWORD"}) {
        for (std::size_t at = upperText.find(key); at != std::string::npos; at = upperText.find(key, at + 1)) {
            const std::size_t start = valueStart(upperText, key, at);
            if (start == std::string_view::npos) continue;
            std::string_view value = trimmed(connectString.substr(start, valueEnd(connectString, start) - start));
            if (!value.empty() && value.front() == '{') {
                // An unclosed brace runs to the end; its value stops at the next ';' all the same.
                const bool closed = value.size() >= 2 && value.back() == '}';
                value = closed ? value.substr(1, value.size() - 2) : value.substr(1, value.find(';') - 1);
            }
            if (!value.empty()) values.emplace_back(value);
        }
    }
    // The longest first, so that a password inside another is not left half shown.
    std::sort(values.begin(), values.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return values;
}

}  // namespace

std::string maskPasswords(std::string_view text, std::string_view connectString) {
    std::string masked(text);
    for (const std::string& password : passwordValues(connectString))
        for (std::size_t at = masked.find(password); at != std::string::npos; at = masked.find(password, at + kMask.size()))
            masked.replace(at, password.size(), kMask);
    return masked;
}

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
