#include "app/windows/Tabloom.h"

#include "app/frame/WindowProcedure.h"

using namespace platform;

namespace {
WindowSpec catalogueWindow() {
    return {.label = "P1$WINDOW", .title = "Tabloom", .icon = "zel.ico", .at = {0, 0, 400, 240}, .mdi = true};
}

class TabloomWindow : public WindowProcedure {
public:
    TabloomWindow() : WindowProcedure("Tabloom", catalogueWindow(), 0) {}
};

}  // namespace

void Tabloom() { TabloomWindow().call(); }
