// How the connection window composes a connect string.
#pragma once

#include <string>
#include <string_view>

// "DSN=" and the data source name, then "; UID=" and the user name when there
// is one, then "; PWD=" and the password when there is a user name as well.
// Each text is clipped (trailing blanks) first; a user name or password that
// holds ";", "{" or "}" goes in braces, so that the driver reads it whole.
std::string buildConnectString(std::string_view dsn, std::string_view username, std::string_view password);

// A connect string as typed or pasted, without its line breaks: a driver
// reads none, and the INI file could not hold it.
std::string withoutLineBreaks(std::string_view connectString);
