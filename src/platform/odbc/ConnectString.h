// Connect strings as ODBC reads them: attributes KEYWORD=value separated by
// ";". A value in braces runs to its closing brace, "}}" inside it standing
// for one "}", so it may hold ";"; any other value runs to the next ";".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Where the value that starts at `from` (just after its "=") ends: after its
// closing brace (an unclosed one runs to the end of the text), else at the
// next ";" or the end.
std::size_t connectValueEnd(std::string_view text, std::size_t from);

// `value` written so that ODBC reads it whole: in braces, each "}" doubled,
// when it holds ";", "{" or "}"; else as it is.
std::string connectValue(std::string_view value);

// The connect string as the drivers take it: each keyword without the blanks
// around it, which the runtime's drivers ignore and some drivers here (the
// PostgreSQL one) take as part of the keyword; values stay as written.
std::string driverConnectString(std::string_view connectString);

}  // namespace platform
