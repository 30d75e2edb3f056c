#include "app/connection/BuildConnectString.h"

#include "platform/odbc/ConnectString.h"
#include "platform/text/Text.h"

#include <algorithm>

using platform::clip;

std::string buildConnectString(std::string_view dsn, std::string_view username, std::string_view password) {
    std::string text = "DSN=" + clip(dsn);
    const std::string user = clip(username);
    if (user.empty()) return text;
    text += "; UID=" + platform::connectValue(user);
    const std::string pwd = clip(password);
    if (!pwd.empty()) text += "; PWD=" + platform::connectValue(pwd);
    return text;
}

std::string withoutLineBreaks(std::string_view connectString) {
    std::string text(connectString);
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}
