// The system's ShellExecute, for the one verb the program uses: "open" (in
// any case) hands
// a web address (or a file) to the desktop's browser, the program
// TABLOOM_BROWSER names (tests put a stand-in there), else xdg-open, which
// picks the desktop's own. The address goes as its one argument, never
// through a shell, and nothing waits for it.
//
// The result is the system's: above 32 when the program started;
// SE_ERR_NOASSOC for another verb, ERROR_FILE_NOT_FOUND when the program
// could not be started. The window and the show command (SW_SHOWMAXIMIZED,
// ...) are taken and not used: the program started places its own window.
#pragma once

#include "platform/text/Text.h"

#include <string>
#include <string_view>

namespace platform {

constexpr Long ERROR_FILE_NOT_FOUND = 2;
constexpr Long SE_ERR_NOASSOC = 31;

// `file` is Windows-1252 text, as the program holds its names.
Long ShellExecute(Long window, std::string_view operation, const std::string& file, Long showCommand);

}  // namespace platform
