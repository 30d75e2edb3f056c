// Program start-up and shut-down of the runtime.
//
// runProgram runs, on thread 1: every module initialiser (finish = 0), the
// program body, then the shut-down (windows still open are closed and the
// other threads awaited); then, on the way out, the module finalisers
// (finish = 1) in reverse order. HALT ends the program from any thread by the
// same road. The program may run several times in one process (tests): each
// run starts without a message hook and with LOCALE's defaults, and leaves
// none of its own behind.
#pragma once

#include "platform/text/Text.h"

#include <functional>
#include <string>

namespace platform {

using ModuleInitialiser = std::function<void(Long finish)>;

struct ProgramModules {
    std::vector<ModuleInitialiser> initialisers;
};

int runProgram(const ProgramModules& modules, const std::function<void()>& body);
// The same in steps, for a caller that drives the program meanwhile (tests):
// start, pump until programEnded(), then finish for the exit code.
void startProgram(const ProgramModules& modules, std::function<void()> body);
bool programEnded();
// True once the program body has returned and the windows still open are
// being closed: a window closing now closes because the program ends.
bool programClosing();
int finishProgram();

// Ends the program cleanly with the exit code.
[[noreturn]] void HALT(int exitCode = 0);
// Shows the text and offers to end the program; returns when the user goes on.
void STOP(const std::string& text);

// COMMAND('0'): the program's own full path.
std::string programPath();
void setProgramPath(std::string path);

}  // namespace platform
