// FORMAT of the runtime's dates and times, for the pictures the program uses.
//
// Rules:
// - A date is the runtime's day number (1 is 28 December 1800), a time its
//   hundredths since midnight plus one (1 is midnight), as TODAY() and
//   CLOCK() give them.
// - "@D18" is the long date and "@T8" the long time as an English Windows
//   writes them: "Thursday, December 11, 2025" and "2:05:09 PM". Whatever
//   the locale, as the layer's numbers are.
// - Another picture is a program error (throws std::invalid_argument).
#pragma once

#include "platform/text/Text.h"

#include <string>
#include <string_view>

namespace platform {

std::string FORMAT(Long value, std::string_view picture);

}  // namespace platform
