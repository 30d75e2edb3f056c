#include "app/windows/ChooseODBCconnection.h"

#include "app/frame/WindowProcedure.h"

using namespace platform;

namespace {
WindowSpec connectionWindow() {
    return {.label = "P1$WINDOW", .title = "Choose an ODB Cconnection", .icon = "zel.ico", .at = {0, 0, 300, 180},
            .mdi = true};
}

class ChooseODBCconnectionWindow : public WindowProcedure {
public:
    ChooseODBCconnectionWindow() : WindowProcedure("ChooseODBCconnection", connectionWindow(), 1) {}
};

}  // namespace

void ChooseODBCconnection() { ChooseODBCconnectionWindow().call(); }
