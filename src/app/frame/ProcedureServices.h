// What every window procedure reaches besides its window: the assistant and
// the maker of its restyle object. The program uses the global objects;
// tests put recording doubles here to watch the procedures' calls.
#pragma once

#include <functional>
#include <memory>

class AssistantClass;
class ZelRestyleClass;

struct ProcedureServices {
    AssistantClass* assistant = nullptr;
    std::function<std::unique_ptr<ZelRestyleClass>()> makeRestyle;
};

ProcedureServices& procedureServices();
// Back to the global objects.
void resetProcedureServices();
