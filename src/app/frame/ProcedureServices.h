// The program-wide objects the program's procedures reach: the assistant,
// the style manager, the splash and the maker of each window's restyle
// object. The program uses the global objects; tests put recording doubles
// here to watch the start-up, the shut-down and the window procedures.
#pragma once

#include <functional>
#include <memory>

class AssistantClass;
class ZelRestyleClass;
class ZelSplashClass;
class ZelStylemanagerClass;

struct ProcedureServices {
    AssistantClass* assistant = nullptr;
    std::function<std::unique_ptr<ZelRestyleClass>()> makeRestyle;
    ZelStylemanagerClass* styleManager = nullptr;
    ZelSplashClass* splash = nullptr;
};

ProcedureServices& procedureServices();
// Back to the global objects.
void resetProcedureServices();
