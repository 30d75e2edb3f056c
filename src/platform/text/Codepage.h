// Conversion between the program's Windows-1252 text and UTF-8 at the edges
// (Qt, ODBC, SQLite). Characters Windows-1252 cannot hold become "?".
#pragma once

#include <optional>
#include <string>
#include <string_view>

class QString;

namespace platform {

std::string toUtf8(std::string_view cp1252);
std::string fromUtf8(std::string_view utf8);
// The text when Windows-1252 holds every character of it; none when one
// would become "?" (a name that must not lose a letter).
std::optional<std::string> exactFromUtf8(std::string_view utf8);
// The text with each character Windows-1252 lacks written as <U+XXXX> (a
// byte that begins no character as <0xXX>), to name it where it cannot show.
std::string describedFromUtf8(std::string_view utf8);
QString toQString(std::string_view cp1252);
std::string fromQString(const QString& text);
// A file name of the program (Windows-1252, perhaps blank-padded) as the file
// system takes it.
std::string systemFileName(std::string_view name);

}  // namespace platform
