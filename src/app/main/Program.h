// The program's spine: the main module's initialiser and finaliser, the
// program body that binds the components together and runs the main frame,
// and the message hook through which every MESSAGE reaches the style manager.
#pragma once

#include "platform/program/Program.h"
#include "platform/text/Text.h"

#include <string>

// The process entry: start-up, the body, shut-down; returns the exit code.
int ProgramEntry();
// The program's modules, for ProgramEntry and for tests that run the program.
platform::ProgramModules programModules();
void GlobalDataInit(platform::Long finish);
void ProgramBody();
platform::Long MessageHook(const std::string& text, const std::string& caption, const std::string& icon,
                           const std::string& buttons, platform::Long defaultButton, platform::Long style);
