#include "stylemanager/P40_RESTYLEPROGRESSWINDOW.h"

using namespace platform;

WindowSpec P40_RESTYLEPROGRESSWINDOW() {
    return {.label = "P40$RESTYLEPROGRESSWINDOW", .fontName = "ms sans serif", .at = {0, 0, 140, 34},
            .center = true, .system = false,
            .controls = {
                {.type = CREATE::string, .label = "?STRING1", .text = "Restyle progress", .at = {6, 4, 128, 10}},
                {.type = CREATE::progress, .label = "?RESTYLEPROGRESS", .at = {6, 16, 128, 12}},
            }};
}
