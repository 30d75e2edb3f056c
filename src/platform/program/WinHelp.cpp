#include "platform/program/WinHelp.h"

#include "platform/message/Message.h"

namespace platform {
namespace {

std::vector<WinHelpCall>& calls() {
    static std::vector<WinHelpCall> kept;
    return kept;
}

}  // namespace

bool WinHelpA(Long window, const std::string& file, Long command, const HELPWININFO& position) {
    calls().push_back({.window = window, .file = file, .command = command, .position = position});
    return command == HELP_SETWINPOS;
}

bool WinHelpA(Long window, const std::string& file, Long command, const std::string& keyword) {
    calls().push_back({.window = window, .file = file, .command = command, .keyword = keyword});
    MESSAGE("The help file " + file + " cannot be shown:|there is no viewer for Windows help files on this system.",
            "Help", ICON_EXCLAMATION);
    return false;
}

const std::vector<WinHelpCall>& winHelpCalls() { return calls(); }

void clearWinHelpCalls() { calls().clear(); }

}  // namespace platform
