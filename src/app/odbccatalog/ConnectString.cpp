#include "app/odbccatalog/ConnectString.h"

#include "platform/odbc/ConnectString.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::string_view kMask = "********";
constexpr std::string_view kPasswordKeys[] = {"PASSWORD", "PWD"};

bool isNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool startsWithIgnoringCase(std::string_view text, std::string_view upperKey) {
    if (text.size() < upperKey.size()) return false;
    for (std::size_t i = 0; i < upperKey.size(); ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
        if (c != upperKey[i]) return false;
    }
    return true;
}

// Where the value of a password key standing at `at` starts (after its "="
// and the blanks after it), or npos when no password key stands there.
std::size_t passwordValueStart(std::string_view text, std::size_t at) {
    if (at > 0 && isNameCharacter(text[at - 1])) return std::string_view::npos;
    for (const std::string_view key : kPasswordKeys) {
        if (!startsWithIgnoringCase(text.substr(at), key)) continue;
        const std::size_t equals = text.find_first_not_of(' ', at + key.size());
        if (equals != std::string_view::npos && text[equals] == '=')
            return std::min(text.find_first_not_of(' ', equals + 1), text.size());
    }
    return std::string_view::npos;
}

// Calls `take(start, end)` for the value of every password key in the text.
template <class Take>
void forEachPasswordValue(std::string_view text, Take take) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = passwordValueStart(text, at);
        if (start == std::string_view::npos) {
            ++at;
            continue;
        }
        const std::size_t end = take(start, platform::connectValueEnd(text, start));
        at = std::max(end, start);
    }
}

// The passwords of the connect string as they stand in it, longest first.
std::vector<std::string_view> passwordValues(std::string_view connectString) {
    std::vector<std::string_view> values;
    forEachPasswordValue(connectString, [&](std::size_t start, std::size_t end) {
        if (end > start) values.push_back(connectString.substr(start, end - start));
        return end;
    });
    std::sort(values.begin(), values.end(), [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
    return values;
}

// Where a value that runs to `end` at most is taken to end: where a known
// password that it starts with ends, so that what a message writes after a
// quoted value stays.
std::size_t knownValueEnd(std::string_view text, std::size_t start, std::size_t end,
                          const std::vector<std::string_view>& known) {
    const std::string_view value = text.substr(start, end - start);
    for (const std::string_view password : known)
        if (value.substr(0, password.size()) == password) return start + password.size();
    return end;
}

}  // namespace

std::string maskPasswords(std::string_view text, std::string_view connectString) {
    const std::vector<std::string_view> known = passwordValues(connectString);
    std::string masked;
    std::size_t copied = 0;
    forEachPasswordValue(text, [&](std::size_t start, std::size_t end) {
        const bool braced = start < end && text[start] == '{';
        if (!braced) end = knownValueEnd(text, start, end, known);
        masked.append(text.substr(copied, start - copied)).append(kMask);
        copied = end;
        return end;
    });
    return masked.append(text.substr(copied));
}

std::string maskPassword(std::string_view connectString) { return maskPasswords(connectString, connectString); }
