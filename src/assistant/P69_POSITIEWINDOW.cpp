#include "assistant/P69_POSITIEWINDOW.h"

platform::WindowSpec P69_POSITIEWINDOW() {
    return {.label = "P69$POSITIEWINDOW",
            .title = "Nieuwe Assistent positie bepalen (ESC = Annuleren, Rechtermuisknop of Spatieblak = Menu)",
            .at = {0, 0, 400, 200}};
}
