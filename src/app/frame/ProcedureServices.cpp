#include "app/frame/ProcedureServices.h"

#include "app/main/Globals.h"
#include "restyle/ZelRestyleClass.h"

namespace {
ProcedureServices globalObjects() {
    return {&Assistant, [] { return std::make_unique<ZelRestyleClass>(); }, &StyleManager, &Splash};
}
}  // namespace

ProcedureServices& procedureServices() {
    static ProcedureServices services = globalObjects();
    return services;
}

void resetProcedureServices() { procedureServices() = globalObjects(); }
