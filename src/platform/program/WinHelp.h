// The system's WinHelp call, as a stand-in: there is no viewer for Windows
// help files here. A program hands it the window's position and a keyword as
// it would to WinHelp; the stand-in keeps each call (for the program's tests)
// and, where WinHelp would show the file, says with a MESSAGE that it cannot.
#pragma once

#include "platform/text/Text.h"

#include <string>
#include <vector>

namespace platform {

constexpr Long HELP_PARTIALKEY = 0x105;  // opens the index at a keyword
constexpr Long HELP_SETWINPOS = 0x203;   // places the help window

// The system's HELPWININFO: where the help window goes, in WinHelp's 1024
// units a side, and how it shows. Its size is 26 with an empty member name.
struct HELPWININFO {
    Long wStructSize = 26;
    Long x = 0, y = 0, dx = 0, dy = 0;
    Long wMax = 0;
    std::string rgchMember;
};

// One call as WinHelp received it: HELP_SETWINPOS with `position`,
// HELP_PARTIALKEY with `keyword`.
struct WinHelpCall {
    Long window = 0;
    std::string file;
    Long command = 0;
    HELPWININFO position;
    std::string keyword;
};

// True when the call was taken: the position is, a keyword is not (the file
// cannot be shown).
bool WinHelpA(Long window, const std::string& file, Long command, const HELPWININFO& position);
bool WinHelpA(Long window, const std::string& file, Long command, const std::string& keyword);

// The calls since the last clear, first first.
const std::vector<WinHelpCall>& winHelpCalls();
void clearWinHelpCalls();

}  // namespace platform
