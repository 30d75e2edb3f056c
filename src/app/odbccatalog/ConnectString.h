// Connect strings as they may be shown to a user: the value of every password
// attribute (PWD or PASSWORD, any case) masked, wherever it stands.
#pragma once

#include <string>
#include <string_view>

// The connect string with the value of every PWD or PASSWORD attribute
// replaced by "********"; everything else stays as written.
std::string maskPassword(std::string_view connectString);

// The text (a message that may quote the connect string, as a driver's
// diagnostics do) with the value after every PWD= or PASSWORD= in it masked:
// a value in braces up to its closing brace, a password of `connectString`
// as it stands there, any other value up to the next ";" or the end. Nothing
// else is masked: a password's text is not looked for elsewhere. Linear in
// the length of the text.
std::string maskPasswords(std::string_view text, std::string_view connectString);
