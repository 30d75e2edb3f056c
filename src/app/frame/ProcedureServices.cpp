#include "app/frame/ProcedureServices.h"

#include "app/main/Globals.h"
#include "restyle/ZelRestyleClass.h"

ProcedureServices& procedureServices() {
    static ProcedureServices services{&Assistant, [] { return std::make_unique<ZelRestyleClass>(); }};
    return services;
}

void resetProcedureServices() {
    procedureServices().assistant = &Assistant;
    procedureServices().makeRestyle = [] { return std::make_unique<ZelRestyleClass>(); };
}
