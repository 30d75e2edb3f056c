// Connect strings as they may be shown to a user.
#pragma once

#include <string>
#include <string_view>

// The connect string with the value of every PWD or PASSWORD attribute (any
// case) replaced by "********"; everything else stays as written.
std::string maskPassword(std::string_view connectString);

// The text (a message that may quote the connect string, as a driver's
// diagnostics do) with every password of the connect string in it replaced
// by "********": the value of every PWD or PASSWORD attribute, found even
// where the braces of a malformed connect string leave it inside another value.
std::string maskPasswords(std::string_view text, std::string_view connectString);
