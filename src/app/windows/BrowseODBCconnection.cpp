#include "app/windows/BrowseODBCconnection.h"

#include "app/frame/WindowProcedure.h"

using namespace platform;

namespace {
WindowSpec queryWindow() {
    return {.label = "P1$WINDOW", .title = "Browse an ODBC connection", .icon = "zel.ico", .at = {0, 0, 400, 240},
            .mdi = true};
}

class BrowseODBCconnectionWindow : public WindowProcedure {
public:
    BrowseODBCconnectionWindow() : WindowProcedure("BrowseODBCconnection", queryWindow(), 0) {}
};

}  // namespace

void BrowseODBCconnection() { BrowseODBCconnectionWindow().call(); }
