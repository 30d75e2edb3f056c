// Connect strings as they may be shown to a user.
#pragma once

#include <string>
#include <string_view>

// The connect string with the value of every PWD or PASSWORD attribute (any
// case) replaced by "********"; everything else stays as written.
std::string maskPassword(std::string_view connectString);
